#pragma once

#include "data/CData.h"

#include <string>

// One phonebook entry. The remaining fields, file layouts and records are added with the block
// itself; until then an entry reads as absent.
class CData_DialName : public CData
{
public:
    static constexpr const char* KIND = "DialName";

    explicit CData_DialName(int nNumber = 0) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    bool operator==(const CData& other) const override
    {
        const auto* p = dynamic_cast<const CData_DialName*>(&other);
        return p && CData::operator==(other) && m_strName == p->m_strName && m_strMsnExt == p->m_strMsnExt;
    }
    CData* NewDeepCopy() const override { return new CData_DialName(*this); }
    int MoveFile(int, int) override { return 0; }

    // Phonebook order: by name, an entry without one after all named entries, then by number.
    static bool SortsBefore(const CData_DialName& a, const CData_DialName& b)
    {
        if (a.m_strName.empty() != b.m_strName.empty())
            return !a.m_strName.empty();
        if (a.m_strName != b.m_strName)
            return a.m_strName < b.m_strName;
        return a.m_strMsnExt < b.m_strMsnExt;
    }

    std::string m_strName;   // `Name`
    std::string m_strMsnExt; // `MsnExt`, the number
};
