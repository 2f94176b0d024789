#include "data/CData_AnswerMaschine.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_AnswerMaschine";
using B = CData_AnswerMaschine;

int CallDeflectionModeToStr(int& nValue, std::string& text)
{
    return IntToStr(nValue, text, 0, B::CALLDEFLECTION_MODE_MAX);
}
int StrToCallDeflectionMode(int& nValue, const std::string& text)
{
    return StrToInt(nValue, text, 0, B::CALLDEFLECTION_MODE_MAX);
}
} // namespace

bool CData_AnswerMaschine::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nActive == p->m_nActive && m_nListen == p->m_nListen &&
           m_nSortMsn == p->m_nSortMsn && m_nRemoteProgramming == p->m_nRemoteProgramming &&
           m_nSpeechQuality == p->m_nSpeechQuality && m_nCallDeflection == p->m_nCallDeflection &&
           m_niCallDeflection == p->m_niCallDeflection &&
           m_nCallsTillCalldefelction == p->m_nCallsTillCalldefelction &&
           m_nMessageOnCalldeflection == p->m_nMessageOnCalldeflection &&
           m_nMessageOnFullAM == p->m_nMessageOnFullAM &&
           m_strCallDeflectionNumber == p->m_strCallDeflectionNumber;
}

int CData_AnswerMaschine::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Bool<B>("Active", &B::m_nActive),
        Bool<B>("Listen", &B::m_nListen),
        Bool<B>("RemoteProgramming", &B::m_nRemoteProgramming),
        Bool<B>("CallDeflection", &B::m_nCallDeflection),
        Int<B>("iCallDeflection", &B::m_niCallDeflection, CallDeflectionModeToStr, StrToCallDeflectionMode),
        Bool<B>("MessageOnCalldeflection", &B::m_nMessageOnCalldeflection),
        Bool<B>("MessageOnFullAM", &B::m_nMessageOnFullAM),
        Bool<B>("SortMsn", &B::m_nSortMsn),
        Int<B>("SpeechQuality", &B::m_nSpeechQuality, SpeechQualityToStr, StrToSpeechQuality),
        Int<B>("CallsTillCalldefelction", &B::m_nCallsTillCalldefelction, CallsTillCalldefelctionToStr,
               StrToCallsTillCalldefelction),
        Str<B>("CallDeflectionNumber", &B::m_strCallDeflectionNumber, StrToCallDeflectionNumber),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_AnswerMaschine::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    // Phones with call-deflection modes send the mode where the others send the switch.
    const bool bModes = CData_Properties::Current().m_bCallDeflectionModes;
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID);
        B v(*this);
        v.m_nActive = r.Byte();
        v.m_nListen = r.Byte();
        v.m_nRemoteProgramming = r.Byte();
        v.m_nSpeechQuality = r.Byte();
        (bModes ? v.m_niCallDeflection : v.m_nCallDeflection) = r.Byte();
        v.m_nSortMsn = r.Byte();
        // The telephone counts the rings from 1; a 0 would fall below every valid count.
        const int nCalls = r.Byte();
        v.m_nCallsTillCalldefelction = nCalls > 0 ? nCalls - 1 : 0;
        v.m_nMessageOnCalldeflection = r.Byte();
        v.m_nMessageOnFullAM = r.Byte();
        v.m_strCallDeflectionNumber = r.Text(NUMBER_MAX, false);
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
        w.Byte(m_nActive);
        w.Byte(m_nListen);
        w.Byte(m_nRemoteProgramming);
        w.Byte(m_nSpeechQuality);
        w.Byte(bModes ? m_niCallDeflection : m_nCallDeflection);
        w.Byte(m_nSortMsn);
        w.Byte(m_nCallsTillCalldefelction + 1);
        w.Byte(m_nMessageOnCalldeflection);
        w.Byte(m_nMessageOnFullAM);
        w.Text(m_strCallDeflectionNumber, NUMBER_MAX, false);
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
