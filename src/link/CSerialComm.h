#pragma once
// The transport to a panel's command channel: one TCP connection carrying one
// framed request and one framed reply per exchange (docs/wire-format.md). The
// connection opens on the first exchange and is kept until closed or until an
// exchange fails.
#include <string>
#include <vector>

enum COM_APP_TYPE
{
    COM_APP_DEFAULT = 0,
};

// Result codes of ProccessMsgCode_NoThread produced on the computer side.
enum ESerialResult : unsigned long
{
    SERIAL_OK = 0,
    SERIAL_TIMEOUT = 2,       // no complete reply in time, or closed mid-reply
    SERIAL_WRONG_CODE = 3,    // reply's message code differs from the request's
    SERIAL_WRONG_LENGTH = 8,  // reply longer than the caller's capacity
    SERIAL_WRONG_FORMAT = 15, // reply does not start with 0x50 0x4C
    SERIAL_BAD_ARGUMENT = 31, // request longer than 65535 bytes
    SERIAL_SEND_FAILED = 35,
    SERIAL_NO_SOCKET = 36,
    SERIAL_CONNECT_FAILED = 39,
};

// Frame header: 0x50 0x4C, message code, flags or result, payload length (big-endian).
constexpr unsigned char FRAME_MAGIC_0 = 0x50;
constexpr unsigned char FRAME_MAGIC_1 = 0x4C;
constexpr unsigned long FRAME_HEADER_SIZE = 6;
constexpr unsigned long FRAME_MAX_PAYLOAD = 65535;

class CSerialComm
{
public:
    CSerialComm();
    virtual ~CSerialComm();
    CSerialComm(const CSerialComm&) = delete;
    CSerialComm& operator=(const CSerialComm&) = delete;

    void SetCommModeToEthernetCE();
    void SetIPAndPort(std::string strAddress, int nPort);

    // One request/reply exchange. Returns 0 and the reply bytes on success,
    // otherwise a library result code; the connection is closed after any failure.
    unsigned long ProccessMsgCode_NoThread(unsigned char nMsgCode, bool bFlag,
                                           unsigned char* pRequest, unsigned long nRequestLen,
                                           unsigned char* pReply, unsigned long nReplyCapacity,
                                           unsigned long* pReplyLen);
    unsigned long CloseComPort();
    unsigned long EthernetClose();

    // Time-outs in milliseconds (connect 3000, reply 10000 by default).
    void SetTimeouts(int nConnectMs, int nReplyMs);
    // errno saved at the last failure (0 when the failure had no system cause).
    int GetLastSystemError() const { return m_nLastSystemError; }

    // Set by every new channel; one per thread so channels built on several
    // threads at once do not race on it.
    static thread_local COM_APP_TYPE m_enumAppType;

private:
    unsigned long Connect(); // 0, or the failure's result code (socket closed)
    void CloseSocket();
    void ApplySocketTimeouts();
    unsigned long Fail(unsigned long nResult, int nSystemError);
    bool SendFrame(unsigned char nMsgCode, bool bFlag, const unsigned char* pRequest,
                   unsigned long nRequestLen);
    unsigned long ReceiveReply(unsigned char nMsgCode, unsigned char* pReply,
                               unsigned long nReplyCapacity, unsigned long* pReplyLen);

    std::string m_strAddress;
    int m_nPort = 0;
    int m_nSocket = -1;
    int m_nConnectTimeoutMs = 3000;
    int m_nReplyTimeoutMs = 10000;
    int m_nLastSystemError = 0;
    // Kept between exchanges so that a steady exchange loop allocates nothing.
    std::vector<unsigned char> m_arrSendBuffer;
    std::vector<unsigned char> m_arrReceiveBuffer;
};
