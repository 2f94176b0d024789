#include "ui/CDlgE_AnsMaschPerMsn.h"

#include "data/CData_AllCfg.h"
#include "ui/CDlgE_MsnPara.h"
#include "ui/CUi_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

namespace
{
using E = CData_AnsMaschPerMsn;

// Interface texts of the combo entries.
constexpr unsigned TEXT_MES_TIME1 = 3106;     // message lengths 1 to 4
constexpr unsigned TEXT_ACT_TIME1 = 3110;     // activation delays 0 to 9
constexpr unsigned TEXT_NOT_AVAILABLE = 3120; // the marked entries' meaning
constexpr unsigned TEXT_MONDAY = 3121;        // to 3127, Sunday
constexpr unsigned TEXT_START = 301;
constexpr unsigned TEXT_END = 302;
constexpr unsigned TEXT_TIME = 303;
constexpr unsigned TEXT_NOT_CONFIGURED = 304;
constexpr unsigned TEXT_STANDARD_ANNOUNCEMENT = 4438;
constexpr unsigned TEXT_ANNOUNCEMENT_N = 4439;   // "%1": the announcement's number
constexpr unsigned TEXT_OPERATING_MODE_N = 4440; // "%1": the mode's number

constexpr int MESSAGE_TIMES = 4;
constexpr int ACTIVATION_TIMES = 10;
constexpr int OPERATION_MODES = 4;
constexpr int ANNOUNCEMENTS = 11; // 0 the standard announcement, 1 to 10 the recorded ones
constexpr int HOURS = 24;
constexpr int MINUTES = 60;
// Entries whose announcement is not recorded on the telephone carry this mark.
const char s_szMark[] = " *";

QComboBox* Combo(QWidget* pParent, unsigned nControl)
{
    auto* pCombo = new QComboBox(pParent);
    CUi_Texts::SetControlNumber(pCombo, nControl);
    return pCombo;
}

QCheckBox* Check(QWidget* pParent, const QString& text, unsigned nControl, int nValue)
{
    auto* pCheck = new QCheckBox(text, pParent);
    CUi_Texts::SetControlNumber(pCheck, nControl);
    pCheck->setChecked(nValue != 0);
    return pCheck;
}

// The recorded announcements 1 to 10; the standard announcement 0 is always there.
void FillAnnouncements(QComboBox* pCombo, const CData_AnsMaschInfoText& info)
{
    pCombo->addItem(CUi_Dialog::String(TEXT_STANDARD_ANNOUNCEMENT, "Standard announcement"));
    const QString announcement = CUi_Dialog::String(TEXT_ANNOUNCEMENT_N, "Announcement %1");
    for (int n = 1; n < ANNOUNCEMENTS; ++n)
    {
        QString text = announcement.arg(n);
        if (!info.m_anAnnounce[n - 1])
            text += QLatin1String(s_szMark);
        pCombo->addItem(text);
    }
}

// The operating modes 1 to 4 play the info texts 1 to 4 of the telephone.
void FillOperationModes(QComboBox* pCombo, const CData_AnsMaschInfoText& info)
{
    const QString mode = CUi_Dialog::String(TEXT_OPERATING_MODE_N, "Operating mode %1");
    for (int n = 1; n <= OPERATION_MODES; ++n)
    {
        QString text = mode.arg(n);
        if (!info.m_anInfoText[n - 1])
            text += QLatin1String(s_szMark);
        pCombo->addItem(text);
    }
}

void FillTimeTypes(QComboBox* pCombo, const CData_AllCfg& cfg)
{
    for (int n = 0; n < CData_AllCfg::ANSMASCHTIMETYPE_MAX; ++n)
        pCombo->addItem(CDlgE_AnsMaschPerMsn::TimeTypeText(cfg, n));
}

void FillTexts(QComboBox* pCombo, unsigned nFirst, int nCount)
{
    for (int n = 0; n < nCount; ++n)
        pCombo->addItem(CUi_Dialog::String(nFirst + static_cast<unsigned>(n)));
}

// Selects an index; a value outside the list (a damaged file) shows nothing rather than a wrong entry.
void Select(QComboBox* pCombo, int nIndex)
{
    pCombo->setCurrentIndex(nIndex >= 0 && nIndex < pCombo->count() ? nIndex : -1);
}

int Value(const QComboBox* pCombo, int nKept)
{
    return pCombo->currentIndex() >= 0 ? pCombo->currentIndex() : nKept;
}

unsigned CheckWindow(const CData_AllCfg& cfg, int nTimeType)
{
    if (nTimeType < 0 || nTimeType >= CData_AllCfg::ANSMASCHTIMETYPE_MAX)
        return CDlgE_AnsMaschPerMsn::TEXT_START_INVALID;
    const CData_AnsMaschTimeType& w = cfg.m_AnsMaschTimeType[nTimeType];
    const bool bStart = w.InUse() && w.m_nStartHour >= 0 && w.m_nStartHour < HOURS && w.m_nStartMinute >= 0 &&
                        w.m_nStartMinute < MINUTES;
    if (!bStart)
        return CDlgE_AnsMaschPerMsn::TEXT_START_INVALID;
    if (w.m_nEndHour < 0 || w.m_nEndHour >= HOURS || w.m_nEndMinute < 0 || w.m_nEndMinute >= MINUTES)
        return CDlgE_AnsMaschPerMsn::TEXT_END_INVALID;
    if (w.m_nEndHour * MINUTES + w.m_nEndMinute <= w.m_nStartHour * MINUTES + w.m_nStartMinute)
        return CDlgE_AnsMaschPerMsn::TEXT_END_BEFORE_START;
    return 0;
}
} // namespace

CDlgE_AnsMaschPerMsn::CDlgE_AnsMaschPerMsn(int nRow, CData_AllCfg& cfg, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_nRow(nRow), m_cfg(cfg)
{
    const bool bRowValid = nRow >= 0 && nRow < CData_AllCfg::ANSMASCHPERMSN_MAX;
    if (bRowValid)
        m_entry = cfg.m_AnsMaschPerMsn[nRow];
    for (int d = 0; d < E::WEEKDAYS; ++d)
    {
        m_anWeekAnnounce[d] = m_entry.m_anTimeTypeWeekAnnounce[d];
        m_anWeekTimeType1[d] = m_entry.m_anTimeTypeWeekTimeType1[d];
        m_anWeekTimeType2[d] = m_entry.m_anTimeTypeWeekTimeType2[d];
    }
    setWindowTitle(tr("Answering machine"));
    const CData_AnsMaschInfoText& info = cfg.m_AnsMaschInfoText;

    auto* pText = new QLabel(this);
    CUi_Texts::SetControlNumber(pText, IDC_TEXT);
    if (nRow >= 0 && nRow < CData_AllCfg::MSNPARA_MAX)
        pText->setText(tr("MSN %1: %2").arg(nRow + 1).arg(CDlgE_MsnPara::SlotText(cfg, nRow)));
    else
        pText->setText(tr("All MSNs"));

    m_pActive = Check(this, tr("&Answering machine active"), IDC_ACTIVE, m_entry.m_nActive);
    m_pTiming = Check(this, tr("&Daily plan"), IDC_TIMING, m_entry.m_nTiming);
    m_pTimingWeek = Check(this, tr("&Weekly plan"), IDC_TIMINGWEEK, m_entry.m_nTimingWeek);
    // Only the first three entries carry a weekly plan to the telephone.
    m_pTimingWeek->setVisible(nRow >= 0 && nRow < E::WEEK_RECORD_ENTRIES);

    m_pActivationTime = Combo(this, IDC_ACTIVATIONTIME);
    FillTexts(m_pActivationTime, TEXT_ACT_TIME1, ACTIVATION_TIMES);
    Select(m_pActivationTime, m_entry.m_nActivationTime);
    m_pMaxMessageTime = Combo(this, IDC_MAXMESSAGETIME);
    FillTexts(m_pMaxMessageTime, TEXT_MES_TIME1, MESSAGE_TIMES);
    Select(m_pMaxMessageTime, m_entry.m_nMaxMessageTime - 1);
    m_pMainMode = Combo(this, IDC_MAINOPERATIONMODE);
    FillOperationModes(m_pMainMode, info);
    Select(m_pMainMode, m_entry.m_nMainOperationMode - 1);
    m_pMinorMode = Combo(this, IDC_MINOROPERATIONMODE);
    FillOperationModes(m_pMinorMode, info);
    Select(m_pMinorMode, m_entry.m_nMinorOperationMode - 1);
    m_pMainAnnouncement = Combo(this, IDC_MAINANNOUNCEMENT);
    FillAnnouncements(m_pMainAnnouncement, info);
    Select(m_pMainAnnouncement, m_entry.m_nMainAnnouncement);
    m_pMinorAnnouncement = Combo(this, IDC_MINORANNOUNCEMENT);
    FillAnnouncements(m_pMinorAnnouncement, info);
    Select(m_pMinorAnnouncement, m_entry.m_nMinorAnnouncement);
    m_pTimeTypeDay = Combo(this, IDC_TIMETYPEDAY);
    FillTimeTypes(m_pTimeTypeDay, cfg);
    Select(m_pTimeTypeDay, m_entry.m_nTimeTypeDay);

    m_pWeekdays = new QTabBar(this);
    // All seven days in view: the dialog grows to them instead of scrolling them.
    m_pWeekdays->setUsesScrollButtons(false);
    m_pWeekdays->setExpanding(true);
    CUi_Texts::SetControlNumber(m_pWeekdays, IDC_WEEKDAYS);
    for (int d = 0; d < E::WEEKDAYS; ++d)
        m_pWeekdays->addTab(String(TEXT_MONDAY + static_cast<unsigned>(d)));
    m_pWeekAnnounce = Combo(this, IDC_WEEKANNOUNCE);
    FillAnnouncements(m_pWeekAnnounce, info);
    m_pWeekTimeType1 = Combo(this, IDC_WEEKTIMETYPE1);
    FillTimeTypes(m_pWeekTimeType1, cfg);
    m_pWeekTimeType2 = Combo(this, IDC_WEEKTIMETYPE2);
    FillTimeTypes(m_pWeekTimeType2, cfg);
    LoadWeekday(0);
    connect(m_pWeekdays, &QTabBar::currentChanged, this,
            [this](int nDay)
            {
                StoreWeekday();
                LoadWeekday(nDay);
            });
    connect(m_pTiming, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    connect(m_pTimingWeek, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });

    auto* pGeneral = new QFormLayout;
    pGeneral->addRow(NumberedLabel(IDC_STATIC_FIRST + 0, tr("Answer a&fter"), m_pActivationTime),
                     m_pActivationTime);
    pGeneral->addRow(NumberedLabel(IDC_STATIC_FIRST + 1, tr("Message &length"), m_pMaxMessageTime),
                     m_pMaxMessageTime);

    QGroupBox* pMain = NumberedGroup(IDC_STATIC_FIRST + 2, tr("Within the time plan"));
    auto* pMainForm = new QFormLayout(pMain);
    pMainForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 3, tr("&Operating mode"), m_pMainMode), m_pMainMode);
    pMainForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 4, tr("A&nnouncement"), m_pMainAnnouncement),
                      m_pMainAnnouncement);
    QGroupBox* pMinor = NumberedGroup(IDC_STATIC_FIRST + 5, tr("Outside the time plan"));
    auto* pMinorForm = new QFormLayout(pMinor);
    pMinorForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 6, tr("O&perating mode"), m_pMinorMode),
                       m_pMinorMode);
    pMinorForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 7, tr("Ann&ouncement"), m_pMinorAnnouncement),
                       m_pMinorAnnouncement);

    auto* pDay = new QGroupBox(this);
    auto* pDayForm = new QFormLayout(pDay);
    pDayForm->addRow(m_pTiming);
    pDayForm->addRow(String(TEXT_TIME), m_pTimeTypeDay);

    auto* pWeek = new QGroupBox(this);
    auto* pWeekLayout = new QVBoxLayout(pWeek);
    pWeekLayout->addWidget(m_pTimingWeek);
    pWeekLayout->addWidget(m_pWeekdays);
    auto* pWeekForm = new QFormLayout;
    pWeekForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 8, tr("Announcement"), m_pWeekAnnounce),
                      m_pWeekAnnounce);
    pWeekForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 9, tr("Time 1"), m_pWeekTimeType1), m_pWeekTimeType1);
    pWeekForm->addRow(NumberedLabel(IDC_STATIC_FIRST + 10, tr("Time 2"), m_pWeekTimeType2), m_pWeekTimeType2);
    pWeekLayout->addLayout(pWeekForm);

    auto* pNote =
        new QLabel(QLatin1String(s_szMark + 1) + QStringLiteral(" ") + String(TEXT_NOT_AVAILABLE), this);

    auto* pGrid = new QGridLayout;
    pGrid->addWidget(pMain, 0, 0);
    pGrid->addWidget(pMinor, 0, 1);
    pGrid->addWidget(pDay, 1, 0, 1, 2);
    pGrid->addWidget(pWeek, 2, 0, 1, 2);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pText);
    pLayout->addWidget(m_pActive);
    pLayout->addLayout(pGeneral);
    pLayout->addLayout(pGrid);
    pLayout->addWidget(pNote);
    pLayout->addWidget(CreateButtons());
    UpdateEnabled();
    OrderTabsByControlNumber();
}

QString CDlgE_AnsMaschPerMsn::TimeTypeText(const CData_AllCfg& cfg, int nTimeType)
{
    const QString number = QString::number(nTimeType + 1) + QStringLiteral("  ");
    if (nTimeType < 0 || nTimeType >= CData_AllCfg::ANSMASCHTIMETYPE_MAX ||
        !cfg.m_AnsMaschTimeType[nTimeType].InUse())
        return number + String(TEXT_NOT_CONFIGURED);
    const CData_AnsMaschTimeType& w = cfg.m_AnsMaschTimeType[nTimeType];
    auto time = [](int nHour, int nMinute) {
        return QStringLiteral("%1:%2")
            .arg(nHour, 2, 10, QLatin1Char('0'))
            .arg(nMinute, 2, 10, QLatin1Char('0'));
    };
    return number + String(TEXT_START) + QLatin1Char(' ') + time(w.m_nStartHour, w.m_nStartMinute) +
           QStringLiteral("  ") + String(TEXT_END) + QLatin1Char(' ') + time(w.m_nEndHour, w.m_nEndMinute);
}

unsigned CDlgE_AnsMaschPerMsn::CheckTimes(const CData_AnsMaschPerMsn& entry, const CData_AllCfg& cfg)
{
    if (entry.m_nTiming)
        if (const unsigned nText = CheckWindow(cfg, entry.m_nTimeTypeDay))
            return nText;
    if (entry.m_nTimingWeek && entry.Number() >= 0 && entry.Number() < E::WEEK_RECORD_ENTRIES)
        for (int d = 0; d < E::WEEKDAYS; ++d)
            for (const int nTimeType :
                 {entry.m_anTimeTypeWeekTimeType1[d], entry.m_anTimeTypeWeekTimeType2[d]})
                if (const unsigned nText = CheckWindow(cfg, nTimeType))
                    return nText;
    return 0;
}

int CDlgE_AnsMaschPerMsn::NoMsnActive(const CData_AnsMaschPerMsn& entry, int nRow, const CData_AllCfg& cfg)
{
    if (!cfg.m_AnswerMaschine.m_nActive)
        return 0;
    for (int n = 0; n < CData_AllCfg::ANSMASCHPERMSN_MAX; ++n)
        if ((n == nRow ? entry : cfg.m_AnsMaschPerMsn[n]).m_nActive)
            return 0;
    return 1;
}

void CDlgE_AnsMaschPerMsn::StoreWeekday()
{
    const int d = m_nWeekday;
    m_anWeekAnnounce[d] = Value(m_pWeekAnnounce, m_anWeekAnnounce[d]);
    m_anWeekTimeType1[d] = Value(m_pWeekTimeType1, m_anWeekTimeType1[d]);
    m_anWeekTimeType2[d] = Value(m_pWeekTimeType2, m_anWeekTimeType2[d]);
}

void CDlgE_AnsMaschPerMsn::LoadWeekday(int nDay)
{
    if (nDay < 0 || nDay >= E::WEEKDAYS)
        return;
    m_nWeekday = nDay;
    Select(m_pWeekAnnounce, m_anWeekAnnounce[nDay]);
    Select(m_pWeekTimeType1, m_anWeekTimeType1[nDay]);
    Select(m_pWeekTimeType2, m_anWeekTimeType2[nDay]);
}

void CDlgE_AnsMaschPerMsn::UpdateEnabled()
{
    m_pTimeTypeDay->setEnabled(m_pTiming->isChecked());
    const bool bWeek = m_pTimingWeek->isVisibleTo(this) && m_pTimingWeek->isChecked();
    for (QWidget* p : {static_cast<QWidget*>(m_pWeekdays), static_cast<QWidget*>(m_pWeekAnnounce),
                       static_cast<QWidget*>(m_pWeekTimeType1), static_cast<QWidget*>(m_pWeekTimeType2)})
        p->setEnabled(bWeek);
}

void CDlgE_AnsMaschPerMsn::accept()
{
    StoreWeekday();
    CData_AnsMaschPerMsn entry = m_entry;
    entry.m_nActive = m_pActive->isChecked() ? 1 : 0;
    entry.m_nTiming = m_pTiming->isChecked() ? 1 : 0;
    if (m_pTimingWeek->isVisibleTo(this))
        entry.m_nTimingWeek = m_pTimingWeek->isChecked() ? 1 : 0;
    entry.m_nActivationTime = Value(m_pActivationTime, entry.m_nActivationTime);
    entry.m_nMainOperationMode = Value(m_pMainMode, entry.m_nMainOperationMode - 1) + 1;
    entry.m_nMinorOperationMode = Value(m_pMinorMode, entry.m_nMinorOperationMode - 1) + 1;
    entry.m_nMainAnnouncement = Value(m_pMainAnnouncement, entry.m_nMainAnnouncement);
    entry.m_nMinorAnnouncement = Value(m_pMinorAnnouncement, entry.m_nMinorAnnouncement);
    entry.m_nMaxMessageTime = Value(m_pMaxMessageTime, entry.m_nMaxMessageTime - 1) + 1;
    entry.m_nTimeTypeDay = Value(m_pTimeTypeDay, entry.m_nTimeTypeDay);
    for (int d = 0; d < E::WEEKDAYS; ++d)
    {
        entry.m_anTimeTypeWeekAnnounce[d] = m_anWeekAnnounce[d];
        entry.m_anTimeTypeWeekTimeType1[d] = m_anWeekTimeType1[d];
        entry.m_anTimeTypeWeekTimeType2[d] = m_anWeekTimeType2[d];
    }
    if (const unsigned nText = CheckTimes(entry, m_cfg))
    {
        Message(nText, CUi_Interface::ICON_WARNING);
        return;
    }
    if (NoMsnActive(entry, m_nRow, m_cfg))
        Message(TEXT_NO_MSN_ACTIVE, CUi_Interface::ICON_INFORMATION);
    m_entry = entry;
    if (m_nRow >= 0 && m_nRow < CData_AllCfg::ANSMASCHPERMSN_MAX)
        m_cfg.m_AnsMaschPerMsn[m_nRow] = m_entry;
    CUi_Dialog::accept();
}
