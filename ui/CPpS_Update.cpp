#include "ui/CPpS_Update.h"

#include "shell/CApp.h"

#include <QLabel>
#include <QVBoxLayout>

namespace
{
enum : unsigned
{
    IDC_UPDATE_STATIC_1 = 9226,
    IDC_UPDATE_STATIC_2 = 9227,
};
} // namespace

CPpS_Update::CPpS_Update(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    QLabel* pWhat =
        AddLabel(IDC_UPDATE_STATIC_1,
                 "The telephone's firmware can be brought up to date through the PABX. "
                 "The PABX's service tool starts the update and this program sends the firmware.");
    QLabel* pNote = AddLabel(IDC_UPDATE_STATIC_2,
                             "Do not disconnect the telephone during an update. Its configuration and "
                             "phonebook are kept.");
    for (QLabel* pLabel : {pWhat, pNote})
    {
        pLabel->setWordWrap(true);
        pLayout->addWidget(pLabel);
    }
    pLayout->addStretch(1);
    FinishControls();
}
