#include "ui/CUi_QtInterface.h"

#include "ui/CUi_Texts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace
{
bool s_bNativeDialogs = true;

QMessageBox::Icon QtIcon(CUi_Interface::EIcon icon)
{
    switch (icon)
    {
    case CUi_Interface::ICON_INFORMATION:
        return QMessageBox::Information;
    case CUi_Interface::ICON_QUESTION:
        return QMessageBox::Question;
    case CUi_Interface::ICON_WARNING:
        return QMessageBox::Warning;
    case CUi_Interface::ICON_STOP:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

// Buttons of each set in their order, and the answer each gives; the first is the default.
struct CButtonRow
{
    CUi_Interface::EButtons buttons;
    QMessageBox::StandardButton aButtons[3];
    int nCount;
};
const CButtonRow s_buttonRows[] = {
    {CUi_Interface::BUTTONS_OK, {QMessageBox::Ok}, 1},
    {CUi_Interface::BUTTONS_OK_CANCEL, {QMessageBox::Ok, QMessageBox::Cancel}, 2},
    {CUi_Interface::BUTTONS_YES_NO, {QMessageBox::Yes, QMessageBox::No}, 2},
    {CUi_Interface::BUTTONS_YES_NO_CANCEL, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, 3},
};

int Answer(QMessageBox::StandardButton button)
{
    switch (button)
    {
    case QMessageBox::Ok:
        return CUi_Interface::ANSWER_OK;
    case QMessageBox::Yes:
        return CUi_Interface::ANSWER_YES;
    case QMessageBox::No:
        return CUi_Interface::ANSWER_NO;
    default:
        return CUi_Interface::ANSWER_CANCEL;
    }
}

QString DirectoryOf(const std::string& initialDir)
{
    if (initialDir.empty())
        return QString();
    const QFileInfo info(QString::fromLocal8Bit(initialDir.c_str()));
    return info.isDir() ? info.filePath() : info.path();
}

void Configure(QFileDialog& dialog, const std::string& filter)
{
    dialog.setNameFilter(CUi_QtInterface::QtFilter(filter));
    if (!s_bNativeDialogs)
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
}

int Chosen(QFileDialog& dialog, std::string& path)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return 0;
    const QByteArray bytes = dialog.selectedFiles().first().toLocal8Bit();
    path.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return 1;
}
} // namespace

void CUi_QtInterface::SetUseNativeDialogs(bool bNative)
{
    s_bNativeDialogs = bNative;
}

QString CUi_QtInterface::QtFilter(const std::string& filter)
{
    const QStringList parts = CUi_Texts::FromCp1252(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
    {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        if (description.isEmpty() && patterns.isEmpty())
            break;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

int CUi_QtInterface::MessageBox(const std::string& text, const std::string& caption, EIcon icon,
                                EButtons buttons)
{
    QMessageBox box(QtIcon(icon), CUi_Texts::FromCp1252(caption), CUi_Texts::FromCp1252(text),
                    QMessageBox::NoButton, m_pParent);
    const CButtonRow* pRow = &s_buttonRows[0];
    for (const CButtonRow& row : s_buttonRows)
    {
        if (row.buttons == buttons)
            pRow = &row;
    }
    for (int i = 0; i < pRow->nCount; ++i)
        box.addButton(pRow->aButtons[i]);
    box.setDefaultButton(pRow->aButtons[0]);
    // Escape answers as the system's boxes do: Cancel where there is one, else the last button.
    box.setEscapeButton(pRow->aButtons[pRow->nCount - 1]);
    box.exec();
    return Answer(box.standardButton(box.clickedButton()));
}

int CUi_QtInterface::GetOpenFileName(const std::string& filter, const std::string& initialDir,
                                     std::string& path)
{
    QFileDialog dialog(m_pParent, QString(), DirectoryOf(initialDir));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Configure(dialog, filter);
    return Chosen(dialog, path);
}

int CUi_QtInterface::GetSaveFileName(const std::string& filter, const std::string& defaultExt,
                                     const std::string& proposedName, const std::string& initialDir,
                                     std::string& path)
{
    QFileDialog dialog(m_pParent, QString(), DirectoryOf(initialDir));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Configure(dialog, filter);
    QString suffix = CUi_Texts::FromCp1252(defaultExt);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(CUi_Texts::FromCp1252(proposedName));
    return Chosen(dialog, path);
}
