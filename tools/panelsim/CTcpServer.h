#pragma once
// The command channel's listener: accepts connections and runs each on its
// own thread until it ends or the simulator stops.
#include "CWorkerThreads.h"
#include "SimContext.h"

#include <string>
#include <thread>

class CTcpServer
{
public:
    explicit CTcpServer(CSimContext& context);
    ~CTcpServer();
    CTcpServer(const CTcpServer&) = delete;
    CTcpServer& operator=(const CTcpServer&) = delete;

    bool Listen(const std::string& strAddress, int nPort, std::string& strError);
    int Port() const { return m_nPort; }
    void Start();
    // Once the stop token is set: ends the accept loop, closes every
    // connection and waits for the threads.
    void Stop();

private:
    void AcceptLoop();

    CSimContext& m_context;
    int m_nListenFd = -1;
    int m_nPort = 0;
    std::thread m_acceptThread;
    CWorkerThreads m_connections;
    int m_nNextId = 1;
};
