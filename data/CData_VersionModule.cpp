#include "data/CData_VersionModule.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_VersionModule";
using B = CData_VersionModule;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;
} // namespace

bool CData_VersionModule::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nModuleType == p->m_nModuleType &&
           m_strVersion == p->m_strVersion && m_strRelease == p->m_strRelease &&
           m_strSerialNo == p->m_strSerialNo;
}

int CData_VersionModule::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"ModuleType", R::Enum<B, &B::m_nModuleType, ModuleTypeToStr, StrToModuleType>, nullptr},
        {"Version", R::Str<B, &B::m_strVersion, StrToVersion>, nullptr},
        {"Release", R::Str<B, &B::m_strRelease, StrToRelease>, nullptr},
        {"SerialNo", R::Str<B, &B::m_strSerialNo, StrToSerialNo>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_VersionModule::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID, Number());
    r.Byte(m_nModuleType);
    r.String(m_strVersion, VERSION_MAX, true, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strRelease, RELEASE_MAX, false, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strSerialNo, SERIALNO_MAX, false, CData_Record::AFTER_ANNOUNCED);
}

int CData_VersionModule::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    case MB_DATA:
        return CData_MoveRecord(*this, nMode == MB_PARSE, pRecord, nSize, s_szClass, &B::MoveRecord);
    case MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, RECORD_ID, Number());
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}

std::string CData_VersionModule::InfoText(int nIndex) const
{
    std::string text;
    switch (nIndex)
    {
    case 0:
        return std::to_string(Number() + 1);
    case 1:
        ModuleTypeToStr(m_nModuleType, text);
        return text;
    case 2:
        return m_strVersion;
    case 3:
        return m_strRelease;
    case 4:
        return m_strSerialNo;
    default:
        return CData::InfoText(nIndex);
    }
}
