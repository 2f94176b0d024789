#pragma once

// The window program from start to end: the Qt application, the user interface of the core, the
// application object's start-up with the main window, the message loop, and the end of the run.

class CUi_Program
{
public:
    // Exit code when start-up fails (no resource module, texts refused, no document).
    static constexpr int EXIT_STARTUP_FAILED = 1;

    // argc and argv as main received them. Gives the program's exit code.
    static int Run(int& argc, char** argv);
};
