#pragma once

// Runs one transfer with the telephone: the transfer dialog, modally, with its stack of state
// machine over link adapter. DoDataTransfer has prepared TransferData; on success the runner has
// copied it into DocData and PhoneImage and set PhoneImageValid (for every mode but the charge
// counter reset). The runner restores the properties that were in force before the transfer
// (CData_Properties::Snapshot, Restore) when it is cancelled or fails, since its version check
// has put those of the telephone's phone type in force.

#include <string>

class CApp_TransferRunner
{
public:
    // Link kinds of the dialog, from the connection setting (0 USB, 1 serial port, 2 PABX).
    enum ELinkKind
    {
        LINK_SERIAL = 0,
        LINK_USB = 1,
        LINK_PABX = 2,
    };

    // How the last transfer ended, for the report of an unattended run.
    enum EOutcome
    {
        OUTCOME_UNKNOWN,  // the runner cannot tell (its result alone says done or not)
        OUTCOME_DONE,     // the telephone's data were exchanged
        OUTCOME_ERROR,    // the link did not open, the transfer failed or was cancelled
        OUTCOME_REJECTED, // the telephone refused (the PIN)
    };
    struct COutcome
    {
        int nOutcome = OUTCOME_UNKNOWN;
        std::string reason; // why it failed or was refused, in words; may be empty
    };

    virtual ~CApp_TransferRunner() = default;

    // Transfer mode 0 to 14 and link kind; 1 when the transfer was done, 0 when it was cancelled
    // or failed.
    virtual int RunTransfer(int nMode, int nLinkKind) = 0;
    // The outcome of the last RunTransfer.
    virtual COutcome LastOutcome() const { return COutcome(); }
};
