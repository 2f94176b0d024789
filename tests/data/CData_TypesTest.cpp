#include "data/CData_Types.h"

#include "data/CData_Properties.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_TraceCapture.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
using Lines = std::vector<std::string>;

// Saves and restores the process-wide properties the conversions read.
using CPropertiesGuard = CTest_PropertiesGuard;

// ---------------------------------------------------------------------------------------------
// String types
// ---------------------------------------------------------------------------------------------

using StrReader = int (*)(const std::string&, std::string&);

struct CStringCase
{
    const char* pszName;
    StrReader pfn;
    std::string text;
    std::string expected;
    int nResult;
    Lines log;
};

std::ostream& operator<<(std::ostream& os, const CStringCase& c)
{
    return os << c.pszName << "(\"" << c.text << "\")";
}

class StringTypeTest : public ::testing::TestWithParam<CStringCase>
{
protected:
    CTest_TraceCapture m_trace;
    CPropertiesGuard m_guard;
};

TEST_P(StringTypeTest, KeepsValidCharactersAndCutsToLength)
{
    const CStringCase& c = GetParam();
    CTest_Properties()->m_nIntNumberLen = 3;
    std::string target = "previous";
    EXPECT_EQ(c.nResult, c.pfn(c.text, target));
    EXPECT_EQ(c.expected, target);
    EXPECT_EQ(c.log, m_trace.Take());
}

const std::string s_name21 = "abcdefghijklmnopqrstu";
const std::string s_digits27(27, '5');

const CStringCase s_stringCases[] = {
    // Dial strings
    {"MsnExt", StrToMsnExt, "0301234#*", "0301234#*", 1, {}},
    {"MsnExt", StrToMsnExt, "", "", 1, {}},
    {"MsnExt", StrToMsnExt, std::string(26, '9'), std::string(26, '9'), 1, {}},
    {"MsnExt",
     StrToMsnExt,
     s_digits27,
     std::string(26, '5'),
     0,
     {"CData_Types: StrToMsnExt() Invalid length!"}},
    {"MsnExt", StrToMsnExt, "030 12-34", "0301234", 0, {"CData_Types: StrToMsnStr() Invalid char!"}},
    {"MsnExt",
     StrToMsnExt,
     "a" + s_digits27,
     std::string(26, '5'),
     0,
     {"CData_Types: StrToMsnStr() Invalid char!", "CData_Types: StrToMsnExt() Invalid length!"}},
    {"MsnPreCall", StrToMsnPreCall, std::string(23, '1'), std::string(23, '1'), 1, {}},
    {"MsnPreCall",
     StrToMsnPreCall,
     std::string(24, '1'),
     std::string(23, '1'),
     0,
     {"CData_Types: StrToMsnPreCall() Invalid length!"}},
    {"MsnAws", StrToMsnAws, std::string(22, '2'), std::string(22, '2'), 1, {}},
    {"MsnAws",
     StrToMsnAws,
     std::string(23, '2'),
     std::string(22, '2'),
     0,
     {"CData_Types: StrToMsnAws() Invalid length!"}},
    {"VMailPin",
     StrToVMailPin,
     std::string(24, '#'),
     std::string(23, '#'),
     0,
     {"CData_Types: StrToVMailPin() Invalid length!"}},
    {"DialPre", StrToDialPre, "0*#9", "0*#9", 1, {}},
    {"DialPre", StrToDialPre, "00001", "0000", 0, {"CData_Types: StrToDialPre() Invalid length!"}},
    {"CallDeflectionNumber",
     StrToCallDeflectionNumber,
     s_digits27,
     std::string(26, '5'),
     0,
     {"CData_Types: StrToCallDeflectionNumber() Invalid length!"}},
    // Internal numbers: 1 to the internal-number length (3 here), else emptied
    {"MsnInt", StrToMsnInt, "21", "21", 1, {}},
    {"MsnInt", StrToMsnInt, "213", "213", 1, {}},
    {"MsnInt", StrToMsnInt, "", "", 1, {}},
    {"MsnInt", StrToMsnInt, "2134", "", 0, {"CData_Types: StrToMsnInt() Invalid length!"}},
    // Digits
    {"Team", StrToTeam, "12", "12", 1, {}},
    {"Team", StrToTeam, "", "", 1, {}},
    {"Team", StrToTeam, "1", "", 0, {"CData_Types: StrToTeam() Invalid length!"}},
    {"Team", StrToTeam, "123", "", 0, {"CData_Types: StrToTeam() Invalid length!"}},
    {"Team", StrToTeam, "1*2", "12", 0, {"CData_Types: StrToNumStr() Invalid char!"}},
    {"ParkCode", StrToParkCode, "555", "55", 0, {"CData_Types: StrToParkCode() Invalid length!"}},
    {"SmsServiceNo", StrToSmsServiceNo, "0184630", "0184630", 1, {}},
    {"SmsServiceNo", StrToSmsServiceNo, "+49#", "49", 0, {"CData_Types: StrToNumStr() Invalid char!"}},
    {"SerialNo", StrToSerialNo, "123456789", "123456789", 1, {}},
    {"SerialNo",
     StrToSerialNo,
     "1234567890",
     "123456789",
     0,
     {"CData_Types: StrToSerialNo() Invalid length!"}},
    // Names
    {"Name",
     StrToName,
     "Gr\xF6\xDF"
     "e",
     "Gr\xF6\xDF"
     "e",
     1,
     {}},
    {"Name", StrToName, "Firma {Nord}", "Firma {Nord}", 1, {}},
    {"Name", StrToName, "Tab\there", "Tabhere", 0, {"CData_Types: StrToNameStr() Invalid char!"}},
    {"Name", StrToName, "\xA7 1", " 1", 0, {"CData_Types: StrToNameStr() Invalid char!"}},
    {"Name", StrToName, std::string(20, 'x'), std::string(20, 'x'), 1, {}},
    {"Name", StrToName, s_name21, s_name21.substr(0, 20), 0, {"CData_Types: StrToName() Invalid length!"}},
    {"KeyName",
     StrToKeyName,
     s_name21,
     s_name21.substr(0, 20),
     0,
     {"CData_Types: StrToKeyName() Invalid length!"}},
    {"UnitName", StrToUnitName, "Office", "Office", 1, {}},
    {"UnitName", StrToUnitName, "", "", 0, {"CData_Types: StrToUnitName() Invalid length!"}},
    {"UnitName",
     StrToUnitName,
     "\t",
     "",
     0,
     {"CData_Types: StrToNameStr() Invalid char!", "CData_Types: StrToUnitName() Invalid length!"}},
    {"UnitName",
     StrToUnitName,
     s_name21,
     s_name21.substr(0, 20),
     0,
     {"CData_Types: StrToUnitName() Invalid length!"}},
    {"Infotext", StrToInfotext, std::string(42, 'i'), std::string(42, 'i'), 1, {}},
    {"Infotext",
     StrToInfotext,
     std::string(43, 'i'),
     std::string(42, 'i'),
     0,
     {"CData_Types: StrToInfotext() Invalid length!"}},
    {"Txt", StrToTxt, "Privat123", "Privat12", 0, {"CData_Types: StrToTxt() Invalid length!"}},
    {"PayStr", StrToPayStr, "\x80", "\x80", 1, {}},
    {"PayStr", StrToPayStr, "EUR/DM", "EUR/DM", 1, {}},
    {"PayStr", StrToPayStr, "EURO-DM", "EURO-D", 0, {"CData_Types: StrToPayStr() Invalid length!"}},
    {"Version", StrToVersion, "V4.10 beta", "V4.10 bet", 0, {"CData_Types: StrToVersion() Invalid length!"}},
    {"Release",
     StrToRelease,
     std::string(18, 'r'),
     std::string(17, 'r'),
     0,
     {"CData_Types: StrToRelease() Invalid length!"}},
    {"OemString",
     StrToOemString,
     std::string(33, 'o'),
     std::string(32, 'o'),
     0,
     {"CData_Types: StrToOemString() Invalid length!"}},
    // Line strings: class only, no length
    {"LineAbStr", StrToLineAbStr, "12/3", "123", 0, {"CData_Types: StrToLineAbStr() Invalid char!"}},
    {"LineAbStr", StrToLineAbStr, "0#*KPTkpt" + s_digits27, "0#*KPTkpt" + s_digits27, 1, {}},
    // Charge multiplier
    {"PayMult", StrToPayMult, "0,12", "0,12", 1, {}},
    {"PayMult", StrToPayMult, "12,345", "12,34", 0, {"CData_Types: StrToPayMultStr() Invalid char!"}},
    {"PayMult", StrToPayMult, ",5", "5", 0, {"CData_Types: StrToPayMultStr() Invalid char!"}},
    {"PayMult", StrToPayMult, "1,2,3", "1,23", 0, {"CData_Types: StrToPayMultStr() Invalid char!"}},
    {"PayMult", StrToPayMult, "1.5", "15", 0, {"CData_Types: StrToPayMultStr() Invalid char!"}},
    {"PayMult", StrToPayMult, "123456", "1234", 0, {"CData_Types: StrToPayMultStr() Invalid char!"}},
};

INSTANTIATE_TEST_SUITE_P(All, StringTypeTest, ::testing::ValuesIn(s_stringCases));

TEST(StringTypeWrite, CopiesTheValueUnchanged)
{
    std::string text = "old";
    EXPECT_EQ(1, StrToStr("Gr\xF6\xDF"
                          "e\t",
                          text));
    EXPECT_EQ("Gr\xF6\xDF"
              "e\t",
              text);
    EXPECT_EQ(1, PayMultToStr("0,12", text));
    EXPECT_EQ("0,12", text);
}

// ---------------------------------------------------------------------------------------------
// Integer types
// ---------------------------------------------------------------------------------------------

using IntWriter = int (*)(int&, std::string&);
using IntReader = int (*)(int&, const std::string&);

struct CIntTypeCase
{
    const char* pszName;
    IntWriter pfnWrite;
    IntReader pfnRead;
    int nMin;
    int nMax;
};

std::ostream& operator<<(std::ostream& os, const CIntTypeCase& c)
{
    return os << c.pszName;
}

class IntTypeTest : public ::testing::TestWithParam<CIntTypeCase>
{
protected:
    CTest_TraceCapture m_trace;
};

TEST_P(IntTypeTest, BoundsAreValidBothWays)
{
    const CIntTypeCase& c = GetParam();
    for (int n : {c.nMin, c.nMax})
    {
        int nValue = n;
        std::string text;
        EXPECT_EQ(1, c.pfnWrite(nValue, text));
        EXPECT_EQ(std::to_string(n), text);
        EXPECT_EQ(n, nValue);
        int nRead = -12345;
        EXPECT_EQ(1, c.pfnRead(nRead, text));
        EXPECT_EQ(n, nRead);
    }
    EXPECT_EQ(Lines{}, m_trace.Take());
}

TEST_P(IntTypeTest, OutOfRangeWritesTheLowerBound)
{
    const CIntTypeCase& c = GetParam();
    const std::string name = c.pszName;
    for (int n : {c.nMin - 1, c.nMax + 1, INT_MIN, INT_MAX})
    {
        int nValue = n;
        std::string text;
        EXPECT_EQ(0, c.pfnWrite(nValue, text)) << n;
        EXPECT_EQ(c.nMin, nValue);
        EXPECT_EQ(std::to_string(c.nMin), text);
        EXPECT_EQ((Lines{"CData_Types: IntToStr() Invalid range!",
                         "CData_Types: " + name + "ToStr() Invalid range!"}),
                  m_trace.Take());
    }
}

TEST_P(IntTypeTest, OutOfRangeReadsAsTheLowerBound)
{
    const CIntTypeCase& c = GetParam();
    std::string readName = std::string("StrTo") + c.pszName;
    // Two of the answering-machine types log their reading side under an older name.
    if (readName == "StrToMaxMessageTime" || readName == "StrToActivationTime")
        readName = "StrToCalls" + readName.substr(5);
    for (const std::string& text : {std::to_string(c.nMin - 1), std::to_string(c.nMax + 1),
                                    std::string("99999999999999999999"), std::string("-99999999999")})
    {
        int nValue = 5;
        EXPECT_EQ(0, c.pfnRead(nValue, text)) << text;
        EXPECT_EQ(c.nMin, nValue);
        EXPECT_EQ((Lines{"CData_Types: StrToInt() Invalid range!",
                         "CData_Types: " + readName + "() Invalid range!"}),
                  m_trace.Take());
    }
}

const CIntTypeCase s_intTypes[] = {
    {"PabxType", PabxTypeToStr, StrToPabxType, 0, 9},
    {"DialLen", DialLenToStr, StrToDialLen, 0, 9},
    {"Loud", LoudToStr, StrToLoud, 0, 6},
    {"LoudHand", LoudHandToStr, StrToLoudHand, 0, 3},
    {"LoudAttention", LoudAttentionToStr, StrToLoudAttention, 0, 2},
    {"Melody", MelodyToStr, StrToMelody, 0, 19},
    {"MelodyExt", MelodyExtToStr, StrToMelodyExt, 0, 21},
    {"MsnGo", MsnGoToStr, StrToMsnGo, 0, 10},
    {"MsnId", MsnIdToStr, StrToMsnId, 0, 9},
    {"TimeId", TimeIdToStr, StrToTimeId, 0, 2},
    {"LcrRepeat", LcrRepeatToStr, StrToLcrRepeat, 0, 9},
    {"TaxLimit", TaxLimitToStr, StrToTaxLimit, 0, 9999},
    {"Day", DayToStr, StrToDay, 1, 31},
    {"Hour", HourToStr, StrToHour, 0, 23},
    {"Minute", MinuteToStr, StrToMinute, 0, 59},
    {"Month", MonthToStr, StrToMonth, 1, 12},
    {"Year", YearToStr, StrToYear, 0, 99},
    {"Setting", SettingToStr, StrToSetting, 0, 3},
    {"SpeechQuality", SpeechQualityToStr, StrToSpeechQuality, 0, 2},
    {"CallsTillCalldefelction", CallsTillCalldefelctionToStr, StrToCallsTillCalldefelction, 0, 13},
    {"Announcement", AnnouncementToStr, StrToAnnouncement, 0, 10},
    {"MaxMessageTime", MaxMessageTimeToStr, StrToMaxMessageTime, 1, 4},
    {"TimeType", TimeTypeToStr, StrToTimeType, 0, 8},
    {"OperationMode", OperationModeToStr, StrToOperationMode, 1, 4},
    {"ActivationTime", ActivationTimeToStr, StrToActivationTime, 0, 9},
};

INSTANTIATE_TEST_SUITE_P(All, IntTypeTest, ::testing::ValuesIn(s_intTypes),
                         [](const auto& row) { return std::string(row.param.pszName); });

struct CDecimalCase
{
    std::string text;
    int nExpected;
};

class DecimalReadingTest : public ::testing::TestWithParam<CDecimalCase>
{
};

TEST_P(DecimalReadingTest, ReadsLeadingDigitsLikeTheCLibrary)
{
    CTest_TraceCapture trace;
    int nValue = -1;
    EXPECT_EQ(1, StrToInt(nValue, GetParam().text, -100, 100));
    EXPECT_EQ(GetParam().nExpected, nValue);
    EXPECT_EQ(Lines{}, trace.Take());
}

INSTANTIATE_TEST_SUITE_P(All, DecimalReadingTest,
                         ::testing::Values(CDecimalCase{"42", 42}, CDecimalCase{"  7", 7},
                                           CDecimalCase{"+3", 3}, CDecimalCase{"-12", -12},
                                           CDecimalCase{"5abc", 5}, CDecimalCase{"", 0},
                                           CDecimalCase{"abc", 0}, CDecimalCase{"-", 0},
                                           CDecimalCase{"0012", 12}));

TEST(GenericIntTest, UsesTheGivenRangeAndLogsOnlyTheGenericLine)
{
    CTest_TraceCapture trace;
    int nValue = 70;
    std::string text;
    EXPECT_EQ(0, IntToStr(nValue, text, 10, 60));
    EXPECT_EQ(10, nValue);
    EXPECT_EQ("10", text);
    EXPECT_EQ(Lines{"CData_Types: IntToStr() Invalid range!"}, trace.Take());
    EXPECT_EQ(0, StrToInt(nValue, "9", 10, 60));
    EXPECT_EQ(10, nValue);
    EXPECT_EQ(Lines{"CData_Types: StrToInt() Invalid range!"}, trace.Take());
}

TEST(LoudTest, SevenOnlyWithTheEighthVolumeStep)
{
    CTest_TraceCapture trace;
    CPropertiesGuard guard;
    CTest_Properties()->m_bLoudStep8 = false;
    int nValue = 7;
    std::string text;
    EXPECT_EQ(0, LoudToStr(nValue, text));
    EXPECT_EQ("0", text);
    EXPECT_EQ(0, nValue);
    EXPECT_EQ((Lines{"CData_Types: IntToStr() Invalid range!", "CData_Types: LoudToStr() Invalid range!"}),
              trace.Take());
    EXPECT_EQ(0, StrToLoud(nValue, "7"));
    EXPECT_EQ(0, nValue);
    trace.Take();

    CTest_Properties()->m_bLoudStep8 = true;
    nValue = 7;
    EXPECT_EQ(1, LoudToStr(nValue, text));
    EXPECT_EQ("7", text);
    EXPECT_EQ(1, StrToLoud(nValue, "7"));
    EXPECT_EQ(7, nValue);
    nValue = 8;
    EXPECT_EQ(0, LoudToStr(nValue, text));
    EXPECT_EQ(0, nValue);
}

struct CChannelCase
{
    int nValue;
    bool bValid;
};

class ChannelTest : public ::testing::TestWithParam<CChannelCase>
{
};

TEST_P(ChannelTest, BothNibblesMustBeOneToNine)
{
    CTest_TraceCapture trace;
    const CChannelCase& c = GetParam();
    const int nExpected = c.bValid ? c.nValue : 0x11;
    int nValue = c.nValue;
    std::string text;
    EXPECT_EQ(c.bValid ? 1 : 0, ChannelToStr(nValue, text));
    EXPECT_EQ(nExpected, nValue);
    EXPECT_EQ(std::to_string(nExpected), text);
    EXPECT_EQ(c.bValid ? Lines{} : Lines{"CData_Types: ChannelToStr() Invalid range!"}, trace.Take());

    int nRead = 0;
    EXPECT_EQ(c.bValid ? 1 : 0, StrToChannel(nRead, std::to_string(c.nValue)));
    EXPECT_EQ(nExpected, nRead);
    EXPECT_EQ(c.bValid ? Lines{} : Lines{"CData_Types: StrToChannel() Invalid range!"}, trace.Take());
}

INSTANTIATE_TEST_SUITE_P(All, ChannelTest,
                         ::testing::Values(CChannelCase{0x11, true}, CChannelCase{0x99, true},
                                           CChannelCase{0x23, true}, CChannelCase{0x1A, false},
                                           CChannelCase{0xA1, false}, CChannelCase{0x10, false},
                                           CChannelCase{0x01, false}, CChannelCase{0, false},
                                           CChannelCase{-1, false}, CChannelCase{256, false},
                                           CChannelCase{0x111, false}));

TEST(UnsignedTest, WholeThirtyTwoBitRangeIsValid)
{
    CTest_TraceCapture trace;
    uint32_t nValue = 4294967295u;
    std::string text;
    EXPECT_EQ(1, PayCounterToStr(nValue, text));
    EXPECT_EQ("4294967295", text);
    nValue = 0;
    EXPECT_EQ(1, StrToPayCounter(nValue, "4294967295"));
    EXPECT_EQ(4294967295u, nValue);
    EXPECT_EQ(1, StrToDbVersion(nValue, "0"));
    EXPECT_EQ(0u, nValue);
    nValue = 17;
    EXPECT_EQ(1, DbVersionToStr(nValue, text));
    EXPECT_EQ("17", text);
    EXPECT_EQ(Lines{}, trace.Take());
}

TEST(UnsignedTest, NegativeOrTooLargeReadsAsZero)
{
    CTest_TraceCapture trace;
    uint32_t nValue = 5;
    EXPECT_EQ(0, StrToPayCounter(nValue, "4294967296"));
    EXPECT_EQ(0u, nValue);
    EXPECT_EQ(
        (Lines{"CData_Types: StrToInt() Invalid range!", "CData_Types: StrToPayCounter() Invalid range!"}),
        trace.Take());
    nValue = 5;
    EXPECT_EQ(0, StrToDbVersion(nValue, "-1"));
    EXPECT_EQ(0u, nValue);
    EXPECT_EQ(
        (Lines{"CData_Types: StrToInt() Invalid range!", "CData_Types: StrToDbVersion() Invalid range!"}),
        trace.Take());
}

// ---------------------------------------------------------------------------------------------
// Booleans
// ---------------------------------------------------------------------------------------------

TEST(BoolTest, OnOffAndEverythingElse)
{
    CTest_TraceCapture trace;
    std::string text;
    EXPECT_EQ(1, BoolToStr(1, text));
    EXPECT_EQ("On", text);
    for (int n : {0, 2, -1})
    {
        EXPECT_EQ(1, BoolToStr(n, text));
        EXPECT_EQ("Off", text);
    }
    int nValue = 7;
    EXPECT_EQ(1, StrToBool(nValue, "On"));
    EXPECT_EQ(1, nValue);
    EXPECT_EQ(1, StrToBool(nValue, "Off"));
    EXPECT_EQ(0, nValue);
    EXPECT_EQ(Lines{}, trace.Take());
    for (const char* psz : {"on", "ON", "1", "", "On "})
    {
        nValue = 1;
        EXPECT_EQ(0, StrToBool(nValue, psz)) << psz;
        EXPECT_EQ(0, nValue);
        EXPECT_EQ(Lines{"CData_Types: StrToBool() Invalid string!"}, trace.Take());
    }
}

// ---------------------------------------------------------------------------------------------
// Enumerations
// ---------------------------------------------------------------------------------------------

using EnumWriter = int (*)(int, std::string&);
using EnumReader = int (*)(int&, const std::string&);

struct CEnumCase
{
    const char* pszName; // type name; the log names are built from it
    EnumWriter pfnWrite;
    EnumReader pfnRead;
    std::vector<std::pair<int, std::string>> words; // both directions
    std::vector<std::pair<int, std::string>> readOnly;
    int nFallback;
    std::string fallbackWord;
    int nInvalidValue;
};

std::ostream& operator<<(std::ostream& os, const CEnumCase& c)
{
    return os << c.pszName;
}

class EnumTest : public ::testing::TestWithParam<CEnumCase>
{
protected:
    std::string ReadLog() const
    {
        const std::string name = GetParam().pszName;
        return "CData_Types: " + (name == "AuthenticationMode" ? name : "StrTo" + name) +
               "() Invalid string!";
    }

    CTest_TraceCapture m_trace;
};

TEST_P(EnumTest, EveryWordBothWays)
{
    const CEnumCase& c = GetParam();
    for (const auto& [nValue, word] : c.words)
    {
        std::string text;
        EXPECT_EQ(1, c.pfnWrite(nValue, text));
        EXPECT_EQ(word, text);
        int nRead = -99;
        EXPECT_EQ(1, c.pfnRead(nRead, word));
        EXPECT_EQ(nValue, nRead);
    }
    for (const auto& [nValue, word] : c.readOnly)
    {
        int nRead = -99;
        EXPECT_EQ(1, c.pfnRead(nRead, word));
        EXPECT_EQ(nValue, nRead);
    }
    EXPECT_EQ(Lines{}, m_trace.Take());
}

TEST_P(EnumTest, UnknownValueWritesTheFallbackWord)
{
    const CEnumCase& c = GetParam();
    std::string text = "x";
    EXPECT_EQ(0, c.pfnWrite(c.nInvalidValue, text));
    EXPECT_EQ(c.fallbackWord, text);
    EXPECT_EQ(Lines{"CData_Types: " + std::string(c.pszName) + "ToStr() Invalid value!"}, m_trace.Take());
}

TEST_P(EnumTest, UnknownWordReadsAsTheFallback)
{
    const CEnumCase& c = GetParam();
    // Words are compared exactly: other case, blanks or a prefix are unknown.
    std::vector<std::string> texts = {"", "UNKNOWN", " " + c.words.front().second};
    std::string lower = c.words.back().second;
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    texts.push_back(lower);
    for (const std::string& text : texts)
    {
        int nValue = -99;
        EXPECT_EQ(0, c.pfnRead(nValue, text)) << text;
        EXPECT_EQ(c.nFallback, nValue);
        EXPECT_EQ(Lines{ReadLog()}, m_trace.Take());
    }
}

const CEnumCase s_enums[] = {
    {"DispLan",
     DispLanToStr,
     StrToDispLan,
     {{0, "NON"},
      {1, "GER"},
      {2, "DUT"},
      {3, "UK"},
      {5, "ITA"},
      {6, "DAN"},
      {7, "SPA"},
      {8, "SW"},
      {10, "FRA"},
      {11, "PORT"},
      {14, "TCH"},
      {16, "NOR"},
      {17, "GR"},
      {18, "GER_T"},
      {20, "ISL"},
      {21, "POL"},
      {22, "HUN"}},
     {},
     0,
     "NON",
     4},
    {"Country",
     CountryToStr,
     StrToCountry,
     {{0, "NON"},
      {1, "GER"},
      {2, "DUT"},
      {3, "UK"},
      {5, "ITA"},
      {6, "DAN"},
      {7, "SPA"},
      {8, "SW"},
      {11, "PORT"},
      {14, "TCH"},
      {18, "GER_T"},
      {255, "INT"}},
     {{10, "FRA"}, {17, "GR"}},
     0,
     "NON",
     10},
    {"ModuleType",
     ModuleTypeToStr,
     StrToModuleType,
     {{0, "NON"}, {1, "E920"}, {2, "AB"}, {3, "W920"}},
     {},
     0,
     "",
     4},
    {"OemType",
     OemTypeToStr,
     StrToOemType,
     {{0, "TALVO"},
      {1, "QUESK"},
      {2, "LUMARDE"},
      {3, "FENWORTH"},
      {4, "VORTANE"},
      {5, "NOVREK"},
      {6, "PALUDIN"},
      {7, "GASTRIN"},
      {8, "BRELMONDIA"},
      {9, "DROMEL"}},
     {},
     0,
     "TALVO",
     10},
    {"KeyUse",
     KeyUseToStr,
     StrToKeyUse,
     {{1, "DIAL"},        {2, "LINE"},           {3, "EXT"},
      {4, "MSN"},         {5, "VARIANT_ALL"},    {6, "VARIANT_TEAM"},
      {7, "TEAMLOGOUT"},  {8, "ANNOUNCE"},       {9, "ANNOUNCE_LOOK"},
      {10, "INTERCOM"},   {11, "INTERCOM_LOOK"}, {12, "CHEF"},
      {13, "SEC"},        {14, "DIALFILTER"},    {15, "AWS"},
      {16, "DIRECTCALL"}, {17, "VMAIL"},         {18, "MACRO"},
      {19, "HEADSET"},    {20, "AUTOANSWER"},    {21, "ABVOICEBOX"},
      {22, "USER"},       {23, "BALE"},          {24, "STATUSINFO"},
      {25, "AWS_SEC"},    {26, "CONNECTION"},    {27, "PENDING_CALLBACK"}},
     {{1, "DIALKEY"}, {2, "LINEKEY"}, {3, "EXTKEY"}, {4, "MSNKEY"}},
     1,
     "DIAL",
     0},
    {"DialKeyUse",
     DialKeyUseToStr,
     StrToDialKeyUse,
     {{1, "MSN"}, {2, "DTMF"}, {3, "KEYPAD"}},
     {},
     1,
     "MSN",
     0},
    {"AwsKeyUse", AwsKeyUseToStr, StrToAwsKeyUse, {{1, "FIX"}, {2, "DELAY"}, {3, "BUSY"}}, {}, 2, "DELAY", 4},
    {"CallFilterUse",
     CallFilterUseToStr,
     StrToCallFilterUse,
     {{0, "NON"}, {1, "REJECT_LIST"}, {2, "PASS_LIST"}, {3, "BLOCK_ALL"}},
     {},
     0,
     "NON",
     4},
    {"DialFilterUse",
     DialFilterUseToStr,
     StrToDialFilterUse,
     {{0, "NON"}, {1, "BLOCKANDFREE"}, {2, "BLOCKALLEXPECTFREE"}},
     {},
     0,
     "NON",
     3},
    {"Silence",
     SilenceToStr,
     StrToSilence,
     {{0, "OFF"}, {1, "ON"}, {2, "OFF_EXCEPTNOTICE"}},
     {},
     0,
     "OFF",
     3},
    {"LcrMode",
     LcrModeToStr,
     StrToLcrMode,
     {{1, "DEFAULT_CARRIER"}, {2, "NEXT_CARRIER"}, {4, "REPEAT_CARRIER"}},
     {},
     1,
     "DEFAULT_CARRIER",
     3},
    {"DispCall",
     DispCallToStr,
     StrToDispCall,
     {{0, "NUMBER_CHARGE"}, {1, "NUMBER_TIME"}, {2, "NUMBER"}, {3, "DATE_TIME"}},
     {},
     0,
     "NUMBER_CHARGE",
     -1},
    {"DispCharge",
     DispChargeToStr,
     StrToDispCharge,
     {{1, "CHARGE_ELSE_TIME"}, {2, "TIME"}, {3, "CHARGE"}},
     {},
     1,
     "CHARGE_ELSE_TIME",
     0},
    {"AuthenticationMode",
     AuthenticationModeToStr,
     StrToAuthenticationMode,
     {{0, "NON"}, {1, "USER"}, {2, "PIN1"}},
     {},
     0,
     "NON",
     3},
};

INSTANTIATE_TEST_SUITE_P(All, EnumTest, ::testing::ValuesIn(s_enums),
                         [](const auto& row) { return std::string(row.param.pszName); });

TEST(KeyUseTest, OldWordDialKeyIsWrittenBackAsDial)
{
    int nValue = 0;
    EXPECT_EQ(1, StrToKeyUse(nValue, "DIALKEY"));
    std::string text;
    EXPECT_EQ(1, KeyUseToStr(nValue, text));
    EXPECT_EQ("DIAL", text);
}

TEST(CountryTest, ReadOnlyWordsAreWrittenAsNon)
{
    CTest_TraceCapture trace;
    int nValue = 0;
    EXPECT_EQ(1, StrToCountry(nValue, "GR"));
    EXPECT_EQ(17, nValue);
    std::string text;
    EXPECT_EQ(0, CountryToStr(nValue, text));
    EXPECT_EQ("NON", text);
    EXPECT_EQ(Lines{"CData_Types: CountryToStr() Invalid value!"}, trace.Take());
}

struct CPhoneTypeWord
{
    int nValue;
    const char* pszWord;
};

const CPhoneTypeWord s_phoneTypes[] = {
    {0, "R740"},    {1, "R750"},    {2, "R760"},     {5, "R920"},      {10, "R930T"}, {16, "RV740"},
    {17, "RV750"},  {18, "RV760"},  {19, "RV745"},   {20, "RV730"},    {21, "RV920"}, {22, "RV930"},
    {23, "RV730U"}, {24, "RV930U"}, {25, "RV920XT"}, {26, "RV930SMS"},
};

TEST(PhoneTypeTest, EveryWordBothWays)
{
    CTest_TraceCapture trace;
    for (const CPhoneTypeWord& w : s_phoneTypes)
    {
        std::string text;
        EXPECT_EQ(1, PhoneTypeToStr(w.nValue, text));
        EXPECT_EQ(w.pszWord, text);
        int nValue = -1;
        EXPECT_EQ(1, StrToPhoneType(nValue, w.pszWord));
        EXPECT_EQ(w.nValue, nValue);
    }
    EXPECT_EQ(Lines{}, trace.Take());
}

TEST(PhoneTypeTest, FallbackIsTheBrandsDefaultType)
{
    CTest_TraceCapture trace;
    CPropertiesGuard guard;
    CTest_Properties()->m_szPhoneTypeDefault = "RV920";
    int nValue = -1;
    EXPECT_EQ(0, StrToPhoneType(nValue, "RV999"));
    EXPECT_EQ(21, nValue);
    EXPECT_EQ(Lines{"CData_Types: StrToPhoneType() Invalid string!"}, trace.Take());
    std::string text;
    EXPECT_EQ(0, PhoneTypeToStr(3, text));
    EXPECT_EQ("RV920", text);
    EXPECT_EQ(Lines{"CData_Types: PhoneTypeToStr() Invalid value!"}, trace.Take());

    // A brand whose default word is itself no phone type still yields a real type.
    CTest_Properties()->m_szPhoneTypeDefault = "rv920";
    EXPECT_EQ(0, StrToPhoneType(nValue, "x"));
    EXPECT_EQ(0, nValue);
    EXPECT_EQ(0, PhoneTypeToStr(99, text));
    EXPECT_EQ("R740", text);
}

// ---------------------------------------------------------------------------------------------
// Charge multiplier
// ---------------------------------------------------------------------------------------------

struct CMantExpCase
{
    unsigned nMant;
    unsigned nExp;
    std::string text;
};

class PayMultTest : public ::testing::TestWithParam<CMantExpCase>
{
};

TEST_P(PayMultTest, MantissaAndExponentRoundTrip)
{
    CTest_TraceCapture trace;
    const CMantExpCase& c = GetParam();
    std::string text;
    EXPECT_EQ(1, MantExpToPayMult(c.nMant, c.nExp, text));
    EXPECT_EQ(c.text, text);
    unsigned nMant = 99;
    unsigned nExp = 99;
    EXPECT_EQ(1, PayMultToMantExp(text, nMant, nExp));
    EXPECT_EQ(c.nMant, nMant);
    EXPECT_EQ(c.nExp, nExp);
    EXPECT_EQ(Lines{}, trace.Take());
}

INSTANTIATE_TEST_SUITE_P(All, PayMultTest,
                         ::testing::Values(CMantExpCase{5, 2, "0,05"}, CMantExpCase{123, 1, "12,3"},
                                           CMantExpCase{120, 0, "120"}, CMantExpCase{7, 3, "0,007"},
                                           CMantExpCase{0, 0, "0"}, CMantExpCase{0, 3, "0,000"},
                                           CMantExpCase{1234, 3, "1,234"}, CMantExpCase{16383, 0, "16383"},
                                           CMantExpCase{16383, 3, "16,383"}, CMantExpCase{100, 2, "1,00"},
                                           CMantExpCase{5, 1, "0,5"}, CMantExpCase{42, 2, "0,42"}));

TEST(PayMultLimits, TooLargeValuesAreCappedAndReported)
{
    CTest_TraceCapture trace;
    std::string text;
    EXPECT_EQ(0, MantExpToPayMult(16384, 4, text));
    EXPECT_EQ("16,383", text);
    EXPECT_EQ((Lines{"CData_Types: PayMultToMantExp() Mantisse too large!",
                     "CData_Types: PayMultToMantExp() Exponent too large!"}),
              trace.Take());
    EXPECT_EQ(0, MantExpToPayMult(0xFFFFFFFFu, 0, text));
    EXPECT_EQ("16383", text);
    trace.Take();

    unsigned nMant = 0;
    unsigned nExp = 0;
    EXPECT_EQ(0, PayMultToMantExp("99999999999999999999", nMant, nExp));
    EXPECT_EQ(16383u, nMant);
    EXPECT_EQ(0u, nExp);
    EXPECT_EQ(Lines{"CData_Types: PayMultToMantExp() Mantisse too large!"}, trace.Take());
    EXPECT_EQ(0, PayMultToMantExp("1,2345", nMant, nExp));
    EXPECT_EQ(12345u, nMant);
    EXPECT_EQ(3u, nExp);
    EXPECT_EQ(Lines{"CData_Types: PayMultToMantExp() Exponent too large!"}, trace.Take());
}

TEST(PayMultText, CheckedTextGivesMantissaAndExponent)
{
    CTest_TraceCapture trace;
    std::string checked;
    StrToPayMult("12,345", checked);
    unsigned nMant = 0;
    unsigned nExp = 0;
    EXPECT_EQ(1, PayMultToMantExp(checked, nMant, nExp));
    EXPECT_EQ(1234u, nMant);
    EXPECT_EQ(2u, nExp);
}

// ---------------------------------------------------------------------------------------------
// Version numbers
// ---------------------------------------------------------------------------------------------

struct CVersionCase
{
    std::string text;
    int nNumber;
};

class VersionNumberTest : public ::testing::TestWithParam<CVersionCase>
{
};

TEST_P(VersionNumberTest, MajorTimesThousandPlusThreeMinorDigits)
{
    EXPECT_EQ(GetParam().nNumber, VersionToNumber(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    All, VersionNumberTest,
    ::testing::Values(CVersionCase{"2.15", 2150}, CVersionCase{"2.1", 2100}, CVersionCase{"2", 2000},
                      CVersionCase{"2.153", 2153}, CVersionCase{"12.5", 12500}, CVersionCase{"", 0},
                      CVersionCase{"3.1", 3100}, CVersionCase{"3.01", 3010}, CVersionCase{"4", 4000},
                      CVersionCase{"10.25", 10250}, CVersionCase{"2.1234", 2123}, CVersionCase{"V4.10", 4100},
                      CVersionCase{"4.1.7", 4100}, CVersionCase{"4..5", 4500}, CVersionCase{"abc", 0},
                      CVersionCase{"4.", 4000}, CVersionCase{"99999999999999.9", 2147482900}));
} // namespace
