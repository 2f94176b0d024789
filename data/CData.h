#pragma once

// Base of every data block. A block knows its name (also its section in the configuration file),
// compares itself with a block of its kind, reads and writes its section through the one file
// store (MoveFile), and converts itself to and from the binary records of the telephone
// (MoveBlock).

#include <cstddef>
#include <string>

class CData_FileExRam;

class CData
{
public:
    // MoveBlock modes, shared with the transfer state machine.
    enum EMoveBlock
    {
        MB_PARSE = 0,    // parse a received record; gives the bytes consumed, 0 when not ours
        MB_DATA = 1,     // build the data record; gives its length
        MB_REQUEST = 2,  // build the request record; gives its length
        MB_PHONE = 3,    // build the data record as the telephone sends it, for blocks the program
                         // only receives (the telephone emulator); gives its length, 0 for others
        MB_END = 4,      // build the end record
        MB_TEST_ACK = 5, // test a received record for the acknowledgement
    };
    // Longest record exchanged with the telephone: one frame of the link.
    static constexpr size_t RECORD_MAX = 256;

    CData() = default;
    CData(const CData&) = default;
    CData& operator=(const CData&) = default;
    virtual ~CData();

    virtual bool operator==(const CData& other) const;
    virtual bool operator!=(const CData& other) const;
    // A new copy of the block; the base has none.
    virtual CData* NewDeepCopy() const;
    // bToFile 1 writes the block's section, 0 reads it; the store is open in the matching mode.
    // nVariant is a format variant (phonebook entries).
    virtual int MoveFile(int bToFile, int nVariant);
    // Converts one record. pRecord holds nSize bytes: the received length for MB_PARSE and
    // MB_TEST_ACK, the room available for the building modes. Nothing is read or written beyond.
    virtual int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag);
    virtual std::string InfoText(int nIndex) const;
    virtual void TraceInfo(int nCount) const;
    virtual int Transform();

    int Number() const { return m_nNumber; }
    const std::string& Name() const { return m_strName; }

    // The program's one configuration file store, shared by all blocks.
    static CData_FileExRam& File();

protected:
    // Names the block: kind word, "_" and the number as eight upper-case hex digits.
    void SetIndex(const char* pszKind, int nNumber);

private:
    int m_nNumber = 0;
    std::string m_strName = "CData";
};
