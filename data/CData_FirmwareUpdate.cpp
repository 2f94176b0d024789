#include "data/CData_FirmwareUpdate.h"

#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_FirmwareUpdate";
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

int CData_FirmwareUpdate::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        m_strFileName = UpdateFileName();
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID);
        const std::string name = r.Text(FILENAME_MAX_PARSE, false);
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_strFileName = name;
        return r.Result();
    }
    case MB_DATA:
    {
        m_strFileName = UpdateFileName();
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1);
        w.Text(m_strFileName, FILENAME_MAX_BUILD, false);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0);
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
