#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// Identity of one attached key-extension module (four slots, record 0x9F).
class CData_VersionModule : public CData
{
public:
    static constexpr const char* KIND = "VersionModule";
    static constexpr int RECORD_ID = 0x9F;
    static constexpr size_t VERSION_MAX = 9;
    static constexpr size_t RELEASE_MAX = 17;
    static constexpr size_t SERIALNO_MAX = 9;

    explicit CData_VersionModule(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    int m_nModuleType = 0;     // `ModuleType`, EModuleType; 0 "NON": no module
    std::string m_strVersion;  // `Version`
    std::string m_strRelease;  // `Release`
    std::string m_strSerialNo; // `SerialNo`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
