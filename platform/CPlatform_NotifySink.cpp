#include "platform/CPlatform_NotifySink.h"

#include <QMetaObject>
#include <QObject>

CPlatform_NotifySink::CPlatform_NotifySink(Handler handler)
    : m_handler(std::move(handler)), m_pReceiver(std::make_unique<QObject>())
{
}

CPlatform_NotifySink::~CPlatform_NotifySink() = default;

void CPlatform_NotifySink::Post(void* pContext, uint32_t uMsg, uint32_t wParam, int32_t lParam)
{
    auto* pThis = static_cast<CPlatform_NotifySink*>(pContext);
    if (!pThis)
        return;
    // Queued onto the receiver's thread; deleting the receiver discards what is still queued.
    QMetaObject::invokeMethod(
        pThis->m_pReceiver.get(),
        [pThis, uMsg, wParam, lParam]()
        {
            if (pThis->m_handler)
                pThis->m_handler(uMsg, wParam, lParam);
        },
        Qt::QueuedConnection);
}
