#include "ui/CUi_Texts.h"

#include "support/CLang_Text.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace
{
CLang_Text Texts(const std::string& bytes)
{
    CLang_Text text;
    text.ReadBuffer(bytes.data(), bytes.size());
    return text;
}

const char s_szTexts[] = "__resText_DLG_CAPTION:IDD_DLG_TRANS 806 Data transfer\n"
                         "IDD_DLG_TRANS:ID_TRANS_CANCEL 2870 &Stop\n"
                         "IDD_DLG_TRANS:IDC_TRANS_INFO 1361 Please wait\\n(a moment)\n"
                         "IDD_DLG_TRANS:ID_TRANS_AGAIN 2860 \n"
                         "IDD_DLGE_PIN:IDOK 1 Send\n"
                         "__resText_DLG_CAPTION:IDD_DLGE_BASIC 1000 Basic settings\n"
                         "__resText_POPUP:POPUP_IDR_MAINFRAME_1 7101 &File\n"
                         "__resText_POPUP:POPUP_IDR_MAINFRAME_3 7103 &View\n"
                         "__resText_MENUITEM:MID_ID_FILE_OPEN 576010 &Open...\\tCtrl+O\n"
                         "__resText_MENUITEM:MID_ID_FILE_NEW 576000 \xC4nderung\n"
                         "__resText_MENUITEM:MID_ID_APP_EXIT 576650 E&xit\n";

TEST(UiTexts, DialogGetsCaptionAndTheTextsOfItsNumberedControls)
{
    const CLang_Text texts = Texts(s_szTexts);
    QDialog dlg;
    dlg.setWindowTitle("template caption");
    auto* pLayout = new QVBoxLayout(&dlg);
    auto* pGroup = new QGroupBox("group", &dlg);
    auto* pInner = new QVBoxLayout(pGroup);
    auto* pCancel = new QPushButton("Cancel", pGroup);
    auto* pAgain = new QPushButton("Again", &dlg);
    auto* pInfo = new QLabel("info", &dlg);
    auto* pUnnumbered = new QCheckBox("unnumbered", &dlg);
    auto* pSend = new QPushButton("OK", &dlg); // number 1 has a text only in another dialog
    pInner->addWidget(pCancel);
    for (QWidget* p :
         {static_cast<QWidget*>(pGroup), static_cast<QWidget*>(pAgain), static_cast<QWidget*>(pInfo),
          static_cast<QWidget*>(pUnnumbered), static_cast<QWidget*>(pSend)})
        pLayout->addWidget(p);
    CUi_Texts::SetControlNumber(pCancel, 2870);
    CUi_Texts::SetControlNumber(pAgain, 2860);
    CUi_Texts::SetControlNumber(pInfo, 1361);
    CUi_Texts::SetControlNumber(pSend, 1);

    CUi_Texts::ApplyDialog(&dlg, 806, &texts);

    EXPECT_EQ("Data transfer", dlg.windowTitle());
    EXPECT_EQ("&Stop", pCancel->text());
    EXPECT_EQ("Again", pAgain->text()); // empty language text leaves the template's
    EXPECT_EQ("Please wait\n(a moment)", pInfo->text());
    EXPECT_EQ("unnumbered", pUnnumbered->text());
    EXPECT_EQ("OK", pSend->text());
    EXPECT_EQ("group", pGroup->title());
    EXPECT_EQ(pCancel, CUi_Texts::FindControl(&dlg, 2870));
    EXPECT_EQ(pInfo, CUi_Texts::FindControl(&dlg, 1361));
    EXPECT_EQ(nullptr, CUi_Texts::FindControl(&dlg, 9999));
    EXPECT_EQ(nullptr, CUi_Texts::FindControl(&dlg, 0));
}

TEST(UiTexts, WindowMenuEntriesTakeThePopupTextsByPosition)
{
    const CLang_Text texts = Texts(s_szTexts);
    QMainWindow frame;
    for (const char* psz : {"file", "telephone", "view", "help"})
        frame.menuBar()->addMenu(psz);
    CUi_Texts::ApplyDialog(&frame, 110, &texts);
    const QList<QAction*> entries = frame.menuBar()->actions();
    ASSERT_EQ(4, entries.size());
    EXPECT_EQ("&File", entries[0]->text());
    EXPECT_EQ("telephone", entries[1]->text());
    EXPECT_EQ("&View", entries[2]->text());
    EXPECT_EQ(2u, CUi_Texts::Command(entries[2]));
    EXPECT_EQ("help", entries[3]->text());
}

TEST(UiTexts, PageCaptionBecomesItsTabTitle)
{
    const CLang_Text texts = Texts(s_szTexts);
    QTabWidget sheet;
    auto* pBasic = new QWidget;
    auto* pOther = new QWidget;
    sheet.addTab(pBasic, "Basic");
    sheet.addTab(pOther, "Other");
    EXPECT_EQ(1, CUi_Texts::ApplyTabTitle(&sheet, 0, 1000, &texts));
    EXPECT_EQ(0, CUi_Texts::ApplyTabTitle(&sheet, 1, 1900, &texts));
    EXPECT_EQ(0, CUi_Texts::ApplyTabTitle(&sheet, 7, 1000, &texts));
    EXPECT_EQ("Basic settings", sheet.tabText(0));
    EXPECT_TRUE(pBasic->property(CUi_Texts::OWN_TITLE_PROPERTY).toBool());
    EXPECT_EQ("Other", sheet.tabText(1));
    EXPECT_FALSE(pOther->property(CUi_Texts::OWN_TITLE_PROPERTY).toBool());
}

struct CMenuCase
{
    unsigned nCommand;
    const char* pszBefore;
    const char* pszAfter;
};

class UiMenuTexts : public ::testing::TestWithParam<CMenuCase>
{
};

TEST_P(UiMenuTexts, ItemTextsAreAppliedAsTheMenuOpens)
{
    const CLang_Text texts = Texts(s_szTexts);
    CLang_Text::Set(const_cast<CLang_Text*>(&texts));
    QMenu top;
    QMenu* pSub = top.addMenu("sub");
    QAction* pAction = pSub->addAction(QString::fromUtf8(GetParam().pszBefore));
    CUi_Texts::SetCommand(pAction, GetParam().nCommand);
    int nUpdates = 0;
    CUi_Texts::AttachMenu(&top,
                          [&](QAction* p)
                          {
                              EXPECT_EQ(pAction, p);
                              ++nUpdates;
                          });
    emit top.aboutToShow();
    CLang_Text::Set(nullptr);
    EXPECT_EQ(QString::fromUtf8(GetParam().pszAfter), pAction->text());
    EXPECT_EQ(1, nUpdates);
}

INSTANTIATE_TEST_SUITE_P(Rows, UiMenuTexts,
                         ::testing::Values(CMenuCase{57601, "Open", "&Open... \tCtrl+O"},
                                           CMenuCase{57600, "New", "\xC3\x84nderung"},
                                           CMenuCase{57665, "Quit", "E&xit"},
                                           CMenuCase{57665, "", ""},         // no text stays no text
                                           CMenuCase{57603, "Save", "Save"}, // no language text
                                           CMenuCase{0, "Unnumbered", "Unnumbered"}));

TEST(UiTexts, CodePage1252RoundTrip)
{
    const std::string bytes = "\x80\x8A\x9F \xC4\xD6\xDC\xE4\xF6\xFC\xDF \x81 abc";
    const QString text = CUi_Texts::FromCp1252(bytes);
    EXPECT_EQ(QChar(0x20AC), text[0]);
    EXPECT_EQ(QChar(0x0160), text[1]);
    EXPECT_EQ(QChar(0x0178), text[2]);
    EXPECT_EQ(QChar(0x00C4), text[4]);
    EXPECT_EQ(bytes, CUi_Texts::ToCp1252(text));
    EXPECT_EQ("?", CUi_Texts::ToCp1252(QString(QChar(0x4E2D))));
}

TEST(UiTexts, WithoutAStoreNothingChanges)
{
    CLang_Text::Set(nullptr);
    QDialog dlg;
    dlg.setWindowTitle("caption");
    auto* pButton = new QPushButton("button", &dlg);
    CUi_Texts::SetControlNumber(pButton, 2870);
    CUi_Texts::ApplyDialog(&dlg, 806);
    EXPECT_EQ("caption", dlg.windowTitle());
    EXPECT_EQ("button", pButton->text());
}
} // namespace
