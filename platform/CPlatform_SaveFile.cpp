#include "platform/CPlatform_SaveFile.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{
// Longest file name (without directory) of the usual file systems; the temporary name is cut to
// fit it. A file system with shorter names makes the creation fail with ENAMETOOLONG, and the name
// is cut further.
constexpr size_t NAME_MAX_BYTES = 255;
// The temporary file's name is the target's, then this and random letters.
const char s_szTempMark[] = ".~";
constexpr size_t TEMP_RANDOM = 6;
// Names tried before giving up when others keep taking them.
constexpr int TEMP_ATTEMPTS = 100;
// Links followed from the target before giving up (as the system's own limit for paths).
constexpr int LINK_DEPTH_MAX = 40;

#ifdef _WIN32
constexpr int O_NOFOLLOW = 0;
constexpr int O_CLOEXEC = 0;
int CurrentProcess()
{
    return _getpid();
}
#else
constexpr int O_BINARY = 0;
int CurrentProcess()
{
    return static_cast<int>(getpid());
}
#endif

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// The directory part of a path with its separator ("" for a bare name).
std::string DirectoryOf(const std::string& path)
{
    size_t n = path.size();
    while (n > 0 && !IsSeparator(path[n - 1]))
        --n;
    return path.substr(0, n);
}

// The file a target stands for: links followed to the file they lead to, which need not exist yet.
int ResolveLinks(const std::string& target, std::string& real)
{
    real = target;
#ifndef _WIN32
    for (int nDepth = 0; nDepth < LINK_DEPTH_MAX; ++nDepth)
    {
        struct stat st;
        if (lstat(real.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        // A link that someone else left in a shared directory (sticky and writable by all, such as
        // /tmp) is not followed, as the system itself refuses for its own opens: it could lead the
        // save to any file the saving user may write.
        struct stat dir;
        const std::string directory = DirectoryOf(real);
        if (st.st_uid != geteuid() && stat(directory.empty() ? "." : directory.c_str(), &dir) == 0 &&
            (dir.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH) && st.st_uid != dir.st_uid)
            return EACCES;
        std::vector<char> link(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 256);
        for (;;)
        {
            const ssize_t n = readlink(real.c_str(), link.data(), link.size());
            if (n < 0)
                return errno;
            if (static_cast<size_t>(n) < link.size())
            {
                link.resize(static_cast<size_t>(n));
                break;
            }
            link.resize(link.size() * 2);
        }
        const std::string to(link.begin(), link.end());
        real = !to.empty() && to[0] == '/' ? to : DirectoryOf(real) + to;
    }
    return ELOOP;
#else
    return 0;
#endif
}

// Random letters for a temporary name; the process number is mixed in so that processes forked
// with the same generator state still pick different names.
std::string RandomLetters()
{
    static const char s_szLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 s_random(
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    uint64_t n = s_random() ^ (static_cast<uint64_t>(CurrentProcess()) * 0x9E3779B97F4A7C15ULL);
    std::string text;
    for (size_t i = 0; i < TEMP_RANDOM; ++i, n /= 62)
        text += s_szLetters[n % 62];
    return text;
}

// The first n bytes of a name, not cutting a UTF-8 character in two.
std::string NamePrefix(const std::string& name, size_t n)
{
    if (name.size() <= n)
        return name;
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
        --n;
    return name.substr(0, n);
}

int SyncDirectory(const std::string& directory)
{
#ifdef _WIN32
    (void)directory;
    return 0;
#else
    const int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int nError = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    // Some file systems cannot sync a directory and say so; their renames are as safe as they get.
    if (nError == EINVAL || nError == ENOTSUP)
        nError = 0;
    return nError;
#endif
}
} // namespace

CPlatform_SaveFile::CPlatform_SaveFile(const std::string& target) : m_target(target) {}

CPlatform_SaveFile::~CPlatform_SaveFile()
{
    Discard();
}

void CPlatform_SaveFile::Fail(int nError)
{
    if (!m_nError)
        m_nError = nError ? nError : EIO;
}

int CPlatform_SaveFile::Open()
{
    if (m_fd >= 0 || m_target.empty())
    {
        Fail(m_target.empty() ? ENOENT : EBUSY);
        return 0;
    }
    m_nError = 0;
    if (const int nError = ResolveLinks(m_target, m_realTarget))
    {
        Fail(nError);
        return 0;
    }
    const std::string directory = DirectoryOf(m_realTarget);
    const std::string name = m_realTarget.substr(directory.size());
    if (name.empty())
    {
        Fail(EISDIR);
        return 0;
    }
    struct stat st;
    const bool bExists = stat(m_realTarget.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG;

    // A new file gets the mode any new file gets (the user's mask applies); a replaced one is
    // private until it has the old file's mode, so nobody else opens it in between.
    size_t nPrefix = NAME_MAX_BYTES - (sizeof s_szTempMark - 1) - TEMP_RANDOM;
    int nOpenError = EEXIST;
    for (int nAttempt = 0; nAttempt < TEMP_ATTEMPTS && m_fd < 0; ++nAttempt)
    {
        std::string temp = directory + NamePrefix(name, nPrefix) + s_szTempMark + RandomLetters();
        m_fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_BINARY,
                    bExists ? 0600 : 0666);
        nOpenError = errno;
        if (m_fd >= 0)
            m_tempName = std::move(temp);
        else if (nOpenError == ENAMETOOLONG && nPrefix > 1)
            nPrefix /= 2;
        else if (nOpenError != EEXIST)
            break;
    }
    if (m_fd < 0)
    {
        Fail(nOpenError);
        return 0;
    }
#ifndef _WIN32
    if (bExists)
    {
        // Owner and group stay where the system lets them (an ordinary user keeps at most a group
        // it belongs to); the mode after them, because a change of owner clears some of its bits.
        if ((st.st_uid != geteuid() || st.st_gid != getegid()) && fchown(m_fd, st.st_uid, st.st_gid) != 0 &&
            fchown(m_fd, static_cast<uid_t>(-1), st.st_gid) != 0)
        {
            // A file of another owner and group becomes the saving user's, as any new file would.
        }
        if (fchmod(m_fd, st.st_mode & 07777) != 0)
        {
            // Left private: stricter than the old file, never looser.
        }
    }
#else
    if (bExists)
        _chmod(m_tempName.c_str(), st.st_mode & (_S_IREAD | _S_IWRITE));
#endif
    return 1;
}

int CPlatform_SaveFile::Write(const void* pData, size_t nCount)
{
    if (m_fd < 0 || m_nError)
    {
        Fail(EBADF);
        return 0;
    }
    const char* p = static_cast<const char*>(pData);
    while (nCount > 0)
    {
#ifdef _WIN32
        const unsigned nPiece = nCount > 0x40000000u ? 0x40000000u : static_cast<unsigned>(nCount);
        const int n = _write(m_fd, p, nPiece);
#else
        const ssize_t n = write(m_fd, p, nCount);
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            Fail(n < 0 ? errno : ENOSPC);
            return 0;
        }
        p += n;
        nCount -= static_cast<size_t>(n);
    }
    return 1;
}

int CPlatform_SaveFile::Commit()
{
    if (m_fd < 0)
    {
        Fail(EBADF);
        Discard();
        return 0;
    }
#ifdef _WIN32
    if (!m_nError && _commit(m_fd) != 0)
        Fail(errno);
    if (_close(m_fd) != 0)
        Fail(errno);
#else
    if (!m_nError && fsync(m_fd) != 0)
        Fail(errno);
    // Some file systems report a failed write only when the file is closed.
    if (close(m_fd) != 0)
        Fail(errno);
#endif
    m_fd = -1;
    if (m_nError)
    {
        Discard();
        return 0;
    }
#ifdef _WIN32
    if (!MoveFileExA(m_tempName.c_str(), m_realTarget.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        Fail(static_cast<int>(GetLastError()));
        Discard();
        return 0;
    }
#else
    if (std::rename(m_tempName.c_str(), m_realTarget.c_str()) != 0)
    {
        Fail(errno);
        Discard();
        return 0;
    }
#endif
    m_tempName.clear();
    // The rename itself lasts only once the directory is on the disk.
    if (const int nError = SyncDirectory(DirectoryOf(m_realTarget)))
    {
        Fail(nError);
        return 0;
    }
    return 1;
}

void CPlatform_SaveFile::Discard()
{
    if (m_fd >= 0)
    {
#ifdef _WIN32
        _close(m_fd);
#else
        close(m_fd);
#endif
        m_fd = -1;
    }
    if (!m_tempName.empty())
    {
        std::remove(m_tempName.c_str());
        m_tempName.clear();
    }
}

int CPlatform_SaveFile::Save(const std::string& path, const char* pData, size_t nSize, int& nError)
{
    CPlatform_SaveFile file(path);
    const int nResult = file.Open() && (nSize == 0 || file.Write(pData, nSize)) && file.Commit();
    nError = nResult ? 0 : file.Error();
    if (!nResult && !nError)
        nError = EIO;
    return nResult;
}
