#pragma once

// The subcommands of r740tool; each gives an exit code of ETool_Exit.

#include <cstddef>
#include <string>
#include <vector>

class CApp_Headless;
class CPlatform_Resource;
class CTool_Config;

// What a subcommand gets: its own arguments and, when its row asks for it, the loaded bundle or
// the started application interface (which owns its bundle).
struct CTool_Context
{
    std::vector<std::string> args;
    CPlatform_Resource* pResource = nullptr;
    CApp_Headless* pApp = nullptr;
};

// A mistyped command line gets one line naming the mistake and this pointer, not the whole help.
constexpr const char* TOOL_MORE_HELP = "r740tool --help lists the options and commands";

// Exit codes shared by all subcommands.
enum ETool_Exit
{
    TOOL_EXIT_OK = 0,
    TOOL_EXIT_FAILED = 1, // the subcommand ran and the answer is "no" (for example a wrong signature)
    TOOL_EXIT_ERROR = 2,  // bad usage, unreadable input, missing resource bundle
};

// Helpers of the subcommands. True when the subcommand got nCount arguments and its application
// object; else the usage line goes to stderr.
bool ArgumentCount(const CTool_Context& context, size_t nCount, const char* pszUsage);
// Opens a configuration file as the program does; on failure the reason goes to stderr.
bool OpenConfig(CTool_Config& config, const std::string& path);

// convert IN OUT: opens IN as the program opens a document and saves it to OUT as it saves.
int ToolConvert(CTool_Context& context);
// records IN: one line per data record of the file's blocks: section, record number, hex bytes.
int ToolRecords(CTool_Context& context);
// diff A B: one line per key that differs (section, key, value in A, value in B), module keys
// last; 0 when equal, 1 when not.
int ToolDiff(CTool_Context& context);

// language-sign FILE: replaces the file's signature line(s) by one with the right signature.
int ToolLanguageSign(CTool_Context& context);
// language-check FILE: 0 when the signature is right, 1 when wrong, 2 when the file is unreadable.
int ToolLanguageCheck(CTool_Context& context);
// resource-info: the brand data and version strings of the loaded bundle.
int ToolResourceInfo(CTool_Context& context);
