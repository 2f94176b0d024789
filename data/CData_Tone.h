#pragma once

#include "data/CData.h"

class CData_Record;

// Tone settings (record 0xA4): the answering machine's playback volume.
class CData_Tone : public CData
{
public:
    static constexpr const char* KIND = "Tone";
    static constexpr int RECORD_ID = 0xA4;

    explicit CData_Tone(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_nLoudAnswerMachine = 1; // `LoudAnswerMachine`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
