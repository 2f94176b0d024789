// The phonebook dialogs and commands: what the dialogs offer, their defaults and German texts,
// and the commands' whole flows over a started application, answered by a scripted user.

#include "ui/CUi_PhonebookCommands.h"
#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "shell/CApp.h"
#include "shell/CTest_AppFixture.h"
#include "support/CLang_Text.h"
#include "testsupport/CTest_Properties.h"
#include "ui/CDlg_Import_NameMsn.h"
#include "ui/CDlg_Import_NameMsn_Ex.h"
#include "ui/CDlg_Import_vCard.h"
#include "ui/CDlg_Prefix.h"
#include "ui/CTest_Screenshot.h"
#include "ui/CUi_FileField.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
// Runs action on the modal dialog once it is shown.
void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0,
                       [action]()
                       {
                           QWidget* pModal = QApplication::activeModalWidget();
                           if (!pModal)
                               return WhenModal(action);
                           action(pModal);
                       });
}

template <class T> T* Child(const QWidget* pParent, const char* pszName)
{
    T* p = pParent->findChild<T*>(QString::fromLatin1(pszName));
    EXPECT_NE(nullptr, p) << pszName;
    return p;
}

std::vector<std::string> Entries(const CData_AllDialName& book)
{
    std::vector<std::string> entries;
    for (const CData_DialName& e : book.m_List.Entries())
        entries.push_back(e.m_strName + "=" + e.m_strMsnExt);
    return entries;
}

// The shipped German texts in force while it lives.
class CGermanTexts
{
public:
    CGermanTexts() : m_text(TestDataPath("../../resources/lang/R740Cf_GER.txt")) { CLang_Text::Set(&m_text); }
    ~CGermanTexts() { CLang_Text::Set(nullptr); }

private:
    CLang_Text m_text;
};

TEST(PhonebookDialogs, OfferTheirFieldsWithTheDefaultsAndGermanTexts)
{
    CGermanTexts german;
    CDlg_Import_NameMsn simple;
    const CImport_NameMsnSettings s = simple.Settings();
    EXPECT_EQ(0, s.nNameColumn);
    EXPECT_EQ(1, s.nNumberColumn);
    EXPECT_EQ(0, s.nFirstLine);
    EXPECT_EQ(250, s.nMaxEntries);
    EXPECT_EQ(250, Child<QSpinBox>(&simple, "maxEntries")->maximum());
    EXPECT_EQ(50, Child<QSpinBox>(&simple, "nameColumn")->maximum());
    EXPECT_EQ(26, Child<QLineEdit>(&simple, "prefix")->maxLength());
    simple.ApplyTexts();
    EXPECT_EQ(QString::fromUtf8("Namen und Rufnummern importieren"), simple.windowTitle());
    EXPECT_EQ(QString::fromUtf8("Spalte des Namens"),
              qobject_cast<QLabel*>(CUi_Texts::FindControl(&simple, 6046))->text());
    SaveScreenshot(&simple, "dlg_import_namemsn_ger");

    CDlg_Import_NameMsn_Ex extended;
    Child<QSpinBox>(&extended, "column2")->setValue(7);
    Child<QPushButton>(&extended, "default")->click();
    const CImport_NameMsnExSettings x = extended.Settings();
    EXPECT_EQ(1, x.number.nColumn);
    EXPECT_EQ(0, x.number.nToken);
    for (int i = 0; i < CImport_NameMsnExSettings::NAME_PARTS; ++i)
    {
        EXPECT_EQ(0, x.name[i].nColumn);
        EXPECT_EQ(i, x.name[i].nToken);
    }
    EXPECT_EQ(0, x.nColumnsPerRecord);
    EXPECT_EQ(250, x.nMaxEntries);
    SaveScreenshot(&extended, "dlg_import_namemsn_ex_ger");

    CDlg_Prefix prefix;
    prefix.SetTitle("Phonebook");
    const CPhonebook_PrefixSettings p = prefix.Settings();
    EXPECT_EQ(0, p.nMode);
    EXPECT_EQ(1, p.nDigits);
    EXPECT_EQ(2, p.nMinLength);
    EXPECT_EQ(6, p.nMaxLength);
    // Each field is enabled in the modes that use it: prefix, digits, minimum, maximum.
    const char* const fields[] = {"prefix", "digits", "minLength", "maxLength"};
    const bool enabled[3][4] = {
        {true, false, true, true}, {true, false, false, false}, {false, true, true, false}};
    for (int nMode = 2; nMode >= 0; --nMode)
    {
        Child<QRadioButton>(&prefix, ("mode" + std::to_string(nMode)).c_str())->setChecked(true);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(enabled[nMode][i], Child<QWidget>(&prefix, fields[i])->isEnabled())
                << nMode << fields[i];
    }
    prefix.ApplyTexts();
    EXPECT_EQ(QString::fromUtf8("Vorwahlen : Phonebook"), prefix.windowTitle());
    SaveScreenshot(&prefix, "dlg_prefix_ger");
}

class PhonebookCommands : public CTest_AppFixture
{
protected:
    void SetUp() override
    {
        CTest_AppFixture::SetUp();
        m_table = TestBrandTable("TALVO", true, true);
        ASSERT_EQ(1, Start());
        App().SetView(&m_view);
    }

    CData_AllDialName& Book() { return App().DocData().m_DialName; }
    void Add(const char* pszName, const char* pszNumber)
    {
        CData_DialName e(Book().Count());
        e.m_strName = pszName;
        e.m_strMsnExt = pszNumber;
        Book().m_List.Append(e);
    }

    CTest_TempDir m_files;
    CTest_View m_view;
    // How often the view was shown DocData anew.
    long Refreshed() const { return std::count(m_view.m_calls.begin(), m_view.m_calls.end(), "DocToView"); }
};

TEST_F(PhonebookCommands, TextImportReplacesThePhonebookAndReports)
{
    Add("Old", "1");
    App().SavedData() = App().DocData();
    TestWriteFile(m_files.File("names.txt"), "Meier\t0301234\nAdam\t089\nNobody\n");
    WhenModal(
        [this](QWidget* pModal)
        {
            pModal->findChild<CUi_FileField*>()->SetPath(m_files.File("names.txt"));
            Child<QLineEdit>(pModal, "prefix")->setText("9");
            SaveScreenshot(pModal, "dlg_import_namemsn");
            qobject_cast<QDialog*>(pModal)->accept();
        });
    ASSERT_EQ(1, CUi_PhonebookCommands::ImportText(nullptr, App()));
    EXPECT_EQ((std::vector<std::string>{"Adam=9089", "Meier=90301234"}), Entries(Book()));
    EXPECT_EQ(1, Refreshed());
    ASSERT_EQ(1u, m_ui.Shown().size()) << "no question to save, one report";
    EXPECT_NE(std::string::npos, m_ui.Shown()[0].text.find("2")) << m_ui.Shown()[0].text;

    // A file that cannot be read is reported and the phonebook stays.
    WhenModal(
        [this](QWidget* pModal)
        {
            pModal->findChild<CUi_FileField*>()->SetPath(m_files.File("missing.txt"));
            qobject_cast<QDialog*>(pModal)->accept();
        });
    EXPECT_EQ(0, CUi_PhonebookCommands::ImportTextEx(nullptr, App()));
    EXPECT_EQ(2, Book().Count());
    EXPECT_NE(std::string::npos, m_ui.Shown().back().text.find("missing.txt"));

    // Cancelling the question to save imports nothing.
    m_ui.QueueAnswer(CUi_Interface::ANSWER_CANCEL);
    WhenModal(
        [this](QWidget* pModal)
        {
            pModal->findChild<CUi_FileField*>()->SetPath(m_files.File("names.txt"));
            qobject_cast<QDialog*>(pModal)->accept();
        });
    EXPECT_EQ(0, CUi_PhonebookCommands::ImportTextEx(nullptr, App()));
    EXPECT_EQ(CUi_Interface::BUTTONS_YES_NO_CANCEL, m_ui.Shown().back().buttons);
    EXPECT_EQ((std::vector<std::string>{"Adam=9089", "Meier=90301234"}), Entries(Book()));
}

TEST_F(PhonebookCommands, VCardImportAddsTheConfirmedEntry)
{
    CGermanTexts german;
    {
        CTest_Properties props;
        props->m_bMsnGoRecord = true;
        props->m_bEntryInfotext = true;
    }
    Add("Zoe", "5");
    m_ui.QueueFileName(TestDataPath("vcard/v21_quoted_printable.vcf"));
    WhenModal(
        [this](QWidget* pModal)
        {
            auto* pDlg = qobject_cast<CDlg_Import_vCard*>(pModal);
            ASSERT_NE(nullptr, pDlg);
            pModal->findChild<CUi_FileField*>()->Browse();
            EXPECT_EQ(QString::fromUtf8("J\xC3\xBCrgen M\xC3\xBC"
                                        "ller"),
                      Child<QLabel>(pModal, "formattedName")->text());
            EXPECT_EQ(2, Child<QComboBox>(pModal, "numbers")->count());
            // The German labels, longer than the template's, are laid out whole.
            for (const QLabel* pLabel : pModal->findChildren<QLabel*>())
                EXPECT_GE(pLabel->width(), pLabel->sizeHint().width()) << pLabel->text().toStdString();
            SaveScreenshot(pModal, "dlg_import_vcard");
            // Confirmation is refused while the name is empty.
            Child<QLineEdit>(pModal, "name")->clear();
            pDlg->accept();
            EXPECT_TRUE(pModal->isVisible());
            ASSERT_FALSE(m_ui.Shown().empty());
            EXPECT_EQ(CUi_Interface::ICON_WARNING, m_ui.Shown().back().icon);
            Child<QLineEdit>(pModal, "name")->setText(QString::fromUtf8("M\xC3\xBCller, J\xC3\xBCrgen"));
            Child<QComboBox>(pModal, "numbers")->setCurrentIndex(1);
            emit Child<QComboBox>(pModal, "numbers")->activated(1);
            Child<QLineEdit>(pModal, "info1")->setText("Handy");
            pDlg->accept();
        });
    ASSERT_EQ(1, CUi_PhonebookCommands::ImportVCard(nullptr, App()));
    EXPECT_EQ((std::vector<std::string>{"M\xFCller, J\xFCrgen=01701234567", "Zoe=5"}), Entries(Book()));
    EXPECT_EQ("Handy", Book().Entry(0)->m_strInfotext);
    EXPECT_EQ(0, Book().Entry(0)->Number());
    EXPECT_EQ(1, Refreshed());
}

TEST_F(PhonebookCommands, PrefixExportAndDebugFill)
{
    EXPECT_EQ(0, CUi_PhonebookCommands::Prefix(nullptr, App())) << "nothing to change";
    Add("Adam", "1234");
    WhenModal(
        [](QWidget* pModal)
        {
            Child<QLineEdit>(pModal, "prefix")->setText("0");
            SaveScreenshot(pModal, "dlg_prefix");
            qobject_cast<QDialog*>(pModal)->accept();
        });
    ASSERT_EQ(1, CUi_PhonebookCommands::Prefix(nullptr, App(), "Title"));
    EXPECT_EQ("01234", Book().Entry(0)->m_strMsnExt);

    m_ui.QueueFileName(m_files.File("export.txt"));
    ASSERT_EQ(1, CUi_PhonebookCommands::Export(nullptr, App()));
    EXPECT_EQ("Adam\t01234\r\n", TestReadFile(m_files.File("export.txt")));
    EXPECT_EQ("txt", m_ui.FilesAsked().back().defaultExt);

    // An export that cannot be created is reported with its path.
    m_ui.QueueFileName(m_files.File("no/export.txt"));
    EXPECT_EQ(0, CUi_PhonebookCommands::Export(nullptr, App()));
    ASSERT_FALSE(m_ui.Shown().empty());
    EXPECT_NE(std::string::npos, m_ui.Shown().back().text.find("no/export.txt"));

    ASSERT_EQ(1, CUi_PhonebookCommands::DebugFill(App()));
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, Book().Count());
    EXPECT_EQ(0, CUi_PhonebookCommands::ImportVCard(nullptr, App())) << "no room for another entry";
}
} // namespace
