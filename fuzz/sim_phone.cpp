// The emulator's telephone on arbitrary frames of a program: a session of frames, each one
// answered out of a telephone of the type the first input byte chooses. The rest of the input is
// frames, each a length byte and that many bytes (requests, data records, PINs, commands, garbage
// alike; a byte 0xFF starts a new session).
//
// Checked: no read or write beyond a buffer (the sanitizers), every answer fits a link frame, and
// an answer is either a record of the identifier asked for or an acknowledgement.

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "fuzz/CFuzz_Phone.h"
#include "sim/CSim_Phone.h"
#include "transfer/CLayerPP_Data.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{
// Telephones whose record layouts differ (and one that reports module slots).
const CFuzz_PhoneKind s_phones[] = {
    {PHONETYPE_RV740, "4.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_RV930, "4.10", {MODULETYPE_AB, MODULETYPE_E920, MODULETYPE_E920, MODULETYPE_NON}},
    {PHONETYPE_RV730, "4.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_R740, "2.10", {MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON, MODULETYPE_NON}},
    {PHONETYPE_RV930SMS, "4.10", {MODULETYPE_NON, MODULETYPE_E920, MODULETYPE_NON, MODULETYPE_NON}},
};
constexpr size_t PHONES = sizeof(s_phones) / sizeof(s_phones[0]);
// The longest frame the link carries.
constexpr size_t FRAME_MAX = 256;
constexpr uint8_t NEW_SESSION = 0xFF;

// One telephone per kind, made once: its properties and a container that every input starts from.
struct CPhoneState
{
    CData_PropertyInput input;
    std::unique_ptr<CData_All> pStart;
};

CPhoneState& State(size_t nKind)
{
    static CPhoneState s_states[PHONES];
    CPhoneState& state = s_states[nKind];
    if (!state.pStart)
    {
        FuzzInstallProgramProperties();
        state.pStart = FuzzMakePhone(s_phones[nKind], 3);
        CData_All& phone = *state.pStart;
        CLayerPP_Data::ApplyPhoneProperties(phone.m_Version, phone.m_Cfg.m_VersionModule);
        state.input = CData_Properties::CurrentInput();
    }
    return state;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    CPhoneState& state = State(pData[0] % PHONES);
    CData_Properties::Install(state.input);
    // Assigned afresh rather than made anew: the strings' room is reused.
    static CData_All s_phone;
    CData_All& phone = s_phone;
    phone = *state.pStart;
    CSim_Phone sim(phone);
    sim.StartSession();

    size_t nPos = 1;
    while (nPos < nSize)
    {
        const uint8_t uLength = pData[nPos++];
        if (uLength == NEW_SESSION)
        {
            sim.StartSession();
            continue;
        }
        const size_t nLength = std::min<size_t>(uLength, nSize - nPos);
        // The frame in a buffer of its own size, so that the sanitizer sees a read beyond it.
        std::unique_ptr<unsigned char[]> pFrame(new unsigned char[nLength ? nLength : 1]);
        std::copy(pData + nPos, pData + nPos + nLength, pFrame.get());
        nPos += nLength;
        const CSim_Phone::Frame answer = sim.OnFrame(nLength ? pFrame.get() : nullptr, nLength);
        if (answer.size() > FRAME_MAX)
            __builtin_trap();
        const bool bAcknowledgement = answer.size() == 2 && answer[0] == 0 && answer[1] <= 1;
        if (!answer.empty() && !bAcknowledgement && (nLength == 0 || answer[0] != pFrame[0]))
            __builtin_trap();
    }
    return 0;
}
