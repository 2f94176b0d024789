#include "data/CData_Audio.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_Audio";
using B = CData_Audio;

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
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Bool<B>("MelodyOut", &B::m_nMelodyOut),
        Bool<B>("AnnounceOut", &B::m_nAnnounceOut),
        Bool<B>("OpenListeningOut", &B::m_nOpenListeningOut),
        Bool<B>("IntercomOut", &B::m_nIntercomOut),
        Bool<B>("ABListeningOut", &B::m_nABListeningOut),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_Audio::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID);
        B v(*this);
        for (int B::*pSwitch : s_switches)
            v.*pSwitch = r.Byte();
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        *this = v;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1);
        for (int B::*pSwitch : s_switches)
            w.Byte(this->*pSwitch);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0);
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
