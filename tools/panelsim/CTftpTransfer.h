#pragma once
// One TFTP transfer on its own UDP socket (its transfer port): a read request
// served as DATA blocks, or a write request received into a temporary file
// that replaces the target only when complete. Time-outs of one second with
// up to five resends; DATA is only ever resent on a time-out, never on a
// duplicate ACK.
#include "SimContext.h"

#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <string>
#include <vector>

// --tftp-drop-every: counts every outgoing packet of the server.
class CTftpDropCounter
{
public:
    explicit CTftpDropCounter(int nEvery) : m_nEvery(nEvery) {}
    bool ShouldDrop() { return m_nEvery > 0 && ++m_nCount % m_nEvery == 0; }

private:
    int m_nEvery;
    std::atomic<long> m_nCount{0};
};

class CTftpTransfer
{
public:
    CTftpTransfer(CSimContext& context, CTftpDropCounter& drops, const sockaddr_in& local,
                  const sockaddr_in& peer, std::vector<uint8_t> arrRequest);
    ~CTftpTransfer();
    CTftpTransfer(const CTftpTransfer&) = delete;
    CTftpTransfer& operator=(const CTftpTransfer&) = delete;

    void Run();

    static constexpr int nTimeoutMs = 1000;
    static constexpr int nMaxResends = 5;

private:
    using Clock = std::chrono::steady_clock;
    enum class EWait
    {
        Packet, // m_arrIn holds a packet from the peer
        Timeout,
        Abort, // the simulator stops or the socket failed
    };

    void ServeRead(const std::string& strName);
    void ServeWrite(const std::string& strName);
    bool Send(const std::vector<uint8_t>& arrPacket);
    void SendError(uint16_t nCode, const std::string& strMessage);
    EWait WaitFromPeer(Clock::time_point tmDeadline);
    bool PeerSentError() const;

    CSimContext& m_context;
    CTftpDropCounter& m_drops;
    sockaddr_in m_local;
    sockaddr_in m_peer;
    std::vector<uint8_t> m_arrRequest;
    std::vector<uint8_t> m_arrIn;
    size_t m_nIn = 0;
    std::vector<uint8_t> m_arrOut;
    int m_nFd = -1;
};
