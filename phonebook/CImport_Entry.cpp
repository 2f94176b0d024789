#include "phonebook/CImport_Entry.h"

#include "data/CData_AllDialName.h"
#include "data/CData_Types.h"
#include "phonebook/CImport_Report.h"

CImport_Entry::EResult CImport_Entry::Add(CData_AllDialName& book, const std::string& name,
                                          const std::string& number, const std::string& prefix, int nIndex,
                                          CImport_Report& report, bool bChanged)
{
    std::string strName;
    std::string strNumber;
    if (!StrToName(name, strName))
        bChanged = true;
    if (!StrToMsnExt(number, strNumber))
        bChanged = true;
    if (strName.empty() || strNumber.empty())
    {
        ++report.nSkipped;
        return SKIPPED;
    }
    CData_DialName entry(nIndex);
    entry.m_strName = strName;
    if (!StrToMsnExt(prefix + strNumber, entry.m_strMsnExt))
        bChanged = true;

    // Every entry is compared, so the compare starts where numbers of a list differ most: their
    // length and their last digit.
    bool bDuplicate = false;
    const std::string& stored = entry.m_strMsnExt;
    for (const CData_DialName& other : book.m_List.Entries())
        if (other.m_strMsnExt.size() == stored.size() &&
            (stored.empty() || other.m_strMsnExt.back() == stored.back()) && other.m_strMsnExt == stored &&
            other.m_strName == entry.m_strName)
        {
            bDuplicate = true;
            break;
        }
    if (!book.m_List.Append(entry))
    {
        report.bFull = true;
        return FULL;
    }
    ++report.nImported;
    report.nChanged += bChanged ? 1 : 0;
    report.nDuplicates += bDuplicate ? 1 : 0;
    return ADDED;
}
