#include "data/CData_VersionModule.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_VersionModule";
using B = CData_VersionModule;
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
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Enum<B>("ModuleType", &B::m_nModuleType, ModuleTypeToStr, StrToModuleType),
        Str<B>("Version", &B::m_strVersion, StrToVersion),
        Str<B>("Release", &B::m_strRelease, StrToRelease),
        Str<B>("SerialNo", &B::m_strSerialNo, StrToSerialNo),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_VersionModule::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID, Number());
        B v(*this);
        v.m_nModuleType = r.Byte();
        v.m_strVersion = r.Text(VERSION_MAX, true);
        v.m_strRelease = r.Text(RELEASE_MAX, false);
        v.m_strSerialNo = r.Text(SERIALNO_MAX, false);
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        *this = v;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1, Number());
        w.Byte(m_nModuleType);
        w.Text(m_strVersion, VERSION_MAX, true);
        w.Text(m_strRelease, RELEASE_MAX, false);
        w.Text(m_strSerialNo, SERIALNO_MAX, false);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0, Number());
        return w.Result();
    }
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
