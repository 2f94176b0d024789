// The transfer dialog in the window program: a link that does not open, and a read from the
// telephone emulator, an edit on a page and a send with the PIN, found in the emulator's state.

#include "CTest_UiApp.h"

#include "CTest_Screenshot.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_QtTimerService.h"
#include "shell/CR740CfDoc.h"
#include "sim/CTest_Emulator.h"
#include "support/CUi_Interface.h"
#include "transfer/CLayerPP_Data.h"
#include "transfer/CLayerPP_SlpV24.h"
#include "ui/CDlg_Trans.h"
#include "ui/CUi_Commands.h"
#include "ui/CUi_TransferRunner.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace
{
class CDlg_TransTest : public CTest_UiApp
{
protected:
    void SetUp() override
    {
        CTest_UiApp::SetUp();
        CPlatform_TimerService::SetCurrent(&m_timers);
        CLayerPP_SlpV24::SetLibraryName(R740_SLPV24_LIBRARY);
    }
    void TearDown() override
    {
        CTest_UiApp::TearDown();
        CPlatform_TimerService::SetCurrent(nullptr);
        CLayerPP_SlpV24::SetLibraryName(std::string());
        ::unsetenv("SLPV24_DEVICE");
    }
    // The transfer dialog that is open now; nullptr when there is none.
    static CDlg_Trans* OpenDialog() { return qobject_cast<CDlg_Trans*>(QApplication::activeModalWidget()); }

    // The PIN dialog that opens next is answered with the telephone's PIN.
    static void TypePinWhenAsked()
    {
        QTimer::singleShot(
            0,
            []
            {
                QWidget* pDialog = QApplication::activeModalWidget();
                auto* pPin =
                    pDialog ? qobject_cast<QLineEdit*>(CUi_Texts::FindControl(pDialog, 3311)) : nullptr;
                auto* pOk =
                    pDialog ? qobject_cast<QPushButton*>(CUi_Texts::FindControl(pDialog, 1)) : nullptr;
                if (!pPin || !pOk)
                    return;
                pPin->setText(QStringLiteral("5182"));
                pOk->click();
            });
    }

    CPlatform_QtTimerService m_timers;
};

TEST_F(CDlg_TransTest, ALinkThatDoesNotOpenOffersRetry)
{
    ASSERT_EQ(1, Start("TALVO"));
    // A link kind without a stack: the open fails at once.
    CDlg_Trans dialog(App(), CLayerPP_Data::MODE_RX_CFG, 3, &Frame());
    dialog.show();
    QApplication::processEvents();
    auto* pInfo = qobject_cast<QLabel*>(CUi_Texts::FindControl(&dialog, CDlg_Trans::IDC_TRANS_INFO));
    auto* pAgain = qobject_cast<QPushButton*>(CUi_Texts::FindControl(&dialog, CDlg_Trans::ID_TRANS_AGAIN));
    auto* pCancel = qobject_cast<QPushButton*>(CUi_Texts::FindControl(&dialog, CDlg_Trans::ID_TRANS_CANCEL));
    ASSERT_TRUE(pInfo && pAgain && pCancel);
    EXPECT_EQ(CUi_Texts::FromCp1252(CData_UiText(420)), pInfo->text());
    EXPECT_TRUE(pAgain->isVisible());
    EXPECT_EQ(QStringLiteral("Data transfer"), dialog.windowTitle());
    SaveScreenshot(&dialog, "dlg_trans_open_failed");
    QTest::mouseClick(pCancel, Qt::LeftButton);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_EQ(0, dialog.Transfer().Result());

    // A serial device that is not there: the text names it with the system's reason.
    ::setenv("SLPV24_DEVICE", "/nonexistent/ttyS0", 1);
    CDlg_Trans serial(App(), CLayerPP_Data::MODE_RX_CFG, CApp_TransferRunner::LINK_SERIAL, &Frame());
    serial.show();
    QApplication::processEvents();
    pInfo = qobject_cast<QLabel*>(CUi_Texts::FindControl(&serial, CDlg_Trans::IDC_TRANS_INFO));
    ASSERT_TRUE(pInfo);
    EXPECT_EQ(CUi_Texts::FromCp1252(CData_UiText(420)) + "\n/nonexistent/ttyS0: No such file or directory",
              pInfo->text());
    SaveScreenshot(&serial, "dlg_trans_no_device");
    serial.reject();
}

TEST_F(CDlg_TransTest, ReadFromTheEmulatorEditAPageAndSendWithThePin)
{
    CTest_TempDir dir;
    const std::string state = dir.File("phone.cfg");
    TestWriteFile(state, TestReadFile(TestSourcePath("resources/samples/RV930.cfg")));
    CTest_Emulator sim({"--state", state, "--phone-type", "RV930", "--modules", "AB,E920,NON,NON"});
    ASSERT_FALSE(sim.Device().empty());
    ::setenv("SLPV24_DEVICE", sim.Device().c_str(), 1);

    ASSERT_EQ(1, Start("TALVO"));
    CUi_TransferRunner runner(App(), &Frame());
    App().SetTransferRunner(&runner);
    App().m_nTimerOpen = 8000;
    App().m_nTimerData = 1500;
    ASSERT_EQ(1, App().m_nConnection); // serial port: the brand's RV740, no port pane
    ASSERT_FALSE(Frame().PortPaneShown());

    // A picture of the dialog at work.
    QTimer shot;
    bool bShot = false;
    QObject::connect(&shot, &QTimer::timeout,
                     [&bShot]
                     {
                         CDlg_Trans* pDialog = OpenDialog();
                         if (bShot || !pDialog || pDialog->Transfer().Line().empty())
                             return;
                         bShot = true;
                         SaveScreenshot(pDialog, "dlg_trans_running");
                     });
    shot.start(10);

    ASSERT_EQ(1, Frame().OnCommand(ID_FILE_RX_CFG));
    ASSERT_TRUE(App().PhoneImageValid()) << "the read was done";
    EXPECT_EQ(PHONETYPE_RV930, Doc().m_Version.m_nPhoneType);
    // The RV930 read has a USB link: the link page, the link of the next transfer and the port
    // pane all say so.
    EXPECT_EQ(0, App().m_nConnection); // USB
    EXPECT_TRUE(Frame().PortPaneShown());
    EXPECT_EQ(QStringLiteral(" USB"), Frame().PortPaneText());
    const std::string unitName = Doc().m_Cfg.m_Basic.m_strUnitName;
    EXPECT_FALSE(unitName.empty());

    Activate(0);
    auto* pUnitName = Control<QLineEdit>(1023);
    ASSERT_NE(nullptr, pUnitName);
    EXPECT_EQ(CUi_Texts::FromCp1252(unitName), pUnitName->text());
    pUnitName->setFocus();
    pUnitName->selectAll();
    Type(pUnitName, QStringLiteral("Werkstatt"));

    TypePinWhenAsked();
    ASSERT_EQ(1, Frame().OnCommand(ID_FILE_TX_CFG));
    EXPECT_EQ(CApp_TransferRunner::OUTCOME_DONE, runner.LastOutcome().nOutcome)
        << runner.LastOutcome().reason;
    App().SetTransferRunner(&m_runner);

    ASSERT_EQ(0, sim.Stop()) << sim.Err();
    const std::string phone = TestReadFile(state);
    EXPECT_NE(std::string::npos, phone.find("\r\nUnitName=Werkstatt\r\n"));
}

// A telephone that stores another value than it was sent: the send is read back, the user is told
// the block and the backup, and the backup holds what the telephone held before the send.
TEST_F(CDlg_TransTest, AWriteIsReadBackAndAnAlteredBlockIsShownWithTheBackup)
{
    CTest_TempDir dir;
    CTest_Emulator sim({"--phone-type", "RV930", "--modules", "AB,E920,NON,NON", "--version", "4.10",
                        "--alter-block", "MsnPara_00000000"});
    ASSERT_FALSE(sim.Device().empty());
    ::setenv("SLPV24_DEVICE", sim.Device().c_str(), 1);
    ASSERT_EQ(1, Start("TALVO"));
    CUi_TransferRunner runner(App(), &Frame());
    App().SetTransferRunner(&runner);
    App().m_nTimerOpen = 8000;
    App().m_nTimerData = 1500;

    ASSERT_EQ(1, Frame().OnCommand(ID_FILE_RX_CFG));
    const std::string document = dir.File("office.cfg");
    ASSERT_EQ(1, App().Document()->OnSaveDocument(document));
    App().Document()->SetPathName(document, false);
    // A number the telephone keeps otherwise; the last read is not known, so the telephone is read
    // for the backup first.
    Doc().m_Cfg.m_MsnPara[0].m_strMsn = "301234";
    App().MoveDataDocToView();
    App().SetPhoneImageValid(false);
    TypePinWhenAsked();
    m_ui.QueueAnswer(CUi_Interface::ANSWER_OK);

    ASSERT_EQ(1, Frame().OnCommand(ID_FILE_TX_CFG));
    App().SetTransferRunner(&m_runner);

    const std::string backup = document + ".phone-backup.cfg";
    ASSERT_EQ(1u, m_ui.Shown().size());
    const std::string& text = m_ui.Shown()[0].text;
    EXPECT_NE(std::string::npos, text.find("\nMsnPara_00000000")) << text;
    EXPECT_NE(std::string::npos, text.find(backup)) << text;
    EXPECT_EQ(CUi_Interface::ICON_WARNING, m_ui.Shown()[0].icon);
    EXPECT_EQ(TestReadFile(document), TestReadFile(backup));
    ASSERT_EQ(0, sim.Stop()) << sim.Err();
}
} // namespace
