#include "transfer/CLayerPP.h"

#include "CTest_RecordingLayer.h"
#include "CTest_TraceLines.h"
#include "testsupport/CTest_ManualClock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace
{
class CLayerPPTest : public ::testing::Test
{
protected:
    CTest_TraceLines m_trace;
    CTest_ManualClock m_clock;
};

// The three opens share one pattern; each row is one of them.
struct COpenCase
{
    const char* m_pszName;
    int (CLayerPP::*m_pfnOpen)();
};

class CLayerPPOpenTest : public CLayerPPTest, public ::testing::WithParamInterface<COpenCase>
{
protected:
    int CallOpen(CLayerPP& layer) { return (layer.*GetParam().m_pfnOpen)(); }
    std::string Line(const char* pszText) const
    {
        return std::string("CLayerPP: CLayerPP ") + GetParam().m_pszName + pszText;
    }
};

TEST_P(CLayerPPOpenTest, WithoutLowerLayerFails)
{
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    EXPECT_EQ(0, CallOpen(layer));
    EXPECT_EQ(0, layer.IsOpen());
    EXPECT_TRUE(m_trace.Has(Line("().")));
    EXPECT_TRUE(m_trace.Has(Line("() No down Layer!")));
}

TEST_P(CLayerPPOpenTest, ForwardsToTheSameOperationBelowAndKeepsItsResult)
{
    for (const int nLowerResult : {1, 0})
    {
        CTest_RecordingLayer lower;
        CLayerPP layer(0, LAYER_BUFFER_SIZE);
        lower.LinkUp(&layer, 0);
        lower.m_nOpenResult = nLowerResult;
        EXPECT_EQ(nLowerResult, CallOpen(layer));
        EXPECT_EQ(nLowerResult, layer.IsOpen());
        ASSERT_EQ(1u, lower.m_calls.size());
        EXPECT_EQ(std::string(GetParam().m_pszName), lower.m_calls[0]);
        EXPECT_EQ(nLowerResult == 0, m_trace.Has(Line("() down Layer open fails!")));
    }
}

TEST_P(CLayerPPOpenTest, OpenOnAnOpenLayerFailsWithoutTouchingTheLowerLayer)
{
    CTest_RecordingLayer lower;
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    lower.LinkUp(&layer, 0);
    ASSERT_EQ(1, layer.Open());
    lower.m_calls.clear();
    EXPECT_EQ(0, CallOpen(layer));
    EXPECT_TRUE(lower.m_calls.empty());
    EXPECT_EQ(1, layer.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Opens, CLayerPPOpenTest,
                         ::testing::Values(COpenCase{"Open", &CLayerPP::Open},
                                           COpenCase{"OpenSystel", &CLayerPP::OpenSystel},
                                           COpenCase{"OpenSystelKNT", &CLayerPP::OpenSystelKNT}),
                         [](const auto& row) { return std::string(row.param.m_pszName); });

TEST_F(CLayerPPTest, CloseRules)
{
    // Closed: success, nothing below is asked.
    {
        CTest_RecordingLayer lower;
        CLayerPP layer(0, LAYER_BUFFER_SIZE);
        lower.LinkUp(&layer, 0);
        EXPECT_EQ(1, layer.Close());
        EXPECT_TRUE(lower.m_calls.empty());
    }
    // Open and connected, lower layer gone: failure, but the flags are cleared all the same.
    {
        CTest_RecordingLayer lower;
        CLayerPP layer(0, LAYER_BUFFER_SIZE);
        lower.LinkUp(&layer, 0);
        ASSERT_EQ(1, layer.Open());
        layer.OnRx(IND_CONNECT, 0);
        lower.Unlink();
        EXPECT_EQ(0, layer.Close());
        EXPECT_EQ(0, layer.IsOpen());
        EXPECT_EQ(0, layer.IsConnected());
    }
    // The lower layer's close result is passed on; a failure is traced.
    for (const int nLowerResult : {1, 0})
    {
        CTest_RecordingLayer lower;
        CLayerPP layer(0, LAYER_BUFFER_SIZE);
        lower.LinkUp(&layer, 0);
        ASSERT_EQ(1, layer.Open());
        lower.m_nCloseResult = nLowerResult;
        EXPECT_EQ(nLowerResult, layer.Close());
        EXPECT_EQ(0, layer.IsOpen());
    }
    EXPECT_TRUE(m_trace.Has("CLayerPP: CLayerPP Close() down Layer close fails!"));
}

TEST_F(CLayerPPTest, ReadAndWriteGoDownOnlyWhenConnected)
{
    CTest_RecordingLayer lower;
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    lower.LinkUp(&layer, 0);
    ASSERT_EQ(1, layer.Open());
    unsigned char buffer[LAYER_BUFFER_SIZE] = {};
    const unsigned char frame[3] = {16, 0, 0};

    EXPECT_EQ(0, layer.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, layer.Write(frame, sizeof frame));
    EXPECT_EQ(1u, lower.m_calls.size()); // the open only
    EXPECT_TRUE(m_trace.Has("CLayerPP: CLayerPP Read() Not connected!"));
    EXPECT_TRUE(m_trace.Has("CLayerPP: CLayerPP Write() Not connected!"));

    layer.OnRx(IND_CONNECT, 0);
    lower.m_nReadResult = 7;
    EXPECT_EQ(7, layer.Read(buffer, sizeof buffer));
    EXPECT_EQ(0x5A, buffer[0]);
    EXPECT_EQ(3, layer.Write(frame, sizeof frame));
    EXPECT_EQ((std::vector<std::string>{"Open", "Read", "Write"}), lower.m_calls);
}

struct CIndicationCase
{
    const char* m_pszName;
    int m_nIndication;
    int m_nConnectedAfter; // connected flag after the indication (layer open and connected before)
    int m_nOpenAfter;
    const char* m_pszLine; // trace line expected, or null
};

class CLayerPPIndicationTest : public CLayerPPTest, public ::testing::WithParamInterface<CIndicationCase>
{
};

TEST_P(CLayerPPIndicationTest, IsPassedUpWithParameterMinusOne)
{
    const CIndicationCase& c = GetParam();
    CTest_RecordingLayer lower;
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    CTest_RecordingLayer upper;
    lower.LinkUp(&layer, 0);
    layer.LinkUp(&upper, 0);
    ASSERT_EQ(1, layer.Open());
    layer.OnRx(IND_CONNECT, 1234);
    upper.m_indications.clear();
    // The upper layer sees the layer's state below it at the moment it is told.
    upper.m_fnMark = [&layer]() { return static_cast<size_t>(layer.IsOpen()); };

    EXPECT_EQ(1, layer.OnRx(c.m_nIndication, 99));
    ASSERT_EQ(1u, upper.m_indications.size());
    EXPECT_EQ(c.m_nIndication, upper.m_indications[0].m_nIndication);
    EXPECT_EQ(-1, upper.m_indications[0].m_nParam);
    EXPECT_EQ(1u, upper.m_indications[0].m_nMark) << "the layer closed before the upper layer heard of it";
    EXPECT_EQ(c.m_nConnectedAfter, layer.IsConnected());
    EXPECT_EQ(c.m_nOpenAfter, layer.IsOpen());
    if (c.m_pszLine)
    {
        EXPECT_TRUE(m_trace.Has(c.m_pszLine));
    }
}

INSTANTIATE_TEST_SUITE_P(Indications, CLayerPPIndicationTest,
                         ::testing::Values(CIndicationCase{"Data", IND_DATA, 1, 1, nullptr},
                                           CIndicationCase{"Connect", IND_CONNECT, 1, 1, nullptr},
                                           CIndicationCase{"Disconnect", IND_DISCONNECT, 0, 0,
                                                           "CLayerPP: CLayerPP OnRx() IND_DISCONNECT."},
                                           CIndicationCase{"Unknown", 0x1234, 1, 1,
                                                           "CLayerPP: CLayerPP OnRx() Unknown!"}),
                         [](const auto& row) { return std::string(row.param.m_pszName); });

TEST_F(CLayerPPTest, StatusFollowsOpenAndConnected)
{
    CTest_RecordingLayer lower;
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    lower.LinkUp(&layer, 0);
    EXPECT_EQ(LINK_CLOSED, layer.GetStatus());
    layer.Open();
    EXPECT_EQ(IND_DISCONNECT, layer.GetStatus());
    layer.OnRx(IND_CONNECT, 0);
    EXPECT_EQ(IND_CONNECT, layer.GetStatus());
    layer.OnRx(IND_DISCONNECT, 0);
    EXPECT_EQ(LINK_CLOSED, layer.GetStatus());
}

TEST_F(CLayerPPTest, LinkUpAndUnlinkSetAndClearBothSides)
{
    CLayerPP lower(0, LAYER_BUFFER_SIZE);
    CLayerPP upper(0, LAYER_BUFFER_SIZE);
    EXPECT_EQ(1, lower.LinkUp(&upper, 0));
    EXPECT_EQ(&upper, lower.UpperLayer());
    EXPECT_EQ(&lower, upper.LowerLayer());
    EXPECT_EQ(1, upper.Unlink());
    EXPECT_EQ(nullptr, lower.UpperLayer());
    EXPECT_EQ(nullptr, upper.LowerLayer());

    // Destroying one layer leaves no dangling pointer in the other.
    auto pUpper = std::make_unique<CLayerPP>(0, LAYER_BUFFER_SIZE);
    lower.LinkUp(pUpper.get(), 0);
    pUpper.reset();
    EXPECT_EQ(nullptr, lower.UpperLayer());
}

TEST_F(CLayerPPTest, RegistryHoldsEightLayersAndTheNinthCannotStartTimers)
{
    std::vector<std::unique_ptr<CTest_RecordingLayer>> layers;
    for (int i = 0; i < 8; ++i)
    {
        layers.push_back(std::make_unique<CTest_RecordingLayer>());
        EXPECT_EQ(i, layers.back()->TimerId());
    }
    CTest_RecordingLayer ninth;
    EXPECT_EQ(-1, ninth.TimerId());
    EXPECT_EQ(0, ninth.TimerStart(100));
    EXPECT_EQ(0u, m_clock.Running());
    EXPECT_EQ(0, m_clock.Advance(1000));
    EXPECT_EQ(0, ninth.m_nTimerCalls);

    // A freed slot goes to the next layer created.
    layers[3].reset();
    CTest_RecordingLayer tenth;
    EXPECT_EQ(3, tenth.TimerId());
    EXPECT_EQ(1, tenth.TimerStart(100));
    EXPECT_TRUE(m_clock.IsRunning(3));
}

TEST_F(CLayerPPTest, TimerRepeatsUntilStoppedAndRestartTakesTheNewPeriod)
{
    CTest_RecordingLayer layer;
    ASSERT_EQ(0, layer.TimerId());
    EXPECT_EQ(1, layer.TimerStart(2000));
    EXPECT_EQ(2000u, m_clock.Period(0));
    m_clock.Advance(1999);
    EXPECT_EQ(0, layer.m_nTimerCalls);
    m_clock.Advance(1);
    EXPECT_EQ(1, layer.m_nTimerCalls);
    m_clock.Advance(4000);
    EXPECT_EQ(3, layer.m_nTimerCalls);

    // Restarting counts the new period from now.
    m_clock.Advance(1500);
    layer.TimerStart(5000);
    m_clock.Advance(4999);
    EXPECT_EQ(3, layer.m_nTimerCalls);
    m_clock.Advance(1);
    EXPECT_EQ(4, layer.m_nTimerCalls);

    layer.TimerStop();
    m_clock.Advance(20000);
    EXPECT_EQ(4, layer.m_nTimerCalls);

    // An OnTimer that stops its timer runs once.
    layer.m_bStopOnTimer = true;
    layer.TimerStart(10);
    m_clock.Advance(100);
    EXPECT_EQ(5, layer.m_nTimerCalls);
}

TEST_F(CLayerPPTest, DestroyedLayerLeavesNoTimerRunning)
{
    auto pLayer = std::make_unique<CTest_RecordingLayer>();
    pLayer->TimerStart(10);
    EXPECT_EQ(1u, m_clock.Running());
    pLayer.reset();
    EXPECT_EQ(0u, m_clock.Running());
    EXPECT_EQ(0, m_clock.Advance(100));
}

TEST_F(CLayerPPTest, WithoutTimerServiceNoTimerStarts)
{
    CTest_RecordingLayer layer;
    CPlatform_TimerService::SetCurrent(nullptr);
    EXPECT_EQ(0, layer.TimerStart(10));
    EXPECT_EQ(0, layer.TimerStop());
    CPlatform_TimerService::SetCurrent(&m_clock);
}

TEST_F(CLayerPPTest, TimerProcWithAnInvalidIdDumpsTheRegistry)
{
    CTest_RecordingLayer layer;
    ASSERT_EQ(0, layer.TimerId());
    char szLayer[32];
    std::snprintf(szLayer, sizeof szLayer, "%p", static_cast<void*>(&layer));
    char szEmpty[32];
    std::snprintf(szEmpty, sizeof szEmpty, "%p", static_cast<void*>(nullptr));

    struct CCase
    {
        unsigned m_uId;
        const char* m_pszLine;
    };
    const CCase cases[] = {
        {5, "CLayerPP: TimerProc() invalid idEvent! 0x00000005"},           // empty slot
        {8, "CLayerPP: TimerProc() invalid idEvent! 0x00000008"},           // beyond the registry
        {0xFFFFFFFFu, "CLayerPP: TimerProc() invalid idEvent! 0xffffffff"}, // nonsense
    };
    for (const CCase& c : cases)
    {
        const size_t nBefore = m_trace.Lines().size();
        CLayerPP::TimerProc(c.m_uId);
        const auto lines = m_trace.Lines();
        ASSERT_EQ(nBefore + 9, lines.size()) << c.m_uId;
        EXPECT_EQ(c.m_pszLine, lines[nBefore]);
        EXPECT_EQ(std::string("CLst_Ptr: ") + szLayer, lines[nBefore + 1]);
        for (size_t i = 2; i < 9; ++i)
            EXPECT_EQ(std::string("CLst_Ptr: ") + szEmpty, lines[nBefore + i]);
    }
    EXPECT_EQ(0, layer.m_nTimerCalls);

    // A valid id reaches the layer's OnTimer.
    CLayerPP::TimerProc(0);
    EXPECT_EQ(1, layer.m_nTimerCalls);
}

TEST_F(CLayerPPTest, TraceLinesNameTheBaseAndTheLayerClass)
{
    CTest_RecordingLayer lower;
    CLayerPP layer(0, LAYER_BUFFER_SIZE);
    lower.LinkUp(&layer, 0);
    layer.Open();
    layer.OnTimer();
    EXPECT_TRUE(m_trace.Has("CLayerPP: CLayerPP Open()."));
    EXPECT_TRUE(m_trace.Has("CLayerPP: CTest_RecordingLayer LinkUp()."));
    EXPECT_TRUE(m_trace.Has("CLayerPP: CLayerPP OnTimer()."));
}
} // namespace
