// The simple and the extended text import: the entries they make, when they stop, and their
// report.

#include "phonebook/CImport_NameMsn.h"
#include "data/CData_AllDialName.h"
#include "phonebook/CImport_Report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace
{
// The phonebook as "name=number" in its order.
std::vector<std::string> Entries(const CData_AllDialName& book)
{
    std::vector<std::string> entries;
    for (const CData_DialName& e : book.m_List.Entries())
        entries.push_back(e.m_strName + "=" + e.m_strMsnExt);
    return entries;
}

struct CImportCase
{
    const char* pszWhat;
    bool bExtended;
    CImport_NameMsnExSettings settings; // for the simple import: name[0], number, prefix, limits
    std::string input;
    std::vector<std::string> entries; // in phonebook order
    int nSkipped;
    int nChanged;
};

void PrintTo(const CImportCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

CImport_NameMsnExSettings Settings(const char* pszPrefix, int nMaxEntries = 250, int nFirstLine = 0)
{
    CImport_NameMsnExSettings s;
    s.prefix = pszPrefix;
    s.nMaxEntries = nMaxEntries;
    s.nFirstLine = nFirstLine;
    return s;
}

// The number and the four name parts as column and token, 0-based (column -1: not used).
using CFields = std::vector<std::pair<int, int>>;
CImport_NameMsnExSettings Fields(const CFields& fields, int nPerRecord = 0)
{
    CImport_NameMsnExSettings s;
    s.number = {fields[0].first, fields[0].second};
    for (size_t i = 1; i < fields.size(); ++i)
        s.name[i - 1] = {fields[i].first, fields[i].second};
    s.nColumnsPerRecord = nPerRecord;
    return s;
}

class ImportText : public ::testing::TestWithParam<CImportCase>
{
};

TEST_P(ImportText, MakesTheEntriesAndCountsTheRest)
{
    const CImportCase& c = GetParam();
    CImport_NameMsnSettings simple;
    simple.prefix = c.settings.prefix;
    simple.nNameColumn = c.settings.name[0].nColumn;
    simple.nNumberColumn = c.settings.number.nColumn;
    simple.nFirstLine = c.settings.nFirstLine;
    simple.nMaxEntries = c.settings.nMaxEntries;
    const CImport_NameMsnExSettings settings = c.bExtended ? c.settings : CImport_NameMsn::Extended(simple);
    CImport_NameMsn import(settings, c.input.data(), c.input.size(), c.bExtended);
    CData_AllDialName book;
    CImport_Report report;
    EXPECT_EQ(1, import.Run(book, report));
    EXPECT_EQ(c.entries, Entries(book));
    EXPECT_EQ(static_cast<int>(c.entries.size()), report.nImported);
    EXPECT_EQ(c.nSkipped, report.nSkipped);
    EXPECT_EQ(c.nChanged, report.nChanged);
    for (int i = 0; i < book.Count(); ++i)
        EXPECT_EQ(i, book.Entry(i)->Number()) << "sorted and renumbered";
}

const CImport_NameMsnExSettings s_defaults;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Simple, ImportText, ::testing::Values(
    CImportCase{"surname TAB digits CR LF", false, s_defaults, "Meier\t0301234\r\n", {"Meier=0301234"}, 0, 0},
    CImportCase{"the prefix goes before the number", false, Settings("0"), "Meier\t301234\r\nAdam\t89\r\n",
                {"Adam=089", "Meier=0301234"}, 0, 0},
    CImportCase{"LF line ends give one entry per line", false, s_defaults, "b\t2\nc\t3\na\t1\n",
                {"a=1", "b=2", "c=3"}, 0, 0},
    CImportCase{"a last line without its end is imported", false, s_defaults, "b\t2\r\na\t1", {"a=1", "b=2"}, 0, 0},
    CImportCase{"maximum 1 stops after the first accepted row", false, Settings("", 1), "x\r\nb\t2\r\na\t1\r\n",
                {"b=2"}, 1, 0},
    CImportCase{"a single-column line gives no entry", false, s_defaults, "Meier\r\n", {}, 1, 0},
    CImportCase{"the first line skips a header; blank lines are no rows", false, Settings("", 250, 1),
                "Name\tNumber\r\n\r\nMeier\t1\r\n", {"Meier=1"}, 0, 0},
    CImportCase{"columns swapped, separators of the number dropped", false, Fields({{0, 0}, {2, 0}}),
                "030-1234\t\tMeier\r\n", {"Meier=0301234"}, 0, 1},
    CImportCase{"UTF-8 with its byte order mark", false, s_defaults, "\xEF\xBB\xBFM\xC3\xBCller\t0301\r\n",
                {"M\xFCller=0301"}, 0, 0},
    // Only what is lost from a name or number counts; the third column is not imported.
    CImportCase{"UTF-8 without the mark, a letter the code page lacks", false, s_defaults,
                "Z\xC5\x81ota\t0302\r\nM\xC3\xBCller\t0301\t\xE2\x98\xBA\r\n",
                {"M\xFCller=0301", "Zota=0302"}, 0, 1},
    CImportCase{"code page 1252 reads as it stands", false, s_defaults, "M\xFCller\t0301\r\n",
                {"M\xFCller=0301"}, 0, 0}));

INSTANTIATE_TEST_SUITE_P(Extended, ImportText, ::testing::Values(
    CImportCase{"three blank-separated words give the name", true, s_defaults, "Hans  Peter Meier\t089123\r\n",
                {"Hans Peter Meier=089123"}, 0, 0},
    CImportCase{"name parts from two columns", true, Fields({{2, 1}, {1, 0}, {0, 0}, {-1, 0}, {-1, 0}}),
                "Meier\tHans\tTel, 0301234\r\n", {"Hans Meier=0301234"}, 0, 0},
    CImportCase{"two records per line", true, Fields({{1, 0}, {0, 0}, {0, 1}}, 2), "a\t1\tb\t2\r\nc\t3\r\n",
                {"a=1", "b=2", "c=3"}, 0, 0},
    CImportCase{"a record cut short by the line's end", true, Fields({{2, 0}, {0, 0}}, 3), "a\tx\t1\tb\r\n",
                {"a=1"}, 1, 0}));
// clang-format on

TEST(ImportTextRun, CountsDuplicatesAndStopsWhenThePhonebookIsFull)
{
    CData_AllDialName book;
    for (int i = 0; i < CData_AllDialName::ENTRY_MAX - 2; ++i)
    {
        CData_DialName e(i);
        e.m_strName = "Name" + std::to_string(i);
        e.m_strMsnExt = std::to_string(100 + i);
        book.m_List.Append(e);
    }
    const std::string input = "Name0\t100\r\nNew\t1\r\nNewer\t2\r\nNewest\t3\r\n";
    CImport_NameMsn import(CImport_NameMsn::Extended(CImport_NameMsnSettings()), input.data(), input.size(),
                           false);
    CImport_Report report;
    import.Run(book, report);
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, book.Count());
    EXPECT_EQ(2, report.nImported);
    EXPECT_EQ(1, report.nDuplicates);
    EXPECT_TRUE(report.bFull);
    const std::string text = report.Text();
    EXPECT_NE(std::string::npos, text.find("imported: 2")) << text;
    EXPECT_NE(std::string::npos, text.find("full")) << text;
}

TEST(ImportTextRun, AFileThatCannotBeOpenedIsKnownBeforeTheRun)
{
    CImport_NameMsnSettings settings;
    settings.fileName = "/nonexistent/dir/names.txt";
    CImport_NameMsn import(settings);
    EXPECT_FALSE(import.IsOpen());
    CData_AllDialName book;
    CImport_Report report;
    EXPECT_EQ(0, import.Run(book, report));
    EXPECT_EQ(0, book.Count());
}
} // namespace
