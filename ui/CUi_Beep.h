#pragma once

// The error beep of the pages and dialogs (a refused character, a command without a selection).
// Counted, so that the tests can tell that a beep sounded without hearing it.

class CUi_Beep
{
public:
    static void Error();
    // Beeps since the program started (or since the last Reset).
    static int Count();
    static void Reset();
};
