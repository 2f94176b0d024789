#include "data/CData_Service.h"

#include "data/CData_Record.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
const char s_szClass[] = "CData_Service";
using B = CData_Service;
} // namespace

bool CData_Service::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_Service*>(&other);
    return p && CData::operator==(other) && std::equal(m_anValue, m_anValue + VALUE_COUNT, p->m_anValue);
}

void CData_Service::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    for (int& n : m_anValue)
        r.Byte(n);
}

int CData_Service::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_SendRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, &B::MoveRecord);
}
