#include "ui/CDlgE_MsnPara.h"

#include "data/CData_AllCfg.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "data/CData_Version.h"
#include "support/CLang_Text.h"
#include "ui/CUi_CharValidator.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
constexpr unsigned TEXT_MELODY = 312;
constexpr unsigned TEXT_NO_TAXLIMIT = 219;
constexpr unsigned TEXT_SLOT_NO_NUMBER = 284;

QSlider* LoudSlider(QWidget* pParent, int nValue)
{
    auto* pSlider = new QSlider(Qt::Horizontal, pParent);
    pSlider->setRange(0, std::max(LoudMax(), nValue));
    pSlider->setPageStep(1);
    pSlider->setTickPosition(QSlider::TicksBelow);
    pSlider->setValue(nValue);
    return pSlider;
}

QComboBox* MelodyCombo(QWidget* pParent, int nValue, const QString& melody)
{
    auto* pCombo = new QComboBox(pParent);
    const int nCount = std::max(CDlgE_MsnPara::MELODY_COUNT, nValue + 1);
    for (int n = 0; n < nCount; ++n)
        pCombo->addItem(melody + QStringLiteral(" %1").arg(n + 1));
    pCombo->setCurrentIndex(nValue);
    return pCombo;
}

QLineEdit* NumberEdit(QWidget* pParent, const std::string& text, size_t nMax)
{
    auto* pEdit = new QLineEdit(CUi_Texts::FromCp1252(text), pParent);
    CUi_CharValidator::Attach(pEdit, CUi_CharValidator::CLASS_DIAL, static_cast<int>(nMax));
    pEdit->setMinimumWidth(pEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    return pEdit;
}

// Phones that keep no charge limit.
bool NoTaxLimit(int nPhoneType)
{
    return nPhoneType == PHONETYPE_RV730 || nPhoneType == PHONETYPE_RV730U;
}
} // namespace

CDlgE_MsnPara::CDlgE_MsnPara(const CData_MsnPara& entry, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_entry(entry)
{
    const CData_Properties& props = CData_Properties::Current();
    setWindowTitle(tr("MSN %1").arg(entry.Number() + 1));

    m_pMsn = NumberEdit(this, entry.m_strMsn, CData_MsnPara::MSN_MAX);
    m_pTxt = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strTxt), this);
    CUi_CharValidator::Attach(m_pTxt, CUi_CharValidator::CLASS_NAME,
                              static_cast<int>(CData_MsnPara::TXT_MAX));
    const QString melody = String(TEXT_MELODY);
    m_pLoud = LoudSlider(this, entry.m_nLoud);
    m_pMelody = MelodyCombo(this, entry.m_nMelody, melody);
    m_pLoudIntern = LoudSlider(this, entry.m_nLoudIntern);
    m_pMelodyIntern = MelodyCombo(this, entry.m_nMelodyIntern, melody);
    m_pMsnAws = NumberEdit(this, entry.m_strMsnAws, CData_MsnPara::MSNAWS_MAX);
    m_pCallDeflection = NumberEdit(this, entry.m_strCallDelectionNo, CData_MsnPara::CALLDEFLECTION_MAX);

    m_pTaxLimitOn = new QCheckBox(tr("Charge &limit"), this);
    m_pTaxLimit = new QSpinBox(this);
    m_pTaxLimit->setRange(0, TAXLIMIT_MAX);
    m_pTaxLimit->setSpecialValueText(String(TEXT_NO_TAXLIMIT));
    m_pTaxLimit->setValue(entry.m_nTaxLimit);
    m_pTaxLimitOn->setChecked(entry.m_nTaxLimit != 0);
    m_pTaxLimit->setEnabled(entry.m_nTaxLimit != 0);
    connect(m_pTaxLimitOn, &QCheckBox::toggled, this,
            [this](bool bOn)
            {
                m_pTaxLimit->setEnabled(bOn);
                if (bOn && m_pTaxLimit->value() == 0)
                    m_pTaxLimit->setValue(1);
                if (!bOn)
                    m_pTaxLimit->setValue(0);
            });

    auto* pPayCounter = new QLabel(QString::number(entry.m_nPayCounter), this);
    m_pPayCounterReset = new QCheckBox(tr("&Reset"), this);

    const std::pair<QWidget*, unsigned> numbers[] = {
        {m_pMsn, IDC_MSN},
        {m_pLoud, IDC_LOUD},
        {m_pMelody, IDC_MELODY},
        {m_pTxt, IDC_TXT},
        {m_pLoudIntern, IDC_LOUD_INTERN},
        {m_pMelodyIntern, IDC_MELODY_INTERN},
        {m_pTaxLimit, IDC_TAXLIMIT},
        {m_pMsnAws, IDC_MSNAWS},
        {m_pCallDeflection, IDC_CALLDEFLECTION},
        {m_pPayCounterReset, IDC_PAYCOUNTER_RESET},
        {m_pTaxLimitOn, IDC_TAXLIMIT_ON},
    };
    for (const auto& number : numbers)
        CUi_Texts::SetControlNumber(number.first, number.second);

    auto* pTaxRow = new QHBoxLayout;
    pTaxRow->addWidget(m_pTaxLimitOn);
    pTaxRow->addWidget(m_pTaxLimit, 1);
    auto* pPayRow = new QHBoxLayout;
    pPayRow->addWidget(pPayCounter, 1);
    pPayRow->addWidget(m_pPayCounterReset);

    auto* pForm = new QFormLayout;
    pForm->addRow(tr("&MSN"), m_pMsn);
    pForm->addRow(tr("&Volume"), m_pLoud);
    pForm->addRow(tr("M&elody"), m_pMelody);
    pForm->addRow(tr("&Text"), m_pTxt);
    pForm->addRow(tr("&Internal volume"), m_pLoudIntern);
    pForm->addRow(tr("Internal mel&ody"), m_pMelodyIntern);
    pForm->addRow(tr("Call &forwarding to"), m_pMsnAws);
    pForm->addRow(tr("Call &deflection to"), m_pCallDeflection);
    pForm->addRow(tr("Charge limit"), pTaxRow);
    pForm->addRow(tr("Charge counter"), pPayRow);
    // Each label carries the number before its field's, as the template has it.
    const std::pair<QObject*, unsigned> labels[] = {
        {m_pMsn, IDC_MSN - 1},
        {m_pLoud, IDC_LOUD - 1},
        {m_pMelody, IDC_MELODY - 1},
        {m_pTxt, IDC_TXT - 1},
        {m_pLoudIntern, IDC_LOUD_INTERN - 1},
        {m_pMelodyIntern, IDC_MELODY_INTERN - 1},
        {m_pMsnAws, IDC_MSNAWS - 1},
        {m_pCallDeflection, IDC_CALLDEFLECTION - 1},
        {pTaxRow, IDC_TAXLIMIT - 1},
        {pPayRow, IDC_PAYCOUNTER_STATIC},
    };
    for (const auto& label : labels)
    {
        QWidget* pLabel = label.first->isWidgetType()
                              ? pForm->labelForField(static_cast<QWidget*>(label.first))
                              : pForm->labelForField(static_cast<QLayout*>(label.first));
        if (pLabel)
            CUi_Texts::SetControlNumber(pLabel, label.second);
    }
    const bool bIntern = CData_MsnPara::InternRing();
    pForm->setRowVisible(m_pLoudIntern, bIntern);
    pForm->setRowVisible(m_pMelodyIntern, bIntern);
    // The call-deflection number and the charge limit only reach phones that know them; the RV730
    // phones keep no charge limit at all.
    pForm->setRowVisible(m_pCallDeflection, props.m_bCallDeflectionSupport);
    pForm->setRowVisible(pTaxRow, props.m_bCallDeflectionSupport &&
                                      !NoTaxLimit(CData_Properties::CurrentInput().nPhoneType));

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pMsn->setFocus();
}

QString CDlgE_MsnPara::SlotText(const CData_AllCfg& cfg, int nSlot)
{
    if (nSlot < 0 || nSlot >= CData_AllCfg::MSNPARA_MAX)
        return QString();
    const CData_MsnPara& slot = cfg.m_MsnPara[nSlot];
    if (slot.m_strMsn.empty())
        return String(TEXT_SLOT_NO_NUMBER) + QStringLiteral("-%1").arg(nSlot + 1);
    const QString txt = slot.m_strTxt.empty() ? QStringLiteral("MSN-%1").arg(nSlot + 1)
                                              : CUi_Texts::FromCp1252(slot.m_strTxt);
    return txt + QStringLiteral(" (") + CUi_Texts::FromCp1252(slot.m_strMsn) + QStringLiteral(")");
}

void CDlgE_MsnPara::TextsApplied()
{
    // The template's caption names the slot; its number follows.
    const CLang_Text* pText = CLang_Text::Get();
    const std::string caption = pText ? pText->GetDlgCaption(TEMPLATE) : std::string();
    if (!caption.empty())
        setWindowTitle(QStringLiteral("%1 %2").arg(CUi_Texts::FromCp1252(caption)).arg(m_entry.Number() + 1));
}

void CDlgE_MsnPara::accept()
{
    m_entry.m_strMsn = CUi_Texts::ToCp1252(m_pMsn->text());
    m_entry.m_strTxt = CUi_Texts::ToCp1252(m_pTxt->text());
    m_entry.m_nLoud = m_pLoud->value();
    m_entry.m_nMelody = m_pMelody->currentIndex();
    m_entry.m_nLoudIntern = m_pLoudIntern->value();
    m_entry.m_nMelodyIntern = m_pMelodyIntern->currentIndex();
    m_entry.m_strMsnAws = CUi_Texts::ToCp1252(m_pMsnAws->text());
    m_entry.m_strCallDelectionNo = CUi_Texts::ToCp1252(m_pCallDeflection->text());
    m_entry.m_nTaxLimit = m_pTaxLimitOn->isChecked() ? m_pTaxLimit->value() : 0;
    if (m_pPayCounterReset->isChecked())
        m_entry.m_nPayCounter = 0;
    CUi_Dialog::accept();
}
