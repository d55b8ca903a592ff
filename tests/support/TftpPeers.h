#pragma once
// tftpd-hpa's server from Debian's package, a real TFTP peer for the
// interoperability test and the TFTP benchmark.
#include "support/ChildProcess.h"
#include "support/SocketIo.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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
    while (std::getline(in, strLine) && strLine.find(szLocal) == std::string::npos)
        strLine.clear();
    return in.good();
}

// tftpd-hpa's server for one folder on a free port of 127.0.0.1, stopped with
// the object. It needs root; it drops to an unprivileged user, so the folder
// and its files are made readable for everyone.
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
        // The port is free when picked but may be taken before the server
        // binds it: then the server ends at once and another port is tried.
        for (int nTry = 0; nTry < 10 && m_nPort == 0; ++nTry)
        {
            const int nPort = FreeLoopbackPort(SOCK_DGRAM);
            m_pServer = std::make_unique<CChildProcess>(std::vector<std::string>{
                TFTPD_PATH, "-L", "-a", "127.0.0.1:" + std::to_string(nPort), "-s",
                folder.string()});
            for (int nWait = 0; nWait < 500 && m_nPort == 0 && !m_pServer->Wait(10); ++nWait)
                m_nPort = IsUdpPortBound(nPort) ? nPort : 0;
        }
    }

    // 0 when the server could not be started.
    int Port() const { return m_nPort; }

private:
    int m_nPort = 0;
    std::unique_ptr<CChildProcess> m_pServer;
};
} // namespace tftp_peers
