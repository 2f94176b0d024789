#include "print/CPrint_Pdf.h"

#include "data/CData_All.h"
#include "platform/CPlatform_CodePage.h"
#include "print/CPrint_LabelSheet.h"
#include "print/CPrint_Painter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

int CPrint_Pdf::Write(const std::string& path, const std::string& title, const CPaint& paint,
                      std::string& error)
{
    QSaveFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::WriteOnly))
    {
        error = file.errorString().toLocal8Bit().toStdString();
        return 0;
    }
    int nPages = 0;
    {
        QPdfWriter writer(&file);
        writer.setResolution(DPI);
        writer.setTitle(CPlatform_CodePage::ToQString(title));
        writer.setCreator(CPlatform_CodePage::ToQString(CPrint_Painter::ProgramTitle()));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(MARGIN_MM, MARGIN_MM, MARGIN_MM, MARGIN_MM),
                                         QPageLayout::Millimeter));
        nPages = paint(writer);
    }
    if (nPages <= 0)
    {
        file.cancelWriting();
        error = "nothing could be printed";
        return 0;
    }
    if (!file.commit())
    {
        error = file.errorString().toLocal8Bit().toStdString();
        return 0;
    }
    return 1;
}

int CPrint_Pdf::WritePhonebook(const std::string& path, const CData_All& data, std::string& error,
                               int* pnPages)
{
    int nPages = 0;
    const int nResult = Write(
        path, CPrint_Painter::ProgramTitle(),
        [&](QPagedPaintDevice& device)
        {
            nPages = CPrint_Painter::PaintPhonebook(device, data.m_DialName);
            return nPages;
        },
        error);
    if (pnPages)
        *pnPages = nResult ? nPages : 0;
    return nResult;
}

int CPrint_Pdf::WriteKeyLabels(const std::string& path, const CData_All& data, int nKeyCount,
                               std::string& error)
{
    const CPrint_LabelSheet sheet = CPrint_LabelSheet::KeySheet(data, nKeyCount);
    return Write(
        path, CPrint_Painter::ProgramTitle(),
        [&sheet](QPagedPaintDevice& device) { return CPrint_Painter::PaintLabelSheet(device, sheet); },
        error);
}

int CPrint_Pdf::WriteModuleLabels(const std::string& path, const CData_All& data, int nSlot,
                                  std::string& error)
{
    const CPrint_LabelSheet sheet = CPrint_LabelSheet::ModuleSheet(data, nSlot);
    if (sheet.IsEmpty())
    {
        error = "there is no module slot " + std::to_string(nSlot) + " (1 to 3)";
        return 0;
    }
    return Write(
        path, CPrint_Painter::ProgramTitle(),
        [&sheet](QPagedPaintDevice& device) { return CPrint_Painter::PaintLabelSheet(device, sheet); },
        error);
}
