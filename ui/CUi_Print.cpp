#include "ui/CUi_Print.h"

#include "data/CData_All.h"
#include "data/CData_UiText.h"
#include "print/CPrint_LabelSheet.h"
#include "print/CPrint_Painter.h"
#include "shell/CApp.h"
#include "support/Trace.h"
#include "ui/CUi_Texts.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace
{
const char s_szClass[] = "View";

// AFX_IDS_APP_TITLE: the document name of every print job.
constexpr unsigned TEXT_APP_TITLE = 57344;

void SetDocName(QPrinter& printer)
{
    printer.setDocName(CUi_Texts::FromCp1252(CData_UiText(TEXT_APP_TITLE)));
}

// The phonebook list exists only in the phonebook role; the view's pending input goes into the
// document first, so that the print shows what the user sees.
bool PhonebookPages(CApp& app)
{
    app.MoveDataViewToDoc();
    if (app.Brand().m_bAppDialName)
        return true;
    TraceLine(s_szClass, "OnPrint() no pages in the configuration role");
    return false;
}

// The label sheets are one page: the whole document, no page numbers, no selection.
int PrintSheet(QWidget* pParent, const CPrint_LabelSheet& sheet)
{
    QPrinter& printer = CUi_Print::Printer();
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dlg(&printer, pParent);
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    SetDocName(printer);
    if (CPrint_Painter::PaintLabelSheet(printer, sheet))
        return 1;
    printer.abort();
    return 0;
}
} // namespace

QPrinter& CUi_Print::Printer()
{
    // One printer for the run, made when it is first needed (it asks the print system); never
    // destroyed, since the print system may be gone by the time static objects are.
    static QPrinter* s_pPrinter = new QPrinter(QPrinter::HighResolution);
    return *s_pPrinter;
}

int CUi_Print::PrintPhonebook(QWidget* pParent, CApp& app)
{
    if (!PhonebookPages(app))
        return 0;
    QPrinter& printer = Printer();
    const CData_AllDialName& dialName = app.DocData().m_DialName;
    const int nPages =
        CPrint_Painter::Layout(printer, CPrint_PhonebookLayout::PrintLines(dialName)).PageCount();
    QPrintDialog dlg(&printer, pParent);
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                   QAbstractPrintDialog::PrintShowPageSize);
    dlg.setMinMax(1, nPages);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    SetDocName(printer);
    const bool bRange = printer.printRange() == QPrinter::PageRange;
    if (CPrint_Painter::PaintPhonebook(printer, dialName, bRange ? printer.fromPage() : 0,
                                       bRange ? printer.toPage() : 0))
        return 1;
    printer.abort();
    return 0;
}

std::unique_ptr<QPrintPreviewDialog> CUi_Print::CreatePreview(QWidget* pParent, CApp& app)
{
    // The preview paints on a printer of its own with the run's settings: a printer keeps the
    // pages it was last previewed with, and a job without pages paints nothing that would
    // replace them.
    auto pDialog = std::make_unique<QPrintPreviewDialog>(pParent);
    QPrinter& settings = Printer();
    QPrinter* pPrinter = pDialog->printer();
    pPrinter->setPrinterName(settings.printerName());
    pPrinter->setResolution(settings.resolution());
    pPrinter->setPageLayout(settings.pageLayout());
    pPrinter->setColorMode(settings.colorMode());
    pPrinter->setDuplex(settings.duplex());
    const bool bPages = PhonebookPages(app);
    QObject::connect(pDialog.get(), &QPrintPreviewDialog::paintRequested, pDialog.get(),
                     [&app, bPages](QPrinter* pTarget)
                     {
                         if (!bPages)
                             return;
                         SetDocName(*pTarget);
                         CPrint_Painter::PaintPhonebook(*pTarget, app.DocData().m_DialName);
                     });
    return pDialog;
}

int CUi_Print::PrintPreview(QWidget* pParent, CApp& app)
{
    return CreatePreview(pParent, app)->exec() == QDialog::Accepted ? 1 : 0;
}

int CUi_Print::PrintSetup(QWidget* pParent)
{
    QPageSetupDialog dlg(&Printer(), pParent);
    return dlg.exec() == QDialog::Accepted ? 1 : 0;
}

int CUi_Print::PrintKeyLabels(QWidget* pParent, const CData_All& data)
{
    return PrintSheet(pParent, CPrint_LabelSheet::KeySheet(data, data.KeyCount()));
}

int CUi_Print::PrintModuleLabels(QWidget* pParent, const CData_All& data, int nSlot)
{
    const CPrint_LabelSheet sheet = CPrint_LabelSheet::ModuleSheet(data, nSlot);
    return sheet.IsEmpty() ? 0 : PrintSheet(pParent, sheet);
}
