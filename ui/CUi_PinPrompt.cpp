#include "ui/CUi_PinPrompt.h"

#include "ui/CDlgE_Pin.h"

int CUi_PinPrompt::AskPin(const Accept& accept, std::string& pin)
{
    CDlgE_Pin dialog(pin, m_pParent);
    dialog.SetAccept(accept);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    pin = dialog.Pin();
    return 1;
}
