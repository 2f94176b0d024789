#pragma once

#include "data/CData.h"

// One entry of the VIP list.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_DialVip : public CData
{
public:
    static constexpr const char* KIND = "DialVip";

    explicit CData_DialVip(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
