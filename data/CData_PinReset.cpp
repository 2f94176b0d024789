#include "data/CData_PinReset.h"

#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_PinReset";
using B = CData_PinReset;
// The length byte counts at most this many characters.
constexpr size_t PIN_MAX = 255;
} // namespace

bool CData_PinReset::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_PinReset*>(&other);
    return p && CData::operator==(other) && m_strPin == p->m_strPin;
}

void CData_PinReset::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    r.String(m_strPin, PIN_MAX, false);
    r.Expect(RESET_MARK);
}

int CData_PinReset::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_SendRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, &B::MoveRecord);
}
