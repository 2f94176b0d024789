#include "data/CData_LstData.h"

#include <algorithm>

CData_LstData::CData_LstData(size_t nCapacity) : m_nCapacity(nCapacity)
{
    SetIndex(KIND, 0);
    m_entries.reserve(nCapacity);
}

CData_DialName* CData_LstData::Insert(const CData_DialName& entry)
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), entry.Number(),
                                     [](const CData_DialName& e, int n) { return e.Number() < n; });
    if (it != m_entries.end() && it->Number() == entry.Number())
    {
        *it = entry;
        return &*it;
    }
    if (m_entries.size() >= m_nCapacity)
        return nullptr;
    return &*m_entries.insert(it, entry);
}

CData_DialName* CData_LstData::Append(const CData_DialName& entry)
{
    if (m_entries.size() >= m_nCapacity)
        return nullptr;
    m_entries.push_back(entry);
    return &m_entries.back();
}

bool CData_LstData::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_LstData*>(&other);
    return p && CData::operator==(other) && m_entries == p->m_entries;
}

int CData_LstData::MoveFile(int bToFile, int nVariant)
{
    if (!bToFile)
        return 0;
    for (auto& entry : m_entries)
        entry.MoveFile(1, nVariant);
    return 1;
}
