#include "transfer/CLayerPP.h"

#include "platform/CPlatform_TimerService.h"
#include "support/Trace.h"
#include "transfer/CLst_Ptr.h"

#include <cstdio>

namespace
{
// The process-wide registry; layers live on the user-interface thread only.
CLst_Ptr& Registry()
{
    static CLst_Ptr s_registry(LAYER_REGISTRY_SLOTS);
    return s_registry;
}
} // namespace

CLayerPP::CLayerPP(int /*nUnused*/, unsigned uBufferSize)
    : m_uBufferSize(uBufferSize), m_RxBuffer(uBufferSize, 0), m_TxBuffer(uBufferSize, 0)
{
    // Without a free slot the layer works, but cannot start timers.
    m_nTimerId = Registry().Add(this);
}

CLayerPP::~CLayerPP()
{
    TimerStop();
    CLayerPP::Close();
    CLayerPP::Unlink();
    Registry().Remove(this);
}

const char* CLayerPP::GetClassName() const
{
    return "CLayerPP";
}

void CLayerPP::TraceLayer(const char* pszText) const
{
    TraceLine("CLayerPP", GetClassName(), pszText);
}

int CLayerPP::LinkUp(CLayerPP* pUpper, int nParam)
{
    TraceLayer(" LinkUp().");
    m_pUpper = pUpper;
    m_nLinkParam = nParam;
    if (pUpper)
        pUpper->m_pLower = this;
    return 1;
}

int CLayerPP::Unlink()
{
    TraceLayer(" Unlink().");
    if (m_pUpper && m_pUpper->m_pLower == this)
        m_pUpper->m_pLower = nullptr;
    if (m_pLower && m_pLower->m_pUpper == this)
        m_pLower->m_pUpper = nullptr;
    m_pUpper = nullptr;
    m_pLower = nullptr;
    return 1;
}

int CLayerPP::OpenDown(OpenFn pfnOpen, const char* pszFails, const char* pszNoLayer)
{
    if (m_bOpen)
        return 0;
    if (!m_pLower)
    {
        TraceLayer(pszNoLayer);
        return 0;
    }
    if ((m_pLower->*pfnOpen)())
    {
        m_bOpen = 1;
        return 1;
    }
    TraceLayer(pszFails);
    return 0;
}

int CLayerPP::Open()
{
    TraceLayer(" Open().");
    return OpenDown(&CLayerPP::Open, " Open() down Layer open fails!", " Open() No down Layer!");
}

int CLayerPP::OpenSystel()
{
    TraceLayer(" OpenSystel().");
    return OpenDown(&CLayerPP::OpenSystel, " OpenSystel() down Layer open fails!",
                    " OpenSystel() No down Layer!");
}

int CLayerPP::OpenSystelKNT()
{
    TraceLayer(" OpenSystelKNT().");
    return OpenDown(&CLayerPP::OpenSystelKNT, " OpenSystelKNT() down Layer open fails!",
                    " OpenSystelKNT() No down Layer!");
}

int CLayerPP::Close()
{
    TraceLayer(" Close().");
    if (!m_bOpen)
        return 1;
    m_bOpen = 0;
    m_bConnected = 0;
    if (!m_pLower)
        return 0;
    if (m_pLower->Close())
        return 1;
    TraceLayer(" Close() down Layer close fails!");
    return 0;
}

int CLayerPP::Read(unsigned char* pBuffer, int nSize)
{
    if (!m_bConnected)
    {
        TraceLayer(" Read() Not connected!");
        return 0;
    }
    return m_pLower ? m_pLower->Read(pBuffer, nSize) : 0;
}

int CLayerPP::Write(const unsigned char* pFrame, int nLength)
{
    if (!m_bConnected)
    {
        TraceLayer(" Write() Not connected!");
        return 0;
    }
    return m_pLower ? m_pLower->Write(pFrame, nLength) : 0;
}

int CLayerPP::PassUp(int nIndication)
{
    return m_pUpper ? m_pUpper->OnRx(nIndication, -1) : 0;
}

int CLayerPP::OnRx(int nIndication, int /*nParam*/)
{
    switch (nIndication)
    {
    case IND_DATA:
        PassUp(nIndication);
        break;
    case IND_CONNECT:
        m_bConnected = 1;
        PassUp(nIndication);
        break;
    case IND_DISCONNECT:
        TraceLayer(" OnRx() IND_DISCONNECT.");
        // The upper layer hears of the loss before this layer closes under it.
        m_bConnected = 0;
        PassUp(nIndication);
        Close();
        break;
    default:
        TraceLayer(" OnRx() Unknown!");
        PassUp(nIndication);
        break;
    }
    return 1;
}

int CLayerPP::GetStatus()
{
    if (m_bConnected)
        return IND_CONNECT;
    if (m_bOpen)
        return IND_DISCONNECT;
    return LINK_CLOSED;
}

int CLayerPP::OnTimer()
{
    TraceLayer(" OnTimer().");
    return 1;
}

int CLayerPP::TimerStart(unsigned uMilliseconds)
{
    CPlatform_TimerService* pService = CPlatform_TimerService::Current();
    if (m_nTimerId < 0 || !pService)
        return 0;
    return pService->Start(static_cast<unsigned>(m_nTimerId), uMilliseconds, &CLayerPP::TimerProc);
}

int CLayerPP::TimerStop()
{
    CPlatform_TimerService* pService = CPlatform_TimerService::Current();
    if (m_nTimerId < 0 || !pService)
        return 0;
    return pService->Stop(static_cast<unsigned>(m_nTimerId));
}

void CLayerPP::TimerProc(unsigned uIdEvent)
{
    CLst_Ptr& registry = Registry();
    if (uIdEvent < registry.Size())
    {
        if (auto* pLayer = static_cast<CLayerPP*>(registry.Get(uIdEvent)))
        {
            pLayer->OnTimer();
            return;
        }
    }
    if (!TraceIsOn())
        return;
    char sz[32];
    std::snprintf(sz, sizeof sz, " 0x%08lx", static_cast<unsigned long>(uIdEvent));
    TraceLine("CLayerPP", "TimerProc() invalid idEvent!", sz);
    registry.Dump();
}
