#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_QtTimerService.h"
#include "tools/r740tool/CTool_Main.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The transfer layers' time-outs run on this thread's event loop.
    CPlatform_QtTimerService timers;
    CPlatform_TimerService::SetCurrent(&timers);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    const int nExit = CTool_Main::Run(args, CPlatform_Path::ExecutableDirectory());
    CPlatform_TimerService::SetCurrent(nullptr);
    return nExit;
}
