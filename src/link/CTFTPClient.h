#pragma once
// Moves one whole file between the computer and a panel with TFTP (RFC 1350,
// octet mode, 512-byte blocks, no options; docs/wire-format.md). The caller drives it: after
// StartTransfer every Step moves one block, so a progress display can follow
// and a cancel request can be honoured between blocks. Every wait for the
// network blocks for at most the time-out.
//
// Transfer identifiers: the first answer to the request (from the server's
// address, any port) fixes the server's port for the rest of the transfer. A
// datagram from any other address or port is answered with ERROR 5 "Unknown
// transfer ID" and otherwise ignored, so no other host can inject data.
#include "link/CTFTPPacket.h"
#include "link/CUdpSocket.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// The largest file a panel's card can hold (FAT32): no download goes past it.
constexpr uint64_t TFTP_MAX_FILE_SIZE = 0xFFFFFFFFull;
// How far a download may pass the size the listing gave: a data log keeps
// growing while it is read, by a record per logging interval, so a read that
// takes minutes may bring some more. One MiB (thousands of records) plus a
// quarter of the listed size (for long reads of big logs) is far more than
// that, yet stops a server that keeps sending within a second or so.
constexpr uint64_t TFTP_GROWTH_MARGIN = 1ull << 20;

// The download ceiling for a file the listing showed with nListedSize bytes
// (negative: size unknown).
uint64_t TftpDownloadLimit(int64_t nListedSize);

enum ETftpState
{
    TFTP_STATE_IDLE = 1, // idle or finished
    TFTP_STATE_DOWNLOAD = 2,
    TFTP_STATE_UPLOAD = 3,
};

enum ETftpResult
{
    TFTP_RESULT_FAILED = 1,
    TFTP_RESULT_MORE = 2,     // StartTransfer: started; Step: one block done, more to come
    TFTP_RESULT_FINISHED = 3, // Step only: the local file is closed, the state is idle
};

class CTFTPClient
{
public:
    static constexpr uint16_t TFTP_SERVER_PORT = 69;
    static constexpr int TFTP_DEFAULT_TIMEOUT_MS = 10000;
    static constexpr size_t TFTP_ERROR_TEXT_MAX = 1024; // including the terminator

    CTFTPClient();
    virtual ~CTFTPClient();
    CTFTPClient(const CTFTPClient&) = delete;
    CTFTPClient& operator=(const CTFTPClient&) = delete;

    // Closes the local file and the socket; the state becomes idle.
    void Reset();

    // Sends the request (and, for an upload, waits for its acknowledgement).
    // Returns TFTP_RESULT_FAILED or TFTP_RESULT_MORE.
    int StartTransfer(bool bDownload, const std::string& strRemoteName,
                      const std::string& strLocalPath, const std::string& strIPAddress);
    // Moves one block. Returns TFTP_RESULT_FAILED, TFTP_RESULT_MORE or TFTP_RESULT_FINISHED.
    int Step();

    uint64_t GetBytesTransferred() const { return m_nBytesTransferred; }
    const std::string& GetErrorText() const { return m_strError; }
    int GetState() const { return m_nState; }

    // Every network wait, in milliseconds (default 10000). The wait is exact
    // to the millisecond; 0 only looks at what has already arrived.
    void SetTimeout(int nTimeoutMs) { m_nTimeoutMs = nTimeoutMs < 0 ? 0 : nTimeoutMs; }
    int GetTimeout() const { return m_nTimeoutMs; }
    // The most bytes a download may bring (default TFTP_MAX_FILE_SIZE); a
    // server that sends more fails the transfer.
    void SetSizeLimit(uint64_t nMaxBytes) { m_nSizeLimit = nMaxBytes; }
    // The server's well-known port (default 69).
    void SetServerPort(uint16_t nPort) { m_nServerPort = nPort; }
    // The client's own UDP port while a socket is open, else 0.
    uint16_t GetLocalPort() const { return m_socket.GetLocalPort(); }

private:
    enum EAckWait
    {
        ACK_RECEIVED,
        ACK_MISSING, // time-out or an unexpected packet: the DATA may be sent again
        ACK_REFUSED, // the server sent ERROR and has ended the transfer
    };

    void AddError(std::string_view strLine);
    void AddErrorPacketText(const CTFTPPacket& packet);
    bool Connect(const std::string& strIPAddress);
    bool OpenLocalFile(const std::string& strLocalPath, const char* pszMode);
    bool SendPacket(const CTFTPPacket& packet);
    bool ReceivePacket(CTFTPPacket& packet, int nTimeoutMs);
    bool AcceptSource(const UDP_ENDPOINT& from);
    EAckWait WaitForAck(uint16_t nBlock, int nTimeoutMs);
    int CompareWithExpected(uint16_t nReceived) const;
    bool CloseLocalFile();
    bool ReadyToStep();
    int StepDownload();
    int StepUpload();

    std::string m_strError;
    FILE* m_pFile = nullptr;
    uint32_t m_nBlock = 0;
    uint64_t m_nBytesTransferred = 0;
    int m_nState = TFTP_STATE_IDLE;
    CTFTPPacket m_packetLastSent;
    CUdpSocket m_socket;
    UDP_ENDPOINT m_peer;
    int m_nDuplicates = 0;

    bool m_bPeerFixed = false; // the server's transfer port is known
    int m_nTimeoutMs = TFTP_DEFAULT_TIMEOUT_MS;
    uint16_t m_nServerPort = TFTP_SERVER_PORT;
    uint64_t m_nSizeLimit = TFTP_MAX_FILE_SIZE;
    CTFTPPacket m_packetReceived;
    CTFTPPacket m_packetData;          // the DATA of the current upload block
    CTFTPPacket m_packetUnknownSource; // ERROR 5 for datagrams from a foreign source
    std::unique_ptr<char[]> m_pFileBuffer;
};
