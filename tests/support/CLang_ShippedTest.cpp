// The language files shipped with the program: signed, free of faults, and found by language.

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_Settings.h"
#include "support/CLang_Info.h"
#include "support/CLang_Symbols.h"
#include "support/CLang_Text.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
std::string Shipped(const std::string& language)
{
    return std::string(R740_SOURCE_DIR) + "/resources/lang/R740Cf_" + language + ".txt";
}

class LangShipped : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LangShipped, IsSignedAndEveryKeyNamesASymbol)
{
    CLang_Text text;
    ASSERT_EQ(1, text.ReadFile(Shipped(GetParam())));
    EXPECT_TRUE(text.SignatureOk());
    EXPECT_EQ(0, text.AssertCount());
    // keys whose symbol is not in the table would be silently useless
    const std::string bytes = TestReadFile(Shipped(GetParam()));
    size_t nPos = 0;
    int nKeys = 0;
    while (nPos < bytes.size())
    {
        const size_t nEnd = bytes.find('\n', nPos);
        const std::string line = bytes.substr(nPos, nEnd - nPos);
        nPos = nEnd == std::string::npos ? bytes.size() : nEnd + 1;
        const std::string key = line.substr(0, line.find('\t'));
        const size_t nColon = key.find(':');
        if (nColon == std::string::npos)
            continue;
        const std::string head = key.substr(0, nColon);
        const std::string symbol = key.substr(nColon + 1);
        uint32_t n = 0;
        int nKind = 0;
        if (head == "__resText_STRING")
            nKind = LANG_KIND_STRING;
        else if (head == "__resText_DLG_CAPTION")
            nKind = LANG_KIND_DIALOG;
        else if (head == "__resText_POPUP")
            nKind = LANG_KIND_POPUP;
        else if (head == "__resText_MENUITEM")
            nKind = LANG_KIND_MENUITEM;
        else
        {
            uint32_t nDialog = 0;
            ASSERT_EQ(1, CLang_Symbols::NumberOf(LANG_KIND_DIALOG, head, nDialog)) << line;
            nKind = static_cast<int>(nDialog);
        }
        EXPECT_EQ(1, CLang_Symbols::NumberOf(nKind, symbol, n)) << line;
        ++nKeys;
    }
    EXPECT_GT(nKeys, 350);
    EXPECT_FALSE(text.GetDlgCaption(806).empty());
    EXPECT_FALSE(text.GetControlText(3300, 2).empty());
    EXPECT_FALSE(text.GetPopupText(7101).empty());
    EXPECT_NE(std::string::npos, text.GetMenuItemText(576010).find("\\t"));
}

INSTANTIATE_TEST_SUITE_P(Languages, LangShipped, ::testing::Values("UK", "GER"));

struct CLanguageCase
{
    const char* pszSetting;
    std::vector<std::string> files;
    const char* pszTransferCaption;
};

class LangShippedChoice : public ::testing::TestWithParam<CLanguageCase>
{
};

TEST_P(LangShippedChoice, TextsComeFromTheFileOfTheLanguageOrUk)
{
    CTest_TempDir settings;
    CTest_TempDir program;
    CPlatform_Settings::SetRootDirectory(settings.Path());
    std::filesystem::create_directories(program.File("lang"));
    for (const std::string& language : GetParam().files)
        std::filesystem::copy_file(Shipped(language), program.File("lang/R740Cf_" + language + ".txt"));
    CPlatform_Settings store("R740Test", "Choice");
    store.SetString("", "Language", GetParam().pszSetting);
    const CLang_Info info(program.Path(), "R740Cf.exe", "", &store);
    CLang_Text text(info.LanguageFilePath());
    EXPECT_EQ(GetParam().pszTransferCaption, text.GetDlgCaption(806));
    EXPECT_TRUE(text.SignatureOk());
}

INSTANTIATE_TEST_SUITE_P(Rows, LangShippedChoice,
                         ::testing::Values(CLanguageCase{"GER",
                                                         {"UK", "GER"},
                                                         "Daten\xFC"
                                                         "bertragung"},
                                           CLanguageCase{"GER", {"UK"}, "Data transfer"},
                                           CLanguageCase{"UK", {"UK", "GER"}, "Data transfer"},
                                           CLanguageCase{"ITA", {"UK", "GER"}, "Data transfer"},
                                           CLanguageCase{"GER", {}, ""}));
} // namespace
