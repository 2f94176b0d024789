#include "ui/CUi_Dialog.h"

#include "ui/CUi_Texts.h"

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
}

void CUi_Dialog::showEvent(QShowEvent* pEvent)
{
    if (!m_bTextsApplied)
        ApplyTexts();
    QDialog::showEvent(pEvent);
}
