#pragma once

// Helpers of the link tests: a notification record that a test can wait on, device pairs over a
// pseudo-terminal or loopback TCP, and a raw peer that speaks the wire protocol by hand (to send
// what a well-behaved link never sends).

#include "slpv24/CSlp_Frame.h"
#include "slpv24/CSlp_Link.h"
#include "slpv24/CSlp_Transport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

class CTest_Notifications
{
public:
    CSlp_Link::Notify Callback()
    {
        return [this](int nCode)
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_codes.push_back(nCode);
            m_changed.notify_all();
        };
    }
    // Waits until nCode was notified n times; false after nTimeoutMs.
    bool WaitFor(int nCode, size_t n = 1, int nTimeoutMs = 3000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(nTimeoutMs),
                                  [&]() { return CountLocked(nCode) >= n; });
    }
    size_t Count(int nCode)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return CountLocked(nCode);
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_codes.clear();
    }
    std::vector<int> Codes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_codes;
    }

private:
    size_t CountLocked(int nCode) const
    {
        size_t n = 0;
        for (int c : m_codes)
            n += c == nCode ? 1 : 0;
        return n;
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int> m_codes;
};

enum ETest_Transport
{
    TEST_PTY,
    TEST_TCP,
};

// Two connected, prepared devices: m_near for the link under test, m_far for its peer.
struct CTest_DevicePair
{
    CSlp_Device m_near;
    CSlp_Device m_far;
    std::string m_slavePath; // pseudo-terminal: the near end's path

    explicit CTest_DevicePair(ETest_Transport transport)
    {
        if (transport == TEST_PTY)
        {
            int master = -1;
            int slave = -1;
            char szName[256] = {};
            if (::openpty(&master, &slave, szName, nullptr, nullptr) != 0)
                return;
            m_slavePath = szName;
            SlpPrepareDescriptor(slave, false);
            SlpPrepareDescriptor(master, false);
            m_near.m_fd = slave;
            m_far.m_fd = master;
            return;
        }
        const int listener = ListenLoopback(m_nPort);
        if (listener < 0)
            return;
        SlpOpenDevice("tcp:127.0.0.1:" + std::to_string(m_nPort), m_near);
        const int accepted = ::accept(listener, nullptr, nullptr);
        ::close(listener);
        if (accepted >= 0 && SlpPrepareDescriptor(accepted, true))
        {
            m_far.m_fd = accepted;
            m_far.m_bSocket = true;
        }
    }
    ~CTest_DevicePair()
    {
        SlpCloseDevice(m_near);
        SlpCloseDevice(m_far);
    }
    bool Ok() const { return m_near.m_fd >= 0 && m_far.m_fd >= 0; }

    // A listening socket on 127.0.0.1 with a port of the system's choice.
    static int ListenLoopback(int& nPort)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        socklen_t len = sizeof addr;
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(fd, 4) != 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        {
            if (fd >= 0)
                ::close(fd);
            return -1;
        }
        nPort = ntohs(addr.sin_port);
        return fd;
    }

    int m_nPort = 0;
};

// The far end driven by hand.
class CTest_RawPeer
{
public:
    explicit CTest_RawPeer(const CSlp_Device& device) : m_device(device) {}

    void SendRaw(const std::vector<unsigned char>& bytes)
    {
        size_t nDone = 0;
        while (nDone < bytes.size())
        {
            const long n = SlpWriteSome(m_device, bytes.data() + nDone, bytes.size() - nDone);
            if (n < 0)
                return;
            if (n == 0)
            {
                pollfd pfd{m_device.m_fd, POLLOUT, 0};
                ::poll(&pfd, 1, 100);
            }
            nDone += static_cast<size_t>(n);
        }
    }
    void SendFrame(unsigned char uType, const std::vector<unsigned char>& payload, unsigned char uSeq = 0)
    {
        std::vector<unsigned char> wire;
        SlpEncodeFrame(uType, uSeq, payload.data(), payload.size(), wire);
        SendRaw(wire);
    }
    // The next good frame of the given type; false after nTimeoutMs.
    bool WaitFrame(unsigned char uType, std::vector<unsigned char>& payload, int nTimeoutMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
        for (;;)
        {
            while (m_nPos < m_buffer.size())
            {
                if (m_decoder.Push(m_buffer[m_nPos++]) == CSlp_FrameDecoder::SLP_FRAME)
                {
                    ++m_nFrames[m_decoder.Type() & 0x0F];
                    if (m_decoder.Type() == uType)
                    {
                        payload.assign(m_decoder.Payload(), m_decoder.Payload() + m_decoder.PayloadSize());
                        return true;
                    }
                }
            }
            m_buffer.clear();
            m_nPos = 0;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd pfd{m_device.m_fd, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
                continue;
            unsigned char chunk[4096];
            const long n = SlpReadSome(m_device, chunk, sizeof chunk);
            if (n < 0)
                return false;
            m_buffer.assign(chunk, chunk + n);
        }
    }
    // Answers the link's handshake request.
    bool Answer()
    {
        std::vector<unsigned char> request;
        if (!WaitFrame(SLP_FT_CONNECT_REQ, request) || request.size() < 7)
            return false;
        std::vector<unsigned char> ack = {SLP_PROTOCOL_VERSION, request[1], 0,         request[3],
                                          request[4],           request[5], request[6]};
        SendFrame(SLP_FT_CONNECT_ACK, ack);
        return true;
    }
    int Frames(unsigned char uType) const { return m_nFrames[uType & 0x0F]; }

private:
    CSlp_Device m_device;
    CSlp_FrameDecoder m_decoder;
    std::vector<unsigned char> m_buffer;
    size_t m_nPos = 0;
    int m_nFrames[16] = {};
};
