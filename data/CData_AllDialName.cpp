#include "data/CData_AllDialName.h"

#include "support/Trace.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const char s_szClass[] = "CData_AllDialName";

// File layouts of the entries, tried from the oldest to the current one: the last that can read
// entry 0 is used.
const int s_layouts[] = {2, 1, 0};
} // namespace

CData_AllDialName::CData_AllDialName() : m_List(ENTRY_MAX)
{
    SetIndex(KIND, 0);
}

CData_AllDialName& CData_AllDialName::operator=(const CData_AllDialName& other)
{
    TraceLine(s_szClass, "=()");
    if (this != &other)
    {
        CData::operator=(other);
        m_Basic = other.m_Basic;
        m_List = other.m_List;
    }
    return *this;
}

bool CData_AllDialName::operator==(const CData& other) const
{
    TraceLine(s_szClass, "operator==()");
    const auto* p = dynamic_cast<const CData_AllDialName*>(&other);
    return p && CData::operator==(other) && m_Basic == p->m_Basic && m_List == p->m_List;
}

bool CData_AllDialName::operator!=(const CData& other) const
{
    TraceLine(s_szClass, "operator!=()");
    return !(*this == other);
}

int CData_AllDialName::MoveFile(int bToFile, int nVariant)
{
    TraceLine(s_szClass, "MoveFile()");
    m_Basic.MoveFile(bToFile, nVariant);
    if (bToFile)
        return m_List.MoveFile(1, nVariant);

    int nLayout = 0;
    for (const int n : s_layouts)
    {
        CData_DialName probe(0);
        if (probe.MoveFile(0, n))
            nLayout = n;
    }

    m_List.Clear();
    int nGenerated = 0;
    for (int i = 0; i < ENTRY_MAX; ++i)
    {
        CData_DialName entry(i);
        if (!entry.MoveFile(0, nLayout) || entry.m_strMsnExt.empty())
            break;
        if (entry.m_strName.empty())
        {
            char sz[16];
            std::snprintf(sz, sizeof sz, "A_%03d", nGenerated++);
            entry.m_strName = sz;
        }
        m_List.Append(entry);
    }
    Sort();
    return 1;
}

void CData_AllDialName::Sort()
{
    TraceLine(s_szClass, "Sort()");
    auto& entries = m_List.Entries();
    // The order CData_DialName::SortsBefore gives, with each entry's sort texts made once rather
    // than for every comparison.
    const size_t nEntries = entries.size();
    std::vector<std::string> keys(2 * nEntries);
    std::vector<size_t> order(nEntries);
    for (size_t i = 0; i < nEntries; ++i)
    {
        keys[2 * i] = CData_LstData::SortKey(entries[i], 0);
        keys[2 * i + 1] = CData_LstData::SortKey(entries[i], 1);
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b)
                     {
                         const int n = CData_LstData::CompareKeys(keys[2 * a], keys[2 * b]);
                         return (n != 0 ? n : CData_LstData::CompareKeys(keys[2 * a + 1], keys[2 * b + 1])) <
                                0;
                     });
    std::vector<CData_DialName> sorted;
    sorted.reserve(entries.capacity());
    for (const size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries.swap(sorted);
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].SetIndex(static_cast<int>(i));
}
