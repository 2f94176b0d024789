// The record table's routing: every identifier the program exchanges reaches its block, byte 2 is
// an index only where the record carries one, and nothing reaches a block the phone type lacks.

#include "data/CData_RecordTable.h"
#include "data/CData_All.h"

#include "CData_Blocks2Fixture.h"

#include <ostream>
#include <string>
#include <vector>

namespace
{
struct CRouteCase
{
    const char* pszWhat;
    int nPhoneType;
    std::vector<unsigned char> record;
    const char* pszBlock; // nullptr: no block
    int nFlag;
};

void PrintTo(const CRouteCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class CData_RecordTableTest : public CData_Blocks2Test, public ::testing::WithParamInterface<CRouteCase>
{
};

TEST_P(CData_RecordTableTest, RoutesARecordToItsBlock)
{
    const CRouteCase& c = GetParam();
    Phone("TALVO", c.nPhoneType);
    CData_All all;
    int nFlag = -1;
    const CData* pBlock = CData_RecordTable::Route(all, c.record.data(), c.record.size(), nFlag);
    if (!c.pszBlock)
    {
        EXPECT_EQ(nullptr, pBlock);
        return;
    }
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(c.pszBlock, pBlock->Name());
    EXPECT_EQ(c.nFlag, nFlag);
}

constexpr int RV740 = PHONETYPE_RV740;
constexpr int RV730 = PHONETYPE_RV730;

INSTANTIATE_TEST_SUITE_P(
    Records, CData_RecordTableTest,
    ::testing::Values(
        CRouteCase{"MSN slot 0 by the index in byte 2", RV740, {0x60, 0, 0}, "MsnPara_00000000", 0},
        CRouteCase{"MSN slot 9 data", RV740, {0x60, 1, 9, 0, 3}, "MsnPara_00000009", 0},
        CRouteCase{"no eleventh MSN", RV740, {0x60, 0, 10}, nullptr, 0},
        CRouteCase{"an RV730 has three MSNs", RV730, {0x60, 0, 3}, nullptr, 0},
        CRouteCase{"a request without its index", RV740, {0x60, 0}, nullptr, 0},
        CRouteCase{"extended tones: basic record 1", RV740, {0x39, 0}, "Basic_00000000", 1},
        CRouteCase{"unit name: basic record 6", RV740, {0x11, 1, 0}, "Basic_00000000", 6},
        CRouteCase{"SMS record A: basic record 7", RV740, {0x41, 0}, "Basic_00000000", 7},
        CRouteCase{"voice-box keypad: basic record 8", RV740, {0x37, 0}, "Basic_00000000", 8},
        CRouteCase{"the PIN", RV740, {0x18, 1, 4, '1', '2', '3', '4'}, "Basic_00000000", 256},
        CRouteCase{"the PIN reset ends in its mark",
                   RV740,
                   {0x18, 1, 4, '1', '2', '3', '4', 'P'},
                   "PinReset_00000000",
                   0},
        CRouteCase{"last module key", RV740, {0x90, 0, 125}, "KeyE920_0000007D", 0},
        CRouteCase{"last key", RV740, {0x80, 0, 61}, "Key_0000003D", 0},
        CRouteCase{"an RV730 has ten keys", RV730, {0x80, 0, 10}, nullptr, 0},
        CRouteCase{"alarm call with info text", RV740, {0x64, 0, 2}, "AlarmCall_00000002", 0},
        CRouteCase{"module slot 3", RV740, {0x9F, 0, 3}, "VersionModule_00000003", 0},
        CRouteCase{"answering machine per MSN 10", RV740, {0xA1, 0, 10}, "AnsMaschPerMsn_0000000A", 0},
        CRouteCase{"recordings of the answering machine", RV740, {0xA3, 0}, "AnsMaschInfoText_00000000", 0},
        CRouteCase{"voicemail", RV740, {0xA5, 0}, "VoiceMail_00000000", 0},
        CRouteCase{"call filter 4", RV740, {0x65, 0, 4}, "CallFilter_00000004", 0},
        CRouteCase{"an RV730 has no call filters", RV730, {0x65, 0, 0}, nullptr, 0},
        CRouteCase{"the version block's data is no index", RV740, {0x10, 1, 16}, "Version_00000000", 0},
        CRouteCase{"phonebook header", RV740, {0x20, 0}, "DialNameBasic_00000000", 0},
        CRouteCase{"an entry the list does not hold", RV740, {0x21, 0, 0}, nullptr, 0},
        CRouteCase{"charge-counter reset", RV740, {0xFF, 1}, "Service_00000000", 0},
        CRouteCase{"unknown identifier", RV740, {0x77, 0}, nullptr, 0}),
    [](const ::testing::TestParamInfo<CRouteCase>& param) { return "Record" + std::to_string(param.index); });

TEST_F(CData_Blocks2Test, TheOldTableStillRefusesMsnZero)
{
    Phone("TALVO", PHONETYPE_RV740);
    CData_All all;
    int nIndex = 0;
    EXPECT_EQ(nullptr, all.ObjInd_From_BlockInd(0x60, nIndex));
    nIndex = 1;
    EXPECT_EQ(&all.m_Cfg.m_MsnPara[0], all.ObjInd_From_BlockInd(0x60, nIndex));
}
} // namespace
