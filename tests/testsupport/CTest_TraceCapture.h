#pragma once

#include "testsupport/CTest_TempDir.h"

#include <string>
#include <vector>

// Turns the trace on for its lifetime (in a temporary directory of its own, entered while it
// lives) and hands out the lines written since the last call, without their time prefix and CR LF:
// "CData_Types: StrToName() Invalid length!". The trace is back to its first-call state afterwards.
class CTest_TraceCapture
{
public:
    CTest_TraceCapture();
    ~CTest_TraceCapture();
    CTest_TraceCapture(const CTest_TraceCapture&) = delete;
    CTest_TraceCapture& operator=(const CTest_TraceCapture&) = delete;

    // Lines written since construction or the previous call.
    std::vector<std::string> Take();

private:
    CTest_TempDir m_dir{true};
    size_t m_nOffset = 0;
};
