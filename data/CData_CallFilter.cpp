#include "data/CData_CallFilter.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_CallFilter";
using B = CData_CallFilter;
// Interface text that precedes the entry number in the list.
constexpr unsigned TEXT_CALLFILTER = 274;
} // namespace

bool CData_CallFilter::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strMsn == p->m_strMsn;
}

int CData_CallFilter::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Str<B>("Msn", &B::m_strMsn, StrToMsnExt),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_CallFilter::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID, Number());
        const std::string msn = r.Text(MSN_MAX, false);
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_strMsn = msn;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1, Number());
        w.Text(m_strMsn, MSN_MAX, false);
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

std::string CData_CallFilter::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
        return CData_UiText(TEXT_CALLFILTER) + std::to_string(Number() + 1);
    case 1:
        return m_strMsn;
    default:
        return CData::InfoText(nIndex);
    }
}
