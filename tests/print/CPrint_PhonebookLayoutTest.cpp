// The phonebook's page layout, measured by a rule of the test's own: every character is 10 pixels
// wide and a text takes 10 pixels per row it wraps into.

#include "print/CPrint_PhonebookLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
int Measure(const std::string& text, int nWidth)
{
    const int nPerRow = nWidth / 10;
    const int nChars = static_cast<int>(text.size());
    return 10 * (nChars == 0 ? 1 : (nChars + nPerRow - 1) / nPerRow);
}

// A page of 800 x 1100 pixels at 100 per inch: lines may start above 1075. The header's lines end
// at 10 + 25 + 10 = 45, so the first line starts a sixteenth of an inch lower, at 51; lines follow
// every 12 pixels (10 and a leading of 2): 86 of them (tops 51 to 1071) fit on a page. The name
// column runs from 50 to 355 less a gap of 6: 29 characters.
CPrint_PhonebookLayout Layout(const std::vector<std::string>& lines)
{
    CPrint_PhonebookLayout layout({800, 1100, 100, 100}, {10, 10, 2});
    layout.Layout(lines, Measure);
    return layout;
}

std::vector<std::string> Entries(int nCount)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= nCount; ++i)
        lines.push_back(CPrint_PhonebookLayout::PrintLine(i, "Name " + std::to_string(i), "0301"));
    return lines;
}

TEST(PrintLayout, LineIsNumberThreeBlanksNameTabNumber)
{
    EXPECT_EQ("007   Anna\t0301234", CPrint_PhonebookLayout::PrintLine(7, "Anna", "0301234"));
    EXPECT_EQ("250   Zorro\t555", CPrint_PhonebookLayout::PrintLine(250, "Zorro", "555"));
    EXPECT_EQ("001   \t", CPrint_PhonebookLayout::PrintLine(1, "", ""));
}

TEST(PrintLayout, TwoHundredFiftyLinesFillThreePagesInOrder)
{
    const CPrint_PhonebookLayout layout = Layout(Entries(250));
    ASSERT_EQ(3, layout.PageCount());
    EXPECT_EQ(86u, layout.Page(1).size());
    EXPECT_EQ(86u, layout.Page(2).size());
    EXPECT_EQ(78u, layout.Page(3).size());
    EXPECT_EQ(1071, layout.Page(1).back().nTop);
    int nNext = 0;
    for (int nPage = 1; nPage <= 3; ++nPage)
    {
        EXPECT_EQ(51, layout.Page(nPage).front().nTop) << "page " << nPage;
        for (const CPrint_PhonebookLayout::CLine& line : layout.Page(nPage))
            EXPECT_EQ(nNext++, line.nLine);
    }
}

TEST(PrintLayout, LongNameWrapsAndPushesTheNextEntriesDown)
{
    std::vector<std::string> lines = Entries(4);
    lines[2] = CPrint_PhonebookLayout::PrintLine(3, std::string(28, 'W'), "0301");
    const CPrint_PhonebookLayout::CPage page = Layout(lines).Page(1);
    ASSERT_EQ(4u, page.size());
    EXPECT_EQ(10, page[1].nHeight);
    EXPECT_EQ(20, page[2].nHeight);
    EXPECT_EQ(page[2].nTop + 22, page[3].nTop);
}

TEST(PrintLayout, LineThatWouldRunOffThePageStartsTheNext)
{
    // Line 85 starts at 1071, above the usable height, but its three rows would end at 1101.
    std::vector<std::string> lines = Entries(90);
    lines[85] = CPrint_PhonebookLayout::PrintLine(86, std::string(60, 'W'), "0301");
    const CPrint_PhonebookLayout layout = Layout(lines);
    ASSERT_EQ(2, layout.PageCount());
    EXPECT_EQ(85u, layout.Page(1).size());
    EXPECT_EQ(85, layout.Page(2).front().nLine);
}

TEST(PrintLayout, EveryLineGetsAPageEvenWithoutRoom)
{
    EXPECT_EQ(1, Layout({}).PageCount()) << "the header alone";
    // A line taller than a page gets a page of its own; the lines around it are not lost.
    std::vector<std::string> lines = Entries(3);
    lines[1] = CPrint_PhonebookLayout::PrintLine(2, std::string(5000, 'W'), "1");
    const CPrint_PhonebookLayout layout = Layout(lines);
    ASSERT_EQ(3, layout.PageCount());
    for (int nPage = 1; nPage <= 3; ++nPage)
    {
        ASSERT_EQ(1u, layout.Page(nPage).size());
        EXPECT_EQ(nPage - 1, layout.Page(nPage).front().nLine);
    }
}
} // namespace
