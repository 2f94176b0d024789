#pragma once

// Upper layer of the transfer stack: runs one transfer with the telephone as a numbered state
// machine. Each state requests or sends one kind of block, block by block and index by index, and
// goes on when the telephone answers; received frames are read into the blocks of the transfer
// container and outgoing frames are built from them, both through the blocks' own MoveBlock. The
// version check refuses telephones of a type or brand the program does not serve; sending skips
// groups of blocks that equal the phone image; lost or refused frames are repeated. A dialog (or
// the command-line tool) polls GetStatus and GetProgress.
//
// Traces under "CLayerPP_Data"; the operations of the base class under "CLayerPP".

#include "data/CData_Basic.h"
#include "data/CData_DialName.h"
#include "data/CData_Properties.h"
#include "transfer/CLayerPP.h"

#include <string>
#include <vector>

class CData;
class CData_All;
class CData_Version;
class CData_VersionModule;

// Transfer status words (GetStatus).
constexpr int TRANS_IDLE = 0x0300;
constexpr int TRANS_BUSY = 0x0301;
constexpr int TRANS_DONE = 0x0302;
constexpr int TRANS_ERROR = 0;
constexpr int TRANS_REJECTED = 0xFFFF;

// What a transfer shares with the rest of the program, which owns all of it.
struct CLayerPP_DataShared
{
    CData_All* pDocData = nullptr;     // the document: the skip rule compares it with the phone image
    CData_All* pPhoneImage = nullptr;  // what was last exchanged with the telephone
    bool* pbPhoneImageValid = nullptr; // `PhoneImageValid`; sending clears it for another telephone
    bool bPabxLink = false;            // "/SYSTEL": the link opens with OpenSystel
    bool bPabxLine = false;            // "/KNT": the link opens with OpenSystelKNT
    bool bFirmwareMode = false;        // "/DOWNLOAD": the firmware update block is sent
    // When given, every data record sent is appended (repeats are not): what a verified write
    // compares with what the telephone reports afterwards.
    std::vector<std::vector<unsigned char>>* pSentRecords = nullptr;
};

class CLayerPP_Data : public CLayerPP
{
public:
    // `TransferMode`
    enum EMode
    {
        MODE_RX_CFG = 0,
        MODE_TX_CFG = 1,
        MODE_RX_CFG_PABX = 2,
        MODE_TX_CFG_PABX = 3,
        MODE_RX_DIALNAME = 4,
        MODE_TX_DIALNAME = 5,
        MODE_RX_DIALNAME_PABX = 6,
        MODE_TX_DIALNAME_PABX = 7,
        MODE_FIRMWARE = 8,
        MODE_PINRESET = 9,
        MODE_PINRESET_PABX = 10,
        MODE_PAYCOUNTER = 11,
        MODE_PAYCOUNTER_PABX = 12,
        MODE_SIMU_TX = 13, // simulation, serving requests
        MODE_SIMU_RX = 14, // simulation, receiving data
        MODE_COUNT = 15,
    };

    // Link status before and after the connection.
    static constexpr int LINK_STATUS_IDLE = 0x0300;
    static constexpr int LINK_STATUS_CONNECTED = 0x0E00;
    // Highest state number; every other number is the error state.
    static constexpr int STATE_MAX = 68;
    // Frames of the module version state: one per module slot.
    static constexpr int MODULE_SLOTS = 4;

    // The version check: the telephone's type and firmware decide the properties from here on,
    // on the brand data and switches in force; its module set is what its MODULE_SLOTS module
    // version blocks report (pModules; nullptr: none reported). The emulator computes its
    // telephone's properties with it as well.
    static void ApplyPhoneProperties(const CData_Version& version, const CData_VersionModule* pModules);

    CLayerPP_Data(CData_All* pContainer, int nTransferMode, int nOpenTimeout, int nDataTimeout,
                  unsigned uRepeatLimit, const CLayerPP_DataShared& shared = CLayerPP_DataShared());
    ~CLayerPP_Data() override;

    const char* GetClassName() const override;
    int Open() override;
    int Close() override;
    int OnRx(int nIndication, int nParam) override;
    int GetStatus() override;
    int OnTimer() override;
    // 0 while nothing is counted, else the blocks handled in percent of those expected (at most 100).
    virtual int GetProgress();

    // Moves one block between a data block and the layer's buffers (directions of CData::MoveBlock;
    // 3 is accepted but no state uses it). The length moved, or 0 (the transfer then failed).
    int MoveBlock(int nDirection, CData& block, int nIndex);
    // Sends the last frame again; 0 when the repeat limit is reached or the link took less.
    int RepeatBlock();

    // First state and link transfer class of a transfer mode (-1 and 0 for an unknown mode).
    static int FirstState(int nTransferMode);
    static int TransferClass(int nTransferMode);

    int State() const { return m_nState; }
    int TransferMode() const { return m_nTransferMode; }
    int LinkStatus() const { return m_nLinkStatus; }
    int ProgressDone() const { return m_nProgressDone; }
    int ProgressTotal() const { return m_nProgressTotal; }
    unsigned Repeats() const { return m_uRepeats; }
    // The name of the block last moved (for a progress line), empty before the first.
    const std::string& CurrentBlock() const { return m_strBlock; }
    // Why the transfer failed or was refused, in words; empty while it has not.
    const std::string& ErrorText() const { return m_strError; }

    struct CStateRow;

private:
    static const CStateRow& StateRow(int nState);
    // Running a state.
    void EnterState(int nState);
    void NextState();
    void RunStep();
    // Ends the transfer in the error state with a reason for the user.
    void Fail(const std::string& reason);

    // The steps; a step runs on entry (m_bEntry) and for each response.
    void State_Idle(const CStateRow& row);
    void State_End(const CStateRow& row);
    void State_Err(const CStateRow& row);
    void State_Rejected(const CStateRow& row);
    void State_Rx_Version(const CStateRow& row);
    void State_Rx_VersionModule(const CStateRow& row);
    void State_Cfg_Count(const CStateRow& row);
    void State_Tx_Pin(const CStateRow& row);
    void State_Rx_Group(const CStateRow& row);
    void State_Tx_Group(const CStateRow& row);
    void State_Tx_AnsMaschInfoText(const CStateRow& row);
    void State_Rx_DialName_Count(const CStateRow& row);
    void State_Rx_DialName(const CStateRow& row);
    void State_Tx_DialName_Count(const CStateRow& row);
    void State_Tx_DialName(const CStateRow& row);
    // Sends the next phonebook entry with a number behind list position m_nCount, under the
    // entry number m_nCounter; 0 when there is none left.
    int SendNextDialName();
    void State_Tx_Command(const CStateRow& row);
    void State_Simu_Count(const CStateRow& row);
    void State_Rx_Simu(const CStateRow& row);
    void State_Tx_Simu(const CStateRow& row);

    // Whether a state's condition holds for the telephone at hand.
    bool Holds(const CStateRow& row) const;
    // Blocks a group state moves, and the block and MoveBlock index of its frame i.
    int GroupCount(const CStateRow& row) const;
    CData* GroupBlock(CData_All& all, const CStateRow& row, int i) const;
    int GroupIndex(const CStateRow& row, int i) const;
    // The block a frame of the peer addresses in simulation; nullptr (and the error state) when
    // none does.
    CData* SimuBlock(const char* pszWhat, int& nFlag);
    // The skip rule of the send states: the group in the phone image equals the document's.
    bool Unchanged(const CStateRow& row) const;

    CData_All* m_pContainer;
    int m_nTransferMode;
    int m_nLinkStatus = LINK_STATUS_IDLE;
    int m_nState = 0;
    int m_bPayCounterError = 0;
    int m_bEntry = 0;
    int m_nProgressDone = 0;
    int m_nProgressTotal = 1;
    unsigned m_uRepeats = 0;
    unsigned m_uRepeatLimit;
    int m_nOpenTimeout;
    int m_nDataTimeout;

    CLayerPP_DataShared m_shared;
    int m_nCounter = 0;        // the running state's loop counter
    int m_nCount = 0;          // frames the running state moves
    CData_Basic m_CountBasic;  // the basic record 0 of the counting states
    CData_DialName m_NewEntry; // the phonebook entry being received or sent
    std::string m_strBlock;
    std::string m_strError;
};
