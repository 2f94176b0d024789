#pragma once

// One transfer's stack, built as the transfer dialog builds it: the notification sink the link
// library posts to, the link adapter over the library, the state machine on top. The dialog opens
// the link (Open) and polls the state machine itself; Run opens it and turns the Qt event loop
// (notifications and the layers' timers, so a timer service must be installed) until the transfer
// has ended. The link is closed before the sink goes, so that no notification can reach a sink
// that no longer exists.

#include "slpv24/SlpV24.h" // the library's window handle: the sink's callback
#include "transfer/CLayerPP_Data.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CData_All;
class CLayerPP;
class CLayerPP_SlpV24;
class CPlatform_NotifySink;

// How the adapter reaches the telephone: what it hands to the link library's open call.
struct CTrans_StackLink
{
    int nPort = 1;          // serial port number, 10 for USB, 20/30/40 for the PABX links
    int nTransferClass = 0; // 1 configuration, 2 phonebook, 3 firmware, 0 simulation
    int nRole = 1;          // 1 a transfer; 0 when the program plays the telephone (simulation)
    // The PABX values; a value not given is passed as none at all (a null text).
    bool bSerialNo = false;
    std::string serialNo;
    int nPortId = 0;
    bool bParams = false; // the two parameters of the PABX line link
    std::string paramA;
    std::string paramB;
};

class CTrans_Stack
{
public:
    // What the progress callback gets: the percentage and the block last moved.
    using Progress = std::function<void(int nPercent, const std::string& block)>;

    // nPort is the link port; the transfer class is the mode's. The role is 1 for a transfer, 0
    // when the program plays the telephone (simulation).
    CTrans_Stack(CData_All& container, int nTransferMode, int nPort, int nOpenTimeout, int nDataTimeout,
                 unsigned uRepeatLimit, const CLayerPP_DataShared& shared, int nRole = 1);
    // Everything the adapter is given, as the dialog sets it up.
    CTrans_Stack(CData_All& container, int nTransferMode, const CTrans_StackLink& link, int nOpenTimeout,
                 int nDataTimeout, unsigned uRepeatLimit, const CLayerPP_DataShared& shared);
    // The state machine over a link layer of the caller's (tests put a telephone there); the
    // stack owns it.
    CTrans_Stack(CData_All& container, int nTransferMode, std::unique_ptr<CLayerPP> pLink, int nOpenTimeout,
                 int nDataTimeout, unsigned uRepeatLimit, const CLayerPP_DataShared& shared);
    ~CTrans_Stack();
    CTrans_Stack(const CTrans_Stack&) = delete;
    CTrans_Stack& operator=(const CTrans_Stack&) = delete;

    // The dialog's polling period: progress and the end of the transfer are looked at this often.
    static constexpr int POLL_MS = 50;

    // Opens the link through the state machine; 1 when it opened. A link that did not open leaves
    // no timer running (the state machine's open time-out would only end what never began).
    int Open();
    // Closes the state machine and the link below it; the stack can be opened again.
    void Close();

    // Opens the link and runs the transfer to its end; gives the final status (TRANS_DONE,
    // TRANS_ERROR or TRANS_REJECTED). A link that cannot be opened gives TRANS_ERROR at once.
    // Progress is reported, and the end noticed, every nPollMs milliseconds.
    int Run(const Progress& progress = Progress(), int nPollMs = POLL_MS);

    bool OpenFailed() const { return m_bOpenFailed; }
    // Why the link did not open (the device and the system's reason), when the link library says.
    std::string OpenError() const;
    CLayerPP_Data& Data() { return *m_pData; }
    CLayerPP& Link() { return *m_pLink; }

private:
    void Build(CData_All& container, int nTransferMode, int nOpenTimeout, int nDataTimeout,
               unsigned uRepeatLimit, const CLayerPP_DataShared& shared);
    void Teardown();

    // The registered message id the adapter hands to the library (any value: the sink tells
    // the notifications apart by its own handler).
    uint32_t m_uMsgId;
    std::unique_ptr<CPlatform_NotifySink> m_pSink;
    // What the library gets as its window handle; lives as long as the sink.
    SlpV24_NotifySink m_handle{};
    std::unique_ptr<CLayerPP> m_pLink;
    std::unique_ptr<CLayerPP_Data> m_pData;
    bool m_bOpenFailed = false;
};
