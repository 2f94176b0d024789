#include "ui/CPpS_Messaging.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace
{
enum : unsigned
{
    IDC_MESSAGING_SERVER1 = 9212,
    IDC_MESSAGING_SERVER2 = 9213,
    IDC_MESSAGING_SERVER3 = 9214,
};
// Captions of the three service centres.
constexpr unsigned IDS_STR_MESSAGING_SMSSERVER1 = 450;
} // namespace

CPpS_Messaging::CPpS_Messaging(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    QGroupBox* pGroup = AddGroup(IDC_STATIC_FIRST + 0, "SMS service centres");
    auto* pForm = new QFormLayout(pGroup);
    struct CServer
    {
        unsigned nControl;
        const char* pszLabel;
        size_t nMax;
        StrField field;
    };
    const CServer servers[] = {
        {IDC_MESSAGING_SERVER1, "SMS server &1", CData_Basic::SMSSERVICENO_MAX,
         [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strSmsServiceNo; }},
        {IDC_MESSAGING_SERVER2, "SMS server &2", CData_Basic::SMSSERVICENO2_MAX,
         [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strSmsServiceNo2; }},
        {IDC_MESSAGING_SERVER3, "SMS server &3", CData_Basic::SMSSERVICENO2_MAX,
         [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strSmsServiceNo3; }},
    };
    unsigned nCaption = IDS_STR_MESSAGING_SMSSERVER1;
    for (const CServer& server : servers)
    {
        QLineEdit* pEdit = AddEdit(server.nControl, static_cast<int>(server.nMax), CLASS_DIGITS, server.field,
                                   &StrToSmsServiceNo);
        QLabel* pLabel = AddLabel(0, server.pszLabel, pEdit);
        const QString caption = UiText(nCaption++);
        if (!caption.isEmpty())
            pLabel->setText(caption);
        pForm->addRow(pLabel, pEdit);
    }
    pLayout->addWidget(pGroup);
    pLayout->addStretch(1);
    FinishControls();
}

void CPpS_Messaging::ApplyProperties()
{
    // The second and third centre exist on phone types with several servers.
    const bool bServers = Props().m_bSmsServers || Props().m_bSmsRecordA;
    SetShownWithLabel(IDC_MESSAGING_SERVER2, bServers);
    SetShownWithLabel(IDC_MESSAGING_SERVER3, bServers);
}
