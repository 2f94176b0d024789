// The entry points of the link library: a table of open links over CSlp_Link, with the port
// numbers turned into devices by CSlp_Transport.

#include "slpv24/SlpV24.h"

#include "slpv24/CSlp_Link.h"
#include "slpv24/CSlp_Transport.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace
{
// Links open at one time; the program needs one, the emulator and tests a few.
constexpr size_t SLP_MAX_LINKS = 16;

std::mutex s_mutex;
std::map<uint32_t, std::shared_ptr<CSlp_Link>> s_links;
uint32_t s_uLastHandle = 0;

std::shared_ptr<CSlp_Link> Find(uint32_t hLink)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    const auto it = s_links.find(hLink);
    return it == s_links.end() ? nullptr : it->second;
}

int32_t OpenLink(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort, int32_t nTransferClass,
                 void* hWnd, int32_t nRole, CSlp_LinkConfig config)
{
    const auto* pSink = static_cast<const SlpV24_NotifySink*>(hWnd);
    SlpSetOpenError(std::string());
    if (!pHandle || !pMsgNotify || !pSink || !pSink->pfnNotify)
    {
        SlpSetOpenError("the caller gave no handle, message or notification sink");
        return 1;
    }
    *pHandle = 0;
    config.m_nRole = nRole == SLP_ROLE_ANSWER ? SLP_ROLE_ANSWER : SLP_ROLE_CALL;
    config.m_nTransferClass = nTransferClass;
    SlpApplyTimingEnvironment(config);

    uint32_t hLink = 0;
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        if (s_links.size() >= SLP_MAX_LINKS)
        {
            SlpSetOpenError("too many links open");
            return 1;
        }
        do
            hLink = ++s_uLastHandle;
        while (hLink == 0 || s_links.count(hLink));
        s_links[hLink] = nullptr; // reserved until the link runs
    }

    CSlp_Device device;
    const uint32_t uMsg = *pMsgNotify;
    auto link =
        std::make_shared<CSlp_Link>(config,
                                    [pSink, uMsg, hLink](int nCode) {
                                        pSink->pfnNotify(pSink->pContext, uMsg, static_cast<uint32_t>(nCode),
                                                         static_cast<int32_t>(hLink));
                                    });
    const std::string name = SlpDeviceForPort(nPort);
    bool bOk = SlpOpenDevice(name, device) != 0;
    if (!bOk && name.empty())
        SlpSetOpenError("port " + std::to_string(nPort) + ": no device for this port");
    if (bOk && !link->Start(device))
    {
        SlpSetOpenError(name + ": the link could not start");
        bOk = false;
    }
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!bOk)
    {
        s_links.erase(hLink);
        return 1;
    }
    s_links[hLink] = link;
    *pHandle = hLink;
    return 0;
}

const char* Text(const char* psz)
{
    return psz ? psz : "";
}
} // namespace

extern "C"
{

    SLPV24_API int32_t SlpV24_Open(void)
    {
        return 1;
    }

    SLPV24_API int32_t SlpV24_OpenEx(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                     int32_t nTransferClass, void* hWnd, int32_t /*nReserved*/, int32_t nRole)
    {
        return OpenLink(pHandle, pMsgNotify, nPort, nTransferClass, hWnd, nRole, CSlp_LinkConfig{});
    }

    SLPV24_API int32_t SlpV24_OpenEx2(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                      int32_t nTransferClass, void* hWnd, int32_t /*nReserved*/,
                                      int32_t nRole, const char* pszPabxSerialNo, int32_t nPabxPortId)
    {
        CSlp_LinkConfig config;
        config.m_bPabx = true;
        config.m_serialNo = Text(pszPabxSerialNo);
        config.m_nPortId = nPabxPortId;
        return OpenLink(pHandle, pMsgNotify, nPort, nTransferClass, hWnd, nRole, config);
    }

    SLPV24_API int32_t SlpV24_OpenKNT(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                      int32_t nTransferClass, void* hWnd, int32_t /*nReserved*/,
                                      int32_t nRole, const char* pszPabxSerialNo, int32_t nPabxPortId,
                                      const char* pszParamA, const char* pszParamB)
    {
        CSlp_LinkConfig config;
        config.m_bPabx = true;
        config.m_serialNo = Text(pszPabxSerialNo);
        config.m_nPortId = nPabxPortId;
        config.m_bLineParams = true;
        config.m_paramA = Text(pszParamA);
        config.m_paramB = Text(pszParamB);
        return OpenLink(pHandle, pMsgNotify, nPort, nTransferClass, hWnd, nRole, config);
    }

    SLPV24_API int32_t SlpV24_GetLastError(char* pszText, int32_t nSize)
    {
        const std::string error = SlpOpenError();
        if (pszText && nSize > 0)
        {
            const size_t nCopy = std::min(error.size(), static_cast<size_t>(nSize) - 1);
            error.copy(pszText, nCopy);
            pszText[nCopy] = '\0';
        }
        return static_cast<int32_t>(error.size());
    }

    SLPV24_API int32_t SlpV24_Close(uint32_t hLink)
    {
        std::shared_ptr<CSlp_Link> link;
        {
            std::lock_guard<std::mutex> lock(s_mutex);
            const auto it = s_links.find(hLink);
            if (it == s_links.end() || !it->second)
                return 1;
            link = std::move(it->second);
            s_links.erase(it);
        }
        // Outside the table lock: closing waits for the reader thread.
        link->Close();
        return 0;
    }

    SLPV24_API int32_t SlpV24_Read(uint32_t hLink, unsigned char* pBuffer, int32_t nSize)
    {
        const auto link = Find(hLink);
        if (!link || !pBuffer || nSize <= 0)
            return 0;
        return link->Read(pBuffer, static_cast<size_t>(nSize));
    }

    SLPV24_API int32_t SlpV24_Write(uint32_t hLink, const unsigned char* pFrame, int32_t nLength)
    {
        const auto link = Find(hLink);
        if (!link || !pFrame || nLength <= 0)
            return 0;
        return link->Write(pFrame, static_cast<size_t>(nLength));
    }
}
