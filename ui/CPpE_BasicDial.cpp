#include "ui/CPpE_BasicDial.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CPpS_DialFilter.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace
{
// Controls (template 1002).
enum : unsigned
{
    IDC_DIAL_DIALPRE = 1031,
    IDC_DIAL_DIALLEN = 1033,
    IDC_DIAL_CALLFILTERUSE = 1042,
    IDC_DIAL_UUS_INTERNAL = 1043,
    IDC_DIAL_UUS_EXTERNAL = 1044,
    IDC_DIAL_LCRREPEAT = 1121,
    IDC_DIAL_LCRMODE = 1122,
    IDC_DIAL_LCR = 1131,
    IDC_DIAL_PABXTYPE = 1133,
    IDC_DIAL_DIALFILTERUSE = 1135,
    IDC_DIAL_AUTOEXT = 1155,
    IDC_DIAL_VOICEMAIL = 1167,
    IDC_DIAL_PABXATLOWPOWER = 9169,
    IDC_DIAL_LCRSUPPORT = 9170,
    IDC_DIAL_VOICEBOX = 9210,
};

// Ranges of the values (the value conversions: LcrRepeat, PabxType and DialLen 0..9).
constexpr int LCRREPEAT_MAX = 9;
constexpr int PABXTYPE_MAX = 9;
constexpr int DIALLEN_MAX = 9;
// Texts of the choices.
enum : unsigned
{
    IDS_STR_CHOICE_DEFAULT_CARRIER = 4417,
    IDS_STR_CHOICE_NEXT_CARRIER = 4418,
    IDS_STR_CHOICE_REPEAT_CARRIER = 4419,
    IDS_STR_CHOICE_REJECT_LISTED = 4422,
    IDS_STR_CHOICE_ACCEPT_LISTED = 4423,
    IDS_STR_CHOICE_BLOCK_ALL = 4424,
};
} // namespace

CPpE_BasicDial::CPpE_BasicDial(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pGrid = new QGridLayout(Content());

    QGroupBox* pLine = AddGroup(IDC_STATIC_FIRST + 0, "Outside line");
    auto* pLineForm = new QFormLayout(pLine);
    QLineEdit* pDialPre = AddEdit(
        IDC_DIAL_DIALPRE, static_cast<int>(CData_Basic::DIALPRE_MAX), CLASS_DIAL,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strDialPre; }, &StrToDialPre);
    pLineForm->addRow(AddLabel(IDC_STATIC_FIRST + 1, "Outside line &prefix", pDialPre), pDialPre);
    QComboBox* pPabx = AddCombo(IDC_DIAL_PABXTYPE, NumberItems(0, PABXTYPE_MAX),
                                [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nPabxType; });
    pLineForm->addRow(AddLabel(IDC_STATIC_FIRST + 2, "PABX &type", pPabx), pPabx);
    QComboBox* pDialLen = AddCombo(IDC_DIAL_DIALLEN, NumberItems(0, DIALLEN_MAX),
                                   [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDialLen; });
    pLineForm->addRow(AddLabel(IDC_STATIC_FIRST + 3, "Internal number &length", pDialLen), pDialLen);
    pLineForm->addRow(AddCheck(IDC_DIAL_AUTOEXT, "&Automatic outside line",
                               [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bAutoExt; }));
    pLineForm->addRow(AddCheck(IDC_DIAL_PABXATLOWPOWER, "PABX in &power-saving mode",
                               [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bPabxAtLowPower; }));

    QGroupBox* pLcr = AddGroup(IDC_STATIC_FIRST + 4, "Least-cost routing");
    auto* pLcrForm = new QFormLayout(pLcr);
    pLcrForm->addRow(AddCheck(IDC_DIAL_LCR, "Least-cost &routing on",
                              [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bLcr; }));
    QComboBox* pMode = AddCombo(IDC_DIAL_LCRMODE,
                                TextItems({{1, IDS_STR_CHOICE_DEFAULT_CARRIER, "Default carrier"},
                                           {2, IDS_STR_CHOICE_NEXT_CARRIER, "Next carrier"},
                                           {4, IDS_STR_CHOICE_REPEAT_CARRIER, "Repeat carrier"}}),
                                [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLcrMode; });
    pLcrForm->addRow(AddLabel(IDC_STATIC_FIRST + 5, "&Mode", pMode), pMode);
    QComboBox* pRepeat = AddCombo(IDC_DIAL_LCRREPEAT, NumberItems(0, LCRREPEAT_MAX),
                                  [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLcrRepeat; });
    pLcrForm->addRow(AddLabel(IDC_STATIC_FIRST + 6, "R&epetitions", pRepeat), pRepeat);
    QCheckBox* pSupport = AddCheck(IDC_DIAL_LCRSUPPORT, "The telephone supports least-cost routing",
                                   [](CData_All& d) -> int& { return d.m_Version.m_nLcrSupport; });
    pSupport->setEnabled(false); // reported by the telephone
    pLcrForm->addRow(pSupport);

    QGroupBox* pFilter = AddGroup(IDC_STATIC_FIRST + 7, "Filters");
    auto* pFilterForm = new QFormLayout(pFilter);
    QComboBox* pDialFilter = AddCombo(IDC_DIAL_DIALFILTERUSE, CPpS_DialFilter::ModeItems(),
                                      [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDialFilterUse; });
    pFilterForm->addRow(AddLabel(IDC_STATIC_FIRST + 8, "&Dial filter", pDialFilter), pDialFilter);
    QComboBox* pCallFilter = AddCombo(IDC_DIAL_CALLFILTERUSE,
                                      TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                                                 {1, IDS_STR_CHOICE_REJECT_LISTED, "Reject listed"},
                                                 {2, IDS_STR_CHOICE_ACCEPT_LISTED, "Accept listed only"},
                                                 {3, IDS_STR_CHOICE_BLOCK_ALL, "Block all"}}),
                                      [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nCallFilterUse; });
    pFilterForm->addRow(AddLabel(IDC_STATIC_FIRST + 9, "&Call filter", pCallFilter), pCallFilter);
    pFilterForm->addRow(AddCheck(IDC_DIAL_UUS_INTERNAL, "Filter &internal user messages",
                                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bUusFilterInternal; }));
    pFilterForm->addRow(AddCheck(IDC_DIAL_UUS_EXTERNAL, "Filter e&xternal user messages",
                                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bUusFilterExternal; }));

    QGroupBox* pBox = AddGroup(IDC_STATIC_FIRST + 10, "Mailboxes");
    auto* pBoxForm = new QFormLayout(pBox);
    QLineEdit* pVoiceBox = AddEdit(
        IDC_DIAL_VOICEBOX, Props().m_nText9210Limit, CLASS_DIAL,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_Basic.m_strVoiceBoxNo; }, &StrToMsnInt);
    pBoxForm->addRow(AddLabel(IDC_STATIC_FIRST + 11, "&Voice box", pVoiceBox), pVoiceBox);
    QLineEdit* pVoiceMail = AddEdit(
        IDC_DIAL_VOICEMAIL, static_cast<int>(CData_VoiceMail::NUMBER_MAX), CLASS_DIAL,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_VoiceMail.m_strVoiceMailClientNumber; },
        &StrToMsnExt);
    pBoxForm->addRow(AddLabel(IDC_STATIC_FIRST + 12, "Voice&mail server", pVoiceMail), pVoiceMail);

    pGrid->addWidget(pLine, 0, 0);
    pGrid->addWidget(pLcr, 1, 0);
    pGrid->addWidget(pFilter, 0, 1);
    pGrid->addWidget(pBox, 1, 1);
    pGrid->setRowStretch(2, 1);
    FinishControls();
}

void CPpE_BasicDial::DocToMembers()
{
    // The voice-box number's length is a property of the phone type; set before the field is
    // loaded, so that loading alone never shortens the document's number.
    if (auto* pVoiceBox = qobject_cast<QLineEdit*>(CUi_Texts::FindControl(this, IDC_DIAL_VOICEBOX)))
        pVoiceBox->setMaxLength(Props().m_nText9210Limit);
}

void CPpE_BasicDial::ApplyProperties()
{
    const CData_Properties& props = Props();
    SetShownWithLabel(IDC_DIAL_VOICEBOX, props.m_bVoiceBoxSupport);
    SetShownWithLabel(IDC_DIAL_VOICEMAIL, props.m_bVoiceMailClient);
    SetShownWithLabel(IDC_DIAL_CALLFILTERUSE, props.m_bCallFilterFile);
    SetShown(IDC_DIAL_UUS_INTERNAL, this, props.m_bUusFilterSupport);
    SetShown(IDC_DIAL_UUS_EXTERNAL, this, props.m_bUusFilterSupport);
    SetShown(IDC_DIAL_LCRSUPPORT, this, props.m_bLcrSupport);
}
