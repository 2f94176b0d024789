#include "platform/CPlatform_System.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
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

int PlatformLastError()
{
#ifdef _WIN32
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

std::string PlatformErrorText(int nError)
{
    if (nError == 0)
        nError = EIO;
    std::string text = PlatformSystemMessage(nError);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "Error " + std::to_string(nError) : text;
}

std::FILE* PlatformOpenRead(const char* pszPath, int& nError)
{
    nError = 0;
    if (!pszPath || !*pszPath)
    {
        nError = ENOENT;
        return nullptr;
    }
#ifdef _WIN32
    std::FILE* pFile = std::fopen(pszPath, "rb");
#else
    // "e": the descriptor is not handed on to programs started meanwhile.
    std::FILE* pFile = std::fopen(pszPath, "rbe");
#endif
    if (!pFile)
        nError = errno ? errno : EIO;
    return pFile;
}

int PlatformReadWhole(std::FILE* pFile, size_t nMax, size_t nSlack, std::string& bytes, int& nError)
{
    nError = 0;
    bytes.clear();
#ifdef _WIN32
    struct _stat64 st;
    const int nStat = _fstat64(_fileno(pFile), &st);
#else
    struct stat st;
    const int nStat = fstat(fileno(pFile), &st);
#endif
    if (nStat != 0)
    {
        nError = errno;
        return 0;
    }
    const auto type = st.st_mode & S_IFMT;
    size_t nCapacity = 64 * 1024;
    if (type == S_IFREG)
    {
        if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > nMax)
        {
            nError = EFBIG;
            return 0;
        }
        nCapacity = static_cast<size_t>(st.st_size);
    }
    else if (type == S_IFDIR)
    {
        nError = EISDIR;
        return 0;
    }
#ifdef S_IFIFO
    else if (type != S_IFIFO)
#else
    else
#endif
    {
        nError = EINVAL;
        return 0;
    }
    if (nCapacity > nMax)
        nCapacity = nMax;
    bytes.reserve(nCapacity + nSlack);
    bytes.resize(nCapacity);
    size_t nSize = 0;
    for (;;)
    {
        if (nSize < bytes.size())
        {
            const size_t n = std::fread(&bytes[nSize], 1, bytes.size() - nSize, pFile);
            nSize += n;
            if (n > 0)
                continue;
        }
        else
        {
            // Full as far as the size said: a small read tells whether the file grew meanwhile,
            // without making room for a copy that an ordinary file never needs.
            char probe[4096];
            const size_t n = std::fread(probe, 1, sizeof probe, pFile);
            if (n > 0)
            {
                if (nSize + n > nMax)
                {
                    nError = EFBIG;
                    bytes.clear();
                    return 0;
                }
                size_t nGrown = nSize < nMax / 2 ? 2 * nSize : nMax;
                if (nGrown < nSize + n)
                    nGrown = nSize + n;
                bytes.reserve(nGrown + nSlack);
                bytes.resize(nGrown);
                std::memcpy(&bytes[nSize], probe, n);
                nSize += n;
                continue;
            }
        }
        if (std::ferror(pFile))
        {
            nError = errno ? errno : EIO;
            bytes.clear();
            return 0;
        }
        break;
    }
    bytes.resize(nSize);
    return 1;
}

int PlatformReadFile(const char* pszPath, size_t nMax, size_t nSlack, std::string& bytes, int& nError)
{
    std::FILE* pFile = PlatformOpenRead(pszPath, nError);
    if (!pFile)
        return 0;
    const int nResult = PlatformReadWhole(pFile, nMax, nSlack, bytes, nError);
    std::fclose(pFile);
    return nResult;
}
