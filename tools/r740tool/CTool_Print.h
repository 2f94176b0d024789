#pragma once

// The print subcommands of r740tool: the program's prints rendered to PDF files without a window,
// for installers who print label sheets for many telephones. Each gives an exit code of
// ETool_Exit.

struct CTool_Context;

// print-phonebook IN OUT.pdf: the phonebook list of IN, page by page as the program prints it.
int ToolPrintPhonebook(CTool_Context& context);
// print-key-labels IN OUT.pdf: the label sheet of IN's function keys.
int ToolPrintKeyLabels(CTool_Context& context);
// print-module-labels IN SLOT OUT.pdf: the label sheet of the key-extension module in SLOT (1-3).
int ToolPrintModuleLabels(CTool_Context& context);
