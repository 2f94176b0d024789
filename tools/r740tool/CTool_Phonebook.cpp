#include "tools/r740tool/CTool_Phonebook.h"

#include "data/CData_All.h"
#include "phonebook/CImportVCard.h"
#include "phonebook/CImport_Entry.h"
#include "phonebook/CImport_NameMsn.h"
#include "phonebook/CImport_Report.h"
#include "phonebook/CPhonebook_Export.h"
#include "phonebook/CPhonebook_Prefix.h"
#include "platform/CPlatform_System.h"
#include "platform/CPlatform_Telephony.h"
#include "shell/CApp_Headless.h"
#include "tools/r740tool/CTool_Commands.h"
#include "tools/r740tool/CTool_Config.h"

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
// One option of a command: its name and whether a value follows it.
struct COption
{
    const char* pszName;
    bool bValue;
};

struct CArgs
{
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // option name -> value ("" for flags)
};

bool Usage(const char* pszUsage)
{
    std::fprintf(stderr, "usage: r740tool [--brand NAME] [--role ROLE] %s\n", pszUsage);
    return false;
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<COption>& options, size_t nPositional,
               const char* pszUsage, CArgs& out)
{
    for (size_t i = 0; i < args.size(); ++i)
    {
        if (args[i].compare(0, 2, "--") != 0)
        {
            out.positional.push_back(args[i]);
            continue;
        }
        const COption* pOption = nullptr;
        for (const COption& option : options)
            if (args[i] == option.pszName)
                pOption = &option;
        if (!pOption || (pOption->bValue && i + 1 >= args.size()))
        {
            std::fprintf(stderr, "r740tool: %s %s\n", pOption ? "missing value of" : "unknown option",
                         args[i].c_str());
            return Usage(pszUsage);
        }
        const std::string& name = args[i];
        out.values[name] = pOption->bValue ? args[++i] : std::string();
    }
    return out.positional.size() == nPositional || Usage(pszUsage);
}

bool ParseInt(const std::string& text, int& nValue)
{
    if (text.empty() || text.size() > 9)
        return false;
    int n = 0;
    for (const char ch : text)
    {
        if (ch < '0' || ch > '9')
            return false;
        n = n * 10 + (ch - '0');
    }
    nValue = n;
    return true;
}

// An integer option within the dialog's range; absent options keep their default.
bool IntOption(const CArgs& args, const char* pszName, int nMin, int nMax, int& nValue)
{
    const auto it = args.values.find(pszName);
    if (it == args.values.end())
        return true;
    int n = 0;
    if (ParseInt(it->second, n) && n >= nMin && n <= nMax)
    {
        nValue = n;
        return true;
    }
    std::fprintf(stderr, "r740tool: %s takes a number from %d to %d\n", pszName, nMin, nMax);
    return false;
}

// A "COLUMN,TOKEN" option of the extended import, each 0 to 50 as the dialog shows them.
bool FieldOption(const CArgs& args, const char* pszName, CImport_NameMsnExSettings::CField& field)
{
    const auto it = args.values.find(pszName);
    if (it == args.values.end())
        return true;
    const size_t nComma = it->second.find(',');
    int nColumn = 0;
    int nToken = 0;
    if (nComma != std::string::npos && ParseInt(it->second.substr(0, nComma), nColumn) &&
        ParseInt(it->second.substr(nComma + 1), nToken) && nColumn <= CImport_NameMsn::POSITION_MAX &&
        nToken <= CImport_NameMsn::POSITION_MAX)
    {
        field = {nColumn - 1, nToken - 1};
        return true;
    }
    std::fprintf(stderr, "r740tool: %s takes COLUMN,TOKEN, each from 0 to %d\n", pszName,
                 CImport_NameMsn::POSITION_MAX);
    return false;
}

bool PrefixOption(const CArgs& args, std::string& prefix)
{
    const auto it = args.values.find("--prefix");
    if (it == args.values.end())
        return true;
    if (it->second.size() <= CImport_NameMsn::PREFIX_MAX)
    {
        prefix = it->second;
        return true;
    }
    std::fprintf(stderr, "r740tool: --prefix takes at most %zu characters\n", CImport_NameMsn::PREFIX_MAX);
    return false;
}

// Opens IN as the program opens a document, lets work change its phonebook and saves it to
// pOut when work gives TOOL_EXIT_OK.
int OnPhonebook(CTool_Context& context, const std::string& in, const std::string* pOut,
                const std::function<int(CData_AllDialName&)>& work)
{
    CApp_Headless& app = *context.pApp;
    if (!app.Profile().Brand().m_bAppDialName)
    {
        std::fprintf(stderr,
                     "r740tool: the files of this role hold no phonebook (use --role phonebook or both, "
                     "or a phonebook bundle)\n");
        return TOOL_EXIT_ERROR;
    }
    CTool_Config config(app);
    if (!config.Open(in))
        return TOOL_EXIT_ERROR;
    const int nExit = work(app.DocData().m_DialName);
    if (nExit != TOOL_EXIT_OK || !pOut)
        return nExit;
    if (!config.Save(*pOut))
        return TOOL_EXIT_ERROR;
    return TOOL_EXIT_OK;
}

// The report on standard output; an import that imported nothing writes no OUT.
int Reported(const CImport_Report& report)
{
    std::printf("%s\n", report.Text().c_str());
    if (report.nImported > 0)
        return TOOL_EXIT_OK;
    std::fprintf(stderr, "r740tool: nothing imported, no file written\n");
    return TOOL_EXIT_FAILED;
}

std::string Trim(const std::string& text)
{
    const size_t nStart = text.find_first_not_of(' ');
    if (nStart == std::string::npos)
        return std::string();
    return text.substr(nStart, text.find_last_not_of(' ') + 1 - nStart);
}

// Country calling codes have three digits at the most (ITU-T E.164).
constexpr int COUNTRY_MAX = 999;

const char s_szImportTextUsage[] = "import-text IN TEXTFILE OUT [--extended] [options]";
const char s_szImportVCardUsage[] = "import-vcard IN VCFFILE OUT [--country N] [--outside DIGITS]";
const char s_szExportUsage[] = "export-text IN TEXTFILE";
const char s_szPrefixUsage[] =
    "prefix IN OUT --mode N [--prefix P] [--digits N] [--min-length N] [--max-length N]";
} // namespace

const char* ToolPhonebookHelp()
{
    return "\n"
           "The phonebook commands need a role with the phonebook (--role phonebook or both, or\n"
           "--brand TALVO_pb). They open IN as the program does and write OUT only when they\n"
           "changed something; the imports print their report (entries imported, rows skipped,\n"
           "names or numbers changed, duplicates). Columns, tokens and lines count from 1.\n"
           "  import-text options: --prefix P (put before every number), --first-line N (1),\n"
           "    --max-entries N (250); simple: --name-column N (1), --number-column N (2);\n"
           "    --extended: --number C,T (2,1), --name1 C,T (1,1) to --name4 C,T (1,4), column 0\n"
           "    not used, --columns-per-record N (0: one record per line). The phonebook is\n"
           "    emptied first.\n"
           "  import-vcard adds one entry per card: its name parts (family name, given names) or\n"
           "    else its formatted name, and its first number made dialable from the telephony\n"
           "    location (--country N, --outside DIGITS override it).\n"
           "  prefix --mode 0 inserts --prefix into numbers longer than --min-length (2) and\n"
           "    shorter than --max-length (6); 1 removes --prefix; 2 removes --digits (1) leading\n"
           "    digits of numbers longer than --min-length.\n";
}

int ToolImportText(CTool_Context& context)
{
    CArgs args;
    if (!context.pApp || !ParseArgs(context.args,
                                    {{"--extended", false},
                                     {"--prefix", true},
                                     {"--first-line", true},
                                     {"--max-entries", true},
                                     {"--name-column", true},
                                     {"--number-column", true},
                                     {"--number", true},
                                     {"--name1", true},
                                     {"--name2", true},
                                     {"--name3", true},
                                     {"--name4", true},
                                     {"--columns-per-record", true}},
                                    3, s_szImportTextUsage, args))
        return TOOL_EXIT_ERROR;
    const bool bExtended = args.values.count("--extended") != 0;
    CImport_NameMsnSettings simple;
    CImport_NameMsnExSettings ex;
    int nFirstLine = 1;
    bool bOk = PrefixOption(args, ex.prefix) &&
               IntOption(args, "--first-line", 1, CImport_NameMsn::FIRST_LINE_MAX, nFirstLine) &&
               IntOption(args, "--max-entries", 1, CImport_NameMsn::ENTRIES_MAX, ex.nMaxEntries);
    for (const char* pszOption : {"--name-column", "--number-column", "--number", "--name1", "--name2",
                                  "--name3", "--name4", "--columns-per-record"})
    {
        const bool bExtendedOption = std::string(pszOption).find("-column") == std::string::npos ||
                                     std::string(pszOption) == "--columns-per-record";
        if (args.values.count(pszOption) && bExtendedOption != bExtended)
        {
            std::fprintf(stderr, "r740tool: %s belongs to the %s import\n", pszOption,
                         bExtendedOption ? "extended" : "simple");
            bOk = false;
        }
    }
    if (!bOk)
        return TOOL_EXIT_ERROR;
    ex.fileName = args.positional[1];
    ex.nFirstLine = nFirstLine - 1;
    if (bExtended)
    {
        bOk = FieldOption(args, "--number", ex.number) && FieldOption(args, "--name1", ex.name[0]) &&
              FieldOption(args, "--name2", ex.name[1]) && FieldOption(args, "--name3", ex.name[2]) &&
              FieldOption(args, "--name4", ex.name[3]) &&
              IntOption(args, "--columns-per-record", 0, CImport_NameMsn::POSITION_MAX, ex.nColumnsPerRecord);
    }
    else
    {
        simple.prefix = ex.prefix;
        simple.fileName = ex.fileName;
        simple.nFirstLine = ex.nFirstLine;
        simple.nMaxEntries = ex.nMaxEntries;
        int nNameColumn = simple.nNameColumn + 1;
        int nNumberColumn = simple.nNumberColumn + 1;
        bOk = IntOption(args, "--name-column", 1, CImport_NameMsn::POSITION_MAX, nNameColumn) &&
              IntOption(args, "--number-column", 1, CImport_NameMsn::POSITION_MAX, nNumberColumn);
        simple.nNameColumn = nNameColumn - 1;
        simple.nNumberColumn = nNumberColumn - 1;
    }
    if (!bOk)
        return TOOL_EXIT_ERROR;

    return OnPhonebook(context, args.positional[0], &args.positional[2],
                       [&](CData_AllDialName& book)
                       {
                           const auto pImport = bExtended ? std::make_unique<CImport_NameMsn>(ex)
                                                          : std::make_unique<CImport_NameMsn>(simple);
                           if (!pImport->IsOpen())
                           {
                               std::fprintf(stderr, "r740tool: cannot read %s: %s\n", ex.fileName.c_str(),
                                            PlatformSystemMessage(pImport->Error()).c_str());
                               return static_cast<int>(TOOL_EXIT_ERROR);
                           }
                           book.m_List.Clear();
                           CImport_Report report;
                           pImport->Run(book, report);
                           return Reported(report);
                       });
}

int ToolImportVCard(CTool_Context& context)
{
    CArgs args;
    if (!context.pApp ||
        !ParseArgs(context.args, {{"--country", true}, {"--outside", true}}, 3, s_szImportVCardUsage, args))
        return TOOL_EXIT_ERROR;
    CPlatform_Telephony location = CPlatform_Telephony::Current();
    if (!IntOption(args, "--country", 0, COUNTRY_MAX, location.nCountry))
        return TOOL_EXIT_ERROR;
    if (args.values.count("--outside"))
        location.outside = args.values["--outside"].substr(0, CPlatform_Telephony::OUTSIDE_ACCESS_MAX);
    const std::string& path = args.positional[1];

    return OnPhonebook(context, args.positional[0], &args.positional[2],
                       [&](CData_AllDialName& book)
                       {
                           const CImportVCard vcard(path);
                           if (!vcard.IsOpen())
                           {
                               std::fprintf(stderr, "r740tool: cannot read %s: %s\n", path.c_str(),
                                            vcard.ErrorText().c_str());
                               return static_cast<int>(TOOL_EXIT_ERROR);
                           }
                           CImport_Report report;
                           for (const CImportVCard::CCard& card : vcard.Cards())
                           {
                               // The name as the import dialog first proposes it.
                               const std::string name = CImportVCard::HasNameParts(card.names)
                                                            ? CImportVCard::NameProposal(card.names, 0)
                                                            : std::string(card.formattedName);
                               const std::string number =
                                   card.numbers.empty()
                                       ? std::string()
                                       : CImportVCard::Localise(card.numbers.front(), location.CountryText(),
                                                                location.outside);
                               if (CImport_Entry::Add(book, Trim(name), number, std::string(), book.Count(),
                                                      report, card.bChanged) == CImport_Entry::FULL)
                                   break;
                           }
                           book.Sort();
                           return Reported(report);
                       });
}

int ToolExportText(CTool_Context& context)
{
    CArgs args;
    if (!context.pApp || !ParseArgs(context.args, {}, 2, s_szExportUsage, args))
        return TOOL_EXIT_ERROR;
    const std::string& path = args.positional[1];
    return OnPhonebook(context, args.positional[0], nullptr,
                       [&path](CData_AllDialName& book)
                       {
                           std::string reason;
                           if (!CPhonebook_Export::Export(book, path, reason))
                           {
                               std::fprintf(stderr, "%s\n",
                                            CPhonebook_Export::FailureText(path, reason).c_str());
                               return static_cast<int>(TOOL_EXIT_ERROR);
                           }
                           std::printf("%d entries exported\n", book.Count());
                           return static_cast<int>(TOOL_EXIT_OK);
                       });
}

int ToolPrefix(CTool_Context& context)
{
    CArgs args;
    if (!context.pApp || !ParseArgs(context.args,
                                    {{"--mode", true},
                                     {"--prefix", true},
                                     {"--digits", true},
                                     {"--min-length", true},
                                     {"--max-length", true}},
                                    2, s_szPrefixUsage, args))
        return TOOL_EXIT_ERROR;
    if (!args.values.count("--mode"))
    {
        Usage(s_szPrefixUsage);
        return TOOL_EXIT_ERROR;
    }
    CPhonebook_PrefixSettings settings;
    if (!IntOption(args, "--mode", 0, CPhonebook_Prefix::MODE_MAX, settings.nMode) ||
        !PrefixOption(args, settings.prefix) ||
        !IntOption(args, "--digits", CPhonebook_Prefix::DIGITS_MIN, CPhonebook_Prefix::LENGTH_MAX,
                   settings.nDigits) ||
        !IntOption(args, "--min-length", 0, CPhonebook_Prefix::LENGTH_MAX, settings.nMinLength) ||
        !IntOption(args, "--max-length", 0, CPhonebook_Prefix::LENGTH_MAX, settings.nMaxLength))
        return TOOL_EXIT_ERROR;
    return OnPhonebook(context, args.positional[0], &args.positional[1],
                       [&settings](CData_AllDialName& book)
                       {
                           if (book.Count() == 0)
                           {
                               std::fprintf(stderr, "r740tool: the phonebook is empty, no file written\n");
                               return static_cast<int>(TOOL_EXIT_FAILED);
                           }
                           std::printf("%d numbers changed\n", CPhonebook_Prefix::Apply(settings, book));
                           return static_cast<int>(TOOL_EXIT_OK);
                       });
}
