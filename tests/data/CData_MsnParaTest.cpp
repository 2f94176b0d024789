#include "data/CData_MsnPara.h"

#include "data/CTest_Blocks.h"
#include "testsupport/CTest_TraceCapture.h"

#include <functional>

namespace
{
class CData_MsnParaTest : public CTest_Blocks
{
protected:
    void SetUp() override
    {
        CTest_Blocks::SetUp();
        Props()->m_szDerivat = "QUESK";
        Props()->m_bInternRing = false;
        Props()->m_bCallDeflectionSupport = false;
    }
};

void Fill(CData_MsnPara& m)
{
    m.m_nLoud = 5;
    m.m_nMelody = 7;
    m.m_nLoudIntern = 2;
    m.m_nMelodyIntern = 19;
    m.m_nPayCounter = 70000;
    m.m_strMsn = "4711";
    m.m_strTxt = "B\xFCro";
    m.m_strMsnAws = "0301";
    m.m_strCallDelectionNo = "99";
    m.m_nTaxLimit = 300;
}

struct RecordCase
{
    const char* pszName;
    bool bInternRing;
    bool bCallDeflection;
    const char* pszDerivat;
    Bytes expected;
};

class CData_MsnParaRecord : public CData_MsnParaTest, public ::testing::WithParamInterface<RecordCase>
{
protected:
    void SetUp() override
    {
        CData_MsnParaTest::SetUp();
        Props()->m_bInternRing = GetParam().bInternRing;
        Props()->m_bCallDeflectionSupport = GetParam().bCallDeflection;
        Props()->m_szDerivat = GetParam().pszDerivat;
    }
};

// Slot 3 with Büro as its text and 70000 charge units, under each layout.
TEST_P(CData_MsnParaRecord, BuildsParsesAndRefusesShortFrames)
{
    const RecordCase& c = GetParam();
    CData_MsnPara block(3);
    Fill(block);
    const Bytes built = Build(block, CData::MB_DATA);
    EXPECT_EQ(c.expected, built);

    CData_MsnPara parsed(3);
    EXPECT_EQ(static_cast<int>(built.size()), Parse(parsed, built));
    EXPECT_EQ(built, Build(parsed, CData::MB_DATA));
    EXPECT_EQ("B\xFCro", parsed.m_strTxt);
    EXPECT_EQ(70000u, parsed.m_nPayCounter);

    for (size_t n = 0; n < built.size(); ++n)
    {
        CData_MsnPara fresh(3);
        const CData_MsnPara before(3);
        EXPECT_EQ(0, Parse(fresh, Bytes(built.begin(), built.begin() + static_cast<std::ptrdiff_t>(n)))) << n;
        EXPECT_TRUE(fresh == before) << n;
        Bytes room(n + 1, 0xEE);
        EXPECT_EQ(0, block.MoveBlock(CData::MB_DATA, room.data(), n, 0)) << n;
        EXPECT_EQ(0xEE, room[n]) << n;
    }
}

const Bytes s_tail =
    Join({{0x00, 0x01, 0x11, 0x70, 4}, Chars("4711"), {4, 0x42, 0x81, 0x72, 0x6F, 4}, Chars("0301")});

INSTANTIATE_TEST_SUITE_P(
    Layouts, CData_MsnParaRecord,
    ::testing::Values(
        RecordCase{"Plain", false, false, "QUESK", Join({{0x60, 1, 3, 7, 5}, s_tail})},
        RecordCase{"InternRing", true, false, "QUESK", Join({{0x60, 1, 3, 7, 5, 19, 2}, s_tail})},
        RecordCase{"Brelmondia", false, false, "BRELMONDIA", Join({{0x60, 1, 3, 7, 5, 19, 2}, s_tail})},
        RecordCase{"CallDeflection", false, true, "QUESK",
                   Join({{0x60, 1, 3, 7, 5}, s_tail, {2, '9', '9', 2, 0x01, 0x2C}})},
        RecordCase{"Everything", true, true, "TALVO",
                   Join({{0x60, 1, 3, 7, 5, 19, 2}, s_tail, {2, '9', '9', 2, 0x01, 0x2C}})}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST_F(CData_MsnParaTest, RecordsOfOtherSlotsAndRequests)
{
    CData_MsnPara slot2(2);
    CData_MsnPara slot3(3);
    Fill(slot3);
    const Bytes record3 = Build(slot3, CData::MB_DATA);
    const CData_MsnPara before(2);
    EXPECT_EQ(0, Parse(slot2, record3));
    EXPECT_TRUE(slot2 == before);
    Bytes request = record3;
    request[1] = 0;
    EXPECT_EQ(0, Parse(slot3, request));
    EXPECT_EQ((Bytes{0x60, 0, 2}), Build(slot2, CData::MB_REQUEST));
    EXPECT_EQ(0, slot2.MoveBlock(CData::MB_REQUEST, nullptr, 3, 0));
    EXPECT_EQ((Bytes{0, 0}), Build(slot2, CData::MB_END, 0));
}

TEST_F(CData_MsnParaTest, OverlongTextIsTakenAsEightCharacters)
{
    CData_MsnPara block(0);
    const Bytes record = Join({{0x60, 1, 0, 1, 2, 0, 0, 0, 0, 0, 12}, Chars("ABCDEFGHIJKL"), {0, 0}});
    // The text ends after the eight characters taken; what follows is read from there.
    EXPECT_EQ(0, Parse(block, record));
    // Read on: the forwarding number's length follows the eighth character; the frame still
    // holds all twelve announced bytes.
    const Bytes frame =
        Join({{0x60, 1, 0, 1, 2, 0, 0, 0, 0, 0, 12}, Chars("ABCDEFGH"), {0, 0xAA, 0xAA, 0xAA}});
    EXPECT_EQ(20, Parse(block, frame));
    EXPECT_EQ("ABCDEFGH", block.m_strTxt);
}

TEST_F(CData_MsnParaTest, FileRoundTripAndSlotNames)
{
    Props()->m_bInternRing = true;
    CData_MsnPara block(4);
    EXPECT_EQ("MsnPara_00000004", block.Name());
    EXPECT_EQ("5", block.InfoText(0));
    Fill(block);
    const std::string written = WriteFile(block);
    ExpectGolden("msnpara_4.ini", written);
    CData_MsnPara reread(4);
    ReadFile(reread, written);
    EXPECT_TRUE(reread == block);
    EXPECT_EQ(written, WriteFile(reread));

    // Without the internal ring the two keys are neither written nor read.
    Props()->m_bInternRing = false;
    const std::string plain = WriteFile(block);
    EXPECT_EQ(std::string::npos, plain.find("LoudIntern"));
    CData_MsnPara other(4);
    ReadFile(other, written);
    EXPECT_EQ(3, other.m_nLoudIntern);
    EXPECT_EQ(0, other.m_nMelodyIntern);
}

TEST_F(CData_MsnParaTest, BadFileValuesAreNormalised)
{
    CData_MsnPara block(0);
    CTest_TraceCapture trace;
    ReadFile(block, "[MsnPara_00000000]\r\nLoud=9\r\nMelody=20\r\nPayCounter=70000\r\nMsn=12a3\r\n"
                    "Txt=123456789\r\nTaxLimit=10000\r\n");
    EXPECT_EQ(0, block.m_nLoud);
    EXPECT_EQ(0, block.m_nMelody);
    EXPECT_EQ(70000u, block.m_nPayCounter);
    EXPECT_EQ("123", block.m_strMsn);
    EXPECT_EQ("12345678", block.m_strTxt);
    EXPECT_EQ(0, block.m_nTaxLimit);
    std::vector<std::string> types;
    for (const std::string& line : trace.Take())
        if (line.rfind("CData_Types: ", 0) == 0)
            types.push_back(line);
    for (const char* psz :
         {"CData_Types: StrToLoud() Invalid range!", "CData_Types: StrToMelody() Invalid range!",
          "CData_Types: StrToMsnStr() Invalid char!", "CData_Types: StrToTxt() Invalid length!",
          "CData_Types: StrToTaxLimit() Invalid range!"})
        EXPECT_NE(types.end(), std::find(types.begin(), types.end(), psz)) << psz;
}

struct ColumnCase
{
    int nColumn;
    int nPhoneType;
    int nTaxLimit;
    const char* pszText;
    int nTaxLimitAfter;
};

class CData_MsnParaColumn : public CData_MsnParaTest, public ::testing::WithParamInterface<ColumnCase>
{
};

TEST_P(CData_MsnParaColumn, ListTexts)
{
    const ColumnCase& c = GetParam();
    Texts("219\tkein Limit\n");
    CData_MsnPara block(4);
    Fill(block);
    block.m_nTaxLimit = c.nTaxLimit;
    EXPECT_EQ(c.pszText, block.ColumnText(c.nColumn, c.nPhoneType));
    EXPECT_EQ(c.nTaxLimitAfter, block.m_nTaxLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, CData_MsnParaColumn,
    ::testing::Values(
        ColumnCase{0, PHONETYPE_RV740, 300, "5", 300}, ColumnCase{1, PHONETYPE_RV740, 300, "4711", 300},
        ColumnCase{2, PHONETYPE_RV740, 300, "B\xFCro", 300}, ColumnCase{3, PHONETYPE_RV740, 300, "5", 300},
        ColumnCase{4, PHONETYPE_RV740, 300, "8", 300}, ColumnCase{5, PHONETYPE_RV740, 300, "0301", 300},
        ColumnCase{6, PHONETYPE_RV740, 300, "     70000", 300}, ColumnCase{7, PHONETYPE_RV740, 300, "2", 300},
        ColumnCase{8, PHONETYPE_RV740, 300, "20", 300}, ColumnCase{9, PHONETYPE_RV740, 300, "99", 300},
        ColumnCase{10, PHONETYPE_RV740, 300, "300", 300}, ColumnCase{10, PHONETYPE_RV740, 0, "kein Limit", 0},
        ColumnCase{10, PHONETYPE_RV730, 300, "kein Limit", 0},
        ColumnCase{10, PHONETYPE_RV730U, 300, "kein Limit", 0},
        ColumnCase{11, PHONETYPE_RV740, 300, "Inf 11", 300}));
} // namespace
