#pragma once

#include "data/CData.h"

// Identity of one attached key-extension module.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_VersionModule : public CData
{
public:
    static constexpr const char* KIND = "VersionModule";

    explicit CData_VersionModule(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
