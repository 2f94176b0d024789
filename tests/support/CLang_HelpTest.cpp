// The help as shipped: every page the table names exists in both languages with the place it
// points to, no page links to a page or place that is missing, the first steps are filled in
// safely, and an installed program started from another directory finds its pages.

#include "support/CLang_Help.h"
#include "support/CLang_Info.h"

#include "platform/CPlatform_Settings.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

namespace
{
namespace fs = std::filesystem;

const char* const s_apszLanguages[] = {"UK", "GER"};

std::string HelpFolder(const char* pszLanguage)
{
    return std::string(R740_SOURCE_DIR) + "/resources/help/R740Cf_" + pszLanguage;
}

bool HasPlace(const std::string& html, const std::string& place)
{
    return place.empty() || html.find("id=\"" + place + "\"") != std::string::npos;
}

TEST(LangHelpFiles, EveryTopicAndEveryLinkLeadsToAPageAndPlaceInBothLanguages)
{
    std::set<std::string> names[2];
    for (size_t nLang = 0; nLang < 2; ++nLang)
    {
        const std::string folder = HelpFolder(s_apszLanguages[nLang]);
        for (size_t i = 0; i < CLang_Help::Count(); ++i)
        {
            const CLang_Help::CTopic& topic = CLang_Help::Topics()[i];
            const std::string path = folder + "/" + topic.pszPage;
            ASSERT_TRUE(fs::is_regular_file(path)) << path;
            EXPECT_TRUE(HasPlace(TestReadFile(path), topic.pszPlace)) << path << "#" << topic.pszPlace;
        }
        for (const char* pszPage : {CLang_Help::CONTENTS_PAGE, CLang_Help::WELCOME_PAGE})
            EXPECT_TRUE(fs::is_regular_file(folder + "/" + pszPage)) << folder << "/" << pszPage;

        const std::regex link("href=\"([^\"#:]+\\.html)(#([^\"]*))?\"");
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        {
            names[nLang].insert(entry.path().filename().string());
            const std::string html = TestReadFile(entry.path().string());
            for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it)
            {
                const std::string target = folder + "/" + (*it)[1].str();
                ASSERT_TRUE(fs::is_regular_file(target)) << entry.path() << " -> " << (*it)[1];
                EXPECT_TRUE(HasPlace(TestReadFile(target), (*it)[3].str()))
                    << entry.path() << " -> " << (*it)[0];
            }
        }
    }
    EXPECT_EQ(names[0], names[1]) << "both languages have the same pages";
}

struct CContextCase
{
    int nContext;
    const char* pszPage;
};

class LangHelpContext : public ::testing::TestWithParam<CContextCase>
{
};

TEST_P(LangHelpContext, TemplateTopicElseContents)
{
    EXPECT_EQ(GetParam().pszPage, CLang_Help::PageOfContext(GetParam().nContext));
}

INSTANTIATE_TEST_SUITE_P(Rows, LangHelpContext,
                         ::testing::Values(CContextCase{CLang_Help::TemplateContext(1400), "phonebook.html"},
                                           CContextCase{CLang_Help::TemplateContext(1410),
                                                        "phonebook.html#edit"},
                                           CContextCase{CLang_Help::TemplateContext(4711), "index.html"},
                                           CContextCase{1000, "index.html"}, // the program's own help command
                                           CContextCase{0, "index.html"}, CContextCase{-1, "index.html"},
                                           CContextCase{CLang_Help::HID_BASE_RESOURCE, "index.html"}));

struct CWelcomeCase
{
    const char* pszWhat;
    const char* pszHtml;
    const char* pszDevice;
    const char* pszExpected;
};

class LangHelpWelcome : public ::testing::TestWithParam<CWelcomeCase>
{
};

TEST_P(LangHelpWelcome, OverrideBlockOnlyWithADeviceWhichIsEscaped)
{
    EXPECT_EQ(GetParam().pszExpected, CLang_Help::FillWelcome(GetParam().pszHtml, GetParam().pszDevice))
        << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LangHelpWelcome,
    ::testing::Values(
        CWelcomeCase{"no override", "a<!--link-override-->at {device}<!--/link-override-->b", "", "ab"},
        CWelcomeCase{"device named twice", "<!--link-override-->{device}+{device}<!--/link-override-->",
                     "/dev/pts/7", "/dev/pts/7+/dev/pts/7"},
        CWelcomeCase{"markup in the environment is text",
                     "<!--link-override--><code>{device}</code><!--/link-override-->",
                     "SLPV24_DEVICE=<script>&\"", "<code>SLPV24_DEVICE=&lt;script&gt;&amp;&quot;</code>"},
        CWelcomeCase{"a device that names the field", "<!--link-override-->{device}<!--/link-override-->",
                     "{device}", "{device}"},
        CWelcomeCase{"unterminated block stays as it is", "a<!--link-override-->b", "x",
                     "a<!--link-override-->b"}));

struct CInstallCase
{
    const char* pszWhat;
    const char* pszLanguage;
    std::vector<std::string> programFiles; // below the program (working) directory's Help/
    std::vector<std::string> installFiles; // below the install directory's Help/
    const char* pszExpected;               // "P:" or "I:" and the path below Help/
};

class LangHelpInstalled : public ::testing::TestWithParam<CInstallCase>
{
};

TEST_P(LangHelpInstalled, ProgramDirectoryFirstThenTheInstallDirectory)
{
    CTest_TempDir settings;
    CTest_TempDir program;
    CTest_TempDir install;
    CPlatform_Settings::SetRootDirectory(settings.Path());
    CPlatform_Settings store("R740Test", "Help");
    store.SetString("", "Language", GetParam().pszLanguage);
    auto plant = [](const CTest_TempDir& dir, const std::vector<std::string>& files)
    {
        for (const std::string& file : files)
        {
            fs::create_directories(fs::path(dir.File("Help/" + file)).parent_path());
            TestWriteFile(dir.File("Help/" + file), "x");
        }
    };
    plant(program, GetParam().programFiles);
    plant(install, GetParam().installFiles);
    CLang_Info info(program.Path(), "/usr/bin/R740Cf", "", &store);
    info.SetInstallDirectory(install.Path() + "/");
    const std::string expected = GetParam().pszExpected;
    const CTest_TempDir& base = expected[0] == 'P' ? program : install;
    EXPECT_EQ(base.File("Help/" + expected.substr(2)), info.HelpPagePath("basic.html")) << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LangHelpInstalled,
    ::testing::Values(
        CInstallCase{"installed only", "GER", {}, {"R740Cf_GER/basic.html"}, "I:R740Cf_GER/basic.html"},
        CInstallCase{"installed in UK only", "GER", {}, {"R740Cf_UK/basic.html"}, "I:R740Cf_UK/basic.html"},
        CInstallCase{"program directory wins",
                     "GER",
                     {"R740Cf_UK/basic.html"},
                     {"R740Cf_GER/basic.html"},
                     "P:R740Cf_UK/basic.html"},
        CInstallCase{"nowhere: the program directory's default", "GER", {}, {}, "P:R740Cf_UK/basic.html"}));
} // namespace
