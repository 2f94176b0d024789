#include "ui/CPpS_AlarmCall.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CUi_Texts.h"

#include <QButtonGroup>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
// Controls (template 7001), one of each per alarm call.
const unsigned s_anSettingGroup[] = {9022, 9026, 9033}; // the first button of each radio group
constexpr unsigned IDC_ALARM_DATETIME = 9116;           // 9116 to 9118
constexpr unsigned IDC_ALARM_TIME = 9119;               // 9119 to 9121
constexpr unsigned IDC_ALARM_TEXT1 = 9198;              // 9198 to 9200: first line
constexpr unsigned IDC_ALARM_TEXT2 = 9201;              // 9201 to 9203: second line

const char s_szDateTimeFormat[] = "dd.MM.yyyy HH:mm";
const char s_szTimeFormat[] = "HH:mm";

const char* const s_apszSetting[] = {"&Off", "O&nce", "&Daily", "&Weekdays"};
const char* const s_apszGroup[] = {"Alarm call 1", "Alarm call 2", "Alarm call 3"};
} // namespace

CPpS_AlarmCall::CPpS_AlarmCall(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pRow = new QGridLayout(Content());
    for (int nCall = 0; nCall < CData_AllCfg::ALARMCALL_MAX; ++nCall)
    {
        const unsigned nOffset = static_cast<unsigned>(nCall);
        QGroupBox* pGroup = AddGroup(0, s_apszGroup[nCall]);
        auto* pLayout = new QVBoxLayout(pGroup);

        std::vector<CRadio> radios;
        for (int nSetting = 0; nSetting < 4; ++nSetting)
            radios.push_back({s_anSettingGroup[nCall] + static_cast<unsigned>(nSetting),
                              s_apszSetting[nSetting], nSetting});
        QButtonGroup* pSettings = AddRadios(
            radios, [nCall](CData_All& d) -> int& { return d.m_Cfg.m_AlarmCall[nCall].m_nSetting; });
        for (QAbstractButton* pButton : pSettings->buttons())
            pLayout->addWidget(pButton);

        auto* pDateTime = new QDateTimeEdit(Content());
        CUi_Texts::SetControlNumber(pDateTime, IDC_ALARM_DATETIME + nOffset);
        pDateTime->setDisplayFormat(QString::fromLatin1(s_szDateTimeFormat));
        pDateTime->setCalendarPopup(true);
        // The file and the telephone keep the year as an offset from 2000 in two digits.
        pDateTime->setDateRange(QDate(CData_AlarmCall::YEAR_BASE, 1, 1),
                                QDate(CData_AlarmCall::YEAR_BASE + 99, 12, 31));
        pLayout->addWidget(AddLabel(IDC_STATIC_FIRST + 0, "D&ate", pDateTime));
        pLayout->addWidget(pDateTime);
        auto* pTime = new QTimeEdit(Content());
        CUi_Texts::SetControlNumber(pTime, IDC_ALARM_TIME + nOffset);
        pTime->setDisplayFormat(QString::fromLatin1(s_szTimeFormat));
        pLayout->addWidget(AddLabel(IDC_STATIC_FIRST + 1, "&Time", pTime));
        pLayout->addWidget(pTime);
        // Both show the alarm call's time; a change in one shows in the other.
        connect(pTime, &QTimeEdit::timeChanged, pDateTime,
                [pDateTime](const QTime& time) { pDateTime->setTime(time); });
        connect(pDateTime, &QDateTimeEdit::timeChanged, pTime,
                [pTime](const QTime& time) { pTime->setTime(time); });
        auto loaded = std::make_shared<QDateTime>();
        Bind(
            [this, nCall, pDateTime, loaded]
            {
                const CData_AlarmCall& call = Cfg().m_AlarmCall[nCall];
                pDateTime->setDateTime(QDateTime(QDate(call.m_nYear, call.m_nMonth, call.m_nDay),
                                                 QTime(call.m_nHour, call.m_nMinute)));
                *loaded = pDateTime->dateTime();
            },
            [this, nCall, pDateTime, loaded]
            {
                if (pDateTime->dateTime() == *loaded)
                    return;
                CData_AlarmCall& call = Cfg().m_AlarmCall[nCall];
                const QDateTime when = pDateTime->dateTime();
                call.m_nYear = when.date().year();
                call.m_nMonth = when.date().month();
                call.m_nDay = when.date().day();
                call.m_nHour = when.time().hour();
                call.m_nMinute = when.time().minute();
                *loaded = when;
            });

        // The text: its first 21 characters in the first line, the rest in the second.
        QLineEdit* pText1 = AddEdit(IDC_ALARM_TEXT1 + nOffset, TEXT_LINE_MAX, CLASS_NAME);
        QLineEdit* pText2 = AddEdit(IDC_ALARM_TEXT2 + nOffset, TEXT_LINE_MAX, CLASS_NAME);
        pLayout->addWidget(AddLabel(IDC_STATIC_FIRST + 2, "Te&xt", pText1));
        pLayout->addWidget(pText1);
        pLayout->addWidget(pText2);
        pText2->setAccessibleName(QStringLiteral("Text, second line"));
        auto loadedText = std::make_shared<QString>();
        Bind(
            [this, nCall, pText1, pText2, loadedText]
            {
                const QString text = CUi_Texts::FromCp1252(Cfg().m_AlarmCall[nCall].m_strInfotext);
                pText1->setText(text.left(TEXT_LINE_MAX));
                pText2->setText(text.mid(TEXT_LINE_MAX, TEXT_LINE_MAX));
                *loadedText = pText1->text() + pText2->text();
            },
            [this, nCall, pText1, pText2, loadedText]
            {
                const QString text = pText1->text() + pText2->text();
                if (text == *loadedText)
                    return;
                StrToInfotext(CUi_Texts::ToCp1252(text), Cfg().m_AlarmCall[nCall].m_strInfotext);
                *loadedText = text;
            });
        pLayout->addStretch(1);
        pRow->addWidget(pGroup, 0, nCall);
    }
    FinishControls();
}

void CPpS_AlarmCall::ApplyProperties()
{
    for (unsigned n = 0; n < CData_AllCfg::ALARMCALL_MAX; ++n)
    {
        SetShownWithLabel(IDC_ALARM_TEXT1 + n, Props().m_bEntryInfotext);
        SetShown(IDC_ALARM_TEXT2 + n, this, Props().m_bEntryInfotext);
    }
}
