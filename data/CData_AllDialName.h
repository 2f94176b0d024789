#pragma once

#include "data/CData.h"
#include "data/CData_DialName.h"
#include "data/CData_DialNameBasic.h"
#include "data/CData_LstData.h"

// The phonebook: its header block and up to 250 entries.
class CData_AllDialName : public CData
{
public:
    static constexpr const char* KIND = "AllDialName";
    // Entries the telephone holds at the most.
    static constexpr int ENTRY_MAX = 250;

    CData_AllDialName();
    CData_AllDialName(const CData_AllDialName& other) = default;
    CData_AllDialName& operator=(const CData_AllDialName& other);

    bool operator==(const CData& other) const override;
    bool operator!=(const CData& other) const override;
    // Writing writes the header and every entry. Reading finds the file layout of the entries,
    // reads them up to the first missing or number-less one (at most 250), names the nameless
    // ones "A_000", "A_001", ... and sorts.
    int MoveFile(int bToFile, int nVariant) override;

    // Puts the entries into phonebook order and renumbers them by their new position.
    void Sort();

    int Count() const { return static_cast<int>(m_List.Count()); }
    // The header as the telephone exchanges it: the number of entries in the list (0 to 250),
    // which the file's Count (0 to 249) cannot always hold.
    CData_DialNameBasic LinkHeader() const
    {
        CData_DialNameBasic header = m_Basic;
        header.m_nCount = Count();
        return header;
    }
    CData_DialName* Entry(int nIndex)
    {
        return nIndex >= 0 ? m_List.Get(static_cast<size_t>(nIndex)) : nullptr;
    }
    const CData_DialName* Entry(int nIndex) const
    {
        return nIndex >= 0 ? m_List.Get(static_cast<size_t>(nIndex)) : nullptr;
    }

    CData_DialNameBasic m_Basic;
    CData_LstData m_List;
};
