#pragma once
// An IPv4 datagram socket that closes itself. Thin over the BSD calls: the
// TFTP client keeps its own error texts, so this class only reports success,
// time-out or failure.
#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <string>
#include <sys/types.h>

// An IPv4 address and port; both in host order.
struct UDP_ENDPOINT
{
    uint32_t nAddress = 0;
    uint16_t nPort = 0;

    bool operator==(const UDP_ENDPOINT&) const = default;
    sockaddr_in ToSockAddr() const;
    static UDP_ENDPOINT FromSockAddr(const sockaddr_in& addr);
    // Dotted text such as "127.0.0.1"; false when it is not one.
    static bool Parse(const std::string& strDotted, uint16_t nPort, UDP_ENDPOINT& endpoint);
};

class CUdpSocket
{
public:
    CUdpSocket() = default;
    ~CUdpSocket() { Close(); }
    CUdpSocket(const CUdpSocket&) = delete;
    CUdpSocket& operator=(const CUdpSocket&) = delete;
    CUdpSocket(CUdpSocket&& other) noexcept;
    CUdpSocket& operator=(CUdpSocket&& other) noexcept;

    bool Open();
    void Close();
    bool IsValid() const { return m_nSocket >= 0; }
    int Handle() const { return m_nSocket; }

    bool Bind(const UDP_ENDPOINT& endpoint);
    // The port the system gave this socket (after Bind or the first send); 0 if none.
    uint16_t GetLocalPort() const;

    // Bytes sent, or -1.
    ssize_t SendTo(const void* pData, size_t nLen, const UDP_ENDPOINT& to);

    // 1 readable, 0 nothing within nTimeoutMs (0 = just look), -1 failure.
    int WaitReadable(int nTimeoutMs);

    // One datagram into the buffer. Returns its full length, which may be more
    // than nCapacity when it was cut; -1 on failure; -2 when bDontWait is set
    // and nothing is waiting.
    ssize_t RecvFrom(void* pBuffer, size_t nCapacity, UDP_ENDPOINT& from, bool bDontWait);

private:
    int m_nSocket = -1;
};
