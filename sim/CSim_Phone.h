#pragma once

// The telephone of the emulator: answers the frames of the program's transfer layer out of one
// container (configuration, phonebook, version block), with the program's own blocks, record
// table and properties (those of the telephone's type and firmware must be in force). It serves
// every block the telephone has, stores what it is sent, checks the configuration PIN, and
// performs the PIN reset, the charge-counter reset and the firmware update. No link, no time:
// one frame in, at most one frame out.

#include <cstddef>
#include <string>
#include <vector>

class CData;
class CData_All;

class CSim_Phone
{
public:
    using Frame = std::vector<unsigned char>;

    explicit CSim_Phone(CData_All& phone);

    // A new connection: the PIN has to be given again.
    void StartSession();

    // The answer to one frame of the program: the block asked for, a positive acknowledgement for
    // what was stored, a negative one for what the telephone does not have or refuses; empty when
    // the frame wants no answer (an acknowledgement).
    Frame OnFrame(const unsigned char* pFrame, size_t nLength);

    // The configuration PIN the telephone checks (not part of the configuration file).
    void SetPin(const std::string& pin);
    const std::string& Pin() const;

    // The name of the block the last frame addressed (for the log); "?" when none.
    const std::string& LastBlock() const { return m_lastBlock; }
    // Something was stored since the last ClearChanged.
    bool Changed() const { return m_bChanged; }
    void ClearChanged() { m_bChanged = false; }
    // The firmware file named by the last firmware update ("" before any).
    const std::string& FirmwareFile() const { return m_firmwareFile; }

    // The block (by its section name, e.g. "MsnPara_00000000") that the telephone silently changes
    // the first time it is sent one: it acknowledges the record but keeps another value.
    void SetAlterBlock(const std::string& name) { m_alterBlock = name; }
    // The block was changed so.
    bool Altered() const { return m_bAltered; }

    // The frame carries the configuration PIN (a refusal there is a rejection, not a lost frame).
    static bool IsPinFrame(const unsigned char* pFrame, size_t nLength);

    static Frame Acknowledge(bool bPositive);

private:
    // Stores a record into a block; the altered block keeps a value of its own instead.
    int Store(CData& block, std::vector<unsigned char>& record, int nFlag);

    Frame Request(const unsigned char* pFrame, size_t nLength);
    Frame Data(const unsigned char* pFrame, size_t nLength);

    CData_All& m_phone;
    bool m_bPinAccepted = false;
    bool m_bRefused = false;
    bool m_bChanged = false;
    std::string m_lastBlock;
    std::string m_firmwareFile;
    std::string m_alterBlock;
    bool m_bAltered = false;
};
