#pragma once

// The configuration file: sections of "key=value" lines under "[name]" headers.
//
// Writing streams each key out (a new header whenever the section changes). Reading loads the
// whole file once, cuts it into NUL-terminated lines in place and indexes the section headers;
// lookups are then answered from memory. One store serves all data blocks: the containers set the
// file name, open it, let every block read or write its own section, and close it.
//
// Instead of a file the store may read and write a byte buffer (UseBuffer): the containers then
// open and close it as they would a file, and the bytes are what the file would hold.
//
// There is no escaping: a value holding CR, "]" or LF CR cannot be read back whole, and of two
// headers with the same name only the first is found. Containers therefore write every section
// once and contiguously.

#include "data/CLst_StrPtr.h"
#include "data/CMap_StrPtr.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPlatform_SaveFile;

class CData_FileExRam
{
public:
    // Longest file name accepted. The system's own limit was MAX_PATH - 1; here it is the
    // platform's path limit.
#ifdef _WIN32
    static constexpr size_t FILE_NAME_MAX = 259;
#else
    static constexpr size_t FILE_NAME_MAX = 4095;
#endif
    // A configuration file is a few hundred kilobytes at most; anything much larger is not one
    // and is refused rather than loaded.
    static constexpr size_t FILE_SIZE_MAX = 256u * 1024u * 1024u;

    explicit CData_FileExRam(const char* pszFileName = "");
    ~CData_FileExRam();
    CData_FileExRam(const CData_FileExRam&) = delete;
    CData_FileExRam& operator=(const CData_FileExRam&) = delete;

    // 1; a name longer than FILE_NAME_MAX sets the empty name and gives 0. The store reads and
    // writes files again after a buffer.
    int SetFileName(const char* pszFileName);
    // 1 and the name; a destination smaller than FILE_NAME_MAX + 1 gets an empty text and 0.
    int GetFileName(char* pszDest, size_t nSize) const;
    const std::string& FileName() const
    {
        return m_strFileName;
    }

    // A byte buffer in place of the file, until the next SetFileName: Open(1) reads bytes (the
    // store keeps them), Open(0) starts a new buffer that Close leaves in Buffer(). The file name
    // becomes empty.
    void UseBuffer(std::string bytes = std::string());
    bool UsesBuffer() const
    {
        return m_bUseBuffer;
    }
    // The bytes of the buffer: those given, or those written by the last Open(0) and Close.
    const std::string& Buffer() const
    {
        return m_buffer;
    }

    // bRead: load the whole file for lookups; otherwise start writing a new file, which replaces
    // the old one only when Close succeeds (the old file stays intact until then). A file larger
    // than FILE_SIZE_MAX is refused by its size before it is read.
    int Open(int bRead);
    // Read mode over bytes already in memory (imports, tests, fuzzing); copies them.
    int OpenBuffer(const char* pData, size_t nSize);
    // 1; 0 when written data could not be stored completely (the previous file is kept).
    int Close();
    bool IsOpen() const
    {
        return m_bOpen;
    }
    // Reading: whether any section asked for since the file was loaded was in it; it stays so
    // after Close. A file without one reads as defaults throughout.
    bool AnySectionFound() const
    {
        return m_bAnySectionFound;
    }
    // The system's error number of the last failure to open, write or replace; 0 if none.
    int LastError() const
    {
        return m_nLastError;
    }

    int PutString(const char* pszSection, const char* pszKey, const char* pszValue);
    int PutStruct(const char* pszSection, const char* pszKey, const void* pData, size_t nCount);

    // 1 and the value when the key exists; else 0 and the default. The destination receives at
    // most nSize - 1 characters and a terminator, whatever the value's length.
    int GetString(const char* pszSection, const char* pszKey, const char* pszDefault, char* pszDest,
                  size_t nSize);
    int GetString(const char* pszSection, const char* pszKey, const char* pszDefault, std::string& dest);
    // 1 and exactly nCount bytes from the value on (NUL bytes included) when the key exists;
    // bytes beyond the end of the file read as 0. Else 0 and the destination unchanged.
    int GetStruct(const char* pszSection, const char* pszKey, void* pDest, size_t nCount);

private:
    // Bytes behind the loaded text that Load and the lookups may read whole: Load takes 64 bytes
    // and the one after them at a time, a lookup the first 32 bytes of a line.
    static constexpr size_t TEXT_PADDING = 65;
    // Makes m_pText, which has room for them, the nSize bytes from pSource (m_pText itself, or
    // the caller's), the closing byte and the padding, and indexes its lines.
    int Load(size_t nSize, const char* pSource);
    void WriteBytes(const void* pData, size_t nCount);
    void Flush();
    void WriteHeaderIfNew(const char* pszSection);
    void WriteValueText(const char* pszValue);
    void SelectSection(const char* pszSection, const char* pszOperation);
    void BuildKeyIndex();
    const char* FindValue(const char* pszKey);
    const char* FindSequential(const char* pszKey, size_t& nValue);
    // The value of a key and its length up to its terminator, or nullptr with the "default:" trace.
    const char* LookUp(const char* pszSection, const char* pszKey, const char* pszOperation, size_t& nValue);
    void FreeText();

    std::string m_strFileName;
    bool m_bUseBuffer = false;
    std::string m_buffer;
    std::unique_ptr<CPlatform_SaveFile> m_pSave; // write mode on a file; reading keeps no handle
    std::string m_out;                           // write mode: bytes not yet handed to the file
    bool m_bWriting = false;
    bool m_bOpen = false;
    bool m_bWriteFailed = false;
    int m_nLastError = 0;

    bool m_bSectionFound = false;
    bool m_bAnySectionFound = false;
    std::string m_strSection; // last written (write mode) or looked up (read mode); empty after Open
    // Read mode: the name of the current section as asked; the header's own in the text when it is
    // spelt the same, else m_strSection.
    const char* m_pszReadSection = "";

    // While reading: the whole file, one byte and the padding, in m_fileText when read from a
    // file, else in m_pBufferText.
    char* m_pText = nullptr;
    std::string m_fileText;
    std::unique_ptr<char[]> m_pBufferText;
    size_t m_nTextSize = 0; // the file and that byte
    std::unique_ptr<CLst_StrPtr> m_pLines;
    char* const* m_ppLines = nullptr; // its items and their count once loaded, for the lookups
    size_t m_nLines = 0;
    std::unique_ptr<CMap_StrPtr> m_pSections;
    size_t m_nSectionStart = 0; // first line of the current read section
    size_t m_nSectionEnd = 0;   // one past its last line

    // Keys of the current read section: open addressing over (line index + 1, key hash, length);
    // line 0 marks a free slot. Each key maps to its first line, so that duplicate keys resolve
    // as a scan from the section start would.
    struct CKeySlot
    {
        uint32_t nLine;
        uint32_t nHash;
        uint32_t nLen; // of the key
    };
    std::vector<CKeySlot> m_keyIndex;
    // Per line of the current section: the length of its key when the line is the first with that
    // key, else NO_KEY. Blocks read their keys in the order they wrote them, so the line after the
    // last one found usually answers the next lookup without hashing.
    static constexpr uint32_t NO_KEY = 0xFFFFFFFFu;
    std::vector<uint32_t> m_lineKey;
    size_t m_nCursor = 0; // the line after the last key found
    bool m_bKeysIndexed = false;
    bool m_bSequential = false; // a section was found and its keys are not indexed yet

    // Keys found in file order before the section's keys were indexed leave two bytes each set to
    // the section's visit number; a key whose two bytes both hold it may have been asked for
    // before, and the index decides. Numbering the visits spares clearing the table on every
    // change of section: it is cleared once in 255 visits.
    static constexpr size_t KEY_FILTER_SIZE = 4096; // a 60-key section: one false alarm in ~60
    uint8_t m_nKeyVisit = 0;
    uint8_t m_keyFilter[KEY_FILTER_SIZE] = {};
};
