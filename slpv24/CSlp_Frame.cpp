#include "slpv24/CSlp_Frame.h"

#include <array>

namespace
{
// Reflected form of the polynomial 0x1021.
constexpr uint16_t FCS_POLY_REFLECTED = 0x8408;
constexpr uint16_t FCS_INITIAL = 0xFFFF;
constexpr uint16_t FCS_FINAL_XOR = 0xFFFF;

constexpr std::array<uint16_t, 256> MakeFcsTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
    {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>((crc & 1) ? (crc >> 1) ^ FCS_POLY_REFLECTED : crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> s_fcsTable = MakeFcsTable();

uint16_t FcsUpdate(uint16_t crc, const unsigned char* pData, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ s_fcsTable[(crc ^ pData[i]) & 0xFF]);
    return crc;
}

void PutEscaped(unsigned char uByte, std::vector<unsigned char>& out)
{
    if (uByte == SLP_FLAG || uByte == SLP_ESCAPE)
    {
        out.push_back(SLP_ESCAPE);
        out.push_back(static_cast<unsigned char>(uByte ^ SLP_ESCAPE_XOR));
    }
    else
        out.push_back(uByte);
}
} // namespace

uint16_t SlpFcs16(const unsigned char* pData, size_t nCount)
{
    return static_cast<uint16_t>(FcsUpdate(FCS_INITIAL, pData, nCount) ^ FCS_FINAL_XOR);
}

size_t SlpEncodeFrame(unsigned char uType, unsigned char uSeq, const unsigned char* pPayload, size_t nCount,
                      std::vector<unsigned char>& out)
{
    if (nCount > SLP_MAX_PAYLOAD || (nCount > 0 && !pPayload))
        return 0;
    const size_t nBefore = out.size();
    const unsigned char header[SLP_HEADER_SIZE] = {uType, uSeq};
    uint16_t crc = FcsUpdate(FCS_INITIAL, header, sizeof header);
    crc = static_cast<uint16_t>(FcsUpdate(crc, pPayload, nCount) ^ FCS_FINAL_XOR);

    out.reserve(nBefore + 2 + 2 * (SLP_HEADER_SIZE + nCount + SLP_FCS_SIZE));
    out.push_back(SLP_FLAG);
    PutEscaped(uType, out);
    PutEscaped(uSeq, out);
    for (size_t i = 0; i < nCount; ++i)
        PutEscaped(pPayload[i], out);
    // The FCS goes out least significant byte first.
    PutEscaped(static_cast<unsigned char>(crc & 0xFF), out);
    PutEscaped(static_cast<unsigned char>(crc >> 8), out);
    out.push_back(SLP_FLAG);
    return out.size() - nBefore;
}

void CSlp_FrameDecoder::Restart()
{
    m_nCount = 0;
    m_bEscape = false;
    m_bOverflow = false;
}

int CSlp_FrameDecoder::Bad()
{
    if (m_bReported)
        return SLP_NONE;
    m_bReported = true;
    return SLP_BAD;
}

int CSlp_FrameDecoder::Push(unsigned char uByte)
{
    if (uByte == SLP_FLAG)
    {
        // A flag always ends the current frame and may open the next one, so a frame that follows
        // any kind of damage is still found.
        const bool bAborted = m_bEscape;
        const bool bOverflow = m_bOverflow;
        const size_t nCount = m_nCount;
        Restart();
        if (bOverflow)
            return SLP_NONE; // reported when the frame grew too long
        if (bAborted)
            return Bad();
        if (nCount == 0)
            return SLP_NONE; // two flags in a row: no frame between them
        if (nCount < SLP_HEADER_SIZE + SLP_FCS_SIZE)
            return Bad();
        const size_t nData = nCount - SLP_FCS_SIZE;
        const uint16_t uReceived = static_cast<uint16_t>(m_body[nData] | (m_body[nData + 1] << 8));
        if (SlpFcs16(m_body, nData) != uReceived)
            return Bad();
        m_nFrame = nData - SLP_HEADER_SIZE;
        m_bReported = false;
        return SLP_FRAME;
    }
    if (m_bOverflow)
        return SLP_NONE;
    if (uByte == SLP_ESCAPE && !m_bEscape)
    {
        m_bEscape = true;
        return SLP_NONE;
    }
    if (m_bEscape)
    {
        uByte = static_cast<unsigned char>(uByte ^ SLP_ESCAPE_XOR);
        m_bEscape = false;
    }
    if (m_nCount == SLP_MAX_BODY)
    {
        // Too long for any frame of ours: drop everything up to the next flag, memory stays bounded.
        m_nCount = 0;
        m_bOverflow = true;
        return Bad();
    }
    m_body[m_nCount++] = uByte;
    return SLP_NONE;
}

int CSlp_FrameDecoder::Abort()
{
    if (!InFrame())
        return SLP_NONE;
    const bool bOverflow = m_bOverflow;
    Restart();
    return bOverflow ? SLP_NONE : Bad();
}
