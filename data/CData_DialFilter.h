#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// One number of the outgoing-call filter (fourteen entries in two groups of seven, record 0x61);
// the filter's mode is the basic setting DialFilterUse.
class CData_DialFilter : public CData
{
public:
    static constexpr const char* KIND = "DialFilter";
    static constexpr int RECORD_ID = 0x61;
    static constexpr size_t MSN_MAX = 26;

    explicit CData_DialFilter(int nNumber = 0) { SetIndex(nNumber); }
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
