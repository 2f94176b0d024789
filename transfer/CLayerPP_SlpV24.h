#pragma once

// Lowest layer of the transfer stack: binds the layers to the link library SlpV24, loaded at run
// time by name, and turns its notifications (passed in by the window that receives them) into
// layer indications.

#include "slpv24/SlpV24.h" // the notification codes and port numbers of the link library
#include "transfer/CLayerPP.h"

#include <cstdint>
#include <memory>
#include <string>

class QLibrary;

class CLayerPP_SlpV24 : public CLayerPP
{
public:
    CLayerPP_SlpV24(int nPort, int nTransferClass, void* hWnd, uint32_t* pMsgNofity, int nReserved, int nRole,
                    const char* pszPabxSerialNo = nullptr, int nPabxPortId = 0,
                    const char* pszPabxParamA = nullptr, const char* pszPabxParamB = nullptr);
    ~CLayerPP_SlpV24() override;

    const char* GetClassName() const override;
    int Open() override;
    int OpenSystel() override;
    int OpenSystelKNT() override;
    int Close() override;
    int Read(unsigned char* pBuffer, int nSize) override;
    int Write(const unsigned char* pFrame, int nLength) override;
    int OnRx(int nIndication, int nParam) override;
    int OnTimer() override;

    // The library to load (a path, with or without the platform's prefix and suffix). Empty, as at
    // start: "SlpV24" beside the executable, then through the system's library search. Tests point
    // it at their fake library.
    static void SetLibraryName(const std::string& name);

    // Why the last open failed, as the library (or the loader) tells it: the device and the
    // system's reason. Empty after a successful open and when nothing is known.
    const std::string& OpenError() const { return m_openError; }

private:
    enum EOpenKind
    {
        OPEN_EX,
        OPEN_EX2,
        OPEN_KNT,
    };
    int OpenKind(EOpenKind kind);
    int CallOpen(EOpenKind kind, int nPort);
    int SlpV24_OpenDll();
    int SlpV24_CloseDll();
    void TraceDump(const char* pszText, const unsigned char* pData, int nCount) const;
    // Takes the library's reason for the open that just failed.
    void TakeOpenError();

    using PfnOpen = int32_t (*)();
    using PfnOpenEx = int32_t (*)(uint32_t*, const uint32_t*, int32_t, int32_t, void*, int32_t, int32_t);
    using PfnOpenEx2 = int32_t (*)(uint32_t*, const uint32_t*, int32_t, int32_t, void*, int32_t, int32_t,
                                   const char*, int32_t);
    using PfnOpenKNT = int32_t (*)(uint32_t*, const uint32_t*, int32_t, int32_t, void*, int32_t, int32_t,
                                   const char*, int32_t, const char*, const char*);
    using PfnClose = int32_t (*)(uint32_t);
    using PfnRead = int32_t (*)(uint32_t, unsigned char*, int32_t);
    using PfnWrite = int32_t (*)(uint32_t, const unsigned char*, int32_t);
    using PfnGetLastError = int32_t (*)(char*, int32_t);

    int m_nPort;
    int m_nTransferClass;
    void* m_hWnd;
    uint32_t* m_pMsgNofity;
    int m_nReserved;
    int m_nRole;
    std::string m_PabxSerialNo;
    bool m_bPabxSerialNo;
    int m_nPabxPortId;
    std::string m_PabxParamA;
    bool m_bPabxParamA;
    std::string m_PabxParamB;
    bool m_bPabxParamB;

    std::unique_ptr<QLibrary> m_pLibrary;
    uint32_t m_hLink = 0;
    PfnOpen m_pfnOpen = nullptr;
    PfnOpenEx m_pfnOpenEx = nullptr;
    PfnOpenEx2 m_pfnOpenEx2 = nullptr;
    PfnOpenKNT m_pfnOpenKNT = nullptr;
    PfnClose m_pfnClose = nullptr;
    PfnRead m_pfnRead = nullptr;
    PfnWrite m_pfnWrite = nullptr;
    PfnGetLastError m_pfnGetLastError = nullptr; // optional: older libraries lack it
    std::string m_openError;
};
