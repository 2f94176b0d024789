#include "data/CData_CallFilter.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_CallFilter";
using B = CData_CallFilter;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
// Interface text that precedes the entry number in the list.
constexpr unsigned TEXT_CALLFILTER = 274;
} // namespace

bool CData_CallFilter::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strMsn == p->m_strMsn;
}

int CData_CallFilter::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Msn", R::Str<B, &B::m_strMsn, StrToMsnExt>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_CallFilter::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID, Number());
    r.String(m_strMsn, MSN_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_CallFilter::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, Number(),
                                 &B::MoveRecord);
}

std::string CData_CallFilter::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
        return CData_UiText(TEXT_CALLFILTER) + std::to_string(Number() + 1);
    case 1:
        return m_strMsn;
    default:
        return CData::InfoText(nIndex);
    }
}
