#include "ui/CDlg_Import_vCard.h"

#include "data/CData_Properties.h"
#include "data/CData_UiText.h"
#include "phonebook/CImportVCard.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"
#include "ui/CUi_FileField.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace
{
// Control numbers of the template.
constexpr unsigned IDC_IMPORT_VCARD_STATIC_1 = 9243;
constexpr unsigned IDC_IMPORT_VCARD_STATIC_FN = 9245;
constexpr unsigned IDC_IMPORT_VCARD_BTN_FILE = 9246;
constexpr unsigned IDC_IMPORT_VCARD_FN_STATIC = 9247;
constexpr unsigned IDC_IMPORT_VCARD_MSN_STATIC = 9251;
constexpr unsigned IDC_IMPORT_VCARD_PN_STATIC = 9252;
constexpr unsigned IDC_IMPORT_VCARD_STATIC_3 = 9253;
constexpr unsigned IDC_IMPORT_VCARD_N_STATIC = 9256;
constexpr unsigned IDC_IMPORT_VCARD_STATIC_4 = 9257;
constexpr unsigned IDC_IMPORT_VCARD_MSN_GO_STATIC = 9258;
constexpr unsigned IDC_IMPORT_VCARD_INFOTEXT_STATIC = 9260;
constexpr unsigned IDC_IMPORT_VCARD_LOUD_STATIC = 9263;
constexpr unsigned IDC_IMPORT_VCARD_MELODYEXT_STATIC = 9266;
constexpr unsigned IDC_IMPORT_VCARD_LOUD = 9267;
constexpr unsigned IDC_IMPORT_VCARD_LOUD_TUMESCENT = 9269;

template <class T> T* Numbered(T* pWidget, unsigned nControl, const char* pszName = nullptr)
{
    CUi_Texts::SetControlNumber(pWidget, nControl);
    if (pszName)
        pWidget->setObjectName(pszName);
    return pWidget;
}

QLabel* Label(const char* pszText, unsigned nControl, QWidget* pParent)
{
    return Numbered(new QLabel(QString::fromLatin1(pszText), pParent), nControl);
}

void Fill(QComboBox* pCombo, const std::vector<std::string>& items, int nCurrent)
{
    const QSignalBlocker block(pCombo);
    pCombo->clear();
    for (const std::string& item : items)
        pCombo->addItem(CUi_Texts::FromCp1252(item));
    pCombo->setCurrentIndex(nCurrent);
}

QLineEdit* Edit(const char* pszName, size_t nMax, QWidget* pParent)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(pszName);
    pEdit->setMaxLength(static_cast<int>(nMax));
    return pEdit;
}
} // namespace

CDlg_Import_vCard::CDlg_Import_vCard(CData_DialName& entry, const CData_AllCfg& cfg,
                                     const std::string& country, const std::string& outside, QWidget* pParent)
    : CUi_Dialog(IDD, pParent), m_entry(entry), m_country(country), m_outside(outside),
      m_pFile(
          new CUi_FileField(IDC_IMPORT_VCARD_BTN_FILE, CImport_VCardForm::IDS_STR_IMPORT_VCARD_FILES, this)),
      m_pFormattedName(new QLabel(this)), m_pNames(new QComboBox(this)),
      m_pName(Edit("name", CImport_VCardForm::NAME_FIELD_MAX, this)), m_pNumbers(new QComboBox(this)),
      m_pNumber(Edit("number", CImport_VCardForm::NUMBER_FIELD_MAX, this)),
      m_pInfo1(Edit("info1", CImport_VCardForm::INFO_LINE_MAX, this)),
      m_pInfo2(Edit("info2", CImport_VCardForm::INFO_LINE_MAX, this)),
      m_pLoud(Numbered(new QSlider(Qt::Horizontal, this), IDC_IMPORT_VCARD_LOUD, "loud")),
      m_pRising(
          Numbered(new QCheckBox(tr("&Rising volume"), this), IDC_IMPORT_VCARD_LOUD_TUMESCENT, "rising")),
      m_pMelody(new QComboBox(this)), m_pMsnGo(new QComboBox(this))
{
    setWindowTitle(tr("vCard import"));
    m_pNames->setObjectName("names");
    m_pNumbers->setObjectName("numbers");
    m_pMelody->setObjectName("melody");
    m_pMsnGo->setObjectName("msnGo");
    m_pFormattedName->setObjectName("formattedName");
    m_pLoud->setRange(0, CImport_VCardForm::LOUD_SLIDER_MAX);
    m_pLoud->setTickPosition(QSlider::TicksBelow);
    m_pLoud->setTickInterval(1);
    m_pLoud->setPageStep(1);
    m_pLoud->setMinimumWidth(140);

    auto* pFileGroup = Numbered(new QGroupBox(tr("vCard file"), this), IDC_IMPORT_VCARD_STATIC_1);
    auto* pFileForm = new QFormLayout(pFileGroup);
    pFileForm->addRow(m_pFile);
    pFileForm->addRow(Label("Formatted name", IDC_IMPORT_VCARD_STATIC_FN, pFileGroup), m_pFormattedName);

    auto* pEntryGroup = Numbered(new QGroupBox(tr("Entry"), this), IDC_IMPORT_VCARD_STATIC_3);
    auto* pEntryForm = new QFormLayout(pEntryGroup);
    pEntryForm->addRow(Label("Name parts", IDC_IMPORT_VCARD_N_STATIC, pEntryGroup), m_pNames);
    pEntryForm->addRow(Label("Name", IDC_IMPORT_VCARD_FN_STATIC, pEntryGroup), m_pName);
    pEntryForm->addRow(Label("Telephone numbers", IDC_IMPORT_VCARD_PN_STATIC, pEntryGroup), m_pNumbers);
    pEntryForm->addRow(Label("Number", IDC_IMPORT_VCARD_MSN_STATIC, pEntryGroup), m_pNumber);
    auto* pInfo = new QVBoxLayout;
    pInfo->addWidget(m_pInfo1);
    pInfo->addWidget(m_pInfo2);
    pEntryForm->addRow(Label("Info text", IDC_IMPORT_VCARD_INFOTEXT_STATIC, pEntryGroup), pInfo);

    auto* pSettingsGroup = Numbered(new QGroupBox(tr("Settings"), this), IDC_IMPORT_VCARD_STATIC_4);
    auto* pSettingsForm = new QFormLayout(pSettingsGroup);
    auto* pLoudRow = new QHBoxLayout;
    pLoudRow->addWidget(m_pLoud, 1);
    pLoudRow->addWidget(m_pRising);
    pSettingsForm->addRow(Label("Volume", IDC_IMPORT_VCARD_LOUD_STATIC, pSettingsGroup), pLoudRow);
    pSettingsForm->addRow(Label("Melody", IDC_IMPORT_VCARD_MELODYEXT_STATIC, pSettingsGroup), m_pMelody);
    pSettingsForm->addRow(Label("MSN to use", IDC_IMPORT_VCARD_MSN_GO_STATIC, pSettingsGroup), m_pMsnGo);

    QDialogButtonBox* pButtons = CreateButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pFileGroup);
    pLayout->addWidget(pEntryGroup);
    pLayout->addWidget(pSettingsGroup);
    pLayout->addWidget(pButtons);

    connect(m_pFile, &CUi_FileField::Chosen, this, [this]() { DoImport(m_pFile->Path()); });
    connect(m_pNames, qOverload<int>(&QComboBox::activated), this,
            [this](int n)
            {
                TakeFields();
                m_form.SelectName(n);
                ShowForm();
            });
    connect(m_pNumbers, qOverload<int>(&QComboBox::activated), this,
            [this](int n)
            {
                TakeFields();
                m_form.SelectNumber(n);
                ShowForm();
            });
    connect(m_pRising, &QCheckBox::toggled, this, [this]() { ShowLoud(); });

    const CData_Properties& props = CData_Properties::Current();
    m_form.Open(entry, props, cfg);
    m_pRising->setEnabled(m_form.m_bRisingOffered);
    m_pMsnGo->setEnabled(m_form.m_bMsnGoOffered);
    m_pInfo1->setEnabled(m_form.m_bInfotextOffered);
    m_pInfo2->setEnabled(m_form.m_bInfotextOffered);
    Fill(m_pMelody, m_form.m_melodyItems, m_form.m_nMelody);
    Fill(m_pMsnGo, m_form.m_msnGoItems, m_form.m_nMsnGo);
    ShowForm();
}

void CDlg_Import_vCard::ShowForm()
{
    m_pFormattedName->setText(CUi_Texts::FromCp1252(m_form.m_strFormattedName));
    Fill(m_pNames, m_form.m_nameItems, m_form.m_nNameItem);
    Fill(m_pNumbers, m_form.m_numberItems, m_form.m_nNumberItem);
    m_pName->setText(CUi_Texts::FromCp1252(m_form.m_strName));
    m_pNumber->setText(CUi_Texts::FromCp1252(m_form.m_strNumber));
    m_pInfo1->setText(CUi_Texts::FromCp1252(m_form.m_strInfo1));
    m_pInfo2->setText(CUi_Texts::FromCp1252(m_form.m_strInfo2));
    {
        const QSignalBlocker block(m_pRising);
        m_pRising->setChecked(m_form.m_bRising);
    }
    m_pLoud->setValue(m_form.m_nLoud);
    ShowLoud();
}

void CDlg_Import_vCard::ShowLoud()
{
    // Rising loudness has no step of its own: the slider rests, showing the middle step.
    const bool bRising = m_pRising->isChecked();
    m_pLoud->setEnabled(!bRising);
    if (bRising && m_form.m_nLoud > CImport_VCardForm::LOUD_SLIDER_MAX)
        m_pLoud->setValue(CImport_VCardForm::LOUD_DEFAULT);
}

void CDlg_Import_vCard::TakeFields()
{
    m_form.m_strName = CUi_Texts::ToCp1252(m_pName->text());
    m_form.m_strNumber = CUi_Texts::ToCp1252(m_pNumber->text());
    m_form.m_strInfo1 = CUi_Texts::ToCp1252(m_pInfo1->text());
    m_form.m_strInfo2 = CUi_Texts::ToCp1252(m_pInfo2->text());
    m_form.m_nLoud = m_pLoud->value();
    m_form.m_bRising = m_pRising->isChecked();
    m_form.m_nMelody = m_pMelody->currentIndex();
    m_form.m_nMsnGo = m_pMsnGo->currentIndex();
}

void CDlg_Import_vCard::DoImport(const std::string& path)
{
    TraceLine("CDlg_Import_vCard", "DoImport()");
    TakeFields();
    m_pFile->SetPath(path);
    const CImportVCard vcard(path);
    m_form.Load(vcard, m_country, m_outside);
    ShowForm();
}

void CDlg_Import_vCard::accept()
{
    TakeFields();
    if (!m_form.Store(m_entry))
    {
        CUi_Interface::Get().MessageBox(CData_UiText(CImport_VCardForm::IDS_STR_DIALNAME_ERR1),
                                        CUi_Texts::ToCp1252(windowTitle()), CUi_Interface::ICON_WARNING,
                                        CUi_Interface::BUTTONS_OK);
        m_pName->setFocus();
        return;
    }
    CUi_Dialog::accept();
}
