#include "data/CData_MacroCode.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using M = CData_MacroCode;

M::CodeBytes Bytes(std::vector<unsigned char> head)
{
    M::CodeBytes ab;
    ab.fill(0xFF);
    for (size_t i = 0; i < head.size(); ++i)
        ab[i] = head[i];
    return ab;
}

M Recorded(const std::vector<int>& codes)
{
    M macro;
    for (const int nCode : codes)
        EXPECT_EQ(M::FIT_OK, macro.Append(nCode)) << nCode;
    return macro;
}

struct CEncodeCase
{
    std::vector<int> codes;
    std::vector<unsigned char> bytes; // the rest 0xFF
    const char* pszDisplay;
};

class CData_MacroCodeEncode : public ::testing::TestWithParam<CEncodeCase>
{
};

TEST_P(CData_MacroCodeEncode, DigitsPackWithoutAlignmentAndDecodeBack)
{
    const CEncodeCase& c = GetParam();
    const M macro = Recorded(c.codes);
    EXPECT_EQ(Bytes(c.bytes), macro.Encode());
    EXPECT_EQ(c.pszDisplay, macro.DisplayText());
    EXPECT_EQ(c.codes, M::Decode(macro.Encode()));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CData_MacroCodeEncode,
    ::testing::Values(CEncodeCase{{}, {}, ""}, CEncodeCase{{1, 2, 3}, {0x12, 0x3F}, "1 2 3 "},
                      CEncodeCase{{1, 0xA5}, {0x1A, 0x5F}, "1 165 "},
                      CEncodeCase{{0xB0, 0, 0xE3, 9}, {0xB0, 0x0E, 0x39}, "176 0 227 9 "},
                      // 13 two-digit codes fill every byte; nothing ends the sequence but the bytes.
                      CEncodeCase{std::vector<int>(13, 0xA1), std::vector<unsigned char>(13, 0xA1),
                                  "161 161 161 161 161 161 161 161 161 161 161 161 161 "}));

TEST(CData_MacroCode, FittingRefusesWhatDoesNotFitOrWouldNotComeBack)
{
    M macro = Recorded(std::vector<int>(25, 7)); // 25 digits
    EXPECT_EQ(M::FIT_NO_ROOM_TWO_DIGITS, macro.Append(0xA5));
    EXPECT_EQ(25, macro.DigitsUsed());
    EXPECT_EQ(M::FIT_OK, macro.Append(4));
    EXPECT_EQ(26, macro.DigitsUsed());
    // The 27th digit, of either width, is refused and nothing is appended.
    EXPECT_EQ(M::FIT_FULL, macro.Append(4));
    EXPECT_EQ(M::FIT_FULL, macro.Append(0xA5));
    EXPECT_EQ(26u, macro.Codes().size());

    // Codes that would decode as something else, end the sequence or break the file's line.
    for (const int nCode : {10, 0x42, 0x9F, 0xD0, 0xDC, 0xFF, 256, -1})
        EXPECT_EQ(M::FIT_BAD_CODE, M().Fit(nCode)) << nCode;
}

TEST(CData_MacroCode, RemovingAnEntryEncodesTheRestWithoutAGap)
{
    M macro = Recorded({1, 0xA5, 2, 3});
    EXPECT_EQ(1, macro.Remove(1));
    EXPECT_EQ(Bytes({0x12, 0x3F}), macro.Encode());
    EXPECT_EQ(0, macro.Remove(3));
    EXPECT_EQ(3u, macro.Codes().size());
}

TEST(CData_MacroCode, DecodingStopsAtTheFirstPairOfEmptyDigits)
{
    // A single 0xF before a digit is the start of a two-digit code; 0xF 0xF ends the sequence.
    EXPECT_EQ((std::vector<int>{0xF3, 4}), M::Decode(Bytes({0xF3, 0x4F, 0xFF, 0x12})));
    EXPECT_EQ((std::vector<int>{1}), M::Decode(Bytes({0x1F, 0xF2})));
    // A two-digit code begun in the very last digit has no second digit: dropped.
    M::CodeBytes ab = Bytes(std::vector<unsigned char>(12, 0x11));
    ab[12] = 0x1A;
    EXPECT_EQ(25u, M::Decode(ab).size());
}

TEST(CData_MacroCode, CodeBytesAreTheKeysMacroParametersInRecordOrder)
{
    CData_Key::MacroStruct macro;
    macro.strText = "Amt";
    macro.anParam[0] = 0x4433221A;
    macro.anParam[1] = 0x88776655;
    macro.anParam[2] = 0xCCBBAA99;
    macro.cParam = 0xDD;
    const M::CodeBytes ab = M::FromMacro(macro);
    EXPECT_EQ(Bytes({0x1A, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD}), ab);

    CData_Key::MacroStruct back;
    back.strText = "Amt";
    M::ToMacro(ab, back);
    EXPECT_TRUE(back == macro);
}
} // namespace
