#pragma once

#include "data/CData.h"

class CData_Record;

// Audio routing (record 0x36): which sounds go to the external output.
class CData_Audio : public CData
{
public:
    static constexpr const char* KIND = "Audio";
    static constexpr int RECORD_ID = 0x36;

    explicit CData_Audio(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_nMelodyOut = 0;        // `MelodyOut`, On/Off
    int m_nAnnounceOut = 0;      // `AnnounceOut`
    int m_nOpenListeningOut = 0; // `OpenListeningOut`
    int m_nIntercomOut = 0;      // `IntercomOut`
    int m_nABListeningOut = 0;   // `ABListeningOut`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
