#include "ui/CEdit_Date.h"

#include "CTest_Screenshot.h"
#include "testsupport/CTest_ScriptedUi.h"

#include <QDialog>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace
{
class CEdit_DateTest : public ::testing::Test
{
protected:
    CEdit_DateTest() : m_pEdit(new CEdit_Date(&m_dlg))
    {
        auto* pLayout = new QVBoxLayout(&m_dlg);
        pLayout->addWidget(m_pEdit);
        m_dlg.setWindowTitle(QStringLiteral("Alarm"));
        m_dlg.show();
        m_pEdit->SetDate(1, 1, 6);
    }
    // Keys as the user types them: digits and the navigation keys by name.
    void Type(const char* pszKeys)
    {
        for (const char* p = pszKeys; *p; ++p)
        {
            switch (*p)
            {
            case '>':
                QTest::keyClick(m_pEdit, Qt::Key_Right);
                break;
            case '<':
                QTest::keyClick(m_pEdit, Qt::Key_Left);
                break;
            case '^':
                QTest::keyClick(m_pEdit, Qt::Key_Up);
                break;
            case 'v':
                QTest::keyClick(m_pEdit, Qt::Key_Down);
                break;
            case 'B':
                QTest::keyClick(m_pEdit, Qt::Key_Backspace);
                break;
            default:
                QTest::keyClick(m_pEdit, *p);
            }
        }
    }

    CTest_ScriptedUi m_ui;
    QDialog m_dlg;
    CEdit_Date* m_pEdit;
};

struct CDateCase
{
    const char* pszKeys;
    const char* pszText; // after the keys and leaving the control
    int nField;          // current field before leaving
    bool bValid;
};

class CEdit_DateTyping : public CEdit_DateTest, public ::testing::WithParamInterface<CDateCase>
{
};

TEST_P(CEdit_DateTyping, TypingNavigationAndTheCalendarRule)
{
    const CDateCase& c = GetParam();
    Type(c.pszKeys);
    EXPECT_EQ(c.nField, m_pEdit->CurrentField());
    EXPECT_EQ(c.bValid ? 1 : 0, m_pEdit->Validate());
    EXPECT_EQ(QString::fromLatin1(c.pszText), m_pEdit->text());
    if (c.bValid)
        EXPECT_TRUE(m_ui.Shown().empty());
    else
    {
        ASSERT_EQ(1u, m_ui.Shown().size());
        EXPECT_EQ("Ung\xFCltiges Datum bitte korrigieren", m_ui.Shown()[0].text);
        EXPECT_EQ("Alarm", m_ui.Shown()[0].caption);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CEdit_DateTyping,
    ::testing::Values(CDateCase{"29>02>04", "29.02.04", 2, true},  // leap year
                      CDateCase{"29>02>05", "29.02.05", 2, false}, // not a leap year
                      CDateCase{"30>02>04", "30.02.04", 2, false},
                      CDateCase{"31>04>06", "31.04.06", 2, false}, CDateCase{"31>05>06", "31.05.06", 2, true},
                      CDateCase{"29>02>00", "29.02.00", 2, true},
                      // A day of 32 or more is typed anew in the day field.
                      CDateCase{"3515>>06", "15.01.06", 2, true},
                      // A month above 12 is typed anew; a short field gets its leading zero.
                      CDateCase{"7>137", "07.07.06", 1, true},
                      // The year keeps the last two digits typed.
                      CDateCase{">>2004", "01.01.04", 2, true}, CDateCase{">>2", "01.01.02", 2, true},
                      // Navigation never leaves the three fields; backspace goes back.
                      CDateCase{"<<<v", "01.01.06", 0, true}, CDateCase{">>>>^^", "01.01.06", 2, true},
                      CDateCase{">>B", "01.01.06", 1, true},
                      // Letters are not taken.
                      CDateCase{"a1x2", "12.01.06", 0, true}, CDateCase{"00", "00.01.06", 0, false}));

TEST_F(CEdit_DateTest, AClickSelectsTheDayField)
{
    Type(">>");
    QTest::mouseClick(m_pEdit, Qt::LeftButton, Qt::NoModifier, QPoint(m_pEdit->width() - 4, 4));
    EXPECT_EQ(0, m_pEdit->CurrentField());
    EXPECT_EQ(QStringLiteral("01"), m_pEdit->selectedText());
    int nDay = 0;
    int nMonth = 0;
    int nYear = 0;
    EXPECT_EQ(1, m_pEdit->GetDate(nDay, nMonth, nYear));
    EXPECT_EQ(6, nYear);
    SaveScreenshot(&m_dlg, QStringLiteral("date_edit"));
}
} // namespace
