#pragma once

#include "transfer/CLayerPP.h"

#include <functional>
#include <string>
#include <vector>

// A layer that records what reaches it and answers as a test says: used above and below the
// layer under test.
class CTest_RecordingLayer : public CLayerPP
{
public:
    CTest_RecordingLayer() : CLayerPP(0, LAYER_BUFFER_SIZE) {}
    ~CTest_RecordingLayer() override { CLayerPP::Close(); }

    struct CIndication
    {
        int m_nIndication;
        int m_nParam;
        int m_nLowerOpen; // the lower layer's open flag when the indication arrived (-1: no lower)
        size_t m_nMark;   // what m_fnMark gave when the indication arrived
    };

    const char* GetClassName() const override { return "CTest_RecordingLayer"; }

    // As a lower layer: scripted results.
    int Open() override { return Record("Open", m_nOpenResult); }
    int OpenSystel() override { return Record("OpenSystel", m_nOpenResult); }
    int OpenSystelKNT() override { return Record("OpenSystelKNT", m_nOpenResult); }
    int Close() override { return Record("Close", m_nCloseResult); }
    int Read(unsigned char* pBuffer, int nSize) override
    {
        if (pBuffer && nSize > 0)
            pBuffer[0] = 0x5A;
        return Record("Read", m_nReadResult);
    }
    int Write(const unsigned char*, int nLength) override { return Record("Write", nLength); }

    // As an upper layer: what arrived.
    int OnRx(int nIndication, int nParam) override
    {
        const int nLowerOpen = LowerLayer() ? LowerLayer()->IsOpen() : -1;
        m_indications.push_back({nIndication, nParam, nLowerOpen, m_fnMark ? m_fnMark() : 0});
        return 1;
    }
    int OnTimer() override
    {
        ++m_nTimerCalls;
        if (m_bStopOnTimer)
            TimerStop();
        return 1;
    }

    int m_nOpenResult = 1;
    int m_nCloseResult = 1;
    int m_nReadResult = 1;
    bool m_bStopOnTimer = false;
    int m_nTimerCalls = 0;
    std::vector<std::string> m_calls;
    std::vector<CIndication> m_indications;
    std::function<size_t()> m_fnMark;

private:
    int Record(const char* pszName, int nResult)
    {
        m_calls.push_back(pszName);
        return nResult;
    }
};
