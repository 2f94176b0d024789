#pragma once

// Time-outs of the transfer layers: repeating timers identified by a small number, each calling a
// plain function with its number on the user-interface thread until it is stopped. The program
// installs a QTimer implementation, the tests a manual clock.

class CPlatform_TimerService
{
public:
    using Callback = void (*)(unsigned uId);

    virtual ~CPlatform_TimerService() = default;

    // Starts the timer uId with the period, or restarts it (a new period from now) when it runs.
    // Gives 1 on success.
    virtual int Start(unsigned uId, unsigned uPeriodMs, Callback pfnCallback) = 0;
    // Stops the timer uId; stopping a timer that does not run is no error. Gives 1.
    virtual int Stop(unsigned uId) = 0;

    // The service of the running program; null while none is installed (then no timer starts).
    static CPlatform_TimerService* Current();
    static void SetCurrent(CPlatform_TimerService* pService);
};
