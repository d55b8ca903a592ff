// The simulator as a process: its first output line, its options, and how it
// ends.
#include "SimRawClient.h"
#include "support/ChildProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <regex>

namespace
{
// The simulator with the options given, as a plain child process.
CChildProcess Simulator(std::vector<std::string> arrArgs)
{
    arrArgs.insert(arrArgs.begin(), ORVAK_PANELSIM_PATH);
    return CChildProcess(arrArgs);
}

// Sends the signal (none: 0) and tells whether the simulator then ended in
// time with the exit code.
bool EndsWith(CChildProcess& sim, int nSignal, int nCode)
{
    if (nSignal != 0)
        sim.Signal(nSignal);
    return sim.Wait(10000) && sim.ExitCode() == nCode;
}
} // namespace

// The first line names the bound ports; nothing else ever appears.
TEST(SimStartup, SigtermAndSigintStopWithExitCodeZeroEvenWithBusyConnections)
{
    CTempDir card;
    card.WriteFile("A.CSV", std::string(5000, 'x'));
    for (int nSignal : {SIGTERM, SIGINT})
    {
        CChildProcess sim = Simulator(
            {"--address", "127.0.0.1", "--port", "0", "--tftp-port", "0", "--card", card.Str()});
        const std::string strLine = sim.FirstLine();
        std::smatch match;
        ASSERT_TRUE(
            std::regex_match(strLine, match, std::regex("panelsim port=(\\d+) tftp=(\\d+)")))
            << strLine;
        const int nPort = std::stoi(match[1]);
        // One connection idle, one with a file open and half a frame sent,
        // one TFTP read waiting for its first ACK.
        CSimRawLink idle(nPort), busy(nPort);
        ASSERT_EQ(0, busy.File(WithName(CBytes{3, 0}, "A.CSV")).m_nResult);
        busy.SendRaw(CBytes{0x50, 0x4C, 143, 0, 0, 9, 1});
        CSimRawTftp tftp(std::stoi(match[2]));
        tftp.SendToServer(CSimRawTftp::Request(1, "A.CSV", "octet"));
        ASSERT_EQ(3, CSimRawTftp::OpBlock(tftp.Receive()).first);

        EXPECT_TRUE(EndsWith(sim, nSignal, 0)) << "signal " << nSignal;
        EXPECT_TRUE(idle.ClosesSilently());
        EXPECT_EQ(strLine + "\n", sim.Output());
    }
}

TEST(SimStartup, HelpExitsZeroAndBadOptionsAreRefused)
{
    CChildProcess help = Simulator({"--help"});
    EXPECT_TRUE(EndsWith(help, 0, 0));
    EXPECT_NE(std::string::npos, help.Output().find("  --card "));

    CTempDir card;
    for (const std::string& strArgs : std::vector<std::string>{
             "--bogus", "--port", "--port 70000", "--revision 5k", "--fail 143:7",
             "--malform sideways", "--card-result 11=1", "--tftp-error x",
             "--address not-an-address", "--card " + card.Str() + "/missing",
             "--card " + card.Str() + " --grow-log NONE.CSV"})
    {
        CChildProcess sim = Simulator(Words("--port 0 --no-tftp " + strArgs));
        EXPECT_TRUE(EndsWith(sim, 0, 2)) << strArgs;
        EXPECT_EQ("", sim.Output()) << strArgs;
    }
}
