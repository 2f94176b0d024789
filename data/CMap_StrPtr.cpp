#include "data/CMap_StrPtr.h"

#include "support/Trace.h"

namespace
{
inline unsigned char Lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

inline uint32_t HashName(const char* psz)
{
    uint32_t h = 2166136261u;
    for (const auto* p = reinterpret_cast<const unsigned char*>(psz); *p; ++p)
        h = (h ^ Lower(*p)) * 16777619u;
    return h;
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

void CMap_StrPtr::Add(const char* pszName, int nValue)
{
    if (!pszName)
        return;
    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.capacity() + m_nGrowBy);
    m_items.push_back({pszName, nValue, 0});
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
        item.nHash = HashName(item.pszName);
        for (size_t h = item.nHash & nMask;; h = (h + 1) & nMask)
        {
            if (m_index[h] == 0)
            {
                m_index[h] = static_cast<uint32_t>(i + 1);
                break;
            }
            const CItem& other = m_items[m_index[h] - 1];
            if (other.nHash == item.nHash && Compare(other.pszName, item.pszName) == 0)
                break; // the name added first keeps its place
        }
    }
    m_bIndexed = true;
}

int CMap_StrPtr::Find(const char* pszName)
{
    if (!pszName)
        return -1;
    if (!m_bIndexed || m_index.empty())
        BuildIndex();
    const uint32_t nHash = HashName(pszName);
    const size_t nMask = m_index.size() - 1;
    for (size_t h = nHash & nMask;; h = (h + 1) & nMask)
    {
        const uint32_t n = m_index[h];
        if (n == 0)
            return -1;
        const CItem& item = m_items[n - 1];
        if (item.nHash == nHash && Compare(item.pszName, pszName) == 0)
            return item.nValue;
    }
}
