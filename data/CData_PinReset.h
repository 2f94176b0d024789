#pragma once

#include "data/CData.h"

// The PIN reset command; never stored in the file.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_PinReset : public CData
{
public:
    static constexpr const char* KIND = "PinReset";

    explicit CData_PinReset(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
