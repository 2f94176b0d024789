#include "phonebook/CImport_Utf8.h"

#include "platform/CPlatform_CodePage.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The top bit of each byte of a 64-bit word.
constexpr uint64_t HIGH_BITS = 0x8080808080808080ull;

// The length of the UTF-8 sequence at p (an ASCII byte is one), with its character in *pChar;
// 0 when it is no valid UTF-8: overlong forms, surrogates and values beyond Unicode are not.
size_t SequenceLength(const unsigned char* p, const unsigned char* pEnd, char32_t* pChar = nullptr)
{
    const unsigned char c = *p;
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
        return 0;
    if (static_cast<size_t>(pEnd - p) < nLength)
        return 0;
    for (size_t k = 1; k < nLength; ++k)
    {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        u = (u << 6) | (p[k] & 0x3F);
    }
    if ((nLength == 3 && u < 0x800) || (nLength == 4 && (u < 0x10000 || u > 0x10FFFF)) ||
        (u >= 0xD800 && u < 0xE000))
        return 0;
    if (pChar)
        *pChar = u;
    return nLength;
}
} // namespace

bool CImport_Utf8::IsAscii(std::string_view text)
{
    // Eight bytes at a time: any of them with its top bit set is not ASCII.
    size_t i = 0;
    for (; i + sizeof(uint64_t) <= text.size(); i += sizeof(uint64_t))
    {
        uint64_t nWord = 0;
        std::memcpy(&nWord, text.data() + i, sizeof nWord);
        if (nWord & HIGH_BITS)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) & 0x80)
            return false;
    return true;
}

bool CImport_Utf8::IsValid(std::string_view text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const pEnd = p + text.size();
    while (p < pEnd)
    {
        uint64_t nWord = 0;
        if (pEnd - p >= 8 && (std::memcpy(&nWord, p, sizeof nWord), (nWord & HIGH_BITS) == 0))
        {
            p += sizeof nWord;
            continue;
        }
        const size_t nLength = SequenceLength(p, pEnd);
        if (nLength == 0)
            return false;
        p += nLength;
    }
    return true;
}

bool CImport_Utf8::ToCp1252(std::string_view text, char* pOut, size_t& nOut, bool& bDropped,
                            std::vector<size_t>* pDrops)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const pEnd = p + text.size();
    char* q = pOut;
    bool bLost = false;
    while (p < pEnd)
    {
        // Runs of ASCII (most of every text) go over sixteen or eight bytes at a time; of a block
        // of sixteen, the whole is written and as many bytes taken as come before the first that
        // is not ASCII. The result is never ahead of the text, so it has room for the block.
#if defined(__SSE2__)
        if (pEnd - p >= 16)
        {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(q), v);
            const unsigned nHigh = static_cast<unsigned>(_mm_movemask_epi8(v));
            const unsigned nAscii = nHigh ? static_cast<unsigned>(__builtin_ctz(nHigh)) : 16;
            p += nAscii;
            q += nAscii;
            if (nAscii == 16)
                continue;
        }
#endif
        uint64_t nWord = 0;
        if (pEnd - p >= 8 && (std::memcpy(&nWord, p, sizeof nWord), (nWord & HIGH_BITS) == 0))
        {
            std::memcpy(q, p, sizeof nWord);
            p += sizeof nWord;
            q += sizeof nWord;
            continue;
        }
        const unsigned char c = *p;
        if (c < 0x80)
        {
            *q++ = static_cast<char>(c);
            ++p;
            continue;
        }
        // The letters of Western languages (U+00A0 to U+00FF) keep their value as the byte.
        if ((c == 0xC3 || (c == 0xC2 && pEnd - p >= 2 && p[1] >= 0xA0)) && pEnd - p >= 2 &&
            (p[1] & 0xC0) == 0x80)
        {
            *q++ = static_cast<char>(((c & 0x03) << 6) | (p[1] & 0x3F));
            p += 2;
            continue;
        }
        char32_t u = 0;
        const size_t nLength = SequenceLength(p, pEnd, &u);
        if (nLength == 0)
            return false;
        p += nLength;
        if (u == 0xFEFF)
            continue;
        unsigned char b = 0;
        if (CPlatform_CodePage::UnicodeToByte(u, b))
            *q++ = static_cast<char>(b);
        else
        {
            bLost = true;
            if (pDrops)
                pDrops->push_back(static_cast<size_t>(q - pOut));
        }
    }
    nOut = static_cast<size_t>(q - pOut);
    bDropped = bDropped || bLost;
    return true;
}

bool CImport_Utf8::ToCp1252(std::string_view text, std::string& out, bool& bDropped)
{
    out.resize(text.size());
    size_t nOut = 0;
    bool bLost = false;
    if (!ToCp1252(text, out.data(), nOut, bLost))
        return false;
    out.resize(nOut);
    bDropped = bDropped || bLost;
    return true;
}
