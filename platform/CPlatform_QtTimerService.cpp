#include "platform/CPlatform_QtTimerService.h"

#include <QTimer>

CPlatform_QtTimerService::CPlatform_QtTimerService() = default;

CPlatform_QtTimerService::~CPlatform_QtTimerService()
{
    for (auto& [id, entry] : m_timers)
        entry.m_pTimer->stop();
}

int CPlatform_QtTimerService::Start(unsigned uId, unsigned uPeriodMs, Callback pfnCallback)
{
    if (!pfnCallback)
        return 0;
    CEntry& entry = m_timers[uId];
    if (!entry.m_pTimer)
    {
        entry.m_pTimer = std::make_unique<QTimer>();
        entry.m_pTimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(entry.m_pTimer.get(), &QTimer::timeout, entry.m_pTimer.get(),
                         [this, uId]()
                         {
                             const auto it = m_timers.find(uId);
                             if (it != m_timers.end() && it->second.m_pfnCallback)
                                 it->second.m_pfnCallback(uId);
                         });
    }
    entry.m_pfnCallback = pfnCallback;
    entry.m_pTimer->start(static_cast<int>(uPeriodMs));
    return 1;
}

int CPlatform_QtTimerService::Stop(unsigned uId)
{
    const auto it = m_timers.find(uId);
    if (it != m_timers.end())
        it->second.m_pTimer->stop();
    return 1;
}

bool CPlatform_QtTimerService::IsRunning(unsigned uId) const
{
    const auto it = m_timers.find(uId);
    return it != m_timers.end() && it->second.m_pTimer->isActive();
}
