#pragma once

// Page layout of the label sheets: the strip of the telephone's function keys and the strips of
// a key-extension module, cut out and slid under the keys' clear covers. A sheet is a list of
// shapes in 0.1 mm from the top-left corner of the printable area (x to the right, y downwards);
// the painter draws them on any page, the tests read them.

#include <string>
#include <vector>

class CData_All;

struct CPrint_Shape
{
    enum EKind
    {
        SHAPE_RECT, // filled white, outlined with the pen
        SHAPE_LINE,
        SHAPE_TEXT, // text with its top-left corner at (x1, y1)
    };
    EKind kind = SHAPE_LINE;
    int nX1 = 0;
    int nY1 = 0;
    int nX2 = 0;
    int nY2 = 0;
    int nPen = 0;        // pen width in 0.1 mm
    unsigned nColor = 0; // 0xRRGGBB of the pen
    std::string text;    // code page 1252
};

class CPrint_LabelSheet
{
public:
    // The sheets are drawn in 0.1 mm, 254 units to the inch.
    static constexpr int UNITS_PER_INCH = 254;
    // The label font: "Arial", 9 points, normal weight.
    static const char* const FONT_FACE;
    static constexpr int FONT_POINTS = 9;
    static constexpr unsigned COLOR_BLACK = 0x000000;
    static constexpr unsigned COLOR_GREY = 0xA0A0A0;

    // Label cells of the key strip and of one module strip.
    static constexpr int KEY_CELLS = 5;
    static constexpr int MODULE_CELLS = 10;

    // The key strip: title (string 284 and the first MSN's number), five cells; cell i holds key i
    // on its upper line and key nKeyCount / 2 + i (the second level) on its lower line.
    static CPrint_LabelSheet KeySheet(const CData_All& data, int nKeyCount);
    // The strips of the module in slot nSlot (1 to 3): one strip of ten cells, and a second one
    // when the slot holds an "E920". Strip s, cell i holds the module's first-level key 10 s + i
    // on its upper line and the second-level key below it on its lower line. A slot outside 1 to
    // 3 gives an empty sheet.
    static CPrint_LabelSheet ModuleSheet(const CData_All& data, int nSlot);

    const std::vector<CPrint_Shape>& Shapes() const { return m_shapes; }
    bool IsEmpty() const { return m_shapes.empty(); }

private:
    void Rect(int nX1, int nY1, int nX2, int nY2);
    void Line(int nX1, int nY1, int nX2, int nY2, int nPen = PEN, unsigned nColor = COLOR_BLACK);
    void Text(int nX, int nY, const std::string& text);

    // Outline and lines of the sheets.
    static constexpr int PEN = 2;

    std::vector<CPrint_Shape> m_shapes;
};
