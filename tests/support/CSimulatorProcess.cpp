#include "CSimulatorProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#ifndef ORVAK_PANELSIM_PATH
#error "ORVAK_PANELSIM_PATH must name the simulator binary"
#endif

CSimulatorProcess::CSimulatorProcess(const std::vector<std::string>& arrArgs)
{
    std::vector<std::string> arrAll = {ORVAK_PANELSIM_PATH, "--address", "127.0.0.1", "--port",
                                       "0"};
    bool bTftpGiven = false;
    for (const std::string& strArg : arrArgs)
        bTftpGiven = bTftpGiven || strArg == "--tftp-port" || strArg == "--no-tftp";
    if (!bTftpGiven)
    {
        arrAll.push_back("--tftp-port");
        arrAll.push_back("0");
    }
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());

    int arrPipe[2];
    if (pipe(arrPipe) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0)
    {
        dup2(arrPipe[1], STDOUT_FILENO);
        close(arrPipe[0]);
        close(arrPipe[1]);
        std::vector<char*> argv;
        for (std::string& strArg : arrAll)
            argv.push_back(strArg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::perror("execv orvak-panelsim");
        _exit(127);
    }
    close(arrPipe[1]);

    // First line: "panelsim port=N tftp=M" (or tftp=off).
    std::string strLine;
    char c = 0;
    pollfd pfd{arrPipe[0], POLLIN, 0};
    while (strLine.size() < 512)
    {
        if (poll(&pfd, 1, 10000) <= 0)
            break;
        const ssize_t n = read(arrPipe[0], &c, 1);
        if (n <= 0 || c == '\n')
            break;
        strLine.push_back(c);
    }
    close(arrPipe[0]);
    const size_t nPortPos = strLine.find("port=");
    if (strLine.rfind("panelsim ", 0) != 0 || nPortPos == std::string::npos)
    {
        Stop();
        throw std::runtime_error("simulator did not start: '" + strLine + "'");
    }
    m_nPort = std::atoi(strLine.c_str() + nPortPos + 5);
    const size_t nTftpPos = strLine.find("tftp=");
    if (nTftpPos != std::string::npos)
        m_nTftpPort = std::atoi(strLine.c_str() + nTftpPos + 5);
}

CSimulatorProcess::~CSimulatorProcess()
{
    Stop();
}

void CSimulatorProcess::Stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int nStatus = 0;
    for (int i = 0; i < 200; ++i)
    {
        if (waitpid(m_pid, &nStatus, WNOHANG) == m_pid)
        {
            m_pid = -1;
            return;
        }
        usleep(10000);
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, &nStatus, 0);
    m_pid = -1;
}
