#include "data/CData_DialFilter.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_DialFilter";
using B = CData_DialFilter;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
// Interface texts that precede the entry number in the list, one per group of seven.
constexpr unsigned TEXT_DIALFILTER_GROUP1 = 270;
constexpr unsigned TEXT_DIALFILTER_GROUP2 = 271;
constexpr int GROUP_SIZE = 7;
} // namespace

bool CData_DialFilter::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strMsn == p->m_strMsn;
}

int CData_DialFilter::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Msn", R::Str<B, &B::m_strMsn, StrToMsnExt>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_DialFilter::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID, Number());
    r.String(m_strMsn, MSN_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_DialFilter::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, Number(),
                                 &B::MoveRecord);
}

std::string CData_DialFilter::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
        if (Number() < GROUP_SIZE)
            return CData_UiText(TEXT_DIALFILTER_GROUP1) + std::to_string(Number() + 1);
        return CData_UiText(TEXT_DIALFILTER_GROUP2) + std::to_string(Number() - GROUP_SIZE + 1);
    case 1:
        return m_strMsn;
    default:
        return CData::InfoText(nIndex);
    }
}
