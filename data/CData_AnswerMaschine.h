#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// The answering machine's general settings (record 0xA0).
class CData_AnswerMaschine : public CData
{
public:
    static constexpr const char* KIND = "AnswerMaschine";
    static constexpr int RECORD_ID = 0xA0;
    static constexpr size_t NUMBER_MAX = 26;
    // Range of the call-deflection mode (iCallDeflection).
    static constexpr int CALLDEFLECTION_MODE_MAX = 3;

    explicit CData_AnswerMaschine(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    int m_nActive = 0;                     // `Active`
    int m_nListen = 0;                     // `Listen`
    int m_nSortMsn = 0;                    // `SortMsn`
    int m_nRemoteProgramming = 0;          // `RemoteProgramming`
    int m_nSpeechQuality = 2;              // `SpeechQuality`
    int m_nCallDeflection = 0;             // `CallDeflection`, On/Off
    int m_niCallDeflection = 0;            // `iCallDeflection`, the mode 0..3
    int m_nCallsTillCalldefelction = 0;    // `CallsTillCalldefelction`
    int m_nMessageOnCalldeflection = 0;    // `MessageOnCalldeflection`
    int m_nMessageOnFullAM = 0;            // `MessageOnFullAM`
    std::string m_strCallDeflectionNumber; // `CallDeflectionNumber`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
