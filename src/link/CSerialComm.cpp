#include "link/CSerialComm.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

thread_local COM_APP_TYPE CSerialComm::m_enumAppType = COM_APP_DEFAULT;

namespace
{
int64_t NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

timeval ToTimeval(int nMs)
{
    timeval tv{};
    tv.tv_sec = nMs / 1000;
    tv.tv_usec = (nMs % 1000) * 1000;
    return tv;
}

// The panel's address is IPv4 dotted text; a host name is resolved as a courtesy
// to the command-line tool (IPv4 only, as the panels speak nothing else).
bool ResolveIPv4(const std::string& strAddress, in_addr& addr)
{
    if (inet_pton(AF_INET, strAddress.c_str(), &addr) == 1)
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* pResult = nullptr;
    if (getaddrinfo(strAddress.c_str(), nullptr, &hints, &pResult) != 0 || !pResult)
        return false;
    addr = reinterpret_cast<sockaddr_in*>(pResult->ai_addr)->sin_addr;
    freeaddrinfo(pResult);
    return true;
}
} // namespace

CSerialComm::CSerialComm() = default;

CSerialComm::~CSerialComm()
{
    CloseSocket();
}

void CSerialComm::SetCommModeToEthernetCE()
{
    // Ethernet is the only transport this class has; the call only records intent.
}

void CSerialComm::SetIPAndPort(std::string strAddress, int nPort)
{
    if (strAddress != m_strAddress || nPort != m_nPort)
        CloseSocket();
    m_strAddress = std::move(strAddress);
    m_nPort = nPort;
}

void CSerialComm::SetTimeouts(int nConnectMs, int nReplyMs)
{
    m_nConnectTimeoutMs = nConnectMs > 0 ? nConnectMs : 1;
    m_nReplyTimeoutMs = nReplyMs > 0 ? nReplyMs : 1;
    if (m_nSocket >= 0)
        ApplySocketTimeouts();
}

unsigned long CSerialComm::CloseComPort()
{
    CloseSocket();
    return SERIAL_OK;
}

unsigned long CSerialComm::EthernetClose()
{
    CloseSocket();
    return SERIAL_OK;
}

void CSerialComm::CloseSocket()
{
    if (m_nSocket >= 0)
    {
        close(m_nSocket);
        m_nSocket = -1;
    }
}

unsigned long CSerialComm::Fail(unsigned long nResult, int nSystemError)
{
    m_nLastSystemError = nSystemError;
    CloseSocket();
    return nResult;
}

void CSerialComm::ApplySocketTimeouts()
{
    // The first wait for a reply blocks in recv itself, which saves a poll per
    // exchange; later waits of the same reply poll with the time that is left.
    const timeval tv = ToTimeval(m_nReplyTimeoutMs);
    setsockopt(m_nSocket, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
    setsockopt(m_nSocket, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
}

unsigned long CSerialComm::Connect()
{
    in_addr addr{};
    if (!ResolveIPv4(m_strAddress, addr) || m_nPort <= 0 || m_nPort > 65535)
        return Fail(SERIAL_CONNECT_FAILED, EINVAL);
    m_nSocket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_nSocket < 0)
        return Fail(SERIAL_NO_SOCKET, errno);

    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<uint16_t>(m_nPort));
    sa.sin_addr = addr;
    if (connect(m_nSocket, reinterpret_cast<sockaddr*>(&sa), sizeof(sa)) != 0)
    {
        if (errno != EINPROGRESS)
            return Fail(SERIAL_CONNECT_FAILED, errno);
        pollfd pfd{m_nSocket, POLLOUT, 0};
        const int64_t nDeadline = NowMs() + m_nConnectTimeoutMs;
        for (;;)
        {
            const int64_t nLeft = nDeadline - NowMs();
            const int nReady = poll(&pfd, 1, nLeft > 0 ? static_cast<int>(nLeft) : 0);
            if (nReady > 0)
                break;
            if (nReady == 0)
                return Fail(SERIAL_CONNECT_FAILED, ETIMEDOUT);
            if (errno != EINTR)
                return Fail(SERIAL_CONNECT_FAILED, errno);
        }
        int nError = 0;
        socklen_t nLen = sizeof(nError);
        if (getsockopt(m_nSocket, SOL_SOCKET, SO_ERROR, &nError, &nLen) != 0)
            return Fail(SERIAL_CONNECT_FAILED, errno);
        if (nError != 0)
            return Fail(SERIAL_CONNECT_FAILED, nError);
    }
    const int nFlags = fcntl(m_nSocket, F_GETFL);
    fcntl(m_nSocket, F_SETFL, nFlags & ~O_NONBLOCK);
    const int nOne = 1;
    setsockopt(m_nSocket, IPPROTO_TCP, TCP_NODELAY, &nOne, sizeof(nOne));
    ApplySocketTimeouts();
    return SERIAL_OK;
}

bool CSerialComm::SendFrame(unsigned char nMsgCode, bool bFlag, const unsigned char* pRequest,
                            unsigned long nRequestLen)
{
    // Header and payload leave in one send so that a frame is one segment on the wire.
    const size_t nFrameLen = FRAME_HEADER_SIZE + nRequestLen;
    if (m_arrSendBuffer.size() < nFrameLen)
        m_arrSendBuffer.resize(nFrameLen);
    unsigned char* p = m_arrSendBuffer.data();
    p[0] = FRAME_MAGIC_0;
    p[1] = FRAME_MAGIC_1;
    p[2] = nMsgCode;
    p[3] = bFlag ? 1 : 0;
    p[4] = static_cast<unsigned char>(nRequestLen >> 8);
    p[5] = static_cast<unsigned char>(nRequestLen & 0xFF);
    if (nRequestLen > 0)
        std::memcpy(p + FRAME_HEADER_SIZE, pRequest, nRequestLen);
    ssize_t nSent;
    do
    {
        nSent = send(m_nSocket, p, nFrameLen, MSG_NOSIGNAL);
    } while (nSent < 0 && errno == EINTR);
    if (nSent >= 0 && static_cast<size_t>(nSent) != nFrameLen)
        errno = 0; // a short send has no system cause of its own
    return nSent >= 0 && static_cast<size_t>(nSent) == nFrameLen;
}

unsigned long CSerialComm::ReceiveReply(unsigned char nMsgCode, unsigned char* pReply,
                                        unsigned long nReplyCapacity, unsigned long* pReplyLen)
{
    const int64_t nDeadline = NowMs() + m_nReplyTimeoutMs;
    // Room for the largest reply the caller accepts; a longer one is refused as
    // soon as its header is in, so reading more is never needed.
    const size_t nRoom = FRAME_HEADER_SIZE + nReplyCapacity;
    if (m_arrReceiveBuffer.size() < nRoom)
        m_arrReceiveBuffer.resize(nRoom);
    unsigned char* p = m_arrReceiveBuffer.data();
    size_t nHave = 0;
    size_t nNeed = FRAME_HEADER_SIZE;
    bool bFirst = true;
    while (nHave < nNeed)
    {
        if (!bFirst)
        {
            const int64_t nLeft = nDeadline - NowMs();
            if (nLeft <= 0)
                return Fail(SERIAL_TIMEOUT, ETIMEDOUT);
            pollfd pfd{m_nSocket, POLLIN, 0};
            const int nReady = poll(&pfd, 1, static_cast<int>(nLeft));
            if (nReady < 0 && errno == EINTR)
                continue;
            if (nReady <= 0)
                return Fail(SERIAL_TIMEOUT, nReady == 0 ? ETIMEDOUT : errno);
        }
        bFirst = false;
        const ssize_t nGot = recv(m_nSocket, p + nHave, nRoom - nHave, 0);
        if (nGot < 0)
        {
            if (errno == EINTR)
                continue;
            return Fail(SERIAL_TIMEOUT, errno == EAGAIN ? ETIMEDOUT : errno);
        }
        if (nGot == 0)
            return Fail(SERIAL_TIMEOUT, 0); // the panel closed the connection mid-reply
        const bool bHadHeader = nHave >= FRAME_HEADER_SIZE;
        nHave += static_cast<size_t>(nGot);
        if (!bHadHeader && nHave >= FRAME_HEADER_SIZE)
        {
            if (p[0] != FRAME_MAGIC_0 || p[1] != FRAME_MAGIC_1)
                return Fail(SERIAL_WRONG_FORMAT, 0);
            if (p[2] != nMsgCode)
                return Fail(SERIAL_WRONG_CODE, 0);
            if (p[3] != 0)
                return Fail(p[3], 0);
            const unsigned long nPayload = (static_cast<unsigned long>(p[4]) << 8) | p[5];
            if (nPayload > nReplyCapacity)
                return Fail(SERIAL_WRONG_LENGTH, 0);
            nNeed = FRAME_HEADER_SIZE + nPayload;
        }
    }
    const unsigned long nPayload = static_cast<unsigned long>(nNeed - FRAME_HEADER_SIZE);
    if (nPayload > 0)
        std::memcpy(pReply, p + FRAME_HEADER_SIZE, nPayload);
    if (pReplyLen)
        *pReplyLen = nPayload;
    return SERIAL_OK;
}

unsigned long
CSerialComm::ProccessMsgCode_NoThread(unsigned char nMsgCode, bool bFlag, unsigned char* pRequest,
                                      unsigned long nRequestLen, unsigned char* pReply,
                                      unsigned long nReplyCapacity, unsigned long* pReplyLen)
{
    if (nRequestLen > FRAME_MAX_PAYLOAD || (nRequestLen > 0 && !pRequest))
        return Fail(SERIAL_BAD_ARGUMENT, 0);
    if (!pReply)
        nReplyCapacity = 0;
    if (m_nSocket < 0)
    {
        const unsigned long nResult = Connect();
        if (nResult != SERIAL_OK)
            return nResult;
    }
    if (!SendFrame(nMsgCode, bFlag, pRequest, nRequestLen))
        return Fail(SERIAL_SEND_FAILED, errno);
    return ReceiveReply(nMsgCode, pReply, nReplyCapacity, pReplyLen);
}
