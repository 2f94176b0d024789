// Feeds arbitrary frames to the received-record parser of every block of a telephone (all kinds of
// the configuration, the version block, the phonebook header and entries), then lets each block
// build its data and request records into a frame-sized buffer. The first two input bytes choose
// the phone's capabilities, so that every record layout is reached; the rest is the frame.
//
// Checked: no read or write beyond a buffer (the sanitizers), and no result longer than the frame
// or the room.

#include "data/CData_All.h"
#include "data/CData_AllCfg.h"
#include "data/CData_Basic.h"
#include "data/CData_Properties.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
// Capabilities that change record layouts, one input bit each.
bool CData_Properties::*const s_flags[] = {
    &CData_Properties::m_bKeyNames,
    &CData_Properties::m_bNovRekLine,
    &CData_Properties::m_bInternRing,
    &CData_Properties::m_bCallDeflectionSupport,
    &CData_Properties::m_bExtendedBasic,
    &CData_Properties::m_bSmsRecordA,
    &CData_Properties::m_bSmsServers,
    &CData_Properties::m_bVoiceBoxSupport,
    &CData_Properties::m_bHeadSetLevels,
    &CData_Properties::m_bHeadSetTypeSupport,
    &CData_Properties::m_bAutoAnswerSupport,
    &CData_Properties::m_bCallFilterRecord,
    &CData_Properties::m_bUusFilterSupport,
    &CData_Properties::m_bLoudAlarmCallRecord,
    &CData_Properties::m_bDisplayLanguageRecord,
    &CData_Properties::m_bMsnGoRecord,
};
const char* const s_derivats[] = {"TALVO", "BRELMONDIA", "VORTANE", "NOVREK"};

// Room of a built record: one link frame.
constexpr size_t ROOM = CData::RECORD_MAX;

void Exercise(CData& block, const uint8_t* pData, size_t nSize, int nFlag)
{
    std::vector<unsigned char> frame(pData, pData + nSize);
    const int nParsed =
        block.MoveBlock(CData::MB_PARSE, frame.empty() ? nullptr : frame.data(), frame.size(), nFlag);
    if (nParsed < 0 || static_cast<size_t>(nParsed) > nSize)
        __builtin_trap();
    for (int nMode : {CData::MB_DATA, CData::MB_REQUEST, CData::MB_END})
    {
        std::vector<unsigned char> room(ROOM);
        const int nBuilt = block.MoveBlock(nMode, room.data(), room.size(), nFlag);
        if (nBuilt < 0 || static_cast<size_t>(nBuilt) > ROOM)
            __builtin_trap();
    }
    (void)block.MoveBlock(CData::MB_TEST_ACK, frame.empty() ? nullptr : frame.data(), frame.size(), nFlag);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    CData_Properties::CSnapshot inForce = CData_Properties::Snapshot();
    CData_Properties& props = inForce.properties;
    const unsigned nBits = pData[0] | pData[1] << 8;
    for (size_t i = 0; i < sizeof s_flags / sizeof s_flags[0]; ++i)
        props.*s_flags[i] = (nBits >> i & 1) != 0;
    // The phonebook, alarm-call and answering-machine layouts share bits with key capabilities:
    // no record depends on both, so every layout is still reached.
    props.m_bEntryInfotext = (nBits & 1) != 0;
    props.m_bCallDeflectionModes = (nBits >> 1 & 1) != 0;
    props.m_szDerivat = s_derivats[pData[0] >> 6];
    props.m_nIntNumberLen = 2 + (pData[1] & 3);
    CData_Properties::Restore(inForce);
    pData += 2;
    nSize -= 2;

    auto all = std::make_unique<CData_All>();
    for (int i = 0; i < 2; ++i)
        all->m_DialName.m_List.Insert(CData_DialName(i));

    for (int k = 0; k < CData_AllCfg::K_COUNT; ++k)
    {
        const auto kind = static_cast<CData_AllCfg::EKind>(k);
        for (int i = 0; i < CData_AllCfg::Held(kind); ++i)
        {
            CData& block = *all->m_Cfg.Block(kind, i);
            if (kind == CData_AllCfg::K_BASIC)
            {
                // The basic block's records are chosen by the flag.
                for (int nRecord = 0; nRecord < CData_Basic::RECORD_COUNT; ++nRecord)
                    Exercise(block, pData, nSize, nRecord);
                Exercise(block, pData, nSize, CData_Basic::RECORD_PIN);
            }
            else
            {
                Exercise(block, pData, nSize, i);
            }
        }
    }
    Exercise(all->m_Version, pData, nSize, 0);
    Exercise(all->m_DialName.m_Basic, pData, nSize, 0);
    for (int i = 0; i < all->m_DialName.Count(); ++i)
        Exercise(*all->m_DialName.Entry(i), pData, nSize, i);

    // The same frame routed the way the simulation routes it: identifier and index byte.
    if (nSize >= 3)
    {
        int nIndex = pData[2];
        if (CData* pBlock = all->ObjInd_From_BlockInd(pData[0], nIndex))
            Exercise(*pBlock, pData, nSize, nIndex);
    }
    return 0;
}
