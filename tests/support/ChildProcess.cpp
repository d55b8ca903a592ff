#include "support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

std::vector<std::string> Words(const std::string& strLine)
{
    std::istringstream in(strLine);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

CChildProcess::CChildProcess(std::vector<std::string> arrArgv,
                             const std::function<void()>& fnInChild)
{
    const std::string strOut = (m_files.Path() / "out").string();
    const std::string strErr = (m_files.Path() / "err").string();
    std::vector<char*> argv;
    for (std::string& strArg : arrArgv)
        argv.push_back(strArg.data());
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0)
    {
        setpgid(0, 0);
        dup2(open(strOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        if (fnInChild)
            fnInChild();
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (m_pid > 0)
        setpgid(m_pid, m_pid); // before any Kill, whoever runs first
}

std::string CChildProcess::FirstLine() const
{
    std::string strOut = Output();
    for (int i = 0; i < 1000 && strOut.find('\n') == std::string::npos; ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        strOut = Output();
    }
    return strOut.substr(0, strOut.find('\n'));
}

void CChildProcess::Signal(int nSignal) const
{
    if (m_pid > 0 && !m_bEnded)
        kill(m_pid, nSignal);
}

bool CChildProcess::Wait(int nTimeoutMs, const std::function<void()>& fnMeanwhile)
{
    const auto tmEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (m_pid > 0 && !m_bEnded)
    {
        m_bEnded = waitpid(m_pid, &m_nStatus, WNOHANG) == m_pid;
        if (m_bEnded || std::chrono::steady_clock::now() > tmEnd)
            break;
        if (fnMeanwhile)
            fnMeanwhile();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return m_bEnded;
}

void CChildProcess::Kill()
{
    if (m_pid <= 0 || m_bEnded)
        return;
    kill(-m_pid, SIGKILL);
    m_bEnded = waitpid(m_pid, &m_nStatus, 0) == m_pid;
}

int CChildProcess::ExitCode() const
{
    return m_bEnded && WIFEXITED(m_nStatus) ? WEXITSTATUS(m_nStatus) : -1;
}

int CChildProcess::EndSignal() const
{
    return m_bEnded && WIFSIGNALED(m_nStatus) ? WTERMSIG(m_nStatus) : 0;
}
