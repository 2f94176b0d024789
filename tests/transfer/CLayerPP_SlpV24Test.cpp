#include "transfer/CLayerPP_SlpV24.h"

#include "CTest_RecordingLayer.h"
#include "CTest_TraceLines.h"
#include "testsupport/CTest_FakeSlpV24.h"
#include "testsupport/CTest_ManualClock.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <memory>

namespace
{
const std::string s_fakeDir = R740_FAKE_SLPV24_DIR;

std::string FakePath(const char* pszVariant)
{
    return s_fakeDir + "/libFakeSlpV24" + pszVariant + ".so";
}

// Whether a library is loaded in this process at all (by anyone).
bool IsLoaded(const std::string& path)
{
    void* p = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!p)
        return false;
    ::dlclose(p);
    return true;
}

// An adapter over the fake library with a recording layer on top, as the transfer dialog builds
// the stack. The test keeps the fake loaded so that its record outlives the adapter's unloading.
class CLayerPP_SlpV24Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pLibrary = ::dlopen(FakePath("").c_str(), RTLD_NOW);
        ASSERT_NE(nullptr, m_pLibrary) << ::dlerror();
        auto pfnState = reinterpret_cast<PfnFakeSlpV24_State>(::dlsym(m_pLibrary, "FakeSlpV24_State"));
        ASSERT_NE(nullptr, pfnState);
        m_pState = pfnState();
        m_pState->Reset();
        CLayerPP_SlpV24::SetLibraryName(FakePath(""));
    }
    void TearDown() override
    {
        m_pAdapter.reset();
        CLayerPP_SlpV24::SetLibraryName("");
        if (m_pLibrary)
            ::dlclose(m_pLibrary);
    }

    CLayerPP_SlpV24& Make(int nPort, const char* pszSerialNo = nullptr, int nPortId = 0,
                          const char* pszParamA = nullptr, const char* pszParamB = nullptr)
    {
        m_pAdapter = std::make_unique<CLayerPP_SlpV24>(nPort, 2, &m_window, &m_uMsg, 0, 1, pszSerialNo,
                                                       nPortId, pszParamA, pszParamB);
        m_pAdapter->LinkUp(&m_upper, 0);
        return *m_pAdapter;
    }
    std::vector<int> OpenPorts() const
    {
        std::vector<int> ports;
        for (const auto& call : m_pState->m_calls)
            if (call.m_name.compare(0, 4, "Open") == 0)
                ports.push_back(call.m_nPort);
        return ports;
    }

    CTest_TraceLines m_trace;
    CTest_ManualClock m_clock;
    void* m_pLibrary = nullptr; // the test's own hold on the fake
    CTest_FakeSlpV24State* m_pState = nullptr;
    int m_window = 0; // stands for the notification sink
    uint32_t m_uMsg = 0xC123;
    CTest_RecordingLayer m_upper;
    std::unique_ptr<CLayerPP_SlpV24> m_pAdapter;
};

TEST_F(CLayerPP_SlpV24Test, OpenPassesItsArgumentsAndConnectsOnlyOnNotification)
{
    CLayerPP_SlpV24& adapter = Make(3);
    EXPECT_STREQ("CLayerPP_SlpV24", adapter.GetClassName());
    ASSERT_EQ(1, adapter.Open());
    ASSERT_EQ(1u, m_pState->m_calls.size());
    const CTest_FakeSlpV24Call& call = m_pState->m_calls[0];
    EXPECT_EQ("OpenEx", call.m_name);
    EXPECT_EQ(&m_uMsg, call.m_pMsgNotify);
    EXPECT_EQ(3, call.m_nPort);
    EXPECT_EQ(2, call.m_nTransferClass);
    EXPECT_EQ(&m_window, call.m_hWnd);
    EXPECT_EQ(0, call.m_nReserved);
    EXPECT_EQ(1, call.m_nRole);
    EXPECT_EQ(1, adapter.IsOpen());
    EXPECT_EQ(0, adapter.IsConnected());
    EXPECT_EQ(IND_DISCONNECT, adapter.GetStatus());
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open()."));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open() SlpV24_OpenEx()"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open() SlpV24_OpenEx() success."));
    EXPECT_EQ(0u, m_clock.Running()) << "the adapter starts no timers";
}

// One row per way an open can go: which open, the port, the library's answers, the result, the
// ports the library was asked for and the trace lines.
struct COpenCase
{
    const char* m_pszName;
    int (CLayerPP::*m_pfnOpen)();
    int m_nPort;
    std::vector<int32_t> m_results;
    int m_nExpected;
    std::vector<int> m_ports;
    std::vector<std::string> m_lines;
};

class CLayerPP_SlpV24OpenTest : public CLayerPP_SlpV24Test, public ::testing::WithParamInterface<COpenCase>
{
};

TEST_P(CLayerPP_SlpV24OpenTest, FollowsTheRetryRules)
{
    const COpenCase& c = GetParam();
    CLayerPP_SlpV24& adapter = Make(c.m_nPort, "SN-1", 7, "A", "B");
    m_pState->m_openResults.assign(c.m_results.begin(), c.m_results.end());
    EXPECT_EQ(c.m_nExpected, (adapter.*c.m_pfnOpen)());
    EXPECT_EQ(c.m_ports, OpenPorts());
    EXPECT_EQ(c.m_nExpected, adapter.IsOpen());
    for (const std::string& line : c.m_lines)
        EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: " + line)) << line;
    // A failed open closes nothing in the library (nothing was opened) and unloads it.
    EXPECT_EQ(0u, m_pState->Count("Close"));
}

INSTANTIATE_TEST_SUITE_P(
    Opens, CLayerPP_SlpV24OpenTest,
    ::testing::Values(
        COpenCase{"UsbFirstFailsSecondWorks",
                  &CLayerPP::Open,
                  10,
                  {1, 0},
                  1,
                  {10, 11},
                  {"Open() SlpV24_OpenEx() USB0 fails!", "Open() SlpV24_OpenEx() USB1 success.",
                   "Open() SlpV24_OpenEx() success."}},
        COpenCase{"UsbBothFail",
                  &CLayerPP::Open,
                  10,
                  {1, 1, 0},
                  0,
                  {10, 11},
                  {"Open() SlpV24_OpenEx() USB0 fails!", "Open() SlpV24_OpenEx() USB1 fails!", "Close()."}},
        COpenCase{
            "SerialFailsWithoutRetry", &CLayerPP::Open, 3, {1, 0}, 0, {3}, {"Open() SlpV24_OpenEx() fails!"}},
        COpenCase{"SecondUsbPortFailsWithoutRetry",
                  &CLayerPP::Open,
                  11,
                  {1, 0},
                  0,
                  {11},
                  {"Open() SlpV24_OpenEx() fails!"}},
        COpenCase{"SystelUsbFailsWithoutRetry",
                  &CLayerPP::OpenSystel,
                  10,
                  {1, 0},
                  0,
                  {10},
                  {"OpenSystel().", "OpenSystel() SlpV24_OpenEx2()", "OpenSystel() SlpV24_OpenEx2() fails!"}},
        COpenCase{"SystelWorks",
                  &CLayerPP::OpenSystel,
                  20,
                  {0},
                  1,
                  {20},
                  {"OpenSystel() SlpV24_OpenEx2() success."}},
        COpenCase{"KntUsbFailsWithoutRetry",
                  &CLayerPP::OpenSystelKNT,
                  10,
                  {1, 0},
                  0,
                  {10},
                  {"OpenSystelKNT().", "OpenSystelKNT() SlpV24_OpenKNT()",
                   "OpenSystelKNT() SlpV24_OpenKNT() fails!"}},
        COpenCase{"KntWorks",
                  &CLayerPP::OpenSystelKNT,
                  30,
                  {0},
                  1,
                  {30},
                  {"OpenSystelKNT() SlpV24_OpenKNT() success."}}),
    [](const auto& row) { return std::string(row.param.m_pszName); });

TEST_F(CLayerPP_SlpV24Test, PabxValuesReachTheirEntryPoints)
{
    Make(40, "4711-0815", 3, "line-a", "line-b").OpenSystelKNT();
    ASSERT_EQ(1u, m_pState->m_calls.size());
    const CTest_FakeSlpV24Call& knt = m_pState->m_calls[0];
    EXPECT_EQ("OpenKNT", knt.m_name);
    EXPECT_EQ("4711-0815", knt.m_serialNo);
    EXPECT_EQ(3, knt.m_nPortId);
    EXPECT_TRUE(knt.m_bParams);
    EXPECT_EQ("line-a", knt.m_paramA);
    EXPECT_EQ("line-b", knt.m_paramB);

    m_pAdapter.reset();
    m_pState->Reset();
    Make(20).OpenSystel();
    ASSERT_EQ(1u, m_pState->m_calls.size());
    EXPECT_EQ("OpenEx2", m_pState->m_calls[0].m_name);
    EXPECT_FALSE(m_pState->m_calls[0].m_bSerialNo) << "no hand-off: no serial number";
    EXPECT_EQ(0, m_pState->m_calls[0].m_nPortId);
}

TEST_F(CLayerPP_SlpV24Test, OpenOnAnOpenAdapterFailsAndChangesNothing)
{
    CLayerPP_SlpV24& adapter = Make(3);
    ASSERT_EQ(1, adapter.Open());
    const size_t nCalls = m_pState->m_calls.size();
    EXPECT_EQ(0, adapter.Open());
    EXPECT_EQ(0, adapter.OpenSystel());
    EXPECT_EQ(0, adapter.OpenSystelKNT());
    EXPECT_EQ(nCalls, m_pState->m_calls.size());
    EXPECT_EQ(1, adapter.IsOpen());
    // The adapter still works.
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    const unsigned char frame[] = {16, 0, 0};
    EXPECT_EQ(3, adapter.Write(frame, 3));
}

TEST_F(CLayerPP_SlpV24Test, WithoutMessageIdPointerNothingIsLoaded)
{
    ::dlclose(m_pLibrary);
    m_pLibrary = nullptr;
    auto pAdapter = std::make_unique<CLayerPP_SlpV24>(3, 1, &m_window, nullptr, 0, 1);
    EXPECT_EQ(0, pAdapter->Open());
    EXPECT_EQ(0, pAdapter->OpenSystel());
    EXPECT_EQ(0, pAdapter->OpenSystelKNT());
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open() m_pMsgNofity NULL-Pointer!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: OpenSystel() m_pMsgNofity NULL-Pointer!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: OpenSystelKNT() m_pMsgNofity NULL-Pointer!"));
    EXPECT_FALSE(IsLoaded(FakePath("")));
}

TEST_F(CLayerPP_SlpV24Test, MissingLibraryFailsTheOpen)
{
    CLayerPP_SlpV24::SetLibraryName(s_fakeDir + "/libNoSuchLinkLibrary.so");
    CLayerPP_SlpV24& adapter = Make(3);
    EXPECT_EQ(0, adapter.Open());
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: SlpV24_OpenDll() LoadLibrary(SlpV24.DLL) fails!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open() SlpV24_OpenDll() fails!"));
    EXPECT_EQ(0, adapter.IsOpen());
}

TEST_F(CLayerPP_SlpV24Test, LibraryWithoutWriteIsRefusedAndUnloaded)
{
    CLayerPP_SlpV24::SetLibraryName(FakePath("_NoWrite"));
    CLayerPP_SlpV24& adapter = Make(3);
    EXPECT_EQ(0, adapter.Open());
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: SlpV24_OpenDll() GetProcAddress() fails!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Open() SlpV24_OpenDll() fails!"));
    EXPECT_FALSE(IsLoaded(FakePath("_NoWrite")));
}

TEST_F(CLayerPP_SlpV24Test, LibraryWithoutKntOpensAllButTheLineLink)
{
    CLayerPP_SlpV24::SetLibraryName(FakePath("_NoKNT"));
    CLayerPP_SlpV24& adapter = Make(30, "SN", 1, "A", "B");
    EXPECT_EQ(0, adapter.OpenSystelKNT());
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: OpenSystelKNT() SlpV24_OpenKNT() fails!"));
    EXPECT_FALSE(IsLoaded(FakePath("_NoKNT")));
    EXPECT_EQ(1, adapter.Open());
    EXPECT_EQ(1, adapter.Close());
}

TEST_F(CLayerPP_SlpV24Test, CloseReleasesTheLinkOnceAndAllowsANewOpen)
{
    CLayerPP_SlpV24& adapter = Make(3);
    EXPECT_EQ(1, adapter.Close()) << "closing a closed adapter succeeds";
    EXPECT_EQ(0u, m_pState->Count("Close"));

    ASSERT_EQ(1, adapter.Open());
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    EXPECT_EQ(1, adapter.Close());
    ASSERT_EQ(1u, m_pState->Count("Close"));
    EXPECT_EQ(m_pState->m_hLink, m_pState->m_calls.back().m_hLink);
    EXPECT_EQ(0, adapter.IsOpen());
    EXPECT_EQ(0, adapter.IsConnected());
    EXPECT_EQ(1, adapter.Close());
    EXPECT_EQ(1u, m_pState->Count("Close"));

    EXPECT_EQ(1, adapter.Open());
    EXPECT_EQ(2u, m_pState->Count("OpenEx"));
}

TEST_F(CLayerPP_SlpV24Test, ReadAndWriteBeforeConnectCallNothing)
{
    CLayerPP_SlpV24& adapter = Make(3);
    ASSERT_EQ(1, adapter.Open());
    m_pState->m_frames.push_back({1, 2, 3});
    unsigned char buffer[LAYER_BUFFER_SIZE];
    const unsigned char frame[] = {16, 0, 0};
    EXPECT_EQ(0, adapter.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, adapter.Write(frame, sizeof frame));
    EXPECT_EQ(0u, m_pState->Count("Read"));
    EXPECT_EQ(0u, m_pState->Count("Write"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Read() Not connected!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Write() Not connected!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Write(). { 10 00 00 }"));
}

TEST_F(CLayerPP_SlpV24Test, ReadAndWriteAfterConnectAreDumped)
{
    CLayerPP_SlpV24& adapter = Make(3);
    ASSERT_EQ(1, adapter.Open());
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    m_pState->m_frames.push_back({0x10, 0x01, 0xff});
    unsigned char buffer[LAYER_BUFFER_SIZE] = {};
    EXPECT_EQ(3, adapter.Read(buffer, sizeof buffer));
    EXPECT_EQ(0xff, buffer[2]);
    EXPECT_EQ(static_cast<int32_t>(sizeof buffer), m_pState->m_calls.back().m_nSize);
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Read(). { 10 01 ff }"));

    const unsigned char frame[] = {0x00, 0x01};
    EXPECT_EQ(2, adapter.Write(frame, sizeof frame));
    EXPECT_EQ((std::vector<unsigned char>{0x00, 0x01}), m_pState->m_calls.back().m_data);
    EXPECT_TRUE(m_trace.Has("CLayerPP_SlpV24: Write(). { 00 01 }"));

    // A short write is passed on for the state machine to judge.
    m_pState->m_nWriteResult = 1;
    EXPECT_EQ(1, adapter.Write(frame, sizeof frame));
}

TEST_F(CLayerPP_SlpV24Test, ReadCountNeverLeavesTheCallersBuffer)
{
    CLayerPP_SlpV24& adapter = Make(3);
    ASSERT_EQ(1, adapter.Open());
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    unsigned char buffer[8];
    m_pState->m_bReadCountOverride = true;
    for (const auto& [nLibrary, nExpected] :
         std::vector<std::pair<int32_t, int>>{{1000, 8}, {-5, 0}, {8, 8}, {3, 3}})
    {
        m_pState->m_nReadCount = nLibrary;
        EXPECT_EQ(nExpected, adapter.Read(buffer, sizeof buffer)) << nLibrary;
    }
}

struct CNotifyCase
{
    const char* m_pszName;
    int m_nCode;
    std::vector<int> m_indications; // reaching the layer above
    int m_nOpenAfter;
    int m_nConnectedAfter;
    const char* m_pszLine;
};

class CLayerPP_SlpV24NotifyTest : public CLayerPP_SlpV24Test,
                                  public ::testing::WithParamInterface<CNotifyCase>
{
};

TEST_P(CLayerPP_SlpV24NotifyTest, BecomesAnIndication)
{
    const CNotifyCase& c = GetParam();
    CLayerPP_SlpV24& adapter = Make(3);
    ASSERT_EQ(1, adapter.Open());
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    m_upper.m_indications.clear();
    // The layer above must hear of a loss while the link is still open below it.
    m_upper.m_fnMark = [this]() { return m_pState->Count("Close"); };

    EXPECT_EQ(1, adapter.OnRx(c.m_nCode, -1));
    std::vector<int> indications;
    for (const auto& ind : m_upper.m_indications)
    {
        indications.push_back(ind.m_nIndication);
        EXPECT_EQ(-1, ind.m_nParam);
        EXPECT_EQ(0u, ind.m_nMark) << "closed before the indication went up";
    }
    EXPECT_EQ(c.m_indications, indications);
    EXPECT_EQ(c.m_nOpenAfter, adapter.IsOpen());
    EXPECT_EQ(c.m_nConnectedAfter, adapter.IsConnected());
    EXPECT_EQ(c.m_nOpenAfter ? 0u : 1u, m_pState->Count("Close"));
    EXPECT_TRUE(m_trace.Has(std::string("CLayerPP_SlpV24: ") + c.m_pszLine)) << c.m_pszLine;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CLayerPP_SlpV24NotifyTest,
    ::testing::Values(CNotifyCase{"Connect", 1, {IND_CONNECT}, 1, 1, "OnRx() SLPNOTIFY_CONNECT"},
                      CNotifyCase{"Disconnect", 2, {IND_DISCONNECT}, 0, 0, "OnRx() SLPNOTIFY_DISCONNECT"},
                      CNotifyCase{"Data", 3, {IND_DATA}, 1, 1, "OnRx() SLPNOTIFY_DATA"},
                      CNotifyCase{"BadData", 4, {}, 1, 1, "OnRx() SLPNOTIFY_BADDATA"},
                      CNotifyCase{"Other", 0x77, {}, 1, 1, "OnRx() SLPNOTIFY_???: 0x00000077"}),
    [](const auto& row) { return std::string(row.param.m_pszName); });

TEST_F(CLayerPP_SlpV24Test, BadDataChangesNoState)
{
    CLayerPP_SlpV24& adapter = Make(3);
    // Before the open, after it and connected: the bad frame leaves everything as it was.
    for (int nStep = 0; nStep < 3; ++nStep)
    {
        if (nStep == 1)
            adapter.Open();
        if (nStep == 2)
            adapter.OnRx(SLPNOTIFY_CONNECT, -1);
        const int nStatus = adapter.GetStatus();
        const size_t nCalls = m_pState->m_calls.size();
        m_upper.m_indications.clear();
        adapter.OnRx(SLPNOTIFY_BADDATA, -1);
        EXPECT_EQ(nStatus, adapter.GetStatus());
        EXPECT_EQ(nCalls, m_pState->m_calls.size());
        EXPECT_TRUE(m_upper.m_indications.empty());
    }
}

TEST_F(CLayerPP_SlpV24Test, StackOpensReadsAndClosesThroughTheAdapter)
{
    CLayerPP_SlpV24& adapter = Make(3);
    CLayerPP top(0, LAYER_BUFFER_SIZE);
    m_upper.Unlink();
    adapter.LinkUp(&top, 0);
    ASSERT_EQ(1, top.Open());
    EXPECT_EQ(1u, m_pState->Count("OpenEx"));
    adapter.OnRx(SLPNOTIFY_CONNECT, -1);
    EXPECT_EQ(1, top.IsConnected());
    m_pState->m_frames.push_back({0x00, 0x01});
    unsigned char buffer[LAYER_BUFFER_SIZE];
    EXPECT_EQ(2, top.Read(buffer, sizeof buffer));
    // A lost link closes both layers, the adapter's link once.
    adapter.OnRx(SLPNOTIFY_DISCONNECT, -1);
    EXPECT_EQ(0, top.IsOpen());
    EXPECT_EQ(0, adapter.IsOpen());
    EXPECT_EQ(1u, m_pState->Count("Close"));
    EXPECT_EQ(LINK_CLOSED, top.GetStatus());
}

TEST_F(CLayerPP_SlpV24Test, DestroyingAnOpenAdapterClosesTheLink)
{
    Make(3).Open();
    m_pAdapter.reset();
    EXPECT_EQ(1u, m_pState->Count("Close"));
}
} // namespace
