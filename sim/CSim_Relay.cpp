#include "sim/CSim_Relay.h"

#include "slpv24/CSlp_Frame.h"

#include <algorithm>

namespace
{
// A serial line sends a start bit, eight data bits and a stop bit per byte.
constexpr unsigned BITS_PER_BYTE = 10;
// Read at most this much at a time: a few maximal frames.
constexpr size_t READ_CHUNK = 4 * SLP_MAX_WIRE;
// The bit flipped in a damaged frame's first byte (its type): the frame check catches it, and it
// never turns the byte into a flag or an escape.
constexpr unsigned char DAMAGE_BIT = 0x01;
constexpr unsigned char FLAG = 0x7E;
// Noise between frames: up to this many bytes. A truncated frame keeps up to this many bytes.
constexpr int GARBAGE_MAX = 16;
constexpr long TRUNCATE_KEEP_MAX = 8;
} // namespace

CSim_Relay::CSim_Relay(const CSim_WireConfig& config) : m_config(config), m_random(config.uSeed) {}

CSim_Relay::~CSim_Relay()
{
    Stop();
}

int CSim_Relay::Start(CSlp_Device line)
{
    m_line = line;
    if (!SlpOpenPair(m_relayEnd, m_inner) || !SlpOpenWakeup(m_wakeup))
    {
        Stop();
        return 0;
    }
    const Clock::time_point now = Clock::now();
    for (CDirection& d : m_directions)
        d.free = now;
    m_thread = std::thread(&CSim_Relay::Run, this);
    return 1;
}

void CSim_Relay::Cut()
{
    m_bCut = true;
    SlpSignalWakeup(m_wakeup);
}

void CSim_Relay::Stop()
{
    m_bStop = true;
    if (m_thread.joinable())
    {
        SlpSignalWakeup(m_wakeup);
        m_thread.join();
    }
    SlpCloseDevice(m_line);
    SlpCloseDevice(m_relayEnd);
    SlpCloseDevice(m_inner);
    SlpCloseWakeup(m_wakeup);
}

bool CSim_Relay::Chance(double dShare)
{
    return dShare > 0.0 && std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < dShare;
}

void CSim_Relay::FlipBits(std::vector<unsigned char>& bytes)
{
    if (m_config.dBitError <= 0.0)
        return;
    // The distance between flipped bits is geometric: one draw per error, not one per bit.
    std::geometric_distribution<uint64_t> distance(m_config.dBitError);
    const uint64_t nBits = static_cast<uint64_t>(bytes.size()) * 8;
    uint64_t nAt = m_nBitsToError;
    while (nAt < nBits)
    {
        bytes[nAt / 8] ^= static_cast<unsigned char>(1u << (nAt % 8));
        nAt += 1 + distance(m_random);
    }
    m_nBitsToError = nAt - nBits;
}

void CSim_Relay::Take(EDirection direction, unsigned char* pData, size_t nCount)
{
    CDirection& d = m_directions[direction];
    std::vector<unsigned char> out;
    out.reserve(nCount + GARBAGE_MAX);
    for (size_t i = 0; i < nCount; ++i)
    {
        unsigned char c = pData[i];
        if (c == FLAG)
        {
            const bool bEnded = d.bInFrame;
            d.bInFrame = false;
            d.nKeep = -1;
            out.push_back(c);
            if (bEnded && Chance(m_config.dGarbage))
            {
                // Noise on an idle line: bytes that are no flag, ended by the next frame's flag.
                const int nGarbage = std::uniform_int_distribution<int>(1, GARBAGE_MAX)(m_random);
                for (int k = 0; k < nGarbage; ++k)
                    out.push_back(
                        static_cast<unsigned char>(std::uniform_int_distribution<int>(0, 0x7D)(m_random)));
            }
            continue;
        }
        if (!d.bInFrame)
        {
            d.bInFrame = true;
            if (Chance(m_config.dCorrupt))
            {
                c ^= DAMAGE_BIT;
                ++m_nDamaged;
            }
            if (Chance(m_config.dTruncate))
            {
                d.nKeep = std::uniform_int_distribution<long>(1, TRUNCATE_KEEP_MAX)(m_random);
                ++m_nDamaged;
            }
        }
        if (d.nKeep == 0)
            continue; // the rest of a truncated frame is lost
        if (d.nKeep > 0)
            --d.nKeep;
        out.push_back(c);
    }
    FlipBits(out);
    m_anBytes[direction] += nCount;

    const Clock::time_point now = Clock::now();
    CChunk chunk;
    chunk.bytes = std::move(out);
    chunk.due = now;
    if (m_config.uBaud > 0)
    {
        const auto wire = std::chrono::duration_cast<Clock::duration>(
            std::chrono::nanoseconds(static_cast<long long>(nCount) * BITS_PER_BYTE * 1000000000LL /
                                     static_cast<long long>(m_config.uBaud)));
        if (direction == DIR_IN)
        {
            // The telephone may read a request while its bytes are still on the way, but its
            // answer leaves no earlier than the request's last byte has arrived: the time on the
            // wire is the same, and a wake-up per frame is spared.
            d.free = std::max(now, d.free) + wire;
        }
        else
        {
            chunk.due = std::max({now, d.free, m_directions[DIR_IN].free}) + wire;
            d.free = chunk.due;
        }
    }
    d.pending.push_back(std::move(chunk));
}

int CSim_Relay::Deliver(EDirection direction, const CSlp_Device& to, Clock::time_point now)
{
    CDirection& d = m_directions[direction];
    while (!d.pending.empty() && d.pending.front().due <= now)
    {
        CChunk& chunk = d.pending.front();
        const long n = SlpWriteSome(to, chunk.bytes.data() + chunk.nDone, chunk.bytes.size() - chunk.nDone);
        if (n < 0)
            return 0;
        chunk.nDone += static_cast<size_t>(n);
        if (chunk.nDone < chunk.bytes.size())
            return 1; // the device is full: the rest when it can take more
        d.pending.pop_front();
    }
    return 1;
}

void CSim_Relay::Run()
{
    std::vector<unsigned char> buffer(READ_CHUNK);
    while (!m_bStop)
    {
        if (m_bCut)
        {
            // The line goes dead: closed under the peer, which sees the hang-up.
            SlpCloseDevice(m_line);
            m_bEnded = true;
            break;
        }
        const Clock::time_point now = Clock::now();
        long long nTimeoutUs = -1;
        bool abWantWrite[2] = {false, false};
        for (int i = 0; i < 2; ++i)
        {
            const CDirection& d = m_directions[i];
            if (d.pending.empty())
                continue;
            if (d.pending.front().due <= now)
                abWantWrite[i == DIR_IN ? 1 : 0] = true;
            else
            {
                const long long nUs =
                    std::chrono::duration_cast<std::chrono::microseconds>(d.pending.front().due - now)
                        .count() +
                    1;
                nTimeoutUs = nTimeoutUs < 0 ? nUs : std::min(nTimeoutUs, nUs);
            }
        }
        // Devices: 0 the line (whose bytes go in), 1 the link's end (whose bytes go out).
        const CSlp_Device devices[2] = {m_line, m_relayEnd};
        int anResult[2] = {0, 0};
        const int nWake = SlpWaitDevices(devices, abWantWrite, anResult, 2, m_wakeup, nTimeoutUs);
        if (nWake & SLP_WAIT_WAKEUP)
            SlpDrainWakeup(m_wakeup);

        bool bLineGone = false;
        if (anResult[0] & SLP_WAIT_READ)
        {
            const long n = SlpReadSome(m_line, buffer.data(), buffer.size());
            if (n > 0)
                Take(DIR_IN, buffer.data(), static_cast<size_t>(n));
            else if (n < 0)
                bLineGone = true;
        }
        if (anResult[1] & SLP_WAIT_READ)
        {
            const long n = SlpReadSome(m_relayEnd, buffer.data(), buffer.size());
            if (n > 0)
                Take(DIR_OUT, buffer.data(), static_cast<size_t>(n));
        }
        const Clock::time_point after = Clock::now();
        if (!Deliver(DIR_IN, m_relayEnd, after) || !Deliver(DIR_OUT, m_line, after))
            bLineGone = true;
        if (bLineGone)
        {
            // The peer closed the line: the link's end closes too, so that the link sees it.
            SlpCloseDevice(m_relayEnd);
            m_bEnded = true;
            break;
        }
    }
}
