// The main window: commands and their rules, title, status bar, the document's modified flag,
// the phonebook's operations, an edit-save round trip through the controls, and the pictures of
// every page.

#include "CTest_UiApp.h"

#include "CTest_Screenshot.h"
#include "CTest_Untranslated.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "testsupport/CTest_TraceCapture.h"
#include "transfer/CLayerPP_Data.h"
#include "ui/CDlg_Find.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CPpS_DialName.h"
#include "ui/CUi_Commands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace
{
class CMainFrameTest : public CTest_UiApp
{
protected:
    void FillPhonebook(int nEntries)
    {
        CData_AllDialName& book = Doc().m_DialName;
        book.m_List.Clear();
        for (int i = 0; i < nEntries; ++i)
        {
            CData_DialName entry(i);
            entry.m_strName = "Name " + std::to_string(1000 + i);
            entry.m_strMsnExt = std::to_string(5550000 + i);
            book.m_List.Insert(entry);
        }
        View().MoveDataDocToView();
        Frame().UpdateCommandUI();
    }
    bool Enabled(unsigned nCommand)
    {
        QAction* pAction = Frame().Action(nCommand);
        return pAction && pAction->isEnabled();
    }
    static CData_DialName Entry(const char* pszName, const char* pszNumber)
    {
        CData_DialName entry;
        entry.m_strName = pszName;
        entry.m_strMsnExt = pszNumber;
        return entry;
    }
};

// What a saved file holds under a section and key.
std::string FileValue(const std::string& file, const std::string& section, const std::string& key)
{
    const size_t nSection = file.find("[" + section + "]");
    if (nSection == std::string::npos)
        return "<no section>";
    const size_t nKey = file.find("\n" + key + "=", nSection);
    const size_t nNext = file.find("\n[", nSection + 1);
    if (nKey == std::string::npos || (nNext != std::string::npos && nKey > nNext))
        return "<no key>";
    const size_t nValue = nKey + key.size() + 2;
    return file.substr(nValue, file.find_first_of("\r\n", nValue) - nValue);
}
} // namespace

TEST_F(CMainFrameTest, PhonebookCommandsFollowTheEntriesAndTheActivePage)
{
    ASSERT_EQ(1, Start("TALVO_pb"));
    const unsigned anOthers[] = {ID_DIALNAME_EDIT, ID_DIALNAME_DELETE, ID_DIALNAME_FIND, ID_DIALNAME_PREFIX};
    struct CRow
    {
        int nEntries;
        bool bNew;
        bool bOthers;
    };
    for (const CRow& row : {CRow{0, true, false}, CRow{1, true, true}, CRow{250, false, true}})
    {
        FillPhonebook(row.nEntries);
        EXPECT_EQ(row.bNew, Enabled(ID_DIALNAME_NEW)) << row.nEntries;
        EXPECT_EQ(row.bNew, Enabled(ID_FILE_IMPORT_VCARD)) << row.nEntries;
        for (unsigned n : anOthers)
            EXPECT_EQ(row.bOthers, Enabled(n)) << row.nEntries << " " << n;
        EXPECT_EQ(QString::number(row.nEntries), Frame().CountPaneText());
    }
    // At 250 entries the new command does nothing even when run directly.
    EXPECT_EQ(0, Frame().OnCommand(ID_DIALNAME_NEW));
    EXPECT_EQ(250, Doc().m_DialName.Count());
    // On another page every phonebook command is off.
    Activate(1);
    Frame().UpdateCommandUI();
    EXPECT_FALSE(Enabled(ID_DIALNAME_NEW));
    EXPECT_FALSE(Enabled(ID_DIALNAME_EDIT));
    // The configuration role has no count pane; the phonebook role has.
    EXPECT_TRUE(Frame().CountPaneShown());
}

TEST_F(CMainFrameTest, ConfigurationRoleHasNoCountPaneAndNoPhonebookCommands)
{
    ASSERT_EQ(1, Start("TALVO"));
    EXPECT_FALSE(Frame().CountPaneShown());
    EXPECT_EQ(nullptr, Frame().Action(ID_DIALNAME_NEW));
    EXPECT_TRUE(Enabled(ID_FILE_RX_CFG));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
}

TEST_F(CMainFrameTest, TitleCarriesOneSimulationMarkHoweverOftenTheWindowMoves)
{
    ASSERT_EQ(1, Start("TALVO", {}, "UK", {"/SIMU"}));
    Frame().move(40, 40);
    QApplication::processEvents();
    Frame().move(80, 60);
    QApplication::processEvents();
    const QString title = Frame().windowTitle();
    EXPECT_EQ(1, title.count(QStringLiteral("  SIMULATION"))) << title.toStdString();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Configuration - R740Cf"))) << title.toStdString();
}

TEST_F(CMainFrameTest, TheRulesOfPanesTipsAndTitles)
{
    struct CCount
    {
        const char* pszFormat;
        int nCount;
        const char* pszText;
    };
    for (const CCount& row : {CCount{"", 7, "7"}, CCount{"Entries: 0 of 250", 12, "Entries: 12"},
                              CCount{"0", 250, "250"}, CCount{"No zero", 3, "3"}})
        EXPECT_EQ(row.pszText, CMainFrame::CountText(row.pszFormat, row.nCount)) << row.pszFormat;
    EXPECT_EQ("Save", CMainFrame::CommandTip("Save the active configuration\nSave"));
    EXPECT_EQ("", CMainFrame::CommandTip("Fill the phonebook with test entries"));
    EXPECT_EQ(std::string(80, 'x'), CMainFrame::CommandTip("long\n" + std::string(100, 'x'), 80));
    EXPECT_EQ("a - b  SIMULATION", CMainFrame::SimulationTitle("a - b"));
    EXPECT_EQ("a - b  SIMULATION", CMainFrame::SimulationTitle("a - b  SIMULATION"));
}

TEST_F(CMainFrameTest, ClosingAsksToSaveOnlyAfterARealEdit)
{
    ASSERT_EQ(1, Start("TALVO"));
    // Visiting pages is no edit.
    Activate(1);
    Activate(0);
    Frame().close();
    EXPECT_TRUE(m_ui.Shown().empty());

    Frame().show();
    auto* pPark = Control<QLineEdit>(1154);
    ASSERT_NE(nullptr, pPark);
    pPark->setFocus();
    pPark->selectAll();
    QTest::keyClicks(pPark, "42");
    m_ui.QueueAnswer(CUi_Interface::ANSWER_CANCEL);
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_NE(std::string::npos, m_ui.Shown()[0].text.find("Save changes"));
    EXPECT_EQ("42", Doc().m_Cfg.m_Basic.m_strParkCode);
}

// The phonebook program reads the configurator's language files; its window, its file dialogs and
// the question on closing name the phonebook all the same.
TEST_F(CMainFrameTest, PhonebookProgramNamesItsDocumentInEachLanguage)
{
    struct CCase
    {
        const char* pszLanguage;
        const char* pszTitle;
        const char* pszFilter;
    };
    for (const CCase& c :
         {CCase{"UK", "Phonebook", "Phonebook files (*.cfg)|*.cfg|All files (*.*)|*.*||"},
          CCase{"GER", "Telefonbuch", "Telefonbuchdateien (*.cfg)|*.cfg|Alle Dateien (*.*)|*.*||"}})
    {
        TearDown();
        SetUp();
        ASSERT_EQ(1, Start("TALVO_pb", {}, c.pszLanguage));
        EXPECT_EQ(QStringLiteral("%1 - R740Pb").arg(QLatin1String(c.pszTitle)), Frame().windowTitle());
        FillPhonebook(2);
        const size_t nShown = m_ui.Shown().size();
        m_ui.QueueAnswer(CUi_Interface::ANSWER_CANCEL);
        EXPECT_FALSE(Frame().close());
        ASSERT_EQ(nShown + 1, m_ui.Shown().size()) << c.pszLanguage;
        EXPECT_EQ(std::string("Save changes to ") + c.pszTitle + "?", m_ui.Shown().back().text);
        EXPECT_EQ(0, App().Document()->OnFileOpen()); // the script cancels the dialog
        ASSERT_FALSE(m_ui.FilesAsked().empty());
        EXPECT_EQ(c.pszFilter, m_ui.FilesAsked().back().filter);
    }
}

TEST_F(CMainFrameTest, PhonebookFindWalksRoundBothWaysAndTypingJumpsByFirstLetter)
{
    CData_AllDialName book;
    const char* const apszNames[] = {"anna", "Bert", "\xC4rzte", "Carl", "bob", "\xE4pfel", "Zoo"};
    for (int i = 0; i < 7; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = apszNames[i];
        entry.m_strMsnExt = "030" + std::to_string(i);
        book.m_List.Append(entry);
    }
    struct CFind
    {
        int nStart;
        bool bDown;
        const char* pszText;
        int nFound;
    };
    for (const CFind& row : {CFind{0, true, "b", 4}, CFind{4, true, "b", -1}, CFind{-1, true, "r", 1},
                             CFind{1, false, "r", 3}, CFind{0, false, "Zoo", 6}, CFind{3, true, "0300", 0},
                             CFind{2, true, "B", 1}, CFind{-1, false, "a", 3}})
        EXPECT_EQ(row.nFound, CPpS_DialName::FindEntry(book, row.nStart, row.bDown, row.pszText))
            << row.nStart << " " << row.pszText;
    struct CType
    {
        int nStart;
        unsigned char ch;
        int nFound;
    };
    for (const CType& row : {CType{0, 'b', 1}, CType{1, 'B', 4}, CType{4, 'b', 1}, CType{0, 0xE4, 2},
                             CType{2, 0xC4, 5}, CType{-1, 'z', 6}, CType{0, 'q', -1}, CType{6, 'Z', 6}})
        EXPECT_EQ(row.nFound, CPpS_DialName::TypeAheadEntry(book, row.nStart, row.ch))
            << row.nStart << row.ch;
}

TEST_F(CMainFrameTest, PhonebookPageEditsThroughItsCommandsAndFindsWithTheModelessDialog)
{
    ASSERT_EQ(1, Start("TALVO_pb"));
    CTest_TraceCapture trace;
    // The phonebook's dialog answers from a script: two new entries, then cancel.
    std::vector<CData_DialName> script = {Entry("Zora", "0301"), Entry("Adam", "0302")};
    int nAsked = 0;
    CPpS_DialName::SetEntryEditor(
        [&](CData_DialName& entry, QWidget*)
        {
            if (static_cast<size_t>(nAsked) >= script.size())
            {
                ++nAsked;
                return 0;
            }
            const int nIndex = entry.Number();
            entry = script[static_cast<size_t>(nAsked++)];
            entry.SetIndex(nIndex);
            return 1;
        });
    ASSERT_EQ(1, Frame().OnCommand(ID_DIALNAME_NEW));
    EXPECT_EQ(3, nAsked);
    ASSERT_EQ(2, Doc().m_DialName.Count());
    EXPECT_EQ("Adam", Doc().m_DialName.Entry(0)->m_strName); // sorted
    EXPECT_EQ("2", Frame().CountPaneText().toStdString());
    CPpS_DialName* pPage = View().DialNamePage();
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ("  Zora", pPage->List()->ItemText(1, 1));

    // Edit and delete need a selected row; without one they beep.
    pPage->List()->clearSelection();
    const int nBeeps = CUi_Beep::Count();
    Frame().OnCommand(ID_DIALNAME_EDIT);
    Frame().OnCommand(ID_DIALNAME_DELETE);
    EXPECT_EQ(nBeeps + 2, CUi_Beep::Count());

    // Find: modeless, created once, "Find next" from the selected row, wrapping round.
    pPage->List()->SelectRow(1);
    Frame().OnCommand(ID_DIALNAME_FIND);
    CDlg_Find* pFind = pPage->FindDialog();
    ASSERT_NE(nullptr, pFind);
    EXPECT_FALSE(pFind->isModal());
    pFind->SetSearchText(QStringLiteral("030"));
    auto* pAgain = qobject_cast<QPushButton*>(CUi_Texts::FindControl(pFind, 4956));
    ASSERT_NE(nullptr, pAgain);
    pAgain->click();
    EXPECT_EQ(0, pPage->List()->SelectedRow());
    Frame().OnCommand(ID_DIALNAME_FIND);
    EXPECT_EQ(pFind, pPage->FindDialog());
    pFind->reject();
    QApplication::processEvents();
    const std::vector<std::string> lines = trace.Take();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "CPpS_DialName: OnFindAgain()"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "CPpS_DialName: OnFindEnd()"));
    EXPECT_EQ(nullptr, pPage->FindDialog());

    // Typing in the list jumps by the first letter; delete removes the selected entry.
    pPage->List()->SelectRow(0);
    QTest::keyClicks(pPage->List(), QStringLiteral("z"));
    EXPECT_EQ(1, pPage->List()->SelectedRow());
    Frame().OnCommand(ID_DIALNAME_DELETE);
    ASSERT_EQ(1, Doc().m_DialName.Count());
    EXPECT_EQ("Adam", Doc().m_DialName.Entry(0)->m_strName);
    CPpS_DialName::SetEntryEditor(nullptr);
}

TEST_F(CMainFrameTest, ValuesEditedThroughTheControlsAreWhatTheSavedFileHolds)
{
    ASSERT_EQ(1, Start("TALVO"));
    // Basic page: a unit name typed, the keypad chosen by key.
    Activate(0);
    auto* pUnitName = Control<QLineEdit>(1023);
    ASSERT_NE(nullptr, pUnitName);
    pUnitName->setFocus();
    Type(pUnitName, QString::fromUtf8("Empfang M\xC3\xBCller"));
    auto* pKeypad = Control<QComboBox>(9168);
    ASSERT_NE(nullptr, pKeypad);
    pKeypad->setFocus();
    QTest::keyClick(pKeypad, Qt::Key_Down);
    // Signals page: a check box clicked, a slider moved by key.
    Activate(1);
    auto* pToneError = Control<QCheckBox>(1141);
    ASSERT_NE(nullptr, pToneError);
    pToneError->setFocus();
    QTest::keyClick(pToneError, Qt::Key_Space);
    auto* pLoudBox = Control<QSlider>(1052);
    ASSERT_NE(nullptr, pLoudBox);
    pLoudBox->setFocus();
    QTest::keyClick(pLoudBox, Qt::Key_Right);
    // Dialling page: the outside-line prefix typed; a letter is refused.
    Activate(2);
    auto* pDialPre = Control<QLineEdit>(1031);
    ASSERT_NE(nullptr, pDialPre);
    pDialPre->setFocus();
    QTest::keyClicks(pDialPre, "0x9");

    // MSN page: the second entry opened with Enter, its number typed into the MSN dialog, OK.
    Activate(3);
    CListCtrl_RepBar* pMsns = View().ActivePage()->List();
    ASSERT_NE(nullptr, pMsns);
    pMsns->SelectRow(1);
    bool bDialog = false;
    QTimer::singleShot(0,
                       [&bDialog]
                       {
                           QWidget* pDialog = QApplication::activeModalWidget();
                           if (!pDialog)
                               return;
                           bDialog = true;
                           auto* pMsn = qobject_cast<QLineEdit*>(CUi_Texts::FindControl(pDialog, 1223));
                           if (pMsn)
                               QTest::keyClicks(pMsn, "0301234");
                           if (auto* pOk = qobject_cast<QPushButton*>(CUi_Texts::FindControl(pDialog, 1)))
                               pOk->click();
                       });
    QTest::keyClick(pMsns, Qt::Key_Return);
    ASSERT_TRUE(bDialog);
    EXPECT_EQ("  0301234", pMsns->ItemText(1, 1));

    const std::string path = m_workDir.File("edited.cfg");
    m_ui.QueueFileName(path);
    ASSERT_EQ(1, Frame().OnCommand(ID_FILE_SAVE));
    const std::string file = TestReadFile(path);
    EXPECT_EQ("Empfang M\xFCller", FileValue(file, "Basic_00000000", "UnitName"));
    EXPECT_EQ("1", FileValue(file, "Basic_00000000", "Keypad"));
    EXPECT_EQ("On", FileValue(file, "Basic_00000000", "ToneError"));
    EXPECT_EQ("4", FileValue(file, "Basic_00000000", "LoudBox"));
    EXPECT_EQ("09", FileValue(file, "Basic_00000000", "DialPre"));
    EXPECT_EQ("0301234", FileValue(file, "MsnPara_00000001", "Msn"));
    // The save dialog proposed the unit name; the title is the file's name now.
    ASSERT_EQ(1u, m_ui.FilesAsked().size());
    EXPECT_EQ("Empfang M\xFCller.cfg", m_ui.FilesAsked()[0].proposedName);
    EXPECT_TRUE(Frame().windowTitle().startsWith(QStringLiteral("edited.cfg - ")));
    // Saved: closing does not ask.
    Frame().close();
    EXPECT_TRUE(m_ui.Shown().empty());
}

TEST_F(CMainFrameTest, TransferCommandsOfTheMenuAndTheLinkPageRunTheSameTransferASendAfterThePin)
{
    ASSERT_EQ(1, Start("TALVO"));
    Frame().OnCommand(ID_FILE_RX_CFG);
    const int nComm = View().PageIndex(CR740CfView::ROLE_COMM);
    Activate(nComm);
    auto* pTx = Control<QPushButton>(1511);
    ASSERT_NE(nullptr, pTx);
    ASSERT_TRUE(pTx->isEnabled());

    // The send asks for the PIN: three digits are refused with text 432 and the dialog stays
    // open; four are taken, and the transfer sends them.
    std::vector<bool> stillOpen;
    QTimer::singleShot(
        0,
        [&stillOpen]
        {
            QWidget* pDialog = QApplication::activeModalWidget();
            auto* pPin = pDialog ? qobject_cast<QLineEdit*>(CUi_Texts::FindControl(pDialog, 3311)) : nullptr;
            auto* pOk = pDialog ? qobject_cast<QPushButton*>(CUi_Texts::FindControl(pDialog, 1)) : nullptr;
            if (!pPin || !pOk)
                return;
            SaveScreenshot(pDialog, "dlg_pin");
            for (const char* pszPin : {"471", "4711"})
            {
                pPin->setText(QString::fromLatin1(pszPin));
                pOk->click();
                stillOpen.push_back(pDialog->isVisible());
            }
        });
    QTest::mouseClick(pTx, Qt::LeftButton);
    EXPECT_EQ((std::vector<bool>{true, false}), stillOpen);
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ(CData_UiText(432), m_ui.Shown()[0].text);
    EXPECT_EQ("4711", Doc().m_Cfg.m_Basic.m_strPin);
    EXPECT_EQ(
        (std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_RX_CFG, CApp_TransferRunner::LINK_SERIAL},
                                          {CLayerPP_Data::MODE_TX_CFG, CApp_TransferRunner::LINK_SERIAL},
                                          // the read-back of what was sent
                                          {CLayerPP_Data::MODE_RX_CFG, CApp_TransferRunner::LINK_SERIAL}}),
        m_transfers);
}

// Pictures of every page of both roles, in both languages, at the brand's minimum window size.
TEST_F(CMainFrameTest, ScreenshotsOfEveryPage)
{
    struct CShot
    {
        const char* pszBundle;
        const char* pszLanguage;
    };
    for (const CShot& shot :
         {CShot{"TALVO", "UK"}, CShot{"TALVO", "GER"}, CShot{"TALVO_pb", "UK"}, CShot{"TALVO_pb", "GER"}})
    {
        TearDown();
        SetUp();
        ASSERT_EQ(1, Start(shot.pszBundle, {}, shot.pszLanguage));
        if (std::string(shot.pszBundle) == "TALVO")
        {
            // Every variable page: a module in each slot.
            for (int nSlot = 1; nSlot <= 3; ++nSlot)
                Doc().m_Cfg.m_VersionModule[nSlot].m_nModuleType = MODULETYPE_E920;
            App().DerivatToProperties(PHONETYPE_RV930);
            Doc().m_Cfg.m_VersionModule[0].m_nModuleType = MODULETYPE_AB;
            View().OnInitialUpdate();
        }
        FillPhonebook(30);
        Frame().resize(Frame().minimumSize());
        for (int i = 0; i < Sheet().count(); ++i)
        {
            Activate(i);
            const QString name =
                QStringLiteral("%1_%2_%3_%4")
                    .arg(QString::fromLatin1(shot.pszBundle), QString::fromLatin1(shot.pszLanguage))
                    .arg(i, 2, 10, QLatin1Char('0'))
                    .arg(Sheet().Page(i)->TemplateNumber());
            SaveScreenshot(&Frame(), name);
            // The page fits the window at its smallest: nothing to scroll, nothing cut off.
            EXPECT_TRUE(Sheet().Page(i)->Fits()) << name.toStdString();
            if (std::string(shot.pszLanguage) != "UK")
                for (const std::string& text :
                     UntranslatedTexts(Sheet().Page(i), Sheet().Page(i)->TemplateNumber()))
                    ADD_FAILURE() << "untranslated: " << text;
        }
    }
}

TEST_F(CMainFrameTest, PlaceSizeAndBarsLastBetweenRunsAndDroppedFilesOpen)
{
    {
        CPlatform_Settings settings("talvo", "R740Cf");
        settings.SetInt("Screen", "X", 100);
        settings.SetInt("Screen", "Y", 50);
        settings.SetInt("Screen", "DX", 300); // below the brand's minimum of 640 x 480
        settings.SetInt("Screen", "DY", 200);
        settings.Sync();
    }
    ASSERT_EQ(1, Start("TALVO"));
    EXPECT_EQ(QPoint(100, 50), Frame().pos());
    EXPECT_EQ(QSize(640, 480), Frame().size());
    EXPECT_EQ(QSize(640, 480), Frame().minimumSize());

    // A dropped configuration file opens as a document: its pages, its name in the title, a
    // recently used file.
    const std::string path = m_workDir.File("dropped.721");
    TestWriteFile(path, TestReadFile(TestDataPath("filestore/sample.721")));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_TRUE(Frame().windowTitle().startsWith(QStringLiteral("dropped.721 - ")));
    ASSERT_FALSE(App().RecentFiles().empty());
    EXPECT_EQ(path, App().RecentFiles().front());

    Frame().OnCommand(ID_VIEW_TOOLBAR);
    Frame().move(120, 70);
    ASSERT_TRUE(Frame().close());
    m_pFrame.reset();
    m_pApp.reset();
    CPlatform_Settings settings("talvo", "R740Cf");
    int nX = 0;
    int nToolBar = 1;
    settings.GetInt("Screen", "X", nX);
    settings.GetInt("BarState", "ToolBar", nToolBar);
    EXPECT_EQ(120, nX);
    EXPECT_EQ(0, nToolBar);

    ASSERT_EQ(1, Start("TALVO"));
    EXPECT_FALSE(Frame().Action(ID_VIEW_TOOLBAR)->isChecked());
}
