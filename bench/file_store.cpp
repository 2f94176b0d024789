// Loading and reading a full-size configuration file, as ratios against two references measured
// in the same run: one plain pass that splits the same bytes into lines with memchr, and Qt's
// INI reader on the same file.
//
// Goals: loading <= 2x the plain pass; loading plus looking up every key of every section in
// file order <= 5x the plain pass; that whole read >= 10x faster than the INI reader.

#include "data/CData_FileExRam.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace
{
struct CSection
{
    std::string name;
    std::vector<std::string> keys;
};

std::string g_text;
std::vector<CSection> g_sections;
std::string g_path;

// Section kinds, counts and key counts of a configuration with a full phonebook.
void MakeFile()
{
    struct CKind
    {
        const char* word;
        int count;
        int keys;
    };
    const CKind kinds[] = {{"Version", 1, 9},
                           {"Basic", 1, 60},
                           {"Key", 62, 31},
                           {"DialVip", 10, 2},
                           {"CallFilter", 5, 4},
                           {"DialFilter", 14, 3},
                           {"MsnPara", 10, 14},
                           {"AlarmCall", 3, 6},
                           {"AnswerMaschine", 1, 16},
                           {"AnsMaschInfoText", 1, 2},
                           {"AnsMaschPerMsn", 11, 12},
                           {"AnsMaschTimeType", 9, 7},
                           {"Tone", 1, 12},
                           {"VoiceMail", 1, 8},
                           {"Audio", 1, 12},
                           {"VersionModule", 4, 4},
                           {"KeyE920", 126, 31},
                           {"DialNameBasic", 1, 1},
                           {"DialName", 250, 6}};
    for (const CKind& k : kinds)
    {
        for (int n = 0; n < k.count; ++n)
        {
            char name[64];
            std::snprintf(name, sizeof name, "%s_%08X", k.word, n);
            CSection s{name, {}};
            g_text += "\r\n[" + s.name + "]\r\n";
            for (int i = 0; i < k.keys; ++i)
            {
                char key[32];
                std::snprintf(key, sizeof key, "Key%sValue%02d", k.word, i);
                s.keys.push_back(key);
                g_text += std::string(key) + "=" +
                          std::string(10 + (i * 7) % 23, static_cast<char>('0' + i % 10)) + "\r\n";
            }
            // A duplicate key: the first one must keep winning.
            g_text += s.keys.front() + "=duplicate\r\n";
            g_sections.push_back(std::move(s));
        }
    }
    g_path = "/tmp/r740bench-full.721";
    std::ofstream(g_path, std::ios::binary) << g_text;
}

// The reference: every line start found with memchr.
void BM_MemchrSplit(benchmark::State& state)
{
    std::vector<const char*> lines;
    lines.reserve(20000);
    for (auto _ : state)
    {
        lines.clear();
        const char* p = g_text.data();
        const char* const end = p + g_text.size();
        while (p < end)
        {
            lines.push_back(p);
            const void* nl = std::memchr(p, '\n', static_cast<size_t>(end - p));
            if (!nl)
                break;
            p = static_cast<const char*>(nl) + 1;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_text.size()));
}

void BM_Load(benchmark::State& state)
{
    for (auto _ : state)
    {
        CData_FileExRam file;
        file.OpenBuffer(g_text.data(), g_text.size());
        file.Close();
    }
}

// As the blocks read: into bounded buffers of their fields.
void BM_LoadAndLookupAll(benchmark::State& state)
{
    char value[64];
    for (auto _ : state)
    {
        CData_FileExRam file;
        file.OpenBuffer(g_text.data(), g_text.size());
        for (const CSection& s : g_sections)
            for (const std::string& key : s.keys)
                file.GetString(s.name.c_str(), key.c_str(), "", value, sizeof value);
        file.Close();
    }
}

void BM_QSettingsIni(benchmark::State& state)
{
    for (auto _ : state)
    {
        QSettings ini(QString::fromStdString(g_path), QSettings::IniFormat);
        for (const CSection& s : g_sections)
        {
            ini.beginGroup(QString::fromStdString(s.name));
            for (const std::string& key : s.keys)
                benchmark::DoNotOptimize(ini.value(QString::fromStdString(key)));
            ini.endGroup();
        }
    }
}

BENCHMARK(BM_MemchrSplit);
BENCHMARK(BM_Load);
BENCHMARK(BM_LoadAndLookupAll);
BENCHMARK(BM_QSettingsIni);

// Collects each benchmark's time per iteration so that the ratios come from this run.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                m_times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> m_times;
};

// The store must answer exactly as a scan from the section start would.
bool SameAsPlainScan()
{
    CData_FileExRam file;
    file.OpenBuffer(g_text.data(), g_text.size());
    std::string value;
    for (const CSection& s : g_sections)
    {
        for (size_t i = 0; i < s.keys.size(); ++i)
        {
            if (!file.GetString(s.name.c_str(), s.keys[i].c_str(), "", value))
                return false;
            const std::string line = "\r\n" + s.keys[i] + "=";
            const size_t start = g_text.find("[" + s.name + "]");
            const size_t at = g_text.find(line, start) + line.size();
            if (value != g_text.substr(at, g_text.find("\r\n", at) - at))
                return false;
        }
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    MakeFile();
    if (!SameAsPlainScan())
    {
        std::fprintf(stderr, "lookup results differ from a plain scan\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.m_times;
    const double base = t["BM_MemchrSplit"];
    if (base <= 0 || !t["BM_Load"] || !t["BM_LoadAndLookupAll"] || !t["BM_QSettingsIni"])
        return 0; // a filter left some out
    std::printf("\nfile: %zu bytes, %zu sections\n", g_text.size(), g_sections.size());
    std::printf("load / memchr split:              %6.2fx  (goal <= 2)\n", t["BM_Load"] / base);
    std::printf("load + every key / memchr split:  %6.2fx  (goal <= 5)\n", t["BM_LoadAndLookupAll"] / base);
    std::printf("INI reader / load + every key:    %6.2fx  (goal >= 10)\n",
                t["BM_QSettingsIni"] / t["BM_LoadAndLookupAll"]);
    std::remove(g_path.c_str());
    return 0;
}
