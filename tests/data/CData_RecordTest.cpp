#include "data/CData_Record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<unsigned char>;

// A record of identifier 0x42 with index, one byte, a string of at most three characters and a
// closing byte; the same walk parses and builds it.
struct CTestBlock
{
    int nIndex = 2;
    int nByte = 0;
    std::string text;
    int nLast = 0;
    CData_Record::EOverlong overlong = CData_Record::AFTER_ANNOUNCED;

    void MoveRecord(CData_Record& r)
    {
        r.Header(0x42, nIndex);
        r.Byte(nByte);
        r.String(text, 3, false, overlong);
        r.Byte(nLast);
    }
};

struct ParseCase
{
    const char* pszName;
    Bytes frame;
    CData_Record::EOverlong overlong;
    int nResult; // 0: refused, the block keeps its values
    int nByte;
    const char* pszText;
    int nLast;
};

class CData_RecordParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(CData_RecordParse, TakesWholeRecordsOnly)
{
    const ParseCase& c = GetParam();
    CTestBlock block;
    block.nByte = 7;
    block.text = "old";
    block.nLast = 9;
    block.overlong = c.overlong;
    Bytes frame = c.frame;
    const int nResult = CData_MoveRecord(block, true, frame.empty() ? nullptr : frame.data(), frame.size(),
                                         nullptr, &CTestBlock::MoveRecord);
    EXPECT_EQ(c.nResult, nResult);
    EXPECT_EQ(c.nByte, block.nByte);
    EXPECT_EQ(c.pszText, block.text);
    EXPECT_EQ(c.nLast, block.nLast);
}

const CData_Record::EOverlong ANNOUNCED = CData_Record::AFTER_ANNOUNCED;
const CData_Record::EOverlong TAKEN = CData_Record::AFTER_TAKEN;

INSTANTIATE_TEST_SUITE_P(
    Frames, CData_RecordParse,
    ::testing::Values(
        ParseCase{"whole", {0x42, 1, 2, 5, 2, 'a', 'b', 6}, ANNOUNCED, 8, 5, "ab", 6},
        ParseCase{"trailing_bytes_left", {0x42, 1, 2, 5, 0, 6, 0xEE}, ANNOUNCED, 6, 5, "", 6},
        ParseCase{"other_identifier", {0x43, 1, 2, 5, 0, 6}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"request_not_data", {0x42, 0, 2, 5, 0, 6}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"other_index", {0x42, 1, 3, 5, 0, 6}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"cut_in_string", {0x42, 1, 2, 5, 3, 'a'}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"cut_before_last", {0x42, 1, 2, 5, 1, 'a'}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"empty", {}, ANNOUNCED, 0, 7, "old", 9},
        ParseCase{"string_stops_at_zero", {0x42, 1, 2, 5, 3, 'a', 0, 'c', 6}, ANNOUNCED, 9, 5, "a", 6},
        // Five characters announced, three taken: the next field follows all five ...
        ParseCase{"overlong_after_announced",
                  {0x42, 1, 2, 5, 5, 'a', 'b', 'c', 'd', 'e', 6},
                  ANNOUNCED,
                  11,
                  5,
                  "abc",
                  6},
        // ... or the three taken.
        ParseCase{
            "overlong_after_taken", {0x42, 1, 2, 5, 5, 'a', 'b', 'c', 'd', 'e', 6}, TAKEN, 9, 5, "abc", 'd'}),
    [](const ::testing::TestParamInfo<ParseCase>& row) { return std::string(row.param.pszName); });

struct BuildCase
{
    const char* pszName;
    size_t nRoom;
    const char* pszText;
    Bytes expected; // empty: nothing fits, 0
};

class CData_RecordBuild : public ::testing::TestWithParam<BuildCase>
{
};

TEST_P(CData_RecordBuild, BuildsIntoTheRoomOrNothing)
{
    const BuildCase& c = GetParam();
    CTestBlock block;
    block.nByte = 0x105; // the low byte is sent
    block.text = c.pszText;
    block.nLast = 6;
    Bytes room(c.nRoom + 4, 0xCC);
    const int nResult =
        CData_MoveRecord(block, false, room.data(), c.nRoom, nullptr, &CTestBlock::MoveRecord);
    ASSERT_EQ(static_cast<int>(c.expected.size()), nResult);
    EXPECT_EQ(c.expected, Bytes(room.begin(), room.begin() + nResult));
    for (size_t i = c.nRoom; i < room.size(); ++i)
        EXPECT_EQ(0xCC, room[i]) << "written beyond the room at " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, CData_RecordBuild,
    ::testing::Values(BuildCase{"fits", 16, "ab", {0x42, 1, 2, 5, 2, 'a', 'b', 6}},
                      BuildCase{
                          "text_cut_to_its_maximum", 16, "abcdef", {0x42, 1, 2, 5, 3, 'a', 'b', 'c', 6}},
                      BuildCase{"exact_room", 8, "ab", {0x42, 1, 2, 5, 2, 'a', 'b', 6}},
                      BuildCase{"one_byte_short", 7, "ab", {}}, BuildCase{"no_room", 0, "ab", {}}),
    [](const ::testing::TestParamInfo<BuildCase>& row) { return std::string(row.param.pszName); });

struct RequestCase
{
    const char* pszName;
    size_t nRoom;
    int nIndex;
    Bytes expected;
};

class CData_RecordRequest : public ::testing::TestWithParam<RequestCase>
{
};

TEST_P(CData_RecordRequest, IdentifierZeroAndIndex)
{
    const RequestCase& c = GetParam();
    Bytes room(c.nRoom + 2, 0xCC);
    const int nResult = CData_Record::Request(room.data(), c.nRoom, 0x42, c.nIndex);
    ASSERT_EQ(static_cast<int>(c.expected.size()), nResult);
    EXPECT_EQ(c.expected, Bytes(room.begin(), room.begin() + nResult));
    EXPECT_EQ(0xCC, room[c.nRoom]);
}

INSTANTIATE_TEST_SUITE_P(Rooms, CData_RecordRequest,
                         ::testing::Values(RequestCase{"with_index", 3, 4, {0x42, 0, 4}},
                                           RequestCase{"without_index", 3, -1, {0x42, 0}},
                                           RequestCase{"index_without_room", 2, 4, {}},
                                           RequestCase{"no_room", 1, -1, {}}),
                         [](const ::testing::TestParamInfo<RequestCase>& row)
                         { return std::string(row.param.pszName); });

TEST(CData_RecordRequest, NoBufferGivesZero)
{
    EXPECT_EQ(0, CData_Record::Request(nullptr, 8, 0x42, 1));
}
} // namespace
