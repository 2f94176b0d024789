// Feeds arbitrary frames to the received-record parser of the blocks of a telephone (every kind of
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

// One input's buffers, each exactly as large as it must be so that the sanitizer sees any access
// beyond it, made once per input rather than once per block.
struct CBuffers
{
    std::unique_ptr<unsigned char[]> pFrame;
    size_t nFrame = 0;
    std::unique_ptr<unsigned char[]> pRoom{new unsigned char[ROOM]};
    const uint8_t* pInput = nullptr;
};

void Exercise(CData& block, CBuffers& b, int nFlag)
{
    // A parser may write into the frame it is given: every block gets the input afresh.
    unsigned char* pFrame = b.nFrame ? b.pFrame.get() : nullptr;
    if (b.nFrame)
        std::memcpy(pFrame, b.pInput, b.nFrame);
    const int nParsed = block.MoveBlock(CData::MB_PARSE, pFrame, b.nFrame, nFlag);
    if (nParsed < 0 || static_cast<size_t>(nParsed) > b.nFrame)
        __builtin_trap();
    for (int nMode : {CData::MB_DATA, CData::MB_REQUEST, CData::MB_END})
    {
        std::memset(b.pRoom.get(), 0, ROOM);
        const int nBuilt = block.MoveBlock(nMode, b.pRoom.get(), ROOM, nFlag);
        if (nBuilt < 0 || static_cast<size_t>(nBuilt) > ROOM)
            __builtin_trap();
    }
    if (b.nFrame)
        std::memcpy(pFrame, b.pInput, b.nFrame);
    (void)block.MoveBlock(CData::MB_TEST_ACK, pFrame, b.nFrame, nFlag);
}

// Building every block of a telephone takes longer than everything an input does with them: the
// containers are built once, and each input starts from a copy of them, so that no input sees what
// another one left behind.
CData_All& Containers()
{
    static const std::unique_ptr<CData_All> s_pFresh = []
    {
        auto all = std::make_unique<CData_All>();
        for (int i = 0; i < 2; ++i)
            all->m_DialName.m_List.Insert(CData_DialName(i));
        return all;
    }();
    static const std::unique_ptr<CData_All> s_pWork = std::make_unique<CData_All>();
    *s_pWork = *s_pFresh;
    return *s_pWork;
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

    CBuffers buffers;
    buffers.nFrame = nSize;
    buffers.pInput = pData;
    if (nSize)
        buffers.pFrame.reset(new unsigned char[nSize]);
    CData_All& all = Containers();

    // Blocks of one kind share their code: the first two, the last and one the input chooses stand
    // for all of them (the 126 module keys alone would otherwise take most of the time).
    for (int k = 0; k < CData_AllCfg::K_COUNT; ++k)
    {
        const auto kind = static_cast<CData_AllCfg::EKind>(k);
        const int nHeld = CData_AllCfg::Held(kind);
        const int nChosen = nSize ? pData[nSize - 1] % (nHeld ? nHeld : 1) : 0;
        for (int i = 0; i < nHeld; ++i)
        {
            if (i > 1 && i != nHeld - 1 && i != nChosen)
                continue;
            CData& block = *all.m_Cfg.Block(kind, i);
            if (kind == CData_AllCfg::K_BASIC)
            {
                // The basic block's records are chosen by the flag.
                for (int nRecord = 0; nRecord < CData_Basic::RECORD_COUNT; ++nRecord)
                    Exercise(block, buffers, nRecord);
                Exercise(block, buffers, CData_Basic::RECORD_PIN);
            }
            else
            {
                Exercise(block, buffers, i);
            }
        }
    }
    Exercise(all.m_Version, buffers, 0);
    Exercise(all.m_DialName.m_Basic, buffers, 0);
    for (int i = 0; i < all.m_DialName.Count(); ++i)
        Exercise(*all.m_DialName.Entry(i), buffers, i);

    // The same frame routed the way the simulation routes it: identifier and index byte.
    if (nSize >= 3)
    {
        int nIndex = pData[2];
        if (CData* pBlock = all.ObjInd_From_BlockInd(pData[0], nIndex))
            Exercise(*pBlock, buffers, nIndex);
    }
    return 0;
}
