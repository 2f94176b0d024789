#pragma once

// Page layout of the printed phonebook: which print line goes to which page and where, in the
// printer's pixels. Measuring text is the caller's (the painter measures with the printer's
// fonts, the tests with rules of their own), so the layout is computed and tested without a
// printer.
//
// Every page carries a header (program title and "Seite %d", a line, the column titles, a line)
// and then the lines from where the previous page stopped. A line is split at its tab: the
// running number and the name start half an inch from the left, the number at 4/9 of the page
// width; both parts wrap within their column, and the taller one gives the line's height.

#include <functional>
#include <string>
#include <vector>

class CData_AllDialName;

// The printable area of a page and the printer's resolution.
struct CPrint_PageMetrics
{
    int nWidth = 0;  // pixels
    int nHeight = 0; // pixels
    int nDpiX = 0;   // pixels per inch
    int nDpiY = 0;
};

// Heights of the header's texts and the line spacing of the text font, as measured for the
// printer.
struct CPrint_FontHeights
{
    int nHeading = 0;         // the heading font's line height
    int nColumnTitle = 0;     // the column-title font's line height
    int nExternalLeading = 0; // the text font's spacing between lines
};

class CPrint_PhonebookLayout
{
public:
    // Height of a text wrapped into a column of the given width, in pixels.
    using CMeasure = std::function<int(const std::string& text, int nWidth)>;

    struct CLine
    {
        int nLine = 0;   // index into the print lines
        int nTop = 0;    // pixels from the top of the printable area
        int nHeight = 0; // the taller of its two parts
    };
    using CPage = std::vector<CLine>;

    // Where the header's pieces stand on every page.
    struct CHeader
    {
        int nTitleLeft = 0;       // the title, at the top
        int nPageRight = 0;       // right edge of "Seite %d", at the top
        int nRule1Y = 0;          // the line under the header text, across the whole width
        int nColumnTop = 0;       // the column titles
        int anColumnLeft[3] = {}; // number, name, telephone number
        int nRule2Left = 0;       // the line under the column titles, to the right edge
        int nRule2Y = 0;
    };

    CPrint_PhonebookLayout(const CPrint_PageMetrics& page, const CPrint_FontHeights& fonts);

    // Lays out all lines; the pages before one that is printed are laid out as well, so that
    // every page starts with the right line. An empty list still gives one page (the header).
    void Layout(const std::vector<std::string>& lines, const CMeasure& measure);

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // Page n from 1; an empty page for any other n.
    const CPage& Page(int nPage) const;
    const CHeader& Header() const { return m_header; }

    // Lines are placed while their top stays above this: the page height less a quarter inch.
    int UsableHeight() const { return m_nUsableHeight; }
    int FirstLineTop() const { return m_nFirstLineTop; }
    // The two columns of a line.
    int NameLeft() const { return m_nNameLeft; }
    int NameWidth() const { return m_nNumberLeft - m_nNameLeft - m_nColumnGap; }
    int NumberLeft() const { return m_nNumberLeft; }
    int NumberWidth() const { return m_page.nWidth - m_nNumberLeft; }

    // "%03d   " with the running number (from 1), the name, a tab and the number.
    static std::string PrintLine(int nNumber, const std::string& name, const std::string& number);
    // The print lines of a phonebook in its order.
    static std::vector<std::string> PrintLines(const CData_AllDialName& dialName);
    // The parts before and after the first tab (the whole line and nothing without one).
    static void SplitLine(const std::string& line, std::string& left, std::string& right);

    // "Seite %d"
    static std::string PageText(int nPage);

private:
    CPrint_PageMetrics m_page;
    CPrint_FontHeights m_fonts;
    CHeader m_header;
    int m_nUsableHeight = 0;
    int m_nFirstLineTop = 0;
    int m_nNameLeft = 0;
    int m_nNumberLeft = 0;
    int m_nColumnGap = 0;
    std::vector<CPage> m_pages;
};
