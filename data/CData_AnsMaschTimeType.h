#pragma once

#include "data/CData.h"

class CData_Record;

// One time window of the answering machine's plans (nine entries, record 0xA2). Whether the
// window is in use is not stored: it is worked out again after every read from the file or the
// telephone (any of the four values not 0).
class CData_AnsMaschTimeType : public CData
{
public:
    static constexpr const char* KIND = "AnsMaschTimeType";
    static constexpr int RECORD_ID = 0xA2;

    explicit CData_AnsMaschTimeType(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    // The four times; the in-use flag follows from them and is not compared.
    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // 0 the entry number (index + 1), 1 the start "HH:MM", 2 the end "HH:MM".
    std::string InfoText(int nIndex) const override;

    bool InUse() const { return m_bInUse; }

    int m_nStartHour = 0;   // `StartHour`
    int m_nStartMinute = 0; // `StartMinute`
    int m_nEndHour = 0;     // `EndHour`
    int m_nEndMinute = 0;   // `EndMinute`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
    void UpdateInUse();

    bool m_bInUse = false;
};
