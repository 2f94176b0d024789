#include "platform/CPlatform_CodePage.h"

#include <gtest/gtest.h>

namespace
{
struct CCodeCase
{
    unsigned char byte;
    char16_t unicode;
};

class CodePageTest : public ::testing::TestWithParam<CCodeCase>
{
};

TEST_P(CodePageTest, ByteAndCharacterMapBothWays)
{
    const CCodeCase& c = GetParam();
    EXPECT_EQ(c.unicode, CPlatform_CodePage::ByteToUnicode(c.byte));
    unsigned char b = 0;
    EXPECT_TRUE(CPlatform_CodePage::UnicodeToByte(c.unicode, b));
    EXPECT_EQ(c.byte, b);
}

INSTANTIATE_TEST_SUITE_P(All, CodePageTest,
                         ::testing::Values(CCodeCase{'A', u'A'}, CCodeCase{0x00, 0x0000},
                                           CCodeCase{0x7F, 0x007F}, CCodeCase{0x80, 0x20AC}, // euro
                                           CCodeCase{0x81, 0x0081},                          // undefined
                                           CCodeCase{0x8A, 0x0160}, CCodeCase{0x8D, 0x008D}, //
                                           CCodeCase{0x8F, 0x008F}, CCodeCase{0x90, 0x0090}, //
                                           CCodeCase{0x96, 0x2013}, CCodeCase{0x99, 0x2122}, //
                                           CCodeCase{0x9D, 0x009D}, CCodeCase{0x9F, 0x0178}, //
                                           CCodeCase{0xA0, 0x00A0}, CCodeCase{0xB6, 0x00B6}, // pilcrow
                                           CCodeCase{0xD6, 0x00D6}, CCodeCase{0xDF, 0x00DF}, //
                                           CCodeCase{0xFF, 0x00FF}));

TEST(CodePageStrings, EveryByteSurvivesTheRoundTrip)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    const QString text = CPlatform_CodePage::ToQString(bytes);
    EXPECT_EQ(256, text.size());
    EXPECT_EQ(bytes, CPlatform_CodePage::FromQString(text));
}

TEST(CodePageStrings, GroesseAndEuro)
{
    EXPECT_EQ(QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                "e \xE2\x82\xAC"),
              CPlatform_CodePage::ToQString("Gr\xF6\xDF"
                                            "e \x80"));
    EXPECT_EQ(std::string("Gr\xF6\xDF"
                          "e \x80"),
              CPlatform_CodePage::FromQString(QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                                                "e \xE2\x82\xAC")));
}

TEST(CodePageStrings, CharactersOutsideBecomeOneQuestionMarkEach)
{
    // Cyrillic, a CJK character, an emoji (surrogate pair) and a lone surrogate half.
    QString text = QString::fromUtf8("a\xD0\x96\xE4\xB8\xAD\xF0\x9F\x98\x80");
    text.append(QChar(0xD800));
    text.append(QLatin1Char('z'));
    EXPECT_EQ("a????z", CPlatform_CodePage::FromQString(text));
    unsigned char b = 0;
    EXPECT_FALSE(CPlatform_CodePage::UnicodeToByte(0x0416, b));
    EXPECT_EQ('?', b);
    EXPECT_FALSE(CPlatform_CodePage::UnicodeToByte(0x110000, b));
}

TEST(CodePageStrings, EmptyAndEmbeddedZero)
{
    EXPECT_TRUE(CPlatform_CodePage::ToQString("").isEmpty());
    EXPECT_EQ("", CPlatform_CodePage::FromQString(QString()));
    const std::string withZero("a\0b", 3);
    EXPECT_EQ(3, CPlatform_CodePage::ToQString(withZero).size());
    EXPECT_EQ(withZero, CPlatform_CodePage::FromQString(CPlatform_CodePage::ToQString(withZero)));
}
} // namespace
