#include "transfer/CLayerPP_Data.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"
#include "support/Trace.h"

#include <algorithm>
#include <iterator>

namespace
{
const char s_szClass[] = "CLayerPP_Data";

using K = CData_AllCfg;

// What a state's frames depend on.
enum ECondition
{
    C_ALWAYS,
    C_HAS,           // the telephone has the group's blocks (CData_RecordTable::PhoneHas)
    C_PHONEBOOK_MSN, // the MSN parameters follow the phonebook
    C_FIRMWARE,      // the program runs a firmware update
    C_PINRESET,
    C_PAYCOUNTER,
};

// The phone types that the brand data may enable; every other type (R920 among them) is refused.
const int s_anEnablePhones[] = {
    PHONETYPE_R740,   PHONETYPE_R750,    PHONETYPE_R760,  PHONETYPE_R930T,  PHONETYPE_RV730,
    PHONETYPE_RV730U, PHONETYPE_RV740,   PHONETYPE_RV745, PHONETYPE_RV750,  PHONETYPE_RV760,
    PHONETYPE_RV920,  PHONETYPE_RV920XT, PHONETYPE_RV930, PHONETYPE_RV930U, PHONETYPE_RV930SMS,
};

// Which brand data accept a telephone of an OEM type; a type without a row is never accepted.
struct COemRow
{
    int nOemType;
    const char* apszBrands[2];
};
const COemRow s_oemRows[] = {
    {OEMTYPE_TALVO, {"TALVO", "NOVREK"}},    {OEMTYPE_DROMEL, {"TALVO", "DROMEL"}},
    {OEMTYPE_VORTANE, {"VORTANE", nullptr}}, {OEMTYPE_PALUDIN, {"PALUDIN", nullptr}},
    {OEMTYPE_GASTRIN, {"GASTRIN", nullptr}}, {OEMTYPE_BRELMONDIA, {"BRELMONDIA", nullptr}},
};

bool OemAccepted(int nOemType, const std::string& brand)
{
    for (const COemRow& row : s_oemRows)
        if (row.nOemType == nOemType)
            for (const char* psz : row.apszBrands)
                if (psz && brand == psz)
                    return true;
    return false;
}

template <size_t N> bool Contains(const int (&an)[N], int n)
{
    return std::find(std::begin(an), std::end(an), n) != std::end(an);
}

// A frame of exactly two zero bytes is a negative acknowledgement.
bool IsNegative(const std::vector<unsigned char>& rx, int nLength)
{
    return nLength == 2 && rx[0] == 0 && rx[1] == 0;
}

std::string TypeWord(int nPhoneType)
{
    std::string text;
    PhoneTypeToStr(nPhoneType, text);
    return text;
}
} // namespace

// One numbered state: its name (also its trace line), its step, and for the block states the kind
// of block, the key-extension module (1 to 3, else 0), the condition and the skip line.
struct CLayerPP_Data::CStateRow
{
    int nState;
    const char* pszName;
    void (CLayerPP_Data::*pfnStep)(const CStateRow&);
    K::EKind kind;
    int nModule;
    int nCondition;
    const char* pszSkip;
};

namespace
{
using D = CLayerPP_Data;
using Row = CLayerPP_Data::CStateRow;

constexpr K::EKind NONE = K::K_COUNT;

// First state and link transfer class of each transfer mode.
struct CModeRow
{
    int nFirstState;
    int nTransferClass;
};
const CModeRow s_modes[CLayerPP_Data::MODE_COUNT] = {
    {4, 1},  {33, 1}, {4, 1},  {33, 1}, {25, 2}, {55, 2}, {25, 2}, {55, 2},
    {59, 3}, {61, 1}, {61, 1}, {63, 1}, {63, 1}, {66, 0}, {30, 0},
};

// States that send the PIN: a negative acknowledgement there is a refusal, not a lost frame.
constexpr int STATE_TX_PIN = 36;
constexpr int STATE_TX_CFG_VERSION = 33;
constexpr int STATE_TX_ANSWERMASCHINE = 44;
constexpr int STATE_TX_PAYCOUNTER = 64;
constexpr int STATE_ERR = 2;
constexpr int STATE_REJECTED = 3;
constexpr int STATE_DONE = 1;

// Progress total of the counting states beyond the basic records, MSNs and keys: dial filters,
// VIP entries and alarm calls (14 + 10 + 3), one more when sending (the PIN); the answering
// machine's blocks (1 + 11 + 1 + 9).
constexpr int COUNT_FIXED_RX = 27;
constexpr int COUNT_FIXED_TX = 28;
constexpr int COUNT_ANSWERMACHINE = 22;
} // namespace

CLayerPP_Data::CLayerPP_Data(CData_All* pContainer, int nTransferMode, int nOpenTimeout, int nDataTimeout,
                             unsigned uRepeatLimit, const CLayerPP_DataShared& shared)
    : CLayerPP(0, LAYER_BUFFER_SIZE), m_pContainer(pContainer), m_nTransferMode(nTransferMode),
      m_uRepeatLimit(uRepeatLimit), m_nOpenTimeout(nOpenTimeout), m_nDataTimeout(nDataTimeout),
      m_shared(shared)
{
    EnterState(0);
}

CLayerPP_Data::~CLayerPP_Data()
{
    m_nLinkStatus = LINK_STATUS_IDLE;
    EnterState(0);
}

const char* CLayerPP_Data::GetClassName() const
{
    return s_szClass;
}

int CLayerPP_Data::FirstState(int nTransferMode)
{
    return nTransferMode >= 0 && nTransferMode < MODE_COUNT ? s_modes[nTransferMode].nFirstState : -1;
}

int CLayerPP_Data::TransferClass(int nTransferMode)
{
    return nTransferMode >= 0 && nTransferMode < MODE_COUNT ? s_modes[nTransferMode].nTransferClass : 0;
}

// Every state in number order; the states of one transfer follow one another.
const CLayerPP_Data::CStateRow& CLayerPP_Data::StateRow(int nState)
{
    static const Row s_states[] = {
        {0, "State_Idle()", &D::State_Idle, NONE, 0, C_ALWAYS, nullptr},
        {1, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        {2, "State_Err()", &D::State_Err, NONE, 0, C_ALWAYS, nullptr},
        {3, "State_Rejected()", &D::State_Rejected, NONE, 0, C_ALWAYS, nullptr},
        // Receive the configuration.
        {4, "State_Rx_Version()", &D::State_Rx_Version, NONE, 0, C_ALWAYS, nullptr},
        {5, "State_Rx_VersionModule()", &D::State_Rx_VersionModule, NONE, 0, C_ALWAYS, nullptr},
        {6, "State_Rx_Cfg_Count()", &D::State_Cfg_Count, NONE, 0, C_ALWAYS, nullptr},
        {7, "State_Rx_Basic()", &D::State_Rx_Group, K::K_BASIC, 0, C_HAS, nullptr},
        {8, "State_Rx_MsnPara()", &D::State_Rx_Group, K::K_MSNPARA, 0, C_HAS, nullptr},
        {9, "State_Rx_DialFilter()", &D::State_Rx_Group, K::K_DIALFILTER, 0, C_HAS, nullptr},
        {10, "State_Rx_DialVip()", &D::State_Rx_Group, K::K_DIALVIP, 0, C_HAS, nullptr},
        {11, "State_Rx_Key()", &D::State_Rx_Group, K::K_KEY, 0, C_HAS, nullptr},
        {12, "State_Rx_AlarmCall()", &D::State_Rx_Group, K::K_ALARMCALL, 0, C_HAS, nullptr},
        {13, "State_Rx_CallFilter()", &D::State_Rx_Group, K::K_CALLFILTER, 0, C_HAS, nullptr},
        {14, "State_Rx_AnswerMaschine()", &D::State_Rx_Group, K::K_ANSWERMASCHINE, 0, C_HAS, nullptr},
        {15, "State_Rx_AnsMaschPerMsn()", &D::State_Rx_Group, K::K_ANSMASCHPERMSN, 0, C_HAS, nullptr},
        {16, "State_Rx_AnsMaschInfoText()", &D::State_Rx_Group, K::K_ANSMASCHINFOTEXT, 0, C_HAS, nullptr},
        {17, "State_Rx_AnsMaschTimeType()", &D::State_Rx_Group, K::K_ANSMASCHTIMETYPE, 0, C_HAS, nullptr},
        {18, "State_Rx_Tone()", &D::State_Rx_Group, K::K_TONE, 0, C_HAS, nullptr},
        {19, "State_Rx_VoiceMail()", &D::State_Rx_Group, K::K_VOICEMAIL, 0, C_HAS, nullptr},
        {20, "State_Rx_Audio()", &D::State_Rx_Group, K::K_AUDIO, 0, C_HAS, nullptr},
        {21, "State_Rx_KeyE920_1()", &D::State_Rx_Group, K::K_KEYE920, 1, C_HAS, nullptr},
        {22, "State_Rx_KeyE920_2()", &D::State_Rx_Group, K::K_KEYE920, 2, C_HAS, nullptr},
        {23, "State_Rx_KeyE920_3()", &D::State_Rx_Group, K::K_KEYE920, 3, C_HAS, nullptr},
        {24, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Receive the phonebook.
        {25, "State_Rx_Version()", &D::State_Rx_Version, NONE, 0, C_ALWAYS, nullptr},
        {26, "State_Rx_DialName_Count()", &D::State_Rx_DialName_Count, NONE, 0, C_ALWAYS, nullptr},
        {27, "State_Rx_DialName()", &D::State_Rx_DialName, NONE, 0, C_ALWAYS, nullptr},
        {28, "State_Rx_MsnPara()", &D::State_Rx_Group, K::K_MSNPARA, 0, C_PHONEBOOK_MSN, nullptr},
        {29, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Simulation: the program plays the telephone and takes what it is sent.
        {30, "State_Rx_Simu_Count()", &D::State_Simu_Count, NONE, 0, C_ALWAYS, nullptr},
        {31, "State_Rx_Simu()", &D::State_Rx_Simu, NONE, 0, C_ALWAYS, nullptr},
        {32, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Send the configuration.
        {33, "State_Rx_Version()", &D::State_Rx_Version, NONE, 0, C_ALWAYS, nullptr},
        {34, "State_Rx_VersionModule()", &D::State_Rx_VersionModule, NONE, 0, C_ALWAYS, nullptr},
        {35, "State_Tx_Cfg_Count()", &D::State_Cfg_Count, NONE, 0, C_ALWAYS, nullptr},
        {36, "State_Tx_Pin()", &D::State_Tx_Pin, NONE, 0, C_ALWAYS, nullptr},
        {37, "State_Tx_Basic()", &D::State_Tx_Group, K::K_BASIC, 0, C_HAS, "State_Tx_Basic() skipped"},
        {38, "State_Tx_MsnPara()", &D::State_Tx_Group, K::K_MSNPARA, 0, C_HAS, "State_Tx_MsnPara() skipped"},
        {39, "State_Tx_DialFilter()", &D::State_Tx_Group, K::K_DIALFILTER, 0, C_HAS,
         "State_Tx_DialFilter() skipped"},
        {40, "State_Tx_DialVip()", &D::State_Tx_Group, K::K_DIALVIP, 0, C_HAS, "State_Tx_DialVip() skipped"},
        {41, "State_Tx_Key()", &D::State_Tx_Group, K::K_KEY, 0, C_HAS, nullptr},
        {42, "State_Tx_AlarmCalls()", &D::State_Tx_Group, K::K_ALARMCALL, 0, C_HAS,
         "State_Tx_AlarmCalls() skipped"},
        {43, "State_Tx_CallFilter()", &D::State_Tx_Group, K::K_CALLFILTER, 0, C_HAS,
         "State_Tx_CallFilter() skipped"},
        {44, "State_Tx_AnswerMaschine()", &D::State_Tx_Group, K::K_ANSWERMASCHINE, 0, C_HAS,
         "State_Tx_AnswerMaschine() skipped"},
        {45, "State_Tx_AnsMaschPerMsn()", &D::State_Tx_Group, K::K_ANSMASCHPERMSN, 0, C_HAS,
         "State_Tx_AnsMaschPerMsn() skipped"},
        {46, "State_Tx_AnsMaschInfoText()", &D::State_Tx_AnsMaschInfoText, K::K_ANSMASCHINFOTEXT, 0, C_ALWAYS,
         "State_Tx_AnsMaschInfoText() skipped"},
        {47, "State_Tx_AnsMaschTimeType()", &D::State_Tx_Group, K::K_ANSMASCHTIMETYPE, 0, C_HAS,
         "State_Tx_AnsMaschTimeType() skipped"},
        {48, "State_Tx_Tone()", &D::State_Tx_Group, K::K_TONE, 0, C_HAS, "State_Tx_Tone() skipped"},
        {49, "State_Tx_VoiceMail()", &D::State_Tx_Group, K::K_VOICEMAIL, 0, C_HAS,
         "State_Tx_VoiceMail() skipped"},
        {50, "State_Tx_Audio()", &D::State_Tx_Group, K::K_AUDIO, 0, C_HAS, nullptr},
        {51, "State_Tx_KeyE920_1()", &D::State_Tx_Group, K::K_KEYE920, 1, C_HAS,
         "State_Tx_KeyE920_1() skipped"},
        {52, "State_Tx_KeyE920_2()", &D::State_Tx_Group, K::K_KEYE920, 2, C_HAS,
         "State_Tx_KeyE920_2() skipped"},
        {53, "State_Tx_KeyE920_3()", &D::State_Tx_Group, K::K_KEYE920, 3, C_HAS,
         "State_Tx_KeyE920_3() skipped"},
        {54, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Send the phonebook.
        {55, "State_Rx_Version()", &D::State_Rx_Version, NONE, 0, C_ALWAYS, nullptr},
        {56, "State_Tx_DialName_Count()", &D::State_Tx_DialName_Count, NONE, 0, C_ALWAYS, nullptr},
        {57, "State_Tx_DialName()", &D::State_Tx_DialName, NONE, 0, C_ALWAYS, nullptr},
        {58, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Commands.
        {59, "State_Tx_FirmwareUpdate()", &D::State_Tx_Command, K::K_FIRMWAREUPDATE, 0, C_FIRMWARE, nullptr},
        {60, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        {61, "State_Tx_PinReset()", &D::State_Tx_Command, K::K_PINRESET, 0, C_PINRESET, nullptr},
        {62, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        {63, "State_Rx_Version()", &D::State_Rx_Version, NONE, 0, C_ALWAYS, nullptr},
        {64, "State_Tx_PayCounterReset()", &D::State_Tx_Command, K::K_SERVICE, 0, C_PAYCOUNTER, nullptr},
        {65, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
        // Simulation: the program plays the telephone and serves requests.
        {66, "State_Tx_Simu_Count()", &D::State_Simu_Count, NONE, 0, C_ALWAYS, nullptr},
        {67, "State_Tx_Simu()", &D::State_Tx_Simu, NONE, 0, C_ALWAYS, nullptr},
        {68, "State_End()", &D::State_End, NONE, 0, C_ALWAYS, nullptr},
    };
    static_assert(std::size(s_states) == STATE_MAX + 1, "one row per state");
    return s_states[nState >= 0 && nState <= STATE_MAX ? nState : STATE_ERR];
}

// ---- Running states ------------------------------------------------------------------------------

void CLayerPP_Data::EnterState(int nState)
{
    m_nState = nState >= 0 && nState <= STATE_MAX ? nState : STATE_ERR;
    m_bEntry = 1;
    RunStep();
    m_bEntry = 0;
}

void CLayerPP_Data::NextState()
{
    if (m_nState != STATE_ERR)
        EnterState(m_nState + 1);
}

void CLayerPP_Data::RunStep()
{
    const CStateRow& row = StateRow(m_nState);
    (this->*row.pfnStep)(row);
}

void CLayerPP_Data::Fail(const std::string& reason)
{
    if (m_strError.empty())
        m_strError = reason;
    EnterState(STATE_ERR);
}

void CLayerPP_Data::State_Idle(const CStateRow&) {}

void CLayerPP_Data::State_End(const CStateRow&)
{
    TimerStop();
    m_nState = STATE_DONE;
    if (m_bPayCounterError)
    {
        TraceLine(s_szClass, "State_End() ERROR_PAYCOUNTER_RESET");
        Fail("the telephone has no charge-counter reset");
    }
}

void CLayerPP_Data::State_Err(const CStateRow&)
{
    m_nState = STATE_ERR;
    TimerStop();
}

void CLayerPP_Data::State_Rejected(const CStateRow&)
{
    m_nState = STATE_REJECTED;
    TimerStop();
    if (m_strError.empty())
        m_strError = "the telephone refused the PIN";
}

// ---- Frames --------------------------------------------------------------------------------------

int CLayerPP_Data::MoveBlock(int nDirection, CData& block, int nIndex)
{
    m_strBlock = block.Name();
    if (nDirection == CData::MB_PARSE)
    {
        const int nLength = block.MoveBlock(CData::MB_PARSE, m_RxBuffer.data(),
                                            static_cast<size_t>(std::max(m_nRxLength, 0)), nIndex);
        if (nLength <= 0 || nLength != m_nRxLength)
        {
            TraceLine(s_szClass, "MoveBlock() can't read block!");
            Fail("the telephone sent a record that does not fit " + block.Name());
            return 0;
        }
        return nLength;
    }
    if (nDirection < CData::MB_DATA || nDirection > CData::MB_END)
    {
        TraceLine(s_szClass, "MoveBlock() invalid DataDir!");
        Fail("internal error: invalid direction");
        return 0;
    }
    std::fill(m_TxBuffer.begin(), m_TxBuffer.end(), 0);
    const int nLength = block.MoveBlock(nDirection, m_TxBuffer.data(), m_TxBuffer.size(), nIndex);
    // A block never builds more than its room; a length outside it is no frame.
    m_nTxLength = nLength > 0 && static_cast<size_t>(nLength) <= m_TxBuffer.size() ? nLength : 0;
    if (m_nTxLength > 0 && Write(m_TxBuffer.data(), m_nTxLength) == m_nTxLength)
    {
        if (m_shared.pSentRecords && nDirection == CData::MB_DATA)
            m_shared.pSentRecords->emplace_back(m_TxBuffer.begin(), m_TxBuffer.begin() + m_nTxLength);
        TimerStart(static_cast<unsigned>(m_nDataTimeout));
        return m_nTxLength;
    }
    TraceLine(s_szClass, "MoveBlock() can't write block!");
    Fail("a frame could not be sent to the telephone (" + block.Name() + ")");
    return 0;
}

int CLayerPP_Data::RepeatBlock()
{
    TraceLine(s_szClass, "RepeatBlock()");
    if (m_uRepeats >= m_uRepeatLimit)
    {
        TraceLine(s_szClass, "RepeatBlock() too much repeats!");
        Fail("no answer from the telephone after " + std::to_string(m_uRepeatLimit + 1) + " attempts" +
             (m_strBlock.empty() ? std::string() : " (" + m_strBlock + ")"));
        return 0;
    }
    ++m_uRepeats;
    if (m_nTxLength > 0 && Write(m_TxBuffer.data(), m_nTxLength) == m_nTxLength)
    {
        TimerStart(static_cast<unsigned>(m_nDataTimeout));
        return 1;
    }
    TraceLine(s_szClass, "RepeatBlock() can't write block!");
    Fail("a frame could not be sent to the telephone again");
    return 0;
}

// ---- Link ----------------------------------------------------------------------------------------

int CLayerPP_Data::Open()
{
    m_nLinkStatus = LINK_STATUS_IDLE;
    EnterState(0);
    m_uRepeats = 0;
    m_strError.clear();
    int nResult = 0;
    if (m_shared.bPabxLink)
        nResult = CLayerPP::OpenSystel();
    else if (m_shared.bPabxLine)
        nResult = CLayerPP::OpenSystelKNT();
    else
        nResult = CLayerPP::Open();
    // Also after a failed open: its time-out ends the transfer like a link that never connects.
    TimerStart(static_cast<unsigned>(m_nOpenTimeout));
    return nResult;
}

int CLayerPP_Data::Close()
{
    return CLayerPP::Close();
}

int CLayerPP_Data::OnRx(int nIndication, int /*nParam*/)
{
    TimerStop();
    switch (nIndication)
    {
    case IND_DATA:
    {
        if (m_nLinkStatus != LINK_STATUS_CONNECTED)
            return 1;
        std::fill(m_RxBuffer.begin(), m_RxBuffer.end(), 0);
        const int nRead = Read(m_RxBuffer.data(), static_cast<int>(m_RxBuffer.size()));
        m_nRxLength = std::clamp(nRead, 0, static_cast<int>(m_RxBuffer.size()));
        // A transfer that has ended takes no more frames: idle, done, failed or refused stays so.
        if (m_nState <= STATE_REJECTED)
        {
            RunStep();
            return 1;
        }
        if (m_nRxLength == 0)
        {
            // A notification without a frame is no answer: keep waiting for the real one.
            TimerStart(static_cast<unsigned>(m_nDataTimeout));
            return 1;
        }
        if (IsNegative(m_RxBuffer, m_nRxLength))
        {
            TraceLine(s_szClass, "OnRx Quit neagativ!");
            if (m_nState == STATE_TX_PIN)
                EnterState(STATE_REJECTED);
            else
                RepeatBlock();
            return 1;
        }
        m_uRepeats = 0;
        RunStep();
        return 1;
    }
    case IND_CONNECT:
        TraceLine(s_szClass, "OnRx CONNECT");
        m_bConnected = 1;
        m_nLinkStatus = LINK_STATUS_CONNECTED;
        if (FirstState(m_nTransferMode) < 0)
            Fail("unknown transfer mode " + std::to_string(m_nTransferMode));
        else
            EnterState(FirstState(m_nTransferMode));
        return 1;
    case IND_DISCONNECT:
        Close();
        // A link that goes after the transfer has ended takes nothing back: done stays done.
        if (m_nState != STATE_DONE && m_nState != STATE_REJECTED)
            Fail("the link to the telephone was lost");
        return 1;
    default:
        return 1;
    }
}

int CLayerPP_Data::OnTimer()
{
    TraceLine(s_szClass, "OnTimer().");
    TimerStop();
    if (m_nLinkStatus == LINK_STATUS_CONNECTED)
        RepeatBlock();
    else
    {
        // The link did not connect within the open time-out.
        Close();
        Fail("the telephone did not answer the connection");
    }
    return 1;
}

int CLayerPP_Data::GetStatus()
{
    switch (m_nState)
    {
    case 0:
        return TRANS_IDLE;
    case STATE_DONE:
        return TRANS_DONE;
    case STATE_ERR:
        return TRANS_ERROR;
    case STATE_REJECTED:
        return TRANS_REJECTED;
    default:
        return TRANS_BUSY;
    }
}

int CLayerPP_Data::GetProgress()
{
    if (m_nProgressDone <= 0 || m_nProgressTotal <= 0)
        return 0;
    // States the counting does not foresee (tone, voicemail, audio) may go beyond the total.
    return std::min(m_nProgressDone * 100 / m_nProgressTotal, 100);
}

// ---- Capabilities --------------------------------------------------------------------------------

void CLayerPP_Data::ApplyPhoneProperties(const CData_Version& version, const CData_VersionModule* pModules)
{
    static_assert(MODULE_SLOTS == CData_PropertyInput::MODULE_SLOTS, "one module type per slot");
    CData_PropertyInput input = CData_Properties::CurrentInput();
    input.nVersion = VersionToNumber(version.m_strVersion);
    input.nPhoneType = version.m_nPhoneType;
    for (int i = 0; i < MODULE_SLOTS; ++i)
        input.anModuleType[i] = pModules ? pModules[i].m_nModuleType : MODULETYPE_NON;
    CData_Properties::Install(input);
}

bool CLayerPP_Data::Holds(const CStateRow& row) const
{
    const CData_Properties& props = CData_Properties::Current();
    switch (row.nCondition)
    {
    case C_HAS:
        return CData_RecordTable::PhoneHas(*m_pContainer, row.kind, GroupIndex(row, 0));
    case C_PHONEBOOK_MSN:
        return props.m_bPhonebookMsnPara;
    case C_FIRMWARE:
        return m_shared.bFirmwareMode;
    case C_PINRESET:
        return props.m_bPinResetSupport;
    case C_PAYCOUNTER:
        return props.m_bPayCounterResetSupport;
    default:
        return true;
    }
}

int CLayerPP_Data::GroupCount(const CStateRow& row) const
{
    if (row.kind == K::K_KEYE920)
        return K::MODULE_KEY_COUNT;
    if (row.kind == K::K_BASIC)
        return CData_RecordTable::RecordCount(K::K_BASIC);
    return K::Active(row.kind);
}

int CLayerPP_Data::GroupIndex(const CStateRow& row, int i) const
{
    return row.nModule > 0 ? (row.nModule - 1) * K::MODULE_KEY_COUNT + i : i;
}

CData* CLayerPP_Data::GroupBlock(CData_All& all, const CStateRow& row, int i) const
{
    // The basic block moves its records one by one; every other kind one block per frame.
    if (row.kind == K::K_BASIC)
        return &all.m_Cfg.m_Basic;
    return all.m_Cfg.Block(row.kind, GroupIndex(row, i));
}

bool CLayerPP_Data::Unchanged(const CStateRow& row) const
{
    if (!row.pszSkip || !CData_Properties::Current().m_bSendChangesOnly || !m_shared.pbPhoneImageValid ||
        !*m_shared.pbPhoneImageValid || !m_shared.pDocData || !m_shared.pPhoneImage)
        return false;
    const int nBlocks = row.kind == K::K_BASIC ? 1 : GroupCount(row);
    for (int i = 0; i < nBlocks; ++i)
    {
        const CData* pImage = GroupBlock(*m_shared.pPhoneImage, row, i);
        const CData* pDoc = GroupBlock(*m_shared.pDocData, row, i);
        if (!pImage || !pDoc || *pImage != *pDoc)
            return false;
    }
    return true;
}

// ---- Version, modules, counting, PIN -------------------------------------------------------------

void CLayerPP_Data::State_Rx_Version(const CStateRow& row)
{
    CData_Version& version = m_pContainer->m_Version;
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        MoveBlock(CData::MB_REQUEST, version, 0);
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, version, 0))
        return;
    // The module set follows once the module version blocks have come.
    ApplyPhoneProperties(version, nullptr);
    m_pContainer->Validate();

    const CData_Properties& props = CData_Properties::Current();
    if (!Contains(s_anEnablePhones, version.m_nPhoneType) || !props.PhoneTypeOffered(version.m_nPhoneType))
    {
        Fail("the phone type " + TypeWord(version.m_nPhoneType) + " is not served by this program");
        return;
    }
    if (!OemAccepted(version.m_nOemType, props.m_szDerivat))
    {
        std::string oem;
        OemTypeToStr(version.m_nOemType, oem);
        Fail("a telephone of the brand " + oem + " is not served by this program (" + props.m_szDerivat +
             ")");
        return;
    }
    if (m_nState == STATE_TX_CFG_VERSION && m_shared.pPhoneImage && m_shared.pDocData)
    {
        // The phone image only stands for this telephone when it was taken from it: another
        // telephone, or a document that no longer describes the image's, gets every block.
        const CData_Version& image = m_shared.pPhoneImage->m_Version;
        if (image != m_shared.pDocData->m_Version || image != version)
        {
            TraceLine(s_szClass, "State_Tx_CfgBeg0() m_Version !=");
            if (m_shared.pbPhoneImageValid)
                *m_shared.pbPhoneImageValid = false;
        }
    }
    NextState();
}

void CLayerPP_Data::State_Rx_VersionModule(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        if (!CData_RecordTable::ReportsModules(m_pContainer->m_Version.m_nPhoneType))
        {
            TraceLine(s_szClass,
                      "State_Rx_VersionModule() PhoneType != RV930 || RV930U || RV930SMS || RV920XT");
            NextState();
            return;
        }
        m_nCounter = 0;
        MoveBlock(CData::MB_REQUEST, m_pContainer->m_Cfg.m_VersionModule[0], 0);
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, m_pContainer->m_Cfg.m_VersionModule[m_nCounter], m_nCounter))
        return;
    ++m_nProgressDone;
    if (++m_nCounter < MODULE_SLOTS)
    {
        MoveBlock(CData::MB_REQUEST, m_pContainer->m_Cfg.m_VersionModule[m_nCounter], m_nCounter);
        return;
    }
    ApplyPhoneProperties(m_pContainer->m_Version, m_pContainer->m_Cfg.m_VersionModule);
    NextState();
}

void CLayerPP_Data::State_Cfg_Count(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        m_CountBasic = CData_Basic();
        MoveBlock(CData::MB_REQUEST, m_CountBasic, 0);
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, m_CountBasic, 0))
        return;
    // The only basic value about attached keys; the key count itself is the phone type's.
    m_pContainer->m_Cfg.m_Basic.m_bE740 = m_CountBasic.m_bE740;

    const bool bSend = m_nState == 35;
    int nTotal = CData_RecordTable::RecordCount(K::K_BASIC) + K::Active(K::K_MSNPARA) + K::Active(K::K_KEY) +
                 (bSend ? COUNT_FIXED_TX : COUNT_FIXED_RX);
    if (CData_RecordTable::PhoneHas(*m_pContainer, K::K_CALLFILTER, 0))
        nTotal += K::Active(K::K_CALLFILTER);
    if (CData_RecordTable::PhoneHas(*m_pContainer, K::K_ANSWERMASCHINE, 0))
        nTotal += COUNT_ANSWERMACHINE;
    for (int nSlot = 1; nSlot < MODULE_SLOTS; ++nSlot)
        if (CData_RecordTable::ModulePresent(*m_pContainer, nSlot))
            nTotal += K::MODULE_KEY_COUNT;
    m_nProgressDone = 0;
    m_nProgressTotal = nTotal;
    NextState();
}

void CLayerPP_Data::State_Tx_Pin(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        MoveBlock(CData::MB_DATA, m_pContainer->m_Cfg.m_Basic, CData_Basic::RECORD_PIN);
        return;
    }
    ++m_nProgressDone;
    NextState();
}

// ---- Block groups --------------------------------------------------------------------------------

void CLayerPP_Data::State_Rx_Group(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        m_nCounter = 0;
        m_nCount = Holds(row) ? GroupCount(row) : 0;
        if (m_nCount <= 0)
        {
            NextState();
            return;
        }
        MoveBlock(CData::MB_REQUEST, *GroupBlock(*m_pContainer, row, 0), GroupIndex(row, 0));
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, *GroupBlock(*m_pContainer, row, m_nCounter), GroupIndex(row, m_nCounter)))
        return;
    ++m_nProgressDone;
    if (++m_nCounter < m_nCount)
        MoveBlock(CData::MB_REQUEST, *GroupBlock(*m_pContainer, row, m_nCounter),
                  GroupIndex(row, m_nCounter));
    else
        NextState();
}

void CLayerPP_Data::State_Tx_Group(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        m_nCounter = 0;
        if (!Holds(row))
        {
            if (m_nState == STATE_TX_ANSWERMASCHINE)
                TraceLine(s_szClass, "State_Tx_AnsMaschPerMsn() No AnswerMaschine!!!");
            NextState();
            return;
        }
        if (Unchanged(row))
        {
            TraceLine(s_szClass, row.pszSkip);
            NextState();
            return;
        }
        m_nCount = GroupCount(row);
        if (m_nCount <= 0)
        {
            NextState();
            return;
        }
        MoveBlock(CData::MB_DATA, *GroupBlock(*m_pContainer, row, 0), GroupIndex(row, 0));
        return;
    }
    ++m_nProgressDone;
    if (++m_nCounter < m_nCount)
        MoveBlock(CData::MB_DATA, *GroupBlock(*m_pContainer, row, m_nCounter), GroupIndex(row, m_nCounter));
    else
        NextState();
}

void CLayerPP_Data::State_Tx_AnsMaschInfoText(const CStateRow& row)
{
    // The telephone records the announcements itself: the info text is never sent.
    TraceLine(s_szClass, row.pszName);
    if (Unchanged(row))
        TraceLine(s_szClass, row.pszSkip);
    NextState();
}

// ---- Phonebook -----------------------------------------------------------------------------------

void CLayerPP_Data::State_Rx_DialName_Count(const CStateRow& row)
{
    CData_DialNameBasic& header = m_pContainer->m_DialName.m_Basic;
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        MoveBlock(CData::MB_REQUEST, header, 0);
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, header, 0))
        return;
    // The list holds no more than a full phonebook, whatever the count byte says.
    header.m_nCount = std::clamp(header.m_nCount, 0, CData_AllDialName::ENTRY_MAX);
    m_nProgressDone = 0;
    m_nProgressTotal = header.m_nCount + 1 + K::Active(K::K_MSNPARA);
    NextState();
}

void CLayerPP_Data::State_Rx_DialName(const CStateRow& row)
{
    CData_AllDialName& book = m_pContainer->m_DialName;
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        m_nCounter = 0;
        m_nCount = book.m_Basic.m_nCount;
        if (m_nCount <= 0)
        {
            m_nProgressDone = m_nProgressTotal;
            NextState();
            return;
        }
        m_NewEntry = CData_DialName(0);
        MoveBlock(CData::MB_REQUEST, m_NewEntry, 0);
        return;
    }
    if (!MoveBlock(CData::MB_PARSE, m_NewEntry, m_nCounter))
        return;
    if (m_NewEntry.m_strName.empty() || m_NewEntry.m_strMsnExt.empty())
    {
        TraceLine(s_szClass, "State_Rx_DialName() Empty data!");
        book.m_Basic.m_nCount = m_nCounter;
        m_nProgressDone = m_nProgressTotal;
        NextState();
        return;
    }
    book.m_List.Append(m_NewEntry);
    ++m_nProgressDone;
    if (++m_nCounter >= m_nCount)
    {
        m_nProgressDone = m_nProgressTotal;
        NextState();
        return;
    }
    m_NewEntry = CData_DialName(m_nCounter);
    MoveBlock(CData::MB_REQUEST, m_NewEntry, m_nCounter);
}

namespace
{
// The telephone keeps its phonebook without gaps and ends it at an entry without a number, so only
// the entries with a number are sent, numbered from 0 in list order, and the count says so.
int NumberedEntries(const CData_AllDialName& book)
{
    int n = 0;
    for (int i = 0; i < book.Count(); ++i)
        n += book.Entry(i)->m_strMsnExt.empty() ? 0 : 1;
    return n;
}
} // namespace

void CLayerPP_Data::State_Tx_DialName_Count(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        // The count record carries the entries sent, whatever the file's Count holds.
        CData_DialNameBasic header = m_pContainer->m_DialName.LinkHeader();
        header.m_nCount = NumberedEntries(m_pContainer->m_DialName);
        m_nProgressDone = 0;
        m_nProgressTotal = header.m_nCount + 1;
        MoveBlock(CData::MB_DATA, header, 0);
        return;
    }
    ++m_nProgressDone;
    NextState();
}

int CLayerPP_Data::SendNextDialName()
{
    const CData_AllDialName& book = m_pContainer->m_DialName;
    for (int i = m_nCount + 1; i < book.Count(); ++i)
    {
        if (book.Entry(i)->m_strMsnExt.empty())
            continue;
        m_nCount = i;
        m_NewEntry = *book.Entry(i);
        m_NewEntry.SetIndex(m_nCounter);
        MoveBlock(CData::MB_DATA, m_NewEntry, m_nCounter);
        return 1;
    }
    return 0;
}

void CLayerPP_Data::State_Tx_DialName(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        m_nCounter = 0;
        m_nCount = -1;
        if (!SendNextDialName())
            NextState();
        return;
    }
    ++m_nProgressDone;
    ++m_nCounter;
    // An entry without a number would end the telephone's phonebook: it is passed over, and
    // every entry behind it still goes.
    if (!SendNextDialName())
        NextState();
}

// ---- Commands ------------------------------------------------------------------------------------

void CLayerPP_Data::State_Tx_Command(const CStateRow& row)
{
    if (!m_bEntry)
    {
        ++m_nProgressDone;
        NextState();
        return;
    }
    TraceLine(s_szClass, row.pszName);
    if (!Holds(row))
    {
        if (m_nState == STATE_TX_PAYCOUNTER)
            m_bPayCounterError = 1;
        NextState();
        return;
    }
    if (row.kind == K::K_SERVICE)
    {
        CData_Service command = m_pContainer->m_Cfg.m_Service;
        command.m_anValue[CData_Service::VALUE_PAYCOUNTER_RESET] = CData_Service::PAYCOUNTER_RESET_MARK;
        MoveBlock(CData::MB_DATA, command, 0);
        return;
    }
    MoveBlock(CData::MB_DATA, *m_pContainer->m_Cfg.Block(row.kind, 0), 0);
}

// ---- Simulation ----------------------------------------------------------------------------------

void CLayerPP_Data::State_Simu_Count(const CStateRow& row)
{
    TraceLine(s_szClass, row.pszName);
    m_nProgressDone = 0;
    m_nProgressTotal = 2;
    NextState();
}

CData* CLayerPP_Data::SimuBlock(const char* pszWhat, int& nFlag)
{
    CData* pBlock =
        CData_RecordTable::Route(*m_pContainer, m_RxBuffer.data(), static_cast<size_t>(m_nRxLength), nFlag);
    if (!pBlock)
    {
        TraceLine(s_szClass, "MoveBlock() can't read block!");
        Fail(std::string("a ") + pszWhat + " for no block arrived");
    }
    return pBlock;
}

void CLayerPP_Data::State_Rx_Simu(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        return;
    }
    int nFlag = 0;
    CData* pBlock = SimuBlock("record", nFlag);
    if (!pBlock || !MoveBlock(CData::MB_PARSE, *pBlock, nFlag))
        return;
    m_nProgressDone = 1 - m_nProgressDone;
    MoveBlock(CData::MB_END, *pBlock, 1);
}

void CLayerPP_Data::State_Tx_Simu(const CStateRow& row)
{
    if (m_bEntry)
    {
        TraceLine(s_szClass, row.pszName);
        return;
    }
    int nFlag = 0;
    CData* pBlock = SimuBlock("request", nFlag);
    if (!pBlock)
        return;
    m_nProgressDone = 1 - m_nProgressDone;
    MoveBlock(CData::MB_DATA, *pBlock, nFlag);
}
