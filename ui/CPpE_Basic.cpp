#include "ui/CPpE_Basic.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
// Controls (template 1000).
enum : unsigned
{
    IDC_BASIC_PHONETYPE_STATIC = 1010,
    IDC_BASIC_PHONE_STATIC = 1011,
    IDC_BASIC_PHONETYPE = 1012,
    IDC_BASIC_E740 = 1015,
    IDC_BASIC_VERSION_STATIC = 1020,
    IDC_BASIC_VERSION = 1021,
    IDC_BASIC_UNIT_NAME_STATIC = 1022,
    IDC_BASIC_UNIT_NAME = 1023,
    IDC_BASIC_PAY_STATIC = 1110,
    IDC_BASIC_PAYMULT_STATIC = 1111,
    IDC_BASIC_PAYMULT = 1112,
    IDC_BASIC_PAYSTR_STATIC = 1113,
    IDC_BASIC_PAYSTR = 1114,
    IDC_BASIC_MISC_STATIC = 1150,
    IDC_BASIC_LETTERLARGE = 1151,
    IDC_BASIC_HEADSET = 1152,
    IDC_BASIC_PARKCODE_STATIC = 1153,
    IDC_BASIC_PARKCODE = 1154,
    IDC_BASIC_DIRECTCALL = 1156,
    IDC_BASIC_SERIALNO_STATIC = 1170,
    IDC_BASIC_SERIALNO = 1171,
    IDC_BASIC_COUNTRY_STATIC = 1172,
    IDC_BASIC_COUNTRY = 1173,
    IDC_BASIC_RELEASE_STATIC = 1174,
    IDC_BASIC_RELEASE = 1175,
    IDC_BASIC_PIN_RESET = 9126,
    IDC_BASIC_DISPLAN = 9138,
    IDC_BASIC_KEYPAD = 9168,
    IDC_BASIC_HEADSET_LEVEL = 9177,
    IDC_BASIC_SILENCE_MSN1 = 9191,
    IDC_BASIC_SK_PHONEBOOK = 9192,
    IDC_BASIC_LIST_LED = 9193,
    IDC_BASIC_LINKENDINFO = 9194,
    IDC_BASIC_MODULE_1 = 9281,
};

// Texts of the keypad modes and of the unknown language.
constexpr unsigned IDS_STR_STANDARD = 313;
constexpr unsigned IDS_STR_BASIC_KEYPAD1 = 322;
constexpr unsigned IDS_STR_BASIC_KEYPAD2 = 323;
constexpr unsigned IDS_STR_BASICSIGNAL_UNKNOWN = 350;
// Texts of the choices: no module, the headset levels.
constexpr unsigned IDS_STR_CHOICE_NONE = 4403;
constexpr unsigned IDS_STR_CHOICE_LEVEL1 = 4404;
constexpr unsigned IDS_STR_CHOICE_LEVEL2 = 4405;

// Display languages and countries as the version and basic blocks code them.
const int s_anDispLan[] = {0, 1, 2, 3, 5, 6, 7, 8, 10, 11, 14, 16, 17, 18, 20, 21, 22};
const int s_anCountry[] = {0, 1, 2, 3, 5, 6, 7, 8, 11, 14, 18, 255};

// A language or country by its display name, else by its word.
QString LanguageName(int nValue, bool bCountry)
{
    if (nValue == 0)
        return CPp_Page::UiText(IDS_STR_BASICSIGNAL_UNKNOWN, "Unknown");
    const std::string name = CData_Basic::DispLanName(nValue);
    if (!name.empty())
        return CUi_Texts::FromCp1252(name);
    std::string word;
    if (bCountry)
        CountryToStr(nValue, word);
    else
        DispLanToStr(nValue, word);
    return CUi_Texts::FromCp1252(word);
}

CPp_Page::ItemList LanguageItems(const int* pValues, size_t nCount, bool bCountry)
{
    return [pValues, nCount, bCountry]
    {
        std::vector<CPp_Page::CItem> items;
        for (size_t i = 0; i < nCount; ++i)
            items.push_back({pValues[i], LanguageName(pValues[i], bCountry)});
        return items;
    };
}
} // namespace

std::vector<CPp_Page::CItem> CPpE_Basic::PhoneTypeItems()
{
    std::vector<CItem> items;
    for (int n = 0; n < PHONETYPE_LIMIT; ++n)
    {
        std::string word;
        if (Props().PhoneTypeOffered(n) && PhoneTypeToStr(n, word))
            items.push_back({n, CUi_Texts::FromCp1252(word)});
    }
    return items;
}

CPpE_Basic::CPpE_Basic(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    QWidget* pContent = Content();
    auto* pGrid = new QGridLayout(pContent);

    // The telephone and its modules.
    QGroupBox* pPhone = AddGroup(IDC_BASIC_PHONE_STATIC, "Telephone");
    auto* pPhoneForm = new QFormLayout(pPhone);
    QComboBox* pType = AddCombo(IDC_BASIC_PHONETYPE, &CPpE_Basic::PhoneTypeItems,
                                [](CData_All& d) -> int& { return d.m_Version.m_nPhoneType; });
    pPhoneForm->addRow(AddLabel(IDC_BASIC_PHONETYPE_STATIC, "&Telephone type", pType), pType);
    connect(pType, QOverload<int>::of(&QComboBox::activated), this,
            [this, pType](int) { emit PhoneTypeChosen(pType->currentData().toInt()); });
    const ItemList moduleItems = TextItems({{MODULETYPE_NON, IDS_STR_CHOICE_NONE, "None"},
                                            {MODULETYPE_E920, 0, "E920"},
                                            {MODULETYPE_AB, 0, "AB"},
                                            {MODULETYPE_W920, 0, "W920"}});
    static const char* const s_apszModule[] = {"Module &1", "Module &2", "Module &3"};
    for (int nSlot = 1; nSlot <= CData_AllCfg::MODULE_COUNT; ++nSlot)
    {
        QComboBox* pModule =
            AddCombo(IDC_BASIC_MODULE_1 + static_cast<unsigned>(nSlot - 1), moduleItems,
                     [nSlot](CData_All& d) -> int& { return d.m_Cfg.m_VersionModule[nSlot].m_nModuleType; });
        pPhoneForm->addRow(AddLabel(IDC_STATIC_FIRST + 5 + static_cast<unsigned>(nSlot - 1),
                                    s_apszModule[nSlot - 1], pModule),
                           pModule);
        connect(pModule, QOverload<int>::of(&QComboBox::activated), this,
                [this](int) { emit ModuleTypeChosen(); });
    }
    // The module check and the PIN reset share the group's last row.
    auto* pPhoneRow = new QHBoxLayout();
    pPhoneRow->addWidget(AddCheck(IDC_BASIC_E740, "&Key extension module",
                                  [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bE740; }));
    QPushButton* pPinReset = AddButton(IDC_BASIC_PIN_RESET, "Reset the &PIN");
    connect(pPinReset, &QPushButton::clicked, this, &CPpE_Basic::PinResetRequested);
    pPhoneRow->addStretch(1);
    pPhoneRow->addWidget(pPinReset);
    pPhoneForm->addRow(pPhoneRow);

    // What the telephone reports about itself.
    QGroupBox* pVersion = AddGroup(IDC_BASIC_VERSION_STATIC, "Version");
    auto* pVersionForm = new QFormLayout(pVersion);
    QLineEdit* pVersionText =
        AddShow(IDC_BASIC_VERSION, [](CData_All& d) -> std::string& { return d.m_Version.m_strVersion; });
    pVersionForm->addRow(AddLabel(IDC_STATIC_FIRST + 0, "Firmware", pVersionText), pVersionText);
    QLineEdit* pRelease =
        AddShow(IDC_BASIC_RELEASE, [](CData_All& d) -> std::string& { return d.m_Version.m_strRelease; });
    pVersionForm->addRow(AddLabel(IDC_BASIC_RELEASE_STATIC, "Release", pRelease), pRelease);
    QLineEdit* pSerial =
        AddShow(IDC_BASIC_SERIALNO, [](CData_All& d) -> std::string& { return d.m_Version.m_strSerialNo; });
    pVersionForm->addRow(AddLabel(IDC_BASIC_SERIALNO_STATIC, "Serial number", pSerial), pSerial);
    QComboBox* pCountry =
        AddCombo(IDC_BASIC_COUNTRY, LanguageItems(s_anCountry, std::size(s_anCountry), true),
                 [](CData_All& d) -> int& { return d.m_Version.m_nCountry; });
    pVersionForm->addRow(AddLabel(IDC_BASIC_COUNTRY_STATIC, "C&ountry", pCountry), pCountry);

    // Charges.
    QGroupBox* pPay = AddGroup(IDC_BASIC_PAY_STATIC, "Charges");
    auto* pPayForm = new QFormLayout(pPay);
    QLineEdit* pPayMult = AddEdit(
        IDC_BASIC_PAYMULT, 5, CLASS_PAYMULT,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strPayMult; }, &StrToPayMult);
    pPayForm->addRow(AddLabel(IDC_BASIC_PAYMULT_STATIC, "Charge &multiplier", pPayMult), pPayMult);
    QLineEdit* pPayStr = AddEdit(
        IDC_BASIC_PAYSTR, static_cast<int>(CData_Basic::PAYSTR_MAX), CLASS_NAME,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strPayStr; }, &StrToPayStr);
    pPayForm->addRow(AddLabel(IDC_BASIC_PAYSTR_STATIC, "C&urrency", pPayStr), pPayStr);

    // Everything else.
    QGroupBox* pMisc = AddGroup(IDC_BASIC_MISC_STATIC, "Miscellaneous");
    auto* pMiscForm = new QFormLayout(pMisc);
    QLineEdit* pUnitName = AddEdit(
        IDC_BASIC_UNIT_NAME, static_cast<int>(CData_Basic::UNITNAME_MAX), CLASS_NAME,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strUnitName; }, &StrToUnitName);
    pMiscForm->addRow(AddLabel(IDC_BASIC_UNIT_NAME_STATIC, "U&nit name", pUnitName), pUnitName);
    QLineEdit* pDirect = AddEdit(
        IDC_BASIC_DIRECTCALL, static_cast<int>(CData_Basic::DIRECTCALL_MAX), CLASS_DIAL,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strDirectCall; }, &StrToMsnExt);
    pMiscForm->addRow(AddLabel(IDC_STATIC_FIRST + 1, "&Direct call", pDirect), pDirect);
    QLineEdit* pPark = AddEdit(
        IDC_BASIC_PARKCODE, static_cast<int>(CData_Basic::PARKCODE_MAX), CLASS_DIGITS,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strParkCode; }, &StrToParkCode);
    pMiscForm->addRow(AddLabel(IDC_BASIC_PARKCODE_STATIC, "&Park code", pPark), pPark);
    QComboBox* pDispLan =
        AddCombo(IDC_BASIC_DISPLAN, LanguageItems(s_anDispLan, std::size(s_anDispLan), false),
                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDisplayLanguage; });
    pMiscForm->addRow(AddLabel(IDC_STATIC_FIRST + 2, "Display &language", pDispLan), pDispLan);
    QComboBox* pKeypad = AddCombo(
        IDC_BASIC_KEYPAD,
        []
        {
            return std::vector<CItem>{{0, UiText(IDS_STR_STANDARD, "Standard")},
                                      {1, UiText(IDS_STR_BASIC_KEYPAD1, "Keypad 1")},
                                      {2, UiText(IDS_STR_BASIC_KEYPAD2, "Keypad 2")}};
        },
        [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nKeypad; });
    pMiscForm->addRow(AddLabel(IDC_STATIC_FIRST + 3, "&Keypad", pKeypad), pKeypad);
    QComboBox* pLevel = AddCombo(IDC_BASIC_HEADSET_LEVEL,
                                 TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                                            {1, IDS_STR_CHOICE_LEVEL1, "Level 1"},
                                            {2, IDS_STR_CHOICE_LEVEL2, "Level 2"}}),
                                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nHeadSetLevel; });
    pMiscForm->addRow(AddLabel(IDC_STATIC_FIRST + 4, "&Headset", pLevel), pLevel);

    // The switches, two to a row, below the other settings.
    auto* pChecks = new QGridLayout();
    const std::pair<unsigned, std::pair<const char*, IntField>> checks[] = {
        {IDC_BASIC_LETTERLARGE,
         {"&Large letters", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bLetterLarge; }}},
        {IDC_BASIC_LINKENDINFO,
         {"Call &end information", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bLinkEndInfo; }}},
        {IDC_BASIC_SILENCE_MSN1,
         {"&Silence on MSN 1", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bSilenceMsn1; }}},
        {IDC_BASIC_SK_PHONEBOOK,
         {"Phone&book soft key", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nSkPhonebook; }}},
        {IDC_BASIC_LIST_LED,
         {"List L&ED", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bDispNumberListLed; }}},
        {IDC_BASIC_HEADSET, {"&Headset", [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bHeadSet; }}},
    };
    int nCheck = 0;
    for (const auto& check : checks)
    {
        pChecks->addWidget(AddCheck(check.first, check.second.first, check.second.second), nCheck / 3,
                           nCheck % 3);
        ++nCheck;
    }

    // Two columns of groups, the switches below both.
    auto* pLeft = new QVBoxLayout();
    pLeft->addWidget(pPhone);
    pLeft->addWidget(pVersion);
    pLeft->addStretch(1);
    auto* pRight = new QVBoxLayout();
    pRight->addWidget(pPay);
    pRight->addWidget(pMisc);
    pRight->addStretch(1);
    pGrid->addLayout(pLeft, 0, 0);
    pGrid->addLayout(pRight, 0, 1);
    pGrid->addLayout(pChecks, 1, 0, 1, 2);
    pGrid->setRowStretch(2, 1);
    FinishControls();
}

void CPpE_Basic::ApplyProperties()
{
    const CData_Properties& props = Props();
    const QWidget* pRoot = this;
    auto showWithLabel = [this](unsigned nControl, bool bShown) { SetShownWithLabel(nControl, bShown); };
    showWithLabel(IDC_BASIC_UNIT_NAME, props.m_bUnitNameField);
    showWithLabel(IDC_BASIC_DIRECTCALL, props.m_bDirectCallField);
    showWithLabel(IDC_BASIC_PARKCODE, props.m_bParkCodeField);
    showWithLabel(IDC_BASIC_HEADSET_LEVEL, props.m_bHeadSetLevels);
    SetShown(IDC_BASIC_HEADSET, pRoot, !props.m_bHeadSetLevels);
    SetShown(IDC_BASIC_LETTERLARGE, pRoot, props.m_bLetterLarge);
    SetShown(IDC_BASIC_E740, pRoot, props.m_bE740Support);
    for (unsigned n : {IDC_BASIC_SILENCE_MSN1, IDC_BASIC_SK_PHONEBOOK, IDC_BASIC_LIST_LED})
        SetShown(n, pRoot, props.m_bBasicExtChecks);
    if (QWidget* pPinReset = CUi_Texts::FindControl(pRoot, IDC_BASIC_PIN_RESET))
    {
        SetShown(pPinReset, props.m_bAppCfg);
        pPinReset->setEnabled(props.m_bPinResetSupport);
    }
    // The status bar's link pane follows the phone type's link.
    emit StateChanged();
}
