#pragma once

// The phonebook as a text file that the simple import reads back (one line per entry: name, TAB,
// number, CR LF), and the debug fill that takes the phonebook to its capacity with generated
// entries for trying out the pages, printing and transfers.

#include <string>

class CData_AllDialName;

class CPhonebook_Export
{
public:
    // Interface texts.
    static constexpr unsigned IDS_STR_EXPORT_FILES = 431;
    static constexpr unsigned IDS_STR_EXPORT_FAILED = 435; // %1 the path, %2 the reason

    // The file's bytes: the entries in list order, code page 1252 as stored.
    static std::string ExportText(const CData_AllDialName& book);
    // Writes the export file, replacing an existing one; 0 with the reason when it cannot be
    // written (an existing file then stays as it was).
    static int Export(const CData_AllDialName& book, const std::string& path, std::string& reason);
    // The message for an export file that cannot be written.
    static std::string FailureText(const std::string& path, const std::string& reason);

    // Appends entries until the phonebook is full, names and numbers every entry after its
    // index ("AA TestName 0000", "0000" and twenty zeros) and sorts.
    static void DebugFill(CData_AllDialName& book);
};
