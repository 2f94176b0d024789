#include "data/CData.h"

#include "data/CData_FileExRam.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData";
// Every real use names its file first; this one only keeps a stray write out of other places.
const char s_szDefaultFile[] = "R740Cf.Elg";
} // namespace

CData::~CData()
{
    // A block reached after its destruction shows it in traces.
    m_strName += " Deleted";
}

bool CData::operator==(const CData& other) const
{
    return m_strName == other.m_strName && m_nNumber == other.m_nNumber;
}

bool CData::operator!=(const CData& other) const
{
    return !(*this == other);
}

CData* CData::NewDeepCopy() const
{
    TraceLine(s_szClass, "NewDeepCopy() Not implemented!");
    return nullptr;
}

int CData::MoveFile(int, int)
{
    TraceLine(s_szClass, "MoveFile() Not implemented!");
    return 0;
}

int CData::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_END:
        if (!pRecord || nSize < 2)
            return 0;
        pRecord[0] = 0;
        pRecord[1] = static_cast<unsigned char>(nFlag & 1);
        return 2;
    case MB_TEST_ACK:
        return pRecord && nSize >= 2 && pRecord[0] == 0 && pRecord[1] == 1 ? 2 : 0;
    default:
        TraceLine(s_szClass, "MoveBlock() Not implemented!");
        return 0;
    }
}

std::string CData::InfoText(int nIndex) const
{
    return "Inf " + std::to_string(nIndex);
}

void CData::TraceInfo(int nCount) const
{
    if (!TraceIsOn())
        return;
    std::string text;
    for (int i = 0; i < nCount; ++i)
        text += InfoText(i) + "  ";
    TraceLine(s_szClass, text.c_str());
}

int CData::Transform()
{
    TraceLine(s_szClass, "Transform() Not implemented!");
    return 0;
}

CData_FileExRam& CData::File()
{
    static CData_FileExRam s_file(s_szDefaultFile);
    return s_file;
}

void CData::SetIndex(const char* pszKind, int nNumber)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "_%08X", static_cast<unsigned>(nNumber));
    m_nNumber = nNumber;
    m_strName = pszKind;
    m_strName += sz;
}
