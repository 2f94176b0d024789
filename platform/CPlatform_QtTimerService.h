#pragma once

// The program's timer service: one QTimer per timer number, living on the thread that created the
// service (the user-interface thread), which must run a Qt event loop.

#include "platform/CPlatform_TimerService.h"

#include <map>
#include <memory>

class QTimer;

class CPlatform_QtTimerService : public CPlatform_TimerService
{
public:
    CPlatform_QtTimerService();
    ~CPlatform_QtTimerService() override;
    CPlatform_QtTimerService(const CPlatform_QtTimerService&) = delete;
    CPlatform_QtTimerService& operator=(const CPlatform_QtTimerService&) = delete;

    int Start(unsigned uId, unsigned uPeriodMs, Callback pfnCallback) override;
    int Stop(unsigned uId) override;
    bool IsRunning(unsigned uId) const;

private:
    struct CEntry
    {
        std::unique_ptr<QTimer> m_pTimer;
        Callback m_pfnCallback = nullptr;
    };
    // Timers are kept once created: a callback may stop its own timer while the timer signals.
    std::map<unsigned, CEntry> m_timers;
};
