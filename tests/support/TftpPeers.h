#pragma once
// Real TFTP peers from Debian's packages, for interoperability tests and the
// TFTP benchmark: tftpd-hpa's server on a free loopback port, and a runner
// for command-line clients (tftp-hpa, curl).
#include "support/ChildProcess.h"
#include "support/SocketIo.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tftp_peers
{
constexpr const char* TFTPD_PATH = "/usr/sbin/in.tftpd";

// Runs a command-line program (absolute path first) to its end, at most
// nTimeoutMs; returns its exit code, or -1 when it had to be killed or did
// not run.
inline int RunProgram(const std::vector<std::string>& arrArgs, int nTimeoutMs = 60000)
{
    CChildProcess program(arrArgs);
    return program.Wait(nTimeoutMs) ? program.ExitCode() : -1;
}

// tftpd-hpa's server serving one folder on 127.0.0.1, handed its bound socket
// as inetd would hand it; it serves request after request until the object
// goes. It needs root (it changes its root folder and drops to an
// unprivileged user, so the served folder and files are made readable for
// everyone).
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
        const fs::perms readable = fs::perms::group_read | fs::perms::others_read;
        std::error_code ec;
        fs::permissions(folder, readable | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add, ec);
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
            fs::permissions(entry.path(), readable, fs::perm_options::add, ec);
        const int nSocket = BindLoopbackSocket(SOCK_DGRAM, m_nPort);
        m_pServer = std::make_unique<CChildProcess>(
            std::vector<std::string>{TFTPD_PATH, "-s", folder.string()},
            [nSocket] { ::dup2(nSocket, STDIN_FILENO); });
        ::close(nSocket);
    }

    // 0 when the server could not be started.
    int Port() const { return m_nPort; }

private:
    int m_nPort = 0;
    std::unique_ptr<CChildProcess> m_pServer;
};
} // namespace tftp_peers
