#pragma once

// The print commands of the program: the phonebook list (print, print preview, print setup of the
// view) and the label sheets of the function keys and of a key-extension module. Each shows the
// platform's dialog and paints through print/ on the chosen printer; the printer and its settings
// last for the whole run, as the framework's printer defaults do.
//
// The phonebook list has pages only in the phonebook role; in the configuration role a print job
// of the view has no pages (nothing is sent to the printer, the preview stays empty).

#include <memory>

class CApp;
class CData_All;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

class CUi_Print
{
public:
    // ID_FILE_PRINT: the print dialog (all pages or a range), then the pages of the range. 1 when
    // pages were printed, 0 on Cancel, without pages or when the job could not be started.
    static int PrintPhonebook(QWidget* pParent, CApp& app);
    // ID_FILE_PRINT_PREVIEW: the pages in the preview dialog, from which they can be printed.
    static int PrintPreview(QWidget* pParent, CApp& app);
    // ID_FILE_PRINT_SETUP: paper and orientation of the printer the next jobs use. 1 on OK.
    static int PrintSetup(QWidget* pParent);

    // Button 9126 of the function-key page: the print dialog (whole document only), then the key
    // label sheet of data on one page. 1 when it was printed.
    static int PrintKeyLabels(QWidget* pParent, const CData_All& data);
    // Button 9126 of a module page: the same for the module in slot nSlot (1 to 3).
    static int PrintModuleLabels(QWidget* pParent, const CData_All& data, int nSlot);

    // The preview dialog of PrintPreview before it runs (the widget tests show it).
    static std::unique_ptr<QPrintPreviewDialog> CreatePreview(QWidget* pParent, CApp& app);
    // The printer of the run.
    static QPrinter& Printer();
};
