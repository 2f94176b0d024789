#include "data/CMap_StrPtr.h"

#include "support/Trace.h"

#include <algorithm>

namespace
{
inline unsigned char Lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
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
        const unsigned char ca = Lower(*pa);
        const unsigned char cb = Lower(*pb);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

void CMap_StrPtr::Add(const char* pszName, int nValue)
{
    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.capacity() + m_nGrowBy);
    m_items.push_back({pszName, nValue});
    m_bSorted = false;
}

int CMap_StrPtr::Find(const char* pszName)
{
    if (!pszName)
        return -1;
    if (!m_bSorted)
    {
        // Stable, so that of two headers with the same name the first in the file is found.
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const CItem& a, const CItem& b) { return Compare(a.pszName, b.pszName) < 0; });
        m_bSorted = true;
    }
    const auto it =
        std::lower_bound(m_items.begin(), m_items.end(), pszName,
                         [](const CItem& item, const char* psz) { return Compare(item.pszName, psz) < 0; });
    if (it == m_items.end() || Compare(it->pszName, pszName) != 0)
        return -1;
    return it->nValue;
}
