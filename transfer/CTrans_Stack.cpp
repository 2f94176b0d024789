#include "transfer/CTrans_Stack.h"

#include "platform/CPlatform_NotifySink.h"
#include "transfer/CLayerPP_SlpV24.h"

#include <QEventLoop>
#include <QTimer>

namespace
{
// The id of the registered message "R740_NO_MESSAGE" (the program's one message of its own).
constexpr uint32_t MESSAGE_ID = 0xC000;
// The low byte of a notification's first parameter is its code.
constexpr uint32_t NOTIFY_CODE_MASK = 0xFF;
} // namespace

CTrans_Stack::CTrans_Stack(CData_All& container, int nTransferMode, int nPort, int nOpenTimeout,
                           int nDataTimeout, unsigned uRepeatLimit, const CLayerPP_DataShared& shared,
                           int nRole)
    : m_uMsgId(MESSAGE_ID)
{
    m_pSink = std::make_unique<CPlatform_NotifySink>(
        [this](uint32_t, uint32_t wParam, int32_t)
        {
            if (m_pAdapter)
                m_pAdapter->OnRx(static_cast<int>(wParam & NOTIFY_CODE_MASK), -1);
        });
    m_handle = {&CPlatform_NotifySink::Post, m_pSink->Context()};
    m_pAdapter = std::make_unique<CLayerPP_SlpV24>(nPort, CLayerPP_Data::TransferClass(nTransferMode),
                                                   &m_handle, &m_uMsgId, 0, nRole);
    m_pData = std::make_unique<CLayerPP_Data>(&container, nTransferMode, nOpenTimeout, nDataTimeout,
                                              uRepeatLimit, shared);
    m_pAdapter->LinkUp(m_pData.get(), 0);
}

CTrans_Stack::~CTrans_Stack()
{
    Teardown();
}

void CTrans_Stack::Teardown()
{
    // The library stops posting once its link is closed: then the layers, then the sink.
    if (m_pData)
        m_pData->Close();
    if (m_pAdapter)
        m_pAdapter->Close();
    m_pData.reset();
    m_pAdapter.reset();
    m_pSink.reset();
}

int CTrans_Stack::Run(const Progress& progress, int nPollMs)
{
    m_bOpenFailed = !m_pData->Open();
    if (m_bOpenFailed)
    {
        m_pData->TimerStop();
        return TRANS_ERROR;
    }
    QEventLoop loop;
    QTimer poll;
    int nPercent = -1;
    std::string block;
    int nStatus = TRANS_BUSY;
    QObject::connect(&poll, &QTimer::timeout, &loop,
                     [&]()
                     {
                         nStatus = m_pData->GetStatus();
                         const int nNow = nStatus == TRANS_DONE ? 100 : m_pData->GetProgress();
                         if (progress && (nNow != nPercent || m_pData->CurrentBlock() != block))
                         {
                             nPercent = nNow;
                             block = m_pData->CurrentBlock();
                             progress(nPercent, block);
                         }
                         if (nStatus == TRANS_DONE || nStatus == TRANS_ERROR || nStatus == TRANS_REJECTED)
                             loop.quit();
                     });
    poll.start(nPollMs > 0 ? nPollMs : POLL_MS);
    loop.exec();
    m_pData->Close();
    return nStatus;
}
