// The window program R740Cf, started offscreen with a scripted user, against the telephone
// emulator: a read through the menu, the PABX tool's unattended runs (configuration over the line
// link, phonebook over the PABX link, firmware update) and the phonebook program's refusal of the
// small telephones. What the program saves is compared with what the emulator holds.

#include "sim/CTest_CfgText.h"
#include "sim/CTest_Emulator.h"
#include "sim/CTest_Program.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"
#include "ui/CUi_Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{
// The demonstration telephone: an RV930 with an answering machine and a key module, holding the
// sample configuration and phonebook.
const std::string s_sample = std::string(R740_TEST_DATA_DIR) + "/../../resources/samples/RV930.cfg";
// Short time-outs: the emulator answers at once; a sanitized program may need a moment to connect.
const char s_szSettings[] = "[Transfer]\nConnection=1\nComPort=1\nTimerOpen=8000\nTimerData=1500\n";
// Sections that each side keeps of its own (the alarm calls take the clock's time).
const std::vector<std::string> s_local = {"AlarmCall_"};

const char s_szPhonebookBundle[] = R740_BINARY_DIR "/resources/TALVO_pb/Res_Pb.rcc";

class CSim_Program : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestWriteFile(m_state, TestReadFile(s_sample));
        m_program.workDir = m_dir.Path();
        m_program.settings = s_szSettings;
    }
    // The emulator's telephone; its state file is the sample's copy.
    std::vector<std::string> Phone() const
    {
        return {"--state", m_state, "--phone-type", "RV930", "--modules", "AB,E920,NON,NON", "--log", m_log};
    }
    void HandOff(const std::string& type, const std::string& link) const
    {
        TestWriteFile(m_dir.File("SystelConfig.ini"),
                      "[SystelConfiguration]\r\nSerialNo=4711\r\nPortId=3\r\nLink=" + link +
                          "\r\nType=" + type + "\r\nName=Desk\r\nServiceNo=FW0815\r\n");
    }
    // The script's lines that save the document as out.cfg and end the program.
    std::string SaveAndQuit() const
    {
        return "command " + std::to_string(ID_FILE_SAVE_AS) + "\nfile " + Out() + "\nquit\n";
    }
    std::string Out() const { return m_dir.File("out.cfg"); }
    // What the tool reads from the emulator (the telephone as the link gives it), in the sections
    // of the program's role: the configurator's or the phonebook program's.
    std::string ToolRead(const CTest_Emulator& sim, bool bPhonebook) const
    {
        const std::string path = m_dir.File("tool.cfg");
        const std::vector<std::string> args =
            bPhonebook ? std::vector<std::string>{"read-phonebook", path, "--device", sim.Device()}
                       : std::vector<std::string>{"--brand", "TALVO", "read", path, "--device", sim.Device()};
        const CTest_ToolRun run = RunTool(args, bPhonebook ? s_szPhonebookBundle : nullptr);
        EXPECT_EQ(0, run.nExit) << run.err;
        return TestReadFile(path);
    }

    CTest_TempDir m_dir;
    std::string m_state = m_dir.File("phone.cfg");
    std::string m_log = m_dir.File("sim.log");
    CTest_Program m_program;
};

TEST_F(CSim_Program, AReadThroughTheMenuFillsTheDocumentAndSavesTheTelephonesConfiguration)
{
    CTest_Emulator sim(Phone());
    ASSERT_FALSE(sim.Device().empty());
    m_program.device = sim.Device();
    m_program.script = "command " + std::to_string(ID_FILE_RX_CFG) + "\n" + SaveAndQuit();
    const CTest_ProgramRun run = m_program.Run({});
    ASSERT_EQ(0, run.nExit) << run.err;
    const std::string saved = TestReadFile(Out());
    EXPECT_NE(std::string::npos, saved.find("\r\nUnitName=Empfang\r\n"));
    EXPECT_EQ(Without(ToolRead(sim, false), s_local), Without(saved, s_local));
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}

// The guide's walk through pages and dialogs: every dialog opened is pictured and closed without
// a change; a row or a dialog that does not come up skips its steps and says so.
TEST_F(CSim_Program, AScriptedWalkPicturesPagesAndDialogsAndChangesNothing)
{
    CTest_Emulator sim(Phone());
    ASSERT_FALSE(sim.Device().empty());
    m_program.device = sim.Device();
    const std::string rx = std::to_string(ID_FILE_RX_CFG);
    const std::string tx = std::to_string(ID_FILE_TX_CFG);
    const std::string toolbar = std::to_string(ID_VIEW_TOOLBAR);
    m_program.script = "log " + m_dir.File("log.txt") + "\ncommand " + rx + "\npage -1\nscreenshot " +
                       m_dir.File("last.png") + "\npage 3\nrow 0\nscreenshot-dialog " +
                       m_dir.File("row.png") + "\nclose\nrow 99\nscreenshot-dialog " +
                       m_dir.File("none.png") + "\nclose\ndialog " + tx + "\nscreenshot-dialog " +
                       m_dir.File("pin.png") + "\nclose\ndialog " + toolbar + "\nclose\npage 999\n" +
                       SaveAndQuit();
    const CTest_ProgramRun run = m_program.Run({});
    ASSERT_EQ(0, run.nExit) << run.err;
    for (const char* pszPicture : {"last.png", "row.png", "pin.png"})
        EXPECT_EQ("\x89PNG", TestReadFile(m_dir.File(pszPicture)).substr(0, 4)) << pszPicture;
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.png")));
    const std::string log = TestReadFile(m_dir.File("log.txt"));
    for (const char* pszLine : {"row 99 does not exist", "no dialog opened", "page 999 does not exist"})
        EXPECT_NE(std::string::npos, log.find(pszLine)) << log;
    // The cancelled entry and the cancelled PIN left document and telephone as they were.
    EXPECT_EQ(Without(ToolRead(sim, false), s_local), Without(TestReadFile(Out()), s_local));
    EXPECT_EQ(Without(TestReadFile(s_sample), s_local), Without(TestReadFile(m_state), s_local));
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}

TEST_F(CSim_Program, AKntRunWithHandOffFilesFillsTheDocument)
{
    CTest_Emulator sim(Phone());
    m_program.device = sim.Device();
    HandOff("RV930", "TCPIP");
    m_program.script = SaveAndQuit();
    const CTest_ProgramRun run = m_program.Run({"/KNT/a/b/512"});
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("DoSystel() done")) << run.err;
    const std::string saved = TestReadFile(Out());
    EXPECT_NE(std::string::npos, saved.find("\r\nMsn=301234\r\n"));
    EXPECT_EQ(Without(ToolRead(sim, false), s_local), Without(saved, s_local));
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}

// A telephone that keeps another value than it was sent, in a PABX run: nobody is there to answer a
// message, so the read-back names the block and the backup on standard error and in the exit code.
TEST_F(CSim_Program, APabxWriteReadBackReportsTheAlteredBlockWithoutAMessage)
{
    std::vector<std::string> phone = Phone();
    // A PABX send carries the basic settings, keys and audio only.
    phone.insert(phone.end(), {"--alter-block", "Audio_00000000"});
    CTest_Emulator sim(phone);
    m_program.device = sim.Device();
    HandOff("RV930", "TCPIP");
    const std::string shown = m_dir.File("shown.txt");
    m_program.script = "log " + shown + "\ncommand " + std::to_string(ID_FILE_SAVE_AS) + "\nfile " + Out() +
                       "\npin 5182\ncommand " + std::to_string(ID_FILE_TX_CFG) + "\nquit\n";
    const CTest_ProgramRun run = m_program.Run({"/KNT/a/b/512"});
    EXPECT_EQ(19, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("DoTxCfg() done")) << run.err;
    const std::string backup = Out() + ".phone-backup.cfg";
    EXPECT_NE(std::string::npos,
              run.err.find("DoTxCfg() verify failed: the telephone holds other data in Audio_00000000; what "
                           "the telephone held before is in " +
                           backup + "\n"))
        << run.err;
    EXPECT_EQ("", TestReadFile(shown));
    // The last read was the backup: what the document was saved from.
    EXPECT_EQ(TestReadFile(Out()), TestReadFile(backup));
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}

TEST_F(CSim_Program, APhonebookProgramSystelRunFillsThePhonebook)
{
    CTest_Emulator sim(Phone());
    m_program.device = sim.Device();
    m_program.resource = s_szPhonebookBundle;
    m_program.settingsName = "R740Pb";
    HandOff("RV930", "CTI");
    m_program.script = SaveAndQuit();
    const CTest_ProgramRun run = m_program.Run({"/SYSTEL"});
    ASSERT_EQ(0, run.nExit) << run.err;
    const std::string book = Only(TestReadFile(Out()), {"DialName"});
    EXPECT_NE(std::string::npos, book.find("\r\nName=Werkstatt\r\n")) << book;
    EXPECT_EQ(Only(ToolRead(sim, true), {"DialName"}), book);
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}

TEST_F(CSim_Program, AFirmwareRunSendsTheServiceNumberAndEndsWith18)
{
    CTest_Emulator sim(Phone());
    m_program.device = sim.Device();
    HandOff("RV930", "SVC");
    m_program.script = "pin 5182\n";
    const CTest_ProgramRun run = m_program.Run({"/SYSTEL", "/DOWNLOAD"});
    EXPECT_EQ(18, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("DoFirmwareUpdate() done")) << run.err;
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
    // The firmware update block (0x19) with the service number's length and characters.
    const std::string log = TestReadFile(m_log);
    EXPECT_NE(std::string::npos, log.find("190106465730383135")) << log;
}

TEST_F(CSim_Program, ThePhonebookProgramRefusesAnRV730With422And18)
{
    m_program.resource = s_szPhonebookBundle;
    m_program.settingsName = "R740Pb";
    HandOff("RV730", "TCPIP");
    m_program.script = "log " + m_dir.File("shown.txt") + "\n";
    const CTest_ProgramRun run = m_program.Run({"/SYSTEL"});
    EXPECT_EQ(18, run.nExit) << run.err;
    EXPECT_NE(std::string::npos,
              run.err.find("DoSystel() rejected: This telephone type is not supported here."))
        << run.err;
    EXPECT_EQ("message\twarning\t\tThis telephone type is not supported here.\n",
              TestReadFile(m_dir.File("shown.txt")));
}
} // namespace
