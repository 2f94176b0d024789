#pragma once

// Which block builds which records, and which block a record of the telephone belongs to. One
// table of every record identifier the program sends or requests: what byte 2 of the record means
// and which block moves it. The tool's record listing walks it in section order; the transfer's
// simulation and the telephone emulator find the block of a received record through it.
//
// CData_All::ObjInd_From_BlockInd keeps its own, narrower table (the identifiers it has always
// known, MSNs numbered from 1); this one reaches every block, MSN slots by their index 0 to 9 as
// the MSN record carries it in byte 2.

#include "data/CData_AllCfg.h"

#include <cstddef>
#include <functional>

class CData;
class CData_All;

class CData_RecordTable
{
public:
    // Where a record leads.
    enum ETarget
    {
        T_VERSION,       // the version block
        T_DIALNAMEBASIC, // the phonebook header
        T_DIALNAME,      // a phonebook entry
        T_CFG,           // a block of the configuration container
    };

    // What byte 2 of the record is.
    enum EByte2
    {
        B2_DATA,  // the block's own data (a block that exists once); a request carries nothing or 0
        B2_INDEX, // the block's index among the blocks of its kind, in data records and requests
    };

    struct CRow
    {
        int nId;                  // the identifier, byte 0
        ETarget target;           //
        CData_AllCfg::EKind kind; // the block kind of T_CFG
        int nFlag;                // the flag MoveBlock takes: the basic block's record number, else 0
        EByte2 byte2;             //
        // Further test of a received record for identifiers two blocks share; nullptr: none.
        bool (*pfnMatches)(const unsigned char* pRecord, size_t nLength);
    };

    // The row of an identifier (the first whose test accepts the record when one is given);
    // nullptr when the program never exchanges it.
    static const CRow* Find(const unsigned char* pRecord, size_t nLength);

    // The block a received record (data or request) addresses, and the flag to move it with.
    // nullptr for an unknown identifier, for an index outside the blocks the current phone type has
    // (keys, MSNs, call filters) and for a phonebook entry the list does not hold.
    static CData* Route(CData_All& all, const unsigned char* pRecord, size_t nLength, int& nFlag);

    // Every data record the container's blocks build, in section order, as the program's roles
    // hold them: the version block, the configuration blocks (the basic block with each of its
    // records), the phonebook header and its entries.
    static void ForEachRecord(CData_All& all, const std::function<void(CData& block, int nFlag)>& visit);

    // The records one block of a kind builds: the basic block RECORD_COUNT, every other block 1.
    static int RecordCount(CData_AllCfg::EKind kind);

    // The telephone a container describes (its phone type's properties in force, its module
    // slots): whether it reports its module slots at all, whether slot 0 holds the
    // answering-machine module ("AB") or slot 1 to 3 a key-extension module, and whether it has
    // block nIndex of a kind (the module keys of a module that is attached, the answering
    // machine's blocks with the machine or its module, ...).
    static bool ReportsModules(int nPhoneType);
    static bool ModulePresent(const CData_All& phone, int nSlot);
    static bool PhoneHas(const CData_All& phone, CData_AllCfg::EKind kind, int nIndex);
};
