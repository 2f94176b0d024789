#pragma once

// One binary record of a block, walked field by field in either direction. A block describes its
// record once, top to bottom, as a sequence of cursor calls; the same description parses a received
// record (the fields are read from it) and builds one for sending (the fields are written).
//
// Every step first checks that the received frame still holds its bytes, or that the room for
// building still has space; a step that does not fit fails the record and every later step does
// nothing. A failed record gives 0, so a short frame is refused whole and nothing is read or
// written beyond the buffer.

#include "data/CData.h"
#include "support/Trace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
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
    // Refuses the record (a field with a value the record does not allow, or a record of no known
    // layout): Result() is 0 from here on.
    void Fail() { m_bOk = false; }

    // The identifier, the byte 1 (data follows) and, when nIndex is not negative, the block's index.
    // Parsing fails unless all of them match.
    void Header(int nId, int nIndex = -1);
    // Builds the request for a record into nSize bytes of room: the identifier, the byte 0 (data
    // wanted) and, when nIndex is not negative, the index. The bytes built, or 0 when they do not fit.
    static int Request(unsigned char* pRecord, size_t nSize, int nId, int nIndex = -1);
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

// Moves a block's record in one direction. Parsing walks a copy of the block over the received
// bytes and takes the copy over only when the whole record was valid, so a refused record leaves
// the block as it was; building walks the block itself. walk(block, record) describes the record
// once for both directions (usually the block's member MoveRecord). The bytes consumed or built;
// 0 for a refused received record, with a trace line under pszClass unless it is nullptr.
template <class B, class Walk>
int CData_MoveRecord(B& block, bool bParse, unsigned char* pRecord, size_t nSize, const char* pszClass,
                     Walk walk)
{
    if (!bParse)
    {
        CData_Record record(false, pRecord, nSize);
        std::invoke(walk, block, record);
        return record.Result();
    }
    B parsed(block);
    CData_Record record(true, pRecord, nSize);
    std::invoke(walk, parsed, record);
    if (!record.Ok())
    {
        if (pszClass)
            TraceLine(pszClass, "MoveBlock() Invalid record!");
        return 0;
    }
    block = parsed;
    return record.Result();
}

// The record modes of a block with one record layout: parsing and building walk the record
// (CData_MoveRecord), the request is the identifier nId and, when nIndex is not negative, the
// index (CData_Record::Request); every other mode goes to CData::MoveBlock.
template <class B, class Walk>
int CData_MoveRecordModes(B& block, int nMode, unsigned char* pRecord, size_t nSize, int nFlag,
                          const char* pszClass, int nId, int nIndex, Walk walk)
{
    switch (nMode)
    {
    case CData::MB_PARSE:
    case CData::MB_DATA:
        return CData_MoveRecord(block, nMode == CData::MB_PARSE, pRecord, nSize, pszClass, walk);
    case CData::MB_REQUEST:
        return CData_Record::Request(pRecord, nSize, nId, nIndex);
    default:
        return block.CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}

// The record modes of a command that is only sent: the data record is built through walk, a
// received record is never taken (0, with a trace line under pszClass), and every other mode goes
// to CData::MoveBlock.
template <class B, class Walk>
int CData_SendRecordModes(B& block, int nMode, unsigned char* pRecord, size_t nSize, int nFlag,
                          const char* pszClass, Walk walk)
{
    switch (nMode)
    {
    case CData::MB_PARSE:
        TraceLine(pszClass, "MoveBlock() Not implemented!");
        return 0;
    case CData::MB_DATA:
        return CData_MoveRecord(block, false, pRecord, nSize, pszClass, walk);
    default:
        return block.CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
