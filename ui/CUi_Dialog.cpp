#include "ui/CUi_Dialog.h"

#include "data/CData_UiText.h"
#include "shell/CApp.h"
#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <vector>

namespace
{
// Control numbers of the framework's OK and Cancel buttons.
constexpr unsigned IDOK = 1;
constexpr unsigned IDCANCEL = 2;
} // namespace

CUi_Dialog::CUi_Dialog(unsigned nTemplate, QWidget* pParent) : QDialog(pParent), m_nTemplate(nTemplate)
{
    CUi_Texts::SetTemplateNumber(this, nTemplate);
}

void CUi_Dialog::ApplyTexts()
{
    CUi_Texts::ApplyDialog(this, m_nTemplate);
    m_bTextsApplied = true;
    TextsApplied();
    // The language's texts may be longer than the template's. While the dialog is being shown its
    // layouts count as laid out and would keep the old sizes: lay every one out anew and let the
    // dialog grow to its contents (before the first show, showing sizes it).
    for (QLayout* pLayout : findChildren<QLayout*>())
    {
        pLayout->invalidate();
        pLayout->activate();
    }
    if (isVisible())
        resize(size().expandedTo(sizeHint()));
}

QString CUi_Dialog::String(unsigned nNumber)
{
    return CUi_Texts::FromCp1252(CData_UiText(nNumber));
}

QString CUi_Dialog::String(unsigned nNumber, const char* pszDefault)
{
    const QString text = String(nNumber);
    return text.isEmpty() ? QString::fromLatin1(pszDefault) : text;
}

QLabel* CUi_Dialog::NumberedLabel(unsigned nControl, const QString& text, QWidget* pBuddy)
{
    auto* pLabel = new QLabel(text, this);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    if (pBuddy)
        pLabel->setBuddy(pBuddy);
    return pLabel;
}

QGroupBox* CUi_Dialog::NumberedGroup(unsigned nControl, const QString& text)
{
    auto* pGroup = new QGroupBox(text, this);
    CUi_Texts::SetControlNumber(pGroup, nControl);
    return pGroup;
}

void CUi_Dialog::showEvent(QShowEvent* pEvent)
{
    if (!m_bTextsApplied)
        ApplyTexts();
    QDialog::showEvent(pEvent);
}

void CUi_Dialog::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_F1 && !(pEvent->modifiers() & Qt::ShiftModifier))
    {
        if (CApp* pApp = CApp::Get())
            pApp->OnHelpTemplate(m_nTemplate);
        return;
    }
    QDialog::keyPressEvent(pEvent);
}

int CUi_Dialog::Message(unsigned nString, CUi_Interface::EIcon icon, CUi_Interface::EButtons buttons)
{
    return CUi_Interface::Get().MessageBox(CData_UiText(nString), CUi_Texts::ToCp1252(windowTitle()), icon,
                                           buttons);
}

void CUi_Dialog::OrderTabsByControlNumber()
{
    // OK and Cancel close the chain, after every other control.
    auto rank = [](unsigned n) { return n == IDOK || n == IDCANCEL ? 0x100000000ull + n : 0ull + n; };
    std::vector<QWidget*> controls;
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* pChild : children)
        if (CUi_Texts::ControlNumber(pChild) != 0 && pChild->focusPolicy() & Qt::TabFocus)
            controls.push_back(pChild);
    std::stable_sort(controls.begin(), controls.end(),
                     [&rank](const QWidget* a, const QWidget* b)
                     { return rank(CUi_Texts::ControlNumber(a)) < rank(CUi_Texts::ControlNumber(b)); });
    for (size_t i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
}

QDialogButtonBox* CUi_Dialog::CreateButtons()
{
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* pOk = pButtons->button(QDialogButtonBox::Ok);
    QPushButton* pCancel = pButtons->button(QDialogButtonBox::Cancel);
    pOk->setDefault(true);
    CUi_Texts::SetControlNumber(pOk, IDOK);
    CUi_Texts::SetControlNumber(pCancel, IDCANCEL);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return pButtons;
}
