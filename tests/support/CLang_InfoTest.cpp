#include "support/CLang_Info.h"

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Settings.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace
{
struct CBaseName
{
    const char* pszPath;
    const char* pszBase;
};

class LangProgramBaseName : public ::testing::TestWithParam<CBaseName>
{
};

TEST_P(LangProgramBaseName, DirectoryAndExtensionAreRemoved)
{
    EXPECT_EQ(GetParam().pszBase, CLang_Info::ProgramBaseName(GetParam().pszPath));
}

INSTANTIATE_TEST_SUITE_P(Rows, LangProgramBaseName,
                         ::testing::Values(CBaseName{"C:\\Programs\\R740\\R740Cf.exe", "R740Cf"},
                                           CBaseName{"/opt/r740/R740Cf", "R740Cf"},
                                           CBaseName{"C:R740Cf.exe", "R740Cf"}, CBaseName{"R740Cf", "R740Cf"},
                                           CBaseName{"tool.v2.exe", "tool.v2"},
                                           CBaseName{"/opt/dir.d/R740Cf", "R740Cf"}, CBaseName{"", ""}));

class LangInfo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CPlatform_Settings::SetRootDirectory(m_settingsDir.Path());
        std::filesystem::create_directories(m_dir.File("lang"));
        std::filesystem::create_directories(m_dir.File("Help"));
        std::filesystem::create_directories(m_dir.File("Map"));
    }

    std::string Path(const char* pszFolder, const std::string& name) const
    {
        return m_dir.Path() + PLATFORM_PATH_SEPARATOR + pszFolder + PLATFORM_PATH_SEPARATOR + name;
    }
    void Touch(const char* pszFolder, const std::string& name) const
    {
        TestWriteFile(Path(pszFolder, name), "x");
    }

    CTest_TempDir m_settingsDir;
    CTest_TempDir m_dir;
};

TEST_F(LangInfo, CurrentLanguageComesFromTheSettingsStoreWithUkAsDefault)
{
    EXPECT_EQ("UK", CLang_Info(m_dir.Path(), "R740Cf.exe", "", nullptr).CurrentLanguage());
    CPlatform_Settings store("R740Test", "Lang");
    EXPECT_EQ("UK", CLang_Info(m_dir.Path(), "R740Cf.exe", "", &store).CurrentLanguage());
    ASSERT_EQ(1, store.SetString("", "Language", "GER"));
    const CLang_Info info(m_dir.Path(), "R740Cf.exe", "", &store);
    EXPECT_EQ("GER", info.CurrentLanguage());
    EXPECT_EQ("UK", info.DefaultLanguage());
    EXPECT_EQ("lang", info.LanguageDirName());
    EXPECT_EQ("Software\\", info.RegistryPath());
}

struct CPathCase
{
    const char* pszWhat;
    const char* pszLanguage;
    std::vector<std::string> present; // "folder/name" created before the question
    const char* pszFolder;
    const char* pszExpected;
};

class LangInfoPaths : public LangInfo, public ::testing::WithParamInterface<CPathCase>
{
};

TEST_P(LangInfoPaths, CurrentLanguageWhenPresentElseUk)
{
    CPlatform_Settings store("R740Test", "Paths");
    store.SetString("", "Language", GetParam().pszLanguage);
    for (const std::string& file : GetParam().present)
    {
        const size_t nSlash = file.find('/');
        Touch(file.substr(0, nSlash).c_str(), file.substr(nSlash + 1));
    }
    const CLang_Info info(m_dir.Path() + "/", "/opt/R740Cf.exe", "", &store);
    const std::string folder = GetParam().pszFolder;
    std::string path;
    if (folder == "lang")
        path = info.LanguageFilePath();
    else if (folder == "Help")
        path = info.HelpFilePath(true);
    else if (folder == "HelpOld")
        path = info.HelpFilePath(false);
    else
        path = info.MapFilePath("Keys.map");
    EXPECT_EQ(Path(folder == "HelpOld" ? "Help" : folder.c_str(), GetParam().pszExpected), path)
        << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LangInfoPaths,
    ::testing::Values(
        CPathCase{
            "GER present", "GER", {"lang/R740Cf_GER.txt", "lang/R740Cf_UK.txt"}, "lang", "R740Cf_GER.txt"},
        CPathCase{"GER falls back to UK", "GER", {"lang/R740Cf_UK.txt"}, "lang", "R740Cf_UK.txt"},
        CPathCase{"nothing present", "GER", {}, "lang", "R740Cf_UK.txt"},
        CPathCase{"html help", "GER", {"Help/R740Cf_GER.chm"}, "Help", "R740Cf_GER.chm"},
        CPathCase{"old help falls back", "GER", {"Help/R740Cf_GER.chm"}, "HelpOld", "R740Cf_UK.hlp"},
        CPathCase{"key map", "GER", {"Map/Keys_GER.map"}, "Map", "Keys_GER.map"},
        CPathCase{"key map falls back", "ITA", {"Map/Keys_GER.map"}, "Map", "Keys_UK.map"}));

TEST_F(LangInfo, LanguageListHoldsTheFilesFoundInTheLanguageDirectory)
{
    for (const char* pszName : {"R740Cf_UK.txt", "R740Cf_GER.txt", "R740Cf_fra.txt", "Other_ITA.txt",
                                "R740Cf.txt", "R740Cf_DAN.doc"})
        Touch("lang", pszName);
    const CLang_Info info(m_dir.Path(), "R740Cf.exe", "", nullptr);
    ASSERT_EQ(20u, info.Languages().size());
    std::vector<std::string> codes;
    for (size_t i = 0; i < info.Languages().size(); ++i)
    {
        const CLang_Info::CEntry& entry = info.Languages()[i];
        EXPECT_EQ(57310u + i, entry.nCommand);
        EXPECT_EQ(i < 3, entry.bPresent) << i;
        if (entry.bPresent)
            codes.push_back(entry.code);
    }
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ((std::vector<std::string>{"FRA", "GER", "UK"}), codes);
}

TEST_F(LangInfo, LanguageListUsesAtMostTwentyFiles)
{
    for (int i = 0; i < 25; ++i)
        Touch("lang", "R740Cf_L" + std::to_string(100 + i) + ".txt");
    CLang_Info info(m_dir.Path(), "R740Cf.exe", "", nullptr);
    EXPECT_EQ(20, info.FillLanguageList());
    EXPECT_EQ("L100", info.Languages()[0].code);
    EXPECT_EQ("L119", info.Languages()[19].code);
}

TEST_F(LangInfo, MissingLanguageDirectoryGivesAnEmptyList)
{
    std::filesystem::remove_all(m_dir.File("lang"));
    CLang_Info info(m_dir.Path(), "R740Cf.exe", "", nullptr);
    EXPECT_EQ(0, info.FillLanguageList());
    for (const CLang_Info::CEntry& entry : info.Languages())
        EXPECT_FALSE(entry.bPresent);
}
} // namespace
