#pragma once

// One binary record of a block, walked field by field in either direction. A block describes its
// record once, top to bottom, as a sequence of cursor calls; the same description parses a received
// record (the fields are read from it) and builds one for sending (the fields are written).
//
// Every step first checks that the received frame still holds its bytes, or that the room for
// building still has space; a step that does not fit fails the record and every later step does
// nothing. A failed record gives 0, so a short frame is refused whole and nothing is read or
// written beyond the buffer.

#include <cstddef>
#include <cstdint>
#include <string>

class CData_Record
{
public:
    // bParse: read the nSize received bytes of pRecord; otherwise write into nSize bytes of room.
    CData_Record(bool bParse, unsigned char* pRecord, size_t nSize);

    bool Parsing() const { return m_bParse; }
    bool Ok() const { return m_bOk; }
    // Bytes consumed or built so far; 0 once the record failed.
    int Result() const { return m_bOk ? static_cast<int>(m_nPos) : 0; }
    // Ends a record early without failing it (the rest of a received frame is not ours).
    void Fail() { m_bOk = false; }

    // The identifier and the byte 1 (data follows). Parsing fails unless both match.
    void Header(unsigned char nId);
    // A byte of fixed value (an index, a length): parsing fails unless it matches.
    void Expect(unsigned char nValue);
    // One byte: the low byte of the value when building, the byte (0 to 255) when parsing.
    void Byte(int& nValue);
    // Big-endian numbers.
    void U16(int& nValue);
    void U32(uint32_t& nValue);
    // Little-endian 32 bits (the macro parameters).
    void U32Le(uint32_t& nValue);
    // Raw bytes of a fixed count.
    void Bytes(unsigned char* pData, size_t nCount);

    // Where a string's parsing goes on when its length byte announces more than the field holds.
    enum EOverlong
    {
        AFTER_TAKEN,    // after the characters taken (basic and MSN records)
        AFTER_ANNOUNCED // after all the characters announced (parameter data of the key record)
    };
    // A length byte and the characters without terminator. Building sends at most nMax characters.
    // Parsing takes at most nMax characters as far as the first zero byte; the frame must hold
    // every character the length byte announces. bPhoneSet converts between the PC set and the
    // phone's character set.
    void String(std::string& text, size_t nMax, bool bPhoneSet, EOverlong overlong = AFTER_TAKEN);

    // The next received byte without consuming it; -1 when the frame has no more bytes.
    int Peek() const;
    // 1 when the frame (or the room) holds nCount more bytes; otherwise the record fails.
    bool Have(size_t nCount);
    // The current position; valid for as many bytes as Have() confirmed.
    unsigned char* At() { return m_pRecord + m_nPos; }
    void Advance(size_t nCount) { m_nPos += nCount; }

private:
    bool m_bParse;
    unsigned char* m_pRecord;
    size_t m_nSize;
    size_t m_nPos = 0;
    bool m_bOk;
};
