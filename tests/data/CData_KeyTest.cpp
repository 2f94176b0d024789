#include "data/CData_Key.h"

#include "data/CData_AllCfg.h"
#include "data/CData_AllDialName.h"
#include "data/CData_KeyLabels.h"
#include "data/CTest_Blocks.h"
#include "testsupport/CTest_TraceCapture.h"

#include <memory>

namespace
{
class CData_KeyTest : public CTest_Blocks
{
protected:
    void SetUp() override
    {
        CTest_Blocks::SetUp();
        Props()->m_bKeyNames = false;
        Props()->m_bNovRekLine = false;
    }
};

// Every parameter of every function set to a value of its own.
void Fill(CData_Key& k)
{
    k.m_nDialKeyUse = 2;
    k.m_nAwsKeyUse = 3;
    k.m_strDialKeyMsn = "0301234";
    k.m_strLineKeyMsn = "12";
    k.m_strMsnKeyMsn = "5555";
    k.m_strVariantKeyMsnTeam = "12";
    k.m_strLogOutKeyMsnTeam = "34";
    k.m_strAnnounceKeyMsnInt = "21";
    k.m_strIntercomKeyMsnInt = "22";
    k.m_strChefKeyMsnInt = "23";
    k.m_strSecKeyMsnInt = "24";
    k.m_strAwsMsnExt = "0800";
    k.m_strVMailPin = "1234";
    k.m_strKeyName = "Taxi";
    k.SetLineAbVoicebox("12/3");
    k.m_strPendingCallbackKeyMsn = "25";
    k.m_nExtKeyChannel = 0x23;
    k.m_nMsnKeyMsnId = 4;
    k.m_nAwsMsnId = 5;
    k.m_nVMailMsnId = 6;
    k.m_nAutoAnswerMsnId = 7;
    k.m_nAutoAnswerTimeId = 2;
    k.m_nUserMsnId = 8;
    k.m_nBaleId = 9;
    k.m_nNovRekPort = 12;
    k.m_nNovRekBChannel = 2;
    k.m_nLogOutKeyMsnId = 3;
    k.m_nStatusInfoId = 4;
    k.m_Macro.strText = "Mak";
    // No CR, LF or "]" among the bytes: the file keeps the structure unescaped.
    k.m_Macro.anParam[0] = 0x14131211;
    k.m_Macro.anParam[1] = 0x18171615;
    k.m_Macro.anParam[2] = 0x1C1B1E19;
    k.m_Macro.cParam = 0x1F;
}

struct FunctionCase
{
    int nKeyUse;
    Bytes params; // parameter 1, parameter 2, length and data
};

const FunctionCase s_functions[] = {
    {1, Join({{2, 0, 7}, Chars("0301234")})},
    {2, Join({{0, 0, 2}, Chars("12")})},
    {3, {0x23, 0, 0}},
    {4, Join({{4, 0, 4}, Chars("5555")})},
    {5, {0, 0, 0}},
    {6, Join({{0, 0, 2}, Chars("12")})},
    {7, Join({{3, 0, 2}, Chars("34")})},
    {8, Join({{0, 0, 2}, Chars("21")})},
    {9, {0, 0, 0}},
    {10, Join({{0, 0, 2}, Chars("22")})},
    {11, {0, 0, 0}},
    {12, Join({{0, 0, 2}, Chars("23")})},
    {13, Join({{0, 0, 2}, Chars("24")})},
    {14, {0, 0, 0}},
    {15, Join({{5, 3, 4}, Chars("0800")})},
    {16, {0, 0, 0}},
    {17, Join({{6, 0, 4}, Chars("1234")})},
    {18, {0, 0, 13, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1B, 0x1C, 0x1F}},
    {19, {0, 0, 0}},
    {20, {7, 2, 0}},
    {21, {0, 0, 4, 0x12, 0xD3, 0xFF, 0xFF}},
    {22, {8, 0, 0}},
    {23, {9, 0, 0}},
    {24, {4, 0, 0}},
    {25, {0, 0, 0}},
    {26, {0, 0, 0}},
    {27, Join({{0, 0, 2}, Chars("25")})},
};

struct KeyRecordCase
{
    FunctionCase function;
    bool bKeyNames;
    bool bModule;
};

class CData_KeyRecord : public CData_KeyTest, public ::testing::WithParamInterface<KeyRecordCase>
{
};

// Each function sends its own parameters; parsing them into another block of the same key gives
// the same record back, and every shortened frame or room is refused.
TEST_P(CData_KeyRecord, FunctionParameters)
{
    const KeyRecordCase& c = GetParam();
    Props()->m_bKeyNames = c.bKeyNames;
    CData_Key key(5, c.bModule);
    Fill(key);
    key.m_nKeyUse = c.function.nKeyUse;
    Bytes expected = Join({{static_cast<unsigned char>(c.bModule ? 0x90 : 0x80), 1, 5,
                            static_cast<unsigned char>(c.function.nKeyUse)},
                           c.function.params});
    if (c.bKeyNames)
        expected = Join(
            {expected, c.function.nKeyUse == 18 ? Join({{3}, Chars("Mak")}) : Join({{4}, Chars("Taxi")})});
    const Bytes built = Build(key, CData::MB_DATA);
    EXPECT_EQ(expected, built);

    CData_Key parsed(5, c.bModule);
    EXPECT_EQ(static_cast<int>(built.size()), Parse(parsed, built));
    EXPECT_EQ(c.function.nKeyUse, parsed.m_nKeyUse);
    EXPECT_EQ(built, Build(parsed, CData::MB_DATA));

    for (size_t n = 0; n < built.size(); ++n)
    {
        CData_Key fresh(5, c.bModule);
        const CData_Key before(5, c.bModule);
        EXPECT_EQ(0, Parse(fresh, Bytes(built.begin(), built.begin() + static_cast<std::ptrdiff_t>(n)))) << n;
        EXPECT_TRUE(fresh == before) << n;
        Bytes room(n + 1, 0xEE);
        EXPECT_EQ(0, key.MoveBlock(CData::MB_DATA, room.data(), n, 0)) << n;
        EXPECT_EQ(0xEE, room[n]) << n;
    }
}

std::vector<KeyRecordCase> AllFunctions()
{
    std::vector<KeyRecordCase> cases;
    for (const FunctionCase& f : s_functions)
        for (bool bNames : {false, true})
            cases.push_back({f, bNames, f.nKeyUse % 4 == 0});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Functions, CData_KeyRecord, ::testing::ValuesIn(AllFunctions()),
                         [](const auto& row)
                         {
                             return "Use" + std::to_string(row.param.function.nKeyUse) +
                                    (row.param.bKeyNames ? "Named" : "") +
                                    (row.param.bModule ? "Module" : "");
                         });

TEST_F(CData_KeyTest, TaxiDialKey)
{
    Props()->m_bKeyNames = true;
    CData_Key key(5);
    key.m_nKeyUse = CData_Key::KEYUSE_DIAL;
    key.m_nDialKeyUse = CData_Key::DIALKEYUSE_MSN;
    key.m_strDialKeyMsn = "0301234";
    key.m_strKeyName = "Taxi";
    EXPECT_EQ(Join({{0x80, 0x01, 0x05, 0x01, 0x01, 0x00, 0x07}, Chars("0301234"), {0x04}, Chars("Taxi")}),
              Build(key, CData::MB_DATA));
}

TEST_F(CData_KeyTest, ReceivedDialModeOutsideItsRangeBecomesMsn)
{
    for (unsigned char nMode : {0, 4, 255})
    {
        CData_Key key(1);
        key.m_nDialKeyUse = 2;
        EXPECT_EQ(8, Parse(key, {0x80, 1, 1, 1, nMode, 0, 1, '7'})) << int(nMode);
        EXPECT_EQ(1, key.m_nDialKeyUse);
        EXPECT_EQ("7", key.m_strDialKeyMsn);
    }
}

TEST_F(CData_KeyTest, NovRekPortAndBChannel)
{
    Props()->m_bNovRekLine = true;
    CData_Key key(2);
    key.m_nKeyUse = CData_Key::KEYUSE_EXT;
    key.m_nNovRekPort = 12;
    key.m_nNovRekBChannel = 2;
    key.m_nExtKeyChannel = 0x55;
    EXPECT_EQ((Bytes{0x80, 1, 2, 3, 0x12, 0x02, 0}), Build(key, CData::MB_DATA));
    CData_Key parsed(2);
    EXPECT_EQ(7, Parse(parsed, {0x80, 1, 2, 3, 0x12, 0x99, 0}));
    EXPECT_EQ(12, parsed.m_nNovRekPort);
    EXPECT_EQ(99, parsed.m_nNovRekBChannel);
    EXPECT_EQ(0x11, parsed.m_nExtKeyChannel);

    // The file holds port and B-channel instead of the channel code.
    const std::vector<std::string> lines = Lines(WriteFile(key));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "NovRekPort=12"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "NovRekBChannel=2"));
    EXPECT_EQ(lines.end(),
              std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("ExtKeyChannel=", 0) == 0; }));
}

struct PackCase
{
    const char* pszText;
    Bytes packed; // the first bytes; the rest are 0xFF
    const char* pszBack;
};

class CData_KeyPack : public CData_KeyTest, public ::testing::WithParamInterface<PackCase>
{
};

TEST_P(CData_KeyPack, VoiceBoxLineCodes)
{
    const PackCase& c = GetParam();
    unsigned char ab[CData_Key::LINEAB_PACKED_BYTES];
    CData_Key::PackLineAb(c.pszText, ab);
    Bytes expected = c.packed;
    expected.resize(CData_Key::LINEAB_PACKED_BYTES, 0xFF);
    EXPECT_EQ(expected, Bytes(ab, ab + sizeof ab));
    EXPECT_EQ(c.pszBack, CData_Key::UnpackLineAb(ab, sizeof ab));
}

INSTANTIATE_TEST_SUITE_P(Texts, CData_KeyPack,
                         ::testing::Values(PackCase{"12/3", {0x12, 0xD3}, "12/3"},
                                           PackCase{"T5", {0xE2, 0x5F}, "T5"},
                                           PackCase{"K*#P", {0xE3, 0xAB, 0xCF}, "K*#P"}, PackCase{"", {}, ""},
                                           PackCase{"1x2", {0x12}, "12"}, PackCase{"7", {0x7F}, "7"},
                                           // 30 digits: the codes beyond the 28 that fit are dropped.
                                           PackCase{"123456789012345678901234567890",
                                                    {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56, 0x78,
                                                     0x90, 0x12, 0x34, 0x56, 0x78},
                                                    "1234567890123456789012345678"}));

TEST_F(CData_KeyTest, VoiceBoxLineRecordLengths)
{
    CData_Key key(0);
    key.m_nKeyUse = CData_Key::KEYUSE_ABVOICEBOX;
    key.SetLineAbVoicebox("T5");
    EXPECT_EQ((Bytes{0x80, 1, 0, 21, 0, 0, 3, 0xE2, 0x5F, 0xFF}), Build(key, CData::MB_DATA));
    EXPECT_EQ("T5", key.m_strLineAb);
    EXPECT_EQ("", key.m_strVoicebox);
    // A long line announces more than the packed area: the excess goes as unused codes.
    key.SetLineAbVoicebox("1234567890123456789012345/6789");
    const Bytes built = Build(key, CData::MB_DATA);
    ASSERT_EQ(7u + 17u, built.size());
    EXPECT_EQ(17, built[6]);
    EXPECT_EQ(0x12, built[7]);
    EXPECT_EQ(Bytes(3, 0xFF), Bytes(built.begin() + 21, built.end()));
    EXPECT_EQ("1234567890123456789012345", key.m_strLineAb);
    EXPECT_EQ("6789", key.m_strVoicebox);
}

// Up to 26 announced bytes: all are counted, only the area is kept, nothing else changes.
TEST_F(CData_KeyTest, OverlongMacroAndVoiceBoxDataStayInTheirArea)
{
    Props()->m_bKeyNames = true;
    Bytes data(26);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(0x11 * (i % 9 + 1));
    for (int nUse : {CData_Key::KEYUSE_MACRO, CData_Key::KEYUSE_ABVOICEBOX})
    {
        CData_Key key(9);
        Fill(key);
        CData_Key expected = key;
        const Bytes record =
            Join({{0x80, 1, 9, static_cast<unsigned char>(nUse), 0, 0, 26}, data, {2}, Chars("AB")});
        EXPECT_EQ(static_cast<int>(record.size()), Parse(key, record)) << nUse;
        expected.m_nKeyUse = nUse;
        if (nUse == CData_Key::KEYUSE_MACRO)
        {
            expected.m_Macro.anParam[0] = 0x44332211;
            expected.m_Macro.anParam[1] = 0x88776655;
            expected.m_Macro.anParam[2] = 0x33221199;
            expected.m_Macro.cParam = 0x44;
            expected.m_Macro.strText = "AB";
        }
        else
        {
            expected.SetLineAbVoicebox(CData_Key::UnpackLineAb(data.data(), CData_Key::LINEAB_PACKED_BYTES));
            expected.m_strKeyName = "AB";
            EXPECT_EQ(Bytes(data.begin(), data.begin() + 14),
                      Bytes(key.m_abLineAbPacked, key.m_abLineAbPacked + CData_Key::LINEAB_PACKED_BYTES));
        }
        EXPECT_TRUE(key == expected) << nUse;
    }
    // Fewer bytes than the area: the rest counts as unused.
    CData_Key key(9);
    EXPECT_EQ(11, Parse(key, {0x80, 1, 9, 18, 0, 0, 3, 1, 2, 3, 0}));
    EXPECT_EQ(0xFF030201u, key.m_Macro.anParam[0]);
    EXPECT_EQ(0xFFFFFFFFu, key.m_Macro.anParam[1]);
    EXPECT_EQ(0xFF, key.m_Macro.cParam);
}

TEST_F(CData_KeyTest, RefusedRecordsAndUnknownFunctions)
{
    CData_Key key(4);
    const CData_Key before(4);
    EXPECT_EQ(0, Parse(key, {0x80, 1, 5, 19, 0, 0, 0}));     // another key
    EXPECT_EQ(0, Parse(key, {0x90, 1, 4, 19, 0, 0, 0}));     // a module key's record
    EXPECT_EQ(0, Parse(key, {0x80, 0, 4, 19, 0, 0, 0}));     // a request
    EXPECT_EQ(0, Parse(key, {0x80, 1, 4, 1, 0, 0, 9, '1'})); // shorter than announced
    EXPECT_TRUE(key == before);
    // A function outside 1 to 27 ends the record after it.
    EXPECT_EQ(4, Parse(key, {0x80, 1, 4, 28, 1, 2, 3}));
    EXPECT_EQ(28, key.m_nKeyUse);
    EXPECT_EQ(4, Parse(key, {0x80, 1, 4, 0}));
    EXPECT_EQ((Bytes{0x80, 1, 4, 0}), Build(key, CData::MB_DATA));
    // Data of a function without data is skipped over.
    EXPECT_EQ(9, Parse(key, {0x80, 1, 4, 19, 0, 0, 2, 7, 7}));
    EXPECT_EQ(19, key.m_nKeyUse);

    CData_Key module(41, true);
    EXPECT_EQ((Bytes{0x90, 0, 41}), Build(module, CData::MB_REQUEST));
    EXPECT_EQ((Bytes{0x80, 0, 4}), Build(key, CData::MB_REQUEST));
    EXPECT_EQ("KeyE920_00000029", module.Name());
    EXPECT_EQ("Key_00000004", key.Name());
}

TEST_F(CData_KeyTest, MacroStructIsTextThenLittleEndianParameters)
{
    CData_Key::MacroStruct macro;
    macro.strText = "Hallo";
    macro.anParam[0] = 0x04030201;
    macro.anParam[2] = 0;
    macro.cParam = 7;
    unsigned char ab[CData_Key::MACROSTRUCT_BYTES];
    macro.ToBytes(ab);
    Bytes expected = Join({Chars("Hallo"), Bytes(15, 0), {1, 2, 3, 4}, Bytes(4, 0xFF), Bytes(4, 0), {7}});
    EXPECT_EQ(expected, Bytes(ab, ab + sizeof ab));
    CData_Key::MacroStruct back;
    back.FromBytes(ab);
    EXPECT_TRUE(back == macro);
    // Twenty characters fill the text without a terminator and are read back whole.
    std::fill(ab, ab + 20, 'x');
    back.FromBytes(ab);
    EXPECT_EQ(std::string(20, 'x'), back.strText);
}

TEST_F(CData_KeyTest, FileRoundTrip)
{
    Props()->m_nIntNumberLen = 2;
    for (bool bNovRek : {false, true})
    {
        Props()->m_bNovRekLine = bNovRek;
        CData_Key key(61);
        Fill(key);
        key.m_nKeyUse = CData_Key::KEYUSE_MACRO;
        const std::string written = WriteFile(key);
        ExpectGolden(bNovRek ? "key_61_novrek.ini" : "key_61.ini", written);
        CData_Key reread(61);
        ReadFile(reread, written);
        // On a NovRek line the channel code is not in the file and keeps its default; elsewhere
        // port and B-channel are not.
        EXPECT_EQ(bNovRek ? 0x11 : 0x23, reread.m_nExtKeyChannel);
        EXPECT_EQ(bNovRek ? 12 : 0, reread.m_nNovRekPort);
        reread.m_nExtKeyChannel = key.m_nExtKeyChannel;
        reread.m_nNovRekPort = key.m_nNovRekPort;
        reread.m_nNovRekBChannel = key.m_nNovRekBChannel;
        EXPECT_TRUE(reread == key);
        EXPECT_EQ(written, WriteFile(reread));
    }
    // A fresh key of a module.
    Props()->m_bNovRekLine = false;
    CData_Key module(125, true);
    const std::string written = WriteFile(module);
    ExpectGolden("keye920_125.ini", written);
    CData_Key reread(125, true);
    reread.m_nKeyUse = 5;
    ReadFile(reread, written);
    EXPECT_TRUE(reread == module);
}

// Where internal numbers have four digits, a line key's four-digit number survives the file and the
// record both ways.
TEST_F(CData_KeyTest, FourDigitLineKeyNumberBothWays)
{
    Props()->m_nIntNumberLen = 4;
    CData_Key key(5);
    key.m_nKeyUse = CData_Key::KEYUSE_LINE;
    key.m_strLineKeyMsn = "1234";
    CData_Key fromFile(5);
    ReadFile(fromFile, WriteFile(key));
    EXPECT_EQ("1234", fromFile.m_strLineKeyMsn);

    const Bytes built = Build(key, CData::MB_DATA);
    EXPECT_EQ(
        Join({{0x80, 1, 5, static_cast<unsigned char>(CData_Key::KEYUSE_LINE), 0, 0, 4}, Chars("1234")}),
        built);
    CData_Key fromRecord(5);
    EXPECT_EQ(static_cast<int>(built.size()), Parse(fromRecord, built));
    EXPECT_EQ("1234", fromRecord.m_strLineKeyMsn);
}

TEST_F(CData_KeyTest, BadFileValues)
{
    Props()->m_nIntNumberLen = 2;
    CData_Key key(0);
    CTest_TraceCapture trace;
    ReadFile(key, "[Key_00000000]\r\nKeyUse=DIALKEY\r\nVariantKeyMsnTeam=1\r\nLineKeyMsn=123\r\n"
                  "ExtKeyChannel=26\r\nLineAbVoicebox=12x/3y4\r\nBaleId=10\r\nKeyName=Gr\xF6\xDF"
                  "e\t\r\n");
    EXPECT_EQ(1, key.m_nKeyUse);
    EXPECT_EQ("", key.m_strVariantKeyMsnTeam);
    EXPECT_EQ("", key.m_strLineKeyMsn);
    EXPECT_EQ(17, key.m_nExtKeyChannel);
    EXPECT_EQ("12/34", key.m_strLineAbVoicebox);
    EXPECT_EQ("12", key.m_strLineAb);
    EXPECT_EQ("34", key.m_strVoicebox);
    EXPECT_EQ(0, key.m_nBaleId);
    EXPECT_EQ("Gr\xF6\xDF"
              "e",
              key.m_strKeyName);
    std::vector<std::string> types;
    for (const std::string& line : trace.Take())
        if (line.rfind("CData_Types: ", 0) == 0)
            types.push_back(line);
    for (const char* psz :
         {"CData_Types: StrToTeam() Invalid length!", "CData_Types: StrToMsnInt() Invalid length!",
          "CData_Types: StrToChannel() Invalid range!", "CData_Types: StrToLineAbStr() Invalid char!",
          "CData_Types: StrToInt() Invalid range!", "CData_Types: StrToNameStr() Invalid char!"})
        EXPECT_NE(types.end(), std::find(types.begin(), types.end(), psz)) << psz;
    // The key use read as "DIALKEY" is written back as "DIAL".
    const std::vector<std::string> lines = Lines(WriteFile(key));
    EXPECT_EQ("KeyUse=DIAL", lines.front());
}

// ---- Key labels ----------------------------------------------------------------------------------

struct LabelCase
{
    int nPhoneType;
    int nKey;
    const char* pszLabel;
};

class CData_KeyLabel : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(CData_KeyLabel, PhoneKeys)
{
    EXPECT_EQ(GetParam().pszLabel, CData_KeyLabels::PhoneKey(GetParam().nPhoneType, GetParam().nKey));
}

INSTANTIATE_TEST_SUITE_P(
    Types, CData_KeyLabel,
    ::testing::Values(LabelCase{PHONETYPE_RV740, 0, "1"}, LabelCase{PHONETYPE_RV740, 6, "7"},
                      LabelCase{PHONETYPE_RV740, 7, "1a"}, LabelCase{PHONETYPE_RV740, 13, "7a"},
                      LabelCase{PHONETYPE_RV740, 14, "E1"}, LabelCase{PHONETYPE_RV740, 37, "E24"},
                      LabelCase{PHONETYPE_RV740, 38, "E1a"}, LabelCase{PHONETYPE_RV740, 61, "E24a"},
                      LabelCase{PHONETYPE_R740, 20, "E7"}, LabelCase{PHONETYPE_RV745, 0, "1"},
                      LabelCase{PHONETYPE_RV745, 19, "20"}, LabelCase{PHONETYPE_RV745, 20, "1a"},
                      LabelCase{PHONETYPE_RV745, 39, "20a"}, LabelCase{PHONETYPE_RV745, 40, "E1"},
                      LabelCase{PHONETYPE_RV745, 61, "E22"}, LabelCase{PHONETYPE_RV930, 0, "1"},
                      LabelCase{PHONETYPE_RV930, 4, "5"}, LabelCase{PHONETYPE_RV930, 5, "1a"},
                      LabelCase{PHONETYPE_RV730U, 9, "5a"}, LabelCase{PHONETYPE_R930T, 10, "E"},
                      LabelCase{PHONETYPE_RV920XT, 61, "E"}, LabelCase{PHONETYPE_RV930SMS, 7, "3a"}));

TEST(CData_KeyLabels, ModuleKeys)
{
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "M1"},  {19, "M20"},  {20, "LED1"}, {21, "LED2"}, {22, "M1a"},   {41, "M20a"},
        {42, "M1"}, {62, "LED1"}, {83, "M20a"}, {84, "M1"},   {125, "M20a"}, {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, CData_KeyLabels::ModuleKey(c.first)) << c.first;
}

// ---- Presets -------------------------------------------------------------------------------------

struct PresetCase
{
    const char* pszName;
    bool CData_Properties::*pKeys;
    bool CData_Properties::*pPhonebook;
    void (*run)(CData_AllCfg&, CData_AllDialName*);
    std::vector<std::tuple<int, const char*, int>> keys; // key, number, dial mode
    std::vector<std::pair<const char*, const char*>> entries;
};

class CData_KeyPreset : public CData_KeyTest, public ::testing::WithParamInterface<PresetCase>
{
};

TEST_P(CData_KeyPreset, KeyAndPhonebookPartsFollowTheirProperties)
{
    const PresetCase& c = GetParam();
    for (int nParts = 0; nParts < 4; ++nParts)
    {
        const bool bKeys = nParts & 1;
        const bool bPhonebook = nParts & 2;
        (*Props()).*c.pKeys = bKeys;
        (*Props()).*c.pPhonebook = bPhonebook;
        auto cfg = std::make_unique<CData_AllCfg>();
        auto fresh = std::make_unique<CData_AllCfg>();
        CData_AllDialName phonebook;
        CTest_TraceCapture trace;
        c.run(*cfg, &phonebook);
        EXPECT_EQ(std::vector<std::string>{std::string("CData_All: ") + c.pszName + "()"}, trace.Take());
        for (const auto& [nKey, pszNumber, nMode] : c.keys)
        {
            const CData_Key& key = cfg->m_Key[nKey];
            if (bKeys)
            {
                EXPECT_EQ(CData_Key::KEYUSE_DIAL, key.m_nKeyUse) << nKey;
                EXPECT_EQ(pszNumber, key.m_strDialKeyMsn) << nKey;
                EXPECT_EQ(nMode, key.m_nDialKeyUse) << nKey;
            }
            else
            {
                EXPECT_TRUE(key == fresh->m_Key[nKey]) << nKey;
            }
        }
        ASSERT_EQ(bPhonebook ? c.entries.size() : 0u, static_cast<size_t>(phonebook.Count()));
        for (int i = 0; i < phonebook.Count(); ++i)
        {
            EXPECT_EQ(c.entries[i].first, phonebook.Entry(i)->m_strName);
            EXPECT_EQ(c.entries[i].second, phonebook.Entry(i)->m_strMsnExt);
        }
        // Without a phonebook the key part still works.
        auto cfg2 = std::make_unique<CData_AllCfg>();
        c.run(*cfg2, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presets, CData_KeyPreset,
    ::testing::Values(PresetCase{"SetKeyDefaults",
                                 &CData_Properties::m_bPresetKeyDefaultsKeys,
                                 &CData_Properties::m_bPresetKeyDefaultsPhonebook,
                                 [](CData_AllCfg& cfg, CData_AllDialName* p) { cfg.SetKeyDefaults(p); },
                                 {{7, "15247", 1},
                                  {8, "15248", 1},
                                  {9, "08006417300", 1},
                                  {10, "08006417500", 1},
                                  {11, "019274630", 1},
                                  {12, "08006419191", 1},
                                  {13, "06942", 1}},
                                 {{"Auskunft Inland", "15247"},
                                  {"Auskunft Ausland", "15248"},
                                  {"Vortane", "08006417300"},
                                  {"Q-Service", "08006417500"},
                                  {"Q-Hotline", "019274630"},
                                  {"Q-Mailbox", "08006419191"},
                                  {"Q-call by call", "06942"}}},
                      PresetCase{"SetQMailbox",
                                 &CData_Properties::m_bPresetQMailboxKeys,
                                 &CData_Properties::m_bPresetQMailboxPhonebook,
                                 [](CData_AllCfg& cfg, CData_AllDialName* p) { cfg.SetQMailbox(p); },
                                 {{7, "08006419191", 1}, {8, "5067*", 2}, {9, "9", 2}, {10, "3", 2}},
                                 {{"Q-Mail-Box anw\xE4hlen", "08006419191"},
                                  {"Nachricht abh\xF6ren", "5067*"},
                                  {"Nachricht l\xF6schen", "9"},
                                  {"n\xE4"
                                   "chste Nachricht",
                                   "3"}}}),
    [](const auto& row) { return std::string(row.param.pszName); });

// A new document of the brand that enables all presets runs them in the document's order:
// mailbox, key defaults, then the V4 keys. The key defaults overwrite the numbers of keys 7 to 10
// and phonebook entries 0 to 3; "become DIAL keys" sets the key function and the number only, so
// keys 8 to 10 keep the tone dialling the mailbox preset gave them.
TEST_F(CData_KeyTest, PresetsOfOneBrandCombine)
{
    CData_PropertyInput input;
    input.nVersion = 4100;
    input.nPhoneType = PHONETYPE_RV740;
    input.brand.m_szDerivat = "QUESK";
    input.brand.m_szCountry = "GER";
    CData_Properties::Install(input);
    auto cfg = std::make_unique<CData_AllCfg>();
    CData_AllDialName phonebook;
    cfg->SetQMailbox(&phonebook);
    cfg->SetKeyDefaults(&phonebook);
    cfg->SetKeyDefaultsV4();

    const std::tuple<int, int, const char*, int> keys[] = {
        {3, CData_Key::KEYUSE_HEADSET, "", 1},
        {4, CData_Key::KEYUSE_AUTOANSWER, "", 1},
        {7, CData_Key::KEYUSE_DIAL, "15247", 1},
        {8, CData_Key::KEYUSE_DIAL, "15248", CData_Key::DIALKEYUSE_DTMF},
        {9, CData_Key::KEYUSE_DIAL, "08006417300", CData_Key::DIALKEYUSE_DTMF},
        {10, CData_Key::KEYUSE_DIAL, "08006417500", CData_Key::DIALKEYUSE_DTMF},
        {11, CData_Key::KEYUSE_DIAL, "019274630", 1},
        {13, CData_Key::KEYUSE_DIAL, "06942", 1},
    };
    for (const auto& [nKey, nUse, pszNumber, nMode] : keys)
    {
        const CData_Key& key = cfg->m_Key[nKey];
        EXPECT_EQ(nUse, key.m_nKeyUse) << nKey;
        EXPECT_EQ(pszNumber, key.m_strDialKeyMsn) << nKey;
        EXPECT_EQ(nMode, key.m_nDialKeyUse) << nKey;
    }
    ASSERT_EQ(7, phonebook.Count());
    EXPECT_EQ("Auskunft Inland", phonebook.Entry(0)->m_strName);
    EXPECT_EQ("Q-Service", phonebook.Entry(3)->m_strName);
    EXPECT_EQ("06942", phonebook.Entry(6)->m_strMsnExt);
}

TEST_F(CData_KeyTest, PresetV4)
{
    for (bool bOn : {false, true})
    {
        Props()->m_bPresetKeyDefaultsV4 = bOn;
        auto cfg = std::make_unique<CData_AllCfg>();
        cfg->SetKeyDefaultsV4();
        EXPECT_EQ(bOn ? CData_Key::KEYUSE_HEADSET : CData_Key::KEYUSE_DIAL, cfg->m_Key[3].m_nKeyUse);
        EXPECT_EQ(bOn ? CData_Key::KEYUSE_AUTOANSWER : CData_Key::KEYUSE_DIAL, cfg->m_Key[4].m_nKeyUse);
        EXPECT_EQ(bOn ? 0 : 1, cfg->m_Key[4].m_nAutoAnswerMsnId);
    }
}
} // namespace
