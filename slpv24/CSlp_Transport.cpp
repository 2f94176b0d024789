#include "slpv24/CSlp_Transport.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>

#include <vector>

namespace
{
// The line speed of serial links: the fastest rate every USB serial bridge and UART of the
// telephones' era offers.
constexpr speed_t SLP_SERIAL_SPEED = B115200;

const char* Env(const std::string& name)
{
    const char* psz = std::getenv(name.c_str());
    return psz && *psz ? psz : nullptr;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

int SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        return 0;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return 1;
}

int MakeRaw(int fd)
{
    termios tio;
    if (::tcgetattr(fd, &tio) != 0)
        return 1; // not a terminal (a pipe in a test): nothing to set
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, SLP_SERIAL_SPEED);
    ::cfsetospeed(&tio, SLP_SERIAL_SPEED);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0 ? 1 : 0;
}

// "HOST:PORT" (an IPv6 host in brackets) into its parts; an empty host only where allowed.
bool SplitHostPort(const std::string& hostPort, bool bEmptyHost, std::string& host, std::string& port)
{
    const size_t colon = hostPort.rfind(':');
    if (colon == std::string::npos || (colon == 0 && !bEmptyHost) || colon + 1 == hostPort.size())
        return false;
    host = hostPort.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    port = hostPort.substr(colon + 1);
    return true;
}

int ConnectTcp(const std::string& hostPort, CSlp_Device& out)
{
    std::string host;
    std::string port;
    if (!SplitHostPort(hostPort, false, host, port))
    {
        SlpSetOpenError("tcp:" + hostPort + ": not HOST:PORT");
        return 0;
    }

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* pList = nullptr;
    const int nLookup = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &pList);
    if (nLookup != 0 || !pList)
    {
        SlpSetOpenError("tcp:" + hostPort + ": " + (nLookup != 0 ? ::gai_strerror(nLookup) : "no address"));
        return 0;
    }
    int nConnectError = 0;
    int fd = -1;
    for (addrinfo* p = pList; p && fd < 0; p = p->ai_next)
    {
        fd = ::socket(p->ai_family, p->ai_socktype, p->ai_protocol);
        if (fd < 0)
            continue;
        SetNonBlocking(fd);
        int rc = ::connect(fd, p->ai_addr, p->ai_addrlen);
        if (rc != 0 && errno == EINPROGRESS)
        {
            pollfd pfd{fd, POLLOUT, 0};
            int err = 0;
            socklen_t len = sizeof err;
            const int nReady = ::poll(&pfd, 1, SLP_CONNECT_TIMEOUT_MS);
            if (nReady == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0)
                rc = 0;
            else
                nConnectError = nReady == 0 ? ETIMEDOUT : err;
        }
        else if (rc != 0)
            nConnectError = errno;
        if (rc != 0)
        {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(pList);
    if (fd < 0 || !SlpPrepareDescriptor(fd, true))
    {
        if (fd >= 0)
            ::close(fd);
        SlpSetOpenError("tcp:" + hostPort + ": " + std::strerror(nConnectError ? nConnectError : errno));
        return 0;
    }
    out.m_fd = fd;
    out.m_bSocket = true;
    return 1;
}
} // namespace

std::string SlpDeviceForPort(int nPort)
{
    if (const char* psz = Env("SLPV24_DEVICE_" + std::to_string(nPort)))
        return psz;
    if (const char* psz = Env("SLPV24_DEVICE"))
        return psz;
    if (nPort == SLP_PORT_PABX_SVC || nPort == SLP_PORT_PABX_CTI || nPort == SLP_PORT_PABX_TCPIP)
    {
        const char* pszHost = Env("SLPV24_PABX_HOST");
        return std::string("tcp:") + (pszHost ? pszHost : SLP_PABX_DEFAULT_HOST) + ":" +
               std::to_string(SLP_PABX_TCP_PORT_BASE + nPort);
    }
    if (nPort == SLP_PORT_USB0 || nPort == SLP_PORT_USB1)
    {
        // USB serial bridges show up as modems (ACM) or as plain converters, in plugging order.
        const std::string n = std::to_string(nPort - SLP_PORT_USB0);
        if (Exists("/dev/ttyACM" + n))
            return "/dev/ttyACM" + n;
        return "/dev/ttyUSB" + n;
    }
    if (nPort >= 1 && nPort < SLP_PORT_USB0)
        return "/dev/ttyS" + std::to_string(nPort - 1); // port 1 is the first serial device
    return {};
}

int SlpPrepareDescriptor(int fd, bool bSocket)
{
    if (fd < 0 || !SetNonBlocking(fd))
        return 0;
    if (bSocket)
    {
        const int one = 1;
        // A frame is a complete message: it must not wait for more bytes.
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return 1;
    }
    return MakeRaw(fd);
}

namespace
{
// Per thread: a link is opened in the caller's thread, and two callers must not mix reasons. Kept
// in a table rather than in thread-local storage: this library is loaded at run time, and the
// dynamic thread-local blocks of such libraries trip up some leak checkers at the host's exit.
std::mutex s_errorMutex;
std::map<std::thread::id, std::string> s_errors;
} // namespace

std::string SlpOpenError()
{
    std::lock_guard<std::mutex> lock(s_errorMutex);
    const auto it = s_errors.find(std::this_thread::get_id());
    return it == s_errors.end() ? std::string() : it->second;
}

void SlpSetOpenError(const std::string& reason)
{
    std::lock_guard<std::mutex> lock(s_errorMutex);
    if (reason.empty())
        s_errors.erase(std::this_thread::get_id());
    else
        s_errors[std::this_thread::get_id()] = reason;
}

int SlpOpenDevice(const std::string& device, CSlp_Device& out)
{
    out = CSlp_Device{};
    SlpSetOpenError(std::string());
    if (device.empty())
    {
        SlpSetOpenError("no device for this port");
        return 0;
    }
    if (device.compare(0, 4, "tcp:") == 0)
        return ConnectTcp(device.substr(4), out);
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
    {
        SlpSetOpenError(device + ": " + std::strerror(errno));
        return 0;
    }
    if (!SlpPrepareDescriptor(fd, false))
    {
        SlpSetOpenError(device + ": " + std::strerror(errno));
        ::close(fd);
        return 0;
    }
    out.m_fd = fd;
    return 1;
}

void SlpCloseDevice(CSlp_Device& device)
{
    if (device.m_fd >= 0)
        ::close(device.m_fd);
    device.m_fd = -1;
}

long SlpWriteSome(const CSlp_Device& device, const unsigned char* pData, size_t nCount)
{
    for (;;)
    {
        const ssize_t n = device.m_bSocket ? ::send(device.m_fd, pData, nCount, MSG_NOSIGNAL)
                                           : ::write(device.m_fd, pData, nCount);
        if (n >= 0)
            return static_cast<long>(n);
        if (errno == EINTR)
            continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}

long SlpReadSome(const CSlp_Device& device, unsigned char* pData, size_t nCount)
{
    for (;;)
    {
        const ssize_t n = ::read(device.m_fd, pData, nCount);
        if (n > 0)
            return static_cast<long>(n);
        if (n == 0)
            return -1; // end of stream: the peer closed
        if (errno == EINTR)
            continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}

int SlpOpenWakeup(CSlp_Wakeup& wakeup)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return 0;
    SetNonBlocking(fds[0]);
    SetNonBlocking(fds[1]);
    wakeup.m_read = fds[0];
    wakeup.m_write = fds[1];
    return 1;
}

void SlpSignalWakeup(const CSlp_Wakeup& wakeup)
{
    const unsigned char one = 1;
    // A full pipe already holds a wakeup: losing this byte loses nothing.
    [[maybe_unused]] const ssize_t n = ::write(wakeup.m_write, &one, 1);
}

void SlpDrainWakeup(const CSlp_Wakeup& wakeup)
{
    unsigned char buf[64];
    while (::read(wakeup.m_read, buf, sizeof buf) > 0)
    {
    }
}

void SlpCloseWakeup(CSlp_Wakeup& wakeup)
{
    if (wakeup.m_read >= 0)
        ::close(wakeup.m_read);
    if (wakeup.m_write >= 0)
        ::close(wakeup.m_write);
    wakeup = CSlp_Wakeup{};
}

int SlpWait(const CSlp_Device& device, const CSlp_Wakeup& wakeup, bool bWantWrite, int nTimeoutMs)
{
    pollfd pfd[2] = {{device.m_fd, static_cast<short>(POLLIN | (bWantWrite ? POLLOUT : 0)), 0},
                     {wakeup.m_read, POLLIN, 0}};
    const int rc = ::poll(pfd, 2, nTimeoutMs);
    if (rc <= 0)
        return 0;
    int result = 0;
    if (pfd[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))
        result |= SLP_WAIT_READ;
    if (pfd[0].revents & POLLOUT)
        result |= SLP_WAIT_WRITE;
    if (pfd[1].revents & POLLIN)
        result |= SLP_WAIT_WAKEUP;
    return result;
}

int SlpOpenPty(CSlp_Device& master, int& nSlave, std::string& path)
{
    int fdMaster = -1;
    int fdSlave = -1;
    char szName[256] = {};
    if (::openpty(&fdMaster, &fdSlave, szName, nullptr, nullptr) != 0)
        return 0;
    // The slave is raw before any program opens it, so that nothing is echoed or translated.
    if (!SetNonBlocking(fdMaster) || !MakeRaw(fdSlave))
    {
        ::close(fdMaster);
        ::close(fdSlave);
        return 0;
    }
    ::fcntl(fdSlave, F_SETFD, FD_CLOEXEC);
    master = CSlp_Device{fdMaster, false};
    nSlave = fdSlave;
    path = szName;
    return 1;
}

int SlpListenTcp(const std::string& hostPort, int& nListen)
{
    std::string host;
    std::string port;
    if (!SplitHostPort(hostPort, true, host, port))
        return 0;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* pList = nullptr;
    if (::getaddrinfo(host.empty() ? nullptr : host.c_str(), port.c_str(), &hints, &pList) != 0 || !pList)
        return 0;
    int fd = -1;
    for (addrinfo* p = pList; p && fd < 0; p = p->ai_next)
    {
        fd = ::socket(p->ai_family, p->ai_socktype, p->ai_protocol);
        if (fd < 0)
            continue;
        const int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (::bind(fd, p->ai_addr, p->ai_addrlen) != 0 || ::listen(fd, 4) != 0 || !SetNonBlocking(fd))
        {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(pList);
    if (fd < 0)
        return 0;
    nListen = fd;
    return 1;
}

int SlpAcceptTcp(int nListen, CSlp_Device& out)
{
    const int fd = ::accept(nListen, nullptr, nullptr);
    if (fd < 0)
        return 0;
    if (!SlpPrepareDescriptor(fd, true))
    {
        ::close(fd);
        return 0;
    }
    out = CSlp_Device{fd, true};
    return 1;
}

int SlpOpenPair(CSlp_Device& a, CSlp_Device& b)
{
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0)
        return 0;
    if (!SetNonBlocking(fds[0]) || !SetNonBlocking(fds[1]))
    {
        ::close(fds[0]);
        ::close(fds[1]);
        return 0;
    }
    a = CSlp_Device{fds[0], true};
    b = CSlp_Device{fds[1], true};
    return 1;
}

int SlpDuplicate(const CSlp_Device& device, CSlp_Device& out)
{
    const int fd = ::fcntl(device.m_fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    out = CSlp_Device{fd, device.m_bSocket};
    return 1;
}

void SlpCloseDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int SlpWaitDevices(const CSlp_Device* pDevices, const bool* pbWantWrite, int* pnResult, size_t nCount,
                   const CSlp_Wakeup& wakeup, long long nTimeoutUs)
{
    std::vector<pollfd> pfd(nCount + 1);
    for (size_t i = 0; i < nCount; ++i)
    {
        pfd[i] = {pDevices[i].m_fd, static_cast<short>(POLLIN | (pbWantWrite[i] ? POLLOUT : 0)), 0};
        pnResult[i] = 0;
    }
    pfd[nCount] = {wakeup.m_read, POLLIN, 0};
    timespec ts{};
    timespec* pTimeout = nullptr;
    if (nTimeoutUs >= 0)
    {
        ts.tv_sec = static_cast<time_t>(nTimeoutUs / 1000000);
        ts.tv_nsec = static_cast<long>(nTimeoutUs % 1000000) * 1000;
        pTimeout = &ts;
    }
    // Microseconds matter: a byte at 115200 bit/s takes 87 of them.
    if (::ppoll(pfd.data(), pfd.size(), pTimeout, nullptr) <= 0)
        return 0;
    for (size_t i = 0; i < nCount; ++i)
    {
        if (pfd[i].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))
            pnResult[i] |= SLP_WAIT_READ;
        if (pfd[i].revents & POLLOUT)
            pnResult[i] |= SLP_WAIT_WRITE;
    }
    return (pfd[nCount].revents & POLLIN) ? SLP_WAIT_WAKEUP : 0;
}
