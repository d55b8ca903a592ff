// The data-log viewer on a log of one million records of six columns served by
// the simulator: loading every record (beside the link's own floor, the same
// file read block by block through the file commands), the memory a cached
// record takes, the record filter over the whole cache, the Data View sort,
// the CSV export (beside one plain write of the same bytes) and the chart's
// JSON series. At the end every goal is printed with its measured figure and
// "met" or "MISSED"; before the runs, the resident memory of the process
// after loading every record, beside the file's size.
#include "BigDataLog.h"
#include "common/StrFormat.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "viewer/CDataLogFile.h"
#include "viewer/CDataViewTable.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/DataLogText.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace
{
constexpr int RECORDS = 1000000;
const char* const LOG_NAME = "BIGLOG.CSV";

// The card, the simulator and the loaded log, shared by the benchmarks.
struct SShared
{
    CTempDir dir;
    std::unique_ptr<CSimulatorProcess> pSimulator;
    std::unique_ptr<CCommInterface> pComm;
    std::unique_ptr<CPanelFileCommands> pFiles;
    std::unique_ptr<CDataLogFile> pLog;
    size_t nFileSize = 0;
};

SShared& Shared()
{
    static SShared s_shared;
    if (!s_shared.pSimulator)
    {
        const std::string strLog = MakeBigDataLog(RECORDS);
        s_shared.nFileSize = strLog.size();
        s_shared.dir.WriteFile(LOG_NAME, strLog);
        s_shared.pSimulator = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--no-tftp", "--card", s_shared.dir.Str()});
        s_shared.pComm = std::make_unique<CCommInterface>("127.0.0.1", s_shared.pSimulator->Port());
        s_shared.pFiles = std::make_unique<CPanelFileCommands>(s_shared.pComm.get());
    }
    return s_shared;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The log with every record cached (loaded once, by the load benchmark or here).
CDataLogFile& LoadedLog()
{
    SShared& shared = Shared();
    if (!shared.pLog)
    {
        shared.pLog = std::make_unique<CDataLogFile>(shared.pFiles.get());
        shared.pLog->OpenLog(LOG_NAME);
        shared.pLog->LoadRecords(LoadAll, 0);
    }
    return *shared.pLog;
}

void SetRate(benchmark::State& state, double dBytes)
{
    state.counters["MB/s"] = benchmark::Counter(dBytes / 1e6, benchmark::Counter::kIsRate);
}

// The link's floor: the same file read block by block, nothing else done.
void BM_LinkFloorReadFile(benchmark::State& state)
{
    SShared& shared = Shared();
    double dBytes = 0;
    for (auto _ : state)
    {
        const unsigned long nSize = shared.pFiles->OpenRemoteFile(LOG_NAME);
        unsigned long nRead = 0;
        while (nRead < nSize)
        {
            unsigned char arrBlock[255];
            unsigned long nLength = sizeof(arrBlock);
            if (!shared.pFiles->ReadFileBlock(arrBlock, &nLength) || nLength == 0)
                break;
            nRead += nLength;
        }
        shared.pFiles->CloseRemoteFile();
        if (nRead != shared.nFileSize)
            state.SkipWithError("short read");
        dBytes += static_cast<double>(nRead);
    }
    SetRate(state, dBytes);
}

void BM_LoadAllRecords(benchmark::State& state)
{
    SShared& shared = Shared();
    double dBytes = 0;
    size_t nHeapPerRecord = 0;
    uint32_t nRecordLength = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        shared.pLog.reset();
        shared.pLog = std::make_unique<CDataLogFile>(shared.pFiles.get());
        const size_t nHeapBefore = HeapInUse();
        state.ResumeTiming();
        if (!shared.pLog->OpenLog(LOG_NAME))
        {
            state.SkipWithError("open failed");
            break;
        }
        shared.pLog->LoadRecords(LoadAll, 0);
        state.PauseTiming();
        if (shared.pLog->GetCachedCount() != static_cast<size_t>(RECORDS))
            state.SkipWithError("not every record was cached");
        nHeapPerRecord = (HeapInUse() - nHeapBefore) / shared.pLog->GetCachedCount();
        nRecordLength = shared.pLog->m_nRecordLength;
        dBytes += static_cast<double>(shared.nFileSize);
        state.ResumeTiming();
    }
    SetRate(state, dBytes);
    state.counters["heap_bytes_per_record"] = static_cast<double>(nHeapPerRecord);
    state.counters["record_bytes"] = nRecordLength;
}

// The filter of the goal: the date range over the whole cache and two tag
// criteria that every record passes, so each record goes through all three.
CFilterSet DateAndTwoTagsFilter(CDataLogFile& log)
{
    CFilterSet filter;
    filter.m_bEnabled = true;
    filter.m_bDateRange = true;
    filter.m_nDateCondition = FilterInRange;
    log.GetCacheSpan(filter.m_tmFrom, filter.m_tmTo);
    CTagFilter level;
    level.m_nTagIndex = 2;
    level.m_nCondition = FilterInRange;
    level.m_dLow = 0;
    level.m_dHigh = 1000;
    CTagFilter pump;
    pump.m_nTagIndex = 1;
    pump.m_nDataType = FilterDiscrete;
    pump.m_bShow = false;
    pump.m_dLow = 2; // never met
    filter.m_arrTagFilters = {level, pump};
    return filter;
}

void RunFilterOverCache(benchmark::State& state)
{
    CDataLogFile& log = LoadedLog();
    log.m_Filter = DateAndTwoTagsFilter(log);
    size_t nHidden = 0;
    for (auto _ : state)
    {
        for (size_t nPos = 0; nPos < log.GetCachedCount(); ++nPos)
            nHidden += log.IsRecordHidden(nPos) ? 1 : 0;
    }
    benchmark::DoNotOptimize(nHidden);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(log.GetCachedCount()));
    log.m_Filter = CFilterSet();
}

// The first pass also works out the record times and the tag's numbers.
void BM_IsRecordHiddenFirstPass(benchmark::State& state)
{
    RunFilterOverCache(state);
}

void BM_IsRecordHiddenWholeCache(benchmark::State& state)
{
    RunFilterOverCache(state);
}

void BM_DataViewSort(benchmark::State& state)
{
    CDataLogFile& log = LoadedLog();
    CDataViewTable table;
    for (auto _ : state)
    {
        state.PauseTiming();
        table.Load(log); // cache order again, so every sort starts alike
        state.ResumeTiming();
        table.Sort(static_cast<int>(state.range(0)));
    }
    state.SetItemsProcessed(state.iterations() * table.GetRowCount());
}

void BM_ExportCsv(benchmark::State& state)
{
    CDataLogFile& log = LoadedLog();
    CDataViewTable table;
    table.Load(log);
    const std::string strPath = (Shared().dir.Path() / "export.csv").string();
    double dBytes = 0;
    for (auto _ : state)
    {
        if (!ExportCsv(strPath, log, table))
            state.SkipWithError("export failed");
        dBytes += static_cast<double>(std::filesystem::file_size(strPath));
    }
    SetRate(state, dBytes);
}

// One write of the export's bytes, for comparison.
void BM_PlainWriteOfExportBytes(benchmark::State& state)
{
    CDataLogFile& log = LoadedLog();
    CDataViewTable table;
    table.Load(log);
    const std::string strBytes = BuildCsvExport(log, table);
    const std::string strPath = (Shared().dir.Path() / "plain.csv").string();
    for (auto _ : state)
    {
        const int nFd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool bOk =
            ::write(nFd, strBytes.data(), strBytes.size()) == static_cast<ssize_t>(strBytes.size());
        ::close(nFd);
        if (!bOk)
            state.SkipWithError("write failed");
    }
    SetRate(state, static_cast<double>(strBytes.size()) * static_cast<double>(state.iterations()));
}

void BM_ChartJson(benchmark::State& state)
{
    CDataLogFile& log = LoadedLog();
    size_t nLength = 0;
    for (auto _ : state)
    {
        const std::optional<std::string> strData = BuildChartData(log, 3600);
        nLength = strData ? strData->size() : 0;
    }
    state.counters["json_MB"] = static_cast<double>(nLength) / 1e6;
    SetRate(state, static_cast<double>(nLength) * static_cast<double>(state.iterations()));
}

BENCHMARK(BM_LinkFloorReadFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(2);
BENCHMARK(BM_LoadAllRecords)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(2);
BENCHMARK(BM_IsRecordHiddenFirstPass)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_IsRecordHiddenWholeCache)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DataViewSort)->Arg(0)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PlainWriteOfExportBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ChartJson)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the time and the counters of every run so that the goals can be
// printed at the end.
class CGoalReporter : public benchmark::ConsoleReporter
{
public:
    struct SResult
    {
        double dMilliseconds = 0; // real time of one iteration
        double dCpuMilliseconds = 0;
        double dRate = 0; // MB/s, when counted
        std::map<std::string, double> mapCounters;
    };

    void ReportRuns(const std::vector<Run>& arrRuns) override
    {
        for (const Run& run : arrRuns)
        {
            if (run.error_occurred || !(run.aggregate_name.empty() || run.aggregate_name == "mean"))
                continue;
            SResult& result = m_mapResults[run.run_name.args.empty() ? run.run_name.function_name
                                                                     : run.run_name.function_name +
                                                                           "/" + run.run_name.args];
            result.dMilliseconds =
                run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond ? 1.0 : 1e-6);
            result.dCpuMilliseconds =
                run.GetAdjustedCPUTime() * (run.time_unit == benchmark::kMillisecond ? 1.0 : 1e-6);
            for (const auto& [strName, counter] : run.counters)
                result.mapCounters[strName] = counter.value;
            const auto it = run.counters.find("MB/s");
            result.dRate = it != run.counters.end() ? it->second.value : 0;
        }
        ConsoleReporter::ReportRuns(arrRuns);
    }
    const SResult* Find(const std::string& strName) const
    {
        const auto it = m_mapResults.find(strName);
        return it == m_mapResults.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, SResult> m_mapResults;
};

// One row of the goal table; bMet decides "met" or "MISSED".
void PrintGoal(const char* pszWork, const std::string& strMeasured, const char* pszGoal, bool bMet)
{
    std::printf("| %-60s | %-34s | %-24s | %-6s |\n", pszWork, strMeasured.c_str(), pszGoal,
                bMet ? "met" : "MISSED");
}

// Resident memory of the process from /proc/self/status ("VmHWM" the peak,
// "VmRSS" now), in bytes.
size_t ResidentBytes(const char* pszField)
{
    FILE* pFile = std::fopen("/proc/self/status", "r");
    size_t nKilobytes = 0;
    char szLine[256];
    while (pFile != nullptr && std::fgets(szLine, sizeof(szLine), pFile) != nullptr)
    {
        if (std::strncmp(szLine, pszField, std::strlen(pszField)) == 0)
            nKilobytes = std::strtoull(szLine + std::strlen(pszField) + 1, nullptr, 10);
    }
    if (pFile != nullptr)
        std::fclose(pFile);
    return nKilobytes * 1024;
}

// A time goal is judged on the process's CPU time: on a shared machine the
// wall time also counts the waits for a core (shown beside it).
std::string TimeText(const CGoalReporter::SResult& result)
{
    return StrFormat("%.1f ms CPU (%.1f ms wall)", result.dCpuMilliseconds, result.dMilliseconds);
}

void PrintGoals(const CGoalReporter& reporter)
{
    SShared& shared = Shared();
    std::printf("\nGoals, %d records of six columns:\n", RECORDS);
    const CGoalReporter::SResult* pLoad = reporter.Find("BM_LoadAllRecords");
    const CGoalReporter::SResult* pFloor = reporter.Find("BM_LinkFloorReadFile");
    if (pLoad != nullptr)
    {
        const double dPerRecord = pLoad->mapCounters.at("heap_bytes_per_record");
        const double dRecord = pLoad->mapCounters.at("record_bytes");
        PrintGoal("Heap bytes per cached record",
                  StrFormat("%.0f (%.2f x the record's %.0f bytes)", dPerRecord,
                            dPerRecord / dRecord, dRecord),
                  "<= 2 x the record's", dPerRecord <= 2 * dRecord);
    }
    const CGoalReporter::SResult* pHidden = reporter.Find("BM_IsRecordHiddenWholeCache");
    const CGoalReporter::SResult* pFirst = reporter.Find("BM_IsRecordHiddenFirstPass");
    if (pHidden != nullptr)
    {
        PrintGoal("IsRecordHidden over the whole cache, date + two tag criteria",
                  TimeText(*pHidden), "< 50 ms", pHidden->dCpuMilliseconds < 50);
        if (pFirst != nullptr)
            std::printf("|   %-58s | %-34s |\n", "its first pass, parsing times and numbers once",
                        TimeText(*pFirst).c_str());
    }
    for (const char* pszSort : {"BM_DataViewSort/2", "BM_DataViewSort/5"})
    {
        const CGoalReporter::SResult* pSort = reporter.Find(pszSort);
        if (pSort != nullptr)
            PrintGoal(StrFormat("Data View sort by a tag column (%s)",
                                pszSort[16] == '2' ? "Temp, texts" : "Flow, numbers")
                          .c_str(),
                      TimeText(*pSort), "< 100 ms", pSort->dCpuMilliseconds < 100);
    }
    const CGoalReporter::SResult* pExport = reporter.Find("BM_ExportCsv");
    const CGoalReporter::SResult* pPlain = reporter.Find("BM_PlainWriteOfExportBytes");
    if (pExport != nullptr && pPlain != nullptr && pPlain->dRate > 0)
        PrintGoal("CSV export, beside one plain write of the same bytes",
                  StrFormat("%.2f (%.0f of %.0f MB/s)", pExport->dRate / pPlain->dRate,
                            pExport->dRate, pPlain->dRate),
                  ">= 0.6 of the plain rate", pExport->dRate >= 0.6 * pPlain->dRate);
    const CGoalReporter::SResult* pChart = reporter.Find("BM_ChartJson");
    if (pChart != nullptr)
        PrintGoal("Chart JSON series", TimeText(*pChart), "< 150 ms",
                  pChart->dCpuMilliseconds < 150);
    if (pLoad != nullptr && pFloor != nullptr && pFloor->dRate > 0)
        PrintGoal("Loading every record, beside the link floor",
                  StrFormat("%.2f (%.2f of %.2f MB/s)", pLoad->dRate / pFloor->dRate, pLoad->dRate,
                            pFloor->dRate),
                  ">= 0.95", pLoad->dRate >= 0.95 * pFloor->dRate);
    if (shared.pLog)
        std::printf("\nCache with its worked-out columns (times, two tag columns' numbers): "
                    "%.1f bytes per record\n",
                    static_cast<double>(shared.pLog->m_Cache.HeapBytes()) /
                        static_cast<double>(std::max<size_t>(1, shared.pLog->GetCachedCount())));
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Loaded first, alone, so that the peak resident memory is the one of
    // loading every record (the log's text made for the card is freed by then).
    LoadedLog();
    const size_t nPeak = ResidentBytes("VmHWM:");
    const size_t nNow = ResidentBytes("VmRSS:");
    std::printf("Resident memory after loading every record: peak %.1f MB, now %.1f MB; "
                "the file is %.1f MB\n",
                static_cast<double>(nPeak) / 1e6, static_cast<double>(nNow) / 1e6,
                static_cast<double>(Shared().nFileSize) / 1e6);
    CGoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintGoals(reporter);
    Shared().pLog.reset(); // closes the remote file before the simulator stops
    return 0;
}
