#include "HostileRun.h"

#include "common/CTempFile.h"
#include "support/CTempDir.h"
#include "support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef ORVAK_CLI_PATH
#error "ORVAK_CLI_PATH must name the orvak-cli binary"
#endif

namespace fs = std::filesystem;

namespace
{
void SetLimit(int nResource, long long nBytes)
{
    if (nBytes < 0)
        return;
    rlimit limit{static_cast<rlim_t>(nBytes), static_cast<rlim_t>(nBytes)};
    setrlimit(nResource, &limit);
}
} // namespace

std::vector<std::string> LeftoverTemporaries(const fs::path& folder)
{
    std::vector<std::string> arrNames;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
    {
        const std::string strName = entry.path().filename().string();
        if (IsTempFileName(strName) || strName[0] == '.' ||
            strName.find(".part") != std::string::npos || strName.rfind("tmp", 0) == 0)
            arrNames.push_back(strName);
    }
    return arrNames;
}

SHostileRun RunHostileCli(const std::vector<std::string>& arrArgs, const std::string& strTempFolder,
                          const SHostileLimits& limits)
{
    CTempDir output;
    const std::string strOutPath = (output.Path() / "out").string();
    const std::string strErrPath = (output.Path() / "err").string();
    std::vector<std::string> arrAll = {ORVAK_CLI_PATH, "--timeout", "2"};
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());

    const auto tmStart = std::chrono::steady_clock::now();
    const pid_t pid = SpawnWithOutputFiles(arrAll, strOutPath, strErrPath,
                                           [&]
                                           {
                                               setenv("TMPDIR", strTempFolder.c_str(), 1);
                                               SetLimit(RLIMIT_FSIZE, limits.nFileSizeLimit);
                                               SetLimit(RLIMIT_AS, limits.nAddressSpaceLimit);
                                           });

    SHostileRun run;
    int nStatus = 0;
    for (;;)
    {
        if (waitpid(pid, &nStatus, WNOHANG) == pid)
            break;
        run.nElapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - tmStart)
                             .count();
        if (run.nElapsedMs > limits.nDeadlineMs)
        {
            run.bHung = true;
            kill(pid, SIGKILL);
            waitpid(pid, &nStatus, 0);
            break;
        }
        if (limits.nSignal != 0 && !run.bSignalSent &&
            !LeftoverTemporaries(limits.strWatchFolder).empty())
        {
            kill(pid, limits.nSignal);
            run.bSignalSent = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.bExited = !run.bHung && WIFEXITED(nStatus);
    run.nExit = run.bExited ? WEXITSTATUS(nStatus) : -1;
    run.nSignal = WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : 0;
    run.strOut = output.ReadFile("out");
    run.strErr = output.ReadFile("err");
    return run;
}

void ExpectCleanFailure(const SHostileRun& run, const std::string& strMessage,
                        const fs::path& finalPath, const std::string& strTempFolder)
{
    EXPECT_FALSE(run.bHung) << "still running after " << run.nElapsedMs << " ms";
    EXPECT_TRUE(run.bExited) << "ended by signal " << run.nSignal << "\n" << run.strErr;
    EXPECT_EQ(1, run.nExit) << run.strErr;
    EXPECT_NE(std::string::npos, run.strErr.find(strMessage)) << run.strErr;
    EXPECT_FALSE(fs::exists(finalPath)) << finalPath;
    EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(finalPath.parent_path()));
    EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(strTempFolder));
}
