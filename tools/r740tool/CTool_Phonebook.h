#pragma once

// The phonebook subcommands of r740tool: the imports, the export and the prefix processing of
// the program, with the dialogs' fields as options (their defaults and ranges). Each opens IN as
// the program opens a document; the phonebook is part of it only when the role includes the
// phonebook program, so every command refuses otherwise. Exit codes of ETool_Exit: 1 when an
// import imported nothing or the prefix processing found an empty phonebook (OUT is then not
// written).

struct CTool_Context;

// import-text IN TEXTFILE OUT [--extended] [options]
int ToolImportText(CTool_Context& context);
// import-vcard IN VCFFILE OUT [--country N] [--outside DIGITS]
int ToolImportVCard(CTool_Context& context);
// export-text IN TEXTFILE
int ToolExportText(CTool_Context& context);
// prefix IN OUT --mode N [--prefix P] [--digits N] [--min-length N] [--max-length N]
int ToolPrefix(CTool_Context& context);

// The options of the phonebook commands, for the help text.
const char* ToolPhonebookHelp();
