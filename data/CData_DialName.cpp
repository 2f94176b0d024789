#include "data/CData_DialName.h"

#include "data/CData_FileRow.h"
#include "data/CData_LstData.h"
#include "data/CData_Record.h"
#include "data/CData_UiText.h"
#include "data/CData_Version.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_DialName";
using B = CData_DialName;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

// Interface texts of the columns.
constexpr unsigned TEXT_MELODY_STANDARD = 280; // MelodyExt 0
constexpr unsigned TEXT_MELODY_SPECIAL = 281;  // MelodyExt 1
constexpr unsigned TEXT_MSNGO_NONE = 282;      // MsnGo 0
constexpr unsigned TEXT_MSNGO_NO_NUMBER = 284; // MsnGo naming a slot without a number

// Section names of the older layouts: the entry number plus one, and the number plus this base.
constexpr unsigned LAYOUT2_BASE = 0x23000000;

B::MsnSlotLookup& SlotLookup()
{
    static B::MsnSlotLookup s_lookup;
    return s_lookup;
}

bool MsnGoKnown(const CData_Properties&)
{
    return CData_Version::ConfigVersion() >= B::MSNGO_VERSION;
}

int RecordId()
{
    return CData_Properties::Current().m_bEntryInfotext ? B::RECORD_ID_INFOTEXT : B::RECORD_ID;
}
} // namespace

void CData_DialName::SetMsnSlotLookup(MsnSlotLookup lookup)
{
    SlotLookup() = std::move(lookup);
}

bool CData_DialName::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nLoud == p->m_nLoud && m_nMelodyExt == p->m_nMelodyExt &&
           m_nMsnGo == p->m_nMsnGo && m_strName == p->m_strName && m_strMsnExt == p->m_strMsnExt &&
           m_strInfotext == p->m_strInfotext;
}

int CData_DialName::MoveFile(int bToFile, int nVariant)
{
    TraceLine(s_szClass, "MoveFile()");
    char szSection[32];
    switch (nVariant)
    {
    case 0:
    {
        static const Row s_rows[] = {
            {"MelodyExt", R::Int<B, &B::m_nMelodyExt, MelodyExtToStr, StrToMelodyExt>, nullptr},
            {"Loud", R::Int<B, &B::m_nLoud, LoudToStr, StrToLoud>, nullptr},
            {"Name", R::Str<B, &B::m_strName, StrToName>, nullptr},
            {"MsnExt", R::Str<B, &B::m_strMsnExt, StrToMsnExt>, nullptr},
            {"MsnGo", R::Int<B, &B::m_nMsnGo, MsnGoToStr, StrToMsnGo>, MsnGoKnown},
            {"Infotext", R::Str<B, &B::m_strInfotext, StrToInfotext>,
             R::Has<&CData_Properties::m_bEntryInfotext>},
        };
        const uint64_t nFound = R::MoveFileRows(*this, s_rows, bToFile);
        return bToFile || (nFound & 1) ? 1 : 0;
    }
    case 1:
    {
        if (bToFile)
            return 0;
        static const Row s_rows[] = {
            {"MelodyExt", R::Int<B, &B::m_nMelodyExt, MelodyExtToStr, StrToMelodyExt>, nullptr},
            {"Loud", R::Int<B, &B::m_nLoud, LoudToStr, StrToLoud>, nullptr},
            {"Name", R::Str<B, &B::m_strName, StrToName>, nullptr},
            {"Msn", R::Str<B, &B::m_strMsnExt, StrToMsnExt>, nullptr},
        };
        std::snprintf(szSection, sizeof szSection, "%s_%d", KIND, Number() + 1);
        return R::MoveFileRows(*this, s_rows, 0, szSection) & 1 ? 1 : 0;
    }
    case 2:
    {
        if (bToFile)
            return 0;
        static const Row s_rows[] = {
            {"sName", R::Str<B, &B::m_strName, StrToName>, nullptr},
            {"sMsnExt", R::Str<B, &B::m_strMsnExt, StrToMsnExt>, nullptr},
        };
        std::snprintf(szSection, sizeof szSection, "%s_%08X", KIND,
                      static_cast<unsigned>(Number()) + LAYOUT2_BASE);
        return R::MoveFileRows(*this, s_rows, 0, szSection) ? 1 : 0;
    }
    default:
        return 0;
    }
}

void CData_DialName::MoveRecord(CData_Record& r)
{
    const CData_Properties& props = CData_Properties::Current();
    r.Header(RecordId(), Number());
    r.Byte(m_nMelodyExt);
    r.Byte(m_nLoud);
    if (props.m_bMsnGoRecord)
        r.Byte(m_nMsnGo);
    r.String(m_strName, NAME_MAX, true, CData_Record::AFTER_ANNOUNCED);
    r.String(m_strMsnExt, MSNEXT_MAX, false, CData_Record::AFTER_ANNOUNCED);
    if (props.m_bEntryInfotext)
        r.String(m_strInfotext, INFOTEXT_MAX, true, CData_Record::AFTER_ANNOUNCED);
}

int CData_DialName::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RecordId(), Number(),
                                 &B::MoveRecord);
}

std::string CData_DialName::InfoText(int nIndex) const
{
    const CData_Properties& props = CData_Properties::Current();
    char sz[32];
    switch (nIndex)
    {
    case COL_NUMBER:
        std::snprintf(sz, sizeof sz, "%03d", Number() + 1);
        return sz;
    case COL_NAME:
        return m_strName;
    case COL_MSNEXT:
        return m_strMsnExt;
    case COL_LOUD:
        return std::to_string(m_nLoud);
    case COL_MELODY:
        if (m_nMelodyExt == 0)
            return CData_UiText(TEXT_MELODY_STANDARD);
        if (m_nMelodyExt == 1)
            return CData_UiText(TEXT_MELODY_SPECIAL);
        return std::to_string(m_nMelodyExt - 1);
    case COL_MSNGO:
    {
        if (!props.m_bMsnGoRecord)
            return std::string();
        if (m_nMsnGo == 0)
            return CData_UiText(TEXT_MSNGO_NONE);
        std::string txt;
        std::string msn;
        if (SlotLookup() && SlotLookup()(m_nMsnGo - 1, txt, msn) && !msn.empty())
            return txt + " (" + msn + ")";
        return CData_UiText(TEXT_MSNGO_NO_NUMBER) + "-" + std::to_string(m_nMsnGo);
    }
    case COL_INFOTEXT:
        return props.m_bEntryInfotext ? m_strInfotext : std::string();
    default:
        return CData::InfoText(nIndex);
    }
}

bool CData_DialName::SortsBefore(const CData_DialName& a, const CData_DialName& b)
{
    return CData_LstData::Compare(a, b) < 0;
}
