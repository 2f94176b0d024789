// The transfer commands of the menu and DoDataTransfer: which modes run, the PIN dialog, the
// question to save before a read, and what TransferData holds when the transfer starts.

#include "shell/CApp.h"

#include "CTest_AppFixture.h"
#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "shell/CApp_TransferRunner.h"
#include "shell/CR740CfDoc.h"
#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_TraceCapture.h"
#include "transfer/CLayerPP_Data.h"

namespace
{
// What the runner saw of TransferData when it was called.
class CTest_InspectingRunner : public CTest_TransferRunner
{
public:
    explicit CTest_InspectingRunner(CApp*& pApp) : m_pApp(pApp) {}
    int RunTransfer(int nMode, int nLinkKind) override
    {
        m_pins.push_back(m_pApp->TransferData().m_Cfg.m_Basic.m_strPin);
        m_firstKeys.push_back(m_pApp->TransferData().m_Cfg.m_Key[0].m_nKeyUse);
        const int nResult = CTest_TransferRunner::RunTransfer(nMode, nLinkKind);
        return static_cast<int>(m_runs.size()) == m_nFailRun ? 0 : nResult;
    }
    CApp*& m_pApp;
    int m_nFailRun = 0; // the run (from 1) that fails
    std::vector<std::string> m_pins;
    std::vector<int> m_firstKeys;
};

class AppTransfer : public CTest_AppFixture
{
protected:
    int StartWith(const std::vector<std::string>& args = {})
    {
        const int n = Start(args);
        m_pRaw = m_pApp.get();
        m_pApp->SetTransferRunner(&m_inspect);
        // The read-back after a send has tests of its own.
        m_pApp->m_nVerifyWrite = 0;
        return n;
    }
    void ChangeAKey() { App().DocData().m_Cfg.m_Key[0].m_nKeyUse = CData_Key::KEYUSE_DIAL + 3; }
    const std::vector<std::pair<int, int>>& Runs() const { return m_inspect.m_runs; }

    CApp* m_pRaw = nullptr;
    CTest_InspectingRunner m_inspect{m_pRaw};
};

constexpr int SERIAL = CApp_TransferRunner::LINK_SERIAL;
constexpr int PABX = CApp_TransferRunner::LINK_PABX;

TEST_F(AppTransfer, APinOfThreeOrFiveCharactersIsRefusedAndAskedAgain)
{
    ASSERT_EQ(1, StartWith());
    m_pin.m_pins = {"123", "12345", "4711"};
    EXPECT_EQ(1, App().DoTxCfg());
    ASSERT_EQ(2u, m_ui.Shown().size());
    for (const auto& shown : m_ui.Shown())
    {
        EXPECT_EQ("The PIN must have exactly 4 digits.", shown.text);
        EXPECT_EQ("PIN", shown.caption); // the dialog's title
        EXPECT_EQ(CUi_Interface::ICON_WARNING, shown.icon);
    }
    EXPECT_EQ(1, m_pin.m_nShown) << "the dialog stayed open";
    EXPECT_EQ((std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_TX_CFG, SERIAL}}), Runs());
    EXPECT_EQ(std::vector<std::string>{"4711"}, m_inspect.m_pins) << "DocData's PIN, sent with TransferData";
}

TEST_F(AppTransfer, CancellingThePinDialogRunsNothing)
{
    ASSERT_EQ(1, StartWith());
    m_pin.m_pins = {"12"};
    EXPECT_EQ(0, App().DoTxCfg());
    EXPECT_TRUE(Runs().empty());
    EXPECT_EQ("5182", App().DocData().m_Cfg.m_Basic.m_strPin);
}

struct CPinCase
{
    const char* pszType;
    bool bAsked;
};

class AppTransferPin : public AppTransfer, public ::testing::WithParamInterface<CPinCase>
{
};

// A write never asks whether to save; it asks for the PIN unless the phone type has none.
TEST_P(AppTransferPin, AWriteAsksForThePinButNeverToSave)
{
    ASSERT_EQ(1, StartWith());
    int nType = 0;
    ASSERT_EQ(1, StrToPhoneType(nType, GetParam().pszType));
    App().DerivatToProperties(nType);
    ChangeAKey();
    m_pin.m_pins = {"1234"};
    EXPECT_EQ(1, App().DoTxCfg());
    EXPECT_EQ(GetParam().bAsked ? 1 : 0, m_pin.m_nShown);
    EXPECT_TRUE(m_ui.Shown().empty());
    EXPECT_EQ(1u, Runs().size());
}

INSTANTIATE_TEST_SUITE_P(Types, AppTransferPin,
                         ::testing::Values(CPinCase{"RV740", true}, CPinCase{"RV730", false},
                                           CPinCase{"RV730U", false}),
                         [](const auto& row) { return std::string(row.param.pszType); });

TEST_F(AppTransfer, AReadWithUnsavedChangesAsksFirst)
{
    ASSERT_EQ(1, StartWith());
    ChangeAKey();
    m_ui.QueueAnswer(CUi_Interface::ANSWER_CANCEL);
    EXPECT_EQ(0, App().DoRxCfg());
    EXPECT_TRUE(Runs().empty());

    m_ui.QueueAnswer(CUi_Interface::ANSWER_NO);
    EXPECT_EQ(1, App().DoRxCfg());
    EXPECT_EQ(2u, m_ui.Shown().size());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_RX_CFG, SERIAL}}), Runs());
    // The transfer starts from a fresh configuration; DocData keeps the change until it succeeds.
    EXPECT_EQ(std::vector<int>{CData_Key().m_nKeyUse}, m_inspect.m_firstKeys);
    EXPECT_EQ(CData_Key::KEYUSE_DIAL + 3, App().DocData().m_Cfg.m_Key[0].m_nKeyUse);
    EXPECT_EQ("ActivateFirstPage", m_view.m_calls.back());
}

TEST_F(AppTransfer, SimulationRunsTheSimulatedTransferFirst)
{
    ASSERT_EQ(1, StartWith({"/SIMU"}));
    m_pin.m_pins = {"1234", "1234"};
    App().DoRxCfg();
    App().DoTxPinReset();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_SIMU_RX, SERIAL},
                                                {CLayerPP_Data::MODE_RX_CFG, SERIAL},
                                                {CLayerPP_Data::MODE_SIMU_TX, SERIAL},
                                                {CLayerPP_Data::MODE_PINRESET, SERIAL}}),
              Runs());
    EXPECT_EQ(1, m_pin.m_nShown) << "the simulated write asks for no PIN";
}

TEST_F(AppTransfer, PabxLineModeReadsWithoutAsking)
{
    // 511: no permission to read at start, so the menu's command is the first transfer.
    ASSERT_EQ(1, StartWith({"/KNT/a/c/511"}));
    ChangeAKey();
    EXPECT_EQ(1, App().DoRxCfg());
    EXPECT_TRUE(m_ui.Shown().empty());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_RX_CFG_PABX, PABX}}), Runs());
}

struct CCommandCase
{
    const char* pszName;
    int (CApp::*pfnCommand)();
    int nMode;
    bool bPin;
};

class AppTransferCommand : public AppTransfer, public ::testing::WithParamInterface<CCommandCase>
{
};

TEST_P(AppTransferCommand, RunsItsModeAndTraces)
{
    const CCommandCase& c = GetParam();
    ASSERT_EQ(1, StartWith());
    m_pin.m_pins = {"1234"};
    CTest_TraceCapture trace;
    EXPECT_EQ(1, (App().*c.pfnCommand)());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{c.nMode, SERIAL}}), Runs());
    EXPECT_EQ(c.bPin ? 1 : 0, m_pin.m_nShown);
    const std::vector<std::string> lines = trace.Take();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(std::string("App: ") + c.pszName + "()", lines[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AppTransferCommand,
    ::testing::Values(
        CCommandCase{"DoRxCfg", &CApp::DoRxCfg, CLayerPP_Data::MODE_RX_CFG, false},
        CCommandCase{"DoTxCfg", &CApp::DoTxCfg, CLayerPP_Data::MODE_TX_CFG, true},
        CCommandCase{"DoRxDialName", &CApp::DoRxDialName, CLayerPP_Data::MODE_RX_DIALNAME, false},
        CCommandCase{"DoTxDialName", &CApp::DoTxDialName, CLayerPP_Data::MODE_TX_DIALNAME, false},
        CCommandCase{"DoTxPinReset", &CApp::DoTxPinReset, CLayerPP_Data::MODE_PINRESET, true},
        CCommandCase{"DoTxPayCounterReset", &CApp::DoTxPayCounterReset, CLayerPP_Data::MODE_PAYCOUNTER,
                     true}),
    [](const auto& row) { return std::string(row.param.pszName); });

// A send keeps what the telephone holds beside the document (reading it first when the last read
// is not known) and reads the telephone back when the setting asks for it.
struct CVerifyCase
{
    const char* pszName;
    bool bSaved;
    bool bImageValid;
    int nVerify;
    int nFailRun;
    std::vector<int> modes;
    bool bBackup;
    size_t nShown;
    bool bPabx = false; // a run of the PABX tool: nobody answers a message
    const char* pszDocument = "office.cfg";
    bool bNotVerified = false;
};

class AppTransferVerify : public AppTransfer, public ::testing::WithParamInterface<CVerifyCase>
{
};

TEST_P(AppTransferVerify, KeepsTheBackupAndReadsBack)
{
    const CVerifyCase& c = GetParam();
    ASSERT_EQ(1, StartWith());
    CTest_TempDir dir;
    const std::string document = dir.File(c.pszDocument);
    App().m_bPabxLink = c.bPabx;
    if (c.bSaved)
        App().Document()->SetPathName(document, false);
    App().SetPhoneImageValid(c.bImageValid);
    App().m_nVerifyWrite = c.nVerify;
    m_inspect.m_nFailRun = c.nFailRun;
    m_pin.m_pins = {"1234"};
    EXPECT_EQ(c.nFailRun == 1 ? 0 : 1, App().DoTxCfg());
    std::vector<int> modes;
    for (const auto& run : Runs())
        modes.push_back(run.first);
    EXPECT_EQ(c.modes, modes);
    EXPECT_EQ(c.bBackup, !TestReadFile(document + ".phone-backup.cfg").empty());
    EXPECT_EQ(c.nShown, m_ui.Shown().size());
    EXPECT_EQ(c.bNotVerified, App().WriteNotVerified());
    EXPECT_EQ("1234", App().DocData().m_Cfg.m_Basic.m_strPin) << "the reads leave the document";
}

// File Open loads a file without making it the document's path: sending the backup it loaded
// must not write the telephone's state over that backup.
TEST_F(AppTransfer, SendingTheBackupLoadedByFileOpenLeavesTheBackup)
{
    ASSERT_EQ(1, StartWith());
    CTest_TempDir dir;
    const std::string document = dir.File("office.cfg");
    const std::string backup = document + ".phone-backup.cfg";
    TestWriteFile(backup, "kept");
    App().Document()->SetPathName(document, false);
    App().SetLastFilePath(backup);
    App().SetPhoneImageValid(true);
    m_pin.m_pins = {"1234"};
    EXPECT_EQ(1, App().DoTxCfg());
    EXPECT_EQ("kept", TestReadFile(backup));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppTransferVerify,
    ::testing::Values(
        CVerifyCase{"ReadFirst",
                    true,
                    false,
                    1,
                    0,
                    {CLayerPP_Data::MODE_RX_CFG, CLayerPP_Data::MODE_TX_CFG, CLayerPP_Data::MODE_RX_CFG},
                    true,
                    0},
        CVerifyCase{"LastReadNoCheck", true, true, 0, 0, {CLayerPP_Data::MODE_TX_CFG}, true, 0},
        CVerifyCase{"UnsavedChecked",
                    false,
                    false,
                    1,
                    0,
                    {CLayerPP_Data::MODE_TX_CFG, CLayerPP_Data::MODE_RX_CFG},
                    false,
                    0},
        CVerifyCase{"ReadFailsNothingSent", true, false, 1, 1, {CLayerPP_Data::MODE_RX_CFG}, false, 1},
        CVerifyCase{"ReadBackFails",
                    true,
                    true,
                    1,
                    2,
                    {CLayerPP_Data::MODE_TX_CFG, CLayerPP_Data::MODE_RX_CFG},
                    true,
                    1,
                    false,
                    "office.cfg",
                    true},
        CVerifyCase{"SendingABackupKeepsNoBackupOfIt",
                    true,
                    false,
                    1,
                    0,
                    {CLayerPP_Data::MODE_TX_CFG, CLayerPP_Data::MODE_RX_CFG},
                    false,
                    0,
                    false,
                    "office.cfg.phone-backup.cfg"},
        CVerifyCase{"UnattendedReadBackFailsWithoutAMessage",
                    true,
                    true,
                    1,
                    2,
                    {CLayerPP_Data::MODE_TX_CFG_PABX, CLayerPP_Data::MODE_RX_CFG_PABX},
                    true,
                    0,
                    true,
                    "office.cfg",
                    true}),
    [](const auto& row) { return std::string(row.param.pszName); });

} // namespace
