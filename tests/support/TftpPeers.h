#pragma once
// Real TFTP peers from Debian's packages, for interoperability tests and the
// TFTP benchmark: tftpd-hpa's server started in the foreground on a free
// loopback port, and a runner for command-line clients (tftp-hpa, curl).
// Header-only so that the benchmarks, which build without the support
// library, can use it too.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/SocketIo.h"

namespace tftp_peers
{
constexpr const char* TFTPD_PATH = "/usr/sbin/in.tftpd";

// True when the kernel lists a UDP socket bound to 127.0.0.1:nPort.
inline bool IsUdpPortBound(int nPort)
{
    char szLocal[32];
    std::snprintf(szLocal, sizeof(szLocal), "0100007F:%04X", nPort);
    std::ifstream in("/proc/net/udp");
    std::string strLine;
    while (std::getline(in, strLine))
    {
        if (strLine.find(szLocal) != std::string::npos)
            return true;
    }
    return false;
}

// Starts argv in its own process group with standard input and output on
// /dev/null (standard error as given). Returns the child's id or -1.
inline pid_t SpawnQuiet(const std::vector<std::string>& arrArgs, bool bKeepStderr)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::setpgid(0, 0);
    std::FILE* pNull = std::fopen("/dev/null", "r+");
    if (pNull)
    {
        ::dup2(fileno(pNull), STDIN_FILENO);
        ::dup2(fileno(pNull), STDOUT_FILENO);
        if (!bKeepStderr)
            ::dup2(fileno(pNull), STDERR_FILENO);
    }
    std::vector<char*> argv;
    for (const std::string& strArg : arrArgs)
        argv.push_back(const_cast<char*>(strArg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    _exit(127);
}

// Runs a command-line program (absolute path first) to its end, at most
// nTimeoutMs; returns its exit code, or -1 when it had to be killed or did
// not run.
inline int RunProgram(const std::vector<std::string>& arrArgs, int nTimeoutMs = 60000)
{
    const pid_t pid = SpawnQuiet(arrArgs, true);
    if (pid < 0)
        return -1;
    const auto tmEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    int nStatus = 0;
    while (::waitpid(pid, &nStatus, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > tmEnd)
        {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &nStatus, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

// tftpd-hpa's server serving one folder on 127.0.0.1, stopped with its
// process group when the object goes. It needs root (it changes its root
// folder and drops to an unprivileged user, so the served folder and files
// are made readable for everyone).
class CTftpdProcess
{
public:
    // Empty when the server can run here, otherwise why it cannot.
    static std::string WhyUnavailable()
    {
        if (::access(TFTPD_PATH, X_OK) != 0)
            return std::string(TFTPD_PATH) + " is missing (install the tftpd-hpa package)";
        if (::geteuid() != 0)
            return "in.tftpd needs root to serve a folder";
        return std::string();
    }

    explicit CTftpdProcess(const std::filesystem::path& folder)
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::permissions(folder,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec,
                        ec);
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
            fs::permissions(entry.path(), fs::perms::group_read | fs::perms::others_read,
                            fs::perm_options::add, ec);
        // The port is free when picked but may be taken before the server
        // binds it: then the server ends at once and another port is tried.
        for (int nTry = 0; nTry < 10 && m_nPort == 0; ++nTry)
            TryStart(folder.string(), FreeLoopbackPort(SOCK_DGRAM));
    }
    ~CTftpdProcess() { Stop(); }
    CTftpdProcess(const CTftpdProcess&) = delete;
    CTftpdProcess& operator=(const CTftpdProcess&) = delete;

    // 0 when the server could not be started.
    int Port() const { return m_nPort; }

    void Stop()
    {
        if (m_pid <= 0)
            return;
        ::kill(-m_pid, SIGTERM);
        int nStatus = 0;
        ::waitpid(m_pid, &nStatus, 0);
        m_pid = -1;
    }

private:
    void TryStart(const std::string& strFolder, int nPort)
    {
        if (nPort == 0)
            return;
        const std::string strAddress = "127.0.0.1:" + std::to_string(nPort);
        m_pid = SpawnQuiet({TFTPD_PATH, "-L", "-a", strAddress, "-s", strFolder}, false);
        if (m_pid < 0)
            return;
        for (int nWait = 0; nWait < 500; ++nWait)
        {
            int nStatus = 0;
            if (::waitpid(m_pid, &nStatus, WNOHANG) == m_pid)
            {
                m_pid = -1;
                return;
            }
            if (IsUdpPortBound(nPort))
            {
                m_nPort = nPort;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        Stop();
    }

    pid_t m_pid = -1;
    int m_nPort = 0;
};
} // namespace tftp_peers
