#pragma once

#include "data/CData_FilterNumber.h"

#include <string>

// One number of the incoming-call filter (five entries, record 0x65); the filter's mode is the
// basic setting CallFilterUse.
class CData_CallFilter : public CData_FilterNumber
{
public:
    static constexpr const char* KIND = "CallFilter";
    static constexpr int RECORD_ID = 0x65;

    explicit CData_CallFilter(int nNumber = 0) : CData_FilterNumber("CData_CallFilter", RECORD_ID)
    {
        SetIndex(nNumber);
    }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    // 0 the label, 1 Msn.
    std::string InfoText(int nIndex) const override;
};
