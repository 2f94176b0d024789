#include "ui/CDlgE_DialName.h"

#include "data/CData_AllCfg.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "ui/CDlgE_MsnPara.h"
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
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// Longest name (the value type Name; the block's own constant is hidden by a system macro here).
constexpr int NAME_LENGTH = 20;
// Labels of the template.
constexpr unsigned IDC_MSN_STATIC = 1421;
constexpr unsigned IDC_NAME_STATIC = 1422;
constexpr unsigned IDC_MSN_GO_STATIC = 1423;
constexpr unsigned IDC_LOUD_STATIC = 1430;
constexpr unsigned IDC_MELODYEXT_STATIC = 1440;
constexpr unsigned IDC_INFOTEXT_STATIC = 9181;
// Texts of the melody combo: "Melody" and its number, the standard ring and the special tone.
constexpr unsigned TEXT_MELODY = 312;
constexpr unsigned TEXT_STANDARD = 313;
constexpr unsigned TEXT_SPECIALTONE = 314;
constexpr unsigned TEXT_MSNGO_DEFAULT = 282;
// With rising loudness the volume 7 stands for it, and the slider ends at 6.
constexpr int LOUD_RISING = 7;
constexpr int MELODYEXT_FIRST_MELODY = 2;

QLabel* Label(QWidget* pParent, const QString& text, unsigned nControl, QWidget* pBuddy)
{
    auto* pLabel = new QLabel(text, pParent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    pLabel->setBuddy(pBuddy);
    return pLabel;
}
} // namespace

CDlgE_DialName::CDlgE_DialName(const CData_DialName& entry, const CData_AllCfg& cfg, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_entry(entry)
{
    const CData_Properties& props = CData_Properties::Current();
    setWindowTitle(tr("Phonebook entry"));

    m_pNumber = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strMsnExt), this);
    CUi_CharValidator::Attach(m_pNumber, CUi_CharValidator::CLASS_DIAL,
                              static_cast<int>(CData_DialName::MSNEXT_MAX));
    m_pNumber->setMinimumWidth(m_pNumber->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    m_pName = new QLineEdit(CUi_Texts::FromCp1252(entry.m_strName), this);
    CUi_CharValidator::Attach(m_pName, CUi_CharValidator::CLASS_NAME, NAME_LENGTH);

    m_pLoud = new QSlider(Qt::Horizontal, this);
    m_pLoud->setRange(0, props.m_bRisingLoudness ? LOUD_RISING - 1 : LoudMax());
    m_pLoud->setTickPosition(QSlider::TicksBelow);
    m_pLoud->setPageStep(1);
    m_pLoud->setMinimumWidth(m_pLoud->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    m_pRising = new QCheckBox(tr("&Rising loudness"), this);
    m_pRising->setVisible(props.m_bRisingLoudness);
    const bool bRising = props.m_bRisingLoudness && entry.m_nLoud == LOUD_RISING;
    m_pRising->setChecked(bRising);
    m_pLoud->setValue(bRising ? m_pLoud->maximum() : entry.m_nLoud);
    m_pLoud->setEnabled(!bRising);
    connect(m_pRising, &QCheckBox::toggled, this, &CDlgE_DialName::OnRisingLoudness);

    m_pMelody = new QComboBox(this);
    m_pMelody->addItem(String(TEXT_STANDARD));
    m_pMelody->addItem(String(TEXT_SPECIALTONE));
    // A melody beyond the phone's list (from another phone's file) stays choosable.
    const int nMelodies = std::max(props.m_nMelodyCount, entry.m_nMelodyExt + 1);
    for (int n = MELODYEXT_FIRST_MELODY; n < nMelodies; ++n)
        m_pMelody->addItem(String(TEXT_MELODY) + QStringLiteral(" %1").arg(n - MELODYEXT_FIRST_MELODY + 1));
    m_pMelody->setCurrentIndex(entry.m_nMelodyExt);

    m_pMsnGo = new QComboBox(this);
    m_pMsnGo->addItem(String(TEXT_MSNGO_DEFAULT));
    const int nSlots = std::max(props.m_nMsnCount, entry.m_nMsnGo);
    for (int nSlot = 0; nSlot < nSlots && nSlot < CData_AllCfg::MSNPARA_MAX; ++nSlot)
        m_pMsnGo->addItem(CDlgE_MsnPara::SlotText(cfg, nSlot));
    m_pMsnGo->setCurrentIndex(entry.m_nMsnGo);

    std::string line1;
    std::string line2;
    SplitInfotext(entry.m_strInfotext, line1, line2);
    m_pInfo1 = new QLineEdit(CUi_Texts::FromCp1252(line1), this);
    m_pInfo2 = new QLineEdit(CUi_Texts::FromCp1252(line2), this);
    for (QLineEdit* pInfo : {m_pInfo1, m_pInfo2})
        CUi_CharValidator::Attach(pInfo, CUi_CharValidator::CLASS_NAME, INFOTEXT_LINE);

    const std::pair<QWidget*, unsigned> numbers[] = {
        {m_pNumber, IDC_NUMBER},   {m_pName, IDC_NAME},
        {m_pLoud, IDC_LOUD},       {m_pMelody, IDC_MELODY},
        {m_pMsnGo, IDC_MSNGO},     {m_pInfo1, IDC_INFOTEXT1},
        {m_pInfo2, IDC_INFOTEXT2}, {m_pRising, IDC_LOUD_TUMESCENT},
    };
    for (const auto& number : numbers)
        CUi_Texts::SetControlNumber(number.first, number.second);

    auto* pLoudRow = new QHBoxLayout;
    pLoudRow->addWidget(m_pLoud, 1);
    pLoudRow->addWidget(m_pRising);
    auto* pInfo = new QVBoxLayout;
    pInfo->addWidget(m_pInfo1);
    pInfo->addWidget(m_pInfo2);

    auto* pForm = new QFormLayout;
    pForm->addRow(Label(this, tr("N&umber"), IDC_MSN_STATIC, m_pNumber), m_pNumber);
    pForm->addRow(Label(this, tr("&Name"), IDC_NAME_STATIC, m_pName), m_pName);
    pForm->addRow(Label(this, tr("&Volume"), IDC_LOUD_STATIC, m_pLoud), pLoudRow);
    pForm->addRow(Label(this, tr("&Melody"), IDC_MELODYEXT_STATIC, m_pMelody), m_pMelody);
    pForm->addRow(Label(this, tr("MSN &to use"), IDC_MSN_GO_STATIC, m_pMsnGo), m_pMsnGo);
    pForm->addRow(Label(this, tr("&Info text"), IDC_INFOTEXT_STATIC, m_pInfo1), pInfo);
    pForm->setRowVisible(m_pMsnGo, props.m_bMsnGoRecord);
    pForm->setRowVisible(pInfo, props.m_bEntryInfotext);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pNumber->setFocus();
}

void CDlgE_DialName::SplitInfotext(const std::string& text, std::string& line1, std::string& line2)
{
    const size_t nLine = static_cast<size_t>(INFOTEXT_LINE);
    line1 = text.substr(0, nLine);
    line2 = text.size() > nLine ? text.substr(nLine, nLine) : std::string();
}

std::string CDlgE_DialName::JoinInfotext(const std::string& line1, const std::string& line2)
{
    if (line2.empty())
        return line1;
    std::string text = line1;
    text.resize(static_cast<size_t>(INFOTEXT_LINE), ' ');
    return text + line2;
}

void CDlgE_DialName::OnRisingLoudness(bool bOn)
{
    m_pLoud->setEnabled(!bOn);
}

void CDlgE_DialName::accept()
{
    if (m_pNumber->text().isEmpty() || m_pName->text().isEmpty())
    {
        Message(TEXT_NAME_MISSING, CUi_Interface::ICON_WARNING);
        m_pName->setFocus();
        return;
    }
    m_entry.m_strMsnExt = CUi_Texts::ToCp1252(m_pNumber->text());
    m_entry.m_strName = CUi_Texts::ToCp1252(m_pName->text());
    m_entry.m_nLoud = m_pRising->isChecked() ? LOUD_RISING : m_pLoud->value();
    m_entry.m_nMelodyExt = m_pMelody->currentIndex();
    m_entry.m_nMsnGo = m_pMsnGo->currentIndex();
    if (CData_Properties::Current().m_bEntryInfotext)
        m_entry.m_strInfotext =
            JoinInfotext(CUi_Texts::ToCp1252(m_pInfo1->text()), CUi_Texts::ToCp1252(m_pInfo2->text()));
    CUi_Dialog::accept();
}
