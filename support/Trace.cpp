#include "support/Trace.h"

#include "platform/CPlatform_System.h"
#include "support/CUi_Interface.h"

#include <chrono>
#include <cstdio>
#include <ctime>

int g_nTraceState = TRACE_UNCHECKED;

namespace
{
// The marker name is put together so that a search of the binary for it finds nothing by chance.
const char s_szMarker[] = "##"
                          "Trace"
                          ".###";

// A dump shows at most this many bytes: enough for every record of the protocol (256 payload
// bytes at most) and bounded for anything longer.
constexpr size_t TRACE_HEX_MAX = 256;

std::FILE* s_pFile = nullptr;

struct CUtcNow
{
    std::tm tm{};
    int nMillis = 0;
};

CUtcNow UtcNow()
{
    CUtcNow now;
    const auto tp = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(tp);
    now.nMillis = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()).count() % 1000);
    PlatformGmTime(t, now.tm);
    return now;
}

void FirstUse()
{
    g_nTraceState = TRACE_OFF;
    std::FILE* pMarker = std::fopen(s_szMarker, "rb");
    if (!pMarker)
        return;
    std::fclose(pMarker);
    g_nTraceState = TRACE_ON;

    const CUtcNow now = UtcNow();
    const std::string name = TraceFileName(now.tm.tm_year + 1900, now.tm.tm_mon + 1, now.tm.tm_mday,
                                           now.tm.tm_hour, now.tm.tm_min, now.tm.tm_sec);
    // A file that cannot be created leaves tracing on with every write failing silently.
    s_pFile = std::fopen(name.c_str(), "wb");
    if (s_pFile)
        std::setvbuf(s_pFile, nullptr, _IONBF, 0);
}

int Write(const char* pData, size_t nCount)
{
    if (g_nTraceState == TRACE_UNCHECKED)
        FirstUse();
    if (g_nTraceState != TRACE_ON || !s_pFile)
        return 0;
    return std::fwrite(pData, 1, nCount, s_pFile) == nCount ? 1 : 0;
}
} // namespace

std::string TraceFileName(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, "S%02d%02d%02d-%02d%02d%02d.Lg", nYear % 100, nMonth, nDay, nHour, nMinute,
                  nSecond);
    return sz;
}

int TraceText_Checked(const char* pszText)
{
    if (!pszText)
        return 0;
    return Write(pszText, std::char_traits<char>::length(pszText));
}

int TraceTime_Checked()
{
    if (g_nTraceState == TRACE_UNCHECKED)
        FirstUse();
    if (g_nTraceState != TRACE_ON)
        return 0;
    const CUtcNow now = UtcNow();
    char sz[32];
    const int n = std::snprintf(sz, sizeof sz, "[%02d:%02d:%02d.%03d] ", now.tm.tm_hour, now.tm.tm_min,
                                now.tm.tm_sec, now.nMillis);
    return Write(sz, static_cast<size_t>(n));
}

int TraceHex_Checked(const unsigned char* pData, size_t nCount)
{
    static const char s_hex[] = "0123456789abcdef";
    char sz[2 + 3 * TRACE_HEX_MAX + 1];
    size_t n = 0;
    sz[n++] = '{';
    sz[n++] = ' ';
    if (!pData)
        nCount = 0;
    for (size_t i = 0; i < nCount && i < TRACE_HEX_MAX; ++i)
    {
        sz[n++] = s_hex[pData[i] >> 4];
        sz[n++] = s_hex[pData[i] & 0x0F];
        sz[n++] = ' ';
    }
    sz[n++] = '}';
    return Write(sz, n);
}

int TraceAssert(const char* pszFile, int nLine)
{
    if (g_nTraceState == TRACE_OFF)
        return 0;
    std::string text = "\nFile:";
    text += pszFile ? pszFile : "";
    text += ",Line:";
    text += std::to_string(nLine);
    text += ",ASSERT DETECTED !!\n";
    Write(text.data(), text.size());
    return 0;
}

std::string TraceSystemError(int nMessage, bool bShow)
{
    std::string text = PlatformSystemMessage(nMessage);
    if (text.empty())
        return text;
    TraceText(text.c_str());
    if (bShow)
        CUi_Interface::Get().MessageBox(text, "Error", CUi_Interface::ICON_INFORMATION,
                                        CUi_Interface::BUTTONS_OK);
    return text;
}

void TraceLine_Checked(const char* pszClass, const char* pszText, const char* pszMore, const char* pszMore2)
{
    TraceTime_Checked();
    TraceText_Checked(pszClass);
    TraceText_Checked(": ");
    TraceText_Checked(pszText);
    if (pszMore)
        TraceText_Checked(pszMore);
    if (pszMore2)
        TraceText_Checked(pszMore2);
    TraceText_Checked("\r\n");
}

void TraceReset()
{
    if (s_pFile)
        std::fclose(s_pFile);
    s_pFile = nullptr;
    g_nTraceState = TRACE_UNCHECKED;
}
