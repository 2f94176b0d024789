#include "data/CMap_StrPtr.h"

#include "support/Trace.h"

#include <cstring>

namespace
{
inline unsigned char Lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// ASCII letters of a word of eight bytes in lower case; bytes from 0x80 up stay as they are.
inline uint64_t LowerWord(uint64_t w)
{
    const uint64_t heptets = w & 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t atLeastA = heptets + 0x3F3F3F3F3F3F3F3FULL; // bit 7 set from "A" on
    const uint64_t aboveZ = heptets + 0x2525252525252525ULL;   // bit 7 set above "Z"
    const uint64_t upper = atLeastA & ~aboveZ & ~w & 0x8080808080808080ULL;
    return w | (upper >> 2);
}

// Case-insensitive hash, a word at a time: the names are section names of 15 to 25 characters,
// and one is hashed for every section of the file and every change of section.
inline uint32_t HashName(const char* psz, size_t& n)
{
    n = std::strlen(psz);
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ n;
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
    {
        uint64_t w;
        std::memcpy(&w, psz + i, 8);
        h = (h ^ LowerWord(w)) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    if (i < n)
    {
        uint64_t w = 0;
        for (size_t k = 0; i + k < n; ++k)
            w |= static_cast<uint64_t>(static_cast<unsigned char>(psz[i + k])) << (8 * k);
        h = (h ^ LowerWord(w)) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    return static_cast<uint32_t>(h ^ (h >> 32));
}
} // namespace

CMap_StrPtr::CMap_StrPtr(size_t nCapacity, size_t nGrowBy) : m_nGrowBy(nGrowBy ? nGrowBy : 1)
{
    TraceLine("CMap_StrPtr", "Constructor()");
    m_items.reserve(nCapacity);
}

CMap_StrPtr::~CMap_StrPtr()
{
    TraceLine("CMap_StrPtr", "Destructor()");
}

int CMap_StrPtr::Compare(const char* a, const char* b)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    for (;; ++pa, ++pb)
    {
        if (*pa == *pb)
        {
            if (*pa == 0)
                return 0;
            continue;
        }
        const unsigned char ca = Lower(*pa);
        const unsigned char cb = Lower(*pb);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
}

namespace
{
// Case-insensitive fingerprint of a name: its length and its first and last eight bytes.
uint64_t NameSignature(const char* psz)
{
    const size_t n = std::strlen(psz);
    uint64_t a = 0;
    uint64_t b = 0;
    if (n >= 8)
    {
        std::memcpy(&a, psz, 8);
        std::memcpy(&b, psz + n - 8, 8);
    }
    else
    {
        for (size_t i = 0; i < n; ++i)
            a |= static_cast<uint64_t>(static_cast<unsigned char>(psz[i])) << (8 * i);
        b = a;
    }
    uint64_t h = (LowerWord(a) * 0x9E3779B97F4A7C15ULL) ^ LowerWord(b) ^ n;
    h *= 0xFF51AFD7ED558CCDULL;
    return h ^ (h >> 31);
}
} // namespace

int CMap_StrPtr::FindNext(const char* pszName)
{
    if (!pszName)
        return -1;
    const bool bNextMatches = m_nNext < m_items.size() && Compare(m_items[m_nNext].pszName, pszName) == 0;
    if (bNextMatches)
    {
        const uint64_t nSig = NameSignature(pszName);
        if (!FilterHas(nSig))
        {
            FilterAdd(nSig);
            return m_items[m_nNext++].nValue;
        }
    }
    const int nPos = FindPosition(pszName);
    if (nPos < 0)
        return -1;
    // The index found the next name to be the first of its name after all: the row goes on.
    if (bNextMatches && static_cast<size_t>(nPos) == m_nNext)
        ++m_nNext;
    return m_items[static_cast<size_t>(nPos)].nValue;
}

bool CMap_StrPtr::FilterHas(uint64_t nSig) const
{
    const uint32_t nBit1 = static_cast<uint32_t>(nSig >> (64 - FILTER_BITS_LOG2));
    const uint32_t nBit2 = static_cast<uint32_t>(nSig >> 16) & ((1u << FILTER_BITS_LOG2) - 1);
    return (m_foundFilter[nBit1 >> 6] >> (nBit1 & 63) & 1) && (m_foundFilter[nBit2 >> 6] >> (nBit2 & 63) & 1);
}

void CMap_StrPtr::FilterAdd(uint64_t nSig)
{
    const uint32_t nBit1 = static_cast<uint32_t>(nSig >> (64 - FILTER_BITS_LOG2));
    const uint32_t nBit2 = static_cast<uint32_t>(nSig >> 16) & ((1u << FILTER_BITS_LOG2) - 1);
    m_foundFilter[nBit1 >> 6] |= uint64_t(1) << (nBit1 & 63);
    m_foundFilter[nBit2 >> 6] |= uint64_t(1) << (nBit2 & 63);
}

bool CMap_StrPtr::Same(const CItem& item, const char* pszName, size_t nLen)
{
    // Names are nearly always asked for in the case they were written in.
    return item.nLen == nLen &&
           (std::memcmp(item.pszName, pszName, nLen) == 0 || Compare(item.pszName, pszName) == 0);
}

void CMap_StrPtr::Add(const char* pszName, int nValue)
{
    if (!pszName)
        return;
    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.capacity() + m_nGrowBy);
    m_items.push_back({pszName, nValue, 0, 0});
    m_bIndexed = false;
}

void CMap_StrPtr::BuildIndex()
{
    size_t nSlots = 16;
    while (nSlots < 2 * m_items.size())
        nSlots *= 2;
    m_index.assign(nSlots, 0);
    const size_t nMask = nSlots - 1;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        CItem& item = m_items[i];
        size_t nLen = 0;
        item.nHash = HashName(item.pszName, nLen);
        item.nLen = static_cast<uint32_t>(nLen);
        for (size_t h = item.nHash & nMask;; h = (h + 1) & nMask)
        {
            if (m_index[h] == 0)
            {
                m_index[h] = static_cast<uint32_t>(i + 1);
                break;
            }
            const CItem& other = m_items[m_index[h] - 1];
            if (other.nHash == item.nHash && Same(other, item.pszName, item.nLen))
                break; // the name added first keeps its place
        }
    }
    m_bIndexed = true;
}

int CMap_StrPtr::Find(const char* pszName)
{
    const int nPos = FindPosition(pszName);
    return nPos < 0 ? -1 : m_items[static_cast<size_t>(nPos)].nValue;
}

int CMap_StrPtr::FindPosition(const char* pszName)
{
    if (!pszName)
        return -1;
    if (!m_bIndexed || m_index.empty())
        BuildIndex();
    size_t nLen = 0;
    const uint32_t nHash = HashName(pszName, nLen);
    const size_t nMask = m_index.size() - 1;
    for (size_t h = nHash & nMask;; h = (h + 1) & nMask)
    {
        const uint32_t n = m_index[h];
        if (n == 0)
            return -1;
        const CItem& item = m_items[n - 1];
        if (item.nHash == nHash && Same(item, pszName, nLen))
            return static_cast<int>(n - 1);
    }
}
