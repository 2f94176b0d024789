#include "data/CData_Properties.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using P = CData_Properties;

const int s_allTypes[] = {PHONETYPE_R740,   PHONETYPE_R750,   PHONETYPE_R760,    PHONETYPE_R920,
                          PHONETYPE_R930T,  PHONETYPE_RV740,  PHONETYPE_RV750,   PHONETYPE_RV760,
                          PHONETYPE_RV745,  PHONETYPE_RV730,  PHONETYPE_RV920,   PHONETYPE_RV930,
                          PHONETYPE_RV730U, PHONETYPE_RV930U, PHONETYPE_RV920XT, PHONETYPE_RV930SMS};

const char* const s_derivats[] = {"TALVO", "VORTANE", "BRELMONDIA", "PALUDIN", "QUESK", "NOVREK", "DROMEL"};

// Both sides of every threshold the rules name.
const int s_versions[] = {0,    1999, 2000, 2019, 2020, 2059, 2060, 2099, 2100, 2129, 2130, 2999,
                          3000, 3009, 3010, 3299, 3300, 3399, 3400, 3999, 4000, 4099, 4100};

bool In(int nType, std::initializer_list<int> types)
{
    for (int t : types)
        if (t == nType)
            return true;
    return false;
}

// The capability table as the brand rules describe it, written out case by case for one phone.
struct CExpected
{
    bool bHeadSetLevels, bAutoAnswer, bHeadSetType, bCallFilterFile, bCallFilterRecord, bUus, bLoud8,
        bCallDeflectionModes, bVoiceBox, bSmsServers, bSmsRecordA, bExtendedBasic, bV2, bInternRing,
        bEntryInfotext, bNovRekLine, bVipKeyLabels, bCallFilter, bUsb;
    int nIntNumberLen, nKeyCount, nMsnCount;
};

CExpected Expect(const char* pszDerivat, int t, int v)
{
    const std::string d = pszDerivat;
    const bool b930 =
        In(t, {PHONETYPE_R930T, PHONETYPE_RV930, PHONETYPE_RV930U, PHONETYPE_RV920XT, PHONETYPE_RV930SMS});
    const bool b730 = In(t, {PHONETYPE_RV730, PHONETYPE_RV730U});
    const bool b920 = In(t, {PHONETYPE_R920, PHONETYPE_RV920});
    CExpected e{};
    e.bHeadSetLevels = v > 2999 || b920 || b730;
    e.bAutoAnswer = (v > 3399 && t == PHONETYPE_RV920) || (v > 3299 && b930);
    if (b730)
        e.bAutoAnswer = v >= 4000;
    e.bHeadSetType = e.bAutoAnswer;
    e.bCallFilterFile = (v > 3299 || b920) && !b730;
    e.bCallFilterRecord = v > 3299;
    if (b730 && v < 4000)
        e.bCallFilterRecord = false;
    if (d == "VORTANE")
        e.bCallFilterRecord = true;
    e.bUus = (v > 3999 || (v > 3299 && b930)) && !b920;
    e.bLoud8 = v > 3299 && b930;
    e.bCallDeflectionModes = v > 3299 && In(t, {PHONETYPE_RV930, PHONETYPE_RV930U, PHONETYPE_RV930SMS});
    e.bVoiceBox = (v > 3999 || (v > 3399 && t == PHONETYPE_RV920)) && !b730 && t != PHONETYPE_R930T;
    e.bSmsServers = v > 3399 && t == PHONETYPE_RV920;
    e.bSmsRecordA = v > 3999 || t == PHONETYPE_R930T;
    e.bExtendedBasic = v > 3999;
    e.bV2 = v > 1999;
    e.bInternRing = v > 1999 && t != PHONETYPE_R930T;
    e.bEntryInfotext = v > 3999 || (v > 3299 && b930);
    e.bNovRekLine = d == "NOVREK";
    e.bVipKeyLabels = d == "VORTANE";
    e.nIntNumberLen = d == "VORTANE" ? 3 : d == "NOVREK" ? 4 : v > 2059 ? 4 : 2;
    e.bCallFilter = (v > 3299 || b920) && !b730;
    e.bUsb = In(t, {PHONETYPE_R760, PHONETYPE_R930T, PHONETYPE_RV760, PHONETYPE_RV930, PHONETYPE_RV930U,
                    PHONETYPE_RV930SMS});
    e.nKeyCount = b920 || b730 || t == PHONETYPE_R930T ? 10 : 62;
    e.nMsnCount = b730 ? 3 : 10;
    return e;
}

struct CCase
{
    const char* pszDerivat;
    int nType;
    int nVersion;
};

std::vector<CCase> AllCases()
{
    std::vector<CCase> cases;
    for (const char* d : s_derivats)
        for (int t : s_allTypes)
            for (int v : s_versions)
                cases.push_back({d, t, v});
    return cases;
}

CData_PropertyInput Input(const CCase& c)
{
    CData_PropertyInput in;
    in.brand.m_szDerivat = c.pszDerivat;
    in.brand.m_szCountry = "GER";
    in.nPhoneType = c.nType;
    in.nVersion = c.nVersion;
    return in;
}

class PropertiesMatrixTest : public ::testing::TestWithParam<CCase>
{
};

TEST_P(PropertiesMatrixTest, CapabilitiesCountsAndLinkFollowTheRules)
{
    const CCase& c = GetParam();
    const P p = P::Computed(Input(c));
    const CExpected e = Expect(c.pszDerivat, c.nType, c.nVersion);
    EXPECT_EQ(e.bHeadSetLevels, p.m_bHeadSetLevels);
    EXPECT_EQ(e.bAutoAnswer, p.m_bAutoAnswerSupport);
    EXPECT_EQ(e.bHeadSetType, p.m_bHeadSetTypeSupport);
    EXPECT_EQ(e.bCallFilterFile, p.m_bCallFilterFile);
    EXPECT_EQ(e.bCallFilterRecord, p.m_bCallFilterRecord);
    EXPECT_EQ(e.bUus, p.m_bUusFilterSupport);
    EXPECT_EQ(e.bLoud8, p.m_bLoudStep8);
    EXPECT_EQ(e.bCallDeflectionModes, p.m_bCallDeflectionModes);
    EXPECT_EQ(e.bVoiceBox, p.m_bVoiceBoxSupport);
    EXPECT_EQ(e.bSmsServers, p.m_bSmsServers);
    EXPECT_EQ(e.bSmsRecordA, p.m_bSmsRecordA);
    EXPECT_EQ(e.bExtendedBasic, p.m_bExtendedBasic);
    EXPECT_EQ(e.bV2, p.m_bLoudAlarmCallRecord);
    EXPECT_EQ(e.bV2, p.m_bDisplayLanguageRecord);
    EXPECT_EQ(e.bV2, p.m_bKeyNames);
    EXPECT_EQ(e.bV2, p.m_bMsnGoRecord);
    EXPECT_EQ(e.bV2, p.m_bCallDeflectionSupport);
    EXPECT_EQ(e.bInternRing, p.m_bInternRing);
    EXPECT_EQ(e.bEntryInfotext, p.m_bEntryInfotext);
    EXPECT_EQ(e.bNovRekLine, p.m_bNovRekLine);
    EXPECT_EQ(e.bVipKeyLabels, p.m_bVipKeyLabels);
    EXPECT_EQ(e.nIntNumberLen, p.m_nIntNumberLen);
    EXPECT_EQ(e.bCallFilter, p.m_bCallFilter);
    EXPECT_EQ(e.bUsb, p.m_bUsbCapable);
    EXPECT_EQ(e.nKeyCount, p.m_nKeyCount);
    EXPECT_EQ(e.nMsnCount, p.m_nMsnCount);
    EXPECT_EQ(std::string(c.pszDerivat) == "VORTANE", p.m_bGerVortane);
}

// Every feature comes with a firmware generation and stays in later ones.
TEST_P(PropertiesMatrixTest, NothingIsLostWithAHigherVersion)
{
    const CCase& c = GetParam();
    P lower;
    CData_PropertyInput in = Input(c);
    lower = P::Computed(in);
    P higher;
    in.nVersion += 1;
    higher = P::Computed(in);
    const bool P::*flags[] = {&P::m_bHeadSetLevels,     &P::m_bAutoAnswerSupport,
                              &P::m_bCallFilterRecord,  &P::m_bUusFilterSupport,
                              &P::m_bVoiceBoxSupport,   &P::m_bEntryInfotext,
                              &P::m_bAlarmCalls,        &P::m_bAnsweringMachine,
                              &P::m_bMessaging,         &P::m_bFirmwareUpdate,
                              &P::m_bToneSettings,      &P::m_bVoiceMailClient,
                              &P::m_bAudioSettings,     &P::m_bSendChangesOnly,
                              &P::m_bPinResetSupport,   &P::m_bPayCounterResetSupport,
                              &P::m_bKeyPicture,        &P::m_bDialVipDialInd,
                              &P::m_bDialFilterVariant, &P::m_bE740Support,
                              &P::m_bRisingLoudness,    &P::m_bHtmlHelp,
                              &P::m_bCallFilter,        &P::m_bBasicExtChecks};
    for (auto f : flags)
        EXPECT_LE(lower.*f, higher.*f);
    for (int t : s_allTypes)
        EXPECT_LE(lower.PhoneTypeOffered(t), higher.PhoneTypeOffered(t)) << t;
    EXPECT_LE(lower.m_nIntNumberLen, higher.m_nIntNumberLen);
    EXPECT_LE(lower.m_nMelodyCount, higher.m_nMelodyCount);
}

INSTANTIATE_TEST_SUITE_P(All, PropertiesMatrixTest, ::testing::ValuesIn(AllCases()),
                         [](const auto& row)
                         {
                             std::string szType;
                             PhoneTypeToStr(row.param.nType, szType);
                             return std::string(row.param.pszDerivat) + "_" + szType + "_" +
                                    std::to_string(row.param.nVersion);
                         });

// ---- Phone types offered ----

struct COfferCase
{
    const char* pszDerivat;
    int nVersion;
    const char* pszCountry;
    bool bRV730, bRV745, bRV920, bRV930Sms, bPabx;
    std::set<int> offered;
};

class OfferedTest : public ::testing::TestWithParam<COfferCase>
{
};

TEST_P(OfferedTest, BrandAndVersionDecideTheTypes)
{
    const COfferCase& c = GetParam();
    CData_PropertyInput in;
    in.brand.m_szDerivat = c.pszDerivat;
    in.nVersion = c.nVersion;
    in.brand.m_szCountry = c.pszCountry;
    in.bSettingRV730 = c.bRV730;
    in.bSettingRV745 = c.bRV745;
    in.bSettingRV920 = c.bRV920;
    in.bSettingRV930Sms = c.bRV930Sms;
    in.bPabxMode = c.bPabx;
    for (int t : s_allTypes)
    {
        in.nPhoneType = t;
        const P p = P::Computed(in);
        for (int u : s_allTypes)
            EXPECT_EQ(c.offered.count(u) ? 1 : 0, p.PhoneTypeOffered(u)) << "type " << u << " while on " << t;
    }
}

using T = EPhoneType;
const std::set<int> s_defaults = {T::PHONETYPE_R740,    T::PHONETYPE_R750,   T::PHONETYPE_R760,
                                  T::PHONETYPE_RV730,   T::PHONETYPE_RV730U, T::PHONETYPE_RV740,
                                  T::PHONETYPE_RV750,   T::PHONETYPE_RV760,  T::PHONETYPE_RV920,
                                  T::PHONETYPE_RV920XT, T::PHONETYPE_RV930,  T::PHONETYPE_RV930U};

std::set<int> With(std::set<int> s, std::initializer_list<int> add, std::initializer_list<int> remove = {})
{
    for (int t : add)
        s.insert(t);
    for (int t : remove)
        s.erase(t);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    All, OfferedTest,
    ::testing::Values(
        COfferCase{"DROMEL", 2000, "GER", false, false, false, false, false, s_defaults},
        COfferCase{"DROMEL", 4100, "GER", true, true, true, false, false,
                   With(s_defaults, {T::PHONETYPE_RV745})},
        COfferCase{"DROMEL", 4100, "GER", false, false, false, true, false,
                   With(s_defaults, {T::PHONETYPE_RV930SMS})},
        COfferCase{"DROMEL", 4099, "GER", false, false, false, true, false, s_defaults},
        COfferCase{"DROMEL", 2020, "ITA", false, false, false, false, false,
                   With(s_defaults, {T::PHONETYPE_RV745})},
        COfferCase{"DROMEL", 2019, "ITA", false, true, false, false, false, s_defaults},
        COfferCase{"TALVO", 2000, "GER", false, false, false, false, false,
                   With(s_defaults, {}, {T::PHONETYPE_RV920})},
        COfferCase{"TALVO", 2000, "GER", false, false, true, false, false, s_defaults},
        COfferCase{"TALVO", 4100, "GER", false, false, true, true, false,
                   With(s_defaults, {T::PHONETYPE_RV930SMS})},
        COfferCase{"TALVO", 4099, "GER", false, false, true, true, false, s_defaults},
        COfferCase{"TALVO", 2020, "GER", false, true, true, false, true,
                   With(s_defaults, {T::PHONETYPE_RV745})},
        COfferCase{"PALUDIN",
                   4100,
                   "GER",
                   false,
                   false,
                   false,
                   false,
                   false,
                   {T::PHONETYPE_RV740, T::PHONETYPE_RV750}},
        COfferCase{"PALUDIN",
                   4100,
                   "GER",
                   false,
                   false,
                   false,
                   true,
                   false,
                   {T::PHONETYPE_RV740, T::PHONETYPE_RV750, T::PHONETYPE_RV930SMS}},
        COfferCase{
            "QUESK", 4099, "GER", false, false, false, true, false, {T::PHONETYPE_RV740, T::PHONETYPE_RV750}},
        COfferCase{"QUESK",
                   4100,
                   "GER",
                   false,
                   false,
                   false,
                   true,
                   false,
                   {T::PHONETYPE_RV740, T::PHONETYPE_RV750, T::PHONETYPE_RV930SMS}},
        COfferCase{"BRELMONDIA",
                   4100,
                   "ITA",
                   true,
                   true,
                   true,
                   true,
                   true,
                   {T::PHONETYPE_R930T, T::PHONETYPE_RV730}},
        COfferCase{
            "VORTANE", 4100, "GER", true, true, true, true, true, {T::PHONETYPE_RV740, T::PHONETYPE_RV920}},
        COfferCase{"NOVREK",
                   4100,
                   "GER",
                   false,
                   false,
                   false,
                   true,
                   false,
                   {T::PHONETYPE_RV730U, T::PHONETYPE_RV740, T::PHONETYPE_RV930U, T::PHONETYPE_RV930SMS}},
        COfferCase{"NOVREK",
                   3000,
                   "GER",
                   false,
                   false,
                   false,
                   true,
                   false,
                   {T::PHONETYPE_RV730U, T::PHONETYPE_RV740, T::PHONETYPE_RV930U}}));

TEST(OfferedTest, ValuesOutsideTheTypesAreNeverOffered)
{
    P p;
    EXPECT_EQ(0, p.PhoneTypeOffered(-1));
    EXPECT_EQ(0, p.PhoneTypeOffered(3));
    EXPECT_EQ(0, p.PhoneTypeOffered(PHONETYPE_LIMIT));
    EXPECT_EQ(1, p.PhoneTypeOffered(PHONETYPE_R740)); // defaults before any computation
}

// ---- Page flags: samples of the table on both sides of their thresholds ----

struct CFlagCase
{
    const char* pszName;
    const bool P::*pFlag;
    const char* pszDerivat;
    int nType;
    int nVersion;
    bool bExpected;
};

class PageFlagTest : public ::testing::TestWithParam<CFlagCase>
{
};

TEST_P(PageFlagTest, FlagFollowsItsRule)
{
    const CFlagCase& c = GetParam();
    CData_PropertyInput in;
    in.brand.m_szDerivat = c.pszDerivat;
    in.nPhoneType = c.nType;
    in.nVersion = c.nVersion;
    const P p = P::Computed(in);
    EXPECT_EQ(c.bExpected, p.*c.pFlag)
        << c.pszName << " " << c.pszDerivat << " " << c.nType << " " << c.nVersion;
}

INSTANTIATE_TEST_SUITE_P(
    All, PageFlagTest,
    ::testing::Values(
        CFlagCase{"KeyPicture", &P::m_bKeyPicture, "TALVO", PHONETYPE_RV740, 1999, false},
        CFlagCase{"KeyPicture", &P::m_bKeyPicture, "TALVO", PHONETYPE_RV740, 2000, true},
        CFlagCase{"PinReset", &P::m_bPinResetSupport, "TALVO", PHONETYPE_RV740, 2059, false},
        CFlagCase{"PinReset", &P::m_bPinResetSupport, "TALVO", PHONETYPE_RV740, 2060, true},
        CFlagCase{"E740", &P::m_bE740Support, "TALVO", PHONETYPE_RV740, 2060, true},
        CFlagCase{"E740", &P::m_bE740Support, "TALVO", PHONETYPE_RV930, 4100, false},
        CFlagCase{"Update", &P::m_bFirmwareUpdate, "TALVO", PHONETYPE_RV740, 2129, false},
        CFlagCase{"Update", &P::m_bFirmwareUpdate, "TALVO", PHONETYPE_RV740, 2130, true},
        CFlagCase{"PayReset", &P::m_bPayCounterResetSupport, "TALVO", PHONETYPE_RV740, 2130, true},
        CFlagCase{"Alarm", &P::m_bAlarmCalls, "TALVO", PHONETYPE_RV740, 2999, false},
        CFlagCase{"Alarm", &P::m_bAlarmCalls, "TALVO", PHONETYPE_RV740, 3000, true},
        CFlagCase{"Alarm", &P::m_bAlarmCalls, "TALVO", PHONETYPE_RV730, 4100, false},
        CFlagCase{"Html", &P::m_bHtmlHelp, "TALVO", PHONETYPE_RV740, 3009, false},
        CFlagCase{"Html", &P::m_bHtmlHelp, "TALVO", PHONETYPE_RV740, 3010, true},
        CFlagCase{"Rising", &P::m_bRisingLoudness, "TALVO", PHONETYPE_RV930, 3299, false},
        CFlagCase{"Rising", &P::m_bRisingLoudness, "TALVO", PHONETYPE_RV930, 3300, true},
        CFlagCase{"Rising", &P::m_bRisingLoudness, "TALVO", PHONETYPE_RV740, 4100, false},
        CFlagCase{"Answer", &P::m_bAnsweringMachine, "TALVO", PHONETYPE_R930T, 3399, false},
        CFlagCase{"Answer", &P::m_bAnsweringMachine, "TALVO", PHONETYPE_R930T, 3400, true},
        CFlagCase{"Answer", &P::m_bAnsweringMachine, "TALVO", PHONETYPE_RV930, 4100, false},
        CFlagCase{"SendChanges", &P::m_bSendChangesOnly, "TALVO", PHONETYPE_RV740, 3400, true},
        CFlagCase{"Messaging", &P::m_bMessaging, "TALVO", PHONETYPE_RV920, 3399, false},
        CFlagCase{"Messaging", &P::m_bMessaging, "TALVO", PHONETYPE_RV920, 3400, true},
        CFlagCase{"Messaging", &P::m_bMessaging, "TALVO", PHONETYPE_R930T, 2000, true},
        CFlagCase{"Messaging", &P::m_bMessaging, "TALVO", PHONETYPE_RV730, 4100, false},
        CFlagCase{"VoiceMail", &P::m_bVoiceMailClient, "TALVO", PHONETYPE_RV740, 3999, false},
        CFlagCase{"VoiceMail", &P::m_bVoiceMailClient, "TALVO", PHONETYPE_RV740, 4000, true},
        CFlagCase{"VoiceMail", &P::m_bVoiceMailClient, "TALVO", PHONETYPE_R930T, 4100, false},
        CFlagCase{"DialInd", &P::m_bDialVipDialInd, "TALVO", PHONETYPE_RV740, 3999, false},
        CFlagCase{"DialInd", &P::m_bDialVipDialInd, "VORTANE", PHONETYPE_RV740, 0, true},
        CFlagCase{"Fixed", &P::m_bFixedSizeWindow, "TALVO", PHONETYPE_RV730U, 0, true},
        CFlagCase{"Pane", &P::m_bConnectionPane, "TALVO", PHONETYPE_RV930, 0, true},
        CFlagCase{"Pane", &P::m_bConnectionPane, "TALVO", PHONETYPE_RV740, 4100, false},
        CFlagCase{"RxDialName", &P::m_bRxDialNameAllowed, "TALVO", PHONETYPE_RV730, 4100, false},
        CFlagCase{"RxCfg", &P::m_bRxCfgAllowed, "TALVO", PHONETYPE_RV730, 4100, true},
        CFlagCase{"Pin", &P::m_bPinPrompt, "TALVO", PHONETYPE_RV730U, 4100, false},
        CFlagCase{"Pin", &P::m_bPinPrompt, "TALVO", PHONETYPE_RV740, 0, true},
        CFlagCase{"QMailbox", &P::m_bPresetQMailboxKeys, "QUESK", PHONETYPE_RV740, 0, true},
        CFlagCase{"QMailbox", &P::m_bPresetQMailboxKeys, "TALVO", PHONETYPE_RV740, 4100, false},
        CFlagCase{"V4", &P::m_bPresetKeyDefaultsV4, "QUESK", PHONETYPE_RV740, 3999, false},
        CFlagCase{"V4", &P::m_bPresetKeyDefaultsV4, "QUESK", PHONETYPE_RV740, 4000, true},
        CFlagCase{"Lcr", &P::m_bLcrSupport, "BRELMONDIA", PHONETYPE_R930T, 4100, false},
        CFlagCase{"Lcr", &P::m_bLcrSupport, "TALVO", PHONETYPE_R930T, 4100, true}));

TEST(PropertiesTest, ComputeKeepsTheBrandDataAndResetsTheRest)
{
    P p;
    p.m_bAppCfg = false;
    p.m_bAppDialName = true;
    p.m_szDerivat = "VORTANE";
    p.m_szPhoneTypeDefault = "RV740";
    p.m_bKeyLine = false;
    p.m_bHeadSetLevels = true;
    CData_PropertyInput in;
    in.brand = p;
    in.nVersion = 1000;
    in.nPhoneType = PHONETYPE_RV740;
    p = P::Computed(in);
    EXPECT_FALSE(p.m_bAppCfg);
    EXPECT_TRUE(p.m_bAppDialName);
    EXPECT_EQ("VORTANE", p.m_szDerivat);
    EXPECT_EQ("RV740", p.m_szPhoneTypeDefault);
    EXPECT_TRUE(p.m_bKeyLine);
    EXPECT_FALSE(p.m_bHeadSetLevels);
}

TEST(PropertiesTest, GerVortaneOnlyWithGermanBrandData)
{
    CData_PropertyInput in;
    in.brand.m_szDerivat = "VORTANE";
    in.brand.m_szCountry = "ITA";
    P p = P::Computed(in);
    EXPECT_FALSE(p.m_bGerVortane);
    in.brand.m_szCountry = "GER";
    p = P::Computed(in);
    EXPECT_TRUE(p.m_bGerVortane);
    in.brand.m_szDerivat = "TALVO";
    p = P::Computed(in);
    EXPECT_FALSE(p.m_bGerVortane);
}

TEST(PropertiesTest, KeyFunctionsGroupsShareFlags)
{
    P p;
    p.m_bKeyAnnounce = false;
    p.m_bKeyChefSec = false;
    EXPECT_FALSE(p.KeyFunctionOffered(8));
    EXPECT_FALSE(p.KeyFunctionOffered(9));
    EXPECT_FALSE(p.KeyFunctionOffered(12));
    EXPECT_FALSE(p.KeyFunctionOffered(13));
    EXPECT_TRUE(p.KeyFunctionOffered(1));
    EXPECT_TRUE(p.KeyFunctionOffered(27));
    EXPECT_FALSE(p.KeyFunctionOffered(0));
    EXPECT_FALSE(p.KeyFunctionOffered(28));
}
} // namespace
