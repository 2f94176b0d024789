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
#include <QTest>

#include <gtest/gtest.h>

namespace
{
// An about box that counts the version dialogs it would open.
class CTestAbout : public CDlg_About
{
public:
    using CDlg_About::CDlg_About;
    int m_nVersionOpened = 0;

protected:
    void OpenVersionDialog() override { ++m_nVersionOpened; }
};

struct CClickCase
{
    Qt::MouseButton button;
    Qt::KeyboardModifiers mods;
    int nVersionOpened;
    size_t nBoxes; // the developers' box
};

class UiAbout : public ::testing::TestWithParam<CClickCase>
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
        // A language file that names the text control as well: the version text stays the box's.
        const std::string file = "__resText_DLG_CAPTION:IDD_ABOUTBOX 100 Info \xFC"
                                 "ber R740Cf\nIDD_ABOUTBOX:IDC_ABOUT_STATIC 9271 placeholder\n";
        m_texts.ReadBuffer(file.data(), file.size());
        CLang_Text::Set(&m_texts);
    }
    void TearDown() override
    {
        CLang_Text::Set(nullptr);
        CPlatform_Resource::SetCurrent(nullptr);
    }

    CPlatform_Resource m_resource;
    CLang_Text m_texts;
    CTest_ScriptedUi m_ui;
};

TEST_P(UiAbout, ShowsTheVersionTextAndAnswersDoubleClicks)
{
    const CClickCase& c = GetParam();
    CData_Version version;
    CTestAbout dlg(&version);
    dlg.show();
    const auto* pText = qobject_cast<QLabel*>(CUi_Texts::FindControl(&dlg, CDlg_About::IDC_ABOUT_STATIC));
    ASSERT_NE(nullptr, pText);
    EXPECT_EQ(QStringLiteral("R740 Configurator\n\nV 2.100, Build 157,  ") +
                  QString::fromStdString(CVersion_Info::BuildDate() + " " + CVersion_Info::BuildTime()) +
                  "\n\nTalvo Telecom\nCopyright (C) 2005 Talvo Telecom",
              pText->text());
    EXPECT_EQ(QStringLiteral("Info \u00FCber R740Cf"), dlg.windowTitle());
    SaveScreenshot(&dlg, "about_box");

    QTest::mouseDClick(&dlg, c.button, c.mods, pText->geometry().center());
    EXPECT_EQ(c.nVersionOpened, dlg.m_nVersionOpened);
    ASSERT_EQ(c.nBoxes, m_ui.Shown().size());
    if (c.nBoxes)
    {
        EXPECT_EQ("Development Engineers", m_ui.Shown()[0].caption);
        EXPECT_EQ(CUi_Interface::ICON_INFORMATION, m_ui.Shown()[0].icon);
        EXPECT_EQ(CDlg_About::EngineersText(), m_ui.Shown()[0].text);
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, UiAbout,
                         ::testing::Values(CClickCase{Qt::LeftButton, Qt::NoModifier, 1, 0},
                                           CClickCase{Qt::RightButton,
                                                      Qt::ShiftModifier | Qt::ControlModifier, 0, 1},
                                           CClickCase{Qt::RightButton, Qt::ControlModifier, 0, 0},
                                           CClickCase{Qt::RightButton, Qt::NoModifier, 0, 0}));

class UiPrintPreview : public CTest_AppFixture
{
protected:
    // The pages the preview of a phonebook of 150 entries shows.
    int PreviewPages(const char* pszShot)
    {
        for (int i = 0; i < 150; ++i)
        {
            CData_DialName entry(i);
            entry.m_strName = "Entry " + std::to_string(i + 1);
            entry.m_strMsnExt = std::to_string(4711 + i);
            App().DocData().m_DialName.m_List.Append(entry);
        }
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

TEST_F(UiPrintPreview, OnlyThePhonebookRoleHasPages)
{
    m_table = TestBrandTable("TALVO", false, true);
    ASSERT_EQ(1, Start());
    const int nPages = PreviewPages("print_preview_phonebook");
    EXPECT_EQ(CPrint_Painter::Layout(CUi_Print::Printer(),
                                     CPrint_PhonebookLayout::PrintLines(App().DocData().m_DialName))
                  .PageCount(),
              nPages);
    EXPECT_LT(1, nPages);

    m_pApp.reset();
    m_table = TestBrandTable("TALVO");
    ASSERT_EQ(1, Start());
    EXPECT_EQ(0, PreviewPages("print_preview_configuration"));
}
} // namespace
