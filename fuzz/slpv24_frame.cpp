// Received link bytes of any kind through the frame decoder: never out of bounds, never a frame
// longer than the protocol allows, and every decoded frame survives encoding and decoding again
// byte for byte. Decoded handshake requests go through their parser too.

#include "slpv24/CSlp_Frame.h"
#include "slpv24/CSlp_Link.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}

void Redecode(unsigned char uType, unsigned char uSeq, const unsigned char* pPayload, size_t nCount)
{
    std::vector<unsigned char> wire;
    Check(SlpEncodeFrame(uType, uSeq, pPayload, nCount, wire) > 0);
    Check(wire.size() <= SLP_MAX_WIRE);
    CSlp_FrameDecoder decoder;
    int nFrames = 0;
    for (unsigned char b : wire)
    {
        const int r = decoder.Push(b);
        Check(r != CSlp_FrameDecoder::SLP_BAD);
        if (r == CSlp_FrameDecoder::SLP_FRAME)
        {
            ++nFrames;
            Check(decoder.Type() == uType && decoder.Seq() == uSeq && decoder.PayloadSize() == nCount);
            Check(nCount == 0 || std::memcmp(decoder.Payload(), pPayload, nCount) == 0);
        }
    }
    Check(nFrames == 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CSlp_FrameDecoder decoder;
    int nBadInRow = 0;
    for (size_t i = 0; i < nSize; ++i)
    {
        const int r = decoder.Push(pData[i]);
        if (r == CSlp_FrameDecoder::SLP_FRAME)
        {
            nBadInRow = 0;
            Check(decoder.PayloadSize() <= SLP_MAX_PAYLOAD);
            std::vector<unsigned char> payload(decoder.Payload(), decoder.Payload() + decoder.PayloadSize());
            const unsigned char uType = decoder.Type();
            const unsigned char uSeq = decoder.Seq();
            Redecode(uType, uSeq, payload.data(), payload.size());
            if (uType == SLP_FT_CONNECT_REQ)
            {
                CSlp_PeerInfo info;
                uint32_t uNonce = 0;
                if (SlpParseConnectRequest(payload.data(), payload.size(), info, uNonce))
                    Check(info.m_serialNo.size() <= 255 && info.m_paramA.size() <= 255);
            }
        }
        else if (r == CSlp_FrameDecoder::SLP_BAD)
        {
            // Damage is reported once until a good frame comes.
            Check(++nBadInRow == 1);
        }
        // A stall at any point is harmless.
        if (i % 97 == 96 && decoder.Abort() == CSlp_FrameDecoder::SLP_BAD)
            Check(++nBadInRow == 1);
    }
    return 0;
}
