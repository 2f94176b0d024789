#include "data/CData_Record.h"

#include "data/CData_CharSet.h"

#include <cstring>

CData_Record::CData_Record(bool bParse, unsigned char* pRecord, size_t nSize)
    : m_bParse(bParse), m_pRecord(pRecord), m_nSize(pRecord ? nSize : 0), m_bOk(pRecord != nullptr)
{
}

bool CData_Record::Have(size_t nCount)
{
    if (!m_bOk)
        return false;
    if (m_nPos > m_nSize || nCount > m_nSize - m_nPos)
        m_bOk = false;
    return m_bOk;
}

int CData_Record::Peek() const
{
    return m_bOk && m_nPos < m_nSize ? m_pRecord[m_nPos] : -1;
}

void CData_Record::Header(int nId, int nIndex)
{
    Expect(static_cast<unsigned char>(nId));
    Expect(1);
    if (nIndex >= 0)
        Expect(static_cast<unsigned char>(nIndex));
}

int CData_Record::Request(unsigned char* pRecord, size_t nSize, int nId, int nIndex)
{
    CData_Record record(false, pRecord, nSize);
    record.Expect(static_cast<unsigned char>(nId));
    record.Expect(0);
    if (nIndex >= 0)
        record.Expect(static_cast<unsigned char>(nIndex));
    return record.Result();
}

void CData_Record::Expect(unsigned char nValue)
{
    if (!Have(1))
        return;
    if (m_bParse)
    {
        if (m_pRecord[m_nPos] != nValue)
        {
            m_bOk = false;
            return;
        }
    }
    else
    {
        m_pRecord[m_nPos] = nValue;
    }
    ++m_nPos;
}

void CData_Record::Byte(int& nValue)
{
    if (!Have(1))
        return;
    if (m_bParse)
        nValue = m_pRecord[m_nPos];
    else
        m_pRecord[m_nPos] = static_cast<unsigned char>(nValue & 0xFF);
    ++m_nPos;
}

void CData_Record::U16(int& nValue)
{
    if (!Have(2))
        return;
    unsigned char* p = m_pRecord + m_nPos;
    if (m_bParse)
    {
        nValue = p[0] << 8 | p[1];
    }
    else
    {
        p[0] = static_cast<unsigned char>(nValue >> 8 & 0xFF);
        p[1] = static_cast<unsigned char>(nValue & 0xFF);
    }
    m_nPos += 2;
}

void CData_Record::U32(uint32_t& nValue)
{
    if (!Have(4))
        return;
    unsigned char* p = m_pRecord + m_nPos;
    if (m_bParse)
    {
        nValue = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
    }
    else
    {
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<unsigned char>(nValue >> (24 - 8 * i) & 0xFF);
    }
    m_nPos += 4;
}

void CData_Record::U32Le(uint32_t& nValue)
{
    if (!Have(4))
        return;
    unsigned char* p = m_pRecord + m_nPos;
    if (m_bParse)
    {
        nValue = uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | uint32_t{p[0]};
    }
    else
    {
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<unsigned char>(nValue >> (8 * i) & 0xFF);
    }
    m_nPos += 4;
}

void CData_Record::Bytes(unsigned char* pData, size_t nCount)
{
    if (!Have(nCount))
        return;
    if (m_bParse)
        std::memcpy(pData, m_pRecord + m_nPos, nCount);
    else
        std::memcpy(m_pRecord + m_nPos, pData, nCount);
    m_nPos += nCount;
}

void CData_Record::String(std::string& text, size_t nMax, bool bPhoneSet, EOverlong overlong)
{
    if (!Have(1))
        return;
    if (m_bParse)
    {
        const size_t nAnnounced = m_pRecord[m_nPos];
        if (!Have(1 + nAnnounced))
            return;
        const size_t nTaken = nAnnounced < nMax ? nAnnounced : nMax;
        std::string value;
        if (!CData_CharSet::memcpycstr(value, m_pRecord + m_nPos + 1, nTaken))
        {
            m_bOk = false;
            return;
        }
        if (bPhoneSet)
            CData_CharSet::ToPc(value);
        text = value;
        m_nPos += 1 + (overlong == AFTER_ANNOUNCED ? nAnnounced : nTaken);
        return;
    }
    size_t n = text.size() < nMax ? text.size() : nMax;
    if (n > 255)
        n = 255; // one length byte
    if (!Have(1 + n))
        return;
    unsigned char* p = m_pRecord + m_nPos;
    p[0] = static_cast<unsigned char>(n);
    std::memcpy(p + 1, text.data(), n);
    if (bPhoneSet)
        CData_CharSet::ToPhone(p + 1, n);
    m_nPos += 1 + n;
}
