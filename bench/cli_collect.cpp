// orvak-cli collect: 16 simulated panels answering every request after 2 ms,
// each serving 20 data logs of 50 KB, collected one panel at a time and eight
// at a time. A panel's time is almost all waiting for replies, so eight at a
// time should finish at least five times sooner.
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

namespace
{
constexpr int PANEL_COUNT = 16;
constexpr int FILES_PER_PANEL = 20;
constexpr size_t FILE_SIZE = 50 * 1024;

struct SPlant
{
    std::vector<std::unique_ptr<CTempDir>> arrCards;
    std::vector<std::unique_ptr<CSimulatorProcess>> arrPanels;
    CTempDir work;

    SPlant()
    {
        std::string strPanels;
        for (int nPanel = 0; nPanel < PANEL_COUNT; ++nPanel)
        {
            auto& pCard = arrCards.emplace_back(std::make_unique<CTempDir>());
            for (int nFile = 0; nFile < FILES_PER_PANEL; ++nFile)
            {
                std::string strData(FILE_SIZE, '\0');
                for (size_t i = 0; i < FILE_SIZE; ++i)
                    strData[i] = static_cast<char>((i * 2654435761u + nFile * 97 + nPanel) >> 11);
                pCard->WriteFile("5" + std::to_string(1000 + nFile) + "A07.CSV", strData);
            }
            auto& pSim = arrPanels.emplace_back(std::make_unique<CSimulatorProcess>(
                std::vector<std::string>{"--no-tftp", "--card", pCard->Str(), "--delay-ms", "2"}));
            strPanels += "Line " + std::to_string(nPanel + 1) + "|127.0.0.1|" +
                         std::to_string(pSim->Port()) + "|\r\r\n";
        }
        work.WriteFile("plant.ini", strPanels);
    }
};

SPlant& Plant()
{
    static SPlant s_plant;
    return s_plant;
}

std::map<int, double>& SecondsByJobs()
{
    static std::map<int, double> s_map;
    return s_map;
}

void BM_CollectSixteenPanels(benchmark::State& state)
{
    const int nJobs = static_cast<int>(state.range(0));
    SPlant& plant = Plant();
    for (auto _ : state)
    {
        // A fresh target each time, so every file is copied again.
        const CTempDir out;
        const auto tmStart = std::chrono::steady_clock::now();
        const SCliResult result = RunCli({"collect", (plant.work.Path() / "plant.ini").string(),
                                          "*.CSV", out.Str(), "--jobs", std::to_string(nJobs)});
        const double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - tmStart).count();
        state.SetIterationTime(dSeconds);
        if (result.nExit != 0 || result.strOut.find("16 of 16 panels ok") == std::string::npos)
        {
            state.SkipWithError(("collect failed: " + result.strErr).c_str());
            return;
        }
        SecondsByJobs()[nJobs] = dSeconds;
    }
    state.counters["panels"] = PANEL_COUNT;
    state.counters["MB"] = PANEL_COUNT * FILES_PER_PANEL * FILE_SIZE / 1e6;
    if (nJobs != 1 && SecondsByJobs().count(1))
        state.counters["speedup_vs_jobs1"] = SecondsByJobs()[1] / SecondsByJobs()[nJobs];
}
BENCHMARK(BM_CollectSixteenPanels)
    ->Arg(1)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
} // namespace

BENCHMARK_MAIN();
