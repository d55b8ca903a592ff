// The simulator as a process: its first output line, its options, and how it
// ends.
#include "SimRawClient.h"
#include "support/CTempDir.h"
#include "support/ChildProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// The simulator as a plain child process, for what CSimulatorProcess does not
// show: its exit code, its standard output.
class CSimChild
{
public:
    explicit CSimChild(std::vector<std::string> arrArgs)
    {
        arrArgs.insert(arrArgs.begin(), ORVAK_PANELSIM_PATH);
        m_pid = SpawnWithOutputFiles(arrArgs, (m_output.Path() / "out").string(), "/dev/null");
    }
    ~CSimChild() { SignalAndWait(SIGKILL); }

    // Everything on standard output so far.
    std::string Output() const { return m_output.ReadFile("out"); }
    // The first line of standard output (empty when none came in time).
    std::string FirstLine() const
    {
        for (int i = 0; i < 1000 && Output().find('\n') == std::string::npos; ++i)
            usleep(10000);
        return Output().substr(0, Output().find('\n'));
    }
    // Sends the signal (none: 0) and returns the exit status as waitpid gives
    // it; bounded: a simulator that ignores its stop signal is killed, -1.
    int SignalAndWait(int nSignal)
    {
        int nStatus = -1;
        if (m_pid > 0 && nSignal != 0)
            kill(m_pid, nSignal);
        for (int i = 0; m_pid > 0 && i < 1000; ++i, usleep(10000))
            if (waitpid(m_pid, &nStatus, WNOHANG) == m_pid)
                m_pid = -1;
        if (m_pid <= 0)
            return nStatus;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &nStatus, 0);
        m_pid = -1;
        return -1;
    }

private:
    CTempDir m_output;
    pid_t m_pid = -1;
};

bool ExitedWith(int nStatus, int nCode)
{
    return nStatus != -1 && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == nCode;
}
} // namespace

TEST(SimStartup, FirstLineNamesTheBoundEphemeralPortsAndNothingFollows)
{
    CTempDir card;
    CSimChild child(
        {"--address", "127.0.0.1", "--port", "0", "--tftp-port", "0", "--card", card.Str()});
    const std::string strLine = child.FirstLine();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(strLine, match, std::regex("panelsim port=(\\d+) tftp=(\\d+)")))
        << strLine;
    const int nPort = std::stoi(match[1]);
    EXPECT_GT(nPort, 0);
    EXPECT_GT(std::stoi(match[2]), 0);
    CSimRawLink link(nPort);
    EXPECT_TRUE(link.Exchange(18).m_bReceived);
    EXPECT_TRUE(ExitedWith(child.SignalAndWait(SIGTERM), 0));
    EXPECT_EQ(strLine + "\n", child.Output()) << "nothing else ever appears";

    CSimChild noTftp({"--port", "0", "--no-tftp", "--card", card.Str()});
    EXPECT_NE(std::string::npos, noTftp.FirstLine().find(" tftp=off"));
}

TEST(SimStartup, SigtermAndSigintStopWithExitCodeZeroEvenWithBusyConnections)
{
    CTempDir card;
    card.WriteFile("A.CSV", std::string(5000, 'x'));
    for (int nSignal : {SIGTERM, SIGINT})
    {
        CSimChild child({"--port", "0", "--tftp-port", "0", "--card", card.Str()});
        const std::string strLine = child.FirstLine();
        const int nPort = std::stoi(strLine.substr(strLine.find("port=") + 5));
        const int nTftpPort = std::stoi(strLine.substr(strLine.find("tftp=") + 5));
        // One connection idle, one with a file open and half a frame sent,
        // one TFTP read waiting for its first ACK.
        CSimRawLink idle(nPort), busy(nPort);
        ASSERT_EQ(0, busy.File(WithName(Bytes({3, 0}), "A.CSV")).m_nResult);
        busy.SendRaw(Bytes({0x50, 0x4C, 143, 0, 0, 9, 1}));
        CSimRawTftp tftp(nTftpPort);
        tftp.SendToServer(CSimRawTftp::Request(1, "A.CSV", "octet"));
        CBytes arrPacket;
        sockaddr_in from{};
        ASSERT_TRUE(tftp.Receive(arrPacket, from));

        EXPECT_TRUE(ExitedWith(child.SignalAndWait(nSignal), 0)) << "signal " << nSignal;
        CBytes arrRest;
        EXPECT_EQ(0, idle.ReadUntilClosed(arrRest));
    }
}

TEST(SimStartup, HelpExitsZeroAndBadOptionsAreRefused)
{
    CSimChild help({"--help"});
    EXPECT_TRUE(ExitedWith(help.SignalAndWait(0), 0));
    EXPECT_NE(std::string::npos, help.Output().find("  --card "));

    CTempDir card;
    const std::vector<std::vector<std::string>> arrBad = {
        {"--bogus"},
        {"--port"},
        {"--port", "70000"},
        {"--revision", "5k"},
        {"--fail", "143:7"},
        {"--malform", "sideways"},
        {"--card-result", "11=1"},
        {"--tftp-error", "x"},
        {"--card", card.Str() + "/missing"},
        {"--card", card.Str(), "--grow-log", "NONE.CSV"},
        {"--address", "not-an-address"},
    };
    for (const auto& arrArgs : arrBad)
    {
        std::vector<std::string> arrAll = {"--port", "0", "--no-tftp"};
        arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());
        CSimChild child(arrAll);
        EXPECT_TRUE(ExitedWith(child.SignalAndWait(0), 2)) << arrArgs[0];
        EXPECT_EQ("", child.Output()) << arrArgs[0];
    }
}
