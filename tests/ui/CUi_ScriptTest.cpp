// What a UI script may say: dialogs are closed where they were opened, and the steps that need an
// open dialog stand inside one.

#include "ui/CUi_Script.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct CScriptCase
{
    const char* pszText;
    bool bValid;
};

class UiScriptLines : public ::testing::TestWithParam<CScriptCase>
{
};

TEST_P(UiScriptLines, AreTakenOrRefusedWithTheFileAndLine)
{
    CTest_TempDir dir;
    TestWriteFile(dir.File("script.txt"), GetParam().pszText);
    const CUi_Script script(dir.File("script.txt"));
    EXPECT_EQ(GetParam().bValid, script.IsValid()) << GetParam().pszText;
    if (!GetParam().bValid)
    {
        EXPECT_NE(std::string::npos, script.Error().find("script.txt")) << script.Error();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UiScriptLines,
    ::testing::Values(CScriptCase{"page 0\npage -1\nfirststeps\nscreenshot-help h.png\nquit\n", true},
                      CScriptCase{"dialog 2502\nscreenshot-dialog p.png\nrow 0\nclose\nclose\nquit\n", true},
                      CScriptCase{"row 3\nclose\n", true}, CScriptCase{"close\n", false},
                      CScriptCase{"dialog 2502\n", false}, CScriptCase{"screenshot-dialog p.png\n", false},
                      CScriptCase{"dialog 2502\nquit\nclose\n", false}, CScriptCase{"row -1\nclose\n", false},
                      CScriptCase{"page x\n", false}, CScriptCase{"dialog 0\nclose\n", false},
                      CScriptCase{"page 99999999999999999999\n", false}));
} // namespace
