#pragma once

// The fake link library's script and call record, shared by the fake (a shared library with the
// seven entry points of the real one, see fake_slpv24/) and the tests that load it. A test loads
// the fake itself and keeps it loaded, so the state outlives the adapter's unloading.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct CTest_FakeSlpV24Call
{
    std::string m_name; // entry point without the "SlpV24_" prefix: "OpenEx", "Read", ...
    uint32_t m_hLink = 0;
    const uint32_t* m_pMsgNotify = nullptr;
    int32_t m_nPort = 0;
    int32_t m_nTransferClass = 0;
    void* m_hWnd = nullptr;
    int32_t m_nReserved = 0;
    int32_t m_nRole = 0;
    bool m_bSerialNo = false; // the text arguments were given (not null)
    std::string m_serialNo;
    int32_t m_nPortId = 0;
    bool m_bParams = false;
    std::string m_paramA;
    std::string m_paramB;
    int32_t m_nSize = 0;               // Read: buffer size; Write: frame length
    std::vector<unsigned char> m_data; // Write: the frame
};

struct CTest_FakeSlpV24State
{
    std::vector<CTest_FakeSlpV24Call> m_calls;
    std::deque<int32_t> m_openResults;               // result of each open call in turn; then 0
    uint32_t m_hLink = 0x4711;                       // handle given by a successful open
    std::deque<std::vector<unsigned char>> m_frames; // handed out by Read, one per call
    bool m_bReadCountOverride = false;               // Read gives m_nReadCount instead of the frame size
    int32_t m_nReadCount = 0;
    int32_t m_nWriteResult = -1; // Write's result; -1: the length it was given

    void Reset() { *this = CTest_FakeSlpV24State{}; }
    size_t Count(const std::string& name) const
    {
        size_t n = 0;
        for (const auto& call : m_calls)
            n += call.m_name == name ? 1 : 0;
        return n;
    }
};

// Exported by the fake under this name.
using PfnFakeSlpV24_State = CTest_FakeSlpV24State* (*)();
