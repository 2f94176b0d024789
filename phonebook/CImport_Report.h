#pragma once

// What an import did, shown to the user after it: entries imported, rows skipped because their
// name or number came out empty, entries whose name or number the conversions cut or changed,
// entries equal in name and number to one the phonebook already held, and whether the phonebook
// ran full before the file ended. Entries silently going missing is what users complain of.

#include <initializer_list>
#include <string>

struct CImport_Report
{
    // Interface texts of the report.
    static constexpr unsigned IDS_STR_IMPORT_REPORT = 434;      // the counts, %1 to %4
    static constexpr unsigned IDS_STR_IMPORT_REPORT_FULL = 437; // appended when the phonebook ran full
    static constexpr unsigned IDS_STR_IMPORT_UNREADABLE = 436;  // %1 the file, %2 the reason

    int nImported = 0;
    int nSkipped = 0;
    int nChanged = 0;
    int nDuplicates = 0;
    bool bFull = false;

    // The report in the interface texts (built-in English while none are loaded).
    std::string Text() const;

    // The message for an import file that cannot be read.
    static std::string UnreadableText(const std::string& path, const std::string& reason);

    // The interface text of the number, or the default while no texts are loaded.
    static std::string UiText(unsigned nNumber, const char* pszDefault);

    // Each "%1" to "%9" of text replaced by the argument of that number (missing ones by nothing).
    static std::string Format(const std::string& text, std::initializer_list<std::string> args);
};
