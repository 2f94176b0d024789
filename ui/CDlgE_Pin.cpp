#include "ui/CDlgE_Pin.h"

#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDlgE_Pin::CDlgE_Pin(const std::string& pin, QWidget* pParent) : CUi_Dialog(TEMPLATE, pParent), m_pin(pin)
{
    setWindowTitle(tr("PIN"));
    auto* pLabel = new QLabel(tr("Please enter the telephone's PIN:"), this);
    CUi_Texts::SetControlNumber(pLabel, IDC_PIN_STATIC);
    m_pEdit = new QLineEdit(CUi_Texts::FromCp1252(pin.substr(0, PIN_LENGTH)), this);
    m_pEdit->setMaxLength(PIN_LENGTH);
    CUi_Texts::SetControlNumber(m_pEdit, IDC_PIN);
    pLabel->setBuddy(m_pEdit);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(m_pEdit);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CDlgE_Pin::accept()
{
    if (m_pEdit->text().size() != PIN_LENGTH)
    {
        Message(TEXT_WRONG_LENGTH, CUi_Interface::ICON_WARNING);
        m_pEdit->setFocus();
        m_pEdit->selectAll();
        return;
    }
    const std::string pin = CUi_Texts::ToCp1252(m_pEdit->text());
    if (m_accept && !m_accept(pin, CUi_Texts::ToCp1252(windowTitle())))
    {
        m_pEdit->setFocus();
        m_pEdit->selectAll();
        return;
    }
    m_pin = pin;
    CUi_Dialog::accept();
}
