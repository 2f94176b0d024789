#pragma once

#include "data/CData.h"

// The telephone's basic settings.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_Basic : public CData
{
public:
    static constexpr const char* KIND = "Basic";

    explicit CData_Basic(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
