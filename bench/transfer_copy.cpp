// Transfer engine: copying a 20 MB file from the simulator through both fetch
// paths (message code 143 blocks, TFTP), beside the floor the link itself
// sets in the same run (the same file read with the bare link calls into
// memory, or downloaded with the bare TFTP client). The engine adds the
// progress display per block, the temporary files and the final flushed
// copy; next to the network that should not show.
#include "CMedianReporter.h"
#include "common/CPrompt.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/ConflictRules.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace
{
constexpr size_t FILE_SIZE = 20 * 1024 * 1024;
constexpr const char* FILE_NAME = "BIG.CSV";

// Overwrites every time, without asking.
class COverwriteResolver : public CConflictResolver
{
public:
    bool Resolve(SConflictRequest& request) override
    {
        request.eAction = EConflictAction::Overwrite;
        request.bApplyToNext = true;
        return true;
    }
};

struct SPanels
{
    CTempDir card;
    CTempDir local;
    std::unique_ptr<CSimulatorProcess> pBlocks; // a file-command panel: message code 143
    std::unique_ptr<CSimulatorProcess> pTftp;   // a card-command panel: TFTP

    SPanels()
    {
        std::string strData(FILE_SIZE, '\0');
        for (size_t i = 0; i < FILE_SIZE; ++i)
            strData[i] = static_cast<char>((i * 2654435761u) >> 13);
        card.WriteFile(FILE_NAME, strData);
        pBlocks = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--no-tftp", "--card", card.Str(), "--type", "186"});
        pTftp = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--card", card.Str(), "--type", "80"});
    }
    // Reads the panel information, which decides the fetch path.
    bool Connect(bool bTftp) const
    {
        const CSimulatorProcess& sim = bTftp ? *pTftp : *pBlocks;
        CCommInterface comm(sim.Address(), sim.Port());
        return comm.CheckPanelType() && CanBackupCsvFiles() == !bTftp;
    }
};

SPanels& Panels()
{
    static SPanels s_panels;
    return s_panels;
}

void SetThroughput(benchmark::State& state, int64_t nBytes)
{
    state.SetBytesProcessed(nBytes);
    state.counters["MB/s"] =
        benchmark::Counter(static_cast<double>(nBytes) / 1e6, benchmark::Counter::kIsRate);
}

// Argument 0: message code blocks; 1: TFTP.
void BM_EngineCopy(benchmark::State& state)
{
    SPanels& panels = Panels();
    const bool bTftp = state.range(0) != 0;
    if (!panels.Connect(bTftp))
    {
        state.SkipWithError("panel not accepted");
        return;
    }
    const CSimulatorProcess& sim = bTftp ? *panels.pTftp : *panels.pBlocks;
    STransferRequest request;
    DIR_DATA entry;
    entry.strName = FILE_NAME;
    entry.strSize = std::to_string(FILE_SIZE);
    request.arrSelected = {entry};
    request.strPanelAddress = sim.Address();
    request.nPanelPort = sim.Port();
    request.nTftpPort = sim.TftpPort();
    request.strRootFolder = panels.local.Str();
    CHeadlessTransferDisplay display;
    COverwriteResolver resolver;
    CStderrPrompt prompt;
    CTransferEngine engine(display, resolver, prompt);
    int64_t nBytes = 0;
    for (auto _ : state)
    {
        if (!engine.Transfer(request))
        {
            state.SkipWithError("transfer failed");
            break;
        }
        nBytes += static_cast<int64_t>(FILE_SIZE);
    }
    SetThroughput(state, nBytes);
}

void BM_LinkFloor(benchmark::State& state)
{
    SPanels& panels = Panels();
    const bool bTftp = state.range(0) != 0;
    if (!panels.Connect(bTftp))
    {
        state.SkipWithError("panel not accepted");
        return;
    }
    int64_t nBytes = 0;
    for (auto _ : state)
    {
        uint64_t nRead = 0;
        if (bTftp)
        {
            CTFTPClient client;
            client.SetServerPort(static_cast<uint16_t>(panels.pTftp->TftpPort()));
            const std::string strLocal = panels.local.Str() + "/floor.bin";
            int nResult = client.StartTransfer(true, FILE_NAME, strLocal, panels.pTftp->Address());
            while (nResult == TFTP_RESULT_MORE)
                nResult = client.Step();
            nRead = nResult == TFTP_RESULT_FINISHED ? client.GetBytesTransferred() : 0;
        }
        else
        {
            CCommInterface comm(panels.pBlocks->Address(), panels.pBlocks->Port());
            CPanelFileCommands files(&comm);
            const unsigned long nSize = files.OpenRemoteFile(FILE_NAME);
            while (nRead < nSize)
            {
                unsigned char arrBlock[255];
                unsigned long nLen = sizeof(arrBlock);
                if (!files.ReadFileBlock(arrBlock, &nLen) || nLen == 0)
                    break;
                nRead += nLen;
            }
            files.CloseRemoteFile();
        }
        if (nRead != FILE_SIZE)
        {
            state.SkipWithError("read failed");
            break;
        }
        nBytes += static_cast<int64_t>(nRead);
    }
    SetThroughput(state, nBytes);
}

// Each once per repetition, three repetitions compared by their medians.
BENCHMARK(BM_LinkFloor)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_EngineCopy)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    CMedianReporter reporter("MB/s");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n20 MB from the simulator, medians of three runs (MB/s; this process's CPU "
                "ms per copy)\n");
    for (const char* pszArg : {"0", "1"})
    {
        const std::string strFloor = std::string("BM_LinkFloor/") + pszArg;
        const std::string strEngine = std::string("BM_EngineCopy/") + pszArg;
        const double dFloor = reporter.RateOf(strFloor);
        const double dEngine = reporter.RateOf(strEngine);
        if (dFloor <= 0 || dEngine <= 0)
            continue;
        std::printf("  %-14s link floor %6.2f MB/s %6.0f ms   transfer engine %6.2f MB/s %6.0f ms"
                    "   engine/floor %.2f\n",
                    pszArg[0] == '0' ? "message codes" : "TFTP", dFloor, reporter.CpuMsOf(strFloor),
                    dEngine, reporter.CpuMsOf(strEngine), dEngine / dFloor);
    }
    return 0;
}
