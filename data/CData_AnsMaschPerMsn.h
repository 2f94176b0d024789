#pragma once

#include "data/CData.h"

#include <functional>
#include <string>

class CData_Record;

// The answering machine's settings for one MSN (eleven entries, record 0xA1): a daily and a
// weekly time plan with the announcement and operating mode inside and outside the plan. The
// entries 0 to 2 carry the weekly plan in their record (34 bytes); the others end after the daily
// plan (11 bytes).
class CData_AnsMaschPerMsn : public CData
{
public:
    static constexpr const char* KIND = "AnsMaschPerMsn";
    static constexpr int RECORD_ID = 0xA1;
    static constexpr int WEEKDAYS = 7;
    // Entries below this index carry the weekly plan in their record.
    static constexpr int WEEK_RECORD_ENTRIES = 3;
    static constexpr int RECORD_LENGTH_DAY = 11;
    static constexpr int RECORD_LENGTH_WEEK = 34;
    // Column texts of the list: Active "On"/"Off" texts.
    static constexpr unsigned TEXT_ACTIVE_ON = 3104;
    static constexpr unsigned TEXT_ACTIVE_OFF = 3105;
    // List index of the general entry, shown as entry 11.
    static constexpr int INDEX_GENERAL = 255;
    static constexpr int NUMBER_GENERAL = 11;

    enum EColumn
    {
        COL_NUMBER = 0,
        COL_ACTIVE = 1,
        COL_ACTIVATIONTIME = 2,
        COL_MAXMESSAGETIME = 3,
    };

    explicit CData_AnsMaschPerMsn(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    // The interface's value texts of the activation-time and message-time combos (column, value);
    // an empty text, or none installed, shows the value as a number.
    using ValueTextLookup = std::function<std::string(int nColumn, int nValue)>;
    static void SetValueTextLookup(ValueTextLookup lookup);

    int m_nTiming = 0;                            // `Timing`: daily plan in use
    int m_nTimingWeek = 0;                        // `TimingWeek`: weekly plan in use
    int m_nActive = 0;                            // `Active`
    int m_nMinorAnnouncement = 0;                 // `MinorAnnouncement`
    int m_nMainAnnouncement = 0;                  // `MainAnnouncement`
    int m_nMaxMessageTime = 1;                    // `MaxMessageTime`, 1..4
    int m_nMainOperationMode = 1;                 // `MainOperationMode`, 1..4
    int m_nMinorOperationMode = 1;                // `MinorOperationMode`, 1..4
    int m_nActivationTime = 0;                    // `ActivationTime`
    int m_anTimeTypeWeekAnnounce[WEEKDAYS] = {};  // `TimeTypeWeekAnnounce_1` .. `_7`
    int m_anTimeTypeWeekTimeType1[WEEKDAYS] = {}; // `TimeTypeWeek_TimeType1_1` .. `_7`
    int m_anTimeTypeWeekTimeType2[WEEKDAYS] = {}; // `TimeTypeWeek_TimeType2_1` .. `_7`
    int m_nTimeTypeDay = 0;                       // `TimeTypeDay`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
