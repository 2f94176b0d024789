#include "tools/r740tool/CTool_Commands.h"

#include "data/CData.h"
#include "data/CData_FileExRam.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_SaveFile.h"
#include "platform/CPlatform_System.h"
#include "support/CLang_Text.h"
#include "tools/r740tool/CTool_Config.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <utility>

namespace
{
// Language files are read as the program reads them, under the same limit; file names are bytes,
// as they came on the command line. 0 when missing, unreadable or too large, with the reason said.
int ReadLanguageFile(const std::string& path, std::string& bytes)
{
    int nError = 0;
    if (PlatformReadFile(path.c_str(), CLang_Text::LANG_FILE_MAX, 0, bytes, nError))
        return 1;
    std::fprintf(stderr, "r740tool: cannot read %s: %s\n", path.c_str(), PlatformErrorText(nError).c_str());
    return 0;
}

// Shown in diff for a key that one of the two files does not have (its phone type or role
// writes no such key).
const char s_szAbsent[] = "(absent)";

void PrintBytes(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

} // namespace

bool ArgumentCount(const CTool_Context& context, size_t nCount, const char* pszUsage)
{
    if (context.args.size() == nCount && context.pApp)
        return true;
    std::fprintf(stderr, "usage: r740tool %s\n", pszUsage);
    return false;
}

// Opens a configuration file as the program does; the reason of a failure has gone to stderr. A
// file in which no section of a configuration was found reads as a new document's defaults, as in
// the program, but a script is told.
bool OpenConfig(CTool_Config& config, const std::string& path)
{
    if (!config.Open(path))
        return false;
    if (!CData::File().AnySectionFound())
        std::fprintf(stderr,
                     "r740tool: warning: nothing of a configuration was found in %s; it reads as defaults\n",
                     path.c_str());
    return true;
}

namespace
{
// The file as the program saves it, cut into its keys.
bool SavedKeys(CTool_Config& config, const std::string& path, std::vector<CTool_Key>& keys)
{
    std::string bytes;
    if (!OpenConfig(config, path))
        return false;
    if (!config.SaveToBytes(bytes))
    {
        std::fprintf(stderr, "r740tool: cannot convert %s\n", path.c_str());
        return false;
    }
    keys = CTool_Config::ParseKeys(bytes);
    return true;
}

bool OneFileArgument(const CTool_Context& context, const char* pszCommand)
{
    if (context.args.size() == 1)
        return true;
    std::fprintf(stderr, "usage: r740tool %s FILE\n", pszCommand);
    return false;
}
} // namespace

int ToolLanguageSign(CTool_Context& context)
{
    if (!OneFileArgument(context, "language-sign"))
        return TOOL_EXIT_ERROR;
    const std::string& path = context.args[0];
    std::string bytes;
    if (!ReadLanguageFile(path, bytes))
        return TOOL_EXIT_ERROR;
    const std::string signedBytes = CLang_Text::SignContents(bytes);
    // The signature line may carry a file just under the limit over it, and the program would
    // then refuse what was signed.
    if (signedBytes.size() > CLang_Text::LANG_FILE_MAX)
    {
        std::fprintf(stderr, "r740tool: cannot sign %s: %s\n", path.c_str(),
                     PlatformErrorText(EFBIG).c_str());
        return TOOL_EXIT_ERROR;
    }
    int nError = 0;
    if (!CPlatform_SaveFile::Save(path, signedBytes.data(), signedBytes.size(), nError))
    {
        std::fprintf(stderr, "r740tool: cannot write %s: %s\n", path.c_str(),
                     PlatformErrorText(nError).c_str());
        return TOOL_EXIT_ERROR;
    }
    std::printf("%s: signed %s\n", path.c_str(), CLang_Text::ComputeSignature(signedBytes).c_str());
    return TOOL_EXIT_OK;
}

int ToolLanguageCheck(CTool_Context& context)
{
    if (!OneFileArgument(context, "language-check"))
        return TOOL_EXIT_ERROR;
    const std::string& path = context.args[0];
    std::string bytes;
    if (!ReadLanguageFile(path, bytes))
        return TOOL_EXIT_ERROR;
    CLang_Text text;
    text.ReadBuffer(bytes.data(), bytes.size());
    if (text.SignatureOk())
    {
        std::printf("%s: signature right\n", path.c_str());
        return TOOL_EXIT_OK;
    }
    std::printf("%s: signature wrong (stored \"%s\", expected %s)\n", path.c_str(),
                text.StoredSignature().c_str(), text.ComputedSignature().c_str());
    return TOOL_EXIT_FAILED;
}

int ToolResourceInfo(CTool_Context& context)
{
    if (!context.args.empty() || !context.pResource)
    {
        std::fprintf(stderr, "usage: r740tool [--brand NAME] resource-info\n");
        return TOOL_EXIT_ERROR;
    }
    const CPlatform_Resource& res = *context.pResource;
    std::printf("bundle\t%s\n", res.Path().c_str());
    // The brand data in the order the program reads them.
    for (unsigned n : {130u, 131u, 132u, 133u, 134u, 150u, 151u, 160u, 161u})
        std::printf("%u\t%s\n", n, res.String(n).c_str());
    for (const char* pszName : {"FileVersion", "CompanyName", "LegalCopyright", "Comments", "SpecialBuild",
                                "ProductName", "ProductVersion"})
        std::printf("%s\t%s\n", pszName, res.VersionString(pszName).c_str());
    return TOOL_EXIT_OK;
}

int ToolConvert(CTool_Context& context)
{
    if (!ArgumentCount(context, 2, "[--brand NAME] [--role ROLE] convert IN OUT"))
        return TOOL_EXIT_ERROR;
    CTool_Config config(*context.pApp);
    if (!OpenConfig(config, context.args[0]))
        return TOOL_EXIT_ERROR;
    if (!config.Save(context.args[1]))
        return TOOL_EXIT_ERROR;
    return TOOL_EXIT_OK;
}

int ToolRecords(CTool_Context& context)
{
    if (!ArgumentCount(context, 1, "[--brand NAME] [--role ROLE] records IN"))
        return TOOL_EXIT_ERROR;
    CTool_Config config(*context.pApp);
    if (!OpenConfig(config, context.args[0]))
        return TOOL_EXIT_ERROR;
    static const char s_szHex[] = "0123456789abcdef";
    for (const CTool_Record& record : config.Records())
    {
        std::string line = record.section + " " + std::to_string(record.nRecord) + " ";
        for (const char ch : record.bytes)
        {
            const unsigned char byte = static_cast<unsigned char>(ch);
            line += s_szHex[byte >> 4];
            line += s_szHex[byte & 0x0F];
        }
        line += "\n";
        PrintBytes(line);
    }
    return TOOL_EXIT_OK;
}

int ToolDiff(CTool_Context& context)
{
    if (!ArgumentCount(context, 2, "[--brand NAME] [--role ROLE] diff A B"))
        return TOOL_EXIT_ERROR;
    CTool_Config config(*context.pApp);
    std::vector<CTool_Key> keysA;
    std::vector<CTool_Key> keysB;
    // Each file is opened over a new document, so that neither sees what the other left behind.
    if (!SavedKeys(config, context.args[0], keysA) || !config.New() ||
        !SavedKeys(config, context.args[1], keysB))
        return TOOL_EXIT_ERROR;

    // Sections in file order (A's, then those only B has); within each, A's keys, then B's.
    using CKeyName = std::pair<std::string, std::string>;
    std::map<CKeyName, const std::string*> valuesA;
    std::map<CKeyName, const std::string*> valuesB;
    std::vector<std::string> sections;
    std::map<std::string, std::vector<std::string>> sectionKeys;
    auto collect = [&sections, &sectionKeys](const std::vector<CTool_Key>& keys,
                                             std::map<CKeyName, const std::string*>& values)
    {
        for (const CTool_Key& k : keys)
        {
            if (values.count({k.section, k.key}))
                continue;
            values[{k.section, k.key}] = &k.value;
            auto it = sectionKeys.find(k.section);
            if (it == sectionKeys.end())
            {
                sections.push_back(k.section);
                it = sectionKeys.emplace(k.section, std::vector<std::string>()).first;
            }
            std::vector<std::string>& names = it->second;
            if (std::find(names.begin(), names.end(), k.key) == names.end())
                names.push_back(k.key);
        }
    };
    collect(keysA, valuesA);
    collect(keysB, valuesB);
    // Module keys do not make a configuration count as changed; they are listed apart, last.
    std::stable_partition(sections.begin(), sections.end(),
                          [](const std::string& section) { return !CTool_Config::IsModuleSection(section); });

    int nDiffer = 0;
    for (const std::string& section : sections)
    {
        for (const std::string& key : sectionKeys[section])
        {
            const auto itA = valuesA.find({section, key});
            const auto itB = valuesB.find({section, key});
            const std::string& valueA = itA != valuesA.end() ? *itA->second : std::string(s_szAbsent);
            const std::string& valueB = itB != valuesB.end() ? *itB->second : std::string(s_szAbsent);
            if (itA != valuesA.end() && itB != valuesB.end() && valueA == valueB)
                continue;
            ++nDiffer;
            PrintBytes(section + "\t" + key + "\t" + valueA + "\t" + valueB + "\n");
        }
    }
    return nDiffer ? TOOL_EXIT_FAILED : TOOL_EXIT_OK;
}
