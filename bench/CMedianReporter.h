#pragma once
// The console reporter of the benchmarks that compare their runs at the end:
// it keeps, for each run name ("BM_X", or "BM_X/1" with an argument), the
// median of one counter and that run's CPU time, so that main can print
// the ratios once every benchmark has run.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class CMedianReporter : public benchmark::ConsoleReporter
{
public:
    explicit CMedianReporter(std::string strCounter) : m_strCounter(std::move(strCounter)) {}

    void ReportRuns(const std::vector<Run>& arrRuns) override
    {
        for (const Run& run : arrRuns)
        {
            const auto it = run.counters.find(m_strCounter);
            if (it == run.counters.end() || run.error_occurred || run.aggregate_name != "median")
                continue;
            const std::string strName = run.run_name.args.empty()
                                            ? run.run_name.function_name
                                            : run.run_name.function_name + "/" + run.run_name.args;
            m_mapRates[strName] = it->second.value;
            m_mapCpuMs[strName] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(arrRuns);
    }
    // 0 when the run did not report (skipped, failed or filtered out).
    double RateOf(const std::string& strName) const { return Find(m_mapRates, strName); }
    double CpuMsOf(const std::string& strName) const { return Find(m_mapCpuMs, strName); }

private:
    static double Find(const std::map<std::string, double>& map, const std::string& strName)
    {
        const auto it = map.find(strName);
        return it == map.end() ? 0 : it->second;
    }

    std::string m_strCounter;
    std::map<std::string, double> m_mapRates;
    std::map<std::string, double> m_mapCpuMs; // CPU time of this process per run
};
