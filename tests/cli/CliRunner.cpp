#include "CliRunner.h"

#include "support/CTempDir.h"
#include "support/ChildProcess.h"

#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#ifndef ORVAK_CLI_PATH
#error "ORVAK_CLI_PATH must name the orvak-cli binary"
#endif

SCliResult RunCli(const std::vector<std::string>& arrArgs, const std::string& strWorkDir,
                  const std::vector<std::string>& arrEnv)
{
    CTempDir output;
    const std::string strOutPath = (output.Path() / "out").string();
    const std::string strErrPath = (output.Path() / "err").string();
    std::vector<std::string> arrAll = {ORVAK_CLI_PATH};
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());

    const pid_t pid =
        SpawnWithOutputFiles(arrAll, strOutPath, strErrPath,
                             [&strWorkDir, &arrEnv]
                             {
                                 if (!strWorkDir.empty() && chdir(strWorkDir.c_str()) != 0)
                                     _exit(126);
                                 // The child's own copies: putenv keeps the pointer it is given.
                                 for (const std::string& strEntry : arrEnv)
                                     putenv(strdup(strEntry.c_str()));
                             });
    SCliResult result;
    int nStatus = 0;
    if (pid > 0 && waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus))
        result.nExit = WEXITSTATUS(nStatus);
    result.strOut = output.ReadFile("out");
    result.strErr = output.ReadFile("err");
    return result;
}
