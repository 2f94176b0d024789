#pragma once

// The subcommands of r740tool; each gives an exit code of ETool_Exit.

struct CTool_Context;

// language-sign FILE: replaces the file's signature line(s) by one with the right signature.
int ToolLanguageSign(CTool_Context& context);
// language-check FILE: 0 when the signature is right, 1 when wrong, 2 when the file is unreadable.
int ToolLanguageCheck(CTool_Context& context);
// resource-info: the brand data and version strings of the loaded bundle.
int ToolResourceInfo(CTool_Context& context);
