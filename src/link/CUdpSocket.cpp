#include "link/CUdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

sockaddr_in UDP_ENDPOINT::ToSockAddr() const
{
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_port = htons(nPort);
    addr.sin_addr.s_addr = htonl(nAddress);
    return addr;
}

UDP_ENDPOINT UDP_ENDPOINT::FromSockAddr(const sockaddr_in& addr)
{
    UDP_ENDPOINT endpoint;
    endpoint.nAddress = ntohl(addr.sin_addr.s_addr);
    endpoint.nPort = ntohs(addr.sin_port);
    return endpoint;
}

bool UDP_ENDPOINT::Parse(const std::string& strDotted, uint16_t nPort, UDP_ENDPOINT& endpoint)
{
    in_addr addr;
    if (inet_pton(AF_INET, strDotted.c_str(), &addr) != 1)
        return false;
    endpoint.nAddress = ntohl(addr.s_addr);
    endpoint.nPort = nPort;
    return true;
}

CUdpSocket::CUdpSocket(CUdpSocket&& other) noexcept : m_nSocket(other.m_nSocket)
{
    other.m_nSocket = -1;
}

CUdpSocket& CUdpSocket::operator=(CUdpSocket&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_nSocket = other.m_nSocket;
        other.m_nSocket = -1;
    }
    return *this;
}

bool CUdpSocket::Open()
{
    Close();
    m_nSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return m_nSocket >= 0;
}

void CUdpSocket::Close()
{
    if (m_nSocket >= 0)
        ::close(m_nSocket);
    m_nSocket = -1;
}

bool CUdpSocket::Bind(const UDP_ENDPOINT& endpoint)
{
    const sockaddr_in addr = endpoint.ToSockAddr();
    return ::bind(m_nSocket, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == 0;
}

uint16_t CUdpSocket::GetLocalPort() const
{
    sockaddr_in addr;
    socklen_t nLen = sizeof(addr);
    if (m_nSocket < 0 || ::getsockname(m_nSocket, reinterpret_cast<sockaddr*>(&addr), &nLen) != 0)
        return 0;
    return ntohs(addr.sin_port);
}

ssize_t CUdpSocket::SendTo(const void* pData, size_t nLen, const UDP_ENDPOINT& to)
{
    const sockaddr_in addr = to.ToSockAddr();
    ssize_t nSent;
    do
    {
        nSent = ::sendto(m_nSocket, pData, nLen, 0, reinterpret_cast<const sockaddr*>(&addr),
                         sizeof(addr));
    } while (nSent < 0 && errno == EINTR);
    return nSent;
}

int CUdpSocket::WaitReadable(int nTimeoutMs)
{
    pollfd pfd{m_nSocket, POLLIN, 0};
    const int nResult = ::poll(&pfd, 1, nTimeoutMs < 0 ? 0 : nTimeoutMs);
    if (nResult < 0)
        return errno == EINTR ? 0 : -1;
    return nResult > 0 ? 1 : 0;
}

ssize_t CUdpSocket::RecvFrom(void* pBuffer, size_t nCapacity, UDP_ENDPOINT& from, bool bDontWait)
{
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof(addr));
    socklen_t nAddrLen = sizeof(addr);
    // MSG_TRUNC makes the call report the datagram's real length, so an
    // oversized datagram is recognised instead of being taken as cut short.
    const int nFlags = MSG_TRUNC | (bDontWait ? MSG_DONTWAIT : 0);
    ssize_t nReceived;
    do
    {
        nReceived = ::recvfrom(m_nSocket, pBuffer, nCapacity, nFlags,
                               reinterpret_cast<sockaddr*>(&addr), &nAddrLen);
    } while (nReceived < 0 && errno == EINTR);
    if (nReceived < 0)
        return (bDontWait && (errno == EAGAIN || errno == EWOULDBLOCK)) ? -2 : -1;
    from = UDP_ENDPOINT::FromSockAddr(addr);
    return nReceived;
}
