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

CTrans_StackLink LinkOf(int nTransferMode, int nPort, int nRole)
{
    CTrans_StackLink link;
    link.nPort = nPort;
    link.nTransferClass = CLayerPP_Data::TransferClass(nTransferMode);
    link.nRole = nRole;
    return link;
}

const char* TextOrNull(bool bGiven, const std::string& text)
{
    return bGiven ? text.c_str() : nullptr;
}
} // namespace

CTrans_Stack::CTrans_Stack(CData_All& container, int nTransferMode, int nPort, int nOpenTimeout,
                           int nDataTimeout, unsigned uRepeatLimit, const CLayerPP_DataShared& shared,
                           int nRole)
    : CTrans_Stack(container, nTransferMode, LinkOf(nTransferMode, nPort, nRole), nOpenTimeout, nDataTimeout,
                   uRepeatLimit, shared)
{
}

CTrans_Stack::CTrans_Stack(CData_All& container, int nTransferMode, const CTrans_StackLink& link,
                           int nOpenTimeout, int nDataTimeout, unsigned uRepeatLimit,
                           const CLayerPP_DataShared& shared)
    : m_uMsgId(MESSAGE_ID)
{
    m_pSink = std::make_unique<CPlatform_NotifySink>(
        [this](uint32_t, uint32_t wParam, int32_t)
        {
            if (m_pLink)
                m_pLink->OnRx(static_cast<int>(wParam & NOTIFY_CODE_MASK), -1);
        });
    m_handle = {&CPlatform_NotifySink::Post, m_pSink->Context()};
    m_pLink = std::make_unique<CLayerPP_SlpV24>(
        link.nPort, link.nTransferClass, &m_handle, &m_uMsgId, 0, link.nRole,
        TextOrNull(link.bSerialNo, link.serialNo), link.bSerialNo ? link.nPortId : 0,
        TextOrNull(link.bParams, link.paramA), TextOrNull(link.bParams, link.paramB));
    Build(container, nTransferMode, nOpenTimeout, nDataTimeout, uRepeatLimit, shared);
}

CTrans_Stack::CTrans_Stack(CData_All& container, int nTransferMode, std::unique_ptr<CLayerPP> pLink,
                           int nOpenTimeout, int nDataTimeout, unsigned uRepeatLimit,
                           const CLayerPP_DataShared& shared)
    : m_uMsgId(MESSAGE_ID), m_pLink(std::move(pLink))
{
    Build(container, nTransferMode, nOpenTimeout, nDataTimeout, uRepeatLimit, shared);
}

void CTrans_Stack::Build(CData_All& container, int nTransferMode, int nOpenTimeout, int nDataTimeout,
                         unsigned uRepeatLimit, const CLayerPP_DataShared& shared)
{
    m_pData = std::make_unique<CLayerPP_Data>(&container, nTransferMode, nOpenTimeout, nDataTimeout,
                                              uRepeatLimit, shared);
    m_pLink->LinkUp(m_pData.get(), 0);
}

CTrans_Stack::~CTrans_Stack()
{
    Teardown();
}

void CTrans_Stack::Teardown()
{
    // The library stops posting once its link is closed: then the layers, then the sink.
    Close();
    m_pData.reset();
    m_pLink.reset();
    m_pSink.reset();
}

int CTrans_Stack::Open()
{
    m_bOpenFailed = !m_pData->Open();
    if (m_bOpenFailed)
        m_pData->TimerStop();
    return m_bOpenFailed ? 0 : 1;
}

std::string CTrans_Stack::OpenError() const
{
    const auto* pAdapter = dynamic_cast<const CLayerPP_SlpV24*>(m_pLink.get());
    return m_bOpenFailed && pAdapter ? pAdapter->OpenError() : std::string();
}

void CTrans_Stack::Close()
{
    if (m_pData)
    {
        m_pData->TimerStop();
        m_pData->Close();
    }
    if (m_pLink)
        m_pLink->Close();
}

int CTrans_Stack::Run(const Progress& progress, int nPollMs)
{
    if (!Open())
        return TRANS_ERROR;
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
