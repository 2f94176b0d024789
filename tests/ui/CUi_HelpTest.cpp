// Help in the running program: every page and dialog has its help, F1 shows the help of the page
// or dialog in front, and the first steps come once, naming the emulated telephone.

#include "CTest_UiApp.h"

#include "CTest_Screenshot.h"
#include "support/CLang_Help.h"
#include "ui/CDlgE_AnsMaschPerMsn.h"
#include "ui/CDlgE_CallFilter.h"
#include "ui/CDlgE_DialFilter.h"
#include "ui/CDlgE_DialName.h"
#include "ui/CDlgE_DialVip.h"
#include "ui/CDlgE_Key.h"
#include "ui/CDlgE_MsnPara.h"
#include "ui/CDlgE_Pin.h"
#include "ui/CDlg_About.h"
#include "ui/CDlg_Find.h"
#include "ui/CDlg_Import_NameMsn.h"
#include "ui/CDlg_Import_NameMsn_Ex.h"
#include "ui/CDlg_Import_vCard.h"
#include "ui/CDlg_Macro.h"
#include "ui/CDlg_Prefix.h"
#include "ui/CDlg_Trans.h"
#include "ui/CDlg_Version.h"
#include "ui/CPpE_Basic.h"
#include "ui/CPpE_BasicDial.h"
#include "ui/CPpE_BasicSignal.h"
#include "ui/CPpS_AlarmCall.h"
#include "ui/CPpS_AnswerMachine.h"
#include "ui/CPpS_CallFilter.h"
#include "ui/CPpS_Comm.h"
#include "ui/CPpS_DialFilter.h"
#include "ui/CPpS_DialName.h"
#include "ui/CPpS_DialVip.h"
#include "ui/CPpS_Key.h"
#include "ui/CPpS_Messaging.h"
#include "ui/CPpS_Module.h"
#include "ui/CPpS_MsnPara.h"
#include "ui/CPpS_PayCounter.h"
#include "ui/CPpS_Update.h"
#include "ui/CUi_Commands.h"
#include "ui/CUi_HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

namespace
{
TEST(UiHelpTable, EveryPageAndDialogHasItsHelp)
{
    const unsigned anTemplates[] = {
        CPpE_Basic::IDD,
        CPpE_BasicSignal::IDD,
        CPpE_BasicDial::IDD,
        CPpS_MsnPara::IDD,
        CPpS_DialVip::IDD,
        CPpS_Key::IDD,
        CPpS_DialFilter::IDD,
        CPpS_PayCounter::IDD,
        CPpS_DialName::IDD,
        CPpS_AlarmCall::IDD,
        CPpS_AnswerMachine::IDD,
        CPpS_Messaging::IDD,
        CPpS_Update::IDD,
        CPpS_Module::IDD,
        CPpS_Comm::IDD,
        CPpS_CallFilter::IDD,
        CDlgE_AnsMaschPerMsn::TEMPLATE,
        CDlgE_CallFilter::TEMPLATE,
        CDlgE_DialFilter::TEMPLATE,
        CDlgE_DialName::TEMPLATE,
        CDlgE_DialVip::TEMPLATE,
        CDlgE_Key::TEMPLATE,
        CDlgE_MsnPara::TEMPLATE,
        CDlgE_Pin::TEMPLATE,
        CDlg_About::TEMPLATE,
        CDlg_Find::IDD,
        CDlg_Import_NameMsn::IDD,
        CDlg_Import_NameMsn_Ex::IDD,
        CDlg_Import_vCard::IDD,
        CDlg_Macro::TEMPLATE,
        CDlg_Prefix::IDD,
        CDlg_Version::TEMPLATE,
        CDlg_Trans::TEMPLATE,
    };
    for (unsigned nTemplate : anTemplates)
        EXPECT_NE(nullptr, CLang_Help::Find(nTemplate)) << nTemplate;
}

class CUiHelpTest : public CTest_UiApp
{
protected:
    // The shipped help below the program directory, as an installation has it.
    void PlantHelp()
    {
        for (const char* pszLanguage : {"UK", "GER"})
        {
            const QString from =
                QString::fromStdString(TestSourcePath("resources/help/R740Cf_")) + pszLanguage;
            const QString to = QString::fromStdString(m_workDir.File("Help/R740Cf_")) + pszLanguage;
            QDir().mkpath(to);
            for (const QString& name : QDir(from).entryList(QDir::Files))
                QFile::copy(from + "/" + name, to + "/" + name);
        }
    }
    QString Shown() const
    {
        CUi_HelpViewer* pViewer = m_pFrame->HelpViewer();
        return pViewer ? pViewer->PagePath() : QString();
    }
};

TEST_F(CUiHelpTest, FirstStepsOnceThenF1ShowsTheHelpOfThePageOrDialogInFront)
{
    PlantHelp();
    qputenv("SLPV24_DEVICE", "/dev/pts/77");
    ASSERT_EQ(1, Start("TALVO", {}, "GER"));
    ASSERT_EQ(1, Frame().ShowFirstRunHint());
    qunsetenv("SLPV24_DEVICE");
    EXPECT_TRUE(Shown().endsWith("Help/R740Cf_GER/welcome.html")) << Shown().toStdString();
    const QString text = Frame().HelpViewer()->Browser()->toPlainText();
    EXPECT_TRUE(text.contains("SLPV24_DEVICE=/dev/pts/77")) << text.toStdString();
    EXPECT_EQ(QStringLiteral("Schließen"), Frame().HelpViewer()->findChild<QPushButton*>()->text());
    SaveScreenshot(Frame().HelpViewer(), "help_first_steps_ger");
    // Beside the window where the screen has room, else at the screen's edge: it never covers
    // more of the window than the screen makes it.
    const QRect screen = Frame().screen()->availableGeometry();
    const QRect help = Frame().HelpViewer()->frameGeometry();
    EXPECT_TRUE(help.left() > Frame().frameGeometry().right() || help.right() <= screen.right())
        << help.left() << " " << help.right() << " " << screen.right();
    // Remembered in the settings: not again, not in the next run either.
    EXPECT_EQ(0, Frame().ShowFirstRunHint());

    Activate(2);
    ASSERT_EQ(1, Frame().OnCommand(ID_HELP));
    EXPECT_TRUE(Shown().endsWith("R740Cf_GER/dialling.html")) << Shown().toStdString();
    QTest::keyClick(View().ActivePage(), Qt::Key_F1);
    EXPECT_TRUE(Shown().endsWith("R740Cf_GER/dialling.html")) << Shown().toStdString();

    {
        CDlgE_Pin pin("1234", &Frame());
        pin.show();
        QTest::keyClick(&pin, Qt::Key_F1);
        EXPECT_TRUE(Shown().endsWith("R740Cf_GER/transfer.html")) << Shown().toStdString();
        EXPECT_TRUE(Frame().HelpViewer()->Browser()->source().fragment() == QStringLiteral("pin"));
        SaveScreenshot(Frame().HelpViewer(), "help_pin_ger");
        pin.reject();
    }

    TearDown();
    SetUp();
    ASSERT_EQ(1, Start("TALVO", {}, "UK"));
    EXPECT_EQ(0, Frame().ShowFirstRunHint());
}

TEST_F(CUiHelpTest, WithoutHelpFilesF1BeepsAndNothingOpens)
{
    ASSERT_EQ(1, Start());
    EXPECT_EQ(0, Frame().ShowFirstRunHint());
    CUi_Beep::Reset();
    Frame().OnCommand(ID_HELP);
    EXPECT_EQ(nullptr, Frame().HelpViewer());
    EXPECT_EQ(1, CUi_Beep::Count());
}
} // namespace
