#include "ui/CDlgE_DialVip.h"

#include "data/CData_Properties.h"
#include "ui/CUi_CharValidator.h"
#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace
{
// Longest name (the value type Name; the block's own constant is hidden by a system macro here).
constexpr int NAME_LENGTH = 20;
constexpr unsigned IDC_ID_STATIC = 1261;
constexpr unsigned IDC_MSN_STATIC = 1263;
constexpr unsigned IDC_NAME_STATIC = 1265;
} // namespace

CDlgE_DialVip::CDlgE_DialVip(const CData_DialVip& entry, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_entry(entry)
{
    setWindowTitle(tr("VIP entry"));
    auto* pId = new QLabel(CUi_Texts::FromCp1252(entry.InfoText(0)), this);
    CUi_Texts::SetControlNumber(pId, IDC_ID);
    m_pMsn = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strMsn), this);
    CUi_Texts::SetControlNumber(m_pMsn, IDC_MSN);
    CUi_CharValidator::Attach(m_pMsn, CUi_CharValidator::CLASS_DIAL,
                              static_cast<int>(CData_DialVip::MSN_MAX));
    m_pName = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strName), this);
    CUi_Texts::SetControlNumber(m_pName, IDC_NAME);
    CUi_CharValidator::Attach(m_pName, CUi_CharValidator::CLASS_NAME, NAME_LENGTH);
    m_pMsn->setMinimumWidth(m_pMsn->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);

    auto* pIdLabel = new QLabel(tr("No."), this);
    auto* pMsnLabel = new QLabel(tr("&Number"), this);
    auto* pNameLabel = new QLabel(tr("N&ame"), this);
    pMsnLabel->setBuddy(m_pMsn);
    pNameLabel->setBuddy(m_pName);
    CUi_Texts::SetControlNumber(pIdLabel, IDC_ID_STATIC);
    CUi_Texts::SetControlNumber(pMsnLabel, IDC_MSN_STATIC);
    CUi_Texts::SetControlNumber(pNameLabel, IDC_NAME_STATIC);

    auto* pForm = new QFormLayout;
    pForm->addRow(pIdLabel, pId);
    pForm->addRow(pMsnLabel, m_pMsn);
    pForm->addRow(pNameLabel, m_pName);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pMsn->setFocus();
}

void CDlgE_DialVip::TextsApplied()
{
    if (CData_Properties::Current().m_bDialVipDialInd)
        setWindowTitle(String(TEXT_DIALIND_CAPTION));
}

void CDlgE_DialVip::accept()
{
    m_entry.m_strMsn = CUi_Texts::ToCp1252(m_pMsn->text());
    m_entry.m_strName = CUi_Texts::ToCp1252(m_pName->text());
    CUi_Dialog::accept();
}
