#include "tools/r740tool/CTool_Print.h"

#include "data/CData_All.h"
#include "print/CPrint_Pdf.h"
#include "shell/CApp_Headless.h"
#include "tools/r740tool/CTool_Commands.h"
#include "tools/r740tool/CTool_Config.h"

#include <cstdio>

namespace
{
// The part of a configuration file a print needs.
enum EPart
{
    PART_PHONEBOOK,
    PART_CONFIGURATION,
};

// A file is read in the bundle's role; when that role lacks the part a print needs, both parts
// are read, so that a phonebook can be printed with a configurator's bundle and the other way
// round. A role chosen with --role is kept: its print has no pages, and the tool says so (exit 1).
// Gives TOOL_EXIT_OK when the print can go on.
int OpenForPrint(CApp_Headless& app, EPart part, const std::string& path, const char* pszCommand)
{
    CApp_Profile& profile = app.Profile();
    auto hasPart = [&profile, part]()
    { return part == PART_PHONEBOOK ? profile.Brand().m_bAppDialName : profile.Brand().m_bAppCfg; };
    if (!hasPart() && profile.m_roleOverride == CApp_Profile::ROLE_BRAND)
    {
        // The role decides which sections the file is read with: in force before reading.
        profile.m_roleOverride = CApp_Profile::ROLE_BOTH;
        app.DerivatLoad();
    }
    CTool_Config config(app);
    if (!OpenConfig(config, path))
        return TOOL_EXIT_ERROR;
    if (hasPart())
        return TOOL_EXIT_OK;
    std::fprintf(stderr, "r740tool: %s: the %s role prints no %s\n", pszCommand,
                 part == PART_PHONEBOOK ? "configurator" : "phonebook",
                 part == PART_PHONEBOOK ? "phonebook" : "key labels");
    return TOOL_EXIT_FAILED;
}

int Written(int nResult, const std::string& path, const std::string& error)
{
    if (nResult)
        return TOOL_EXIT_OK;
    std::fprintf(stderr, "r740tool: cannot write %s: %s\n", path.c_str(), error.c_str());
    return TOOL_EXIT_ERROR;
}
} // namespace

int ToolPrintPhonebook(CTool_Context& context)
{
    if (!ArgumentCount(context, 2, "print-phonebook IN OUT.pdf"))
        return TOOL_EXIT_ERROR;
    CApp_Headless& app = *context.pApp;
    if (const int nExit = OpenForPrint(app, PART_PHONEBOOK, context.args[0], "print-phonebook"))
        return nExit;
    std::string error;
    return Written(CPrint_Pdf::WritePhonebook(context.args[1], app.DocData(), error), context.args[1], error);
}

int ToolPrintKeyLabels(CTool_Context& context)
{
    if (!ArgumentCount(context, 2, "print-key-labels IN OUT.pdf"))
        return TOOL_EXIT_ERROR;
    CApp_Headless& app = *context.pApp;
    if (const int nExit = OpenForPrint(app, PART_CONFIGURATION, context.args[0], "print-key-labels"))
        return nExit;
    CData_All& data = app.DocData();
    std::string error;
    return Written(CPrint_Pdf::WriteKeyLabels(context.args[1], data, data.KeyCount(), error), context.args[1],
                   error);
}

int ToolPrintModuleLabels(CTool_Context& context)
{
    if (!ArgumentCount(context, 3, "print-module-labels IN SLOT OUT.pdf"))
        return TOOL_EXIT_ERROR;
    const std::string& slot = context.args[1];
    if (slot.size() != 1 || slot[0] < '1' || slot[0] > '0' + CData_AllCfg::MODULE_COUNT)
    {
        std::fprintf(stderr, "r740tool: print-module-labels: SLOT is 1, 2 or 3, not %s\n", slot.c_str());
        return TOOL_EXIT_ERROR;
    }
    CApp_Headless& app = *context.pApp;
    if (const int nExit = OpenForPrint(app, PART_CONFIGURATION, context.args[0], "print-module-labels"))
        return nExit;
    std::string error;
    return Written(CPrint_Pdf::WriteModuleLabels(context.args[2], app.DocData(), slot[0] - '0', error),
                   context.args[2], error);
}
