#pragma once

// Where the link library posts its notifications: a callback it may call from any thread (Post,
// with Context() as its context), which queues each notification onto the thread that created
// the sink (the user-interface thread, running a Qt event loop), where the handler runs.
// Notifications still queued when the sink is destroyed are dropped. The link must be closed
// before the sink goes. Who opens the link hands Post and Context() over as the library's "window
// handle" (its SlpV24_NotifySink).

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

    // The callback for any thread; pContext is a sink's Context().
    static void Post(void* pContext, uint32_t uMsg, uint32_t wParam, int32_t lParam);
    void* Context() { return this; }

private:
    Handler m_handler;
    std::unique_ptr<QObject> m_pReceiver;
};
