#include "tools/r740tool/CTool_Commands.h"

#include "platform/CPlatform_Resource.h"
#include "support/CLang_Text.h"
#include "tools/r740tool/CTool_Main.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace
{
// Whole-file read bounded like the program's own reader; 0 when missing, unreadable or too large.
int ReadWhole(const std::string& path, std::string& bytes)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(CLang_Text::LANG_FILE_MAX))
        return 0;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return 0;
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return 1;
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
    if (!ReadWhole(path, bytes))
    {
        std::fprintf(stderr, "r740tool: cannot read %s\n", path.c_str());
        return TOOL_EXIT_ERROR;
    }
    const std::string signedBytes = CLang_Text::SignContents(bytes);
    // Written beside and renamed over the original, so a failed write leaves the old file intact.
    QSaveFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(signedBytes.data(), static_cast<qint64>(signedBytes.size())) !=
            static_cast<qint64>(signedBytes.size()) ||
        !file.commit())
    {
        std::fprintf(stderr, "r740tool: cannot write %s\n", path.c_str());
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
    if (!ReadWhole(path, bytes))
    {
        std::fprintf(stderr, "r740tool: cannot read %s\n", path.c_str());
        return TOOL_EXIT_ERROR;
    }
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
