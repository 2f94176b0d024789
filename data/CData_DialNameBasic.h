#pragma once

#include "data/CData.h"

// The phonebook header: the number of entries.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_DialNameBasic : public CData
{
public:
    static constexpr const char* KIND = "DialNameBasic";

    explicit CData_DialNameBasic(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
