#pragma once

#include "data/CData.h"

// The answering machine's info text, as received from the telephone.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_AnsMaschInfoText : public CData
{
public:
    static constexpr const char* KIND = "AnsMaschInfoText";

    explicit CData_AnsMaschInfoText(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
