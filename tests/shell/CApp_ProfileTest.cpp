#include "shell/CApp_Profile.h"

#include "data/CData_Properties.h"
#include "platform/CPlatform_Settings.h"
#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_TraceCapture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace
{
// A brand's string table.
using Table = std::map<int, std::string>;

CApp_Profile::StringLookup Lookup(const Table& table)
{
    return [table](int n)
    {
        const auto it = table.find(n);
        return it == table.end() ? std::string() : it->second;
    };
}

Table Brand(const std::string& derivat, const std::string& version = "4.10",
            const std::string& country = "GER", const std::string& defaultType = "RV740")
{
    return {{130, version}, {131, derivat}, {132, country}, {133, defaultType}, {134, "GER"},
            {150, "1"},     {151, ""},      {160, "640"},   {161, "480"},       {501, " ISDN"}};
}

// Every test starts with the properties of a fresh program and leaves them so.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override { CData_Properties::Restore(CData_Properties::CSnapshot()); }
    void TearDown() override { CData_Properties::Restore(CData_Properties::CSnapshot()); }

    CApp_Profile m_profile;
};

// ---- DerivatLoad ----

TEST_F(ProfileTest, DerivatLoadReadsTheBrandTable)
{
    CTest_TraceCapture trace;
    Table t = Brand("VORTANE", "V3.01", "ITA", "RV920");
    t[151] = "x";
    EXPECT_EQ(1, m_profile.DerivatLoad(Lookup(t)));
    EXPECT_EQ("VORTANE", m_profile.Brand().m_szDerivat);
    EXPECT_EQ("ITA", m_profile.Brand().m_szCountry);
    EXPECT_EQ(3010, m_profile.VersionNumber());
    EXPECT_EQ("RV920", m_profile.Brand().m_szPhoneTypeDefault);
    EXPECT_EQ("GER", m_profile.Brand().m_szDispLanDefault);
    EXPECT_EQ(640, m_profile.Brand().m_nFrameMinDx);
    EXPECT_EQ(480, m_profile.Brand().m_nFrameMinDy);
    EXPECT_TRUE(m_profile.Brand().m_bAppCfg);
    EXPECT_TRUE(m_profile.Brand().m_bAppDialName);
    const CData_Properties& p = CData_Properties::Current();
    EXPECT_EQ("RV920", p.m_szPhoneTypeDefault);
    EXPECT_EQ("VORTANE", p.m_szDerivat);
    EXPECT_TRUE(p.m_bAppDialName);
    EXPECT_EQ(std::vector<std::string>{"App: DerivatLoad()"}, trace.Take());
}

TEST_F(ProfileTest, DerivatLoadCountryComesFromTheInterfaceTexts)
{
    EXPECT_EQ(1, m_profile.DerivatLoad(Lookup(Brand("TALVO")), Lookup({{132, "ITA"}})));
    EXPECT_EQ("ITA", m_profile.Brand().m_szCountry);
}

TEST_F(ProfileTest, DerivatLoadWithAnEmptyTable)
{
    EXPECT_EQ(1, m_profile.DerivatLoad(Lookup({})));
    EXPECT_FALSE(m_profile.Brand().m_bAppCfg);
    EXPECT_FALSE(m_profile.Brand().m_bAppDialName);
    EXPECT_EQ(0, m_profile.VersionNumber());
    EXPECT_EQ(0, m_profile.Brand().m_nFrameMinDx);
    EXPECT_EQ(0, m_profile.DerivatLoad(nullptr));
}

TEST_F(ProfileTest, BrandWindowLimitsThatAreNoNumbersReadAsZero)
{
    Table t = Brand("TALVO");
    t[160] = "wide";
    t[161] = "99999999999999999999";
    m_profile.DerivatLoad(Lookup(t));
    EXPECT_EQ(0, m_profile.Brand().m_nFrameMinDx);
    EXPECT_GT(m_profile.Brand().m_nFrameMinDy, 0); // bounded, no overflow
}

// ---- Settings ----

class SettingsTest : public ProfileTest
{
protected:
    void SetUp() override
    {
        ProfileTest::SetUp();
        CPlatform_Settings::SetRootDirectory(m_dir.Path());
        m_profile.DerivatLoad(Lookup(Brand("TALVO")));
    }

    std::unique_ptr<CPlatform_Settings> Store()
    {
        return std::make_unique<CPlatform_Settings>("talvo", "R740Cf");
    }

    void Write(const char* pszSection, const char* pszName, int n)
    {
        auto s = Store();
        s->SetInt(pszSection, pszName, n);
        s->Sync();
    }

    int Read(const char* pszSection, const char* pszName, int nMissing = -99999)
    {
        auto s = Store();
        int n = nMissing;
        s->GetInt(pszSection, pszName, n);
        return n;
    }

    CTest_TempDir m_dir;
};

TEST_F(SettingsTest, MissingValuesGiveTheDefaults)
{
    EXPECT_EQ(1, m_profile.ProfileSettingsGet(*Store()));
    EXPECT_EQ(1, m_profile.m_nComPort);
    EXPECT_EQ(1, m_profile.m_nConnection);
    EXPECT_EQ(2000, m_profile.m_nTimerOpen);
    EXPECT_EQ(5000, m_profile.m_nTimerData);
    EXPECT_EQ(5, m_profile.m_nRepeatData);
    EXPECT_EQ("", m_profile.m_szPhone);
    EXPECT_EQ(20, m_profile.m_nX);
    EXPECT_EQ(20, m_profile.m_nY);
    EXPECT_EQ(640, m_profile.m_nDX); // raised to the brand's minimum
    EXPECT_EQ(480, m_profile.m_nDY);
    EXPECT_EQ(0, m_profile.m_nSetRV730);
    EXPECT_EQ(0, m_profile.m_nSetRV930Sms);
    EXPECT_FALSE(m_profile.m_szDataPath.empty());
}

struct CReadCase
{
    const char* pszSection;
    const char* pszName;
    int nStored;
    int CApp_Profile::*pField;
    int nExpected;
};

class SettingsReadTest : public SettingsTest, public ::testing::WithParamInterface<CReadCase>
{
};

TEST_P(SettingsReadTest, ChecksOnReading)
{
    const CReadCase& c = GetParam();
    Write(c.pszSection, c.pszName, c.nStored);
    m_profile.ProfileSettingsGet(*Store());
    EXPECT_EQ(c.nExpected, m_profile.*c.pField);
}

INSTANTIATE_TEST_SUITE_P(
    All, SettingsReadTest,
    ::testing::Values(CReadCase{"Transfer", "Connection", 7, &CApp_Profile::m_nConnection, 1},
                      CReadCase{"Transfer", "Connection", -1, &CApp_Profile::m_nConnection, 1},
                      CReadCase{"Transfer", "Connection", 0, &CApp_Profile::m_nConnection, 0},
                      CReadCase{"Transfer", "Connection", 2, &CApp_Profile::m_nConnection, 2},
                      CReadCase{"Transfer", "TimerOpen", 1000, &CApp_Profile::m_nTimerOpen, 2000},
                      CReadCase{"Transfer", "TimerOpen", 3000, &CApp_Profile::m_nTimerOpen, 3000},
                      CReadCase{"Transfer", "TimerOpen", 0, &CApp_Profile::m_nTimerOpen, 2000},
                      CReadCase{"Transfer", "TimerData", 1000, &CApp_Profile::m_nTimerData, 2000},
                      CReadCase{"Transfer", "TimerData", 999, &CApp_Profile::m_nTimerData, 999},
                      CReadCase{"Transfer", "TimerData", -5, &CApp_Profile::m_nTimerData, 5000},
                      CReadCase{"Transfer", "RepeatData", 0, &CApp_Profile::m_nRepeatData, 0},
                      CReadCase{"Transfer", "RepeatData", -1, &CApp_Profile::m_nRepeatData, 5},
                      CReadCase{"Transfer", "ComPort", 4, &CApp_Profile::m_nComPort, 4},
                      CReadCase{"Transfer", "ComPort", 0, &CApp_Profile::m_nComPort, 1},
                      CReadCase{"Screen", "X", 2999, &CApp_Profile::m_nX, 2999},
                      CReadCase{"Screen", "X", 3000, &CApp_Profile::m_nX, 20},
                      CReadCase{"Screen", "X", -1, &CApp_Profile::m_nX, 20},
                      CReadCase{"Screen", "Y", 299, &CApp_Profile::m_nY, 299},
                      CReadCase{"Screen", "Y", -3, &CApp_Profile::m_nY, 20},
                      CReadCase{"Screen", "DX", 800, &CApp_Profile::m_nDX, 800},
                      CReadCase{"Screen", "DX", 100, &CApp_Profile::m_nDX, 640},
                      CReadCase{"Screen", "DY", 100, &CApp_Profile::m_nDY, 480},
                      CReadCase{"Settings", "RV745", 3, &CApp_Profile::m_nSetRV745, 3}));

TEST_F(SettingsTest, YOf350ResetsBothPositions)
{
    Write("Screen", "X", 100);
    Write("Screen", "Y", 350);
    m_profile.ProfileSettingsGet(*Store());
    EXPECT_EQ(20, m_profile.m_nX);
    EXPECT_EQ(20, m_profile.m_nY);
}

TEST_F(SettingsTest, TextValuesAreRead)
{
    {
        auto s = Store();
        s->SetString("Transfer", "Phone", "RV930");
        s->SetString("Settings", "DataPath", "/data/phones");
        s->Sync();
    }
    m_profile.ProfileSettingsGet(*Store());
    EXPECT_EQ("RV930", m_profile.m_szPhone);
    EXPECT_EQ("/data/phones", m_profile.m_szDataPath);
}

TEST_F(SettingsTest, WritingStoresEverythingButTheSwitches)
{
    CTest_TraceCapture trace;
    m_profile.m_nComPort = 3;
    m_profile.m_nConnection = 2;
    m_profile.m_nTimerOpen = 2500;
    m_profile.m_nTimerData = 6000;
    m_profile.m_nRepeatData = 7;
    m_profile.m_nX = 799;
    m_profile.m_nY = 599;
    m_profile.m_nDX = 1024;
    m_profile.m_nDY = 768;
    m_profile.m_nSetRV730 = 1;
    m_profile.m_szDataPath = "/data";
    EXPECT_EQ(1, m_profile.ProfileSettingsSet(*Store(), PHONETYPE_RV930U));
    EXPECT_EQ("RV930U", m_profile.m_szPhone);
    EXPECT_EQ(std::vector<std::string>{"App: ProfileSettingsSet()"}, trace.Take());

    EXPECT_EQ(3, Read("Transfer", "ComPort"));
    EXPECT_EQ(2, Read("Transfer", "Connection"));
    EXPECT_EQ(2500, Read("Transfer", "TimerOpen"));
    EXPECT_EQ(6000, Read("Transfer", "TimerData"));
    EXPECT_EQ(7, Read("Transfer", "RepeatData"));
    EXPECT_EQ(799, Read("Screen", "X"));
    EXPECT_EQ(599, Read("Screen", "Y"));
    EXPECT_EQ(1024, Read("Screen", "DX"));
    EXPECT_EQ(768, Read("Screen", "DY"));
    EXPECT_EQ(-99999, Read("Settings", "RV730")); // never written
    std::string phone;
    std::string path;
    auto s = Store();
    s->GetString("Transfer", "Phone", phone);
    s->GetString("Settings", "DataPath", path);
    EXPECT_EQ("RV930U", phone);
    EXPECT_EQ("/data", path);
}

TEST_F(SettingsTest, PositionsBeyondTheWriteLimitsKeepTheStoredValue)
{
    Write("Screen", "X", 120);
    Write("Screen", "Y", 90);
    m_profile.m_nX = 900;
    m_profile.m_nY = 600;
    m_profile.ProfileSettingsSet(*Store(), PHONETYPE_RV740);
    EXPECT_EQ(120, Read("Screen", "X"));
    EXPECT_EQ(90, Read("Screen", "Y"));
}

TEST_F(SettingsTest, RoundTripGivesTheSameSettings)
{
    m_profile.m_nComPort = 2;
    m_profile.m_nConnection = 0;
    m_profile.m_nX = 50;
    m_profile.m_nY = 60;
    m_profile.m_nDX = 700;
    m_profile.m_nDY = 500;
    m_profile.ProfileSettingsSet(*Store(), PHONETYPE_R760);
    CApp_Profile again;
    again.DerivatLoad(Lookup(Brand("TALVO")));
    again.ProfileSettingsGet(*Store());
    EXPECT_EQ(2, again.m_nComPort);
    EXPECT_EQ(0, again.m_nConnection);
    EXPECT_EQ(50, again.m_nX);
    EXPECT_EQ(60, again.m_nY);
    EXPECT_EQ(700, again.m_nDX);
    EXPECT_EQ(500, again.m_nDY);
    EXPECT_EQ("R760", again.m_szPhone);
}

// ---- Phone type at start ----

struct CSettleCase
{
    const char* pszDerivat;
    const char* pszStored;
    const char* pszDefault;
    int nExpected;
};

class SettlePhoneTypeTest : public ProfileTest, public ::testing::WithParamInterface<CSettleCase>
{
};

TEST_P(SettlePhoneTypeTest, TypeTheBrandDoesNotOfferIsReplaced)
{
    const CSettleCase& c = GetParam();
    m_profile.DerivatLoad(Lookup(Brand(c.pszDerivat, "4.10", "GER", c.pszDefault)));
    m_profile.m_szPhone = c.pszStored;
    EXPECT_EQ(c.nExpected, m_profile.SettlePhoneType());
    EXPECT_EQ(c.nExpected, CData_Properties::CurrentInput().nPhoneType);
    std::string word;
    PhoneTypeToStr(c.nExpected, word);
    if (std::string(c.pszStored) != word)
    {
        EXPECT_EQ(c.pszDefault, m_profile.m_szPhone);
    }
    EXPECT_EQ(1, CData_Properties::Current().PhoneTypeOffered(c.nExpected));
}

INSTANTIATE_TEST_SUITE_P(All, SettlePhoneTypeTest,
                         ::testing::Values(CSettleCase{"VORTANE", "R740", "RV740", PHONETYPE_RV740},
                                           CSettleCase{"VORTANE", "RV920", "RV740", PHONETYPE_RV920},
                                           CSettleCase{"TALVO", "RV930", "RV740", PHONETYPE_RV930},
                                           CSettleCase{"TALVO", "R920", "RV750", PHONETYPE_RV750},
                                           CSettleCase{"TALVO", "", "RV760", PHONETYPE_RV760},
                                           CSettleCase{"TALVO", "nonsense", "RV760", PHONETYPE_RV760},
                                           CSettleCase{"BRELMONDIA", "RV740", "R930T", PHONETYPE_R930T},
                                           CSettleCase{"NOVREK", "RV930U", "RV740", PHONETYPE_RV930U}));

// ---- DerivatToProperties: the shell's own steps ----

TEST_F(ProfileTest, DerivatToPropertiesUsesVersionSettingsAndModes)
{
    CTest_TraceCapture trace;
    m_profile.DerivatLoad(Lookup(Brand("DROMEL", "2.10")));
    trace.Take();
    EXPECT_EQ(1, m_profile.DerivatToProperties(PHONETYPE_RV740));
    EXPECT_EQ(std::vector<std::string>{"App: DerivatToProperties()"}, trace.Take());
    EXPECT_EQ(PHONETYPE_RV740, CData_Properties::CurrentInput().nPhoneType);
    // 2.10 is above 2099, but RV730 needs the setting or a PABX mode.
    EXPECT_EQ(1, CData_Properties::Current().PhoneTypeOffered(PHONETYPE_RV730)); // a default type
    m_profile.m_nSetRV745 = 1;
    m_profile.DerivatToProperties(PHONETYPE_RV740);
    EXPECT_EQ(1, CData_Properties::Current().PhoneTypeOffered(PHONETYPE_RV745));
    m_profile.SetVersionText("2.01");
    m_profile.DerivatToProperties(PHONETYPE_RV740);
    EXPECT_EQ(0, CData_Properties::Current().PhoneTypeOffered(PHONETYPE_RV745));
}

struct CConnectionCase
{
    int nType;
    bool bPabx;
    int nBefore;
    int nAfter;
};

class ConnectionTest : public ProfileTest, public ::testing::WithParamInterface<CConnectionCase>
{
};

TEST_P(ConnectionTest, LinkFollowsThePhoneTypeOutsidePabxRuns)
{
    const CConnectionCase& c = GetParam();
    m_profile.DerivatLoad(Lookup(Brand("DROMEL")));
    m_profile.m_bPabxLine = c.bPabx;
    m_profile.m_nConnection = c.nBefore;
    m_profile.DerivatToProperties(c.nType);
    EXPECT_EQ(c.nAfter, m_profile.m_nConnection);
}

INSTANTIATE_TEST_SUITE_P(All, ConnectionTest,
                         ::testing::Values(CConnectionCase{PHONETYPE_RV930, false, 1, 0},
                                           CConnectionCase{PHONETYPE_R760, false, 2, 0},
                                           CConnectionCase{PHONETYPE_RV930SMS, false, 1, 0},
                                           CConnectionCase{PHONETYPE_RV740, false, 0, 1},
                                           CConnectionCase{PHONETYPE_RV920XT, false, 2, 1},
                                           CConnectionCase{PHONETYPE_RV930, true, 2, 2},
                                           CConnectionCase{PHONETYPE_RV740, true, 2, 2}));

TEST_F(ProfileTest, HelpFileBecomesHtmlHelpAbove3009)
{
    m_profile.DerivatLoad(Lookup(Brand("TALVO", "3.00")));
    m_profile.m_szHelpFilePath = "/opt/R740/Help/R740Cf_GER.HLP";
    m_profile.DerivatToProperties(PHONETYPE_RV740);
    EXPECT_EQ("/opt/R740/Help/R740Cf_GER.HLP", m_profile.m_szHelpFilePath);
    m_profile.DerivatLoad(Lookup(Brand("TALVO", "3.01")));
    m_profile.DerivatToProperties(PHONETYPE_RV740);
    EXPECT_EQ("/opt/R740/Help/R740Cf_GER.chm", m_profile.m_szHelpFilePath);
    EXPECT_TRUE(CData_Properties::Current().m_bHtmlHelp);
}

struct CPaneCase
{
    int nConnection;
    int nComPort;
    bool bPabx;
    const char* pszText;
};

class StatusPaneTest : public ProfileTest, public ::testing::WithParamInterface<CPaneCase>
{
};

TEST_P(StatusPaneTest, PaneShowsTheLink)
{
    const CPaneCase& c = GetParam();
    m_profile.DerivatLoad(Lookup(Brand("TALVO")));
    m_profile.m_nConnection = c.nConnection;
    m_profile.m_nComPort = c.nComPort;
    m_profile.m_bPabxLink = c.bPabx;
    EXPECT_EQ(c.pszText, m_profile.StatusPaneText());
}

INSTANTIATE_TEST_SUITE_P(All, StatusPaneTest,
                         ::testing::Values(CPaneCase{0, 1, false, " USB"}, CPaneCase{1, 3, false, " COM3"},
                                           CPaneCase{1, 12, false, " COM12"}, CPaneCase{2, 1, false, " ISDN"},
                                           CPaneCase{0, 1, true, " ISDN"}, CPaneCase{1, 4, true, " ISDN"}));

// ---- Window title of an unattended run ----

struct CTitleCase
{
    const char* pszDerivat;
    bool bAppCfg;
    const char* pszCurrent;
    const char* pszExpected;
};

class TitleTest : public ProfileTest, public ::testing::WithParamInterface<CTitleCase>
{
};

TEST_P(TitleTest, ComposedFromTheTitleAndTheHandOff)
{
    const CTitleCase& c = GetParam();
    Table t = Brand(c.pszDerivat);
    t[150] = c.bAppCfg ? "1" : "";
    t[151] = c.bAppCfg ? "" : "1";
    m_profile.DerivatLoad(Lookup(t));
    EXPECT_EQ(c.pszExpected, m_profile.UnattendedTitle(c.pszCurrent, "RV930", "Port 12"));
}

INSTANTIATE_TEST_SUITE_P(
    All, TitleTest,
    ::testing::Values(
        CTitleCase{"TALVO", true, "Untitled - talvo R740 Configurator",
                   "Untitled - talvo R740 Systel-Configurator RV930, Port 12"},
        CTitleCase{"TALVO", true, "Untitled - talvo", "Untitled - talvo  Systel- RV930, Port 12"},
        CTitleCase{"TALVO", true, "", " -   Systel- RV930, Port 12"},
        CTitleCase{"TALVO", false, "Untitled - talvo Phonebook",
                   "Untitled - talvo Systel-Phonebook RV930, Port 12"},
        CTitleCase{"TALVO", false, "Untitled - talvo Phonebook extra words",
                   "Untitled - talvo Systel-Phonebook RV930, Port 12"},
        CTitleCase{"VORTANE", true, "Untitled - Vortane Config", "Untitled - Vortane Config : Port 12"},
        CTitleCase{"BRELMONDIA", false, "Doc", "Doc : Port 12"},
        CTitleCase{"QUESK", true, "Untitled - Quesk", "Untitled - Quesk"}));
} // namespace
