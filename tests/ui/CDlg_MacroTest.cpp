#include "ui/CDlg_Macro.h"

#include "CTest_Bundle.h"
#include "CTest_Screenshot.h"
#include "data/CData_UiText.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "ui/CUi_KeyPicture.h"
#include "ui/CUi_Texts.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
using Code = CData_MacroCode::CodeBytes;

Code Bytes(std::vector<unsigned char> head)
{
    Code ab;
    ab.fill(0xFF);
    for (size_t i = 0; i < head.size(); ++i)
        ab[i] = head[i];
    return ab;
}

class CDlg_MacroTest : public ::testing::Test
{
protected:
    CData_KeyMap Map(int nPicture) const
    {
        CData_KeyMap map;
        map.ReadFile(m_bundle.MapPath(CData_KeyMap::MapFileName(nPicture)));
        return map;
    }
    static QPoint Centre(const CData_KeyMap& map, int nCode)
    {
        const CData_KeyMap::CKey& key = map.Key(nCode);
        return QPoint((key.nLeft + key.nRight) / 2, (key.nTop + key.nBottom) / 2);
    }
    static QListWidget* List(const QWidget& dlg, unsigned nControl)
    {
        return qobject_cast<QListWidget*>(CUi_Texts::FindControl(&dlg, nControl));
    }

    CTest_Bundle m_bundle;
    CTest_ScriptedUi m_ui;
};

TEST_F(CDlg_MacroTest, ShippedMapsReadAndEveryKeyLiesOnItsDrawnKey)
{
    ASSERT_TRUE(m_bundle.Loaded());
    for (const char* pszLanguage : {"UK", "GER"})
        for (int nPicture = 0; nPicture < CData_KeyMap::PICTURE_COUNT; ++nPicture)
        {
            const std::string path =
                CLang_Info::MapFilePathIn(R740_BINARY_DIR, pszLanguage, CData_KeyMap::MapFileName(nPicture));
            SCOPED_TRACE(path);
            EXPECT_NE(std::string::npos, path.find(std::string("_") + pszLanguage + ".map"));
            CData_KeyMap map;
            ASSERT_EQ(1, map.ReadFile(path));
            EXPECT_EQ(0, map.ValuesRefused());
            for (int nDigit = 0; nDigit <= 9; ++nDigit)
                EXPECT_TRUE(map.Key(nDigit).Exists()) << nDigit;
            QSvgRenderer picture(CDlg_Macro::PicturePath(nPicture));
            ASSERT_TRUE(picture.isValid());
            const QRect area(QPoint(0, 0), picture.defaultSize());
            for (int k = 0; k < CData_KeyMap::KEY_COUNT; ++k)
            {
                const CData_KeyMap::CKey& key = map.Key(k);
                if (!key.Exists())
                    continue;
                const QRect rect(QPoint(key.nLeft, key.nTop), QPoint(key.nRight - 1, key.nBottom - 1));
                EXPECT_TRUE(area.contains(rect)) << k;
                EXPECT_TRUE(CData_MacroCode::Recordable(k)) << k;
                const QString id =
                    QStringLiteral("key_") + QStringLiteral("%1").arg(k, 2, 16, QLatin1Char('0')).toUpper();
                EXPECT_EQ(QRectF(rect.topLeft(), QSizeF(rect.size())), picture.boundsOnElement(id)) << k;
            }
        }
}

TEST_F(CDlg_MacroTest, ClicksOnThePictureRecordTheMappedKeys)
{
    const CData_KeyMap map = Map(1);
    CDlg_Macro dlg(map, CDlg_Macro::PicturePath(1), Bytes({}), "", 20, "5a");
    dlg.show();
    ASSERT_TRUE(dlg.Picture()->HasPicture());
    EXPECT_EQ(QStringLiteral("Macro recorder, Key 5a"), dlg.windowTitle());
    for (const int nCode : {1, 2, 3})
        QTest::mouseClick(dlg.Picture(), Qt::LeftButton, Qt::NoModifier, Centre(map, nCode));
    QTest::mouseClick(dlg.Picture(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2)); // beside every key
    SaveScreenshot(&dlg, QStringLiteral("macro_recorder_clicked"));
    EXPECT_EQ(3, List(dlg, CDlg_Macro::IDC_SEQUENCE)->count());
    EXPECT_EQ(3,
              qobject_cast<QProgressBar*>(CUi_Texts::FindControl(&dlg, CDlg_Macro::IDC_PROGRESS))->value());

    QTest::mouseClick(qobject_cast<QPushButton*>(CUi_Texts::FindControl(&dlg, 1)), Qt::LeftButton);
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    EXPECT_EQ(Bytes({0x12, 0x3F}), dlg.Code());
    EXPECT_TRUE(m_ui.Shown().empty());
}

TEST_F(CDlg_MacroTest, FittingRulesAndRemovalWorkThroughTheLists)
{
    const CData_KeyMap map = Map(6);
    // 24 digits recorded: room for one two-digit code.
    CDlg_Macro dlg(map, CDlg_Macro::PicturePath(6), Bytes(std::vector<unsigned char>(12, 0x12)), "Amt", 20,
                   "M3");
    dlg.show();
    QListWidget* pKeys = List(dlg, CDlg_Macro::IDC_KEYS);
    QListWidget* pSequence = List(dlg, CDlg_Macro::IDC_SEQUENCE);
    ASSERT_EQ(24, pSequence->count());
    const auto item = [pKeys](const QString& name)
    { return pKeys->findItems(name, Qt::MatchExactly).value(0); };
    ASSERT_TRUE(item(QStringLiteral("Speaker")));
    pKeys->scrollToItem(item(QStringLiteral("Speaker")));
    QTest::mouseClick(pKeys->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pKeys->visualItemRect(item(QStringLiteral("Speaker"))).center());
    EXPECT_EQ(25, pSequence->count());
    // Full: the 27th digit is refused with text 4355, a key of either width.
    QTest::mouseClick(dlg.Picture(), Qt::LeftButton, Qt::NoModifier, Centre(map, 7));
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ(CData_UiText(CData_MacroCode::TEXT_FULL), m_ui.Shown()[0].text);
    EXPECT_EQ(25, pSequence->count());

    // Removing an entry in the middle; a two-digit code then finds one digit left: text 4354.
    QTest::mouseClick(pSequence->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pSequence->visualItemRect(pSequence->item(0)).center());
    EXPECT_EQ(24, pSequence->count());
    EXPECT_EQ(CData_MacroCode::FIT_NO_ROOM_TWO_DIGITS, dlg.AddKey(0xA2));
    EXPECT_EQ(CData_UiText(CData_MacroCode::TEXT_NO_ROOM_TWO_DIGITS), m_ui.Shown().back().text);
    dlg.accept();
    // 2 1 2 ... 1 2, then the speaker's A2: every digit moved up by one.
    Code expected = Bytes(std::vector<unsigned char>(11, 0x21));
    expected[11] = 0x2A;
    expected[12] = 0x2F;
    EXPECT_EQ(expected, dlg.Code());
    EXPECT_EQ("Amt", dlg.Name());
}

TEST_F(CDlg_MacroTest, CancelHandsBackNothingAndUnknownCodesStay)
{
    // 0xB9 has no key on the RV740 picture: it stays in the sequence under its number.
    const Code abCode = Bytes({0x1B, 0x9F});
    CDlg_Macro dlg(Map(0), CDlg_Macro::PicturePath(0), abCode, "", 10, "1");
    dlg.show();
    ASSERT_EQ(2, List(dlg, CDlg_Macro::IDC_SEQUENCE)->count());
    EXPECT_EQ(QStringLiteral("(B9)"), List(dlg, CDlg_Macro::IDC_SEQUENCE)->item(1)->text());
    dlg.AddKey(3);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, dlg.result());
    EXPECT_EQ(abCode, dlg.Code());
}

TEST_F(CDlg_MacroTest, ScreenshotsOfEveryPicture)
{
    CTest_Bundle german("GER");
    for (int nPicture = 0; nPicture < CData_KeyMap::PICTURE_COUNT; ++nPicture)
    {
        CData_KeyMap map;
        map.ReadFile(german.MapPath(CData_KeyMap::MapFileName(nPicture)));
        CDlg_Macro dlg(map, CDlg_Macro::PicturePath(nPicture), Bytes({0x01, 0x23, 0xB0}), "", 20, "1");
        SaveScreenshot(&dlg,
                       QStringLiteral("macro_recorder_%1_%2")
                           .arg(nPicture, 2, 10, QLatin1Char('0'))
                           .arg(QString::fromLatin1(CData_KeyMap::MapFileName(nPicture)).section('.', 0, 0)));
    }
}
} // namespace
