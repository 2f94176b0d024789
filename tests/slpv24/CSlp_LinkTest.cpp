#include "slpv24/CSlp_Link.h"

#include "CTest_SlpPeer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <thread>

namespace
{
// Short timings so that loss, stall and handshake failures show within a test's patience.
CSlp_LinkConfig FastConfig(int nRole)
{
    CSlp_LinkConfig config;
    config.m_nRole = nRole;
    config.m_nTransferClass = 1;
    config.m_uHandshakeRetryMs = 50;
    config.m_uHandshakeMs = 400;
    config.m_uKeepAliveMs = 100;
    config.m_uLinkLossMs = 400;
    config.m_uStallMs = 100;
    return config;
}

std::vector<unsigned char> Pattern(size_t n, unsigned seed)
{
    std::vector<unsigned char> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(i * 37 + seed); // passes 0x7E and 0x7D too
    return bytes;
}

std::vector<unsigned char> ReadOne(CSlp_Link& link)
{
    unsigned char buffer[SLP_MAX_PAYLOAD];
    const int n = link.Read(buffer, sizeof buffer);
    return std::vector<unsigned char>(buffer, buffer + (n > 0 ? n : 0));
}

class CSlp_LinkTest : public ::testing::TestWithParam<ETest_Transport>
{
protected:
    void SetUp() override
    {
        m_pPair = std::make_unique<CTest_DevicePair>(GetParam());
        ASSERT_TRUE(m_pPair->Ok());
    }
    // The link under test takes the near device; the far end stays with the test.
    CSlp_Link& StartNear(const CSlp_LinkConfig& config)
    {
        m_pNear = std::make_unique<CSlp_Link>(config, m_near.Callback());
        EXPECT_EQ(1, m_pNear->Start(m_pPair->m_near));
        m_pPair->m_near = CSlp_Device{}; // owned by the link now
        return *m_pNear;
    }
    CSlp_Link& StartFar(const CSlp_LinkConfig& config)
    {
        m_pFar = std::make_unique<CSlp_Link>(config, m_far.Callback());
        EXPECT_EQ(1, m_pFar->Start(m_pPair->m_far));
        m_pPair->m_far = CSlp_Device{};
        return *m_pFar;
    }
    // Near calls, far answers, both connected.
    void Connect()
    {
        StartFar(FastConfig(SLP_ROLE_ANSWER));
        StartNear(FastConfig(SLP_ROLE_CALL));
        ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
        ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_CONNECT));
    }
    void TearDown() override
    {
        m_pNear.reset();
        m_pFar.reset();
    }

    std::unique_ptr<CTest_DevicePair> m_pPair;
    CTest_Notifications m_near;
    CTest_Notifications m_far;
    std::unique_ptr<CSlp_Link> m_pNear;
    std::unique_ptr<CSlp_Link> m_pFar;
};

TEST_P(CSlp_LinkTest, FramesOfEverySizeRoundTripByteExact)
{
    Connect();
    for (size_t n = 1; n <= SLP_MAX_PAYLOAD; ++n)
    {
        const std::vector<unsigned char> request = Pattern(n, static_cast<unsigned>(n));
        ASSERT_EQ(static_cast<int>(n), m_pNear->Write(request.data(), n));
        ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_DATA, n)) << n;
        ASSERT_EQ(request, ReadOne(*m_pFar)) << n;

        const std::vector<unsigned char> answer(request.rbegin(), request.rend());
        ASSERT_EQ(static_cast<int>(n), m_pFar->Write(answer.data(), n));
        ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, n)) << n;
        ASSERT_EQ(answer, ReadOne(*m_pNear)) << n;
    }
    EXPECT_EQ(0u, m_near.Count(SLPNOTIFY_BADDATA));
    EXPECT_EQ(0u, m_far.Count(SLPNOTIFY_BADDATA));
}

TEST_P(CSlp_LinkTest, WriteRefusesWhatNoFrameCanCarry)
{
    CSlp_Link& near = StartNear(FastConfig(SLP_ROLE_CALL));
    const std::vector<unsigned char> big(SLP_MAX_PAYLOAD + 1, 1);
    EXPECT_EQ(0, near.Write(big.data(), 3)) << "not connected yet";
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(peer.Answer());
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
    EXPECT_EQ(0, near.Write(big.data(), 0));
    EXPECT_EQ(0, near.Write(big.data(), big.size()));
    EXPECT_EQ(0, near.Write(nullptr, 3));
    EXPECT_EQ(3, near.Write(big.data(), 3));
    // One whole frame per read, cut to a smaller buffer.
    peer.SendFrame(SLP_FT_DATA, Pattern(10, 1));
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA));
    unsigned char small[4];
    EXPECT_EQ(4, near.Read(small, sizeof small));
    EXPECT_EQ(0, near.Read(small, sizeof small)) << "the rest of the frame is gone with it";
}

TEST_P(CSlp_LinkTest, CorruptedFrameGivesBadDataAndTheNextFrameArrives)
{
    CSlp_Link& near = StartNear(FastConfig(SLP_ROLE_CALL));
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(peer.Answer());
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));

    std::vector<unsigned char> wire;
    SlpEncodeFrame(SLP_FT_DATA, 0, Pattern(60, 3).data(), 60, wire);
    wire[20] ^= 0x01;
    SlpEncodeFrame(SLP_FT_DATA, 1, Pattern(60, 4).data(), 60, wire);
    peer.SendRaw(wire);

    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA));
    EXPECT_EQ(1u, m_near.Count(SLPNOTIFY_BADDATA));
    EXPECT_EQ(Pattern(60, 4), ReadOne(near));
    EXPECT_TRUE(near.IsConnected()) << "bad data changes nothing";
}

TEST_P(CSlp_LinkTest, OversizedAndStalledFramesGiveBadData)
{
    CSlp_Link& near = StartNear(FastConfig(SLP_ROLE_CALL));
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(peer.Answer());
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));

    // Too long: 300 bytes between two flags.
    std::vector<unsigned char> oversized(302, 0x33);
    oversized.front() = SLP_FLAG;
    oversized.back() = SLP_FLAG;
    peer.SendRaw(oversized);
    peer.SendFrame(SLP_FT_DATA, {1});
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, 1));
    EXPECT_EQ(1u, m_near.Count(SLPNOTIFY_BADDATA));

    // The peer stops in the middle of a frame: dropped once the stall time has passed.
    std::vector<unsigned char> partial;
    SlpEncodeFrame(SLP_FT_DATA, 0, Pattern(40, 1).data(), 40, partial);
    partial.resize(20);
    peer.SendRaw(partial);
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_BADDATA, 2));
    peer.SendFrame(SLP_FT_DATA, {2});
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, 2));
    EXPECT_EQ(std::vector<unsigned char>{1}, ReadOne(near));
    EXPECT_EQ(std::vector<unsigned char>{2}, ReadOne(near));
}

TEST_P(CSlp_LinkTest, PeerClosingGivesDisconnect)
{
    // The far link closes properly: it says so on the wire.
    Connect();
    m_pFar->Close();
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DISCONNECT));
    EXPECT_FALSE(m_pNear->IsConnected());
    const unsigned char frame[] = {1, 2, 3};
    EXPECT_EQ(0, m_pNear->Write(frame, 3));
    EXPECT_EQ(1u, m_near.Count(SLPNOTIFY_DISCONNECT)) << "told once";
}

TEST_P(CSlp_LinkTest, PeerVanishingGivesDisconnect)
{
    // The far end just goes away (process ended, cable pulled on a pseudo-terminal or socket).
    StartNear(FastConfig(SLP_ROLE_CALL));
    {
        CTest_RawPeer peer(m_pPair->m_far);
        ASSERT_TRUE(peer.Answer());
    }
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
    SlpCloseDevice(m_pPair->m_far);
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DISCONNECT, 1, 2000));
}

TEST_P(CSlp_LinkTest, SilentPeerIsLostAfterTheKeepAliveTime)
{
    StartNear(FastConfig(SLP_ROLE_CALL));
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(peer.Answer());
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
    // The link keeps talking while the peer says nothing ...
    std::vector<unsigned char> payload;
    EXPECT_TRUE(peer.WaitFrame(SLP_FT_KEEPALIVE, payload, 1000));
    // ... and gives up on it.
    EXPECT_TRUE(m_near.WaitFor(SLPNOTIFY_DISCONNECT, 1, 2000));
}

TEST_P(CSlp_LinkTest, HandshakeIsRepeatedThenGivenUp)
{
    StartNear(FastConfig(SLP_ROLE_CALL));
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DISCONNECT, 1, 2000));
    std::vector<unsigned char> payload;
    while (peer.WaitFrame(SLP_FT_CONNECT_REQ, payload, 100))
    {
    }
    // 400 ms of handshake with a request every 50 ms.
    EXPECT_GE(peer.Frames(SLP_FT_CONNECT_REQ), 5);
    EXPECT_LE(peer.Frames(SLP_FT_CONNECT_REQ), 10);
    EXPECT_EQ(0u, m_near.Count(SLPNOTIFY_CONNECT));
}

TEST_P(CSlp_LinkTest, AcknowledgementWithAForeignNonceIsIgnored)
{
    StartNear(FastConfig(SLP_ROLE_CALL));
    CTest_RawPeer peer(m_pPair->m_far);
    std::vector<unsigned char> request;
    ASSERT_TRUE(peer.WaitFrame(SLP_FT_CONNECT_REQ, request));
    ASSERT_GE(request.size(), 7u);
    std::vector<unsigned char> ack = {SLP_PROTOCOL_VERSION, 1,          0,         request[3],
                                      request[4],           request[5], request[6]};
    ack[3] ^= 0xFF;
    peer.SendFrame(SLP_FT_CONNECT_ACK, ack);
    EXPECT_FALSE(m_near.WaitFor(SLPNOTIFY_CONNECT, 1, 150));
    ack[3] ^= 0xFF;
    peer.SendFrame(SLP_FT_CONNECT_ACK, ack);
    EXPECT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
}

TEST_P(CSlp_LinkTest, HandshakeCarriesTheClassAndThePabxValues)
{
    CSlp_LinkConfig call = FastConfig(SLP_ROLE_CALL);
    call.m_nTransferClass = 2;
    call.m_bPabx = true;
    call.m_serialNo = "SN-4711";
    call.m_nPortId = 0x01020304;
    call.m_bLineParams = true;
    call.m_paramA = "alpha";
    call.m_paramB = std::string(100, 'b'); // longer than the protocol carries
    StartFar(FastConfig(SLP_ROLE_ANSWER));
    StartNear(call);
    ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_CONNECT));
    const CSlp_PeerInfo info = m_pFar->PeerInfo();
    EXPECT_EQ(2, info.m_nTransferClass);
    EXPECT_EQ(SLP_ROLE_CALL, info.m_nRole);
    EXPECT_TRUE(info.m_bPabx);
    EXPECT_EQ("SN-4711", info.m_serialNo);
    EXPECT_EQ(0x01020304, info.m_nPortId);
    EXPECT_EQ("alpha", info.m_paramA);
    EXPECT_EQ(std::string(SLP_PABX_TEXT_MAX, 'b'), info.m_paramB);
}

TEST_P(CSlp_LinkTest, FloodingPeerCannotGrowTheQueue)
{
    CSlp_LinkConfig config = FastConfig(SLP_ROLE_CALL);
    config.m_nRxFramesMax = 16;
    config.m_uLinkLossMs = 3000;
    CSlp_Link& near = StartNear(config);
    CTest_RawPeer peer(m_pPair->m_far);
    ASSERT_TRUE(peer.Answer());
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));

    // Garbage without a single flag, then far more frames than the queue holds; nobody reads.
    peer.SendRaw(std::vector<unsigned char>(256 * 1024, 0x42));
    std::vector<unsigned char> frames;
    for (int i = 0; i < 200; ++i)
        SlpEncodeFrame(SLP_FT_DATA, static_cast<unsigned char>(i),
                       Pattern(60, static_cast<unsigned>(i)).data(), 60, frames);
    peer.SendRaw(frames);
    peer.SendFrame(SLP_FT_KEEPALIVE, {});
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, 16));
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_BADDATA, 2));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(16u, near.QueuedFrames());
    EXPECT_EQ(16u, m_near.Count(SLPNOTIFY_DATA)) << "no notification for a dropped frame";
    EXPECT_EQ(2u, m_near.Count(SLPNOTIFY_BADDATA)) << "garbage once, overflow once";

    // The link still works: the first frames are there and new ones arrive again.
    EXPECT_EQ(Pattern(60, 0), ReadOne(near));
    peer.SendFrame(SLP_FT_DATA, {7});
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, 17));
    EXPECT_TRUE(near.IsConnected());
}

TEST_P(CSlp_LinkTest, IdleLinkUsesNoCpu)
{
    Connect();
    timespec before{};
    timespec after{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    const double used = (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
    // Two links exchanging keep-alives every 100 ms: a handful of wake-ups, no polling loop.
    EXPECT_LT(used, 50.0) << used << " ms of CPU in 500 ms";
    EXPECT_TRUE(m_pNear->IsConnected());
    EXPECT_TRUE(m_pFar->IsConnected());
}

double ProcessCpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Writing a frame lets the reader thread watch for the answer without sleeping; how long it may
// do so per link and what the test allows the whole process over an idle period right after.
struct CTest_SpinCase
{
    const char* m_pszName;
    unsigned m_uSpinUs;
    double m_dIdleCpuMaxMs;
};
const CTest_SpinCase SPIN_CASES[] = {
    {"Default", CSlp_LinkConfig{}.m_uSpinUs, 40.0},
    {"NoSpin", 0, 40.0},
    {"LongSpin", 20000, 60.0}, // a spin of 20 ms that never ended would burn the whole period
};

TEST_P(CSlp_LinkTest, LinkStopsSpinningOnceTrafficEnds)
{
    for (const CTest_SpinCase& row : SPIN_CASES)
    {
        SCOPED_TRACE(row.m_pszName);
        m_pNear.reset();
        m_pFar.reset();
        m_near.Clear();
        m_far.Clear();
        m_pPair = std::make_unique<CTest_DevicePair>(GetParam());
        ASSERT_TRUE(m_pPair->Ok());
        CSlp_LinkConfig answer = FastConfig(SLP_ROLE_ANSWER);
        CSlp_LinkConfig call = FastConfig(SLP_ROLE_CALL);
        answer.m_uSpinUs = call.m_uSpinUs = row.m_uSpinUs;
        StartFar(answer);
        StartNear(call);
        ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
        ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_CONNECT));

        // A burst of round trips as a block transfer makes them: both sides spin.
        constexpr size_t ROUNDS = 200;
        const std::vector<unsigned char> request = Pattern(3, 1);
        const std::vector<unsigned char> reply = Pattern(60, 2);
        for (size_t i = 1; i <= ROUNDS; ++i)
        {
            ASSERT_EQ(3, m_pNear->Write(request.data(), request.size()));
            ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_DATA, i));
            ASSERT_EQ(request, ReadOne(*m_pFar));
            ASSERT_EQ(60, m_pFar->Write(reply.data(), reply.size()));
            ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_DATA, i));
            ASSERT_EQ(reply, ReadOne(*m_pNear));
        }

        const double before = ProcessCpuMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const double used = ProcessCpuMs() - before;
        EXPECT_LT(used, row.m_dIdleCpuMaxMs) << used << " ms of CPU in the 300 ms after the burst";
        EXPECT_TRUE(m_pNear->IsConnected());
    }
}

TEST_P(CSlp_LinkTest, UnansweredFramesDoNotKeepTheLinkSpinning)
{
    // A peer that takes frames but never answers: every spin runs out, and the link backs off
    // instead of spending most of its time watching for answers that do not come.
    CSlp_LinkConfig call = FastConfig(SLP_ROLE_CALL);
    call.m_uSpinUs = 900;
    StartFar(FastConfig(SLP_ROLE_ANSWER));
    StartNear(call);
    ASSERT_TRUE(m_near.WaitFor(SLPNOTIFY_CONNECT));
    ASSERT_TRUE(m_far.WaitFor(SLPNOTIFY_CONNECT));

    const std::vector<unsigned char> frame = Pattern(3, 5);
    const double before = ProcessCpuMs();
    constexpr int FRAMES = 300;
    for (int i = 0; i < FRAMES; ++i)
    {
        ASSERT_EQ(3, m_pNear->Write(frame.data(), frame.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        while (ReadOne(*m_pFar).size())
        {
        }
    }
    const double used = ProcessCpuMs() - before;
    // Spinning after every frame would take 900 us of each millisecond: far above this.
    EXPECT_LT(used, 120.0) << used << " ms of CPU for " << FRAMES << " unanswered frames";
}

TEST_P(CSlp_LinkTest, CloseIsQuickAndFinal)
{
    Connect();
    const auto start = std::chrono::steady_clock::now();
    m_pNear->Close();
    m_pNear->Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    const size_t nCodes = m_near.Codes().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(nCodes, m_near.Codes().size()) << "nothing is notified after Close";
    EXPECT_TRUE(m_far.WaitFor(SLPNOTIFY_DISCONNECT));
}

INSTANTIATE_TEST_SUITE_P(Transports, CSlp_LinkTest, ::testing::Values(TEST_PTY, TEST_TCP),
                         [](const auto& row) { return std::string(row.param == TEST_PTY ? "Pty" : "Tcp"); });
} // namespace

namespace
{
// Each field of SLPV24_TIMING is taken from 10 ms to 600000 ms; outside that, or empty, the field
// keeps its value.
TEST(CSlp_LinkTiming, FieldsAreTakenWithinTheirBoundsOnly)
{
    const struct
    {
        const char* pszValue;
        unsigned uRetry;
        unsigned uHandshake;
        unsigned uKeepAlive;
        unsigned uLoss;
        unsigned uStall;
    } rows[] = {
        {"10,600000,10,600000,10", 10, 600000, 10, 600000, 10},
        {"9,600001,0,,x", 1, 2, 3, 4, 5},
        {"11,599999", 11, 599999, 3, 4, 5},
    };
    for (const auto& row : rows)
    {
        CSlp_LinkConfig config;
        config.m_uHandshakeRetryMs = 1;
        config.m_uHandshakeMs = 2;
        config.m_uKeepAliveMs = 3;
        config.m_uLinkLossMs = 4;
        config.m_uStallMs = 5;
        setenv("SLPV24_TIMING", row.pszValue, 1);
        SlpApplyTimingEnvironment(config);
        unsetenv("SLPV24_TIMING");
        EXPECT_EQ(row.uRetry, config.m_uHandshakeRetryMs) << row.pszValue;
        EXPECT_EQ(row.uHandshake, config.m_uHandshakeMs) << row.pszValue;
        EXPECT_EQ(row.uKeepAlive, config.m_uKeepAliveMs) << row.pszValue;
        EXPECT_EQ(row.uLoss, config.m_uLinkLossMs) << row.pszValue;
        EXPECT_EQ(row.uStall, config.m_uStallMs) << row.pszValue;
    }
}
} // namespace
