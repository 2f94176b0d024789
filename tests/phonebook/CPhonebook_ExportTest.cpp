// The export file read back by the simple import, a file that cannot be written, and the debug
// fill.

#include "phonebook/CPhonebook_Export.h"
#include "data/CData_AllDialName.h"
#include "phonebook/CImport_NameMsn.h"
#include "phonebook/CImport_Report.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(PhonebookExport, SimpleImportReadsTheSameNamesAndNumbersBack)
{
    CData_AllDialName book;
    const char* const entries[][2] = {{"M\xFC"
                                       "ller, Hans",
                                       "0301234"},
                                      {"#1 Taxi + Co.", "*31#0891"},
                                      {"Zoe", "5"}};
    for (const auto& pair : entries)
    {
        CData_DialName e(book.Count());
        e.m_strName = pair[0];
        e.m_strMsnExt = pair[1];
        book.m_List.Append(e);
    }
    book.Sort();
    CTest_TempDir dir;
    std::string reason;
    ASSERT_EQ(1, CPhonebook_Export::Export(book, dir.File("book.txt"), reason)) << reason;
    const std::string text = TestReadFile(dir.File("book.txt"));
    EXPECT_EQ("#1 Taxi + Co.\t*31#0891\r\nM\xFCller, Hans\t0301234\r\nZoe\t5\r\n", text);

    CImport_NameMsnSettings settings;
    settings.fileName = dir.File("book.txt");
    CImport_NameMsn import(settings);
    CData_AllDialName back;
    CImport_Report report;
    ASSERT_EQ(1, import.Run(back, report));
    EXPECT_EQ(CPhonebook_Export::ExportText(book), CPhonebook_Export::ExportText(back));
    EXPECT_EQ(0, report.nChanged);

    EXPECT_EQ("", CPhonebook_Export::ExportText(CData_AllDialName()));
    // An export that cannot be written says so, with its reason, and leaves the old file.
    EXPECT_EQ(0, CPhonebook_Export::Export(book, dir.File("missing/book.txt"), reason));
    EXPECT_FALSE(reason.empty());
    const std::string message = CPhonebook_Export::FailureText(dir.File("missing/book.txt"), reason);
    EXPECT_NE(std::string::npos, message.find("missing/book.txt")) << message;
    EXPECT_NE(std::string::npos, message.find(reason)) << message;
}

TEST(PhonebookExport, DebugFillNamesEveryEntryAfterItsIndex)
{
    CData_AllDialName book;
    CPhonebook_Export::DebugFill(book);
    ASSERT_EQ(CData_AllDialName::ENTRY_MAX, book.Count());
    EXPECT_EQ("AA TestName 0000", book.Entry(0)->m_strName);
    EXPECT_EQ("000000000000000000000000", book.Entry(0)->m_strMsnExt);
    bool bFound = false;
    for (const CData_DialName& e : book.m_List.Entries())
    {
        if (e.m_strName == "BB TestName 0053")
        {
            bFound = true;
            EXPECT_EQ("005300000000000000000000", e.m_strMsnExt);
        }
    }
    EXPECT_TRUE(bFound);
}
} // namespace
