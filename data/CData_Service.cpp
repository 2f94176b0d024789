#include "data/CData_Service.h"

#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
const char s_szClass[] = "CData_Service";
} // namespace

bool CData_Service::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_Service*>(&other);
    return p && CData::operator==(other) && std::equal(m_anValue, m_anValue + VALUE_COUNT, p->m_anValue);
}

int CData_Service::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
        TraceLine(s_szClass, "MoveBlock() Not implemented!");
        return 0;
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1);
        for (const int n : m_anValue)
            w.Byte(n);
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
