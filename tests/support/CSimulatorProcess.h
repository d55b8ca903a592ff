#pragma once
// Starts the panel simulator as a child process on ephemeral ports (loopback
// only) and stops it when the object goes. Tests talk to it over TCP and UDP
// exactly as the program talks to a panel.
#include "support/ChildProcess.h"

#include <string>
#include <vector>

class CSimulatorProcess
{
public:
    // arrArgs are extra simulator options (card folder, panel type, faults...).
    // "--port 0" and "--address 127.0.0.1" are added; so is "--tftp-port 0"
    // unless the arguments name a TFTP setting themselves.
    explicit CSimulatorProcess(const std::vector<std::string>& arrArgs);
    ~CSimulatorProcess() { Stop(); }

    int Port() const { return m_nPort; }
    int TftpPort() const { return m_nTftpPort; } // 0 when TFTP is off
    const char* Address() const { return "127.0.0.1"; }
    // Stops it as a user would (SIGTERM), so that it ends cleanly.
    void Stop();

private:
    CChildProcess m_child;
    int m_nPort = 0;
    int m_nTftpPort = 0;
};
