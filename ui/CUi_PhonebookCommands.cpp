#include "ui/CUi_PhonebookCommands.h"

#include "data/CData_All.h"
#include "data/CData_UiText.h"
#include "phonebook/CImport_NameMsn.h"
#include "phonebook/CImport_Report.h"
#include "phonebook/CPhonebook_Export.h"
#include "phonebook/CPhonebook_Prefix.h"
#include "platform/CPlatform_System.h"
#include "platform/CPlatform_Telephony.h"
#include "shell/CApp.h"
#include "shell/CR740CfDoc.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"
#include "ui/CDlg_Import_NameMsn.h"
#include "ui/CDlg_Import_NameMsn_Ex.h"
#include "ui/CDlg_Import_vCard.h"
#include "ui/CDlg_Prefix.h"

#include <QApplication>

namespace
{
const char s_szClass[] = "MainFrm";

// The export's file dialog.
const char s_szExportExtension[] = "txt";

// What the commands need of the application: its phonebook, its MSN slots, the role and the
// view. Kept in one place.
CData_AllDialName& Phonebook(CApp& app)
{
    return app.DocData().m_DialName;
}

void ShowReport(const CImport_Report& report)
{
    CUi_Interface::Get().MessageBox(report.Text(), std::string(), CUi_Interface::ICON_INFORMATION,
                                    CUi_Interface::BUTTONS_OK);
}
} // namespace

int CUi_PhonebookCommands::RunImport(CApp& app, CImport_NameMsn& import, const std::string& fileName)
{
    if (!import.IsOpen())
    {
        CUi_Interface::Get().MessageBox(
            CImport_Report::UnreadableText(fileName, PlatformSystemMessage(import.Error())), std::string(),
            CUi_Interface::ICON_WARNING, CUi_Interface::BUTTONS_OK);
        return 0;
    }
    CR740CfDoc* pDoc = app.Document();
    if (pDoc && !pDoc->SaveModified())
        return 0;
    CData_AllDialName& book = Phonebook(app);
    if (app.Brand().m_bAppDialName)
        book.m_List.Clear();
    CImport_Report report;
    import.Run(book, report);
    app.MoveDataDocToView();
    ShowReport(report);
    return 1;
}

int CUi_PhonebookCommands::ImportText(QWidget* pParent, CApp& app)
{
    CDlg_Import_NameMsn dlg(pParent);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    const CImport_NameMsnSettings settings = dlg.Settings();
    CImport_NameMsn import(settings);
    return RunImport(app, import, settings.fileName);
}

int CUi_PhonebookCommands::ImportTextEx(QWidget* pParent, CApp& app)
{
    CDlg_Import_NameMsn_Ex dlg(pParent);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    const CImport_NameMsnExSettings settings = dlg.Settings();
    CImport_NameMsn import(settings);
    return RunImport(app, import, settings.fileName);
}

int CUi_PhonebookCommands::ImportVCard(QWidget* pParent, CApp& app)
{
    app.MoveDataViewToDoc();
    CData_AllDialName& book = Phonebook(app);
    if (book.Count() >= CData_AllDialName::ENTRY_MAX)
        return 0;
    CData_DialName entry(book.Count());
    const CPlatform_Telephony location = CPlatform_Telephony::Current();
    CDlg_Import_vCard dlg(entry, app.DocData().m_Cfg, location.CountryText(), location.outside, pParent);
    if (dlg.exec() != QDialog::Accepted || !book.m_List.Append(entry))
        return 0;
    book.Sort();
    app.MoveDataDocToView();
    return 1;
}

int CUi_PhonebookCommands::Prefix(QWidget* pParent, CApp& app, const std::string& title)
{
    app.MoveDataViewToDoc();
    CData_AllDialName& book = Phonebook(app);
    if (book.Count() == 0)
    {
        QApplication::beep();
        return 0;
    }
    CDlg_Prefix dlg(pParent);
    dlg.SetTitle(title);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    CPhonebook_Prefix::Apply(dlg.Settings(), book);
    app.MoveDataDocToView();
    return 1;
}

int CUi_PhonebookCommands::Export(QWidget* pParent, CApp& app)
{
    (void)pParent; // the file dialog is the user interface's, parented there
    TraceLine(s_szClass, "OnFileExportDialname()");
    app.MoveDataViewToDoc();
    std::string path;
    if (!CUi_Interface::Get().GetSaveFileName(CData_UiText(CPhonebook_Export::IDS_STR_EXPORT_FILES),
                                              s_szExportExtension, std::string(), app.LastFilePath(), path))
        return 0;
    std::string reason;
    if (!CPhonebook_Export::Export(Phonebook(app), path, reason))
    {
        CUi_Interface::Get().MessageBox(CPhonebook_Export::FailureText(path, reason), std::string(),
                                        CUi_Interface::ICON_STOP, CUi_Interface::BUTTONS_OK);
        return 0;
    }
    return 1;
}

int CUi_PhonebookCommands::DebugFill(CApp& app)
{
    TraceLine(s_szClass, "OnFileDebugDialnameFill()");
    app.MoveDataViewToDoc();
    CPhonebook_Export::DebugFill(Phonebook(app));
    app.MoveDataDocToView();
    return 1;
}
