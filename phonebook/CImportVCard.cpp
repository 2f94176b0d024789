#include "phonebook/CImportVCard.h"

#include "phonebook/CImport_Utf8.h"
#include "platform/CPlatform_File.h"
#include "support/Trace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
const char s_szClass[] = "CImportVCard";

// A short card (a name and a number) takes about this many bytes; the lists of cards and numbers
// get room for as many as a file of such cards holds, up to the bound, before they are read.
constexpr size_t CARD_BYTES_SHORT = 128;
constexpr size_t CARDS_RESERVE_MAX = 100000;
// Most cards carry a few numbers (mobile, home, work).
constexpr size_t CARD_NUMBERS_TYPICAL = 4;
// The reader's storage of decoded texts grows by blocks of this size (a value larger than it
// gets a block of its own).
constexpr size_t STORAGE_BLOCK = 64 * 1024;
// The bytes of a key looked at in one step.
constexpr size_t KEY_BLOCK = 16;

using View = CImportVCard::View;

char Upper(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// prefix is in upper case.
bool StartsWithNoCase(View text, View prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(text[i]) != prefix[i])
            return false;
    return true;
}

// upper is in upper case.
bool EqualsNoCase(View text, View upper)
{
    return text.size() == upper.size() && StartsWithNoCase(text, upper);
}

// The value of BEGIN and END lines: trailing blanks removed, any case.
bool IsVCard(View value)
{
    if (value == "VCARD")
        return true;
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    return EqualsNoCase(value, "VCARD");
}

void AppendUtf8(std::string& out, char32_t u)
{
    if (u < 0x80)
        out += static_cast<char>(u);
    else if (u < 0x800)
    {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
    else if (u < 0x10000)
    {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// UTF-16 text after its byte order mark, as UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::string& bytes, bool bBigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&bytes, bBigEndian](size_t i)
    {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bBigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    {
        char32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000)
        {
            u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        else if (u >= 0xD800 && u < 0xE000)
            u = 0xFFFD;
        AppendUtf8(out, u);
    }
    return out;
}

int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    const char u = Upper(ch);
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

void DecodeQuotedPrintable(View value, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < value.size(); ++i)
    {
        const int hi = value[i] == '=' && i + 2 < value.size() ? HexValue(value[i + 1]) : -1;
        const int lo = hi >= 0 ? HexValue(value[i + 2]) : -1;
        if (lo >= 0)
        {
            out += static_cast<char>((hi << 4) | lo);
            i += 2;
        }
        else
            out += value[i];
    }
}

// The character an escape stands for; a line break stands as a blank in a phonebook name.
char Escaped(char next)
{
    return next == 'n' || next == 'N' ? ' ' : next;
}

// The value with its backslash escapes resolved into pOut (room for value.size() bytes); its length.
size_t UnescapeTo(View value, char* pOut)
{
    char* q = pOut;
    for (size_t i = 0; i < value.size(); ++i)
    {
        if (value[i] == '\\' && i + 1 < value.size())
            *q++ = Escaped(value[++i]);
        else
            *q++ = value[i];
    }
    return static_cast<size_t>(q - pOut);
}

// The bytes that matter in a property's key: the colon that ends it, the semicolon that ends its
// name, and the quotes around parameter values.
const struct CKeyMarks
{
    bool marks[256] = {};
    constexpr CKeyMarks() : marks()
    {
        marks[static_cast<unsigned char>(':')] = true;
        marks[static_cast<unsigned char>(';')] = true;
        marks[static_cast<unsigned char>('"')] = true;
    }
    bool operator[](unsigned char c) const { return marks[c]; }
} s_keyMarks;

// What a value holds beyond plain ASCII text, found in one pass over it: the steps after the
// decoding (conversion, unescaping, splitting lists) run only for the values that need them.
constexpr unsigned VALUE_HIGH = 1;   // a byte above 0x7F (UTF-8 or another code page)
constexpr unsigned VALUE_ESCAPE = 2; // a backslash
constexpr unsigned VALUE_COMMA = 4;  // a comma (a list inside a name component)
const struct CValueMarks
{
    unsigned char marks[256] = {};
    constexpr CValueMarks() : marks()
    {
        for (size_t c = 0x80; c < 256; ++c)
            marks[c] = VALUE_HIGH;
        marks[static_cast<unsigned char>('\\')] = VALUE_ESCAPE;
        marks[static_cast<unsigned char>(',')] = VALUE_COMMA;
    }
    unsigned operator[](unsigned char c) const { return marks[c]; }
} s_valueMarks;

#if defined(__SSE2__)
// The bit of each of the first nBytes bytes of a block (all sixteen when nBytes >= 16).
unsigned BlockBits(ptrdiff_t nBytes)
{
    return nBytes >= 16 ? 0xFFFFu : (1u << nBytes) - 1;
}
#endif

// The marks of the value's bytes. Sixteen bytes are read at a time as far as the value's buffer
// goes on (pLimit: the end of the file's bytes for a value in them, the value's own end
// otherwise).
unsigned ValueMarks(View value, const char* pLimit)
{
    unsigned nMarks = 0;
    const char* p = value.data();
    const char* const pEnd = p + value.size();
#if defined(__SSE2__)
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i comma = _mm_set1_epi8(',');
    unsigned nHigh = 0;
    unsigned nEscapes = 0;
    unsigned nCommas = 0;
    for (; p < pEnd && pLimit - p >= 16; p += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned nIn = BlockBits(pEnd - p);
        nHigh |= static_cast<unsigned>(_mm_movemask_epi8(v)) & nIn;
        nEscapes |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, backslash))) & nIn;
        nCommas |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, comma))) & nIn;
    }
    nMarks = (nHigh ? VALUE_HIGH : 0) | (nEscapes ? VALUE_ESCAPE : 0) | (nCommas ? VALUE_COMMA : 0);
#else
    (void)pLimit;
#endif
    for (; p < pEnd; ++p)
        nMarks |= s_valueMarks[static_cast<unsigned char>(*p)];
    return nMarks;
}

// The offsets of the first semicolons of the value into pOffsets (at most nMax of them); their
// count. pLimit as for ValueMarks.
size_t Semicolons(View value, const char* pLimit, size_t* pOffsets, size_t nMax)
{
    size_t nFound = 0;
    const char* const pBegin = value.data();
    const char* p = pBegin;
    const char* const pEnd = p + value.size();
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    for (; p < pEnd && pLimit - p >= 16; p += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        unsigned nBits =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, semicolon))) & BlockBits(pEnd - p);
        for (; nBits && nFound < nMax; nBits &= nBits - 1)
            pOffsets[nFound++] = static_cast<size_t>(p - pBegin) + static_cast<size_t>(__builtin_ctz(nBits));
        if (nFound == nMax)
            return nFound;
    }
#else
    (void)pLimit;
#endif
    for (; p < pEnd && nFound < nMax; ++p)
        if (*p == ';')
            pOffsets[nFound++] = static_cast<size_t>(p - pBegin);
    return nFound;
}

// The position of the colon between name and value, outside quoted parameter values.
size_t ValueColon(View line)
{
    bool bQuoted = false;
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (line[i] == '"')
            bQuoted = !bQuoted;
        else if (line[i] == ':' && !bQuoted)
            return i;
    }
    return View::npos;
}

// The end of the physical line that begins at p: the first CR or LF, or pEnd.
const char* LineEnd(const char* p, const char* pEnd)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; pEnd - p >= 16; p += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int nMask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (nMask)
            return p + __builtin_ctz(static_cast<unsigned>(nMask));
    }
#endif
    while (p < pEnd && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// The number of a TEL value; version 4.0 writes it as a "tel:" URI, possibly with parameters.
View TelNumber(View value)
{
    if (!StartsWithNoCase(value, "TEL:"))
        return value;
    value.remove_prefix(4);
    return value.substr(0, value.find(';'));
}

// A quoted-printable value whose line ends with "=" goes on in the next line.
bool SoftLineBreak(View line)
{
    if (line.empty() || line.back() != '=')
        return false;
    const size_t nColon = ValueColon(line);
    if (nColon == View::npos)
        return false;
    const View key = line.substr(0, nColon);
    for (size_t i = 0; i < key.size(); ++i)
        if (StartsWithNoCase(key.substr(i), "QUOTED-PRINTABLE"))
            return true;
    return false;
}
} // namespace

CImportVCard::CImportVCard(const std::string& fileName)
{
    TraceLine(s_szClass, "Open() ", fileName.c_str());
    m_bOpen = CPlatform_File::ReadWhole(fileName, FILE_MAX, m_text, m_errorText) != 0;
    if (m_bOpen)
        Parse();
    else
        m_text.clear();
}

CImportVCard::CImportVCard(const char* pData, size_t nSize) : m_bOpen(true)
{
    if (pData)
        m_text.assign(pData, nSize);
    Parse();
}

CImportVCard::~CImportVCard() = default;

std::string CImportVCard::NameProposal(const View (&names)[NAME_PARTS], int nProposal)
{
    std::string text;
    auto add = [&text](std::initializer_list<View> parts)
    {
        for (const View part : parts)
            text.append(part.data(), part.size());
    };
    switch (nProposal)
    {
    case 0:
        add({names[0], ", ", names[1], " ", names[2]});
        break;
    case 1:
        add({names[1], " ", names[2], " ", names[0], " ", names[4]});
        break;
    default:
        break;
    }
    return text;
}

bool CImportVCard::HasNameParts(const View (&names)[NAME_PARTS])
{
    return !names[0].empty() || !names[1].empty() || !names[2].empty();
}

std::string CImportVCard::Localise(View number, const std::string& country, const std::string& outside)
{
    if (country.empty() || number.compare(0, country.size(), country) != 0)
    {
        // The telephone dials no "+": another country's number is dialled with the
        // international prefix, after the outside-line digits as every outside number.
        if (!number.empty() && number[0] == '+')
            return outside + INTERNATIONAL_PREFIX + std::string(number.substr(1));
        return std::string(number);
    }
    size_t nRest = country.size();
    // The one character after the code separates it; a digit there belongs to the number.
    if (nRest < number.size() && (number[nRest] < '0' || number[nRest] > '9'))
        ++nRest;
    size_t nTrunk = nRest;
    while (nTrunk < number.size() && number[nTrunk] == ' ')
        ++nTrunk;
    if (number.compare(nTrunk, 3, "(0)") == 0)
        nRest = nTrunk + 3;
    return outside + std::string(number.substr(nRest));
}

char* CImportVCard::Room(size_t nSize)
{
    if (m_nFree < nSize)
    {
        const size_t nBlock = std::max(STORAGE_BLOCK, nSize);
        m_blocks.emplace_back(new char[nBlock]);
        m_pFree = m_blocks.back().get();
        m_nFree = nBlock;
    }
    return m_pFree;
}

void CImportVCard::Commit(size_t nUsed)
{
    m_pFree += nUsed;
    m_nFree -= nUsed;
}

View CImportVCard::Keep(View text)
{
    if (text.empty())
        return View();
    const std::less<const char*> before;
    const char* const pText = m_text.data();
    if (!before(text.data(), pText) && !before(pText + m_text.size(), text.data() + text.size()))
        return text;
    if (!m_blocks.empty() && !before(text.data(), m_blocks.back().get()) &&
        !before(m_pFree, text.data() + text.size()))
        return text;
    char* const p = Room(text.size());
    std::memcpy(p, text.data(), text.size());
    Commit(text.size());
    return View(p, text.size());
}

CImportVCard::CValue CImportVCard::DecodeValue(View value, View params, bool bInText, bool& bChanged)
{
    bool bQuotedPrintable = false;
    View charset;
    while (!params.empty())
    {
        const size_t nEnd = std::min(params.find(';'), params.size());
        const View param = params.substr(0, nEnd);
        params.remove_prefix(std::min(nEnd + 1, params.size()));
        // Most parameters are types ("TYPE=CELL"); only these three letters begin one that counts.
        const char chFirst = param.empty() ? '\0' : Upper(param[0]);
        if (chFirst != 'Q' && chFirst != 'E' && chFirst != 'C')
            continue;
        if (EqualsNoCase(param, "QUOTED-PRINTABLE") || EqualsNoCase(param, "ENCODING=QUOTED-PRINTABLE"))
            bQuotedPrintable = true;
        else if (StartsWithNoCase(param, "CHARSET="))
        {
            charset = param.substr(8);
            if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"')
                charset = charset.substr(1, charset.size() - 2);
        }
    }
    CValue result;
    result.text = value;
    result.bKept = bInText;
    const char* pLimit = bInText ? m_text.data() + m_text.size() : value.data() + value.size();
    if (bQuotedPrintable)
    {
        DecodeQuotedPrintable(value, m_quoted);
        result.text = m_quoted;
        result.bKept = false;
        pLimit = m_quoted.data() + m_quoted.size();
    }
    // The conversion below keeps every ASCII byte and makes none, so the marks hold after it.
    result.nMarks = ValueMarks(result.text, pLimit);
    result.pLimit = pLimit;
    // Without a declared character set, text that is valid UTF-8 is taken as UTF-8 (what version
    // 4.0 demands and most 3.0 writers do); anything else is single-byte text as before.
    const bool bUtf8 = charset.empty() ? (result.nMarks & VALUE_HIGH) != 0
                                       : (EqualsNoCase(charset, "UTF-8") || EqualsNoCase(charset, "UTF8"));
    if (bUtf8)
    {
        char* const p = Room(result.text.size());
        size_t n = 0;
        if (CImport_Utf8::ToCp1252(result.text, p, n, bChanged))
        {
            Commit(n);
            result.text = View(p, n);
            result.bKept = true;
            result.pLimit = p + n;
        }
    }
    return result;
}

View CImportVCard::Unescaped(const CValue& value)
{
    if (!(value.nMarks & VALUE_ESCAPE))
        return value.bKept ? value.text : Keep(value.text);
    char* const p = Room(value.text.size());
    const size_t n = UnescapeTo(value.text, p);
    Commit(n);
    return View(p, n);
}

void CImportVCard::SplitComponents(const CValue& value, View (&parts)[NAME_PARTS])
{
    for (View& part : parts)
        part = View();
    if (!(value.nMarks & (VALUE_ESCAPE | VALUE_COMMA)))
    {
        // Nothing escaped and no lists: each component is a piece of the value as it stands,
        // where it lives as long as the reader.
        const View kept = value.bKept ? value.text : Keep(value.text);
        size_t semicolons[NAME_PARTS];
        const char* const pLimit = value.bKept ? value.pLimit : kept.data() + kept.size();
        const size_t nFound = Semicolons(kept, pLimit, semicolons, NAME_PARTS);
        size_t nBegin = 0;
        for (size_t k = 0; k < nFound; ++k)
        {
            parts[k] = kept.substr(nBegin, semicolons[k] - nBegin);
            nBegin = semicolons[k] + 1;
        }
        if (nFound < NAME_PARTS && nBegin < kept.size())
            parts[nFound] = kept.substr(nBegin);
        return;
    }
    // The unescaped commas between the several values of one component become blanks.
    const View text = value.text;
    char* const pStart = Room(text.size());
    char* q = pStart;
    char* pPart = q;
    size_t nPart = 0;
    for (size_t i = 0; i < text.size() && nPart < NAME_PARTS; ++i)
    {
        const char ch = text[i];
        if (ch == '\\' && i + 1 < text.size())
            *q++ = Escaped(text[++i]);
        else if (ch == ';')
        {
            parts[nPart++] = View(pPart, static_cast<size_t>(q - pPart));
            pPart = q;
        }
        else
            *q++ = ch == ',' ? ' ' : ch;
    }
    if (nPart < NAME_PARTS)
        parts[nPart] = View(pPart, static_cast<size_t>(q - pPart));
    Commit(static_cast<size_t>(q - pStart));
}

void CImportVCard::Parse()
{
    TraceLine(s_szClass, "Parse)");
    size_t nStart = 0;
    if (m_text.size() >= 2 && static_cast<unsigned char>(m_text[0]) == 0xFF &&
        static_cast<unsigned char>(m_text[1]) == 0xFE)
        m_text = FromUtf16(m_text, false);
    else if (m_text.size() >= 2 && static_cast<unsigned char>(m_text[0]) == 0xFE &&
             static_cast<unsigned char>(m_text[1]) == 0xFF)
        m_text = FromUtf16(m_text, true);
    else if (View(m_text).substr(0, CImport_Utf8::BOM.size()) == CImport_Utf8::BOM)
        nStart = CImport_Utf8::BOM.size();

    // Physical lines end at CR LF, CR or LF; folded and soft-broken lines are joined first. A
    // line is looked at where it stands in the text unless it had to be joined.
    bool bInCard = false;
    bool bReading = true;
    View line;
    bool bJoined = false;
    bool bHaveLine = false;
    auto flush = [&]()
    {
        if (bHaveLine && bReading)
            bReading = Property(bJoined ? View(m_joined) : line, !bJoined, bInCard);
        bHaveLine = false;
    };
    auto join = [&](View more)
    {
        if (!bJoined)
            m_joined.assign(line.data(), line.size());
        bJoined = true;
        m_joined.append(more.data(), more.size());
    };
    const char* p = m_text.data() + nStart;
    const char* const pEnd = m_text.data() + m_text.size();
    // Room for the cards and numbers of a file of short cards, so that they are seldom moved.
    m_cards.reserve(std::min(m_text.size() / CARD_BYTES_SHORT, CARDS_RESERVE_MAX));
    m_numbers.reserve(std::min(m_text.size() / CARD_BYTES_SHORT * CARD_NUMBERS_TYPICAL, CARDS_RESERVE_MAX));
    while (p < pEnd && bReading)
    {
        const char* const pLineEnd = LineEnd(p, pEnd);
        const View physical(p, static_cast<size_t>(pLineEnd - p));
        p = pLineEnd;
        if (p < pEnd && *p == '\r')
            ++p;
        if (p < pEnd && *p == '\n')
            ++p;

        if (physical.empty())
            flush();
        else if (bHaveLine && (physical[0] == ' ' || physical[0] == '\t'))
        {
            join(physical.substr(1));
        }
        else if (bHaveLine && SoftLineBreak(bJoined ? View(m_joined) : line))
        {
            join(View());
            m_joined.pop_back();
            join(physical);
        }
        else
        {
            flush();
            line = physical;
            bJoined = false;
            bHaveLine = true;
        }
    }
    flush();
    // The list of numbers no longer grows: each card can point at its own.
    for (CCard& card : m_cards)
        card.numbers.m_pFirst = m_numbers.data() + card.numbers.m_nFirst;
}

namespace
{
// The properties the phonebook looks at.
enum EProperty
{
    P_OTHER,
    P_BEGIN,
    P_END,
    P_FN,
    P_N,
    P_TEL,
};

// The bytes of a name of up to eight letters in one word, each with the bit that makes a capital
// letter small: a byte matches a small letter so only when it is that letter in either case.
constexpr uint64_t Packed(const char* psz)
{
    uint64_t nWord = 0;
    for (unsigned i = 0; psz[i]; ++i)
        nWord |= static_cast<uint64_t>(static_cast<unsigned char>(psz[i])) << (8 * i);
    return nWord;
}

EProperty Classify(View name)
{
    if (name.empty() || name.size() > 5)
        return P_OTHER;
    uint64_t nWord = 0;
    for (size_t i = 0; i < name.size(); ++i)
        nWord |= static_cast<uint64_t>(static_cast<unsigned char>(name[i]) | 0x20u) << (8 * i);
    switch (nWord)
    {
    case Packed("n"):
        return P_N;
    case Packed("fn"):
        return P_FN;
    case Packed("tel"):
        return P_TEL;
    case Packed("end"):
        return P_END;
    case Packed("begin"):
        return P_BEGIN;
    default:
        return P_OTHER;
    }
}

inline void TraceValue(const char* pszWhat, View value)
{
    if (g_nTraceState != TRACE_OFF && TraceIsOn())
        TraceLine(s_szClass, pszWhat, std::string(value).c_str());
}
} // namespace

bool CImportVCard::Property(View line, bool bInText, bool& bInCard)
{
    // The colon between name and value (outside quoted parameter values) and the first ";",
    // in one pass that looks at most bytes once in a table.
    size_t nColon = View::npos;
    size_t nFirstSemicolon = View::npos;
    bool bQuoted = false;
    bool bGroup = true; // a "." may stand in the key
    size_t i = 0;
#if defined(__SSE2__)
    // Most keys are short: the first sixteen bytes at once, where the file's bytes go on that far.
    if (bInText && !line.empty() &&
        m_text.data() + m_text.size() - line.data() >= static_cast<ptrdiff_t>(KEY_BLOCK))
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data()));
        const unsigned nInLine = line.size() >= KEY_BLOCK ? 0xFFFFu : (1u << line.size()) - 1;
        const unsigned nColons =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(':')))) & nInLine;
        const unsigned nQuotes =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')))) & nInLine;
        const unsigned nSemicolons =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(';')))) & nInLine;
        const unsigned nBeforeColon = (nColons & (0u - nColons)) - 1;
        if (nColons && !(nQuotes & nBeforeColon))
        {
            bGroup = (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('.')))) &
                      nBeforeColon) != 0;
            nColon = static_cast<size_t>(__builtin_ctz(nColons));
            if (nSemicolons & nBeforeColon)
                nFirstSemicolon = static_cast<size_t>(__builtin_ctz(nSemicolons));
            i = line.size();
        }
    }
#endif
    for (; i < line.size(); ++i)
    {
        const char ch = line[i];
        if (!s_keyMarks[static_cast<unsigned char>(ch)])
            continue;
        if (ch == '"')
            bQuoted = !bQuoted;
        else if (ch == ';')
            nFirstSemicolon = std::min(nFirstSemicolon, i);
        else if (!bQuoted)
        {
            nColon = i;
            break;
        }
    }
    if (nColon == View::npos)
        return true; // no key: not a property
    size_t nLead = 0;
    while (nLead < nColon && line[nLead] == ' ')
        ++nLead;
    const View key = line.substr(nLead, nColon - nLead);
    const size_t nSemicolon = nFirstSemicolon < nColon ? nFirstSemicolon - nLead : key.size();
    View name = key.substr(0, nSemicolon);
    // A group prefix ("item1.TEL") does not change the property.
    const size_t nDot = bGroup ? name.rfind('.') : View::npos;
    if (nDot != View::npos)
        name.remove_prefix(nDot + 1);
    // VERSION and every other property, wherever they stand, are passed over undecoded.
    const EProperty property = Classify(name);
    if (property == P_OTHER)
        return true;
    const View value = line.substr(nColon + 1);
    const View params = key.substr(std::min(nSemicolon + 1, key.size()));

    const bool bBegin = property == P_BEGIN && IsVCard(value);
    const bool bEnd = property == P_END && IsVCard(value);
    if (!bInCard)
    {
        if (bEnd)
            return false;
        if (bBegin)
        {
            bInCard = true;
            m_cards.emplace_back();
            m_bCardOpen = true;
        }
        return true;
    }
    // Inside, reading runs to the end of the file: later cards add their numbers and replace
    // the names; each card is also kept apart.
    if (bBegin)
    {
        m_cards.emplace_back();
        m_bCardOpen = true;
        return true;
    }
    if (bEnd)
    {
        m_bCardOpen = false;
        return true;
    }
    if (property == P_BEGIN || property == P_END)
        return true;

    CCard* pCard = m_bCardOpen ? &m_cards.back() : nullptr;
    bool bChanged = false;
    const CValue decoded = DecodeValue(value, params, bInText, bChanged);
    const View text = decoded.text;
    if (pCard && bChanged)
        pCard->bChanged = true;
    switch (property)
    {
    case P_FN:
        m_formattedName = Unescaped(decoded);
        TraceValue("vCard FN ", m_formattedName);
        if (pCard)
            pCard->formattedName = m_formattedName;
        break;
    case P_N:
        if (TraceIsOn())
            TraceLine(s_szClass, "vCard N ", "Input(", (std::string(text) + ")").c_str());
        SplitComponents(decoded, m_names);
        if (pCard)
            std::copy(std::begin(m_names), std::end(m_names), std::begin(pCard->names));
        break;
    case P_TEL:
    {
        CValue tel = decoded;
        tel.text = TelNumber(text);
        const View number = Unescaped(tel);
        m_numbers.push_back(number);
        TraceValue("vCard TEL ", number);
        if (pCard)
        {
            if (pCard->numbers.m_nCount == 0)
                pCard->numbers.m_nFirst = m_numbers.size() - 1;
            ++pCard->numbers.m_nCount;
        }
        break;
    }
    default:
        break;
    }
    return true;
}
