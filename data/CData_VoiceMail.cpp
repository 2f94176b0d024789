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

void CData_VoiceMail::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    r.String(m_strVoiceMailClientNumber, NUMBER_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_VoiceMail::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, -1,
                                 &B::MoveRecord);
}
