#include "transfer/CLayerPP_SlpV24.h"

#include "support/Trace.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>
#include <vector>

namespace
{
const char s_szClass[] = "CLayerPP_SlpV24";
// The library's base name; QLibrary adds the platform's prefix and suffix.
const char s_szLibrary[] = "SlpV24";

std::string& LibraryName()
{
    static std::string s_name;
    return s_name;
}

// Names of each open kind's trace lines: operation, entry point.
struct COpenNames
{
    const char* m_pszOperation;
    const char* m_pszEntry;
};
const COpenNames s_openNames[] = {
    {"Open()", "SlpV24_OpenEx()"},
    {"OpenSystel()", "SlpV24_OpenEx2()"},
    {"OpenSystelKNT()", "SlpV24_OpenKNT()"},
};

void Trace(const std::string& text)
{
    TraceLine(s_szClass, text.c_str());
}

template <typename T> T Resolve(QLibrary& library, const char* pszName)
{
    return reinterpret_cast<T>(library.resolve(pszName));
}

const char* TextOrNull(bool bPresent, const std::string& text)
{
    return bPresent ? text.c_str() : nullptr;
}
} // namespace

CLayerPP_SlpV24::CLayerPP_SlpV24(int nPort, int nTransferClass, void* hWnd, uint32_t* pMsgNofity,
                                 int nReserved, int nRole, const char* pszPabxSerialNo, int nPabxPortId,
                                 const char* pszPabxParamA, const char* pszPabxParamB)
    : CLayerPP(0, LAYER_BUFFER_SIZE), m_nPort(nPort), m_nTransferClass(nTransferClass), m_hWnd(hWnd),
      m_pMsgNofity(pMsgNofity), m_nReserved(nReserved), m_nRole(nRole),
      m_PabxSerialNo(pszPabxSerialNo ? pszPabxSerialNo : ""), m_bPabxSerialNo(pszPabxSerialNo != nullptr),
      m_nPabxPortId(nPabxPortId), m_PabxParamA(pszPabxParamA ? pszPabxParamA : ""),
      m_bPabxParamA(pszPabxParamA != nullptr), m_PabxParamB(pszPabxParamB ? pszPabxParamB : ""),
      m_bPabxParamB(pszPabxParamB != nullptr)
{
}

CLayerPP_SlpV24::~CLayerPP_SlpV24()
{
    // The base destructor can no longer reach this class's Close.
    CLayerPP_SlpV24::Close();
}

const char* CLayerPP_SlpV24::GetClassName() const
{
    return s_szClass;
}

void CLayerPP_SlpV24::SetLibraryName(const std::string& name)
{
    LibraryName() = name;
}

int CLayerPP_SlpV24::SlpV24_OpenDll()
{
    if (m_pLibrary && m_pLibrary->isLoaded())
        return 1;
    std::vector<QString> candidates;
    if (!LibraryName().empty())
        candidates.push_back(QString::fromLocal8Bit(LibraryName().c_str()));
    else
    {
        if (QCoreApplication::instance())
            candidates.push_back(QCoreApplication::applicationDirPath() + "/" + s_szLibrary);
        candidates.push_back(s_szLibrary);
    }

    auto pLibrary = std::make_unique<QLibrary>();
    bool bLoaded = false;
    for (const QString& name : candidates)
    {
        pLibrary->setFileName(name);
        if (pLibrary->load())
        {
            bLoaded = true;
            break;
        }
    }
    if (!bLoaded)
    {
        Trace("SlpV24_OpenDll() LoadLibrary(SlpV24.DLL) fails!");
        m_openError = "the link library could not be loaded: " + pLibrary->errorString().toStdString();
        return 0;
    }
    m_pfnOpen = Resolve<PfnOpen>(*pLibrary, "SlpV24_Open");
    m_pfnOpenEx = Resolve<PfnOpenEx>(*pLibrary, "SlpV24_OpenEx");
    m_pfnOpenEx2 = Resolve<PfnOpenEx2>(*pLibrary, "SlpV24_OpenEx2");
    m_pfnOpenKNT = Resolve<PfnOpenKNT>(*pLibrary, "SlpV24_OpenKNT"); // older libraries lack it
    m_pfnClose = Resolve<PfnClose>(*pLibrary, "SlpV24_Close");
    m_pfnRead = Resolve<PfnRead>(*pLibrary, "SlpV24_Read");
    m_pfnWrite = Resolve<PfnWrite>(*pLibrary, "SlpV24_Write");
    m_pfnGetLastError = Resolve<PfnGetLastError>(*pLibrary, "SlpV24_GetLastError");
    m_pLibrary = std::move(pLibrary);
    if (!m_pfnOpen || !m_pfnOpenEx || !m_pfnOpenEx2 || !m_pfnClose || !m_pfnRead || !m_pfnWrite)
    {
        Trace("SlpV24_OpenDll() GetProcAddress() fails!");
        m_openError = "the link library " + m_pLibrary->fileName().toStdString() + " lacks an entry point";
        SlpV24_CloseDll();
        return 0;
    }
    return 1;
}

int CLayerPP_SlpV24::SlpV24_CloseDll()
{
    if (m_pLibrary)
        m_pLibrary->unload();
    m_pLibrary.reset();
    m_pfnOpen = nullptr;
    m_pfnOpenEx = nullptr;
    m_pfnOpenEx2 = nullptr;
    m_pfnOpenKNT = nullptr;
    m_pfnClose = nullptr;
    m_pfnRead = nullptr;
    m_pfnWrite = nullptr;
    m_pfnGetLastError = nullptr;
    return 1;
}

void CLayerPP_SlpV24::TakeOpenError()
{
    // The library keeps a reason per thread; a library without the entry point tells none.
    char szText[512] = "";
    if (m_pfnGetLastError && m_pfnGetLastError(szText, sizeof szText) > 0)
        m_openError = szText;
}

int CLayerPP_SlpV24::CallOpen(EOpenKind kind, int nPort)
{
    m_hLink = 0;
    switch (kind)
    {
    case OPEN_EX:
        return m_pfnOpenEx(&m_hLink, m_pMsgNofity, nPort, m_nTransferClass, m_hWnd, m_nReserved, m_nRole);
    case OPEN_EX2:
        return m_pfnOpenEx2(&m_hLink, m_pMsgNofity, nPort, m_nTransferClass, m_hWnd, m_nReserved, m_nRole,
                            TextOrNull(m_bPabxSerialNo, m_PabxSerialNo), m_nPabxPortId);
    case OPEN_KNT:
        // A library without this entry point cannot open the line link: a failed open.
        if (!m_pfnOpenKNT)
            return 1;
        return m_pfnOpenKNT(&m_hLink, m_pMsgNofity, nPort, m_nTransferClass, m_hWnd, m_nReserved, m_nRole,
                            TextOrNull(m_bPabxSerialNo, m_PabxSerialNo), m_nPabxPortId,
                            TextOrNull(m_bPabxParamA, m_PabxParamA), TextOrNull(m_bPabxParamB, m_PabxParamB));
    }
    return 1;
}

int CLayerPP_SlpV24::OpenKind(EOpenKind kind)
{
    const std::string op = s_openNames[kind].m_pszOperation;
    const std::string entry = s_openNames[kind].m_pszEntry;
    Trace(op + ".");
    if (!m_pMsgNofity)
    {
        Trace(op + " m_pMsgNofity NULL-Pointer!");
        return 0;
    }
    if (m_bOpen)
        return 0;
    m_openError.clear();
    if (!SlpV24_OpenDll())
    {
        Trace(op + " SlpV24_OpenDll() fails!");
        return 0;
    }
    Trace(op + " " + entry);
    if (CallOpen(kind, m_nPort) != 0)
    {
        if (kind == OPEN_EX && m_nPort == SLP_PORT_USB0)
        {
            Trace(op + " " + entry + " USB0 fails!");
            if (CallOpen(kind, SLP_PORT_USB1) != 0)
            {
                Trace(op + " " + entry + " USB1 fails!");
                TakeOpenError();
                Close();
                return 0;
            }
            Trace(op + " " + entry + " USB1 success.");
        }
        else
        {
            Trace(op + " " + entry + " fails!");
            TakeOpenError();
            // Not open yet: Close only unloads the library again.
            Close();
            return 0;
        }
    }
    Trace(op + " " + entry + " success.");
    m_bOpen = 1;
    return 1;
}

int CLayerPP_SlpV24::Open()
{
    return OpenKind(OPEN_EX);
}

int CLayerPP_SlpV24::OpenSystel()
{
    return OpenKind(OPEN_EX2);
}

int CLayerPP_SlpV24::OpenSystelKNT()
{
    return OpenKind(OPEN_KNT);
}

int CLayerPP_SlpV24::Close()
{
    Trace("Close().");
    if (m_bOpen)
    {
        m_bOpen = 0;
        m_bConnected = 0;
        if (m_pfnClose)
            m_pfnClose(m_hLink);
        m_hLink = 0;
    }
    SlpV24_CloseDll();
    return 1;
}

void CLayerPP_SlpV24::TraceDump(const char* pszText, const unsigned char* pData, int nCount) const
{
    if (!TraceIsOn())
        return;
    TraceTime();
    TraceText(s_szClass);
    TraceText(": ");
    TraceText(pszText);
    TraceText(" ");
    TraceHex(pData, nCount > 0 && pData ? static_cast<size_t>(nCount) : 0);
    TraceText("\r\n");
}

int CLayerPP_SlpV24::Read(unsigned char* pBuffer, int nSize)
{
    Trace("Read()");
    if (!m_bConnected)
    {
        Trace("Read() Not connected!");
        return 0;
    }
    if (!pBuffer || nSize <= 0 || !m_pfnRead)
        return 0;
    int n = m_pfnRead(m_hLink, pBuffer, nSize);
    // Whatever the library answers, the count never leaves the caller's buffer.
    if (n < 0)
        n = 0;
    if (n > nSize)
        n = nSize;
    TraceDump("Read().", pBuffer, n);
    return n;
}

int CLayerPP_SlpV24::Write(const unsigned char* pFrame, int nLength)
{
    TraceDump("Write().", pFrame, nLength);
    if (!m_bConnected)
    {
        Trace("Write() Not connected!");
        return 0;
    }
    if (!pFrame || nLength <= 0 || !m_pfnWrite)
        return 0;
    return m_pfnWrite(m_hLink, pFrame, nLength);
}

int CLayerPP_SlpV24::OnRx(int nIndication, int nParam)
{
    switch (nIndication)
    {
    case SLPNOTIFY_CONNECT:
        Trace("OnRx() SLPNOTIFY_CONNECT");
        return CLayerPP::OnRx(IND_CONNECT, nParam);
    case SLPNOTIFY_DISCONNECT:
        Trace("OnRx() SLPNOTIFY_DISCONNECT");
        m_bConnected = 0;
        return CLayerPP::OnRx(IND_DISCONNECT, nParam);
    case SLPNOTIFY_DATA:
        Trace("OnRx() SLPNOTIFY_DATA");
        return CLayerPP::OnRx(IND_DATA, nParam);
    case SLPNOTIFY_BADDATA:
        Trace("OnRx() SLPNOTIFY_BADDATA");
        return 1;
    default:
    {
        char sz[64];
        std::snprintf(sz, sizeof sz, "OnRx() SLPNOTIFY_???: 0x%08x", static_cast<unsigned>(nIndication));
        Trace(sz);
        return 1;
    }
    }
}

int CLayerPP_SlpV24::OnTimer()
{
    Trace("OnTimer()");
    return 1;
}
