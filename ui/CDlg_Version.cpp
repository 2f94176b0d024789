#include "ui/CDlg_Version.h"

#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

namespace
{
// Group boxes and labels of the template.
constexpr unsigned IDC_PHONE_STATIC = 3200;
constexpr unsigned IDC_PHONETYPE_STATIC = 3201;
constexpr unsigned IDC_SERIALNO_STATIC = 3203;
constexpr unsigned IDC_SW_STATIC = 3210;
constexpr unsigned IDC_COUNTRY_STATIC = 3211;
constexpr unsigned IDC_VERSION_STATIC = 3213;
constexpr unsigned IDC_RELEASE_STATIC = 3215;
constexpr unsigned IDC_DBVERSION_STATIC = 3217;
constexpr unsigned IDC_OEM_STATIC = 3220;
constexpr unsigned IDC_OEMTYPE_STATIC = 3221;
constexpr unsigned IDC_OEMSTRING_STATIC = 3223;

// The names of the phone types are interface texts in the order of this table.
struct CPhoneTypeText
{
    int nPhoneType;
    unsigned nText;
};
const CPhoneTypeText s_phoneTypeTexts[] = {
    {PHONETYPE_R740, 170},    {PHONETYPE_R750, 171},  {PHONETYPE_R760, 172},   {PHONETYPE_R920, 173},
    {PHONETYPE_R930T, 174},   {PHONETYPE_RV730, 180}, {PHONETYPE_RV740, 181},  {PHONETYPE_RV745, 182},
    {PHONETYPE_RV750, 183},   {PHONETYPE_RV760, 184}, {PHONETYPE_RV730U, 185}, {PHONETYPE_RV920, 186},
    {PHONETYPE_RV920XT, 187}, {PHONETYPE_RV930, 188}, {PHONETYPE_RV930U, 189}, {PHONETYPE_RV930SMS, 190},
};
// Values of the country and brand words.
const int s_countries[] = {0, 1, 2, 3, 5, 6, 7, 8, 11, 14, 18, 255};
constexpr int OEMTYPE_COUNT = 10;

QComboBox* Combo(QWidget* pParent, unsigned nControl)
{
    auto* pCombo = new QComboBox(pParent);
    CUi_Texts::SetControlNumber(pCombo, nControl);
    pCombo->setEnabled(false);
    return pCombo;
}

QLineEdit* Text(QWidget* pParent, unsigned nControl, const std::string& text)
{
    auto* pEdit = new QLineEdit(CUi_Texts::FromCp1252(text), pParent);
    CUi_Texts::SetControlNumber(pEdit, nControl);
    pEdit->setReadOnly(true);
    return pEdit;
}

QLabel* Label(QWidget* pParent, const QString& text, unsigned nControl)
{
    auto* pLabel = new QLabel(text, pParent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    return pLabel;
}

QGroupBox* Group(QWidget* pParent, const QString& title, unsigned nControl, QFormLayout*& pForm)
{
    auto* pGroup = new QGroupBox(title, pParent);
    CUi_Texts::SetControlNumber(pGroup, nControl);
    pForm = new QFormLayout(pGroup);
    return pGroup;
}

void AddChoice(QComboBox* pCombo, const QString& text, int nValue, int nCurrent)
{
    pCombo->addItem(text, nValue);
    if (nValue == nCurrent)
        pCombo->setCurrentIndex(pCombo->count() - 1);
}
} // namespace

CDlg_Version::CDlg_Version(const CData_Version& entry, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_entry(entry)
{
    setWindowTitle(tr("Telephone version"));
    const CData_Properties& props = CData_Properties::Current();

    QComboBox* pPhoneType = Combo(this, IDC_PHONETYPE);
    for (const CPhoneTypeText& row : s_phoneTypeTexts)
        if (props.PhoneTypeOffered(row.nPhoneType) || row.nPhoneType == entry.m_nPhoneType)
            AddChoice(pPhoneType, String(row.nText), row.nPhoneType, entry.m_nPhoneType);
    QComboBox* pOemType = Combo(this, IDC_OEMTYPE);
    std::string word;
    for (int n = 0; n < OEMTYPE_COUNT; ++n)
        if (OemTypeToStr(n, word))
            AddChoice(pOemType, CUi_Texts::FromCp1252(word), n, entry.m_nOemType);
    QComboBox* pCountry = Combo(this, IDC_COUNTRY);
    for (const int n : s_countries)
        if (CountryToStr(n, word))
            AddChoice(pCountry, CUi_Texts::FromCp1252(word), n, entry.m_nCountry);

    auto* pLcr = new QCheckBox(tr("&Least-cost routing"), this);
    CUi_Texts::SetControlNumber(pLcr, IDC_LCRSUPPORT);
    pLcr->setChecked(entry.m_nLcrSupport != 0);
    pLcr->setEnabled(false);
    char szDb[16];
    std::snprintf(szDb, sizeof szDb, "%u", static_cast<unsigned>(entry.m_nDbVersion));
    QLineEdit* pDb = Text(this, IDC_DBVERSION, std::string(szDb).substr(0, DBVERSION_WIDTH));

    QFormLayout* pPhoneForm = nullptr;
    QGroupBox* pPhone = Group(this, tr("Telephone"), IDC_PHONE_STATIC, pPhoneForm);
    pPhoneForm->addRow(Label(this, tr("Type"), IDC_PHONETYPE_STATIC), pPhoneType);
    pPhoneForm->addRow(Label(this, tr("Serial number"), IDC_SERIALNO_STATIC),
                       Text(this, IDC_SERIALNO, SerialText(entry.m_strSerialNo)));
    QFormLayout* pSwForm = nullptr;
    QGroupBox* pSw = Group(this, tr("Software"), IDC_SW_STATIC, pSwForm);
    pSwForm->addRow(Label(this, tr("Country"), IDC_COUNTRY_STATIC), pCountry);
    pSwForm->addRow(Label(this, tr("Version"), IDC_VERSION_STATIC),
                    Text(this, IDC_VERSION, entry.m_strVersion));
    pSwForm->addRow(Label(this, tr("Release"), IDC_RELEASE_STATIC),
                    Text(this, IDC_RELEASE, entry.m_strRelease));
    pSwForm->addRow(Label(this, tr("Data base"), IDC_DBVERSION_STATIC), pDb);
    pSwForm->addRow(pLcr);
    QFormLayout* pOemForm = nullptr;
    QGroupBox* pOem = Group(this, tr("Brand"), IDC_OEM_STATIC, pOemForm);
    pOemForm->addRow(Label(this, tr("Brand type"), IDC_OEMTYPE_STATIC), pOemType);
    pOemForm->addRow(Label(this, tr("Brand text"), IDC_OEMSTRING_STATIC),
                     Text(this, IDC_OEMSTRING, entry.m_strOemString));

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pPhone);
    pLayout->addWidget(pSw);
    pLayout->addWidget(pOem);
    pLayout->addWidget(CreateButtons());
    setMinimumWidth(pOemForm->sizeHint().width() + 200);
    OrderTabsByControlNumber();
}

unsigned CDlg_Version::PhoneTypeText(int nPhoneType)
{
    for (const CPhoneTypeText& row : s_phoneTypeTexts)
        if (row.nPhoneType == nPhoneType)
            return row.nText;
    return 0;
}

std::string CDlg_Version::SerialText(const std::string& serialNo)
{
    // At most nine digits: the value always fits 32 bits.
    const unsigned long nValue =
        std::strtoul(serialNo.substr(0, CData_Version::SERIALNO_MAX).c_str(), nullptr, 10);
    char szText[16];
    std::snprintf(szText, sizeof szText, "%08lX", nValue);
    return szText;
}
