#include "shell/CApp_CommandLine.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
struct CParamCase
{
    const char* pszWhat;
    std::vector<std::string> args;
    bool bUserMode;
    std::string a, b;
    bool bLine, bMayRead, bMayUpdate;
};

class CommandLinePabx : public ::testing::TestWithParam<CParamCase>
{
};

TEST_P(CommandLinePabx, SplitsAtSlashesAndTakesBit9)
{
    const CParamCase& c = GetParam();
    CApp_CommandLine cmd;
    cmd.Parse(c.args, ".cfg");
    cmd.EvaluateSwitches();
    cmd.EvaluatePabxParameters(c.bUserMode);
    EXPECT_EQ(c.a, cmd.m_szPabxParamA);
    EXPECT_EQ(c.b, cmd.m_szPabxParamB);
    EXPECT_EQ(c.bLine, cmd.m_bPabxLine);
    EXPECT_EQ(c.bMayRead, cmd.m_bMayRead);
    EXPECT_EQ(c.bMayUpdate, cmd.m_bMayUpdateFirmware);
}

const CParamCase s_cases[] = {
    {"PilcrowBecomesBlank",
     {"/KNT/a\xB6"
      "b/c/512"},
     false,
     "a b",
     "c",
     true,
     true,
     true},
    {"Bit9Clear", {"/KNT/a/c/511"}, false, "a", "c", true, false, false},
    {"Bit9AmongOthers", {"/KNT/a/c/1536"}, false, "a", "c", true, true, true},
    {"EmptyPiecesSkipped", {"/KNT//a///c//512"}, false, "a", "c", true, true, true},
    {"NumberMissing", {"/KNT/a/c"}, false, "a", "c", true, false, false},
    {"NumberNotDecimal", {"/KNT/a/c/x512"}, false, "a", "c", true, false, false},
    {"HugeNumberSaturates", {"/KNT/a/c/99999999999999999999999"}, false, "a", "c", true, true, true},
    {"NeitherCaseKeepsFlags", {"/SYSTEL"}, false, "", "", false, true, true},
    {"UserMode", {"u\xB6x/p/512"}, true, "u x", "p", true, true, true},
    {"UserModeAnyTextSwitchesLineOn", {"u"}, true, "u", "", true, false, false},
    {"UserModeEmptyText", {}, true, "", "", false, false, false},
    {"DocumentNotCut", {"/home/u/a.cfg", "/KNT/a/c/512"}, false, "a", "c", true, true, true},
};
INSTANTIATE_TEST_SUITE_P(Cases, CommandLinePabx, ::testing::ValuesIn(s_cases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST(CommandLine, DocumentPathIsTheFirstDocumentArgument)
{
    CApp_CommandLine cmd;
    cmd.Parse({"/SIMU", "/x/y/FILE.CFG", "/x/z.cfg", "/KNT"}, ".cfg");
    EXPECT_EQ("/x/y/FILE.CFG", cmd.DocumentPath());
    EXPECT_EQ("/SIMU /KNT", cmd.ArgumentText());
    EXPECT_EQ((std::vector<std::string>{"/SIMU", "/KNT"}), cmd.SwitchArgs());
}

TEST(CommandLine, SimuAndDownloadMustStandWithinOneArgument)
{
    CApp_CommandLine cmd;
    cmd.Parse({"/SI", "MU", "/DOWN", "LOAD", "/KN", "T"}, ".cfg");
    cmd.EvaluateSwitches();
    EXPECT_FALSE(cmd.m_bSimulation);
    EXPECT_FALSE(cmd.m_bFirmwareUpdate);
    EXPECT_FALSE(cmd.m_bPabxLine);
}

struct CIntCase
{
    const char* pszText;
    long long n;
};

class CommandLineInt : public ::testing::TestWithParam<CIntCase>
{
};

TEST_P(CommandLineInt, ReadsLikeTheToolWritesIt)
{
    EXPECT_EQ(GetParam().n, CApp_CommandLine::ToInt64(GetParam().pszText));
}

const CIntCase s_intCases[] = {
    {"512", 512},
    {"  -7x", -7},
    {"+12", 12},
    {"", 0},
    {"abc", 0},
    {"9223372036854775807", LLONG_MAX},
    {"9223372036854775808", LLONG_MAX},
    {"-9223372036854775808", LLONG_MIN},
    {"-99999999999999999999", LLONG_MIN},
};
INSTANTIATE_TEST_SUITE_P(Cases, CommandLineInt, ::testing::ValuesIn(s_intCases));
} // namespace

namespace
{
TEST(CommandLine, ADocumentPathIsNeverSearchedForSwitches)
{
    CApp_CommandLine cmd;
    cmd.Parse({"/home/x/KNT/SIMU/SYSTEL/DOWNLOAD.cfg"}, ".cfg");
    cmd.EvaluateSwitches();
    EXPECT_FALSE(cmd.m_bSimulation || cmd.m_bPabxLink || cmd.m_bPabxLine || cmd.m_bFirmwareUpdate);
    EXPECT_EQ("/home/x/KNT/SIMU/SYSTEL/DOWNLOAD.cfg", cmd.DocumentPath());
}
} // namespace
