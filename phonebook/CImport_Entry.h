#pragma once

// One imported name and number into the phonebook, as every import does it: the name converted
// as a name, the number as a dial string, the number prefix put in front and the result
// converted again; an entry only when both come out non-empty. The report counts what happened.

#include <string>

class CData_AllDialName;
struct CImport_Report;

class CImport_Entry
{
public:
    enum EResult
    {
        ADDED,
        SKIPPED, // name or number empty after the conversions
        FULL,    // the phonebook holds no more entries
    };

    // nIndex is the new entry's index; bChanged tells that reading the file already changed the
    // texts (characters the code page lacks).
    static EResult Add(CData_AllDialName& book, const std::string& name, const std::string& number,
                       const std::string& prefix, int nIndex, CImport_Report& report, bool bChanged = false);
};
