#include "support/ChildProcess.h"

#include <fcntl.h>
#include <unistd.h>

pid_t SpawnWithOutputFiles(std::vector<std::string> arrArgv, const std::string& strOutPath,
                           const std::string& strErrPath, const std::function<void()>& fnInChild)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int nOut = open(strOutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int nErr = open(strErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(nOut, STDOUT_FILENO);
    dup2(nErr, STDERR_FILENO);
    if (fnInChild)
        fnInChild();
    std::vector<char*> argv;
    for (std::string& strArg : arrArgv)
        argv.push_back(strArg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}
