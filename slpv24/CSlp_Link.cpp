#include "slpv24/CSlp_Link.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace
{
// Handshake payload: version, transfer class, role, nonce (4 bytes, least significant first),
// then optional fields as tag, length, value.
constexpr size_t SLP_HANDSHAKE_FIXED = 7;
enum ESlp_HandshakeTag : unsigned char
{
    SLP_TAG_SERIAL_NO = 0x01,
    SLP_TAG_PORT_ID = 0x02,
    SLP_TAG_PARAM_A = 0x03,
    SLP_TAG_PARAM_B = 0x04,
};

// Bytes taken from the device in one read: several whole frames, small enough for the stack.
constexpr size_t SLP_READ_CHUNK = 4096;

void PutNonce(uint32_t uNonce, std::vector<unsigned char>& out)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(uNonce >> (8 * i)));
}

uint32_t GetNonce(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutText(unsigned char uTag, const std::string& text, std::vector<unsigned char>& out)
{
    const size_t n = std::min(text.size(), SLP_PABX_TEXT_MAX);
    out.push_back(uTag);
    out.push_back(static_cast<unsigned char>(n));
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

// A spin that ended without an answer is not tried again for the next 1, 2, 4 ... frames written,
// at most this many: a slow peer or a machine too busy to answer within the spin costs next to
// nothing, and one answer caught while spinning brings the spin back at once.
constexpr int SLP_SPIN_SKIP_MAX = 64;

int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

void SlpApplyTimingEnvironment(CSlp_LinkConfig& config)
{
    const char* psz = std::getenv("SLPV24_TIMING");
    if (!psz)
        return;
    unsigned* const fields[] = {&config.m_uHandshakeRetryMs, &config.m_uHandshakeMs, &config.m_uKeepAliveMs,
                                &config.m_uLinkLossMs, &config.m_uStallMs};
    for (unsigned* pField : fields)
    {
        char* pEnd = nullptr;
        const unsigned long value = std::strtoul(psz, &pEnd, 10);
        // Zero or absurd values would turn a timer into a busy loop or into never.
        if (pEnd != psz && value >= 10 && value <= 600000)
            *pField = static_cast<unsigned>(value);
        psz = std::strchr(psz, ',');
        if (!psz)
            return;
        ++psz;
    }
}

std::vector<unsigned char> SlpBuildConnectRequest(const CSlp_LinkConfig& config, uint32_t uNonce)
{
    std::vector<unsigned char> out;
    out.push_back(SLP_PROTOCOL_VERSION);
    out.push_back(static_cast<unsigned char>(config.m_nTransferClass));
    out.push_back(static_cast<unsigned char>(config.m_nRole));
    PutNonce(uNonce, out);
    if (config.m_bPabx)
    {
        PutText(SLP_TAG_SERIAL_NO, config.m_serialNo, out);
        out.push_back(SLP_TAG_PORT_ID);
        out.push_back(4);
        PutNonce(static_cast<uint32_t>(config.m_nPortId), out);
    }
    if (config.m_bLineParams)
    {
        PutText(SLP_TAG_PARAM_A, config.m_paramA, out);
        PutText(SLP_TAG_PARAM_B, config.m_paramB, out);
    }
    return out;
}

int SlpParseConnectRequest(const unsigned char* pData, size_t nCount, CSlp_PeerInfo& info, uint32_t& uNonce)
{
    if (!pData || nCount < SLP_HANDSHAKE_FIXED)
        return 0;
    info = CSlp_PeerInfo{};
    info.m_nVersion = pData[0];
    info.m_nTransferClass = pData[1];
    info.m_nRole = pData[2];
    uNonce = GetNonce(pData + 3);
    size_t i = SLP_HANDSHAKE_FIXED;
    while (i + 2 <= nCount)
    {
        const unsigned char uTag = pData[i];
        const size_t n = pData[i + 1];
        i += 2;
        if (i + n > nCount)
            return 0;
        const std::string text(reinterpret_cast<const char*>(pData + i), n);
        switch (uTag)
        {
        case SLP_TAG_SERIAL_NO:
            info.m_bPabx = true;
            info.m_serialNo = text;
            break;
        case SLP_TAG_PORT_ID:
            if (n == 4)
                info.m_nPortId = static_cast<int>(GetNonce(pData + i));
            break;
        case SLP_TAG_PARAM_A:
            info.m_bLineParams = true;
            info.m_paramA = text;
            break;
        case SLP_TAG_PARAM_B:
            info.m_bLineParams = true;
            info.m_paramB = text;
            break;
        default:
            break; // fields of later versions
        }
        i += n;
    }
    return i == nCount ? 1 : 0;
}

CSlp_Link::CSlp_Link(const CSlp_LinkConfig& config, Notify notify)
    : m_config(config), m_notify(std::move(notify))
{
    std::random_device rd;
    m_uNonce = rd() ^ static_cast<uint32_t>(NowMs());
}

CSlp_Link::~CSlp_Link()
{
    Close();
}

int CSlp_Link::Start(CSlp_Device device)
{
    if (m_thread.joinable() || device.m_fd < 0 || !SlpOpenWakeup(m_wakeup))
    {
        SlpCloseDevice(device);
        return 0;
    }
    m_device = device;
    m_bStop = false;
    m_bLost = false;
    m_bConnected = false;
    m_lastTxMs = NowMs();
    m_spinUntilNs = 0;
    m_nSpinSkip = 0;
    m_bParked = false;
    m_thread = std::thread(&CSlp_Link::Run, this);
    return 1;
}

void CSlp_Link::Close()
{
    if (m_thread.joinable())
    {
        if (m_bConnected && !m_bLost)
            SendFrame(SLP_FT_DISCONNECT, nullptr, 0);
        m_bStop = true;
        SlpSignalWakeup(m_wakeup);
        m_thread.join();
    }
    m_bConnected = false;
    {
        // A write racing the close finds the device either open or gone, never half closed.
        std::lock_guard<std::mutex> lock(m_txMutex);
        SlpCloseDevice(m_device);
        m_txPending.clear();
        // Writes signal the wakeup under this lock too: none can hit a closed descriptor.
        SlpCloseWakeup(m_wakeup);
    }
}

CSlp_PeerInfo CSlp_Link::PeerInfo() const
{
    std::lock_guard<std::mutex> lock(m_rxMutex);
    return m_peer;
}

size_t CSlp_Link::QueuedFrames() const
{
    std::lock_guard<std::mutex> lock(m_rxMutex);
    return m_rxFrames.size();
}

int CSlp_Link::Read(unsigned char* pBuffer, size_t nSize)
{
    if (!pBuffer)
        return 0;
    std::vector<unsigned char> frame;
    {
        std::lock_guard<std::mutex> lock(m_rxMutex);
        if (m_rxFrames.empty())
            return 0;
        frame = std::move(m_rxFrames.front());
        m_rxFrames.pop_front();
        m_bRxFullReported = false;
    }
    const size_t n = std::min(nSize, frame.size());
    if (n)
        std::memcpy(pBuffer, frame.data(), n);
    return static_cast<int>(n);
}

int CSlp_Link::Write(const unsigned char* pFrame, size_t nCount)
{
    if (!pFrame || nCount == 0 || nCount > SLP_MAX_PAYLOAD || !m_bConnected || m_bLost)
        return 0;
    return SendFrame(SLP_FT_DATA, pFrame, nCount) ? static_cast<int>(nCount) : 0;
}

int CSlp_Link::FlushLocked()
{
    while (!m_txPending.empty())
    {
        const long n = SlpWriteSome(m_device, m_txPending.data(), m_txPending.size());
        if (n < 0)
            return -1;
        if (n == 0)
            return 0;
        m_txPending.erase(m_txPending.begin(), m_txPending.begin() + n);
    }
    return 1;
}

int CSlp_Link::SendFrame(unsigned char uType, const unsigned char* pPayload, size_t nCount)
{
    bool bWake = false;
    {
        std::lock_guard<std::mutex> lock(m_txMutex);
        if (m_device.m_fd < 0)
            return 0;
        m_txFrame.clear();
        const unsigned char uSeq = uType == SLP_FT_DATA ? m_uTxSeq++ : 0;
        if (!SlpEncodeFrame(uType, uSeq, pPayload, nCount, m_txFrame))
            return 0;
        if (m_txPending.empty())
        {
            // The usual case: the whole frame goes out in one call from the caller's thread.
            const long n = SlpWriteSome(m_device, m_txFrame.data(), m_txFrame.size());
            if (n < 0)
                return 0;
            if (static_cast<size_t>(n) < m_txFrame.size())
            {
                m_txPending.assign(m_txFrame.begin() + n, m_txFrame.end());
                m_bTxBacklog = true;
                bWake = true;
            }
        }
        else
        {
            // The device is backed up: queue, but never without bound.
            if (m_txPending.size() + m_txFrame.size() > m_config.m_nTxBytesMax)
                return 0;
            m_txPending.insert(m_txPending.end(), m_txFrame.begin(), m_txFrame.end());
        }
        const int nSkip = m_nSpinSkip.load();
        if (uType == SLP_FT_DATA && m_config.m_uSpinUs && nSkip > 0)
            m_nSpinSkip.store(nSkip - 1);
        else if (uType == SLP_FT_DATA && m_config.m_uSpinUs)
        {
            // The answer is due soon: have the reader thread watch for it awake.
            m_spinUntilNs.store(NowNs() + static_cast<int64_t>(m_config.m_uSpinUs) * 1000);
            if (m_bParked.load())
                bWake = true;
        }
        if (bWake)
            SlpSignalWakeup(m_wakeup);
    }
    m_lastTxMs = NowMs();
    return 1;
}

void CSlp_Link::Post(int nCode)
{
    if (m_notify)
        m_notify(nCode);
}

void CSlp_Link::Lost()
{
    if (m_bLost.exchange(true))
        return;
    m_bConnected = false;
    Post(SLPNOTIFY_DISCONNECT);
}

void CSlp_Link::OnFrame(unsigned char uType, const unsigned char* pPayload, size_t nCount)
{
    switch (uType)
    {
    case SLP_FT_CONNECT_REQ:
    {
        CSlp_PeerInfo info;
        uint32_t uNonce = 0;
        if (m_config.m_nRole != SLP_ROLE_ANSWER || !SlpParseConnectRequest(pPayload, nCount, info, uNonce) ||
            info.m_nVersion != SLP_PROTOCOL_VERSION)
            return;
        {
            std::lock_guard<std::mutex> lock(m_rxMutex);
            m_peer = info;
        }
        // Every request is answered, also a repeated one whose answer was lost.
        std::vector<unsigned char> ack = {SLP_PROTOCOL_VERSION,
                                          static_cast<unsigned char>(info.m_nTransferClass),
                                          static_cast<unsigned char>(m_config.m_nRole)};
        PutNonce(uNonce, ack);
        SendFrame(SLP_FT_CONNECT_ACK, ack.data(), ack.size());
        if (!m_bConnected.exchange(true))
            Post(SLPNOTIFY_CONNECT);
        return;
    }
    case SLP_FT_CONNECT_ACK:
        if (m_config.m_nRole != SLP_ROLE_CALL || m_bConnected || nCount < SLP_HANDSHAKE_FIXED ||
            pPayload[0] != SLP_PROTOCOL_VERSION || GetNonce(pPayload + 3) != m_uNonce)
            return;
        m_bConnected = true;
        Post(SLPNOTIFY_CONNECT);
        return;
    case SLP_FT_DATA:
    {
        if (!m_bConnected)
            return; // left over from an earlier connection
        if (nCount == 0)
        {
            Post(SLPNOTIFY_BADDATA);
            return;
        }
        int nCode = 0;
        {
            std::lock_guard<std::mutex> lock(m_rxMutex);
            if (m_rxFrames.size() < m_config.m_nRxFramesMax)
            {
                m_rxFrames.emplace_back(pPayload, pPayload + nCount);
                nCode = SLPNOTIFY_DATA;
                ++m_nDataFrames;
            }
            else if (!m_bRxFullReported)
            {
                // The reader does not keep up: drop, and say so once until it reads again.
                m_bRxFullReported = true;
                nCode = SLPNOTIFY_BADDATA;
            }
        }
        if (nCode)
            Post(nCode);
        return;
    }
    case SLP_FT_DISCONNECT:
        Lost();
        return;
    case SLP_FT_KEEPALIVE:
    default:
        return; // reception alone keeps the link alive; unknown types come from later versions
    }
}

void CSlp_Link::OnBytes(const unsigned char* pData, size_t nCount)
{
    for (size_t i = 0; i < nCount && !m_bLost; ++i)
    {
        const int result = m_decoder.Push(pData[i]);
        if (result == CSlp_FrameDecoder::SLP_FRAME)
            OnFrame(m_decoder.Type(), m_decoder.Payload(), m_decoder.PayloadSize());
        else if (result == CSlp_FrameDecoder::SLP_BAD)
            Post(SLPNOTIFY_BADDATA);
    }
}

long CSlp_Link::SpinRead(unsigned char* pBuffer, size_t nSize, Clock::time_point end)
{
    // Reading straight away rather than polling first: the answer costs one call, not two. Close
    // and a backlog of bytes to send end the spin through their flags; the wait sees to them.
    for (;;)
    {
        const long n = SlpReadSome(m_device, pBuffer, nSize);
        if (n != 0 || m_bStop || m_bTxBacklog || Clock::now() >= end)
            return n;
    }
}

void CSlp_Link::Run()
{
    using std::chrono::milliseconds;
    const Clock::time_point start = Clock::now();
    m_lastRx = start;
    m_lastByte = start;
    const Clock::time_point handshakeEnd = start + milliseconds(m_config.m_uHandshakeMs);
    Clock::time_point nextRequest = start;
    std::vector<unsigned char> request = SlpBuildConnectRequest(m_config, m_uNonce);
    unsigned char buffer[SLP_READ_CHUNK];
    bool bSpinning = false;
    bool bSpinHit = false;
    int nSpinMisses = 0;

    while (!m_bStop && !m_bLost)
    {
        const Clock::time_point now = Clock::now();
        Clock::time_point wakeAt = Clock::time_point::max();
        const bool bConnected = m_bConnected;

        if (m_config.m_nRole == SLP_ROLE_CALL && !bConnected)
        {
            if (now >= handshakeEnd)
            {
                Lost();
                break;
            }
            if (now >= nextRequest)
            {
                SendFrame(SLP_FT_CONNECT_REQ, request.data(), request.size());
                nextRequest = now + milliseconds(m_config.m_uHandshakeRetryMs);
            }
            wakeAt = std::min(nextRequest, handshakeEnd);
        }
        if (bConnected)
        {
            const Clock::time_point lossAt = m_lastRx + milliseconds(m_config.m_uLinkLossMs);
            if (now >= lossAt)
            {
                Lost();
                break;
            }
            const Clock::time_point lastTx{
                std::chrono::duration_cast<Clock::duration>(milliseconds(m_lastTxMs.load()))};
            Clock::time_point keepAliveAt = lastTx + milliseconds(m_config.m_uKeepAliveMs);
            if (now >= keepAliveAt)
            {
                SendFrame(SLP_FT_KEEPALIVE, nullptr, 0);
                keepAliveAt = now + milliseconds(m_config.m_uKeepAliveMs);
            }
            wakeAt = std::min({wakeAt, lossAt, keepAliveAt});
        }
        if (m_decoder.InFrame())
        {
            const Clock::time_point stallAt = m_lastByte + milliseconds(m_config.m_uStallMs);
            if (now >= stallAt)
            {
                if (m_decoder.Abort() == CSlp_FrameDecoder::SLP_BAD)
                    Post(SLPNOTIFY_BADDATA);
            }
            else
                wakeAt = std::min(wakeAt, stallAt);
        }

        int nTimeout = -1; // nothing due: sleep until the device or Close wakes us
        if (wakeAt != Clock::time_point::max())
        {
            const auto wait = std::chrono::duration_cast<milliseconds>(wakeAt - Clock::now()).count() + 1;
            nTimeout = static_cast<int>(std::max<int64_t>(0, wait));
        }
        bool bWantWrite;
        {
            std::lock_guard<std::mutex> lock(m_txMutex);
            bWantWrite = !m_txPending.empty();
            m_bTxBacklog = bWantWrite;
        }
        const Clock::time_point spinUntil{std::chrono::nanoseconds(m_spinUntilNs.load())};
        if (spinUntil > Clock::now() && !bWantWrite)
        {
            bSpinning = true;
            const uint64_t nDataBefore = m_nDataFrames;
            const long n = SpinRead(buffer, sizeof buffer, std::min(wakeAt, spinUntil));
            if (n < 0)
            {
                Lost();
                break;
            }
            if (n > 0)
            {
                m_lastRx = m_lastByte = Clock::now();
                OnBytes(buffer, static_cast<size_t>(n));
            }
            bSpinHit = bSpinHit || m_nDataFrames != nDataBefore;
            continue; // an answer, a timer, the end of the spin: see to the timers, then spin on or sleep
        }
        if (bSpinning && spinUntil <= Clock::now())
        {
            // The spin is over: worth it if an answer came, else back off.
            nSpinMisses = bSpinHit ? 0 : std::min(nSpinMisses + 1, 6);
            m_nSpinSkip.store(bSpinHit ? 0 : std::min(1 << (nSpinMisses - 1), SLP_SPIN_SKIP_MAX));
            bSpinning = false;
            bSpinHit = false;
        }
        m_bParked.store(true);
        // A write that came in after the check above may not have seen the flag: look again.
        if (Clock::time_point(std::chrono::nanoseconds(m_spinUntilNs.load())) > Clock::now())
        {
            m_bParked.store(false);
            if (bWantWrite)
                nTimeout = 0; // spinning, but the device needs watching for room to write
            else
                continue;
        }
        const int ready = SlpWait(m_device, m_wakeup, bWantWrite, nTimeout);
        m_bParked.store(false);
        if (ready & SLP_WAIT_WAKEUP)
            SlpDrainWakeup(m_wakeup);
        if (ready & SLP_WAIT_WRITE)
        {
            // A device that fails here fails on the read side as well, which ends the link.
            std::lock_guard<std::mutex> lock(m_txMutex);
            FlushLocked();
        }
        if ((ready & SLP_WAIT_READ) && !m_bStop)
        {
            const long n = SlpReadSome(m_device, buffer, sizeof buffer);
            if (n < 0)
            {
                Lost();
                break;
            }
            if (n > 0)
            {
                m_lastRx = m_lastByte = Clock::now();
                OnBytes(buffer, static_cast<size_t>(n));
            }
        }
    }
}
