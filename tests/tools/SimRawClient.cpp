#include "SimRawClient.h"
#include "support/SocketIo.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <unistd.h>

namespace
{
sockaddr_in Loopback(int nPort)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(nPort));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

// Every read on the socket waits a few seconds at most.
void SetReadWait(int nFd)
{
    const timeval tvWait = {5, 0};
    setsockopt(nFd, SOL_SOCKET, SO_RCVTIMEO, &tvWait, sizeof tvWait);
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

CSimRawLink::CSimRawLink(int nPort) : m_nFd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    const sockaddr_in addr = Loopback(nPort);
    const int nOn = 1;
    setsockopt(m_nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
    SetReadWait(m_nFd);
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

bool CSimRawLink::ClosesSilently()
{
    uint8_t nByte = 0;
    return m_nFd >= 0 && recv(m_nFd, &nByte, 1, 0) == 0; // not a byte, not a time-out
}

CSimRawTftp::CSimRawTftp(int nServerPort) : m_server(Loopback(nServerPort))
{
    int nLocalPort = 0;
    m_nFd = BindLoopbackSocket(SOCK_DGRAM, nLocalPort);
    SetReadWait(m_nFd);
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

CBytes CSimRawTftp::Receive()
{
    CBytes arrPacket(2048);
    socklen_t nLen = sizeof m_from;
    const ssize_t n = recvfrom(m_nFd, arrPacket.data(), arrPacket.size(), 0,
                               reinterpret_cast<sockaddr*>(&m_from), &nLen);
    arrPacket.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return arrPacket;
}

CBytes CSimRawTftp::Request(uint16_t nOp, const std::string& strName, const std::string& strMode)
{
    return WithName(WithName({static_cast<uint8_t>(nOp >> 8), static_cast<uint8_t>(nOp)}, strName),
                    strMode);
}
