#include "data/CData_All.h"

#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{
// Each test works on its own copy of the properties and restores them afterwards.
class CData_AllTest : public ::testing::Test
{
protected:
    static CTest_Properties Props() { return CTest_Properties(); }

    CTest_PropertiesGuard m_saved;
};

std::string Name(const char* kind, int n)
{
    char sz[64];
    std::snprintf(sz, sizeof sz, "%s_%08X", kind, n);
    return sz;
}

std::vector<std::string> Expected(int nKeys, int nMsns, bool bCallFilters)
{
    std::vector<std::string> names;
    auto add = [&names](const char* kind, int n)
    {
        for (int i = 0; i < n; ++i)
            names.push_back(Name(kind, i));
    };
    add("Basic", 1);
    add("Key", nKeys);
    add("DialVip", 10);
    add("CallFilter", bCallFilters ? 5 : 0);
    add("DialFilter", 14);
    add("MsnPara", nMsns);
    add("AlarmCall", 3);
    add("AnswerMaschine", 1);
    add("AnsMaschInfoText", 1);
    add("AnsMaschPerMsn", 11);
    add("AnsMaschTimeType", 9);
    add("Tone", 1);
    add("VoiceMail", 1);
    add("Audio", 1);
    add("VersionModule", 4);
    add("KeyE920", 126);
    return names;
}

struct OrderCase
{
    int nKeys;
    int nMsns;
    bool bCallFilters;
};

class CData_AllOrder : public CData_AllTest, public ::testing::WithParamInterface<OrderCase>
{
};

TEST_P(CData_AllOrder, SectionOrderFollowsKeyAndMsnCountAndCallFilters)
{
    const OrderCase& c = GetParam();
    Props()->m_nKeyCount = c.nKeys;
    Props()->m_nMsnCount = c.nMsns;
    Props()->m_bCallFilter = c.bCallFilters;
    auto all = std::make_unique<CData_All>();
    std::vector<std::string> names;
    all->m_Cfg.ForEachFileBlock([&names](const CData& b) { names.push_back(b.Name()); });
    EXPECT_EQ(Expected(c.nKeys, c.nMsns, c.bCallFilters), names);
}

INSTANTIATE_TEST_SUITE_P(PhoneTypes, CData_AllOrder,
                         ::testing::Values(OrderCase{62, 10, false}, OrderCase{14, 10, true},
                                           OrderCase{10, 3, false}, OrderCase{10, 10, true}));

TEST_F(CData_AllTest, BlockNamesAndBaseRecords)
{
    CData plain;
    EXPECT_EQ("CData", plain.Name());
    EXPECT_EQ(0, plain.Number());
    auto all = std::make_unique<CData_All>();
    EXPECT_EQ("AlarmCall_00000002", all->m_Cfg.m_AlarmCall[2].Name());
    EXPECT_EQ("KeyE920_0000001A", all->m_Cfg.m_KeyE920[26].Name());
    EXPECT_EQ("Key_0000003D", all->m_Cfg.m_Key[61].Name());
    EXPECT_EQ("All_00000000", all->Name());

    unsigned char rec[4] = {9, 9, 9, 9};
    EXPECT_EQ(2, plain.MoveBlock(CData::MB_END, rec, sizeof rec, 3));
    EXPECT_EQ(0, rec[0]);
    EXPECT_EQ(1, rec[1]);
    EXPECT_EQ(2, plain.MoveBlock(CData::MB_END, rec, sizeof rec, 2));
    EXPECT_EQ(0, rec[1]);
    EXPECT_EQ(0, plain.MoveBlock(CData::MB_END, rec, 1, 1)); // no room
    const unsigned char ack[] = {0, 1};
    const unsigned char nak[] = {0, 0};
    EXPECT_EQ(2, plain.MoveBlock(CData::MB_TEST_ACK, const_cast<unsigned char*>(ack), 2, 0));
    EXPECT_EQ(0, plain.MoveBlock(CData::MB_TEST_ACK, const_cast<unsigned char*>(nak), 2, 0));
    EXPECT_EQ(0, plain.MoveBlock(CData::MB_TEST_ACK, const_cast<unsigned char*>(ack), 1, 0)); // too short
    EXPECT_EQ(0, plain.MoveBlock(CData::MB_PARSE, rec, sizeof rec, 0));
    EXPECT_EQ(nullptr, plain.NewDeepCopy());
    EXPECT_EQ("Inf 3", plain.InfoText(3));
}

TEST_F(CData_AllTest, ComparisonIgnoresModuleKeysAndInactiveBlocks)
{
    Props()->m_nKeyCount = 14;
    Props()->m_bCallFilter = false;
    auto a = std::make_unique<CData_All>();
    auto b = std::make_unique<CData_All>();
    EXPECT_TRUE(*a == *b);

    b->m_Cfg.m_KeyE920[5].m_nKeyUse = 4;
    EXPECT_TRUE(*a == *b) << "module keys are not compared";
    b->m_Cfg.m_Key[20].m_nKeyUse = 4;
    EXPECT_TRUE(*a == *b) << "keys beyond the key count are not compared";
    b->m_Cfg.m_Key[13].m_nKeyUse = 4;
    EXPECT_FALSE(*a == *b);
    EXPECT_TRUE(*a != *b);

    // Copying takes everything, the module keys included.
    *a = *b;
    EXPECT_TRUE(*a == *b);
    EXPECT_EQ(4, a->m_Cfg.m_KeyE920[5].m_nKeyUse);

    // Resetting the configuration keeps the phonebook and the version block.
    CData_DialName entry(0);
    entry.m_strName = "Name";
    entry.m_strMsnExt = "123";
    a->m_DialName.m_List.Insert(entry);
    a->ResetCfg();
    EXPECT_EQ(1, a->m_Cfg.m_Key[13].m_nKeyUse);
    EXPECT_EQ(1, a->m_DialName.Count());
    EXPECT_FALSE(a->DialNameEmpty());
    a->ResetDialName();
    EXPECT_TRUE(a->DialNameEmpty());
}

struct ObjIndCase
{
    int nId;
    int nIndexIn;
    const char* pszBlock; // nullptr: invalid
    int nIndexOut;        // expected index afterwards
};

class CData_AllObjInd : public CData_AllTest, public ::testing::WithParamInterface<ObjIndCase>
{
};

TEST_P(CData_AllObjInd, MapsBlockIdentifiers)
{
    const ObjIndCase& c = GetParam();
    Props()->m_nKeyCount = 14;
    Props()->m_nMsnCount = 3;
    auto all = std::make_unique<CData_All>();
    for (int i = 0; i < 2; ++i)
    {
        CData_DialName entry(i);
        entry.m_strMsnExt = "1";
        all->m_DialName.m_List.Insert(entry);
    }
    int nIndex = c.nIndexIn;
    CData* p = all->ObjInd_From_BlockInd(c.nId, nIndex);
    if (!c.pszBlock)
    {
        EXPECT_EQ(nullptr, p);
        return;
    }
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(c.pszBlock, p->Name());
    EXPECT_EQ(c.nIndexOut, nIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, CData_AllObjInd,
    ::testing::Values(ObjIndCase{0x10, 7, "Version_00000000", 7},
                      ObjIndCase{0x20, 7, "DialNameBasic_00000000", 7},
                      ObjIndCase{0x21, 1, "DialName_00000001", 1},
                      ObjIndCase{0x22, 0, "DialName_00000000", 0}, ObjIndCase{0x21, 2, nullptr, 0},
                      ObjIndCase{0x22, -1, nullptr, 0}, ObjIndCase{0x30, 9, "Basic_00000000", 0},
                      ObjIndCase{0x31, 9, "Basic_00000000", 1}, ObjIndCase{0x32, 9, "Basic_00000000", 2},
                      ObjIndCase{0x33, 9, "Basic_00000000", 3}, ObjIndCase{0x34, 9, "Basic_00000000", 4},
                      ObjIndCase{0x35, 9, "Basic_00000000", 8}, ObjIndCase{0x38, 9, "Basic_00000000", 5},
                      ObjIndCase{0x36, 9, "Audio_00000000", 9}, ObjIndCase{0x37, 0, nullptr, 0},
                      ObjIndCase{0x60, 0, nullptr, 0}, ObjIndCase{0x60, 1, "MsnPara_00000000", 1},
                      ObjIndCase{0x60, 3, "MsnPara_00000002", 3}, ObjIndCase{0x60, 4, nullptr, 0},
                      ObjIndCase{0x61, 0, "DialFilter_00000000", 0},
                      ObjIndCase{0x61, 13, "DialFilter_0000000D", 13}, ObjIndCase{0x61, 14, nullptr, 0},
                      ObjIndCase{0x62, 9, "DialVip_00000009", 9}, ObjIndCase{0x62, 10, nullptr, 0},
                      ObjIndCase{0x62, -1, nullptr, 0}, ObjIndCase{0x80, 13, "Key_0000000D", 13},
                      ObjIndCase{0x80, 14, nullptr, 0}, ObjIndCase{0x90, 41, "KeyE920_00000029", 41},
                      ObjIndCase{0x90, 42, nullptr, 0},
                      // Only the low eight bits of the identifier count.
                      ObjIndCase{0x130, 0, "Basic_00000000", 0}, ObjIndCase{0x00, 0, nullptr, 0},
                      ObjIndCase{0xFF, 0, nullptr, 0}));

TEST_F(CData_AllTest, ValidateReplacesKeyFunctionsTheTypeDoesNotOffer)
{
    Props()->m_nKeyCount = 14;
    Props()->m_bKeyLine = false;
    Props()->m_bKeyAnnounce = false;
    auto all = std::make_unique<CData_All>();
    // {function, expected after Validate}
    const int cases[][2] = {{0, 1}, {-3, 1}, {28, 1}, {1, 1}, {4, 4},   {18, 18}, {27, 27},
                            {2, 1}, {3, 3},  {8, 1},  {9, 1}, {10, 10}, {17, 17}};
    int i = 0;
    for (const auto& c : cases)
        all->m_Cfg.m_Key[i++].m_nKeyUse = c[0];
    all->m_Cfg.m_Key[20].m_nKeyUse = 99; // beyond the key count: left alone
    EXPECT_EQ(1, all->Validate());
    i = 0;
    for (const auto& c : cases)
        EXPECT_EQ(c[1], all->m_Cfg.m_Key[i++].m_nKeyUse) << "function " << c[0];
    EXPECT_EQ(99, all->m_Cfg.m_Key[20].m_nKeyUse);

    // The phonebook program leaves keys alone.
    Props()->m_bAppCfg = false;
    all->m_Cfg.m_Key[0].m_nKeyUse = 0;
    all->Validate();
    EXPECT_EQ(0, all->m_Cfg.m_Key[0].m_nKeyUse);
}

TEST_F(CData_AllTest, MoveFileReportsAFileThatCannotBeOpened)
{
    CTest_TempDir dir;
    auto all = std::make_unique<CData_All>();
    CData::File().SetFileName(dir.File("missing/x.721").c_str());
    EXPECT_EQ(0, all->MoveFile(1, 0));
    EXPECT_EQ(0, all->MoveFile(0, 0));
    CData::File().SetFileName(dir.File("x.721").c_str());
    EXPECT_EQ(1, all->MoveFile(1, 0));
    EXPECT_EQ(1, all->MoveFile(0, 0));
}

TEST_F(CData_AllTest, BufferHoldsExactlyWhatTheFileWould)
{
    Props()->m_bAppCfg = true;
    Props()->m_bAppDialName = true;
    Props()->m_bKeyNames = true;
    CTest_TempDir dir;
    auto all = std::make_unique<CData_All>();
    all->m_Cfg.m_Key[3].m_strKeyName = "Buffer";
    CData_DialName entry(0);
    entry.m_strName = "Anna";
    entry.m_strMsnExt = "0301234";
    all->m_DialName.m_List.Insert(entry);
    CData_FileExRam& file = CData::File();
    file.SetFileName(dir.File("x.721").c_str());
    ASSERT_EQ(1, all->MoveFile(1, 0));
    file.UseBuffer();
    ASSERT_EQ(1, all->MoveFile(1, 0));
    const std::string bytes = file.Buffer();
    EXPECT_EQ(TestReadFile(dir.File("x.721")), bytes);
    EXPECT_EQ(std::vector<std::string>{"x.721"},
              [&]
              {
                  std::vector<std::string> names;
                  for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
                      names.push_back(e.path().filename().string());
                  return names;
              }());

    // Read back from the bytes alone, and written again.
    auto back = std::make_unique<CData_All>();
    file.UseBuffer(bytes);
    ASSERT_EQ(1, back->MoveFile(0, 0));
    EXPECT_EQ("Buffer", back->m_Cfg.m_Key[3].m_strKeyName);
    EXPECT_EQ(bytes, file.Buffer());
    ASSERT_EQ(1, back->MoveFile(1, 0));
    EXPECT_EQ(bytes, file.Buffer());
    file.SetFileName("");
    EXPECT_FALSE(file.UsesBuffer());
}

TEST(CData_LstData, InsertKeepsIndexOrderReplacesAndRespectsCapacity)
{
    CData_LstData list(4);
    auto entry = [](int n, const char* name)
    {
        CData_DialName e(n);
        e.m_strName = name;
        return e;
    };
    ASSERT_NE(nullptr, list.Insert(entry(8, "c")));
    ASSERT_NE(nullptr, list.Insert(entry(3, "a")));
    ASSERT_NE(nullptr, list.Insert(entry(5, "b")));
    ASSERT_NE(nullptr, list.Insert(entry(5, "B")));
    ASSERT_EQ(3u, list.Count());
    EXPECT_EQ("B", list.Get(1)->m_strName);
    ASSERT_NE(nullptr, list.Insert(entry(4, "x")));
    std::vector<int> order;
    for (const auto& e : list.Entries())
        order.push_back(e.Number());
    EXPECT_EQ((std::vector<int>{3, 4, 5, 8}), order);

    // Full: a new index is refused and nothing changes; a present index is still replaced.
    const CData_LstData before = list;
    EXPECT_EQ(nullptr, list.Insert(entry(6, "y")));
    EXPECT_TRUE(list == before);
    EXPECT_NE(nullptr, list.Insert(entry(8, "z")));
    EXPECT_FALSE(list == before);
    EXPECT_EQ(nullptr, list.Get(4));
}
} // namespace
