#include "data/CData_LstData.h"

#include "data/CData_CharSet.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
const char s_szClass[] = "CData_LstData";

int s_anSortColumn[2] = {CData_DialName::COL_NAME, CData_DialName::COL_MSNEXT};

// Lower case of code page 1252: the ASCII letters, the accented capitals 0xC0 to 0xDE (but the
// multiplication sign 0xD7) and the four capitals of the 0x80 row, so that names differing only
// in case compare equal whatever their letters.
std::string Lower(std::string text)
{
    for (char& ch : text)
    {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            ch = static_cast<char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            ch = static_cast<char>(c + 0x10);
        else if (c == 0x9F)
            ch = static_cast<char>(0xFF);
    }
    return text;
}

int CompareColumn(const CData_DialName& a, const CData_DialName& b, int nColumn)
{
    return CData_LstData::CompareKeys(Lower(a.InfoText(nColumn)), Lower(b.InfoText(nColumn)));
}
} // namespace

int CData_LstData::CompareKeys(const std::string& ta, const std::string& tb)
{
    const int n = CData_CharSet::CompareNames(ta, tb);
    if (n == 0)
        return 0;
    if (ta.empty() != tb.empty())
        return ta.empty() ? 1 : -1;
    // Two different bytes outside the name alphabet weigh the same, and the phone's order calls
    // either of them the smaller; sorting needs one answer, so their byte values decide.
    if (CData_CharSet::CompareNames(tb, ta) == n)
        return ta < tb ? -1 : 1;
    return n;
}

std::string CData_LstData::SortKey(const CData_DialName& entry, int nWhich)
{
    return Lower(entry.InfoText(SortColumn(nWhich)));
}

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
    {
        TraceLine(s_szClass, "Insert() List full!");
        return nullptr;
    }
    return &*m_entries.insert(it, entry);
}

CData_DialName* CData_LstData::Append(const CData_DialName& entry)
{
    if (m_entries.size() >= m_nCapacity)
    {
        TraceLine(s_szClass, "Append() List full!");
        return nullptr;
    }
    m_entries.push_back(entry);
    return &m_entries.back();
}

void CData_LstData::Filter(const std::function<bool(const CData_DialName&)>& keep)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&keep](const CData_DialName& e) { return !keep(e); }),
                    m_entries.end());
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
    // Reading ends at the first entry without a number, and deleting leading digits can empty
    // one: such entries are written behind all others, so that none with a number is lost when
    // the file is read again. Each is written under its position then.
    const auto hasNumber = [](const CData_DialName& e) { return !e.m_strMsnExt.empty(); };
    if (std::all_of(m_entries.begin(), m_entries.end(), hasNumber))
    {
        for (auto& entry : m_entries)
            entry.MoveFile(1, nVariant);
        return 1;
    }
    std::vector<CData_DialName> ordered(m_entries);
    std::stable_partition(ordered.begin(), ordered.end(), hasNumber);
    for (size_t i = 0; i < ordered.size(); ++i)
    {
        ordered[i].SetIndex(static_cast<int>(i));
        ordered[i].MoveFile(1, nVariant);
    }
    return 1;
}

int CData_LstData::Compare(const CData_DialName& a, const CData_DialName& b)
{
    const int n = CompareColumn(a, b, s_anSortColumn[0]);
    return n != 0 ? n : CompareColumn(a, b, s_anSortColumn[1]);
}

void CData_LstData::SetSortColumns(int nFirst, int nSecond)
{
    s_anSortColumn[0] = nFirst;
    s_anSortColumn[1] = nSecond;
}

int CData_LstData::SortColumn(int nWhich)
{
    return s_anSortColumn[nWhich == 0 ? 0 : 1];
}
