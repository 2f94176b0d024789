#include "phonebook/CParse.h"

#include "support/Trace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace
{
const char s_szClass[] = "CParse";

// The default sets. The token set carries blanks between its groups as the original table did;
// they are token characters only where no later set claims the blank.
const char s_szDefaultTokenSet[] = "0123456789                abcdefghijklmnopqrstuvwxyz                "
                                   "ABCEDFGHIJKLMNOPQRSTUVWXYZ                .+*#                "
                                   "\xC4\xDC\xD6\xE4\xFC\xF6\xDF";
const char s_szDefaultColumnSet[] = "\t";
const char s_szDefaultTokenSepSet[] = " ,";
// CR alone ended a line once; files written with LF line ends then read as one single line.
const char s_szDefaultLineEndSet[] = "\r\n";
} // namespace

const std::string CParse::s_empty;

const std::string& CParse::DefaultTokenSet()
{
    static const std::string s_set(s_szDefaultTokenSet);
    return s_set;
}

CParse::CParse(const char* pszFileName, const char* pszTokenSet, const char* pszColumnSet,
               const char* pszTokenSepSet, const char* pszLineEndSet)
{
    SetClasses(pszTokenSet, pszColumnSet, pszTokenSepSet, pszLineEndSet);
    m_pFile = pszFileName && *pszFileName ? std::fopen(pszFileName, "rb") : nullptr;
    m_bOpen = m_pFile != nullptr;
    m_nError = m_bOpen ? 0 : (pszFileName && *pszFileName ? errno : ENOENT);
    if (m_bOpen)
        m_buffer.resize(READ_CHUNK);
    else
        m_nClass = CC_EOF;
}

CParse::CParse(const char* pData, size_t nSize, const char* pszTokenSet, const char* pszColumnSet,
               const char* pszTokenSepSet, const char* pszLineEndSet)
{
    SetClasses(pszTokenSet, pszColumnSet, pszTokenSepSet, pszLineEndSet);
    m_bOpen = true;
    if (pData)
    {
        m_pNext = reinterpret_cast<const unsigned char*>(pData);
        m_pEnd = m_pNext + nSize;
    }
}

CParse::~CParse()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

void CParse::SetClasses(const char* pszTokenSet, const char* pszColumnSet, const char* pszTokenSepSet,
                        const char* pszLineEndSet)
{
    std::memset(m_class, CC_IGNORED, sizeof m_class);
    // Applied in this order, so that a later set wins for a byte two sets name.
    const struct
    {
        const char* psz;
        unsigned char nClass;
    } sets[] = {
        {pszTokenSet ? pszTokenSet : s_szDefaultTokenSet, CC_TOKEN},
        {pszColumnSet ? pszColumnSet : s_szDefaultColumnSet, CC_COLUMN},
        {pszTokenSepSet ? pszTokenSepSet : s_szDefaultTokenSepSet, CC_TOKEN_SEP},
        {pszLineEndSet ? pszLineEndSet : s_szDefaultLineEndSet, CC_LINE_END},
    };
    for (const auto& set : sets)
        for (const char* p = set.psz; *p; ++p)
            m_class[static_cast<unsigned char>(*p)] = set.nClass;
    m_token.reserve(TOKEN_CHARS_MAX);
}

int CParse::Refill()
{
    if (!m_pFile)
        return -1;
    const size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_pFile);
    if (n == 0)
        return -1;
    m_pNext = m_buffer.data();
    m_pEnd = m_pNext + n;
    return *m_pNext++;
}

void CParse::StoreToken()
{
    if (m_nCurrent >= m_columns.size())
        m_columns.resize(m_nCurrent + 1);
    CColumn& column = m_columns[m_nCurrent];
    if (column.nCount >= TOKEN_MAX)
    {
        TraceLine(s_szClass, "NextLine() too much toks!");
        return;
    }
    if (column.nCount < column.tokens.size())
        column.tokens[column.nCount].assign(m_token);
    else
        column.tokens.push_back(m_token);
    ++column.nCount;
}

void CParse::CloseColumn()
{
    m_nColumns = m_nCurrent + 1;
    if (m_columns.size() < m_nColumns)
        m_columns.resize(m_nColumns);
}

int CParse::NextLine()
{
    for (size_t i = 0; i < m_nColumns; ++i)
        m_columns[i].nCount = 0;
    m_nCurrent = 0;
    m_nColumns = 0;
    m_bColumnsCut = false;
    if (m_nClass == CC_EOF)
        return 0;

    for (;;)
    {
        const int nByte = NextByte();
        int nClass = CC_EOF;
        if (nByte >= 0)
        {
            nClass = m_class[nByte];
            if (m_bAfterCr)
            {
                m_bAfterCr = false;
                if (nByte == '\n' && nClass == CC_LINE_END)
                    continue;
            }
            if (nClass == CC_IGNORED)
                continue;
        }

        if (nClass != m_nClass)
        {
            if (m_nClass == CC_TOKEN)
                StoreToken();
            m_token.clear();
            m_bCharsCut = false;
            m_nClass = nClass;
            if (nClass == CC_EOF)
            {
                CloseColumn();
                return 0;
            }
        }

        switch (nClass)
        {
        case CC_TOKEN:
        {
            // The rest of the run in the buffer is taken at once.
            const unsigned char* const pRun = m_pNext - 1;
            const unsigned char* p = m_pNext;
            const unsigned char* const pEnd = m_pEnd;
            const unsigned char* const pClass = m_class;
            while (p < pEnd && pClass[*p] == CC_TOKEN)
                ++p;
            m_pNext = p;
            const size_t nRun = static_cast<size_t>(p - pRun);
            const size_t nRoom = TOKEN_CHARS_MAX - m_token.size();
            m_token.append(reinterpret_cast<const char*>(pRun), std::min(nRun, nRoom));
            if (nRun > nRoom && !m_bCharsCut)
            {
                m_bCharsCut = true;
                TraceLine(s_szClass, "NextLine() too much chars!");
            }
            break;
        }
        case CC_COLUMN:
            if (m_nCurrent + 1 < COLUMN_MAX)
                ++m_nCurrent;
            else if (!m_bColumnsCut)
            {
                m_bColumnsCut = true;
                TraceLine(s_szClass, "NextLine() too much cols!");
            }
            break;
        case CC_LINE_END:
            CloseColumn();
            ++m_nLines;
            m_bAfterCr = nByte == '\r';
            return 1;
        default:
            break;
        }
    }
}

bool CParse::HasTokens() const
{
    for (size_t i = 0; i < m_nColumns; ++i)
        if (m_columns[i].nCount)
            return true;
    return false;
}
