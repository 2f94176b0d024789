#pragma once

// The language settings: which language the interface texts are in and where the language
// dependent files lie (text files in "lang", help files in "Help", key maps in "Map", all below
// the program directory). One object, created by start-up and kept for the program's life.

#include <string>
#include <vector>

class CPlatform_Settings;

class CLang_Info
{
public:
    // Size of the language list and the command number of its first entry (the range 57310 to
    // 57329 is reserved for choosing a language).
    static constexpr int LANG_LIST_SIZE = 20;
    static constexpr unsigned LANG_COMMAND_FIRST = 57310;

    struct CEntry
    {
        unsigned nCommand = 0;
        bool bPresent = false; // a language file was found for this entry
        std::string code;      // upper case, for example "GER"
    };

    // directory: the program directory (the current directory at start); programPath: the running
    // program's file name; registryKey: the key below "Software\" holding the value "Language";
    // pSettings: that key's store (not owned; nullptr when the key cannot be opened).
    CLang_Info(const std::string& directory, const std::string& programPath, const std::string& registryKey,
               const CPlatform_Settings* pSettings);

    const std::string& Directory() const { return m_directory; }
    const std::string& BaseName() const { return m_baseName; }
    const std::string& RegistryKey() const { return m_registryKey; }
    const std::string& DefaultLanguage() const { return m_defaultLanguage; }
    const std::string& LanguageDirName() const { return m_languageDirName; }
    const std::string& CurrentLanguage() const { return m_currentLanguage; }
    // "Software\" and the registry key, and the value name read below it.
    std::string RegistryPath() const { return "Software\\" + m_registryKey; }
    static const char* RegistryValueName() { return "Language"; }

    // An installed program is started from anywhere: the directory it was installed to (the
    // executable's) is searched for the language dependent files when the program directory has
    // neither the current language's file nor the default language's.
    void SetInstallDirectory(const std::string& directory);
    const std::string& InstallDirectory() const { return m_installDirectory; }

    // Each gives the path with the current language when that file exists, else the path with the
    // default language (whether or not that one exists); below the install directory only when
    // the program directory has neither.
    std::string LanguageFilePath() const;
    std::string HelpFilePath(bool bHtmlHelp) const;
    std::string MapFilePath(const std::string& mapName) const;
    // One page of the HTML help, whose pages lie in a folder per language in place of the compiled
    // help file: "Help", the base name, "_", the language, and the page's file name.
    std::string HelpPagePath(const std::string& page) const;
    // The same rule below another program directory and for a given language.
    static std::string MapFilePathIn(const std::string& directory, const std::string& language,
                                     const std::string& mapName);
    // The directory the language list is filled from.
    std::string LanguageDirectory() const;

    const std::vector<CEntry>& Languages() const { return m_languages; }
    // Clears the list and fills it from the language directory; gives the number of entries marked.
    int FillLanguageList();

    // The program's file name without directory and extension.
    static std::string ProgramBaseName(const std::string& programPath);

private:
    // A map file name split at its last "." (the extension keeps its ".").
    static void SplitMapName(const std::string& mapName, std::string& name, std::string& ext);
    std::string WithFallback(const char* pszFolder, const std::string& name, const std::string& ext) const;
    static std::string WithFallbackIn(const std::string& directory, const std::string& language,
                                      const char* pszFolder, const std::string& name, const std::string& ext);

    std::string m_directory;
    std::string m_installDirectory;
    std::string m_baseName;
    std::string m_registryKey;
    std::string m_defaultLanguage;
    std::string m_languageDirName;
    std::vector<CEntry> m_languages;
    std::string m_currentLanguage;
};
