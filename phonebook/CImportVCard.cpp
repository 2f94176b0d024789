#include "phonebook/CImportVCard.h"

#include "platform/CPlatform_CodePage.h"
#include "platform/CPlatform_File.h"
#include "support/Trace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

using View = std::string_view;

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

// Strict UTF-8 to code page 1252 into out (which text must not view): false when text is no valid
// UTF-8 (out is then of no use); characters without a place in the code page are dropped and
// bDropped set.
bool Utf8ToCp1252(View text, std::string& out, bool& bDropped)
{
    std::string& result = out;
    result.clear();
    bool bLost = false;
    for (size_t i = 0; i < text.size();)
    {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
        {
            // A run of ASCII goes over as it stands.
            size_t nRun = i + 1;
            while (nRun < text.size() && static_cast<unsigned char>(text[nRun]) < 0x80)
                ++nRun;
            result.append(text.data() + i, nRun - i);
            i = nRun;
            continue;
        }
        char32_t u = 0;
        size_t nLength = 0;
        if (c >= 0xC2 && c <= 0xDF)
        {
            u = c & 0x1F;
            nLength = 2;
        }
        else if (c >= 0xE0 && c <= 0xEF)
        {
            u = c & 0x0F;
            nLength = 3;
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            u = c & 0x07;
            nLength = 4;
        }
        else
            return false;
        if (i + nLength > text.size())
            return false;
        for (size_t k = 1; k < nLength; ++k)
        {
            const unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            u = (u << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are no UTF-8.
        if ((nLength == 3 && u < 0x800) || (nLength == 4 && (u < 0x10000 || u > 0x10FFFF)) ||
            (u >= 0xD800 && u < 0xE000))
            return false;
        i += nLength;
        unsigned char b = 0;
        if (u == 0xFEFF)
            continue; // a byte order mark inside the text carries no character
        if (CPlatform_CodePage::UnicodeToByte(u, b))
            result += static_cast<char>(b);
        else
            bLost = true;
    }
    bDropped = bDropped || bLost;
    return true;
}

bool IsAscii(View text)
{
    // Eight bytes at a time: any of them with its top bit set is not ASCII.
    uint64_t nBits = 0;
    size_t i = 0;
    for (; i + sizeof nBits <= text.size(); i += sizeof nBits)
    {
        uint64_t nWord = 0;
        std::memcpy(&nWord, text.data() + i, sizeof nWord);
        nBits |= nWord;
    }
    for (; i < text.size(); ++i)
        nBits |= static_cast<unsigned char>(text[i]);
    return (nBits & 0x8080808080808080ull) == 0;
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

// Backslash escapes of text values; a line break stands as a blank in a phonebook name.
void Unescape(View value, std::string& out)
{
    if (value.find('\\') == View::npos)
    {
        out.assign(value.data(), value.size());
        return;
    }
    out.clear();
    for (size_t i = 0; i < value.size(); ++i)
    {
        if (value[i] == '\\' && i + 1 < value.size())
        {
            const char next = value[++i];
            out += next == 'n' || next == 'N' ? ' ' : next;
        }
        else
            out += value[i];
    }
}

// A structured value split at its unescaped semicolons, each component unescaped; the unescaped
// commas between the several values of one component become blanks.
void SplitComponents(View value, std::string (&parts)[CImportVCard::NAME_PARTS])
{
    for (std::string& part : parts)
        part.clear();
    if (std::none_of(value.begin(), value.end(), [](char ch) { return ch == '\\' || ch == ','; }))
    {
        // Nothing escaped and no lists: each component is a piece of the value as it stands.
        for (size_t nPart = 0; nPart < CImportVCard::NAME_PARTS && !value.empty(); ++nPart)
        {
            const size_t nEnd = std::min(value.find(';'), value.size());
            parts[nPart].assign(value.data(), nEnd);
            value.remove_prefix(std::min(nEnd + 1, value.size()));
        }
        return;
    }
    size_t nPart = 0;
    for (size_t i = 0; i < value.size() && nPart < CImportVCard::NAME_PARTS; ++i)
    {
        const char ch = value[i];
        if (ch == '\\' && i + 1 < value.size())
        {
            const char next = value[++i];
            parts[nPart] += next == 'n' || next == 'N' ? ' ' : next;
        }
        else if (ch == ';')
            ++nPart;
        else if (ch == ',')
            parts[nPart] += ' ';
        else
            parts[nPart] += ch;
    }
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

// The line's value as code page 1252 text, decoded as its parameters (the key after the
// property name) say: a view of the value itself, or of quoted or text, the two buffers the
// decoding steps write.
View DecodeValue(View value, View params, std::string& quoted, std::string& text, bool& bChanged)
{
    bool bQuotedPrintable = false;
    View charset;
    while (!params.empty())
    {
        const size_t nEnd = std::min(params.find(';'), params.size());
        const View param = params.substr(0, nEnd);
        params.remove_prefix(std::min(nEnd + 1, params.size()));
        if (EqualsNoCase(param, "QUOTED-PRINTABLE") || EqualsNoCase(param, "ENCODING=QUOTED-PRINTABLE"))
            bQuotedPrintable = true;
        else if (StartsWithNoCase(param, "CHARSET="))
        {
            charset = param.substr(8);
            if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"')
                charset = charset.substr(1, charset.size() - 2);
        }
    }
    View result = value;
    if (bQuotedPrintable)
    {
        DecodeQuotedPrintable(value, quoted);
        result = quoted;
    }
    // Without a declared character set, text that is valid UTF-8 is taken as UTF-8 (what version
    // 4.0 demands and most 3.0 writers do); anything else is single-byte text as before.
    const bool bUtf8 = charset.empty() ? !IsAscii(result)
                                       : (EqualsNoCase(charset, "UTF-8") || EqualsNoCase(charset, "UTF8"));
    if (bUtf8 && Utf8ToCp1252(result, text, bChanged))
        result = text;
    return result;
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
    std::string bytes;
    m_bOpen = CPlatform_File::ReadWhole(fileName, FILE_MAX, bytes, m_errorText) != 0;
    if (m_bOpen)
        Parse(std::move(bytes));
}

CImportVCard::CImportVCard(const char* pData, size_t nSize) : m_bOpen(true)
{
    Parse(pData ? std::string(pData, nSize) : std::string());
}

std::string CImportVCard::NameProposal(const std::string (&names)[NAME_PARTS], int nProposal)
{
    switch (nProposal)
    {
    case 0:
        return names[0] + ", " + names[1] + " " + names[2];
    case 1:
        return names[1] + " " + names[2] + " " + names[0] + " " + names[4];
    default:
        return std::string();
    }
}

bool CImportVCard::HasNameParts(const std::string (&names)[NAME_PARTS])
{
    return !names[0].empty() || !names[1].empty() || !names[2].empty();
}

std::string CImportVCard::Localise(const std::string& number, const std::string& country,
                                   const std::string& outside)
{
    if (country.empty() || number.compare(0, country.size(), country) != 0)
    {
        // The telephone dials no "+": another country's number is dialled with the
        // international prefix, after the outside-line digits as every outside number.
        if (!number.empty() && number[0] == '+')
            return outside + INTERNATIONAL_PREFIX + number.substr(1);
        return number;
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
    return outside + number.substr(nRest);
}

void CImportVCard::Parse(std::string text)
{
    TraceLine(s_szClass, "Parse)");
    if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
        static_cast<unsigned char>(text[1]) == 0xFE)
        text = FromUtf16(text, false);
    else if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFE &&
             static_cast<unsigned char>(text[1]) == 0xFF)
        text = FromUtf16(text, true);
    else if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);

    // Physical lines end at CR LF, CR or LF; folded and soft-broken lines are joined first. A
    // line is looked at where it stands in the text unless it had to be joined.
    bool bInCard = false;
    bool bReading = true;
    View line;
    std::string joined;
    bool bJoined = false;
    bool bHaveLine = false;
    auto flush = [&]()
    {
        if (bHaveLine && bReading)
            bReading = Property(bJoined ? View(joined) : line, bInCard);
        bHaveLine = false;
    };
    auto join = [&](View more)
    {
        if (!bJoined)
            joined.assign(line.data(), line.size());
        bJoined = true;
        joined.append(more.data(), more.size());
    };
    const char* p = text.data();
    const char* const pEnd = p + text.size();
    // Room for the cards and numbers of a file of short cards, so that they are seldom moved.
    m_cards.reserve(std::min(text.size() / CARD_BYTES_SHORT, CARDS_RESERVE_MAX));
    m_numbers.reserve(std::min(text.size() / CARD_BYTES_SHORT, CARDS_RESERVE_MAX));
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
            join(physical.substr(1));
        else if (bHaveLine && SoftLineBreak(bJoined ? View(joined) : line))
        {
            join(View());
            joined.pop_back();
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
}

bool CImportVCard::Property(View line, bool& bInCard)
{
    const size_t nColon = ValueColon(line);
    if (nColon == View::npos)
        return true; // no key: not a property
    View key = line.substr(0, nColon);
    while (!key.empty() && key.front() == ' ')
        key.remove_prefix(1);
    const View value = line.substr(nColon + 1);
    const size_t nSemicolon = std::min(key.find(';'), key.size());
    View name = key.substr(0, nSemicolon);
    const View params = key.substr(std::min(nSemicolon + 1, key.size()));
    // A group prefix ("item1.TEL") does not change the property.
    const size_t nDot = name.rfind('.');
    if (nDot != View::npos)
        name.remove_prefix(nDot + 1);

    const bool bBegin = EqualsNoCase(name, "BEGIN") && IsVCard(value);
    const bool bEnd = EqualsNoCase(name, "END") && IsVCard(value);
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
    enum
    {
        FN,
        N,
        TEL
    } property;
    if (EqualsNoCase(name, "FN"))
        property = FN;
    else if (EqualsNoCase(name, "N"))
        property = N;
    else if (EqualsNoCase(name, "TEL"))
        property = TEL;
    else
        return true; // VERSION and every other property, wherever they stand

    CCard* pCard = m_bCardOpen ? &m_cards.back() : nullptr;
    bool bChanged = false;
    const View text = DecodeValue(value, params, m_quoted, m_decoded, bChanged);
    if (pCard && bChanged)
        pCard->bChanged = true;
    switch (property)
    {
    case FN:
        Unescape(text, m_strFormattedName);
        TraceLine(s_szClass, "vCard FN ", m_strFormattedName.c_str());
        if (pCard)
            pCard->formattedName = m_strFormattedName;
        break;
    case N:
        if (TraceIsOn())
            TraceLine(s_szClass, "vCard N ", "Input(", (std::string(text) + ")").c_str());
        SplitComponents(text, m_names);
        if (pCard)
            for (int i = 0; i < NAME_PARTS; ++i)
                pCard->names[i] = m_names[i];
        break;
    case TEL:
    {
        m_numbers.emplace_back();
        std::string& number = m_numbers.back();
        Unescape(TelNumber(text), number);
        TraceLine(s_szClass, "vCard TEL ", number.c_str());
        if (pCard)
        {
            if (pCard->numbers.empty())
                pCard->numbers.reserve(CARD_NUMBERS_TYPICAL);
            pCard->numbers.push_back(number);
        }
        break;
    }
    }
    return true;
}
