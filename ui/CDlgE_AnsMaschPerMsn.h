#pragma once

// The answering machine's settings for one MSN (template 7004): active, the daily plan and (for
// the first three entries) the weekly plan with an announcement and two time windows per weekday,
// the operating modes and announcements inside and outside the plan, the activation delay and the
// message length. The dialog keeps its own copy of the seven weekday triples; OK checks the time
// windows the plans use and copies everything back into the configuration's entry.

#include "data/CData_AnsMaschPerMsn.h"
#include "ui/CUi_Dialog.h"

class CData_AllCfg;
class QCheckBox;
class QComboBox;
class QTabBar;

class CDlgE_AnsMaschPerMsn : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 7004;
    static constexpr unsigned IDC_ACTIVE = 9035;
    static constexpr unsigned IDC_ACTIVATIONTIME = 9037;
    static constexpr unsigned IDC_MAINOPERATIONMODE = 9039;
    static constexpr unsigned IDC_MAINANNOUNCEMENT = 9041;
    static constexpr unsigned IDC_MINORANNOUNCEMENT = 9043;
    static constexpr unsigned IDC_TIMING = 9044;
    static constexpr unsigned IDC_TIMINGWEEK = 9045;
    static constexpr unsigned IDC_MINOROPERATIONMODE = 9046;
    static constexpr unsigned IDC_WEEKANNOUNCE = 9048;
    static constexpr unsigned IDC_MAXMESSAGETIME = 9052;
    static constexpr unsigned IDC_WEEKDAYS = 9088;
    static constexpr unsigned IDC_TIMETYPEDAY = 9094;
    static constexpr unsigned IDC_WEEKTIMETYPE2 = 9096;
    static constexpr unsigned IDC_WEEKTIMETYPE1 = 9097;
    static constexpr unsigned IDC_TEXT = 9128;
    // Texts of the checks before OK.
    static constexpr unsigned TEXT_START_INVALID = 305;
    static constexpr unsigned TEXT_END_INVALID = 306;
    static constexpr unsigned TEXT_END_BEFORE_START = 307;
    static constexpr unsigned TEXT_NO_MSN_ACTIVE = 308;

    // nRow: the entry (0 to 10) of cfg that the dialog edits; OK writes it back there.
    CDlgE_AnsMaschPerMsn(int nRow, CData_AllCfg& cfg, QWidget* pParent = nullptr);

    const CData_AnsMaschPerMsn& Entry() const { return m_entry; }

    // The check of an entry before OK: 0 when its plans are usable, else the text that says why
    // not (305 to 307, for the first time window in use by a plan that is not right).
    static unsigned CheckTimes(const CData_AnsMaschPerMsn& entry, const CData_AllCfg& cfg);
    // 1 when the answering machine is on but no MSN entry (entry given in place of cfg's own at
    // its row) has it active: text 308, a warning that does not stop OK.
    static int NoMsnActive(const CData_AnsMaschPerMsn& entry, int nRow, const CData_AllCfg& cfg);
    // A time plan's text: its number and start and end times, or that it is not configured.
    static QString TimeTypeText(const CData_AllCfg& cfg, int nTimeType);

public slots:
    void accept() override;

private:
    void StoreWeekday();
    void LoadWeekday(int nDay);
    void UpdateEnabled();

    int m_nRow;
    CData_AllCfg& m_cfg;
    CData_AnsMaschPerMsn m_entry;
    // The weekday triples as the dialog holds them until OK.
    int m_anWeekAnnounce[CData_AnsMaschPerMsn::WEEKDAYS];
    int m_anWeekTimeType1[CData_AnsMaschPerMsn::WEEKDAYS];
    int m_anWeekTimeType2[CData_AnsMaschPerMsn::WEEKDAYS];
    int m_nWeekday = 0;
    QCheckBox* m_pActive;
    QCheckBox* m_pTiming;
    QCheckBox* m_pTimingWeek;
    QComboBox* m_pActivationTime;
    QComboBox* m_pMainMode;
    QComboBox* m_pMinorMode;
    QComboBox* m_pMainAnnouncement;
    QComboBox* m_pMinorAnnouncement;
    QComboBox* m_pMaxMessageTime;
    QComboBox* m_pTimeTypeDay;
    QTabBar* m_pWeekdays;
    QComboBox* m_pWeekAnnounce;
    QComboBox* m_pWeekTimeType1;
    QComboBox* m_pWeekTimeType2;
};
