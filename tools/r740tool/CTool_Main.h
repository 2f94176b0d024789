#pragma once

// The command dispatch of r740tool: global options, then one subcommand from a table. A new
// subcommand is one row of the table and one function.

#include "tools/r740tool/CTool_Commands.h"

#include <string>
#include <vector>

// What a subcommand needs before it runs.
enum ETool_Needs
{
    NEEDS_NOTHING,
    NEEDS_BUNDLE,    // the resource bundle chosen by --brand
    NEEDS_APP,       // the application interface started on that bundle, with a new document
    NEEDS_APP_PAINT, // as NEEDS_APP, in a process that paints with fonts (QGuiApplication, offscreen)
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
    // searched. Gives the exit code; TOOL_EXIT_ERROR, with the reason on stderr, when what was
    // printed could not all be written to standard output.
    static int Run(const std::vector<std::string>& args, const std::string& exeDir);

    static const CTool_Command* Commands();
    static std::string Usage();
    // The command row that the arguments name, after the global options; nullptr when there is
    // none. main() asks it before it creates the application object of the process.
    static const CTool_Command* FindCommand(const std::vector<std::string>& args);

private:
    static int RunCommand(const std::vector<std::string>& args, const std::string& exeDir);
};
