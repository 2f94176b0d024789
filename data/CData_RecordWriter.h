#pragma once

// Builds one record field by field into the room the caller gives. A field that does not fit
// marks the record bad and nothing more is written; Result() is then 0, so a block never hands
// out a cut record.

#include <cstddef>
#include <cstdint>
#include <string>

class CData_RecordWriter
{
public:
    CData_RecordWriter(unsigned char* pRecord, size_t nSize);

    // Identifier and kind byte (1 data, 0 request), then the index when it is not negative.
    void Head(int nId, int nKind, int nIndex = -1);
    // The low byte of the value.
    void Byte(int nValue);
    // The low nCount bytes of the value, big-endian (nCount at most 4).
    void BigEndian(uint32_t nValue, size_t nCount);
    // A length byte and the characters, at most nMax of them (and at most 255). bPhoneSet: they
    // are converted into the phone's character set.
    void Text(const std::string& text, size_t nMax, bool bPhoneSet);

    bool Ok() const { return m_bOk; }
    // The bytes built, or 0 when they did not fit.
    int Result() const { return m_bOk ? static_cast<int>(m_nPos) : 0; }

private:
    bool Room(size_t nCount);

    unsigned char* m_pRecord;
    size_t m_nSize;
    size_t m_nPos = 0;
    bool m_bOk;
};
