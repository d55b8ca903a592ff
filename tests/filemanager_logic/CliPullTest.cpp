// orvak-cli pull: the transfer engine without windows, as a scheduled job runs it.
#include "TransferTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
struct SCliRun
{
    int nExit = -1;
    std::string strOutput; // standard output and standard error
};

SCliRun RunCli(const std::string& strArgs)
{
    SCliRun run;
    FILE* pPipe = popen((std::string(ORVAK_CLI_PATH) + " " + strArgs + " 2>&1").c_str(), "r");
    if (!pPipe)
        return run;
    char szBuffer[512];
    size_t nRead = 0;
    while ((nRead = std::fread(szBuffer, 1, sizeof(szBuffer), pPipe)) > 0)
        run.strOutput.append(szBuffer, nRead);
    const int nStatus = pclose(pPipe);
    run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return run;
}
// Runs the tool with standard error on a pseudo-terminal (as in an
// interactive shell) and standard output into a pipe.
struct STerminalRun
{
    int nExit = -1;
    std::string strTerminal; // what standard error showed
    std::string strOutput;   // standard output
};

STerminalRun RunCliOnTerminal(const std::vector<std::string>& arrArgs)
{
    STerminalRun run;
    const int nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    int arrPipe[2] = {-1, -1};
    if (nMaster < 0 || ::grantpt(nMaster) != 0 || ::unlockpt(nMaster) != 0 || ::pipe(arrPipe) != 0)
        return run;
    const std::string strSlave = ::ptsname(nMaster);
    const pid_t nChild = ::fork();
    if (nChild == 0)
    {
        const int nSlave = ::open(strSlave.c_str(), O_RDWR);
        ::dup2(nSlave, STDERR_FILENO);
        ::dup2(arrPipe[1], STDOUT_FILENO);
        ::close(nMaster);
        ::close(arrPipe[0]);
        std::vector<char*> arrArgv{const_cast<char*>(ORVAK_CLI_PATH)};
        for (const std::string& strArg : arrArgs)
            arrArgv.push_back(const_cast<char*>(strArg.c_str()));
        arrArgv.push_back(nullptr);
        ::execv(ORVAK_CLI_PATH, arrArgv.data());
        ::_exit(127);
    }
    ::close(arrPipe[1]);
    char szBuffer[512];
    ssize_t nRead = 0;
    while ((nRead = ::read(arrPipe[0], szBuffer, sizeof(szBuffer))) > 0)
        run.strOutput.append(szBuffer, static_cast<size_t>(nRead));
    int nStatus = 0;
    ::waitpid(nChild, &nStatus, 0);
    // The child is gone; what it wrote to the terminal is still buffered.
    ::fcntl(nMaster, F_SETFL, O_NONBLOCK);
    while ((nRead = ::read(nMaster, szBuffer, sizeof(szBuffer))) > 0)
        run.strTerminal.append(szBuffer, static_cast<size_t>(nRead));
    ::close(arrPipe[0]);
    ::close(nMaster);
    run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return run;
}
} // namespace

// On a terminal, standard error carries a progress line with speed and time
// left; piped, the tool prints no progress at all (see the test below).
TEST(CliPull, ProgressLineOnlyOnATerminal)
{
    CTransferTestBench b;
    b.WriteCard("A.CSV", PatternBytes(3000));
    b.WriteCard("B.CSV", PatternBytes(700));
    b.StartPanel(EFetchPath::MessageCodes);
    const STransferRequest request = b.MakeRequest({});
    const std::vector<std::string> arrArgs = {
        "--timeout", "5",   "127.0.0.1:" + std::to_string(request.nPanelPort),
        "pull",      "*.*", b.m_strRoot};
    const STerminalRun run = RunCliOnTerminal(arrArgs);
    EXPECT_EQ(0, run.nExit) << run.strOutput << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find("\rA.CSV")) << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find("100%  File: ")) << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find(" left  All files: ")) << run.strTerminal;
    // The last thing on the terminal is a wiped line, so the shell prompt
    // starts clean.
    EXPECT_EQ(run.strTerminal.size() - 4, run.strTerminal.rfind("\r\033[K"));
    EXPECT_EQ(std::string::npos, run.strOutput.find('\r')) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("pull: 2 of 2 copied")) << run.strOutput;
}

TEST(CliPull, CollectsIntoAutoFoldersAndSkipsWhatIsThere)
{
    CTransferTestBench b;
    b.WriteCard("41225A07.CSV", PatternBytes(3000));
    b.WriteCard("90101107.CSV", "107");
    b.WriteCard("README.TXT", "readme");
    b.WriteLocal("Year 2019/Month 01/Day 01/Line 1/Batch 07/90101107.CSV", "kept");
    b.StartPanel(EFetchPath::Tftp);
    const STransferRequest request = b.MakeRequest({});
    const std::string strArgs = "--timeout 5 --tftp-port " + std::to_string(request.nTftpPort) +
                                " 127.0.0.1:" + std::to_string(request.nPanelPort) +
                                " pull '*.*' '" + b.m_strRoot + "' --auto-folders --csv-ext";
    const SCliRun run = RunCli(strArgs);
    EXPECT_EQ(0, run.nExit) << run.strOutput;
    // Not a terminal: no progress line.
    EXPECT_EQ(std::string::npos, run.strOutput.find("All files:")) << run.strOutput;
    EXPECT_NE(std::string::npos,
              run.strOutput.find("pull: 2 of 3 copied, 1 skipped, 0 left out, 0 failed, 0 not "
                                 "attempted; Status: Sucess\n"))
        << run.strOutput;
    EXPECT_EQ(PatternBytes(3000),
              b.ReadLocal("Year 2014/Month 12/Day 25/Line A/Batch 07/41225A07.CSV"));
    EXPECT_EQ("kept", b.ReadLocal("Year 2019/Month 01/Day 01/Line 1/Batch 07/90101107.CSV"));
    EXPECT_EQ("readme", b.ReadLocal("README.TXT.CSV")); // no scheme: into the root folder

    const SCliRun rerun = RunCli(strArgs + " --on-conflict rename");
    EXPECT_EQ(0, rerun.nExit) << rerun.strOutput;
    EXPECT_EQ(PatternBytes(3000),
              b.ReadLocal("Year 2014/Month 12/Day 25/Line A/Batch 07/41225A07_1.CSV"));
    EXPECT_EQ("readme", b.ReadLocal("README_1.TXT"));
}

TEST(CliPull, AFailedFileGivesExitStatusOne)
{
    CTransferTestBench b;
    b.WriteCard("A.CSV", PatternBytes(2000));
    b.WriteCard("B.CSV", "b");
    b.StartPanel(EFetchPath::MessageCodes, {"--fail-after", "143:0=2"});
    const STransferRequest request = b.MakeRequest({});
    const SCliRun run = RunCli("--timeout 5 127.0.0.1:" + std::to_string(request.nPanelPort) +
                               " pull '*.CSV' '" + b.m_strRoot + "' --on-conflict overwrite");
    EXPECT_EQ(1, run.nExit) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("Unable to read file A.CSV")) << run.strOutput;
    EXPECT_NE(std::string::npos,
              run.strOutput.find("pull: 0 of 2 copied, 0 skipped, 0 left out, 1 failed, 1 not "
                                 "attempted; Status: Failed\n"))
        << run.strOutput;
    EXPECT_TRUE(FolderNames(b.m_strRoot).empty());
    EXPECT_EQ(2, RunCli("127.0.0.1 pull '*.*' /tmp --on-conflict never").nExit);
}
