// The phonebook's page layout, measured by a rule of the test's own: every character is 10 pixels
// wide and a text takes 10 pixels per row it wraps into.

#include "print/CPrint_PhonebookLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr int CHAR_WIDTH = 10;
constexpr int ROW_HEIGHT = 10;
constexpr int LEADING = 2;

int Measure(const std::string& text, int nWidth)
{
    const int nPerRow = nWidth / CHAR_WIDTH;
    const int nChars = static_cast<int>(text.size());
    return ROW_HEIGHT * (nChars == 0 ? 1 : (nChars + nPerRow - 1) / nPerRow);
}

// A page of 1100 pixels at 100 per inch: lines may start above 1075. The header's lines end at
// 10 + 25 + 10 = 45, so the first line starts a sixteenth of an inch lower, at 51; lines follow
// every 12 pixels: 86 of them (tops 51 to 1071) fit on a page.
CPrint_PhonebookLayout Layout(const std::vector<std::string>& lines)
{
    CPrint_PageMetrics page;
    page.nWidth = 800;
    page.nHeight = 1100;
    page.nDpiX = 100;
    page.nDpiY = 100;
    CPrint_FontHeights fonts;
    fonts.nHeading = 10;
    fonts.nColumnTitle = 10;
    fonts.nExternalLeading = LEADING;
    CPrint_PhonebookLayout layout(page, fonts);
    layout.Layout(lines, Measure);
    return layout;
}

std::vector<std::string> Entries(int nCount)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= nCount; ++i)
        lines.push_back(
            CPrint_PhonebookLayout::PrintLine(i, "Name " + std::to_string(i), "0301" + std::to_string(i)));
    return lines;
}

// The line indexes of a page.
std::vector<int> Indexes(const CPrint_PhonebookLayout::CPage& page)
{
    std::vector<int> indexes;
    for (const CPrint_PhonebookLayout::CLine& line : page)
        indexes.push_back(line.nLine);
    return indexes;
}

struct CLineCase
{
    int nNumber;
    const char* pszName;
    const char* pszNumber;
    const char* pszLine;
};

class PrintLine : public ::testing::TestWithParam<CLineCase>
{
};

TEST_P(PrintLine, NumberThreeBlanksNameTabNumber)
{
    const CLineCase& c = GetParam();
    EXPECT_EQ(c.pszLine, CPrint_PhonebookLayout::PrintLine(c.nNumber, c.pszName, c.pszNumber));
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintLine,
                         ::testing::Values(CLineCase{7, "Anna", "0301234", "007   Anna\t0301234"},
                                           CLineCase{250, "Zorro", "555", "250   Zorro\t555"},
                                           CLineCase{1, "", "", "001   \t"}));

TEST(PrintLayout, TwoHundredFiftyLinesFillThreePagesInOrder)
{
    const CPrint_PhonebookLayout layout = Layout(Entries(250));
    ASSERT_EQ(3, layout.PageCount());
    EXPECT_EQ(86u, layout.Page(1).size());
    EXPECT_EQ(86u, layout.Page(2).size());
    EXPECT_EQ(78u, layout.Page(3).size());
    int nNext = 0;
    for (int nPage = 1; nPage <= layout.PageCount(); ++nPage)
    {
        const CPrint_PhonebookLayout::CPage& page = layout.Page(nPage);
        EXPECT_EQ(51, page.front().nTop) << "page " << nPage;
        EXPECT_LT(layout.Header().nRule2Y, page.front().nTop) << "the entries start below the header";
        for (const CPrint_PhonebookLayout::CLine& line : page)
        {
            EXPECT_EQ(nNext++, line.nLine);
            EXPECT_LT(line.nTop, 1075);
        }
    }
    EXPECT_EQ(1071, layout.Page(1).back().nTop);
    EXPECT_TRUE(layout.Page(4).empty());
    EXPECT_TRUE(layout.Page(0).empty());
}

TEST(PrintLayout, LongNameWrapsAndPushesTheNextEntriesDown)
{
    std::vector<std::string> lines = Entries(5);
    // The name column holds 29 characters (from 50 to 355 less the gap of 6).
    lines[2] = CPrint_PhonebookLayout::PrintLine(3, std::string(28, 'W'), "0301");
    const CPrint_PhonebookLayout layout = Layout(lines);
    const CPrint_PhonebookLayout::CPage& page = layout.Page(1);
    ASSERT_EQ(5u, page.size());
    EXPECT_EQ(10, page[1].nHeight);
    EXPECT_EQ(20, page[2].nHeight);
    EXPECT_EQ(page[2].nTop + 20 + LEADING, page[3].nTop);
    EXPECT_EQ(page[3].nTop + 10 + LEADING, page[4].nTop);
}

TEST(PrintLayout, LineThatWouldRunOffThePageStartsTheNext)
{
    // Line 85 would start at 1071, above the usable height, but three rows would end at 1101,
    // beyond the page.
    std::vector<std::string> lines = Entries(90);
    lines[85] = CPrint_PhonebookLayout::PrintLine(86, std::string(60, 'W'), "0301");
    const CPrint_PhonebookLayout layout = Layout(lines);
    ASSERT_EQ(2, layout.PageCount());
    EXPECT_EQ(85u, layout.Page(1).size());
    EXPECT_EQ(85, layout.Page(2).front().nLine);
    EXPECT_EQ(51, layout.Page(2).front().nTop);
}

TEST(PrintLayout, EmptyPhonebookGivesOnePageWithItsHeader)
{
    const CPrint_PhonebookLayout layout = Layout({});
    EXPECT_EQ(1, layout.PageCount());
    EXPECT_TRUE(layout.Page(1).empty());
}

TEST(PrintLayout, LineTallerThanAPageStillGetsAPageOfItsOwn)
{
    std::vector<std::string> lines = Entries(3);
    lines[1] = CPrint_PhonebookLayout::PrintLine(2, std::string(5000, 'W'), "1");
    const CPrint_PhonebookLayout layout = Layout(lines);
    ASSERT_EQ(3, layout.PageCount());
    EXPECT_EQ(std::vector<int>{0}, Indexes(layout.Page(1)));
    EXPECT_EQ(std::vector<int>{1}, Indexes(layout.Page(2)));
    EXPECT_EQ(std::vector<int>{2}, Indexes(layout.Page(3)));
}
} // namespace
