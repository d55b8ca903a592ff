#pragma once
// Raw sockets toward the simulator, not the program's classes: it is checked on its own.
#include "support/CardFrame.h"
#include "support/SocketIo.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <string>

using CBytes = std::vector<uint8_t>;

// A payload with a name and its 0 byte added.
inline CBytes WithName(CBytes arr, const std::string& strName)
{
    arr.insert(arr.end(), strName.begin(), strName.end());
    arr.push_back(0);
    return arr;
}

// The socket, its every read now waiting a few seconds at most.
inline int WithReadWait(int nFd)
{
    const timeval tvWait = {5, 0};
    setsockopt(nFd, SOL_SOCKET, SO_RCVTIMEO, &tvWait, sizeof tvWait);
    return nFd;
}

struct CSimReply
{
    bool m_bReceived = false; // a whole reply frame arrived
    uint8_t m_nCode = 0;
    uint8_t m_nResult = 0;
    CBytes m_arrPayload;
};

// One TCP connection (every call fails when it could not connect).
class CSimRawLink
{
public:
    explicit CSimRawLink(int nPort)
        : m_nFd(WithReadWait(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)))
    {
        const sockaddr_in addr = LoopbackAddress(nPort);
        const int nOn = 1;
        setsockopt(m_nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
        connect(m_nFd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    }
    ~CSimRawLink() { close(m_nFd); }
    CSimRawLink(const CSimRawLink&) = delete;
    CSimRawLink& operator=(const CSimRawLink&) = delete;

    bool SendRaw(const CBytes& arr) { return SendAll(m_nFd, arr.data(), arr.size()); }
    CSimReply Receive()
    {
        CSimReply reply;
        uint8_t arrHeader[6];
        if (!ReceiveAll(m_nFd, arrHeader, sizeof arrHeader))
            return reply;
        reply.m_nCode = arrHeader[2];
        reply.m_nResult = arrHeader[3];
        reply.m_arrPayload.resize(static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
        reply.m_bReceived = ReceiveAll(m_nFd, reply.m_arrPayload.data(), reply.m_arrPayload.size());
        return reply;
    }
    CSimReply Exchange(uint8_t nCode, const CBytes& arrPayload = {})
    {
        return SendRaw(MessageFrame(nCode, arrPayload)) ? Receive() : CSimReply();
    }
    // Sub-command exchange of message 143 / a card frame of message 128.
    CSimReply File(const CBytes& arrRequest) { return Exchange(143, arrRequest); }
    CSimReply Card(const CBytes& arrPayload) { return Exchange(128, CardFrame(arrPayload)); }
    // True when the peer closes the connection without sending a byte (nor timing out).
    bool ClosesSilently()
    {
        uint8_t nByte = 0;
        return recv(m_nFd, &nByte, 1, 0) == 0;
    }

private:
    int m_nFd;
};

// A TFTP peer on its own UDP socket, one datagram at a time.
class CSimRawTftp
{
public:
    explicit CSimRawTftp(int nServerPort) : m_server(LoopbackAddress(nServerPort))
    {
        int nLocalPort = 0;
        m_nFd = WithReadWait(BindLoopbackSocket(SOCK_DGRAM, nLocalPort));
    }
    ~CSimRawTftp() { close(m_nFd); }
    CSimRawTftp(const CSimRawTftp&) = delete;
    CSimRawTftp& operator=(const CSimRawTftp&) = delete;

    void SendTo(const sockaddr_in& to, const CBytes& arrPacket)
    {
        sendto(m_nFd, arrPacket.data(), arrPacket.size(), 0, reinterpret_cast<const sockaddr*>(&to),
               sizeof to);
    }
    void SendToServer(const CBytes& arrPacket) { SendTo(m_server, arrPacket); }
    // One datagram within a few seconds (empty on a time-out); From() is its sender.
    CBytes Receive()
    {
        CBytes arrPacket(2048);
        socklen_t nLen = sizeof m_from;
        const ssize_t n = recvfrom(m_nFd, arrPacket.data(), arrPacket.size(), 0,
                                   reinterpret_cast<sockaddr*>(&m_from), &nLen);
        arrPacket.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return arrPacket;
    }
    const sockaddr_in& From() const { return m_from; }

    static CBytes Request(uint16_t nOp, const std::string& strName, const std::string& strMode)
    {
        return WithName(WithName({uint8_t(nOp >> 8), uint8_t(nOp)}, strName), strMode);
    }
    static CBytes Ack(uint16_t nBlock) { return {0, 4, uint8_t(nBlock >> 8), uint8_t(nBlock)}; }
    // The opcode and the block number (or error code) of a packet; 0 where it has none.
    static std::pair<int, int> OpBlock(const CBytes& arr)
    {
        return {arr.size() >= 2 ? arr[0] << 8 | arr[1] : 0,
                arr.size() >= 4 ? arr[2] << 8 | arr[3] : 0};
    }

private:
    int m_nFd = -1;
    sockaddr_in m_server{};
    sockaddr_in m_from{};
};
