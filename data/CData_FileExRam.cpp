#include "data/CData_FileExRam.h"

#include "platform/CPlatform_System.h"
#include "support/Trace.h"

#include <cerrno>
#include <cstring>

namespace
{
const char s_szClass[] = "CData_FileExRam";

// Starting sizes of the two indexes: room for a full configuration with its phonebook, so that
// an ordinary file never has to grow them.
constexpr size_t LINES_CAPACITY = 10000;
constexpr size_t LINES_GROW_BY = 5000;
constexpr size_t SECTIONS_CAPACITY = 500;
constexpr size_t SECTIONS_GROW_BY = 500;

// Buffer of the writer; the file is written in a few large pieces instead of four writes a key.
constexpr size_t WRITE_BUFFER = 64 * 1024;

// Word-at-a-time test for a byte value: nonzero when any byte of x equals the byte in n.
constexpr uint64_t ONES = 0x0101010101010101ULL;
constexpr uint64_t HIGHS = 0x8080808080808080ULL;
inline uint64_t HasByte(uint64_t x, uint64_t n)
{
    const uint64_t y = x ^ n;
    return (y - ONES) & ~y & HIGHS;
}

inline uint32_t HashKey(const char* p, size_t n)
{
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; ++i)
        h = (h ^ static_cast<unsigned char>(p[i])) * 16777619u;
    return h;
}
} // namespace

CData_FileExRam::CData_FileExRam(const char* pszFileName)
{
    SetFileName(pszFileName);
}

CData_FileExRam::~CData_FileExRam()
{
    Close();
}

int CData_FileExRam::SetFileName(const char* pszFileName)
{
    const size_t n = pszFileName ? std::strlen(pszFileName) : 0;
    if (n > FILE_NAME_MAX)
    {
        m_strFileName.clear();
        return 0;
    }
    m_strFileName.assign(pszFileName ? pszFileName : "", n);
    return 1;
}

int CData_FileExRam::GetFileName(char* pszDest, size_t nSize) const
{
    if (!pszDest || nSize == 0)
        return 0;
    if (nSize < FILE_NAME_MAX + 1)
    {
        pszDest[0] = '\0';
        return 0;
    }
    std::memcpy(pszDest, m_strFileName.c_str(), m_strFileName.size() + 1);
    return 1;
}

int CData_FileExRam::Open(int bRead)
{
    TraceLine(s_szClass, "Open() ", m_strFileName.c_str());
    if (m_bOpen)
        return 0;
    m_nLastError = 0;
    m_bWriteFailed = false;

    if (!bRead)
    {
        // Write beside the target and replace it at Close, so that a failed or interrupted save
        // never destroys the previous file.
        m_strTempName = m_strFileName + ".~tmp";
        m_pFile = m_strFileName.empty() ? nullptr : std::fopen(m_strTempName.c_str(), "wb");
        if (!m_pFile)
        {
            m_nLastError = m_strFileName.empty() ? ENOENT : PlatformLastError();
            TraceLine(s_szClass, "Open() fails!");
            return 0;
        }
        std::setvbuf(m_pFile, nullptr, _IOFBF, WRITE_BUFFER);
        m_strSection.clear();
        m_bOpen = true;
        return 1;
    }

    std::FILE* pFile = m_strFileName.empty() ? nullptr : std::fopen(m_strFileName.c_str(), "rb");
    if (!pFile)
    {
        m_nLastError = m_strFileName.empty() ? ENOENT : PlatformLastError();
        TraceLine(s_szClass, "Open() fails!");
        return 0;
    }
    // Read the whole file in one go, growing only if it was longer than it said.
    std::string content;
    if (std::fseek(pFile, 0, SEEK_END) == 0)
    {
        const long n = std::ftell(pFile);
        if (n > 0 && static_cast<unsigned long>(n) <= FILE_SIZE_MAX)
            content.reserve(static_cast<size_t>(n));
        std::fseek(pFile, 0, SEEK_SET);
    }
    char chunk[64 * 1024];
    bool bOk = true;
    for (;;)
    {
        const size_t got = std::fread(chunk, 1, sizeof chunk, pFile);
        content.append(chunk, got);
        if (content.size() > FILE_SIZE_MAX)
        {
            m_nLastError = EFBIG;
            bOk = false;
            break;
        }
        if (got < sizeof chunk)
        {
            if (std::ferror(pFile))
            {
                m_nLastError = PlatformLastError();
                bOk = false;
            }
            break;
        }
    }
    std::fclose(pFile);
    if (!bOk)
    {
        TraceLine(s_szClass, "Open() fails!");
        return 0;
    }
    return OpenBuffer(content.data(), content.size());
}

int CData_FileExRam::OpenBuffer(const char* pData, size_t nSize)
{
    if (m_bOpen || nSize > FILE_SIZE_MAX)
        return 0;
    m_pText.reset(new char[nSize + 1]);
    if (nSize)
        std::memcpy(m_pText.get(), pData, nSize);
    m_nTextSize = nSize + 1;
    m_strSection.clear();
    m_bSectionFound = false;
    m_bOpen = true;
    return Load(nSize);
}

int CData_FileExRam::Load(size_t nSize)
{
    char* const pText = m_pText.get();
    // The extra byte ends the last line even when the file does not.
    pText[nSize] = '\r';
    m_pLines = std::make_unique<CLst_StrPtr>(LINES_CAPACITY, LINES_GROW_BY);
    m_pSections = std::make_unique<CMap_StrPtr>(SECTIONS_CAPACITY, SECTIONS_GROW_BY);

    const uint64_t cr = ONES * '\r';
    const uint64_t lf = ONES * '\n';
    const uint64_t br = ONES * ']';
    char* p = pText;
    char* const pEnd = pText + nSize + 1;
    bool bLineStart = true;
    while (p < pEnd)
    {
        if (!bLineStart)
        {
            // Inside a line only CR, "]" and LF matter: skip everything else a word at a time.
            while (pEnd - p >= 8)
            {
                uint64_t w;
                std::memcpy(&w, p, 8);
                if (HasByte(w, cr) | HasByte(w, lf) | HasByte(w, br))
                    break;
                p += 8;
            }
            while (p < pEnd && *p != '\r' && *p != '\n' && *p != ']')
                ++p;
            if (p == pEnd)
                break;
        }
        const char c = *p;
        if (c == '\r' || c == ']')
        {
            *p = '\0';
            bLineStart = true;
        }
        else if (c == '\n')
        {
            // LF ends a line only when CR follows (the pair LF CR); a lone LF belongs to the line.
            if (p + 1 < pEnd && p[1] == '\r')
            {
                *p = '\0';
                bLineStart = true;
            }
        }
        else if (bLineStart)
        {
            m_pLines->Add(p);
            bLineStart = false;
            if (c == '[')
                m_pSections->Add(p + 1, static_cast<int>(m_pLines->Count()));
        }
        ++p;
    }
    return 1;
}

void CData_FileExRam::FreeText()
{
    m_pLines.reset();
    m_pSections.reset();
    m_pText.reset();
    m_nTextSize = 0;
    m_keyIndex.clear();
    m_bSectionFound = false;
    m_nSectionStart = m_nSectionEnd = m_nScanPos = 0;
}

int CData_FileExRam::Close()
{
    TraceLine(s_szClass, "Close()");
    int nResult = 1;
    if (m_pFile)
    {
        if (std::ferror(m_pFile) || !PlatformSyncFile(m_pFile))
        {
            m_bWriteFailed = true;
            if (!m_nLastError)
                m_nLastError = PlatformLastError();
        }
        if (std::fclose(m_pFile) != 0 && !m_bWriteFailed)
        {
            m_bWriteFailed = true;
            m_nLastError = PlatformLastError();
        }
        m_pFile = nullptr;
        int nError = 0;
        if (m_bWriteFailed || !PlatformReplaceFile(m_strTempName.c_str(), m_strFileName.c_str(), nError))
        {
            if (nError)
                m_nLastError = nError;
            std::remove(m_strTempName.c_str());
            TraceLine(s_szClass, "Close() fails!");
            nResult = 0;
        }
        m_strTempName.clear();
    }
    if (m_pText)
        FreeText();
    m_bOpen = false;
    return nResult;
}

void CData_FileExRam::WriteBytes(const void* pData, size_t nCount)
{
    if (nCount && std::fwrite(pData, 1, nCount, m_pFile) != nCount && !m_bWriteFailed)
    {
        m_bWriteFailed = true;
        m_nLastError = PlatformLastError();
    }
}

void CData_FileExRam::WriteHeaderIfNew(const char* pszSection)
{
    if (m_strSection == pszSection)
        return;
    m_strSection = pszSection;
    WriteBytes("\r\n[", 3);
    WriteBytes(pszSection, std::strlen(pszSection));
    WriteBytes("]\r\n", 3);
}

int CData_FileExRam::PutString(const char* pszSection, const char* pszKey, const char* pszValue)
{
    if (!m_pFile)
    {
        TraceLine(s_szClass, "PutString() File not opened!");
        return 0;
    }
    WriteHeaderIfNew(pszSection ? pszSection : "");
    WriteBytes(pszKey, pszKey ? std::strlen(pszKey) : 0);
    WriteBytes("=", 1);
    WriteBytes(pszValue, pszValue ? std::strlen(pszValue) : 0);
    WriteBytes("\r\n", 2);
    return 1;
}

int CData_FileExRam::PutStruct(const char* pszSection, const char* pszKey, const void* pData, size_t nCount)
{
    if (!m_pFile)
    {
        TraceLine(s_szClass, "PutStruct() File not opened!");
        return 0;
    }
    WriteHeaderIfNew(pszSection ? pszSection : "");
    WriteBytes(pszKey, pszKey ? std::strlen(pszKey) : 0);
    WriteBytes("=", 1);
    WriteBytes(pData, pData ? nCount : 0);
    WriteBytes("\r\n", 2);
    return 1;
}

bool CData_FileExRam::SelectSection(const char* pszSection, const char* pszOperation)
{
    if (m_strSection == pszSection)
        return m_bSectionFound;
    m_strSection = pszSection;
    m_keyIndex.clear();
    const int nStart = m_pSections ? m_pSections->Find(pszSection) : -1;
    m_bSectionFound = nStart >= 0;
    if (!m_bSectionFound)
    {
        if (TraceIsOn())
        {
            const std::string text = std::string(pszOperation) + "() Section not found: ";
            TraceLine(s_szClass, text.c_str(), pszSection);
        }
        return false;
    }
    m_nSectionStart = static_cast<size_t>(nStart);
    BuildKeyIndex();
    return true;
}

void CData_FileExRam::BuildKeyIndex()
{
    // The section runs up to the next line that begins with "[", or to the last line.
    const size_t nCount = m_pLines->Count();
    size_t nEnd = m_nSectionStart;
    while (nEnd < nCount && m_pLines->Get(nEnd)[0] != '[')
        ++nEnd;
    m_nSectionEnd = nEnd;

    size_t nSlots = 16;
    while (nSlots < 2 * (nEnd - m_nSectionStart))
        nSlots *= 2;
    m_keyIndex.assign(nSlots, 0);
    const size_t nMask = nSlots - 1;
    for (size_t i = m_nSectionStart; i < nEnd; ++i)
    {
        const char* pLine = m_pLines->Get(i);
        const char* pEq = std::strchr(pLine, '=');
        if (!pEq)
            continue;
        const size_t nLen = static_cast<size_t>(pEq - pLine);
        for (size_t h = HashKey(pLine, nLen) & nMask;; h = (h + 1) & nMask)
        {
            const uint32_t nSlot = m_keyIndex[h];
            if (nSlot == 0)
            {
                m_keyIndex[h] = static_cast<uint32_t>(i + 1);
                break;
            }
            const char* pOther = m_pLines->Get(nSlot - 1);
            if (std::strncmp(pOther, pLine, nLen) == 0 && pOther[nLen] == '=')
                break; // an earlier line already holds this key
        }
    }
}

const char* CData_FileExRam::FindValue(const char* pszKey)
{
    const size_t nLen = std::strlen(pszKey);
    if (std::memchr(pszKey, '=', nLen))
    {
        // A key with "=" in it can match in the middle of a value; only a plain scan knows.
        for (size_t i = m_nSectionStart; i < m_nSectionEnd; ++i)
        {
            const char* pLine = m_pLines->Get(i);
            if (std::strncmp(pLine, pszKey, nLen) == 0 && pLine[nLen] == '=')
            {
                m_nScanPos = i;
                return pLine + nLen + 1;
            }
        }
        return nullptr;
    }
    if (m_keyIndex.empty())
        return nullptr;
    const size_t nMask = m_keyIndex.size() - 1;
    for (size_t h = HashKey(pszKey, nLen) & nMask;; h = (h + 1) & nMask)
    {
        const uint32_t nSlot = m_keyIndex[h];
        if (nSlot == 0)
            return nullptr;
        const char* pLine = m_pLines->Get(nSlot - 1);
        if (std::strncmp(pLine, pszKey, nLen) == 0 && pLine[nLen] == '=')
        {
            m_nScanPos = nSlot - 1;
            return pLine + nLen + 1;
        }
    }
}

int CData_FileExRam::GetString(const char* pszSection, const char* pszKey, const char* pszDefault,
                               char* pszDest, size_t nSize)
{
    if (!m_bOpen)
    {
        TraceLine(s_szClass, "GetString() File not opened!");
        return 0;
    }
    std::string value;
    const int nFound = GetString(pszSection, pszKey, pszDefault, value);
    if (pszDest && nSize)
    {
        const size_t n = value.size() < nSize - 1 ? value.size() : nSize - 1;
        std::memcpy(pszDest, value.data(), n);
        pszDest[n] = '\0';
    }
    return nFound;
}

int CData_FileExRam::GetString(const char* pszSection, const char* pszKey, const char* pszDefault,
                               std::string& dest)
{
    if (!m_bOpen)
    {
        TraceLine(s_szClass, "GetString() File not opened!");
        return 0;
    }
    if (!pszSection)
        pszSection = "";
    if (!pszKey)
        pszKey = "";
    if (SelectSection(pszSection, "GetString"))
    {
        if (const char* pValue = FindValue(pszKey))
        {
            dest.assign(pValue);
            return 1;
        }
    }
    dest.assign(pszDefault ? pszDefault : "");
    TraceLine(s_szClass, pszSection, " GetString() default: ", pszKey);
    return 0;
}

int CData_FileExRam::GetStruct(const char* pszSection, const char* pszKey, void* pDest, size_t nCount)
{
    if (!m_bOpen)
    {
        TraceLine(s_szClass, "GetStruct() File not opened!");
        return 0;
    }
    if (!pszSection)
        pszSection = "";
    if (!pszKey)
        pszKey = "";
    if (SelectSection(pszSection, "GetStruct"))
    {
        if (const char* pValue = FindValue(pszKey))
        {
            // The value is binary and may hold NUL bytes: take nCount bytes, as far as the loaded
            // text reaches, and zeros beyond it.
            const size_t nOffset = static_cast<size_t>(pValue - m_pText.get());
            const size_t nAvail = m_nTextSize - nOffset;
            const size_t n = nCount < nAvail ? nCount : nAvail;
            if (pDest)
            {
                std::memcpy(pDest, pValue, n);
                std::memset(static_cast<char*>(pDest) + n, 0, nCount - n);
            }
            return 1;
        }
    }
    TraceLine(s_szClass, pszSection, " GetStruct() default: ", pszKey);
    return 0;
}
