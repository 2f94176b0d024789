#include "data/CData_DialNameBasic.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_DialNameBasic";
using B = CData_DialNameBasic;

int CountToStr(int& nValue, std::string& text)
{
    return IntToStr(nValue, text, 0, B::COUNT_MAX);
}
int StrToCount(int& nValue, const std::string& text)
{
    return StrToInt(nValue, text, 0, B::COUNT_MAX);
}
} // namespace

bool CData_DialNameBasic::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_nCount == p->m_nCount;
}

int CData_DialNameBasic::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Int<B>("Count", &B::m_nCount, CountToStr, StrToCount),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_DialNameBasic::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID);
        const int nCount = r.Byte();
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_nCount = nCount;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1);
        w.Byte(m_nCount);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0);
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
