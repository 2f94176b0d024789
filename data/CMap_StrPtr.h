#pragma once

// Name-to-integer list over texts the caller owns. Adding appends; the first lookup after an
// addition indexes the names once, then every lookup costs one hash probe. Names compare without
// regard to the case of ASCII letters; of several equal names the one added first is found.

#include <cstddef>
#include <cstdint>
#include <vector>

class CMap_StrPtr
{
public:
    CMap_StrPtr(size_t nCapacity, size_t nGrowBy);
    ~CMap_StrPtr();
    CMap_StrPtr(const CMap_StrPtr&) = delete;
    CMap_StrPtr& operator=(const CMap_StrPtr&) = delete;

    void Add(const char* pszName, int nValue);
    // The value stored with pszName, or -1.
    int Find(const char* pszName);
    size_t Count() const { return m_items.size(); }

    // ASCII case-insensitive comparison: < 0, 0, > 0.
    static int Compare(const char* a, const char* b);

private:
    struct CItem
    {
        const char* pszName;
        int nValue;
        uint32_t nHash;
        uint32_t nLen;
    };
    void BuildIndex();
    static bool Same(const CItem& item, const char* pszName, size_t nLen);

    std::vector<CItem> m_items;
    size_t m_nGrowBy;
    bool m_bIndexed = true;
    std::vector<uint32_t> m_index; // item position + 1, 0 = free
};
