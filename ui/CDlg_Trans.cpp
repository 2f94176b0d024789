#include "ui/CDlg_Trans.h"

#include "transfer/CLayerPP.h"
#include "ui/CUi_Beep.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
// The status texts run to two lines; the dialog keeps its width while they change.
constexpr int INFO_MIN_WIDTH_CHARS = 48;
} // namespace

CDlg_Trans::CDlg_Trans(CApp& app, int nMode, int nLinkKind, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_transfer(app, nMode, nLinkKind)
{
    setWindowTitle(tr("Data transfer"));
    m_pInfo = new QLabel(tr("Please wait..."), this);
    m_pInfo->setWordWrap(true);
    CUi_Texts::SetControlNumber(m_pInfo, IDC_TRANS_INFO);
    m_pInfo2 = new QLabel(this);
    m_pInfo2->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pInfo2->setAlignment(Qt::AlignCenter);
    CUi_Texts::SetControlNumber(m_pInfo2, IDC_TRANS_INFO2);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, CApp_TransferDialog::PROGRESS_MAX);
    m_pProgress->setValue(0);
    CUi_Texts::SetControlNumber(m_pProgress, IDC_TRANS_PROGRESS);
    m_pAgain = new QPushButton(tr("&Retry"), this);
    CUi_Texts::SetControlNumber(m_pAgain, ID_TRANS_AGAIN);
    m_pAgain->hide();
    m_pCancel = new QPushButton(tr("&Cancel"), this);
    CUi_Texts::SetControlNumber(m_pCancel, ID_TRANS_CANCEL);
    m_pCancel->setDefault(true);

    const int nCharWidth = m_pInfo->fontMetrics().averageCharWidth();
    m_pInfo->setMinimumWidth(INFO_MIN_WIDTH_CHARS * nCharWidth);
    // Two lines of status text, so that a longer error text does not make the dialog jump.
    m_pInfo->setMinimumHeight(2 * m_pInfo->fontMetrics().lineSpacing());
    // Room for the whole running line from the start, so that the dialog keeps its size when it
    // begins to run.
    m_pInfo2->setMinimumWidth(
        m_pInfo2->fontMetrics().horizontalAdvance(CUi_Texts::FromCp1252(m_transfer.Pattern())));

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pAgain);
    pButtons->addWidget(m_pCancel);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pInfo);
    pLayout->addWidget(m_pInfo2);
    pLayout->addWidget(m_pProgress);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_pAgain, &QPushButton::clicked, this, [this] { m_transfer.OnTransAgain(); });
    connect(m_pCancel, &QPushButton::clicked, this, [this] { m_transfer.OnTransCancel(); });
    OrderTabsByControlNumber();
}

CDlg_Trans::~CDlg_Trans() = default;

void CDlg_Trans::SetLink(std::unique_ptr<CLayerPP> pLink)
{
    m_pLink = std::move(pLink);
}

void CDlg_Trans::showEvent(QShowEvent* pEvent)
{
    CUi_Dialog::showEvent(pEvent);
    // The dialog's initialisation: once, when it first appears, so that its end comes from the
    // modal loop.
    if (!m_bStarted)
    {
        m_bStarted = true;
        m_transfer.Init(this, std::move(m_pLink));
    }
}

void CDlg_Trans::reject()
{
    if (m_transfer.Result() < 0)
        m_transfer.OnCancel();
    else
        CUi_Dialog::reject();
}

void CDlg_Trans::Update(const CApp_TransferDialog& transfer)
{
    m_pInfo->setText(CUi_Texts::FromCp1252(transfer.Info()));
    m_pInfo2->setText(CUi_Texts::FromCp1252(transfer.Line()));
    m_pProgress->setValue(transfer.Progress());
    m_pAgain->setVisible(transfer.AgainShown());
    const bool bWaiting = transfer.Waiting();
    if (bWaiting && !m_bWaiting)
    {
        m_bWaiting = true;
        emit Waiting();
    }
    m_bWaiting = bWaiting;
}

void CDlg_Trans::ShowMainWindow()
{
    // A minimised main window stays minimised (an unattended run); a hidden one comes back.
    if (QWidget* pParent = parentWidget())
        if (!pParent->window()->isVisible())
            pParent->window()->show();
    raise();
    activateWindow();
}

void CDlg_Trans::Beep(bool bError)
{
    if (bError)
        CUi_Beep::Error();
    else
        QApplication::beep();
}

void CDlg_Trans::End(int nResult)
{
    done(nResult ? QDialog::Accepted : QDialog::Rejected);
}
