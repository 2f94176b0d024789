// The view's pages: which exist for a role, a phone type and its modules, what their lists show,
// and that showing and storing them changes nothing the user did not change.

#include "CTest_UiApp.h"

#include "data/CData_Types.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CPpS_DialName.h"
#include "ui/CPpS_MsnPara.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace
{
// Brand data of a firmware without optional pages (no alarm calls, messaging, update).
const std::map<int, std::string> s_oldFirmware = {{130, "1.00"}};

// What a page shows: every numbered control with its value, whether it is shown and enabled, and
// every cell of its list.
std::multimap<unsigned, QString> Shown(const CPp_Page* pPage)
{
    std::multimap<unsigned, QString> values;
    for (const QWidget* pChild : pPage->findChildren<QWidget*>())
    {
        const unsigned nControl = CUi_Texts::ControlNumber(pChild);
        if (nControl == 0)
            continue;
        QString value = QStringLiteral("%1 %2 ").arg(pChild->isVisibleTo(pPage)).arg(pChild->isEnabled());
        if (const auto* pEdit = qobject_cast<const QLineEdit*>(pChild))
            value += pEdit->text() + QString::number(pEdit->maxLength());
        else if (const auto* pButton = qobject_cast<const QAbstractButton*>(pChild))
            value += pButton->text() + QString::number(pButton->isChecked());
        else if (const auto* pCombo = qobject_cast<const QComboBox*>(pChild))
            value += pCombo->currentText() + QString::number(pCombo->count());
        else if (const auto* pSlider = qobject_cast<const QSlider*>(pChild))
            value += QString::number(pSlider->value());
        else if (const auto* pList = qobject_cast<const CListCtrl_RepBar*>(pChild))
            for (int nRow = 0; nRow < pList->RowCount(); ++nRow)
                for (int nColumn = 0; nColumn < pList->columnCount(); ++nColumn)
                    value += pList->ItemText(nRow, nColumn) + QLatin1Char('|');
        values.emplace(nControl, value);
    }
    return values;
}

class CR740CfViewTest : public CTest_UiApp
{
protected:
    void SetModules(int nPhoneType, std::initializer_list<std::pair<int, int>> modules)
    {
        App().DerivatToProperties(nPhoneType);
        for (const auto& slot : modules)
            Doc().m_Cfg.m_VersionModule[slot.first].m_nModuleType = slot.second;
        View().OnInitialUpdate();
    }
};
} // namespace

TEST_F(CR740CfViewTest, PhonebookRoleAloneShowsThePhonebookAndTheLink)
{
    ASSERT_EQ(1, Start("TALVO_pb"));
    EXPECT_EQ((std::vector<QString>{"Phonebook", "Connection"}), TabTexts());
    EXPECT_EQ(0, View().PageIndex(CR740CfView::ROLE_DIALNAME));
}

TEST_F(CR740CfViewTest, ConfigurationPagesFollowPropertiesAndModules)
{
    ASSERT_EQ(1, Start("TALVO", s_oldFirmware));
    // The eight fixed pages and the link page.
    EXPECT_EQ(9, Sheet().count());
    EXPECT_EQ(CR740CfView::PAYCOUNTER_INDEX, View().PageIndex(CR740CfView::ROLE_PAYCOUNTER));
    EXPECT_EQ(8, View().PageIndex(CR740CfView::ROLE_COMM));

    // Modules in slots 1 and 3: two module pages captioned "Module 1" and "Module 3" (390, 392).
    SetModules(PHONETYPE_RV740, {{1, MODULETYPE_E920}, {3, MODULETYPE_W920}});
    ASSERT_EQ(11, Sheet().count());
    EXPECT_EQ("Module 1", Sheet().tabText(8));
    EXPECT_EQ("Module 3", Sheet().tabText(9));
    EXPECT_EQ(-1, View().PageIndex(CR740CfView::ROLE_MODULE_2));

    // An answering-machine module in slot 0 of an RV930 brings its page without the property.
    ASSERT_FALSE(CData_Properties::Current().m_bAnsweringMachine);
    SetModules(PHONETYPE_RV930, {{0, MODULETYPE_AB}, {1, MODULETYPE_NON}, {3, MODULETYPE_NON}});
    EXPECT_EQ(8, View().PageIndex(CR740CfView::ROLE_ANSWERMACHINE));
    EXPECT_EQ(10, Sheet().count());
    // The same module on an RV740 does not.
    SetModules(PHONETYPE_RV740, {});
    EXPECT_EQ(-1, View().PageIndex(CR740CfView::ROLE_ANSWERMACHINE));
}

TEST_F(CR740CfViewTest, PhoneTypeAndModuleCombosRebuildTheVariablePagesAtOnce)
{
    ASSERT_EQ(1, Start("TALVO"));
    const int nBefore = Sheet().count();
    Activate(0);
    auto* pModule1 = Control<QComboBox>(9281);
    ASSERT_NE(nullptr, pModule1);
    pModule1->setFocus();
    QTest::keyClick(pModule1, Qt::Key_Down); // "None" to "E920"
    EXPECT_EQ(MODULETYPE_E920, Doc().m_Cfg.m_VersionModule[1].m_nModuleType);
    EXPECT_EQ(nBefore + 1, Sheet().count());
    EXPECT_EQ("Module 1", Sheet().tabText(View().PageIndex(CR740CfView::ROLE_MODULE_1)));
    // The link page stays last, the basic page active and untouched.
    EXPECT_EQ(Sheet().count() - 1, View().PageIndex(CR740CfView::ROLE_COMM));
    EXPECT_EQ(0, View().ActiveIndex());

    // Another phone type: its properties apply at once (the RV930 has a USB link).
    auto* pType = Control<QComboBox>(1012);
    ASSERT_NE(nullptr, pType);
    const int nRV930 = pType->findData(PHONETYPE_RV930);
    ASSERT_GE(nRV930, 0);
    pType->setCurrentIndex(nRV930);
    emit pType->activated(nRV930);
    EXPECT_EQ(PHONETYPE_RV930, Doc().m_Version.m_nPhoneType);
    EXPECT_EQ(PHONETYPE_RV930, CData_Properties::CurrentInput().nPhoneType);
    EXPECT_TRUE(CData_Properties::Current().m_bUsbCapable);
    EXPECT_EQ(Sheet().count() - 1, View().PageIndex(CR740CfView::ROLE_COMM));
}

TEST_F(CR740CfViewTest, MsnListColumnsAndTextsFollowTheFirmware)
{
    ASSERT_EQ(1, Start("TALVO"));
    CPp_Page* pPage = Activate(3);
    CListCtrl_RepBar* pList = pPage->List();
    ASSERT_NE(nullptr, pList);
    struct CRow
    {
        const char* pszVersion;
        int nColumns;
    };
    for (const CRow& row : {CRow{"1.99", 5}, CRow{"2.00", 9}, CRow{"4.10", 9}})
    {
        Doc().m_Version.m_strVersion = row.pszVersion;
        View().MoveDataDocToView();
        EXPECT_EQ(row.nColumns, pList->columnCount()) << row.pszVersion;
    }
    ASSERT_EQ(10, pList->RowCount());
    EXPECT_EQ("  MSN-1", pList->ItemText(0, 2));
    EXPECT_EQ("  MSN-9", pList->ItemText(8, 2));
    EXPECT_EQ("  MSN10", pList->ItemText(9, 2));
    Doc().m_Cfg.m_MsnPara[9].m_strTxt = "Office";
    View().MoveDataDocToView();
    EXPECT_EQ("  Office", pList->ItemText(9, 2));
}

TEST_F(CR740CfViewTest, LoadingAndStoringEveryPageLeavesTheDocumentUnchanged)
{
    // A document from a file with values the controls cannot show exactly (a slider step the
    // phone type lacks, an unknown combo value): visiting every page changes nothing.
    ASSERT_EQ(1, Start("TALVO"));
    Doc().m_Cfg.m_Basic.m_nLoudBox = 7;
    Doc().m_Cfg.m_Basic.m_nPabxType = 42;
    Doc().m_Cfg.m_Basic.m_strVoiceBoxNo = "12345";
    Doc().m_Cfg.m_MsnPara[0].m_nTaxLimit = 15;
    Doc().m_Cfg.m_VersionModule[2].m_nModuleType = MODULETYPE_AB;
    App().SavedData() = Doc();
    View().OnInitialUpdate();
    for (int i = 0; i < Sheet().count(); ++i)
        Activate(i);
    Activate(0);
    View().MoveDataViewToDoc();
    EXPECT_TRUE(Doc() == App().SavedData());
    EXPECT_EQ(1, App().Document()->SaveModified());
    EXPECT_TRUE(m_ui.Shown().empty());
}

TEST_F(CR740CfViewTest, PagesAreBuiltWhenFirstShownAndShowWhatAPageMadeAtOnceShows)
{
    ASSERT_EQ(1, Start("TALVO", {}, "GER"));
    Doc().m_Cfg.m_Basic.m_strUnitName = "Empfang";
    Doc().m_Cfg.m_MsnPara[1].m_strMsn = "4711";
    Doc().m_Cfg.m_VersionModule[1].m_nModuleType = MODULETYPE_E920;
    View().OnInitialUpdate();
    // Only the page in view is built; the others have only their tabs.
    ASSERT_NE(nullptr, Sheet().BuiltPage(0));
    for (int i = 1; i < Sheet().count(); ++i)
        EXPECT_EQ(nullptr, Sheet().BuiltPage(i)) << "tab " << i;
    EXPECT_EQ("Verbindung", Sheet().tabText(View().PageIndex(CR740CfView::ROLE_COMM)));

    for (int i = 0; i < Sheet().count(); ++i)
    {
        CPp_Page* pPage = Activate(i);
        ASSERT_NE(nullptr, pPage);
        EXPECT_EQ(i, View().ActiveIndex());
        std::unique_ptr<CPp_Page> pAtOnce(CR740CfView::CreatePage(pPage->metaObject()->className(), App()));
        if (!pAtOnce)
            continue; // the module pages are made for their slot
        pAtOnce->OnSetActive();
        EXPECT_EQ(Shown(pAtOnce.get()), Shown(pPage)) << pPage->metaObject()->className();
    }
}

TEST_F(CR740CfViewTest, NameFieldsRefuseCharactersOutsideTheNameAlphabetWithABeep)
{
    ASSERT_EQ(1, Start("TALVO"));
    Activate(0);
    auto* pUnitName = Control<QLineEdit>(1023);
    ASSERT_NE(nullptr, pUnitName);
    pUnitName->setFocus();
    Type(pUnitName, QString::fromUtf8("B\xC3\xBCro"));
    const int nBeeps = CUi_Beep::Count();
    Type(pUnitName, QString::fromUtf8("\xC2\xA7"));     // not in the alphabet
    Type(pUnitName, QString::fromUtf8("\xE2\x84\xA6")); // not in the code page
    EXPECT_EQ(nBeeps + 2, CUi_Beep::Count());
    EXPECT_EQ(QString::fromUtf8("B\xC3\xBCro"), pUnitName->text());
    View().MoveDataViewToDoc();
    EXPECT_EQ("B\xFCro", Doc().m_Cfg.m_Basic.m_strUnitName);
}

TEST_F(CR740CfViewTest, CallFilterPageIsMadeByNameOnly)
{
    ASSERT_EQ(1, Start("TALVO"));
    for (int i = 0; i < Sheet().count(); ++i)
        EXPECT_NE(7014u, Sheet().Page(i)->TemplateNumber());
    std::unique_ptr<CPp_Page> pPage(CR740CfView::CreatePage("CPpS_CallFilter", App()));
    ASSERT_NE(nullptr, pPage);
    Doc().m_Cfg.m_CallFilter[4].m_strMsn = "0301234";
    pPage->OnSetActive();
    EXPECT_EQ("  0301234", pPage->List()->ItemText(4, 1));
    EXPECT_EQ(nullptr, CR740CfView::CreatePage("CPpS_Nothing", App()));
}

TEST_F(CR740CfViewTest, EveryControlIsNamedForScreenReadersAndTabFollowsTheControlNumbers)
{
    for (const char* pszBundle : {"TALVO", "TALVO_pb"})
    {
        TearDown();
        SetUp();
        ASSERT_EQ(1, Start(pszBundle));
        for (int i = 0; i < Sheet().count(); ++i)
        {
            CPp_Page* pPage = Activate(i);
            const std::string where =
                std::string(pszBundle) + " page " + std::to_string(pPage->TemplateNumber());
            QAccessibleInterface* pPageAccess = QAccessible::queryAccessibleInterface(pPage);
            ASSERT_NE(nullptr, pPageAccess);
            EXPECT_FALSE(pPageAccess->text(QAccessible::Name).isEmpty()) << where;
            // Numbered controls the keyboard reaches, in the order of their numbers.
            std::vector<std::pair<unsigned, QWidget*>> controls;
            for (QWidget* pChild : pPage->findChildren<QWidget*>())
                if (CUi_Texts::ControlNumber(pChild) && pChild->focusPolicy() != Qt::NoFocus &&
                    pChild->isVisibleTo(pPage))
                    controls.emplace_back(CUi_Texts::ControlNumber(pChild), pChild);
            std::stable_sort(controls.begin(), controls.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& control : controls)
            {
                QAccessibleInterface* pAccess = QAccessible::queryAccessibleInterface(control.second);
                ASSERT_NE(nullptr, pAccess) << where;
                EXPECT_FALSE(pAccess->text(QAccessible::Name).trimmed().isEmpty())
                    << where << " control " << control.first;
            }
            // Following the focus chain from the lowest number meets them in that order.
            if (controls.empty())
                continue;
            std::vector<unsigned> met;
            QWidget* pWidget = controls.front().second;
            for (int nSteps = 0; nSteps < 2000 && met.size() < controls.size();
                 ++nSteps, pWidget = pWidget->nextInFocusChain())
                for (const auto& control : controls)
                    if (control.second == pWidget)
                        met.push_back(control.first);
            std::vector<unsigned> expected;
            for (const auto& control : controls)
                expected.push_back(control.first);
            EXPECT_EQ(expected, met) << where;
        }
    }
}
