#include "data/CData_Basic.h"

#include "data/CTest_Blocks.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_TraceCapture.h"

#include <functional>
#include <memory>

namespace
{
using Lines_t = std::vector<std::string>;

class CData_BasicTest : public CTest_Blocks
{
};

// ---- File ----------------------------------------------------------------------------------------

struct FileCase
{
    const char* pszName;
    int nPhoneType;
    int nVersion;
    const char* pszDerivat;
    const char* pszGolden; // below tests/data/blocks
};

class CData_BasicFile : public CData_BasicTest, public ::testing::WithParamInterface<FileCase>
{
};

// A new block written for a phone type gives the golden section; reading it back and writing
// again gives the same bytes, the end of the file included.
TEST_P(CData_BasicFile, DefaultsRoundTripThroughTheGoldenSection)
{
    const FileCase& c = GetParam();
    PhoneType(c.nPhoneType, c.nVersion, c.pszDerivat);
    Props()->m_szDispLanDefault = "GER";
    Texts("320\t0,12\n321\tEUR\n");
    CData_Basic block;
    const std::string written = WriteFile(block);
    ExpectGolden(c.pszGolden, written);

    CData_Basic reread;
    reread.m_nLoudBox = 6;
    reread.m_strParkCode = "12";
    ReadFile(reread, written);
    EXPECT_TRUE(reread == block);
    EXPECT_EQ(written, WriteFile(reread));
}

INSTANTIATE_TEST_SUITE_P(
    PhoneTypes, CData_BasicFile,
    ::testing::Values(FileCase{"R740_1_0", PHONETYPE_R740, 1000, "TALVO", "basic_r740_1.ini"},
                      FileCase{"RV930_4_0", PHONETYPE_RV930, 4000, "TALVO", "basic_rv930_4.ini"},
                      FileCase{"RV920_3_4", PHONETYPE_RV920, 3400, "TALVO", "basic_rv920_3_4.ini"}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST_F(CData_BasicTest, NewBlockWritesTheDocumentedDefaults)
{
    PhoneType(PHONETYPE_RV740, 1000);
    CData_Basic block;
    const Lines_t lines = Lines(WriteFile(block));
    for (const char* psz : {"LcrMode=NEXT_CARRIER", "ParkCode=55", "SmsServiceNo=0184630", "DispNumberOut=On",
                            "LinkEndInfo=On", "LoudBox=3", "HeadSet=Off"})
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), psz)) << psz;
    EXPECT_EQ("Basic_00000000", block.Name());
}

// Keys guarded by a capability are neither written nor read without it: the field keeps its value.
struct GuardCase
{
    const char* pszKey;
    bool CData_Properties::*pFlag;
    std::function<std::string(const CData_Basic&)> value;
    const char* pszFileValue;
    const char* pszExpected; // field value after reading with the capability
};

class CData_BasicGuard : public CData_BasicTest, public ::testing::WithParamInterface<GuardCase>
{
};

TEST_P(CData_BasicGuard, KeyFollowsItsCapability)
{
    const GuardCase& c = GetParam();
    const std::string file = std::string("[Basic_00000000]\r\n") + c.pszKey + "=" + c.pszFileValue + "\r\n";

    (*Props()).*c.pFlag = false;
    CData_Basic without;
    const std::string before = c.value(without);
    EXPECT_EQ(std::string::npos, WriteFile(without).find(std::string(c.pszKey) + "="));
    ReadFile(without, file);
    EXPECT_EQ(before, c.value(without));

    (*Props()).*c.pFlag = true;
    CData_Basic with;
    EXPECT_NE(std::string::npos, WriteFile(with).find(std::string("\r\n") + c.pszKey + "="));
    ReadFile(with, file);
    EXPECT_EQ(c.pszExpected, c.value(with));
}

using B = CData_Basic;
using P = CData_Properties;
INSTANTIATE_TEST_SUITE_P(
    Keys, CData_BasicGuard,
    ::testing::Values(GuardCase{"HeadSetType", &P::m_bHeadSetTypeSupport,
                                [](const B& b) { return std::to_string(b.m_nHeadSetType); }, "7", "7"},
                      GuardCase{"SmsServiceNo2", &P::m_bSmsServers,
                                [](const B& b) { return b.m_strSmsServiceNo2; }, "0123", "0123"},
                      GuardCase{"SmsServiceNo3", &P::m_bSmsRecordA,
                                [](const B& b) { return b.m_strSmsServiceNo3; }, "0456", "0456"},
                      GuardCase{"CallFilterUse", &P::m_bCallFilterFile,
                                [](const B& b) { return std::to_string(b.m_nCallFilterUse); }, "PASS_LIST",
                                "2"},
                      GuardCase{"UusFilterExternal", &P::m_bUusFilterSupport,
                                [](const B& b) { return std::to_string(b.m_bUusFilterExternal); }, "On", "1"},
                      GuardCase{"AutoAnswerTime", &P::m_bAutoAnswerSupport,
                                [](const B& b) { return std::to_string(b.m_nAutoAnswerTime); }, "2", "2"},
                      GuardCase{"VoiceBoxNo", &P::m_bVoiceBoxSupport,
                                [](const B& b) { return b.m_strVoiceBoxNo; }, "22", "22"},
                      GuardCase{"StatusLed", &P::m_bExtendedBasic,
                                [](const B& b) { return std::to_string(b.m_nStatusLed); }, "2", "2"}),
    [](const auto& row) { return std::string(row.param.pszKey); });

// Bad values of a file are normalised by the conversions, with their trace lines.
struct BadValueCase
{
    const char* pszName;
    const char* pszLine;
    std::function<void()> setup;
    std::function<std::string(const CData_Basic&)> value;
    const char* pszExpected;
    Lines_t trace;
};

class CData_BasicBadValue : public CData_BasicTest, public ::testing::WithParamInterface<BadValueCase>
{
};

TEST_P(CData_BasicBadValue, IsNormalisedWithItsTraceLine)
{
    const BadValueCase& c = GetParam();
    if (c.setup)
        c.setup();
    CData_Basic block;
    const std::string file = std::string("[Basic_00000000]\r\n") + c.pszLine + "\r\n";
    CTest_TraceCapture trace;
    {
        // Only the lines of the conversions count: lookups of the other keys trace defaults.
        CData_FileExRam& store = CData::File();
        ASSERT_EQ(1, store.OpenBuffer(file.data(), file.size()));
        block.MoveFile(0, 0);
        store.Close();
    }
    Lines_t lines;
    for (const std::string& line : trace.Take())
        if (line.rfind("CData_Types: ", 0) == 0)
            lines.push_back(line);
    for (const std::string& expected : c.trace)
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), expected)) << expected;
    EXPECT_EQ(c.pszExpected, c.value(block));
}

INSTANTIATE_TEST_SUITE_P(
    Values, CData_BasicBadValue,
    ::testing::Values(BadValueCase{"LoudOutOfRange",
                                   "LoudBox=8",
                                   nullptr,
                                   [](const B& b) { return std::to_string(b.m_nLoudBox); },
                                   "0",
                                   {"CData_Types: StrToInt() Invalid range!",
                                    "CData_Types: StrToLoud() Invalid range!"}},
                      BadValueCase{"UnknownEnumWord",
                                   "LcrMode=SOMETIMES",
                                   nullptr,
                                   [](const B& b) { return std::to_string(b.m_nLcrMode); },
                                   "1",
                                   {"CData_Types: StrToLcrMode() Invalid string!"}},
                      BadValueCase{"ParkCodeLetters",
                                   "ParkCode=5x",
                                   nullptr,
                                   [](const B& b) { return b.m_strParkCode; },
                                   "5",
                                   {"CData_Types: StrToNumStr() Invalid char!"}},
                      BadValueCase{"UnitNameTooLong",
                                   "UnitName=ABCDEFGHIJKLMNOPQRSTU",
                                   nullptr,
                                   [](const B& b) { return b.m_strUnitName; },
                                   "ABCDEFGHIJKLMNOPQRST",
                                   {"CData_Types: StrToUnitName() Invalid length!"}},
                      BadValueCase{"PayMultFifthDigit",
                                   "PayMult=12,345",
                                   nullptr,
                                   [](const B& b) { return b.m_strPayMult; },
                                   "12,34",
                                   {"CData_Types: StrToPayMultStr() Invalid char!"}},
                      BadValueCase{"ToneKnockRange",
                                   "ToneKnock=3",
                                   nullptr,
                                   [](const B& b) { return std::to_string(b.m_nToneKnock); },
                                   "0",
                                   {"CData_Types: StrToInt() Invalid range!"}},
                      BadValueCase{"BoolWord",
                                   "ToneError=Yes",
                                   nullptr,
                                   [](const B& b) { return std::to_string(b.m_bToneError); },
                                   "0",
                                   {"CData_Types: StrToBool() Invalid string!"}},
                      BadValueCase{"HeadSetLevelReadUpToNine",
                                   "HeadSet=9",
                                   [] { CTest_Properties()->m_bHeadSetLevels = true; },
                                   [](const B& b) { return std::to_string(b.m_nHeadSetLevel); },
                                   "9",
                                   {}},
                      BadValueCase{"CallFilterUseMissing",
                                   "LoudBox=3",
                                   [] { CTest_Properties()->m_bCallFilterFile = true; },
                                   [](const B& b) { return std::to_string(b.m_nCallFilterUse); },
                                   "0",
                                   {"CData_Types: StrToCallFilterUse() Invalid string!"}},
                      BadValueCase{"PayCounterTooLarge",
                                   "PayCounter=4294967296",
                                   nullptr,
                                   [](const B& b) { return std::to_string(b.m_nPayCounter); },
                                   "0",
                                   {}}),
    [](const auto& row) { return std::string(row.param.pszName); });

// Every ranged value of the block at both ends of its range, read from a file and written back,
// and one above the range, which reads as the lower end.
TEST_F(CData_BasicTest, EveryRangedValueKeepsBothBoundsAndRefusesTheNext)
{
    Props()->m_bHeadSetTypeSupport = true;
    Props()->m_bSmsServers = true;
    Props()->m_bAutoAnswerSupport = true;
    Props()->m_bExtendedBasic = true;
    const std::tuple<const char*, int, int> ranges[] = {
        {"ToneKnock", 0, 2},   {"HeadSetType", 0, 9},    {"DefaultSMSServer", 0, 2},
        {"Keypad", 0, 2},      {"AutoAnswerTime", 0, 2}, {"ToneKnockIntern", 0, 2},
        {"StatusLed", 0, 2},   {"SkPhonebook", 0, 1},    {"LoudBox", 0, 6},
        {"LoudHand", 0, 3},    {"LoudKnock", 0, 6},      {"LoudAlarmCall", 0, 6},
        {"LoudSilence", 0, 6}, {"LcrRepeat", 0, 9},      {"PabxType", 0, 9},
        {"DialLen", 0, 9},     {"LoudAttention", 0, 2},
    };
    CData_FileExRam& store = CData::File();
    for (const auto& [pszKey, nMin, nMax] : ranges)
    {
        for (const int nValue : {nMin, nMax, nMax + 1})
        {
            const std::string line = std::string(pszKey) + "=" + std::to_string(nValue);
            CData_Basic block;
            store.UseBuffer("[Basic_00000000]\r\n" + line + "\r\n");
            ASSERT_EQ(1, store.Open(1));
            block.MoveFile(0, 0);
            store.Close();
            store.UseBuffer();
            ASSERT_EQ(1, store.Open(0));
            block.MoveFile(1, 0);
            store.Close();
            const std::string expected =
                std::string(pszKey) + "=" + std::to_string(nValue > nMax ? nMin : nValue) + "\r\n";
            EXPECT_NE(std::string::npos, store.Buffer().find("\r\n" + expected)) << line;
        }
    }
    store.SetFileName("");
}

// A level of 3 to 9 read from a file is written as 0, and the block takes the 0.
TEST_F(CData_BasicTest, HeadSetLevelAboveTwoIsWrittenAsZero)
{
    Props()->m_bHeadSetLevels = true;
    CData_Basic block;
    ReadFile(block, "[Basic_00000000]\r\nHeadSet=5\r\n");
    EXPECT_EQ(5, block.m_nHeadSetLevel);
    CTest_TraceCapture trace;
    const Lines_t lines = Lines(WriteFile(block));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "HeadSet=0"));
    EXPECT_EQ(0, block.m_nHeadSetLevel);
    const Lines_t traced = trace.Take();
    EXPECT_NE(traced.end(),
              std::find(traced.begin(), traced.end(), "CData_Types: IntToStr() Invalid range!"));

    // Without levels the same key is the On/Off value.
    Props()->m_bHeadSetLevels = false;
    CData_Basic onOff;
    ReadFile(onOff, "[Basic_00000000]\r\nHeadSet=On\r\n");
    EXPECT_EQ(1, onOff.m_bHeadSet);
    EXPECT_EQ(0, onOff.m_nHeadSetLevel);
}

TEST_F(CData_BasicTest, EqualityIgnoresThePinOnly)
{
    CData_Basic a;
    CData_Basic b;
    b.m_strPin = "0000";
    EXPECT_TRUE(a == b);
    b.m_bSilenceMsn1 = 1;
    EXPECT_FALSE(a == b);
    b = a;
    b.m_strSmsServiceNo3 = "1";
    EXPECT_TRUE(a != b);
    b = a;
    b.m_nPayCounter = 1;
    EXPECT_FALSE(a == b);
}

TEST_F(CData_BasicTest, DisplayLanguageNamesAndDefault)
{
    Texts("352\tDeutsch\n365\tFran\xE7"
          "ais\n367\tGriechisch\n");
    EXPECT_EQ("Deutsch", CData_Basic::DispLanName(1));
    EXPECT_EQ("Fran\xE7"
              "ais",
              CData_Basic::DispLanName(10));
    EXPECT_EQ("Griechisch", CData_Basic::DispLanName(17));
    EXPECT_EQ("", CData_Basic::DispLanName(4));
    EXPECT_EQ("", CData_Basic::DispLanName(0));
    EXPECT_EQ(366u, CData_Basic::DispLanTextNumber(18));
    EXPECT_EQ(364u, CData_Basic::DispLanTextNumber(22));

    Props()->m_szDispLanDefault = "ITA";
    EXPECT_EQ(5, CData_Basic().m_nDisplayLanguage);
    Props()->m_szDispLanDefault = "";
    EXPECT_EQ(0, CData_Basic().m_nDisplayLanguage);
}

TEST_F(CData_BasicTest, ChargeDefaultsComeFromTheInterfaceTexts)
{
    Texts("320\t0,12\n321\tEUR\n");
    CData_Basic block;
    EXPECT_EQ("0,12", block.m_strPayMult);
    EXPECT_EQ("EUR", block.m_strPayStr);
}

// ---- Records -------------------------------------------------------------------------------------

struct RecordCase
{
    const char* pszName;
    std::function<void()> caps;             // capabilities on top of none
    std::function<void(CData_Basic&)> fill; // the block's values
    int nRecord;
    Bytes expected;
};

// All capabilities off, no brand: the smallest layouts.
void NoCaps()
{
    CTest_Properties edit;
    CData_Properties& p = *edit;
    p.m_szDerivat = "QUESK";
    p.m_bHeadSetLevels = p.m_bAutoAnswerSupport = p.m_bHeadSetTypeSupport = false;
    p.m_bCallFilterFile = p.m_bCallFilterRecord = p.m_bUusFilterSupport = false;
    p.m_bVoiceBoxSupport = p.m_bSmsServers = p.m_bSmsRecordA = p.m_bExtendedBasic = false;
    p.m_bLoudAlarmCallRecord = p.m_bDisplayLanguageRecord = false;
}

class CData_BasicRecord : public CData_BasicTest, public ::testing::WithParamInterface<RecordCase>
{
protected:
    void SetUp() override
    {
        CData_BasicTest::SetUp();
        NoCaps();
        if (GetParam().caps)
            GetParam().caps();
    }
};

// The data record has the documented bytes, and parsing them into a new block gives the values back.
TEST_P(CData_BasicRecord, BuildsTheLayoutAndParsesItBack)
{
    const RecordCase& c = GetParam();
    CData_Basic block;
    c.fill(block);
    const Bytes built = Build(block, CData::MB_DATA, c.nRecord);
    EXPECT_EQ(c.expected, built);
    if (c.nRecord == CData_Basic::RECORD_PIN)
        return; // only ever sent
    // Parsing gives the record's values back: the block built from them sends the same bytes.
    CData_Basic parsed;
    EXPECT_EQ(static_cast<int>(built.size()), Parse(parsed, built, c.nRecord));
    EXPECT_EQ(built, Build(parsed, CData::MB_DATA, c.nRecord));
    // The request is the identifier and 0.
    EXPECT_EQ((Bytes{c.expected[0], 0}), Build(block, CData::MB_REQUEST, c.nRecord));
}

// A frame shorter than the record, or a room too small for it, is refused whole.
TEST_P(CData_BasicRecord, ShortFramesAndShortRoomAreRefused)
{
    const RecordCase& c = GetParam();
    CData_Basic block;
    c.fill(block);
    const Bytes built = Build(block, CData::MB_DATA, c.nRecord);
    for (size_t n = 0; n < built.size(); ++n)
    {
        Bytes room(n + 1, 0xEE);
        EXPECT_EQ(0, block.MoveBlock(CData::MB_DATA, room.data(), n, c.nRecord)) << n;
        EXPECT_EQ(0xEE, room[n]) << "written beyond the room at " << n;
        if (c.nRecord == CData_Basic::RECORD_PIN)
            continue;
        CData_Basic parsed;
        const CData_Basic fresh;
        Bytes frame(built.begin(), built.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_EQ(0, Parse(parsed, frame, c.nRecord)) << n;
        EXPECT_TRUE(parsed == fresh) << n;
    }
}

void Sample(CData_Basic& b)
{
    b.m_bAutoExt = 1;
    b.m_bPabxAtLowPower = 0;
    b.m_bFreeSpeakSilence = 1;
    b.m_bE740 = 1;
    b.m_nDialFilterUse = 2;
    b.m_nDialLen = 5;
    b.m_nCallFilterUse = 3;
    b.m_bUusFilterInternal = 1;
    b.m_bUusFilterExternal = 0;
    b.m_nToneKnock = 2;
    b.m_bToneError = 1;
    b.m_bToneQuit = 0;
    b.m_bKnockRepeat = 1;
    b.m_nSilence = 2;
    b.m_nLoudBox = 6;
    b.m_nLoudHand = 2;
    b.m_nLoudKnock = 4;
    b.m_nLoudSilence = 5;
    b.m_nLoudAlarmCall = 1;
    b.m_nLoudAttention = 2;
    b.m_bSilenceMsn1 = 1;
    b.m_nToneKnockIntern = 0;
    b.m_nStatusLed = 2;
    b.m_nSkPhonebook = 1;
}

const RecordCase s_records[] = {
    {"Switches", nullptr, Sample, 0, {0x30, 1, 1, 0, 1, 1, 2, 5}},
    {"SwitchesCallFilter",
     [] { CTest_Properties()->m_bCallFilterRecord = true; },
     Sample,
     0,
     {0x30, 1, 1, 0, 1, 1, 2, 5, 3}},
    {"SwitchesUus",
     []
     {
         CTest_Properties()->m_bCallFilterRecord = true;
         CTest_Properties()->m_bUusFilterSupport = true;
     },
     Sample,
     0,
     {0x30, 1, 1, 0, 1, 1, 2, 5, 3, 1, 0}},
    {"Tones", nullptr, Sample, 1, {0x31, 1, 2, 1, 0, 1, 2, 6, 2, 4, 5}},
    {"TonesAlarm",
     [] { CTest_Properties()->m_bLoudAlarmCallRecord = true; },
     Sample,
     1,
     {0x31, 1, 2, 1, 0, 1, 2, 6, 2, 4, 5, 1}},
    {"TonesExtended",
     []
     {
         CTest_Properties()->m_bLoudAlarmCallRecord = true;
         CTest_Properties()->m_bExtendedBasic = true;
     },
     Sample,
     1,
     {0x39, 1, 2, 1, 0, 1, 2, 6, 2, 4, 5, 1, 2, 1, 0, 2, 1}},
    {"Lcr", nullptr, [](CData_Basic& b) { b.m_bLcr = 1; }, 2, {0x32, 1, 1, 0x24}},
    {"LcrRepeatMode",
     nullptr,
     [](CData_Basic& b)
     {
         b.m_nLcrRepeat = 9;
         b.m_nLcrMode = 4;
     },
     2,
     {0x32, 1, 0, 0x49}},
    {"MiscOnOff",
     nullptr,
     [](CData_Basic& b)
     {
         b.m_bLetterLarge = 1;
         b.m_bHeadSet = 1;
         b.m_nHeadSetLevel = 2;
         b.m_nPabxType = 7;
     },
     3,
     {0x33, 1, 1, 1, 7}},
    {"MiscLevels",
     []
     {
         CTest_Properties()->m_bHeadSetLevels = true;
         CTest_Properties()->m_bHeadSetTypeSupport = true;
         CTest_Properties()->m_bAutoAnswerSupport = true;
     },
     [](CData_Basic& b)
     {
         b.m_nHeadSetLevel = 2;
         b.m_nPabxType = 7;
         b.m_nHeadSetType = 3;
         b.m_nAutoAnswerTime = 2;
     },
     3,
     {0x33, 1, 0, 2, 7, 3, 2}},
    {"Display",
     nullptr,
     [](CData_Basic& b)
     {
         b.m_bDispNumberIn = 0;
         b.m_nDispCall = 3;
         b.m_nDispCharge = 2;
         b.m_nDisplayLanguage = 10;
     },
     4,
     {0x34, 1, 1, 0, 3, 2, 1}},
    {"DisplayLanguage",
     [] { CTest_Properties()->m_bDisplayLanguageRecord = true; },
     [](CData_Basic& b) { b.m_nDisplayLanguage = 10; },
     4,
     {0x34, 1, 1, 1, 0, 1, 1, 10}},
    {"Charges", nullptr,
     [](CData_Basic& b)
     {
         b.m_strPayMult = "0,12";
         b.m_strPayStr = "\x80";
         b.m_strParkCode = "55";
         b.m_strDialPre = "0";
         b.m_strDialPreInt = "";
         b.m_strDirectCall = "110";
         b.m_nPayCounter = 70000;
     },
     5,
     Join({{0x38, 1, 0x00, 0x0C, 0x02, 1, 0xEE, 2},
           Chars("55"),
           {1},
           Chars("0"),
           {0, 3},
           Chars("110"),
           {4, 0x00, 0x01, 0x11, 0x70}})},
    {"ChargesLargest", nullptr,
     [](CData_Basic& b)
     {
         b.m_strPayMult = "16383";
         b.m_strPayStr = "ABCDEF";
         b.m_strParkCode = "";
         b.m_nPayCounter = 4294967295u;
     },
     5, Join({{0x38, 1, 0x3F, 0xFF, 0, 6}, Chars("ABCDEF"), {0, 0, 0, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF}})},
    {"UnitName",
     nullptr,
     [](CData_Basic& b)
     {
         b.m_strUnitName = "Gr\xF6\xDF"
                           "e";
     },
     6,
     {0x11, 1, 5, 0x47, 0x72, 0x94, 0xE1, 0x65}},
    {"Sms", nullptr,
     [](CData_Basic& b)
     {
         b.m_strSmsServiceNo = "0193010";
         b.m_strSmsServiceNo2 = "1";
     },
     7, Join({{0x40, 1, 7}, Chars("0193010")})},
    {"SmsServers", [] { CTest_Properties()->m_bSmsServers = true; },
     [](CData_Basic& b)
     {
         b.m_strSmsServiceNo = "0193010";
         b.m_nDefaultSMSServer = 2;
         b.m_strSmsServiceNo2 = "0123";
         b.m_strSmsServiceNo3 = "";
     },
     7, Join({{0x40, 1, 7}, Chars("0193010"), {2, 4}, Chars("0123"), {0}})},
    {"SmsRecordA",
     [] { CTest_Properties()->m_bSmsRecordA = true; },
     [](CData_Basic& b)
     {
         b.m_strSmsServiceNo = "";
         b.m_nDefaultSMSServer = 1;
         b.m_strSmsServiceNo2 = "9";
         b.m_strSmsServiceNo3 = "8";
     },
     7,
     {0x41, 1, 0, 1, 1, '9', 1, '8'}},
    {"Keypad",
     nullptr,
     [](CData_Basic& b)
     {
         b.m_nKeypad = 2;
         b.m_bLinkEndInfo = 0;
     },
     8,
     {0x35, 1, 2, 1}},
    {"KeypadVoiceBox",
     [] { CTest_Properties()->m_bVoiceBoxSupport = true; },
     [](CData_Basic& b) { b.m_strVoiceBoxNo = "44"; },
     8,
     {0x35, 1, 0, 0, 2, '4', '4'}},
    {"KeypadVoiceBoxTalvo",
     []
     {
         CTest_Properties()->m_bVoiceBoxSupport = true;
         CTest_Properties()->m_szDerivat = "TALVO";
     },
     [](CData_Basic& b) { b.m_strVoiceBoxNo = "44"; },
     8,
     {0x37, 1, 0, 0, 2, '4', '4'}},
    {"KeypadVoiceBoxBrelmondia",
     []
     {
         CTest_Properties()->m_bVoiceBoxSupport = true;
         CTest_Properties()->m_szDerivat = "BRELMONDIA";
     },
     [](CData_Basic&) {},
     8,
     {0x37, 1, 0, 0, 0}},
    {"KeypadTalvoWithoutVoiceBox",
     [] { CTest_Properties()->m_szDerivat = "TALVO"; },
     [](CData_Basic&) {},
     8,
     {0x35, 1, 0, 0}},
    {"Pin", nullptr, [](CData_Basic&) {}, CData_Basic::RECORD_PIN, {0x18, 1, 4, '5', '1', '8', '2'}},
};

INSTANTIATE_TEST_SUITE_P(Records, CData_BasicRecord, ::testing::ValuesIn(s_records),
                         [](const auto& row) { return std::string(row.param.pszName); });

TEST_F(CData_BasicTest, ReceivedRecordsOfAnotherKindAreRefused)
{
    NoCaps();
    CData_Basic block;
    block.m_bLcr = 1;
    const CData_Basic before = block;
    EXPECT_EQ(0, Parse(block, {0x32, 0, 0, 0x24}, 2));                   // a request, not data
    EXPECT_EQ(0, Parse(block, {0x33, 1, 0, 0x24}, 2));                   // another record
    EXPECT_EQ(0, Parse(block, {0x39, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1)); // 0x39 needs ExtendedBasic
    EXPECT_TRUE(block == before);
    EXPECT_EQ(0, Parse(block, {0x18, 1, 0}, CData_Basic::RECORD_PIN)); // the PIN is never received
    EXPECT_EQ(0, Parse(block, {0x30, 1}, 9));                          // no record 9
    EXPECT_EQ(Bytes{}, Build(block, CData::MB_REQUEST, CData_Basic::RECORD_PIN));
    EXPECT_EQ((Bytes{0, 1}), Build(block, CData::MB_END, 1));
    EXPECT_EQ(0, block.MoveBlock(CData::MB_PARSE, nullptr, 10, 0));
}

TEST_F(CData_BasicTest, ParsingEdgeCases)
{
    NoCaps();
    // A unit name announced with 25 characters is read as 20, and the record ends after them.
    CData_Basic block;
    Bytes unit = Join({{0x11, 1, 25}, Chars("ABCDEFGHIJKLMNOPQRSTUVWXY")});
    EXPECT_EQ(23, Parse(block, unit, 6));
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRST", block.m_strUnitName);

    // A counter shorter than four bytes means none: 0, and the record ends before its length.
    block.m_nPayCounter = 99;
    const Bytes charges = {0x38, 1, 0x00, 0x05, 0x02, 0, 0, 0, 0, 0, 2, 0x12, 0x34};
    EXPECT_EQ(10, Parse(block, charges, 5));
    EXPECT_EQ(0u, block.m_nPayCounter);
    EXPECT_EQ("0,05", block.m_strPayMult);

    // A mantissa above 14 bits is capped.
    const Bytes big = {0x38, 1, 0xFF, 0xFF, 0x07, 0, 0, 0, 0, 0, 4, 0, 0, 0, 1};
    EXPECT_EQ(15, Parse(block, big, 5));
    EXPECT_EQ("16,383", block.m_strPayMult);
    EXPECT_EQ(1u, block.m_nPayCounter);

    // The low four bits of the LCR byte are the repetitions, the high four the mode.
    EXPECT_EQ(4, Parse(block, {0x32, 1, 1, 0x24}, 2));
    EXPECT_EQ(4, block.m_nLcrRepeat);
    EXPECT_EQ(2, block.m_nLcrMode);

    // Link-end information is the inverse of the byte.
    EXPECT_EQ(4, Parse(block, {0x35, 1, 0, 7}, 8));
    EXPECT_EQ(0, block.m_bLinkEndInfo);
    EXPECT_EQ(4, Parse(block, {0x35, 1, 0, 0}, 8));
    EXPECT_EQ(1, block.m_bLinkEndInfo);
}

TEST_F(CData_BasicTest, RecordIdentifiersFollowCapabilitiesAndBrand)
{
    NoCaps();
    EXPECT_EQ(0x31, CData_Basic::RecordId(1));
    EXPECT_EQ(0x40, CData_Basic::RecordId(7));
    EXPECT_EQ(0x35, CData_Basic::RecordId(8));
    Props()->m_bSmsRecordA = true;
    EXPECT_EQ((Bytes{0x41, 0x00}), Build(*std::make_unique<CData_Basic>(), CData::MB_REQUEST, 7));
    PhoneType(PHONETYPE_RV930, 4000, "TALVO");
    EXPECT_EQ(0x39, CData_Basic::RecordId(1));
    EXPECT_EQ(0x37, CData_Basic::RecordId(8));
    PhoneType(PHONETYPE_RV930, 4000, "VORTANE");
    EXPECT_EQ(0x35, CData_Basic::RecordId(8));
    EXPECT_EQ(-1, CData_Basic::RecordId(9));
    EXPECT_EQ(-1, CData_Basic::RecordId(-1));
}

TEST_F(CData_BasicTest, EveryCallTracesMoveBlockAndSomeRecordsANote)
{
    NoCaps();
    CData_Basic block;
    CTest_TraceCapture trace;
    Build(block, CData::MB_DATA, 0);
    EXPECT_EQ(Lines_t{"CData_Basic: MoveBlock()"}, trace.Take());
    Build(block, CData::MB_DATA, 6);
    EXPECT_EQ((Lines_t{"CData_Basic: MoveBlock()", "CData_Basic: UNIT NAME"}), trace.Take());
    Build(block, CData::MB_REQUEST, 7);
    EXPECT_EQ((Lines_t{"CData_Basic: MoveBlock()", "CData_Basic: SMS ServiceNo"}), trace.Take());
    Parse(block, {0x35, 1, 0, 0}, 8);
    EXPECT_EQ((Lines_t{"CData_Basic: MoveBlock()", "CData_Basic: Keypad /DTMF..."}), trace.Take());
}
} // namespace
