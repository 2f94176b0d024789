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
// The walk over the lines reads the text this many bytes at a time. The reader's copy of the file
// has as many zero bytes behind it, so that a block that begins in the file stays in the copy; a
// zero byte ends no line and marks no key.
constexpr size_t BLOCK = 16;

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
// name, the dots of a group prefix, the quotes around parameter values, and the line's end.
const struct CKeyMarks
{
    bool marks[256] = {};
    constexpr CKeyMarks() : marks()
    {
        for (const char ch : {':', ';', '.', '"', '\r', '\n'})
            marks[static_cast<unsigned char>(ch)] = true;
    }
    bool operator[](unsigned char c) const { return marks[c]; }
} s_keyMarks;

// What a value holds beyond plain ASCII text, found in one pass over it: the steps after the
// decoding (conversion, unescaping, splitting lists) run only for the values that need them.
constexpr unsigned VALUE_HIGH = 1;      // a byte above 0x7F (UTF-8 or another code page)
constexpr unsigned VALUE_ESCAPE = 2;    // a backslash
constexpr unsigned VALUE_COMMA = 4;     // a comma (a list inside a name component)
constexpr unsigned VALUE_UNKNOWN = ~0u; // not yet looked at
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
#if defined(__SSE2__)
// The marks of blocks of a value, gathered a block at a time (nIn: the bits of the value's bytes).
struct CBlockMarks
{
    void Add(__m128i v, unsigned nIn)
    {
        nHigh |= static_cast<unsigned>(_mm_movemask_epi8(v)) & nIn;
        nEscapes |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\\')))) & nIn;
        nCommas |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(',')))) & nIn;
    }
    unsigned Marks() const
    {
        return !(nHigh | nEscapes | nCommas)
                   ? 0
                   : (nHigh ? VALUE_HIGH : 0) | (nEscapes ? VALUE_ESCAPE : 0) | (nCommas ? VALUE_COMMA : 0);
    }

    unsigned nHigh = 0;
    unsigned nEscapes = 0;
    unsigned nCommas = 0;
};
#endif

unsigned ValueMarks(View value, const char* pLimit)
{
    unsigned nMarks = 0;
    const char* p = value.data();
    const char* const pEnd = p + value.size();
#if defined(__SSE2__)
    CBlockMarks marks;
    for (; p < pEnd && pLimit - p >= 16; p += 16)
        marks.Add(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), BlockBits(pEnd - p));
    nMarks = marks.Marks();
#else
    (void)pLimit;
#endif
    for (; p < pEnd; ++p)
        nMarks |= s_valueMarks[static_cast<unsigned char>(*p)];
    return nMarks;
}

// The value split at its semicolons into the parts (which are empty): a piece for each, at most
// NAME_PARTS (what follows the last is dropped). pLimit as for ValueMarks.
void SplitAtSemicolons(View value, const char* pLimit, View (&parts)[CImportVCard::NAME_PARTS])
{
    const char* pPart = value.data();
    const char* p = pPart;
    const char* const pEnd = p + value.size();
    size_t nPart = 0;
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    for (; p < pEnd && pLimit - p >= 16; p += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        unsigned nBits =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, semicolon))) & BlockBits(pEnd - p);
        for (; nBits; nBits &= nBits - 1)
        {
            const char* const pAt = p + __builtin_ctz(nBits);
            parts[nPart++] = View(pPart, static_cast<size_t>(pAt - pPart));
            pPart = pAt + 1;
            if (nPart == CImportVCard::NAME_PARTS)
                return;
        }
    }
#else
    (void)pLimit;
#endif
    for (; p < pEnd; ++p)
        if (*p == ';')
        {
            parts[nPart++] = View(pPart, static_cast<size_t>(p - pPart));
            pPart = p + 1;
            if (nPart == CImportVCard::NAME_PARTS)
                return;
        }
    if (pPart < pEnd)
        parts[nPart] = View(pPart, static_cast<size_t>(pEnd - pPart));
}

// The start of the line after the line end at p (CR LF, CR or LF; at the file's end, p: the
// zero bytes behind it end no line).
inline const char* NextLine(const char* p)
{
    p += *p == '\r';
    p += *p == '\n';
    return p;
}

// True when the line that begins at p (not beyond pEnd) is empty: it ends the line before it.
inline bool EmptyLine(const char* p, const char* pEnd)
{
    return p == pEnd || *p == '\r' || *p == '\n';
}

// The end of the physical line that begins at p: the first CR or LF, or pEnd. Reads whole blocks
// into the zero bytes behind pEnd.
const char* LineEnd(const char* p, const char* pEnd)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (;; p += BLOCK)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int nMask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (nMask)
            return p + __builtin_ctz(static_cast<unsigned>(nMask));
        if (pEnd - p <= static_cast<ptrdiff_t>(BLOCK))
            return pEnd;
    }
#else
    while (p < pEnd && *p != '\r' && *p != '\n')
        ++p;
    return p;
#endif
}

// The end of the physical line whose value begins at p, as LineEnd, with the marks of the value's
// bytes before it (as ValueMarks gives them) found in the same blocks.
const char* ValueEnd(const char* p, const char* pEnd, unsigned& nMarks)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    CBlockMarks marks;
    for (;; p += BLOCK)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned nEnds = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        // The bytes before the line's end (the zero bytes behind pEnd mark nothing).
        marks.Add(v, (nEnds & (0u - nEnds)) - 1);
        if (nEnds)
        {
            p += __builtin_ctz(nEnds);
            break;
        }
        if (pEnd - p <= static_cast<ptrdiff_t>(BLOCK))
        {
            p = pEnd;
            break;
        }
    }
    nMarks = marks.Marks();
    return p;
#else
    const char* const pLineEnd = LineEnd(p, pEnd);
    nMarks = ValueMarks(View(p, static_cast<size_t>(pLineEnd - p)), pLineEnd);
    return pLineEnd;
#endif
}

// What the walk finds in the key at the start of a line.
struct CKey
{
    const char* pColon = nullptr;     // the colon after the key, outside quotes; null: none
    const char* pSemicolon = nullptr; // the first ";" before it: the name's end
    const char* pDot = nullptr;       // the last "." before the name's end: a group prefix's end
    const char* pLineEnd = nullptr;   // the line's end, where it was found on the way
};

// A key being scanned, its marks (the bytes of s_keyMarks) taken in the order they stand.
struct CKeyScan
{
    enum EMark
    {
        MARK_ON,    // the key goes on
        MARK_COLON, // the colon after the key
        MARK_END,   // the line ends before a colon
    };

    EMark Mark(const char* pAt)
    {
        const char ch = *pAt;
        if (ch == ':')
            return bQuoted ? MARK_ON : MARK_COLON;
        if (ch == ';')
        {
            if (!pSemicolon)
                pSemicolon = pAt;
        }
        else if (ch == '.')
        {
            if (!pSemicolon)
                pDot = pAt;
        }
        else if (ch == '"')
            bQuoted = !bQuoted;
        else
            return MARK_END;
        return MARK_ON;
    }
    CKey Key(const char* pColon, const char* pLineEnd) const
    {
        return CKey{pColon, pSemicolon, pDot, pLineEnd};
    }

    const char* pSemicolon = nullptr;
    const char* pDot = nullptr;
    bool bQuoted = false;
};

// The key of the text from p to pEnd, a byte at a time.
CKey KeyOf(const char* p, const char* pEnd)
{
    CKeyScan scan;
    for (; p < pEnd; ++p)
    {
        if (!s_keyMarks[static_cast<unsigned char>(*p)])
            continue;
        const CKeyScan::EMark eMark = scan.Mark(p);
        if (eMark != CKeyScan::MARK_ON)
            return eMark == CKeyScan::MARK_COLON ? scan.Key(p, nullptr) : scan.Key(nullptr, p);
    }
    return scan.Key(nullptr, pEnd);
}

// The key of the line that begins at p, in the same blocks that find the line's end when it is
// near (a short line is read once). Reads whole blocks into the zero bytes behind pEnd.
inline CKey LineKey(const char* p, const char* pEnd)
{
#if defined(__SSE2__)
    CKeyScan scan;
    for (const char* q = p;; q += BLOCK)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const unsigned nEnds = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')))));
        const __m128i names =
            _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(';')), _mm_cmpeq_epi8(v, _mm_set1_epi8('.')));
        const __m128i values =
            _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(':')), _mm_cmpeq_epi8(v, _mm_set1_epi8('"')));
        for (unsigned nMarks = nEnds | static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(names, values)));
             nMarks; nMarks &= nMarks - 1)
        {
            const unsigned nBit = static_cast<unsigned>(__builtin_ctz(nMarks));
            const CKeyScan::EMark eMark = scan.Mark(q + nBit);
            if (eMark == CKeyScan::MARK_END)
                return scan.Key(nullptr, q + nBit);
            if (eMark == CKeyScan::MARK_COLON)
            {
                // The line's end, when it is in the same block.
                const unsigned nLaterEnds = nEnds & ~((2u << nBit) - 1);
                return scan.Key(q + nBit, nLaterEnds ? q + __builtin_ctz(nLaterEnds) : nullptr);
            }
        }
        if (pEnd - q <= static_cast<ptrdiff_t>(BLOCK))
            return scan.Key(nullptr, pEnd);
    }
#else
    return KeyOf(p, pEnd);
#endif
}

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

// The property a name of nSize bytes at pName stands for; eight bytes may be read at pName.
inline EProperty Classify(const char* pName, size_t nSize)
{
    if (nSize == 0 || nSize > 5)
        return P_OTHER;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    uint64_t nWord = 0;
    std::memcpy(&nWord, pName, sizeof nWord);
    nWord = (nWord | 0x2020202020202020ull) & ((uint64_t(1) << (8 * nSize)) - 1);
#else
    uint64_t nWord = 0;
    for (size_t i = 0; i < nSize; ++i)
        nWord |= static_cast<uint64_t>(static_cast<unsigned char>(pName[i]) | 0x20u) << (8 * i);
#endif
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

// The property named by the key of the line that begins at pLine (blanks before the name and a
// group prefix such as "item1." do not count), and its parameters: the key after the name. The
// line has a block of zero bytes behind it.
inline EProperty KeyProperty(const char* pLine, const CKey& key, View& params)
{
    const char* pName = pLine;
    if (*pName == ' ')
        while (pName < key.pColon && *pName == ' ')
            ++pName;
    const char* const pNameEnd = key.pSemicolon ? key.pSemicolon : key.pColon;
    if (key.pDot)
        pName = key.pDot + 1;
    params = key.pSemicolon ? View(key.pSemicolon + 1, static_cast<size_t>(key.pColon - key.pSemicolon - 1))
                            : View();
    return Classify(pName, static_cast<size_t>(pNameEnd - pName));
}

// False when no parameter can ask for a decoding: none begins with Q, E or C in either case (as
// QUOTED-PRINTABLE, ENCODING= and CHARSET= do), which most keys show in one block. The parameters
// have a block of zero bytes behind them.
inline bool MayAskDecoding(View params)
{
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    const __m128i small = _mm_set1_epi8(0x20);
    unsigned nStarts = 1; // the first parameter begins with the first byte
    for (size_t i = 0; i < params.size(); i += BLOCK)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(params.data() + i));
        const __m128i letter = _mm_or_si128(v, small);
        const __m128i first = _mm_or_si128(_mm_cmpeq_epi8(letter, _mm_set1_epi8('q')),
                                           _mm_or_si128(_mm_cmpeq_epi8(letter, _mm_set1_epi8('e')),
                                                        _mm_cmpeq_epi8(letter, _mm_set1_epi8('c'))));
        const unsigned nSemicolons = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, semicolon)));
        nStarts |= nSemicolons << 1;
        if (nStarts & static_cast<unsigned>(_mm_movemask_epi8(first)) &
            BlockBits(static_cast<ptrdiff_t>(params.size() - i)))
            return true;
        nStarts = nSemicolons >> (BLOCK - 1);
    }
    return false;
#else
    (void)params;
    return true;
#endif
}

// True when the key asks for quoted-printable values: a value that ends with "=" goes on in the
// next line.
bool NamesQuotedPrintable(View key)
{
    for (size_t i = 0; i < key.size(); ++i)
        if (StartsWithNoCase(key.substr(i), "QUOTED-PRINTABLE"))
            return true;
    return false;
}

// What the parameters ask of the value: quoted-printable, and the character set it is written in
// (the last CHARSET parameter, without quotes).
void Encoding(View params, bool& bQuotedPrintable, View& charset)
{
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
}

// The number of a TEL value; version 4.0 writes it as a "tel:" URI, possibly with parameters.
View TelNumber(View value)
{
    if (!StartsWithNoCase(value, "TEL:"))
        return value;
    value.remove_prefix(4);
    return value.substr(0, value.find(';'));
}

// True when the line after a physical line may continue it: it is not empty, and it begins with a
// blank or TAB, or the line so far ends with "=" (a soft line break, if the key asks for
// quoted-printable).
inline bool MayGoOn(const char* pNext, const char* pEnd, char chLast)
{
    // Most lines begin with a letter.
    const unsigned char c = static_cast<unsigned char>(*pNext);
    if (c > ' ')
        return chLast == '=';
    return !EmptyLine(pNext, pEnd) && (c == ' ' || c == '\t' || chLast == '=');
}

// The lines that continue the line whose key begins at pLine, its colon at pColon, and whose
// first physical line ends at pLineEnd, walked; the start of the line after them.
const char* Continued(const char* pLine, const char* pColon, const char* pLineEnd, const char* pEnd)
{
    const char* pNext = NextLine(pLineEnd);
    char chLast = pLineEnd[-1];
    int nQuotedPrintable = -1; // not yet looked at
    while (!EmptyLine(pNext, pEnd))
    {
        const bool bFolded = *pNext == ' ' || *pNext == '\t';
        if (!bFolded)
        {
            if (chLast != '=')
                break;
            if (nQuotedPrintable < 0)
                nQuotedPrintable = NamesQuotedPrintable(View(pLine, static_cast<size_t>(pColon - pLine)));
            if (!nQuotedPrintable)
                break;
        }
        const char* const pPiece = bFolded ? pNext + 1 : pNext;
        const char* const pPieceEnd = LineEnd(pPiece, pEnd);
        if (pPieceEnd > pPiece)
            chLast = pPieceEnd[-1];
        pNext = NextLine(pPieceEnd);
    }
    return pNext;
}

// A line whose first physical line (pLine to pLineEnd) holds no colon, joined into joined with
// the lines that continue it, so that its key can be looked for (bJoined: a line continued it);
// the start of the line after them. A block of zero bytes follows what was joined.
const char* Unkeyed(const char* pLine, const char* pLineEnd, const char* pEnd, std::string& joined,
                    bool& bJoined)
{
    const char* pNext = NextLine(pLineEnd);
    bJoined = false;
    // Without a colon only a folded line can go on.
    if (EmptyLine(pNext, pEnd) || (*pNext != ' ' && *pNext != '\t'))
        return pNext;
    joined.assign(pLine, pLineEnd);
    // The colon is looked for in what was joined since the last look; once found, the key before
    // it stays as it is.
    size_t nScanned = 0;
    bool bQuoted = false;
    size_t nColon = View::npos;
    int nQuotedPrintable = -1;
    while (!EmptyLine(pNext, pEnd))
    {
        const bool bFolded = *pNext == ' ' || *pNext == '\t';
        if (!bFolded)
        {
            if (joined.back() != '=')
                break;
            for (; nColon == View::npos && nScanned < joined.size(); ++nScanned)
            {
                if (joined[nScanned] == '"')
                    bQuoted = !bQuoted;
                else if (joined[nScanned] == ':' && !bQuoted)
                    nColon = nScanned;
            }
            if (nColon == View::npos)
                break;
            if (nQuotedPrintable < 0)
                nQuotedPrintable = NamesQuotedPrintable(View(joined).substr(0, nColon));
            if (!nQuotedPrintable)
                break;
            joined.pop_back(); // the "=" of the soft line break
        }
        const char* const pPiece = bFolded ? pNext + 1 : pNext;
        pLineEnd = LineEnd(pPiece, pEnd);
        joined.append(pPiece, pLineEnd);
        pNext = NextLine(pLineEnd);
    }
    bJoined = true;
    joined.append(BLOCK, '\0');
    return pNext;
}

inline void TraceValue(const char* pszWhat, View value)
{
    if (g_nTraceState != TRACE_OFF && TraceIsOn())
        TraceLine(s_szClass, pszWhat, std::string(value).c_str());
}
} // namespace

CImportVCard::CImportVCard(const std::string& fileName)
{
    TraceLine(s_szClass, "Open() ", fileName.c_str());
    m_bOpen = CPlatform_File::ReadWhole(fileName, FILE_MAX, m_text, m_errorText, BLOCK) != 0;
    if (m_bOpen)
        Parse();
    else
        m_text.clear();
}

CImportVCard::CImportVCard(const char* pData, size_t nSize) : m_bOpen(true)
{
    if (pData)
    {
        m_text.reserve(nSize + BLOCK);
        m_text.assign(pData, nSize);
    }
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

inline char* CImportVCard::Room(size_t nSize)
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

inline void CImportVCard::Commit(size_t nUsed)
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

inline View CImportVCard::Unescaped(const CValue& value)
{
    if (!(value.nMarks & VALUE_ESCAPE))
        return value.bKept ? value.text : Keep(value.text);
    char* const p = Room(value.text.size());
    const size_t n = UnescapeTo(value.text, p);
    Commit(n);
    return View(p, n);
}

inline void CImportVCard::SplitComponents(const CValue& value, View (&parts)[NAME_PARTS])
{
    for (View& part : parts)
        part = View();
    if (!(value.nMarks & (VALUE_ESCAPE | VALUE_COMMA)))
    {
        // Nothing escaped and no lists: each component is a piece of the value as it stands,
        // where it lives as long as the reader.
        const View kept = value.bKept ? value.text : Keep(value.text);
        SplitAtSemicolons(kept, value.bKept ? value.pLimit : kept.data() + kept.size(), parts);
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

inline bool CImportVCard::Take(int nProperty, CValue& value, View params)
{
    const EProperty property = static_cast<EProperty>(nProperty);
    if (property == P_BEGIN || property == P_END)
    {
        if (!IsVCard(value.text))
            return true;
        if (property == P_END)
        {
            // Before the first card a closing line ends the reading; inside, reading runs to the
            // end of the file: later cards add their numbers and replace the names, and each card
            // is also kept apart.
            if (!m_bInCard)
                return false;
            m_bCardOpen = false;
            return true;
        }
        m_bInCard = true;
        m_cards.emplace_back();
        m_bCardOpen = true;
        return true;
    }
    if (!m_bInCard)
        return true;
    TakeValue(property, value, params);
    return true;
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
    const size_t nSize = m_text.size();
    m_text.append(BLOCK, '\0');

    // Physical lines end at CR LF, CR or LF; a line that begins with a blank or TAB continues the
    // one before, and so does any line after a quoted-printable value that ends with "=". Each
    // line is walked once: the blocks that find its key find its end too, and the next line's
    // first byte tells whether it goes on. A property the phonebook does not take is passed over
    // to the end of its last line; the value of one it takes is looked at where it stands in the
    // text, or joined when it goes on.
    const char* p = m_text.data() + nStart;
    const char* const pEnd = m_text.data() + nSize;
    // Room for the cards and numbers of a file of short cards, so that they are seldom moved.
    m_cards.reserve(std::min(nSize / CARD_BYTES_SHORT, CARDS_RESERVE_MAX));
    m_numbers.reserve(std::min(nSize / CARD_BYTES_SHORT * CARD_NUMBERS_TYPICAL, CARDS_RESERVE_MAX));
    const char* const pTextLimit = m_text.data() + m_text.size();
    while (p < pEnd)
    {
        if (static_cast<unsigned char>(*p) <= '\r' && (*p == '\r' || *p == '\n'))
        {
            p = NextLine(p); // an empty line
            continue;
        }
        const CKey key = LineKey(p, pEnd);
        if (!key.pColon)
        {
            // The colon, if any, is in a folded line: the line is joined before it is looked at.
            bool bJoined = false;
            p = Unkeyed(p, key.pLineEnd, pEnd, m_joined, bJoined);
            const char* const pJoined = m_joined.data();
            const char* const pJoinedEnd = pJoined + m_joined.size() - BLOCK;
            const CKey joinedKey = bJoined ? KeyOf(pJoined, pJoinedEnd) : CKey();
            View params;
            const EProperty property = joinedKey.pColon ? KeyProperty(pJoined, joinedKey, params) : P_OTHER;
            if (property == P_OTHER)
                continue;
            CValue value;
            value.text = View(joinedKey.pColon + 1, static_cast<size_t>(pJoinedEnd - joinedKey.pColon - 1));
            value.nMarks = VALUE_UNKNOWN;
            value.pLimit = pJoined + m_joined.size();
            if (!Take(property, value, params))
                break;
            continue;
        }
        View params;
        const EProperty property = KeyProperty(p, key, params);
        const char* const pValue = key.pColon + 1;
        // The marks of a value that is decoded are found with its end.
        unsigned nMarks = VALUE_UNKNOWN;
        const char* const pLineEnd = property >= P_FN ? ValueEnd(pValue, pEnd, nMarks)
                                     : key.pLineEnd   ? key.pLineEnd
                                                      : LineEnd(pValue, pEnd);
        const char* const pNext = NextLine(pLineEnd);
        p = MayGoOn(pNext, pEnd, pLineEnd[-1]) ? Continued(p, key.pColon, pLineEnd, pEnd) : pNext;
        if (property == P_OTHER)
            continue;
        CValue value;
        value.text = View(pValue, static_cast<size_t>(pLineEnd - pValue));
        value.nMarks = nMarks;
        value.bKept = true;
        value.pLimit = pTextLimit;
        if (p != pNext)
        {
            value.text = Joined(value.text, p, pEnd);
            value.nMarks = VALUE_UNKNOWN;
            value.pLimit = m_pFree + m_nFree;
        }
        if (!Take(property, value, params))
            break;
    }
    // The list of numbers no longer grows: each card can point at its own.
    for (CCard& card : m_cards)
        card.numbers.m_pFirst = m_numbers.data() + card.numbers.m_nFirst;
}

View CImportVCard::Joined(View first, const char* pNext, const char* pEnd)
{
    // The joined value is shorter than the lines it comes from.
    char* const pStart = Room(static_cast<size_t>(pNext - first.data()));
    std::memcpy(pStart, first.data(), first.size());
    char* q = pStart + first.size();
    for (const char* pLine = NextLine(first.data() + first.size()); pLine < pNext;)
    {
        const bool bFolded = *pLine == ' ' || *pLine == '\t';
        if (!bFolded)
            --q; // the "=" of the soft line break
        const char* const pPiece = bFolded ? pLine + 1 : pLine;
        const char* const pPieceEnd = LineEnd(pPiece, pEnd);
        std::memcpy(q, pPiece, static_cast<size_t>(pPieceEnd - pPiece));
        q += pPieceEnd - pPiece;
        pLine = NextLine(pPieceEnd);
    }
    const size_t nSize = static_cast<size_t>(q - pStart);
    Commit(nSize);
    return View(pStart, nSize);
}

void CImportVCard::TakeValue(int nProperty, CValue& value, View params)
{
    // The value as code page 1252 text, decoded as its parameters (the key after the property
    // name) say.
    bool bChanged = false;
    bool bQuotedPrintable = false;
    View charset;
    if (MayAskDecoding(params))
        Encoding(params, bQuotedPrintable, charset);
    if (bQuotedPrintable)
    {
        DecodeQuotedPrintable(value.text, m_quoted);
        value.text = m_quoted;
        value.bKept = false;
        value.pLimit = m_quoted.data() + m_quoted.size();
        value.nMarks = VALUE_UNKNOWN;
    }
    // The conversion below keeps every ASCII byte and makes none, so the marks hold after it.
    if (value.nMarks == VALUE_UNKNOWN)
        value.nMarks = ValueMarks(value.text, value.pLimit);
    // Without a declared character set, text that is valid UTF-8 is taken as UTF-8 (what version
    // 4.0 demands and most 3.0 writers do); anything else is single-byte text as before.
    const bool bUtf8 = charset.empty() ? (value.nMarks & VALUE_HIGH) != 0
                                       : (EqualsNoCase(charset, "UTF-8") || EqualsNoCase(charset, "UTF8"));
    if (bUtf8)
    {
        char* const p = Room(value.text.size());
        size_t n = 0;
        if (CImport_Utf8::ToCp1252(value.text, p, n, bChanged))
        {
            Commit(n);
            value.text = View(p, n);
            value.bKept = true;
            value.pLimit = m_pFree + m_nFree; // the end of the block it lies in
        }
    }

    const EProperty property = static_cast<EProperty>(nProperty);
    CCard* pCard = m_bCardOpen ? &m_cards.back() : nullptr;
    const View text = value.text;
    if (pCard && bChanged)
        pCard->bChanged = true;
    switch (property)
    {
    case P_FN:
        m_formattedName = Unescaped(value);
        TraceValue("vCard FN ", m_formattedName);
        if (pCard)
            pCard->formattedName = m_formattedName;
        break;
    case P_N:
        if (g_nTraceState != TRACE_OFF && TraceIsOn())
            TraceLine(s_szClass, "vCard N ", "Input(", (std::string(text) + ")").c_str());
        SplitComponents(value, m_names);
        if (pCard)
            for (int i = 0; i < NAME_PARTS; ++i)
                pCard->names[i] = m_names[i];
        break;
    case P_TEL:
    {
        CValue tel = value;
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
}
