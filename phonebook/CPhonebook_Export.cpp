#include "phonebook/CPhonebook_Export.h"

#include "data/CData_AllDialName.h"
#include "phonebook/CImport_Report.h"
#include "platform/CPlatform_File.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CPhonebook_Export";

// The two letters of a test name: the index modulo and divided by the table's length.
const char s_szLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int LETTER_COUNT = sizeof s_szLetters - 1;

const char s_szFailed[] = "The phonebook could not be exported to\n%1\n\n%2";
} // namespace

std::string CPhonebook_Export::FailureText(const std::string& path, const std::string& reason)
{
    return CImport_Report::Format(CImport_Report::UiText(IDS_STR_EXPORT_FAILED, s_szFailed), {path, reason});
}

std::string CPhonebook_Export::ExportText(const CData_AllDialName& book)
{
    std::string text;
    for (const CData_DialName& entry : book.m_List.Entries())
        text += entry.InfoText(CData_DialName::COL_NAME) + "\t" + entry.InfoText(CData_DialName::COL_MSNEXT) +
                "\r\n";
    return text;
}

int CPhonebook_Export::Export(const CData_AllDialName& book, const std::string& path, std::string& reason)
{
    TraceLine(s_szClass, "Export() ", path.c_str());
    if (CPlatform_File::WriteWhole(path, ExportText(book), reason))
        return 1;
    TraceLine(s_szClass, "Export() fails! ", reason.c_str());
    return 0;
}

void CPhonebook_Export::DebugFill(CData_AllDialName& book)
{
    while (book.m_List.Append(CData_DialName(book.Count())))
    {
    }
    for (CData_DialName& entry : book.m_List.Entries())
    {
        const int i = entry.Number();
        char sz[48];
        std::snprintf(sz, sizeof sz, "%c%c TestName %04d", s_szLetters[i % LETTER_COUNT],
                      s_szLetters[(i / LETTER_COUNT) % LETTER_COUNT], i);
        entry.m_strName = sz;
        std::snprintf(sz, sizeof sz, "%04d00000000000000000000", i);
        entry.m_strMsnExt = sz;
    }
    book.Sort();
}
