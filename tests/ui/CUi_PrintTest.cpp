// The about box and the phonebook's print preview, driven offscreen.

#include "ui/CUi_Print.h"

// The data headers come before Qt's: a system header that Qt includes defines NAME_MAX.
#include "data/CData_All.h"
#include "platform/CPlatform_Resource.h"
#include "print/CPrint_Painter.h"
#include "shell/CTest_AppFixture.h"
#include "support/CLang_Text.h"
#include "support/CVersion_Info.h"
#include "ui/CDlg_About.h"
#include "ui/CTest_Screenshot.h"
#include "ui/CUi_Texts.h"

#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
// An about box that records the version dialog it would open.
class CTestAbout : public CDlg_About
{
public:
    using CDlg_About::CDlg_About;
    int m_nVersionOpened = 0;

protected:
    void OpenVersionDialog() override { ++m_nVersionOpened; }
};

class UiAbout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1,
                  m_resource.LoadData("110\tR740Cf\n", "ProductName\tR740 Configurator\n"
                                                       "ProductVersion\t2, 10, 0, 157\n"
                                                       "CompanyName\tTalvo Telecom\n"
                                                       "LegalCopyright\tCopyright (C) 2005 Talvo Telecom\n"));
        CPlatform_Resource::SetCurrent(&m_resource);
    }
    void TearDown() override
    {
        CLang_Text::Set(nullptr);
        CPlatform_Resource::SetCurrent(nullptr);
    }

    CPlatform_Resource m_resource;
    CTest_ScriptedUi m_ui;
};

TEST_F(UiAbout, ShowsTheVersionTextEvenWhenTheLanguageFileNamesItsControl)
{
    CLang_Text texts;
    const std::string file = "__resText_DLG_CAPTION:IDD_ABOUTBOX 100 Info \xFC"
                             "ber R740Cf\nIDD_ABOUTBOX:IDC_ABOUT_STATIC 9271 placeholder\n";
    texts.ReadBuffer(file.data(), file.size());
    CLang_Text::Set(&texts);
    CDlg_About dlg;
    dlg.show();
    auto* pText = qobject_cast<QLabel*>(CUi_Texts::FindControl(&dlg, CDlg_About::IDC_ABOUT_STATIC));
    ASSERT_NE(nullptr, pText);
    const QString expected = QStringLiteral("R740 Configurator\n\nV 2.100, Build 157,  ") +
                             QString::fromLatin1(CVersion_Info::BuildDate().c_str()) + " " +
                             QString::fromLatin1(CVersion_Info::BuildTime().c_str()) +
                             "\n\nTalvo Telecom\nCopyright (C) 2005 Talvo Telecom";
    EXPECT_EQ(expected, pText->text());
    EXPECT_EQ(QStringLiteral("Info \u00FCber R740Cf"), dlg.windowTitle());
    SaveScreenshot(&dlg, "about_box");
}

struct CClickCase
{
    const char* pszWhat;
    Qt::MouseButton button;
    Qt::KeyboardModifiers mods;
    int nVersionOpened;
    size_t nBoxes;
};

class UiAboutClick : public UiAbout, public ::testing::WithParamInterface<CClickCase>
{
};

TEST_P(UiAboutClick, DoubleClickOpensWhatItShould)
{
    const CClickCase& c = GetParam();
    CData_Version version;
    CTestAbout dlg(&version);
    dlg.show();
    const QWidget* pText = CUi_Texts::FindControl(&dlg, CDlg_About::IDC_ABOUT_STATIC);
    ASSERT_NE(nullptr, pText);
    QTest::mouseDClick(&dlg, c.button, c.mods, pText->geometry().center());
    EXPECT_EQ(c.nVersionOpened, dlg.m_nVersionOpened) << c.pszWhat;
    ASSERT_EQ(c.nBoxes, m_ui.Shown().size()) << c.pszWhat;
    if (c.nBoxes)
    {
        EXPECT_EQ("Development Engineers", m_ui.Shown()[0].caption);
        EXPECT_EQ(CUi_Interface::ICON_INFORMATION, m_ui.Shown()[0].icon);
        EXPECT_EQ(CDlg_About::EngineersText(), m_ui.Shown()[0].text);
        EXPECT_NE(std::string::npos, m_ui.Shown()[0].text.find('\n')) << "one name per line";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UiAboutClick,
                         ::testing::Values(CClickCase{"left", Qt::LeftButton, Qt::NoModifier, 1, 0},
                                           CClickCase{"right with Shift and Ctrl", Qt::RightButton,
                                                      Qt::ShiftModifier | Qt::ControlModifier, 0, 1},
                                           CClickCase{"right with Ctrl only", Qt::RightButton,
                                                      Qt::ControlModifier, 0, 0},
                                           CClickCase{"right alone", Qt::RightButton, Qt::NoModifier, 0, 0}));

// The print preview of the view in both roles.
class UiPrintPreview : public CTest_AppFixture
{
protected:
    int PreviewPages(const char* pszShot)
    {
        const std::unique_ptr<QPrintPreviewDialog> pDialog = CUi_Print::CreatePreview(nullptr, App());
        auto* pPreview = pDialog->findChild<QPrintPreviewWidget*>();
        if (!pPreview)
            return -1;
        pDialog->resize(700, 600);
        pPreview->updatePreview();
        SaveScreenshot(pDialog.get(), pszShot);
        return pPreview->pageCount();
    }
};

TEST_F(UiPrintPreview, PhonebookRoleShowsThePagesOfTheList)
{
    m_table = TestBrandTable("TALVO", false, true);
    ASSERT_EQ(1, Start());
    for (int i = 0; i < 150; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "Entry " + std::to_string(i + 1);
        entry.m_strMsnExt = std::to_string(4711 + i);
        ASSERT_NE(nullptr, App().DocData().m_DialName.m_List.Append(entry));
    }
    const int nExpected =
        CPrint_Painter::Layout(CUi_Print::Printer(),
                               CPrint_PhonebookLayout::PrintLines(App().DocData().m_DialName))
            .PageCount();
    EXPECT_LT(1, nExpected);
    EXPECT_EQ(nExpected, PreviewPages("print_preview_phonebook"));
}

TEST_F(UiPrintPreview, ConfigurationRoleHasNoPages)
{
    ASSERT_EQ(1, Start());
    CData_DialName entry(0);
    entry.m_strName = "Entry";
    App().DocData().m_DialName.m_List.Append(entry);
    EXPECT_EQ(0, PreviewPages("print_preview_configuration"));
}
} // namespace
