#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// The PIN reset command (record 0x18, only sent); never stored in the file.
class CData_PinReset : public CData
{
public:
    static constexpr const char* KIND = "PinReset";
    static constexpr int RECORD_ID = 0x18;
    // Marks the record as the reset command; the basic block's PIN record has the same identifier
    // without it.
    static constexpr unsigned char RESET_MARK = 'P';

    explicit CData_PinReset(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int, int) override { return 1; }
    // Builds the data record only; a received record is never taken (0).
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    std::string m_strPin = "5182";

private:
    // The record, top to bottom (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
