// convert: hand-written and damaged files come out byte for byte as the program saves them.

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{
std::string Golden(const char* pszName)
{
    return TestReadFile(TestDataPath(std::string("tool/") + pszName));
}

// Bytes that are no configuration file: every byte value, "[" and "]" and CR LF among them.
std::string Noise()
{
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

// The text of one section as written: its keys up to the empty line before the next header.
std::string Section(const std::string& file, const std::string& name)
{
    const std::string header = "\r\n[" + name + "]\r\n";
    const size_t nStart = file.find(header);
    if (nStart == std::string::npos)
        return "<missing>";
    const size_t nBody = nStart + header.size();
    const size_t nEnd = file.find("\r\n\r\n[", nBody);
    return file.substr(nBody, nEnd == std::string::npos ? std::string::npos : nEnd + 2 - nBody);
}

struct CConvertCase
{
    const char* pszWhat;
    const char* pszInput; // below tests/data/tool; nullptr: the bytes of input
    std::string input;
    const char* pszGolden; // below tests/data/tool
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const CConvertCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolConvert : public ::testing::TestWithParam<CConvertCase>
{
};

TEST_P(ToolConvert, GivesTheGoldenBytes)
{
    const CConvertCase& c = GetParam();
    CTest_TempDir dir;
    std::string in = c.pszInput ? TestDataPath(std::string("tool/") + c.pszInput) : dir.File("in.cfg");
    if (!c.pszInput)
        TestWriteFile(in, c.input);
    const std::string out = dir.File("out.cfg");
    const CTest_ToolRun run = RunTool({"convert", in, out});
    ASSERT_EQ(0, run.nExit) << c.pszWhat << "\n" << run.err;
    EXPECT_EQ("", run.out);
    const std::string expected = Golden(c.pszGolden);
    const std::string written = TestReadFile(out);
    EXPECT_TRUE(expected == written) << c.pszWhat << ": differs from " << c.pszGolden;

    // What the program wrote, it reads back to the same configuration.
    const std::string again = dir.File("again.cfg");
    ASSERT_EQ(0, RunTool({"convert", out, again}).nExit);
    EXPECT_TRUE(written == TestReadFile(again)) << c.pszWhat << ": a second conversion changed the file";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolConvert,
    ::testing::Values(
        CConvertCase{"bad values, an unknown section, headers in other cases, a blank before a key, "
                     "a value with ], a duplicate key, LF inside a section",
                     "damaged.cfg", "", "damaged.expected.cfg"},
        CConvertCase{"an empty file gives the values of empty keys", nullptr, "", "empty.expected.cfg"},
        // Only the first key after each header is found, and its value runs on to the next CR.
        CConvertCase{"a file with LF-only lines", "lf_only.cfg", "", "empty.expected.cfg"},
        CConvertCase{"bytes that are no configuration file", nullptr, Noise(), "empty.expected.cfg"},
        CConvertCase{"the expected output itself", "damaged.expected.cfg", "", "damaged.expected.cfg"}),
    [](const ::testing::TestParamInfo<CConvertCase>& row) { return "Case" + std::to_string(row.index); });

// Sections of damaged.cfg as worked out by hand from the keys' value rules.
struct CSectionCase
{
    const char* pszSection;
    const char* pszExpected;
};

class ToolConvertDamaged : public ::testing::TestWithParam<CSectionCase>
{
protected:
    static void SetUpTestSuite()
    {
        CTest_TempDir dir;
        const std::string out = dir.File("out.cfg");
        const CTest_ToolRun run = RunTool({"convert", TestDataPath("tool/damaged.cfg"), out});
        ASSERT_EQ(0, run.nExit) << run.err;
        s_written = TestReadFile(out);
    }
    static std::string s_written;
};
std::string ToolConvertDamaged::s_written;

TEST_P(ToolConvertDamaged, SectionIsWrittenAsWorkedOutByHand)
{
    EXPECT_EQ(GetParam().pszExpected, Section(s_written, GetParam().pszSection));
}

const std::string s_emptyKeyTail = "DialKeyUse=MSN\r\nAwsKeyUse=DELAY\r\n";

INSTANTIATE_TEST_SUITE_P(
    Sections, ToolConvertDamaged,
    ::testing::Values(
        // Found under an upper-case header; unknown OEM word, a country without a written word,
        // a non-digit in the serial number, a negative database version.
        CSectionCase{"Version_00000000",
                     "PhoneType=RV740\r\nOemType=TALVO\r\nCountry=NON\r\nSerialNo=1234\r\n"
                     "Version=4.10\r\nRelease=\r\nOemString=\r\nLcrSupport=On\r\nDbVersion=0\r\n"},
        // Found under a lower-case header. LoudBox 12 is out of range, FAST no LcrMode word, x and
        // a no digits, a leading comma dropped, "on" no Boolean word, level 7 written as 0, a key
        // after a blank and a key in lower case not found, the section sign no name character, a
        // blank no digit, "]" ends a value, and the first of two equal keys counts.
        CSectionCase{
            "Basic_00000000",
            "DialFilterUse=NON\r\nSilence=OFF\r\nLcrMode=DEFAULT_CARRIER\r\nDispCall=NUMBER_CHARGE\r\n"
            "DispCharge=CHARGE_ELSE_TIME\r\nDialPre=01\r\nDialPreInt=\r\nPayMult=5\r\nPayStr=EUR\r\n"
            "ParkCode=55\r\nUnitName=Gro\xdf{Haus}\r\nDirectCall=\r\nLoudBox=0\r\nLoudHand=0\r\n"
            "LoudKnock=0\r\nLoudAlarmCall=0\r\nLoudSilence=0\r\nLcrRepeat=0\r\nPabxType=0\r\nDialLen=4\r\n"
            "PayCounter=0\r\nE740=Off\r\nAutoExt=Off\r\nToneKnock=0\r\nToneError=Off\r\nToneQuit=Off\r\n"
            "KnockRepeat=Off\r\nDispNumberOut=On\r\nDispNumberIn=Off\r\nDispNumberListLed=Off\r\n"
            "LetterLarge=Off\r\nHeadSet=0\r\nLcr=Off\r\nPabxAtLowPower=Off\r\nFreeSpeakSilence=Off\r\n"
            "DisplayLanguage=NON\r\nSmsServiceNo=0180123\r\nDefaultSMSServer=0\r\nSmsServiceNo2=\r\n"
            "SmsServiceNo3=\r\nKeypad=0\r\nLinkEndInfo=On\r\nCallFilterUse=NON\r\nUusFilterInternal=Off\r\n"
            "UusFilterExternal=Off\r\nVoiceBoxNo=\r\nLoudAttention=0\r\nSilenceMsn1=Off\r\n"
            "ToneKnockIntern=0\r\nStatusLed=0\r\nSkPhonebook=0\r\n"},
        // The LF-separated keys are one line: Loud reads its leading digits, Melody and Msn are
        // not found; the display text is cut to eight characters.
        CSectionCase{"MsnPara_00000000",
                     "Loud=5\r\nMelody=0\r\nLoudIntern=0\r\nMelodyIntern=0\r\nPayCounter=0\r\n"
                     "Msn=\r\nTxt=Hallo We\r\nMsnAws=\r\nCallDelectionNo=\r\nTaxLimit=0\r\n"},
        CSectionCase{"DialVip_00000000", "Msn=110\r\nName=Polizei\r\n"},
        CSectionCase{"AlarmCall_00000001",
                     "Day=31\r\nHour=0\r\nMinute=59\r\nMonth=2\r\nYear=6\r\nSetting=2\r\nInfotext=\r\n"},
        CSectionCase{"CallFilter_00000004", "Msn=\r\n"}, CSectionCase{"Unknown_00000000", "<missing>"},
        // A phone type with 62 keys has no key 62.
        CSectionCase{"Key_0000003E", "<missing>"}, CSectionCase{"DialName_00000000", "<missing>"}));

TEST(ToolConvertKeys, KeysOfTheDamagedFile)
{
    CTest_TempDir dir;
    const std::string out = dir.File("out.cfg");
    ASSERT_EQ(0, RunTool({"convert", TestDataPath("tool/damaged.cfg"), out}).nExit);
    const std::string written = TestReadFile(out);
    // An internal number longer than four digits is emptied; the key keeps its function.
    EXPECT_EQ(0u, Section(written, "Key_00000003").find("KeyUse=CHEF\r\n" + s_emptyKeyTail));
    EXPECT_NE(std::string::npos, Section(written, "Key_00000003").find("\r\nChefKeyMsnInt=\r\n"));
    EXPECT_NE(std::string::npos, Section(written, "Key_00000003").find("\r\nKeyName=Chef\r\n"));
    // An unknown function is DIAL; the old word DIALKEY reads as DIAL.
    EXPECT_EQ(0u, Section(written, "Key_00000004").find("KeyUse=DIAL\r\n"));
    EXPECT_EQ(0u, Section(written, "KeyE920_00000000")
                      .find("KeyUse=DIAL\r\n" + s_emptyKeyTail + "DialKeyMsn=4711\r\n"));
}

TEST(ToolConvertFailure, MissingInputIsAnErrorAndLeavesTheOutputAlone)
{
    CTest_TempDir dir;
    const std::string out = dir.File("out.cfg");
    TestWriteFile(out, "previous");
    const CTest_ToolRun run = RunTool({"convert", dir.File("absent.cfg"), out});
    EXPECT_EQ(2, run.nExit);
    EXPECT_NE(std::string::npos, run.err.find("cannot read " + dir.File("absent.cfg"))) << run.err;
    EXPECT_EQ("previous", TestReadFile(out));
}

TEST(ToolConvertFailure, UnwritableOutputIsAnError)
{
    CTest_TempDir dir;
    const CTest_ToolRun run =
        RunTool({"convert", TestDataPath("tool/damaged.cfg"), dir.File("no/such/dir.cfg")});
    EXPECT_EQ(2, run.nExit);
    EXPECT_NE(std::string::npos, run.err.find("cannot write")) << run.err;
}

TEST(ToolConvertFailure, ADirectoryIsNoInput)
{
    CTest_TempDir dir;
    EXPECT_EQ(2, RunTool({"convert", dir.Path(), dir.File("out.cfg")}).nExit);
}

struct CUsageCase
{
    std::vector<std::string> args;
    const char* pszErr;
};

class ToolConfigUsage : public ::testing::TestWithParam<CUsageCase>
{
};

TEST_P(ToolConfigUsage, IsExitCodeTwoWithAMessage)
{
    const CTest_ToolRun run = RunTool(GetParam().args);
    EXPECT_EQ(2, run.nExit);
    EXPECT_NE(std::string::npos, run.err.find(GetParam().pszErr)) << run.err;
    EXPECT_EQ("", run.out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolConfigUsage,
    ::testing::Values(CUsageCase{{"convert", "only-one"},
                                 "usage: r740tool [--brand NAME] [--role ROLE] convert IN OUT"},
                      CUsageCase{{"convert", "a", "b", "c"}, "usage:"},
                      CUsageCase{{"diff", "a"}, "usage: r740tool [--brand NAME] [--role ROLE] diff A B"},
                      CUsageCase{{"--role", "editor", "convert", "a", "b"}, "unknown role editor"},
                      CUsageCase{{"convert", "a", "b", "--role"}, "usage:"},
                      CUsageCase{{"--role"}, "--role needs a value"},
                      CUsageCase{{"--brand", "NOPE", "convert", "a", "b"}, "error loading resource-dll!"}));

// The role decides which parts of a file are read and written.
struct CRoleCase
{
    std::vector<std::string> options;
    bool bCfg;
    bool bDialName;
};

class ToolConvertRole : public ::testing::TestWithParam<CRoleCase>
{
};

TEST_P(ToolConvertRole, WritesThePartsOfItsRole)
{
    CTest_TempDir dir;
    const std::string in = dir.File("in.cfg");
    TestWriteFile(in, "\r\n[Version_00000000]\r\nPhoneType=RV740\r\nVersion=4.10\r\n"
                      "\r\n[Basic_00000000]\r\nLoudBox=4\r\n"
                      "\r\n[DialName_00000000]\r\nMelodyExt=2\r\nLoud=4\r\nName=Zoo\r\nMsnExt=0301\r\n");
    std::vector<std::string> args = GetParam().options;
    const std::string out = dir.File("out.cfg");
    args.insert(args.end(), {"convert", in, out});
    const CTest_ToolRun run = RunTool(args);
    ASSERT_EQ(0, run.nExit) << run.err;
    const std::string written = TestReadFile(out);
    EXPECT_EQ(0u, written.find("\r\n[Version_00000000]\r\nPhoneType=RV740\r\n"));
    EXPECT_EQ(GetParam().bCfg, Section(written, "Basic_00000000").find("LoudBox=4\r\n") != std::string::npos);
    EXPECT_EQ(GetParam().bCfg, written.find("[KeyE920_0000007D]") != std::string::npos);
    EXPECT_EQ(GetParam().bDialName,
              Section(written, "DialName_00000000").find("Name=Zoo\r\n") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Roles, ToolConvertRole,
    ::testing::Values(CRoleCase{{}, true, false}, CRoleCase{{"--role", "configurator"}, true, false},
                      CRoleCase{{"--role", "phonebook"}, false, true},
                      CRoleCase{{"--role", "both"}, true, true},
                      CRoleCase{{"--brand", "TALVO_pb"}, false, true},
                      CRoleCase{{"--brand", "TALVO_pb", "--role", "configurator"}, true, false}));
} // namespace
