#include "SimRawClient.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
constexpr int nWaitMs = 5000;

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

CSimRawLink::CSimRawLink(int nPort)
{
    m_nFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in addr = Loopback(nPort);
    if (m_nFd >= 0 && connect(m_nFd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
        Abort();
    const int nOn = 1;
    if (m_nFd >= 0)
        setsockopt(m_nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
}

CSimRawLink::~CSimRawLink()
{
    Abort();
}

void CSimRawLink::Abort()
{
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
}

bool CSimRawLink::SendRaw(const CBytes& arrBytes)
{
    size_t nDone = 0;
    while (m_nFd >= 0 && nDone < arrBytes.size())
    {
        const ssize_t n =
            send(m_nFd, arrBytes.data() + nDone, arrBytes.size() - nDone, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        nDone += static_cast<size_t>(n);
    }
    return m_nFd >= 0;
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

bool CSimRawLink::ReadExactly(uint8_t* p, size_t n)
{
    while (n > 0)
    {
        if (m_nFd < 0 || !WaitReadable(m_nFd, nWaitMs))
            return false;
        const ssize_t nGot = recv(m_nFd, p, n, 0);
        if (nGot <= 0)
            return false;
        p += nGot;
        n -= static_cast<size_t>(nGot);
    }
    return true;
}

CSimReply CSimRawLink::Receive()
{
    CSimReply reply;
    uint8_t arrHeader[6];
    if (!ReadExactly(arrHeader, sizeof arrHeader))
        return reply;
    reply.m_arrMagic[0] = arrHeader[0];
    reply.m_arrMagic[1] = arrHeader[1];
    reply.m_nCode = arrHeader[2];
    reply.m_nResult = arrHeader[3];
    reply.m_arrPayload.resize(static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
    reply.m_bReceived = ReadExactly(reply.m_arrPayload.data(), reply.m_arrPayload.size());
    return reply;
}

CSimReply CSimRawLink::Exchange(uint8_t nCode, const CBytes& arrPayload)
{
    if (!Send(nCode, arrPayload))
        return CSimReply();
    return Receive();
}

ssize_t CSimRawLink::ReadUntilClosed(CBytes& arrOut, size_t nMax)
{
    arrOut.clear();
    uint8_t arrBuffer[4096];
    while (m_nFd >= 0 && arrOut.size() < nMax)
    {
        if (!WaitReadable(m_nFd, nWaitMs))
            return -1;
        const ssize_t n = recv(m_nFd, arrBuffer, sizeof arrBuffer, 0);
        if (n <= 0)
            return static_cast<ssize_t>(arrOut.size());
        arrOut.insert(arrOut.end(), arrBuffer, arrBuffer + n);
    }
    return -1;
}

CSimRawTftp::CSimRawTftp(int nServerPort) : m_server(Loopback(nServerPort))
{
    m_nFd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
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

bool CSimRawTftp::Receive(CBytes& arrPacket, sockaddr_in& from, int nTimeoutMs)
{
    if (!WaitReadable(m_nFd, nTimeoutMs))
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
    CBytes arr = {static_cast<uint8_t>(nOp >> 8), static_cast<uint8_t>(nOp)};
    return WithName(WithName(arr, strName), strMode);
}

CBytes CSimRawTftp::Ack(uint16_t nBlock)
{
    return {0, 4, static_cast<uint8_t>(nBlock >> 8), static_cast<uint8_t>(nBlock)};
}

CBytes CSimRawTftp::Data(uint16_t nBlock, const std::string& strData)
{
    CBytes arr = {0, 3, static_cast<uint8_t>(nBlock >> 8), static_cast<uint8_t>(nBlock)};
    arr.insert(arr.end(), strData.begin(), strData.end());
    return arr;
}

bool CSimRawTftp::TakeError(const CBytes& arrPacket)
{
    if (Op(arrPacket) != 5)
        return false;
    m_nErrorCode = Block(arrPacket);
    m_strErrorText.clear();
    for (size_t i = 4; i < arrPacket.size() && arrPacket[i] != 0; ++i)
        m_strErrorText.push_back(static_cast<char>(arrPacket[i]));
    return true;
}

bool CSimRawTftp::ReceiveOrResend(CBytes& arrPacket, sockaddr_in& from, const sockaddr_in& to,
                                  const CBytes& arrLast)
{
    // As a real client does: resend the last packet on a time-out, a few times.
    for (int nTry = 0; nTry < 4; ++nTry)
    {
        if (Receive(arrPacket, from, 2000))
            return true;
        SendTo(to, arrLast);
    }
    m_nErrorCode = -1;
    return false;
}

bool CSimRawTftp::Get(const std::string& strName, std::string& strData, const std::string& strMode)
{
    m_nErrorCode = 0;
    strData.clear();
    CBytes arrLast = Request(1, strName, strMode);
    sockaddr_in to = m_server;
    SendTo(to, arrLast);
    uint16_t nExpected = 1;
    CBytes arrPacket;
    sockaddr_in from{};
    for (;;)
    {
        if (!ReceiveOrResend(arrPacket, from, to, arrLast))
            return false;
        if (TakeError(arrPacket))
            return false;
        if (Op(arrPacket) != 3)
            continue;
        to = from;
        if (Block(arrPacket) == nExpected)
        {
            strData.append(arrPacket.begin() + 4, arrPacket.end());
            ++nExpected;
        }
        arrLast = Ack(Block(arrPacket));
        SendTo(to, arrLast);
        if (arrPacket.size() - 4 < 512 && Block(arrPacket) == static_cast<uint16_t>(nExpected - 1))
            return true;
    }
}

bool CSimRawTftp::Put(const std::string& strName, const std::string& strData)
{
    m_nErrorCode = 0;
    CBytes arrLast = Request(2, strName, "octet");
    sockaddr_in to = m_server;
    SendTo(to, arrLast);
    CBytes arrPacket;
    sockaddr_in from{};
    uint16_t nBlock = 0;
    for (size_t nOffset = 0;; nOffset += 512)
    {
        do
        {
            if (!ReceiveOrResend(arrPacket, from, to, arrLast) || TakeError(arrPacket))
                return false;
        } while (Op(arrPacket) != 4 || Block(arrPacket) != nBlock);
        to = from;
        if (nBlock > 0 && nOffset > strData.size())
            return true;
        const std::string strChunk = strData.substr(std::min(nOffset, strData.size()), 512);
        arrLast = Data(++nBlock, strChunk);
        SendTo(to, arrLast);
        if (strChunk.size() < 512)
            nOffset = strData.size() + 512; // the ACK of this block ends the transfer
    }
}

CSimChild::CSimChild(const std::vector<std::string>& arrArgs)
{
    std::vector<std::string> arrAll = {ORVAK_PANELSIM_PATH};
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());
    int arrPipe[2];
    if (pipe(arrPipe) != 0)
        return;
    m_pid = fork();
    if (m_pid == 0)
    {
        dup2(arrPipe[1], STDOUT_FILENO);
        const int nNull = open("/dev/null", O_WRONLY);
        dup2(nNull, STDERR_FILENO);
        close(arrPipe[0]);
        close(arrPipe[1]);
        std::vector<char*> argv;
        for (std::string& strArg : arrAll)
            argv.push_back(strArg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(arrPipe[1]);
    m_nOut = arrPipe[0];
}

CSimChild::~CSimChild()
{
    if (m_pid > 0)
        SignalAndWait(SIGKILL);
    if (m_nOut >= 0)
        close(m_nOut);
}

std::string CSimChild::FirstLine()
{
    std::string strLine;
    char c = 0;
    while (m_nOut >= 0 && WaitReadable(m_nOut, 10000) && read(m_nOut, &c, 1) == 1 && c != '\n')
        strLine.push_back(c);
    return strLine;
}

std::string CSimChild::RestOfOutput()
{
    std::string strOut;
    char arrBuffer[4096];
    ssize_t n = 0;
    while (m_nOut >= 0 && WaitReadable(m_nOut, 10000) &&
           (n = read(m_nOut, arrBuffer, sizeof arrBuffer)) > 0)
        strOut.append(arrBuffer, static_cast<size_t>(n));
    return strOut;
}

int CSimChild::SignalAndWait(int nSignal)
{
    if (m_pid <= 0)
        return -1;
    kill(m_pid, nSignal);
    return Wait();
}

int CSimChild::Wait()
{
    // Bounded: a simulator that ignores its stop signal fails the test
    // instead of hanging it.
    int nStatus = -1;
    for (int i = 0; m_pid > 0 && i < 1000; ++i)
    {
        if (waitpid(m_pid, &nStatus, WNOHANG) == m_pid)
        {
            m_pid = -1;
            return nStatus;
        }
        usleep(10000);
    }
    if (m_pid > 0)
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &nStatus, 0);
        m_pid = -1;
        return -1;
    }
    return nStatus;
}
