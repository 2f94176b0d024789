#include "data/CData_RecordReader.h"

#include "data/CData_CharSet.h"

CData_RecordReader::CData_RecordReader(const unsigned char* pRecord, size_t nSize)
    : m_pRecord(pRecord), m_nSize(pRecord ? nSize : 0), m_bOk(pRecord != nullptr)
{
}

bool CData_RecordReader::Need(size_t nCount)
{
    if (!m_bOk || nCount > m_nSize - m_nPos)
    {
        m_bOk = false;
        return false;
    }
    return true;
}

bool CData_RecordReader::Head(int nId, int nIndex)
{
    if (Byte() != nId || Byte() != 1)
        m_bOk = false;
    if (nIndex >= 0 && Byte() != nIndex)
        m_bOk = false;
    return m_bOk;
}

int CData_RecordReader::Byte()
{
    if (!Need(1))
        return 0;
    return m_pRecord[m_nPos++];
}

uint32_t CData_RecordReader::BigEndian(size_t nCount)
{
    if (nCount > 4 || !Need(nCount))
    {
        m_bOk = false;
        return 0;
    }
    uint32_t n = 0;
    for (size_t i = 0; i < nCount; ++i)
        n = (n << 8) | m_pRecord[m_nPos++];
    return n;
}

std::string CData_RecordReader::Text(size_t nMax, bool bPhoneSet)
{
    const size_t nLength = static_cast<size_t>(Byte());
    if (!Need(nLength))
        return std::string();
    std::string text;
    CData_CharSet::memcpycstr(text, m_pRecord + m_nPos, nLength < nMax ? nLength : nMax);
    m_nPos += nLength;
    if (bPhoneSet)
        CData_CharSet::ToPc(text);
    return text;
}
