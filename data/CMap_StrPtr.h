#pragma once

// Name-to-integer list over texts the caller owns. Adding appends; the first lookup after an
// addition indexes the names once, then every lookup costs one hash probe. Names compare without
// regard to the case of ASCII letters; of several equal names the one added first is found.

#include <algorithm>
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
    // sections of a file read block by block, some passed over). The names found or passed this
    // way are always the first ones in a row, so a name a little further on is the first of its
    // name unless that name was found or passed before, which a small filter tells; anything else
    // goes to Find.
    int FindNext(const char* pszName);
    size_t Count() const { return m_items.size(); }
    size_t Capacity() const { return m_items.capacity(); }
    // Room for nCapacity names in all, taken at once.
    void Reserve(size_t nCapacity) { m_items.reserve(nCapacity); }
    // Asks for the memory of the items added next, ahead of the additions (a loader adding
    // millions of them waits less for memory).
    void PrefetchRoom() const
    {
#if defined(__GNUC__)
        __builtin_prefetch(m_items.data() + std::min(m_items.size() + PREFETCH_AHEAD, m_items.capacity()), 1);
#endif
    }

    // ASCII case-insensitive comparison: < 0, 0, > 0.
    static int Compare(const char* a, const char* b);

private:
    static constexpr size_t PREFETCH_AHEAD = 32; // items: 512 bytes
    struct CItem
    {
        const char* pszName;
        int nValue;
    };
    // A slot of the index: item position + 1 (0 = free) and the hash of its name.
    struct CSlot
    {
        uint32_t nItem;
        uint32_t nHash;
    };
    void BuildIndex();
    int FindPosition(const char* pszName);
    static bool Same(const char* a, const char* b);
    void Advance(size_t nAt, uint64_t nSig);
    bool FilterHas(uint64_t nSig) const;
    void FilterAdd(uint64_t nSig);

    // The filter holds two bits a name (in one word) in at least 32 bits a name and at least 65536
    // (8 KiB): over a full file's 500 sections about one false alarm in ten files, and in a file of
    // a million sections one in 250 lookups; a false alarm costs a hash lookup (the first one
    // building the index).
    static constexpr unsigned FILTER_BITS_MIN_LOG2 = 16;
    static constexpr size_t FILTER_BITS_PER_NAME = 32;
    // How far FindNext looks ahead of the next name: a reader passes over a few sections at a time
    // (blocks its phone type lacks, sections of a newer program).
    static constexpr size_t LOOKAHEAD = 8;

    std::vector<CItem> m_items;
    size_t m_nGrowBy;
    bool m_bIndexed = true;
    std::vector<CSlot> m_index;

    size_t m_nNext = 0;                  // the item tried first by FindNext
    std::vector<uint64_t> m_foundFilter; // two bits per name found in order; sized at the first FindNext
    unsigned m_nFilterLog2 = 0;
    bool m_bNextSig = false; // m_nNextSig holds the signature of the name at m_nNext
    uint64_t m_nNextSig = 0;
};
