// diff: every key in which two configurations differ, and nothing else.

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{
std::string Base()
{
    return TestReadFile(TestDataPath("tool/records_rv740.cfg"));
}

// The file with one line replaced; the line must exist.
std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t n = text.find(from);
    EXPECT_NE(std::string::npos, n) << from;
    if (n != std::string::npos)
        text.replace(n, from.size(), to);
    return text;
}

struct CDiffCase
{
    const char* pszWhat;
    std::string from; // text of the base file replaced in B ("" changes nothing)
    std::string to;
    std::vector<std::string> options;
    int nExit;
    std::string out;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const CDiffCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolDiff : public ::testing::TestWithParam<CDiffCase>
{
};

TEST_P(ToolDiff, ListsExactlyTheKeysThatDiffer)
{
    const CDiffCase& c = GetParam();
    CTest_TempDir dir;
    const std::string a = dir.File("a.cfg");
    const std::string b = dir.File("b.cfg");
    TestWriteFile(a, Base());
    TestWriteFile(b, c.from.empty() ? Base() : Replaced(Base(), c.from, c.to));
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"diff", a, b});
    const CTest_ToolRun run = RunTool(args);
    EXPECT_EQ(c.nExit, run.nExit) << c.pszWhat << "\n" << run.err;
    EXPECT_EQ(c.out, run.out) << c.pszWhat;
}

const std::string s_sectionB =
    "\r\n[DialName_00000000]\r\nMelodyExt=0\r\nLoud=1\r\nName=Abc\r\nMsnExt=12\r\n";

INSTANTIATE_TEST_SUITE_P(
    Changes, ToolDiff,
    ::testing::Values(
        CDiffCase{"the same file", "", "", {}, 0, ""},
        CDiffCase{"a basic key", "LoudBox=3\r\n", "LoudBox=5\r\n", {}, 1, "Basic_00000000\tLoudBox\t3\t5\n"},
        CDiffCase{"a version key",
                  "SerialNo=123456789",
                  "SerialNo=123456780",
                  {},
                  1,
                  "Version_00000000\tSerialNo\t123456789\t123456780\n"},
        CDiffCase{"a key of a key block",
                  "DialKeyMsn=0301234",
                  "DialKeyMsn=0301235",
                  {},
                  1,
                  "Key_00000005\tDialKeyMsn\t0301234\t0301235\n"},
        // Values are printed as the file's bytes (code page 1252).
        CDiffCase{"a name with an umlaut",
                  "Txt=B\xfcro",
                  "Txt=B\xfcr\xf6",
                  {},
                  1,
                  "MsnPara_00000002\tTxt\tB\xfcro\tB\xfcr\xf6\n"},
        CDiffCase{
            "a call filter", "Msn=0190\r\n", "Msn=0191\r\n", {}, 1, "CallFilter_00000001\tMsn\t0190\t0191\n"},
        CDiffCase{"a key added to an empty section",
                  "\r\n[MsnPara_00000002]",
                  "\r\n[DialVip_00000003]\r\nName=Taxi\r\n\r\n[MsnPara_00000002]",
                  {},
                  1,
                  "DialVip_00000003\tName\t\tTaxi\n"},
        CDiffCase{"a module key",
                  "\r\n[MsnPara_00000002]",
                  "\r\n[KeyE920_00000029]\r\nKeyUse=HEADSET\r\n\r\n[MsnPara_00000002]",
                  {},
                  1,
                  "KeyE920_00000029\tKeyUse\tDIAL\tHEADSET\n"},
        // Module keys come after the rest, even after the phonebook, which follows them in the file.
        CDiffCase{"module key and phonebook entry",
                  "\r\n[MsnPara_00000002]",
                  "\r\n[KeyE920_00000000]\r\nKeyUse=HEADSET\r\n" + s_sectionB + "\r\n[MsnPara_00000002]",
                  {"--role", "both"},
                  1,
                  "DialName_00000000\tMelodyExt\t(absent)\t0\n"
                  "DialName_00000000\tLoud\t(absent)\t1\n"
                  "DialName_00000000\tName\t(absent)\tAbc\n"
                  "DialName_00000000\tMsnExt\t(absent)\t12\n"
                  "DialName_00000000\tMsnGo\t(absent)\t0\n"
                  "DialName_00000000\tInfotext\t(absent)\t\n"
                  "KeyE920_00000000\tKeyUse\tDIAL\tHEADSET\n"},
        // What the program writes the same way is the same: an old key word, a bad value that
        // falls back to the value already there.
        CDiffCase{"an old key word", "KeyUse=DIAL\r\n", "KeyUse=DIALKEY\r\n", {}, 0, ""},
        CDiffCase{"the phonebook of a configurator file",
                  "\r\n[MsnPara_00000002]",
                  s_sectionB + "\r\n[MsnPara_00000002]",
                  {},
                  0,
                  ""}),
    [](const ::testing::TestParamInfo<CDiffCase>& row) { return "Case" + std::to_string(row.index); });

TEST(ToolDiffTypes, APhoneTypeWithFewerBlocksShowsTheirKeysAbsent)
{
    CTest_TempDir dir;
    const std::string a = dir.File("a.cfg");
    const std::string b = dir.File("b.cfg");
    TestWriteFile(a, Base());
    TestWriteFile(b, Replaced(Base(), "PhoneType=RV740", "PhoneType=RV730"));
    const CTest_ToolRun run = RunTool({"diff", a, b});
    EXPECT_EQ(1, run.nExit) << run.err;
    EXPECT_EQ(0u, run.out.find("Version_00000000\tPhoneType\tRV740\tRV730\n")) << run.out.substr(0, 400);
    // RV730 has ten keys and three MSNs, no call filters.
    EXPECT_NE(std::string::npos, run.out.find("\nKey_0000000A\tKeyUse\tDIAL\t(absent)\n"));
    EXPECT_EQ(std::string::npos, run.out.find("\nKey_00000009\tKeyUse\t"));
    EXPECT_NE(std::string::npos, run.out.find("\nMsnPara_00000003\tLoud\t0\t(absent)\n"));
    EXPECT_NE(std::string::npos, run.out.find("\nCallFilter_00000001\tMsn\t0190\t(absent)\n"));
    EXPECT_NE(std::string::npos, run.out.find("\nBasic_00000000\tCallFilterUse\tPASS_LIST\t(absent)\n"));
}

TEST(ToolDiffFailure, AnUnreadableFileIsAnError)
{
    CTest_TempDir dir;
    const std::string a = dir.File("a.cfg");
    TestWriteFile(a, Base());
    for (const auto& args : {std::vector<std::string>{"diff", a, dir.File("absent.cfg")},
                             std::vector<std::string>{"diff", dir.File("absent.cfg"), a}})
    {
        const CTest_ToolRun run = RunTool(args);
        EXPECT_EQ(2, run.nExit);
        EXPECT_NE(std::string::npos, run.err.find("cannot read " + dir.File("absent.cfg"))) << run.err;
        EXPECT_EQ("", run.out);
    }
}
} // namespace
