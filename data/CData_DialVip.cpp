#include "data/CData_DialVip.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_DialVip";
using B = CData_DialVip;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

bool CData_DialVip::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strMsn == p->m_strMsn && m_strName == p->m_strName;
}

int CData_DialVip::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Msn", R::Str<B, &B::m_strMsn, StrToMsnExt>, nullptr},
        {"Name", R::Str<B, &B::m_strName, StrToName>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_DialVip::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID, Number());
    r.String(m_strMsn, MSN_MAX, false, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strName, NAME_MAX, true, CData_Record::AFTER_ANNOUNCED);
}

int CData_DialVip::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, Number(),
                                 &B::MoveRecord);
}

std::string CData_DialVip::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
    {
        char sz[16];
        std::snprintf(sz, sizeof sz, CData_Properties::Current().m_bVipKeyLabels ? "k%01d" : "v%01d",
                      Number());
        return sz;
    }
    case 1:
        return m_strMsn;
    case 2:
        return m_strName;
    default:
        return CData::InfoText(nIndex);
    }
}
