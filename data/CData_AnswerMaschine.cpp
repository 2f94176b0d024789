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

int CData_AnswerMaschine::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    // Phones with call-deflection modes send the mode where the others send the switch.
    const bool bModes = CData_Properties::Current().m_bCallDeflectionModes;
    switch (nMode)
    {
    case MB_PARSE:
    case MB_DATA:
        return CData_MoveRecord(*this, nMode == MB_PARSE, pRecord, nSize, s_szClass,
                                [&](B& b, CData_Record& r)
                                {
                                    r.Header(RECORD_ID);
                                    r.Byte(b.m_nActive);
                                    r.Byte(b.m_nListen);
                                    r.Byte(b.m_nRemoteProgramming);
                                    r.Byte(b.m_nSpeechQuality);
                                    r.Byte(bModes ? b.m_niCallDeflection : b.m_nCallDeflection);
                                    r.Byte(b.m_nSortMsn);
                                    // The telephone counts the rings from 1; a 0 would fall below every valid
                                    // count.
                                    int nCalls = b.m_nCallsTillCalldefelction + 1;
                                    r.Byte(nCalls);
                                    if (r.Parsing())
                                        b.m_nCallsTillCalldefelction = nCalls > 0 ? nCalls - 1 : 0;
                                    r.Byte(b.m_nMessageOnCalldeflection);
                                    r.Byte(b.m_nMessageOnFullAM);
                                    r.String(b.m_strCallDeflectionNumber, NUMBER_MAX, false,
                                             CData_Record::AFTER_ANNOUNCED);
                                });
    case MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, RECORD_ID);
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
