#include "platform/CPlatform_TimerService.h"

namespace
{
CPlatform_TimerService* s_pCurrent = nullptr;
}

CPlatform_TimerService* CPlatform_TimerService::Current()
{
    return s_pCurrent;
}

void CPlatform_TimerService::SetCurrent(CPlatform_TimerService* pService)
{
    s_pCurrent = pService;
}
