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
    // The same answer as Find, cheaper for names asked for in the order they were added (the
    // sections of a file read block by block). The names found this way are always the first
    // ones in a row, so the one after them is the first of its name unless that name was found
    // before, which a small filter of the names found tells; anything else goes to Find.
    int FindNext(const char* pszName);
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
    int FindPosition(const char* pszName);
    static bool Same(const CItem& item, const char* pszName, size_t nLen);
    bool FilterHas(uint64_t nSig) const;
    void FilterAdd(uint64_t nSig);

    // Two bits a name in 16384 (2 KiB): after a full file's 500 sections about one false alarm in
    // 270, and a false alarm only costs the hash lookup.
    static constexpr unsigned FILTER_BITS_LOG2 = 14;

    std::vector<CItem> m_items;
    size_t m_nGrowBy;
    bool m_bIndexed = true;
    std::vector<uint32_t> m_index; // item position + 1, 0 = free

    size_t m_nNext = 0;                                         // the item tried first by FindNext
    uint64_t m_foundFilter[(1u << FILTER_BITS_LOG2) / 64] = {}; // two bits per name found in order
};
