// print-phonebook, print-key-labels and print-module-labels: the pages each writes, the role a file
// is read with, and the refusals (exit codes, messages, no file written). One PDF of each print
// stays in <build>/test-output/print for a person to look at.

#include "testsupport/CTest_Pdf.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
// A telephone with ten keys, an "E920" in module slot 1, a "W920" in slot 2 and a full phonebook.
std::string Config()
{
    std::string text = "[Version_00000000]\r\nPhoneType=RV920\r\nVersion=4.10\r\n\r\n"
                       "[Key_00000000]\r\nKeyUse=DIAL\r\nKeyName=Taxi\r\n\r\n"
                       "[VersionModule_00000001]\r\nModuleType=E920\r\n\r\n"
                       "[VersionModule_00000002]\r\nModuleType=W920\r\n\r\n";
    for (int i = 0; i < 250; ++i)
    {
        char sz[128];
        std::snprintf(sz, sizeof sz,
                      "[DialName_%08X]\r\nMelodyExt=0\r\nName=Entry %d\r\nMsnExt=0301%d\r\n\r\n", i, i + 1,
                      i);
        text += sz;
    }
    return text;
}

struct CPrintCase
{
    std::vector<std::string> args; // "IN" and "OUT" stand for the files
    const char* pszKeep;           // OUT below <build>/test-output/print; nullptr: a temporary file
    int nExit;
    int nPages;         // of OUT; 0: OUT is not written
    const char* pszErr; // expected in stderr ("" for anything)
};

class ToolPrint : public ::testing::TestWithParam<CPrintCase>
{
};

TEST_P(ToolPrint, WritesItsPagesOrRefuses)
{
    const CPrintCase& c = GetParam();
    CTest_TempDir dir;
    std::string out = dir.File("out.pdf");
    if (c.pszKeep)
    {
        std::filesystem::create_directories(R740_BINARY_DIR "/test-output/print");
        out = std::string(R740_BINARY_DIR "/test-output/print/") + c.pszKeep;
        std::filesystem::remove(out);
    }
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(arg == "IN" ? dir.File("phone.cfg") : arg == "OUT" ? out : arg);
    TestWriteFile(dir.File("phone.cfg"), Config());
    const CTest_ToolRun run = RunTool(args);
    EXPECT_EQ(c.nExit, run.nExit) << run.err;
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find(c.pszErr)) << run.err;
    if (c.nPages)
        EXPECT_EQ(c.nPages, TestPdfPages(out));
    else
        EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolPrint,
    ::testing::Values(
        // The configurator's bundle reads the phonebook for its print, the phonebook's the keys.
        CPrintCase{{"print-phonebook", "IN", "OUT"}, "phonebook.pdf", 0, 4, ""},
        CPrintCase{{"--brand", "TALVO_pb", "print-key-labels", "IN", "OUT"}, "key-labels.pdf", 0, 1, ""},
        CPrintCase{{"print-module-labels", "IN", "1", "OUT"}, "module-labels-e920.pdf", 0, 1, ""},
        CPrintCase{{"print-module-labels", "IN", "2", "OUT"}, "module-labels-w920.pdf", 0, 1, ""},
        CPrintCase{{"--role", "configurator", "print-phonebook", "IN", "OUT"},
                   nullptr,
                   1,
                   0,
                   "the configurator role prints no phonebook"},
        CPrintCase{{"--role", "phonebook", "print-key-labels", "IN", "OUT"},
                   nullptr,
                   1,
                   0,
                   "the phonebook role prints no key"},
        CPrintCase{{"print-module-labels", "IN", "4", "OUT"}, nullptr, 2, 0, "SLOT is 1, 2 or 3, not 4"},
        CPrintCase{{"print-module-labels", "IN", "01", "OUT"}, nullptr, 2, 0, "SLOT is 1, 2 or 3"},
        CPrintCase{{"print-key-labels", "/nonexistent/phone.cfg", "OUT"},
                   nullptr,
                   2,
                   0,
                   "cannot read /nonexistent/phone.cfg"},
        CPrintCase{{"print-phonebook", "IN", "/nonexistent/out.pdf"},
                   nullptr,
                   2,
                   0,
                   "cannot write /nonexistent/out.pdf"},
        CPrintCase{{"print-phonebook", "IN"}, nullptr, 2, 0, "usage: r740tool print-phonebook IN OUT.pdf"}));

TEST(ToolPrintHelp, NamesThePrintCommands)
{
    const CTest_ToolRun run = RunTool({"--help"});
    EXPECT_EQ(0, run.nExit);
    for (const char* psz : {"  print-phonebook IN OUT.pdf ", "  print-key-labels IN OUT.pdf ",
                            "  print-module-labels IN SLOT OUT.pdf "})
        EXPECT_NE(std::string::npos, run.out.find(psz)) << psz;
}
} // namespace
