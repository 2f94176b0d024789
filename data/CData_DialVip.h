#pragma once

#include "data/CData.h"

#include <climits>
#include <string>

// POSIX <limits.h> defines NAME_MAX (the longest file name) as a macro. It is included here first
// and the macro taken back, so that the entries' limit of that name stays usable after any
// header, Qt's included.
#undef NAME_MAX

class CData_Record;

// One entry of the VIP list (ten entries, record 0x62): a number and a name.
// The POSIX headers define NAME_MAX (a file name's length) as a macro; the block's own constant
// keeps its name while this class is declared.
#pragma push_macro("NAME_MAX")
#undef NAME_MAX

class CData_DialVip : public CData
{
public:
    static constexpr const char* KIND = "DialVip";
    static constexpr int RECORD_ID = 0x62;
    static constexpr size_t MSN_MAX = 26;
    static constexpr size_t NAME_MAX = 20;

    explicit CData_DialVip(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // 0 the label ("k0".."k9" on phones whose VIP entries sit on keys, else "v0".."v9"), 1 Msn,
    // 2 Name.
    std::string InfoText(int nIndex) const override;

    std::string m_strMsn;  // `Msn`
    std::string m_strName; // `Name`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};

#pragma pop_macro("NAME_MAX")
