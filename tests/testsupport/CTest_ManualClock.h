#pragma once

#include "platform/CPlatform_TimerService.h"

#include <cstddef>
#include <cstdint>
#include <map>

// A timer service whose time moves only when a test says so: timers expire, in time order, inside
// Advance. Installed as the current service for its lifetime.
class CTest_ManualClock : public CPlatform_TimerService
{
public:
    CTest_ManualClock();
    ~CTest_ManualClock() override;
    CTest_ManualClock(const CTest_ManualClock&) = delete;
    CTest_ManualClock& operator=(const CTest_ManualClock&) = delete;

    int Start(unsigned uId, unsigned uPeriodMs, Callback pfnCallback) override;
    int Stop(unsigned uId) override;

    // Moves the time on by nMs, calling every timer that expires on the way (repeating timers as
    // often as they expire). Gives the number of calls.
    int Advance(uint64_t nMs);
    uint64_t Now() const { return m_now; }
    bool IsRunning(unsigned uId) const { return m_timers.count(uId) != 0; }
    // Period of a running timer, 0 when it does not run.
    unsigned Period(unsigned uId) const;
    // Timers running now.
    size_t Running() const { return m_timers.size(); }

private:
    struct CTimer
    {
        uint64_t m_due = 0;
        unsigned m_period = 0;
        Callback m_pfnCallback = nullptr;
    };
    std::map<unsigned, CTimer> m_timers;
    uint64_t m_now = 0;
    CPlatform_TimerService* m_pPrevious = nullptr;
};
