// Feeds arbitrary bytes to the tokenizer and to both text imports. The first bytes choose the
// sets and the import's positions, so that every class and limit is reached; the checks are
// the tokenizer's bounds and what an import leaves in the phonebook.

#include "data/CData_AllDialName.h"
#include "data/CData_CharSet.h"
#include "phonebook/CImport_NameMsn.h"
#include "phonebook/CImport_Report.h"
#include "phonebook/CParse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void Check(bool bOk)
{
    if (!bOk)
        std::abort();
}

void Tokenize(const uint8_t* data, size_t size)
{
    // Sets of up to four bytes each from the head of the input.
    if (size < 16)
        return;
    std::string sets[4];
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            if (data[i * 4 + k])
                sets[i] += static_cast<char>(data[i * 4 + k]);
    CParse parse(reinterpret_cast<const char*>(data + 16), size - 16,
                 sets[0].empty() ? nullptr : sets[0].c_str(), sets[1].c_str(), sets[2].c_str(),
                 sets[3].empty() ? nullptr : sets[3].c_str());
    int nLines = 0;
    for (int bMore = 1; bMore && nLines <= static_cast<int>(size); ++nLines)
    {
        bMore = parse.NextLine();
        Check(parse.ColumnCount() <= static_cast<int>(CParse::COLUMN_MAX));
        for (int c = 0; c < parse.ColumnCount(); ++c)
        {
            Check(parse.TokenCount(c) <= static_cast<int>(CParse::TOKEN_MAX));
            for (int t = 0; t < parse.TokenCount(c); ++t)
            {
                const std::string& token = parse.Token(c, t);
                Check(!token.empty() && token.size() <= CParse::TOKEN_CHARS_MAX);
                for (const char ch : token)
                    Check(parse.CharClass(static_cast<unsigned char>(ch)) == CParse::CC_TOKEN);
            }
        }
    }
    Check(parse.NextLine() == 0);
}

void Import(const uint8_t* data, size_t size)
{
    if (size < 8)
        return;
    CImport_NameMsnExSettings settings;
    settings.number = {data[0] % 4, data[1] % 3};
    settings.name[0] = {data[2] % 4 - 1, data[3] % 3};
    settings.nColumnsPerRecord = data[4] % 4;
    settings.nFirstLine = data[5] % 3;
    settings.nMaxEntries = 1 + data[6] % CImport_NameMsn::ENTRIES_MAX;
    settings.prefix = std::string(data[7] % 4, '9');
    CData_AllDialName book;
    CImport_Report report;
    CImport_NameMsn import(settings, reinterpret_cast<const char*>(data + 8), size - 8,
                           (data[0] & 0x80) != 0);
    Check(import.Run(book, report) == 1);
    Check(book.Count() == report.nImported && book.Count() <= settings.nMaxEntries);
    for (const CData_DialName& e : book.m_List.Entries())
    {
        Check(!e.m_strName.empty() && e.m_strName.size() <= CData_DialName::NAME_MAX);
        Check(!e.m_strMsnExt.empty() && e.m_strMsnExt.size() <= CData_DialName::MSNEXT_MAX);
        for (const char ch : e.m_strName)
            Check(CData_CharSet::IsNameChar(static_cast<unsigned char>(ch)) != 0);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Tokenize(data, size);
    Import(data, size);
    return 0;
}
