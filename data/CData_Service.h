#pragma once

#include "data/CData.h"

class CData_Record;

// The service command (record 0xFF, only sent): twelve byte-sized values whose meaning the page
// that fills them decides; never stored in the file.
class CData_Service : public CData
{
public:
    static constexpr const char* KIND = "Service";
    static constexpr int RECORD_ID = 0xFF;
    static constexpr int VALUE_COUNT = 12;
    // The charge-counter reset: the transfer sends the command with this value set to the mark, and
    // a telephone that sees it clears its charge counters.
    static constexpr int VALUE_PAYCOUNTER_RESET = 0;
    static constexpr int PAYCOUNTER_RESET_MARK = 1;

    explicit CData_Service(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int, int) override { return 1; }
    // Builds the data record only; a received record is never taken (0).
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_anValue[VALUE_COUNT] = {};

private:
    // The record, top to bottom (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
