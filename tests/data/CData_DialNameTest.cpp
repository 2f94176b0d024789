#include "CData_Blocks2Fixture.h"

#include "data/CData_AllDialName.h"
#include "data/CData_DialVip.h"
#include "data/CData_FileExRam.h"
#include "testsupport/CTest_TempDir.h"

#include <cstdio>

namespace
{
class CData_DialNameTest : public CData_Blocks2Test
{
protected:
    static CData_DialName Entry(int n, const char* pszName, const char* pszNumber)
    {
        CData_DialName e(n);
        e.m_strName = pszName;
        e.m_strMsnExt = pszNumber;
        return e;
    }

    // Reads the phonebook of a file as the document does, without the rest of the container.
    static int ReadPhonebook(const std::string& path, CData_AllDialName& book)
    {
        CData::File().SetFileName(path.c_str());
        if (!CData::File().Open(1))
            return 0;
        book.MoveFile(0, 0);
        return CData::File().Close();
    }
    static int WritePhonebook(const std::string& path, CData_AllDialName& book)
    {
        CData::File().SetFileName(path.c_str());
        if (!CData::File().Open(0))
            return 0;
        book.MoveFile(1, 0);
        return CData::File().Close();
    }
};

struct EntryRecordCase
{
    const char* pszWhat;
    bool bMsnGo;
    bool bInfotext;
    Bytes record;
};

class CData_DialNameRecord : public CData_DialNameTest, public ::testing::WithParamInterface<EntryRecordCase>
{
};

TEST_P(CData_DialNameRecord, FieldsFollowTheCapabilities)
{
    const EntryRecordCase& c = GetParam();
    Props()->m_bMsnGoRecord = c.bMsnGo;
    Props()->m_bEntryInfotext = c.bInfotext;
    CData_DialName e = Entry(4, "M\xFCller", "0301");
    e.m_nMelodyExt = 5;
    e.m_nLoud = 2;
    e.m_nMsnGo = 3;
    e.m_strInfotext = "\xC4rztin";
    EXPECT_EQ(c.record, Build(e)) << c.pszWhat;
    EXPECT_EQ((Bytes{c.record[0], 0x00, 0x04}), Build(e, CData::MB_REQUEST));

    CData_DialName parsed(4);
    if (!c.bMsnGo)
        parsed.m_nMsnGo = 3; // not exchanged: kept
    if (!c.bInfotext)
        parsed.m_strInfotext = e.m_strInfotext;
    EXPECT_EQ(static_cast<int>(c.record.size()), Parse(parsed, c.record));
    EXPECT_TRUE(parsed == e);

    CData_DialName other(5);
    EXPECT_EQ(0, Parse(other, c.record)) << "a record for another entry";
    for (size_t n = 0; n < c.record.size(); ++n)
    {
        Bytes cut(c.record.begin(), c.record.begin() + static_cast<long>(n));
        CData_DialName fresh(4);
        EXPECT_EQ(0, Parse(fresh, cut)) << n;
        EXPECT_TRUE(fresh == CData_DialName(4));
    }
}

// Müller in the phone's set: 0x4D 0x81 0x6C 0x6C 0x65 0x72; Ärztin: 0x8E 0x72 0x7A 0x74 0x69 0x6E.
INSTANTIATE_TEST_SUITE_P(
    Capabilities, CData_DialNameRecord,
    ::testing::Values(EntryRecordCase{"plain",
                                      false,
                                      false,
                                      {0x21, 0x01, 0x04, 0x05, 0x02, 0x06, 0x4D, 0x81, 0x6C, 0x6C, 0x65, 0x72,
                                       0x04, '0', '3', '0', '1'}},
                      EntryRecordCase{"MsnGo",
                                      true,
                                      false,
                                      {0x21, 0x01, 0x04, 0x05, 0x02, 0x03, 0x06, 0x4D, 0x81, 0x6C, 0x6C, 0x65,
                                       0x72, 0x04, '0', '3', '0', '1'}},
                      EntryRecordCase{"MsnGo and info text", true, true, {0x22, 0x01, 0x04, 0x05, 0x02,
                                                                          0x03, 0x06, 0x4D, 0x81, 0x6C,
                                                                          0x6C, 0x65, 0x72, 0x04, '0',
                                                                          '3',  '0',  '1',  0x06, 0x8E,
                                                                          0x72, 0x7A, 0x74, 0x69, 0x6E}}));

TEST_F(CData_DialNameTest, ReceivedInfotextOf60IsTakenAs42AndWrongIdentifierRefused)
{
    Props()->m_bMsnGoRecord = false;
    Props()->m_bEntryInfotext = true;
    Bytes rec = {0x22, 0x01, 0x00, 0x00, 0x03, 0x01, 'A', 0x01, '1', 60};
    rec.resize(rec.size() + 60, 'i');
    CData_DialName e(0);
    EXPECT_EQ(static_cast<int>(rec.size()), Parse(e, rec));
    EXPECT_EQ(std::string(42, 'i'), e.m_strInfotext);
    rec[0] = 0x21;
    CData_DialName f(0);
    EXPECT_EQ(0, Parse(f, rec)) << "0x21 on a phone whose entries carry info texts";
    rec[0] = 0x22;
    rec.pop_back();
    EXPECT_EQ(0, Parse(f, rec)) << "the info text reaches past the record";
}

struct ColumnCase
{
    int nColumn;
    int nMelody;
    int nMsnGo;
    bool bMsnGoRecord;
    bool bInfotext;
    const char* pszText;
};

class CData_DialNameColumn : public CData_DialNameTest, public ::testing::WithParamInterface<ColumnCase>
{
};

TEST_P(CData_DialNameColumn, Texts)
{
    const ColumnCase& c = GetParam();
    Texts("280\tStandard\n281\tSonder\n282\tkeine\n284\tMSN\n");
    CData_DialName::SetMsnSlotLookup(
        [](int nSlot, std::string& txt, std::string& msn)
        {
            if (nSlot < 0 || nSlot > 9)
                return false;
            txt = "Büro";
            msn = nSlot == 1 ? "" : "4711";
            return true;
        });
    Props()->m_bMsnGoRecord = c.bMsnGoRecord;
    Props()->m_bEntryInfotext = c.bInfotext;
    CData_DialName e = Entry(6, "Anna", "0301");
    e.m_nLoud = 4;
    e.m_nMelodyExt = c.nMelody;
    e.m_nMsnGo = c.nMsnGo;
    e.m_strInfotext = "Info";
    EXPECT_EQ(c.pszText, e.InfoText(c.nColumn));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, CData_DialNameColumn,
    ::testing::Values(ColumnCase{0, 0, 0, true, true, "007"}, ColumnCase{1, 0, 0, true, true, "Anna"},
                      ColumnCase{2, 0, 0, true, true, "0301"}, ColumnCase{3, 0, 0, true, true, "4"},
                      ColumnCase{4, 0, 0, true, true, "Standard"}, ColumnCase{4, 1, 0, true, true, "Sonder"},
                      ColumnCase{4, 2, 0, true, true, "1"}, ColumnCase{4, 21, 0, true, true, "20"},
                      ColumnCase{5, 0, 0, true, true, "keine"},
                      ColumnCase{5, 0, 1, true, true, "Büro (4711)"},
                      ColumnCase{5, 0, 2, true, true, "MSN-2"}, ColumnCase{5, 0, 1, false, true, ""},
                      ColumnCase{6, 0, 0, true, true, "Info"}, ColumnCase{6, 0, 0, true, false, ""},
                      ColumnCase{7, 0, 0, true, true, "Inf 7"}));

TEST_F(CData_DialNameTest, VipEntries)
{
    CData_DialVip vip(3);
    vip.m_strMsn = "*31#";
    vip.m_strName = "\xDF";
    const Bytes rec = {0x62, 0x01, 0x03, 0x04, '*', '3', '1', '#', 0x01, 0xE1};
    EXPECT_EQ(rec, Build(vip));
    EXPECT_EQ((Bytes{0x62, 0x00, 0x03}), Build(vip, CData::MB_REQUEST));
    CData_DialVip parsed(3);
    EXPECT_EQ(10, Parse(parsed, rec));
    EXPECT_TRUE(parsed == vip);
    CData_DialVip other(4);
    EXPECT_EQ(0, Parse(other, rec));

    Props()->m_bVipKeyLabels = false;
    EXPECT_EQ("v3", vip.InfoText(0));
    Props()->m_bVipKeyLabels = true;
    EXPECT_EQ("k3", vip.InfoText(0));
    EXPECT_EQ("*31#", vip.InfoText(1));
    EXPECT_EQ("\xDF", vip.InfoText(2));
}

TEST_F(CData_DialNameTest, HeaderRecordAndCountRange)
{
    CData_DialNameBasic basic;
    basic.m_nCount = 17;
    EXPECT_EQ((Bytes{0x20, 0x01, 17}), Build(basic));
    EXPECT_EQ((Bytes{0x20, 0x00}), Build(basic, CData::MB_REQUEST));
    CData_DialNameBasic parsed;
    EXPECT_EQ(3, Parse(parsed, {0x20, 0x01, 200}));
    EXPECT_EQ(200, parsed.m_nCount);
    EXPECT_EQ(0, Parse(parsed, {0x20, 0x01}));
    EXPECT_EQ(0, Parse(parsed, {0x21, 0x01, 3}));

    CTest_TempDir dir;
    TestWriteFile(dir.File("c.721"), "[DialNameBasic_00000000]\r\nCount=250\r\n");
    CData_AllDialName book;
    book.m_Basic.m_nCount = 9;
    ASSERT_EQ(1, ReadPhonebook(dir.File("c.721"), book));
    EXPECT_EQ(0, book.m_Basic.m_nCount) << "250 is beyond the range";
    EXPECT_EQ(0, book.Count());
}

struct LayoutCase
{
    const char* pszFile;
    std::vector<std::string> names; // after sorting
    std::vector<std::string> numbers;
};

class CData_DialNameLayout : public CData_DialNameTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(CData_DialNameLayout, ReadsTheOlderLayoutsAndWritesTheCurrentOne)
{
    Phone("TALVO", PHONETYPE_RV740, 4100);
    const LayoutCase& c = GetParam();
    CData_AllDialName book;
    ASSERT_EQ(1, ReadPhonebook(TestDataPath(std::string("phonebook/") + c.pszFile), book));
    std::vector<std::string> names;
    std::vector<std::string> numbers;
    for (int i = 0; i < book.Count(); ++i)
    {
        names.push_back(book.Entry(i)->m_strName);
        numbers.push_back(book.Entry(i)->m_strMsnExt);
        EXPECT_EQ(i, book.Entry(i)->Number()) << "renumbered by position";
    }
    EXPECT_EQ(c.names, names);
    EXPECT_EQ(c.numbers, numbers);

    // Written back in the current layout, read again: the same phonebook.
    CTest_TempDir dir;
    ASSERT_EQ(1, WritePhonebook(dir.File("out.721"), book));
    CData_AllDialName again;
    ASSERT_EQ(1, ReadPhonebook(dir.File("out.721"), again));
    EXPECT_TRUE(again == book);
}

// Layout 1 lies in DialName_1.., layout 2 in DialName_23000000..; layout 0 wins over both when a
// file holds several. Nameless entries are named A_000, A_001 in file order before sorting; the
// phonebook ends at the first entry without a number.
INSTANTIATE_TEST_SUITE_P(
    Files, CData_DialNameLayout,
    ::testing::Values(LayoutCase{"layout0.721",
                                 {"A_000", "A_001", "abc", "Abd", "Zorro"},
                                 {"333", "444", "111", "222", "555"}},
                      LayoutCase{"layout1.721", {"A_000", "Berta", "M\xFCller"}, {"30", "20", "10"}},
                      LayoutCase{"layout2.721", {"Carl", "Dora"}, {"7", "8"}},
                      LayoutCase{"mixed.721", {"Neu"}, {"1"}}));

TEST_F(CData_DialNameTest, MsnGoIsKeptInFilesOfVersion2000On)
{
    CTest_TempDir dir;
    Props()->m_bEntryInfotext = false;
    for (const int nVersion : {1999, 2000})
    {
        CData_Version::SetConfigVersion(nVersion);
        CData_AllDialName book;
        CData_DialName e = Entry(0, "Anna", "1");
        e.m_nMsnGo = 4;
        book.m_List.Insert(e);
        ASSERT_EQ(1, WritePhonebook(dir.File("m.721"), book));
        const bool bWritten = TestReadFile(dir.File("m.721")).find("MsnGo=4") != std::string::npos;
        EXPECT_EQ(nVersion >= 2000, bWritten) << nVersion;

        TestWriteFile(dir.File("r.721"), "[DialName_00000000]\r\nMelodyExt=0\r\nLoud=3\r\nName=A\r\n"
                                         "MsnExt=1\r\nMsnGo=7\r\n");
        CData_AllDialName read;
        ASSERT_EQ(1, ReadPhonebook(dir.File("r.721"), read));
        ASSERT_EQ(1, read.Count());
        EXPECT_EQ(nVersion >= 2000 ? 7 : 0, read.Entry(0)->m_nMsnGo) << nVersion;
    }
}

TEST_F(CData_DialNameTest, EntriesBehindOneWithoutNumberSurviveSavingAndReading)
{
    CTest_TempDir dir;
    CData_AllDialName book;
    for (const auto& e : {std::pair<const char*, const char*>{"Anna", "11"}, {"Bert", ""}, {"Carl", "33"}})
        book.m_List.Append(Entry(book.Count(), e.first, e.second));
    ASSERT_EQ(1, WritePhonebook(dir.File("gap.721"), book));

    CData_AllDialName read;
    ASSERT_EQ(1, ReadPhonebook(dir.File("gap.721"), read));
    ASSERT_EQ(2, read.Count());
    EXPECT_EQ("Anna", read.Entry(0)->m_strName);
    EXPECT_EQ("Carl", read.Entry(1)->m_strName);
    EXPECT_EQ("33", read.Entry(1)->m_strMsnExt);
}

TEST_F(CData_DialNameTest, ReadingStopsAt250Entries)
{
    CTest_TempDir dir;
    std::string text;
    char sz[128];
    for (int i = 0; i < 260; ++i)
    {
        std::snprintf(sz, sizeof sz,
                      "[DialName_%08X]\r\nMelodyExt=0\r\nLoud=3\r\nName=N%03d\r\nMsnExt=%d\r\n", i, i,
                      1000 + i);
        text += sz;
    }
    TestWriteFile(dir.File("big.721"), text);
    CData_AllDialName book;
    ASSERT_EQ(1, ReadPhonebook(dir.File("big.721"), book));
    EXPECT_EQ(250, book.Count());
    EXPECT_EQ("N249", book.Entry(249)->m_strName);
    // A further entry does not fit.
    EXPECT_EQ(nullptr, book.m_List.Insert(Entry(250, "X", "1")));
}

struct SortCase
{
    const char* pszWhat;
    int nFirst;
    int nSecond;
    std::vector<std::pair<std::string, std::string>> entries; // name, number
    std::vector<std::string> expectedNumbers;
};

class CData_DialNameSort : public CData_DialNameTest, public ::testing::WithParamInterface<SortCase>
{
};

TEST_P(CData_DialNameSort, PhonebookOrder)
{
    const SortCase& c = GetParam();
    CData_LstData::SetSortColumns(c.nFirst, c.nSecond);
    CData_AllDialName book;
    int n = 0;
    for (const auto& e : c.entries)
        book.m_List.Insert(Entry(n++, e.first.c_str(), e.second.c_str()));
    book.Sort();
    std::vector<std::string> numbers;
    for (int i = 0; i < book.Count(); ++i)
        numbers.push_back(book.Entry(i)->m_strMsnExt);
    EXPECT_EQ(c.expectedNumbers, numbers) << c.pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CData_DialNameSort,
    ::testing::Values(
        SortCase{"empty names last",
                 1,
                 2,
                 {{"", "1"}, {"Zoe", "2"}, {"", "0"}, {"Al", "3"}},
                 {"3", "2", "0", "1"}},
        SortCase{"case only: the number decides",
                 1,
                 2,
                 {{"MEIER", "9"}, {"meier", "5"}, {"Meier", "7"}},
                 {"5", "7", "9"}},
        SortCase{"umlaut capitals compare as small ones",
                 1,
                 2,
                 {{"\xDC"
                   "ber",
                   "2"},
                  {"\xFC"
                   "ber",
                   "1"}},
                 {"1", "2"}},
        SortCase{"phone alphabet: space, digits, letters",
                 1,
                 2,
                 {{"b", "1"}, {"a b", "2"}, {"ab", "3"}, {"9", "4"}},
                 {"4", "2", "3", "1"}},
        SortCase{"a-umlaut between a and b", 1, 2, {{"b", "1"}, {"\xE4", "2"}, {"a", "3"}}, {"3", "2", "1"}},
        SortCase{"bytes outside the alphabet by their value",
                 1,
                 2,
                 {{"x\x02", "1"}, {"x\x01", "2"}, {"x\x03", "3"}},
                 {"2", "1", "3"}},
        SortCase{"by number, then name",
                 2,
                 1,
                 {{"b", "2"}, {"a", "2"}, {"c", "1"}, {"d", ""}},
                 {"1", "2", "2", ""}}));

TEST_F(CData_DialNameTest, ListCopiesFiltersAndCompares)
{
    CData_LstData list(5);
    for (int i : {8, 3, 5})
        list.Insert(Entry(i, "N", std::to_string(i).c_str()));
    std::unique_ptr<CData> copy(list.NewDeepCopy());
    ASSERT_NE(nullptr, copy);
    auto* pCopy = dynamic_cast<CData_LstData*>(copy.get());
    ASSERT_NE(nullptr, pCopy);
    EXPECT_EQ(5u, pCopy->Capacity());
    EXPECT_TRUE(*pCopy == list);
    pCopy->Get(0)->m_nLoud = 1;
    EXPECT_FALSE(*pCopy == list) << "the copy owns its entries";
    EXPECT_EQ(3, list.Get(0)->m_nLoud);

    list.Filter([](const CData_DialName& e) { return e.Number() != 5; });
    ASSERT_EQ(2u, list.Count());
    EXPECT_EQ(3, list.Get(0)->Number());
    EXPECT_EQ(8, list.Get(1)->Number());
    CData_LstData shorter(5);
    shorter.Insert(Entry(3, "N", "3"));
    EXPECT_FALSE(shorter == list);
}
} // namespace
