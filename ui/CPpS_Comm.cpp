#include "ui/CPpS_Comm.h"

#include "data/CData_Properties.h"
#include "shell/CApp.h"
#include "ui/CUi_Commands.h"
#include "ui/CUi_Texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
enum : unsigned
{
    IDC_COMM_BTN_RX = 1510,
    IDC_COMM_BTN_TX = 1511,
    IDC_COMM_PORT = 1521,
    IDC_COMM_VERIFY = 1522, // the program's own control, after the template's
    IDC_RAD_USB = 9003,
    IDC_RAD_COMPORT = 9004,
    IDC_RAD_ISDN = 9076,
    IDC_IDD_DLGS_COMM_STATIC_1 = 6065,
    IDC_IDD_DLGS_COMM_STATIC_2 = 6066,
};
enum
{
    KIND_USB = 0,
    KIND_COMPORT = 1,
    KIND_PABX = 2,
};
} // namespace

CPpS_Comm::CPpS_Comm(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent), m_app(app)
{
    auto* pLayout = new QVBoxLayout(Content());
    QGroupBox* pLink = AddGroup(IDC_IDD_DLGS_COMM_STATIC_1, "Connection to the telephone");
    auto* pLinkLayout = new QGridLayout(pLink);

    // The radio buttons and the port are the application's settings.
    IntField kind = [this](CData_All&) -> int& { return m_app.m_nConnection; };
    QButtonGroup* pKinds = AddRadios({{IDC_RAD_USB, "&USB", KIND_USB},
                                      {IDC_RAD_COMPORT, "&Serial port", KIND_COMPORT},
                                      {IDC_RAD_ISDN, "&PABX", KIND_PABX}},
                                     kind);
    int nRow = 0;
    for (QAbstractButton* pButton : pKinds->buttons())
        pLinkLayout->addWidget(pButton, nRow++, 0);
    QComboBox* pPort = AddCombo(
        IDC_COMM_PORT,
        []
        {
            std::vector<CItem> items;
            for (int n = 1; n <= COM_PORT_MAX; ++n)
                items.push_back({n, QStringLiteral("COM%1").arg(n)});
            return items;
        },
        [this](CData_All&) -> int& { return m_app.m_nComPort; });
    pPort->setAccessibleName(QStringLiteral("Serial port"));
    pLinkLayout->addWidget(pPort, 1, 1);
    pLinkLayout->setColumnStretch(2, 1);
    connect(pKinds, &QButtonGroup::idClicked, this, &CPpS_Comm::OnRadio);

    QGroupBox* pTransfer = AddGroup(IDC_IDD_DLGS_COMM_STATIC_2, "Data transfer");
    auto* pTransferLayout = new QHBoxLayout(pTransfer);
    QPushButton* pRx = AddButton(IDC_COMM_BTN_RX, "&Read from telephone");
    QPushButton* pTx = AddButton(IDC_COMM_BTN_TX, "S&end to telephone");
    pTransferLayout->addWidget(pRx);
    pTransferLayout->addWidget(pTx);
    pTransferLayout->addStretch(1);
    QCheckBox* pVerify = AddCheck(IDC_COMM_VERIFY, "Read back and compare after sending",
                                  [this](CData_All&) -> int& { return m_app.m_nVerifyWrite; });
    connect(pRx, &QPushButton::clicked, this, [this] { emit CommandRequested(RxCommand()); });
    connect(pTx, &QPushButton::clicked, this, [this] { emit CommandRequested(TxCommand()); });

    pLayout->addWidget(pLink);
    pLayout->addWidget(pTransfer);
    pLayout->addWidget(pVerify);
    pLayout->addStretch(1);
    FinishControls();
}

unsigned CPpS_Comm::RxCommand() const
{
    return m_app.Brand().m_bAppCfg ? ID_FILE_RX_CFG : ID_FILE_RX_DIALNAME;
}

unsigned CPpS_Comm::TxCommand() const
{
    return m_app.Brand().m_bAppCfg ? ID_FILE_TX_CFG : ID_FILE_TX_DIALNAME;
}

void CPpS_Comm::OnRadio(int nKind)
{
    OnKillActive();
    m_app.m_nConnection = nKind;
    UpdatePortCombo();
    emit StateChanged();
}

void CPpS_Comm::UpdatePortCombo()
{
    const auto* pSerial = qobject_cast<QRadioButton*>(CUi_Texts::FindControl(this, IDC_RAD_COMPORT));
    if (QWidget* pPort = CUi_Texts::FindControl(this, IDC_COMM_PORT))
        pPort->setEnabled(pSerial && pSerial->isChecked() && pSerial->isEnabled());
}

void CPpS_Comm::ApplyProperties()
{
    const CData_Properties& props = Props();
    auto* pUsb = qobject_cast<QRadioButton*>(CUi_Texts::FindControl(this, IDC_RAD_USB));
    auto* pSerial = qobject_cast<QRadioButton*>(CUi_Texts::FindControl(this, IDC_RAD_COMPORT));
    auto* pPabx = qobject_cast<QRadioButton*>(CUi_Texts::FindControl(this, IDC_RAD_ISDN));
    if (!pUsb || !pSerial || !pPabx)
        return;
    const bool bPabxMode = m_app.PabxMode();
    pPabx->setEnabled(bPabxMode);
    if (m_app.m_nConnection == KIND_PABX && bPabxMode)
    {
        // A run for the PABX reaches the telephone only through it.
        pUsb->setEnabled(false);
        pSerial->setEnabled(false);
        pPabx->setChecked(true);
    }
    else if (props.m_bAppCfg)
    {
        // The configurator uses the link the phone type has.
        pUsb->setEnabled(props.m_bUsbCapable);
        pSerial->setEnabled(!props.m_bUsbCapable);
        (props.m_bUsbCapable ? pUsb : pSerial)->setChecked(true);
        // The transfers and the port pane take the link the page shows.
        const int nKind = props.m_bUsbCapable ? KIND_USB : KIND_COMPORT;
        if (m_app.m_nConnection != nKind)
        {
            m_app.m_nConnection = nKind;
            emit StateChanged();
        }
    }
    else
    {
        pUsb->setEnabled(true);
        pSerial->setEnabled(true);
    }
    UpdatePortCombo();

    CUi_CommandState state;
    state.bPabxLine = m_app.m_bPabxLine;
    state.bMayRead = m_app.CommandLine().m_bMayRead;
    state.bMayUpdate = m_app.CommandLine().m_bMayUpdateFirmware;
    if (QWidget* pRx = CUi_Texts::FindControl(this, IDC_COMM_BTN_RX))
        pRx->setEnabled(CUi_Commands::Enabled(RxCommand(), state, props));
    if (QWidget* pTx = CUi_Texts::FindControl(this, IDC_COMM_BTN_TX))
        pTx->setEnabled(CUi_Commands::Enabled(TxCommand(), state, props));
}
