#pragma once

// Growable array of text pointers. The configuration file store keeps the start of every line of
// the loaded file here; the texts belong to the caller's buffer. It grows by at least nGrowBy
// items and at least by half its size, so that adding n items costs time in proportion to n.

#include <algorithm>
#include <cstddef>
#include <vector>

class CLst_StrPtr
{
public:
    CLst_StrPtr(size_t nCapacity, size_t nGrowBy);
    ~CLst_StrPtr();
    CLst_StrPtr(const CLst_StrPtr&) = delete;
    CLst_StrPtr& operator=(const CLst_StrPtr&) = delete;

    void Add(char* psz)
    {
        if (m_items.size() == m_items.capacity())
            Grow();
        m_items.push_back(psz);
    }
    // The text at nIndex; none at or beyond the count.
    char* Get(size_t nIndex) const { return nIndex < m_items.size() ? m_items[nIndex] : nullptr; }
    size_t Count() const { return m_items.size(); }
    size_t Capacity() const { return m_items.capacity(); }
    // Room for nCapacity items in all, taken at once (one copy of the items so far).
    void Reserve(size_t nCapacity) { m_items.reserve(nCapacity); }
    // The items themselves, Count() of them, for a reader that walks many of them in a row; valid
    // until the next Add.
    char* const* Items() const { return m_items.data(); }
    void Clear() { m_items.clear(); }
    // Asks for the memory of the items added next, ahead of the additions (a loader adding
    // millions of them waits less for memory).
    void PrefetchRoom() const
    {
#if defined(__GNUC__)
        __builtin_prefetch(m_items.data() + std::min(m_items.size() + PREFETCH_AHEAD, m_items.capacity()), 1);
#endif
    }

private:
    static constexpr size_t PREFETCH_AHEAD = 64; // items: 512 bytes
    void Grow();

    std::vector<char*> m_items;
    size_t m_nGrowBy;
};
