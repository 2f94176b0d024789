#pragma once

#include "data/CData.h"

// One time profile of the answering machine.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_AnsMaschTimeType : public CData
{
public:
    static constexpr const char* KIND = "AnsMaschTimeType";

    explicit CData_AnsMaschTimeType(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
