#pragma once

// The phonebook commands of the main window, each a whole flow: its dialog, the document's
// question to save, the phonebook changed, sorted and shown again, and the report. Each gives 1
// when the phonebook was changed (or written, for the export) and 0 otherwise. Whether a command
// is offered at all (active view, phonebook page, entry counts) is the main window's decision.
//
//     ImportText    ID_FILE_IMPORT_DIALNAME       the simple name/number import
//     ImportTextEx  ID_FILE_IMPORT_DIALNAME_EX    the extended name/number import
//     ImportVCard   ID_FILE_IMPORT_VCARD          one entry from a vCard file
//     Prefix        ID_DIALNAME_PREFIX            dialling-prefix processing
//     Export        ID_FILE_EXPORT_DIALNAME       the phonebook to a text file
//     DebugFill     ID_FILE_DEBUG_DIALNAME_FILL   the phonebook filled with test entries

#include <string>

class CApp;
class CImport_NameMsn;
class QWidget;

class CUi_PhonebookCommands
{
public:
    static int ImportText(QWidget* pParent, CApp& app);
    static int ImportTextEx(QWidget* pParent, CApp& app);
    static int ImportVCard(QWidget* pParent, CApp& app);
    // title, when given, is appended to the dialog's caption.
    static int Prefix(QWidget* pParent, CApp& app, const std::string& title = std::string());
    static int Export(QWidget* pParent, CApp& app);
    static int DebugFill(CApp& app);

    // The import's steps after its dialog was confirmed: a file that cannot be read is reported
    // and nothing changes; else the question to save, the phonebook emptied in the phonebook role,
    // the import, the view refreshed and the report shown.
    static int RunImport(CApp& app, CImport_NameMsn& import, const std::string& fileName);
};
