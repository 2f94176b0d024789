#pragma once

#include "data/CData_FilterNumber.h"

#include <string>

// One number of the outgoing-call filter (fourteen entries in two groups of seven, record 0x61);
// the filter's mode is the basic setting DialFilterUse.
class CData_DialFilter : public CData_FilterNumber
{
public:
    static constexpr const char* KIND = "DialFilter";
    static constexpr int RECORD_ID = 0x61;

    explicit CData_DialFilter(int nNumber = 0) : CData_FilterNumber("CData_DialFilter", RECORD_ID)
    {
        SetIndex(nNumber);
    }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    // 0 the label, 1 Msn.
    std::string InfoText(int nIndex) const override;
};
