#include "data/CData_FileRow.h"
#include "data/CData_FileExRam.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A block with one row of every kind the table offers.
class CTestRowBlock : public CData
{
public:
    CTestRowBlock() { SetIndex("RowTest", 1); }

    std::string m_strText;
    int m_nRange = 0;
    int m_bFlag = 0;
    int m_nDoubled = 0; // kept halved in the file
};

using B = CTestRowBlock;
using P = CData_Properties;
namespace R = CData_FileRows;

int PutHalf(B& b, std::string& text)
{
    text = std::to_string(b.m_nDoubled / 2);
    return 1;
}
int GetHalf(B& b, const std::string& text)
{
    b.m_nDoubled = text.empty() ? -1 : 2 * std::stoi(text);
    return 1;
}

const CData_FileRow<B> s_rows[] = {
    {"Text", R::Str<B, &B::m_strText, StrToStr>, nullptr},
    {"Range", R::Range<B, &B::m_nRange, 0, 99>, nullptr},
    {"Flag", R::Bool<B, &B::m_bFlag>, R::Has<&P::m_bKeyNames>},
    {"Half", R::Custom<B, PutHalf, GetHalf>, nullptr},
};

class CData_FileRowTest : public ::testing::Test
{
protected:
    // Writes the block under its own section or pszSection and gives the mask.
    uint64_t Write(B& block, const char* pszSection = nullptr)
    {
        CData::File().SetFileName(m_dir.File("rows.721").c_str());
        EXPECT_EQ(1, CData::File().Open(0));
        const uint64_t nMask = R::MoveFileRows(block, s_rows, 1, pszSection);
        EXPECT_EQ(1, CData::File().Close());
        return nMask;
    }
    uint64_t Read(B& block, const char* pszSection = nullptr, size_t nValueMax = R::VALUE_MAX)
    {
        EXPECT_EQ(1, CData::File().Open(1));
        const uint64_t nMask = R::MoveFileRows(block, s_rows, 0, pszSection, nValueMax);
        CData::File().Close();
        return nMask;
    }

    CTest_TempDir m_dir;
    CTest_PropertiesGuard m_props;
};

struct RowCase
{
    const char* pszName;
    bool bFlagKey;        // the capability that guards Flag
    const char* pszWrite; // section written, nullptr: the block's
    const char* pszRead;  // section read
    size_t nValueMax;
    uint64_t nWritten;
    uint64_t nRead;
    size_t nTextLength; // of the 60-character text after reading
    int nRange;
    int bFlag;
    int nDoubled;
};

class CData_FileRowCases : public CData_FileRowTest, public ::testing::WithParamInterface<RowCase>
{
};

TEST_P(CData_FileRowCases, KeysThroughTheStore)
{
    const RowCase& c = GetParam();
    CTest_Properties()->m_bKeyNames = c.bFlagKey;
    B out;
    out.m_strText = std::string(60, 'x');
    out.m_nRange = 42;
    out.m_bFlag = 1;
    out.m_nDoubled = 14;
    EXPECT_EQ(c.nWritten, Write(out, c.pszWrite));

    B in;
    EXPECT_EQ(c.nRead, Read(in, c.pszRead, c.nValueMax));
    EXPECT_EQ(c.nTextLength, in.m_strText.size());
    EXPECT_EQ(c.nRange, in.m_nRange);
    EXPECT_EQ(c.bFlag, in.m_bFlag);
    EXPECT_EQ(c.nDoubled, in.m_nDoubled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CData_FileRowCases,
    ::testing::Values(
        // Every key written and read; values cut to the limit of the read.
        RowCase{"all_keys", true, nullptr, nullptr, R::VALUE_MAX, 0xF, 0xF, R::VALUE_MAX, 42, 1, 14},
        RowCase{"settings_limit", true, nullptr, nullptr, R::VALUE_MAX_SETTINGS, 0xF, 0xF,
                R::VALUE_MAX_SETTINGS, 42, 1, 14},
        // A guard that gives false leaves the key out in both directions: no bit, field untouched.
        RowCase{"guarded_out", false, nullptr, nullptr, R::VALUE_MAX, 0xB, 0xB, R::VALUE_MAX, 42, 0, 14},
        // Another section; reading the block's own then finds no key at all.
        RowCase{"other_section", true, "Other_1", "Other_1", R::VALUE_MAX, 0xF, 0xF, R::VALUE_MAX, 42, 1, 14},
        RowCase{"missing_section", true, "Other_1", nullptr, R::VALUE_MAX, 0xF, 0x0, 0, 0, 0, -1}),
    [](const ::testing::TestParamInfo<RowCase>& row) { return std::string(row.param.pszName); });

TEST_F(CData_FileRowTest, MoveTextCutsToItsLimitAndReportsPresence)
{
    CData::File().SetFileName(m_dir.File("text.721").c_str());
    ASSERT_EQ(1, CData::File().Open(0));
    std::string text(80, 'y');
    EXPECT_EQ(1, R::MoveText("S", "Long", 1, text));
    ASSERT_EQ(1, CData::File().Close());

    ASSERT_EQ(1, CData::File().Open(1));
    for (size_t nMax : {size_t{0}, size_t{1}, R::VALUE_MAX_SETTINGS, R::VALUE_MAX, R::VALUE_MAX + 20})
    {
        std::string got = "old";
        EXPECT_EQ(1, R::MoveText("S", "Long", 0, got, nMax));
        EXPECT_EQ(std::min(nMax, R::VALUE_MAX), got.size()) << nMax;
    }
    std::string missing = "old";
    EXPECT_EQ(0, R::MoveText("S", "None", 0, missing));
    EXPECT_EQ("", missing);
    CData::File().Close();
}
} // namespace
