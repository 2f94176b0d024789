#include "ui/CPpS_AnswerMachine.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "support/CUi_Interface.h"
#include "ui/CDlgE_AnsMaschPerMsn.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace
{
// Controls (template 7000).
enum : unsigned
{
    IDC_AM_LISTEN = 9007,
    IDC_AM_ACTIVE = 9008,
    IDC_AM_MESSAGE_ON_DEFLECTION = 9009,
    IDC_AM_QUALITY = 9011, // 9011 to 9013
    IDC_AM_DEFLECTION = 9015,
    IDC_AM_SORTMSN = 9017,
    IDC_AM_DEFLECTION_NUMBER = 9018,
    IDC_AM_MESSAGE_ON_FULL = 9023,
    IDC_AM_REMOTE = 9026,
    IDC_AM_LST = 9033,
    IDC_AM_CALLS_TILL = 9051,
    IDC_AM_DEFLECTION_MODE = 9203,
};
// The deflection number on this page is shorter than the block's.
constexpr int DEFLECTION_NUMBER_MAX = 20;
constexpr int CALLS_TILL_MAX = 13;

constexpr unsigned IDS_STR_MSNPARA_ID = 201;
constexpr unsigned IDS_STR_MSNPARA_MSN = 202;
constexpr unsigned IDS_STR_ANSWER_PER_MSN_ACTIV = 298;
constexpr unsigned IDS_STR_ANSWER_PER_MSN_WAIT_TIME = 299;
constexpr unsigned IDS_STR_ANSWER_PER_MSN_DURATION_TIME = 300;
constexpr unsigned IDS_STR_ANSWERMACHINE_NOMSN = 309;
constexpr unsigned IDS_ANS_MASCH_ANNOUNCE_NOT_AV = 3120;
constexpr int COLUMNS = 5;
// Texts of the deflection modes.
constexpr unsigned IDS_STR_CHOICE_ALWAYS = 4425;
constexpr unsigned IDS_STR_CHOICE_WHEN_BUSY = 4426;
constexpr unsigned IDS_STR_CHOICE_AFTER_RINGS = 4427;

// A switch whose announcement the telephone does not have carries this mark.
const char s_szNotRecorded[] = " *";
} // namespace

int CPpS_AnswerMachine::EntryOfRow(int nRow, int nMsnCount)
{
    return nRow >= nMsnCount ? GENERAL_ENTRY : nRow;
}

CPpS_AnswerMachine::CPpS_AnswerMachine(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pGrid = new QGridLayout(Content());

    QGroupBox* pGeneral = AddGroup(IDC_STATIC_FIRST + 0, "General");
    auto* pGeneralLayout = new QGridLayout(pGeneral);
    QCheckBox* pActive = AddCheck(IDC_AM_ACTIVE, "&Active",
                                  [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nActive; });
    QCheckBox* pListen = AddCheck(IDC_AM_LISTEN, "&Listen in",
                                  [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nListen; });
    pGeneralLayout->addWidget(pActive, 0, 0);
    pGeneralLayout->addWidget(pListen, 0, 1);
    pGeneralLayout->addWidget(AddCheck(IDC_AM_REMOTE, "&Remote access",
                                       [](CData_All& d) -> int&
                                       { return d.m_Cfg.m_AnswerMaschine.m_nRemoteProgramming; }),
                              1, 0);
    pGeneralLayout->addWidget(AddCheck(IDC_AM_SORTMSN, "&Sort messages by MSN",
                                       [](CData_All& d) -> int&
                                       { return d.m_Cfg.m_AnswerMaschine.m_nSortMsn; }),
                              1, 1);
    m_pFullMessage =
        AddCheck(IDC_AM_MESSAGE_ON_FULL, "Announce when &full",
                 [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nMessageOnFullAM; });
    pGeneralLayout->addWidget(m_pFullMessage, 2, 0, 1, 2);
    QButtonGroup* pQuality =
        AddRadios({{IDC_AM_QUALITY, "&Long recording", 0},
                   {IDC_AM_QUALITY + 1, "&Standard", 1},
                   {IDC_AM_QUALITY + 2, "&High quality", 2}},
                  [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nSpeechQuality; });
    auto* pQualityLayout = new QHBoxLayout();
    for (QAbstractButton* pButton : pQuality->buttons())
        pQualityLayout->addWidget(pButton);
    pGeneralLayout->addLayout(pQualityLayout, 3, 0, 1, 2);

    QGroupBox* pDeflection = AddGroup(IDC_STATIC_FIRST + 1, "Call deflection");
    auto* pDeflectionForm = new QFormLayout(pDeflection);
    QCheckBox* pDeflect =
        AddCheck(IDC_AM_DEFLECTION, "&Deflect calls",
                 [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nCallDeflection; });
    pDeflectionForm->addRow(pDeflect);
    QComboBox* pMode =
        AddCombo(IDC_AM_DEFLECTION_MODE,
                 TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                            {1, IDS_STR_CHOICE_ALWAYS, "Always"},
                            {2, IDS_STR_CHOICE_WHEN_BUSY, "When busy"},
                            {3, IDS_STR_CHOICE_AFTER_RINGS, "After rings"}}),
                 [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_niCallDeflection; });
    pDeflectionForm->addRow(AddLabel(IDC_STATIC_FIRST + 2, "&Deflection", pMode), pMode);
    QLineEdit* pNumber = AddEdit(
        IDC_AM_DEFLECTION_NUMBER, DEFLECTION_NUMBER_MAX, CLASS_DIAL,
        [](CData_All& d) -> std::string& { return d.m_Cfg.m_AnswerMaschine.m_strCallDeflectionNumber; },
        &StrToCallDeflectionNumber);
    pDeflectionForm->addRow(AddLabel(IDC_STATIC_FIRST + 3, "&Number", pNumber), pNumber);
    QComboBox* pCalls =
        AddCombo(IDC_AM_CALLS_TILL, NumberItems(0, CALLS_TILL_MAX),
                 [](CData_All& d) -> int& { return d.m_Cfg.m_AnswerMaschine.m_nCallsTillCalldefelction; });
    pDeflectionForm->addRow(AddLabel(IDC_STATIC_FIRST + 4, "After &calls", pCalls), pCalls);
    pDeflectionForm->addRow(AddCheck(IDC_AM_MESSAGE_ON_DEFLECTION, "Announce &before deflecting",
                                     [](CData_All& d) -> int&
                                     { return d.m_Cfg.m_AnswerMaschine.m_nMessageOnCalldeflection; }));

    pGrid->addWidget(pGeneral, 0, 0);
    pGrid->addWidget(pDeflection, 0, 1);
    pGrid->addWidget(AddList(IDC_AM_LST), 1, 0, 1, 2);
    pGrid->setRowStretch(1, 1);
    List()->setAccessibleName(QStringLiteral("Settings per MSN"));

    connect(pActive, &QCheckBox::toggled, this, &CPpS_AnswerMachine::UpdateEnabling);
    connect(pDeflect, &QCheckBox::toggled, this, &CPpS_AnswerMachine::UpdateEnabling);
    connect(pMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CPpS_AnswerMachine::UpdateEnabling);
    connect(m_pFullMessage, &QCheckBox::clicked, this, &CPpS_AnswerMachine::OnFullMessageToggled);
    FinishControls();
}

void CPpS_AnswerMachine::DocToMembers()
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {
        {UiText(IDS_STR_MSNPARA_ID, "No."), 4},
        {UiText(IDS_STR_MSNPARA_MSN, "MSN"), 19},
        {UiText(IDS_STR_ANSWER_PER_MSN_ACTIV, "Active"), 8},
        {UiText(IDS_STR_ANSWER_PER_MSN_WAIT_TIME, "Waiting time"), 12},
        {UiText(IDS_STR_ANSWER_PER_MSN_DURATION_TIME, "Duration"), 10},
    };
    const int nMsns = CData_AllCfg::Active(CData_AllCfg::K_MSNPARA);
    List()->ColumnInit(COLUMNS, nMsns + 1, VISIBLE_ROWS, columns, true);
    for (int nRow = 0; nRow <= nMsns; ++nRow)
    {
        const int nEntry = EntryOfRow(nRow, nMsns);
        const CData_AnsMaschPerMsn& entry = Cfg().m_AnsMaschPerMsn[nEntry];
        List()->SetItemText(nRow, 0, CellText(entry.InfoText(CData_AnsMaschPerMsn::COL_NUMBER)));
        List()->SetItemText(
            nRow, 1, CellText(nEntry == GENERAL_ENTRY ? std::string() : Cfg().m_MsnPara[nEntry].m_strMsn));
        List()->SetItemText(nRow, 2, CellText(entry.InfoText(CData_AnsMaschPerMsn::COL_ACTIVE)));
        List()->SetItemText(nRow, 3, CellText(entry.InfoText(CData_AnsMaschPerMsn::COL_ACTIVATIONTIME)));
        List()->SetItemText(nRow, 4, CellText(entry.InfoText(CData_AnsMaschPerMsn::COL_MAXMESSAGETIME)));
        List()->SetItemData(nRow, nEntry);
    }
}

void CPpS_AnswerMachine::TextsApplied()
{
    // The switch for the full message is marked when the telephone has no such announcement.
    QString text = m_pFullMessage->text();
    const QString mark = QString::fromLatin1(s_szNotRecorded);
    if (text.endsWith(mark))
        text.chop(mark.size());
    if (!Cfg().m_AnsMaschInfoText.m_nFullAbText)
        text += mark;
    m_pFullMessage->setText(text);
}

void CPpS_AnswerMachine::OnFullMessageToggled(bool bOn)
{
    if (!bOn || !m_pFullMessage->text().contains(QLatin1Char('*')))
        return;
    const int nAnswer = CUi_Interface::Get().MessageBox(
        CUi_Texts::ToCp1252(UiText(IDS_ANS_MASCH_ANNOUNCE_NOT_AV)), std::string(),
        CUi_Interface::ICON_QUESTION, CUi_Interface::BUTTONS_YES_NO);
    if (nAnswer == CUi_Interface::ANSWER_NO)
    {
        m_pFullMessage->setChecked(false);
        Cfg().m_AnswerMaschine.m_nMessageOnFullAM = 0;
    }
}

void CPpS_AnswerMachine::UpdateEnabling()
{
    const auto* pActive = qobject_cast<QCheckBox*>(CUi_Texts::FindControl(this, IDC_AM_ACTIVE));
    const auto* pDeflect = qobject_cast<QCheckBox*>(CUi_Texts::FindControl(this, IDC_AM_DEFLECTION));
    const auto* pMode = qobject_cast<QComboBox*>(CUi_Texts::FindControl(this, IDC_AM_DEFLECTION_MODE));
    if (QWidget* pListen = CUi_Texts::FindControl(this, IDC_AM_LISTEN))
        pListen->setEnabled(pActive && pActive->isChecked());
    const bool bDeflecting = Props().m_bAnswerDeflectionMode ? (pMode && pMode->currentData().toInt() != 0)
                                                             : (pDeflect && pDeflect->isChecked());
    if (QWidget* pMessage = CUi_Texts::FindControl(this, IDC_AM_MESSAGE_ON_DEFLECTION))
        pMessage->setEnabled(bDeflecting);
}

void CPpS_AnswerMachine::ApplyProperties()
{
    // The phone types with deflection modes choose the mode; the others switch deflection on or off.
    const bool bModes = Props().m_bAnswerDeflectionMode;
    SetShown(IDC_AM_DEFLECTION, this, !bModes);
    SetShownWithLabel(IDC_AM_DEFLECTION_MODE, bModes);
    UpdateEnabling();
}

int CPpS_AnswerMachine::EditRow(int nRow)
{
    // The dialog works on the document: what the page shows goes there first.
    OnKillActive();
    const int nEntry = List()->ItemData(nRow);
    if (nEntry < 0)
        return 0;
    if (nEntry != GENERAL_ENTRY && Cfg().m_MsnPara[nEntry].m_strMsn.empty())
    {
        CUi_Interface::Get().MessageBox(CUi_Texts::ToCp1252(UiText(IDS_STR_ANSWERMACHINE_NOMSN)),
                                        std::string(), CUi_Interface::ICON_INFORMATION,
                                        CUi_Interface::BUTTONS_OK);
        return 0;
    }
    // OK writes the entry back into the configuration itself.
    CDlgE_AnsMaschPerMsn dlg(nEntry, Cfg(), this);
    return dlg.exec() == QDialog::Accepted ? 1 : 0;
}
