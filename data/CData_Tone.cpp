#include "data/CData_Tone.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_Tone";
using B = CData_Tone;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

bool CData_Tone::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nLoudAnswerMachine == p->m_nLoudAnswerMachine;
}

int CData_Tone::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"LoudAnswerMachine", R::Int<B, &B::m_nLoudAnswerMachine, LoudToStr, StrToLoud>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_Tone::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    r.Byte(m_nLoudAnswerMachine);
}

int CData_Tone::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, -1,
                                 &B::MoveRecord);
}
