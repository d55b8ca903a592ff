// The simulator as a process: first line, options, how it ends, the demo card.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace
{
// The simulator with the options given, as a plain child process.
CChildProcess Simulator(const std::string& strArgs)
{
    return CChildProcess(Words(ORVAK_PANELSIM_PATH " " + strArgs));
}

// Sends the signal (none: 0); true when the simulator then ends in time with the code.
bool EndsWith(CChildProcess& sim, int nSignal, int nCode)
{
    if (nSignal != 0)
        sim.Signal(nSignal);
    return sim.Wait(10000) && sim.ExitCode() == nCode;
}

// A header "Date,Time,tags", then records of one length; returns their count and line ending.
std::pair<size_t, std::string> CheckDataLog(const std::string& strText)
{
    const std::string strHeader = strText.substr(0, strText.find('\n'));
    EXPECT_EQ(0u, strHeader.rfind("Date,Time,", 0)) << strHeader;
    const long nTags = std::count(strHeader.begin(), strHeader.end(), ',') - 1;
    EXPECT_GE(nTags, 1);
    const std::string strEnding = strHeader.back() == '\r' ? "\r\n" : "\n";
    const std::regex record("\\d\\d/\\d\\d/\\d\\d,\\d\\d:\\d\\d:\\d\\d(, *[-0-9.a-z]+){" +
                            std::to_string(nTags) + "}" + (strEnding == "\n" ? "" : "\r"));
    std::istringstream in(strText.substr(strHeader.size() + 1));
    size_t nRecords = 0, nLength = 0;
    for (std::string strLine; std::getline(in, strLine) && !::testing::Test::HasFailure();
         ++nRecords)
    {
        EXPECT_FALSE(in.eof()) << "partial record at the end";
        nLength = nLength ? nLength : strLine.size();
        EXPECT_EQ(nLength, strLine.size()) << "record " << nRecords + 1;
        EXPECT_TRUE(std::regex_match(strLine, record)) << strLine;
    }
    return {nRecords, strEnding};
}
} // namespace

// The first line names the ports and is all it prints; a signal ends it with status 0 even
// with a connection open. Help ends with 0, a bad option with 2 and no output.
TEST(SimStartup, SignalsAndHelpEndWithZeroAndBadOptionsAreRefused)
{
    CTempDir card;
    for (int nSignal : {SIGTERM, SIGINT})
    {
        CChildProcess sim =
            Simulator("--address 127.0.0.1 --port 0 --no-tftp --card " + card.Str());
        int nPort = 0;
        ASSERT_EQ(1, std::sscanf(sim.FirstLine().c_str(), "panelsim port=%d tftp=off", &nPort));
        CSimRawLink idle(nPort);
        EXPECT_EQ(0, idle.Exchange(18).m_nResult);
        EXPECT_TRUE(EndsWith(sim, nSignal, 0)) << "signal " << nSignal;
        EXPECT_EQ("panelsim port=" + std::to_string(nPort) + " tftp=off\n", sim.Output());
    }
    CChildProcess help = Simulator("--help");
    EXPECT_TRUE(EndsWith(help, 0, 0));
    EXPECT_NE(std::string::npos, help.Output().find("  --card "));
    for (const std::string& strArgs : std::vector<std::string>{
             "--bogus", "--port", "--port 70000", "--revision 5k", "--fail 143:7",
             "--malform sideways", "--card-result 11=1", "--tftp-error x",
             "--address not-an-address", "--card " + card.Str() + "/missing",
             "--card " + card.Str() + " --grow-log NONE.CSV"})
    {
        CChildProcess sim = Simulator("--port 0 --no-tftp " + strArgs);
        EXPECT_TRUE(EndsWith(sim, 0, 2)) << strArgs;
        EXPECT_EQ("", sim.Output()) << strArgs;
    }
}

TEST(SimDemoCard, SampleFilesAreValidDataLogsAndFriends)
{
    CTempDir temp;
    temp.WriteFile("new/demo/41225A07.CSV", "stale content");
    temp.WriteFile("new/demo/MINE.TXT", "kept");
    CSimulatorProcess sim({"--demo-card", temp.Str() + "/new/demo"});

    const std::tuple<const char*, size_t, const char*> arrLogs[] = {
        {"41225A07.CSV", 500, "\r\n"},
        {"90101107.CSV", 50, "\n"},
        {"41226B01.CSV", 20000, nullptr},
        {"LOGS/41224C03.CSV", 20, nullptr}};
    for (const auto& [pszName, nRecords, pszEnding] : arrLogs)
    {
        const auto [nRead, strEnding] =
            CheckDataLog(temp.ReadFile(std::string("new/demo/") + pszName));
        EXPECT_EQ(nRecords, nRead) << pszName;
        EXPECT_TRUE(!pszEnding || strEnding == pszEnding) << pszName;
    }
    const std::string strFirst = temp.ReadFile("new/demo/41225A07.CSV");
    EXPECT_EQ("12/25/14,08:00:00,", strFirst.substr(strFirst.find('\n') + 1, 18));
    EXPECT_FALSE(temp.ReadFile("new/demo/README.TXT").empty());
    EXPECT_EQ(0u, std::filesystem::file_size(temp.Path() / "new/demo/EMPTY.DAT"));
    EXPECT_EQ(1u, FolderNames(temp.Path() / "new/demo/LOGS").size());
    EXPECT_EQ("kept", temp.ReadFile("new/demo/MINE.TXT"));
}
