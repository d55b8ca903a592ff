#include "CTftpServer.h"

#include "SimLog.h"
#include "SocketUtil.h"
#include "TftpPacket.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CTftpServer::CTftpServer(CSimContext& context)
    : m_context(context), m_drops(context.m_settings.m_nTftpDropEvery)
{
}

CTftpServer::~CTftpServer()
{
    Stop();
}

bool CTftpServer::Bind(const std::string& strAddress, int nPort, std::string& strError)
{
    if (!MakeAddress(strAddress, nPort, m_local))
    {
        strError = StrFormat("'%s' is not an IPv4 address", strAddress.c_str());
        return false;
    }
    m_nFd = BindSocket(SOCK_DGRAM, m_local, strError);
    if (m_nFd < 0)
        return false;
    m_nPort = BoundPort(m_nFd);
    return true;
}

void CTftpServer::Start()
{
    m_thread = std::thread([this] { RequestLoop(); });
}

void CTftpServer::RequestLoop()
{
    std::vector<uint8_t> arrPacket(65536);
    pollfd arrPoll[2] = {{m_nFd, POLLIN, 0}, {m_context.m_stop.Fd(), POLLIN, 0}};
    while (!m_context.m_stop.IsStopped())
    {
        const int nReady = poll(arrPoll, 2, 1000);
        m_transfers.Reap(false);
        if (nReady <= 0 || !(arrPoll[0].revents & POLLIN))
            continue;
        arrPacket.resize(65536);
        sockaddr_in from{};
        socklen_t nFromLen = sizeof from;
        const ssize_t n = recvfrom(m_nFd, arrPacket.data(), arrPacket.size(), 0,
                                   reinterpret_cast<sockaddr*>(&from), &nFromLen);
        if (n < 0)
            continue;
        arrPacket.resize(static_cast<size_t>(n));
        const uint16_t nOp = Tftp::Opcode(arrPacket.data(), arrPacket.size());
        if (nOp != Tftp::nOpRrq && nOp != Tftp::nOpWrq)
        {
            // Only requests belong on this port.
            std::vector<uint8_t> arrError;
            Tftp::BuildError(arrError, Tftp::nErrIllegal, "Illegal TFTP operation");
            if (!m_drops.ShouldDrop())
                sendto(m_nFd, arrError.data(), arrError.size(), 0,
                       reinterpret_cast<const sockaddr*>(&from), sizeof from);
            continue;
        }
        // Each transfer owns its socket and closes it itself.
        m_transfers.Spawn(-1,
                          [this, from, arrRequest = arrPacket]() mutable
                          {
                              CTftpTransfer transfer(m_context, m_drops, m_local, from,
                                                     std::move(arrRequest));
                              transfer.Run();
                          });
    }
}

void CTftpServer::Stop()
{
    if (m_thread.joinable())
        m_thread.join();
    m_transfers.Reap(true);
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
}
