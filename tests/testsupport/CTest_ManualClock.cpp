#include "testsupport/CTest_ManualClock.h"

CTest_ManualClock::CTest_ManualClock() : m_pPrevious(CPlatform_TimerService::Current())
{
    CPlatform_TimerService::SetCurrent(this);
}

CTest_ManualClock::~CTest_ManualClock()
{
    CPlatform_TimerService::SetCurrent(m_pPrevious);
}

int CTest_ManualClock::Start(unsigned uId, unsigned uPeriodMs, Callback pfnCallback)
{
    if (!pfnCallback)
        return 0;
    // A zero period would expire forever at one instant.
    const unsigned uPeriod = uPeriodMs ? uPeriodMs : 1;
    m_timers[uId] = CTimer{m_now + uPeriod, uPeriod, pfnCallback};
    return 1;
}

int CTest_ManualClock::Stop(unsigned uId)
{
    m_timers.erase(uId);
    return 1;
}

unsigned CTest_ManualClock::Period(unsigned uId) const
{
    const auto it = m_timers.find(uId);
    return it == m_timers.end() ? 0 : it->second.m_period;
}

int CTest_ManualClock::Advance(uint64_t nMs)
{
    const uint64_t end = m_now + nMs;
    int nCalls = 0;
    for (;;)
    {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
            if (it->second.m_due <= end && (next == m_timers.end() || it->second.m_due < next->second.m_due))
                next = it;
        if (next == m_timers.end())
            break;
        m_now = next->second.m_due;
        next->second.m_due += next->second.m_period;
        const unsigned uId = next->first;
        const Callback pfn = next->second.m_pfnCallback;
        ++nCalls;
        pfn(uId); // may stop or restart any timer, this one included
    }
    m_now = end;
    return nCalls;
}
