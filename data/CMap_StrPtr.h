#pragma once

// Sorted name-to-integer list over texts the caller owns. Adding appends; the first lookup after
// an addition sorts once, then every lookup is a binary search. Names compare without regard to
// the case of ASCII letters.

#include <cstddef>
#include <vector>

class CMap_StrPtr
{
public:
    CMap_StrPtr(size_t nCapacity, size_t nGrowBy);
    ~CMap_StrPtr();
    CMap_StrPtr(const CMap_StrPtr&) = delete;
    CMap_StrPtr& operator=(const CMap_StrPtr&) = delete;

    void Add(const char* pszName, int nValue);
    // The value stored with pszName, or -1. Of several equal names the one added first wins.
    int Find(const char* pszName);
    size_t Count() const { return m_items.size(); }

    // ASCII case-insensitive comparison used for sorting and searching.
    static int Compare(const char* a, const char* b);

private:
    struct CItem
    {
        const char* pszName;
        int nValue;
    };
    std::vector<CItem> m_items;
    size_t m_nGrowBy;
    bool m_bSorted = true;
};
