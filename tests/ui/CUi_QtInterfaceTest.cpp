#include "ui/CUi_QtInterface.h"

#include "testsupport/CTest_TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace
{
// Runs action on the modal widget once it is shown.
void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0,
                       [action]()
                       {
                           QWidget* pModal = QApplication::activeModalWidget();
                           if (!pModal)
                           {
                               WhenModal(action);
                               return;
                           }
                           action(pModal);
                       });
}

struct CFilterCase
{
    const char* pszFilter;
    const char* pszQt;
};

class QtFilter : public ::testing::TestWithParam<CFilterCase>
{
};

TEST_P(QtFilter, TurnsPairsIntoQtFilters)
{
    EXPECT_EQ(QString::fromLatin1(GetParam().pszQt), CUi_QtInterface::QtFilter(GetParam().pszFilter));
}

const CFilterCase s_filterCases[] = {
    {"Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*||",
     "Configuration files (*.cfg);;All files (*.*)"},
    {"Texts|*.txt;*.csv||", "Texts (*.txt *.csv)"},
    {"", ""},
    {"Dangling|", "Dangling ()"},
    {"Only a description", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, QtFilter, ::testing::ValuesIn(s_filterCases));

struct CAnswerCase
{
    CUi_Interface::EButtons buttons;
    QMessageBox::StandardButton click;
    int nAnswer;
};

class QtMessageBox : public ::testing::TestWithParam<CAnswerCase>
{
};

TEST_P(QtMessageBox, GivesTheSystemsAnswerNumbers)
{
    const CAnswerCase c = GetParam();
    QString shown;
    WhenModal(
        [&shown, c](QWidget* pModal)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            ASSERT_NE(nullptr, pBox);
            shown = pBox->text();
            pBox->button(c.click)->click();
        });
    CUi_QtInterface ui;
    EXPECT_EQ(c.nAnswer,
              ui.MessageBox("Save changes to M\xFCller?", "R740Cf", CUi_Interface::ICON_QUESTION, c.buttons));
    EXPECT_EQ(QString::fromUtf8("Save changes to M\xC3\xBCller?"), shown);
}

const CAnswerCase s_answerCases[] = {
    {CUi_Interface::BUTTONS_OK, QMessageBox::Ok, CUi_Interface::ANSWER_OK},
    {CUi_Interface::BUTTONS_OK_CANCEL, QMessageBox::Cancel, CUi_Interface::ANSWER_CANCEL},
    {CUi_Interface::BUTTONS_YES_NO, QMessageBox::No, CUi_Interface::ANSWER_NO},
    {CUi_Interface::BUTTONS_YES_NO_CANCEL, QMessageBox::Yes, CUi_Interface::ANSWER_YES},
    {CUi_Interface::BUTTONS_YES_NO_CANCEL, QMessageBox::Cancel, CUi_Interface::ANSWER_CANCEL},
};
INSTANTIATE_TEST_SUITE_P(Cases, QtMessageBox, ::testing::ValuesIn(s_answerCases));

TEST(QtFileDialog, SaveProposesTheNameAndAppendsTheDefaultExtension)
{
    CUi_QtInterface::SetUseNativeDialogs(false);
    CTest_TempDir dir;
    QString proposed;
    WhenModal(
        [&proposed](QWidget* pModal)
        {
            auto* pDialog = qobject_cast<QFileDialog*>(pModal);
            ASSERT_NE(nullptr, pDialog);
            auto* pEdit = pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(nullptr, pEdit);
            proposed = pEdit->text();
            pEdit->setText(QStringLiteral("typed"));
            static_cast<QDialog*>(pDialog)->accept();
        });
    CUi_QtInterface ui;
    std::string path;
    ASSERT_EQ(
        1, ui.GetSaveFileName("Configuration files|*.cfg||", ".cfg", "Desk.cfg", dir.File("old.cfg"), path));
    EXPECT_EQ(QStringLiteral("Desk.cfg"), proposed);
    EXPECT_EQ(dir.File("typed.cfg"), path);
}

TEST(QtFileDialog, CancelGivesZeroAndLeavesThePath)
{
    CUi_QtInterface::SetUseNativeDialogs(false);
    WhenModal([](QWidget* pModal) { qobject_cast<QDialog*>(pModal)->reject(); });
    CUi_QtInterface ui;
    std::string path = "unchanged";
    EXPECT_EQ(0, ui.GetOpenFileName("Configuration files|*.cfg||", std::string(), path));
    EXPECT_EQ("unchanged", path);
}
} // namespace
