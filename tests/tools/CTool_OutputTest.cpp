// What a script relies on besides the bytes: output that could not be written is an error, and a
// file without anything of a configuration is named on stderr although it converts.

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct COutputCase
{
    const char* pszWhat;
    std::vector<std::string> args;
};

void PrintTo(const COutputCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolOutput : public ::testing::TestWithParam<COutputCase>
{
};

// Standard output on a full device: every command that prints fails with exit 2 and the reason.
TEST_P(ToolOutput, AFullDeviceIsAnError)
{
    QProcess process;
    QStringList list;
    for (const std::string& arg : GetParam().args)
        list << QString::fromLocal8Bit(arg.c_str());
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(R740_BINARY_DIR "/r740tool"), list);
    ASSERT_TRUE(process.waitForFinished(60000));
    const std::string err = process.readAllStandardError().toStdString();
    EXPECT_EQ(2, process.exitCode()) << err;
    EXPECT_NE(std::string::npos, err.find("cannot write standard output: No space left on device")) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ToolOutput,
    ::testing::Values(
        COutputCase{"Records", {"records", TestDataPath("tool/records_rv740.cfg")}},
        COutputCase{"ResourceInfo", {"resource-info"}},
        COutputCase{"LanguageCheck", {"language-check", TestDataPath("lang/sample_signed.txt")}},
        COutputCase{"Diff",
                    {"diff", TestDataPath("tool/records_rv740.cfg"), TestDataPath("tool/records_rv930.cfg")}},
        COutputCase{"Help", {"--help"}}),
    [](const auto& row) { return std::string(row.param.pszWhat); });

struct CNothingCase
{
    const char* pszWhat;
    std::string bytes;
    bool bWarned;
};

class ToolNothingFound : public ::testing::TestWithParam<CNothingCase>
{
};

// Such a file still converts to a new document's defaults, as the program reads it.
TEST_P(ToolNothingFound, ConvertsButWarns)
{
    const CNothingCase& c = GetParam();
    CTest_TempDir dir;
    const std::string in = dir.File("in.cfg");
    TestWriteFile(in, c.bytes);
    const CTest_ToolRun run = RunTool({"convert", in, dir.File("out.cfg")});
    EXPECT_EQ(0, run.nExit) << run.err;
    const bool bWarned = run.err.find("nothing of a configuration was found in " + in) != std::string::npos;
    EXPECT_EQ(c.bWarned, bWarned) << run.err;
    if (c.bWarned)
    {
        EXPECT_EQ(TestReadFile(TestDataPath("tool/empty.expected.cfg")), TestReadFile(dir.File("out.cfg")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolNothingFound,
    ::testing::Values(CNothingCase{"Empty", "", true}, CNothingCase{"Zeros", std::string(4096, '\0'), true},
                      CNothingCase{"UnknownSectionsOnly", "[Nothing]\r\nPhoneType=RV930\r\n[Basic]\r\n",
                                   true},
                      CNothingCase{"OneKnownSection", "[version_00000000]\r\nPhoneType=RV740\r\n", false}),
    [](const auto& row) { return std::string(row.param.pszWhat); });
} // namespace
