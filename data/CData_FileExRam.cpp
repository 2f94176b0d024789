#include "data/CData_FileExRam.h"

#include "platform/CPlatform_SaveFile.h"
#include "platform/CPlatform_System.h"
#include "support/Trace.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
const char s_szClass[] = "CData_FileExRam";

// Starting sizes of the two indexes: room for a full configuration with its phonebook, so that
// an ordinary file never has to grow them. A larger file gets room for a line in every 16 bytes
// and a section in every 64 (a configuration has about 20 and 300); a file with more grows them
// once, by what the rest of it can hold.
constexpr size_t LINES_CAPACITY = 10000;
constexpr size_t LINES_GROW_BY = 5000;
constexpr size_t LINE_BYTES_TYPICAL = 16;
constexpr size_t SECTIONS_CAPACITY = 500;
constexpr size_t SECTIONS_GROW_BY = 500;
constexpr size_t SECTION_BYTES_TYPICAL = 64;

// Buffer of the writer; the file is written in a few large pieces instead of four writes a key.
constexpr size_t WRITE_BUFFER = 64 * 1024;

// Hash of n bytes, a word at a time: keys are short, and this runs for every key line of a section
// and every lookup.
inline uint32_t HashBytes(const char* p, size_t n)
{
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ n;
    for (; n >= 8; p += 8, n -= 8)
    {
        uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    if (n)
    {
        uint64_t w = 0;
        std::memcpy(&w, p, n);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    // Every bit of every word into every bit of the hash, so that keys differing only in their last
    // bytes ("Key0" to "Key9") do not cluster in the index.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    return static_cast<uint32_t>(h ^ (h >> 33));
}

// Length of a text inside the loaded text, found 16 bytes at a time (the padding behind the text
// makes whole reads safe).
inline size_t TextLength(const char* p)
{
#if defined(__SSE2__)
    const __m128i nul = _mm_setzero_si128();
    for (size_t n = 0;; n += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, nul)));
        if (mask)
            return n + static_cast<size_t>(__builtin_ctz(mask));
    }
#else
    return std::strlen(p);
#endif
}

// Eight bytes from p as one word.
inline uint64_t Word(const char* p)
{
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Keys up to this length are matched at the cursor without a loop; nearly every key of a
// configuration is shorter (the longest are 24 bytes). The line is read up to this many bytes from
// its start, which the padding behind the text covers.
constexpr size_t LINE_WINDOW = 32;

// Bit i set where p[i] is "=", for the 16 bytes from p.
inline uint32_t EqualSigns(const char* p)
{
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('='))));
#else
    uint32_t nBits = 0;
    for (size_t i = 0; i < 16; ++i)
        nBits |= uint32_t(p[i] == '=') << i;
    return nBits;
#endif
}

// Whether the line's key is the n bytes of pszKey (1 <= n < LINE_WINDOW, no NUL among them): the
// bytes are the same and the line's first "=" follows them. nSig is then a fingerprint of the key
// for the filter of keys already found; it covers every byte, because keys of one length often
// differ only in the middle or in the last byte. The key is read within its n bytes.
inline bool MatchLineKey(const char* pszKey, size_t n, const char* pLine, uint64_t& nSig)
{
    uint64_t nDiff;
    uint64_t nMix;
    uint32_t nEq = EqualSigns(pLine);
    if (n >= 8)
    {
        // Words at 0 and n - 8, and for keys of 16 bytes or more at 8 and 16 (moved back to n - 8
        // where the key ends before) and the line's "=" signs beyond its first 16 bytes:
        // overlapping words compare the same bytes twice, never bytes beyond the key.
        const size_t nLast = n - 8;
        const uint64_t k0 = Word(pszKey);
        const uint64_t k3 = Word(pszKey + nLast);
        nDiff = (k0 ^ Word(pLine)) | (k3 ^ Word(pLine + nLast));
        nMix = k0 ^ (k3 << 32 | k3 >> 32);
        if (n >= 16)
        {
            nEq |= EqualSigns(pLine + 16) << 16;
            const size_t nThird = nLast < 16 ? nLast : 16;
            const uint64_t k1 = Word(pszKey + 8);
            const uint64_t k2 = Word(pszKey + nThird);
            nDiff |= (k1 ^ Word(pLine + 8)) | (k2 ^ Word(pLine + nThird));
            nMix ^= (k1 << 16 | k1 >> 48) ^ (k2 << 48 | k2 >> 16);
        }
    }
    else if (n >= 4)
    {
        uint32_t nLow;
        uint32_t nHigh;
        uint32_t nLineLow;
        uint32_t nLineHigh;
        std::memcpy(&nLow, pszKey, 4);
        std::memcpy(&nHigh, pszKey + n - 4, 4);
        std::memcpy(&nLineLow, pLine, 4);
        std::memcpy(&nLineHigh, pLine + n - 4, 4);
        nDiff = (nLow ^ nLineLow) | (nHigh ^ nLineHigh);
        nMix = uint64_t(nLow) | uint64_t(nHigh) << 32;
    }
    else
    {
        const auto* k = reinterpret_cast<const unsigned char*>(pszKey);
        const auto* l = reinterpret_cast<const unsigned char*>(pLine);
        nDiff = uint64_t(k[0] ^ l[0]) | uint64_t(k[n / 2] ^ l[n / 2]) | uint64_t(k[n - 1] ^ l[n - 1]);
        nMix = uint64_t(k[0]) | uint64_t(k[n / 2]) << 8 | uint64_t(k[n - 1]) << 16;
    }
    // The key's bytes hold no NUL, so neither do the line's: its key ends at its first "=", which
    // must be the byte after them.
    const uint32_t nBit = uint32_t(1) << n;
    if (nDiff | ((nEq & (2 * nBit - 1)) ^ nBit))
        return false;
    // The filter takes its positions from the top bits of the product, which every byte of the key
    // reaches.
    nSig = (nMix ^ n) * 0xFF51AFD7ED558CCDULL;
    return true;
}

// Length of the key of a line inside the loaded text: the bytes before its first "=" or its
// terminator. The text has padding behind it, so whole words may be read past the terminator.
inline size_t LineKeyLength(const char* p)
{
#if defined(__SSE2__)
    const __m128i eq = _mm_set1_epi8('=');
    const __m128i nul = _mm_setzero_si128();
    for (size_t n = 0;; n += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n));
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, eq), _mm_cmpeq_epi8(v, nul))));
        if (mask)
            return n + static_cast<size_t>(__builtin_ctz(mask));
    }
#else
    return std::strcspn(p, "=");
#endif
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
    m_bUseBuffer = false;
    m_buffer.clear();
    const size_t n = pszFileName ? std::strlen(pszFileName) : 0;
    if (n > FILE_NAME_MAX)
    {
        m_strFileName.clear();
        return 0;
    }
    m_strFileName.assign(pszFileName ? pszFileName : "", n);
    return 1;
}

void CData_FileExRam::UseBuffer(std::string bytes)
{
    m_bUseBuffer = true;
    m_buffer = std::move(bytes);
    m_strFileName.clear();
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
        m_out.clear();
        if (!m_bUseBuffer)
        {
            // Written beside the target and renamed over it at Close, so that a failed or
            // interrupted save never destroys the previous file.
            m_pSave = std::make_unique<CPlatform_SaveFile>(m_strFileName);
            if (!m_pSave->Open())
            {
                m_nLastError = m_pSave->Error();
                m_pSave.reset();
                TraceLine(s_szClass, "Open() fails!");
                return 0;
            }
            m_out.reserve(WRITE_BUFFER);
        }
        m_strSection.clear();
        m_bWriting = true;
        m_bOpen = true;
        return 1;
    }

    if (m_bUseBuffer)
        return OpenBuffer(m_buffer.data(), m_buffer.size());
    // Read straight into the text with room for what Load puts behind it; a file over the limit is
    // refused by its size, before a byte is read.
    if (!PlatformReadFile(m_strFileName.c_str(), FILE_SIZE_MAX, 1 + TEXT_PADDING, m_fileText, m_nLastError))
    {
        m_fileText = std::string();
        TraceLine(s_szClass, "Open() fails!");
        return 0;
    }
    const size_t nSize = m_fileText.size();
    m_fileText.resize(nSize + 1 + TEXT_PADDING, '\0');
    m_pText = &m_fileText[0];
    return Load(nSize, m_pText);
}

int CData_FileExRam::OpenBuffer(const char* pData, size_t nSize)
{
    if (m_bOpen || nSize > FILE_SIZE_MAX)
        return 0;
    // Bytes of the caller are copied as the scan passes over them, into a buffer that is not
    // cleared first: one pass over the memory instead of three, which counts once the text no
    // longer fits the caches.
    m_pBufferText.reset(new char[nSize + 1 + TEXT_PADDING]);
    m_pText = m_pBufferText.get();
    return Load(nSize, nSize ? pData : m_pText);
}

namespace
{
// Bytes the block scan of Load takes at a time: one bit each in a word.
constexpr size_t BLOCK = 64;

// The bytes of one block that end a line, and the lone LFs, as bits (bit i for p[i]): CR and "]"
// end a line, and so does an LF directly followed by CR; any other LF belongs to its line. The
// terminators are replaced by NUL as they are found. The byte after the block is read, not
// changed.
struct CBlockBits
{
    uint64_t nEnds;
    uint64_t nLoneLf;
};

// The block is read from pSource and written, terminators replaced, to pDest: the same place when
// the text is scanned where it lies, the text buffer when the bytes come from elsewhere.
inline CBlockBits ScanBlock(const char* pSource, char* pDest)
{
    CBlockBits bits{0, 0};
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i br = _mm_set1_epi8(']');
    for (size_t i = 0; i < BLOCK; i += 16)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSource + i));
        const __m128i crNext =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pSource + i + 1)), cr);
        const __m128i isLf = _mm_cmpeq_epi8(v, lf);
        const __m128i ends = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, br)),
                                          _mm_and_si128(isLf, crNext));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDest + i), _mm_andnot_si128(ends, v));
        bits.nEnds |= uint64_t(static_cast<uint32_t>(_mm_movemask_epi8(ends))) << i;
        bits.nLoneLf |= uint64_t(static_cast<uint32_t>(_mm_movemask_epi8(_mm_andnot_si128(crNext, isLf))))
                        << i;
    }
#else
    for (size_t i = 0; i < BLOCK; ++i)
    {
        const char c = pSource[i];
        pDest[i] = c;
        if (c == '\r' || c == ']' || (c == '\n' && pSource[i + 1] == '\r'))
        {
            bits.nEnds |= uint64_t(1) << i;
            pDest[i] = '\0';
        }
        else if (c == '\n')
            bits.nLoneLf |= uint64_t(1) << i;
    }
#endif
    return bits;
}

// Asks for the bytes that the scan takes 2 KiB further on, and for their place in the text: the
// processor's own prefetch falls behind on a text larger than its caches, whose load then took
// over twice as long per byte as that of a small one.
constexpr size_t PREFETCH_FROM = 256 * 1024; // bytes; a configuration of its own stays below
inline void PrefetchAhead(const char* pFrom, const char* pTo)
{
#if defined(__GNUC__)
    constexpr size_t AHEAD = 2048;
    __builtin_prefetch(pFrom + AHEAD);
    __builtin_prefetch(pTo + AHEAD, 1);
#else
    (void)pFrom;
    (void)pTo;
#endif
}

// How many of the bytes from p to pEnd are a or b. Only for files with more lines or sections than
// the lists were given room for at first, so that they grow once, to what the rest can hold.
size_t CountBytes(const char* p, const char* pEnd, char a, char b)
{
    size_t n = 0;
#if defined(__SSE2__)
    // Each byte of the sum counts down once per match; it is added up before it can wrap.
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    while (pEnd - p >= 16)
    {
        __m128i sum = _mm_setzero_si128();
        for (int i = 0; i < 255 && pEnd - p >= 16; ++i, p += 16)
        {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            sum = _mm_sub_epi8(sum, _mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)));
        }
        const __m128i total = _mm_sad_epu8(sum, _mm_setzero_si128());
        n += static_cast<size_t>(_mm_cvtsi128_si32(total)) +
             static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(total, 8)));
    }
#endif
    for (; p < pEnd; ++p)
        n += (*p == a) | (*p == b);
    return n;
}
} // namespace

int CData_FileExRam::Load(size_t nSize, const char* pSource)
{
    m_nTextSize = nSize + 1;
    m_strSection.clear();
    m_pszReadSection = "";
    m_bSectionFound = false;
    m_bSequential = false;
    m_bAnySectionFound = false;
    m_bOpen = true;

    // The text is scanned from pSource, block by block, into m_pText (where pSource may already
    // be). The extra byte ends the last line even when the file does not; zeros behind it let the
    // scan read whole blocks. The scan reads a block and the byte after it: the last bytes of a
    // source without that room are put in place first and scanned there.
    char* const pText = m_pText;
    const size_t nFromSource = pSource == pText || nSize < BLOCK + 1 ? 0 : (nSize - 1) / BLOCK * BLOCK;
    if (pSource != pText)
        std::memcpy(pText + nFromSource, pSource + nFromSource, nSize - nFromSource);
    pText[nSize] = '\r';
    std::memset(pText + nSize + 1, 0, TEXT_PADDING);
    // Room from the start saves copying the lists as they grow; unused room is only address space.
    m_pLines =
        std::make_unique<CLst_StrPtr>(std::max(LINES_CAPACITY, nSize / LINE_BYTES_TYPICAL), LINES_GROW_BY);
    m_pSections = std::make_unique<CMap_StrPtr>(std::max(SECTIONS_CAPACITY, nSize / SECTION_BYTES_TYPICAL),
                                                SECTIONS_GROW_BY);
    CLst_StrPtr& lines = *m_pLines;
    CMap_StrPtr& sections = *m_pSections;

    // A line begins at the first byte that neither ends a line nor is a lone LF, after a byte that
    // ends one (or at the start of the file): lone LFs between the two change nothing. Block by
    // block, the line starts are found for all 64 bytes at once.
    const char* const pEnd = pText + nSize + 1;
    // How many bytes from nOffset on are a or b, before they are scanned.
    auto CountRest = [&](size_t nOffset, char a, char b)
    {
        size_t n = 0;
        if (nOffset < nFromSource)
        {
            n = CountBytes(pSource + nOffset, pSource + nFromSource, a, b);
            nOffset = nFromSource;
        }
        return n + CountBytes(pText + nOffset, pEnd, a, b);
    };
    bool bLineStart = true;
    const bool bPrefetch = nSize > PREFETCH_FROM;
    for (char* p = pText; p < pEnd; p += BLOCK)
    {
        const size_t nOffset = static_cast<size_t>(p - pText);
        const char* const pFrom = nOffset < nFromSource ? pSource + nOffset : p;
        const size_t nBytes = std::min(BLOCK, static_cast<size_t>(pEnd - p));
        const uint64_t nValid = nBytes == BLOCK ? ~uint64_t(0) : (uint64_t(1) << nBytes) - 1;
        if (bPrefetch)
            PrefetchAhead(pFrom, p);
        const CBlockBits bits = ScanBlock(pFrom, p);
        const uint64_t nEnds = bits.nEnds & nValid;
        const uint64_t nLoneLf = bits.nLoneLf & nValid;
        const uint64_t nOther = nValid & ~(nEnds | nLoneLf);
        // The bytes after a line end (and the first, when a line start is due): where a run of lone
        // LFs follows, the addition carries the due start to the byte after the run.
        const uint64_t nDue = nEnds << 1 | (bLineStart ? 1 : 0);
        const uint64_t nCarried = ((nDue & nLoneLf) + nLoneLf) & ~nLoneLf;
        uint64_t nStarts = (nDue | nCarried) & nOther;
        // A line start is due after the block when its last byte that is no lone LF ends a line.
        const uint64_t nDecisive = nEnds | nOther;
        if (nDecisive)
            bLineStart = (nEnds >> (63 - __builtin_clzll(nDecisive))) & 1;

        if (lines.Capacity() - lines.Count() < BLOCK)
            lines.Reserve(lines.Count() + BLOCK + 1 + CountRest(nOffset + BLOCK, '\r', ']'));
        if (bPrefetch)
        {
            lines.PrefetchRoom();
            sections.PrefetchRoom();
        }
        for (; nStarts; nStarts &= nStarts - 1)
        {
            char* const pLine = p + __builtin_ctzll(nStarts);
            lines.Add(pLine);
            if (*pLine == '[')
            {
                if (sections.Count() == sections.Capacity())
                    sections.Reserve(sections.Count() +
                                     CountRest(static_cast<size_t>(pLine - pText), '[', '['));
                sections.Add(pLine + 1, static_cast<int>(lines.Count()));
            }
        }
    }
    m_ppLines = lines.Items();
    m_nLines = lines.Count();
    return 1;
}

void CData_FileExRam::FreeText()
{
    m_pLines.reset();
    m_ppLines = nullptr;
    m_nLines = 0;
    m_pSections.reset();
    m_fileText = std::string();
    m_pBufferText.reset();
    m_pText = nullptr;
    m_nTextSize = 0;
    m_keyIndex.clear();
    m_lineKey.clear();
    m_bKeysIndexed = false;
    m_bSectionFound = false;
    m_bSequential = false;
    m_pszReadSection = ""; // it may point into the text
    m_nSectionStart = m_nSectionEnd = m_nCursor = 0;
}

int CData_FileExRam::Close()
{
    TraceLine(s_szClass, "Close()");
    int nResult = 1;
    if (m_bWriting)
    {
        if (m_pSave)
        {
            Flush();
            if (m_bWriteFailed || !m_pSave->Commit())
            {
                if (!m_bWriteFailed)
                    m_nLastError = m_pSave->Error();
                m_pSave->Discard();
                TraceLine(s_szClass, "Close() fails!");
                nResult = 0;
            }
            m_pSave.reset();
            m_out = std::string();
        }
        else
        {
            m_buffer.swap(m_out);
            m_out.clear();
        }
        m_bWriting = false;
    }
    if (m_nTextSize)
        FreeText();
    m_bOpen = false;
    return nResult;
}

void CData_FileExRam::Flush()
{
    if (!m_out.empty() && !m_bWriteFailed && !m_pSave->Write(m_out.data(), m_out.size()))
    {
        m_bWriteFailed = true;
        m_nLastError = m_pSave->Error();
    }
    m_out.clear();
}

void CData_FileExRam::WriteBytes(const void* pData, size_t nCount)
{
    if (nCount)
        m_out.append(static_cast<const char*>(pData), nCount);
    if (m_pSave && m_out.size() >= WRITE_BUFFER)
        Flush();
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
    if (!m_bWriting)
    {
        TraceLine(s_szClass, "PutString() File not opened!");
        return 0;
    }
    WriteHeaderIfNew(pszSection ? pszSection : "");
    WriteBytes(pszKey, pszKey ? std::strlen(pszKey) : 0);
    WriteBytes("=", 1);
    WriteValueText(pszValue ? pszValue : "");
    WriteBytes("\r\n", 2);
    return 1;
}

void CData_FileExRam::WriteValueText(const char* pszValue)
{
    // The file has no escaping: CR and "]" end a line, and so does an LF right before the CR LF
    // that closes the value. Written as they stand, a name such as "Office [2]" would come back
    // cut short with the rest as a line of its own (a key of its own when it holds "="). Such
    // bytes are written as the nearest harmless ones instead, so the rest of the value and every
    // key after it survive.
    const size_t nLen = std::strlen(pszValue);
    if (!std::strpbrk(pszValue, "\r]") && (nLen == 0 || pszValue[nLen - 1] != '\n'))
    {
        WriteBytes(pszValue, nLen);
        return;
    }
    std::string text(pszValue, nLen);
    for (char& c : text)
    {
        if (c == ']')
            c = ')';
        else if (c == '\r')
            c = ' ';
    }
    if (text.back() == '\n')
        text.back() = ' ';
    TraceLine(s_szClass, "PutString() line bytes in value replaced: ", text.c_str());
    WriteBytes(text.data(), text.size());
}

int CData_FileExRam::PutStruct(const char* pszSection, const char* pszKey, const void* pData, size_t nCount)
{
    if (!m_bWriting)
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

// Out of the lookup's path: a change of section comes once for many keys.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
void CData_FileExRam::SelectSection(const char* pszSection, const char* pszOperation)
{
    m_keyIndex.clear();
    m_bKeysIndexed = false;
    const int nStart = m_pSections ? m_pSections->FindNext(pszSection) : -1;
    m_bSectionFound = nStart >= 0;
    m_bSequential = m_bSectionFound;
    m_bAnySectionFound = m_bAnySectionFound || m_bSectionFound;
    // The name the next lookups are compared with: the header's own when it is spelt as asked, so
    // that nothing is copied; else a copy of the name asked for.
    const char* const pszHeader = m_bSectionFound ? m_ppLines[nStart - 1] + 1 : nullptr;
    if (pszHeader && std::strcmp(pszHeader, pszSection) == 0)
        m_pszReadSection = pszHeader;
    else
    {
        m_strSection = pszSection;
        m_pszReadSection = m_strSection.c_str();
    }
    if (!m_bSectionFound)
    {
        m_nSectionStart = m_nSectionEnd = m_nCursor = 0;
        m_lineKey.clear();
        if (TraceIsOn())
        {
            const std::string text = std::string(pszOperation) + "() Section not found: ";
            TraceLine(s_szClass, text.c_str(), pszSection);
        }
        return;
    }
    m_nSectionStart = static_cast<size_t>(nStart);
    m_nSectionEnd = m_nSectionStart;
    m_nCursor = m_nSectionStart;
    if (++m_nKeyVisit == 0)
    {
        std::memset(m_keyFilter, 0, sizeof m_keyFilter);
        m_nKeyVisit = 1;
    }
}

void CData_FileExRam::BuildKeyIndex()
{
    // The section runs up to the next line that begins with "[", or to the last line.
    const size_t nCount = m_pLines->Count();
    size_t nEnd = m_nSectionStart;
    while (nEnd < nCount && m_pLines->Get(nEnd)[0] != '[')
        ++nEnd;
    m_nSectionEnd = nEnd;
    m_bKeysIndexed = true;
    m_bSequential = false;
    if (nEnd == m_nSectionStart)
    {
        // An empty section (a file of nothing but headers has a million of them) needs no index.
        m_keyIndex.clear();
        m_lineKey.clear();
        return;
    }

    size_t nSlots = 16;
    while (nSlots < 2 * (nEnd - m_nSectionStart))
        nSlots *= 2;
    m_keyIndex.assign(nSlots, CKeySlot{0, 0, 0});
    m_lineKey.assign(nEnd - m_nSectionStart, NO_KEY);
    const size_t nMask = nSlots - 1;
    for (size_t i = m_nSectionStart; i < nEnd; ++i)
    {
        const char* pLine = m_pLines->Get(i);
        const size_t nLen = LineKeyLength(pLine);
        if (pLine[nLen] != '=')
            continue; // no key on this line
        const uint32_t nHash = HashBytes(pLine, nLen);
        for (size_t h = nHash & nMask;; h = (h + 1) & nMask)
        {
            CKeySlot& slot = m_keyIndex[h];
            if (slot.nLine == 0)
            {
                slot = CKeySlot{static_cast<uint32_t>(i + 1), nHash, static_cast<uint32_t>(nLen)};
                m_lineKey[i - m_nSectionStart] = static_cast<uint32_t>(nLen);
                break;
            }
            if (slot.nHash == nHash && slot.nLen == nLen &&
                std::memcmp(m_pLines->Get(slot.nLine - 1), pLine, nLen) == 0)
                break; // an earlier line already holds this key
        }
    }
}

// Part of every lookup's common path: kept inside LookUp, without a call of its own.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline const char*
CData_FileExRam::FindSequential(const char* pszKey, size_t& nValue)
{
    // Until a section's keys are indexed, lookups that walk its lines in order are answered from
    // the line after the last one found. Each line passed so far was the first of its key, so the
    // line at the cursor is the first of a key unless that key was asked for before.
    // An empty key, and one longer than the line's first bytes, are left to the index. A key with
    // "=" in it never matches here: the line's key ends at its first "=".
    const size_t nKey = std::strlen(pszKey);
    if (nKey - 1 >= LINE_WINDOW - 1 || m_nCursor >= m_nLines)
        return nullptr;
    const char* const pLine = m_ppLines[m_nCursor];
    uint64_t nSig;
    if (pLine[0] == '[' || !MatchLineKey(pszKey, nKey, pLine, nSig))
        return nullptr; // not this key, or the next section begins
    uint8_t& nSeen1 = m_keyFilter[nSig >> 52];
    uint8_t& nSeen2 = m_keyFilter[(nSig >> 40) & (KEY_FILTER_SIZE - 1)];
    if (nSeen1 == m_nKeyVisit && nSeen2 == m_nKeyVisit)
        return nullptr;
    nSeen1 = m_nKeyVisit;
    nSeen2 = m_nKeyVisit;
    ++m_nCursor;
    nValue = TextLength(pLine + nKey + 1);
    return pLine + nKey + 1;
}

#if defined(__GNUC__)
__attribute__((noinline))
#endif
const char*
CData_FileExRam::FindValue(const char* pszKey)
{
    if (!m_bKeysIndexed)
        BuildKeyIndex();
    if (m_nSectionEnd == m_nSectionStart)
        return nullptr;
    if (m_nCursor < m_nSectionEnd)
    {
        const uint32_t nKey = m_lineKey[m_nCursor - m_nSectionStart];
        const char* pLine = m_pLines->Get(m_nCursor);
        uint32_t i = 0;
        if (nKey != NO_KEY)
            while (i < nKey && pLine[i] == pszKey[i])
                ++i;
        if (nKey != NO_KEY && i == nKey && pszKey[nKey] == '\0')
        {
            ++m_nCursor;
            return pLine + nKey + 1;
        }
    }
    size_t nLen = std::strcspn(pszKey, "=");
    const uint32_t nHash = HashBytes(pszKey, nLen);
    if (pszKey[nLen] == '=')
    {
        // A key with "=" in it can match in the middle of a value; only a plain scan knows.
        nLen += std::strlen(pszKey + nLen);
        for (size_t i = m_nSectionStart; i < m_nSectionEnd; ++i)
        {
            const char* pLine = m_pLines->Get(i);
            if (std::strncmp(pLine, pszKey, nLen) == 0 && pLine[nLen] == '=')
            {
                m_nCursor = i + 1;
                return pLine + nLen + 1;
            }
        }
        return nullptr;
    }
    if (m_keyIndex.empty())
        return nullptr;
    const size_t nMask = m_keyIndex.size() - 1;
    for (size_t h = nHash & nMask;; h = (h + 1) & nMask)
    {
        const CKeySlot& slot = m_keyIndex[h];
        if (slot.nLine == 0)
            return nullptr;
        if (slot.nHash != nHash || slot.nLen != nLen)
            continue;
        const char* pLine = m_pLines->Get(slot.nLine - 1);
        if (std::memcmp(pLine, pszKey, nLen) == 0)
        {
            m_nCursor = slot.nLine;
            return pLine + nLen + 1;
        }
    }
}

namespace
{
// The trace line of a key not found, away from the lookup's own path.
#if defined(__GNUC__)
__attribute__((noinline, cold))
#endif
void TraceDefault(const char* pszSection, const char* pszKey, const char* pszOperation)
{
    const std::string text = std::string(" ") + pszOperation + "() default: ";
    TraceLine(s_szClass, pszSection, text.c_str(), pszKey);
}

// Copies n bytes, a few at a time for the short values that nearly every key has, 16 at a time
// for the longer ones (names, numbers, binary blocks); nothing is read or written beyond n.
inline void CopyValue(char* pDest, const char* pValue, size_t n)
{
    if (n < 4)
    {
        if (n)
        {
            pDest[0] = pValue[0];
            pDest[n / 2] = pValue[n / 2];
            pDest[n - 1] = pValue[n - 1];
        }
    }
    else if (n < 8)
    {
        std::memcpy(pDest, pValue, 4);
        std::memcpy(pDest + n - 4, pValue + n - 4, 4);
    }
    else if (n < 16)
    {
        std::memcpy(pDest, pValue, 8);
        std::memcpy(pDest + n - 8, pValue + n - 8, 8);
    }
    else
    {
        for (size_t i = 0; i + 16 < n; i += 16)
            std::memcpy(pDest + i, pValue + i, 16);
        std::memcpy(pDest + n - 16, pValue + n - 16, 16);
    }
}
} // namespace

// Every Get goes through here: kept inside each of them, without a call of its own.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline const char*
CData_FileExRam::LookUp(const char* pszSection, const char* pszKey, const char* pszOperation, size_t& nValue)
{
    if (!pszSection)
        pszSection = "";
    if (!pszKey)
        pszKey = "";
    // Most lookups stay in the section of the one before and follow the written key order.
    if (std::strcmp(m_pszReadSection, pszSection) != 0)
        SelectSection(pszSection, pszOperation);
    const char* pValue = m_bSequential ? FindSequential(pszKey, nValue) : nullptr;
    if (!pValue && m_bSectionFound)
    {
        pValue = FindValue(pszKey);
        if (pValue)
            nValue = TextLength(pValue);
    }
    if (!pValue && g_nTraceState != TRACE_OFF)
        TraceDefault(pszSection, pszKey, pszOperation);
    return pValue;
}

int CData_FileExRam::GetString(const char* pszSection, const char* pszKey, const char* pszDefault,
                               char* pszDest, size_t nSize)
{
    if (!m_bOpen)
    {
        TraceLine(s_szClass, "GetString() File not opened!");
        return 0;
    }
    size_t n = 0;
    const char* pValue = LookUp(pszSection, pszKey, "GetString", n);
    const int nFound = pValue ? 1 : 0;
    if (!pszDest || !nSize)
        return nFound;
    if (!pValue)
    {
        pValue = pszDefault ? pszDefault : "";
        const void* pEnd = std::memchr(pValue, '\0', nSize - 1);
        n = pEnd ? static_cast<size_t>(static_cast<const char*>(pEnd) - pValue) : nSize - 1;
    }
    if (n > nSize - 1)
        n = nSize - 1;
    CopyValue(pszDest, pValue, n);
    pszDest[n] = '\0';
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
    size_t n = 0;
    const char* pValue = LookUp(pszSection, pszKey, "GetString", n);
    if (pValue)
        dest.assign(pValue, n);
    else
        dest.assign(pszDefault ? pszDefault : "");
    return pValue ? 1 : 0;
}

int CData_FileExRam::GetStruct(const char* pszSection, const char* pszKey, void* pDest, size_t nCount)
{
    if (!m_bOpen)
    {
        TraceLine(s_szClass, "GetStruct() File not opened!");
        return 0;
    }
    size_t nLength = 0;
    const char* pValue = LookUp(pszSection, pszKey, "GetStruct", nLength);
    if (!pValue)
        return 0;
    // The value is binary and may hold NUL bytes: take nCount bytes, as far as the loaded text
    // reaches, and zeros beyond it.
    const size_t nOffset = static_cast<size_t>(pValue - m_pText);
    const size_t nAvail = m_nTextSize - nOffset;
    const size_t n = nCount < nAvail ? nCount : nAvail;
    if (pDest)
    {
        std::memcpy(pDest, pValue, n);
        std::memset(static_cast<char*>(pDest) + n, 0, nCount - n);
    }
    return 1;
}
