#include "platform/CPlatform_System.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

void PlatformGmTime(std::time_t t, std::tm& out)
{
#ifdef _WIN32
    gmtime_s(&out, &t);
#else
    gmtime_r(&t, &out);
#endif
}

std::string PlatformSystemMessage(int nMessage)
{
#ifdef _WIN32
    char* pBuffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(nMessage), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPSTR>(&pBuffer), 0, nullptr);
    std::string text = n && pBuffer ? std::string(pBuffer, n) : std::string();
    if (pBuffer)
        LocalFree(pBuffer);
    return text;
#else
    char sz[256] = {};
    // The GNU variant may hand back a static text instead of filling the buffer.
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
    const char* p = strerror_r(nMessage, sz, sizeof sz);
    return p ? std::string(p) : std::string();
#else
    if (strerror_r(nMessage, sz, sizeof sz) != 0)
        return std::string();
    return sz;
#endif
#endif
}

int PlatformSyncFile(std::FILE* pFile)
{
    if (!pFile || std::fflush(pFile) != 0)
        return 0;
#ifdef _WIN32
    return _commit(_fileno(pFile)) == 0 ? 1 : 0;
#else
    return fsync(fileno(pFile)) == 0 ? 1 : 0;
#endif
}

int PlatformReplaceFile(const char* pszSource, const char* pszTarget, int& nError)
{
    nError = 0;
#ifdef _WIN32
    if (MoveFileExA(pszSource, pszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    nError = static_cast<int>(GetLastError());
    return 0;
#else
    if (std::rename(pszSource, pszTarget) == 0)
        return 1;
    nError = errno;
    return 0;
#endif
}

int PlatformLastError()
{
#ifdef _WIN32
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}
