#pragma once

#include "data/CData.h"

#include <ctime>
#include <string>

class CData_Record;

// One alarm call (three entries, record 0x63, or 0x64 on phones whose alarm calls carry an info
// text). A new alarm call is set to the current local time.
class CData_AlarmCall : public CData
{
public:
    static constexpr const char* KIND = "AlarmCall";
    static constexpr int RECORD_ID = 0x63;
    static constexpr int RECORD_ID_INFOTEXT = 0x64;
    static constexpr size_t INFOTEXT_MAX = 42;
    // The file and the record hold the year as an offset from this one.
    static constexpr int YEAR_BASE = 2000;

    explicit CData_AlarmCall(int nNumber = 0);
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // 0 the entry number (index + 1), 1 the date "DD.MM.YYYY", 2 the time "HH:MM", 3 the setting,
    // 4 the info text.
    std::string InfoText(int nIndex) const override;

    // The local time new alarm calls start from; tests replace it. nullptr: the system clock.
    using LocalTimeSource = bool (*)(std::tm& out);
    static void SetLocalTimeSource(LocalTimeSource source);

    // Setting as the telephone codes it: 0 and 1 unchanged, 2 sent as 3, 3 sent as 4.
    static int SettingToPhone(int nSetting);
    static int SettingFromPhone(int nCode);

    int m_nSetting = 0;        // `Setting`
    int m_nMinute = 0;         // `Minute`
    int m_nHour = 0;           // `Hour`
    int m_nDay = 1;            // `Day`
    int m_nMonth = 1;          // `Month`
    int m_nYear = YEAR_BASE;   // `Year`, four digits
    std::string m_strInfotext; // `Infotext`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
