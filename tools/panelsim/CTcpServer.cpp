#include "CTcpServer.h"

#include "Connection.h"
#include "SimLog.h"
#include "SocketUtil.h"

#include <cerrno>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CTcpServer::CTcpServer(CSimContext& context) : m_context(context) {}

CTcpServer::~CTcpServer()
{
    Stop();
}

bool CTcpServer::Listen(const std::string& strAddress, int nPort, std::string& strError)
{
    sockaddr_in addr{};
    if (!MakeAddress(strAddress, nPort, addr))
    {
        strError = StrFormat("'%s' is not an IPv4 address", strAddress.c_str());
        return false;
    }
    m_nListenFd = BindSocket(SOCK_STREAM, addr, strError);
    if (m_nListenFd < 0)
        return false;
    if (listen(m_nListenFd, 64) != 0)
    {
        strError = "cannot listen on the command port";
        return false;
    }
    m_nPort = BoundPort(m_nListenFd);
    return true;
}

void CTcpServer::Start()
{
    m_acceptThread = std::thread([this] { AcceptLoop(); });
}

void CTcpServer::AcceptLoop()
{
    pollfd arrPoll[2] = {{m_nListenFd, POLLIN, 0}, {m_context.m_stop.Fd(), POLLIN, 0}};
    while (!m_context.m_stop.IsStopped())
    {
        const int nReady = poll(arrPoll, 2, 1000);
        m_connections.Reap(false);
        if (nReady <= 0 || !(arrPoll[0].revents & POLLIN))
            continue;
        const int nFd = accept4(m_nListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (nFd < 0)
            continue;
        const int nOn = 1;
        setsockopt(nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);

        const int nId = m_nNextId++;
        SIM_VERBOSE("connection %d opened", nId);
        m_connections.Spawn(nFd,
                            [this, nFd, nId]
                            {
                                RunConnection(nFd, nId, m_context);
                                // Tell the peer at once; the descriptor itself is closed when
                                // the thread is reaped.
                                shutdown(nFd, SHUT_RDWR);
                                SIM_VERBOSE("connection %d closed", nId);
                            });
    }
}

void CTcpServer::Stop()
{
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    m_connections.Reap(true);
    if (m_nListenFd >= 0)
        close(m_nListenFd);
    m_nListenFd = -1;
}
