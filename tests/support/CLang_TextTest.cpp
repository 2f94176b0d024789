#include "support/CLang_Text.h"

#include "platform/CPlatform_Resource.h"
#include "support/Trace.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace
{
// MD5 of the salt alone, and of one "idc" line, worked out independently of the program.
const char s_szSaltOnly[] = "6499044727043046FE5655D7FD5732FC";
const char s_szOneIdcLine[] = "5BC1327BE9372C4AC612807BF46A76A0";

CLang_Text Read(const std::string& bytes)
{
    CLang_Text text;
    text.ReadBuffer(bytes.data(), bytes.size());
    return text;
}

const char s_szSample[] = "idc\t0\tR740Cf UK texts\r\n"
                          "__resText_STRING:IDS_STR_TRANS_RX_CFG\t400\tReading configuration\r\n"
                          "__resText_DLG_CAPTION:IDD_DLG_TRANS\t806\tTransfer\r\n"
                          "IDD_DLG_TRANS:ID_TRANS_CANCEL\t2870\t&Cancel\r\n"
                          "__resText_POPUP:POPUP_IDR_MAINFRAME_1\t7101\t&File\r\n"
                          "__resText_MENUITEM:MID_ID_FILE_OPEN\t576010\t&Open...\\tCtrl+O\r\n";

// ---- signature ----

TEST(LangSignature, OnlyASignatureLineIsTheDigestOfTheSalt)
{
    EXPECT_EQ(s_szSaltOnly, CLang_Text::ComputeSignature(""));
    const CLang_Text text = Read(std::string("__md5Signature\t0\t") + s_szSaltOnly + "\r\n");
    EXPECT_TRUE(text.SignatureOk());
    EXPECT_EQ(s_szSaltOnly, text.ComputedSignature());
    EXPECT_EQ(0, text.AssertCount());
}

TEST(LangSignature, EveryLineIsHashedWithCrLfWhateverItsLineEnd)
{
    EXPECT_EQ(s_szOneIdcLine, CLang_Text::ComputeSignature("idc 0 hello\r\n"));
    EXPECT_EQ(s_szOneIdcLine, CLang_Text::ComputeSignature("idc 0 hello\n"));
    EXPECT_EQ(s_szOneIdcLine, CLang_Text::ComputeSignature("idc 0 hello"));
    // the signature line itself is not hashed, wherever it stands
    EXPECT_EQ(s_szOneIdcLine, CLang_Text::ComputeSignature("__md5Signature 0 X\nidc 0 hello\n"));
}

struct CMutation
{
    const char* pszWhat;
    const char* pszFrom;
    const char* pszTo;
    bool bSignatureOk;
};

class LangSignatureMutation : public ::testing::TestWithParam<CMutation>
{
};

TEST_P(LangSignatureMutation, ChangedFileIsDetected)
{
    const std::string signedFile = CLang_Text::SignContents(s_szSample);
    ASSERT_TRUE(Read(signedFile).SignatureOk());
    std::string changed = signedFile;
    const size_t nAt = changed.find(GetParam().pszFrom);
    ASSERT_NE(std::string::npos, nAt) << GetParam().pszWhat;
    changed.replace(nAt, std::char_traits<char>::length(GetParam().pszFrom), GetParam().pszTo);
    EXPECT_EQ(GetParam().bSignatureOk, Read(changed).SignatureOk()) << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LangSignatureMutation,
    ::testing::Values(
        CMutation{"one character of a text", "Reading configuration", "Reading Configuration", false},
        CMutation{"one character of an idc line", "R740Cf UK", "R740Cf UX", false},
        CMutation{"only the second word", "\t806\t", "\t807\t", false},
        CMutation{"a blank added inside the line", "\t2870\t", "\t2870 \t", false},
        CMutation{"a line removed", "__resText_POPUP:POPUP_IDR_MAINFRAME_1\t7101\t&File\r\n", "", false},
        CMutation{"the signature changed", "__md5Signature\t0\t", "__md5Signature\t0\t0", false},
        CMutation{"line ends only", "\r\n", "\n", true}));

TEST(LangSignature, SigningReplacesOldSignaturesInPlaceAndKeepsLineEnds)
{
    const std::string once =
        CLang_Text::SignContents(std::string("idc 0 a\n__md5Signature 0 OLD\nidc 0 b\n"));
    EXPECT_EQ(0u, once.find("idc 0 a\n__md5Signature\t0\t"));
    EXPECT_EQ(std::string::npos, once.find("OLD"));
    EXPECT_EQ(std::string::npos, once.find('\r'));
    EXPECT_TRUE(Read(once).SignatureOk());
    EXPECT_EQ(once, CLang_Text::SignContents(once));
    // a file without a signature gets one as its first line, and a last line without its end
    // keeps its text
    const std::string fresh = CLang_Text::SignContents("idc 0 x\r\nidc 0 y");
    EXPECT_EQ(0u, fresh.find("__md5Signature\t0\t"));
    EXPECT_TRUE(Read(fresh).SignatureOk());
    EXPECT_NE(std::string::npos, fresh.find("\r\nidc 0 y"));
}

// The lines of a text as any of CR LF, LF or CR ends them, each with its end.
std::vector<std::string> LinesWithEnds(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t nPos = 0;
    while (nPos < bytes.size())
    {
        size_t nEnd = bytes.find_first_of("\r\n", nPos);
        nEnd =
            nEnd == std::string::npos ? bytes.size() : nEnd + (bytes.compare(nEnd, 2, "\r\n") == 0 ? 2 : 1);
        lines.push_back(bytes.substr(nPos, nEnd - nPos));
        nPos = nEnd;
    }
    return lines;
}

// Everything but the signature lines.
std::string WithoutSignature(const std::string& bytes)
{
    std::string rest;
    for (const std::string& line : LinesWithEnds(bytes))
        if (line.compare(0, 15, "__md5Signature\t") != 0 && line.compare(0, 15, "__md5Signature ") != 0)
            rest += line;
    return rest;
}

struct CLineEnds
{
    const char* pszWhat;
    const char* pszEnd;
};

class LangSignatureLineEnds : public ::testing::TestWithParam<CLineEnds>
{
};

// A file of a few hundred lines in one kind of line end, an old signature in the middle, and a
// last line without its end: signing only replaces the signature line, and the texts are read.
TEST_P(LangSignatureLineEnds, SigningKeepsEveryOtherLineAndItsEnd)
{
    CPlatform_Resource::SetCurrent(nullptr);
    const std::string eol = GetParam().pszEnd;
    std::string file;
    for (int i = 0; i < 300; ++i)
    {
        file += "idc 0 line " + std::to_string(i) + eol;
        if (i == 150)
            file += "__md5Signature 0 OLD" + eol;
    }
    file += "__resText_STRING:IDS_STR_TRANS_RX_CFG 400 Lesen";
    const std::string signedFile = CLang_Text::SignContents(file);
    EXPECT_EQ(WithoutSignature(file), WithoutSignature(signedFile));
    EXPECT_EQ(LinesWithEnds(file).size(), LinesWithEnds(signedFile).size());
    EXPECT_NE(std::string::npos, signedFile.find(eol + "__md5Signature\t0\t"));
    const CLang_Text text = Read(signedFile);
    EXPECT_TRUE(text.SignatureOk());
    EXPECT_EQ("Lesen", text.String(400));
    // An edit to any line is seen.
    std::string changed = signedFile;
    changed.replace(changed.find("line 42"), 7, "line 24");
    EXPECT_FALSE(Read(changed).SignatureOk());
}

// Mixed ends: a CR line first, the old signature before an empty LF line. The new signature line
// must not end in a CR that joins the next LF into one line end.
TEST(LangSignature, MixedLineEndsSignAsTheyAreChecked)
{
    // Each file and the number of lines signing gives it (two signature lines become one).
    const std::pair<const char*, size_t> files[] = {
        {"idc 0 a\r\xff\xff\n__md5Signature to OLD\n\n__TRANS_C Send\r\n", 5},
        {"idc\nidc 0 b\r\r__md5Signature p\n\nidc 0 c\n", 6},
        {"idc 0 a\r__md5Signature 0 X\r__md5Signature 0 Y\n\nidc 0 c", 4}};
    for (const auto& [pszFile, nLines] : files)
    {
        const std::string file = pszFile;
        const std::string signedFile = CLang_Text::SignContents(file);
        EXPECT_EQ(nLines, LinesWithEnds(signedFile).size()) << file;
        EXPECT_TRUE(Read(signedFile).SignatureOk()) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, LangSignatureLineEnds,
                         ::testing::Values(CLineEnds{"CrLf", "\r\n"}, CLineEnds{"Lf", "\n"},
                                           CLineEnds{"Cr", "\r"}),
                         [](const auto& row) { return std::string(row.param.pszWhat); });

// ---- reading ----

TEST(LangText, KeysFillTheirMapsAndLaterLinesReplaceEarlierOnes)
{
    CPlatform_Resource::SetCurrent(nullptr);
    const CLang_Text text = Read(std::string(s_szSample) +
                                 "__resText_DLG_CAPTION:IDD_DLG_TRANS\t806\t  Data transfer \t \r\n"
                                 "__resText_STRING:IDS_STR_TRANS_TX_CFG 402 Line one\\nline two\\r end\n");
    EXPECT_EQ(0, text.AssertCount());
    EXPECT_EQ("Reading configuration", text.String(400));
    EXPECT_EQ("Line one\nline two\r end", text.String(402));
    EXPECT_EQ("Data transfer", text.GetDlgCaption(806));
    EXPECT_EQ("&Cancel", text.GetControlText(806, 2870));
    EXPECT_EQ("&File", text.GetPopupText(7101));
    EXPECT_EQ("&Open...\\tCtrl+O", text.GetMenuItemText(576010));
    EXPECT_FALSE(text.SignatureOk()); // no signature line at all
    // numbers beyond 16 bits never reach another kind's text
    EXPECT_EQ("", text.String(65536 + 7101));
    EXPECT_EQ("", text.GetPopupText(65536 + 576010));
    EXPECT_EQ("", text.GetDlgCaption(65536 * 2 + 806));
}

struct CBadLine
{
    const char* pszWhat;
    const char* pszLine;
    int nAsserts;
    unsigned nNumber; // string looked up afterwards
    const char* pszExpected;
};

class LangTextBadLine : public ::testing::TestWithParam<CBadLine>
{
};

TEST_P(LangTextBadLine, IsReportedAndGivesNoWrongText)
{
    CPlatform_Resource::SetCurrent(nullptr);
    const CLang_Text text = Read(std::string("idc 0 first\n") + GetParam().pszLine + "\n");
    EXPECT_EQ(GetParam().nAsserts, text.AssertCount()) << GetParam().pszWhat;
    EXPECT_EQ(GetParam().pszExpected, text.String(GetParam().nNumber)) << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LangTextBadLine,
    ::testing::Values(
        CBadLine{"head and symbol swapped", "IDS_STR_TRANS_RX_CFG:__resText_STRING 400 Swapped", 1, 400, ""},
        CBadLine{"no colon", "__resText_STRING 400 Nothing", 1, 400, ""},
        CBadLine{"unknown head", "__resText_BITMAP:IDS_STR_TRANS_RX_CFG 400 Bitmap", 1, 400, ""},
        CBadLine{"key only", "__resText_STRING:IDS_STR_TRANS_RX_CFG", 1, 400, ""},
        CBadLine{"no text after the second word", "__resText_STRING:IDS_STR_TRANS_RX_CFG 400", 1, 400, ""},
        CBadLine{"empty line", "", 2, 400, ""},
        CBadLine{"symbol not in the table", "__resText_STRING:IDS_NOWHERE 400 Lost", 0, 400, ""},
        CBadLine{"good line for comparison", "__resText_STRING:IDS_STR_TRANS_RX_CFG 400 Good", 0, 400,
                 "Good"}));

TEST(LangText, OverlongLineCarriesNoTextButIsSigned)
{
    CPlatform_Resource::SetCurrent(nullptr);
    const std::string line =
        "__resText_STRING:IDS_STR_TRANS_RX_CFG 400 " + std::string(CLang_Text::LANG_LINE_MAX, 'x') + "\n";
    const std::string signedFile = CLang_Text::SignContents(line);
    const CLang_Text text = Read(signedFile);
    EXPECT_TRUE(text.SignatureOk());
    EXPECT_EQ(1, text.AssertCount());
    EXPECT_EQ("", text.String(400));

    // A line of exactly the longest length still carries its text.
    const std::string head = "__resText_STRING:IDS_STR_TRANS_RX_CFG 400 ";
    const std::string longest = head + std::string(CLang_Text::LANG_LINE_MAX - head.size(), 'y');
    const CLang_Text kept = Read(longest + "\r\n");
    EXPECT_EQ(0, kept.AssertCount());
    EXPECT_EQ(longest.substr(head.size()), kept.String(400));
}

TEST(LangText, BinaryAndEmptyInputGiveNoTextsAndAWrongSignature)
{
    CPlatform_Resource::SetCurrent(nullptr);
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37) & 0xFF);
    for (const std::string& bytes : {std::string(), binary, std::string("\0\0\0", 3), std::string("\n\n\n")})
    {
        const CLang_Text text = Read(bytes);
        EXPECT_FALSE(text.SignatureOk());
        EXPECT_EQ("", text.String(400));
        EXPECT_EQ("", text.GetDlgCaption(806));
    }
}

TEST(LangText, MissingFileKeepsTheResourceTextsWithoutWarning)
{
    CTest_TempDir dir;
    CTest_ScriptedUi ui;
    CLang_Text text;
    EXPECT_EQ(0, text.ReadFile(dir.File("R740Cf_UK.txt")));
    EXPECT_TRUE(text.SignatureOk());
    EXPECT_EQ(1, text.CheckSignatureAtStart());
    EXPECT_TRUE(ui.Shown().empty());
}

TEST(LangText, TooLargeFileGivesNoTextsAndAWrongSignature)
{
    CTest_TempDir dir;
    const std::string path = dir.File("big.txt");
    TestWriteFile(path, "__resText_STRING:IDS_STR_TRANS_RX_CFG 400 Big\n" +
                            std::string(CLang_Text::LANG_FILE_MAX, '\n'));
    CLang_Text text;
    EXPECT_EQ(0, text.ReadFile(path));
    EXPECT_FALSE(text.SignatureOk());
    EXPECT_EQ("", text.GetMenuItemText(576010));
}

TEST(LangText, AssertionReportsGoToTheTraceLog)
{
    TraceReset();
    {
        CTest_TempDir dir(true);
        TestWriteFile("##Trace.###", "");
        Read("idc 0 a\nidc 0 b\nIDS_X:__resText_STRING 1 swapped\n");
        std::string log;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            if (entry.path().extension() == ".Lg")
                log = TestReadFile(entry.path().string());
        EXPECT_NE(std::string::npos, log.find("File:string_symbols_allg,Line:3,ASSERT DETECTED !!")) << log;
        TraceReset();
    }
}

// ---- look-up ----

class LangLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_resource.LoadData("400\tResource reading\n402\tResource writing\n423\tNo symbol\n"
                                         "57600\tCreate a new document\n",
                                         std::string()));
        CPlatform_Resource::SetCurrent(&m_resource);
    }
    void TearDown() override { CPlatform_Resource::SetCurrent(nullptr); }
    CPlatform_Resource m_resource;
};

TEST_F(LangLookup, LanguageFileWinsOverTheResourceModule)
{
    const CLang_Text text = Read(s_szSample);
    std::string s;
    EXPECT_EQ(1, text.GetString(400, s));
    EXPECT_EQ("Reading configuration", s);
    EXPECT_EQ(1, text.GetString(402, s));
    EXPECT_EQ("Resource writing", s);
    EXPECT_EQ("No symbol", text.String(423)); // only the resource module has numbers without a symbol
    EXPECT_EQ(0, text.GetString(9999, s));
    EXPECT_EQ("", s);
}

TEST_F(LangLookup, EmptyLanguageTextFallsBackToTheResource)
{
    const CLang_Text text = Read("__resText_STRING:IDS_STR_TRANS_RX_CFG 400 \\n\n"
                                 "__resText_STRING:IDS_STR_TRANS_TX_CFG 402  \n");
    EXPECT_EQ("\n", text.String(400));
    EXPECT_EQ("Resource writing", text.String(402));
}

struct CControl
{
    unsigned nTemplate;
    unsigned nControl;
    const char* pszExpected;
};

class LangControlText : public ::testing::TestWithParam<CControl>
{
};

TEST_P(LangControlText, FoundByTemplateAndControlNumber)
{
    const CLang_Text text = Read("IDD_DLG_TRANS:ID_TRANS_CANCEL 2870 &Cancel\n"
                                 "IDD_DLGE_PIN:IDOK 1 Send\n"
                                 "IDD_DLGE_PIN:IDCANCEL 2 Stop\n"
                                 "IDD_DLG_VERSION:IDOK 1 Close\n"
                                 "IDD_DLGE_PIN:IDC_TRANS_INFO 1361 Not a control of this dialog\n");
    EXPECT_EQ(GetParam().pszExpected, text.GetControlText(GetParam().nTemplate, GetParam().nControl));
}

INSTANTIATE_TEST_SUITE_P(Rows, LangControlText,
                         ::testing::Values(CControl{806, 2870, "&Cancel"}, CControl{3300, 1, "Send"},
                                           CControl{3300, 2, "Stop"}, CControl{3000, 1, "Close"},
                                           CControl{3000, 2, ""}, CControl{806, 2860, ""},
                                           CControl{3300, 1361, ""}, CControl{9999, 1, ""},
                                           CControl{806 + 65536, 2870, ""}, CControl{0, 0, ""}));

struct CMenuRule
{
    const char* pszIn;
    const char* pszOut;
};

class LangMenuTabRule : public ::testing::TestWithParam<CMenuRule>
{
};

TEST_P(LangMenuTabRule, FirstBackslashTBecomesBlankAndTab)
{
    EXPECT_EQ(GetParam().pszOut, CLang_Text::MenuTabRule(GetParam().pszIn));
}

INSTANTIATE_TEST_SUITE_P(Rows, LangMenuTabRule,
                         ::testing::Values(CMenuRule{"&Open...\\tCtrl+O", "&Open... \tCtrl+O"},
                                           CMenuRule{"\\t", " \t"}, CMenuRule{"a\\tb\\tc", "a \tb\\tc"},
                                           CMenuRule{"a\\xb\\tc", "a\\xb\\tc"}, CMenuRule{"end\\", "end\\"},
                                           CMenuRule{"plain", "plain"}, CMenuRule{"", ""}));

TEST_F(LangLookup, MenuItemTextNeedsBothTexts)
{
    const CLang_Text text = Read(s_szSample);
    EXPECT_EQ("&Open... \tCtrl+O", text.MenuItemDisplayText(57601, "Open"));
    EXPECT_EQ("", text.MenuItemDisplayText(57601, "")); // a separator stays one
    EXPECT_EQ("New", text.MenuItemDisplayText(57600, "New"));
}

// ---- start-up question ----

struct CStartAnswer
{
    int nAnswer;
    int nResult;
};

class LangStartQuestion : public ::testing::TestWithParam<CStartAnswer>
{
};

TEST_P(LangStartQuestion, WrongSignatureAsksAndNoEndsStartUp)
{
    CTest_ScriptedUi ui;
    ui.QueueAnswer(GetParam().nAnswer);
    const CLang_Text text = Read("idc 0 tampered\n__md5Signature 0 00000000000000000000000000000000\n");
    EXPECT_EQ(GetParam().nResult, text.CheckSignatureAtStart());
    ASSERT_EQ(1u, ui.Shown().size());
    EXPECT_EQ("The texts assigned to the user interface differ from the default texts.\n"
              "The original text file must be used to ensure\n"
              "proper designation of the control elements.\n"
              "Continue anyway?",
              ui.Shown()[0].text);
    EXPECT_EQ(CUi_Interface::ICON_QUESTION, ui.Shown()[0].icon);
    EXPECT_EQ(CUi_Interface::BUTTONS_YES_NO, ui.Shown()[0].buttons);
}

INSTANTIATE_TEST_SUITE_P(Rows, LangStartQuestion,
                         ::testing::Values(CStartAnswer{CUi_Interface::ANSWER_YES, 1},
                                           CStartAnswer{CUi_Interface::ANSWER_NO, 0}));

TEST(LangStartQuestion, RightSignatureAsksNothing)
{
    CTest_ScriptedUi ui;
    const CLang_Text text = Read(CLang_Text::SignContents(s_szSample));
    EXPECT_EQ(1, text.CheckSignatureAtStart());
    EXPECT_TRUE(ui.Shown().empty());
}
} // namespace

namespace
{
struct CGolden
{
    const char* pszFile;
    bool bSignatureOk;
};

class LangGoldenFile : public ::testing::TestWithParam<CGolden>
{
};

// Files signed by an independent implementation of the signature rule.
TEST_P(LangGoldenFile, ReadsTextsAndChecksTheSignature)
{
    CPlatform_Resource::SetCurrent(nullptr);
    CLang_Text text;
    ASSERT_EQ(1, text.ReadFile(TestDataPath(std::string("lang/") + GetParam().pszFile)));
    EXPECT_EQ(GetParam().bSignatureOk, text.SignatureOk());
    EXPECT_EQ(0, text.AssertCount());
    EXPECT_EQ("Konfiguration wird aus dem Telefon gelesen...", text.String(400));
    EXPECT_EQ("D\xe4nemark", text.String(356));
    EXPECT_EQ("PIN:\nvier Ziffern", text.GetControlText(3300, 3310));
    EXPECT_EQ("Telefonbuch", text.GetPopupText(36021));
    EXPECT_EQ("&Speichern \tStrg+S", text.MenuItemDisplayText(57603, "Save"));
    if (GetParam().bSignatureOk)
    {
        EXPECT_EQ("PIN-Eingabe", text.GetDlgCaption(3300));
        EXPECT_EQ(text.StoredSignature(), text.ComputedSignature());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LangGoldenFile,
                         ::testing::Values(CGolden{"sample_signed.txt", true},
                                           CGolden{"sample_signed_lf.txt", true},
                                           CGolden{"sample_tampered.txt", false}));
} // namespace
