// The phonebook commands end to end: import, prefix and export through files, and the exit code
// of each kind of failure.

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{
const std::vector<std::string> s_role = {"--role", "phonebook"};

std::vector<std::string> Args(std::vector<std::string> args)
{
    args.insert(args.begin(), s_role.begin(), s_role.end());
    return args;
}

// The phonebook of a file as the export writes it.
std::string Exported(const CTest_TempDir& dir, const std::string& file)
{
    const CTest_ToolRun run = RunTool(Args({"export-text", file, dir.File("export.txt")}));
    EXPECT_EQ(0, run.nExit) << run.err;
    return TestReadFile(dir.File("export.txt"));
}

TEST(ToolPhonebook, ImportPrefixAndExportWorkOnTheFilesTheProgramWrites)
{
    CTest_TempDir dir;
    TestWriteFile(dir.File("empty.cfg"), "");
    TestWriteFile(dir.File("names.txt"), "Name\tNumber\nMeier\t30-1234\nAdam\t89\nNobody\n");

    CTest_ToolRun run = RunTool(Args({"import-text", dir.File("empty.cfg"), dir.File("names.txt"),
                                      dir.File("a.cfg"), "--first-line", "2"}));
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("imported: 2")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("empty): 1")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("changed: 1")) << run.out;
    EXPECT_EQ("Adam\t89\r\nMeier\t301234\r\n", Exported(dir, dir.File("a.cfg")));

    run = RunTool(Args({"prefix", dir.File("a.cfg"), dir.File("b.cfg"), "--mode", "0", "--prefix", "0",
                        "--min-length", "1", "--max-length", "7"}));
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_EQ("Adam\t089\r\nMeier\t0301234\r\n", Exported(dir, dir.File("b.cfg")));

    // The extended import: the name from two columns, two records per line.
    TestWriteFile(dir.File("pairs.txt"), "Hans Meier, 0301\tEva Adam, 0302\r\n");
    run = RunTool(Args({"import-text", dir.File("b.cfg"), dir.File("pairs.txt"), dir.File("c.cfg"),
                        "--extended", "--number", "1,3", "--name1", "1,2", "--name2", "1,1", "--name3", "0,0",
                        "--name4", "0,0", "--columns-per-record", "1", "--prefix", "9"}));
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_EQ("Adam Eva\t90302\r\nMeier Hans\t90301\r\n", Exported(dir, dir.File("c.cfg")));

    // The vCard import adds one entry per card, its first number made dialable.
    run = RunTool(Args({"import-vcard", dir.File("c.cfg"), TestDataPath("vcard/v30_folded.vcf"),
                        dir.File("d.cfg"), "--country", "49", "--outside", "0"}));
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("imported: 1")) << run.out;
    EXPECT_EQ("Adam Eva\t90302\r\nMeier Hans\t90301\r\n\xD8ster, \xC5se Marie\t0899876543\r\n",
              Exported(dir, dir.File("d.cfg")));
}

TEST(ToolPhonebook, ATextFileInUtf8ImportsInTheCodePageAndCountsWhatItLacks)
{
    CTest_TempDir dir;
    TestWriteFile(dir.File("empty.cfg"), "");
    TestWriteFile(dir.File("utf8.txt"), "M\xC3\xBCller\t0301\nZ\xC5\x81ota\t0302\n");
    const CTest_ToolRun run =
        RunTool(Args({"import-text", dir.File("empty.cfg"), dir.File("utf8.txt"), dir.File("a.cfg")}));
    ASSERT_EQ(0, run.nExit) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("imported: 2")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("changed: 1")) << run.out;
    EXPECT_EQ("M\xFCller\t0301\r\nZota\t0302\r\n", Exported(dir, dir.File("a.cfg")));
}

struct CFailureCase
{
    const char* pszWhat;
    std::vector<std::string> args; // DIR/ stands for the test's directory
    int nExit;
};

void PrintTo(const CFailureCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolPhonebookFailures : public ::testing::TestWithParam<CFailureCase>
{
};

TEST_P(ToolPhonebookFailures, GiveTheirExitCodeAndWriteNothing)
{
    CTest_TempDir dir;
    TestWriteFile(dir.File("empty.cfg"), "");
    TestWriteFile(dir.File("names.txt"), "Meier\t1\r\n");
    TestWriteFile(dir.File("nonumbers.txt"), "Meier\r\nAdam\r\n");
    std::vector<std::string> args;
    for (std::string arg : GetParam().args)
    {
        if (arg.compare(0, 4, "DIR/") == 0)
            arg = dir.File(arg.substr(4));
        args.push_back(arg);
    }
    const CTest_ToolRun run = RunTool(args);
    EXPECT_EQ(GetParam().nExit, run.nExit) << run.out << run.err;
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ("", TestReadFile(dir.File("out.cfg")));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolPhonebookFailures,
    ::testing::Values(
        CFailureCase{"a role without the phonebook",
                     {"import-text", "DIR/empty.cfg", "DIR/names.txt", "DIR/out.cfg"},
                     2},
        CFailureCase{"a missing text file",
                     Args({"import-text", "DIR/empty.cfg", "DIR/none.txt", "DIR/out.cfg"}), 2},
        CFailureCase{"a missing IN", Args({"import-text", "DIR/none.cfg", "DIR/names.txt", "DIR/out.cfg"}),
                     2},
        CFailureCase{"an OUT that cannot be written",
                     Args({"import-text", "DIR/empty.cfg", "DIR/names.txt", "DIR/no/out.cfg"}), 2},
        CFailureCase{
            "a value out of range",
            Args({"import-text", "DIR/empty.cfg", "DIR/names.txt", "DIR/out.cfg", "--max-entries", "251"}),
            2},
        CFailureCase{"an option of the other import",
                     Args({"import-text", "DIR/empty.cfg", "DIR/names.txt", "DIR/out.cfg", "--extended",
                           "--name-column", "2"}),
                     2},
        CFailureCase{"nothing to import",
                     Args({"import-text", "DIR/empty.cfg", "DIR/nonumbers.txt", "DIR/out.cfg"}), 1},
        CFailureCase{"a missing vCard file",
                     Args({"import-vcard", "DIR/empty.cfg", "DIR/none.vcf", "DIR/out.cfg"}), 2},
        CFailureCase{"a vCard file without cards",
                     Args({"import-vcard", "DIR/empty.cfg", "DIR/names.txt", "DIR/out.cfg"}), 1},
        CFailureCase{"prefix without a mode", Args({"prefix", "DIR/empty.cfg", "DIR/out.cfg"}), 2},
        CFailureCase{"prefix on an empty phonebook",
                     Args({"prefix", "DIR/empty.cfg", "DIR/out.cfg", "--mode", "1"}), 1},
        CFailureCase{"an export that cannot be written",
                     Args({"export-text", "DIR/empty.cfg", "DIR/no/out.txt"}), 2}));

TEST(ToolPhonebookHelp, NamesTheCommandsAndTheirOptions)
{
    const CTest_ToolRun run = RunTool({"--help"});
    ASSERT_EQ(0, run.nExit);
    for (const char* psz :
         {"import-text IN TEXTFILE OUT", "import-vcard IN VCFFILE OUT", "export-text IN TEXTFILE",
          "prefix IN OUT --mode N", "--columns-per-record", "--min-length"})
        EXPECT_NE(std::string::npos, run.out.find(psz)) << psz;
}
} // namespace
