#include "support/CUi_Interface.h"

namespace
{
// Used before the program installs its own and by headless runs that have nobody to ask.
class CUi_Silent : public CUi_Interface
{
public:
    int MessageBox(const std::string&, const std::string&, EIcon, EButtons buttons) override
    {
        return buttons == BUTTONS_YES_NO || buttons == BUTTONS_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
    }
};

CUi_Silent s_silent;
CUi_Interface* s_pUi = &s_silent;
} // namespace

CUi_Interface& CUi_Interface::Get()
{
    return *s_pUi;
}

void CUi_Interface::Set(CUi_Interface* pUi)
{
    s_pUi = pUi ? pUi : &s_silent;
}
