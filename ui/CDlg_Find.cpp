#include "ui/CDlg_Find.h"

#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
enum : unsigned
{
    IDC_FIND_WORD = 4951,
    IDC_FIND_BIGSMALL = 4952,
    IDC_FIND_DIR_STATIC = 4953,
    IDC_FIND_DIR_UP = 4954,
    IDC_FIND_DIR_DOWN = 4955,
    IDC_FIND_AGAIN = 4956,
    IDC_FIND_CANCEL = 4957,
    IDC_FIND_STATIC_1 = 6024,
};
} // namespace

CDlg_Find::CDlg_Find(QWidget* pParent) : CUi_Dialog(IDD, pParent)
{
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto* pGrid = new QGridLayout(this);

    m_pWord = new QLineEdit(this);
    CUi_Texts::SetControlNumber(m_pWord, IDC_FIND_WORD);
    auto* pLabel = new QLabel(QStringLiteral("Find &what:"), this);
    CUi_Texts::SetControlNumber(pLabel, IDC_FIND_STATIC_1);
    pLabel->setBuddy(m_pWord);

    // The phonebook is searched exactly as the names are written.
    auto* pCase = new QCheckBox(QStringLiteral("Match &case"), this);
    CUi_Texts::SetControlNumber(pCase, IDC_FIND_BIGSMALL);
    pCase->setChecked(true);
    pCase->setEnabled(false);

    auto* pDirection = new QGroupBox(QStringLiteral("Direction"), this);
    CUi_Texts::SetControlNumber(pDirection, IDC_FIND_DIR_STATIC);
    m_pUp = new QRadioButton(QStringLiteral("&Up"), pDirection);
    CUi_Texts::SetControlNumber(m_pUp, IDC_FIND_DIR_UP);
    m_pDown = new QRadioButton(QStringLiteral("&Down"), pDirection);
    CUi_Texts::SetControlNumber(m_pDown, IDC_FIND_DIR_DOWN);
    m_pDown->setChecked(true);
    auto* pDirectionLayout = new QHBoxLayout(pDirection);
    pDirectionLayout->addWidget(m_pUp);
    pDirectionLayout->addWidget(m_pDown);

    auto* pAgain = new QPushButton(QStringLiteral("Find &next"), this);
    CUi_Texts::SetControlNumber(pAgain, IDC_FIND_AGAIN);
    pAgain->setDefault(true);
    auto* pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    CUi_Texts::SetControlNumber(pCancel, IDC_FIND_CANCEL);

    pGrid->addWidget(pLabel, 0, 0);
    pGrid->addWidget(m_pWord, 0, 1);
    pGrid->addWidget(pAgain, 0, 2);
    pGrid->addWidget(pCase, 1, 0, 1, 2);
    pGrid->addWidget(pCancel, 1, 2);
    pGrid->addWidget(pDirection, 2, 0, 1, 2);
    pGrid->setColumnStretch(1, 1);

    connect(pAgain, &QPushButton::clicked, this, &CDlg_Find::FindAgain);
    connect(pCancel, &QPushButton::clicked, this, &CDlg_Find::reject);
    setTabOrder(m_pWord, pCase);
    setTabOrder(pCase, m_pUp);
    setTabOrder(m_pUp, m_pDown);
    setTabOrder(m_pDown, pAgain);
    setTabOrder(pAgain, pCancel);
}

QString CDlg_Find::SearchText() const
{
    return m_pWord->text();
}

void CDlg_Find::SetSearchText(const QString& text)
{
    m_pWord->setText(text);
}

bool CDlg_Find::Down() const
{
    return m_pDown->isChecked();
}

void CDlg_Find::SetDown(bool bDown)
{
    (bDown ? m_pDown : m_pUp)->setChecked(true);
}

void CDlg_Find::reject()
{
    QDialog::reject();
    emit FindEnd();
}

void CDlg_Find::closeEvent(QCloseEvent* pEvent)
{
    // Closing by the window's frame ends the find as Cancel does.
    pEvent->ignore();
    reject();
}
