#pragma once

#include "data/CData.h"

class CData_Record;

// The phonebook header (record 0x20): the number of entries.
class CData_DialNameBasic : public CData
{
public:
    static constexpr const char* KIND = "DialNameBasic";
    static constexpr int RECORD_ID = 0x20;
    // Range of the key Count.
    static constexpr int COUNT_MAX = 249;

    explicit CData_DialNameBasic(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_nCount = 0; // `Count`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
