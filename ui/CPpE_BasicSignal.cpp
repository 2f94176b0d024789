#include "ui/CPpE_BasicSignal.h"

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
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace
{
// Controls (template 1001).
enum : unsigned
{
    IDC_SIGNAL_LOUDBOX = 1052,
    IDC_SIGNAL_LOUDHAND = 1061,
    IDC_SIGNAL_LOUDKNOCK = 1071,
    IDC_SIGNAL_LOUDSILENCE = 1080,
    IDC_SIGNAL_LOUDALARMCALL = 1081,
    IDC_SIGNAL_LOUDANSWERMACHINE = 1082,
    IDC_SIGNAL_DISPCALL = 1090,
    IDC_SIGNAL_DISPNUMBEROUT = 1091,
    IDC_SIGNAL_DISPNUMBERIN = 1092,
    IDC_SIGNAL_DISPCHARGE = 1101,
    IDC_SIGNAL_TONEERROR = 1141,
    IDC_SIGNAL_TONEQUIT = 1142,
    IDC_SIGNAL_KNOCKREPEAT = 1143,
    IDC_SIGNAL_TONEKNOCK = 1145,
    IDC_SIGNAL_SILENCE = 1147,
    IDC_SIGNAL_LOUDATTENTION = 1149,
    IDC_SIGNAL_FREESPEAKSILENCE = 9137,
    IDC_SIGNAL_MELODYOUT = 9172, // to 9176: the five audio outputs
    IDC_SIGNAL_TONEKNOCKINTERN = 9229,
    IDC_SIGNAL_STATUSLED = 9237,
    IDC_SIGNAL_HEADSETTYPE = 9276,
};

// Ranges of the values (Part of the value conversions: LoudHand 0..3, LoudAttention 0..2,
// the headset types 0..9).
constexpr int LOUDHAND_MAX = 3;
constexpr int LOUDATTENTION_MAX = 2;
constexpr int HEADSETTYPE_MAX = 9;

// Texts of the choices.
enum : unsigned
{
    IDS_STR_CHOICE_TYPE1 = 4406,
    IDS_STR_CHOICE_TYPE2 = 4407,
    IDS_STR_CHOICE_OFF_EXCEPT_NOTICES = 4408,
    IDS_STR_CHOICE_NUMBER_CHARGE = 4409,
    IDS_STR_CHOICE_NUMBER_TIME = 4410,
    IDS_STR_CHOICE_NUMBER = 4411,
    IDS_STR_CHOICE_DATE_TIME = 4412,
    IDS_STR_CHOICE_CHARGE_ELSE_TIME = 4413,
    IDS_STR_CHOICE_TIME = 4414,
    IDS_STR_CHOICE_CHARGE = 4415,
    IDS_STR_CHOICE_FLASHING = 4416,
};

const std::vector<CPp_Page::CTextItem> s_toneKnock = {{0, CPp_Page::IDS_STR_CHOICE_OFF, "Off"},
                                                      {1, IDS_STR_CHOICE_TYPE1, "Type 1"},
                                                      {2, IDS_STR_CHOICE_TYPE2, "Type 2"}};
} // namespace

CPpE_BasicSignal::CPpE_BasicSignal(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pGrid = new QGridLayout(Content());

    // Volumes: the ring volumes follow the phone type's number of steps (set on every loading).
    QGroupBox* pVolumes = AddGroup(IDC_STATIC_FIRST + 0, "Volumes");
    auto* pVolumeForm = new QFormLayout(pVolumes);
    struct CVolume
    {
        unsigned nControl;
        unsigned nLabel;
        const char* pszLabel;
        int nMax;
        IntField field;
    };
    // The volume labels are numbered after the page's other labels and groups.
    const CVolume volumes[] = {
        {IDC_SIGNAL_LOUDBOX, IDC_STATIC_FIRST + 12, "&Loudspeaker", 0,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudBox; }},
        {IDC_SIGNAL_LOUDHAND, IDC_STATIC_FIRST + 13, "&Handset", LOUDHAND_MAX,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudHand; }},
        {IDC_SIGNAL_LOUDKNOCK, IDC_STATIC_FIRST + 14, "&Call waiting", 0,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudKnock; }},
        {IDC_SIGNAL_LOUDSILENCE, IDC_STATIC_FIRST + 15, "&Silent ring", 0,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudSilence; }},
        {IDC_SIGNAL_LOUDALARMCALL, IDC_STATIC_FIRST + 16, "&Alarm call", 0,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudAlarmCall; }},
        {IDC_SIGNAL_LOUDANSWERMACHINE, IDC_STATIC_FIRST + 17, "Ans&wering machine", 0,
         [](CData_All& d) -> int& { return d.m_Cfg.m_Tone.m_nLoudAnswerMachine; }},
    };
    for (const CVolume& volume : volumes)
    {
        QSlider* pSlider = AddSlider(volume.nControl, 0, volume.nMax ? volume.nMax : LoudMax(), volume.field);
        pVolumeForm->addRow(AddLabel(volume.nLabel, volume.pszLabel, pSlider), pSlider);
    }
    QComboBox* pAttention = AddCombo(IDC_SIGNAL_LOUDATTENTION, NumberItems(0, LOUDATTENTION_MAX),
                                     [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nLoudAttention; });
    pVolumeForm->addRow(AddLabel(IDC_STATIC_FIRST + 1, "A&ttention tone", pAttention), pAttention);

    // Tones.
    QGroupBox* pTones = AddGroup(IDC_STATIC_FIRST + 2, "Tones");
    auto* pToneForm = new QFormLayout(pTones);
    auto* pToneChecks = new QGridLayout();
    pToneChecks->addWidget(AddCheck(IDC_SIGNAL_TONEERROR, "&Error tone",
                                    [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bToneError; }),
                           0, 0);
    pToneChecks->addWidget(AddCheck(IDC_SIGNAL_TONEQUIT, "Confirmation &tone",
                                    [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bToneQuit; }),
                           0, 1);
    pToneChecks->addWidget(AddCheck(IDC_SIGNAL_KNOCKREPEAT, "&Repeat waiting tone",
                                    [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bKnockRepeat; }),
                           1, 0);
    pToneChecks->addWidget(AddCheck(IDC_SIGNAL_FREESPEAKSILENCE, "&Quiet hands-free",
                                    [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bFreeSpeakSilence; }),
                           1, 1);
    pToneForm->addRow(pToneChecks);
    QComboBox* pKnock = AddCombo(IDC_SIGNAL_TONEKNOCK, TextItems(s_toneKnock),
                                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nToneKnock; });
    pToneForm->addRow(AddLabel(IDC_STATIC_FIRST + 3, "Waiting t&one", pKnock), pKnock);
    QComboBox* pKnockIntern =
        AddCombo(IDC_SIGNAL_TONEKNOCKINTERN, TextItems(s_toneKnock),
                 [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nToneKnockIntern; });
    pToneForm->addRow(AddLabel(IDC_STATIC_FIRST + 4, "&Internal waiting tone", pKnockIntern), pKnockIntern);
    QComboBox* pSilence = AddCombo(IDC_SIGNAL_SILENCE,
                                   TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                                              {1, IDS_STR_CHOICE_ON, "On"},
                                              {2, IDS_STR_CHOICE_OFF_EXCEPT_NOTICES, "Off except notices"}}),
                                   [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nSilence; });
    pToneForm->addRow(AddLabel(IDC_STATIC_FIRST + 5, "S&ilence", pSilence), pSilence);
    QComboBox* pHeadSetType = AddCombo(IDC_SIGNAL_HEADSETTYPE, NumberItems(0, HEADSETTYPE_MAX),
                                       [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nHeadSetType; });
    pToneForm->addRow(AddLabel(IDC_STATIC_FIRST + 6, "Hea&dset type", pHeadSetType), pHeadSetType);

    // The display.
    QGroupBox* pDisplay = AddGroup(IDC_STATIC_FIRST + 7, "Display");
    auto* pDisplayForm = new QFormLayout(pDisplay);
    auto* pDisplayChecks = new QGridLayout();
    pDisplayChecks->addWidget(AddCheck(IDC_SIGNAL_DISPNUMBEROUT, "&Outgoing number",
                                       [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bDispNumberOut; }),
                              0, 0);
    pDisplayChecks->addWidget(AddCheck(IDC_SIGNAL_DISPNUMBERIN, "In&coming number",
                                       [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_bDispNumberIn; }),
                              0, 1);
    pDisplayForm->addRow(pDisplayChecks);
    QComboBox* pDispCall = AddCombo(IDC_SIGNAL_DISPCALL,
                                    TextItems({{0, IDS_STR_CHOICE_NUMBER_CHARGE, "Number and charge"},
                                               {1, IDS_STR_CHOICE_NUMBER_TIME, "Number and time"},
                                               {2, IDS_STR_CHOICE_NUMBER, "Number"},
                                               {3, IDS_STR_CHOICE_DATE_TIME, "Date and time"}}),
                                    [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDispCall; });
    pDisplayForm->addRow(AddLabel(IDC_STATIC_FIRST + 8, "During a &call", pDispCall), pDispCall);
    QComboBox* pDispCharge = AddCombo(IDC_SIGNAL_DISPCHARGE,
                                      TextItems({{1, IDS_STR_CHOICE_CHARGE_ELSE_TIME, "Charge, else time"},
                                                 {2, IDS_STR_CHOICE_TIME, "Time"},
                                                 {3, IDS_STR_CHOICE_CHARGE, "Charge"}}),
                                      [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDispCharge; });
    pDisplayForm->addRow(AddLabel(IDC_STATIC_FIRST + 9, "After a ca&ll", pDispCharge), pDispCharge);
    QComboBox* pLed = AddCombo(IDC_SIGNAL_STATUSLED,
                               TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                                          {1, IDS_STR_CHOICE_ON, "On"},
                                          {2, IDS_STR_CHOICE_FLASHING, "Flashing"}}),
                               [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nStatusLed; });
    pDisplayForm->addRow(AddLabel(IDC_STATIC_FIRST + 10, "Status L&ED", pLed), pLed);

    // The external audio output.
    QGroupBox* pAudio = AddGroup(IDC_STATIC_FIRST + 11, "External audio output");
    auto* pAudioGrid = new QGridLayout(pAudio);
    const std::pair<const char*, IntField> outputs[] = {
        {"&Melodies", [](CData_All& d) -> int& { return d.m_Cfg.m_Audio.m_nMelodyOut; }},
        {"Anno&uncements", [](CData_All& d) -> int& { return d.m_Cfg.m_Audio.m_nAnnounceOut; }},
        {"O&pen listening", [](CData_All& d) -> int& { return d.m_Cfg.m_Audio.m_nOpenListeningOut; }},
        {"I&ntercom", [](CData_All& d) -> int& { return d.m_Cfg.m_Audio.m_nIntercomOut; }},
        {"Answering machine", [](CData_All& d) -> int& { return d.m_Cfg.m_Audio.m_nABListeningOut; }},
    };
    int nOutput = 0;
    for (const auto& output : outputs)
    {
        pAudioGrid->addWidget(
            AddCheck(IDC_SIGNAL_MELODYOUT + static_cast<unsigned>(nOutput), output.first, output.second),
            nOutput / 2, nOutput % 2);
        ++nOutput;
    }

    auto* pLeft = new QVBoxLayout();
    pLeft->addWidget(pVolumes);
    pLeft->addWidget(pAudio);
    pLeft->addStretch(1);
    auto* pRight = new QVBoxLayout();
    pRight->addWidget(pTones);
    pRight->addWidget(pDisplay);
    pRight->addStretch(1);
    pGrid->addLayout(pLeft, 0, 0);
    pGrid->addLayout(pRight, 0, 1);
    FinishControls();
}

void CPpE_BasicSignal::DocToMembers()
{
    // The number of volume steps follows the phone type.
    for (unsigned n : {IDC_SIGNAL_LOUDBOX, IDC_SIGNAL_LOUDKNOCK, IDC_SIGNAL_LOUDSILENCE,
                       IDC_SIGNAL_LOUDALARMCALL, IDC_SIGNAL_LOUDANSWERMACHINE})
        if (auto* pSlider = qobject_cast<QSlider*>(CUi_Texts::FindControl(this, n)))
            pSlider->setMaximum(LoudMax());
}

void CPpE_BasicSignal::ApplyProperties()
{
    const CData_Properties& props = Props();
    SetShownWithLabel(IDC_SIGNAL_LOUDALARMCALL, props.m_bLoudAlarmCallRecord);
    SetShownWithLabel(IDC_SIGNAL_LOUDANSWERMACHINE, props.m_bToneSettings);
    for (unsigned n : {IDC_SIGNAL_LOUDATTENTION, IDC_SIGNAL_TONEKNOCKINTERN, IDC_SIGNAL_STATUSLED})
        SetShownWithLabel(n, props.m_bExtendedBasic);
    SetShownWithLabel(IDC_SIGNAL_HEADSETTYPE, props.m_bHeadSetTypeSupport);
    for (unsigned n = IDC_SIGNAL_MELODYOUT; n < IDC_SIGNAL_MELODYOUT + 5; ++n)
        SetShown(n, this, props.m_bAudioSettings);
    if (QWidget* pAudio = CUi_Texts::FindControl(this, IDC_SIGNAL_MELODYOUT))
        SetShown(pAudio->parentWidget(), props.m_bAudioSettings);
}
