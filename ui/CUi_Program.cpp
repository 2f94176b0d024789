#include "ui/CUi_Program.h"

#include "platform/CPlatform_QtTimerService.h"
#include "shell/CApp.h"
#include "ui/CMainFrame.h"
#include "ui/CUi_PinPrompt.h"
#include "ui/CUi_QtInterface.h"
#include "ui/CUi_Script.h"
#include "ui/CUi_TransferRunner.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

int CUi_Program::Run(int& argc, char** argv)
{
    QApplication application(argc, argv);
    // The transfer layers' time-outs and the transfer dialog's polling.
    CPlatform_QtTimerService timers;
    CPlatform_TimerService::SetCurrent(&timers);
    CUi_QtInterface ui;
    CUi_Interface::Set(&ui);

    // A scripted run answers for the user (tests, demonstrations).
    std::unique_ptr<CUi_Script> pScript;
    const std::string scriptPath = CUi_Script::PathFromEnvironment();
    if (!scriptPath.empty())
    {
        pScript = std::make_unique<CUi_Script>(scriptPath);
        if (!pScript->IsValid())
        {
            std::fprintf(stderr, "R740Cf: %s\n", pScript->Error().c_str());
            CUi_Interface::Set(nullptr);
            CPlatform_TimerService::SetCurrent(nullptr);
            return EXIT_STARTUP_FAILED;
        }
        CUi_Interface::Set(pScript.get());
    }

    int nExitCode = EXIT_STARTUP_FAILED;
    {
        CApp app;
        CMainFrame frame(app);
        ui.SetParent(&frame);
        // A write asks for the PIN first; every transfer runs in the transfer dialog.
        CUi_PinPrompt pinPrompt(&frame);
        app.SetPinPrompt(pScript ? static_cast<CApp_PinPrompt*>(pScript.get()) : &pinPrompt);
        CUi_TransferRunner runner(app, &frame);
        app.SetTransferRunner(&runner);
        if (pScript)
        {
            pScript->Attach(runner);
            pScript->SetDialogPinPrompt(&pinPrompt);
        }

        CApp_Startup startup;
        startup.programPath = argc > 0 ? argv[0] : "R740Cf";
        for (int i = 1; i < argc; ++i)
            startup.args.emplace_back(argv[i]);
        if (app.InitInstance(startup))
        {
            // A scripted run answers for the user; a new user learns first what to do next (once;
            // not in a PABX run).
            if (pScript)
                pScript->Schedule(frame);
            else
                frame.ShowFirstRunHint();
            nExitCode = QApplication::exec();
            // A send the telephone did not hold as sent ends a run without a message (the PABX
            // tool's) with a code of its own.
            if (nExitCode == 0 && app.WriteNotVerified())
                nExitCode = CApp::EXIT_CODE_NOT_VERIFIED;
        }
        ui.SetParent(nullptr);
        app.SetPinPrompt(nullptr);
        app.SetTransferRunner(nullptr);
        app.ExitInstance();
    }
    CUi_Interface::Set(nullptr);
    CPlatform_TimerService::SetCurrent(nullptr);
    return nExitCode;
}
