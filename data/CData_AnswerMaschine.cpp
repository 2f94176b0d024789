#include "data/CData_AnswerMaschine.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_AnswerMaschine";
using B = CData_AnswerMaschine;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

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
    static const Row s_rows[] = {
        {"Active", R::Bool<B, &B::m_nActive>, nullptr},
        {"Listen", R::Bool<B, &B::m_nListen>, nullptr},
        {"RemoteProgramming", R::Bool<B, &B::m_nRemoteProgramming>, nullptr},
        {"CallDeflection", R::Bool<B, &B::m_nCallDeflection>, nullptr},
        {"iCallDeflection",
         R::Int<B, &B::m_niCallDeflection, CallDeflectionModeToStr, StrToCallDeflectionMode>, nullptr},
        {"MessageOnCalldeflection", R::Bool<B, &B::m_nMessageOnCalldeflection>, nullptr},
        {"MessageOnFullAM", R::Bool<B, &B::m_nMessageOnFullAM>, nullptr},
        {"SortMsn", R::Bool<B, &B::m_nSortMsn>, nullptr},
        {"SpeechQuality", R::Int<B, &B::m_nSpeechQuality, SpeechQualityToStr, StrToSpeechQuality>, nullptr},
        {"CallsTillCalldefelction",
         R::Int<B, &B::m_nCallsTillCalldefelction, CallsTillCalldefelctionToStr,
                StrToCallsTillCalldefelction>,
         nullptr},
        {"CallDeflectionNumber", R::Str<B, &B::m_strCallDeflectionNumber, StrToCallDeflectionNumber>,
         nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_AnswerMaschine::MoveRecord(CData_Record& r)
{
    // Phones with call-deflection modes send the mode where the others send the switch.
    const bool bModes = CData_Properties::Current().m_bCallDeflectionModes;
    r.Header(RECORD_ID);
    r.Byte(m_nActive);
    r.Byte(m_nListen);
    r.Byte(m_nRemoteProgramming);
    r.Byte(m_nSpeechQuality);
    r.Byte(bModes ? m_niCallDeflection : m_nCallDeflection);
    r.Byte(m_nSortMsn);
    // The telephone counts the rings from 1; a 0 would fall below every
    // valid count.
    int nCalls = m_nCallsTillCalldefelction + 1;
    r.Byte(nCalls);
    if (r.Parsing())
        m_nCallsTillCalldefelction = nCalls > 0 ? nCalls - 1 : 0;
    r.Byte(m_nMessageOnCalldeflection);
    r.Byte(m_nMessageOnFullAM);
    r.String(m_strCallDeflectionNumber, NUMBER_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_AnswerMaschine::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, -1,
                                 &B::MoveRecord);
}
