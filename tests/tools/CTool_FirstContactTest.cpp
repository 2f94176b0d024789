// What a new user of the tool sees after a mistake: exactly one line on standard error that names
// the mistake (the file and the reason, the unknown word), never the whole help and never the
// same failure twice.

#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

namespace
{
const std::string s_more = " (r740tool --help lists the options and commands)\n";

struct CMistake
{
    const char* pszWhat;
    std::vector<std::string> args; // "@" stands for a file of a temporary directory
    std::string err;               // the whole of standard error, "@" as above
};

class ToolFirstContact : public ::testing::TestWithParam<CMistake>
{
};

TEST_P(ToolFirstContact, OneLineNamesTheMistake)
{
    CTest_TempDir dir;
    auto expand = [&dir](std::string text)
    {
        const size_t n = text.find('@');
        return n == std::string::npos ? text : text.replace(n, 1, dir.File("x"));
    };
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args)
        args.push_back(expand(arg));
    const CTest_ToolRun run = RunTool(args);
    EXPECT_EQ(2, run.nExit) << GetParam().pszWhat;
    EXPECT_EQ(expand(GetParam().err), run.err) << GetParam().pszWhat;
    EXPECT_EQ("", run.out) << GetParam().pszWhat;
}

const std::string s_sample = std::string(R740_SOURCE_DIR) + "/tests/data/filestore/sample.721";

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolFirstContact,
    ::testing::Values(
        CMistake{"unknown command", {"frobnicate"}, "r740tool: unknown command frobnicate" + s_more},
        CMistake{"unknown option", {"--colour", "convert"}, "r740tool: unknown option --colour" + s_more},
        CMistake{"option without its value", {"--brand"}, "r740tool: --brand needs a value" + s_more},
        CMistake{"missing input",
                 {"convert", "/nonexistent/a.cfg", "@"},
                 "r740tool: cannot read /nonexistent/a.cfg: No such file or directory\n"},
        CMistake{"directory as input", {"records", "/"}, "r740tool: cannot read /: Is a directory\n"},
        CMistake{"output in a missing directory",
                 {"convert", s_sample, "/nonexistent/out.cfg"},
                 "r740tool: cannot write /nonexistent/out.cfg: No such file or directory\n"},
        CMistake{"phonebook input missing",
                 {"--role", "phonebook", "export-text", "/nonexistent/b.cfg", "@"},
                 "r740tool: cannot read /nonexistent/b.cfg: No such file or directory\n"},
        CMistake{"nothing sent of a missing file",
                 {"write", "/nonexistent/c.cfg", "--device", "/dev/null"},
                 "r740tool: cannot read /nonexistent/c.cfg: No such file or directory\n"},
        CMistake{"transfer option mistyped",
                 {"read", "@", "--speed", "9600"},
                 "r740tool: unknown option --speed" + s_more}));
} // namespace
