#include "ui/CUi_Program.h"

#include "shell/CApp.h"
#include "ui/CMainFrame.h"
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

        CApp_Startup startup;
        startup.programPath = argc > 0 ? argv[0] : "R740Cf";
        for (int i = 1; i < argc; ++i)
            startup.args.emplace_back(argv[i]);
        if (app.InitInstance(startup))
            nExitCode = QApplication::exec();
        ui.SetParent(nullptr);
        app.ExitInstance();
    }
    CUi_Interface::Set(nullptr);
    return nExitCode;
}
