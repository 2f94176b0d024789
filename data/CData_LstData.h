#pragma once

#include "data/CData.h"
#include "data/CData_DialName.h"

#include <cstddef>
#include <functional>
#include <vector>

// The phonebook entries, held in ascending order of their block index, with a fixed capacity.
// Copies are deep (the entries are held by value) and keep the capacity.
//
// Phonebook order (Compare): the texts of two sort columns (the entries' column texts), lower
// case, in the phone's name order; an empty text after every non-empty one. The interface chooses
// the two columns (SetSortColumns); by default name, then number.
class CData_LstData : public CData
{
public:
    static constexpr const char* KIND = "LstData";

    explicit CData_LstData(size_t nCapacity);

    // Adds a copy of the entry at the place of its index; an entry with the same index is
    // replaced. Gives the stored entry, or nullptr when the list is full.
    CData_DialName* Insert(const CData_DialName& entry);
    // Appends behind the last entry without a search (reading, sorting); nullptr when full.
    CData_DialName* Append(const CData_DialName& entry);
    void Clear() { m_entries.clear(); }
    // Keeps the entries for which keep gives true, in their order, and drops the others.
    void Filter(const std::function<bool(const CData_DialName&)>& keep);

    size_t Count() const { return m_entries.size(); }
    size_t Capacity() const { return m_nCapacity; }
    CData_DialName* Get(size_t nIndex) { return nIndex < m_entries.size() ? &m_entries[nIndex] : nullptr; }
    const CData_DialName* Get(size_t nIndex) const
    {
        return nIndex < m_entries.size() ? &m_entries[nIndex] : nullptr;
    }
    std::vector<CData_DialName>& Entries() { return m_entries; }
    const std::vector<CData_DialName>& Entries() const { return m_entries; }

    bool operator==(const CData& other) const override;
    CData* NewDeepCopy() const override { return new CData_LstData(*this); }
    // Writing only: every entry in order.
    int MoveFile(int bToFile, int nVariant) override;

    // Phonebook order of two entries: negative when a comes first, 0 when both sort columns are
    // equal, positive when b comes first.
    static int Compare(const CData_DialName& a, const CData_DialName& b);
    // The same in two steps, for sorting many entries: an entry's text of sort column nWhich (0 or
    // 1) as it is compared, and the comparison of two such texts of one column.
    static std::string SortKey(const CData_DialName& entry, int nWhich);
    static int CompareKeys(const std::string& ta, const std::string& tb);
    // The two sort columns (CData_DialName::EColumn), process-wide like the list view choosing them.
    static void SetSortColumns(int nFirst, int nSecond);
    static int SortColumn(int nWhich);

private:
    size_t m_nCapacity;
    std::vector<CData_DialName> m_entries;
};
