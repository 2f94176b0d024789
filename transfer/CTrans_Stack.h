#pragma once

// One transfer's stack, built as the transfer dialog builds it: the notification sink the link
// library posts to, the link adapter over the library, the state machine on top. Run opens the
// link and turns the Qt event loop (notifications and the layers' timers, so a Qt timer service
// must be installed) until the transfer has ended. The link is closed before the sink goes, so
// that no notification can reach a sink that no longer exists.

#include "slpv24/SlpV24.h" // the library's window handle: the sink's callback
#include "transfer/CLayerPP_Data.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CData_All;
class CLayerPP_SlpV24;
class CPlatform_NotifySink;

class CTrans_Stack
{
public:
    // What the progress callback gets: the percentage and the block last moved.
    using Progress = std::function<void(int nPercent, const std::string& block)>;

    // nPort is the link port (a serial port number, 10 for USB, 20/30/40 for PABX links); the
    // role is 1 for a transfer, 0 when the program plays the telephone (simulation).
    CTrans_Stack(CData_All& container, int nTransferMode, int nPort, int nOpenTimeout, int nDataTimeout,
                 unsigned uRepeatLimit, const CLayerPP_DataShared& shared, int nRole = 1);
    ~CTrans_Stack();
    CTrans_Stack(const CTrans_Stack&) = delete;
    CTrans_Stack& operator=(const CTrans_Stack&) = delete;

    // The dialog's polling period: progress and the end of the transfer are looked at this often.
    static constexpr int POLL_MS = 50;

    // Opens the link and runs the transfer to its end; gives the final status (TRANS_DONE,
    // TRANS_ERROR or TRANS_REJECTED). A link that cannot be opened gives TRANS_ERROR at once.
    // Progress is reported, and the end noticed, every nPollMs milliseconds.
    int Run(const Progress& progress = Progress(), int nPollMs = POLL_MS);

    bool OpenFailed() const { return m_bOpenFailed; }
    CLayerPP_Data& Data() { return *m_pData; }

private:
    void Teardown();

    // The registered message id the adapter hands to the library (any value: the sink tells
    // the notifications apart by its own handler).
    uint32_t m_uMsgId;
    std::unique_ptr<CPlatform_NotifySink> m_pSink;
    // What the library gets as its window handle; lives as long as the sink.
    SlpV24_NotifySink m_handle{};
    std::unique_ptr<CLayerPP_SlpV24> m_pAdapter;
    std::unique_ptr<CLayerPP_Data> m_pData;
    bool m_bOpenFailed = false;
};
