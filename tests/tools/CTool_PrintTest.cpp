// print-phonebook, print-key-labels and print-module-labels: the pages each writes, the role a file
// is read with, and the refusals (exit codes, messages, no file written).

#include "testsupport/CTest_Pdf.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace
{
// A configuration file of a telephone with ten keys, an "E920" in slot 1, a "W920" in slot 2 and
// a full phonebook.
std::string Config()
{
    std::string text = "[Version_00000000]\r\nPhoneType=RV920\r\nVersion=4.10\r\n\r\n"
                       "[MsnPara_00000000]\r\nMsn=0301234\r\n\r\n"
                       "[Key_00000000]\r\nKeyUse=DIAL\r\nDialKeyMsn=110\r\nKeyName=Taxi\r\n\r\n"
                       "[VersionModule_00000001]\r\nModuleType=E920\r\n\r\n"
                       "[VersionModule_00000002]\r\nModuleType=W920\r\n\r\n"
                       "[DialNameBasic_00000000]\r\nCount=250\r\n\r\n";
    for (int i = 0; i < 250; ++i)
    {
        char sz[160];
        std::snprintf(
            sz, sizeof sz,
            "[DialName_%08X]\r\nMelodyExt=0\r\nLoud=3\r\nName=Entry %03d\r\nMsnExt=0301%04d\r\n\r\n", i,
            i + 1, i);
        text += sz;
    }
    return text;
}

struct CPrintCase
{
    const char* pszWhat;
    std::vector<std::string> args; // "IN" and "OUT" stand for the files
    int nExit;
    int nPages;         // of OUT; 0: OUT is not written
    const char* pszErr; // expected in stderr ("" for anything)
};

void PrintTo(const CPrintCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolPrint : public ::testing::TestWithParam<CPrintCase>
{
};

TEST_P(ToolPrint, WritesItsPagesOrRefuses)
{
    const CPrintCase& c = GetParam();
    CTest_TempDir dir;
    const std::string in = dir.File("phone.cfg");
    const std::string out = dir.File("out.pdf");
    TestWriteFile(in, Config());
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(arg == "IN" ? in : arg == "OUT" ? out : arg);
    const CTest_ToolRun run = RunTool(args);
    EXPECT_EQ(c.nExit, run.nExit) << c.pszWhat << "\n" << run.err;
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find(c.pszErr)) << c.pszWhat << "\n" << run.err;
    if (c.nPages)
        EXPECT_EQ(c.nPages, TestPdfPages(out)) << c.pszWhat;
    else
        EXPECT_FALSE(std::filesystem::exists(out)) << c.pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolPrint,
    ::testing::Values(
        CPrintCase{"phonebook with the configurator's bundle", {"print-phonebook", "IN", "OUT"}, 0, 4, ""},
        CPrintCase{"phonebook with the phonebook bundle",
                   {"--brand", "TALVO_pb", "print-phonebook", "IN", "OUT"},
                   0,
                   4,
                   ""},
        CPrintCase{"phonebook in the configurator role chosen",
                   {"--role", "configurator", "print-phonebook", "IN", "OUT"},
                   1,
                   0,
                   "the configurator role prints no phonebook"},
        CPrintCase{"key labels", {"print-key-labels", "IN", "OUT"}, 0, 1, ""},
        CPrintCase{"key labels with the phonebook bundle",
                   {"--brand", "TALVO_pb", "print-key-labels", "IN", "OUT"},
                   0,
                   1,
                   ""},
        CPrintCase{"key labels in the phonebook role chosen",
                   {"--role", "phonebook", "print-key-labels", "IN", "OUT"},
                   1,
                   0,
                   "the phonebook role prints no key labels"},
        CPrintCase{"module labels of an E920", {"print-module-labels", "IN", "1", "OUT"}, 0, 1, ""},
        CPrintCase{"module labels of a W920", {"print-module-labels", "IN", "2", "OUT"}, 0, 1, ""},
        CPrintCase{
            "module slot 4", {"print-module-labels", "IN", "4", "OUT"}, 2, 0, "SLOT is 1, 2 or 3, not 4"},
        CPrintCase{"module slot 01", {"print-module-labels", "IN", "01", "OUT"}, 2, 0, "SLOT is 1, 2 or 3"},
        CPrintCase{"missing input",
                   {"print-key-labels", "/nonexistent/phone.cfg", "OUT"},
                   2,
                   0,
                   "cannot read /nonexistent/phone.cfg"},
        CPrintCase{"output in a missing directory",
                   {"print-phonebook", "IN", "/nonexistent/dir/out.pdf"},
                   2,
                   0,
                   "cannot write /nonexistent/dir/out.pdf"},
        CPrintCase{"no output named",
                   {"print-phonebook", "IN"},
                   2,
                   0,
                   "usage: r740tool print-phonebook IN OUT.pdf"}));

TEST(ToolPrintHelp, NamesThePrintCommands)
{
    const CTest_ToolRun run = RunTool({"--help"});
    EXPECT_EQ(0, run.nExit);
    for (const char* psz : {"  print-phonebook IN OUT.pdf ", "  print-key-labels IN OUT.pdf ",
                            "  print-module-labels IN SLOT OUT.pdf "})
        EXPECT_NE(std::string::npos, run.out.find(psz)) << psz;
}

} // namespace
