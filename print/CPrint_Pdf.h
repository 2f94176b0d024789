#pragma once

// The printed output as a PDF file, for printing without a window (the command-line tool) and
// for looking at a print. A4 pages with the border a printer leaves unprinted, so that the label
// strips stand where a printer would put them. The file is replaced in one step: a print that
// fails leaves an older file as it was.

#include <functional>
#include <string>

class CData_All;
class QPagedPaintDevice;

class CPrint_Pdf
{
public:
    // Resolution of the PDF pages: the printers' usual one.
    static constexpr int DPI = 600;
    // The unprinted border, in millimetres.
    static constexpr double MARGIN_MM = 5.0;

    // Paints onto the pages of a new PDF file and gives the number of pages (0: nothing painted).
    using CPaint = std::function<int(QPagedPaintDevice& device)>;
    // 1 on success; 0 with the reason in error when the file could not be written or nothing was
    // painted (the file is then left as it was).
    static int Write(const std::string& path, const std::string& title, const CPaint& paint,
                     std::string& error);

    // The three prints; pnPages (optional) gets the number of pages written.
    static int WritePhonebook(const std::string& path, const CData_All& data, std::string& error,
                              int* pnPages = nullptr);
    static int WriteKeyLabels(const std::string& path, const CData_All& data, int nKeyCount,
                              std::string& error);
    static int WriteModuleLabels(const std::string& path, const CData_All& data, int nSlot,
                                 std::string& error);
};
