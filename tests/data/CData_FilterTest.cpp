#include "CData_Blocks2Fixture.h"

#include "data/CData_CallFilter.h"
#include "data/CData_DialFilter.h"

#include <memory>

namespace
{
class CData_FilterTest : public CData_Blocks2Test
{
};

struct FilterCase
{
    bool bCall; // call filter, else dial filter
    int nIndex;
    const char* pszMsn;
    Bytes record;
    const char* pszColumn0;
};

class CData_FilterRecord : public CData_FilterTest, public ::testing::WithParamInterface<FilterCase>
{
protected:
    static std::unique_ptr<CData> Make(bool bCall, int nIndex, const char* pszMsn)
    {
        if (bCall)
        {
            auto p = std::make_unique<CData_CallFilter>(nIndex);
            p->m_strMsn = pszMsn;
            return p;
        }
        auto p = std::make_unique<CData_DialFilter>(nIndex);
        p->m_strMsn = pszMsn;
        return p;
    }
};

TEST_P(CData_FilterRecord, RecordRequestAndColumns)
{
    const FilterCase& c = GetParam();
    Texts("270\tSperre-\n271\tFrei-\n274\tRuf-\n");
    auto block = Make(c.bCall, c.nIndex, c.pszMsn);
    EXPECT_EQ(c.record, Build(*block));
    EXPECT_EQ((Bytes{c.record[0], 0x00, static_cast<unsigned char>(c.nIndex)}),
              Build(*block, CData::MB_REQUEST));
    EXPECT_EQ(c.pszColumn0, block->InfoText(0));
    EXPECT_EQ(c.pszMsn, block->InfoText(1));
    EXPECT_EQ("Inf 2", block->InfoText(2));

    auto parsed = Make(c.bCall, c.nIndex, "");
    EXPECT_EQ(static_cast<int>(c.record.size()), Parse(*parsed, c.record));
    EXPECT_TRUE(*parsed == *block);
    // Another entry, or the other filter, refuses the record and stays as it was.
    auto other = Make(c.bCall, c.nIndex + 1, "9");
    EXPECT_EQ(0, Parse(*other, c.record));
    EXPECT_EQ("9", other->InfoText(1));
    auto otherKind = Make(!c.bCall, c.nIndex, "9");
    EXPECT_EQ(0, Parse(*otherKind, c.record));
    for (size_t n = 0; n < c.record.size(); ++n)
    {
        auto fresh = Make(c.bCall, c.nIndex, "9");
        EXPECT_EQ(0, Parse(*fresh, Bytes(c.record.begin(), c.record.begin() + static_cast<long>(n)))) << n;
        EXPECT_EQ("9", fresh->InfoText(1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CData_FilterRecord,
    ::testing::Values(FilterCase{false, 6, "0190", {0x61, 0x01, 0x06, 0x04, '0', '1', '9', '0'}, "Sperre-7"},
                      FilterCase{false, 7, "", {0x61, 0x01, 0x07, 0x00}, "Frei-1"},
                      FilterCase{false, 13, "*#", {0x61, 0x01, 0x0D, 0x02, '*', '#'}, "Frei-7"},
                      FilterCase{true, 0, "0800", {0x65, 0x01, 0x00, 0x04, '0', '8', '0', '0'}, "Ruf-1"},
                      FilterCase{true, 2, "1", {0x65, 0x01, 0x02, 0x01, '1'}, "Ruf-3"}));

TEST_F(CData_FilterTest, NumbersAreCutTo26)
{
    CData_DialFilter f(0);
    f.m_strMsn = std::string(30, '5');
    const Bytes rec = Build(f);
    ASSERT_EQ(30u, rec.size());
    EXPECT_EQ(26, rec[3]);
    Bytes received = {0x61, 0x01, 0x00, 29};
    received.resize(4 + 29, '7');
    CData_DialFilter g(0);
    EXPECT_EQ(33, Parse(g, received));
    EXPECT_EQ(std::string(26, '7'), g.m_strMsn);
}

TEST_F(CData_FilterTest, CallFilterRecordForIndex2OfferedToEntry3IsRefused)
{
    CData_CallFilter entry(3);
    entry.m_strMsn = "42";
    EXPECT_EQ(0, Parse(entry, {0x65, 0x01, 0x02, 0x01, '1'}));
    EXPECT_EQ("42", entry.m_strMsn);
}
} // namespace
