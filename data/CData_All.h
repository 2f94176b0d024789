#pragma once

#include "data/CData.h"
#include "data/CData_AllCfg.h"
#include "data/CData_AllDialName.h"
#include "data/CData_Version.h"

struct CData_PabxHandOff;

// One telephone: its phonebook, its configuration and its version block. The application keeps
// four of these (being edited, as last saved, being transferred, as last exchanged with the
// telephone); copying one copies number, name and the three parts.
class CData_All : public CData
{
public:
    static constexpr const char* KIND = "All";

    // Transfer block identifiers (low eight bits) that name a block of the container.
    enum EBlockId
    {
        BI_VERSION = 0x10,
        BI_DIALNAMEBASIC = 0x20,
        BI_DIALNAME = 0x21,
        BI_DIALNAME_INFOTEXT = 0x22,
        BI_BASIC_0 = 0x30,
        BI_BASIC_1 = 0x31,
        BI_BASIC_2 = 0x32,
        BI_BASIC_3 = 0x33,
        BI_BASIC_4 = 0x34,
        BI_BASIC_8 = 0x35,
        BI_AUDIO = 0x36,
        BI_BASIC_5 = 0x38,
        BI_MSNPARA = 0x60,
        BI_DIALFILTER = 0x61,
        BI_DIALVIP = 0x62,
        BI_KEY = 0x80,
        BI_KEYE920 = 0x90,
    };

    CData_All();

    bool operator==(const CData& other) const override;
    bool operator!=(const CData& other) const override;
    // Reads or writes the whole file through the store, whose file name the caller has set:
    // the version block, then the configuration (configurator) and/or the phonebook (phonebook
    // program). Reading puts the properties of the file's phone type in force right after the
    // version block. 0 when the file cannot be opened or, writing, not stored completely.
    int MoveFile(int bToFile, int nVariant) override;

    // After data came from a file or from the telephone: key functions that the phone type does
    // not offer, or that do not exist, become DIAL.
    int Validate();

    // The block that a transfer block identifier names. nIndex selects the block ("in") or is set
    // to the record within the block ("out"); nullptr for an unknown identifier or index.
    CData* ObjInd_From_BlockInd(int nBlockId, int& nIndex);

    int KeyCount() const;
    int ModuleKeyCount() const { return CData_AllCfg::MODULE_KEY_COUNT; }
    bool DialNameEmpty() const { return m_DialName.Count() == 0; }
    bool DialNameFull() const { return m_DialName.Count() >= CData_AllDialName::ENTRY_MAX; }

    // A fresh configuration (before one is read from the telephone); the phonebook and the
    // version block stay.
    void ResetCfg();
    // An empty phonebook (before one is read from the telephone).
    void ResetDialName();

    // The PABX hand-off files, read through the store whose file name the caller has set
    // (CData_AllPabx.cpp). 1 when the file could be read; a missing file leaves the defaults.
    static int MoveFilePabx(CData_PabxHandOff& handOff);
    static int MoveFileSystel(CData_PabxHandOff& handOff);

    CData_AllDialName m_DialName;
    CData_AllCfg m_Cfg;
    CData_Version m_Version;
};
