#pragma once

// The resource module: one bundle per brand and role ("Res_Pb.rcc", a Qt binary resource file)
// holding the default string table with the brand data, the version strings and the pictures.
// Start-up loads one bundle and makes it current; everything that needs a default text asks the
// current bundle. Texts are code page 1252 bytes exactly as they stand in the bundle.
//
// Which bundle is loaded (first match wins):
//   1. the file named by the environment variable R740_RESOURCE (nothing else is tried when it is
//      set, so a wrong name fails instead of quietly running another brand);
//   2. with a brand name ("TALVO", "VORTANE", ..., "TALVO_pb" for the phonebook program):
//      "resources/<brand>/Res_Pb.rcc" below each search directory;
//   3. otherwise "Res_Pb.rcc" in each search directory.
// The search directories are the executable's directory followed by the directories listed in
// the environment variable R740_RESOURCE_PATH (separated as in PATH).

#include <map>
#include <string>
#include <vector>

class CPlatform_Resource
{
public:
    CPlatform_Resource();
    ~CPlatform_Resource();
    CPlatform_Resource(const CPlatform_Resource&) = delete;
    CPlatform_Resource& operator=(const CPlatform_Resource&) = delete;

    // Loads a bundle file; 1 on success. A file that is missing, unreadable, not a bundle or
    // without a string table gives 0 and leaves nothing loaded.
    int LoadFile(const std::string& path);
    // Takes the contents from memory (string table text and version text, format as in the
    // bundle); for tools and tests that have no bundle file. 1 on success.
    int LoadData(const std::string& strings, const std::string& version);
    void Unload();
    bool IsLoaded() const { return m_bLoaded; }
    // Lines of the loaded string table and version block that were not understood (skipped).
    int BadLines() const { return m_nBadLines; }
    const std::string& Path() const { return m_path; }

    // 1 and the text when the string table has an entry with this number (it may be empty).
    int GetString(unsigned nNumber, std::string& text) const;
    // The text of an entry, empty when there is none.
    std::string String(unsigned nNumber) const;
    size_t StringCount() const { return m_strings.size(); }

    // A version string ("ProductName", "ProductVersion", ...): "-" when the version block lacks
    // it, empty when the bundle has no version block at all.
    std::string VersionString(const std::string& name) const;
    bool HasVersion() const { return m_bVersion; }

    // Resource path of a picture by its number (":/Res_Pb/pictures/<n>.png", ".bmp" or ".svg"); empty
    // when the bundle has none.
    std::string PicturePath(unsigned nNumber) const;

    // The bundle in force for the whole program; nullptr before start-up loaded one.
    static CPlatform_Resource* Current();
    static void SetCurrent(CPlatform_Resource* pResource);

    // The bundle file that the rules above choose for a brand (empty: the default bundle) and the
    // executable's directory; empty when none of the candidates exists.
    static std::string FindBundle(const std::string& brand, const std::string& exeDir);
    // Finds and loads the bundle for start-up and makes it current. 0 when none could be loaded:
    // the caller tells the user LOAD_ERROR and ends with a non-zero exit code.
    int LoadForStartup(const std::string& brand, const std::string& exeDir);
    // What the user is told when start-up finds no bundle.
    static constexpr const char* LOAD_ERROR = "error loading resource-dll!";

    // Parses the text form of a string table or version block: one entry per line, a key (a
    // number for the string table, a name for the version block), blanks or tabs, and the text.
    // "\n", "\r", "\t" and "\\" in the text stand for LF, CR, tab and a backslash. Empty lines
    // and lines starting with ";" are skipped; a later key replaces an earlier one. Gives the
    // number of lines that were not understood.
    static int ParseTable(const std::string& bytes, std::map<std::string, std::string>& table);

private:
    int Take(const std::string& strings, const std::string& brand, const std::string& version, bool bVersion);

    bool m_bLoaded = false;
    int m_nBadLines = 0;
    bool m_bRegistered = false;
    bool m_bVersion = false;
    std::string m_path;
    std::map<unsigned, std::string> m_strings;
    std::map<std::string, std::string> m_version;
};
