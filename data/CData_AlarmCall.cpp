#include "data/CData_AlarmCall.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_AlarmCall";
using B = CData_AlarmCall;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

// std::tm counts years from 1900 and months from 0.
constexpr int TM_YEAR_BASE = 1900;

CData_AlarmCall::LocalTimeSource s_localTime = nullptr;

bool SystemLocalTime(std::tm& out)
{
    const std::time_t t = std::time(nullptr);
    // The one user-interface thread is the only caller, so the shared result is safe to copy.
    const std::tm* p = std::localtime(&t);
    if (!p)
        return false;
    out = *p;
    return true;
}

// Setting codes of the telephone for the settings 2 and 3.
constexpr int PHONE_SETTING_2 = 3;
constexpr int PHONE_SETTING_3 = 4;

int PutYear(B& b, std::string& text)
{
    int n = b.m_nYear - B::YEAR_BASE;
    const int nResult = YearToStr(n, text);
    if (!nResult)
        b.m_nYear = B::YEAR_BASE + n;
    return nResult;
}
int GetYear(B& b, const std::string& text)
{
    int n = 0;
    const int nResult = StrToYear(n, text);
    b.m_nYear = B::YEAR_BASE + n;
    return nResult;
}

int RecordId()
{
    return CData_Properties::Current().m_bEntryInfotext ? B::RECORD_ID_INFOTEXT : B::RECORD_ID;
}
} // namespace

CData_AlarmCall::CData_AlarmCall(int nNumber)
{
    SetIndex(nNumber);
    std::tm now{};
    if (s_localTime ? s_localTime(now) : SystemLocalTime(now))
    {
        m_nMinute = now.tm_min;
        m_nHour = now.tm_hour;
        m_nDay = now.tm_mday;
        m_nMonth = now.tm_mon + 1;
        m_nYear = now.tm_year + TM_YEAR_BASE;
    }
    // The year field of the telephone starts at 2000.
    if (m_nYear < YEAR_BASE)
        m_nYear = YEAR_BASE;
}

void CData_AlarmCall::SetLocalTimeSource(LocalTimeSource source)
{
    s_localTime = source;
}

int CData_AlarmCall::SettingToPhone(int nSetting)
{
    switch (nSetting)
    {
    case 2:
        return PHONE_SETTING_2;
    case 3:
        return PHONE_SETTING_3;
    default:
        return nSetting;
    }
}

int CData_AlarmCall::SettingFromPhone(int nCode)
{
    switch (nCode)
    {
    case PHONE_SETTING_2:
        return 2;
    case PHONE_SETTING_3:
        return 3;
    default:
        return nCode;
    }
}

bool CData_AlarmCall::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nSetting == p->m_nSetting && m_nMinute == p->m_nMinute &&
           m_nHour == p->m_nHour && m_nDay == p->m_nDay && m_nMonth == p->m_nMonth && m_nYear == p->m_nYear &&
           m_strInfotext == p->m_strInfotext;
}

int CData_AlarmCall::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    static const Row s_rows[] = {
        {"Day", R::Int<B, &B::m_nDay, DayToStr, StrToDay>, nullptr},
        {"Hour", R::Int<B, &B::m_nHour, HourToStr, StrToHour>, nullptr},
        {"Minute", R::Int<B, &B::m_nMinute, MinuteToStr, StrToMinute>, nullptr},
        {"Month", R::Int<B, &B::m_nMonth, MonthToStr, StrToMonth>, nullptr},
        {"Year", R::Custom<B, PutYear, GetYear>, nullptr},
        {"Setting", R::Int<B, &B::m_nSetting, SettingToStr, StrToSetting>, nullptr},
        {"Infotext", R::Str<B, &B::m_strInfotext, StrToInfotext>,
         R::Has<&CData_Properties::m_bEntryInfotext>},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_AlarmCall::MoveRecord(CData_Record& r)
{
    const bool bInfotext = CData_Properties::Current().m_bEntryInfotext;
    r.Header(RecordId(), Number());
    int nYear = m_nYear - YEAR_BASE;
    r.Byte(nYear);
    r.Byte(m_nMonth);
    r.Byte(m_nDay);
    r.Byte(m_nHour);
    r.Byte(m_nMinute);
    int nSetting = SettingToPhone(m_nSetting);
    r.Byte(nSetting);
    if (r.Parsing())
    {
        m_nYear = YEAR_BASE + nYear;
        m_nSetting = SettingFromPhone(nSetting);
    }
    if (bInfotext)
        r.String(m_strInfotext, INFOTEXT_MAX, true, CData_Record::AFTER_ANNOUNCED);
}

int CData_AlarmCall::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RecordId(), Number(),
                                 &B::MoveRecord);
}

std::string CData_AlarmCall::InfoText(int nIndex) const
{
    char sz[48];
    switch (nIndex)
    {
    case 0:
        return std::to_string(Number() + 1);
    case 1:
        std::snprintf(sz, sizeof sz, "%02d.%02d.%04d", m_nDay, m_nMonth, m_nYear);
        return sz;
    case 2:
        std::snprintf(sz, sizeof sz, "%02d:%02d", m_nHour, m_nMinute);
        return sz;
    case 3:
        return std::to_string(m_nSetting);
    case 4:
        return m_strInfotext;
    default:
        return CData::InfoText(nIndex);
    }
}
