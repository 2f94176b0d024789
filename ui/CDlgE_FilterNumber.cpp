#include "ui/CDlgE_FilterNumber.h"

#include "ui/CUi_CharValidator.h"
#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDlgE_FilterNumber::CDlgE_FilterNumber(unsigned nTemplate, const CControls& controls,
                                       const CData_FilterNumber& entry, QWidget* pParent)
    : CUi_Dialog(nTemplate, pParent)
{
    auto* pId = new QLabel(CUi_Texts::FromCp1252(entry.InfoText(0)), this);
    CUi_Texts::SetControlNumber(pId, controls.nId);
    m_pMsn = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strMsn.substr(0, NUMBER_MAX)), this);
    CUi_Texts::SetControlNumber(m_pMsn, controls.nMsn);
    CUi_CharValidator::Attach(m_pMsn, CUi_CharValidator::CLASS_DIAL, NUMBER_MAX);
    m_pMsn->setMinimumWidth(m_pMsn->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (NUMBER_MAX + 4));

    auto* pIdLabel = new QLabel(tr("No."), this);
    auto* pMsnLabel = new QLabel(tr("&Number"), this);
    pMsnLabel->setBuddy(m_pMsn);
    CUi_Texts::SetControlNumber(pIdLabel, controls.nIdLabel);
    CUi_Texts::SetControlNumber(pMsnLabel, controls.nMsnLabel);

    auto* pForm = new QFormLayout;
    pForm->addRow(pIdLabel, pId);
    pForm->addRow(pMsnLabel, m_pMsn);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pMsn->setFocus();
}

std::string CDlgE_FilterNumber::Number() const
{
    return CUi_Texts::ToCp1252(m_pMsn->text());
}
