#include "ui/CUi_Dialog.h"

#include "ui/CUi_Texts.h"

#include <QLayout>
#include <QShowEvent>

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

void CUi_Dialog::showEvent(QShowEvent* pEvent)
{
    if (!m_bTextsApplied)
        ApplyTexts();
    QDialog::showEvent(pEvent);
}
