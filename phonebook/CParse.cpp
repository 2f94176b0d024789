#include "phonebook/CParse.h"

#include "support/Trace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    m_columns.resize(COLUMN_MAX);
}

CParse::CParse(const char* pData, size_t nSize, const char* pszTokenSet, const char* pszColumnSet,
               const char* pszTokenSepSet, const char* pszLineEndSet)
{
    SetClasses(pszTokenSet, pszColumnSet, pszTokenSepSet, pszLineEndSet);
    m_bOpen = true;
    m_columns.resize(COLUMN_MAX);
    if (pData)
    {
        m_pBuffer = reinterpret_cast<const unsigned char*>(pData);
        m_pNext = m_pBuffer;
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
    for (size_t i = 0; i < sizeof m_class; ++i)
        m_notToken[i] = m_class[i] != CC_TOKEN;

    // The printable ASCII bytes that are no token characters.
    size_t nStops = 0;
    m_bBlockRuns = true;
    for (unsigned c = 0x20; c < 0x7F && m_bBlockRuns; ++c)
    {
        if (!m_notToken[c])
            continue;
        if (nStops == RUN_STOPS_MAX)
            m_bBlockRuns = false;
        else
            std::memset(m_runStops[nStops++], static_cast<int>(c), sizeof m_runStops[0]);
    }
    // Unused places repeat a control byte, which stops a block anyway.
    m_nRunStops = nStops;
    for (; nStops < RUN_STOPS_MAX; ++nStops)
        std::memset(m_runStops[nStops], 0, sizeof m_runStops[0]);
}

bool CParse::Refill()
{
    if (!m_pFile)
        return false;
    const size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_pFile);
    if (n == 0)
        return false;
    if (m_pBuffer)
        m_nBufferOffset += static_cast<size_t>(m_pEnd - m_pBuffer);
    m_pBuffer = m_buffer.data();
    m_pNext = m_pBuffer;
    m_pEnd = m_pNext + n;
    return true;
}

const std::string& CParse::Token(int nColumn, int nToken) const
{
    if (nToken < 0 || nToken >= TokenCount(nColumn))
        return s_empty;
    const CColumn& column = m_columns[static_cast<size_t>(nColumn)];
    if (column.texts.size() < TOKEN_MAX)
        column.texts.resize(TOKEN_MAX);
    std::string& text = column.texts[static_cast<size_t>(nToken)];
    const std::string_view view = TokenView(nColumn, nToken);
    text.assign(view.data(), view.size());
    return text;
}

void CParse::AppendCut(const unsigned char* pRun, size_t nRoom)
{
    std::memcpy(m_pToken + m_nTokenChars, pRun, nRoom);
    m_nTokenChars += nRoom;
    if (!m_bCharsCut)
    {
        m_bCharsCut = true;
        TraceLine(s_szClass, "NextLine() too much chars!");
    }
}

void CParse::TooManyTokens()
{
    TraceLine(s_szClass, "NextLine() too much toks!");
}

#if defined(__SSE2__)
inline const unsigned char* CParse::BlockRun(const unsigned char* p, const unsigned char* pEnd) const
{
    // Sixteen bytes a step while no byte of the block can end the run; a byte that might is
    // looked up, and the run goes on after it when it is a token character. Signed compares: the
    // bytes above 0x7F count as below 0x20.
    const __m128i control = _mm_set1_epi8(0x20);
    const __m128i del = _mm_set1_epi8(0x7F);
    // The walk with the bytes that may end the run marked by stopsOf(block).
    const auto walk = [this, &p, pEnd](auto stopsOf)
    {
        while (pEnd - p >= 16)
        {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const unsigned nMask = static_cast<unsigned>(_mm_movemask_epi8(stopsOf(v)));
            if (!nMask)
            {
                p += 16;
                continue;
            }
            p += __builtin_ctz(nMask);
            if (m_notToken[*p])
                return p;
            ++p;
        }
        return p;
    };
    if (m_nRunStops == 0)
        return walk([&](__m128i v)
                    { return _mm_or_si128(_mm_cmplt_epi8(v, control), _mm_cmpeq_epi8(v, del)); });
    const __m128i stop0 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_runStops[0]));
    const __m128i stop1 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_runStops[1]));
    const __m128i stop2 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_runStops[2]));
    const __m128i stop3 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_runStops[3]));
    return walk(
        [&](__m128i v)
        {
            return _mm_or_si128(
                _mm_or_si128(_mm_cmplt_epi8(v, control), _mm_cmpeq_epi8(v, del)),
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, stop0), _mm_cmpeq_epi8(v, stop1)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, stop2), _mm_cmpeq_epi8(v, stop3))));
        });
}
#endif

int CParse::NextLine()
{
    for (size_t i = 0; i < m_nColumns; ++i)
        m_columns[i].nCount = 0;
    m_nCurrent = 0;
    m_nColumns = 0;
    m_bColumnsCut = false;
    if (m_nClass == CC_EOF)
        return 0;

    // The bytes are walked here, a buffer at a time; the class of each comes from the table, and
    // a run of token characters is taken in one step into the place its token will have.
    const unsigned char* const pClass = m_class;
    const unsigned char* const pOther = m_notToken;
    const unsigned char* p = m_pNext;
    const unsigned char* pEnd = m_pEnd;
    int nCurrentClass = m_nClass;
    if (m_bAfterCr)
    {
        // An LF directly after the CR that ended the last line belongs to that line.
        m_bAfterCr = false;
        if (p == pEnd && Refill())
        {
            p = m_pNext;
            pEnd = m_pEnd;
        }
        if (p < pEnd && *p == '\n' && pClass[*p] == CC_LINE_END)
            ++p;
    }
    for (;;)
    {
        if (p == pEnd)
        {
            m_pNext = p;
            if (!Refill())
            {
                if (nCurrentClass == CC_TOKEN)
                    EndToken(m_nBufferOffset + static_cast<size_t>(p - m_pBuffer));
                m_nClass = CC_EOF;
                CloseColumn();
                return 0;
            }
            p = m_pNext;
            pEnd = m_pEnd;
        }
        const unsigned char nByte = *p++;
        const int nClass = pClass[nByte];

        if (nClass == CC_TOKEN)
        {
            const unsigned char* const pRun = p - 1;
            if (nCurrentClass != CC_TOKEN)
            {
                BeginToken(m_nBufferOffset + static_cast<size_t>(pRun - m_pBuffer));
                nCurrentClass = CC_TOKEN;
            }
#if defined(__SSE2__)
            if (m_bBlockRuns)
                p = BlockRun(p, pEnd);
            else
#endif
                // Eight bytes a step while the run goes on (names are long runs), then byte by byte.
                while (pEnd - p >= 8 && !(pOther[p[0]] | pOther[p[1]] | pOther[p[2]] | pOther[p[3]] |
                                          pOther[p[4]] | pOther[p[5]] | pOther[p[6]] | pOther[p[7]]))
                    p += 8;
            while (p < pEnd && !pOther[*p])
                ++p;
            AppendRun(pRun, static_cast<size_t>(p - pRun));
            continue;
        }
        if (nClass == CC_IGNORED)
            continue;
        if (nCurrentClass == CC_TOKEN)
            EndToken(m_nBufferOffset + static_cast<size_t>(p - 1 - m_pBuffer));
        nCurrentClass = nClass;
        if (nClass == CC_COLUMN)
        {
            if (m_nCurrent + 1 < COLUMN_MAX)
                ++m_nCurrent;
            else if (!m_bColumnsCut)
            {
                m_bColumnsCut = true;
                TraceLine(s_szClass, "NextLine() too much cols!");
            }
        }
        else if (nClass == CC_LINE_END)
        {
            m_pNext = p;
            m_nClass = nClass;
            CloseColumn();
            ++m_nLines;
            m_bAfterCr = nByte == '\r';
            return 1;
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
