#include "phonebook/CImport_Report.h"

#include "data/CData_UiText.h"

#include <vector>

namespace
{
// Used while no interface texts are loaded.
const char s_szReport[] =
    "Import finished.\n\nEntries imported: %1\nRows skipped (name or number empty): %2\n"
    "Names or numbers shortened or changed: %3\nDuplicates of an existing entry: %4";
const char s_szFull[] = "The phonebook is full: the rest of the file was not imported.";
const char s_szUnreadable[] = "The file could not be read:\n%1\n\n%2";
} // namespace

std::string CImport_Report::UiText(unsigned nNumber, const char* pszDefault)
{
    const std::string text = CData_UiText(nNumber);
    return text.empty() ? pszDefault : text;
}

std::string CImport_Report::UnreadableText(const std::string& path, const std::string& reason)
{
    return Format(UiText(IDS_STR_IMPORT_UNREADABLE, s_szUnreadable), {path, reason});
}

std::string CImport_Report::Format(const std::string& text, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9')
        {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < values.size())
                result += values[n];
            ++i;
        }
        else
            result += text[i];
    }
    return result;
}

std::string CImport_Report::Text() const
{
    std::string text = Format(UiText(IDS_STR_IMPORT_REPORT, s_szReport),
                              {std::to_string(nImported), std::to_string(nSkipped), std::to_string(nChanged),
                               std::to_string(nDuplicates)});
    if (bFull)
        text += "\n\n" + UiText(IDS_STR_IMPORT_REPORT_FULL, s_szFull);
    return text;
}
