#pragma once

// One link of the protocol in PROTOCOL.md over an open device: its own reader thread, the
// connection handshake, keep-alive and loss detection, a bounded queue of received frames and a
// bounded queue of unsent bytes. Used by the link library's entry points and by the telephone
// emulator; notifications go to a callback that runs on the reader thread.

#include "slpv24/CSlp_Frame.h"
#include "slpv24/CSlp_Transport.h"
#include "slpv24/SlpV24.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Version byte of the handshake; a peer with another version is not answered.
constexpr unsigned char SLP_PROTOCOL_VERSION = 1;
// Roles: the program normally asks for the connection; in simulation it plays the telephone and
// answers.
constexpr int SLP_ROLE_ANSWER = 0;
constexpr int SLP_ROLE_CALL = 1;
// Longest PABX text passed on in the handshake.
constexpr size_t SLP_PABX_TEXT_MAX = 64;

struct CSlp_LinkConfig
{
    int m_nRole = SLP_ROLE_CALL;
    int m_nTransferClass = 0;
    // PABX values passed on to the peer in the handshake.
    bool m_bPabx = false;
    std::string m_serialNo;
    int m_nPortId = 0;
    bool m_bLineParams = false;
    std::string m_paramA;
    std::string m_paramB;

    // Timings (ms); the defaults are those of PROTOCOL.md.
    unsigned m_uHandshakeRetryMs = 500; // the handshake request is repeated this often ...
    unsigned m_uHandshakeMs = 3000;     // ... until the link counts as failed
    unsigned m_uKeepAliveMs = 1000;     // a connected link sends a keep-alive after this much silence
    unsigned m_uLinkLossMs = 3000;      // nothing received for this long: the link is lost
    unsigned m_uStallMs = 500;          // a frame unfinished for this long is dropped
    // After the program writes a frame its answer is due soon: for this long the reader thread
    // watches the device without sleeping, so that the answer is not delayed by the thread's
    // wake-up. A pseudo-terminal or loopback peer answers within tens of microseconds; a serial
    // line takes milliseconds and simply finds the thread asleep again. 0: never spin.
    unsigned m_uSpinUs = 250;

    // Bounds so that a flooding peer or a reader that never reads cannot grow memory.
    size_t m_nRxFramesMax = 64;
    size_t m_nTxBytesMax = 64 * SLP_MAX_WIRE;
};

// What the peer sent in its handshake request (role SLP_ROLE_ANSWER).
struct CSlp_PeerInfo
{
    int m_nVersion = 0;
    int m_nTransferClass = 0;
    int m_nRole = 0;
    bool m_bPabx = false;
    std::string m_serialNo;
    int m_nPortId = 0;
    bool m_bLineParams = false;
    std::string m_paramA;
    std::string m_paramB;
};

// Reads the timing overrides of SLPV24_TIMING ("retry,handshake,keepalive,loss,stall" in ms,
// empty fields keep their value) into config.
void SlpApplyTimingEnvironment(CSlp_LinkConfig& config);

// Handshake request payload and its parser; exposed for the emulator and the tests.
std::vector<unsigned char> SlpBuildConnectRequest(const CSlp_LinkConfig& config, uint32_t uNonce);
int SlpParseConnectRequest(const unsigned char* pData, size_t nCount, CSlp_PeerInfo& info, uint32_t& uNonce);

class CSlp_Link
{
public:
    using Notify = std::function<void(int nCode)>;

    CSlp_Link(const CSlp_LinkConfig& config, Notify notify);
    ~CSlp_Link();
    CSlp_Link(const CSlp_Link&) = delete;
    CSlp_Link& operator=(const CSlp_Link&) = delete;

    // Takes the open device over and starts the reader thread (and, calling, the handshake).
    // Gives 1, or 0 with the device closed.
    int Start(CSlp_Device device);
    // Tells a connected peer, stops the reader thread and closes the device. No notification is
    // delivered once Close has returned. Must not be called from the notification callback.
    void Close();

    int Read(unsigned char* pBuffer, size_t nSize);
    int Write(const unsigned char* pFrame, size_t nCount);

    bool IsConnected() const { return m_bConnected.load(); }
    CSlp_PeerInfo PeerInfo() const;
    size_t QueuedFrames() const;

private:
    using Clock = std::chrono::steady_clock;

    void Run();
    long SpinRead(unsigned char* pBuffer, size_t nSize, Clock::time_point end);
    void OnBytes(const unsigned char* pData, size_t nCount);
    void OnFrame(unsigned char uType, const unsigned char* pPayload, size_t nCount);
    void Lost();
    int SendFrame(unsigned char uType, const unsigned char* pPayload, size_t nCount);
    int FlushLocked();
    void Post(int nCode);

    CSlp_LinkConfig m_config;
    Notify m_notify;
    CSlp_Device m_device;
    CSlp_Wakeup m_wakeup;
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bConnected{false};
    std::atomic<bool> m_bLost{false};

    // Reader thread only.
    CSlp_FrameDecoder m_decoder;
    uint32_t m_uNonce = 0;
    Clock::time_point m_lastRx;
    Clock::time_point m_lastByte;
    uint64_t m_nDataFrames = 0; // DATA frames queued so far: tells a spin that caught an answer

    mutable std::mutex m_rxMutex;
    std::deque<std::vector<unsigned char>> m_rxFrames;
    bool m_bRxFullReported = false;
    CSlp_PeerInfo m_peer;

    std::mutex m_txMutex;
    std::vector<unsigned char> m_txPending; // bytes the device did not take yet
    std::vector<unsigned char> m_txFrame;   // scratch for encoding
    unsigned char m_uTxSeq = 0;
    std::atomic<int64_t> m_lastTxMs{0}; // steady-clock ms of the last frame sent
    // Spinning after a write: until when (steady-clock ns), and whether the reader thread sleeps
    // in its wait, so that a write must wake it to spin. Both sides store their own flag and then
    // read the other's (sequentially consistent), so a write never goes unnoticed.
    std::atomic<int64_t> m_spinUntilNs{0};
    std::atomic<bool> m_bParked{false};
    std::atomic<int> m_nSpinSkip{0};       // frames still to write without a spin (backing off)
    std::atomic<bool> m_bTxBacklog{false}; // m_txPending holds bytes: the wait must watch for room
};
