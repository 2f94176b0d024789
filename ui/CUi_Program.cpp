#include "ui/CUi_Program.h"

#include "shell/CApp.h"
#include "ui/CMainFrame.h"
#include "ui/CUi_PinPrompt.h"
#include "ui/CUi_QtInterface.h"

#include <QApplication>

#include <string>
#include <vector>

int CUi_Program::Run(int& argc, char** argv)
{
    QApplication application(argc, argv);
    CUi_QtInterface ui;
    CUi_Interface::Set(&ui);

    int nExitCode = EXIT_STARTUP_FAILED;
    {
        CApp app;
        CMainFrame frame(app);
        ui.SetParent(&frame);
        // A write asks for the PIN first. No transfer runner yet: the transfer commands are
        // traced and do nothing until the transfer dialog comes.
        CUi_PinPrompt pinPrompt(&frame);
        app.SetPinPrompt(&pinPrompt);

        CApp_Startup startup;
        startup.programPath = argc > 0 ? argv[0] : "R740Cf";
        for (int i = 1; i < argc; ++i)
            startup.args.emplace_back(argv[i]);
        if (app.InitInstance(startup))
        {
            // A new user learns first what to do next (once; not in a PABX run).
            frame.ShowFirstRunHint();
            nExitCode = QApplication::exec();
        }
        ui.SetParent(nullptr);
        app.SetPinPrompt(nullptr);
        app.ExitInstance();
    }
    CUi_Interface::Set(nullptr);
    return nExitCode;
}
