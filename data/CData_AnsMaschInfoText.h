#pragma once

#include "data/CData.h"

class CData_Record;

// Which announcements and texts are recorded on the telephone's answering machine (record 0xA3).
// The telephone reports it; it is never sent (no data record is built).
class CData_AnsMaschInfoText : public CData
{
public:
    static constexpr const char* KIND = "AnsMaschInfoText";
    static constexpr int RECORD_ID = 0xA3;
    static constexpr int ANNOUNCE_COUNT = 10;
    static constexpr int INFOTEXT_COUNT = 5;

    explicit CData_AnsMaschInfoText(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    // Parses received records and builds requests; the data record is 0.
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_anAnnounce[ANNOUNCE_COUNT] = {}; // `Announce1` .. `Announce10`, On/Off
    int m_anInfoText[INFOTEXT_COUNT] = {}; // `InfoText1` .. `InfoText5`
    int m_nEndText = 0;                    // `EndText`
    int m_nFullAbText = 0;                 // `FullAbText`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
