// The verified write's comparison: every record sent against the telephone's read-back, by block.

#include "transfer/CTrans_Verify.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"
#include "testsupport/CTest_Properties.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
// The data records a send of the container builds (the version block's and the PIN's included).
std::vector<CTrans_Verify::Record> RecordsOf(CData_All& all)
{
    std::vector<CTrans_Verify::Record> records;
    CData_RecordTable::ForEachRecord(all,
                                     [&records](CData& block, int nFlag)
                                     {
                                         CTrans_Verify::Record record(CData::RECORD_MAX);
                                         const int n = block.MoveBlock(CData::MB_DATA, record.data(),
                                                                       record.size(), nFlag);
                                         if (n > 0)
                                         {
                                             record.resize(static_cast<size_t>(n));
                                             records.push_back(record);
                                         }
                                     });
    return records;
}

struct CVerifyCase
{
    const char* pszWhat;
    std::function<void(CData_All&)> change; // what the telephone holds otherwise
    std::vector<std::string> differing;
};

void PrintTo(const CVerifyCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class CTrans_VerifyTest : public ::testing::TestWithParam<CVerifyCase>
{
protected:
    CTest_PropertiesGuard m_guard;
};

TEST_P(CTrans_VerifyTest, NamesTheBlocksTheTelephoneHoldsOtherwise)
{
    {
        CTest_Properties props;
        props->m_bAppCfg = true;
        props->m_bAppDialName = true;
    }
    CData_All sent;
    sent.m_Cfg.m_MsnPara[1].m_strMsn = "301234";
    sent.m_Cfg.m_Basic.m_strUnitName = "EMPFANG";
    sent.m_Cfg.m_Basic.m_strPin = "5182";
    for (int i = 0; i < 3; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "Name" + std::to_string(i);
        entry.m_strMsnExt = "0301";
        sent.m_DialName.m_List.Append(entry);
    }
    // The header goes out as the link counts it.
    sent.m_DialName.m_Basic = sent.m_DialName.LinkHeader();
    const std::vector<CTrans_Verify::Record> records = RecordsOf(sent);
    CData_All held(sent);
    GetParam().change(held);
    EXPECT_EQ(GetParam().differing, CTrans_Verify::Differences(records, held));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CTrans_VerifyTest,
    ::testing::Values(CVerifyCase{"all as sent", [](CData_All&) {}, {}},
                      // The telephone's identity and PIN are never read back: no difference.
                      CVerifyCase{"another version and PIN",
                                  [](CData_All& held)
                                  {
                                      held.m_Version.m_strVersion = "9.99";
                                      held.m_Cfg.m_Basic.m_strPin = "0000";
                                  },
                                  {}},
                      CVerifyCase{"an MSN and the unit name",
                                  [](CData_All& held)
                                  {
                                      held.m_Cfg.m_Basic.m_strUnitName = "OTHER";
                                      held.m_Cfg.m_MsnPara[1].m_strMsn = "309999";
                                  },
                                  {"Basic_00000000", "MsnPara_00000001"}},
                      CVerifyCase{"an entry changed, the last one missing",
                                  [](CData_All& held)
                                  {
                                      held.m_DialName.Entry(0)->m_strName = "Other";
                                      CData_All shorter;
                                      shorter.m_DialName.m_List.Append(*held.m_DialName.Entry(0));
                                      shorter.m_DialName.m_List.Append(*held.m_DialName.Entry(1));
                                      held.m_DialName = shorter.m_DialName;
                                  },
                                  {"DialNameBasic_00000000", "DialName_00000000", "DialName_00000002"}}),
    [](const ::testing::TestParamInfo<CVerifyCase>& param) { return "Case" + std::to_string(param.index); });
} // namespace
