// The tokenizer of the text imports: lines, columns, tokens and their limits, from memory and
// from a file read in chunks.

#include "phonebook/CParse.h"
#include "data/CData_CharSet.h"
#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace
{
// Each line as its columns joined by "|", a column's tokens by ","; a line the input's end
// closed is marked "<end>".
std::vector<std::string> Lines(CParse& parse)
{
    std::vector<std::string> lines;
    for (;;)
    {
        const int bLine = parse.NextLine();
        std::string text;
        for (int c = 0; c < parse.ColumnCount(); ++c)
        {
            text += c ? "|" : "";
            for (int t = 0; t < parse.TokenCount(c); ++t)
                text += (t ? "," : "") + parse.Token(c, t);
        }
        if (!bLine)
        {
            if (parse.HasTokens())
                lines.push_back(text + "<end>");
            return lines;
        }
        lines.push_back(text);
    }
}

struct CParseCase
{
    const char* pszWhat;
    std::string input;
    std::vector<std::string> lines;
    int nLineCount;
    const char* pszTokenSep; // nullptr: blank and comma
};

void PrintTo(const CParseCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class ParseLines : public ::testing::TestWithParam<CParseCase>
{
};

TEST_P(ParseLines, SplitsIntoColumnsAndTokens)
{
    const CParseCase& c = GetParam();
    CParse parse(c.input.data(), c.input.size(), nullptr, nullptr, c.pszTokenSep);
    EXPECT_EQ(c.lines, Lines(parse));
    EXPECT_EQ(c.nLineCount, parse.LineCount());
    EXPECT_EQ(0, parse.NextLine()) << "the end stays the end";
}

const std::string s_long(60, 'x');
std::string ManyTokens(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "t" + std::to_string(i) + " ";
    return text;
}
std::string ManyTokensExpected(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i ? ",t" : "t") + std::to_string(i);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLines,
    ::testing::Values(
        CParseCase{"surname TAB digits CR LF", "Meier\t0301234\r\n", {"Meier|0301234"}, 1, nullptr},
        CParseCase{"LF line ends", "a\t1\nb\t2\nc\t3\n", {"a|1", "b|2", "c|3"}, 3, nullptr},
        CParseCase{"CR line ends", "a\t1\rb\t2\r", {"a|1", "b|2"}, 2, nullptr},
        CParseCase{
            "a CR LF pair is one line end, a blank line stays", "a\r\n\r\nb\r\n", {"a", "", "b"}, 3, nullptr},
        CParseCase{"LF CR is two", "a\n\rb", {"a", "", "b<end>"}, 2, nullptr},
        CParseCase{"two column separators leave an empty column", "a\t\tb\r\n", {"a||b"}, 1, nullptr},
        CParseCase{"blank and comma separate tokens",
                   "Hans Peter,Meier  x\t1\r",
                   {"Hans,Peter,Meier,x|1"},
                   1,
                   nullptr},
        CParseCase{"without token separators the blank is a token character",
                   "Hans Peter\t1\r",
                   {"Hans Peter|1"},
                   1,
                   ""},
        CParseCase{"ignored bytes do not end a token",
                   "M\x01\x7F"
                   "eier\t1\r",
                   {"Meier|1"},
                   1,
                   nullptr},
        CParseCase{"the last line without its end", "a\t1\nb\t2", {"a|1", "b|2<end>"}, 1, nullptr},
        CParseCase{
            "the 51st character of a token is dropped", s_long + "\r", {std::string(50, 'x')}, 1, nullptr},
        CParseCase{"the 51st token of a column is dropped",
                   ManyTokens(51) + "\r",
                   {ManyTokensExpected(50)},
                   1,
                   nullptr},
        CParseCase{"columns beyond the 50th fill the last",
                   std::string(49, '\t') + "a\tb\tc\r",
                   {std::string(49, '|') + "a,b,c"},
                   1,
                   nullptr},
        CParseCase{"empty input", "", {}, 0, nullptr}));

TEST(Parse, LimitsAreTraced)
{
    CTest_TraceCapture trace;
    const std::string input = s_long + " " + ManyTokens(51) + std::string(60, '\t') + "\r";
    CParse parse(input.data(), input.size());
    EXPECT_EQ(1, parse.NextLine());
    const std::vector<std::string> lines = trace.Take();
    for (const char* psz : {"CParse: NextLine() too much chars!", "CParse: NextLine() too much toks!",
                            "CParse: NextLine() too much cols!"})
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), psz)) << psz;
}

TEST(Parse, ReadsAFileAcrossItsChunksAndReportsOneItCannotOpen)
{
    CTest_TempDir dir;
    std::string text;
    const int nLines = 20000; // several read chunks, a line split across each boundary
    for (int i = 0; i < nLines; ++i)
        text += "Name " + std::to_string(i) + "\t" + std::to_string(1000000 + i) + "\r\n";
    ASSERT_GT(text.size(), 2 * CParse::READ_CHUNK);
    TestWriteFile(dir.File("in.txt"), text);

    CParse parse(dir.File("in.txt").c_str(), nullptr, nullptr, "");
    ASSERT_TRUE(parse.IsOpen());
    int n = 0;
    while (parse.NextLine())
    {
        ASSERT_EQ("Name " + std::to_string(n), parse.Token(0, 0));
        ASSERT_EQ(std::to_string(1000000 + n), parse.Token(1, 0));
        ++n;
    }
    EXPECT_EQ(nLines, n);
    EXPECT_EQ("", parse.Token(5, 0));
    EXPECT_EQ("", parse.Token(-1, -1));

    CParse missing(dir.File("missing.txt").c_str());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_NE(0, missing.Error());
    EXPECT_EQ(0, missing.NextLine());
    EXPECT_EQ(0, missing.ColumnCount());
}
TEST(Parse, FileInChunksReadsAsTheSameBytesInMemory)
{
    // Random lines of long and short tokens, every class and cut limits, so that runs, tokens,
    // CR LF pairs and cuts fall on the chunk boundaries somewhere.
    const char bytes[] = "abcdefghXYZ019  ,\t\r\n\x01";
    std::mt19937 random(740);
    std::string text;
    while (text.size() < 3 * CParse::READ_CHUNK)
    {
        const size_t nRun = random() % 4 == 0 ? random() % 70 : 1;
        text.append(nRun, bytes[random() % (sizeof bytes - 1)]);
    }
    CTest_TempDir dir;
    TestWriteFile(dir.File("in.txt"), text);
    CParse fromFile(dir.File("in.txt").c_str());
    CParse fromMemory(text.data(), text.size());
    EXPECT_EQ(Lines(fromMemory), Lines(fromFile));
    EXPECT_EQ(fromMemory.LineCount(), fromFile.LineCount());
}

// The rules of the tokenizer applied byte by byte, in the format of Lines().
std::vector<std::string> ReferenceLines(const CParse& classes, const std::string& text)
{
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> columns(1);
    std::string token;
    bool bInToken = false;
    bool bAfterCr = false;
    auto endToken = [&]()
    {
        if (bInToken && columns.back().size() < CParse::TOKEN_MAX)
            columns.back().push_back(token);
        bInToken = false;
        token.clear();
    };
    auto format = [&]()
    {
        std::string line;
        for (size_t c = 0; c < columns.size(); ++c)
        {
            line += c ? "|" : "";
            for (size_t t = 0; t < columns[c].size(); ++t)
                line += (t ? "," : "") + columns[c][t];
        }
        return line;
    };
    for (const char ch : text)
    {
        const int nClass = classes.CharClass(static_cast<unsigned char>(ch));
        if (bAfterCr && (bAfterCr = false, ch == '\n') && nClass == CParse::CC_LINE_END)
            continue;
        if (nClass == CParse::CC_IGNORED)
            continue;
        if (nClass == CParse::CC_TOKEN)
        {
            bInToken = true;
            if (token.size() < CParse::TOKEN_CHARS_MAX)
                token += ch;
            continue;
        }
        endToken();
        if (nClass == CParse::CC_COLUMN && columns.size() < CParse::COLUMN_MAX)
            columns.emplace_back();
        else if (nClass == CParse::CC_LINE_END)
        {
            lines.push_back(format());
            columns.assign(1, {});
            bAfterCr = ch == '\r';
        }
    }
    endToken();
    if (std::any_of(columns.begin(), columns.end(), [](const auto& column) { return !column.empty(); }))
        lines.push_back(format() + "<end>");
    return lines;
}

TEST(Parse, WalksAsTheRulesByteByByte)
{
    // Random text of every class under the sets of both imports and the defaults: long runs,
    // bytes above 0x7F that are token characters and some that are not, and controls, so that
    // the runs taken many bytes at a step end and go on wherever they can.
    const char bytes[] = "abcXYZ09-;\"  ,,\t\t\r\n\x01\x7F\x80\x81\xDF\xFC";
    std::mt19937 random(17);
    std::string text;
    while (text.size() < 2 * CParse::READ_CHUNK + 4000)
    {
        const size_t nRun = random() % 3 == 0 ? random() % 90 : 1;
        text.append(nRun, bytes[random() % (sizeof bytes - 1)]);
    }
    CTest_TempDir dir;
    TestWriteFile(dir.File("in.txt"), text);
    const char* const pszNames = CData_CharSet::NameAlphabet().c_str();
    const struct
    {
        const char* pszTokens;
        const char* pszTokenSep;
    } sets[] = {{nullptr, nullptr}, {pszNames, ""}, {pszNames, " ,"}, {pszNames, " ,-;\"abc"}};
    for (const auto& set : sets)
    {
        CParse fromMemory(text.data(), text.size(), set.pszTokens, "\t", set.pszTokenSep, "\r\n");
        CParse fromFile(dir.File("in.txt").c_str(), set.pszTokens, "\t", set.pszTokenSep, "\r\n");
        const std::vector<std::string> expected = ReferenceLines(fromMemory, text);
        EXPECT_EQ(expected, Lines(fromMemory));
        EXPECT_EQ(expected, Lines(fromFile));
    }
}
} // namespace
