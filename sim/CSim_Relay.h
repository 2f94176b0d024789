#pragma once

// The emulator's end of the line. Relays the bytes between the line (the pseudo-terminal's master
// or an accepted socket) and the link engine's own device (one end of a local socket pair), and
// plays the wire on the way: at a given line rate every byte takes its time in each direction
// (10 bits a byte, as on a serial line; an answer leaves no earlier than the request before it has
// arrived), frames are damaged at a given rate, and the line can be cut. Counts the bytes on the
// wire in both directions. Runs a thread of its own.

#include "slpv24/CSlp_Transport.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

struct CSim_WireConfig
{
    unsigned uBaud = 0;     // line rate in bit/s; 0: as fast as the device goes
    double dCorrupt = 0.0;  // share of frames damaged (either direction)
    uint32_t uSeed = 1;     // of the damage's random choice
    double dBitError = 0.0; // share of bits flipped on the wire, flags and escapes included
    double dTruncate = 0.0; // share of frames cut short (the rest up to the closing flag is lost)
    double dGarbage = 0.0;  // share of frames followed by a few random bytes before the next
};

class CSim_Relay
{
public:
    // Directions of the byte counts.
    enum EDirection
    {
        DIR_IN = 0,  // from the program to the telephone
        DIR_OUT = 1, // from the telephone to the program
    };

    explicit CSim_Relay(const CSim_WireConfig& config);
    ~CSim_Relay();
    CSim_Relay(const CSim_Relay&) = delete;
    CSim_Relay& operator=(const CSim_Relay&) = delete;

    // Takes the line over and starts relaying. Gives 1, or 0 with the line closed.
    int Start(CSlp_Device line);
    // The device the link engine runs on; the relay keeps it, the link gets a duplicate.
    const CSlp_Device& Inner() const { return m_inner; }
    // Cuts the line at once, without a word to the peer; nothing is relayed any more.
    void Cut();
    // Stops the thread and closes everything.
    void Stop();
    // The line is gone: the peer closed its socket, or the line was cut.
    bool Ended() const { return m_bEnded.load(); }

    uint64_t WireBytes(EDirection direction) const { return m_anBytes[direction].load(); }
    uint64_t FramesDamaged() const { return m_nDamaged.load(); }

private:
    using Clock = std::chrono::steady_clock;

    struct CChunk
    {
        std::vector<unsigned char> bytes;
        size_t nDone = 0;
        Clock::time_point due;
    };
    struct CDirection
    {
        std::deque<CChunk> pending;
        Clock::time_point free; // when the wire of this direction has sent all it was given
        bool bInFrame = false;  // between a frame's first byte and its closing flag
        long nKeep = -1;        // bytes of a truncated frame still sent; -1: not truncated
    };

    void Run();
    // Bytes read from one side: damaged, cut or padded when the dice say so, scheduled at the line
    // rate.
    void Take(EDirection direction, unsigned char* pData, size_t nCount);
    bool Chance(double dShare);
    // Flips the bits the bit error rate hits in the bytes.
    void FlipBits(std::vector<unsigned char>& bytes);
    // Writes what is due; 0 when the destination is gone.
    int Deliver(EDirection direction, const CSlp_Device& to, Clock::time_point now);

    CSim_WireConfig m_config;
    std::mt19937 m_random;
    CSlp_Device m_line;
    CSlp_Device m_relayEnd; // the relay's end of the socket pair
    CSlp_Device m_inner;    // the link's end
    CSlp_Wakeup m_wakeup;
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bCut{false};
    std::atomic<bool> m_bEnded{false};
    CDirection m_directions[2];
    std::atomic<uint64_t> m_anBytes[2] = {{0}, {0}};
    std::atomic<uint64_t> m_nDamaged{0};
    uint64_t m_nBitsToError = 0; // bits on the wire until the next flipped one
};
