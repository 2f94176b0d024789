// The pages' own rules: the link page's buttons and the port pane, the alarm calls' two time
// controls, the answering machine's marks and messages, the charge sum.

#include "CTest_UiApp.h"

#include "data/CData_Types.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CPpS_AnswerMachine.h"
#include "ui/CPpS_PayCounter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace
{
class CPpS_PagesTest : public CTest_UiApp
{
protected:
    CPp_Page* ActivateRole(CR740CfView::EPageRole role)
    {
        const int nIndex = View().PageIndex(role);
        return nIndex >= 0 ? Activate(nIndex) : nullptr;
    }
};
} // namespace

TEST_F(CPpS_PagesTest, LinkPageFollowsThePhoneTypesLinkAndSetsThePortPane)
{
    ASSERT_EQ(1, Start("TALVO_pb"));
    ASSERT_NE(nullptr, ActivateRole(CR740CfView::ROLE_COMM));
    auto* pUsb = Control<QRadioButton>(9003);
    auto* pSerial = Control<QRadioButton>(9004);
    auto* pPabx = Control<QRadioButton>(9076);
    auto* pPort = Control<QComboBox>(1521);
    ASSERT_TRUE(pUsb && pSerial && pPabx && pPort);
    // The phonebook program chooses freely between USB and a serial port; the PABX needs its run.
    EXPECT_FALSE(pPabx->isEnabled());
    QTest::mouseClick(pSerial, Qt::LeftButton);
    EXPECT_TRUE(pPort->isEnabled());
    pPort->setCurrentIndex(pPort->findData(3));
    QTest::mouseClick(pUsb, Qt::LeftButton);
    EXPECT_EQ(0, App().m_nConnection);
    EXPECT_EQ(3, App().m_nComPort); // the port was stored before the kind changed
    EXPECT_FALSE(pPort->isEnabled());
    QTest::mouseClick(pSerial, Qt::LeftButton);
    EXPECT_EQ(1, App().m_nConnection);
    EXPECT_EQ(QStringLiteral(" COM3"), Frame().PortPaneText()); // the pane follows the choice at once
    // The receive and send buttons start the phonebook transfers.
    QTest::mouseClick(Control<QPushButton>(1510), Qt::LeftButton);
    ASSERT_EQ(1u, m_transfers.size());
    EXPECT_EQ(4, m_transfers[0].first);
}

TEST_F(CPpS_PagesTest, ConfiguratorLinkPageTakesTheLinkOfThePhoneType)
{
    ASSERT_EQ(1, Start("TALVO"));
    App().DerivatToProperties(PHONETYPE_RV930); // USB
    ASSERT_NE(nullptr, ActivateRole(CR740CfView::ROLE_COMM));
    EXPECT_TRUE(Control<QRadioButton>(9003)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(9004)->isEnabled());
    EXPECT_TRUE(Frame().PortPaneShown());
    EXPECT_EQ(" USB", Frame().PortPaneText());
    App().DerivatToProperties(PHONETYPE_RV740); // serial port, no port pane
    View().MoveDataDocToView();
    EXPECT_TRUE(Control<QRadioButton>(9004)->isChecked());
    EXPECT_TRUE(Control<QComboBox>(1521)->isEnabled());
    EXPECT_FALSE(Frame().PortPaneShown());
}

TEST_F(CPpS_PagesTest, AlarmCallsTimeIsOneValueInBothControls)
{
    ASSERT_EQ(1, Start("TALVO"));
    CData_AlarmCall& call = Doc().m_Cfg.m_AlarmCall[1];
    call.m_nYear = 2024;
    call.m_nMonth = 2;
    call.m_nDay = 29;
    call.m_nHour = 6;
    call.m_nMinute = 30;
    ASSERT_NE(nullptr, ActivateRole(CR740CfView::ROLE_ALARMCALL));
    auto* pDateTime = Control<QDateTimeEdit>(9117);
    auto* pTime = Control<QDateTimeEdit>(9120);
    ASSERT_TRUE(pDateTime && pTime);
    EXPECT_EQ(QStringLiteral("29.02.2024 06:30"), pDateTime->text());
    EXPECT_EQ(QStringLiteral("06:30"), pTime->text());
    pTime->setTime(QTime(7, 45));
    EXPECT_EQ(QStringLiteral("29.02.2024 07:45"), pDateTime->text());
    View().MoveDataViewToDoc();
    EXPECT_EQ(7, call.m_nHour);
    EXPECT_EQ(45, call.m_nMinute);
    EXPECT_EQ(29, call.m_nDay);
    EXPECT_EQ(2024, call.m_nYear);
}

TEST_F(CPpS_PagesTest, AnsweringMachineMarksMissingAnnouncementsAndNeedsAnMsnNumber)
{
    ASSERT_EQ(1, Start("TALVO"));
    App().DerivatToProperties(PHONETYPE_RV930);
    Doc().m_Cfg.m_VersionModule[0].m_nModuleType = MODULETYPE_AB;
    Doc().m_Cfg.m_MsnPara[0].m_strMsn = "4711";
    View().OnInitialUpdate();
    CPp_Page* pPage = ActivateRole(CR740CfView::ROLE_ANSWERMACHINE);
    ASSERT_NE(nullptr, pPage);
    auto* pFull = Control<QCheckBox>(9023);
    ASSERT_NE(nullptr, pFull);
    EXPECT_TRUE(pFull->text().endsWith(QStringLiteral(" *")));
    // Switching on a message the telephone has not recorded asks; No switches it off again.
    m_ui.QueueAnswer(CUi_Interface::ANSWER_NO);
    // A click on the box itself (a stretched check box takes clicks on its box and text only).
    QTest::mouseClick(pFull, Qt::LeftButton, Qt::NoModifier, QPoint(6, pFull->height() / 2));
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ("Announcement not available", m_ui.Shown()[0].text);
    EXPECT_FALSE(pFull->isChecked());
    EXPECT_EQ(0, Doc().m_Cfg.m_AnswerMaschine.m_nMessageOnFullAM);
    // A row of an MSN without a number is not opened; the text says why.
    emit pPage->List()->RowOpened(1);
    ASSERT_EQ(2u, m_ui.Shown().size());
    EXPECT_EQ("No MSN", m_ui.Shown()[1].text);
    // The last row is the general entry, numbered 11.
    CListCtrl_RepBar* pList = pPage->List();
    EXPECT_EQ("  11", pList->ItemText(pList->RowCount() - 1, 0));
    EXPECT_EQ(CPpS_AnswerMachine::GENERAL_ENTRY, pList->ItemData(pList->RowCount() - 1));
}

TEST_F(CPpS_PagesTest, ChargeSumInUnitsAndAsAnAmount)
{
    struct CRow
    {
        uint64_t nUnits;
        const char* pszMult;
        const char* pszAmount;
    };
    for (const CRow& row : {CRow{0, "0,12", "0,00"}, CRow{100, "0,12", "12,00"}, CRow{7, "1", "7"},
                            CRow{3, "0,005", "0,015"}, CRow{4294967295ull * 10, "9999", "429453779827050"}})
        EXPECT_EQ(row.pszAmount, CPpS_PayCounter::Amount(row.nUnits, row.pszMult))
            << row.nUnits << " " << row.pszMult;

    ASSERT_EQ(1, Start("TALVO"));
    Doc().m_Cfg.m_MsnPara[0].m_nPayCounter = 70000;
    Doc().m_Cfg.m_MsnPara[9].m_nPayCounter = 30;
    CPp_Page* pPage = ActivateRole(CR740CfView::ROLE_PAYCOUNTER);
    ASSERT_NE(nullptr, pPage);
    CListCtrl_RepBar* pList = pPage->List();
    ASSERT_EQ(11, pList->RowCount());
    EXPECT_EQ("       70030", pList->ItemText(10, 2));
    EXPECT_TRUE(pList->ItemText(10, 1).contains(QStringLiteral("8403,60 EUR")))
        << pList->ItemText(10, 1).toStdString();
}

TEST_F(CPpS_PagesTest, ChoicesAndVolumeLabelsFollowTheLanguageAndKeepTheirValues)
{
    ASSERT_EQ(1, Start("TALVO", {}, "GER"));
    Doc().m_Cfg.m_Basic.m_nSilence = 2;
    Doc().m_Cfg.m_Basic.m_nStatusLed = 2;
    CPp_Page* pPage = nullptr;
    for (int i = 0; i < Sheet().count() && !pPage; ++i)
        if (CPp_Page* p = Activate(i); p && p->TemplateNumber() == 1001)
            pPage = p;
    ASSERT_NE(nullptr, pPage);
    auto* pSilence = Control<QComboBox>(1147);
    auto* pLed = Control<QComboBox>(9237);
    ASSERT_TRUE(pSilence && pLed);
    EXPECT_EQ(QString::fromUtf8("Aus au\xC3\x9F"
                                "er Hinweisen"),
              pSilence->currentText());
    EXPECT_EQ(QStringLiteral("Blinkend"), pLed->currentText());
    EXPECT_EQ(QStringLiteral("&Lautsprecher"), Control<QLabel>(6113)->text());
    // Choosing a German text stores the block's value.
    pSilence->setCurrentIndex(pSilence->findText(QStringLiteral("Ein")));
    View().MoveDataViewToDoc();
    EXPECT_EQ(1, Doc().m_Cfg.m_Basic.m_nSilence);
}
