#include "phonebook/CImportVCard.h"

#include "platform/CPlatform_CodePage.h"
#include "platform/CPlatform_File.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CImportVCard";

char Upper(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

std::string Upper(std::string text)
{
    for (char& ch : text)
        ch = Upper(ch);
    return text;
}

bool StartsWithNoCase(const std::string& text, const char* pszPrefix)
{
    size_t i = 0;
    for (; pszPrefix[i]; ++i)
        if (i >= text.size() || Upper(text[i]) != Upper(pszPrefix[i]))
            return false;
    return true;
}

// The value of BEGIN and END lines: trailing blanks removed, upper case.
bool IsVCard(const std::string& value)
{
    size_t n = value.size();
    while (n > 0 && (value[n - 1] == ' ' || value[n - 1] == '\t'))
        --n;
    return Upper(value.substr(0, n)) == "VCARD";
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

// Strict UTF-8 to code page 1252: false (and out untouched) when text is no valid UTF-8; characters
// without a place in the code page are dropped and bDropped set.
bool Utf8ToCp1252(const std::string& text, std::string& out, bool& bDropped)
{
    std::string result;
    result.reserve(text.size());
    bool bLost = false;
    for (size_t i = 0; i < text.size();)
    {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t u = 0;
        size_t nLength = 0;
        if (c < 0x80)
        {
            u = c;
            nLength = 1;
        }
        else if (c >= 0xC2 && c <= 0xDF)
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
    out.swap(result);
    bDropped = bDropped || bLost;
    return true;
}

bool IsAscii(const std::string& text)
{
    for (const char ch : text)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
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

std::string DecodeQuotedPrintable(const std::string& value)
{
    std::string out;
    out.reserve(value.size());
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
    return out;
}

// Backslash escapes of text values; a line break stands as a blank in a phonebook name.
std::string Unescape(const std::string& value)
{
    std::string out;
    out.reserve(value.size());
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
    return out;
}

// A structured value split at its unescaped semicolons, each component unescaped; the unescaped
// commas between the several values of one component become blanks.
void SplitComponents(const std::string& value, std::string (&parts)[CImportVCard::NAME_PARTS])
{
    for (std::string& part : parts)
        part.clear();
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
size_t ValueColon(const std::string& line)
{
    bool bQuoted = false;
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (line[i] == '"')
            bQuoted = !bQuoted;
        else if (line[i] == ':' && !bQuoted)
            return i;
    }
    return std::string::npos;
}

// The line's value as code page 1252 text, decoded as its parameters (the key after the
// property name, upper case) say.
std::string DecodeValue(const std::string& value, const std::string& params, bool& bChanged)
{
    bool bQuotedPrintable = false;
    std::string charset;
    size_t nStart = 0;
    while (nStart < params.size())
    {
        size_t nEnd = params.find(';', nStart);
        if (nEnd == std::string::npos)
            nEnd = params.size();
        const std::string param = params.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (param == "QUOTED-PRINTABLE" || param == "ENCODING=QUOTED-PRINTABLE")
            bQuotedPrintable = true;
        else if (param.compare(0, 8, "CHARSET=") == 0)
        {
            charset = param.substr(8);
            if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"')
                charset = charset.substr(1, charset.size() - 2);
        }
    }
    std::string text = bQuotedPrintable ? DecodeQuotedPrintable(value) : value;
    // Without a declared character set, text that is valid UTF-8 is taken as UTF-8 (what version
    // 4.0 demands and most 3.0 writers do); anything else is single-byte text as before.
    const bool bUtf8 = charset.empty() ? !IsAscii(text) : (charset == "UTF-8" || charset == "UTF8");
    if (bUtf8)
        Utf8ToCp1252(text, text, bChanged);
    return text;
}

// The number of a TEL value; version 4.0 writes it as a "tel:" URI, possibly with parameters.
std::string TelNumber(const std::string& value)
{
    if (!StartsWithNoCase(value, "tel:"))
        return value;
    const std::string number = value.substr(4);
    return number.substr(0, number.find(';'));
}

// A quoted-printable value whose line ends with "=" goes on in the next line.
bool SoftLineBreak(const std::string& line)
{
    if (line.empty() || line.back() != '=')
        return false;
    const size_t nColon = ValueColon(line);
    return nColon != std::string::npos &&
           Upper(line.substr(0, nColon)).find("QUOTED-PRINTABLE") != std::string::npos;
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

    // Physical lines end at CR LF, CR or LF; folded and soft-broken lines are joined first.
    bool bInCard = false;
    bool bReading = true;
    std::string line;
    bool bHaveLine = false;
    auto flush = [&]()
    {
        if (bHaveLine && bReading)
            bReading = Property(line, bInCard);
        bHaveLine = false;
    };
    size_t nPos = 0;
    const size_t nSize = text.size();
    while (nPos < nSize && bReading)
    {
        size_t nEnd = nPos;
        while (nEnd < nSize && text[nEnd] != '\r' && text[nEnd] != '\n')
            ++nEnd;
        const char* pLine = text.data() + nPos;
        const size_t nLength = nEnd - nPos;
        nPos = nEnd;
        if (nPos < nSize && text[nPos] == '\r')
            ++nPos;
        if (nPos < nSize && text[nPos] == '\n')
            ++nPos;

        if (nLength == 0)
            flush();
        else if (bHaveLine && (pLine[0] == ' ' || pLine[0] == '\t'))
            line.append(pLine + 1, nLength - 1);
        else if (bHaveLine && SoftLineBreak(line))
        {
            line.pop_back();
            line.append(pLine, nLength);
        }
        else
        {
            flush();
            line.assign(pLine, nLength);
            bHaveLine = true;
        }
    }
    flush();
}

bool CImportVCard::Property(const std::string& line, bool& bInCard)
{
    const size_t nColon = ValueColon(line);
    if (nColon == std::string::npos)
        return true; // no key: not a property
    size_t nKey = 0;
    while (nKey < nColon && line[nKey] == ' ')
        ++nKey;
    const std::string key = Upper(line.substr(nKey, nColon - nKey));
    const std::string value = line.substr(nColon + 1);
    const size_t nSemicolon = key.find(';');
    std::string name = key.substr(0, nSemicolon);
    const std::string params = nSemicolon == std::string::npos ? std::string() : key.substr(nSemicolon + 1);
    // A group prefix ("item1.TEL") does not change the property.
    const size_t nDot = name.rfind('.');
    if (nDot != std::string::npos)
        name.erase(0, nDot + 1);

    const bool bBegin = name == "BEGIN" && IsVCard(value);
    const bool bEnd = name == "END" && IsVCard(value);
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
    if (name != "FN" && name != "N" && name != "TEL")
        return true; // VERSION and every other property, wherever they stand
    CCard* pCard = m_bCardOpen ? &m_cards.back() : nullptr;
    bool bChanged = false;
    const std::string text = DecodeValue(value, params, bChanged);
    if (pCard && bChanged)
        pCard->bChanged = true;
    if (name == "FN")
    {
        m_strFormattedName = Unescape(text);
        TraceLine(s_szClass, "vCard FN ", m_strFormattedName.c_str());
        if (pCard)
            pCard->formattedName = m_strFormattedName;
    }
    else if (name == "N")
    {
        TraceLine(s_szClass, "vCard N ", "Input(", (text + ")").c_str());
        SplitComponents(text, m_names);
        if (pCard)
            for (int i = 0; i < NAME_PARTS; ++i)
                pCard->names[i] = m_names[i];
    }
    else
    {
        const std::string number = TelNumber(Unescape(text));
        TraceLine(s_szClass, "vCard TEL ", number.c_str());
        m_numbers.push_back(number);
        if (pCard)
            pCard->numbers.push_back(number);
    }
    return true;
}
