// A full configuration receive and send of an RV930 with its modules, by the program's stack
// (state machine over the link library), against r740sim pacing its wire at 9600, 38400 and
// 115200 bit/s (10 bits a byte, both directions). Reported per rate: the ratio of the elapsed
// time to the time the bytes on the wire need at that rate (both directions' frames with their
// framing, as the emulator counted them; goal at most 1.15 at 9600 and 38400, 1.3 at 115200), and
// the framing's share of the wire bytes.

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "platform/CPlatform_QtTimerService.h"
#include "transfer/CLayerPP_SlpV24.h"
#include "transfer/CTrans_Stack.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace
{
// The end of the transfer is looked for this often (the dialog's 50 ms would blur the ratio).
constexpr int POLL_MS = 1;
// Time-outs far beyond any answer at the slowest rate.
constexpr int OPEN_TIMEOUT_MS = 5000;
constexpr int DATA_TIMEOUT_MS = 5000;
constexpr unsigned REPEATS = 5;
constexpr double BITS_PER_BYTE = 10.0;

struct CResult
{
    double dRatio = 0;
    double dFramingShare = 0;
    double dSeconds = 0;
    unsigned long long nWireBytes = 0;
};
std::map<int, CResult> s_results;

// The program's properties before the version check (TALVO brand data); the check puts the
// RV930's in force.
void Properties()
{
    CData_PropertyInput input;
    input.brand.m_szDerivat = "TALVO";
    input.brand.m_szCountry = "GER";
    input.brand.m_bAppCfg = true;
    input.brand.m_bAppDialName = true;
    CData_Properties::Install(input);
}

unsigned long long Counted(const std::string& err, const char* pszWhat)
{
    const size_t nAt = err.find(pszWhat);
    if (nAt == std::string::npos)
        return 0;
    size_t nStart = err.rfind(' ', nAt - 2);
    nStart = nStart == std::string::npos ? 0 : nStart + 1;
    return std::strtoull(err.c_str() + nStart, nullptr, 10);
}

void BM_TransferAtRate(benchmark::State& state)
{
    const int nBaud = static_cast<int>(state.range(0));
    QProcess sim;
    sim.start(QString::fromLocal8Bit(R740_BINARY_DIR "/r740sim"),
              QStringList{"--pty", "--phone-type", "RV930", "--version", "4.10", "--modules",
                          "AB,E920,E920,NON", "--baud", QString::number(nBaud)});
    while (!sim.canReadLine() && sim.waitForReadyRead(10000))
    {
    }
    const std::string device = sim.readLine().trimmed().toStdString();
    if (device.empty())
    {
        state.SkipWithError("r740sim did not start");
        return;
    }
    qputenv("SLPV24_DEVICE", QByteArray(device.c_str()));
    Properties();
    CData_All doc;
    CData_All transfer;
    CLayerPP_DataShared shared;

    double dSeconds = 0;
    for (auto _ : state)
    {
        for (const int nMode : {CLayerPP_Data::MODE_RX_CFG, CLayerPP_Data::MODE_TX_CFG})
        {
            CTrans_Stack stack(transfer, nMode, 1, OPEN_TIMEOUT_MS, DATA_TIMEOUT_MS, REPEATS, shared);
            const auto start = std::chrono::steady_clock::now();
            const int nStatus = stack.Run(CTrans_Stack::Progress(), POLL_MS);
            dSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (nStatus != TRANS_DONE)
            {
                state.SkipWithError(("transfer failed: " + stack.Data().ErrorText()).c_str());
                sim.terminate();
                sim.waitForFinished();
                return;
            }
        }
    }
    sim.terminate();
    sim.waitForFinished(30000);
    const std::string err = sim.readAllStandardError().toStdString();
    CResult result;
    result.nWireBytes = Counted(err, "wire bytes");
    const unsigned long long nPayload = Counted(err, "payload bytes");
    const double dWireSeconds = static_cast<double>(result.nWireBytes) * BITS_PER_BYTE / nBaud;
    result.dSeconds = dSeconds;
    result.dRatio = dWireSeconds > 0 ? dSeconds / dWireSeconds : 0;
    result.dFramingShare =
        result.nWireBytes ? static_cast<double>(result.nWireBytes - nPayload) / result.nWireBytes : 0;
    s_results[nBaud] = result;
    state.counters["ratio"] = result.dRatio;
    state.counters["framing_share"] = result.dFramingShare;
    state.counters["wire_bytes"] = static_cast<double>(result.nWireBytes);
}

BENCHMARK(BM_TransferAtRate)
    ->Arg(9600)
    ->Arg(38400)
    ->Arg(115200)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CPlatform_QtTimerService timers;
    CPlatform_TimerService::SetCurrent(&timers);
    CLayerPP_SlpV24::SetLibraryName(R740_SLPV24_LIBRARY);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CPlatform_TimerService::SetCurrent(nullptr);
    const std::map<int, double> goals = {{9600, 1.15}, {38400, 1.15}, {115200, 1.3}};
    for (const auto& [nBaud, result] : s_results)
        std::printf("transfer at %6d bit/s: %.2f s for %llu wire bytes, ratio %.3f (goal <= %.2f), framing "
                    "%.1f %% of the wire bytes\n",
                    nBaud, result.dSeconds, result.nWireBytes, result.dRatio, goals.at(nBaud),
                    100.0 * result.dFramingShare);
    return 0;
}
