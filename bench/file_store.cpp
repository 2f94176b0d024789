// Loading and reading a full-size configuration file, as ratios against two references measured
// in the same run: one plain pass that splits the same bytes into lines with memchr, and Qt's
// INI reader on the same file.
//
// Goals: loading <= 2x the plain pass; loading plus looking up every key of every section in
// file order <= 4x the plain pass; that whole read >= 10x faster than the INI reader.
//
// Then the scaling: files of 10k, 100k and 1M lines, once as sections of ten keys and once as
// nothing but section headers, loaded and read key by key (or section by section). The time per
// byte must stay within 1.5x across the sizes: loading is linear in the file size.

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
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

// A real configuration of the largest kind: every block of a phone type with 62 keys, call
// filters and info texts, three key-extension modules and a full phonebook, written by the
// program's own save. The keys to look up are taken from it in file order.
void MakeFile()
{
    CData_PropertyInput input;
    input.nVersion = 4100;
    input.nPhoneType = PHONETYPE_RV930;
    input.brand.m_szDerivat = "TALVO";
    input.brand.m_szCountry = "GER";
    input.brand.m_bAppCfg = true;
    input.brand.m_bAppDialName = true;
    CData_Properties::Install(input);

    // Every text field that takes a long value gets one of its full length.
    auto all = std::make_unique<CData_All>();
    auto digits = [](int n, int seed)
    {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += static_cast<char>('0' + (seed + i * 7) % 10);
        return text;
    };
    auto fillKey = [&digits](CData_Key& key, int n)
    {
        key.m_strDialKeyMsn = digits(26, n);
        key.m_strMsnKeyMsn = digits(23, n + 1);
        key.m_strAwsMsnExt = digits(22, n + 2);
        key.m_strVMailPin = digits(8, n + 3);
        key.m_strPendingCallbackKeyMsn = digits(4, n);
        key.m_strKeyName = "Key label " + digits(10, n);
    };
    for (int i = 0; i < CData_AllCfg::KEY_MAX; ++i)
        fillKey(all->m_Cfg.m_Key[i], i);
    for (int i = 0; i < CData_AllCfg::KEYE920_MAX; ++i)
        fillKey(all->m_Cfg.m_KeyE920[i], i);
    for (int i = 0; i < CData_AllCfg::DIALVIP_MAX; ++i)
    {
        all->m_Cfg.m_DialVip[i].m_strMsn = digits(26, i);
        all->m_Cfg.m_DialVip[i].m_strName = "VIP name " + digits(11, i);
    }
    for (int i = 0; i < CData_AllCfg::MSNPARA_MAX; ++i)
    {
        all->m_Cfg.m_MsnPara[i].m_strMsn = digits(20, i);
        all->m_Cfg.m_MsnPara[i].m_strTxt = "MSN text " + digits(11, i);
        all->m_Cfg.m_MsnPara[i].m_strMsnAws = digits(22, i);
    }
    for (int i = 0; i < CData_AllDialName::ENTRY_MAX; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "Name " + digits(15, i);
        entry.m_strMsnExt = digits(26, i);
        entry.m_strInfotext = "Info text of the entry " + digits(19, i);
        all->m_DialName.m_List.Insert(entry);
    }
    g_path = "/tmp/r740bench-full.721";
    CData::File().SetFileName(g_path.c_str());
    all->MoveFile(1, 0);
    std::ifstream in(g_path, std::ios::binary);
    g_text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

    // Sections and keys in file order.
    size_t pos = 0;
    while (pos < g_text.size())
    {
        size_t end = g_text.find("\r\n", pos);
        if (end == std::string::npos)
            end = g_text.size();
        const std::string line = g_text.substr(pos, end - pos);
        pos = end + 2;
        if (line.size() > 2 && line[0] == '[')
            g_sections.push_back(CSection{line.substr(1, line.size() - 2), {}});
        else if (!g_sections.empty() && line.find('=') != std::string::npos)
            g_sections.back().keys.push_back(line.substr(0, line.find('=')));
    }
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

// A file of nLines lines: sections of ten keys, or (bHeaders) nothing but section headers. The
// names to look up come with it, in file order.
struct CScaled
{
    std::string text;
    std::vector<CSection> sections;
};

CScaled MakeScaled(size_t nLines, bool bHeaders)
{
    CScaled f;
    char line[64];
    for (size_t i = 0; i < nLines; ++i)
    {
        if (bHeaders || i % 10 == 0)
        {
            std::snprintf(line, sizeof line, "[Section_%08zX]\r\n", i);
            f.sections.push_back(CSection{std::string(line + 1, std::strlen(line) - 4), {}});
        }
        else
        {
            std::snprintf(line, sizeof line, "Key%zu=%zu\r\n", i % 10, i * 7919);
            f.sections.back().keys.push_back("Key" + std::to_string(i % 10));
        }
        f.text += line;
    }
    return f;
}

void BM_Scaled(benchmark::State& state, const CScaled* pFile, bool bLookUp)
{
    char value[64];
    const std::vector<CSection> none;
    for (auto _ : state)
    {
        CData_FileExRam file;
        file.OpenBuffer(pFile->text.data(), pFile->text.size());
        for (const CSection& s : bLookUp ? pFile->sections : none)
        {
            if (s.keys.empty())
                file.GetString(s.name.c_str(), "Key0", "", value, sizeof value);
            for (const std::string& key : s.keys)
                file.GetString(s.name.c_str(), key.c_str(), "", value, sizeof value);
        }
        file.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pFile->text.size()));
}

const size_t s_scaledLines[] = {10000, 100000, 1000000};
std::vector<CScaled> g_scaled; // keys then headers, for each size

// Medians of several repetitions: the ratios must hold on a busy machine too.
BENCHMARK(BM_MemchrSplit)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Load)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadAndLookupAll)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_QSettingsIni)->Repetitions(3)->ReportAggregatesOnly(true);

// Collects each benchmark's processor time per iteration so that the ratios come from this run.
// Everything measured runs on one thread without waiting, so processor time is the work done,
// and it stays steady when other programs share the machine.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")
                m_times[r.run_name.function_name] = r.GetAdjustedCPUTime();
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
            // A value ends at CR, "]", the pair LF CR, or (binary values) a NUL byte.
            size_t at = g_text.find(line, start) + line.size();
            std::string expected;
            for (; at < g_text.size(); ++at)
            {
                const char c = g_text[at];
                if (c == '\r' || c == ']' || c == '\0' || (c == '\n' && g_text[at + 1] == '\r'))
                    break;
                expected += c;
            }
            if (value != expected)
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
    for (const size_t nLines : s_scaledLines)
        for (const bool bHeaders : {false, true})
            g_scaled.push_back(MakeScaled(nLines, bHeaders));
    for (const bool bLookUp : {false, true})
        for (size_t i = 0; i < g_scaled.size(); ++i)
        {
            const std::string name = std::string(bLookUp ? "BM_ScaledRead/" : "BM_ScaledLoad/") +
                                     (i % 2 ? "headers/" : "keys/") + std::to_string(s_scaledLines[i / 2]);
            benchmark::RegisterBenchmark(name.c_str(), BM_Scaled, &g_scaled[i], bLookUp)
                ->Repetitions(i / 2 == 2 ? 3 : 5)
                ->ReportAggregatesOnly(true);
        }
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::remove(g_path.c_str());
    auto& t = reporter.m_times;
    const double base = t["BM_MemchrSplit"];
    if (base > 0 && t["BM_Load"] && t["BM_LoadAndLookupAll"] && t["BM_QSettingsIni"])
    {
        std::printf("\nfile: %zu bytes, %zu sections\n", g_text.size(), g_sections.size());
        std::printf("load / memchr split:              %6.2fx  (goal <= 2)\n", t["BM_Load"] / base);
        std::printf("load + every key / memchr split:  %6.2fx  (goal <= 4)\n",
                    t["BM_LoadAndLookupAll"] / base);
        std::printf("INI reader / load + every key:    %6.2fx  (goal >= 10)\n",
                    t["BM_QSettingsIni"] / t["BM_LoadAndLookupAll"]);
    }
    // Time per byte of each size, and the spread across the sizes: loading is the goal; reading
    // every key (or every section of a file of headers) as well shows what the caches add.
    std::printf("\ntime per byte by file size (load: goal spread <= 1.5x)\n");
    for (const char* pszRun : {"BM_ScaledLoad", "BM_ScaledRead"})
        for (size_t nShape = 0; nShape < 2; ++nShape)
        {
            double nMin = 0;
            double nMax = 0;
            std::string row;
            for (size_t i = nShape; i < g_scaled.size(); i += 2)
            {
                const double nTime = t[std::string(pszRun) + (nShape ? "/headers/" : "/keys/") +
                                       std::to_string(s_scaledLines[i / 2])];
                if (nTime <= 0)
                    break;
                const double nPerByte = nTime / static_cast<double>(g_scaled[i].text.size());
                nMin = nMin == 0 || nPerByte < nMin ? nPerByte : nMin;
                nMax = nPerByte > nMax ? nPerByte : nMax;
                char cell[64];
                std::snprintf(cell, sizeof cell, "  %5zuk lines %6.2f ns/B", s_scaledLines[i / 2] / 1000,
                              nPerByte);
                row += cell;
            }
            if (nMin > 0)
                std::printf("%-5s %-8s%s  spread %.2fx\n", pszRun + 9, nShape ? "headers" : "keys",
                            row.c_str(), nMax / nMin);
        }
    return 0;
}
