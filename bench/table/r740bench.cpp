// r740bench: runs every benchmark of the project and prints one table of ratios, each measured in
// this run against its reference, with its goal: the benchmark programs beside it (their summary
// lines "... 1.23x (goal <= 2)"), then the start of R740Cf to its first shown window against a
// minimal main-window program started the same way, and R740Cf's resident memory with a full
// configuration and a 250-entry phonebook open. The table is Markdown, headed by the machine.
//
// Usage: r740bench [NAME ...]   (names: file_store, slpv24_roundtrip, transfer_wire,
//                                phonebook_import, startup, memory; default: all)

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// The benchmark programs whose summary lines go into the table.
const char* const s_benches[] = {"file_store", "slpv24_roundtrip", "transfer_wire", "phonebook_import"};
// Starts of each program for the start-up ratio (the median counts).
constexpr int STARTS = 7;
// The goals of the start-up and memory rows.
constexpr double STARTUP_GOAL = 1.5;
constexpr double MEMORY_GOAL_MB = 60.0;
constexpr int PHONEBOOK_ENTRIES = 250;
// A benchmark program may take this long (the wire benchmark at 9600 bit/s takes minutes).
constexpr int BENCH_TIMEOUT_MS = 30 * 60 * 1000;
constexpr int PROGRAM_TIMEOUT_MS = 60000;

struct CRow
{
    std::string bench;
    std::string measure;
    double dRatio = 0;
    std::string goal; // e.g. "<= 1.5"
    bool bMet = false;
};

bool Met(double dValue, const std::string& op, double dGoal)
{
    return op == "<="   ? dValue <= dGoal
           : op == ">=" ? dValue >= dGoal
           : op == "<"  ? dValue < dGoal
                        : dValue > dGoal;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == ':' || text.back() == ','))
        text.pop_back();
    const size_t n = text.find_first_not_of(' ');
    return n == std::string::npos ? std::string() : text.substr(n);
}

// A summary line of a benchmark: the text before the number is the measure, the number its ratio.
void ParseSummary(const std::string& bench, const QString& output, std::vector<CRow>& rows)
{
    static const QRegularExpression s_goal(
        QStringLiteral("([0-9]+(?:\\.[0-9]+)?)x?\\s*\\(goal ([<>]=?) ([0-9.]+)"));
    std::string section;
    for (const QString& line : output.split('\n'))
    {
        const QRegularExpressionMatch m = s_goal.match(line);
        if (!m.hasMatch())
        {
            // A heading line ("file: ...", "<key>: ... bytes") names what the next lines measure.
            if (line.endsWith(QStringLiteral("bytes")) && !line.startsWith(' '))
                section = line.section(':', 0, 0).trimmed().toStdString();
            continue;
        }
        CRow row;
        row.bench = bench;
        std::string measure = Trimmed(line.left(m.capturedStart()).toStdString());
        if (measure.size() > 6 && measure.compare(measure.size() - 6, 6, " ratio") == 0)
            measure.erase(measure.size() - 6);
        row.measure = Trimmed(section.empty() ? measure : section + ": " + measure);
        row.dRatio = m.captured(1).toDouble();
        row.goal = m.captured(2).toStdString() + " " + m.captured(3).toStdString();
        row.bMet = Met(row.dRatio, m.captured(2).toStdString(), m.captured(3).toDouble());
        rows.push_back(row);
    }
}

int RunBench(const std::string& name, std::vector<CRow>& rows)
{
    const QString program = QStringLiteral(R740_BENCH_DIR "/bench_") + QString::fromStdString(name);
    if (!QFile::exists(program))
    {
        std::fprintf(stderr, "r740bench: %s was not built\n", program.toLocal8Bit().constData());
        return 0;
    }
    std::fprintf(stderr, "r740bench: running bench_%s\n", name.c_str());
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, QStringList());
    if (!process.waitForFinished(BENCH_TIMEOUT_MS) || process.exitCode() != 0)
    {
        std::fprintf(stderr, "r740bench: bench_%s failed\n", name.c_str());
        return 0;
    }
    ParseSummary(name, QString::fromLocal8Bit(process.readAllStandardOutput()), rows);
    return 1;
}

// One start of a program with the probe: the milliseconds to its first shown window and its
// resident memory in kB afterwards; false when it did not report.
bool Start(const QString& program, const QStringList& args, const QString& home, double& dMs, long& nKb)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_PLUGIN_PATH", R740_BENCH_DIR "/plugins");
    env.insert("QT_QPA_GENERIC_PLUGINS", "r740shownprobe");
    // Fresh settings for every start: each starts as the first time.
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    process.setProcessEnvironment(env);
    const auto start = std::chrono::steady_clock::now();
    process.start(program, args);
    if (!process.waitForFinished(PROGRAM_TIMEOUT_MS))
    {
        process.kill();
        process.waitForFinished();
        return false;
    }
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    static const QRegularExpression s_probe(
        QStringLiteral("r740shownprobe: shown-ns ([0-9]+) rss-kb ([0-9]+)"));
    const QRegularExpressionMatch m = s_probe.match(err);
    if (!m.hasMatch())
        return false;
    const long long nStartNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    dMs = static_cast<double>(m.captured(1).toLongLong() - nStartNs) / 1e6;
    nKb = m.captured(2).toLong();
    return true;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int RunStartup(const QString& home, std::vector<CRow>& rows)
{
    std::fprintf(stderr, "r740bench: starting R740Cf and the minimal window %d times each\n", STARTS);
    std::vector<double> program;
    std::vector<double> reference;
    for (int i = 0; i < STARTS; ++i)
    {
        double dMs = 0;
        long nKb = 0;
        // Alternately, so that a change in the machine's load hits both alike.
        if (Start(QStringLiteral(R740_BENCH_DIR "/bench_minimal_window"), {}, home, dMs, nKb))
            reference.push_back(dMs);
        if (Start(QStringLiteral(R740_BINARY_DIR "/R740Cf"), {}, home, dMs, nKb))
            program.push_back(dMs);
    }
    if (program.empty() || reference.empty())
    {
        std::fprintf(stderr, "r740bench: a program did not show its window\n");
        return 0;
    }
    CRow row;
    row.bench = "startup";
    char sz[160];
    std::snprintf(sz, sizeof sz, "R740Cf to its first shown window (%.0f ms) / minimal main window (%.0f ms)",
                  Median(program), Median(reference));
    row.measure = sz;
    row.dRatio = Median(program) / Median(reference);
    row.goal = "<= 1.5";
    row.bMet = row.dRatio <= STARTUP_GOAL;
    rows.push_back(row);
    return 1;
}

// Runs a tool or the emulator; its standard output.
bool Run(const QString& program, const QStringList& args, QString* pOut = nullptr)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(PROGRAM_TIMEOUT_MS) || process.exitCode() != 0)
        return false;
    if (pOut)
        *pOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    return true;
}

int RunMemory(const QString& home, const QTemporaryDir& dir, std::vector<CRow>& rows)
{
    // A full configuration: what an RV930 with an answering machine and two key modules holds,
    // read from the emulator; then 250 phonebook entries imported into it.
    std::fprintf(stderr, "r740bench: resident memory with a full configuration and %d entries\n",
                 PHONEBOOK_ENTRIES);
    QProcess sim;
    sim.start(QStringLiteral(R740_BINARY_DIR "/r740sim"),
              {"--pty", "--phone-type", "RV930", "--version", "4.10", "--modules", "AB,E920,E920,NON"});
    while (!sim.canReadLine() && sim.waitForReadyRead(PROGRAM_TIMEOUT_MS))
    {
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const QString full = dir.filePath("full.cfg");
    const bool bRead = !device.isEmpty() && Run(QStringLiteral(R740_BINARY_DIR "/r740tool"),
                                                {"--role", "both", "read", full, "--device", device});
    sim.terminate();
    sim.waitForFinished();
    if (!bRead)
    {
        std::fprintf(stderr, "r740bench: the full configuration could not be read from r740sim\n");
        return 0;
    }
    {
        std::ofstream names(dir.filePath("names.txt").toStdString(), std::ios::binary);
        for (int i = 0; i < PHONEBOOK_ENTRIES; ++i)
            names << "Name " << (1000 + i) << "\t0301" << (100000 + i) << "\r\n";
    }
    const QString book = dir.filePath("full-250.cfg");
    if (!Run(QStringLiteral(R740_BINARY_DIR "/r740tool"),
             {"--role", "both", "import-text", full, dir.filePath("names.txt"), book}))
    {
        std::fprintf(stderr, "r740bench: the phonebook could not be imported\n");
        return 0;
    }
    double dMs = 0;
    long nKb = 0;
    long nReferenceKb = 0;
    if (!Start(QStringLiteral(R740_BENCH_DIR "/bench_minimal_window"), {}, home, dMs, nReferenceKb) ||
        !Start(QStringLiteral(R740_BINARY_DIR "/R740Cf"), {book}, home, dMs, nKb))
    {
        std::fprintf(stderr, "r740bench: a program did not show its window\n");
        return 0;
    }
    CRow row;
    row.bench = "memory";
    char sz[200];
    std::snprintf(
        sz, sizeof sz,
        "R740Cf resident with a full configuration and %d entries, MB (minimal main window: %.1f MB)",
        PHONEBOOK_ENTRIES, nReferenceKb / 1024.0);
    row.measure = sz;
    row.dRatio = nKb / 1024.0;
    row.goal = "< 60";
    row.bMet = row.dRatio < MEMORY_GOAL_MB;
    rows.push_back(row);
    return 1;
}

std::string Machine()
{
    std::string model;
    int nCores = 0;
    std::ifstream cpu("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpu, line))
    {
        if (line.compare(0, 10, "model name") == 0 && model.empty())
            model = Trimmed(line.substr(line.find(':') + 1));
        if (line.compare(0, 9, "processor") == 0)
            ++nCores;
    }
    std::string load;
    std::ifstream("/proc/loadavg") >> load;
    QProcess uname;
    uname.start("uname", {"-srm"});
    uname.waitForFinished();
    return model + ", " + std::to_string(nCores) + " cores, " +
           QString::fromLocal8Bit(uname.readAllStandardOutput()).trimmed().toStdString() + ", load average " +
           load + " at the start";
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList wanted = app.arguments().mid(1);
    auto want = [&wanted](const char* pszName) { return wanted.isEmpty() || wanted.contains(pszName); };
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    QDir().mkpath(home);
    const std::string machine = Machine();

    std::vector<CRow> rows;
    int bAll = 1;
    for (const char* pszBench : s_benches)
        if (want(pszBench))
            bAll &= RunBench(pszBench, rows);
    if (want("startup"))
        bAll &= RunStartup(home, rows);
    if (want("memory"))
        bAll &= RunMemory(home, dir, rows);

    std::printf("Machine: %s\n\n", machine.c_str());
    std::printf("| Benchmark | Measure (against its reference, same run) | Ratio | Goal | Met |\n");
    std::printf("|---|---|---:|---|---|\n");
    int nMissed = 0;
    for (const CRow& row : rows)
    {
        std::printf("| %s | %s | %.2f | %s | %s |\n", row.bench.c_str(), row.measure.c_str(), row.dRatio,
                    row.goal.c_str(), row.bMet ? "yes" : "**no**");
        nMissed += row.bMet ? 0 : 1;
    }
    std::printf("\n%zu measures, %d goal(s) missed%s\n", rows.size(), nMissed,
                bAll ? "" : "; some benchmarks did not run (see standard error)");
    return nMissed == 0 && bAll ? 0 : 1;
}
