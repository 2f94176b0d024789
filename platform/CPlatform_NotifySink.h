#pragma once

// The "window handle" the link library posts its notifications to. The library calls from its own
// reader thread; the sink queues each notification onto the thread that created it (the
// user-interface thread, running a Qt event loop), where the handler runs. Notifications still
// queued when the sink is destroyed are dropped. The link must be closed before the sink goes.

#include "slpv24/SlpV24.h"

#include <cstdint>
#include <functional>
#include <memory>

class QObject;

class CPlatform_NotifySink
{
public:
    // Message id, notification code (first parameter), link handle (second parameter).
    using Handler = std::function<void(uint32_t uMsg, uint32_t wParam, int32_t lParam)>;

    explicit CPlatform_NotifySink(Handler handler);
    ~CPlatform_NotifySink();
    CPlatform_NotifySink(const CPlatform_NotifySink&) = delete;
    CPlatform_NotifySink& operator=(const CPlatform_NotifySink&) = delete;

    // What the link library gets as its window handle.
    void* Handle() { return &m_sink; }

private:
    static void Notify(void* pContext, uint32_t uMsg, uint32_t wParam, int32_t lParam);

    SlpV24_NotifySink m_sink;
    Handler m_handler;
    std::unique_ptr<QObject> m_pReceiver;
};
