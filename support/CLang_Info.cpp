#include "support/CLang_Info.h"

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Settings.h"
#include "support/Trace.h"

#include <cctype>

namespace
{
const char s_szDefaultLanguage[] = "UK";
const char s_szLanguageDir[] = "lang";
const char s_szHelpDir[] = "Help";
const char s_szMapDir[] = "Map";

// The system's error number for a key that does not exist (ERROR_FILE_NOT_FOUND); its message
// text is what the trace shows when the language value cannot be read.
constexpr int ERROR_KEY_NOT_FOUND = 2;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

CLang_Info::CLang_Info(const std::string& directory, const std::string& programPath,
                       const std::string& registryKey, const CPlatform_Settings* pSettings)
    : m_directory(directory), m_baseName(ProgramBaseName(programPath)), m_registryKey(registryKey),
      m_defaultLanguage(s_szDefaultLanguage), m_languageDirName(s_szLanguageDir),
      m_currentLanguage(s_szDefaultLanguage)
{
    while (m_directory.size() > 1 && (m_directory.back() == '/' || m_directory.back() == '\\'))
        m_directory.pop_back();
    std::string language;
    if (pSettings && pSettings->GetString(std::string(), RegistryValueName(), language))
        m_currentLanguage = language;
    else
    {
        TraceSystemError(ERROR_KEY_NOT_FOUND, false);
        TraceAssert("language_info", __LINE__);
    }
    m_languages.resize(LANG_LIST_SIZE);
    for (int i = 0; i < LANG_LIST_SIZE; ++i)
        m_languages[static_cast<size_t>(i)].nCommand = LANG_COMMAND_FIRST + static_cast<unsigned>(i);
    FillLanguageList();
}

std::string CLang_Info::ProgramBaseName(const std::string& programPath)
{
    size_t nStart = programPath.find_last_of("\\/");
    if (nStart == std::string::npos)
        nStart = programPath.find_last_of(':');
    std::string name = nStart == std::string::npos ? programPath : programPath.substr(nStart + 1);
    const size_t nDot = name.find_last_of('.');
    if (nDot != std::string::npos)
        name.erase(nDot);
    return name;
}

void CLang_Info::SetInstallDirectory(const std::string& directory)
{
    m_installDirectory = directory;
    while (m_installDirectory.size() > 1 &&
           (m_installDirectory.back() == '/' || m_installDirectory.back() == '\\'))
        m_installDirectory.pop_back();
}

std::string CLang_Info::WithFallback(const char* pszFolder, const std::string& name,
                                     const std::string& ext) const
{
    const std::string path = WithFallbackIn(m_directory, m_currentLanguage, pszFolder, name, ext);
    if (m_installDirectory.empty() || m_installDirectory == m_directory || CPlatform_Path::FileExists(path))
        return path;
    const std::string installed = WithFallbackIn(m_installDirectory, m_currentLanguage, pszFolder, name, ext);
    return CPlatform_Path::FileExists(installed) ? installed : path;
}

std::string CLang_Info::WithFallbackIn(const std::string& directory, const std::string& language,
                                       const char* pszFolder, const std::string& name, const std::string& ext)
{
    const std::string folder = directory + PLATFORM_PATH_SEPARATOR + pszFolder + PLATFORM_PATH_SEPARATOR;
    const std::string current = folder + name + "_" + language + ext;
    if (CPlatform_Path::FileExists(current))
        return current;
    return folder + name + "_" + s_szDefaultLanguage + ext;
}

std::string CLang_Info::LanguageFilePath() const
{
    return WithFallback(s_szLanguageDir, m_baseName, ".txt");
}

std::string CLang_Info::HelpFilePath(bool bHtmlHelp) const
{
    return WithFallback(s_szHelpDir, m_baseName, bHtmlHelp ? ".chm" : ".hlp");
}

std::string CLang_Info::MapFilePath(const std::string& mapName) const
{
    std::string name;
    std::string ext;
    SplitMapName(mapName, name, ext);
    return WithFallback(s_szMapDir, name, ext);
}

std::string CLang_Info::HelpPagePath(const std::string& page) const
{
    return WithFallback(s_szHelpDir, m_baseName, std::string(1, PLATFORM_PATH_SEPARATOR) + page);
}

std::string CLang_Info::MapFilePathIn(const std::string& directory, const std::string& language,
                                      const std::string& mapName)
{
    std::string name;
    std::string ext;
    SplitMapName(mapName, name, ext);
    return WithFallbackIn(directory, language, s_szMapDir, name, ext);
}

void CLang_Info::SplitMapName(const std::string& mapName, std::string& name, std::string& ext)
{
    const size_t nDot = mapName.find_last_of('.');
    name = nDot == std::string::npos ? mapName : mapName.substr(0, nDot);
    ext = nDot == std::string::npos ? std::string() : mapName.substr(nDot);
}

std::string CLang_Info::LanguageDirectory() const
{
    return m_directory + PLATFORM_PATH_SEPARATOR + m_languageDirName;
}

int CLang_Info::FillLanguageList()
{
    for (CEntry& entry : m_languages)
    {
        entry.bPresent = false;
        entry.code.clear();
    }
    const std::vector<std::string> files =
        CPlatform_Path::ListFiles(LanguageDirectory(), m_baseName + "_*.txt");
    int nMarked = 0;
    for (size_t i = 0; i < files.size() && i < m_languages.size(); ++i)
    {
        const std::string name = ProgramBaseName(files[i]);
        const size_t nUnderscore = name.find('_');
        if (nUnderscore == std::string::npos)
            continue;
        m_languages[i].bPresent = true;
        m_languages[i].code = Upper(name.substr(nUnderscore + 1));
        ++nMarked;
    }
    return nMarked;
}
