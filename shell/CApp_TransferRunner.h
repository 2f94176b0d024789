#pragma once

// Runs one transfer with the telephone: the transfer dialog, modally, with its stack of state
// machine over link adapter. DoDataTransfer has prepared TransferData; on success the runner has
// copied it into DocData and PhoneImage and set PhoneImageValid (for every mode but the charge
// counter reset). The runner restores the properties that were in force before the transfer
// (CData_Properties::Snapshot, Restore) when it is cancelled or fails, since its version check
// has put those of the telephone's phone type in force.

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

    virtual ~CApp_TransferRunner() = default;

    // Transfer mode 0 to 14 and link kind; 1 when the transfer was done, 0 when it was cancelled
    // or failed.
    virtual int RunTransfer(int nMode, int nLinkKind) = 0;
};
