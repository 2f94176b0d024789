// One request of 3 bytes and an answer of 60 bytes, the typical exchange of a block transfer,
// over one pseudo-terminal: as bare bytes echoed by a thread (what the device itself costs), as
// bare bytes read by a thread of their own and handed to the waiting caller (what one more thread
// wake-up costs), and through the link library's entry points (framing, checksum, its reader
// thread and the notification to the waiting caller) with an equally plain thread answering
// framed requests on the far side. The three run in many short blocks in turn; reported are the
// medians, the ratio of the library to the bare echo (median over the rounds of blocks; the goal
// is at most 1.5), and the CPU time and thread switches a round trip costs the whole process.
// The machine's load changes from second to second on a shared machine: look at several runs.

#include "slpv24/CSlp_Link.h"
#include "slpv24/CSlp_Transport.h"
#include "slpv24/SlpV24.h"

#include <benchmark/benchmark.h>

#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
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

// Round trips timed per block (after the warm-up) and the medians of every block.
std::vector<double> s_block;
std::vector<double> s_bare;
std::vector<double> s_library;
std::vector<double> s_handoff;
// The first round trips of a block fill caches and settle the threads on their cores.
constexpr int WARM_UP_ROUNDS = 20;

void Record(int nRound, std::chrono::steady_clock::time_point t0)
{
    const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    if (nRound >= WARM_UP_ROUNDS)
        s_block.push_back(d.count() * 1e6);
}

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

// One block of bare round trips; the times go to s_block.
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
        Record(i, t0);
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
        {
            std::lock_guard<std::mutex> lock(pThis->m_mutex);
            if (wParam == SLPNOTIFY_CONNECT)
                pThis->m_bConnected = true;
            if (wParam == SLPNOTIFY_DATA)
                ++pThis->m_nData;
        }
        // Signalled after the unlock, so that the woken caller does not run into the held lock.
        pThis->m_changed.notify_all();
    }
};

// One block of bare round trips whose answer is read by a thread of its own and handed to the
// waiting caller: what one more thread wake-up costs. Times go to s_block.
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
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    ++nAnswers;
                }
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
        Record(i, t0);
    }
    reader.join();
    const unsigned char quit[REQUEST_SIZE] = {0xFF, 0xFF, 0xFF};
    WriteFull(pty.m_slave, quit, REQUEST_SIZE);
    echo.join();
    return true;
}

// One block of round trips through the library, from its open to its close; the times go to
// s_block.
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
        Record(i, t0);
        bOk = n == static_cast<int>(ANSWER_SIZE);
    }
    const unsigned char quit[REQUEST_SIZE] = {0xFF, 0xFF, 0xFF};
    SlpV24_Write(hLink, quit, REQUEST_SIZE);
    far.join();
    SlpV24_Close(hLink);
    // The link said goodbye on closing: nobody reads that on the far side, drop it.
    Drain(pty.m_master);
    return bOk;
}

// Many short blocks of every kind in turn, the order reversed every other cycle, so that a change
// in the machine's load hits all kinds alike. The ratio is the median over the cycles of the
// library's block median against the bare block median of the same cycle.
constexpr int BLOCKS = 30;
constexpr int ROUNDS_PER_BLOCK = 150;

using BlockFn = bool (*)(int);

double ProcessCpuUs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

double ProcessSwitches()
{
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_nvcsw + ru.ru_nivcsw);
}

// Runs one block; its median goes to medians, the process's CPU time and thread switches per round
// trip to cpu and switches.
bool RunBlock(BlockFn fn, std::vector<double>& all, std::vector<double>& medians, std::vector<double>& cpu,
              std::vector<double>& switches)
{
    s_block.clear();
    const double cpu0 = ProcessCpuUs();
    const double switches0 = ProcessSwitches();
    if (!fn(ROUNDS_PER_BLOCK))
        return false;
    cpu.push_back((ProcessCpuUs() - cpu0) / ROUNDS_PER_BLOCK);
    switches.push_back((ProcessSwitches() - switches0) / ROUNDS_PER_BLOCK);
    all.insert(all.end(), s_block.begin(), s_block.end());
    medians.push_back(Median(s_block));
    return true;
}

struct CKind
{
    BlockFn m_fn;
    std::vector<double>* m_pAll;
    std::vector<double> m_medians;
    std::vector<double> m_cpu;
    std::vector<double> m_switches;
};

double s_ratio = 0;
double s_ratioHandoff = 0;
double s_cpuBare = 0;
double s_cpuLibrary = 0;
double s_switchesBare = 0;
double s_switchesHandoff = 0;
double s_switchesLibrary = 0;

void BM_RoundTripRatio(benchmark::State& state)
{
    if (Pty().m_master < 0)
    {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    CKind kinds[3] = {{&BareBlock, &s_bare, {}, {}, {}},
                      {&HandoffBlock, &s_handoff, {}, {}, {}},
                      {&LibraryBlock, &s_library, {}, {}, {}}};
    for (auto _ : state)
    {
        for (int nBlock = 0; nBlock < BLOCKS; ++nBlock)
        {
            for (int k = 0; k < 3; ++k)
            {
                CKind& kind = kinds[nBlock % 2 ? 2 - k : k];
                if (!RunBlock(kind.m_fn, *kind.m_pAll, kind.m_medians, kind.m_cpu, kind.m_switches))
                {
                    state.SkipWithError("round trip failed");
                    return;
                }
            }
        }
    }
    std::vector<double> ratios;
    std::vector<double> ratiosHandoff;
    for (int nBlock = 0; nBlock < BLOCKS; ++nBlock)
    {
        ratios.push_back(kinds[2].m_medians[nBlock] / kinds[0].m_medians[nBlock]);
        ratiosHandoff.push_back(kinds[1].m_medians[nBlock] / kinds[0].m_medians[nBlock]);
    }
    s_ratio = Median(ratios);
    s_ratioHandoff = Median(ratiosHandoff);
    s_cpuBare = Median(kinds[0].m_cpu);
    s_cpuLibrary = Median(kinds[2].m_cpu);
    s_switchesBare = Median(kinds[0].m_switches);
    s_switchesHandoff = Median(kinds[1].m_switches);
    s_switchesLibrary = Median(kinds[2].m_switches);
    std::sort(ratios.begin(), ratios.end());
    state.counters["bare_median_us"] = Median(s_bare);
    state.counters["library_median_us"] = Median(s_library);
    state.counters["handoff_median_us"] = Median(s_handoff);
    state.counters["ratio"] = s_ratio;
    state.counters["ratio_block_min"] = ratios.front();
    state.counters["ratio_block_max"] = ratios.back();
    state.counters["ratio_handoff"] = s_ratioHandoff;
    state.counters["cpu_per_roundtrip_ratio"] = s_cpuBare > 0 ? s_cpuLibrary / s_cpuBare : 0;
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
                    Median(s_bare), Median(s_library), s_ratio);
        std::printf("  bare with one more thread hand-off %.1f us, ratio %.2f\n", Median(s_handoff),
                    s_ratioHandoff);
        std::printf("  CPU per round trip (whole process): bare %.1f us, library %.1f us\n", s_cpuBare,
                    s_cpuLibrary);
        std::printf("  thread switches per round trip: bare %.1f, hand-off %.1f, library %.1f\n",
                    s_switchesBare, s_switchesHandoff, s_switchesLibrary);
    }
    return 0;
}
