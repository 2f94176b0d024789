#pragma once

#include "data/CData.h"

#include <climits>
#include <functional>
#include <string>

// POSIX <limits.h> defines NAME_MAX (the longest file name) as a macro. It is included here first
// and the macro taken back, so that the entries' limit of that name stays usable after any
// header, Qt's included.
#undef NAME_MAX

class CData_Record;

// One phonebook entry (record 0x21, or 0x22 on phones whose entries carry an info text). The
// block index is the entry's position in the phonebook.
//
// File layouts: 0 is the current one (section DialName_%08X of the index) and the only one
// written; 1 (section DialName_%d of the index plus one) and 2 (section DialName_%08X of the index
// plus 0x23000000) are read from files of older programs.
// The POSIX headers define NAME_MAX (a file name's length) as a macro; the block's own constant
// keeps its name while this class is declared.
#pragma push_macro("NAME_MAX")
#undef NAME_MAX

class CData_DialName : public CData
{
public:
    static constexpr const char* KIND = "DialName";
    static constexpr int RECORD_ID = 0x21;
    static constexpr int RECORD_ID_INFOTEXT = 0x22;
    static constexpr size_t NAME_MAX = 20;
    static constexpr size_t MSNEXT_MAX = 26;
    static constexpr size_t INFOTEXT_MAX = 42;
    // Firmware from this version number on knows the MSN to dial out with (key MsnGo).
    static constexpr int MSNGO_VERSION = 2000;

    // Column numbers of InfoText.
    enum EColumn
    {
        COL_NUMBER = 0,
        COL_NAME = 1,
        COL_MSNEXT = 2,
        COL_LOUD = 3,
        COL_MELODY = 4,
        COL_MSNGO = 5,
        COL_INFOTEXT = 6,
    };

    explicit CData_DialName(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override;
    CData* NewDeepCopy() const override { return new CData_DialName(*this); }
    // Writing knows layout 0 only (other layouts give 0). Reading gives 0 when the layout's
    // section does not hold this entry (layout 0 and 1: no key MelodyExt; layout 2: neither key).
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    // Phonebook order (CData_LstData::Compare).
    static bool SortsBefore(const CData_DialName& a, const CData_DialName& b);

    // The MSN slots for the MsnGo column: gives true and the slot's display text and number when
    // slot nSlot (0..9) exists. The view installs it over its document; without it every slot
    // counts as one without a number.
    using MsnSlotLookup = std::function<bool(int nSlot, std::string& strTxt, std::string& strMsn)>;
    static void SetMsnSlotLookup(MsnSlotLookup lookup);

    int m_nLoud = 3;           // `Loud`
    int m_nMelodyExt = 0;      // `MelodyExt`
    int m_nMsnGo = 0;          // `MsnGo`: 0 none, n the MSN slot n - 1
    std::string m_strName;     // `Name`
    std::string m_strMsnExt;   // `MsnExt`, the number
    std::string m_strInfotext; // `Infotext`

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);
};

#pragma pop_macro("NAME_MAX")
