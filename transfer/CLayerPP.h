#pragma once

// Base of the transfer stack: two layers joined by LinkUp, the state machine above the link
// adapter. Opens, closes, reads and writes go down, indications come up; one repeating time-out
// per layer, identified by the layer's slot in the process-wide layer registry.

#include <cstdint>
#include <vector>

class CLst_Ptr;

// Indications passed upward (16-bit values in 32-bit words).
constexpr int IND_DATA = 0x0100;       // a frame can be read
constexpr int IND_CONNECT = 0x0E00;    // link connected
constexpr int IND_DISCONNECT = 0x0F00; // link lost
// GetStatus of a layer that is neither open nor connected.
constexpr int LINK_CLOSED = 0x0300;

// Layers that can use timers at one time: the registry's slot count (the timer ids 0 to 7).
constexpr unsigned LAYER_REGISTRY_SLOTS = 8;
// Buffer size of both layers of the stack: the longest frame of the link.
constexpr unsigned LAYER_BUFFER_SIZE = 256;

class CLayerPP
{
public:
    CLayerPP(int nUnused, unsigned uBufferSize);
    virtual ~CLayerPP();
    CLayerPP(const CLayerPP&) = delete;
    CLayerPP& operator=(const CLayerPP&) = delete;

    virtual const char* GetClassName() const;
    virtual int LinkUp(CLayerPP* pUpper, int nParam);
    virtual int Unlink();
    virtual int Open();
    virtual int OpenSystel();
    virtual int OpenSystelKNT();
    virtual int Close();
    virtual int Read(unsigned char* pBuffer, int nSize);
    virtual int Write(const unsigned char* pFrame, int nLength);
    virtual int OnRx(int nIndication, int nParam);
    virtual int GetStatus();
    virtual int OnTimer();

    // (Re)starts this layer's repeating time-out; 0 when the layer has no registry slot or no timer
    // service is installed.
    int TimerStart(unsigned uMilliseconds);
    int TimerStop();
    // Called by the timer service with the id of the timer that expired.
    static void TimerProc(unsigned uIdEvent);

    // The layer's registry slot (its timer id), -1 when it got none.
    int TimerId() const { return m_nTimerId; }
    CLayerPP* UpperLayer() const { return m_pUpper; }
    CLayerPP* LowerLayer() const { return m_pLower; }
    int IsOpen() const { return m_bOpen; }
    int IsConnected() const { return m_bConnected; }

protected:
    // One trace line: "CLayerPP: ", the class name, then the text (which begins with a blank).
    void TraceLayer(const char* pszText) const;
    int PassUp(int nIndication);

    CLayerPP* m_pUpper = nullptr;
    CLayerPP* m_pLower = nullptr;
    int m_bOpen = 0;
    int m_bConnected = 0;
    int m_nLinkParam = 0;
    unsigned m_uBufferSize = 0;
    int m_nRxLength = 0;
    int m_nTxLength = 0;
    std::vector<unsigned char> m_RxBuffer;
    std::vector<unsigned char> m_TxBuffer;

private:
    using OpenFn = int (CLayerPP::*)();
    int OpenDown(OpenFn pfnOpen, const char* pszFails, const char* pszNoLayer);

    int m_nTimerId = -1;
};
