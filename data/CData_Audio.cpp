#include "data/CData_Audio.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_Audio";
using B = CData_Audio;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

// The switches in key and record order.
int B::*const s_switches[] = {&B::m_nMelodyOut, &B::m_nAnnounceOut, &B::m_nOpenListeningOut,
                              &B::m_nIntercomOut, &B::m_nABListeningOut};
} // namespace

bool CData_Audio::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    if (!p || !CData::operator==(other))
        return false;
    for (int B::*pSwitch : s_switches)
        if (this->*pSwitch != p->*pSwitch)
            return false;
    return true;
}

int CData_Audio::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"MelodyOut", R::Bool<B, &B::m_nMelodyOut>, nullptr},
        {"AnnounceOut", R::Bool<B, &B::m_nAnnounceOut>, nullptr},
        {"OpenListeningOut", R::Bool<B, &B::m_nOpenListeningOut>, nullptr},
        {"IntercomOut", R::Bool<B, &B::m_nIntercomOut>, nullptr},
        {"ABListeningOut", R::Bool<B, &B::m_nABListeningOut>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_Audio::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    for (int B::*pSwitch : s_switches)
        r.Byte(this->*pSwitch);
}

int CData_Audio::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, -1,
                                 &B::MoveRecord);
}
