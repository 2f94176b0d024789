#include "print/CPrint_Painter.h"

#include "data/CData_AllDialName.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_CodePage.h"
#include "print/CPrint_LabelSheet.h"
#include "support/Trace.h"

#include <QColor>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <climits>
#include <cstdlib>

namespace
{
const char s_szClass[] = "View";

// IDR_MAINFRAME (the title up to its first line end) and the column titles IDS_STR_DIALNAME_ID,
// IDS_STR_DIALNAME_NAME and IDS_STR_DIALNAME_MSN.
constexpr unsigned TEXT_MAINFRAME = 110;
constexpr unsigned TEXT_COLUMN[3] = {290, 292, 291};

struct CFontRow
{
    const char* pszFace;
    int nPoints;
    QFont::Weight weight;
    QFont::StyleHint hint;
};
const CFontRow s_fonts[] = {
    {"Times New Roman", 10, QFont::Bold, QFont::Serif},
    {"Arial", 10, QFont::Normal, QFont::SansSerif},
    {"Arial", 8, QFont::Bold, QFont::SansSerif},
};

constexpr int POINTS_PER_INCH = 72;
// Wrapping and tab expansion of the list's lines.
constexpr int LINE_FLAGS = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
// Single texts that must not be clipped (header, labels).
constexpr int TEXT_FLAGS = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

QString Q(const std::string& bytes)
{
    return CPlatform_CodePage::ToQString(bytes);
}

QFont MakeFont(const char* pszFace, int nPixels, QFont::Weight weight, QFont::StyleHint hint)
{
    QFont font(QString::fromLatin1(pszFace));
    font.setStyleHint(hint, QFont::PreferQuality);
    font.setPixelSize(nPixels > 0 ? nPixels : 1);
    font.setWeight(weight);
    return font;
}

int MeasureHeight(const QFontMetrics& metrics, const std::string& text, int nWidth)
{
    return metrics.boundingRect(QRect(0, 0, nWidth, INT_MAX / 2), LINE_FLAGS, Q(text)).height();
}

void PaintHeader(QPainter& painter, const CPrint_PhonebookLayout& layout, const CPrint_PageMetrics& page,
                 int nPage, int nDpiY)
{
    const CPrint_PhonebookLayout::CHeader& h = layout.Header();
    painter.setPen(QPen(Qt::black, 0));
    painter.setFont(CPrint_Painter::PhonebookFont(CPrint_Painter::FONT_HEADING, nDpiY));
    painter.drawText(QRect(h.nTitleLeft, 0, page.nWidth, h.nRule1Y), TEXT_FLAGS,
                     Q(CPrint_Painter::ProgramTitle()));
    painter.drawText(QRect(0, 0, h.nPageRight, h.nRule1Y), (TEXT_FLAGS & ~Qt::AlignLeft) | Qt::AlignRight,
                     Q(CPrint_PhonebookLayout::PageText(nPage)));
    painter.drawLine(0, h.nRule1Y, page.nWidth, h.nRule1Y);
    painter.setFont(CPrint_Painter::PhonebookFont(CPrint_Painter::FONT_COLUMN_TITLE, nDpiY));
    for (int i = 0; i < 3; ++i)
        painter.drawText(QRect(h.anColumnLeft[i], h.nColumnTop, page.nWidth, h.nRule2Y - h.nColumnTop),
                         TEXT_FLAGS, Q(CData_UiText(TEXT_COLUMN[i])));
    painter.drawLine(h.nRule2Left, h.nRule2Y, page.nWidth, h.nRule2Y);
}
} // namespace

int CPrint_Painter::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const long long nProduct = static_cast<long long>(a) * b;
    const long long nHalf = std::llabs(static_cast<long long>(c)) / 2;
    const bool bNegative = (nProduct < 0) != (c < 0);
    const long long nQuotient = (std::llabs(nProduct) + nHalf) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(bNegative ? -nQuotient : nQuotient);
}

QFont CPrint_Painter::PhonebookFont(EFont font, int nDpiY)
{
    const CFontRow& row = s_fonts[font];
    return MakeFont(row.pszFace, MulDiv(row.nPoints, nDpiY, POINTS_PER_INCH), row.weight, row.hint);
}

QFont CPrint_Painter::LabelFont()
{
    return MakeFont(
        CPrint_LabelSheet::FONT_FACE,
        MulDiv(CPrint_LabelSheet::FONT_POINTS, CPrint_LabelSheet::UNITS_PER_INCH, POINTS_PER_INCH),
        QFont::Normal, QFont::SansSerif);
}

CPrint_PageMetrics CPrint_Painter::Metrics(const QPaintDevice& device)
{
    CPrint_PageMetrics page;
    page.nWidth = device.width();
    page.nHeight = device.height();
    page.nDpiX = device.logicalDpiX();
    page.nDpiY = device.logicalDpiY();
    return page;
}

CPrint_PhonebookLayout CPrint_Painter::Layout(const QPaintDevice& device,
                                              const std::vector<std::string>& lines)
{
    const CPrint_PageMetrics page = Metrics(device);
    // Fonts for the device itself, so that the measures are the printer's and not the screen's.
    const QPaintDevice* pDevice = &device;
    const QFontMetrics heading(PhonebookFont(FONT_HEADING, page.nDpiY), pDevice);
    const QFontMetrics text(PhonebookFont(FONT_TEXT, page.nDpiY), pDevice);
    const QFontMetrics column(PhonebookFont(FONT_COLUMN_TITLE, page.nDpiY), pDevice);
    CPrint_FontHeights fonts;
    fonts.nHeading = heading.height();
    fonts.nColumnTitle = column.height();
    fonts.nExternalLeading = text.leading() > 0 ? text.leading() : 0;
    CPrint_PhonebookLayout layout(page, fonts);
    layout.Layout(lines,
                  [&text](const std::string& part, int nWidth) { return MeasureHeight(text, part, nWidth); });
    return layout;
}

int CPrint_Painter::PaintPhonebook(QPagedPaintDevice& device, const CData_AllDialName& dialName,
                                   int nFromPage, int nToPage)
{
    const std::vector<std::string> lines = CPrint_PhonebookLayout::PrintLines(dialName);
    const CPrint_PhonebookLayout layout = Layout(device, lines);
    const CPrint_PageMetrics page = Metrics(device);
    const int nFirst = nFromPage > 0 ? nFromPage : 1;
    const int nLast = nToPage > 0 && nToPage < layout.PageCount() ? nToPage : layout.PageCount();
    // A range beyond the list would start a job of one blank page.
    if (nFirst > nLast)
        return 0;

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QFont textFont = PhonebookFont(FONT_TEXT, page.nDpiY);
    bool bFirst = true;
    for (int nPage = nFirst; nPage <= nLast; ++nPage)
    {
        TraceLine(s_szClass, "OnPrint()");
        if (!bFirst && !device.newPage())
        {
            painter.end();
            return 0;
        }
        bFirst = false;
        PaintHeader(painter, layout, page, nPage, page.nDpiY);
        painter.setFont(textFont);
        for (const CPrint_PhonebookLayout::CLine& line : layout.Page(nPage))
        {
            std::string left;
            std::string right;
            CPrint_PhonebookLayout::SplitLine(lines[static_cast<size_t>(line.nLine)], left, right);
            painter.drawText(QRect(layout.NameLeft(), line.nTop, layout.NameWidth(), line.nHeight),
                             LINE_FLAGS, Q(left));
            painter.drawText(QRect(layout.NumberLeft(), line.nTop, layout.NumberWidth(), line.nHeight),
                             LINE_FLAGS, Q(right));
        }
    }
    if (!painter.end())
        return 0;
    return layout.PageCount();
}

int CPrint_Painter::PaintLabelSheet(QPagedPaintDevice& device, const CPrint_LabelSheet& sheet)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    // 0.1 mm per unit from the top-left corner of the printable area.
    painter.scale(static_cast<double>(device.logicalDpiX()) / CPrint_LabelSheet::UNITS_PER_INCH,
                  static_cast<double>(device.logicalDpiY()) / CPrint_LabelSheet::UNITS_PER_INCH);
    painter.setFont(LabelFont());
    for (const CPrint_Shape& shape : sheet.Shapes())
    {
        const QColor color(static_cast<int>((shape.nColor >> 16) & 0xFF),
                           static_cast<int>((shape.nColor >> 8) & 0xFF),
                           static_cast<int>(shape.nColor & 0xFF));
        painter.setPen(QPen(color, shape.nPen));
        switch (shape.kind)
        {
        case CPrint_Shape::SHAPE_RECT:
            painter.setBrush(Qt::white);
            painter.drawRect(QRect(QPoint(shape.nX1, shape.nY1), QPoint(shape.nX2, shape.nY2)));
            painter.setBrush(Qt::NoBrush);
            break;
        case CPrint_Shape::SHAPE_LINE:
            painter.drawLine(shape.nX1, shape.nY1, shape.nX2, shape.nY2);
            break;
        case CPrint_Shape::SHAPE_TEXT:
            painter.drawText(QRect(shape.nX1, shape.nY1, 0, 0), TEXT_FLAGS, Q(shape.text));
            break;
        }
    }
    return painter.end() ? 1 : 0;
}

std::string CPrint_Painter::ProgramTitle()
{
    const std::string text = CData_UiText(TEXT_MAINFRAME);
    return text.substr(0, text.find('\n'));
}
