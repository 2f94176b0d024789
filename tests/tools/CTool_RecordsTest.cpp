// records: the data records of every block, checked against records worked out by hand from the
// record layouts, for three phone types whose capabilities differ (the files' version texts
// choose them as a telephone's version block would).

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string Hex2(int n)
{
    char sz[4];
    std::snprintf(sz, sizeof sz, "%02x", n & 0xFF);
    return sz;
}

// The tables below group the bytes of a record by field with blanks.
std::string NoBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

struct CRecordsCase
{
    const char* pszWhat;
    const char* pszFile; // below tests/data/tool
    int nKeys;           // key blocks of the phone type
    int nMsns;           // MSN blocks
    int nCallFilters;    // call-filter blocks
    bool bKeyNames;      // key records end with the label
    bool bAlarmInfotext; // alarm calls are 0x64 with an info text
    // The records of the blocks the file sets, keyed "section record"; every other block holds
    // what an empty section gives.
    std::map<std::string, std::string> records;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const CRecordsCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

// The whole listing: the blocks the file sets from the table, every other block with the record
// an empty section gives (numbers 0, enumerations at their fallback, ranges at their lower bound).
std::string ExpectedListing(const CRecordsCase& c)
{
    std::ostringstream out;
    auto line = [&out, &c](const std::string& kind, int nBlock, int nRecord, const std::string& fallback)
    {
        char szSection[40];
        std::snprintf(szSection, sizeof szSection, "%s_%08X", kind.c_str(), nBlock);
        const std::string key = std::string(szSection) + " " + std::to_string(nRecord);
        const auto it = c.records.find(key);
        out << key << " " << (it != c.records.end() ? NoBlanks(it->second) : fallback) << "\n";
    };
    line("Version", 0, 0, "");
    for (int n = 0; n < 9; ++n)
        line("Basic", 0, n, "");
    // A DIAL key with DialKeyUse MSN and no number; the label length follows with KeyNames.
    const std::string keyTail = std::string("01010000") + (c.bKeyNames ? "00" : "");
    for (int i = 0; i < c.nKeys; ++i)
        line("Key", i, 0, "8001" + Hex2(i) + keyTail);
    for (int i = 0; i < 10; ++i)
        line("DialVip", i, 0, "6201" + Hex2(i) + "0000");
    for (int i = 0; i < c.nCallFilters; ++i)
        line("CallFilter", i, 0, "6501" + Hex2(i) + "00");
    for (int i = 0; i < 14; ++i)
        line("DialFilter", i, 0, "6101" + Hex2(i) + "00");
    // Melody, loud, internal melody and loud, the counter, three empty numbers, the deflection
    // number and the two-byte limit (internal ring and call deflection from version 2.00 on).
    for (int i = 0; i < c.nMsns; ++i)
        line("MsnPara", i, 0, "6001" + Hex2(i) + "00000000" + "00000000" + "000000" + "00" + "020000");
    // Year 2000, month 1, day 1 (the lower bounds), 00:00, setting 0.
    for (int i = 0; i < 3; ++i)
        line("AlarmCall", i, 0,
             c.bAlarmInfotext ? "6401" + Hex2(i) + "00010100000000" : "6301" + Hex2(i) + "000101000000");
    // Calls until the deflection are sent plus one.
    line("AnswerMaschine", 0, 0, "a00100000000000001000000");
    // The operating mode and the message time start at 1; the first three MSNs carry the week plan.
    for (int i = 0; i < 11; ++i)
        line("AnsMaschPerMsn", i, 0,
             "a101" + Hex2(i) + "0000010100000000" + (i < 3 ? "0001" + std::string(42, '0') : std::string()));
    for (int i = 0; i < 9; ++i)
        line("AnsMaschTimeType", i, 0, "a201" + Hex2(i) + "00000000");
    line("Tone", 0, 0, "a40100");
    line("VoiceMail", 0, 0, "a50100");
    line("Audio", 0, 0, "36010000000000");
    for (int i = 0; i < 4; ++i)
        line("VersionModule", i, 0, "9f01" + Hex2(i) + "00000000");
    for (int i = 0; i < 126; ++i)
        line("KeyE920", i, 0, "9001" + Hex2(i) + keyTail);
    return out.str();
}

// The serial number 123456789, release R1, country GER, database version 70000 are common to
// the three files.
const std::string s_serial = "09313233343536373839";
const std::string s_tail = "025231 0101 00 0400011170";

const CRecordsCase s_cases[] = {
    {"RV740 at 4.10: extended basic records, SMS record A, voice box, call filters",
     "records_rv740.cfg",
     62,
     10,
     5,
     true,
     true,
     {
         {"Version_00000000 0", "10011000 01" + s_serial + "04342e3130" + s_tail},
         // AutoExt, low power, speaker silence, E740, dial filter 1, dial length 4, PASS_LIST,
         // UUS filters internal on / external off.
         {"Basic_00000000 0", "3001 01000101 0104 02 0100"},
         {"Basic_00000000 1", "3901 01010001 01 030102 05 04 0201020101"},
         {"Basic_00000000 2", "3201 01 24"},
         {"Basic_00000000 3", "3301 01 02 02"},
         {"Basic_00000000 4", "3401 0101 01 03 00 03"},
         // 0,12 as mantissa 12, exponent 2; EUR; 55; 0; 00; 110; the counter 70000.
         {"Basic_00000000 5", "3801 000c02 03455552 023535 0130 023030 03313130 0400011170"},
         {"Basic_00000000 6", "1101 04 4281726f"},
         {"Basic_00000000 7", "4101 07 30313933303130 01 0430313930 00"},
         // TALVO with voice box: 0x37; LinkEndInfo Off is sent as 1.
         {"Basic_00000000 8", "3701 02 01 023132"},
         {"Key_00000005 0", "8001 05 01 01 00 07 30333031323334 04 54617869"},
         {"CallFilter_00000001 0", "6501 01 04 30313930"},
         {"MsnPara_00000002 0",
          "6001 02 07 04 03 02 00011170 06333031323334 044281726f 00 0430333031 02 01f4"},
     }},
    {"RV930 at 3.40: eighth volume step, head-set type, auto answer, no voice box",
     "records_rv930.cfg",
     62,
     10,
     5,
     true,
     true,
     {
         {"Version_00000000 0", "10011600 01" + s_serial + "04332e3430" + s_tail},
         {"Basic_00000000 0", "3001 00010000 0203 01 0001"},
         {"Basic_00000000 1", "3101 02000000 02 070306 01 07"},
         // REPEAT_CARRIER (4) in the high half, 9 repetitions in the low half.
         {"Basic_00000000 2", "3201 00 49"},
         {"Basic_00000000 3", "3301 00 01 09 03 02"},
         {"Basic_00000000 4", "3401 0100 03 02 01 0a"},
         {"Basic_00000000 5", "3801 000f01 02444d 0137 00 00 00 04ffffffff"},
         {"Basic_00000000 6", "1101 05 4c61676572"},
         {"Basic_00000000 7", "4001 07 30313834363330"},
         {"Basic_00000000 8", "3501 01 00"},
         // AWS: the MSN, BUSY, the target; then the label.
         {"Key_00000000 0", "8001 00 0f 03 03 04 30333031 09 556d6c656974756e67"},
         {"Key_00000001 0", "8001 01 03 12 00 00 00"},
         {"CallFilter_00000004 0", "6501 04 04 30393030"},
         {"DialFilter_00000007 0", "6101 07 05 303139302a"},
         {"MsnPara_00000000 0", "6001 00 13 07 01 00 00000001 03233331 058e72676572 00 00 02 270f"},
     }},
    {"RV730 at 2.20: ten keys, three MSNs, no call filters, plain basic records",
     "records_rv730.cfg",
     10,
     3,
     0,
     true,
     false,
     {
         {"Version_00000000 0", "10011400 01" + s_serial + "04322e3230" + s_tail},
         {"Basic_00000000 0", "3001 00000000 0009"},
         {"Basic_00000000 1", "3101 00000000 00 060201 03 02"},
         {"Basic_00000000 2", "3201 01 11"},
         {"Basic_00000000 3", "3301 00 01 01"},
         {"Basic_00000000 4", "3401 0001 02 01 00 05"},
         // 12345 keeps four digits: mantissa 1234, exponent 0.
         {"Basic_00000000 5", "3801 04d200 044c697265 023132 00 00 032a2331 0400000100"},
         {"Basic_00000000 6", "1101 04 466c7572"},
         {"Basic_00000000 7", "4001 00"},
         {"Basic_00000000 8", "3501 00 00"},
         {"Key_00000009 0", "8001 09 04 02 00 0430303439 08 5a656e7472616c65"},
         {"MsnPara_00000001 0",
          "6001 01 02 01 04 03 00000000 0435353531 04466c7572 0430313732 0430383030 02 0000"},
     }},
};

class ToolRecords : public ::testing::TestWithParam<CRecordsCase>
{
};

TEST_P(ToolRecords, MatchRecordsWorkedOutByHand)
{
    const CRecordsCase& c = GetParam();
    const CTest_ToolRun run = RunTool({"records", TestDataPath(std::string("tool/") + c.pszFile)});
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_EQ("", run.err);
    const std::string expected = ExpectedListing(c);
    EXPECT_TRUE(expected == run.out) << c.pszWhat;
    // Name the first line that differs: the whole listing is long.
    std::istringstream e(expected);
    std::istringstream a(run.out);
    std::string le;
    std::string la;
    while (std::getline(e, le))
    {
        if (!std::getline(a, la))
            la = "<end of the listing>";
        if (le != la)
        {
            ADD_FAILURE() << "expected " << le << "\n     got " << la;
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PhoneTypes, ToolRecords, ::testing::ValuesIn(s_cases));

TEST(ToolRecordsUsage, MissingFileAndWrongArgumentsAreUsageErrors)
{
    const CTest_ToolRun missing = RunTool({"records", "/nonexistent/a.cfg"});
    EXPECT_EQ(2, missing.nExit);
    EXPECT_NE(std::string::npos, missing.err.find("cannot read /nonexistent/a.cfg")) << missing.err;
    EXPECT_EQ("", missing.out);
    EXPECT_EQ(2, RunTool({"records"}).nExit);
    EXPECT_EQ(2, RunTool({"records", "a", "b"}).nExit);
}

TEST(ToolRecordsRole, APhonebookRunListsTheVersionAndThePhonebookBlocks)
{
    CTest_TempDir dir;
    const std::string path = dir.File("pb.cfg");
    // Two entries in file order Zoo, Abc: the phonebook is sorted on reading. The header block
    // keeps the count of its own section, which the file lacks.
    TestWriteFile(path, "\r\n[Version_00000000]\r\nPhoneType=RV740\r\nVersion=4.10\r\n"
                        "\r\n[DialName_00000000]\r\nMelodyExt=2\r\nLoud=4\r\nName=Zoo\r\nMsnExt=0301\r\n"
                        "MsnGo=1\r\nInfotext=\r\n"
                        "\r\n[DialName_00000001]\r\nMelodyExt=0\r\nLoud=1\r\nName=Abc\r\nMsnExt=12\r\n"
                        "MsnGo=0\r\nInfotext=x\r\n");
    const CTest_ToolRun run = RunTool({"--role", "phonebook", "records", path});
    ASSERT_EQ(0, run.nExit) << run.err;
    // Entries are 0x22 with an info text from 4.00 on, with the MsnGo byte from 2.00 on.
    const std::string expected = "Version_00000000 0 " +
                                 NoBlanks("100110000000 04342e3130 00 0100 00 0400000000") +
                                 "\nDialNameBasic_00000000 0 200100\n"
                                 "DialName_00000000 0 " +
                                 NoBlanks("220100 00 01 00 03416263 023132 0178") + "\nDialName_00000001 0 " +
                                 NoBlanks("220101 02 04 01 035a6f6f 0430333031 00") + "\n";
    EXPECT_EQ(expected, run.out);
}
} // namespace
