#pragma once

// The pictures of the toolbar and the window: drawn by the program itself (simple line drawings
// on a 32 x 32 grid), so that they stay sharp at every scaling. A picture is drawn when it is first
// painted.

#include <QIcon>

class CUi_Icons
{
public:
    // The picture of a command (ECommand); a null icon for commands without one.
    static QIcon Icon(unsigned nCommand);
    // The program's own picture (a system telephone).
    static QIcon ProgramIcon();
};
