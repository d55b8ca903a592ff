#include "CliRunner.h"

#include "support/CTempDir.h"

#include <cstring>
#include <fcntl.h>
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

    const pid_t pid = fork();
    if (pid == 0)
    {
        const int nOut = open(strOutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int nErr = open(strErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(nOut, STDOUT_FILENO);
        dup2(nErr, STDERR_FILENO);
        if (!strWorkDir.empty() && chdir(strWorkDir.c_str()) != 0)
            _exit(126);
        for (std::string strEntry : arrEnv)
            putenv(strdup(strEntry.c_str()));
        std::vector<char*> argv;
        for (std::string& strArg : arrAll)
            argv.push_back(strArg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    SCliResult result;
    int nStatus = 0;
    if (pid > 0 && waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus))
        result.nExit = WEXITSTATUS(nStatus);
    result.strOut = output.ReadFile("out");
    result.strErr = output.ReadFile("err");
    return result;
}
