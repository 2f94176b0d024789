#include "data/CData_CharSet.h"

#include "testsupport/CTest_TraceCapture.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using namespace CData_CharSet;

TEST(CharSetTest, GroesseGoesToThePhoneAndBack)
{
    std::string text = "Gr\xF6\xDF"
                       "e";
    ToPhone(text);
    EXPECT_EQ(std::string("\x47\x72\x94\xE1\x65"), text);
    ToPc(text);
    EXPECT_EQ("Gr\xF6\xDF"
              "e",
              text);
}

struct CPair
{
    unsigned char pc;
    unsigned char phone;
};

const CPair s_pairs[] = {
    {0xC4, 0x8E}, {0xE4, 0x84}, {0xC5, 0x8F}, {0xE5, 0x86}, {0xC6, 0x92}, {0xE6, 0x91}, {0xE0, 0x85},
    {0xE1, 0xA0}, {0xC7, 0x80}, {0xE7, 0x87}, {0xA2, 0x9B}, {0xE9, 0x82}, {0xEA, 0x88}, {0x80, 0xEE},
    {0xED, 0xA1}, {0xEE, 0x8C}, {0xF1, 0xA4}, {0xD6, 0x99}, {0xF6, 0x94}, {0xD8, 0xE8}, {0xF8, 0xED},
    {0xF3, 0xA2}, {0xDF, 0xE1}, {0xDC, 0x9A}, {0xFC, 0x81}, {0xFA, 0xA3}, {0xF9, 0x97}, {0xB5, 0xE6},
    {0xA5, 0x9D}, {0xF7, 0xF6}, {0xB0, 0xF8}, {0xAC, 0xAA},
};

TEST(CharSetTest, EveryByteMapsByThePairsOrToItself)
{
    std::set<unsigned char> pcSide;
    std::set<unsigned char> phoneSide;
    for (const CPair& p : s_pairs)
    {
        pcSide.insert(p.pc);
        phoneSide.insert(p.phone);
    }
    for (int i = 0; i < 256; ++i)
    {
        unsigned char c = static_cast<unsigned char>(i);
        unsigned char expectPhone = c;
        unsigned char expectPc = c;
        for (const CPair& p : s_pairs)
        {
            if (p.pc == c)
                expectPhone = p.phone;
            if (p.phone == c)
                expectPc = p.pc;
        }
        unsigned char b = c;
        ToPhone(&b, 1);
        EXPECT_EQ(expectPhone, b) << i;
        b = c;
        ToPc(&b, 1);
        EXPECT_EQ(expectPc, b) << i;
    }
}

TEST(CharSetTest, EveryAlphabetCharacterSurvivesTheRoundTrip)
{
    std::string text = NameAlphabet();
    ToPhone(text);
    ToPc(text);
    EXPECT_EQ(NameAlphabet(), text);
}

TEST(CharSetTest, CountLimitsTheConversion)
{
    unsigned char buf[3] = {0xC4, 0xC4, 0xC4};
    ToPhone(buf, 2);
    EXPECT_EQ(0x8E, buf[0]);
    EXPECT_EQ(0x8E, buf[1]);
    EXPECT_EQ(0xC4, buf[2]);
    ToPhone(nullptr, 5); // no crash
    ToPc(nullptr, 5);
}

TEST(AlphabetTest, HasTheListedCharactersInOrder)
{
    const std::string& a = NameAlphabet();
    ASSERT_EQ(128u, a.size());
    EXPECT_EQ('!', a[0]);
    EXPECT_EQ('/', a[14]);
    EXPECT_EQ('/', a[15]);
    EXPECT_EQ(' ', a[47]);
    EXPECT_EQ('A', a[48]);
    EXPECT_EQ('\x80', a[71]);
    EXPECT_EQ('z', a[127]);
    // 127 different bytes: the slash stands twice.
    EXPECT_EQ(127u, std::set<char>(a.begin(), a.end()).size());
}

TEST(AlphabetTest, IsNameCharAgreesWithTheList)
{
    const std::string& a = NameAlphabet();
    int nCount = 0;
    for (int i = 0; i < 256; ++i)
    {
        const bool bListed = a.find(static_cast<char>(i)) != std::string::npos;
        EXPECT_EQ(bListed ? 1 : 0, IsNameChar(static_cast<unsigned char>(i))) << i;
        nCount += IsNameChar(static_cast<unsigned char>(i));
    }
    EXPECT_EQ(127, nCount);
    EXPECT_EQ(0, IsNameChar(0));
    EXPECT_EQ(0, IsNameChar('\t'));
    EXPECT_EQ(0, IsNameChar(0xA7));
    EXPECT_EQ(1, IsNameChar('{'));
}

TEST(AlphabetTest, WeightsArePositions)
{
    EXPECT_EQ(16, NameWeight('/'));
    EXPECT_EQ(48, NameWeight(' '));
    EXPECT_EQ(49, NameWeight('A'));
    EXPECT_EQ(50, NameWeight('a'));
    EXPECT_EQ(128, NameWeight('z'));
    EXPECT_EQ(0, NameWeight(0));
    EXPECT_EQ(255, NameWeight(0xA7));
}

struct CCompareCase
{
    std::string a;
    std::string b;
    int nResult;
};

class CompareNamesTest : public ::testing::TestWithParam<CCompareCase>
{
};

TEST_P(CompareNamesTest, PhoneSortOrder)
{
    EXPECT_EQ(GetParam().nResult, CompareNames(GetParam().a, GetParam().b));
}

INSTANTIATE_TEST_SUITE_P(All, CompareNamesTest,
                         ::testing::Values(CCompareCase{"Abd", "abc", -1}, CCompareCase{"abc", "Abd", 1},
                                           CCompareCase{"abc", "abc", 0}, CCompareCase{"", "", 0},
                                           CCompareCase{"ab", "abc", -1}, CCompareCase{"abc", "ab", 1},
                                           CCompareCase{"a b", "ab", -1},  // space before every letter
                                           CCompareCase{"a1", "aa", -1},   // digits before letters
                                           CCompareCase{"\xE4", "b", -1},  // umlaut a between a and b
                                           CCompareCase{"o", "\xD6", -1},  // O umlaut after o
                                           CCompareCase{"\xA7", "z", 1},   // outside the alphabet: 255
                                           CCompareCase{"\xA7", "\t", -1}, // two outsiders: always -1
                                           CCompareCase{"\t", "\xA7", -1}, //
                                           CCompareCase{std::string("a\0b", 3), "a",
                                                        0})); // a zero byte ends the name

TEST(MemcpycstrTest, CopiesUpToTheFirstZero)
{
    const unsigned char src[] = {'A', 'B', 0, 'C'};
    std::string target = "old";
    EXPECT_EQ(1, memcpycstr(target, src, 4));
    EXPECT_EQ("AB", target);
    EXPECT_EQ(1, memcpycstr(target, src, 1));
    EXPECT_EQ("A", target);
    EXPECT_EQ(1, memcpycstr(target, src, 0));
    EXPECT_EQ("", target);
}

TEST(MemcpycstrTest, RefusesLengthsFrom102)
{
    CTest_TraceCapture trace;
    std::vector<unsigned char> src(200, 'x');
    std::string target = "old";
    EXPECT_EQ(1, memcpycstr(target, src.data(), 101));
    EXPECT_EQ(std::string(101, 'x'), target);
    target = "old";
    EXPECT_EQ(0, memcpycstr(target, src.data(), 102));
    EXPECT_EQ("old", target);
    EXPECT_EQ(std::vector<std::string>{"CData_CharSet: memcpycstr() to large data!"}, trace.Take());
    EXPECT_EQ(0, memcpycstr(target, nullptr, 5));
    EXPECT_EQ("old", target);
}
} // namespace
