#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_QtTimerService.h"
#include "tools/r740tool/CTool_Main.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    // Prints need fonts, which only a GUI application has; the tool never shows a window, so it
    // paints on the offscreen platform, with or without a display.
    const CTool_Command* pCommand = CTool_Main::FindCommand(args);
    std::unique_ptr<QCoreApplication> pApp;
    if (pCommand && pCommand->needs == NEEDS_APP_PAINT)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        pApp = std::make_unique<QGuiApplication>(argc, argv);
    }
    else
        pApp = std::make_unique<QCoreApplication>(argc, argv);
    // The transfer layers' time-outs run on this thread's event loop.
    CPlatform_QtTimerService timers;
    CPlatform_TimerService::SetCurrent(&timers);
    const int nExit = CTool_Main::Run(args, CPlatform_Path::ExecutableDirectory());
    CPlatform_TimerService::SetCurrent(nullptr);
    return nExit;
}
