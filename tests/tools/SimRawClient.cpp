#include "SimRawClient.h"
#include "support/SocketIo.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

namespace
{
constexpr int WAIT_MS = 5000;

sockaddr_in Loopback(int nPort)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(nPort));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

bool WaitReadable(int nFd, int nTimeoutMs)
{
    pollfd pfd{nFd, POLLIN, 0};
    return poll(&pfd, 1, nTimeoutMs) > 0;
}
} // namespace

CBytes Bytes(std::initializer_list<int> arrValues)
{
    CBytes arr;
    for (int n : arrValues)
        arr.push_back(static_cast<uint8_t>(n));
    return arr;
}

CBytes WithName(CBytes arr, const std::string& strName)
{
    arr.insert(arr.end(), strName.begin(), strName.end());
    arr.push_back(0);
    return arr;
}

CBytes CardFrame(const CBytes& arrPayload)
{
    CBytes arr = {0x71, 0x14, static_cast<uint8_t>(arrPayload.size() + 4)};
    arr.insert(arr.end(), arrPayload.begin(), arrPayload.end());
    unsigned nSum = 0;
    for (uint8_t n : arr)
        nSum += n;
    arr.push_back(static_cast<uint8_t>(nSum));
    return arr;
}

CSimRawLink::CSimRawLink(int nPort) : m_nFd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    const sockaddr_in addr = Loopback(nPort);
    const int nOn = 1;
    const timeval tvWait = {WAIT_MS / 1000, 0};
    setsockopt(m_nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
    setsockopt(m_nFd, SOL_SOCKET, SO_RCVTIMEO, &tvWait, sizeof tvWait);
    if (connect(m_nFd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
    {
        close(m_nFd);
        m_nFd = -1;
    }
}

CSimRawLink::~CSimRawLink()
{
    if (m_nFd >= 0)
        close(m_nFd);
}

bool CSimRawLink::SendRaw(const CBytes& arrBytes)
{
    return m_nFd >= 0 && SendAll(m_nFd, arrBytes.data(), arrBytes.size());
}

bool CSimRawLink::Send(uint8_t nCode, const CBytes& arrPayload)
{
    CBytes arr = {0x50,
                  0x4C,
                  nCode,
                  0,
                  static_cast<uint8_t>(arrPayload.size() >> 8),
                  static_cast<uint8_t>(arrPayload.size())};
    arr.insert(arr.end(), arrPayload.begin(), arrPayload.end());
    return SendRaw(arr);
}

CSimReply CSimRawLink::Receive()
{
    CSimReply reply;
    uint8_t arrHeader[6];
    if (m_nFd < 0 || !ReceiveAll(m_nFd, arrHeader, sizeof arrHeader))
        return reply;
    reply.m_nCode = arrHeader[2];
    reply.m_nResult = arrHeader[3];
    reply.m_arrPayload.resize(static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
    reply.m_bReceived = ReceiveAll(m_nFd, reply.m_arrPayload.data(), reply.m_arrPayload.size());
    return reply;
}

CSimReply CSimRawLink::Exchange(uint8_t nCode, const CBytes& arrPayload)
{
    return Send(nCode, arrPayload) ? Receive() : CSimReply();
}

ssize_t CSimRawLink::ReadUntilClosed(CBytes& arrOut)
{
    arrOut.clear();
    uint8_t arrBuffer[4096];
    for (ssize_t n = 0; m_nFd >= 0; arrOut.insert(arrOut.end(), arrBuffer, arrBuffer + n))
    {
        n = recv(m_nFd, arrBuffer, sizeof arrBuffer, 0);
        if (n == 0)
            return static_cast<ssize_t>(arrOut.size());
        if (n < 0)
            return -1; // still open after the wait
    }
    return -1;
}

CSimRawTftp::CSimRawTftp(int nServerPort)
    : m_nFd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)), m_server(Loopback(nServerPort))
{
    const sockaddr_in local = Loopback(0);
    bind(m_nFd, reinterpret_cast<const sockaddr*>(&local), sizeof local);
}

CSimRawTftp::~CSimRawTftp()
{
    if (m_nFd >= 0)
        close(m_nFd);
}

void CSimRawTftp::SendTo(const sockaddr_in& to, const CBytes& arrPacket)
{
    sendto(m_nFd, arrPacket.data(), arrPacket.size(), 0, reinterpret_cast<const sockaddr*>(&to),
           sizeof to);
}

bool CSimRawTftp::Receive(CBytes& arrPacket, sockaddr_in& from)
{
    if (!WaitReadable(m_nFd, WAIT_MS))
        return false;
    arrPacket.resize(2048);
    socklen_t nLen = sizeof from;
    const ssize_t n = recvfrom(m_nFd, arrPacket.data(), arrPacket.size(), 0,
                               reinterpret_cast<sockaddr*>(&from), &nLen);
    arrPacket.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return n >= 0;
}

CBytes CSimRawTftp::Request(uint16_t nOp, const std::string& strName, const std::string& strMode)
{
    return WithName(WithName({static_cast<uint8_t>(nOp >> 8), static_cast<uint8_t>(nOp)}, strName),
                    strMode);
}
