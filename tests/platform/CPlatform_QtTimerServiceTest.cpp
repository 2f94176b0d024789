#include "platform/CPlatform_QtTimerService.h"
#include "platform/CPlatform_NotifySink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

namespace
{
// One application object for the program's lifetime: Qt allows no second one after the first.
QCoreApplication& App()
{
    static int s_argc = 1;
    static char s_arg0[] = "r740_platform_tests";
    static char* s_argv[] = {s_arg0, nullptr};
    static QCoreApplication* s_pApp =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(s_argc, s_argv);
    (void)s_pApp;
    return *QCoreApplication::instance();
}

// Runs the event loop until the condition holds or the time is up.
template <typename F> bool RunUntil(F condition, int nTimeoutMs = 2000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < nTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

std::vector<unsigned> s_fired;
CPlatform_QtTimerService* s_pService = nullptr;

void Record(unsigned uId)
{
    s_fired.push_back(uId);
}

void StopSelf(unsigned uId)
{
    s_fired.push_back(uId);
    s_pService->Stop(uId);
}

class CPlatform_QtTimerServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        App();
        s_fired.clear();
        s_pService = &m_service;
    }
    void TearDown() override { s_pService = nullptr; }
    size_t Count(unsigned uId) const
    {
        return static_cast<size_t>(std::count(s_fired.begin(), s_fired.end(), uId));
    }

    CPlatform_QtTimerService m_service;
};

TEST_F(CPlatform_QtTimerServiceTest, TimersRepeatUntilStopped)
{
    EXPECT_EQ(1, m_service.Start(3, 10, &Record));
    EXPECT_TRUE(m_service.IsRunning(3));
    ASSERT_TRUE(RunUntil([&]() { return Count(3) >= 3; }));
    EXPECT_EQ(1, m_service.Stop(3));
    EXPECT_FALSE(m_service.IsRunning(3));
    const size_t n = s_fired.size();
    RunUntil([]() { return false; }, 60);
    EXPECT_EQ(n, s_fired.size());
    EXPECT_EQ(1, m_service.Stop(6)) << "stopping a timer that never ran is no error";
    EXPECT_EQ(0, m_service.Start(4, 10, nullptr));
}

TEST_F(CPlatform_QtTimerServiceTest, CallbackMayStopItsOwnTimerAndOthersRunOn)
{
    m_service.Start(1, 5, &StopSelf);
    m_service.Start(2, 5, &Record);
    ASSERT_TRUE(RunUntil([&]() { return Count(2) >= 4; }));
    EXPECT_EQ(1u, Count(1));
    EXPECT_FALSE(m_service.IsRunning(1));
    // Restarting with a long period pushes the next expiry out.
    m_service.Start(2, 60000, &Record);
    const size_t n = Count(2);
    RunUntil([]() { return false; }, 50);
    EXPECT_EQ(n, Count(2));
}

TEST(CPlatform_NotifySinkTest, NotificationsFromAnotherThreadArriveOnTheSinksThread)
{
    App();
    std::vector<std::tuple<uint32_t, uint32_t, int32_t>> received;
    std::vector<std::thread::id> threads;
    CPlatform_NotifySink sink(
        [&](uint32_t uMsg, uint32_t wParam, int32_t lParam)
        {
            received.emplace_back(uMsg, wParam, lParam);
            threads.push_back(std::this_thread::get_id());
        });
    void* pContext = sink.Context();
    std::thread library(
        [pContext]()
        {
            for (uint32_t code = 1; code <= 4; ++code)
                CPlatform_NotifySink::Post(pContext, 0xC000, code, 42);
        });
    library.join();
    EXPECT_TRUE(received.empty()) << "nothing runs on the library's thread";
    ASSERT_TRUE(RunUntil([&]() { return received.size() == 4; }));
    for (uint32_t code = 1; code <= 4; ++code)
        EXPECT_EQ(std::make_tuple(0xC000u, code, 42), received[code - 1]);
    for (const auto& id : threads)
        EXPECT_EQ(std::this_thread::get_id(), id);
}

TEST(CPlatform_NotifySinkTest, QueuedNotificationsDieWithTheSink)
{
    App();
    int nCalls = 0;
    auto pSink = std::make_unique<CPlatform_NotifySink>([&](uint32_t, uint32_t, int32_t) { ++nCalls; });
    void* pContext = pSink->Context();
    std::thread library([pContext]() { CPlatform_NotifySink::Post(pContext, 1, 3, 1); });
    library.join();
    pSink.reset();
    RunUntil([]() { return false; }, 30);
    EXPECT_EQ(0, nCalls);
}
} // namespace
