#pragma once

// Diagnostic trace of the whole program. Off unless the marker file "##Trace.###" exists in the
// current directory at the first trace call; then every piece of every line goes unbuffered to a
// file named after the start time (UTC). All functions run on the user-interface thread.

#include <cstddef>
#include <string>

enum ETraceState
{
    TRACE_UNCHECKED = 0, // the marker file has not been looked for yet
    TRACE_OFF = 1,       // no marker at the first call: nothing is written for the rest of the run
    TRACE_ON = 2,        // marker found: the trace file is (or could not be) created
};

// Process-wide state, read inline so that a trace call costs one flag test while tracing is off.
extern int g_nTraceState;

int TraceText_Checked(const char* pszText);
int TraceTime_Checked();
int TraceHex_Checked(const unsigned char* pData, size_t nCount);

// Writes the time prefix "[hh:mm:ss.mmm] " (UTC).
inline int TraceTime()
{
    return g_nTraceState == TRACE_OFF ? 0 : TraceTime_Checked();
}

// Writes the text without its terminator; 0 when tracing is off.
inline int TraceText(const char* pszText)
{
    return g_nTraceState == TRACE_OFF ? 0 : TraceText_Checked(pszText);
}

// Writes "{ " and two lower-case hex digits and a blank for each of the first 256 bytes, then "}".
inline int TraceHex(const void* pData, size_t nCount)
{
    return g_nTraceState == TRACE_OFF ? 0
                                      : TraceHex_Checked(static_cast<const unsigned char*>(pData), nCount);
}

// Writes "\nFile:<path>,Line:<line>,ASSERT DETECTED !!\n"; always gives 0.
int TraceAssert(const char* pszFile, int nLine);

// Looks up the system's text for a message number; on success writes it to the trace and, with
// bShow, shows it in a message box captioned "Error". Gives the text (empty when there is none).
std::string TraceSystemError(int nMessage, bool bShow);

// True when tracing is on; does the marker check on the first call. Callers that format values
// for a trace line ask this first so that the formatting costs nothing while tracing is off.
inline bool TraceIsOn()
{
    if (g_nTraceState == TRACE_UNCHECKED)
        TraceText_Checked("");
    return g_nTraceState == TRACE_ON;
}

void TraceLine_Checked(const char* pszClass, const char* pszText, const char* pszMore, const char* pszMore2);

// One whole line: time prefix, class, ": ", the text pieces given, CR LF.
inline void TraceLine(const char* pszClass, const char* pszText, const char* pszMore = nullptr,
                      const char* pszMore2 = nullptr)
{
    if (g_nTraceState != TRACE_OFF)
        TraceLine_Checked(pszClass, pszText, pszMore, pszMore2);
}

// The name the trace file gets for a UTC time (long form); exposed for the tests.
std::string TraceFileName(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond);

// Back to the unchecked state with the trace file closed, as at a new start. Tests only.
void TraceReset();
