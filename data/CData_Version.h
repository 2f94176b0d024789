#pragma once

#include "data/CData.h"
#include "data/CData_Properties.h"

#include <cstdint>
#include <string>

class CData_Record;

// The telephone's identity: phone type, brand, country, firmware. One block per telephone
// (record 0x10).
//
// The container reads this block first and applies its phone type before it reads any other
// block (CData_All::MoveFile), so that the whole configuration and the phonebook are read with
// that type's capabilities. The block itself computes nothing.
//
// The version number of the configuration (VersionToNumber of the Version text) decides which
// keys older firmware knows (the phonebook's MsnGo). It is kept process-wide, like the
// application's own version number it stands for: every version block that is written to or read
// from a file, or parsed from the telephone, sets it, and the blocks written or read after it use
// it.
class CData_Version : public CData
{
public:
    static constexpr const char* KIND = "Version";
    static constexpr int RECORD_ID = 0x10;
    static constexpr size_t SERIALNO_MAX = 9;
    static constexpr size_t VERSION_MAX = 9;
    static constexpr size_t RELEASE_MAX = 17;
    static constexpr size_t OEMSTRING_MAX = 32;

    // Fresh blocks take the phone type, brand, country and least-cost routing of the brand data in
    // force (CData_Properties) and the program's version text (interface text 130).
    explicit CData_Version(int nNumber = 0);
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    CData* NewDeepCopy() const override { return new CData_Version(*this); }
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    static int ConfigVersion();
    static void SetConfigVersion(int nVersion);

    int m_nPhoneType = 0;       // `PhoneType`, EPhoneType
    int m_nOemType = 0;         // `OemType`, EOemType
    int m_nCountry = 0;         // `Country`
    std::string m_strSerialNo;  // `SerialNo`, digits
    std::string m_strVersion;   // `Version`, firmware version text
    std::string m_strRelease;   // `Release`
    std::string m_strOemString; // `OemString`
    int m_nLcrSupport = 0;      // `LcrSupport`, On/Off
    uint32_t m_nDbVersion = 0;  // `DbVersion`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};
