#include "support/CLang_Text.h"
#include "testsupport/CTest_Child.h"
#include "testsupport/CTest_TempDir.h"
#include "tools/CTest_ToolRun.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

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
        CToolCase{"help names convert", {"--help"}, 0, "  convert IN OUT ", ""},
        CToolCase{"help names records", {"--help"}, 0, "  records IN ", ""},
        CToolCase{"help names diff", {"--help"}, 0, "  diff A B ", ""},
        CToolCase{"help names the role option", {"--help"}, 0, "--role ROLE", ""},
        CToolCase{"help gives the exit codes", {"--help"}, 0, "exit codes: 0 success, 1 ", ""},
        CToolCase{"nothing to do", {}, 2, "", "usage:"},
        CToolCase{"unknown command", {"frobnicate"}, 2, "", "unknown command frobnicate"},
        CToolCase{"unknown option", {"--colour", "language-check", "x"}, 2, "", "unknown option --colour"},
        CToolCase{"check without file", {"language-check"}, 2, "", "usage: r740tool language-check FILE"},
        CToolCase{"check with two files", {"language-check", "a", "b"}, 2, "", "usage:"},
        CToolCase{"check a missing file",
                  {"language-check", "/nonexistent/R740Cf_UK.txt"},
                  2,
                  "",
                  "r740tool: cannot read /nonexistent/R740Cf_UK.txt: No such file or directory\n"},
        CToolCase{"sign a missing file",
                  {"language-sign", "/nonexistent/R740Cf_UK.txt"},
                  2,
                  "",
                  "r740tool: cannot read /nonexistent/R740Cf_UK.txt: No such file or directory\n"},
        CToolCase{"check a directory", {"language-check", "/"}, 2, "", "cannot read /: Is a directory\n"},
        CToolCase{"sign a device",
                  {"language-sign", "/dev/zero"},
                  2,
                  "",
                  "cannot read /dev/zero: Invalid argument\n"},
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

TEST(ToolLanguage, FileNamesAreBytesAndSigningAndCheckingAgreeOnTheLimit)
{
    CTest_TempDir dir;
    const std::string tool = R740_BINARY_DIR "/r740tool";
    std::string out;
    std::string err;
    // A name in code page 1252, which is no UTF-8.
    const std::string latin = dir.File("R740Cf_Fran\xe7" "ais.txt");
    TestWriteFile(latin, "idc\t0\tTest\r\n");
    EXPECT_EQ(0, CTest_Child::Exec({tool, "language-sign", latin}, out, err)) << err;
    EXPECT_EQ(latin + ": signed ", out.substr(0, latin.size() + 9));
    EXPECT_EQ(0, CTest_Child::Exec({tool, "language-check", latin}, out, err)) << err;

    // The signature line takes 51 bytes in CR LF: a file that leaves less room is not signed (and
    // stays as it was), one that leaves just enough is, and the check takes it.
    const std::string path = dir.File("big.txt");
    const std::string line = "idc\t0\t" + std::string(90, 'x') + "\r\n";
    for (const size_t nRoom : {size_t(50), size_t(51)})
    {
        std::string bytes;
        while (bytes.size() + line.size() <= CLang_Text::LANG_FILE_MAX - nRoom)
            bytes += line;
        bytes += std::string(CLang_Text::LANG_FILE_MAX - nRoom - bytes.size() - 2, 'y') + "\r\n";
        TestWriteFile(path, bytes);
        const int nSign = CTest_Child::Exec({tool, "language-sign", path}, out, err);
        if (nRoom == 50)
        {
            EXPECT_EQ(2, nSign);
            EXPECT_EQ("r740tool: cannot sign " + path + ": File too large\n", err);
            EXPECT_EQ(bytes, TestReadFile(path));
            EXPECT_EQ(1, CTest_Child::Exec({tool, "language-check", path}, out, err));
        }
        else
        {
            EXPECT_EQ(0, nSign) << err;
            EXPECT_EQ(CLang_Text::LANG_FILE_MAX, TestReadFile(path).size());
            EXPECT_EQ(0, CTest_Child::Exec({tool, "language-check", path}, out, err)) << err;
        }
    }
    TestWriteFile(path, std::string(CLang_Text::LANG_FILE_MAX + 1, '\n'));
    EXPECT_EQ(2, CTest_Child::Exec({tool, "language-check", path}, out, err));
    EXPECT_EQ("r740tool: cannot read " + path + ": File too large\n", err);
}

// The signature worked out from the rule itself: MD5 over every line but the signature line, each
// without its line end (CR LF, LF or CR) and followed by CR LF, then the salt; upper-case
// hexadecimal.
std::string SignatureByTheRule(const std::string& bytes)
{
    static const char s_szSalt[] = "5F0C8A3E-A27B-4c1e-9D5F-E08B4C73";
    QCryptographicHash md5(QCryptographicHash::Md5);
    size_t nPos = 0;
    while (nPos < bytes.size())
    {
        const size_t nEnd = bytes.find_first_of("\r\n", nPos);
        std::string line = bytes.substr(nPos, nEnd == std::string::npos ? std::string::npos : nEnd - nPos);
        nPos =
            nEnd == std::string::npos ? bytes.size() : nEnd + (bytes.compare(nEnd, 2, "\r\n") == 0 ? 2 : 1);
        if (line.compare(0, 15, "__md5Signature\t") == 0 || line.compare(0, 15, "__md5Signature ") == 0)
            continue;
        line += "\r\n";
        md5.addData(QByteArray(line.data(), static_cast<int>(line.size())));
    }
    md5.addData(QByteArray(s_szSalt));
    return md5.result().toHex().toUpper().toStdString();
}

// The value of the signature line of a signed file.
std::string StoredSignature(const std::string& bytes)
{
    const size_t nKey = bytes.find("__md5Signature\t0\t");
    if (nKey == std::string::npos)
        return "<none>";
    const size_t nStart = nKey + 17;
    return bytes.substr(nStart, bytes.find_first_of("\r\n", nStart) - nStart);
}

struct CSignCase
{
    const char* pszWhat;
    std::string bytes;
    std::string changeFrom; // a text of the file that a later edit changes
    std::string changeTo;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const CSignCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ToolLanguageSignature : public ::testing::TestWithParam<CSignCase>
{
};

TEST_P(ToolLanguageSignature, SignedFilePassesTheRuleAndTheCheckAndAnEditFails)
{
    const CSignCase& c = GetParam();
    CTest_TempDir dir;
    const std::string path = dir.File("R740Cf_TST.txt");
    TestWriteFile(path, c.bytes);
    ASSERT_EQ(0, RunTool({"language-sign", path}).nExit) << c.pszWhat;
    const std::string signedText = TestReadFile(path);
    EXPECT_EQ(SignatureByTheRule(signedText), StoredSignature(signedText)) << c.pszWhat;
    EXPECT_EQ(0, RunTool({"language-check", path}).nExit) << c.pszWhat;

    std::string changed = signedText;
    const size_t n = changed.find(c.changeFrom);
    ASSERT_NE(std::string::npos, n) << c.pszWhat;
    changed.replace(n, c.changeFrom.size(), c.changeTo);
    TestWriteFile(path, changed);
    EXPECT_EQ(1, RunTool({"language-check", path}).nExit) << c.pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolLanguageSignature,
    ::testing::Values(
        CSignCase{"CR LF lines", "idc\t0\tTest\r\n__resText_STRING:IDS_A\t400\tLesen\r\n", "Lesen", "Lesen!"},
        CSignCase{"LF lines", "idc\t0\tTest\n__resText_STRING:IDS_A\t400\tLesen\n", "IDS_A\t400",
                  "IDS_A\t401"},
        CSignCase{"an idc line changed", "idc\t0\tTest\r\n__resText_STRING:IDS_A\t400\tx\r\n", "Test",
                  "Tests"},
        CSignCase{"a wrong signature line in the middle",
                  "idc\t0\tTest\r\n__md5Signature\t0\t00000000000000000000000000000000\r\n"
                  "__resText_MENUITEM:ID_FILE_OPEN\t10\t&Open\\tCtrl+O\r\n",
                  "&Open", "&Opem"},
        CSignCase{"CR lines", "idc\t0\tTest\r__resText_STRING:IDS_A\t400\tLesen\r", "Lesen", "Lesen!"},
        CSignCase{"no line end after the last line", "idc\t0\tTest\r\n__resText_STRING:IDS_A\t400\tEnde",
                  "Ende", "Endf"},
        CSignCase{"code page 1252 bytes",
                  "__resText_STRING:IDS_A\t400\tGr\xf6\xdf"
                  "e\r\n",
                  "\xf6", "o"}),
    [](const ::testing::TestParamInfo<CSignCase>& row) { return "Case" + std::to_string(row.index); });
} // namespace
