#include "data/CMap_StrPtr.h"

#include "support/Trace.h"

#include <algorithm>
#include <cstring>

namespace
{
inline unsigned char Lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// A word of eight bytes with bit 5 set in each: an ASCII letter and its capital differ only there,
// so names that are equal but for the case of their letters hash alike (a few other pairs, such as
// "@" and "`", do too; the comparison after the hash tells them apart).
inline uint64_t FoldWord(uint64_t w)
{
    return w | 0x2020202020202020ULL;
}

// Case-insensitive hash of a whole name, a word at a time: the names are section names of 15 to 25
// characters, and one is hashed for every section of the file and every change of section. Only
// the name's own bytes are read: a name of 8 or more bytes ends with a word that overlaps the one
// before, a shorter one is read as two overlapping halves or byte by byte.
inline uint64_t HashName64(const char* psz, size_t& n)
{
    n = std::strlen(psz);
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ n;
    uint64_t w = 0;
    if (n >= 8)
    {
        for (size_t i = 0; i + 8 < n; i += 8)
        {
            std::memcpy(&w, psz + i, 8);
            h = (h ^ FoldWord(w)) * 0xFF51AFD7ED558CCDULL;
            h ^= h >> 29;
        }
        std::memcpy(&w, psz + n - 8, 8);
    }
    else if (n >= 4)
    {
        uint32_t nLow;
        uint32_t nHigh;
        std::memcpy(&nLow, psz, 4);
        std::memcpy(&nHigh, psz + n - 4, 4);
        w = uint64_t(nLow) | uint64_t(nHigh) << 32;
    }
    else if (n)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(psz);
        w = uint64_t(p[0]) | uint64_t(p[n / 2]) << 8 | uint64_t(p[n - 1]) << 16;
    }
    h = (h ^ FoldWord(w)) * 0xFF51AFD7ED558CCDULL;
    // Every bit of every word into every bit of the hash: the steps above leave the low bits
    // nearly blind to a word's last bytes, and names such as "DialName_000000DE" differ only there
    // (the index then clustered into long probe runs).
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    return h ^ (h >> 33);
}

inline uint32_t HashName(const char* psz, size_t& n)
{
    const uint64_t h = HashName64(psz, n);
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
// Case-insensitive fingerprint of a name for the filter of names found. It covers every byte:
// section names of one length often differ only in the middle ("AnsMaschInfoText_00000000",
// "AnsMaschTimeType_00000000"), and each false alarm costs a hash lookup.
uint64_t NameSignature(const char* psz)
{
    size_t n = 0;
    return HashName64(psz, n);
}
} // namespace

int CMap_StrPtr::FindNext(const char* pszName)
{
    if (!pszName)
        return -1;
    if (m_foundFilter.empty())
    {
        m_nFilterLog2 = FILTER_BITS_MIN_LOG2;
        while (m_nFilterLog2 < 32 && (size_t(1) << m_nFilterLog2) < FILTER_BITS_PER_NAME * m_items.size())
            ++m_nFilterLog2;
        m_foundFilter.assign((size_t(1) << m_nFilterLog2) / 64, 0);
    }
    // The name asked for is usually the next one, or a few further on where the reader passes over
    // sections it does not read.
    size_t nAt = m_nNext;
    const size_t nEnd = std::min(m_items.size(), m_nNext + LOOKAHEAD);
    // Names are nearly always asked for in the case they were written in.
    while (nAt < nEnd && !Same(m_items[nAt].pszName, pszName))
        ++nAt;
    const bool bAhead = nAt < nEnd;
    uint64_t nSig = 0;
    if (bAhead)
    {
        nSig = nAt == m_nNext && m_bNextSig ? m_nNextSig : NameSignature(pszName);
        if (!FilterHas(nSig))
        {
            Advance(nAt, nSig);
            return m_items[nAt].nValue;
        }
    }
    const int nPos = FindPosition(pszName);
    if (nPos < 0)
        return -1;
    // The index found the one ahead to be the first of its name after all: the row goes on.
    if (bAhead && static_cast<size_t>(nPos) == nAt)
        Advance(nAt, nSig);
    return m_items[static_cast<size_t>(nPos)].nValue;
}

void CMap_StrPtr::Advance(size_t nAt, uint64_t nSig)
{
    // The names passed over count as found, so that a later one of the same name is never taken
    // for the first of its name.
    for (; m_nNext < nAt; ++m_nNext)
        FilterAdd(NameSignature(m_items[m_nNext].pszName));
    FilterAdd(nSig);
    m_nNext = nAt + 1;
    // The name after it is the one most likely asked for next: its filter word is fetched now, so
    // that in a filter larger than the caches the wait overlaps the caller's work.
    m_bNextSig = m_nNext < m_items.size();
    if (m_bNextSig)
    {
        m_nNextSig = NameSignature(m_items[m_nNext].pszName);
#if defined(__GNUC__)
        __builtin_prefetch(&m_foundFilter[m_nNextSig >> (64 - (m_nFilterLog2 - 6))]);
#endif
    }
}

bool CMap_StrPtr::FilterHas(uint64_t nSig) const
{
    // Both bits of a name in one word: one memory access a name, which matters once the filter of
    // a huge file no longer fits the caches.
    const uint64_t nWord = m_foundFilter[nSig >> (64 - (m_nFilterLog2 - 6))];
    const uint64_t nBits = uint64_t(1) << (nSig & 63) | uint64_t(1) << (nSig >> 6 & 63);
    return (nWord & nBits) == nBits;
}

void CMap_StrPtr::FilterAdd(uint64_t nSig)
{
    m_foundFilter[nSig >> (64 - (m_nFilterLog2 - 6))] |= uint64_t(1) << (nSig & 63) | uint64_t(1)
                                                                                          << (nSig >> 6 & 63);
}

bool CMap_StrPtr::Same(const char* a, const char* b)
{
    // Names are nearly always asked for in the case they were written in.
    return std::strcmp(a, b) == 0 || Compare(a, b) == 0;
}

void CMap_StrPtr::Add(const char* pszName, int nValue)
{
    if (!pszName)
        return;
    // Fixed steps alone would copy the list once per step: a file of many sections would load in
    // time growing with the square of their number.
    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.capacity() + std::max(m_nGrowBy, m_items.capacity() / 2));
    m_items.push_back({pszName, nValue});
    m_bIndexed = false;
}

void CMap_StrPtr::BuildIndex()
{
    size_t nSlots = 16;
    while (nSlots < 2 * m_items.size())
        nSlots *= 2;
    m_index.assign(nSlots, CSlot{0, 0});
    const size_t nMask = nSlots - 1;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        const char* pszName = m_items[i].pszName;
        size_t nLen = 0;
        const uint32_t nHash = HashName(pszName, nLen);
        for (size_t h = nHash & nMask;; h = (h + 1) & nMask)
        {
            CSlot& slot = m_index[h];
            if (slot.nItem == 0)
            {
                slot = CSlot{static_cast<uint32_t>(i + 1), nHash};
                break;
            }
            if (slot.nHash == nHash && Same(m_items[slot.nItem - 1].pszName, pszName))
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
        const CSlot& slot = m_index[h];
        if (slot.nItem == 0)
            return -1;
        if (slot.nHash == nHash && Same(m_items[slot.nItem - 1].pszName, pszName))
            return static_cast<int>(slot.nItem - 1);
    }
}
