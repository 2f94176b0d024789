#pragma once

#include "data/CData.h"

// The telephone's identity: phone type, brand, country, firmware.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_Version : public CData
{
public:
    static constexpr const char* KIND = "Version";

    explicit CData_Version(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
