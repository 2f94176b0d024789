#pragma once

#include "data/CData.h"

// The voicemail client's settings.
// The block's fields, file keys and records are added with the block itself; until then it
// writes and reads nothing.
class CData_VoiceMail : public CData
{
public:
    static constexpr const char* KIND = "VoiceMail";

    explicit CData_VoiceMail(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    int MoveFile(int, int) override { return 1; }
};
