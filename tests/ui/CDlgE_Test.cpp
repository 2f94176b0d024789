// The edit dialogs as a user drives them: typing into numbered controls, Return for OK and Escape
// for Cancel, and the checks and rules that keep a dialog open.

#include "CTest_Bundle.h"
#include "CTest_Screenshot.h"
#include "CTest_Untranslated.h"
#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_UiText.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "ui/CDlgE_AnsMaschPerMsn.h"
#include "ui/CDlgE_CallFilter.h"
#include "ui/CDlgE_DialFilter.h"
#include "ui/CDlgE_DialName.h"
#include "ui/CDlgE_DialVip.h"
#include "ui/CDlgE_Key.h"
#include "ui/CDlgE_MsnPara.h"
#include "ui/CDlgE_Pin.h"
#include "ui/CDlg_Version.h"
#include "ui/CUi_Texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace
{
// A telephone with every capability the dialogs show: key labels, MSN to dial out with, info texts.
void RichPhone()
{
    CData_PropertyInput input;
    input.nPhoneType = PHONETYPE_RV930;
    input.nVersion = 4000;
    input.brand.m_szDerivat = "TALVO";
    input.brand.m_szCountry = "GER";
    CData_Properties::Install(input);
}

class CDlgE_Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RichPhone();
        m_data.m_Version.m_nPhoneType = PHONETYPE_RV930;
        m_data.m_Version.m_strVersion = "4.0";
        m_data.m_Cfg.m_MsnPara[0].m_strMsn = "0301234";
        m_data.m_Cfg.m_MsnPara[0].m_strTxt = "Privat";
    }
    template <class T> static T* Control(const QWidget& dlg, unsigned nControl)
    {
        return qobject_cast<T*>(CUi_Texts::FindControl(&dlg, nControl));
    }

    CTest_Bundle m_bundle{"UK"};
    CTest_ScriptedUi m_ui;
    CData_All m_data;
    CTest_PropertiesGuard m_savedProps;
};

// One edit field of one dialog: the text typed into it and what the entry holds after OK.
struct CFieldCase
{
    const char* pszName;
    std::function<CUi_Dialog*(const CData_All&)> make;
    unsigned nControl;
    const char* pszTyped;
    std::function<std::string(const CUi_Dialog&)> field;
    const char* pszBefore;
    const char* pszAfter; // the typed text within the control's limit and character class
};

CData_DialName Entry()
{
    CData_DialName entry(4);
    entry.m_strName = "Anna";
    entry.m_strMsnExt = "030111";
    entry.m_strInfotext = "Zentrale";
    return entry;
}

CData_Key Key(bool bModule)
{
    CData_Key key(3, bModule);
    key.m_strKeyName = "Taxi";
    key.m_strDialKeyMsn = "0800";
    return key;
}

template <class D> std::function<std::string(const CUi_Dialog&)> Get(std::string (*pGet)(const D&))
{
    return [pGet](const CUi_Dialog& dlg) { return pGet(static_cast<const D&>(dlg)); };
}

const CFieldCase s_fields[] = {
    {"PhonebookNumber",
     [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_DialName(Entry(), d.m_Cfg); },
     CDlgE_DialName::IDC_NUMBER, "123456789012345678901234567890",
     Get<CDlgE_DialName>([](const CDlgE_DialName& d) { return d.Entry().m_strMsnExt; }), "030111",
     "03011112345678901234567890"},
    {"PhonebookName", [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_DialName(Entry(), d.m_Cfg); },
     CDlgE_DialName::IDC_NAME, "-M\xFCller\tGro\xDF\xA7zwei Namen",
     Get<CDlgE_DialName>([](const CDlgE_DialName& d) { return d.Entry().m_strName; }), "Anna",
     "Anna-M\xFCllerGro\xDFzwei "},
    {"PhonebookInfoLine2",
     [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_DialName(Entry(), d.m_Cfg); },
     CDlgE_DialName::IDC_INFOTEXT2, "Raum 12, zweiter Stock links",
     Get<CDlgE_DialName>([](const CDlgE_DialName& d) { return d.Entry().m_strInfotext; }), "Zentrale",
     "Zentrale             Raum 12, zweiter Stoc"},
    {"VipNumber", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_DialVip(CData_DialVip(2)); },
     CDlgE_DialVip::IDC_MSN, "0301a*#5",
     Get<CDlgE_DialVip>([](const CDlgE_DialVip& d) { return d.Entry().m_strMsn; }), "", "0301*#5"},
    {"VipName", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_DialVip(CData_DialVip(2)); },
     CDlgE_DialVip::IDC_NAME, "Hausverwaltung Nordstadt",
     Get<CDlgE_DialVip>([](const CDlgE_DialVip& d) { return d.Entry().m_strName; }), "",
     "Hausverwaltung Nords"},
    {"DialFilter", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_DialFilter(CData_DialFilter(7)); },
     CDlgE_DialFilter::IDC_MSN, "0900123456789012345678",
     Get<CDlgE_DialFilter>([](const CDlgE_DialFilter& d) { return d.Entry().m_strMsn; }), "",
     "09001234567890123456"},
    {"CallFilter", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_CallFilter(CData_CallFilter(1)); },
     CDlgE_CallFilter::IDC_MSN, "0190#12345678901234567",
     Get<CDlgE_CallFilter>([](const CDlgE_CallFilter& d) { return d.Entry().m_strMsn; }), "",
     "0190#123456789012345"},
    {"MsnText", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_MsnPara(CData_MsnPara(1)); },
     CDlgE_MsnPara::IDC_TXT, "Gesch\xE4\x66tlich",
     Get<CDlgE_MsnPara>([](const CDlgE_MsnPara& d) { return d.Entry().m_strTxt; }), "", "Gesch\xE4\x66t"},
    {"PhoneKeyLabel", [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_Key(Key(false), d); },
     CDlgE_Key::IDC_KEYNAME, " Zentrale Nord 123456",
     Get<CDlgE_Key>([](const CDlgE_Key& d) { return d.Entry().m_strKeyName; }), "Taxi",
     "Taxi Zentrale Nord 1"},
    {"ModuleKeyLabel", [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_Key(Key(true), d); },
     CDlgE_Key::IDC_KEYNAME, " Zentrale",
     Get<CDlgE_Key>([](const CDlgE_Key& d) { return d.Entry().m_strKeyName; }), "Taxi", "Taxi Zentr"},
    {"DialKeyNumber", [](const CData_All& d) -> CUi_Dialog* { return new CDlgE_Key(Key(false), d); },
     CDlgE_Key::IDC_DIALKEYMSN, "12345678901234567890123456",
     Get<CDlgE_Key>([](const CDlgE_Key& d) { return d.Entry().m_strDialKeyMsn; }), "0800",
     "08001234567890123456789012"},
    {"Pin", [](const CData_All&) -> CUi_Dialog* { return new CDlgE_Pin("5182"); }, CDlgE_Pin::IDC_PIN,
     "\b\b\b\b98765", Get<CDlgE_Pin>([](const CDlgE_Pin& d) { return d.Pin(); }), "5182", "9876"},
};

class CDlgE_Fields : public CDlgE_Test, public ::testing::WithParamInterface<CFieldCase>
{
};

TEST_P(CDlgE_Fields, ReturnHandsBackTheLimitedTextEscapeLeavesTheEntry)
{
    const CFieldCase& c = GetParam();
    for (const bool bOk : {true, false})
    {
        std::unique_ptr<CUi_Dialog> pDlg(c.make(m_data));
        pDlg->show();
        auto* pEdit = Control<QLineEdit>(*pDlg, c.nControl);
        ASSERT_TRUE(pEdit);
        pEdit->setFocus();
        pEdit->end(false);
        for (const char* p = c.pszTyped; *p; ++p)
        {
            if (*p == '\b')
                QTest::keyClick(pEdit, Qt::Key_Backspace);
            else
                QTest::sendKeyEvent(QTest::Click, pEdit, Qt::Key_unknown,
                                    CUi_Texts::FromCp1252(std::string(1, *p)), Qt::NoModifier);
        }
        QTest::keyClick(pEdit, bOk ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_EQ(bOk ? QDialog::Accepted : QDialog::Rejected, pDlg->result());
        EXPECT_EQ(bOk ? c.pszAfter : c.pszBefore, c.field(*pDlg)) << (bOk ? "OK" : "Cancel");
    }
    EXPECT_TRUE(m_ui.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, CDlgE_Fields, ::testing::ValuesIn(s_fields),
                         [](const ::testing::TestParamInfo<CFieldCase>& row) { return row.param.pszName; });

TEST_F(CDlgE_Test, APhonebookEntryWithoutNameIsRefusedAndStaysOpen)
{
    CData_DialName entry = Entry();
    CDlgE_DialName dlg(entry, m_data.m_Cfg);
    dlg.show();
    Control<QLineEdit>(dlg, CDlgE_DialName::IDC_NAME)->clear();
    QTest::keyClick(Control<QLineEdit>(dlg, CDlgE_DialName::IDC_NUMBER), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(QDialog::Accepted, dlg.result());
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ(CData_UiText(CDlgE_DialName::TEXT_NAME_MISSING), m_ui.Shown()[0].text);
    EXPECT_EQ("Phonebook entry", m_ui.Shown()[0].caption);
    EXPECT_EQ(CUi_Interface::ICON_WARNING, m_ui.Shown()[0].icon);
    EXPECT_TRUE(dlg.Entry() == entry);
    SaveScreenshot(&dlg, QStringLiteral("dialname_uk"));
}

TEST_F(CDlgE_Test, PhonebookEntryChoicesAndRisingLoudness)
{
    CDlgE_DialName dlg(Entry(), m_data.m_Cfg);
    auto* pMsnGo = Control<QComboBox>(dlg, CDlgE_DialName::IDC_MSNGO);
    ASSERT_EQ(11, pMsnGo->count());
    EXPECT_EQ(QStringLiteral("Privat (0301234)"), pMsnGo->itemText(1));
    pMsnGo->setCurrentIndex(1);
    Control<QComboBox>(dlg, CDlgE_DialName::IDC_MELODY)->setCurrentIndex(3);
    Control<QAbstractButton>(dlg, CDlgE_DialName::IDC_LOUD_TUMESCENT)->setChecked(true);
    dlg.accept();
    EXPECT_EQ(1, dlg.Entry().m_nMsnGo);
    EXPECT_EQ(3, dlg.Entry().m_nMelodyExt);
    EXPECT_EQ(7, dlg.Entry().m_nLoud);
    EXPECT_EQ("Zentrale", dlg.Entry().m_strInfotext); // one line stays one line
}

TEST_F(CDlgE_Test, APinOfAnyOtherLengthIsRefusedWithString432)
{
    CDlgE_Pin dlg("5182");
    dlg.show();
    for (const char* pszPin : {"123", ""})
    {
        Control<QLineEdit>(dlg, CDlgE_Pin::IDC_PIN)->setText(QString::fromLatin1(pszPin));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
    }
    ASSERT_EQ(2u, m_ui.Shown().size());
    EXPECT_EQ(CData_UiText(CDlgE_Pin::TEXT_WRONG_LENGTH), m_ui.Shown()[0].text);
    EXPECT_EQ("PIN", m_ui.Shown()[0].caption);
    EXPECT_EQ("5182", dlg.Pin());
}

TEST_F(CDlgE_Test, KeyFieldsFollowFunctionAndProperties)
{
    auto visible = [](const CDlgE_Key& dlg, unsigned nControl)
    { return CUi_Texts::FindControl(&dlg, nControl)->isVisibleTo(&dlg); };
    CData_Key key = Key(false);
    CDlgE_Key dlg(key, m_data);
    EXPECT_EQ("4", dlg.KeyLabel());
    EXPECT_TRUE(visible(dlg, CDlgE_Key::IDC_DIALKEYMSN));
    EXPECT_TRUE(visible(dlg, CDlgE_Key::IDC_KEYNAME));
    EXPECT_FALSE(visible(dlg, CDlgE_Key::IDC_MSNKEYMSN));

    auto* pKeyUse = Control<QComboBox>(dlg, CDlgE_Key::IDC_KEYUSE);
    pKeyUse->setCurrentIndex(pKeyUse->findData(CData_Key::KEYUSE_MSN));
    EXPECT_FALSE(visible(dlg, CDlgE_Key::IDC_DIALKEYMSN));
    EXPECT_TRUE(visible(dlg, CDlgE_Key::IDC_MSNKEYMSNID));
    Control<QLineEdit>(dlg, CDlgE_Key::IDC_MSNKEYMSN)->setText(QStringLiteral("555"));
    Control<QComboBox>(dlg, CDlgE_Key::IDC_MSNKEYMSNID)->setCurrentIndex(2);
    pKeyUse->setCurrentIndex(pKeyUse->findData(CData_Key::KEYUSE_MACRO));
    EXPECT_FALSE(visible(dlg, CDlgE_Key::IDC_KEYNAME));
    EXPECT_TRUE(visible(dlg, CDlgE_Key::IDC_MACRO));
    SaveScreenshot(&dlg, QStringLiteral("key_macro"));
    pKeyUse->setCurrentIndex(pKeyUse->findData(CData_Key::KEYUSE_EXT));
    EXPECT_TRUE(visible(dlg, CDlgE_Key::IDC_EXTCHANNEL));
    EXPECT_FALSE(visible(dlg, CDlgE_Key::IDC_NOVREKPORT));
    SaveScreenshot(&dlg, QStringLiteral("key_ext"));

    // Only the chosen function's fields are taken; the others stay as they were.
    pKeyUse->setCurrentIndex(pKeyUse->findData(CData_Key::KEYUSE_MSN));
    dlg.accept();
    EXPECT_EQ(CData_Key::KEYUSE_MSN, dlg.Entry().m_nKeyUse);
    EXPECT_EQ("555", dlg.Entry().m_strMsnKeyMsn);
    EXPECT_EQ(2, dlg.Entry().m_nMsnKeyMsnId);
    EXPECT_EQ("0800", dlg.Entry().m_strDialKeyMsn);

    // A NovRek line addresses port and B-channel; without key labels there is no label.
    {
        CTest_Properties props;
        props->m_bNovRekLine = true;
        props->m_bKeyNames = false;
    }
    key.m_nKeyUse = CData_Key::KEYUSE_EXT;
    CDlgE_Key novRek(key, m_data);
    EXPECT_FALSE(visible(novRek, CDlgE_Key::IDC_EXTCHANNEL));
    EXPECT_TRUE(visible(novRek, CDlgE_Key::IDC_NOVREKPORT));
    EXPECT_FALSE(visible(novRek, CDlgE_Key::IDC_KEYNAME));
}

TEST_F(CDlgE_Test, MacroPictureFollowsTheKeysPlace)
{
    m_data.m_Cfg.m_VersionModule[2].m_nModuleType = MODULETYPE_W920;
    EXPECT_EQ(6, CDlgE_Key(Key(false), m_data).MacroPicture());
    EXPECT_EQ(10, CDlgE_Key(CData_Key(50, true), m_data).MacroPicture());
    EXPECT_EQ("M9", CDlgE_Key(CData_Key(50, true), m_data).KeyLabel());
}

TEST_F(CDlgE_Test, VipCaptionAndVersionDialog)
{
    CTest_Properties()->m_bDialVipDialInd = true;
    CDlgE_DialVip vip(CData_DialVip(3));
    vip.show();
    EXPECT_EQ(CUi_Texts::FromCp1252(CData_UiText(CDlgE_DialVip::TEXT_DIALIND_CAPTION)), vip.windowTitle());

    m_data.m_Version.m_strSerialNo = "123456789";
    CDlg_Version version(m_data.m_Version);
    EXPECT_EQ(QStringLiteral("075BCD15"), Control<QLineEdit>(version, CDlg_Version::IDC_SERIALNO)->text());
    EXPECT_EQ(QStringLiteral("RV930"),
              Control<QComboBox>(version, CDlg_Version::IDC_PHONETYPE)->currentText());
    EXPECT_EQ("00000000", CDlg_Version::SerialText(""));
    QTest::keyClick(&version, Qt::Key_Return);
    EXPECT_TRUE(version.Entry() == m_data.m_Version);
}

TEST_F(CDlgE_Test, AnsweringMachineKeepsItsWeekdaysAndChecksThePlans)
{
    CData_AllCfg& cfg = m_data.m_Cfg;
    cfg.m_AnsMaschTimeType[2].m_nStartHour = 8;
    cfg.m_AnsMaschTimeType[2].m_nEndHour = 17;
    // The window counts as in use once read: through its record, as from the telephone.
    unsigned char abRecord[16];
    const int nLength = cfg.m_AnsMaschTimeType[2].MoveBlock(1, abRecord, sizeof abRecord, 0);
    ASSERT_EQ(1, cfg.m_AnsMaschTimeType[2].MoveBlock(0, abRecord, static_cast<size_t>(nLength), 0) > 0);
    cfg.m_AnsMaschInfoText.m_anAnnounce[0] = 1;
    const CData_AllCfg before = cfg;
    {
        CDlgE_AnsMaschPerMsn dlg(1, cfg);
        auto* pMain = Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_MAINANNOUNCEMENT);
        EXPECT_EQ(QStringLiteral("Announcement 1"), pMain->itemText(1));
        EXPECT_EQ(QStringLiteral("Announcement 2 *"), pMain->itemText(2));
        auto* pDays = Control<QTabBar>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKDAYS);
        Control<QAbstractButton>(dlg, CDlgE_AnsMaschPerMsn::IDC_TIMINGWEEK)->setChecked(true);
        pDays->setCurrentIndex(1);
        Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKTIMETYPE1)->setCurrentIndex(2);
        Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKTIMETYPE2)->setCurrentIndex(2);
        pDays->setCurrentIndex(0);
        EXPECT_EQ(0, Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKTIMETYPE1)->currentIndex());
        SaveScreenshot(&dlg, QStringLiteral("ansmasch_per_msn_uk"));
        // The other weekdays still use window 1, which is not configured.
        dlg.accept();
        ASSERT_EQ(1u, m_ui.Shown().size());
        EXPECT_EQ(CData_UiText(CDlgE_AnsMaschPerMsn::TEXT_START_INVALID), m_ui.Shown()[0].text);
        EXPECT_TRUE(cfg == before);
        for (int d = 0; d < CData_AnsMaschPerMsn::WEEKDAYS; ++d)
        {
            pDays->setCurrentIndex(d);
            Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKTIMETYPE1)->setCurrentIndex(2);
            Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_WEEKTIMETYPE2)->setCurrentIndex(2);
        }
        Control<QComboBox>(dlg, CDlgE_AnsMaschPerMsn::IDC_MAXMESSAGETIME)->setCurrentIndex(3);
        dlg.accept();
        EXPECT_EQ(QDialog::Accepted, dlg.result());
    }
    const CData_AnsMaschPerMsn& entry = cfg.m_AnsMaschPerMsn[1];
    EXPECT_EQ(1, entry.m_nTimingWeek);
    EXPECT_EQ(4, entry.m_nMaxMessageTime);
    EXPECT_EQ(2, entry.m_anTimeTypeWeekTimeType1[1]);
    EXPECT_EQ(2, entry.m_anTimeTypeWeekTimeType2[6]);

    // Entries from the fourth on carry no weekly plan; Cancel leaves the entry alone.
    CDlgE_AnsMaschPerMsn later(5, cfg);
    EXPECT_FALSE(CUi_Texts::FindControl(&later, CDlgE_AnsMaschPerMsn::IDC_TIMINGWEEK)->isVisibleTo(&later));
    Control<QAbstractButton>(later, CDlgE_AnsMaschPerMsn::IDC_ACTIVE)->setChecked(true);
    QTest::keyClick(&later, Qt::Key_Escape);
    EXPECT_EQ(0, cfg.m_AnsMaschPerMsn[5].m_nActive);
}

// Every dialog as the user sees it, in English and with the German language file.
TEST_F(CDlgE_Test, Screenshots)
{
    for (const char* pszLanguage : {"UK", "GER"})
    {
        CTest_Bundle bundle(pszLanguage);
        const QString suffix = QStringLiteral("_") + QString::fromLatin1(pszLanguage).toLower();
        std::vector<std::pair<QString, std::unique_ptr<QDialog>>> dialogs;
        dialogs.emplace_back("dialname", std::make_unique<CDlgE_DialName>(Entry(), m_data.m_Cfg));
        dialogs.emplace_back("dialvip", std::make_unique<CDlgE_DialVip>(CData_DialVip(3)));
        dialogs.emplace_back("dialfilter", std::make_unique<CDlgE_DialFilter>(CData_DialFilter(8)));
        dialogs.emplace_back("callfilter", std::make_unique<CDlgE_CallFilter>(CData_CallFilter(2)));
        dialogs.emplace_back("msnpara", std::make_unique<CDlgE_MsnPara>(m_data.m_Cfg.m_MsnPara[0]));
        dialogs.emplace_back("key", std::make_unique<CDlgE_Key>(Key(false), m_data));
        dialogs.emplace_back("pin", std::make_unique<CDlgE_Pin>("5182"));
        dialogs.emplace_back("version", std::make_unique<CDlg_Version>(m_data.m_Version));
        dialogs.emplace_back("ansmasch", std::make_unique<CDlgE_AnsMaschPerMsn>(0, m_data.m_Cfg));
        for (auto& dialog : dialogs)
        {
            SaveScreenshot(dialog.second.get(), dialog.first + suffix);
            if (std::string(pszLanguage) != "UK")
                for (const std::string& text :
                     UntranslatedTexts(dialog.second.get(), CUi_Texts::TemplateNumber(dialog.second.get())))
                    ADD_FAILURE() << "untranslated: " << text;
            // Tab goes through the numbered controls as they are numbered, OK and Cancel last.
            std::vector<unsigned> order;
            for (QWidget* p = dialog.second->nextInFocusChain(); p != dialog.second.get();
                 p = p->nextInFocusChain())
                if (CUi_Texts::ControlNumber(p) && (p->focusPolicy() & Qt::TabFocus))
                    order.push_back(CUi_Texts::ControlNumber(p) <= 2 ? 0x10000 + CUi_Texts::ControlNumber(p)
                                                                     : CUi_Texts::ControlNumber(p));
            EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << dialog.first.toStdString();
            EXPECT_GE(order.size(), 3u) << dialog.first.toStdString();
        }
    }
}
} // namespace
