#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
std::string Shipped(const char* pszLanguage)
{
    return std::string(R740_SOURCE_DIR) + "/resources/lang/R740Cf_" + pszLanguage + ".txt";
}

struct CToolCase
{
    const char* pszWhat;
    std::vector<std::string> args;
    int nExit;
    const char* pszOut; // expected in stdout ("" for anything)
    const char* pszErr; // expected in stderr ("" for anything)
};

class ToolCommandLine : public ::testing::TestWithParam<CToolCase>
{
};

TEST_P(ToolCommandLine, GivesItsExitCodeAndMessage)
{
    const CTest_ToolRun run = RunTool(GetParam().args);
    EXPECT_EQ(GetParam().nExit, run.nExit) << GetParam().pszWhat << "\n" << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find(GetParam().pszOut)) << GetParam().pszWhat << "\n" << run.out;
    EXPECT_NE(std::string::npos, run.err.find(GetParam().pszErr)) << GetParam().pszWhat << "\n" << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolCommandLine,
    ::testing::Values(
        CToolCase{"help", {"--help"}, 0, "language-check FILE", ""},
        CToolCase{"nothing to do", {}, 2, "", "usage:"},
        CToolCase{"unknown command", {"frobnicate"}, 2, "", "unknown command frobnicate"},
        CToolCase{"unknown option", {"--colour", "language-check", "x"}, 2, "", "unknown option --colour"},
        CToolCase{"check without file", {"language-check"}, 2, "", "usage: r740tool language-check FILE"},
        CToolCase{"check with two files", {"language-check", "a", "b"}, 2, "", "usage:"},
        CToolCase{
            "check a missing file", {"language-check", "/nonexistent/R740Cf_UK.txt"}, 2, "", "cannot read"},
        CToolCase{
            "sign a missing file", {"language-sign", "/nonexistent/R740Cf_UK.txt"}, 2, "", "cannot read"},
        CToolCase{"shipped UK file", {"language-check", Shipped("UK")}, 0, "signature right", ""},
        CToolCase{"shipped GER file", {"language-check", Shipped("GER")}, 0, "signature right", ""},
        CToolCase{"bundle not needed", {"--brand", "NOPE", "language-check", Shipped("UK")}, 0, "", ""},
        CToolCase{"default bundle", {"resource-info"}, 0, "131\tTALVO\n132\tGER\n", ""},
        CToolCase{"VORTANE bundle", {"--brand", "VORTANE", "resource-info"}, 0, "131\tVORTANE\n", ""},
        CToolCase{
            "BRELMONDIA bundle", {"--brand", "BRELMONDIA", "resource-info"}, 0, "131\tBRELMONDIA\n", ""},
        CToolCase{
            "phonebook bundle", {"--brand", "TALVO_pb", "resource-info"}, 0, "150\t\n151\tR740Pb\n", ""},
        CToolCase{
            "missing bundle", {"--brand", "NOPE", "resource-info"}, 2, "", "error loading resource-dll!"}));

TEST(ToolResource, BundleNamedByTheEnvironmentMustExist)
{
    const CTest_ToolRun missing = RunTool({"resource-info"}, "/nonexistent/Res_Pb.rcc");
    EXPECT_EQ(2, missing.nExit);
    EXPECT_EQ("error loading resource-dll!\n", missing.err);
    EXPECT_EQ("", missing.out);
    const std::string quesk = std::string(R740_BINARY_DIR) + "/resources/QUESK/Res_Pb.rcc";
    const CTest_ToolRun found = RunTool({"resource-info"}, quesk.c_str());
    EXPECT_EQ(0, found.nExit) << found.err;
    EXPECT_NE(std::string::npos, found.out.find("131\tQUESK\n"));
}

TEST(ToolLanguage, SignThenCheckAndDetectAChange)
{
    CTest_TempDir dir;
    const std::string path = dir.File("R740Cf_FRA.txt");
    TestWriteFile(path, "idc\t0\tFrench texts\r\n__resText_STRING:IDS_STR_TRANS_RX_CFG\t400\tLecture...\r\n");
    EXPECT_EQ(1, RunTool({"language-check", path}).nExit);
    const CTest_ToolRun sign = RunTool({"language-sign", path});
    ASSERT_EQ(0, sign.nExit) << sign.err;
    const std::string signedText = TestReadFile(path);
    EXPECT_EQ(0u, signedText.find("__md5Signature\t0\t"));
    EXPECT_NE(std::string::npos, signedText.find("\r\nidc\t0\tFrench texts\r\n"));
    EXPECT_EQ(0, RunTool({"language-check", path}).nExit);
    // signing again changes nothing
    ASSERT_EQ(0, RunTool({"language-sign", path}).nExit);
    EXPECT_EQ(signedText, TestReadFile(path));

    std::string changed = signedText;
    changed.replace(changed.find("Lecture"), 7, "lecture");
    TestWriteFile(path, changed);
    const CTest_ToolRun check = RunTool({"language-check", path});
    EXPECT_EQ(1, check.nExit);
    EXPECT_NE(std::string::npos, check.out.find("signature wrong"));
}

TEST(ToolLanguage, BinaryFileIsCheckedWithoutHarm)
{
    CTest_TempDir dir;
    const std::string path = dir.File("noise.txt");
    std::string noise;
    for (int i = 0; i < 70000; ++i)
        noise += static_cast<char>((i * 131 + 7) & 0xFF);
    TestWriteFile(path, noise);
    EXPECT_EQ(1, RunTool({"language-check", path}).nExit);
    EXPECT_EQ(0, RunTool({"language-sign", path}).nExit);
    EXPECT_EQ(0, RunTool({"language-check", path}).nExit);
}
} // namespace
