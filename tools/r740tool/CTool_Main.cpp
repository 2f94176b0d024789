#include "tools/r740tool/CTool_Main.h"

#include "platform/CPlatform_Resource.h"
#include "support/CUi_Interface.h"
#include "tools/r740tool/CTool_Commands.h"

#include <cstdio>
#include <cstring>

namespace
{
const CTool_Command s_commands[] = {
    {"language-sign", "FILE", "write or replace the signature line of a language file", false,
     ToolLanguageSign},
    {"language-check", "FILE", "check a language file's signature (exit 0 right, 1 wrong, 2 unreadable)",
     false, ToolLanguageCheck},
    {"resource-info", "", "show the brand data and version strings of the resource bundle", true,
     ToolResourceInfo},
    {nullptr, nullptr, nullptr, false, nullptr},
};

// Nobody to ask on a command line: messages go to stderr, questions get their first button.
class CTool_ConsoleUi : public CUi_Interface
{
public:
    int MessageBox(const std::string& text, const std::string&, EIcon, EButtons buttons) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return buttons == BUTTONS_YES_NO || buttons == BUTTONS_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
    }
};
} // namespace

const CTool_Command* CTool_Main::Commands()
{
    return s_commands;
}

std::string CTool_Main::Usage()
{
    std::string text =
        "usage: r740tool [--brand NAME] COMMAND [ARGS]\n"
        "       r740tool --help\n\n"
        "options:\n"
        "  --brand NAME  use the resource bundle resources/NAME/Res_Pb.rcc (for example VORTANE,\n"
        "                TALVO_pb) instead of Res_Pb.rcc beside the tool; R740_RESOURCE=FILE\n"
        "                names a bundle file directly\n\n"
        "commands:\n";
    for (const CTool_Command* p = s_commands; p->pszName; ++p)
    {
        std::string line = std::string("  ") + p->pszName + (*p->pszArgs ? " " : "") + p->pszArgs;
        if (line.size() < 24)
            line.resize(24, ' ');
        else
            line += "  ";
        text += line + p->pszHelp + "\n";
    }
    return text;
}

int CTool_Main::Run(const std::vector<std::string>& args, const std::string& exeDir)
{
    std::string brand;
    size_t i = 0;
    for (; i < args.size() && args[i].compare(0, 1, "-") == 0; ++i)
    {
        if (args[i] == "--help" || args[i] == "-h")
        {
            std::fputs(Usage().c_str(), stdout);
            return TOOL_EXIT_OK;
        }
        if (args[i] == "--brand" && i + 1 < args.size())
        {
            brand = args[++i];
            continue;
        }
        std::fprintf(stderr, "r740tool: unknown option %s\n\n%s", args[i].c_str(), Usage().c_str());
        return TOOL_EXIT_ERROR;
    }
    if (i == args.size())
    {
        std::fputs(Usage().c_str(), stderr);
        return TOOL_EXIT_ERROR;
    }
    const CTool_Command* pCommand = s_commands;
    while (pCommand->pszName && args[i] != pCommand->pszName)
        ++pCommand;
    if (!pCommand->pszName)
    {
        std::fprintf(stderr, "r740tool: unknown command %s\n\n%s", args[i].c_str(), Usage().c_str());
        return TOOL_EXIT_ERROR;
    }
    CTool_Context context;
    context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    CTool_ConsoleUi ui;
    CUi_Interface::Set(&ui);
    CPlatform_Resource resource;
    int nExit = TOOL_EXIT_ERROR;
    if (!pCommand->bNeedsBundle || resource.LoadForStartup(brand, exeDir))
    {
        context.pResource = pCommand->bNeedsBundle ? &resource : nullptr;
        nExit = pCommand->pRun(context);
    }
    CPlatform_Resource::SetCurrent(nullptr);
    CUi_Interface::Set(nullptr);
    return nExit;
}
