#pragma once

// The command dispatch of r740tool: global options, then one subcommand from a table. A new
// subcommand is one row of the table and one function.

#include <string>
#include <vector>

class CApp;
class CPlatform_Resource;

// What a subcommand gets: its own arguments and, when its row asks for it, the loaded bundle or
// the started application object (which owns its bundle).
struct CTool_Context
{
    std::vector<std::string> args;
    CPlatform_Resource* pResource = nullptr;
    CApp* pApp = nullptr;
};

// What a subcommand needs before it runs.
enum ETool_Needs
{
    NEEDS_NOTHING,
    NEEDS_BUNDLE,    // the resource bundle chosen by --brand
    NEEDS_APP,       // the application object started headless on that bundle, with a new document
    NEEDS_APP_PAINT, // as NEEDS_APP, in a process that paints with fonts (QGuiApplication, offscreen)
};

// Exit codes shared by all subcommands.
enum ETool_Exit
{
    TOOL_EXIT_OK = 0,
    TOOL_EXIT_FAILED = 1, // the subcommand ran and the answer is "no" (for example a wrong signature)
    TOOL_EXIT_ERROR = 2,  // bad usage, unreadable input, missing resource bundle
};

struct CTool_Command
{
    const char* pszName;
    const char* pszArgs;
    const char* pszHelp;
    ETool_Needs needs;
    int (*pRun)(CTool_Context& context);
};

class CTool_Main
{
public:
    // Runs the tool on its arguments (without the program name); exeDir is where the bundles are
    // searched. Gives the exit code.
    static int Run(const std::vector<std::string>& args, const std::string& exeDir);

    static const CTool_Command* Commands();
    static std::string Usage();
    // The command row that the arguments name, after the global options; nullptr when there is
    // none. main() asks it before it creates the application object of the process.
    static const CTool_Command* FindCommand(const std::vector<std::string>& args);
};
