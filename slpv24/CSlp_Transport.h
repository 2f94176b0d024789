#pragma once

// The physical side of a link: which device a port number means, opening it (serial device,
// pseudo-terminal or TCP) and moving bytes without ever blocking. POSIX only in this file pair.

#include "slpv24/SlpV24.h" // the port numbers

#include <cstddef>
#include <string>

// Where a PABX link connects when nothing overrides it: the PABX gateway on this machine, on a
// TCP port derived from the link's port number.
constexpr const char* SLP_PABX_DEFAULT_HOST = "127.0.0.1";
constexpr int SLP_PABX_TCP_PORT_BASE = 47000;

// The device a port number stands for, after the overrides of the environment:
//   SLPV24_DEVICE_<port>  names the device of one port (for example SLPV24_DEVICE_10),
//   SLPV24_DEVICE         names the device of every port,
//   SLPV24_PABX_HOST      the host of the PABX links (default 127.0.0.1).
// A device is a path (serial device, pseudo-terminal) or "tcp:HOST:PORT". Empty when the port
// number means nothing.
std::string SlpDeviceForPort(int nPort);

struct CSlp_Device
{
    int m_fd = -1;
    bool m_bSocket = false;
};

// Opens a device named as above, non-blocking, serial lines raw at 115200 8N1, TCP with no-delay.
// A TCP connect waits at most SLP_CONNECT_TIMEOUT_MS. Gives 1 and the device, or 0.
constexpr int SLP_CONNECT_TIMEOUT_MS = 2000;
int SlpOpenDevice(const std::string& device, CSlp_Device& out);
// Why the calling thread's last SlpOpenDevice failed: the device and the system's reason; empty
// when it did not fail. Setting an empty reason forgets the thread's entry.
std::string SlpOpenError();
void SlpSetOpenError(const std::string& reason);
void SlpCloseDevice(CSlp_Device& device);

// Puts a descriptor that the caller opened (a pseudo-terminal end, an accepted socket) into the
// state SlpOpenDevice leaves its devices in. Gives 1 on success.
int SlpPrepareDescriptor(int fd, bool bSocket);

// One non-blocking write: bytes written, 0 when the device would block, -1 when it is gone.
long SlpWriteSome(const CSlp_Device& device, const unsigned char* pData, size_t nCount);
// One non-blocking read: bytes read, 0 when nothing is there, -1 when the peer closed or failed.
long SlpReadSome(const CSlp_Device& device, unsigned char* pData, size_t nCount);

// A self-pipe that wakes the reader thread out of its wait.
struct CSlp_Wakeup
{
    int m_read = -1;
    int m_write = -1;
};
int SlpOpenWakeup(CSlp_Wakeup& wakeup);
void SlpSignalWakeup(const CSlp_Wakeup& wakeup);
void SlpDrainWakeup(const CSlp_Wakeup& wakeup);
void SlpCloseWakeup(CSlp_Wakeup& wakeup);

// Waits up to nTimeoutMs (negative: forever) for the device to become readable (or writable with
// bWantWrite) or the wakeup to be signalled. Bit 1: device readable or closed, bit 2: device
// writable, bit 4: wakeup signalled.
enum
{
    SLP_WAIT_READ = 1,
    SLP_WAIT_WRITE = 2,
    SLP_WAIT_WAKEUP = 4,
};
int SlpWait(const CSlp_Device& device, const CSlp_Wakeup& wakeup, bool bWantWrite, int nTimeoutMs);

// ---- The answering side (the telephone emulator) ----

// A new pseudo-terminal: the master as a device (non-blocking) and the slave, raw, kept open by
// the caller so that the master does not hang up while no program is attached; path names the
// slave for the program. Gives 1 on success.
int SlpOpenPty(CSlp_Device& master, int& nSlave, std::string& path);
// A TCP socket listening on "HOST:PORT" (non-blocking); gives 1 and the descriptor, or 0.
int SlpListenTcp(const std::string& hostPort, int& nListen);
// The next waiting connection as a device (non-blocking, no-delay); 0 when none waits.
int SlpAcceptTcp(int nListen, CSlp_Device& out);
// A connected pair of local stream sockets, both non-blocking; gives 1 on success.
int SlpOpenPair(CSlp_Device& a, CSlp_Device& b);
// A second descriptor of the same device (the first stays with its owner); 1 on success.
int SlpDuplicate(const CSlp_Device& device, CSlp_Device& out);
void SlpCloseDescriptor(int& fd);

// Waits up to nTimeoutUs microseconds (negative: forever) for any of nCount devices to become
// readable (or writable, where pbWantWrite asks for it) or the wakeup to be signalled. pnResult[i]
// gets SLP_WAIT_READ / SLP_WAIT_WRITE for device i; the result has SLP_WAIT_WAKEUP when signalled.
int SlpWaitDevices(const CSlp_Device* pDevices, const bool* pbWantWrite, int* pnResult, size_t nCount,
                   const CSlp_Wakeup& wakeup, long long nTimeoutUs);
