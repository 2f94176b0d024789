#pragma once

// The emulator's service loop: opens the line (a pseudo-terminal, or TCP connections one at a
// time), runs the link engine in the answering role over the wire relay, hands each frame to the
// telephone and its answer back (on the link's own thread, as soon as the frame is there), and injects the
// faults of the command line: lost frames, refusals, delays and a cut line (damaged frames and the line rate
// are the relay's). Every frame goes to the log with its direction and block. The telephone is saved when a
// connection that changed it ends and when the loop ends.

#include "sim/CSim_Options.h"
#include "sim/CSim_Relay.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

class CSim_Phone;
class CSlp_Link;

class CSim_Server
{
public:
    // save writes the telephone's state (gives 1 on success); called only with a state file.
    CSim_Server(const CSim_Options& options, CSim_Phone& phone, std::function<int()> save);
    ~CSim_Server();
    CSim_Server(const CSim_Server&) = delete;
    CSim_Server& operator=(const CSim_Server&) = delete;

    // Serves until a termination signal, or until a cut pseudo-terminal. 0 on a normal end, 1 when
    // the line could not be opened or the state could not be saved.
    int Run();

    // From a signal handler: ends Run at its next turn.
    static void RequestStop();

private:
    using Frame = std::vector<unsigned char>;

    CSim_WireConfig WireConfig() const;
    int OpenLine();
    int StartLink();
    // A notification of the link, on its reader thread.
    void OnNotify(int nCode);
    void EndSession();
    void Serve(const Frame& frame);
    void Send(const Frame& frame);
    // The line is cut after the configured number of frames; 1 when that happened now.
    int CountFrame();
    bool Chance(double dShare);
    void Log(const char* pszWhat, const std::string& block, const Frame& frame);
    int SaveIfChanged();
    void Statistics() const;

    const CSim_Options& m_options;
    CSim_Phone& m_phone;
    std::function<int()> m_save;
    std::mt19937 m_random;
    std::FILE* m_pLog = nullptr;

    CSlp_Device m_master; // handed to the relay
    int m_nSlave = -1;    // kept open so that the master does not hang up between programs
    int m_nListen = -1;
    std::unique_ptr<CSim_Relay> m_pRelay;
    std::unique_ptr<CSlp_Link> m_pLink;
    std::atomic<bool> m_bCut{false};

    // The end of a connection, as the link's reader thread reports it to the loop.
    std::mutex m_mutex;
    std::condition_variable m_signal;
    std::deque<int> m_events;

    uint64_t m_nFrames = 0; // frames received and sent, lost ones included
    uint64_t m_nFramesIn = 0;
    uint64_t m_nFramesOut = 0;
    uint64_t m_nPayload = 0;
    uint64_t m_anWire[2] = {0, 0}; // of relays that have ended
    int m_nResult = 0;
};
