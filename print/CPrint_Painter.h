#pragma once

// Painting of the printed output on any paged device (the program's printer, the tool's PDF
// files): the phonebook list page by page after CPrint_PhonebookLayout, the label sheets after
// CPrint_LabelSheet. The fonts are made for the device at the start of a job, as the printer's
// fonts always were: a height of points x pixels per inch / 72.

#include "print/CPrint_PhonebookLayout.h"

#include <QFont>

#include <string>
#include <vector>

class CData_AllDialName;
class CPrint_LabelSheet;
class QPagedPaintDevice;
class QPaintDevice;

class CPrint_Painter
{
public:
    // The three fonts of the phonebook list.
    enum EFont
    {
        FONT_HEADING,      // "Times New Roman", 10 points, bold
        FONT_TEXT,         // "Arial", 10 points, normal
        FONT_COLUMN_TITLE, // "Arial", 8 points, bold
    };
    static QFont PhonebookFont(EFont font, int nDpiY);
    // The label font in the sheets' units (0.1 mm).
    static QFont LabelFont();
    // a x b / c rounded to the nearest, halves away from zero; 0 when c is 0 (the platform's MulDiv
    // gives -1 there, which no font height can use).
    static int MulDiv(int a, int b, int c);

    // The printable area and resolution of a device.
    static CPrint_PageMetrics Metrics(const QPaintDevice& device);
    // The layout of the phonebook lines for a device, measured with its fonts.
    static CPrint_PhonebookLayout Layout(const QPaintDevice& device, const std::vector<std::string>& lines);

    // Prints the phonebook list: pages nFromPage to nToPage (from 1; 0 for either end: the first
    // or the last page). Gives the number of pages of the whole list (at least 1: a header
    // without lines), or 0 when the device could not be painted on or the range holds no page.
    static int PaintPhonebook(QPagedPaintDevice& device, const CData_AllDialName& dialName, int nFromPage = 0,
                              int nToPage = 0);
    // Prints a label sheet on one page. 1 on success, 0 when the device could not be painted on.
    static int PaintLabelSheet(QPagedPaintDevice& device, const CPrint_LabelSheet& sheet);

    // The program's title on the list's pages: the first line of string 110 (IDR_MAINFRAME).
    static std::string ProgramTitle();
};
