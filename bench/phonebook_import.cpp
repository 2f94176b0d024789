// Importing a 100,000-line text file and a 10,000-card vCard file, each as a ratio against
// reading the same file into memory (a buffer of its size made and filled), measured in the same
// run. The phonebook keeps its
// 250-entry limit: in the text file only every 400th line carries a number, so the import reads
// every line and the work is the parsing; the vCard reader reads every card before the entries
// are made. A tenth of each file is measured too, so that the cost per byte shows whether the
// work grows linearly with the file.
//
// Goals: import / read <= 20x for both files; cost per byte of the full file within 1.5x of the
// tenth's.

#include "data/CData_AllDialName.h"
#include "phonebook/CImportVCard.h"
#include "phonebook/CImport_Entry.h"
#include "phonebook/CImport_NameMsn.h"
#include "phonebook/CImport_Report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr int TEXT_LINES = 100000;
constexpr int VCARD_CARDS = 10000;
constexpr int NUMBER_EVERY = 400; // 100,000 / 400 = 250 entries
constexpr int SMALL_PART = 10;

struct CFile
{
    std::string path;
    size_t nSize = 0;
};
std::map<std::string, CFile> g_files;

void Write(const std::string& key, const std::string& bytes)
{
    const std::string path = "/tmp/r740bench-" + key;
    std::ofstream(path, std::ios::binary) << bytes;
    g_files[key] = {path, bytes.size()};
}

std::string TextFile(int nLines)
{
    std::string text;
    char sz[96];
    for (int i = 0; i < nLines; ++i)
    {
        std::snprintf(sz, sizeof sz, "M\xFCller-Schmidt Hans %06d\t%s\r\n", i,
                      i % NUMBER_EVERY == 0 ? ("+49 30 " + std::to_string(1000000 + i)).c_str() : "");
        text += sz;
    }
    return text;
}

std::string VCardFile(int nCards)
{
    std::string text;
    char sz[512];
    for (int i = 0; i < nCards; ++i)
    {
        std::snprintf(sz, sizeof sz,
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xC3\xBCller-Schmidt %06d;Hans;Peter;;\r\n"
                      "FN:Hans Peter M\xC3\xBCller-Schmidt %06d\r\nTEL;TYPE=CELL:+49 170 %07d\r\n"
                      "TEL;TYPE=HOME:+49 30 \r\n %07d\r\nEMAIL:hans.%06d@example.org\r\nEND:VCARD\r\n",
                      i, i, i, i, i);
        text += sz;
    }
    return text;
}

// The reference: the whole file read into memory as a program does it, into a buffer made for it.
void BM_ReadFile(benchmark::State& state, const std::string& key)
{
    for (auto _ : state)
    {
        std::FILE* pFile = std::fopen(g_files[key].path.c_str(), "rb");
        std::string buffer(g_files[key].nSize, '\0');
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), pFile));
        std::fclose(pFile);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void BM_ImportText(benchmark::State& state, const std::string& key)
{
    CImport_NameMsnSettings settings;
    settings.fileName = g_files[key].path;
    for (auto _ : state)
    {
        CData_AllDialName book;
        CImport_Report report;
        CImport_NameMsn import(settings);
        import.Run(book, report);
        benchmark::DoNotOptimize(report.nImported);
    }
}

void BM_ImportVCard(benchmark::State& state, const std::string& key)
{
    for (auto _ : state)
    {
        CData_AllDialName book;
        CImport_Report report;
        const CImportVCard vcard(g_files[key].path);
        for (const CImportVCard::CCard& card : vcard.Cards())
            if (CImport_Entry::Add(book, CImportVCard::NameProposal(card.names, 0),
                                   CImportVCard::Localise(card.numbers.front(), "+49", "0"), std::string(),
                                   book.Count(), report) == CImport_Entry::FULL)
                break;
        benchmark::DoNotOptimize(report.nImported);
    }
}

// Processor time per iteration of each benchmark, so that the ratios come from this run.
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
} // namespace

int main(int argc, char** argv)
{
    Write("text", TextFile(TEXT_LINES));
    Write("text-small", TextFile(TEXT_LINES / SMALL_PART));
    Write("vcard", VCardFile(VCARD_CARDS));
    Write("vcard-small", VCardFile(VCARD_CARDS / SMALL_PART));

    for (const char* pszKey : {"text", "text-small", "vcard", "vcard-small"})
    {
        const std::string key = pszKey;
        benchmark::RegisterBenchmark(("read/" + key).c_str(), BM_ReadFile, key)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("import/" + key).c_str(),
                                     key.compare(0, 4, "text") == 0 ? BM_ImportText : BM_ImportVCard, key)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.m_times;
    for (const char* pszKey : {"text", "vcard"})
    {
        const std::string key = pszKey;
        const std::string small = key + "-small";
        if (t["read/" + key] <= 0 || t["import/" + key] <= 0 || t["import/" + small] <= 0)
            continue; // a filter left some out
        const double perByte = t["import/" + key] / static_cast<double>(g_files[key].nSize);
        const double perByteSmall = t["import/" + small] / static_cast<double>(g_files[small].nSize);
        std::printf("\n%s: %zu bytes\n", key.c_str(), g_files[key].nSize);
        std::printf("  import / read into memory:       %6.2fx  (goal <= 20)\n",
                    t["import/" + key] / t["read/" + key]);
        std::printf("  cost per byte, full / a tenth:   %6.2fx  (goal <= 1.5)\n", perByte / perByteSmall);
    }
    for (const auto& file : g_files)
        std::remove(file.second.path.c_str());
    return 0;
}
