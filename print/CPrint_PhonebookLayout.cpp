#include "print/CPrint_PhonebookLayout.h"

#include "data/CData_AllDialName.h"

#include <algorithm>
#include <cstdio>

namespace
{
// The number column starts at 4/9 of the page width, written as the decimal the layout was
// drawn up with.
constexpr double NUMBER_COLUMN = 0.4444444444444444;
// Right edge of "Seite %d": this many pixels before the right edge of the drawing area.
constexpr int PAGE_TEXT_INSET = 20;
// The header's lines take more than half an inch on printers whose fonts are large; the first
// entry then starts this part of an inch below the lower line, so that nothing overlaps.
constexpr int HEADER_GAP_PER_INCH = 16;
// A wrapped name stays clear of the number column by this part of an inch.
constexpr int COLUMN_GAP_PER_INCH = 16;
} // namespace

CPrint_PhonebookLayout::CPrint_PhonebookLayout(const CPrint_PageMetrics& page,
                                               const CPrint_FontHeights& fonts)
    : m_page(page), m_fonts(fonts)
{
    m_header.nTitleLeft = page.nDpiX / 3;
    m_header.nPageRight = page.nWidth - PAGE_TEXT_INSET;
    m_header.nRule1Y = fonts.nHeading;
    // A quarter of a horizontal inch below the line, as the header was always measured.
    m_header.nColumnTop = m_header.nRule1Y + page.nDpiX / 4;
    m_header.anColumnLeft[0] = page.nDpiX / 3;
    m_header.anColumnLeft[1] = page.nWidth / 10;
    m_header.anColumnLeft[2] = static_cast<int>(page.nWidth * NUMBER_COLUMN);
    m_header.nRule2Left = page.nDpiX / 3;
    m_header.nRule2Y = m_header.nColumnTop + fonts.nColumnTitle;

    m_nUsableHeight = page.nHeight - page.nDpiY / 4;
    m_nFirstLineTop = std::max(page.nDpiY / 2, m_header.nRule2Y + page.nDpiY / HEADER_GAP_PER_INCH);
    // Half an inch, measured with the vertical resolution as the layout always was.
    m_nNameLeft = page.nDpiY / 2;
    m_nNumberLeft = m_header.anColumnLeft[2];
    m_nColumnGap = page.nDpiX / COLUMN_GAP_PER_INCH;
}

void CPrint_PhonebookLayout::Layout(const std::vector<std::string>& lines, const CMeasure& measure)
{
    m_pages.clear();
    CPage page;
    int nTop = m_nFirstLineTop;
    const int nNameWidth = std::max(1, NameWidth());
    const int nNumberWidth = std::max(1, NumberWidth());
    for (size_t i = 0; i < lines.size(); ++i)
    {
        std::string left;
        std::string right;
        SplitLine(lines[i], left, right);
        const int nHeight = std::max({1, measure(left, nNameWidth), measure(right, nNumberWidth)});
        // The page is full when the line's top reaches the usable height. A line that starts above
        // it but would run off the printable area goes to the next page as well; the first line of
        // a page always stays, so that every line is printed somewhere.
        if (!page.empty() && (nTop >= m_nUsableHeight || nTop + nHeight > m_page.nHeight))
        {
            m_pages.push_back(std::move(page));
            page.clear();
            nTop = m_nFirstLineTop;
        }
        page.push_back({static_cast<int>(i), nTop, nHeight});
        nTop += nHeight + m_fonts.nExternalLeading;
    }
    m_pages.push_back(std::move(page));
}

const CPrint_PhonebookLayout::CPage& CPrint_PhonebookLayout::Page(int nPage) const
{
    static const CPage s_none;
    if (nPage < 1 || nPage > PageCount())
        return s_none;
    return m_pages[static_cast<size_t>(nPage - 1)];
}

std::string CPrint_PhonebookLayout::PrintLine(int nNumber, const std::string& name, const std::string& number)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, "%03d   ", nNumber);
    return sz + name + "\t" + number;
}

std::vector<std::string> CPrint_PhonebookLayout::PrintLines(const CData_AllDialName& dialName)
{
    std::vector<std::string> lines;
    for (int i = 0; i < dialName.Count(); ++i)
    {
        const CData_DialName* pEntry = dialName.Entry(i);
        if (pEntry)
            lines.push_back(PrintLine(i + 1, pEntry->m_strName, pEntry->m_strMsnExt));
    }
    return lines;
}

void CPrint_PhonebookLayout::SplitLine(const std::string& line, std::string& left, std::string& right)
{
    const size_t nTab = line.find('\t');
    left = line.substr(0, nTab);
    right = nTab == std::string::npos ? std::string() : line.substr(nTab + 1);
}

std::string CPrint_PhonebookLayout::PageText(int nPage)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, "Seite %d", nPage);
    return sz;
}
