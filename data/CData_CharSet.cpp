#include "data/CData_CharSet.h"

#include "support/Trace.h"

#include <array>

namespace
{
const char s_szClass[] = "CData_CharSet";

// Longest field memcpycstr accepts, exclusive: the widest string field of any record is far below.
constexpr size_t MEMCPYCSTR_LIMIT = 102;

// The name alphabet in the phone's sort order, as code page 1252 bytes. The slash is listed twice
// (positions 15 and 16), so its weight is 16; position 48 is the space.
const unsigned char s_alphabet[128] = {
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x2F, //
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, //
    0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0xA5, 0xF7, 0xB0, 0xAC, 0x20, //
    0x41, 0x61, 0xC4, 0xE4, 0xC5, 0xE5, 0xC6, 0xE6, 0xE0, 0xE1, 0x42, 0x62, 0x43, 0x63, 0xC7, 0xE7, //
    0xA2, 0x44, 0x64, 0x45, 0x65, 0xE9, 0xEA, 0x80, 0x46, 0x66, 0x47, 0x67, 0x48, 0x68, 0x49, 0x69, //
    0xED, 0xEE, 0x4A, 0x6A, 0x4B, 0x6B, 0x4C, 0x6C, 0x4D, 0x6D, 0x4E, 0x6E, 0xF1, 0x4F, 0x6F, 0xD6, //
    0xF6, 0xD8, 0xF8, 0xF3, 0x50, 0x70, 0x51, 0x71, 0x52, 0x72, 0x53, 0x73, 0xDF, 0x54, 0x74, 0x55, //
    0x75, 0xDC, 0xFC, 0xFA, 0xF9, 0xB5, 0x56, 0x76, 0x57, 0x77, 0x58, 0x78, 0x59, 0x79, 0x5A, 0x7A, //
};

// PC byte (code page 1252) and phone byte for every character the two sets place differently.
// The phone's set is code page 437 except for the euro sign (0xEE) and the o with stroke (0xE8,
// 0xED).
const unsigned char s_pairs[32][2] = {
    {0xC4, 0x8E}, {0xE4, 0x84}, {0xC5, 0x8F}, {0xE5, 0x86}, {0xC6, 0x92}, {0xE6, 0x91}, {0xE0, 0x85},
    {0xE1, 0xA0}, {0xC7, 0x80}, {0xE7, 0x87}, {0xA2, 0x9B}, {0xE9, 0x82}, {0xEA, 0x88}, {0x80, 0xEE},
    {0xED, 0xA1}, {0xEE, 0x8C}, {0xF1, 0xA4}, {0xD6, 0x99}, {0xF6, 0x94}, {0xD8, 0xE8}, {0xF8, 0xED},
    {0xF3, 0xA2}, {0xDF, 0xE1}, {0xDC, 0x9A}, {0xFC, 0x81}, {0xFA, 0xA3}, {0xF9, 0x97}, {0xB5, 0xE6},
    {0xA5, 0x9D}, {0xF7, 0xF6}, {0xB0, 0xF8}, {0xAC, 0xAA},
};

struct CTables
{
    std::array<unsigned char, 256> toPhone{};
    std::array<unsigned char, 256> toPc{};
    std::array<unsigned char, 256> weight{};
    std::string alphabet;

    CTables()
    {
        for (int i = 0; i < 256; ++i)
        {
            toPhone[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
            toPc[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
            weight[static_cast<size_t>(i)] = 255;
        }
        for (const auto& pair : s_pairs)
        {
            toPhone[pair[0]] = pair[1];
            toPc[pair[1]] = pair[0];
        }
        // Walking upwards lets the second slash overwrite the first: weight 16.
        for (size_t i = 0; i < sizeof s_alphabet; ++i)
            weight[s_alphabet[i]] = static_cast<unsigned char>(i + 1);
        weight[0] = 0;
        alphabet.assign(reinterpret_cast<const char*>(s_alphabet), sizeof s_alphabet);
    }
};

const CTables& Tables()
{
    static const CTables s_tables;
    return s_tables;
}

unsigned char ByteAt(const std::string& s, size_t i)
{
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}
} // namespace

namespace CData_CharSet
{
void ToPhone(unsigned char* pBuffer, size_t nCount)
{
    if (!pBuffer)
        return;
    const CTables& t = Tables();
    for (size_t i = 0; i < nCount; ++i)
        pBuffer[i] = t.toPhone[pBuffer[i]];
}

void ToPhone(std::string& text)
{
    ToPhone(reinterpret_cast<unsigned char*>(text.data()), text.size());
}

void ToPc(unsigned char* pBuffer, size_t nCount)
{
    if (!pBuffer)
        return;
    const CTables& t = Tables();
    for (size_t i = 0; i < nCount; ++i)
        pBuffer[i] = t.toPc[pBuffer[i]];
}

void ToPc(std::string& text)
{
    ToPc(reinterpret_cast<unsigned char*>(text.data()), text.size());
}

int IsNameChar(unsigned char c)
{
    return c != 0 && Tables().weight[c] != 255 ? 1 : 0;
}

const std::string& NameAlphabet()
{
    return Tables().alphabet;
}

int NameWeight(unsigned char c)
{
    return Tables().weight[c];
}

int CompareNames(const std::string& a, const std::string& b)
{
    size_t i = 0;
    while (ByteAt(a, i) == ByteAt(b, i) && ByteAt(a, i) != 0)
        ++i;
    const unsigned char ca = ByteAt(a, i);
    const unsigned char cb = ByteAt(b, i);
    if (ca == cb)
        return 0;
    return NameWeight(ca) > NameWeight(cb) ? 1 : -1;
}

int memcpycstr(std::string& target, const unsigned char* pSource, size_t nLength)
{
    if (nLength >= MEMCPYCSTR_LIMIT)
    {
        TraceLine(s_szClass, "memcpycstr() to large data!");
        return 0;
    }
    if (!pSource && nLength != 0)
        return 0;
    size_t n = 0;
    while (n < nLength && pSource[n] != 0)
        ++n;
    if (n == 0)
        target.clear();
    else
        target.assign(reinterpret_cast<const char*>(pSource), n);
    return 1;
}
} // namespace CData_CharSet
