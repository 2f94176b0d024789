#include "data/CData_DialNameBasic.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_DialNameBasic";
using B = CData_DialNameBasic;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

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
    static const Row s_rows[] = {
        {"Count", R::Int<B, &B::m_nCount, CountToStr, StrToCount>, nullptr},
    };
    R::MoveFileRows(*this, s_rows, bToFile);
    return 1;
}

void CData_DialNameBasic::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    r.Byte(m_nCount);
}

int CData_DialNameBasic::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, s_szClass, RECORD_ID, -1,
                                 &B::MoveRecord);
}
