#pragma once

// Framing of the link protocol (see PROTOCOL.md): plain functions and a byte-at-a-time decoder on
// byte buffers, shared by the link library, the telephone emulator and the fuzz target. No I/O,
// no threads, no allocation while decoding.

#include <cstddef>
#include <cstdint>
#include <vector>

// Byte values of the HDLC-like framing (RFC 1662, section 4.2).
constexpr unsigned char SLP_FLAG = 0x7E;
constexpr unsigned char SLP_ESCAPE = 0x7D;
constexpr unsigned char SLP_ESCAPE_XOR = 0x20;

// The transfer layers never send more than 256 bytes in one frame (their buffer size).
constexpr size_t SLP_MAX_PAYLOAD = 256;
// Frame type and sequence byte in front of the payload, FCS behind it.
constexpr size_t SLP_HEADER_SIZE = 2;
constexpr size_t SLP_FCS_SIZE = 2;
constexpr size_t SLP_MAX_BODY = SLP_HEADER_SIZE + SLP_MAX_PAYLOAD + SLP_FCS_SIZE;
// Worst case on the wire: every body byte escaped, plus both flags.
constexpr size_t SLP_MAX_WIRE = 2 + 2 * SLP_MAX_BODY;

// Frame types (first body byte).
enum ESlp_FrameType : unsigned char
{
    SLP_FT_CONNECT_REQ = 0x01, // handshake request: version, class, role, nonce, PABX fields
    SLP_FT_CONNECT_ACK = 0x02, // handshake answer: version, class, role, the request's nonce
    SLP_FT_DATA = 0x03,        // one frame of the transfer layers
    SLP_FT_KEEPALIVE = 0x04,   // sent on an idle link, no payload
    SLP_FT_DISCONNECT = 0x05,  // the sender closes the link, no payload
};

// CRC-16/X-25 (reflected polynomial 0x1021, initial 0xFFFF, final XOR 0xFFFF) over the bytes.
uint16_t SlpFcs16(const unsigned char* pData, size_t nCount);

// Appends the framed, escaped frame to out. Gives 0 (and appends nothing) for payloads longer
// than SLP_MAX_PAYLOAD, else the number of bytes appended.
size_t SlpEncodeFrame(unsigned char uType, unsigned char uSeq, const unsigned char* pPayload, size_t nCount,
                      std::vector<unsigned char>& out);

// Decodes a byte stream frame by frame. Push returns what the byte completed; a decoded frame is
// readable through the accessors until the next Push. Damaged input is reported once per run of
// damage: after a bad result further bad frames stay silent until a good frame has been decoded,
// so garbage of any length before a frame costs at most one bad result.
class CSlp_FrameDecoder
{
public:
    enum EResult
    {
        SLP_NONE = 0,  // nothing complete yet
        SLP_FRAME = 1, // a frame with a correct FCS
        SLP_BAD = 2,   // a damaged, too short, oversized or aborted frame was dropped
    };

    int Push(unsigned char uByte);
    // The peer stopped in the middle of a frame: drops the partial frame. SLP_BAD or SLP_NONE.
    int Abort();
    // True while bytes of an unfinished frame are held.
    bool InFrame() const { return m_nCount > 0 || m_bEscape || m_bOverflow; }

    unsigned char Type() const { return m_body[0]; }
    unsigned char Seq() const { return m_body[1]; }
    const unsigned char* Payload() const { return m_body + SLP_HEADER_SIZE; }
    size_t PayloadSize() const { return m_nFrame; }

private:
    int Bad();
    void Restart();

    unsigned char m_body[SLP_MAX_BODY] = {};
    size_t m_nCount = 0;      // body bytes of the unfinished frame
    size_t m_nFrame = 0;      // payload size of the last decoded frame
    bool m_bEscape = false;   // the last byte was the escape byte
    bool m_bOverflow = false; // the unfinished frame is too long: dropping bytes until the next flag
    bool m_bReported = false; // a bad result was given since the last good frame
};
