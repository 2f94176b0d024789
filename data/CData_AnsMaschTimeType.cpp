#include "data/CData_AnsMaschTimeType.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_AnsMaschTimeType";
using B = CData_AnsMaschTimeType;
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
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Int<B>("StartHour", &B::m_nStartHour, HourToStr, StrToHour),
        Int<B>("StartMinute", &B::m_nStartMinute, MinuteToStr, StrToMinute),
        Int<B>("EndHour", &B::m_nEndHour, HourToStr, StrToHour),
        Int<B>("EndMinute", &B::m_nEndMinute, MinuteToStr, StrToMinute),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    if (!bToFile)
        UpdateInUse();
    return 1;
}

int CData_AnsMaschTimeType::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID, Number());
        const int nStartHour = r.Byte();
        const int nStartMinute = r.Byte();
        const int nEndHour = r.Byte();
        const int nEndMinute = r.Byte();
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_nStartHour = nStartHour;
        m_nStartMinute = nStartMinute;
        m_nEndHour = nEndHour;
        m_nEndMinute = nEndMinute;
        UpdateInUse();
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1, Number());
        w.Byte(m_nStartHour);
        w.Byte(m_nStartMinute);
        w.Byte(m_nEndHour);
        w.Byte(m_nEndMinute);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0, Number());
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
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
