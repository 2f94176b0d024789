// The program's transfer (r740tool over the link library) against the telephone emulator on a
// pseudo-terminal: configuration and phonebook both ways for phone types and brands whose records
// differ; lost, damaged and cut lines.

#include "sim/CTest_CfgText.h"
#include "sim/CTest_Emulator.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace
{
const char s_szLineEnd[] = "\r\n";
// Short time-outs: the emulator answers in microseconds, a lost frame should not cost seconds.
const std::vector<std::string> s_fast = {"--open-timeout", "5000", "--data-timeout", "300"};

std::vector<std::string> Args(std::vector<std::string> args, const std::vector<std::string>& more = s_fast)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

bool Exists(const std::string& path)
{
    return std::ifstream(path).good();
}

// Replaces the value of a key within a section of a file as the program writes it.
void SetKey(std::string& text, const std::string& section, const std::string& key, const std::string& value)
{
    const size_t nSection = text.find("[" + section + "]" + s_szLineEnd);
    ASSERT_NE(std::string::npos, nSection) << section;
    const size_t nKey = text.find(s_szLineEnd + key + "=", nSection);
    ASSERT_NE(std::string::npos, nKey) << section << " " << key;
    const size_t nValue = nKey + 2 + key.size() + 1;
    const size_t nEnd = text.find(s_szLineEnd, nValue);
    text.replace(nValue, nEnd - nValue, value);
}

// diff's lines apart from the version block, which describes the telephone.
std::string DiffBeyondVersion(const std::string& out)
{
    std::string lines;
    size_t nPos = 0;
    while (nPos < out.size())
    {
        size_t nEnd = out.find('\n', nPos);
        nEnd = nEnd == std::string::npos ? out.size() : nEnd + 1;
        const std::string line = out.substr(nPos, nEnd - nPos);
        if (line.compare(0, 17, "Version_00000000\t") != 0)
            lines += line;
        nPos = nEnd;
    }
    return lines;
}

struct CPhone
{
    const char* pszWhat;
    const char* pszBrand;
    const char* pszType;
    const char* pszOem;
    const char* pszVersion;
    const char* pszModules;
    bool bAlarmCalls;         // the alarm calls are exchanged
    const char* pszModuleKey; // a key of an attached module, or nullptr
};

void PrintTo(const CPhone& c, std::ostream* os)
{
    *os << c.pszWhat;
}

std::vector<std::string> EmulatorArgs(const CPhone& c, const std::string& state)
{
    return {"--state", state,       "--brand",    c.pszBrand,  "--phone-type", c.pszType,  "--oem",
            c.pszOem,  "--version", c.pszVersion, "--modules", c.pszModules,   "--serial", "4711"};
}

class CSim_EndToEnd : public ::testing::TestWithParam<CPhone>
{
protected:
    CTest_TempDir m_dir;
};

TEST_P(CSim_EndToEnd, ConfigurationAndPhonebookBothWays)
{
    const CPhone& c = GetParam();
    const std::string state = m_dir.File("phone.cfg");
    CTest_Emulator sim(EmulatorArgs(c, state));
    ASSERT_FALSE(sim.Device().empty());
    const std::vector<std::string> link = Args({"--device", sim.Device()});
    auto tool = [&](std::vector<std::string> args, const char* pszRole)
    {
        args.insert(args.end(), link.begin(), link.end());
        args.insert(args.begin(), {"--brand", c.pszBrand, "--role", pszRole});
        return RunTool(args);
    };

    // Read, change, write: what was written is what the telephone holds and what a read gives.
    const std::string first = m_dir.File("first.cfg");
    const CTest_ToolRun read = tool({"read", first}, "both");
    ASSERT_EQ(0, read.nExit) << read.err;
    EXPECT_NE(std::string::npos, read.err.find("100%")) << read.err;
    std::string sent = TestReadFile(first);
    SetKey(sent, "Basic_00000000", "UnitName", "TESTNAME");
    SetKey(sent, "MsnPara_00000000", "Msn", "301234");
    SetKey(sent, "Key_00000003", "DialKeyMsn", "0301234");
    SetKey(sent, "DialFilter_00000007", "Msn", "0190");
    if (c.pszModuleKey)
        SetKey(sent, c.pszModuleKey, "DialKeyMsn", "777");
    const std::string in = m_dir.File("in.cfg");
    TestWriteFile(in, sent);
    const CTest_ToolRun write = tool({"write", in, "--pin", "5182"}, "both");
    ASSERT_EQ(0, write.nExit) << write.err;
    const std::string again = m_dir.File("again.cfg");
    ASSERT_EQ(0, tool({"read", again}, "both").nExit);
    // The alarm calls of a phone without them are each side's defaults (the clock's time).
    std::vector<std::string> local;
    if (!c.bAlarmCalls)
        local.push_back("AlarmCall_");
    EXPECT_EQ(Without(sent, local), Without(TestReadFile(again), local));

    // The phonebook both ways.
    const std::string book = m_dir.File("book.cfg");
    TestWriteFile(book, std::string("\r\n[Version_00000000]\r\nPhoneType=") + c.pszType +
                            "\r\nVersion=" + c.pszVersion +
                            "\r\n\r\n[DialNameBasic_00000000]\r\nCount=2\r\n\r\n[DialName_00000000]\r\n"
                            "MelodyExt=2\r\nLoud=4\r\nName=Anna\r\nMsnExt=0301\r\n\r\n[DialName_00000001]\r\n"
                            "MelodyExt=0\r\nLoud=3\r\nName=Bert\r\nMsnExt=0402\r\n");
    const CTest_ToolRun writeBook = tool({"write-phonebook", book}, "phonebook");
    ASSERT_EQ(0, writeBook.nExit) << writeBook.err;
    const std::string bookAgain = m_dir.File("book2.cfg");
    ASSERT_EQ(0, tool({"read-phonebook", bookAgain}, "phonebook").nExit);
    EXPECT_EQ("", DiffBeyondVersion(
                      RunTool({"--brand", c.pszBrand, "--role", "phonebook", "diff", book, bookAgain}).out));

    // The state file holds all of it.
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
    std::vector<std::string> noBook = local;
    noBook.push_back("DialName");
    EXPECT_EQ(Without(sent, noBook), Without(TestReadFile(state), noBook));
    EXPECT_EQ("", DiffBeyondVersion(
                      RunTool({"--brand", c.pszBrand, "--role", "phonebook", "diff", book, state}).out));
}

INSTANTIATE_TEST_SUITE_P(
    Phones, CSim_EndToEnd,
    ::testing::Values(CPhone{"RV930 with answering machine and a key module", "TALVO", "RV930", "TALVO",
                             "4.10", "AB,E920,NON,NON", true, "KeyE920_00000005"},
                      CPhone{"R740 2.10 without call filters", "TALVO", "R740", "TALVO", "2.10",
                             "NON,NON,NON,NON", false, nullptr},
                      CPhone{"RV730", "TALVO", "RV730", "TALVO", "4.10", "NON,NON,NON,NON", false, nullptr},
                      CPhone{"RV920 of VORTANE", "VORTANE", "RV920", "VORTANE", "3.40", "NON,NON,NON,NON",
                             true, nullptr},
                      CPhone{"RV730U of TALVO under NOVREK", "NOVREK", "RV730U", "TALVO", "4.10",
                             "NON,NON,NON,NON", false, nullptr}),
    [](const ::testing::TestParamInfo<CPhone>& param) { return "Phone" + std::to_string(param.index); });

// ---- Faults --------------------------------------------------------------------------------------

// Rounds of the lossy line: a handful here; R740_FAULT_ROUNDS=100 for the long run (README).
int FaultRounds()
{
    const char* psz = std::getenv("R740_FAULT_ROUNDS");
    const int n = psz ? std::atoi(psz) : 0;
    return n > 0 ? n : 2;
}

TEST(CSim_Faults, LossyLineStillTransfersTheSameConfiguration)
{
    CTest_TempDir dir;
    const std::string state = dir.File("phone.cfg");
    const std::vector<std::string> phone = {"--state", state, "--phone-type", "RV730", "--version", "4.10"};
    std::string reference;
    {
        CTest_Emulator clean(phone);
        ASSERT_EQ(0, RunTool(Args({"read", dir.File("ref.cfg"), "--device", clean.Device()})).nExit);
        reference = TestReadFile(dir.File("ref.cfg"));
    }
    // Each frame is lost with 5 %, damaged with 1 %; a short data time-out keeps repeats cheap.
    std::vector<std::string> faults = phone;
    faults.insert(faults.end(),
                  {"--loss", "0.05", "--corrupt", "0.01", "--seed", "17", "--log", dir.File("sim.log")});
    CTest_Emulator sim(faults);
    const std::vector<std::string> lossy = {"--device", sim.Device(), "--data-timeout",
                                            "150",      "--repeats",  "8"};
    const int nRounds = FaultRounds();
    for (int i = 0; i < nRounds; ++i)
    {
        SCOPED_TRACE("round " + std::to_string(i));
        const std::string out = dir.File("out.cfg");
        const CTest_ToolRun read = RunTool(Args({"read", out}, lossy));
        ASSERT_EQ(0, read.nExit) << read.err;
        EXPECT_EQ(Without(reference, {"AlarmCall_"}), Without(TestReadFile(out), {"AlarmCall_"}));
        const CTest_ToolRun write = RunTool(Args({"write", dir.File("ref.cfg")}, lossy));
        ASSERT_EQ(0, write.nExit) << write.err;
    }
    ASSERT_EQ(0, sim.Stop());
    // Something was lost and damaged on the way, and nothing of it shows.
    const std::string log = TestReadFile(dir.File("sim.log"));
    EXPECT_NE(std::string::npos, log.find("-lost")) << sim.Err();
}

TEST(CSim_Faults, LinkLostMidTransferFailsAndLeavesTheOutputAlone)
{
    CTest_TempDir dir;
    CTest_Emulator sim({"--phone-type", "RV740", "--drop-after", "40"});
    const std::string out = dir.File("out.cfg");
    TestWriteFile(out, "before");
    const CTest_ToolRun read = RunTool(Args({"read", out, "--device", sim.Device()}));
    EXPECT_EQ(1, read.nExit) << read.err;
    EXPECT_NE(std::string::npos, read.err.find("read failed: ")) << read.err;
    EXPECT_EQ("before", TestReadFile(out));
    const std::string fresh = dir.File("fresh.cfg");
    EXPECT_EQ(1, RunTool(Args({"read", fresh, "--device", sim.Device()})).nExit);
    EXPECT_FALSE(Exists(fresh));
    // A device that is not there is named with the system's reason.
    const CTest_ToolRun missing = RunTool(Args({"read", fresh, "--device", dir.File("ttyNONE")}));
    EXPECT_EQ(1, missing.nExit);
    EXPECT_NE(std::string::npos,
              missing.err.find("could not be opened: " + dir.File("ttyNONE") + ": No such file or directory"))
        << missing.err;
}

TEST(CSim_Faults, UnreadableInputIsNotSentAndUsageIsTwo)
{
    CTest_TempDir dir;
    CTest_Emulator sim({"--phone-type", "RV740"});
    const CTest_ToolRun write = RunTool(Args({"write", dir.File("missing.cfg"), "--device", sim.Device()}));
    EXPECT_EQ(2, write.nExit) << write.err;
    EXPECT_EQ(2, RunTool({"write", dir.File("missing.cfg"), "--pin", "123"}).nExit);
    EXPECT_EQ(2, RunTool({"read"}).nExit);
    // A wrong PIN is a refusal: exit 1 with the reason.
    TestWriteFile(dir.File("in.cfg"), "\r\n[Version_00000000]\r\nPhoneType=RV740\r\n");
    const CTest_ToolRun refused =
        RunTool(Args({"write", dir.File("in.cfg"), "--pin", "0000", "--device", sim.Device()}));
    EXPECT_EQ(1, refused.nExit);
    EXPECT_NE(std::string::npos, refused.err.find("refused the PIN")) << refused.err;
    ASSERT_EQ(0, sim.Stop());
    // Only the backup's read and the refused write reached the telephone: the read's frames, then
    // version, count request, PIN.
    CTest_Emulator reader({"--phone-type", "RV740"});
    ASSERT_EQ(0, RunTool(Args({"read", dir.File("held.cfg"), "--device", reader.Device()})).nExit);
    ASSERT_EQ(0, reader.Stop());
    const size_t nAt = reader.Err().find(": ");
    ASSERT_NE(std::string::npos, nAt) << reader.Err();
    const long nRead = std::strtol(reader.Err().c_str() + nAt + 2, nullptr, 10);
    EXPECT_NE(std::string::npos, sim.Err().find(": " + std::to_string(nRead + 3) + " frames received"))
        << sim.Err();
}
// ---- Verified writes -----------------------------------------------------------------------------

struct CAlterCase
{
    const char* pszCommand;
    const char* pszRead;
    const char* pszRole;
    const char* pszBlock; // the block the telephone changes
};

class CSim_VerifiedWrite : public ::testing::TestWithParam<CAlterCase>
{
};

// A telephone that silently keeps another value of a block: the write reports the block and exit
// 1, the backup holds what the telephone held before, and sending the backup puts it back.
TEST_P(CSim_VerifiedWrite, CatchesAnAlteredBlockAndTheBackupRestores)
{
    const CAlterCase& c = GetParam();
    CTest_TempDir dir;
    CTest_Emulator sim({"--phone-type", "RV930", "--modules", "AB,E920,NON,NON", "--version", "4.10",
                        "--alter-block", c.pszBlock});
    auto tool = [&](const std::vector<std::string>& args)
    {
        std::vector<std::string> all = {"--role", c.pszRole};
        all.insert(all.end(), args.begin(), args.end());
        return RunTool(Args(all, {"--device", sim.Device(), "--data-timeout", "300"}));
    };
    const std::string before = dir.File("before.cfg");
    ASSERT_EQ(0, tool({c.pszRead, before}).nExit);
    std::string text = TestReadFile(before);
    if (std::string(c.pszRole) == "phonebook")
        text = "\r\n[Version_00000000]\r\nPhoneType=RV930\r\nVersion=4.10\r\n\r\n[DialNameBasic_00000000]\r\n"
               "Count=2\r\n\r\n[DialName_00000000]\r\nMelodyExt=2\r\nLoud=4\r\nName=Anna\r\nMsnExt=0301\r\n"
               "\r\n[DialName_00000001]\r\nMelodyExt=0\r\nLoud=3\r\nName=Bert\r\nMsnExt=0402\r\n";
    else
        SetKey(text, "MsnPara_00000000", "Msn", "301234");
    const std::string in = dir.File("in.cfg");
    TestWriteFile(in, text);

    const CTest_ToolRun write = tool({c.pszCommand, in});
    EXPECT_EQ(1, write.nExit) << write.err;
    EXPECT_NE(std::string::npos, write.err.find(std::string("\n  ") + c.pszBlock + "\n")) << write.err;
    const std::string backup = in + ".phone-backup.cfg";
    EXPECT_EQ(TestReadFile(before), TestReadFile(backup));

    const CTest_ToolRun restore = tool({c.pszCommand, backup});
    EXPECT_EQ(0, restore.nExit) << restore.err;
    EXPECT_NE(std::string::npos, restore.err.find("verified")) << restore.err;
    EXPECT_EQ("", TestReadFile(backup + ".phone-backup.cfg")) << "no backup of a backup";
    const std::string after = dir.File("after.cfg");
    ASSERT_EQ(0, tool({c.pszRead, after}).nExit);
    EXPECT_EQ(TestReadFile(before), TestReadFile(after));
    // Without the read-back the telephone's word is taken.
    const CTest_ToolRun unverified = tool({c.pszCommand, in, "--no-verify"});
    EXPECT_EQ(0, unverified.nExit) << unverified.err;
    EXPECT_EQ(std::string::npos, unverified.err.find("verified")) << unverified.err;
}

INSTANTIATE_TEST_SUITE_P(Blocks, CSim_VerifiedWrite,
                         ::testing::Values(CAlterCase{"write", "read", "configurator", "MsnPara_00000000"},
                                           CAlterCase{"write-phonebook", "read-phonebook", "phonebook",
                                                      "DialName_00000001"}),
                         [](const ::testing::TestParamInfo<CAlterCase>& param)
                         { return std::string(param.param.pszRole); });
} // namespace
