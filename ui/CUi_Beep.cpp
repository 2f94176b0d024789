#include "ui/CUi_Beep.h"

#include <QApplication>

namespace
{
int s_nBeeps = 0;
}

void CUi_Beep::Error()
{
    ++s_nBeeps;
    QApplication::beep();
}

int CUi_Beep::Count()
{
    return s_nBeeps;
}

void CUi_Beep::Reset()
{
    s_nBeeps = 0;
}
