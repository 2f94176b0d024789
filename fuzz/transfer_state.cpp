// The transfer state machine on whatever the line brings: a transfer of the mode the first input
// byte chooses, with the emulator's telephone (of the type the second byte chooses) behind a lower
// layer, and the rest of the input deciding, step by step, what reaches the state machine: the
// telephone's own answer to the oldest frame it was sent, that answer damaged, a frame of the
// input, a time-out, a spurious indication or the loss of the link.
//
// Checked: no read or write beyond a buffer (the sanitizers), the status is one of the transfer's
// words, and the progress stays within 0 to 100.

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "fuzz/CFuzz_Phone.h"
#include "platform/CPlatform_TimerService.h"
#include "sim/CSim_Phone.h"
#include "transfer/CLayerPP.h"
#include "transfer/CLayerPP_Data.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace
{
using Frame = CSim_Phone::Frame;

// Timers are started and stopped but never expire by themselves: the input says when.
class CFuzzClock : public CPlatform_TimerService
{
public:
    int Start(unsigned, unsigned, Callback) override { return 1; }
    int Stop(unsigned) override { return 1; }
};

// The layer under the state machine: frames written wait for the input to have them answered.
class CFuzzLower : public CLayerPP
{
public:
    CFuzzLower() : CLayerPP(0, LAYER_BUFFER_SIZE) {}
    int Open() override
    {
        m_bOpen = 1;
        return 1;
    }
    int Close() override
    {
        m_bOpen = 0;
        m_bConnected = 0;
        return 1;
    }
    int Write(const unsigned char* pFrame, int nLength) override
    {
        if (!m_bConnected || nLength <= 0 || nLength > static_cast<int>(LAYER_BUFFER_SIZE))
            return 0;
        // Only the last few frames are kept: the state machine repeats, it never piles up.
        if (m_sent.size() >= SENT_KEPT)
            m_sent.pop_front();
        m_sent.emplace_back(pFrame, pFrame + nLength);
        return nLength;
    }
    int Read(unsigned char* pBuffer, int nSize) override
    {
        if (m_rx.empty() || nSize <= 0)
            return 0;
        const size_t n = std::min(m_rx.front().size(), static_cast<size_t>(nSize));
        std::copy(m_rx.front().begin(), m_rx.front().begin() + static_cast<std::ptrdiff_t>(n), pBuffer);
        m_rx.pop_front();
        return static_cast<int>(n);
    }
    void Deliver(const Frame& frame)
    {
        m_rx.assign(1, frame);
        OnRx(IND_DATA, -1);
        m_rx.clear();
    }

    static constexpr size_t SENT_KEPT = 4;
    std::deque<Frame> m_sent;
    std::deque<Frame> m_rx;
};

const int s_modes[] = {
    CLayerPP_Data::MODE_RX_CFG,      CLayerPP_Data::MODE_TX_CFG,           CLayerPP_Data::MODE_RX_DIALNAME,
    CLayerPP_Data::MODE_TX_DIALNAME, CLayerPP_Data::MODE_PINRESET,         CLayerPP_Data::MODE_PAYCOUNTER,
    CLayerPP_Data::MODE_FIRMWARE,    CLayerPP_Data::MODE_SIMU_TX,          CLayerPP_Data::MODE_SIMU_RX,
    CLayerPP_Data::MODE_RX_CFG_PABX, CLayerPP_Data::MODE_TX_DIALNAME_PABX,
};
const CFuzz_PhoneKind s_phones[] = {
    {PHONETYPE_RV740, "4.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_RV930, "4.10", {MODULETYPE_AB, MODULETYPE_E920, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_RV730, "4.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_R740, "2.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
};
// Steps of one input at the most: a whole configuration takes a few hundred frames.
constexpr size_t STEPS_MAX = 1024;

enum EStep
{
    STEP_ANSWER,     // the telephone answers the oldest frame waiting
    STEP_DAMAGED,    // ... with one byte of its answer changed (two more input bytes)
    STEP_FRAME,      // a frame of the input (a length byte and the bytes)
    STEP_TIMEOUT,    // the state machine's time-out
    STEP_EMPTY,      // a data indication with nothing to read
    STEP_DISCONNECT, // the link is lost
    STEP_KINDS,
};

struct CStart
{
    CData_PropertyInput program; // the properties the program starts with
    std::unique_ptr<CData_All> pPhone;
};

const CStart& Start(size_t nKind)
{
    static CStart s_starts[sizeof(s_phones) / sizeof(s_phones[0])];
    CStart& start = s_starts[nKind];
    if (!start.pPhone)
    {
        FuzzInstallProgramProperties();
        start.program = CData_Properties::CurrentInput();
        start.pPhone = FuzzMakePhone(s_phones[nKind], 2);
    }
    return start;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    static CFuzzClock s_clock;
    CPlatform_TimerService::SetCurrent(&s_clock);
    const int nMode = s_modes[pData[0] % (sizeof(s_modes) / sizeof(s_modes[0]))];
    const CStart& start = Start(pData[1] % (sizeof(s_phones) / sizeof(s_phones[0])));
    CData_Properties::Install(start.program);

    // The telephone answers with the properties in force: the program's until its version check
    // puts the telephone's in force.
    // The containers live across inputs and are assigned afresh: assigning reuses their strings'
    // room, which spares most of the allocations a new container makes.
    static CData_All s_phone;
    static CData_All s_transfer;
    static const CData_All s_newTransfer;
    CData_All& phone = s_phone;
    phone = *start.pPhone;
    CSim_Phone sim(phone);
    // No phone image: the skip rule of the send states has its own tests.
    CData_All& transfer = s_transfer;
    transfer = s_newTransfer;
    transfer.m_Cfg.m_Basic.m_strPin = "5182";
    CLayerPP_DataShared shared;
    shared.bFirmwareMode = nMode == CLayerPP_Data::MODE_FIRMWARE;

    CFuzzLower lower;
    CLayerPP_Data data(&transfer, nMode, 2000, 5000, 3, shared);
    lower.LinkUp(&data, 0);
    if (!data.Open())
        return 0;
    sim.StartSession();
    lower.OnRx(IND_CONNECT, -1);

    size_t nPos = 2;
    for (size_t nStep = 0; nStep < STEPS_MAX && nPos < nSize; ++nStep)
    {
        const int nStatus = data.GetStatus();
        if (nStatus != TRANS_BUSY && nStatus != TRANS_IDLE && nStatus != TRANS_DONE &&
            nStatus != TRANS_ERROR && nStatus != TRANS_REJECTED)
            __builtin_trap();
        const int nProgress = data.GetProgress();
        if (nProgress < 0 || nProgress > 100)
            __builtin_trap();
        if (nStatus != TRANS_BUSY && nStatus != TRANS_IDLE)
            break;
        const uint8_t uStep = pData[nPos++];
        switch (uStep % STEP_KINDS)
        {
        case STEP_ANSWER:
        case STEP_DAMAGED:
        {
            if (lower.m_sent.empty())
                break;
            const Frame request = lower.m_sent.front();
            lower.m_sent.pop_front();
            Frame answer = sim.OnFrame(request.data(), request.size());
            if (uStep % STEP_KINDS == STEP_DAMAGED && nPos + 2 <= nSize && !answer.empty())
            {
                answer[pData[nPos] % answer.size()] ^= pData[nPos + 1];
                nPos += 2;
            }
            if (!answer.empty())
                lower.Deliver(answer);
            break;
        }
        case STEP_FRAME:
        {
            if (nPos >= nSize)
                break;
            const uint8_t uLength = pData[nPos++];
            const size_t nLength = std::min<size_t>(uLength, nSize - nPos);
            lower.Deliver(Frame(pData + nPos, pData + nPos + nLength));
            nPos += nLength;
            break;
        }
        case STEP_TIMEOUT:
            data.OnTimer();
            break;
        case STEP_EMPTY:
            lower.OnRx(IND_DATA, -1);
            break;
        case STEP_DISCONNECT:
            lower.OnRx(IND_DISCONNECT, -1);
            break;
        }
    }
    data.Close();
    CPlatform_TimerService::SetCurrent(nullptr);
    return 0;
}
