#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// One number of the incoming-call filter (five entries, record 0x65); the filter's mode is the
// basic setting CallFilterUse.
class CData_CallFilter : public CData
{
public:
    static constexpr const char* KIND = "CallFilter";
    static constexpr int RECORD_ID = 0x65;
    static constexpr size_t MSN_MAX = 26;

    explicit CData_CallFilter(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    std::string m_strMsn; // `Msn`, number or number prefix

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
