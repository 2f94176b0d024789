#include "data/CData_Version.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_Version";
// The brand data's version number (string table entry 130) is the version of a fresh document.
constexpr unsigned TEXT_PROGRAM_VERSION = 130;
// Fixed length bytes of the record before the country and the database version.
constexpr int COUNTRY_LENGTH = 1;
constexpr int DBVERSION_LENGTH = 4;

int s_nConfigVersion = 0;

using B = CData_Version;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

int PutVersion(B& b, std::string& text)
{
    StrToStr(b.m_strVersion, text);
    CData_Version::SetConfigVersion(VersionToNumber(b.m_strVersion));
    return 1;
}
int GetVersion(B& b, const std::string& text)
{
    const int n = StrToVersion(text, b.m_strVersion);
    CData_Version::SetConfigVersion(VersionToNumber(b.m_strVersion));
    return n;
}
int PutDbVersion(B& b, std::string& text)
{
    return DbVersionToStr(b.m_nDbVersion, text);
}
int GetDbVersion(B& b, const std::string& text)
{
    return StrToDbVersion(b.m_nDbVersion, text);
}

// A brand word as an enumeration value without the trace of a failed conversion: brand data that
// is not loaded yet leaves the value 0.
int WordValue(int (*pfnStrTo)(int&, const std::string&), const std::string& word)
{
    int n = 0;
    if (!word.empty())
        pfnStrTo(n, word);
    return n;
}
} // namespace

CData_Version::CData_Version(int nNumber)
{
    SetIndex(nNumber);
    const CData_Properties& props = CData_Properties::Current();
    m_nPhoneType = WordValue(StrToPhoneType, props.m_szPhoneTypeDefault);
    m_nOemType = WordValue(StrToOemType, props.m_szDerivat);
    m_nCountry = WordValue(StrToCountry, props.m_szCountry);
    m_strVersion = CData_UiText(TEXT_PROGRAM_VERSION);
    m_nLcrSupport = props.m_bLcrSupport ? 1 : 0;
}

int CData_Version::ConfigVersion()
{
    return s_nConfigVersion;
}

void CData_Version::SetConfigVersion(int nVersion)
{
    s_nConfigVersion = nVersion;
}

bool CData_Version::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_Version*>(&other);
    return p && CData::operator==(other) && m_nPhoneType == p->m_nPhoneType && m_nOemType == p->m_nOemType &&
           m_nCountry == p->m_nCountry && m_strSerialNo == p->m_strSerialNo &&
           m_strVersion == p->m_strVersion && m_strRelease == p->m_strRelease &&
           m_strOemString == p->m_strOemString && m_nLcrSupport == p->m_nLcrSupport &&
           m_nDbVersion == p->m_nDbVersion;
}

int CData_Version::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"PhoneType", R::Enum<B, &B::m_nPhoneType, PhoneTypeToStr, StrToPhoneType>, nullptr},
        {"OemType", R::Enum<B, &B::m_nOemType, OemTypeToStr, StrToOemType>, nullptr},
        {"Country", R::Enum<B, &B::m_nCountry, CountryToStr, StrToCountry>, nullptr},
        {"SerialNo", R::Str<B, &B::m_strSerialNo, StrToSerialNo>, nullptr},
        {"Version", R::Custom<B, PutVersion, GetVersion>, nullptr},
        {"Release", R::Str<B, &B::m_strRelease, StrToRelease>, nullptr},
        {"OemString", R::Str<B, &B::m_strOemString, StrToOemString>, nullptr},
        {"LcrSupport", R::Bool<B, &B::m_nLcrSupport>, nullptr},
        {"DbVersion", R::Custom<B, PutDbVersion, GetDbVersion>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_Version::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    r.Byte(m_nPhoneType);
    r.Byte(m_nOemType);
    r.Byte(m_nLcrSupport);
    r.String(m_strSerialNo, SERIALNO_MAX, false, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strVersion, VERSION_MAX, true, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strRelease, RELEASE_MAX, false, CData_Record::AFTER_ANNOUNCED);
    r.Expect(COUNTRY_LENGTH);
    r.Byte(m_nCountry);
    r.String(m_strOemString, OEMSTRING_MAX, true, CData_Record::AFTER_ANNOUNCED);
    r.Expect(DBVERSION_LENGTH);
    r.U32(m_nDbVersion);
}

int CData_Version::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    // The request carries the index although the data record has none.
    const int nResult = CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID,
                                              Number(), &B::MoveRecord);
    if (nMode == MB_PARSE && nResult)
        SetConfigVersion(VersionToNumber(m_strVersion));
    return nResult;
}

std::string CData_Version::InfoText(int nIndex) const
{
    std::string text;
    switch (nIndex)
    {
    case 0:
        PhoneTypeToStr(m_nPhoneType, text);
        return text;
    case 1:
        return m_strVersion;
    case 2:
        return m_strRelease;
    case 3:
        return m_strSerialNo;
    default:
        return CData::InfoText(nIndex);
    }
}
