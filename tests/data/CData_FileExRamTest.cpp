#include "data/CData_FileExRam.h"

#include "support/Trace.h"
#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_WriteLimit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace
{
std::string GetStr(CData_FileExRam& file, const char* section, const char* key, const char* def = "<default>")
{
    std::string value;
    file.GetString(section, key, def, value);
    return value;
}

TEST(CData_FileExRam, WritesHeadersKeysAndBinaryValuesByteExactly)
{
    CTest_TempDir dir;
    const std::string path = dir.File("out.721");
    CData_FileExRam file(path.c_str());
    ASSERT_EQ(1, file.Open(0));
    const unsigned char binary[] = {0x00, 0x0D, 0x5D, 0x0A, 0x0D, 0xFF};
    EXPECT_EQ(1, file.PutString("Basic_00000000", "PhoneType", "RV740"));
    EXPECT_EQ(1, file.PutString("Basic_00000000", "UnitName", "B\xFCro"));
    EXPECT_EQ(1, file.PutString("Key_00000000", "KeyUse", "DIAL"));
    EXPECT_EQ(1, file.PutStruct("Key_00000000", "MacroStruct", binary, sizeof binary));
    // Coming back to a section writes its header again.
    EXPECT_EQ(1, file.PutString("Basic_00000000", "Empty", ""));
    EXPECT_EQ(1, file.Close());
    EXPECT_EQ(TestReadFile(TestDataPath("filestore/written.721")), TestReadFile(path));

    // Reading it back: of the two Basic headers only one is found; binary bytes CR, "]" and the
    // pair LF CR come back as zeros.
    ASSERT_EQ(1, file.Open(1));
    EXPECT_EQ("RV740", GetStr(file, "Basic_00000000", "PhoneType"));
    EXPECT_EQ("<default>", GetStr(file, "Basic_00000000", "Empty"));
    unsigned char back[6] = {};
    EXPECT_EQ(1, file.GetStruct("Key_00000000", "MacroStruct", back, sizeof back));
    const unsigned char expected[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};
    EXPECT_EQ(0, std::memcmp(expected, back, sizeof back));
    EXPECT_EQ(1, file.Close());
}

TEST(CData_FileExRam, ValueWithLineBytesKeepsItsRestAndTheKeysAfterIt)
{
    // A value is written as one line: bytes that would end it are written as harmless ones, so
    // nothing of the value is lost and nothing of it becomes a key of its own.
    struct Case
    {
        const char* written;
        const char* readBack;
    };
    const Case cases[] = {
        {"Office [2]", "Office [2)"},
        {"abc]Name=evil", "abc)Name=evil"},
        {"a\rb", "a b"},
        {"line\n", "line "},
        {"a\nb", "a\nb"},
    };
    CTest_TempDir dir;
    const std::string path = dir.File("values.721");
    CData_FileExRam file(path.c_str());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.written);
        ASSERT_EQ(1, file.Open(0));
        EXPECT_EQ(1, file.PutString("Dial_00000000", "Name", c.written));
        EXPECT_EQ(1, file.PutString("Dial_00000000", "Number", "0815"));
        ASSERT_EQ(1, file.Close());
        ASSERT_EQ(1, file.Open(1));
        EXPECT_EQ(c.readBack, GetStr(file, "Dial_00000000", "Name"));
        EXPECT_EQ("0815", GetStr(file, "Dial_00000000", "Number"));
        EXPECT_EQ(1, file.Close());
    }
}

struct ReadCase
{
    const char* section;
    const char* key;
    int found;
    const char* value;
};

class CData_FileExRamRead : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(CData_FileExRamRead, FollowsTheLookupRules)
{
    const ReadCase& c = GetParam();
    CData_FileExRam file(TestDataPath("filestore/reading.721").c_str());
    ASSERT_EQ(1, file.Open(1));
    std::string value;
    EXPECT_EQ(c.found, file.GetString(c.section, c.key, "<default>", value));
    EXPECT_EQ(std::string(c.value), value);
    file.Close();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CData_FileExRamRead,
    ::testing::Values(
        // Section names are found regardless of case, keys only with their exact case.
        ReadCase{"Basic_00000000", "PhoneType", 1, "RV740"},
        ReadCase{"BASIC_00000000", "PhoneType", 1, "RV740"},
        ReadCase{"Basic_00000000", "phonetype", 0, "<default>"},
        ReadCase{"Basic_00000000", "Lowercase", 0, "<default>"},
        ReadCase{"Basic_00000000", "lowercase", 1, "1"},
        // Key does not match KeyName, and a blank before a key hides it.
        ReadCase{"Basic_00000000", "Key", 1, "short"}, ReadCase{"Basic_00000000", "KeyName", 1, "long"},
        ReadCase{"Basic_00000000", "Leading", 0, "<default>"},
        // "]" ends a value; the rest becomes a line of its own.
        ReadCase{"Basic_00000000", "Mixed", 1, "abc"},
        // The first of two equal keys wins; "=" inside a value.
        ReadCase{"Basic_00000000", "Dup", 1, "first"}, ReadCase{"Basic_00000000", "A", 1, "B=C"},
        ReadCase{"Basic_00000000", "A=B", 1, "C"},
        // Keys of the next section are not found from this one.
        ReadCase{"Basic_00000000", "KeyUse", 0, "<default>"},
        ReadCase{"Empty_00000000", "KeyUse", 0, "<default>"},
        // Two headers with one name: the first is found.
        ReadCase{"Key_00000000", "KeyUse", 1, "LINE"},
        // Lines ended by LF alone run together: only the first key of the run is found.
        ReadCase{"LfOnly_00000000", "One", 1, "1\nTwo=2\nThree=3"},
        ReadCase{"LfOnly_00000000", "Two", 0, "<default>"}, ReadCase{"LfOnly_00000000", "Four", 1, "4"},
        // The last key of a file without a final line end.
        ReadCase{"Last_00000000", "Tail", 1, "end"}, ReadCase{"Missing_00000000", "Tail", 0, "<default>"}));

TEST(CData_FileExRam, DestinationIsNeverOverrun)
{
    CData_FileExRam file(TestDataPath("filestore/reading.721").c_str());
    ASSERT_EQ(1, file.Open(1));
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(1, file.GetString("LfOnly_00000000", "One", "", buffer, 4));
    EXPECT_STREQ("1\nT", buffer);
    EXPECT_EQ('x', buffer[4]);
    // The default is cut the same way.
    EXPECT_EQ(0, file.GetString("LfOnly_00000000", "Two", "defaultvalue", buffer, 5));
    EXPECT_STREQ("defa", buffer);
    EXPECT_EQ('x', buffer[5]);
    file.Close();
}

TEST(CData_FileExRam, StructAtTheEndOfTheFileReadsZerosBeyondIt)
{
    CData_FileExRam file;
    const char text[] = "\r\n[S_00000000]\r\nBin=ab";
    ASSERT_EQ(1, file.OpenBuffer(text, sizeof text - 1));
    unsigned char back[6];
    std::memset(back, 0x55, sizeof back);
    EXPECT_EQ(1, file.GetStruct("S_00000000", "Bin", back, sizeof back));
    const unsigned char expected[] = {'a', 'b', 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expected, back, sizeof back));
    // A missing key leaves the destination as it was.
    EXPECT_EQ(0, file.GetStruct("S_00000000", "Other", back, 2));
    EXPECT_EQ('a', back[0]);
    file.Close();
}

TEST(CData_FileExRam, ZeroByteFileOpensAndFindsNothing)
{
    CTest_TempDir dir;
    TestWriteFile(dir.File("empty.721"), "");
    CData_FileExRam file(dir.File("empty.721").c_str());
    ASSERT_EQ(1, file.Open(1));
    EXPECT_EQ("<default>", GetStr(file, "Basic_00000000", "PhoneType"));
    unsigned char b = 7;
    EXPECT_EQ(0, file.GetStruct("Basic_00000000", "X", &b, 1));
    EXPECT_EQ(7, b);
    EXPECT_EQ(1, file.Close());
}

TEST(CData_FileExRam, StateRules)
{
    CTest_TempDir dir;
    CData_FileExRam file(dir.File("missing.721").c_str());
    // Not open: gets and puts fail and leave the destination alone.
    char buffer[4] = "abc";
    EXPECT_EQ(0, file.GetString("S", "K", "d", buffer, sizeof buffer));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(0, file.PutString("S", "K", "v"));
    EXPECT_EQ(0, file.PutStruct("S", "K", "v", 1));
    // A missing file cannot be opened for reading.
    EXPECT_EQ(0, file.Open(1));
    EXPECT_FALSE(file.IsOpen());
    // Open twice gives 0 and changes nothing.
    ASSERT_EQ(1, file.Open(0));
    EXPECT_EQ(0, file.Open(1));
    EXPECT_EQ(1, file.PutString("S", "K", "v"));
    EXPECT_EQ(1, file.Close());
    EXPECT_EQ(1, file.Close());
    // A new write starts with a header again, even for the section written last.
    ASSERT_EQ(1, file.Open(0));
    EXPECT_EQ(1, file.PutString("S", "K", "w"));
    EXPECT_EQ(1, file.Close());
    EXPECT_EQ("\r\n[S]\r\nK=w\r\n", TestReadFile(dir.File("missing.721")));

    // File names: too long ones are refused and leave the empty name; the longest is taken.
    const std::string longName(CData_FileExRam::FILE_NAME_MAX + 1, 'a');
    EXPECT_EQ(0, file.SetFileName(longName.c_str()));
    EXPECT_EQ("", file.FileName());
    EXPECT_EQ(1, file.SetFileName(longName.c_str() + 1));
    EXPECT_EQ(longName.substr(1), file.FileName());
    EXPECT_EQ(1, file.SetFileName("x.721"));
    char name[CData_FileExRam::FILE_NAME_MAX + 1];
    EXPECT_EQ(1, file.GetFileName(name, sizeof name));
    EXPECT_STREQ("x.721", name);
    EXPECT_EQ(0, file.GetFileName(name, 10));
    EXPECT_STREQ("", name);
}

TEST(CData_FileExRam, FailedSaveKeepsThePreviousFileAndSaysSo)
{
    CTest_TempDir dir;
    // Under a directory that does not exist nothing can be written.
    CData_FileExRam missing(dir.File("no/such/dir/x.721").c_str());
    EXPECT_EQ(0, missing.Open(0));
    EXPECT_NE(0, missing.LastError());

    // A target that cannot be replaced (a non-empty directory in its place): Close reports the
    // failure, and neither the target nor a temporary file is left changed behind.
    const std::string target = dir.File("taken.721");
    std::filesystem::create_directory(target);
    TestWriteFile(target + "/keep", "old");
    CData_FileExRam file(target.c_str());
    ASSERT_EQ(1, file.Open(0));
    file.PutString("S", "K", "v");
    EXPECT_EQ(0, file.Close());
    EXPECT_NE(0, file.LastError());
    EXPECT_EQ("old", TestReadFile(target + "/keep"));
    EXPECT_FALSE(std::filesystem::exists(target + ".~tmp"));

    // An open write leaves the old file intact until Close.
    const std::string real = dir.File("real.721");
    TestWriteFile(real, "previous");
    CData_FileExRam writer(real.c_str());
    ASSERT_EQ(1, writer.Open(0));
    writer.PutString("S", "K", "v");
    EXPECT_EQ("previous", TestReadFile(real));
    EXPECT_EQ(1, writer.Close());
    EXPECT_EQ("\r\n[S]\r\nK=v\r\n", TestReadFile(real));
}

TEST(CData_FileExRam, RefusesWhatIsNoConfigurationBeforeReadingIt)
{
    CTest_TempDir dir;
    // Larger than the limit (a hole: nothing is on the disk, and nothing may be read).
    const std::string huge = dir.File("huge.721");
    TestWriteFile(huge, "");
    std::filesystem::resize_file(huge, CData_FileExRam::FILE_SIZE_MAX + 1);
    for (const auto& [path, nError] : {std::pair<std::string, int>{huge, EFBIG}, {"/dev/zero", EINVAL}})
    {
        CData_FileExRam file(path.c_str());
        EXPECT_EQ(0, file.Open(1)) << path;
        EXPECT_EQ(nError, file.LastError()) << path;
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(CData_FileExRam, FullDiskFailsTheSaveAndKeepsThePreviousFile)
{
    CTest_TempDir dir;
    const std::string target = dir.File("cfg.721");
    TestWriteFile(target, "previous");
    // The disk fills up after 200 kB of a save of about 1 MB.
    {
        const CTest_WriteLimit fullDisk(200 * 1024);
        CData_FileExRam file(target.c_str());
        ASSERT_EQ(1, file.Open(0));
        const std::string value(100, 'v');
        for (int i = 0; i < 10000; ++i)
            file.PutString("Big_00000000", ("Key" + std::to_string(i)).c_str(), value.c_str());
        EXPECT_EQ(0, file.Close());
        EXPECT_EQ(EFBIG, file.LastError());
    }
    EXPECT_EQ("previous", TestReadFile(target));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

struct CPrefixCase
{
    const char* pszWhat;
    std::vector<const char*> keys; // looked up in this order; the last one is checked
    int nFound;
    const char* pszValue;
};

class CData_FileExRamPrefix : public ::testing::TestWithParam<CPrefixCase>
{
};

// A key is never found in a line whose key only begins with it, whether the lookup follows the
// file's order or goes through the section's index.
TEST_P(CData_FileExRamPrefix, KeyMatchesWholeKeysOnly)
{
    const CPrefixCase& c = GetParam();
    const std::string text = "\r\n[Basic_00000000]\r\nDialLen=3\r\nDialPreInt=12\r\nDialPreIntX=13\r\n";
    CData_FileExRam file;
    ASSERT_EQ(1, file.OpenBuffer(text.data(), text.size()));
    std::string value;
    int nFound = -1;
    for (const char* pszKey : c.keys)
        nFound = file.GetString("Basic_00000000", pszKey, "<default>", value);
    EXPECT_EQ(c.nFound, nFound) << c.pszWhat;
    EXPECT_EQ(c.pszValue, value) << c.pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CData_FileExRamPrefix,
    ::testing::Values(CPrefixCase{"in order", {"DialLen", "DialPre"}, 0, "<default>"},
                      CPrefixCase{"first lookup", {"DialPre"}, 0, "<default>"},
                      CPrefixCase{"indexed", {"Other", "DialPre"}, 0, "<default>"},
                      CPrefixCase{"after the missing one", {"DialLen", "DialPre", "DialPreInt"}, 1, "12"},
                      CPrefixCase{"longer key in order", {"DialLen", "DialPreInt"}, 1, "12"},
                      CPrefixCase{"key longer than the line's", {"DialLen", "DialPreIntXY"}, 0, "<default>"}),
    [](const auto& row) { return "Case" + std::to_string(row.index); });

std::string Folded(std::string text, bool bUpper)
{
    for (char& ch : text)
        ch = static_cast<char>(bUpper ? std::toupper(static_cast<unsigned char>(ch))
                                      : std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

TEST(CData_FileExRam, SectionNamesIgnoreTheCaseOfEveryLetter)
{
    // Each letter in a short name and in a name long enough to be compared a word at a time. The
    // characters beside the letters ("@" and "`", "[" and "{") have no case.
    std::vector<std::string> names;
    for (char c = 'A'; c <= 'Z'; ++c)
    {
        names.push_back(std::string(1, c));
        names.push_back("SECTION_" + std::string(1, c) + "_OF_A_LONG_NAME_" + c);
    }
    // Upper-case names asked for in lower case and the other way round; in file order and backwards
    // (each order takes another way to the section).
    for (const bool bLowerFile : {false, true})
    {
        std::string file;
        for (const std::string& name : names)
            file += "\r\n[" + Folded(name, !bLowerFile) + "]\r\nK=" + Folded(name, !bLowerFile) + "\r\n";
        file += "\r\n[@]\r\nK=@\r\n\r\n[[]\r\nK=[\r\n";
        CData_FileExRam store;
        ASSERT_EQ(1, store.OpenBuffer(file.data(), file.size()));
        std::string value;
        for (int nPass = 0; nPass < 2; ++nPass)
            for (size_t i = 0; i < names.size(); ++i)
            {
                const std::string& name = names[nPass ? names.size() - 1 - i : i];
                const std::string asked = Folded(name, bLowerFile);
                EXPECT_EQ(1, store.GetString(asked.c_str(), "K", "", value)) << asked;
                EXPECT_EQ(Folded(name, !bLowerFile), value);
            }
        EXPECT_EQ(1, store.GetString("@", "K", "", value));
        EXPECT_EQ(1, store.GetString("[", "K", "", value));
        EXPECT_EQ(0, store.GetString("`", "K", "", value));
        EXPECT_EQ(0, store.GetString("{", "K", "", value));
    }
}

TEST(CData_FileExRam, TraceLines)
{
    CTest_TempDir dir(true);
    TraceReset();
    TestWriteFile("##Trace.###", "");
    {
        CData_FileExRam file("cfg.721");
        std::string v;
        file.GetString("S", "K", "", v); // not open
        file.Open(1);                    // missing
        TestWriteFile("cfg.721", "\r\n[A_00000000]\r\nK=1\r\n");
        file.Open(1);
        file.GetString("A_00000000", "K", "", v);
        file.GetString("B_00000000", "K", "", v);
        file.GetString("B_00000000", "L", "", v); // same section: no second "not found"
        unsigned char b;
        file.GetStruct("C_00000000", "M", &b, 1);
        file.Close();
        file.PutString("A", "K", "v");
    }
    std::string trace;
    for (const auto& e : std::filesystem::directory_iterator("."))
        if (e.path().extension() == ".Lg")
            trace = TestReadFile(e.path().string());
    TraceReset();
    // Strip the time prefixes.
    std::string lines;
    for (size_t pos = 0; (pos = trace.find("] ", pos)) != std::string::npos;)
    {
        const size_t end = trace.find("\r\n", pos);
        lines += trace.substr(pos + 2, end - pos - 2) + "|";
        pos = end;
    }
    EXPECT_EQ("CData_FileExRam: GetString() File not opened!|"
              "CData_FileExRam: Open() cfg.721|CData_FileExRam: Open() fails!|"
              "CData_FileExRam: Open() cfg.721|"
              "CLst_StrPtr: Constructor()|CMap_StrPtr: Constructor()|"
              "CData_FileExRam: GetString() Section not found: B_00000000|"
              "CData_FileExRam: B_00000000 GetString() default: K|"
              "CData_FileExRam: B_00000000 GetString() default: L|"
              "CData_FileExRam: GetStruct() Section not found: C_00000000|"
              "CData_FileExRam: C_00000000 GetStruct() default: M|"
              "CData_FileExRam: Close()|CLst_StrPtr: Destructor()|CMap_StrPtr: Destructor()|"
              "CData_FileExRam: PutString() File not opened!|"
              "CData_FileExRam: Close()|",
              lines);
}
} // namespace

namespace
{
// What a scan from the section start finds: the reference for every lookup order.
bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// What a scan from the section start finds, in the first section of the name (any case): the
// reference for every lookup order.
std::string ScanReference(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections,
                          const std::string& section, const std::string& key, bool& found)
{
    found = false;
    for (const auto& s : sections)
    {
        if (!SameName(s.first, section))
            continue;
        for (const std::string& line : s.second)
            if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == '=')
            {
                found = true;
                return line.substr(key.size() + 1);
            }
        return {};
    }
    return {};
}

// Lengths of the filler around the number in a key: keys of 2 to 42 bytes, matched at the line in
// file order or (the longest) through the index.
size_t RandomFill(std::mt19937& rng)
{
    static const size_t s_fill[] = {0, 0, 0, 2, 6, 7, 13, 14, 15, 22, 29, 30, 40};
    return s_fill[rng() % std::size(s_fill)];
}

TEST(CData_FileExRam, AnyLookupOrderGivesTheFirstLineOfAKey)
{
    // Random sections with few distinct keys (so duplicates abound), looked up in file order,
    // repeated, shuffled and interleaved across sections.
    std::mt19937 rng(740);
    for (int round = 0; round < 200; ++round)
    {
        std::vector<std::pair<std::string, std::vector<std::string>>> sections;
        std::string text;
        // Six keys a round, the lines use five: most have the same filler before and after their
        // number, so that they differ only in the middle; the others are prefixes of them or longer.
        std::vector<std::string> keys;
        const size_t nBefore = RandomFill(rng);
        const size_t nAfter = RandomFill(rng);
        for (int k = 0; k < 6; ++k)
        {
            const size_t nFill = rng() % 3 ? nBefore : RandomFill(rng);
            keys.push_back(std::string(nFill, 'x') + "K" + std::to_string(k) +
                           std::string(rng() % 3 ? nAfter : RandomFill(rng), 'x'));
        }
        // Section names repeat and change case now and then.
        const int nSections = 1 + static_cast<int>(rng() % 5);
        for (int s = 0; s < nSections; ++s)
        {
            std::string name = "Sec" + std::to_string(rng() % 4 == 0 ? rng() % 3 : s);
            if (rng() % 4 == 0)
                name[0] = 's';
            std::vector<std::string> lines;
            text += "\r\n[" + name + "]\r\n";
            const int nLines = static_cast<int>(rng() % 12);
            for (int l = 0; l < nLines; ++l)
            {
                const std::string key = keys[rng() % 5] + (rng() % 3 == 0 ? "=x" : "");
                const std::string line = key + "=" + std::to_string(round) + "." + std::to_string(l) +
                                         std::string(rng() % 4 ? 0 : rng() % 40, 'v');
                lines.push_back(line);
                text += line + "\r\n";
            }
            sections.emplace_back(name, lines);
        }
        CData_FileExRam file;
        ASSERT_EQ(1, file.OpenBuffer(text.data(), text.size()));
        size_t nSection = 0;
        size_t nLine = 0;
        for (int q = 0; q < 60; ++q)
        {
            // Mostly the keys of the lines in file order, section by section, as blocks read (a line
            // passed over, or asked for again, now and then); sometimes anything anywhere.
            const auto& in = sections[nSection % sections.size()];
            std::string section = in.first;
            std::string key;
            if (nLine < in.second.size() && rng() % 4)
            {
                const std::string& line = in.second[nLine];
                // The line's key, or what it was written with when that holds "=".
                key = line.substr(0, rng() % 2 ? line.find('=') : line.rfind('='));
                nLine += rng() % 6 ? 1 : rng() % 3;
            }
            else
            {
                if (nLine >= in.second.size() || rng() % 2)
                {
                    ++nSection;
                    nLine = 0;
                }
                if (rng() % 2)
                    section = "Sec" + std::to_string(rng() % (nSections + 1));
                key = keys[rng() % keys.size()];
                if (rng() % 5 == 0)
                    key += "=x";
            }
            if (rng() % 5 == 0)
                section[0] = section[0] == 'S' ? 's' : 'S';
            bool bFound = false;
            const std::string expected = ScanReference(sections, section, key, bFound);
            // Into a string, or into a buffer that may be too small for the value.
            std::string value;
            char buffer[48];
            const size_t nSize = 1 + rng() % sizeof buffer;
            const bool bString = rng() % 2;
            const int nFound = bString ? file.GetString(section.c_str(), key.c_str(), "", value)
                                       : file.GetString(section.c_str(), key.c_str(), "", buffer, nSize);
            if (!bString)
                value = buffer;
            EXPECT_EQ(bFound ? 1 : 0, nFound) << "round " << round << " " << section << " " << key;
            EXPECT_EQ(bString ? expected : expected.substr(0, nSize - 1), value)
                << "round " << round << " " << section << " " << key;
        }
        file.Close();
    }
}
} // namespace

namespace
{
// Every answer a loaded text gives: each line's key looked up in its section, in file order.
std::string Answers(CData_FileExRam& file, const std::string& text)
{
    std::string answers;
    std::string section;
    size_t nStart = 0;
    while (nStart < text.size())
    {
        size_t nEnd = text.find_first_of("\r\n]", nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        const std::string line = text.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (!line.empty() && line[0] == '[')
            section = line.substr(1);
        else if (line.find('=') != std::string::npos)
        {
            std::string value;
            const int nFound =
                file.GetString(section.c_str(), line.substr(0, line.find('=')).c_str(), "-", value);
            answers += std::to_string(nFound) + value + "|";
        }
    }
    return answers;
}
} // namespace

TEST(CData_FileExRam, BytesFromABufferLoadAsTheSameBytesFromAFile)
{
    // A buffer is copied into the text as it is scanned, a file is scanned where it was read: line
    // ends in every position around the scan's 64-byte blocks and the end of the bytes, and a text
    // large enough to be prefetched, with more lines and sections than the lists first hold.
    std::mt19937 rng(64);
    const char alphabet[] = "\r\n]=[ab";
    std::vector<std::string> texts;
    for (size_t n : {1u, 2u, 63u, 64u, 65u, 66u, 127u, 128u, 129u, 130u, 191u, 192u, 193u, 300u})
        for (int i = 0; i < 20; ++i)
        {
            std::string text;
            for (size_t k = 0; k < n; ++k)
                text += alphabet[rng() % (sizeof alphabet - 1)];
            texts.push_back(text);
        }
    std::string large;
    for (int i = 0; large.size() < 400 * 1024; ++i)
        large += i % 7 ? "k" + std::to_string(i % 5) + "=" + std::to_string(i) + "\r"
                       : "[s" + std::to_string(i) + "]\n\r";
    texts.push_back(large);

    CTest_TempDir dir;
    const std::string path = dir.File("same.721");
    for (const std::string& text : texts)
    {
        {
            std::FILE* pFile = std::fopen(path.c_str(), "wb");
            ASSERT_NE(nullptr, pFile);
            ASSERT_EQ(text.size(), std::fwrite(text.data(), 1, text.size(), pFile));
            std::fclose(pFile);
        }
        CData_FileExRam fromFile(path.c_str());
        ASSERT_EQ(1, fromFile.Open(1));
        CData_FileExRam fromBuffer;
        ASSERT_EQ(1, fromBuffer.OpenBuffer(text.data(), text.size()));
        EXPECT_EQ(Answers(fromFile, text), Answers(fromBuffer, text)) << text.size() << " bytes";
    }
}
