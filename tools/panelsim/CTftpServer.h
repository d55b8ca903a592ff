#pragma once
// The TFTP server: takes read and write requests on its well-known port and
// runs each transfer on its own thread and transfer port.
#include "CTftpTransfer.h"
#include "CWorkerThreads.h"
#include "SimContext.h"

#include <netinet/in.h>
#include <string>
#include <thread>

class CTftpServer
{
public:
    explicit CTftpServer(CSimContext& context);
    ~CTftpServer();
    CTftpServer(const CTftpServer&) = delete;
    CTftpServer& operator=(const CTftpServer&) = delete;

    bool Bind(const std::string& strAddress, int nPort, std::string& strError);
    int Port() const { return m_nPort; }
    void Start();
    // Waits for the request loop and every transfer (the stop token is set).
    void Stop();

private:
    void RequestLoop();

    CSimContext& m_context;
    CTftpDropCounter m_drops;
    sockaddr_in m_local{};
    int m_nFd = -1;
    int m_nPort = 0;
    std::thread m_thread;
    CWorkerThreads m_transfers;
};
