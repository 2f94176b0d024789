#include "data/CData_AnsMaschPerMsn.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

#include <algorithm>
#include <cstdio>

namespace
{
const char s_szClass[] = "CData_AnsMaschPerMsn";
using B = CData_AnsMaschPerMsn;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

B::ValueTextLookup& ValueLookup()
{
    static B::ValueTextLookup s_lookup;
    return s_lookup;
}

// One weekday key: its name is the base and the weekday 1 to 7.
struct CWeekKey
{
    const char* pszBase;
    int (B::*pArray)[B::WEEKDAYS];
    int (*pfnToStr)(int&, std::string&);
    int (*pfnStrTo)(int&, const std::string&);
};

const CWeekKey s_weekKeys[] = {
    {"TimeTypeWeekAnnounce_", &B::m_anTimeTypeWeekAnnounce, AnnouncementToStr, StrToAnnouncement},
    {"TimeTypeWeek_TimeType1_", &B::m_anTimeTypeWeekTimeType1, TimeTypeToStr, StrToTimeType},
    {"TimeTypeWeek_TimeType2_", &B::m_anTimeTypeWeekTimeType2, TimeTypeToStr, StrToTimeType},
};

void MoveWeekKey(B& b, const CWeekKey& key, int nDay, int bToFile)
{
    char szKey[40];
    std::snprintf(szKey, sizeof szKey, "%s%d", key.pszBase, nDay + 1);
    int& nValue = (b.*key.pArray)[nDay];
    std::string text;
    if (bToFile)
        key.pfnToStr(nValue, text);
    R::MoveText(b.Name().c_str(), szKey, bToFile, text);
    if (!bToFile)
        key.pfnStrTo(nValue, text);
}
} // namespace

void CData_AnsMaschPerMsn::SetValueTextLookup(ValueTextLookup lookup)
{
    ValueLookup() = std::move(lookup);
}

bool CData_AnsMaschPerMsn::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nTiming == p->m_nTiming && m_nTimingWeek == p->m_nTimingWeek &&
           m_nActive == p->m_nActive && m_nMinorAnnouncement == p->m_nMinorAnnouncement &&
           m_nMainAnnouncement == p->m_nMainAnnouncement && m_nMaxMessageTime == p->m_nMaxMessageTime &&
           m_nMainOperationMode == p->m_nMainOperationMode &&
           m_nMinorOperationMode == p->m_nMinorOperationMode && m_nActivationTime == p->m_nActivationTime &&
           std::equal(m_anTimeTypeWeekAnnounce, m_anTimeTypeWeekAnnounce + WEEKDAYS,
                      p->m_anTimeTypeWeekAnnounce) &&
           std::equal(m_anTimeTypeWeekTimeType1, m_anTimeTypeWeekTimeType1 + WEEKDAYS,
                      p->m_anTimeTypeWeekTimeType1) &&
           std::equal(m_anTimeTypeWeekTimeType2, m_anTimeTypeWeekTimeType2 + WEEKDAYS,
                      p->m_anTimeTypeWeekTimeType2) &&
           m_nTimeTypeDay == p->m_nTimeTypeDay;
}

int CData_AnsMaschPerMsn::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Active", R::Bool<B, &B::m_nActive>, nullptr},
        {"ActivationTime", R::Int<B, &B::m_nActivationTime, ActivationTimeToStr, StrToActivationTime>,
         nullptr},
        {"MainOperationMode", R::Int<B, &B::m_nMainOperationMode, OperationModeToStr, StrToOperationMode>,
         nullptr},
        {"MaxMessageTime", R::Int<B, &B::m_nMaxMessageTime, MaxMessageTimeToStr, StrToMaxMessageTime>,
         nullptr},
        {"MainAnnouncement", R::Int<B, &B::m_nMainAnnouncement, AnnouncementToStr, StrToAnnouncement>,
         nullptr},
        {"MinorAnnouncement", R::Int<B, &B::m_nMinorAnnouncement, AnnouncementToStr, StrToAnnouncement>,
         nullptr},
        {"Timing", R::Bool<B, &B::m_nTiming>, nullptr},
        {"TimeTypeDay", R::Int<B, &B::m_nTimeTypeDay, TimeTypeToStr, StrToTimeType>, nullptr},
        {"TimingWeek", R::Bool<B, &B::m_nTimingWeek>, nullptr},
        {"MinorOperationMode", R::Int<B, &B::m_nMinorOperationMode, OperationModeToStr, StrToOperationMode>,
         nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    for (int nDay = 0; nDay < WEEKDAYS; ++nDay)
        for (const CWeekKey& key : s_weekKeys)
            MoveWeekKey(*this, key, nDay, bToFile);
    return 1;
}

void CData_AnsMaschPerMsn::MoveRecord(CData_Record& r)
{
    const bool bWeek = Number() < WEEK_RECORD_ENTRIES;
    r.Header(RECORD_ID, Number());
    r.Byte(m_nActive);
    r.Byte(m_nActivationTime);
    r.Byte(m_nMainOperationMode);
    r.Byte(m_nMaxMessageTime);
    r.Byte(m_nMainAnnouncement);
    r.Byte(m_nMinorAnnouncement);
    r.Byte(m_nTiming);
    r.Byte(m_nTimeTypeDay);
    if (!bWeek)
        return;
    r.Byte(m_nTimingWeek);
    r.Byte(m_nMinorOperationMode);
    for (int nDay = 0; nDay < WEEKDAYS; ++nDay)
    {
        r.Byte(m_anTimeTypeWeekAnnounce[nDay]);
        r.Byte(m_anTimeTypeWeekTimeType1[nDay]);
        r.Byte(m_anTimeTypeWeekTimeType2[nDay]);
    }
}

int CData_AnsMaschPerMsn::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, Number(),
                                 &B::MoveRecord);
}

std::string CData_AnsMaschPerMsn::InfoText(int nIndex) const
{
    auto valueText = [](int nColumn, int nValue)
    {
        std::string text;
        if (ValueLookup())
            text = ValueLookup()(nColumn, nValue);
        return text.empty() ? std::to_string(nValue) : text;
    };
    switch (nIndex)
    {
    case COL_NUMBER:
        return std::to_string(Number() == INDEX_GENERAL ? NUMBER_GENERAL : Number() + 1);
    case COL_ACTIVE:
        return CData_UiText(m_nActive ? TEXT_ACTIVE_ON : TEXT_ACTIVE_OFF);
    case COL_ACTIVATIONTIME:
        return valueText(COL_ACTIVATIONTIME, m_nActivationTime);
    case COL_MAXMESSAGETIME:
        return valueText(COL_MAXMESSAGETIME, m_nMaxMessageTime);
    default:
        return CData::InfoText(nIndex);
    }
}
