// orvak-cli pull's progress line, drawn from the transfer engine's display
// and rate: only on a terminal. (What pull copies is the engine's, tested
// beside this file; its arguments and exit status belong with the CLI tests.)
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
// left; piped, the tool prints no progress at all.
TEST(CliPull, ProgressLineOnlyOnATerminal)
{
    CTransferTestBench b;
    b.WriteCard("A.CSV", PatternBytes(3000));
    b.WriteCard("B.CSV", PatternBytes(700));
    b.StartPanel(EFetchPath::MessageCodes);
    const std::vector<std::string> arrArgs = {
        "--timeout", "5", "127.0.0.1:" + std::to_string(b.PanelPort()), "pull", "*.*", b.m_strRoot};
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

    std::string strPiped;
    const std::string strCommand = std::string(ORVAK_CLI_PATH) +
                                   " --timeout 5 127.0.0.1:" + std::to_string(b.PanelPort()) +
                                   " pull '*.*' '" + b.m_strRoot + "' --on-conflict overwrite 2>&1";
    FILE* pPipe = popen(strCommand.c_str(), "r");
    ASSERT_NE(pPipe, nullptr);
    for (int c = std::fgetc(pPipe); c != EOF; c = std::fgetc(pPipe))
        strPiped += static_cast<char>(c);
    EXPECT_EQ(0, WEXITSTATUS(pclose(pPipe))) << strPiped;
    EXPECT_EQ(std::string::npos, strPiped.find("All files:")) << strPiped;
    EXPECT_NE(std::string::npos, strPiped.find("pull: 2 of 2 copied")) << strPiped;
}
