#include "transfer/CTrans_Verify.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"

#include <algorithm>
#include <cstdio>

namespace
{
using T = CData_RecordTable;
using K = CData_AllCfg;

const char s_szBackupSuffix[] = ".phone-backup.cfg";

// Records that are sent but never read back: the PIN and the commands (the telephone refuses a
// request for them), the version block (the telephone's identity is its own).
bool Compared(const T::CRow& row)
{
    if (row.target == T::T_VERSION)
        return false;
    if (row.target != T::T_CFG)
        return true;
    if (row.kind == K::K_PINRESET || row.kind == K::K_SERVICE || row.kind == K::K_FIRMWAREUPDATE)
        return false;
    return !(row.kind == K::K_BASIC && row.nFlag == CData_Basic::RECORD_PIN);
}

// The name of the block a record addresses when the read-back has no such block.
std::string MissingName(const T::CRow& row, const CTrans_Verify::Record& record)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, "_%08X", record.size() > 2 ? record[2] : 0);
    return (row.target == T::T_DIALNAME ? std::string("DialName") : std::string("Record")) + sz;
}
} // namespace

std::vector<std::string> CTrans_Verify::Differences(const std::vector<Record>& sent, CData_All& readBack)
{
    std::vector<std::string> names;
    auto add = [&names](const std::string& name)
    {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    Record built(CData::RECORD_MAX);
    for (const Record& record : sent)
    {
        const T::CRow* pRow = T::Find(record.data(), record.size());
        if (!pRow || !Compared(*pRow))
            continue;
        std::fill(built.begin(), built.end(), 0);
        int n = 0;
        std::string name;
        if (pRow->target == T::T_DIALNAMEBASIC)
        {
            // The header as the telephone reports it: the entries it holds.
            CData_DialNameBasic header = readBack.m_DialName.LinkHeader();
            name = header.Name();
            n = header.MoveBlock(CData::MB_DATA, built.data(), built.size(), 0);
        }
        else
        {
            int nFlag = 0;
            CData* pBlock = T::Route(readBack, record.data(), record.size(), nFlag);
            if (!pBlock)
            {
                add(MissingName(*pRow, record));
                continue;
            }
            name = pBlock->Name();
            n = pBlock->MoveBlock(CData::MB_DATA, built.data(), built.size(), nFlag);
        }
        if (n <= 0 || static_cast<size_t>(n) != record.size() ||
            !std::equal(record.begin(), record.end(), built.begin()))
            add(name);
    }
    return names;
}

std::string CTrans_Verify::BackupPath(const std::string& documentPath)
{
    // Sending a backup undoes a bad write: a backup of that write would only double the suffix.
    const size_t nSuffix = sizeof(s_szBackupSuffix) - 1;
    if (documentPath.size() >= nSuffix &&
        documentPath.compare(documentPath.size() - nSuffix, nSuffix, s_szBackupSuffix) == 0)
        return std::string();
    return documentPath + s_szBackupSuffix;
}
