#include "data/CData_FirmwareUpdate.h"

#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_FirmwareUpdate";
using B = CData_FirmwareUpdate;
// A name longer than the length byte can count is cut there.
constexpr size_t FILENAME_MAX_BUILD = 255;
} // namespace

std::string& CData_FirmwareUpdate::UpdateFileName()
{
    static std::string s_name;
    return s_name;
}

bool CData_FirmwareUpdate::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_FirmwareUpdate*>(&other);
    return p && CData::operator==(other) && m_strFileName == p->m_strFileName;
}

void CData_FirmwareUpdate::MoveRecord(CData_Record& r)
{
    // The name the phone reports may be shorter than the one sent.
    r.Header(RECORD_ID);
    r.String(m_strFileName, r.Parsing() ? FILENAME_MAX_PARSE : FILENAME_MAX_BUILD, false,
             CData_Record::AFTER_ANNOUNCED);
}

int CData_FirmwareUpdate::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    case MB_DATA:
    {
        m_strFileName = UpdateFileName();
        return CData_MoveRecord(*this, nMode == MB_PARSE, pRecord, nSize, s_szClass, &B::MoveRecord);
    }
    case MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, RECORD_ID);
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
