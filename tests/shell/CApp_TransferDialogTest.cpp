// The transfer dialog's logic on a started application: the link set up for each mode and link
// kind, then whole transfers with the emulator's telephone below the state machine and time on the
// manual clock (the dialog's 50 ms timer included): failed opens and retries, errors, refusals,
// cancels, the copy back, and the running line.

#include "shell/CApp_TransferDialog.h"

#include "CTest_AppFixture.h"
#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "sim/CSim_Phone.h"
#include "testsupport/CTest_ManualClock.h"
#include "transfer/CLayerPP_Data.h"
#include "transfer/CTest_PhoneLayer.h"
#include "transfer/CTrans_Stack.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
using D = CLayerPP_Data;
using R = CApp_TransferRunner;

// ---- The link -----------------------------------------------------------------------------------

struct CLinkCase
{
    const char* pszWhat;
    int nMode;
    int nLinkKind;
    bool bSimulation, bSystel, bKnt;
    const char* pszLink; // the hand-off's "Link"
    int nPort, nClass, nRole;
    bool bSerialNo, bParams;
};

class TransferDialogLink : public ::testing::TestWithParam<CLinkCase>
{
};

TEST_P(TransferDialogLink, PortClassRoleAndPabxValues)
{
    const CLinkCase& c = GetParam();
    CApp_Profile profile;
    profile.m_nComPort = 3;
    CApp_CommandLine commandLine;
    commandLine.m_bSimulation = c.bSimulation;
    commandLine.m_bPabxLink = c.bSystel;
    commandLine.m_bPabxLine = c.bKnt;
    commandLine.m_szPabxParamA = "a b";
    commandLine.m_szPabxParamB = "c";
    CData_PabxHandOff handOff;
    handOff.m_szLink = c.pszLink;
    handOff.m_szSerialNo = "S-17";
    handOff.m_szPortId = "42";
    CData_Brand brand; // the configurator
    CTrans_StackLink link;
    ASSERT_EQ(
        1, CApp_TransferDialog::StackLink(c.nMode, c.nLinkKind, profile, commandLine, handOff, brand, link));
    EXPECT_EQ(c.nPort, link.nPort);
    EXPECT_EQ(c.nClass, link.nTransferClass);
    EXPECT_EQ(c.nRole, link.nRole);
    EXPECT_EQ(c.bSerialNo, link.bSerialNo);
    EXPECT_EQ(c.bSerialNo ? "S-17" : "", link.serialNo);
    EXPECT_EQ(c.bSerialNo ? 42 : 0, link.nPortId);
    EXPECT_EQ(c.bParams, link.bParams);
    EXPECT_EQ(c.bParams ? "a b" : "", link.paramA);
}

const CLinkCase s_linkCases[] = {
    {"SerialRead", D::MODE_RX_CFG, R::LINK_SERIAL, false, false, false, "CTI", 3, 1, 1, false, false},
    {"UsbPhonebook", D::MODE_TX_DIALNAME, R::LINK_USB, false, false, false, "", 10, 2, 1, false, false},
    // A direct mode on the PABX link keeps the serial port.
    {"PabxLinkDirectMode", D::MODE_RX_CFG, R::LINK_PABX, false, true, false, "CTI", 3, 1, 1, false, false},
    {"SystelCti", D::MODE_RX_CFG_PABX, R::LINK_PABX, false, true, false, "CTI", 30, 1, 1, true, false},
    {"KntTcpip", D::MODE_RX_DIALNAME_PABX, R::LINK_PABX, false, false, true, "TCPIP", 40, 2, 1, true, true},
    {"FirmwareSvc", D::MODE_FIRMWARE, R::LINK_PABX, false, true, false, "SVC", 20, 3, 1, true, false},
    {"LowerCaseLinkIsService", D::MODE_PINRESET_PABX, R::LINK_PABX, false, true, false, "tcpip", 20, 1, 1,
     true, false},
    {"PlainPabxModeHasNoValues", D::MODE_PAYCOUNTER_PABX, R::LINK_PABX, false, false, false, "CTI", 30, 1, 1,
     false, false},
    {"SimulationPlaysTheTelephone", D::MODE_SIMU_RX, R::LINK_SERIAL, true, false, false, "", 3, 1, 0, false,
     false},
};
INSTANTIATE_TEST_SUITE_P(Cases, TransferDialogLink, ::testing::ValuesIn(s_linkCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

// ---- Whole transfers ----------------------------------------------------------------------------

// What the widget would show.
class CTest_TransferView : public CApp_TransferDialog::CView
{
public:
    void Update(const CApp_TransferDialog& transfer) override { m_lines.push_back(transfer.Line()); }
    void Beep(bool bError) override { ++(bError ? m_nErrorBeeps : m_nBeeps); }
    void End(int nResult) override { m_ends.push_back(nResult); }
    std::vector<std::string> m_lines;
    std::vector<int> m_ends;
    int m_nErrorBeeps = 0;
    int m_nBeeps = 0;
};

// The telephone's link: opens as scripted (1 each time when nothing is left).
class CTest_ScriptedLink : public CTest_PhoneLayer
{
public:
    using CTest_PhoneLayer::CTest_PhoneLayer;
    int Open() override
    {
        ++m_nOpens;
        if (!m_opens.empty())
        {
            const int n = m_opens.front();
            m_opens.erase(m_opens.begin());
            if (!n)
                return 0;
        }
        return CTest_PhoneLayer::Open();
    }
    // A closed link drops what was on its way.
    int Close() override
    {
        m_queue.clear();
        return CTest_PhoneLayer::Close();
    }
    std::vector<int> m_opens;
    int m_nOpens = 0;
};

class TransferDialog : public CTest_AppFixture
{
protected:
    void SetUp() override
    {
        CTest_AppFixture::SetUp();
        // The dialog's texts as the resource module has them.
        const std::string strings =
            TestReadFile(std::string(R740_TEST_DATA_DIR) + "/../../resources/strings/R740_default.txt");
        for (size_t nPos = 0; nPos < strings.size();)
        {
            size_t nEnd = strings.find('\n', nPos);
            nEnd = nEnd == std::string::npos ? strings.size() : nEnd;
            const std::string line = strings.substr(nPos, nEnd - nPos);
            nPos = nEnd + 1;
            const int nNumber = std::atoi(line.c_str());
            const size_t nTab = line.find('\t');
            if (nNumber >= 400 && nNumber <= 428 && nTab != std::string::npos)
                m_table[nNumber] = line.substr(nTab + 1, line.find_last_not_of('\r') - nTab);
        }
        ASSERT_EQ(1, Start());
        // No data time-out while a test lets the clock run.
        App().m_nTimerData = 600000;
        CData_Version& version = m_phone.m_Version;
        version.m_nPhoneType = PHONETYPE_RV930;
        version.m_nOemType = OEMTYPE_TALVO;
        version.m_strVersion = "4.10";
        m_phone.m_Cfg.m_VersionModule[0].m_nModuleType = MODULETYPE_AB;
        m_phone.m_Cfg.m_Basic.m_strUnitName = "EMPFANG";
        m_phone.m_Cfg.m_MsnPara[0].m_strMsn = "301234";
        m_doc = App().DocData();
        m_image = App().PhoneImage();
        m_typeBefore = CData_Properties::CurrentInput().nPhoneType;
    }

    // Prepares TransferData as DoDataTransfer does and starts the dialog over the telephone.
    void Begin(int nMode, std::vector<int> opens = {})
    {
        App().TransferData() = App().DocData();
        if (nMode == D::MODE_RX_CFG)
            App().TransferData().ResetCfg();
        if (nMode == D::MODE_RX_DIALNAME)
            App().TransferData().ResetDialName();
        auto pLink = std::make_unique<CTest_ScriptedLink>(m_sim);
        pLink->m_opens = std::move(opens);
        m_pLink = pLink.get();
        m_pDialog = std::make_unique<CApp_TransferDialog>(App(), nMode, R::LINK_SERIAL);
        m_pDialog->Init(&m_view, std::move(pLink));
    }
    // The telephone answers everything; then one tick of the dialog's timer.
    void RunToEnd()
    {
        m_pLink->Connect();
        m_pLink->Pump();
        m_clock.Advance(CApp_TransferDialog::TIMER_MS);
    }
    void TearDown() override
    {
        m_pDialog.reset();
        CTest_AppFixture::TearDown();
    }
    CApp_TransferDialog& Dialog() { return *m_pDialog; }
    bool DocumentUntouched()
    {
        return App().DocData() == m_doc && App().PhoneImage() == m_image && !App().PhoneImageValid();
    }

    CTest_ManualClock m_clock;
    CData_All m_phone;
    CSim_Phone m_sim{m_phone};
    CTest_TransferView m_view;
    CTest_ScriptedLink* m_pLink = nullptr; // owned by the dialog's stack
    std::unique_ptr<CApp_TransferDialog> m_pDialog;
    CData_All m_doc;
    CData_All m_image;
    int m_typeBefore = 0;
};

TEST_F(TransferDialog, AReadCopiesTheTelephoneIntoTheDocumentAndThePhoneImage)
{
    Begin(D::MODE_RX_CFG);
    EXPECT_EQ("Reading the configuration from the telephone...", Dialog().Info());
    RunToEnd();
    EXPECT_EQ(std::vector<int>{1}, m_view.m_ends);
    EXPECT_EQ(1, m_view.m_nBeeps);
    EXPECT_EQ(100, Dialog().Progress());
    EXPECT_EQ(0u, m_clock.Running()) << "Link_Exit stopped every timer";
    EXPECT_FALSE(Dialog().HasStack());
    EXPECT_EQ("EMPFANG", App().DocData().m_Cfg.m_Basic.m_strUnitName);
    EXPECT_EQ(PHONETYPE_RV930, App().DocData().m_Version.m_nPhoneType);
    EXPECT_TRUE(App().PhoneImage() == App().TransferData());
    EXPECT_TRUE(App().PhoneImageValid());
    EXPECT_TRUE(App().SavedData() == m_doc) << "what was read is a change of the document";
    EXPECT_EQ(PHONETYPE_RV930, CData_Properties::CurrentInput().nPhoneType)
        << "the telephone's properties stay";
}

TEST_F(TransferDialog, AFailedOpenShowsItsTextAndRetryAndLeavesNoTimer)
{
    Begin(D::MODE_RX_CFG, {0, 0});
    EXPECT_EQ("The connection to the telephone could not be opened.", Dialog().Info());
    EXPECT_TRUE(Dialog().AgainShown());
    EXPECT_TRUE(Dialog().Waiting());
    EXPECT_EQ(0u, m_clock.Running());
    EXPECT_EQ(1, m_view.m_nErrorBeeps);

    // Each retry opens again over the same stack; the second retry's open succeeds.
    Dialog().OnTransAgain();
    EXPECT_EQ(0u, m_clock.Running());
    Dialog().OnTransAgain();
    EXPECT_EQ(3, m_pLink->m_nOpens);
    EXPECT_FALSE(Dialog().AgainShown());
    EXPECT_TRUE(m_clock.IsRunning(CApp_TransferDialog::TIMER_ID));
    EXPECT_EQ(CApp_TransferDialog::TIMER_MS, m_clock.Period(CApp_TransferDialog::TIMER_ID));
    RunToEnd();
    EXPECT_EQ(std::vector<int>{1}, m_view.m_ends);
}

TEST_F(TransferDialog, ALostLinkShowsTheModesErrorAndARetryRunsAgain)
{
    Begin(D::MODE_RX_DIALNAME);
    m_pLink->Connect();
    m_pLink->OnRx(IND_DISCONNECT, -1);
    m_clock.Advance(CApp_TransferDialog::TIMER_MS);
    EXPECT_EQ("The phonebook could not be read from the telephone.", Dialog().Info());
    EXPECT_TRUE(Dialog().AgainShown());
    EXPECT_TRUE(Dialog().Waiting());
    EXPECT_TRUE(DocumentUntouched());

    Dialog().OnTransAgain();
    EXPECT_EQ("Reading the phonebook from the telephone...", Dialog().Info());
    RunToEnd();
    EXPECT_EQ(std::vector<int>{1}, m_view.m_ends) << Dialog().Reason();
}

TEST_F(TransferDialog, ARefusedPinShowsItsTextWithoutRetryAndCancelPutsEverythingBack)
{
    m_sim.SetPin("9999");
    App().DocData().m_Cfg.m_Basic.m_strPin = "1234";
    App().DocData().m_Version = m_phone.m_Version;
    m_doc = App().DocData();
    Begin(D::MODE_TX_CFG);
    RunToEnd();
    EXPECT_TRUE(Dialog().Rejected());
    EXPECT_EQ("The telephone refused the PIN.", Dialog().Info());
    EXPECT_FALSE(Dialog().AgainShown());
    EXPECT_TRUE(Dialog().Waiting());
    EXPECT_EQ(PHONETYPE_RV930, CData_Properties::CurrentInput().nPhoneType);

    Dialog().OnTransCancel();
    EXPECT_EQ(std::vector<int>{0}, m_view.m_ends);
    EXPECT_EQ(m_typeBefore, CData_Properties::CurrentInput().nPhoneType);
    EXPECT_TRUE(DocumentUntouched());
}

TEST_F(TransferDialog, CancelAfterTheTelephoneAnsweredLeavesTheDocumentAndRestoresTheProperties)
{
    const CData_Properties::CSnapshot before = CData_Properties::Snapshot();
    Begin(D::MODE_RX_CFG);
    m_pLink->Connect();
    m_pLink->Pump(); // everything received, but the dialog's timer has not seen it yet
    ASSERT_EQ(PHONETYPE_RV930, CData_Properties::CurrentInput().nPhoneType);
    Dialog().OnCancel();
    EXPECT_EQ(std::vector<int>{0}, m_view.m_ends);
    EXPECT_EQ(0u, m_clock.Running());
    EXPECT_TRUE(DocumentUntouched());
    EXPECT_TRUE(CData_Properties::CurrentInput().nPhoneType == before.input.nPhoneType &&
                CData_Properties::CurrentInput().nVersion == before.input.nVersion &&
                CData_Properties::CurrentInput().anModuleType[0] == before.input.anModuleType[0]);
}

TEST_F(TransferDialog, AChargeCounterResetLeavesTheDocument)
{
    m_phone.m_Cfg.m_MsnPara[0].m_nPayCounter = 4711;
    Begin(D::MODE_PAYCOUNTER);
    RunToEnd();
    EXPECT_EQ(std::vector<int>{1}, m_view.m_ends);
    EXPECT_EQ(0, m_phone.m_Cfg.m_MsnPara[0].m_nPayCounter) << "the telephone did reset";
    EXPECT_TRUE(DocumentUntouched());
}

// The running line: one character per tick, leftward when receiving, rightward when sending, and
// round again after the pattern's length.
TEST_F(TransferDialog, TheRunningLineMovesOneCharacterPerTickByDirectionAndWraps)
{
    for (const int nMode : {D::MODE_RX_CFG, D::MODE_TX_DIALNAME})
    {
        SCOPED_TRACE(nMode);
        m_view.m_lines.clear();
        Begin(nMode);
        m_pLink->Connect(); // the telephone never answers: the transfer stays busy
        m_view.m_lines.clear();
        const std::string& pattern = Dialog().Pattern();
        ASSERT_EQ(std::string(CApp_TransferDialog::DEFAULT_PATTERN), pattern);
        const size_t nLength = pattern.size();
        for (size_t i = 0; i <= nLength; ++i)
            m_clock.Advance(CApp_TransferDialog::TIMER_MS);
        ASSERT_EQ(nLength + 1, m_view.m_lines.size());
        for (size_t i = 1; i < m_view.m_lines.size(); ++i)
        {
            const std::string& a = m_view.m_lines[i - 1];
            const std::string expected =
                nMode == D::MODE_RX_CFG ? a.substr(1) + a[0] : a.back() + a.substr(0, nLength - 1);
            ASSERT_EQ(expected, m_view.m_lines[i]) << "tick " << i;
        }
        EXPECT_EQ(m_view.m_lines.front(), m_view.m_lines.back());
        Dialog().OnCancel();
    }
}
} // namespace
