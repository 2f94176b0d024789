#include "data/CData_AnsMaschInfoText.h"

#include "data/CData_FileRow.h"
#include "data/CData_Record.h"
#include "support/Trace.h"

#include <algorithm>
#include <cstdio>

namespace
{
const char s_szClass[] = "CData_AnsMaschInfoText";
using B = CData_AnsMaschInfoText;

void MoveBool(const B& b, const char* pszKey, int& nValue, int bToFile)
{
    std::string text;
    if (bToFile)
        BoolToStr(nValue, text);
    CData_FileRows::MoveText(b.Name().c_str(), pszKey, bToFile, text);
    if (!bToFile)
        StrToBool(nValue, text);
}

void MoveNumbered(B& b, const char* pszBase, int* pnValues, int nCount, int bToFile)
{
    char szKey[32];
    for (int i = 0; i < nCount; ++i)
    {
        std::snprintf(szKey, sizeof szKey, "%s%d", pszBase, i + 1);
        MoveBool(b, szKey, pnValues[i], bToFile);
    }
}
} // namespace

bool CData_AnsMaschInfoText::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) &&
           std::equal(m_anAnnounce, m_anAnnounce + ANNOUNCE_COUNT, p->m_anAnnounce) &&
           std::equal(m_anInfoText, m_anInfoText + INFOTEXT_COUNT, p->m_anInfoText) &&
           m_nEndText == p->m_nEndText && m_nFullAbText == p->m_nFullAbText;
}

int CData_AnsMaschInfoText::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    MoveNumbered(*this, "Announce", m_anAnnounce, ANNOUNCE_COUNT, bToFile);
    MoveBool(*this, "FullAbText", m_nFullAbText, bToFile);
    MoveBool(*this, "EndText", m_nEndText, bToFile);
    MoveNumbered(*this, "InfoText", m_anInfoText, INFOTEXT_COUNT, bToFile);
    return 1;
}

void CData_AnsMaschInfoText::MoveRecord(CData_Record& r)
{
    r.Header(RECORD_ID);
    for (int& n : m_anAnnounce)
        r.Byte(n);
    r.Byte(m_nEndText);
    r.Byte(m_nFullAbText);
    for (int& n : m_anInfoText)
        r.Byte(n);
}

int CData_AnsMaschInfoText::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
        return CData_MoveRecord(*this, true, pRecord, nSize, s_szClass, &B::MoveRecord);
    case MB_DATA:
        // The telephone keeps this status itself.
        return 0;
    case MB_PHONE:
        return CData_MoveRecord(*this, false, pRecord, nSize, s_szClass, &B::MoveRecord);
    case MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, RECORD_ID);
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
