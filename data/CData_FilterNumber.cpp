#include "data/CData_FilterNumber.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
using B = CData_FilterNumber;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

bool CData_FilterNumber::operator==(const CData& other) const
{
    // The record identifier tells the two filters apart.
    const auto* p = dynamic_cast<const B*>(&other);
    return p && p->m_nRecordId == m_nRecordId && CData::operator==(other) && m_strMsn == p->m_strMsn;
}

int CData_FilterNumber::MoveFile(int bToFile, int)
{
    TraceLine(m_pszClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Msn", R::Str<B, &B::m_strMsn, StrToMsnExt>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_FilterNumber::MoveRecord(CData_Record& r)
{
    r.Header(m_nRecordId, Number());
    r.String(m_strMsn, MSN_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_FilterNumber::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, m_pszClass, m_nRecordId, Number(),
                                 &B::MoveRecord);
}

std::string CData_FilterNumber::InfoText(int nIndex) const
{
    return nIndex == 1 ? m_strMsn : CData::InfoText(nIndex);
}
