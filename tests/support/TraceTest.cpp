#include "support/Trace.h"

#include "testsupport/CTest_ScriptedUi.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace
{
// Each test starts as a new run would: in an empty directory, trace unchecked.
class TraceTest : public ::testing::Test
{
protected:
    void SetUp() override { TraceReset(); }
    void TearDown() override { TraceReset(); }

    static void CreateMarker() { TestWriteFile("##Trace.###", ""); }

    // The one trace file of the run, or empty.
    static std::string TraceFile()
    {
        for (const auto& entry : fs::directory_iterator("."))
        {
            const std::string name = entry.path().filename().string();
            if (name.size() > 3 && name.compare(name.size() - 3, 3, ".Lg") == 0)
                return name;
        }
        return {};
    }

    CTest_TempDir m_dir{true};
};

TEST_F(TraceTest, WithoutMarkerNothingIsWrittenEvenIfTheMarkerAppearsLater)
{
    EXPECT_EQ(0, TraceText("one"));
    CreateMarker();
    EXPECT_EQ(0, TraceText("two"));
    TraceLine("CData_All", "MoveFile()");
    EXPECT_EQ(0, TraceAssert("x.cpp", 1));
    EXPECT_FALSE(TraceIsOn());
    EXPECT_EQ("", TraceFile());
}

TEST_F(TraceTest, MarkerTurnsTracingOnAndPiecesAreWrittenAsGiven)
{
    CreateMarker();
    EXPECT_EQ(1, TraceText("abc"));
    TraceLine("CData_FileExRam", "Open()", " ", "x.721");
    const std::string name = TraceFile();
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(S\d{6}-\d{6}\.Lg)"))) << name;
    const std::string text = TestReadFile(name);
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(abc\[\d\d:\d\d:\d\d\.\d\d\d\] CData_FileExRam: Open\(\) x\.721\r\n)")))
        << text;
}

TEST_F(TraceTest, FileNameAndTimePrefixUseUtc)
{
    EXPECT_EQ("S060301-091502.Lg", TraceFileName(2006, 3, 1, 9, 15, 2));
    EXPECT_EQ("S000102-000000.Lg", TraceFileName(2100, 1, 2, 0, 0, 0));

    // With a time zone far from UTC the prefix still shows the UTC hour.
    CreateMarker();
    const std::time_t before = std::time(nullptr);
    TraceTime();
    std::tm utc{};
    gmtime_r(&before, &utc);
    const std::string text = TestReadFile(TraceFile());
    ASSERT_GE(text.size(), 3u);
    const int hour = std::stoi(text.substr(1, 2));
    EXPECT_TRUE(hour == utc.tm_hour || hour == (utc.tm_hour + 1) % 24) << text;
    char sz[32];
    std::snprintf(sz, sizeof sz, "S%02d%02d%02d-", utc.tm_year % 100, utc.tm_mon + 1, utc.tm_mday);
    EXPECT_EQ(0u, TraceFile().find(sz));
}

struct HexCase
{
    std::vector<unsigned char> bytes;
    std::string expected;
};

TEST_F(TraceTest, HexDumpLayoutAndCap)
{
    CreateMarker();
    std::vector<unsigned char> big(300);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<unsigned char>(i);
    std::string bigExpected = "{ ";
    for (size_t i = 0; i < 256; ++i)
    {
        char sz[4];
        std::snprintf(sz, sizeof sz, "%02x ", static_cast<unsigned>(i));
        bigExpected += sz;
    }
    bigExpected += "}";

    const std::vector<HexCase> cases = {
        {{0x0A, 0xFF, 0x10}, "{ 0a ff 10 }"},
        {{}, "{ }"},
        {big, bigExpected},
    };
    std::string all;
    for (const auto& c : cases)
    {
        TraceHex(c.bytes.data(), c.bytes.size());
        all += c.expected;
    }
    EXPECT_EQ(all, TestReadFile(TraceFile()));
}

TEST_F(TraceTest, AssertAndSystemError)
{
    CreateMarker();
    EXPECT_EQ(0, TraceAssert("language_info", 42));
    CTest_ScriptedUi ui;
    const std::string text = TraceSystemError(ENOENT, true);
    EXPECT_FALSE(text.empty());
    ASSERT_EQ(1u, ui.Shown().size());
    EXPECT_EQ("Error", ui.Shown()[0].caption);
    EXPECT_EQ(CUi_Interface::ICON_INFORMATION, ui.Shown()[0].icon);
    EXPECT_EQ(text, ui.Shown()[0].text);
    TraceSystemError(ENOENT, false);
    EXPECT_EQ(1u, ui.Shown().size());
    EXPECT_EQ("\nFile:language_info,Line:42,ASSERT DETECTED !!\n" + text + text, TestReadFile(TraceFile()));
}

TEST_F(TraceTest, UncreatableTraceFileFailsSilently)
{
    CreateMarker();
    // A directory in the way of the file name makes its creation fail.
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    for (int d = 0; d < 3; ++d)
    {
        const std::time_t t = now + d;
        gmtime_r(&t, &utc);
        fs::create_directory(TraceFileName(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                                           utc.tm_min, utc.tm_sec));
    }
    EXPECT_EQ(0, TraceText("lost"));
    EXPECT_TRUE(TraceIsOn());
}
} // namespace
