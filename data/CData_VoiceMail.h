#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// The voicemail client (record 0xA5): the number of the voicemail server.
class CData_VoiceMail : public CData
{
public:
    static constexpr const char* KIND = "VoiceMail";
    static constexpr int RECORD_ID = 0xA5;
    static constexpr size_t NUMBER_MAX = 26;

    explicit CData_VoiceMail(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    std::string m_strVoiceMailClientNumber; // `VoiceMailClientNumber`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
