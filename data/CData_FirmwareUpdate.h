#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// The firmware file name sent before an update (record 0x19); never stored in the file.
// The name comes from the update procedure: every record built or parsed first takes the name the
// procedure holds (UpdateFileName).
class CData_FirmwareUpdate : public CData
{
public:
    static constexpr const char* KIND = "FirmwareUpdate";
    static constexpr int RECORD_ID = 0x19;
    // Longest name the telephone takes.
    static constexpr size_t FILENAME_MAX_PARSE = 26;

    explicit CData_FirmwareUpdate(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int, int) override { return 1; }
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;

    // The firmware file name the update procedure holds.
    static std::string& UpdateFileName();

    std::string m_strFileName;

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
