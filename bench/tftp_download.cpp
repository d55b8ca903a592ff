// Seconds to download a 4 MB file from tftpd-hpa's server on loopback, with
// this project's TFTP client and with tftp-hpa's client, in the same run.
// Goal: this client no slower than 1.1 times the tftp-hpa client.
#include "link/CTFTPClient.h"
#include "support/CTempDir.h"
#include "support/TftpPeers.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace
{
constexpr size_t FILE_SIZE = 4 * 1024 * 1024;
constexpr const char* FILE_NAME = "BENCH4M.BIN";
constexpr const char* TFTP_HPA_PATH = "/usr/bin/tftp";

using Clock = std::chrono::steady_clock;

// Runs a program (absolute path first) for at most a minute; its exit code, or -1.
int RunProgram(const std::vector<std::string>& arrArgs)
{
    CChildProcess program(arrArgs);
    return program.Wait(60000) ? program.ExitCode() : -1;
}

// The served folder and the server, shared by both benchmarks.
struct SServer
{
    CTempDir served;
    CTempDir local;
    std::unique_ptr<tftp_peers::CTftpdProcess> pServer;

    SServer()
    {
        std::string strContent(FILE_SIZE, '\0');
        for (size_t i = 0; i < FILE_SIZE; ++i)
            strContent[i] = static_cast<char>((i * 2654435761u) >> 13);
        served.WriteFile(FILE_NAME, strContent);
        if (tftp_peers::CTftpdProcess::WhyUnavailable().empty())
            pServer = std::make_unique<tftp_peers::CTftpdProcess>(served.Path());
    }
    int Port() const { return pServer ? pServer->Port() : 0; }
};

SServer& Server()
{
    static SServer s_server;
    return s_server;
}

double g_dOrvakSeconds = 0;
double g_dTftpHpaSeconds = 0;

bool CheckServer(benchmark::State& state)
{
    const std::string strWhy = tftp_peers::CTftpdProcess::WhyUnavailable();
    if (!strWhy.empty())
        state.SkipWithError(strWhy.c_str());
    else if (Server().Port() == 0)
        state.SkipWithError("in.tftpd did not start");
    return strWhy.empty() && Server().Port() != 0;
}

bool DownloadedWhole(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::file_size(path, ec) == FILE_SIZE && !ec;
}

void BM_OrvakClient(benchmark::State& state)
{
    if (!CheckServer(state))
        return;
    const std::filesystem::path target = Server().local.Path() / "orvak.bin";
    double dTotal = 0;
    for (auto _ : state)
    {
        const Clock::time_point tmStart = Clock::now();
        CTFTPClient client;
        client.SetServerPort(static_cast<uint16_t>(Server().Port()));
        int nResult = client.StartTransfer(true, FILE_NAME, target.string(), "127.0.0.1");
        while (nResult == TFTP_RESULT_MORE)
            nResult = client.Step();
        dTotal += std::chrono::duration<double>(Clock::now() - tmStart).count();
        if (nResult != TFTP_RESULT_FINISHED || !DownloadedWhole(target))
        {
            state.SkipWithError(("download failed: " + client.GetErrorText()).c_str());
            return;
        }
    }
    g_dOrvakSeconds = dTotal / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FILE_SIZE));
}

void BM_TftpHpaClient(benchmark::State& state)
{
    if (!CheckServer(state))
        return;
    if (::access(TFTP_HPA_PATH, X_OK) != 0)
    {
        state.SkipWithError("/usr/bin/tftp is missing (install the tftp-hpa package)");
        return;
    }
    const std::filesystem::path target = Server().local.Path() / "hpa.bin";
    const std::string strPort = std::to_string(Server().Port());
    double dTotal = 0;
    for (auto _ : state)
    {
        const Clock::time_point tmStart = Clock::now();
        const int nExit = RunProgram({TFTP_HPA_PATH, "-m", "binary", "127.0.0.1", strPort, "-c",
                                      "get", FILE_NAME, target.string()});
        dTotal += std::chrono::duration<double>(Clock::now() - tmStart).count();
        if (nExit != 0 || !DownloadedWhole(target))
        {
            state.SkipWithError("tftp-hpa download failed");
            return;
        }
    }
    g_dTftpHpaSeconds = dTotal / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FILE_SIZE));
}

BENCHMARK(BM_OrvakClient)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_TftpHpaClient)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_dOrvakSeconds > 0 && g_dTftpHpaSeconds > 0)
    {
        const double dRatio = g_dOrvakSeconds / g_dTftpHpaSeconds;
        std::printf("4 MB from in.tftpd: orvak client %.3f s, tftp-hpa client %.3f s, "
                    "ratio %.2f (goal: at most 1.10) %s\n",
                    g_dOrvakSeconds, g_dTftpHpaSeconds, dRatio, dRatio <= 1.10 ? "met" : "MISSED");
    }
    return 0;
}
