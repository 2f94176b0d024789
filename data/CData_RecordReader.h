#pragma once

// Reads the fields of one received record in order. Every read first checks that the bytes lie
// within the received length; the first read that would pass the end marks the record as bad and
// every later read gives 0, so a block can read all its fields and decide once, at the end,
// whether to take them over (Result() is 0 then).

#include <cstddef>
#include <cstdint>
#include <string>

class CData_RecordReader
{
public:
    CData_RecordReader(const unsigned char* pRecord, size_t nSize);

    // The common head: identifier, the byte 1 (data follows) and, when nIndex is not negative,
    // the block's index. False, and the record bad, when any of them differs.
    bool Head(int nId, int nIndex = -1);

    // The next byte; 0 when the record has ended.
    int Byte();
    // The next nCount bytes as a big-endian number (nCount at most 4).
    uint32_t BigEndian(size_t nCount);
    // A length byte and that many characters. The text keeps at most nMax of them (a longer field
    // is taken as its maximum) but the whole field is passed, so the fields after it stay in
    // place. bPhoneSet: the characters are in the phone's character set and are converted.
    std::string Text(size_t nMax, bool bPhoneSet);
    // Marks the record bad (a field with a value the record does not allow).
    void Refuse() { m_bOk = false; }

    bool Ok() const { return m_bOk; }
    size_t Pos() const { return m_nPos; }
    // The bytes read, or 0 when the record was bad.
    int Result() const { return m_bOk ? static_cast<int>(m_nPos) : 0; }

private:
    bool Need(size_t nCount);

    const unsigned char* m_pRecord;
    size_t m_nSize;
    size_t m_nPos = 0;
    bool m_bOk;
};
