#include "data/CData_AnsMaschTimeType.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_AnsMaschTimeType";
using B = CData_AnsMaschTimeType;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

void CData_AnsMaschTimeType::UpdateInUse()
{
    m_bInUse = m_nStartHour != 0 || m_nStartMinute != 0 || m_nEndHour != 0 || m_nEndMinute != 0;
}

bool CData_AnsMaschTimeType::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nStartHour == p->m_nStartHour &&
           m_nStartMinute == p->m_nStartMinute && m_nEndHour == p->m_nEndHour &&
           m_nEndMinute == p->m_nEndMinute;
}

int CData_AnsMaschTimeType::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"StartHour", R::Int<B, &B::m_nStartHour, HourToStr, StrToHour>, nullptr},
        {"StartMinute", R::Int<B, &B::m_nStartMinute, MinuteToStr, StrToMinute>, nullptr},
        {"EndHour", R::Int<B, &B::m_nEndHour, HourToStr, StrToHour>, nullptr},
        {"EndMinute", R::Int<B, &B::m_nEndMinute, MinuteToStr, StrToMinute>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    if (!bToFile)
        UpdateInUse();
    return 1;
}

void CData_AnsMaschTimeType::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID, Number());
    r.Byte(m_nStartHour);
    r.Byte(m_nStartMinute);
    r.Byte(m_nEndHour);
    r.Byte(m_nEndMinute);
}

int CData_AnsMaschTimeType::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    const int nResult = CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID,
                                              Number(), &B::MoveRecord);
    if (nMode == MB_PARSE && nResult)
        UpdateInUse();
    return nResult;
}

std::string CData_AnsMaschTimeType::InfoText(int nIndex) const
{
    char sz[32];
    switch (nIndex)
    {
    case 0:
        return std::to_string(Number() + 1);
    case 1:
        std::snprintf(sz, sizeof sz, "%02d:%02d", m_nStartHour, m_nStartMinute);
        return sz;
    case 2:
        std::snprintf(sz, sizeof sz, "%02d:%02d", m_nEndHour, m_nEndMinute);
        return sz;
    default:
        return CData::InfoText(nIndex);
    }
}
