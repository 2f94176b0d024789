// One request of 3 bytes and an answer of 60 bytes, the typical exchange of a block transfer,
// over one pseudo-terminal: first as bare bytes echoed by a thread (what the device itself
// costs), then through the link library's entry points (framing, checksum, its reader thread and
// the notification to the waiting caller) with an equally plain thread answering framed requests
// on the far side. Reported: the medians and their ratio; the goal is a ratio of at most 1.5.

#include "slpv24/CSlp_Link.h"
#include "slpv24/CSlp_Transport.h"
#include "slpv24/SlpV24.h"

#include <benchmark/benchmark.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr size_t REQUEST_SIZE = 3; // block number, request type, index
constexpr size_t ANSWER_SIZE = 60; // a typical data block

struct CPty
{
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

CPty& Pty()
{
    static CPty s_pty = []()
    {
        CPty pty;
        char szName[256] = {};
        if (::openpty(&pty.m_master, &pty.m_slave, szName, nullptr, nullptr) == 0)
        {
            pty.m_path = szName;
            termios tio;
            ::tcgetattr(pty.m_slave, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(pty.m_slave, TCSANOW, &tio);
        }
        return pty;
    }();
    return s_pty;
}

std::vector<double> s_bare;
std::vector<double> s_library;

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ReadFull(int fd, unsigned char* p, size_t n)
{
    size_t nDone = 0;
    while (nDone < n)
    {
        const ssize_t r = ::read(fd, p + nDone, n - nDone);
        if (r <= 0)
            return;
        nDone += static_cast<size_t>(r);
    }
}

void WriteFull(int fd, const unsigned char* p, size_t n)
{
    size_t nDone = 0;
    while (nDone < n)
    {
        const ssize_t r = ::write(fd, p + nDone, n - nDone);
        if (r <= 0)
            return;
        nDone += static_cast<size_t>(r);
    }
}

void Drain(int fd)
{
    unsigned char chunk[1024];
    pollfd pfd{fd, POLLIN, 0};
    while (::poll(&pfd, 1, 20) == 1 && ::read(fd, chunk, sizeof chunk) > 0)
    {
    }
}

// One block of bare round trips; the times go to s_bare.
bool BareBlock(int nRounds)
{
    CPty& pty = Pty();
    // The far side: read a request, write the answer; a request of 0xFF bytes ends it.
    std::thread echo(
        [&pty]()
        {
            unsigned char request[REQUEST_SIZE];
            unsigned char answer[ANSWER_SIZE] = {};
            for (;;)
            {
                ReadFull(pty.m_master, request, REQUEST_SIZE);
                if (request[0] == 0xFF)
                    return;
                WriteFull(pty.m_master, answer, ANSWER_SIZE);
            }
        });
    const unsigned char request[REQUEST_SIZE] = {16, 0, 0};
    unsigned char answer[ANSWER_SIZE];
    for (int i = 0; i < nRounds; ++i)
    {
        const auto t0 = std::chrono::steady_clock::now();
        WriteFull(pty.m_slave, request, REQUEST_SIZE);
        ReadFull(pty.m_slave, answer, ANSWER_SIZE);
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        s_bare.push_back(d.count() * 1e6);
    }
    const unsigned char quit[REQUEST_SIZE] = {0xFF, 0xFF, 0xFF};
    WriteFull(pty.m_slave, quit, REQUEST_SIZE);
    echo.join();
    ::tcflush(pty.m_slave, TCIOFLUSH);
    return true;
}

// The program's side of the notifications: a waiting thread instead of a window.
struct CWaiter
{
    std::mutex m_mutex;
    std::condition_variable m_changed;
    unsigned m_nData = 0;
    bool m_bConnected = false;

    static void Notify(void* pContext, uint32_t, uint32_t wParam, int32_t)
    {
        auto* pThis = static_cast<CWaiter*>(pContext);
        std::lock_guard<std::mutex> lock(pThis->m_mutex);
        if (wParam == SLPNOTIFY_CONNECT)
            pThis->m_bConnected = true;
        if (wParam == SLPNOTIFY_DATA)
            ++pThis->m_nData;
        pThis->m_changed.notify_all();
    }
};

std::vector<double> s_handoff;

// One block of bare round trips whose answer is read by a thread of its own and handed to the
// waiting caller: the least any design with a reader thread can cost. Times go to s_handoff.
bool HandoffBlock(int nRounds)
{
    CPty& pty = Pty();
    std::thread echo(
        [&pty]()
        {
            unsigned char request[REQUEST_SIZE];
            unsigned char answer[ANSWER_SIZE] = {};
            for (;;)
            {
                ReadFull(pty.m_master, request, REQUEST_SIZE);
                if (request[0] == 0xFF)
                    return;
                WriteFull(pty.m_master, answer, ANSWER_SIZE);
            }
        });
    std::mutex mutex;
    std::condition_variable changed;
    unsigned nAnswers = 0;
    std::thread reader(
        [&]()
        {
            unsigned char answer[ANSWER_SIZE];
            for (int i = 0; i < nRounds; ++i)
            {
                ReadFull(pty.m_slave, answer, ANSWER_SIZE);
                std::lock_guard<std::mutex> lock(mutex);
                ++nAnswers;
                changed.notify_all();
            }
        });
    const unsigned char request[REQUEST_SIZE] = {16, 0, 0};
    for (int i = 0; i < nRounds; ++i)
    {
        const auto t0 = std::chrono::steady_clock::now();
        WriteFull(pty.m_slave, request, REQUEST_SIZE);
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&]() { return nAnswers > static_cast<unsigned>(i); });
        }
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        s_handoff.push_back(d.count() * 1e6);
    }
    reader.join();
    const unsigned char quit[REQUEST_SIZE] = {0xFF, 0xFF, 0xFF};
    WriteFull(pty.m_slave, quit, REQUEST_SIZE);
    echo.join();
    return true;
}

// One block of round trips through the library, from its open to its close; the times go to
// s_library.
bool LibraryBlock(int nRounds)
{
    CPty& pty = Pty();
    ::setenv("SLPV24_DEVICE", pty.m_path.c_str(), 1);

    // The telephone's side, as plain as the bare echo: a thread reading the master, decoding with
    // the protocol's codec and answering the handshake and every request. Ends on a quit request.
    std::thread far(
        [&pty]()
        {
            CSlp_FrameDecoder decoder;
            std::vector<unsigned char> wire;
            unsigned char chunk[1024];
            const unsigned char answer[ANSWER_SIZE] = {};
            for (;;)
            {
                const ssize_t n = ::read(pty.m_master, chunk, sizeof chunk);
                if (n <= 0)
                    return;
                for (ssize_t i = 0; i < n; ++i)
                {
                    if (decoder.Push(chunk[i]) != CSlp_FrameDecoder::SLP_FRAME)
                        continue;
                    wire.clear();
                    if (decoder.Type() == SLP_FT_CONNECT_REQ && decoder.PayloadSize() >= 7)
                    {
                        const unsigned char* p = decoder.Payload();
                        const unsigned char ack[7] = {SLP_PROTOCOL_VERSION, p[1], 0, p[3], p[4], p[5], p[6]};
                        SlpEncodeFrame(SLP_FT_CONNECT_ACK, 0, ack, sizeof ack, wire);
                    }
                    else if (decoder.Type() == SLP_FT_DATA && decoder.PayloadSize() == REQUEST_SIZE)
                    {
                        if (decoder.Payload()[0] == 0xFF)
                            return;
                        SlpEncodeFrame(SLP_FT_DATA, 0, answer, ANSWER_SIZE, wire);
                    }
                    WriteFull(pty.m_master, wire.data(), wire.size());
                }
            }
        });

    CWaiter waiter;
    SlpV24_NotifySink sink{&CWaiter::Notify, &waiter};
    const uint32_t uMsg = 0xC000;
    uint32_t hLink = 0;
    if (SlpV24_OpenEx(&hLink, &uMsg, 1, 1, &sink, 0, 1) != 0)
    {
        const unsigned char quit[] = {0x7E, SLP_FT_DATA, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0x7E};
        WriteFull(pty.m_slave, quit, sizeof quit); // garbage to the decoder; ends the thread below
        ::close(pty.m_master);
        far.join();
        return false;
    }
    {
        std::unique_lock<std::mutex> lock(waiter.m_mutex);
        waiter.m_changed.wait_for(lock, std::chrono::seconds(3), [&]() { return waiter.m_bConnected; });
    }

    const unsigned char request[REQUEST_SIZE] = {16, 0, 0};
    unsigned char answer[SLP_MAX_PAYLOAD];
    bool bOk = true;
    for (int i = 0; i < nRounds && bOk; ++i)
    {
        const auto t0 = std::chrono::steady_clock::now();
        unsigned nBefore;
        {
            std::lock_guard<std::mutex> lock(waiter.m_mutex);
            nBefore = waiter.m_nData;
        }
        SlpV24_Write(hLink, request, REQUEST_SIZE);
        {
            std::unique_lock<std::mutex> lock(waiter.m_mutex);
            waiter.m_changed.wait_for(lock, std::chrono::seconds(1),
                                      [&]() { return waiter.m_nData != nBefore; });
        }
        const int n = SlpV24_Read(hLink, answer, sizeof answer);
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        bOk = n == static_cast<int>(ANSWER_SIZE);
        s_library.push_back(d.count() * 1e6);
    }
    const unsigned char quit[REQUEST_SIZE] = {0xFF, 0xFF, 0xFF};
    SlpV24_Write(hLink, quit, REQUEST_SIZE);
    far.join();
    SlpV24_Close(hLink);
    // The link said goodbye on closing: nobody reads that on the far side, drop it.
    Drain(pty.m_master);
    return bOk;
}

// Blocks of both kinds in turn, so that a change in the machine's load hits both alike.
constexpr int BLOCKS = 6;
constexpr int ROUNDS_PER_BLOCK = 500;

void BM_RoundTripRatio(benchmark::State& state)
{
    if (Pty().m_master < 0)
    {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    for (auto _ : state)
    {
        for (int nBlock = 0; nBlock < BLOCKS; ++nBlock)
        {
            if (!BareBlock(ROUNDS_PER_BLOCK) || !HandoffBlock(ROUNDS_PER_BLOCK) ||
                !LibraryBlock(ROUNDS_PER_BLOCK))
            {
                state.SkipWithError("round trip failed");
                return;
            }
        }
    }
    state.counters["bare_median_us"] = Median(s_bare);
    state.counters["library_median_us"] = Median(s_library);
    state.counters["handoff_median_us"] = Median(s_handoff);
    state.counters["ratio"] = Median(s_library) / Median(s_bare);
    state.counters["ratio_handoff"] = Median(s_handoff) / Median(s_bare);
}

BENCHMARK(BM_RoundTripRatio)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!s_bare.empty() && !s_library.empty() && !s_handoff.empty())
    {
        std::printf("slpv24 round trip: median bare %.1f us, library %.1f us, ratio %.2f (goal <= 1.5)\n",
                    Median(s_bare), Median(s_library), Median(s_library) / Median(s_bare));
        std::printf("  bare with a reader-thread hand-off %.1f us, ratio %.2f (the floor of any "
                    "reader-thread design)\n",
                    Median(s_handoff), Median(s_handoff) / Median(s_bare));
    }
    return 0;
}
