#pragma once
// Raw sockets toward the panel simulator, for the simulator's own tests: the
// frames and datagrams are built byte by byte here, never by the program's
// client classes, so that the two sides are checked independently.
#include <cstdint>
#include <netinet/in.h>
#include <string>
#include <sys/types.h>
#include <vector>

using CBytes = std::vector<uint8_t>;

// Payload helpers: a list of byte values, and a name with its 0 byte.
CBytes Bytes(std::initializer_list<int> arrValues);
CBytes WithName(CBytes arr, const std::string& strName);
// A card frame 0x71 0x14 N payload checksum.
CBytes CardFrame(const CBytes& arrPayload);

struct CSimReply
{
    bool m_bReceived = false; // a whole reply frame arrived
    uint8_t m_arrMagic[2] = {0, 0};
    uint8_t m_nCode = 0;
    uint8_t m_nResult = 0;
    CBytes m_arrPayload;
};

class CSimRawLink
{
public:
    explicit CSimRawLink(int nPort);
    ~CSimRawLink();
    CSimRawLink(const CSimRawLink&) = delete;
    CSimRawLink& operator=(const CSimRawLink&) = delete;

    bool IsConnected() const { return m_nFd >= 0; }
    bool SendRaw(const CBytes& arrBytes);
    bool Send(uint8_t nCode, const CBytes& arrPayload);
    // One reply frame (waits up to a few seconds).
    CSimReply Receive();
    CSimReply Exchange(uint8_t nCode, const CBytes& arrPayload = {});
    // Sub-command exchange of message 143 / a card frame of message 128.
    CSimReply File(const CBytes& arrRequest) { return Exchange(143, arrRequest); }
    CSimReply Card(const CBytes& arrCardPayload)
    {
        return Exchange(128, CardFrame(arrCardPayload));
    }
    // Bytes until the peer closes (at most nMax); -1 when it stays open.
    ssize_t ReadUntilClosed(CBytes& arrOut, size_t nMax = 1 << 20);
    // Closes at once, whatever is in flight.
    void Abort();

private:
    bool ReadExactly(uint8_t* p, size_t n);
    int m_nFd = -1;
};

// A minimal TFTP peer on its own UDP socket.
class CSimRawTftp
{
public:
    explicit CSimRawTftp(int nServerPort);
    ~CSimRawTftp();
    CSimRawTftp(const CSimRawTftp&) = delete;
    CSimRawTftp& operator=(const CSimRawTftp&) = delete;

    void SendTo(const sockaddr_in& to, const CBytes& arrPacket);
    void SendToServer(const CBytes& arrPacket) { SendTo(m_server, arrPacket); }
    // One datagram within nTimeoutMs; false on a time-out.
    bool Receive(CBytes& arrPacket, sockaddr_in& from, int nTimeoutMs = 5000);

    // Whole transfers; on an ERROR packet they return false with its code and
    // text (code -1 when the server went silent).
    bool Get(const std::string& strName, std::string& strData,
             const std::string& strMode = "octet");
    bool Put(const std::string& strName, const std::string& strData);
    int ErrorCode() const { return m_nErrorCode; }
    const std::string& ErrorText() const { return m_strErrorText; }

    static CBytes Request(uint16_t nOp, const std::string& strName, const std::string& strMode);
    static CBytes Ack(uint16_t nBlock);
    static CBytes Data(uint16_t nBlock, const std::string& strData);
    static uint16_t Op(const CBytes& arr) { return arr.size() >= 2 ? (arr[0] << 8 | arr[1]) : 0; }
    static uint16_t Block(const CBytes& arr)
    {
        return arr.size() >= 4 ? (arr[2] << 8 | arr[3]) : 0;
    }

private:
    bool TakeError(const CBytes& arrPacket);
    bool ReceiveOrResend(CBytes& arrPacket, sockaddr_in& from, const sockaddr_in& to,
                         const CBytes& arrLast);

    int m_nFd = -1;
    sockaddr_in m_server{};
    int m_nErrorCode = 0;
    std::string m_strErrorText;
};

// The simulator as a plain child process, for what CSimulatorProcess does not
// show: its exit code, its standard output.
class CSimChild
{
public:
    explicit CSimChild(const std::vector<std::string>& arrArgs);
    ~CSimChild();
    CSimChild(const CSimChild&) = delete;
    CSimChild& operator=(const CSimChild&) = delete;

    // The first line of standard output (empty when the process ended first).
    std::string FirstLine();
    // Everything on standard output until the process ends.
    std::string RestOfOutput();
    // Sends the signal and returns the exit status as waitpid gives it.
    int SignalAndWait(int nSignal);
    int Wait();

private:
    pid_t m_pid = -1;
    int m_nOut = -1;
};
