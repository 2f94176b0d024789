#include "data/CData_VoiceMail.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_VoiceMail";
using B = CData_VoiceMail;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

bool CData_VoiceMail::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strVoiceMailClientNumber == p->m_strVoiceMailClientNumber;
}

int CData_VoiceMail::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"VoiceMailClientNumber", R::Str<B, &B::m_strVoiceMailClientNumber, StrToMsnExt>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

int CData_VoiceMail::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    case MB_DATA:
        return CData_MoveRecord(*this, nMode == MB_PARSE, pRecord, nSize, s_szClass,
                                [](B& b, CData_Record& r)
                                {
                                    r.Header(RECORD_ID);
                                    r.String(b.m_strVoiceMailClientNumber, NUMBER_MAX, false,
                                             CData_Record::AFTER_ANNOUNCED);
                                });
    case MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, RECORD_ID);
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
