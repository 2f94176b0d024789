#include "data/CData_MsnPara.h"

#include "data/CData_FileRow.h"
#include "data/CData_Properties.h"
#include "data/CData_Record.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

#include <cstdio>
#include <tuple>

namespace
{
const char s_szClass[] = "CData_MsnPara";

using M = CData_MsnPara;
using Row = CData_FileRow<M>;
namespace R = CData_FileRows;

bool InternRingGuard(const CData_Properties&)
{
    return CData_MsnPara::InternRing();
}

// Section order of the file.
const Row s_rows[] = {
    {"Loud", R::Int<M, &M::m_nLoud, LoudToStr, StrToLoud>, nullptr},
    {"Melody", R::Int<M, &M::m_nMelody, MelodyToStr, StrToMelody>, nullptr},
    {"LoudIntern", R::Int<M, &M::m_nLoudIntern, LoudToStr, StrToLoud>, InternRingGuard},
    {"MelodyIntern", R::Int<M, &M::m_nMelodyIntern, MelodyToStr, StrToMelody>, InternRingGuard},
    {"PayCounter", R::U32<M, &M::m_nPayCounter, PayCounterToStr, StrToPayCounter>, nullptr},
    {"Msn", R::Str<M, &M::m_strMsn, StrToMsnExt>, nullptr},
    {"Txt", R::Str<M, &M::m_strTxt, StrToTxt>, nullptr},
    {"MsnAws", R::Str<M, &M::m_strMsnAws, StrToMsnExt>, nullptr},
    {"CallDelectionNo", R::Str<M, &M::m_strCallDelectionNo, StrToMsnExt>, nullptr},
    {"TaxLimit", R::Int<M, &M::m_nTaxLimit, TaxLimitToStr, StrToTaxLimit>, nullptr},
};

std::string Decimal(const char* pszFormat, long long n)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, pszFormat, n);
    return sz;
}

auto Fields(const CData_MsnPara& m)
{
    return std::tie(m.m_nLoud, m.m_nMelody, m.m_nLoudIntern, m.m_nMelodyIntern, m.m_nPayCounter, m.m_strMsn,
                    m.m_strTxt, m.m_strMsnAws, m.m_strCallDelectionNo, m.m_nTaxLimit);
}
} // namespace

bool CData_MsnPara::InternRing()
{
    const CData_Properties& p = CData_Properties::Current();
    return p.m_bInternRing || p.m_szDerivat == "BRELMONDIA";
}

bool CData_MsnPara::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_MsnPara*>(&other);
    return p && CData::operator==(other) && Fields(*this) == Fields(*p);
}

int CData_MsnPara::MoveFile(int bToFile, int)
{
    R::MoveFileRows(*this, s_rows, bToFile, nullptr, R::VALUE_MAX_SETTINGS);
    return 1;
}

void CData_MsnPara::MoveRecord(CData_Record& r)
{
    r.Header(ID_RECORD);
    r.Expect(static_cast<unsigned char>(Number()));
    r.Byte(m_nMelody);
    r.Byte(m_nLoud);
    if (InternRing())
    {
        r.Byte(m_nMelodyIntern);
        r.Byte(m_nLoudIntern);
    }
    r.U32(m_nPayCounter);
    r.String(m_strMsn, MSN_MAX, false);
    r.String(m_strTxt, TXT_MAX, true);
    r.String(m_strMsnAws, MSNAWS_MAX, false);
    if (CData_Properties::Current().m_bCallDeflectionSupport)
    {
        r.String(m_strCallDelectionNo, CALLDEFLECTION_MAX, false);
        // The width byte is always 2; a received one is not relied on.
        int nWidth = TAXLIMIT_WIDTH;
        r.Byte(nWidth);
        r.U16(m_nTaxLimit);
    }
}

int CData_MsnPara::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    TraceLine(s_szClass, "MoveBlock()");
    // A refused record (another slot, a short frame) changes nothing and leaves no trace line.
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, nullptr, ID_RECORD, Number(),
                                 &CData_MsnPara::MoveRecord);
}

std::string CData_MsnPara::Column(int nColumn, int nPhoneType, bool& bNoTaxLimit) const
{
    bNoTaxLimit = false;
    switch (nColumn)
    {
    case 0:
        return Decimal("%01lld", Number() + 1LL);
    case 1:
        return m_strMsn;
    case 2:
        return m_strTxt;
    case 3:
        return Decimal("%01lld", m_nLoud);
    case 4:
        return Decimal("%01lld", m_nMelody + 1LL);
    case 5:
        return m_strMsnAws;
    case 6:
        return Decimal("% 10lld", m_nPayCounter);
    case 7:
        return Decimal("%01lld", m_nLoudIntern);
    case 8:
        return Decimal("%01lld", m_nMelodyIntern + 1LL);
    case 9:
        return m_strCallDelectionNo;
    case 10:
    {
        const std::string text = Decimal("%01lld", m_nTaxLimit);
        // The small phones keep no charge limit.
        bNoTaxLimit = text == "0" || nPhoneType == PHONETYPE_RV730 || nPhoneType == PHONETYPE_RV730U;
        return bNoTaxLimit ? CData_UiText(TEXT_NO_TAXLIMIT) : text;
    }
    default:
        return CData::InfoText(nColumn);
    }
}

std::string CData_MsnPara::InfoText(int nIndex) const
{
    bool bNoTaxLimit = false;
    return Column(nIndex, -1, bNoTaxLimit);
}

std::string CData_MsnPara::ColumnText(int nColumn, int nPhoneType)
{
    bool bNoTaxLimit = false;
    std::string text = Column(nColumn, nPhoneType, bNoTaxLimit);
    if (bNoTaxLimit)
        m_nTaxLimit = 0;
    return text;
}
