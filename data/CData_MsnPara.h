#pragma once

#include "data/CData.h"

#include <cstdint>
#include <string>

class CData_Record;

// The settings of one MSN slot (block number 0 to 9; the user sees slot number + 1): the number,
// its display text, ring volume and melody for external and internal calls, call forwarding and
// call deflection, the charge counter and the charge limit.
class CData_MsnPara : public CData
{
public:
    static constexpr const char* KIND = "MsnPara";

    static constexpr unsigned char ID_RECORD = 0x60;
    // Longest strings of the record (a longer length byte is taken as this).
    static constexpr size_t MSN_MAX = 26;
    static constexpr size_t TXT_MAX = 8;
    static constexpr size_t MSNAWS_MAX = 26;
    static constexpr size_t CALLDEFLECTION_MAX = 26;
    // Width of the charge limit in the record.
    static constexpr int TAXLIMIT_WIDTH = 2;
    // Interface text shown for a charge limit that is not set.
    static constexpr unsigned TEXT_NO_TAXLIMIT = 219;
    // Columns of the MSN list.
    static constexpr int COLUMN_COUNT = 11;

    explicit CData_MsnPara(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    // The record of this slot; the flag is not used.
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // Column texts of the MSN list without knowing the phone type.
    std::string InfoText(int nIndex) const override;
    // Column texts of the MSN list for a phone type (EPhoneType). Column 10 shows text 219 when
    // no charge limit applies and then also clears the limit.
    std::string ColumnText(int nColumn, int nPhoneType);

    // The internal-ring fields exist for the current phone type and brand.
    static bool InternRing();

    int m_nLoud = 3;         // ring volume, external calls
    int m_nMelody = 0;       // ring melody, external calls
    int m_nLoudIntern = 3;   // internal calls
    int m_nMelodyIntern = 0; // internal calls
    uint32_t m_nPayCounter = 0;
    std::string m_strMsn;             // the number
    std::string m_strTxt;             // display text
    std::string m_strMsnAws;          // call-forwarding target
    std::string m_strCallDelectionNo; // call-deflection number
    int m_nTaxLimit = 0;              // charge limit

private:
    void MoveRecord(CData_Record& record);
    std::string Column(int nColumn, int nPhoneType, bool& bNoTaxLimit) const;
};
