#include "ui/CDlg_Prefix.h"

#include "ui/CUi_Texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
// Control numbers of the template.
constexpr unsigned IDC_PREFIX_MODE_STATIC = 4800;
constexpr unsigned IDC_PREFIX_MODE_INSPREF = 4801; // the modes follow in order
constexpr unsigned IDC_PREFIX_MSNEXT_STATIC = 4810;
constexpr unsigned IDC_PREFIX_COUNT_STATIC = 4820;
constexpr unsigned IDC_PREFIX_LENGTH1_STATIC = 4830;
constexpr unsigned IDC_PREFIX_LENGTH2_STATIC = 4840;

const char* const s_apszModes[] = {"&Insert prefix", "&Remove prefix", "Remove &digits"};

QComboBox* Numbers(const char* pszName, int nFirst, int nLast, QWidget* pParent)
{
    auto* pCombo = new QComboBox(pParent);
    pCombo->setObjectName(pszName);
    for (int i = nFirst; i <= nLast; ++i)
        pCombo->addItem(QString::number(i), i);
    return pCombo;
}

QLabel* Label(const char* pszText, unsigned nControl, QWidget* pParent)
{
    auto* pLabel = new QLabel(QString::fromLatin1(pszText), pParent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    return pLabel;
}

int Value(const QComboBox* pCombo)
{
    return pCombo->currentData().toInt();
}

void SetValue(QComboBox* pCombo, int nValue)
{
    const int n = pCombo->findData(nValue);
    pCombo->setCurrentIndex(n >= 0 ? n : 0);
}
} // namespace

CDlg_Prefix::CDlg_Prefix(QWidget* pParent)
    : CUi_Dialog(IDD, pParent), m_pPrefix(new QLineEdit(this)),
      m_pDigits(Numbers("digits", CPhonebook_Prefix::DIGITS_MIN, CPhonebook_Prefix::LENGTH_MAX, this)),
      m_pMinLength(Numbers("minLength", 0, CPhonebook_Prefix::LENGTH_MAX, this)),
      m_pMaxLength(Numbers("maxLength", 0, CPhonebook_Prefix::LENGTH_MAX, this))
{
    setWindowTitle(tr("Dialling prefixes"));
    m_pPrefix->setObjectName("prefix");
    m_pPrefix->setMaxLength(static_cast<int>(CPhonebook_Prefix::PREFIX_MAX));

    // The prefix stands beside the two modes that use it.
    auto* pModeGroup = new QGroupBox(tr("Change"), this);
    CUi_Texts::SetControlNumber(pModeGroup, IDC_PREFIX_MODE_STATIC);
    auto* pModes = new QGridLayout(pModeGroup);
    for (int i = 0; i <= CPhonebook_Prefix::MODE_MAX; ++i)
    {
        m_apMode[i] = new QRadioButton(QString::fromLatin1(s_apszModes[i]), pModeGroup);
        m_apMode[i]->setObjectName(QStringLiteral("mode%1").arg(i));
        CUi_Texts::SetControlNumber(m_apMode[i], IDC_PREFIX_MODE_INSPREF + static_cast<unsigned>(i));
        pModes->addWidget(m_apMode[i], i, 0);
        connect(m_apMode[i], &QRadioButton::toggled, this, &CDlg_Prefix::EnableFields);
    }
    pModes->addWidget(m_pPrefix, 0, 1, 2, 1, Qt::AlignVCenter);
    pModes->setColumnStretch(1, 1);

    auto* pNumberGroup = new QGroupBox(tr("Numbers"), this);
    CUi_Texts::SetControlNumber(pNumberGroup, IDC_PREFIX_MSNEXT_STATIC);
    auto* pNumbers = new QFormLayout(pNumberGroup);
    pNumbers->addRow(Label("Count", IDC_PREFIX_COUNT_STATIC, pNumberGroup), m_pDigits);
    pNumbers->addRow(Label("Minimum length", IDC_PREFIX_LENGTH1_STATIC, pNumberGroup), m_pMinLength);
    pNumbers->addRow(Label("Maximum length", IDC_PREFIX_LENGTH2_STATIC, pNumberGroup), m_pMaxLength);

    QDialogButtonBox* pButtons = CreateButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pModeGroup);
    pLayout->addWidget(pNumberGroup);
    pLayout->addWidget(pButtons);
    SetSettings(CPhonebook_PrefixSettings());
}

void CDlg_Prefix::TextsApplied()
{
    if (!m_title.empty())
        setWindowTitle(windowTitle() + QStringLiteral(" : ") + CUi_Texts::FromCp1252(m_title));
}

CPhonebook_PrefixSettings CDlg_Prefix::Settings() const
{
    CPhonebook_PrefixSettings settings;
    for (int i = 0; i <= CPhonebook_Prefix::MODE_MAX; ++i)
        if (m_apMode[i]->isChecked())
            settings.nMode = i;
    settings.prefix = CUi_Texts::ToCp1252(m_pPrefix->text());
    settings.nDigits = Value(m_pDigits);
    settings.nMinLength = Value(m_pMinLength);
    settings.nMaxLength = Value(m_pMaxLength);
    return settings;
}

void CDlg_Prefix::SetSettings(const CPhonebook_PrefixSettings& settings)
{
    const int nMode =
        settings.nMode >= 0 && settings.nMode <= CPhonebook_Prefix::MODE_MAX ? settings.nMode : 0;
    m_apMode[nMode]->setChecked(true);
    m_pPrefix->setText(CUi_Texts::FromCp1252(settings.prefix));
    SetValue(m_pDigits, settings.nDigits);
    SetValue(m_pMinLength, settings.nMinLength);
    SetValue(m_pMaxLength, settings.nMaxLength);
    EnableFields();
}

void CDlg_Prefix::EnableFields()
{
    const int nMode = Settings().nMode;
    m_pPrefix->setEnabled(nMode == CPhonebook_PrefixSettings::MODE_INSERT_PREFIX ||
                          nMode == CPhonebook_PrefixSettings::MODE_DELETE_PREFIX);
    m_pDigits->setEnabled(nMode == CPhonebook_PrefixSettings::MODE_DELETE_DIGITS);
    m_pMinLength->setEnabled(nMode == CPhonebook_PrefixSettings::MODE_INSERT_PREFIX ||
                             nMode == CPhonebook_PrefixSettings::MODE_DELETE_DIGITS);
    m_pMaxLength->setEnabled(nMode == CPhonebook_PrefixSettings::MODE_INSERT_PREFIX);
}
