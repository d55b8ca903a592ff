// Panel link throughput: reading a 10 MB file from the simulator through the
// file commands (254-byte blocks, one exchange each), beside a raw TCP
// ping-pong of the same request and reply sizes on loopback in the same run.
// The ratio of the two exchange rates shows what the link itself costs.
#include "CMedianReporter.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/SocketIo.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr size_t FILE_SIZE = 10 * 1024 * 1024;
constexpr size_t REQUEST_SIZE = 6 + 1; // frame header + sub-command
constexpr size_t REPLY_SIZE = 6 + 255; // frame header + echo + 254 data bytes
constexpr const char* EXCHANGE_RATE = "exchanges/s";

void SetNoDelay(int nSocket)
{
    const int nOne = 1;
    setsockopt(nSocket, IPPROTO_TCP, TCP_NODELAY, &nOne, sizeof(nOne));
}

// A peer answering every 7-byte request with a 261-byte reply, either on a
// thread of this process or in a child process: the simulator is a process of
// its own, and waking another process costs more than waking a thread.
class CEchoServer
{
public:
    explicit CEchoServer(bool bOwnProcess)
    {
        m_nListen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t nLen = sizeof(sa);
        bind(m_nListen, reinterpret_cast<sockaddr*>(&sa), sizeof(sa));
        listen(m_nListen, 1);
        getsockname(m_nListen, reinterpret_cast<sockaddr*>(&sa), &nLen);
        m_nPort = ntohs(sa.sin_port);
        if (!bOwnProcess)
        {
            m_thread = std::thread([this] { Serve(); });
            return;
        }
        m_pid = fork();
        if (m_pid == 0)
        {
            Serve();
            _exit(0);
        }
    }
    ~CEchoServer()
    {
        shutdown(m_nListen, SHUT_RDWR);
        close(m_nListen);
        if (m_thread.joinable())
            m_thread.join();
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    int Port() const { return m_nPort; }

private:
    void Serve()
    {
        const int nSocket = accept(m_nListen, nullptr, nullptr);
        if (nSocket < 0)
            return;
        SetNoDelay(nSocket);
        unsigned char arrRequest[REQUEST_SIZE];
        unsigned char arrReply[REPLY_SIZE] = {0x50, 0x4C, 143, 0, 0, 255};
        while (ReceiveAll(nSocket, arrRequest, sizeof(arrRequest)) &&
               SendAll(nSocket, arrReply, sizeof(arrReply)))
        {
        }
        close(nSocket);
    }

    int m_nListen = -1;
    int m_nPort = 0;
    std::thread m_thread;
    pid_t m_pid = -1;
};

void SetExchangeCounters(benchmark::State& state, int64_t nExchanges, int64_t nBytes)
{
    state.counters[EXCHANGE_RATE] =
        benchmark::Counter(static_cast<double>(nExchanges), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(nBytes);
}

// Argument 0: the peer is a thread; 1: the peer is a child process.
void BM_RawPingPong(benchmark::State& state)
{
    CEchoServer server(state.range(0) != 0);
    const int nSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<uint16_t>(server.Port()));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(nSocket, reinterpret_cast<sockaddr*>(&sa), sizeof(sa)) != 0)
    {
        state.SkipWithError("connect failed");
        close(nSocket);
        return;
    }
    SetNoDelay(nSocket);
    const unsigned char arrRequest[REQUEST_SIZE] = {0x50, 0x4C, 143, 0, 0, 1, 0};
    unsigned char arrReply[REPLY_SIZE];
    for (auto _ : state)
    {
        if (!SendAll(nSocket, arrRequest, sizeof(arrRequest)) ||
            !ReceiveAll(nSocket, arrReply, sizeof(arrReply)))
        {
            state.SkipWithError("echo failed");
            break;
        }
    }
    close(nSocket);
    SetExchangeCounters(state, state.iterations(), state.iterations() * 254);
}

// The link's own cost: the same client calls against the in-process peer, so
// that only the client side differs from the raw ping-pong.
void BM_LinkEcho(benchmark::State& state)
{
    CEchoServer server(false);
    CCommInterface comm("127.0.0.1", server.Port());
    CPanelFileCommands files(&comm);
    for (auto _ : state)
    {
        unsigned char arrBlock[255];
        unsigned long nLen = sizeof(arrBlock);
        if (!files.ReadFileBlock(arrBlock, &nLen) || nLen != 254)
        {
            state.SkipWithError("read failed");
            break;
        }
    }
    SetExchangeCounters(state, state.iterations(), state.iterations() * 254);
}

void BM_LinkReadFile(benchmark::State& state)
{
    CTempDir card;
    std::string strData(FILE_SIZE, '\0');
    for (size_t i = 0; i < strData.size(); ++i)
        strData[i] = static_cast<char>('A' + i % 26);
    card.WriteFile("BIG.CSV", strData);
    CSimulatorProcess sim({"--no-tftp", "--card", card.Str()});
    CCommInterface comm(sim.Address(), sim.Port());
    CPanelFileCommands files(&comm);
    int64_t nExchanges = 0;
    int64_t nBytes = 0;
    for (auto _ : state)
    {
        const unsigned long nSize = files.OpenRemoteFile("BIG.CSV");
        if (nSize != FILE_SIZE)
        {
            state.SkipWithError("open failed");
            break;
        }
        unsigned long nRead = 0;
        while (nRead < nSize)
        {
            unsigned char arrBlock[255];
            unsigned long nLen = sizeof(arrBlock);
            if (!files.ReadFileBlock(arrBlock, &nLen) || nLen == 0)
                break;
            nRead += nLen;
            ++nExchanges;
        }
        files.CloseRemoteFile();
        if (nRead != nSize)
        {
            state.SkipWithError("read failed");
            break;
        }
        nBytes += static_cast<int64_t>(nRead);
    }
    SetExchangeCounters(state, nExchanges, nBytes);
}

// Each is run three times and compared by its median, as the machine is shared.
BENCHMARK(BM_RawPingPong)->Arg(0)->Arg(1)->UseRealTime()->MinTime(1.0)->Repetitions(3);
BENCHMARK(BM_LinkEcho)->UseRealTime()->MinTime(1.0)->Repetitions(3);
BENCHMARK(BM_LinkReadFile)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    CMedianReporter reporter(EXCHANGE_RATE);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double dRawThread = reporter.RateOf("BM_RawPingPong/0");
    const double dRawProcess = reporter.RateOf("BM_RawPingPong/1");
    const double dEcho = reporter.RateOf("BM_LinkEcho");
    const double dLink = reporter.RateOf("BM_LinkReadFile");
    if (dRawThread <= 0 || dRawProcess <= 0 || dEcho <= 0 || dLink <= 0)
        return 0;
    std::printf(
        "\nExchanges per second (medians of three runs, 7-byte requests, 261-byte replies)\n");
    std::printf("  raw ping-pong, peer thread:          %8.0f\n", dRawThread);
    std::printf("  raw ping-pong, peer process:         %8.0f\n", dRawProcess);
    std::printf("  link client, peer thread:            %8.0f  ratio to raw (thread)  %.2f\n",
                dEcho, dEcho / dRawThread);
    std::printf("  link, 10 MB file from the simulator: %8.0f  ratio to raw (thread)  %.2f, "
                "to raw (process) %.2f\n",
                dLink, dLink / dRawThread, dLink / dRawProcess);
    std::printf("  file data through the link: %.2f MB/s (goal for the ratios: at least 0.70)\n",
                dLink * 254 / 1e6);
    return 0;
}
