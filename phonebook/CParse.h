#pragma once

// The byte-class tokenizer of the text imports. Every byte value has a class (token character,
// column separator, token separator, line end, or ignored); NextLine splits the next line into
// columns, and each column into the runs of token characters between token separators.
//
// The file is read through a buffer of its own, not byte by byte from the system; a parser can
// also run over bytes in memory (the fuzzer, the benchmark).

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

class CParse
{
public:
    // Limits of one line, those of the tables the import dialogs were built around.
    static constexpr size_t COLUMN_MAX = 50;      // columns of a line
    static constexpr size_t TOKEN_MAX = 50;       // tokens of a column
    static constexpr size_t TOKEN_CHARS_MAX = 50; // characters of a token
    // Bytes read from the file at a time.
    static constexpr size_t READ_CHUNK = 64 * 1024;

    enum ECharClass
    {
        CC_IGNORED = 1,   // dropped without ending a token
        CC_TOKEN = 2,     // part of a token
        CC_COLUMN = 3,    // ends a column
        CC_TOKEN_SEP = 4, // ends a token inside a column
        CC_LINE_END = 5,  // ends a line
        CC_EOF = 6,       // the end of the input (internal)
    };

    // Opens the file read-only. A set given as nullptr takes its default: the token set the
    // letters, digits, ".+*#", the blank and the German umlauts and sharp s; TAB separates
    // columns; blank and comma separate tokens; CR and LF end lines.
    explicit CParse(const char* pszFileName, const char* pszTokenSet = nullptr,
                    const char* pszColumnSet = nullptr, const char* pszTokenSepSet = nullptr,
                    const char* pszLineEndSet = nullptr);
    // Over nSize bytes in memory, which must outlive the parser.
    CParse(const char* pData, size_t nSize, const char* pszTokenSet = nullptr,
           const char* pszColumnSet = nullptr, const char* pszTokenSepSet = nullptr,
           const char* pszLineEndSet = nullptr);
    ~CParse();
    CParse(const CParse&) = delete;
    CParse& operator=(const CParse&) = delete;

    // False when the file could not be opened; Error() then holds the system's error number.
    bool IsOpen() const { return m_bOpen; }
    int Error() const { return m_nError; }

    // Reads the next line: 1 when a line end was reached, 0 at the end of the input. The tokens
    // read before the end are still there, so a last line without a line end is not lost.
    // A CR directly followed by LF, both line ends, ends one line only.
    int NextLine();

    // Lines ended so far.
    int LineCount() const { return m_nLines; }
    // Columns of the current line (a line end or the input's end closes at least one).
    int ColumnCount() const { return static_cast<int>(m_nColumns); }
    int TokenCount(int nColumn) const
    {
        return nColumn >= 0 && static_cast<size_t>(nColumn) < m_nColumns
                   ? static_cast<int>(m_columns[static_cast<size_t>(nColumn)].nCount)
                   : 0;
    }
    // The token, or an empty text when the line has no such column or token.
    std::string_view TokenView(int nColumn, int nToken) const
    {
        // Negative positions become large ones, beyond every count.
        if (static_cast<size_t>(nColumn) >= m_nColumns)
            return std::string_view();
        const CColumn& column = m_columns.data()[static_cast<size_t>(nColumn)];
        const size_t nIndex = static_cast<size_t>(nToken);
        if (nIndex >= column.nCount)
            return std::string_view();
        return std::string_view(column.chars[nIndex], column.lengths[nIndex]);
    }
    // The same as a text; it stays valid until the next line is read.
    const std::string& Token(int nColumn, int nToken) const;
    // Where the token lies in the input: from the offset of its first byte to the offset of the
    // byte that ended it (or the input's end). False when the line has no such token.
    bool TokenSpan(int nColumn, int nToken, size_t& nBegin, size_t& nEnd) const
    {
        if (nToken < 0 || nToken >= TokenCount(nColumn))
            return false;
        const CColumn& column = m_columns[static_cast<size_t>(nColumn)];
        nBegin = column.spans[nToken][0];
        nEnd = column.spans[nToken][1];
        return true;
    }
    // True when the current line holds at least one token.
    bool HasTokens() const;

    // The class a byte has in this parser.
    int CharClass(unsigned char c) const { return m_class[c]; }

    // The default token set, as a text (the blanks in it are token characters unless another
    // set claims them).
    static const std::string& DefaultTokenSet();

private:
    // The tokens of a column in place, so that a line is read without a text being made; the
    // columns are kept from line to line.
    static_assert(TOKEN_CHARS_MAX <= 255, "a token's length is kept in a byte");
    struct CColumn
    {
        size_t nCount = 0;
        unsigned char lengths[TOKEN_MAX];
        size_t spans[TOKEN_MAX][2]; // offsets in the input, as TokenSpan gives them
        char chars[TOKEN_MAX][TOKEN_CHARS_MAX];
        mutable std::vector<std::string> texts; // those asked for as texts
    };

    void SetClasses(const char* pszTokenSet, const char* pszColumnSet, const char* pszTokenSepSet,
                    const char* pszLineEndSet);
    // The next bytes of the file into the buffer; false at its end.
    bool Refill();
    // The token that begins at the byte of offset nOffset: its place in the current column, or
    // m_spare when the column has its TOKEN_MAX tokens.
    void BeginToken(size_t nOffset)
    {
        CColumn& column = m_columns[m_nCurrent];
        m_pToken = column.nCount < TOKEN_MAX ? column.chars[column.nCount] : m_spare;
        m_nTokenChars = 0;
        m_nTokenBegin = nOffset;
        m_bCharsCut = false;
    }
    // A run of token characters onto the token being read, as far as its limit.
    void AppendRun(const unsigned char* pRun, size_t nRun)
    {
        const size_t nRoom = TOKEN_CHARS_MAX - m_nTokenChars;
        if (nRun <= nRoom)
        {
            std::memcpy(m_pToken + m_nTokenChars, pRun, nRun);
            m_nTokenChars += nRun;
        }
        else
            AppendCut(pRun, nRoom);
    }
    void AppendCut(const unsigned char* pRun, size_t nRoom);
    // Where a run of token characters from p ends, or the last sixteen bytes before pEnd begin
    // (m_bBlockRuns only).
    const unsigned char* BlockRun(const unsigned char* p, const unsigned char* pEnd) const;
    // The token ends at the byte of offset nOffset.
    void EndToken(size_t nOffset)
    {
        CColumn& column = m_columns[m_nCurrent];
        if (column.nCount >= TOKEN_MAX)
        {
            TooManyTokens();
            return;
        }
        column.lengths[column.nCount] = static_cast<unsigned char>(m_nTokenChars);
        column.spans[column.nCount][0] = m_nTokenBegin;
        column.spans[column.nCount][1] = nOffset;
        ++column.nCount;
    }
    static void TooManyTokens();
    void CloseColumn() { m_nColumns = m_nCurrent + 1; }

    static const std::string s_empty;

    unsigned char m_class[256];
    unsigned char m_notToken[256]; // 1 where the class is not CC_TOKEN, for the runs of tokens
    // When every printable ASCII byte but at most RUN_STOPS_MAX is a token character (the sets
    // of the imports), runs are scanned sixteen bytes at a time: a block holds no byte that can
    // end a run unless it holds a control byte, a byte above 0x7E or one of these stops.
    static constexpr size_t RUN_STOPS_MAX = 4;
    bool m_bBlockRuns = false;
    size_t m_nRunStops = 0;
    alignas(16) unsigned char m_runStops[RUN_STOPS_MAX][16] = {};
    std::FILE* m_pFile = nullptr;
    std::vector<unsigned char> m_buffer;
    size_t m_nBufferOffset = 0; // offset in the input of the buffer's first byte
    const unsigned char* m_pBuffer = nullptr;
    const unsigned char* m_pNext = nullptr;
    const unsigned char* m_pEnd = nullptr;
    bool m_bOpen = false;
    int m_nError = 0;

    int m_nClass = CC_LINE_END; // class of the bytes read last
    bool m_bAfterCr = false;    // the last line ended with CR: an LF directly after belongs to it
    bool m_bCharsCut = false;   // the current token has been cut (traced once)
    bool m_bColumnsCut = false; // the current line has been cut (traced once)
    char* m_pToken = nullptr;   // the token being read, m_nTokenChars of it so far
    size_t m_nTokenChars = 0;
    size_t m_nTokenBegin = 0; // offset of its first byte
    char m_spare[TOKEN_CHARS_MAX] = {};
    std::vector<CColumn> m_columns; // COLUMN_MAX of them, made once
    size_t m_nCurrent = 0;          // index of the column being filled
    size_t m_nColumns = 0;          // columns of the line read last
    int m_nLines = 0;
};
