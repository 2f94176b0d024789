#pragma once

#include "data/CData.h"

// The service command values; never stored in the file.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_Service : public CData
{
public:
    static constexpr const char* KIND = "Service";

    explicit CData_Service(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
