#include "shell/CApp_TransferDialog.h"

#include "data/CData_All.h"
#include "data/CData_PabxHandOff.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_TimerService.h"
#include "shell/CApp.h"
#include "shell/CApp_CommandLine.h"
#include "shell/CApp_Profile.h"
#include "shell/CApp_TransferRunner.h"
#include "support/Trace.h"
#include "transfer/CLayerPP_Data.h"
#include "transfer/CTrans_Stack.h"

#include <algorithm>
#include <iterator>

namespace
{
const char s_szClass[] = "CDlg_Trans";

using D = CLayerPP_Data;

// The one dialog whose timer runs (the dialog is modal: there is never a second).
CApp_TransferDialog* s_pTimerOwner = nullptr;
// Where the running line stands; it runs on from one dialog to the next.
size_t s_nRunningOffset = 0;

// Status texts of each transfer mode: while running or done, after an error, after a refusal
// (0: the error text). Numbers 423 to 428 have no symbols in the language tables.
struct CTextRow
{
    int anModes[2];
    unsigned nRunning;
    unsigned nError;
    unsigned nRejected;
};
const CTextRow s_texts[] = {
    {{D::MODE_RX_CFG, D::MODE_RX_CFG_PABX}, 400, 401, 0},
    {{D::MODE_TX_CFG, D::MODE_TX_CFG_PABX}, 402, 403, 404},
    {{D::MODE_RX_DIALNAME, D::MODE_RX_DIALNAME_PABX}, 410, 411, 0},
    {{D::MODE_TX_DIALNAME, D::MODE_TX_DIALNAME_PABX}, 412, 413, 0},
    {{D::MODE_FIRMWARE, D::MODE_FIRMWARE}, 423, 424, 0},
    {{D::MODE_PINRESET, D::MODE_PINRESET_PABX}, 425, 426, 0},
    {{D::MODE_PAYCOUNTER, D::MODE_PAYCOUNTER_PABX}, 427, 428, 0},
    {{D::MODE_SIMU_TX, D::MODE_SIMU_TX}, 416, 417, 0},
    {{D::MODE_SIMU_RX, D::MODE_SIMU_RX}, 414, 415, 0},
};

// The modes that go through the PABX: on the PABX link their port follows the hand-off.
const int s_anPabxModes[] = {D::MODE_RX_CFG_PABX,      D::MODE_TX_CFG_PABX, D::MODE_RX_DIALNAME_PABX,
                             D::MODE_TX_DIALNAME_PABX, D::MODE_FIRMWARE,    D::MODE_PINRESET_PABX,
                             D::MODE_PAYCOUNTER_PABX};

// The modes in which data flow from the telephone.
const int s_anReceivingModes[] = {D::MODE_RX_CFG, D::MODE_RX_CFG_PABX, D::MODE_RX_DIALNAME,
                                  D::MODE_RX_DIALNAME_PABX, D::MODE_SIMU_RX};

// The hand-off's "Link" chooses the PABX port; any other text (also "SVC") the service link.
struct CPabxPortRow
{
    const char* pszLink;
    int nPort;
};
const CPabxPortRow s_pabxPorts[] = {{"CTI", SLP_PORT_PABX_CTI}, {"TCPIP", SLP_PORT_PABX_TCPIP}};

template <size_t N> bool Contains(const int (&an)[N], int n)
{
    return std::find(std::begin(an), std::end(an), n) != std::end(an);
}
} // namespace

const char* const CApp_TransferDialog::DEFAULT_PATTERN =
    "0101100110110101010111011010011010101101010011010100110100110101";

CApp_TransferDialog::CApp_TransferDialog(CApp& app, int nMode, int nLinkKind)
    : m_app(app), m_nMode(nMode), m_nLinkKind(nLinkKind)
{
    m_pattern = CData_UiText(IDS_STR_TRANS_PROGRESS);
    if (m_pattern.empty())
        m_pattern = DEFAULT_PATTERN;
    m_pattern.resize(std::min(m_pattern.size(), TEXT_MAX));
}

CApp_TransferDialog::~CApp_TransferDialog()
{
    if (m_pStack || m_bTimer)
        Link_Exit();
}

size_t CApp_TransferDialog::RunningOffset()
{
    return s_nRunningOffset;
}

bool CApp_TransferDialog::Receiving(int nMode)
{
    return Contains(s_anReceivingModes, nMode);
}

unsigned CApp_TransferDialog::StatusText(int nMode, int nStatus, bool bOpenFailed)
{
    if (bOpenFailed)
        return IDS_STR_TRANS_OPEN_ERR;
    for (const CTextRow& row : s_texts)
    {
        if (row.anModes[0] != nMode && row.anModes[1] != nMode)
            continue;
        if (nStatus == TRANS_ERROR)
            return row.nError;
        // A refusal in a mode without a text of its own is a failure of that mode, not its
        // running text.
        if (nStatus == TRANS_REJECTED)
            return row.nRejected ? row.nRejected : row.nError;
        return row.nRunning;
    }
    return IDS_STR_TRANS_OPEN_ERR;
}

int CApp_TransferDialog::StackLink(int nMode, int nLinkKind, const CApp_Profile& profile,
                                   const CApp_CommandLine& commandLine, const CData_PabxHandOff& handOff,
                                   const CData_Brand& brand, CTrans_StackLink& link)
{
    if (nLinkKind < CApp_TransferRunner::LINK_SERIAL || nLinkKind > CApp_TransferRunner::LINK_PABX)
        return 0;
    link = CTrans_StackLink();
    link.nPort = nLinkKind == CApp_TransferRunner::LINK_USB ? SLP_PORT_USB0 : profile.m_nComPort;
    if (nLinkKind == CApp_TransferRunner::LINK_PABX && Contains(s_anPabxModes, nMode))
    {
        link.nPort = SLP_PORT_PABX_SVC;
        for (const CPabxPortRow& row : s_pabxPorts)
            if (handOff.m_szLink == row.pszLink)
                link.nPort = row.nPort;
        // "/KNT" hands over everything, "/SYSTEL" the port alone, a plain run nothing.
        if (commandLine.m_bPabxLine || commandLine.m_bPabxLink)
        {
            link.bSerialNo = true;
            link.serialNo = handOff.m_szSerialNo;
            link.nPortId = handOff.PortId();
        }
        if (commandLine.m_bPabxLine)
        {
            link.bParams = true;
            link.paramA = commandLine.m_szPabxParamA;
            link.paramB = commandLine.m_szPabxParamB;
        }
    }
    link.nTransferClass = D::TransferClass(nMode);
    link.nRole = 1;
    if (commandLine.m_bSimulation)
    {
        // The program plays the telephone for the program of the role it serves.
        link.nRole = 0;
        if (brand.m_bAppCfg)
            link.nTransferClass = 1;
        if (brand.m_bAppDialName)
            link.nTransferClass = 2;
    }
    return 1;
}

void CApp_TransferDialog::Init(CView* pView, std::unique_ptr<CLayerPP> pLink)
{
    TraceLine(s_szClass, "OnInitDialog()");
    m_pView = pView;
    m_snapshot = CData_Properties::Snapshot();

    CTrans_StackLink link;
    const bool bStack = StackLink(m_nMode, m_nLinkKind, m_app, m_app.CommandLine(), m_app.HandOff(),
                                  m_app.Brand(), link) != 0;
    CLayerPP_DataShared shared;
    shared.pDocData = &m_app.DocData();
    shared.pPhoneImage = &m_app.PhoneImage();
    shared.pbPhoneImageValid = &m_app.PhoneImageValidFlag();
    shared.bPabxLink = m_app.CommandLine().m_bPabxLink;
    shared.bPabxLine = m_app.CommandLine().m_bPabxLine;
    shared.bFirmwareMode = m_app.FirmwareMode();
    m_app.SentRecords().clear();
    shared.pSentRecords = &m_app.SentRecords();
    const unsigned uRepeats = static_cast<unsigned>(std::max(m_app.m_nRepeatData, 0));
    if (pLink)
        m_pStack = std::make_unique<CTrans_Stack>(m_app.TransferData(), m_nMode, std::move(pLink),
                                                  m_app.m_nTimerOpen, m_app.m_nTimerData, uRepeats, shared);
    else if (bStack)
        m_pStack = std::make_unique<CTrans_Stack>(m_app.TransferData(), m_nMode, link, m_app.m_nTimerOpen,
                                                  m_app.m_nTimerData, uRepeats, shared);
    else
        TraceLine(s_szClass, "OnInitDialog() No link!");
    Link_Init_Trans();
    Link_Init_Dlg();
}

void CApp_TransferDialog::Link_Init_Trans()
{
    TraceLine(s_szClass, "Link_Init_Trans()");
    m_bRejected = false;
    m_reason.clear();
    m_openError.clear();
    m_bOpenFailed = !m_pStack || !m_pStack->Open();
    if (m_bOpenFailed)
    {
        m_reason = CData_UiText(IDS_STR_TRANS_OPEN_ERR);
        // Which device, and why: the user can act on "Permission denied" or a missing device.
        m_openError = m_pStack ? m_pStack->OpenError() : std::string();
        if (!m_openError.empty())
            m_reason += " (" + m_openError + ")";
        if (m_pView)
            m_pView->Beep(true);
        return;
    }
    TimerStart();
    m_nProgress = 0;
}

void CApp_TransferDialog::Link_Init_Dlg()
{
    TraceLine(s_szClass, "Link_Init_Dlg()");
    const int nStatus = m_pStack ? m_pStack->Data().GetStatus() : TRANS_ERROR;
    m_info = CData_UiText(StatusText(m_nMode, nStatus, m_bOpenFailed));
    if (m_bOpenFailed && !m_openError.empty())
        m_info += "\n" + m_openError;
    m_bAgainShown = m_bOpenFailed || nStatus == TRANS_ERROR;
    if (m_pView)
        m_pView->ShowMainWindow();
    Update();
}

void CApp_TransferDialog::OnTimer()
{
    if (!m_pStack)
        return;
    CLayerPP_Data& data = m_pStack->Data();
    const int nStatus = data.GetStatus();
    m_nProgress = std::clamp(nStatus == TRANS_DONE ? PROGRESS_MAX : data.GetProgress(), 0, PROGRESS_MAX);
    if (nStatus == TRANS_DONE)
    {
        m_pStack->Close();
        if (m_pView)
            m_pView->Beep(false);
        TimerStop();
        if (m_nMode != D::MODE_PAYCOUNTER)
            CopyBack();
        Link_Exit();
        End(1);
        return;
    }
    if (!m_bOpenFailed && nStatus != TRANS_ERROR && nStatus != TRANS_REJECTED)
    {
        if (nStatus == TRANS_BUSY && !m_pattern.empty())
        {
            const size_t nLength = m_pattern.size();
            const size_t nOffset = s_nRunningOffset % nLength;
            m_line = m_pattern.substr(nOffset) + m_pattern.substr(0, nOffset);
            s_nRunningOffset =
                Receiving(m_nMode) ? (nOffset + 1) % nLength : (nOffset + nLength - 1) % nLength;
        }
        Update();
        return;
    }
    m_bRejected = nStatus == TRANS_REJECTED;
    m_reason = data.ErrorText();
    TraceLine(s_szClass, m_bRejected ? "OnTimer() Rejected: " : "OnTimer() Error: ", m_reason.c_str());
    m_pStack->Close();
    if (m_pView)
        m_pView->Beep(true);
    TimerStop();
    Link_Init_Dlg();
    if (m_reason.empty())
        m_reason = m_info;
}

void CApp_TransferDialog::OnTransAgain()
{
    TraceLine(s_szClass, "OnTransAgain()");
    if (m_nResult >= 0 || m_bTimer)
        return;
    Link_Init_Trans();
    Link_Init_Dlg();
}

void CApp_TransferDialog::OnTransCancel()
{
    TraceLine(s_szClass, "OnTransCancel()");
    Cancel();
}

void CApp_TransferDialog::OnCancel()
{
    TraceLine(s_szClass, "OnCancel()");
    Cancel();
}

void CApp_TransferDialog::Cancel()
{
    if (m_nResult >= 0)
        return;
    if (m_reason.empty())
        m_reason = "cancelled";
    // What the version check computed for the telephone goes with the transfer.
    CData_Properties::Restore(m_snapshot);
    Link_Exit();
    End(0);
}

void CApp_TransferDialog::Link_Exit()
{
    TraceLine(s_szClass, "Link_Exit() Entry");
    TimerStop();
    // The stack closes the state machine and the link before its layers and the sink go.
    m_pStack.reset();
    TraceLine(s_szClass, "Link_Exit() Exit");
}

void CApp_TransferDialog::CopyBack()
{
    CData_All& transfer = m_app.TransferData();
    m_app.DocData() = transfer;
    m_app.DocData().Validate();
    m_app.PhoneImage() = transfer;
    m_app.SetPhoneImageValid(true);
}

void CApp_TransferDialog::End(int nResult)
{
    m_nResult = nResult;
    Update();
    if (m_pView)
        m_pView->End(nResult);
}

void CApp_TransferDialog::Update()
{
    if (m_pView)
        m_pView->Update(*this);
}

void CApp_TransferDialog::TimerStart()
{
    CPlatform_TimerService* pService = CPlatform_TimerService::Current();
    if (!pService || !pService->Start(TIMER_ID, TIMER_MS, &CApp_TransferDialog::TimerProc))
    {
        TraceLine(s_szClass, "Link_Init_Trans() No timer!");
        return;
    }
    s_pTimerOwner = this;
    m_bTimer = true;
}

void CApp_TransferDialog::TimerStop()
{
    if (m_bTimer)
        if (CPlatform_TimerService* pService = CPlatform_TimerService::Current())
            pService->Stop(TIMER_ID);
    if (s_pTimerOwner == this)
        s_pTimerOwner = nullptr;
    m_bTimer = false;
}

void CApp_TransferDialog::TimerProc(unsigned uId)
{
    if (uId == TIMER_ID && s_pTimerOwner)
        s_pTimerOwner->OnTimer();
}
