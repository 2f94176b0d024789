#include "slpv24/SlpV24.h"

#include "CTest_SlpPeer.h"

#include <gtest/gtest.h>

#include <cstring>

#include <cstdlib>
#include <memory>
#include <thread>

namespace
{
// Sets an environment variable for one test and restores it.
class CEnv
{
public:
    CEnv(const char* pszName, const std::string& value) : m_name(pszName)
    {
        if (const char* psz = std::getenv(pszName))
        {
            m_bHad = true;
            m_old = psz;
        }
        ::setenv(pszName, value.c_str(), 1);
    }
    ~CEnv()
    {
        if (m_bHad)
            ::setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    bool m_bHad = false;
    std::string m_old;
};

// What the program's sink does, minus the queueing: records message id, code and link handle.
struct CSinkRecord
{
    CTest_Notifications m_codes;
    std::mutex m_mutex;
    uint32_t m_uMsg = 0;
    int32_t m_hLink = 0;
    CSlp_Link::Notify m_fn = m_codes.Callback();

    static void Notify(void* pContext, uint32_t uMsg, uint32_t wParam, int32_t lParam)
    {
        auto* pThis = static_cast<CSinkRecord*>(pContext);
        {
            std::lock_guard<std::mutex> lock(pThis->m_mutex);
            pThis->m_uMsg = uMsg;
            pThis->m_hLink = lParam;
        }
        pThis->m_fn(static_cast<int>(wParam));
    }
};

class SlpV24ApiTest : public ::testing::Test
{
protected:
    SlpV24_NotifySink m_sink{&CSinkRecord::Notify, &m_record};
    CSinkRecord m_record;
    uint32_t m_uMsg = 0xC0DE;
};

TEST_F(SlpV24ApiTest, PortNumbersNameDevices)
{
    ::unsetenv("SLPV24_DEVICE");
    ::unsetenv("SLPV24_PABX_HOST");
    const struct
    {
        int m_nPort;
        const char* m_pszDevice;
    } cases[] = {
        {1, "/dev/ttyS0"},
        {4, "/dev/ttyS3"},
        {20, "tcp:127.0.0.1:47020"},
        {30, "tcp:127.0.0.1:47030"},
        {40, "tcp:127.0.0.1:47040"},
        {0, ""},
        {-3, ""},
        {99, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.m_pszDevice, SlpDeviceForPort(c.m_nPort)) << c.m_nPort;
    const std::string usb = SlpDeviceForPort(11);
    EXPECT_TRUE(usb == "/dev/ttyACM1" || usb == "/dev/ttyUSB1") << usb;

    {
        CEnv host("SLPV24_PABX_HOST", "pabx.example");
        EXPECT_EQ("tcp:pabx.example:47030", SlpDeviceForPort(30));
    }
    {
        CEnv all("SLPV24_DEVICE", "/dev/pts/77");
        CEnv one("SLPV24_DEVICE_10", "tcp:127.0.0.1:9");
        EXPECT_EQ("tcp:127.0.0.1:9", SlpDeviceForPort(10));
        EXPECT_EQ("/dev/pts/77", SlpDeviceForPort(11));
        EXPECT_EQ("/dev/pts/77", SlpDeviceForPort(40));
    }
}

TEST_F(SlpV24ApiTest, OpenOverAPseudoTerminalConnectsAndMovesFrames)
{
    CTest_DevicePair pair(TEST_PTY);
    ASSERT_TRUE(pair.Ok());
    CEnv device("SLPV24_DEVICE_3", pair.m_slavePath);
    CEnv timing("SLPV24_TIMING", "50,400,100,400,100");
    // The telephone's side: an answering link on the master.
    CTest_Notifications phone;
    CSlp_LinkConfig config;
    config.m_nRole = SLP_ROLE_ANSWER;
    CSlp_Link far(config, phone.Callback());
    ASSERT_EQ(1, far.Start(pair.m_far));
    pair.m_far = CSlp_Device{};

    uint32_t hLink = 0;
    ASSERT_EQ(0, SlpV24_OpenEx(&hLink, &m_uMsg, 3, 1, &m_sink, 0, 1));
    EXPECT_NE(0u, hLink);
    ASSERT_TRUE(m_record.m_codes.WaitFor(SLPNOTIFY_CONNECT));
    {
        std::lock_guard<std::mutex> lock(m_record.m_mutex);
        EXPECT_EQ(0xC0DEu, m_record.m_uMsg);
        EXPECT_EQ(static_cast<int32_t>(hLink), m_record.m_hLink);
    }
    EXPECT_EQ(1, far.PeerInfo().m_nTransferClass);

    const unsigned char request[] = {16, 0, 0};
    EXPECT_EQ(3, SlpV24_Write(hLink, request, 3));
    ASSERT_TRUE(phone.WaitFor(SLPNOTIFY_DATA));
    unsigned char buffer[256];
    ASSERT_EQ(3, far.Read(buffer, sizeof buffer));
    EXPECT_EQ(16, buffer[0]);
    const std::vector<unsigned char> answer(60, 0x7E);
    EXPECT_EQ(60, far.Write(answer.data(), answer.size()));
    ASSERT_TRUE(m_record.m_codes.WaitFor(SLPNOTIFY_DATA));
    ASSERT_EQ(60, SlpV24_Read(hLink, buffer, sizeof buffer));
    EXPECT_EQ(answer, std::vector<unsigned char>(buffer, buffer + 60));
    EXPECT_EQ(0, SlpV24_Read(hLink, buffer, sizeof buffer)) << "one frame, one read";

    EXPECT_EQ(0, SlpV24_Close(hLink));
    EXPECT_NE(0, SlpV24_Close(hLink)) << "closed handles are unknown";
    EXPECT_EQ(0, SlpV24_Write(hLink, request, 3));
    EXPECT_TRUE(phone.WaitFor(SLPNOTIFY_DISCONNECT));
}

TEST_F(SlpV24ApiTest, PabxOpensPassTheirValuesOverTcp)
{
    struct CCase
    {
        const char* m_pszName;
        bool m_bKnt;
    };
    for (const CCase c : {CCase{"OpenEx2", false}, CCase{"OpenKNT", true}})
    {
        int nPort = 0;
        const int listener = CTest_DevicePair::ListenLoopback(nPort);
        ASSERT_GE(listener, 0);
        CEnv device("SLPV24_DEVICE_20", "tcp:127.0.0.1:" + std::to_string(nPort));
        uint32_t hLink = 0;
        const int32_t rc = c.m_bKnt
                               ? SlpV24_OpenKNT(&hLink, &m_uMsg, 20, 3, &m_sink, 0, 1, "SN-9", 12, "A1", "B2")
                               : SlpV24_OpenEx2(&hLink, &m_uMsg, 20, 3, &m_sink, 0, 1, "SN-9", 12);
        ASSERT_EQ(0, rc) << c.m_pszName;
        CSlp_Device accepted;
        accepted.m_fd = ::accept(listener, nullptr, nullptr);
        accepted.m_bSocket = true;
        ::close(listener);
        ASSERT_EQ(1, SlpPrepareDescriptor(accepted.m_fd, true));

        CTest_Notifications pabx;
        CSlp_LinkConfig config;
        config.m_nRole = SLP_ROLE_ANSWER;
        CSlp_Link far(config, pabx.Callback());
        ASSERT_EQ(1, far.Start(accepted));
        ASSERT_TRUE(pabx.WaitFor(SLPNOTIFY_CONNECT)) << c.m_pszName;
        const CSlp_PeerInfo info = far.PeerInfo();
        EXPECT_EQ(3, info.m_nTransferClass);
        EXPECT_EQ("SN-9", info.m_serialNo);
        EXPECT_EQ(12, info.m_nPortId);
        EXPECT_EQ(c.m_bKnt, info.m_bLineParams);
        if (c.m_bKnt)
        {
            EXPECT_EQ("A1", info.m_paramA);
            EXPECT_EQ("B2", info.m_paramB);
        }
        EXPECT_EQ(0, SlpV24_Close(hLink));
    }
}

TEST_F(SlpV24ApiTest, OpenFailsOnBadArgumentsAndMissingDevices)
{
    CEnv device("SLPV24_DEVICE_5", "/nonexistent/tty");
    uint32_t hLink = 77;
    SlpV24_NotifySink noCallback{nullptr, nullptr};
    // Every failed open leaves the device and the reason for the caller to show.
    const auto LastError = []()
    {
        char szText[256];
        const int nLength = SlpV24_GetLastError(szText, sizeof szText);
        EXPECT_EQ(static_cast<size_t>(nLength), std::strlen(szText));
        return std::string(szText);
    };
    EXPECT_NE(0, SlpV24_OpenEx(&hLink, &m_uMsg, 5, 1, &m_sink, 0, 1));
    EXPECT_EQ(0u, hLink);
    EXPECT_EQ("/nonexistent/tty: No such file or directory", LastError());
    char szShort[5] = "xxxx";
    EXPECT_EQ(43, SlpV24_GetLastError(szShort, sizeof szShort));
    EXPECT_STREQ("/non", szShort) << "cut to the buffer, terminated";
    EXPECT_EQ(43, SlpV24_GetLastError(nullptr, 0));
    // The reason belongs to the thread whose open failed.
    std::thread([] { EXPECT_EQ(0, SlpV24_GetLastError(nullptr, 0)); }).join();
    EXPECT_NE(0, SlpV24_OpenEx(nullptr, &m_uMsg, 5, 1, &m_sink, 0, 1));
    EXPECT_NE(0, SlpV24_OpenEx(&hLink, nullptr, 5, 1, &m_sink, 0, 1));
    EXPECT_NE(0, SlpV24_OpenEx(&hLink, &m_uMsg, 5, 1, nullptr, 0, 1));
    EXPECT_NE(0, SlpV24_OpenEx(&hLink, &m_uMsg, 5, 1, &noCallback, 0, 1));
    EXPECT_NE(0, SlpV24_OpenEx(&hLink, &m_uMsg, 99, 1, &m_sink, 0, 1)) << "no device for the port";
    EXPECT_EQ("port 99: no device for this port", LastError());
    EXPECT_NE(0, SlpV24_Open());

    // A refused TCP connection fails the open at once.
    int nPort = 0;
    const int listener = CTest_DevicePair::ListenLoopback(nPort);
    ::close(listener);
    CEnv tcp("SLPV24_DEVICE_20", "tcp:127.0.0.1:" + std::to_string(nPort));
    EXPECT_NE(0, SlpV24_OpenEx2(&hLink, &m_uMsg, 20, 1, &m_sink, 0, 1, nullptr, 0));
    EXPECT_EQ("tcp:127.0.0.1:" + std::to_string(nPort) + ": Connection refused", LastError());
    CEnv bad("SLPV24_DEVICE_30", "tcp:nocolon");
    EXPECT_NE(0, SlpV24_OpenEx2(&hLink, &m_uMsg, 30, 1, &m_sink, 0, 1, nullptr, 0));
    EXPECT_EQ("tcp:nocolon: not HOST:PORT", LastError());
}

TEST_F(SlpV24ApiTest, UnknownHandlesAndBadBuffersAreHarmless)
{
    unsigned char buffer[8];
    EXPECT_EQ(0, SlpV24_Read(0, buffer, sizeof buffer));
    EXPECT_EQ(0, SlpV24_Read(12345, buffer, sizeof buffer));
    EXPECT_EQ(0, SlpV24_Write(12345, buffer, sizeof buffer));
    EXPECT_NE(0, SlpV24_Close(0));
    EXPECT_EQ(0, SlpV24_Read(1, nullptr, 8));
    EXPECT_EQ(0, SlpV24_Read(1, buffer, -1));
    EXPECT_EQ(0, SlpV24_Write(1, nullptr, 8));
    EXPECT_EQ(0, SlpV24_Write(1, buffer, -1));
}

TEST_F(SlpV24ApiTest, SimulationRoleAnswersTheOtherSide)
{
    CTest_DevicePair pair(TEST_PTY);
    ASSERT_TRUE(pair.Ok());
    CEnv device("SLPV24_DEVICE_2", pair.m_slavePath);
    uint32_t hLink = 0;
    ASSERT_EQ(0, SlpV24_OpenEx(&hLink, &m_uMsg, 2, 1, &m_sink, 0, 0));
    // The other side calls; the program, playing the telephone, answers.
    CTest_Notifications caller;
    CSlp_LinkConfig config;
    config.m_nRole = SLP_ROLE_CALL;
    config.m_nTransferClass = 2;
    CSlp_Link far(config, caller.Callback());
    ASSERT_EQ(1, far.Start(pair.m_far));
    pair.m_far = CSlp_Device{};
    ASSERT_TRUE(caller.WaitFor(SLPNOTIFY_CONNECT));
    ASSERT_TRUE(m_record.m_codes.WaitFor(SLPNOTIFY_CONNECT));
    EXPECT_EQ(0, SlpV24_Close(hLink));
}
} // namespace
