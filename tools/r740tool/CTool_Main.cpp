#include "tools/r740tool/CTool_Main.h"

#include "platform/CPlatform_Resource.h"
#include "shell/CApp_Headless.h"
#include "shell/CApp_Startup.h"
#include "support/CUi_Interface.h"
#include "tools/r740tool/CTool_Commands.h"
#include "tools/r740tool/CTool_Phonebook.h"
#include "tools/r740tool/CTool_Print.h"
#include "tools/r740tool/CTool_Transfer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

namespace
{
const CTool_Command s_commands[] = {
    {"convert", "IN OUT", "open IN as the program opens a document, save it to OUT as it saves", NEEDS_APP,
     ToolConvert},
    {"records", "IN", "print the data records of IN's blocks in section order", NEEDS_APP, ToolRecords},
    {"diff", "A B", "print the keys in which A and B differ (exit 0 equal, 1 differ)", NEEDS_APP, ToolDiff},
    {"language-sign", "FILE", "write or replace the signature line of a language file", NEEDS_NOTHING,
     ToolLanguageSign},
    {"language-check", "FILE", "check a language file's signature (exit 0 right, 1 wrong, 2 unreadable)",
     NEEDS_NOTHING, ToolLanguageCheck},
    {"resource-info", "", "show the brand data and version strings of the resource bundle", NEEDS_BUNDLE,
     ToolResourceInfo},
    {"import-text", "IN TEXTFILE OUT", "replace IN's phonebook by the names and numbers of a text file",
     NEEDS_APP, ToolImportText},
    {"import-vcard", "IN VCFFILE OUT", "add one phonebook entry per card of a vCard file", NEEDS_APP,
     ToolImportVCard},
    {"export-text", "IN TEXTFILE", "write IN's phonebook as a text file (name TAB number)", NEEDS_APP,
     ToolExportText},
    {"prefix", "IN OUT --mode N", "insert or remove a dialling prefix in every phonebook number", NEEDS_APP,
     ToolPrefix},
    {"print-phonebook", "IN OUT.pdf", "print IN's phonebook list to a PDF file", NEEDS_APP_PAINT,
     ToolPrintPhonebook},
    {"print-key-labels", "IN OUT.pdf", "print the label sheet of IN's function keys to a PDF file",
     NEEDS_APP_PAINT, ToolPrintKeyLabels},
    {"print-module-labels", "IN SLOT OUT.pdf",
     "print the label sheet of the module in SLOT (1-3) to a PDF file", NEEDS_APP_PAINT,
     ToolPrintModuleLabels},
    {"read", "OUT [LINK]", "read the telephone's configuration into OUT", NEEDS_APP, ToolRead},
    {"write", "IN [LINK] [--pin PIN]", "send IN's configuration to the telephone", NEEDS_APP, ToolWrite},
    {"read-phonebook", "OUT [LINK]", "read the telephone's phonebook into OUT", NEEDS_APP, ToolReadPhonebook},
    {"write-phonebook", "IN [LINK]", "send IN's phonebook to the telephone", NEEDS_APP, ToolWritePhonebook},
    {"pin-reset", "[LINK]", "reset the telephone's configuration PIN", NEEDS_APP, ToolPinReset},
    {"paycounter-reset", "[LINK]", "reset the telephone's charge counters", NEEDS_APP, ToolPayCounterReset},
    {"firmware-update", "SERVICENO [LINK]", "start the telephone's firmware update", NEEDS_APP,
     ToolFirmwareUpdate},
    {nullptr, nullptr, nullptr, NEEDS_NOTHING, nullptr},
};

const char s_szUsageLine[] = "usage: r740tool [--brand NAME] [--role ROLE] COMMAND [ARGS]\n";

// The words of --role.
struct CRoleWord
{
    const char* pszWord;
    CApp_Profile::ERole role;
};
const CRoleWord s_roles[] = {
    {"configurator", CApp_Profile::ROLE_CFG},
    {"phonebook", CApp_Profile::ROLE_DIALNAME},
    {"both", CApp_Profile::ROLE_BOTH},
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
        std::string(s_szUsageLine) +
        "       r740tool --help\n\n"
        "options:\n"
        "  --brand NAME  use the resource bundle resources/NAME/Res_Pb.rcc (for example VORTANE,\n"
        "                TALVO_pb) instead of Res_Pb.rcc beside the tool; R740_RESOURCE=FILE\n"
        "                names a bundle file directly\n"
        "  --role ROLE   configurator, phonebook or both: the sections a configuration file is\n"
        "                read and written with, instead of the bundle's program flags\n\n"
        "exit codes: 0 success, 1 a check failed or the files differ, 2 bad usage, unreadable\n"
        "input or a missing resource bundle\n\n"
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
    text += "\n"
            "convert, records and diff open a file as the program opens a document (brand data,\n"
            "properties of its phone type, its version text, key validation) and save as it saves.\n"
            "records prints \"SECTION RECORD HEX\" per data record, RECORD 0 to 8 for the basic\n"
            "block and 0 otherwise, with the properties of the file's phone type and version text.\n"
            "diff prints \"SECTION<tab>KEY<tab>VALUE-A<tab>VALUE-B\" per differing key, values as\n"
            "the file's bytes, \"(absent)\" for a key one file lacks, module keys (KeyE920) last.\n"
            "print-phonebook, print-key-labels and print-module-labels write the pages the program\n"
            "prints (A4, 600 dpi); the file is read with the part the print needs even when the\n"
            "bundle's role lacks it, unless --role says otherwise (then exit 1, nothing written).\n"
            "\n"
            "The transfer commands run the program's transfer with the telephone; LINK is any of\n"
            "  --device DEV        the link's device (a tty, a pseudo-terminal, tcp:HOST:PORT),\n"
            "                      as SLPV24_DEVICE; default: the device of the port\n"
            "  --port N            the link port (1 to 9 serial, 10 USB, 20/30/40 PABX); default:\n"
            "                      the connection setting\n"
            "  --open-timeout MS   time for the link to connect (setting TimerOpen, 2000)\n"
            "  --data-timeout MS   time for each answer (setting TimerData, 5000)\n"
            "  --repeats N         resends of an unanswered frame (setting RepeatData, 5)\n"
            "A progress line (percentage and block) goes to standard error. Exit codes: 0 the\n"
            "transfer succeeded, 1 it failed or the PIN was refused (the reason on standard error),\n"
            "2 bad usage or a file that cannot be read or written. read and read-phonebook write\n"
            "OUT only after a successful transfer.\n"
            "write and write-phonebook first read what the telephone holds into IN.phone-backup.cfg\n"
            "(sending that file undoes the write), and after the send read the telephone back and\n"
            "compare every record sent: differing blocks are listed, exit 1 (--no-verify: no\n"
            "read-back).\n";
    text += ToolPhonebookHelp();
    return text;
}

const CTool_Command* CTool_Main::FindCommand(const std::vector<std::string>& args)
{
    size_t i = 0;
    while (i < args.size() && args[i].compare(0, 1, "-") == 0)
        i += args[i] == "--brand" || args[i] == "--role" ? 2 : 1;
    if (i >= args.size())
        return nullptr;
    for (const CTool_Command* p = s_commands; p->pszName; ++p)
        if (args[i] == p->pszName)
            return p;
    return nullptr;
}

int CTool_Main::Run(const std::vector<std::string>& args, const std::string& exeDir)
{
    const int nExit = RunCommand(args, exeDir);
    // Output that never arrived (a full disk, a closed pipe) must not pass for an answer.
    errno = 0;
    const bool bFlushed = std::fflush(stdout) == 0;
    int nError = errno;
    if (bFlushed && !std::ferror(stdout))
        return nExit;
    if (!nError)
    {
        // The write failed while the command printed more than the buffer holds, and its reason
        // went with the buffer: one more byte tells why (what was printed is lost anyway).
        std::clearerr(stdout);
        errno = 0;
        if (std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0)
            nError = errno;
    }
    std::fprintf(stderr, "r740tool: cannot write standard output: %s\n",
                 nError ? std::strerror(nError) : "write error");
    return TOOL_EXIT_ERROR;
}

int CTool_Main::RunCommand(const std::vector<std::string>& args, const std::string& exeDir)
{
    std::string brand;
    CApp_Profile::ERole role = CApp_Profile::ROLE_BRAND;
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
        if (args[i] == "--role" && i + 1 < args.size())
        {
            const std::string& word = args[++i];
            const CRoleWord* pRole = std::find_if(std::begin(s_roles), std::end(s_roles),
                                                  [&word](const CRoleWord& r) { return word == r.pszWord; });
            if (pRole == std::end(s_roles))
            {
                std::fprintf(stderr, "r740tool: unknown role %s (configurator, phonebook or both)\n",
                             word.c_str());
                return TOOL_EXIT_ERROR;
            }
            role = pRole->role;
            continue;
        }
        if (args[i] == "--brand" || args[i] == "--role")
            std::fprintf(stderr, "r740tool: %s needs a value (%s)\n", args[i].c_str(), TOOL_MORE_HELP);
        else
            std::fprintf(stderr, "r740tool: unknown option %s (%s)\n", args[i].c_str(), TOOL_MORE_HELP);
        return TOOL_EXIT_ERROR;
    }
    if (i == args.size())
    {
        std::fprintf(stderr, "%s(%s)\n", s_szUsageLine, TOOL_MORE_HELP);
        return TOOL_EXIT_ERROR;
    }
    const CTool_Command* pCommand = s_commands;
    while (pCommand->pszName && args[i] != pCommand->pszName)
        ++pCommand;
    if (!pCommand->pszName)
    {
        std::fprintf(stderr, "r740tool: unknown command %s (%s)\n", args[i].c_str(), TOOL_MORE_HELP);
        return TOOL_EXIT_ERROR;
    }
    CTool_Context context;
    context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    CTool_ConsoleUi ui;
    CUi_Interface::Set(&ui);
    CApp_Startup startup;
    startup.exeDirectory = exeDir;
    startup.resourceBrand = brand;
    int nExit = TOOL_EXIT_ERROR;
    if (pCommand->needs == NEEDS_APP || pCommand->needs == NEEDS_APP_PAINT)
    {
        // The application interface owns its bundle; it goes before the console user it talks to.
        auto pApp = std::make_unique<CApp_Headless>();
        if (pApp->Init(startup, role))
        {
            context.pApp = pApp.get();
            nExit = pCommand->pRun(context);
        }
        pApp.reset();
    }
    else
    {
        CPlatform_Resource resource;
        if (pCommand->needs == NEEDS_NOTHING || startup.LoadResource(resource))
        {
            context.pResource = pCommand->needs == NEEDS_BUNDLE ? &resource : nullptr;
            nExit = pCommand->pRun(context);
        }
        CPlatform_Resource::SetCurrent(nullptr);
    }
    CUi_Interface::Set(nullptr);
    return nExit;
}
