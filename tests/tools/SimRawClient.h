#pragma once
// Raw sockets toward the panel simulator, for the simulator's own tests: the
// frames and datagrams are built byte by byte here, never by the program's
// client classes, so that the simulator is checked on its own, including
// against requests the program never sends.
#include "support/CardFrame.h"

#include <cstdint>
#include <netinet/in.h>
#include <string>
#include <sys/types.h>
#include <vector>

using CBytes = std::vector<uint8_t>;

// Payload helpers: a list of byte values, and a name with its 0 byte.
CBytes Bytes(std::initializer_list<int> arrValues);
CBytes WithName(CBytes arr, const std::string& strName);

struct CSimReply
{
    bool m_bReceived = false; // a whole reply frame arrived
    uint8_t m_nCode = 0;
    uint8_t m_nResult = 0;
    CBytes m_arrPayload;
};

// One TCP connection; every read waits a few seconds at most.
class CSimRawLink
{
public:
    explicit CSimRawLink(int nPort);
    ~CSimRawLink();
    CSimRawLink(const CSimRawLink&) = delete;
    CSimRawLink& operator=(const CSimRawLink&) = delete;

    bool SendRaw(const CBytes& arrBytes);
    bool Send(uint8_t nCode, const CBytes& arrPayload);
    CSimReply Receive();
    CSimReply Exchange(uint8_t nCode, const CBytes& arrPayload = {});
    // Sub-command exchange of message 143 / a card frame of message 128.
    CSimReply File(const CBytes& arrRequest) { return Exchange(143, arrRequest); }
    CSimReply Card(const CBytes& arrCardPayload)
    {
        return Exchange(128, CardFrame(arrCardPayload));
    }
    // True when the peer closes the connection without sending a byte.
    bool ClosesSilently();

private:
    int m_nFd = -1;
};

// A TFTP peer on its own UDP socket, one datagram at a time.
class CSimRawTftp
{
public:
    explicit CSimRawTftp(int nServerPort);
    ~CSimRawTftp();
    CSimRawTftp(const CSimRawTftp&) = delete;
    CSimRawTftp& operator=(const CSimRawTftp&) = delete;

    void SendTo(const sockaddr_in& to, const CBytes& arrPacket);
    void SendToServer(const CBytes& arrPacket) { SendTo(m_server, arrPacket); }
    // One datagram within a few seconds (empty on a time-out); From() is its sender.
    CBytes Receive();
    const sockaddr_in& From() const { return m_from; }

    static CBytes Request(uint16_t nOp, const std::string& strName, const std::string& strMode);
    static CBytes Ack(uint16_t nBlock) { return {0, 4, uint8_t(nBlock >> 8), uint8_t(nBlock)}; }
    static uint16_t Op(const CBytes& arr) { return arr.size() >= 2 ? (arr[0] << 8 | arr[1]) : 0; }
    static uint16_t Block(const CBytes& arr)
    {
        return arr.size() >= 4 ? (arr[2] << 8 | arr[3]) : 0;
    }

private:
    int m_nFd = -1;
    sockaddr_in m_server{};
    sockaddr_in m_from{};
};
