#include "sim/CSim_Server.h"

#include "sim/CSim_Phone.h"
#include "slpv24/CSlp_Link.h"

#include <chrono>
#include <csignal>
#include <thread>

namespace
{
const char s_szName[] = "r740sim";
// How often the loop looks at the stop request and for new TCP connections while nothing happens.
constexpr auto IDLE_TURN = std::chrono::milliseconds(20);
// Longest frame read from the link.
constexpr size_t FRAME_MAX = 256;

volatile std::sig_atomic_t s_bStop = 0;

const auto s_start = std::chrono::steady_clock::now();

std::string Hex(const std::vector<unsigned char>& frame)
{
    static const char s_digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : frame)
    {
        text += s_digits[c >> 4];
        text += s_digits[c & 0x0F];
    }
    return text;
}
} // namespace

CSim_Server::CSim_Server(const CSim_Options& options, CSim_Phone& phone, std::function<int()> save)
    : m_options(options), m_phone(phone), m_save(std::move(save)), m_random(options.uSeed)
{
}

CSim_Server::~CSim_Server()
{
    if (m_pLink)
        m_pLink->Close();
    m_pLink.reset();
    m_pRelay.reset();
    SlpCloseDescriptor(m_nSlave);
    SlpCloseDescriptor(m_nListen);
    if (m_pLog)
        std::fclose(m_pLog);
}

void CSim_Server::RequestStop()
{
    s_bStop = 1;
}

bool CSim_Server::Chance(double dShare)
{
    return dShare > 0.0 && std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < dShare;
}

void CSim_Server::Log(const char* pszWhat, const std::string& block, const Frame& frame)
{
    if (!m_pLog)
        return;
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - s_start).count();
    std::fprintf(m_pLog, "%10.3f %-8s %-24s %s\n", dSeconds, pszWhat, block.c_str(), Hex(frame).c_str());
    std::fflush(m_pLog);
}

CSim_WireConfig CSim_Server::WireConfig() const
{
    CSim_WireConfig config;
    config.uBaud = m_options.uBaud;
    config.dCorrupt = m_options.dCorrupt;
    config.uSeed = m_options.uSeed;
    config.dBitError = m_options.dBitErrors;
    config.dTruncate = m_options.dTruncate;
    config.dGarbage = m_options.dGarbage;
    return config;
}

int CSim_Server::OpenLine()
{
    if (!m_options.logPath.empty())
    {
        m_pLog = std::fopen(m_options.logPath.c_str(), "a");
        if (!m_pLog)
        {
            std::fprintf(stderr, "%s: cannot write the log %s\n", s_szName, m_options.logPath.c_str());
            return 0;
        }
    }
    if (!m_options.bPty)
    {
        if (SlpListenTcp(m_options.listen, m_nListen))
            return 1;
        std::fprintf(stderr, "%s: cannot listen on %s\n", s_szName, m_options.listen.c_str());
        return 0;
    }
    std::string path;
    if (!SlpOpenPty(m_master, m_nSlave, path))
    {
        std::fprintf(stderr, "%s: cannot open a pseudo-terminal\n", s_szName);
        return 0;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    m_pRelay = std::make_unique<CSim_Relay>(WireConfig());
    return m_pRelay->Start(m_master) && StartLink();
}

int CSim_Server::StartLink()
{
    CSlp_LinkConfig config;
    config.m_nRole = SLP_ROLE_ANSWER;
    // The telephone waits for the program, which never answers at once: no watching awake.
    config.m_uSpinUs = 0;
    SlpApplyTimingEnvironment(config);
    m_pLink = std::make_unique<CSlp_Link>(config, [this](int nCode) { OnNotify(nCode); });
    CSlp_Device device;
    if (!SlpDuplicate(m_pRelay->Inner(), device) || !m_pLink->Start(device))
    {
        std::fprintf(stderr, "%s: cannot start the link\n", s_szName);
        m_pLink.reset();
        return 0;
    }
    return 1;
}

void CSim_Server::OnNotify(int nCode)
{
    // Frames are answered right here on the link's thread, as a telephone answers at once; the
    // connection's end goes to the loop, which closes the link.
    if (nCode == SLPNOTIFY_CONNECT)
    {
        m_phone.StartSession();
        Log("connect", std::string(), Frame());
        return;
    }
    if (nCode == SLPNOTIFY_DATA)
    {
        Frame frame(FRAME_MAX);
        const int n = m_bCut ? 0 : m_pLink->Read(frame.data(), frame.size());
        if (n <= 0)
            return;
        frame.resize(static_cast<size_t>(n));
        Serve(frame);
        return;
    }
    if (nCode == SLPNOTIFY_DISCONNECT)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_events.push_back(nCode);
        }
        m_signal.notify_one();
    }
}

int CSim_Server::SaveIfChanged()
{
    if (!m_phone.Changed() || m_options.statePath.empty())
        return 1;
    m_phone.ClearChanged();
    if (m_save())
        return 1;
    m_nResult = 1;
    return 0;
}

void CSim_Server::EndSession()
{
    if (m_pLink)
        m_pLink->Close();
    m_pLink.reset();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }
    Log("end", std::string(), Frame());
    SaveIfChanged();
    if (m_pRelay && (m_pRelay->Ended() || !m_options.bPty))
    {
        // A TCP connection or a cut line is over; a pseudo-terminal waits for the next program.
        m_pRelay->Stop();
        m_anWire[0] += m_pRelay->WireBytes(CSim_Relay::DIR_IN);
        m_anWire[1] += m_pRelay->WireBytes(CSim_Relay::DIR_OUT);
        m_pRelay.reset();
        return;
    }
    if (m_pRelay)
        StartLink();
}

int CSim_Server::CountFrame()
{
    ++m_nFrames;
    if (m_options.nDropAfter < 0 || m_nFrames <= static_cast<uint64_t>(m_options.nDropAfter) || m_bCut)
        return 0;
    Log("cut", std::string(), Frame());
    m_bCut = true;
    if (m_pRelay)
        m_pRelay->Cut();
    m_signal.notify_one();
    return 1;
}

void CSim_Server::Send(const Frame& frame)
{
    if (CountFrame())
        return;
    if (Chance(m_options.dLoss))
    {
        Log("tx-lost", m_phone.LastBlock(), frame);
        return;
    }
    if (m_options.uDelayMs && (m_options.dLate <= 0.0 || Chance(m_options.dLate)))
        std::this_thread::sleep_for(std::chrono::milliseconds(m_options.uDelayMs));
    if (m_pLink && m_pLink->Write(frame.data(), frame.size()) > 0)
    {
        ++m_nFramesOut;
        m_nPayload += frame.size();
        Log("tx", m_phone.LastBlock(), frame);
        // The same answer once more, as a telephone that repeats itself would send it.
        if (Chance(m_options.dDuplicate) && m_pLink->Write(frame.data(), frame.size()) > 0)
        {
            ++m_nFramesOut;
            m_nPayload += frame.size();
            Log("tx-dup", m_phone.LastBlock(), frame);
        }
    }
    else
        Log("tx-fail", m_phone.LastBlock(), frame);
}

void CSim_Server::Serve(const Frame& frame)
{
    ++m_nFramesIn;
    m_nPayload += frame.size();
    if (CountFrame())
        return;
    if (Chance(m_options.dLoss))
    {
        Log("rx-lost", "?", frame);
        return;
    }
    Frame answer = m_phone.OnFrame(frame.data(), frame.size());
    Log("rx", m_phone.LastBlock(), frame);
    if (answer.empty())
        return;
    // A refused PIN is a rejection, not a fault the program would repeat.
    if (!CSim_Phone::IsPinFrame(frame.data(), frame.size()) && Chance(m_options.dNak))
    {
        answer = CSim_Phone::Acknowledge(false);
        Log("nak", m_phone.LastBlock(), answer);
    }
    Send(answer);
}

void CSim_Server::Statistics() const
{
    uint64_t anWire[2] = {m_anWire[0], m_anWire[1]};
    if (m_pRelay)
    {
        anWire[0] += m_pRelay->WireBytes(CSim_Relay::DIR_IN);
        anWire[1] += m_pRelay->WireBytes(CSim_Relay::DIR_OUT);
    }
    const uint64_t nWire = anWire[0] + anWire[1];
    std::fprintf(
        stderr,
        "%s: %llu frames received, %llu sent, %llu payload bytes, %llu wire bytes (%llu in, "
        "%llu out), framing %.1f %%\n",
        s_szName, static_cast<unsigned long long>(m_nFramesIn), static_cast<unsigned long long>(m_nFramesOut),
        static_cast<unsigned long long>(m_nPayload), static_cast<unsigned long long>(nWire),
        static_cast<unsigned long long>(anWire[0]), static_cast<unsigned long long>(anWire[1]),
        nWire ? 100.0 * static_cast<double>(nWire - std::min(nWire, m_nPayload)) / static_cast<double>(nWire)
              : 0.0);
}

int CSim_Server::Run()
{
    if (!OpenLine())
        return 1;
    std::signal(SIGTERM, [](int) { RequestStop(); });
    std::signal(SIGINT, [](int) { RequestStop(); });

    while (!s_bStop)
    {
        if (m_nListen >= 0 && !m_pRelay)
        {
            CSlp_Device device;
            if (SlpAcceptTcp(m_nListen, device))
            {
                m_bCut = false;
                m_pRelay = std::make_unique<CSim_Relay>(WireConfig());
                if (!m_pRelay->Start(device) || !StartLink())
                    m_pRelay.reset();
            }
        }
        bool bEnded = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_signal.wait_for(lock, IDLE_TURN, [this]() { return !m_events.empty() || m_bCut || s_bStop; });
            bEnded = !m_events.empty();
            m_events.clear();
        }
        if (m_bCut)
        {
            // The pseudo-terminal hangs up only when no descriptor of its slave is left here; then
            // it is gone for good. TCP takes the next connection.
            SlpCloseDescriptor(m_nSlave);
            EndSession();
            if (m_options.bPty)
                break;
            m_bCut = false;
        }
        else if (bEnded || (m_pRelay && m_pRelay->Ended()))
            EndSession();
    }
    if (m_pLink)
        m_pLink->Close();
    m_pLink.reset();
    // At the end the state is written whether or not this run changed it, so that a new state
    // file exists afterwards.
    if (!m_options.statePath.empty() && !m_save())
        m_nResult = 1;
    Statistics();
    return m_nResult;
}
