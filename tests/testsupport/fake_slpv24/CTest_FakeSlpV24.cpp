// A link library for the adapter tests: the real entry points, no link. It records every call and
// answers as the test scripted through FakeSlpV24_State. Built in variants that lack an entry
// point (FAKE_SLPV24_NO_KNT, FAKE_SLPV24_NO_WRITE).

#include "testsupport/CTest_FakeSlpV24.h"

#include <algorithm>
#include <cstring>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace
{
CTest_FakeSlpV24State s_state;

CTest_FakeSlpV24Call Named(const char* pszName)
{
    CTest_FakeSlpV24Call call;
    call.m_name = pszName;
    return call;
}

int32_t OpenResult()
{
    if (s_state.m_openResults.empty())
        return 0;
    const int32_t n = s_state.m_openResults.front();
    s_state.m_openResults.pop_front();
    return n;
}

CTest_FakeSlpV24Call OpenCall(const char* pszName, const uint32_t* pMsgNotify, int32_t nPort, int32_t nClass,
                              void* hWnd, int32_t nReserved, int32_t nRole)
{
    CTest_FakeSlpV24Call call;
    call.m_name = pszName;
    call.m_pMsgNotify = pMsgNotify;
    call.m_nPort = nPort;
    call.m_nTransferClass = nClass;
    call.m_hWnd = hWnd;
    call.m_nReserved = nReserved;
    call.m_nRole = nRole;
    return call;
}

int32_t FinishOpen(CTest_FakeSlpV24Call call, uint32_t* pHandle)
{
    const int32_t n = OpenResult();
    if (pHandle)
        *pHandle = n == 0 ? s_state.m_hLink : 0;
    call.m_hLink = n == 0 ? s_state.m_hLink : 0;
    s_state.m_calls.push_back(std::move(call));
    return n;
}
} // namespace

FAKE_API CTest_FakeSlpV24State* FakeSlpV24_State()
{
    return &s_state;
}

FAKE_API int32_t SlpV24_Open()
{
    s_state.m_calls.push_back(Named("Open"));
    return 1;
}

FAKE_API int32_t SlpV24_OpenEx(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort, int32_t nClass,
                               void* hWnd, int32_t nReserved, int32_t nRole)
{
    return FinishOpen(OpenCall("OpenEx", pMsgNotify, nPort, nClass, hWnd, nReserved, nRole), pHandle);
}

FAKE_API int32_t SlpV24_OpenEx2(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort, int32_t nClass,
                                void* hWnd, int32_t nReserved, int32_t nRole, const char* pszSerialNo,
                                int32_t nPortId)
{
    CTest_FakeSlpV24Call call = OpenCall("OpenEx2", pMsgNotify, nPort, nClass, hWnd, nReserved, nRole);
    call.m_bSerialNo = pszSerialNo != nullptr;
    call.m_serialNo = pszSerialNo ? pszSerialNo : "";
    call.m_nPortId = nPortId;
    return FinishOpen(std::move(call), pHandle);
}

#ifndef FAKE_SLPV24_NO_KNT
FAKE_API int32_t SlpV24_OpenKNT(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort, int32_t nClass,
                                void* hWnd, int32_t nReserved, int32_t nRole, const char* pszSerialNo,
                                int32_t nPortId, const char* pszParamA, const char* pszParamB)
{
    CTest_FakeSlpV24Call call = OpenCall("OpenKNT", pMsgNotify, nPort, nClass, hWnd, nReserved, nRole);
    call.m_bSerialNo = pszSerialNo != nullptr;
    call.m_serialNo = pszSerialNo ? pszSerialNo : "";
    call.m_nPortId = nPortId;
    call.m_bParams = pszParamA != nullptr && pszParamB != nullptr;
    call.m_paramA = pszParamA ? pszParamA : "";
    call.m_paramB = pszParamB ? pszParamB : "";
    return FinishOpen(std::move(call), pHandle);
}
#endif

FAKE_API int32_t SlpV24_Close(uint32_t hLink)
{
    CTest_FakeSlpV24Call call = Named("Close");
    call.m_hLink = hLink;
    s_state.m_calls.push_back(std::move(call));
    return 0;
}

FAKE_API int32_t SlpV24_Read(uint32_t hLink, unsigned char* pBuffer, int32_t nSize)
{
    CTest_FakeSlpV24Call call = Named("Read");
    call.m_hLink = hLink;
    call.m_nSize = nSize;
    s_state.m_calls.push_back(std::move(call));
    int32_t n = 0;
    if (!s_state.m_frames.empty())
    {
        const auto& frame = s_state.m_frames.front();
        n = static_cast<int32_t>(std::min<size_t>(frame.size(), nSize > 0 ? static_cast<size_t>(nSize) : 0));
        if (n > 0)
            std::memcpy(pBuffer, frame.data(), static_cast<size_t>(n));
        s_state.m_frames.pop_front();
    }
    return s_state.m_bReadCountOverride ? s_state.m_nReadCount : n;
}

#ifndef FAKE_SLPV24_NO_WRITE
FAKE_API int32_t SlpV24_Write(uint32_t hLink, const unsigned char* pFrame, int32_t nLength)
{
    CTest_FakeSlpV24Call call = Named("Write");
    call.m_hLink = hLink;
    call.m_nSize = nLength;
    if (pFrame && nLength > 0)
        call.m_data.assign(pFrame, pFrame + nLength);
    s_state.m_calls.push_back(std::move(call));
    return s_state.m_nWriteResult < 0 ? nLength : s_state.m_nWriteResult;
}
#endif
