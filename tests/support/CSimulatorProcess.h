#pragma once
// The panel simulator as a child process on ephemeral loopback ports, stopped
// when the object goes.
#include "support/ChildProcess.h"

#include <string>
#include <vector>

class CSimulatorProcess
{
public:
    // Extra options; "--address 127.0.0.1 --port 0" are added, and "--tftp-port 0"
    // unless the options name a TFTP setting.
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
