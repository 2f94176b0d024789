#include "ui/CDlgE_Key.h"

#include "data/CData_All.h"
#include "data/CData_KeyLabels.h"
#include "data/CData_KeyMap.h"
#include "data/CData_MacroCode.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "ui/CDlgE_MsnPara.h"
#include "ui/CDlg_Macro.h"
#include "ui/CUi_CharValidator.h"
#include "ui/CUi_Texts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
using K = CData_Key;
using D = CDlgE_Key;

// The function combo: interface text of each function and the text when the language has none.
struct CFunction
{
    int nKeyUse;
    unsigned nText;
    const char* pszDefault;
};
const CFunction s_functions[] = {
    {K::KEYUSE_DIAL, 220, "Dial key"},
    {K::KEYUSE_LINE, 221, "Line key"},
    {K::KEYUSE_EXT, 222, "Extension key"},
    {K::KEYUSE_MSN, 223, "MSN key"},
    {K::KEYUSE_VARIANT_ALL, 224, "Variant key (all)"},
    {K::KEYUSE_VARIANT_TEAM, 225, "Variant key (team)"},
    {K::KEYUSE_TEAMLOGOUT, 226, "Team log-out key"},
    {K::KEYUSE_ANNOUNCE, 230, "Announcement key"},
    {K::KEYUSE_ANNOUNCE_LOOK, 231, "Announcement monitor key"},
    {K::KEYUSE_INTERCOM, 228, "Intercom key"},
    {K::KEYUSE_INTERCOM_LOOK, 229, "Intercom monitor key"},
    {K::KEYUSE_CHEF, 232, "Manager key"},
    {K::KEYUSE_SEC, 233, "Secretary key"},
    {K::KEYUSE_DIALFILTER, 234, "Dial filter key"},
    {K::KEYUSE_AWS, 235, "Call forwarding key"},
    {K::KEYUSE_DIRECTCALL, 236, "Direct call key"},
    {K::KEYUSE_VMAIL, 237, "Voice mail key"},
    {K::KEYUSE_MACRO, 238, "Macro key"},
    {K::KEYUSE_HEADSET, 4428, "Headset key"},
    {K::KEYUSE_AUTOANSWER, 4429, "Automatic answer key"},
    {K::KEYUSE_ABVOICEBOX, 4430, "Voice box key"},
    {K::KEYUSE_USER, 4431, "User key"},
    {K::KEYUSE_BALE, 4432, "Busy lamp key"},
    {K::KEYUSE_STATUSINFO, 4433, "Status key"},
    {K::KEYUSE_AWS_SEC, 4434, "Secretary forwarding key"},
    {K::KEYUSE_CONNECTION, 4435, "Connection key"},
    {K::KEYUSE_PENDING_CALLBACK, 4436, "Callback key"},
};

// The fields each function shows (the label and the macro fields follow their own rules).
struct CFields
{
    int nKeyUse;
    std::vector<unsigned> controls;
};
const CFields s_fields[] = {
    {K::KEYUSE_DIAL, {D::IDC_DIALKEYUSE, D::IDC_DIALKEYMSN}},
    {K::KEYUSE_LINE, {D::IDC_LINEKEYMSN}},
    {K::KEYUSE_EXT, {D::IDC_EXTCHANNEL, D::IDC_NOVREKPORT, D::IDC_NOVREKBCHANNEL}},
    {K::KEYUSE_MSN, {D::IDC_MSNKEYMSNID, D::IDC_MSNKEYMSN}},
    {K::KEYUSE_VARIANT_TEAM, {D::IDC_VARIANTTEAM}},
    {K::KEYUSE_TEAMLOGOUT, {D::IDC_LOGOUTMSNID, D::IDC_LOGOUTTEAM}},
    {K::KEYUSE_ANNOUNCE, {D::IDC_ANNOUNCE}},
    {K::KEYUSE_INTERCOM, {D::IDC_INTERCOM}},
    {K::KEYUSE_CHEF, {D::IDC_CHEF}},
    {K::KEYUSE_SEC, {D::IDC_SEC}},
    {K::KEYUSE_AWS, {D::IDC_AWSMSNID, D::IDC_AWSKEYUSE, D::IDC_AWSMSNEXT}},
    {K::KEYUSE_VMAIL, {D::IDC_VMAILMSNID, D::IDC_VMAILPIN}},
    {K::KEYUSE_MACRO, {D::IDC_MACROTEXT, D::IDC_MACRO}},
    {K::KEYUSE_AUTOANSWER, {D::IDC_AUTOANSWERMSNID, D::IDC_AUTOANSWERTIME}},
    {K::KEYUSE_ABVOICEBOX, {D::IDC_LINEAB, D::IDC_VOICEBOX}},
    {K::KEYUSE_USER, {D::IDC_USERMSNID}},
    {K::KEYUSE_BALE, {D::IDC_NUMBERFIELD}},
    {K::KEYUSE_STATUSINFO, {D::IDC_NUMBERFIELD}},
    {K::KEYUSE_PENDING_CALLBACK, {D::IDC_PENDINGCALLBACK}},
};

// Texts of the radio groups.
constexpr unsigned TEXT_USE_MSN = 253; // 253 to 255: MSN, DTMF, keypad
constexpr unsigned TEXT_AWS_FIX = 245; // 245 to 247: fixed, delayed, on busy
constexpr unsigned TEXT_KEY = 250;
constexpr unsigned TEXT_TIME_N = 4437; // "%1": the number of an automatic answer's time
constexpr int AUTOANSWER_TIMES = 3;    // the value type TimeId
constexpr int NUMBERFIELD_MAX = 9;     // BaleId and StatusInfoId
constexpr int NOVREK_DIGITS = 2;       // port and B-channel go as two decimal digits
constexpr size_t TEAM_DIGITS = 2;
constexpr int TEAM_CHOICES = 10;
constexpr int NOVREK_PORT_CHOICES = 8;
constexpr int NOVREK_BCHANNEL_CHOICES = 2;
// Channel codes: two digits 1 to 9, one per half of the byte.
constexpr int CHANNEL_DIGIT_MIN = 1;
constexpr int CHANNEL_DIGIT_MAX = 9;
const char s_szModulePrefix = 'M';

QLineEdit* Edit(QWidget* pParent, const std::string& text, CUi_CharValidator::EClass charClass, int nMax)
{
    auto* pEdit = new QLineEdit(CUi_Texts::FromCp1252(text), pParent);
    CUi_CharValidator::Attach(pEdit, charClass, nMax);
    return pEdit;
}

QComboBox* TextCombo(QWidget* pParent, const std::string& text, int nMax, const QStringList& items)
{
    auto* pCombo = new QComboBox(pParent);
    pCombo->setEditable(true);
    pCombo->addItems(items);
    CUi_CharValidator::Attach(pCombo->lineEdit(), CUi_CharValidator::CLASS_DIGITS, nMax);
    pCombo->setCurrentText(CUi_Texts::FromCp1252(text));
    return pCombo;
}

QWidget* RadioGroup(QWidget* pParent, QButtonGroup*& pGroup, unsigned nControl, const QStringList& texts,
                    int nFirstValue, int nValue)
{
    auto* pBox = new QWidget(pParent);
    auto* pLayout = new QHBoxLayout(pBox);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pGroup = new QButtonGroup(pBox);
    for (int i = 0; i < texts.size(); ++i)
    {
        auto* pRadio = new QRadioButton(texts[i], pBox);
        // The group is reached by its first button, as the template's radio groups are.
        if (i == 0)
            CUi_Texts::SetControlNumber(pRadio, nControl);
        pGroup->addButton(pRadio, nFirstValue + i);
        pLayout->addWidget(pRadio);
        pRadio->setChecked(nFirstValue + i == nValue);
    }
    pLayout->addStretch(1);
    return pBox;
}

std::string Text(const QLineEdit* pEdit)
{
    return CUi_Texts::ToCp1252(pEdit->text());
}

std::string Text(const QComboBox* pCombo)
{
    return CUi_Texts::ToCp1252(pCombo->currentText());
}

int ComboValue(const QWidget* pField, int nKept)
{
    const auto* pCombo = qobject_cast<const QComboBox*>(pField);
    if (!pCombo || pCombo->currentIndex() < 0)
        return nKept;
    const QVariant data = pCombo->currentData();
    return data.isValid() ? data.toInt() : pCombo->currentIndex();
}

int GroupValue(const QButtonGroup* pGroup, int nKept)
{
    return pGroup->checkedId() >= 0 ? pGroup->checkedId() : nKept;
}

// A team of one digit would be emptied on the next load: it gets its leading zero.
std::string Team(const std::string& text)
{
    return text.size() == 1 ? "0" + text : text.substr(0, TEAM_DIGITS);
}

int Decimal(const std::string& text, int nKept)
{
    if (text.empty())
        return nKept;
    int n = 0;
    for (const char c : text)
        n = n * 10 + (c - '0');
    return n;
}
} // namespace

CDlgE_Key::CDlgE_Key(const CData_Key& entry, const CData_All& data, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_entry(entry), m_data(data), m_macro(entry.m_Macro)
{
    const CData_Properties& props = CData_Properties::Current();
    m_label = entry.IsModuleKey() ? CData_KeyLabels::ModuleKey(entry.Number())
                                  : CData_KeyLabels::PhoneKey(data.m_Version.m_nPhoneType, entry.Number());
    setWindowTitle(tr("Function key"));
    const int nLabelMax = LabelLimit(m_label);
    const int nIntMax = std::clamp(props.m_nIntNumberLen, 1, INTERNAL_MAX);

    m_pForm = new QFormLayout;
    auto* pKey = new QLabel(String(TEXT_KEY) + QLatin1Char(' ') + CUi_Texts::FromCp1252(m_label), this);
    m_pForm->addRow(pKey);

    m_pKeyUse = new QComboBox(this);
    for (const CFunction& f : s_functions)
    {
        bool bOffered = props.KeyFunctionOffered(f.nKeyUse);
        if (f.nKeyUse == K::KEYUSE_AUTOANSWER)
            bOffered = bOffered && props.m_bAutoAnswerSupport;
        if (f.nKeyUse == K::KEYUSE_ABVOICEBOX)
            bOffered = bOffered && props.m_bVoiceBoxSupport;
        // The key's own function stays choosable, so that OK never changes it unasked.
        if (!bOffered && f.nKeyUse != entry.m_nKeyUse)
            continue;
        m_pKeyUse->addItem(String(f.nText, f.pszDefault), f.nKeyUse);
        if (f.nKeyUse == entry.m_nKeyUse)
            m_pKeyUse->setCurrentIndex(m_pKeyUse->count() - 1);
    }
    AddRow(m_pForm, IDC_KEYUSE, tr("&Function"), m_pKeyUse);
    m_pKeyName = Edit(this, entry.m_strKeyName, CUi_CharValidator::CLASS_NAME, nLabelMax);
    AddRow(m_pForm, IDC_KEYNAME, tr("&Label"), m_pKeyName);

    // Every function's fields, in the order of their control numbers.
    AddRow(m_pForm, IDC_DIALKEYMSN, tr("&Number"),
           Edit(this, entry.m_strDialKeyMsn, CUi_CharValidator::CLASS_DIAL, 26));
    AddRow(m_pForm, IDC_DIALKEYUSE, tr("Dial as"),
           RadioGroup(this, m_pDialKeyUse, IDC_DIALKEYUSE,
                      {String(TEXT_USE_MSN), String(TEXT_USE_MSN + 1), String(TEXT_USE_MSN + 2)},
                      K::DIALKEYUSE_MSN, entry.m_nDialKeyUse));
    AddRow(m_pForm, IDC_AWSKEYUSE, tr("Forwarding"),
           RadioGroup(this, m_pAwsKeyUse, IDC_AWSKEYUSE,
                      {String(TEXT_AWS_FIX), String(TEXT_AWS_FIX + 1), String(TEXT_AWS_FIX + 2)}, 1,
                      entry.m_nAwsKeyUse));
    QStringList teams;
    for (int n = 0; n < TEAM_CHOICES; ++n)
        teams << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    AddRow(m_pForm, IDC_VARIANTTEAM, tr("&Team"),
           TextCombo(this, entry.m_strVariantKeyMsnTeam, static_cast<int>(TEAM_DIGITS), teams));
    AddRow(m_pForm, IDC_LINEKEYMSN, tr("&Line"),
           Edit(this, entry.m_strLineKeyMsn, CUi_CharValidator::CLASS_DIAL, nIntMax));
    AddRow(m_pForm, IDC_MSNKEYMSNID, tr("&MSN"), MsnCombo(entry.m_nMsnKeyMsnId));
    AddRow(m_pForm, IDC_MSNKEYMSN, tr("&Number"),
           Edit(this, entry.m_strMsnKeyMsn, CUi_CharValidator::CLASS_DIAL, 23));
    AddRow(m_pForm, IDC_VMAILMSNID, tr("&MSN"), MsnCombo(entry.m_nVMailMsnId));
    AddRow(m_pForm, IDC_VMAILPIN, tr("Mailbox &PIN"),
           Edit(this, entry.m_strVMailPin, CUi_CharValidator::CLASS_DIAL, 23));
    AddRow(m_pForm, IDC_LOGOUTTEAM, tr("&Team"),
           TextCombo(this, entry.m_strLogOutKeyMsnTeam, static_cast<int>(TEAM_DIGITS), teams));
    auto* pChannel = new QComboBox(this);
    for (int nHigh = CHANNEL_DIGIT_MIN; nHigh <= CHANNEL_DIGIT_MAX; ++nHigh)
        for (int nLow = CHANNEL_DIGIT_MIN; nLow <= CHANNEL_DIGIT_MAX; ++nLow)
        {
            const int nCode = nHigh << 4 | nLow;
            pChannel->addItem(QStringLiteral("%1").arg(nCode, 2, 16).toUpper(), nCode);
            if (nCode == entry.m_nExtKeyChannel)
                pChannel->setCurrentIndex(pChannel->count() - 1);
        }
    AddRow(m_pForm, IDC_EXTCHANNEL, tr("&Channel"), pChannel);
    QStringList ports;
    for (int n = 1; n <= NOVREK_PORT_CHOICES; ++n)
        ports << QString::number(n);
    QStringList channels;
    for (int n = 1; n <= NOVREK_BCHANNEL_CHOICES; ++n)
        channels << QString::number(n);
    AddRow(m_pForm, IDC_NOVREKPORT, tr("&Port"),
           TextCombo(this, std::to_string(entry.m_nNovRekPort), NOVREK_DIGITS, ports));
    AddRow(m_pForm, IDC_NOVREKBCHANNEL, tr("&B-channel"),
           TextCombo(this, std::to_string(entry.m_nNovRekBChannel), NOVREK_DIGITS, channels));
    AddRow(m_pForm, IDC_AWSMSNID, tr("&MSN"), MsnCombo(entry.m_nAwsMsnId));
    AddRow(m_pForm, IDC_AWSMSNEXT, tr("Forward &to"),
           Edit(this, entry.m_strAwsMsnExt, CUi_CharValidator::CLASS_DIAL, 22));
    AddRow(m_pForm, IDC_AUTOANSWERMSNID, tr("&MSN"), MsnCombo(entry.m_nAutoAnswerMsnId));
    AddRow(m_pForm, IDC_USERMSNID, tr("&MSN"), MsnCombo(entry.m_nUserMsnId));
    AddRow(m_pForm, IDC_LINEAB, tr("&Line"),
           Edit(this, entry.m_strLineAb, CUi_CharValidator::CLASS_LINE, nIntMax));
    AddRow(m_pForm, IDC_VOICEBOX, tr("&Voice box"),
           Edit(this, entry.m_strVoicebox, CUi_CharValidator::CLASS_LINE, 22));
    AddRow(m_pForm, IDC_LOGOUTMSNID, tr("&MSN"), MsnCombo(entry.m_nLogOutKeyMsnId));
    AddRow(m_pForm, IDC_ANNOUNCE, tr("&Extension"),
           Edit(this, entry.m_strAnnounceKeyMsnInt, CUi_CharValidator::CLASS_DIAL, nIntMax));
    AddRow(m_pForm, IDC_INTERCOM, tr("&Extension"),
           Edit(this, entry.m_strIntercomKeyMsnInt, CUi_CharValidator::CLASS_DIAL, nIntMax));
    AddRow(m_pForm, IDC_CHEF, tr("&Extension"),
           Edit(this, entry.m_strChefKeyMsnInt, CUi_CharValidator::CLASS_DIAL, nIntMax));
    AddRow(m_pForm, IDC_SEC, tr("&Extension"),
           Edit(this, entry.m_strSecKeyMsnInt, CUi_CharValidator::CLASS_DIAL, nIntMax));
    m_pNumberField = new QSpinBox(this);
    m_pNumberField->setRange(0, NUMBERFIELD_MAX);
    m_pNumberField->setValue(entry.m_nKeyUse == K::KEYUSE_STATUSINFO ? entry.m_nStatusInfoId
                                                                     : entry.m_nBaleId);
    AddRow(m_pForm, IDC_NUMBERFIELD, tr("N&umber"), m_pNumberField);
    AddRow(m_pForm, IDC_PENDINGCALLBACK, tr("&Extension"),
           Edit(this, entry.m_strPendingCallbackKeyMsn, CUi_CharValidator::CLASS_DIAL, nIntMax));
    m_pMacroText = Edit(this, m_macro.strText, CUi_CharValidator::CLASS_NAME, nLabelMax);
    m_pMacroText->setPlaceholderText(String(CData_MacroCode::TEXT_NO_NAME));
    AddRow(m_pForm, IDC_MACROTEXT, tr("Macro &text"), m_pMacroText);
    auto* pRecord = new QPushButton(tr("&Record..."), this);
    AddRow(m_pForm, IDC_MACRO, QString(), pRecord);
    connect(pRecord, &QPushButton::clicked, this, &CDlgE_Key::RecordMacro);
    QStringList times;
    const QString time = String(TEXT_TIME_N, "Time %1");
    for (int n = 0; n < AUTOANSWER_TIMES; ++n)
        times << time.arg(n + 1);
    AddRow(m_pForm, IDC_AUTOANSWERTIME, tr("Answer after"),
           RadioGroup(this, m_pAutoAnswerTime, IDC_AUTOANSWERTIME, times, 0, entry.m_nAutoAnswerTimeId));

    connect(m_pKeyUse, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { ShowFieldsOf(KeyUse()); });
    ShowFieldsOf(KeyUse());

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(m_pForm);
    pLayout->addStretch(1);
    pLayout->addWidget(CreateButtons());
    OrderTabsByControlNumber();
    m_pKeyUse->setFocus();
}

int CDlgE_Key::LabelLimit(const std::string& keyLabel)
{
    return !keyLabel.empty() && keyLabel[0] == s_szModulePrefix ? LABEL_MAX_MODULE : LABEL_MAX;
}

std::vector<unsigned> CDlgE_Key::FieldsOf(int nKeyUse)
{
    for (const CFields& row : s_fields)
        if (row.nKeyUse == nKeyUse)
            return row.controls;
    return {};
}

void CDlgE_Key::AddRow(QFormLayout* pForm, unsigned nControl, const QString& label, QWidget* pField)
{
    // A radio group is numbered by its first button.
    if (!CUi_Texts::ControlNumber(pField) && !pField->findChild<QRadioButton*>())
        CUi_Texts::SetControlNumber(pField, nControl);
    if (label.isEmpty())
        pForm->addRow(pField);
    else
        pForm->addRow(NumberedLabel(m_nNextLabel++, label, pField), pField);
    m_fields[nControl] = pField;
}

QComboBox* CDlgE_Key::MsnCombo(int nValue)
{
    auto* pCombo = new QComboBox(this);
    for (int nSlot = 0; nSlot < CData_AllCfg::MSNPARA_MAX; ++nSlot)
        pCombo->addItem(CDlgE_MsnPara::SlotText(m_data.m_Cfg, nSlot), nSlot);
    pCombo->setCurrentIndex(nValue >= 0 && nValue < pCombo->count() ? nValue : -1);
    return pCombo;
}

int CDlgE_Key::KeyUse() const
{
    return ComboValue(m_pKeyUse, m_entry.m_nKeyUse);
}

void CDlgE_Key::ShowFieldsOf(int nKeyUse)
{
    const CData_Properties& props = CData_Properties::Current();
    std::vector<unsigned> shown = FieldsOf(nKeyUse);
    // An extension key on a NovRek line addresses port and B-channel instead of a channel code.
    const unsigned nHidden[] = {props.m_bNovRekLine ? IDC_EXTCHANNEL : IDC_NOVREKPORT,
                                props.m_bNovRekLine ? IDC_EXTCHANNEL : IDC_NOVREKBCHANNEL};
    for (const unsigned n : nHidden)
        shown.erase(std::remove(shown.begin(), shown.end(), n), shown.end());
    // With key labels the label is sent, except on a macro key, whose macro text takes its place.
    if (props.m_bKeyNames && nKeyUse != K::KEYUSE_MACRO)
        shown.push_back(IDC_KEYNAME);
    for (const auto& field : m_fields)
    {
        if (field.first == IDC_KEYUSE)
            continue;
        const bool bShow = std::find(shown.begin(), shown.end(), field.first) != shown.end();
        m_pForm->setRowVisible(field.second, bShow);
    }
}

int CDlgE_Key::MacroPicture() const
{
    CData_KeyMap::CPictureChoice choice;
    choice.nPhoneType = m_data.m_Version.m_nPhoneType;
    choice.nFirmware = VersionToNumber(m_data.m_Version.m_strVersion);
    choice.bE740Support = CData_Properties::Current().m_bE740Support;
    choice.bE740Attached = m_data.m_Cfg.m_Basic.m_bE740 != 0;
    for (int i = 0; i < CData_AllCfg::VERSIONMODULE_MAX; ++i)
        choice.anModuleType[i] = m_data.m_Cfg.m_VersionModule[i].m_nModuleType;
    choice.bModuleKey = m_entry.IsModuleKey();
    choice.nKey = m_entry.Number();
    return CData_KeyMap::PictureIndex(choice);
}

void CDlgE_Key::RecordMacro()
{
    const int nPicture = MacroPicture();
    CDlg_Macro dlg(CDlg_Macro::LoadKeyMap(nPicture), CDlg_Macro::PicturePath(nPicture),
                   CData_MacroCode::FromMacro(m_macro), Text(m_pMacroText), LabelLimit(m_label), m_label,
                   this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    CData_MacroCode::ToMacro(dlg.Code(), m_macro);
    m_pMacroText->setText(CUi_Texts::FromCp1252(dlg.Name()));
}

void CDlgE_Key::accept()
{
    auto field = [this](unsigned nControl) { return m_fields.at(nControl); };
    auto edit = [&field](unsigned nControl) { return Text(qobject_cast<QLineEdit*>(field(nControl))); };
    auto combo = [&field](unsigned nControl) { return Text(qobject_cast<QComboBox*>(field(nControl))); };
    const int nKeyUse = KeyUse();
    K& k = m_entry;
    k.m_nKeyUse = nKeyUse;
    if (CData_Properties::Current().m_bKeyNames && nKeyUse != K::KEYUSE_MACRO)
        k.m_strKeyName = Text(m_pKeyName);
    // Only the chosen function's fields are taken: the others stay in the block as they were.
    switch (nKeyUse)
    {
    case K::KEYUSE_DIAL:
        k.m_nDialKeyUse = GroupValue(m_pDialKeyUse, k.m_nDialKeyUse);
        k.m_strDialKeyMsn = edit(IDC_DIALKEYMSN);
        break;
    case K::KEYUSE_LINE:
        k.m_strLineKeyMsn = edit(IDC_LINEKEYMSN);
        break;
    case K::KEYUSE_EXT:
        if (CData_Properties::Current().m_bNovRekLine)
        {
            k.m_nNovRekPort = Decimal(combo(IDC_NOVREKPORT), k.m_nNovRekPort);
            k.m_nNovRekBChannel = Decimal(combo(IDC_NOVREKBCHANNEL), k.m_nNovRekBChannel);
        }
        else
            k.m_nExtKeyChannel = ComboValue(field(IDC_EXTCHANNEL), k.m_nExtKeyChannel);
        break;
    case K::KEYUSE_MSN:
        k.m_nMsnKeyMsnId = ComboValue(field(IDC_MSNKEYMSNID), k.m_nMsnKeyMsnId);
        k.m_strMsnKeyMsn = edit(IDC_MSNKEYMSN);
        break;
    case K::KEYUSE_VARIANT_TEAM:
        k.m_strVariantKeyMsnTeam = Team(combo(IDC_VARIANTTEAM));
        break;
    case K::KEYUSE_TEAMLOGOUT:
        k.m_nLogOutKeyMsnId = ComboValue(field(IDC_LOGOUTMSNID), k.m_nLogOutKeyMsnId);
        k.m_strLogOutKeyMsnTeam = Team(combo(IDC_LOGOUTTEAM));
        break;
    case K::KEYUSE_ANNOUNCE:
        k.m_strAnnounceKeyMsnInt = edit(IDC_ANNOUNCE);
        break;
    case K::KEYUSE_INTERCOM:
        k.m_strIntercomKeyMsnInt = edit(IDC_INTERCOM);
        break;
    case K::KEYUSE_CHEF:
        k.m_strChefKeyMsnInt = edit(IDC_CHEF);
        break;
    case K::KEYUSE_SEC:
        k.m_strSecKeyMsnInt = edit(IDC_SEC);
        break;
    case K::KEYUSE_AWS:
        k.m_nAwsMsnId = ComboValue(field(IDC_AWSMSNID), k.m_nAwsMsnId);
        k.m_nAwsKeyUse = GroupValue(m_pAwsKeyUse, k.m_nAwsKeyUse);
        k.m_strAwsMsnExt = edit(IDC_AWSMSNEXT);
        break;
    case K::KEYUSE_VMAIL:
        k.m_nVMailMsnId = ComboValue(field(IDC_VMAILMSNID), k.m_nVMailMsnId);
        k.m_strVMailPin = edit(IDC_VMAILPIN);
        break;
    case K::KEYUSE_MACRO:
        k.m_Macro = m_macro;
        k.m_Macro.strText = Text(m_pMacroText);
        break;
    case K::KEYUSE_AUTOANSWER:
        k.m_nAutoAnswerMsnId = ComboValue(field(IDC_AUTOANSWERMSNID), k.m_nAutoAnswerMsnId);
        k.m_nAutoAnswerTimeId = GroupValue(m_pAutoAnswerTime, k.m_nAutoAnswerTimeId);
        break;
    case K::KEYUSE_ABVOICEBOX:
    {
        const std::string line = edit(IDC_LINEAB);
        const std::string voicebox = edit(IDC_VOICEBOX);
        if (line != k.m_strLineAb || voicebox != k.m_strVoicebox)
            k.SetLineAbVoicebox(voicebox.empty() ? line : line + "/" + voicebox);
        break;
    }
    case K::KEYUSE_USER:
        k.m_nUserMsnId = ComboValue(field(IDC_USERMSNID), k.m_nUserMsnId);
        break;
    case K::KEYUSE_BALE:
        k.m_nBaleId = m_pNumberField->value();
        break;
    case K::KEYUSE_STATUSINFO:
        k.m_nStatusInfoId = m_pNumberField->value();
        break;
    case K::KEYUSE_PENDING_CALLBACK:
        k.m_strPendingCallbackKeyMsn = edit(IDC_PENDINGCALLBACK);
        break;
    default:
        break;
    }
    CUi_Dialog::accept();
}
