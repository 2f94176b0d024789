#pragma once

#include "data/CData.h"

// The firmware file name sent before an update; never stored in the file.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_FirmwareUpdate : public CData
{
public:
    static constexpr const char* KIND = "FirmwareUpdate";

    explicit CData_FirmwareUpdate(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
