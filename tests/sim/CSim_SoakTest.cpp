// The fault soak: configuration and phonebook, received and sent, against emulators whose line
// loses, damages, cuts, repeats and pads frames and answers late. Whatever the line does, a
// transfer either ends with the telephone's data (a read gives what the telephone holds, a write
// leaves it holding what was sent, checked by the tool's read-back and by the telephone's state
// file) or fails with a reason; none hangs, and a lost link is reported within seconds.
//
// Seeded and small by default; R740_SOAK_ROUNDS=N runs N rounds per line (each with the next
// seed), R740_SOAK_SEED=S starts at seed S.

#include "sim/CTest_Emulator.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

namespace
{
int EnvNumber(const char* pszName, int nDefault)
{
    const char* psz = std::getenv(pszName);
    const int n = psz ? std::atoi(psz) : 0;
    return n > 0 ? n : nDefault;
}

// One kind of bad line, as the emulator's options make it.
struct CLine
{
    const char* pszWhat;
    std::vector<std::string> faults;
};

void PrintTo(const CLine& c, std::ostream* os)
{
    *os << c.pszWhat;
}

const std::vector<std::string> s_phone = {"--phone-type", "RV730", "--version", "4.10"};
// Short time-outs keep a lossy line quick; an answer later than that is one more fault.
const std::vector<std::string> s_link = {"--data-timeout", "80", "--repeats", "8", "--open-timeout", "5000"};

// diff's lines apart from the version block, which describes the telephone.
std::string BeyondVersion(const std::string& out)
{
    std::string lines;
    size_t nPos = 0;
    while (nPos < out.size())
    {
        size_t nEnd = out.find('\n', nPos);
        nEnd = nEnd == std::string::npos ? out.size() : nEnd + 1;
        if (out.compare(nPos, 17, "Version_00000000\t") != 0)
            lines += out.substr(nPos, nEnd - nPos);
        nPos = nEnd;
    }
    return lines;
}

const char* Outcome(const CTest_ToolRun& run)
{
    return run.nExit == 0 ? "done" : "failed";
}

// Sections the transfer does not exchange with this telephone (each side keeps its own).
std::string Exchanged(const std::string& text)
{
    std::string out;
    size_t nPos = 0;
    bool bSkip = false;
    while (nPos < text.size())
    {
        size_t nEnd = text.find("\r\n", nPos);
        nEnd = nEnd == std::string::npos ? text.size() : nEnd + 2;
        const std::string line = text.substr(nPos, nEnd - nPos);
        if (!line.empty() && line[0] == '[')
            bSkip = line.compare(1, 10, "AlarmCall_") == 0 || line.compare(1, 8, "Version_") == 0;
        if (!bSkip)
            out += line;
        nPos = nEnd;
    }
    return out;
}

class CSim_Soak : public ::testing::TestWithParam<CLine>
{
protected:
    CTest_ToolRun Tool(const CTest_Emulator& sim, std::vector<std::string> args, const char* pszRole)
    {
        args.insert(args.begin(), {"--role", pszRole});
        args.insert(args.end(), {"--device", sim.Device()});
        args.insert(args.end(), s_link.begin(), s_link.end());
        return RunTool(args);
    }
    // A run that did not end with success must have failed with a reason, never hung.
    static void ExpectFailedWithReason(const CTest_ToolRun& run, const std::string& what)
    {
        EXPECT_EQ(1, run.nExit) << what << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find("failed")) << what << "\n" << run.err;
    }

    CTest_TempDir m_dir;
};

TEST_P(CSim_Soak, EveryTransferEndsWithTheTelephonesDataOrFails)
{
    const CLine& line = GetParam();
    // The telephone's data, and what is sent to it: a changed configuration and phonebook.
    const std::string state = m_dir.File("phone.cfg");
    std::string heldCfg;
    std::string heldBook;
    {
        CTest_Emulator clean(
            [&]()
            {
                std::vector<std::string> args = s_phone;
                args.insert(args.end(), {"--state", state});
                return args;
            }());
        ASSERT_EQ(0, Tool(clean, {"read", m_dir.File("held.cfg")}, "configurator").nExit);
        ASSERT_EQ(0, Tool(clean, {"read-phonebook", m_dir.File("held-book.cfg")}, "phonebook").nExit);
        heldCfg = TestReadFile(m_dir.File("held.cfg"));
        heldBook = TestReadFile(m_dir.File("held-book.cfg"));
        ASSERT_EQ(0, clean.Stop());
    }
    const std::string sentCfg = m_dir.File("sent.cfg");
    std::string cfg = heldCfg;
    const size_t nName = cfg.find("\r\nUnitName=");
    ASSERT_NE(std::string::npos, nName);
    cfg.insert(nName + 11, "SOAK");
    TestWriteFile(sentCfg, cfg);
    const std::string sentBook = m_dir.File("sent-book.cfg");
    TestWriteFile(sentBook,
                  "\r\n[Version_00000000]\r\nPhoneType=RV730\r\nVersion=4.10\r\n\r\n"
                  "[DialNameBasic_00000000]\r\nCount=2\r\n\r\n[DialName_00000000]\r\nMelodyExt=2\r\n"
                  "Loud=4\r\nName=Anna\r\nMsnExt=0301\r\n\r\n[DialName_00000001]\r\nMelodyExt=0\r\n"
                  "Loud=3\r\nName=Bert\r\nMsnExt=0402\r\n");

    const int nRounds = EnvNumber("R740_SOAK_ROUNDS", 1);
    const int nSeed = EnvNumber("R740_SOAK_SEED", 1);
    for (int nRound = 0; nRound < nRounds; ++nRound)
    {
        const std::string seed = std::to_string(nSeed + nRound);
        SCOPED_TRACE(std::string(line.pszWhat) + ", seed " + seed);
        TestWriteFile(state, heldCfg);
        std::vector<std::string> args = s_phone;
        args.insert(args.end(), {"--state", state, "--seed", seed});
        args.insert(args.end(), line.faults.begin(), line.faults.end());
        CTest_Emulator sim(args);
        ASSERT_FALSE(sim.Device().empty());

        const std::string readCfg = m_dir.File("read.cfg");
        const CTest_ToolRun read = Tool(sim, {"read", readCfg}, "configurator");
        if (read.nExit == 0)
            EXPECT_EQ(Exchanged(heldCfg), Exchanged(TestReadFile(readCfg))) << "read said done";
        else
            ExpectFailedWithReason(read, "read");

        const CTest_ToolRun readBook =
            Tool(sim, {"read-phonebook", m_dir.File("read-book.cfg")}, "phonebook");
        if (readBook.nExit == 0)
            EXPECT_EQ(heldBook, TestReadFile(m_dir.File("read-book.cfg"))) << "read-phonebook said done";
        else
            ExpectFailedWithReason(readBook, "read-phonebook");

        // A write that says done was read back and compared by the tool; the state file shows it too.
        const CTest_ToolRun write = Tool(sim, {"write", sentCfg}, "configurator");
        if (write.nExit != 0)
            ExpectFailedWithReason(write, "write");
        const CTest_ToolRun writeBook = Tool(sim, {"write-phonebook", sentBook}, "phonebook");
        if (writeBook.nExit != 0)
            ExpectFailedWithReason(writeBook, "write-phonebook");
        ASSERT_EQ(0, sim.Stop()) << sim.Err();
        if (write.nExit == 0)
        {
            const CTest_ToolRun diff = RunTool({"--role", "configurator", "diff", sentCfg, state});
            EXPECT_EQ("", BeyondVersion(diff.out)) << "write said done";
        }
        if (writeBook.nExit == 0)
        {
            const CTest_ToolRun diff = RunTool({"--role", "phonebook", "diff", sentBook, state});
            EXPECT_EQ("", BeyondVersion(diff.out)) << "write-phonebook said done";
        }
        std::cout << line.pszWhat << ", seed " << seed << ": read " << Outcome(read) << ", read-phonebook "
                  << Outcome(readBook) << ", write " << Outcome(write) << ", write-phonebook "
                  << Outcome(writeBook) << std::endl;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CSim_Soak,
    ::testing::Values(CLine{"bit errors 1e-4", {"--bit-errors", "1e-4"}},
                      CLine{"bit errors 1e-3", {"--bit-errors", "1e-3"}},
                      CLine{"1 % lost", {"--loss", "0.01"}}, CLine{"10 % lost", {"--loss", "0.1"}},
                      CLine{"duplicated answers", {"--duplicate", "0.05"}},
                      CLine{"truncated frames", {"--truncate", "0.05"}},
                      CLine{"garbage between frames", {"--garbage", "0.05"}},
                      CLine{"late answers", {"--delay", "250", "--late", "0.05"}},
                      CLine{"everything at once",
                            {"--bit-errors", "1e-4", "--loss", "0.02", "--duplicate", "0.02", "--truncate",
                             "0.02", "--garbage", "0.02", "--nak", "0.02"}}),
    [](const ::testing::TestParamInfo<CLine>& param) { return "Line" + std::to_string(param.index); });

// The line goes dead in the middle of a transfer: the tool reports it within 3 s of the cut, with
// the program's own time-outs (5 s for an answer).
TEST(CSim_SoakLinkLoss, LostLinkIsReportedWithinThreeSeconds)
{
    CTest_TempDir dir;
    CTest_Emulator sim({"--phone-type", "RV730", "--version", "4.10", "--drop-after", "30"});
    const auto start = std::chrono::steady_clock::now();
    const CTest_ToolRun read = RunTool({"read", dir.File("out.cfg"), "--device", sim.Device()});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(1, read.nExit) << read.err;
    EXPECT_NE(std::string::npos, read.err.find("read failed: ")) << read.err;
    // The whole run, the tool's start and the frames before the cut included.
    EXPECT_LT(elapsed, std::chrono::seconds(3)) << read.err;
}
} // namespace
