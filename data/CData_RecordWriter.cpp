#include "data/CData_RecordWriter.h"

#include "data/CData_CharSet.h"

#include <cstring>

namespace
{
// A length byte counts at most this many characters.
constexpr size_t LENGTH_BYTE_MAX = 255;
} // namespace

CData_RecordWriter::CData_RecordWriter(unsigned char* pRecord, size_t nSize)
    : m_pRecord(pRecord), m_nSize(pRecord ? nSize : 0), m_bOk(pRecord != nullptr)
{
}

bool CData_RecordWriter::Room(size_t nCount)
{
    if (!m_bOk || nCount > m_nSize - m_nPos)
    {
        m_bOk = false;
        return false;
    }
    return true;
}

void CData_RecordWriter::Head(int nId, int nKind, int nIndex)
{
    Byte(nId);
    Byte(nKind);
    if (nIndex >= 0)
        Byte(nIndex);
}

void CData_RecordWriter::Byte(int nValue)
{
    if (Room(1))
        m_pRecord[m_nPos++] = static_cast<unsigned char>(nValue & 0xFF);
}

void CData_RecordWriter::BigEndian(uint32_t nValue, size_t nCount)
{
    if (nCount > 4)
    {
        m_bOk = false;
        return;
    }
    if (!Room(nCount))
        return;
    for (size_t i = nCount; i-- > 0;)
        m_pRecord[m_nPos++] = static_cast<unsigned char>((nValue >> (8 * i)) & 0xFF);
}

void CData_RecordWriter::Text(const std::string& text, size_t nMax, bool bPhoneSet)
{
    size_t n = text.size();
    if (n > nMax)
        n = nMax;
    if (n > LENGTH_BYTE_MAX)
        n = LENGTH_BYTE_MAX;
    if (!Room(1 + n))
        return;
    m_pRecord[m_nPos++] = static_cast<unsigned char>(n);
    if (n)
        std::memcpy(m_pRecord + m_nPos, text.data(), n);
    if (bPhoneSet)
        CData_CharSet::ToPhone(m_pRecord + m_nPos, n);
    m_nPos += n;
}
