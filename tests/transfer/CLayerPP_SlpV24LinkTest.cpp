// The adapter over the real link library on a pseudo-terminal, notifications queued through the
// notification sink onto this (the user-interface) thread, and the protocol library answering as
// the telephone on the other end.

#include "transfer/CLayerPP_SlpV24.h"

#include "CTest_RecordingLayer.h"
#include "platform/CPlatform_NotifySink.h"
#include "slpv24/CSlp_Link.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

namespace
{
QCoreApplication& App()
{
    static int s_argc = 1;
    static char s_arg0[] = "r740_transfer_tests";
    static char* s_argv[] = {s_arg0, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(s_argc, s_argv); // lives for the whole test program
    return *QCoreApplication::instance();
}

template <typename F> bool RunUntil(F condition, int nTimeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < nTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

class CLayerPP_SlpV24LinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        App();
        char szName[256] = {};
        ASSERT_EQ(0, ::openpty(&m_master, &m_slave, szName, nullptr, nullptr));
        ::setenv("SLPV24_DEVICE_4", szName, 1);
        CLayerPP_SlpV24::SetLibraryName(R740_SLPV24_LIBRARY);

        // The telephone: answers the handshake, answers each request with a 60-byte block.
        CSlp_LinkConfig config;
        config.m_nRole = SLP_ROLE_ANSWER;
        m_pPhone = std::make_unique<CSlp_Link>(config,
                                               [this](int nCode)
                                               {
                                                   if (nCode == SLPNOTIFY_DISCONNECT)
                                                       m_bPhoneLost = true;
                                                   if (nCode != SLPNOTIFY_DATA)
                                                       return;
                                                   unsigned char request[256];
                                                   const int n = m_pPhone->Read(request, sizeof request);
                                                   std::vector<unsigned char> answer(60, 0x7E);
                                                   answer[0] = n > 0 ? request[0] : 0;
                                                   answer[1] = 1;
                                                   m_pPhone->Write(answer.data(), answer.size());
                                               });
        CSlp_Device device;
        device.m_fd = ::dup(m_master);
        SlpPrepareDescriptor(device.m_fd, false);
        ASSERT_EQ(1, m_pPhone->Start(device));

        m_pSink = std::make_unique<CPlatform_NotifySink>(
            [this](uint32_t uMsg, uint32_t wParam, int32_t)
            {
                // What the transfer dialog does with the message.
                if (uMsg == m_uMsg && m_pAdapter)
                {
                    m_threads.push_back(std::this_thread::get_id());
                    m_pAdapter->OnRx(static_cast<int>(wParam & 0xFF), -1);
                }
            });
        m_handle = {&CPlatform_NotifySink::Post, m_pSink->Context()};
        m_pAdapter = std::make_unique<CLayerPP_SlpV24>(4, 1, &m_handle, &m_uMsg, 0, 1);
        m_pAdapter->LinkUp(&m_upper, 0);
    }
    void TearDown() override
    {
        m_pAdapter.reset(); // closes the link before the sink goes
        m_pSink.reset();
        m_pPhone.reset();
        ::close(m_master);
        ::close(m_slave);
        ::unsetenv("SLPV24_DEVICE_4");
        CLayerPP_SlpV24::SetLibraryName("");
    }
    bool Got(int nIndication) const
    {
        for (const auto& ind : m_upper.m_indications)
            if (ind.m_nIndication == nIndication)
                return true;
        return false;
    }

    int m_master = -1;
    int m_slave = -1;
    uint32_t m_uMsg = 0xC0A1;
    std::atomic<bool> m_bPhoneLost{false};
    std::unique_ptr<CSlp_Link> m_pPhone;
    std::unique_ptr<CPlatform_NotifySink> m_pSink;
    SlpV24_NotifySink m_handle{}; // the link library's window handle: the sink's callback
    std::unique_ptr<CLayerPP_SlpV24> m_pAdapter;
    CTest_RecordingLayer m_upper;
    std::vector<std::thread::id> m_threads;
};

TEST_F(CLayerPP_SlpV24LinkTest, RequestAndAnswerTravelTheWholeWay)
{
    ASSERT_EQ(1, m_pAdapter->Open());
    ASSERT_TRUE(RunUntil([&]() { return Got(IND_CONNECT); }));
    EXPECT_EQ(IND_CONNECT, m_pAdapter->GetStatus());

    const unsigned char request[] = {16, 0, 0};
    ASSERT_EQ(3, m_pAdapter->Write(request, sizeof request));
    ASSERT_TRUE(RunUntil([&]() { return Got(IND_DATA); }));
    unsigned char buffer[LAYER_BUFFER_SIZE];
    ASSERT_EQ(60, m_pAdapter->Read(buffer, sizeof buffer));
    EXPECT_EQ(16, buffer[0]);
    EXPECT_EQ(1, buffer[1]);
    EXPECT_EQ(0x7E, buffer[59]);
    for (const auto& id : m_threads)
        EXPECT_EQ(std::this_thread::get_id(), id) << "notifications run on the user-interface thread";

    EXPECT_EQ(1, m_pAdapter->Close());
    ASSERT_TRUE(RunUntil([&]() { return m_bPhoneLost.load(); }));
}

TEST_F(CLayerPP_SlpV24LinkTest, TelephoneGoingAwayClosesTheStack)
{
    ASSERT_EQ(1, m_pAdapter->Open());
    ASSERT_TRUE(RunUntil([&]() { return Got(IND_CONNECT); }));
    m_pPhone->Close();
    ASSERT_TRUE(RunUntil([&]() { return Got(IND_DISCONNECT); }));
    EXPECT_EQ(0, m_pAdapter->IsOpen());
    EXPECT_EQ(LINK_CLOSED, m_pAdapter->GetStatus());
    // A new open over the same adapter loads the library again.
    EXPECT_EQ(1, m_pAdapter->Open());
}
} // namespace
