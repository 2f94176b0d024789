#include "data/CData_DialVip.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_DialVip";
using B = CData_DialVip;
} // namespace

bool CData_DialVip::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strMsn == p->m_strMsn && m_strName == p->m_strName;
}

int CData_DialVip::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Str<B>("Msn", &B::m_strMsn, StrToMsnExt),
        Str<B>("Name", &B::m_strName, StrToName),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_DialVip::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID, Number());
        const std::string msn = r.Text(MSN_MAX, false);
        const std::string name = r.Text(NAME_MAX, true);
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_strMsn = msn;
        m_strName = name;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1, Number());
        w.Text(m_strMsn, MSN_MAX, false);
        w.Text(m_strName, NAME_MAX, true);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0, Number());
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}

std::string CData_DialVip::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
    {
        char sz[16];
        std::snprintf(sz, sizeof sz, CData_Properties::Current().m_bVipKeyLabels ? "k%01d" : "v%01d",
                      Number());
        return sz;
    }
    case 1:
        return m_strMsn;
    case 2:
        return m_strName;
    default:
        return CData::InfoText(nIndex);
    }
}
