// orvak-cli pull's progress line on a terminal, drawn from the transfer
// engine's display and rate. (Piped, it prints none: the CLI's own tests.
// This one belongs with them too; it runs the tool on a pseudo-terminal.)
#include "TransferTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
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
// left, wiped at the end so that the shell prompt starts clean.
TEST(CliPull, ProgressLineOnATerminal)
{
    CTransferTestBench b;
    b.m_dir.WriteFile("card/A.CSV", PatternBytes(3000));
    b.m_dir.WriteFile("card/B.CSV", PatternBytes(700));
    b.StartPanel(EFetchPath::MessageCodes);
    const STransferRequest request = b.MakeRequest({});
    const STerminalRun run =
        RunCliOnTerminal({"--timeout", "5", "127.0.0.1:" + std::to_string(request.nPanelPort),
                          "pull", "*.*", b.m_strRoot});
    EXPECT_EQ(0, run.nExit) << run.strOutput << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find("\rA.CSV")) << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find("100%  File: ")) << run.strTerminal;
    EXPECT_NE(std::string::npos, run.strTerminal.find(" left  All files: ")) << run.strTerminal;
    EXPECT_EQ(run.strTerminal.size() - 4, run.strTerminal.rfind("\r\033[K"));
    EXPECT_EQ(std::string::npos, run.strOutput.find('\r')) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("pull: 2 of 2 copied")) << run.strOutput;
}
