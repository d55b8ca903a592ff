#include "CTftpTransfer.h"

#include "CardNames.h"
#include "SimLog.h"
#include "SocketUtil.h"
#include "TftpPacket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
bool SameEndpoint(const sockaddr_in& a, const sockaddr_in& b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

std::string EndpointText(const sockaddr_in& addr)
{
    char szAddress[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &addr.sin_addr, szAddress, sizeof szAddress);
    return StrFormat("%s:%d", szAddress, ntohs(addr.sin_port));
}
} // namespace

CTftpTransfer::CTftpTransfer(CSimContext& context, CTftpDropCounter& drops,
                             const sockaddr_in& local, const sockaddr_in& peer,
                             std::vector<uint8_t> arrRequest)
    : m_context(context), m_drops(drops), m_local(local), m_peer(peer),
      m_arrRequest(std::move(arrRequest))
{
    m_arrIn.resize(65536);
    m_arrOut.reserve(4 + Tftp::nBlockSize);
}

CTftpTransfer::~CTftpTransfer()
{
    if (m_nFd >= 0)
        close(m_nFd);
}

void CTftpTransfer::Run()
{
    sockaddr_in local = m_local;
    local.sin_port = 0; // a fresh transfer port
    std::string strError;
    m_nFd = BindSocket(SOCK_DGRAM, local, strError);
    if (m_nFd < 0)
    {
        SIM_LOG("tftp: %s", strError.c_str());
        return;
    }
    std::string strName, strMode;
    if (!Tftp::ParseRequest(m_arrRequest.data(), m_arrRequest.size(), strName, strMode))
    {
        SendError(Tftp::nErrIllegal, "Illegal TFTP operation");
        return;
    }
    const bool bWrite = Tftp::Opcode(m_arrRequest.data(), m_arrRequest.size()) == Tftp::nOpWrq;
    SIM_VERBOSE("tftp: %s '%s' mode %s from %s", bWrite ? "WRQ" : "RRQ", strName.c_str(),
                strMode.c_str(), EndpointText(m_peer).c_str());
    const CSimSettings& settings = m_context.m_settings;
    if (settings.m_bTftpError)
    {
        SendError(static_cast<uint16_t>(settings.m_nTftpErrorCode), settings.m_strTftpErrorMessage);
        return;
    }
    // Bytes are served unchanged, so only binary transfers are honest.
    if (!EqualsNoCase(strMode, "octet"))
    {
        SendError(Tftp::nErrUndefined, "only octet mode");
        return;
    }
    if (!CardNames::IsSafeCardName(strName) || CardNames::IsTempName(strName))
    {
        SendError(Tftp::nErrAccess, "Access violation");
        return;
    }
    if (bWrite)
        ServeWrite(strName);
    else
        ServeRead(strName);
}

bool CTftpTransfer::Send(const std::vector<uint8_t>& arrPacket)
{
    if (m_drops.ShouldDrop())
    {
        SIM_VERBOSE("tftp: dropping an outgoing packet (fault)");
        return true;
    }
    const ssize_t n = sendto(m_nFd, arrPacket.data(), arrPacket.size(), 0,
                             reinterpret_cast<const sockaddr*>(&m_peer), sizeof m_peer);
    return n == static_cast<ssize_t>(arrPacket.size());
}

void CTftpTransfer::SendError(uint16_t nCode, const std::string& strMessage)
{
    SIM_VERBOSE("tftp: ERROR %u %s to %s", nCode, strMessage.c_str(), EndpointText(m_peer).c_str());
    Tftp::BuildError(m_arrOut, nCode, strMessage);
    Send(m_arrOut);
}

bool CTftpTransfer::PeerSentError() const
{
    return Tftp::Opcode(m_arrIn.data(), m_nIn) == Tftp::nOpError;
}

CTftpTransfer::EWait CTftpTransfer::WaitFromPeer(Clock::time_point tmDeadline)
{
    for (;;)
    {
        const auto nLeft =
            std::chrono::duration_cast<std::chrono::milliseconds>(tmDeadline - Clock::now())
                .count();
        if (nLeft <= 0)
            return EWait::Timeout;
        pollfd arrPoll[2] = {{m_nFd, POLLIN, 0}, {m_context.m_stop.Fd(), POLLIN, 0}};
        const int nReady = poll(arrPoll, 2, static_cast<int>(nLeft));
        if (m_context.m_stop.IsStopped())
            return EWait::Abort;
        if (nReady < 0 && errno != EINTR)
            return EWait::Abort;
        if (nReady <= 0 || !(arrPoll[0].revents & POLLIN))
            continue;
        // The buffer keeps its full size; m_nIn is what this packet holds.
        sockaddr_in from{};
        socklen_t nFromLen = sizeof from;
        const ssize_t n = recvfrom(m_nFd, m_arrIn.data(), m_arrIn.size(), 0,
                                   reinterpret_cast<sockaddr*>(&from), &nFromLen);
        if (n < 0)
        {
            if (errno == EINTR || errno == EAGAIN || errno == ECONNREFUSED)
                continue;
            return EWait::Abort;
        }
        m_nIn = static_cast<size_t>(n);
        if (!SameEndpoint(from, m_peer))
        {
            // Someone else's packet: tell them, and keep serving our peer.
            std::vector<uint8_t> arrError;
            Tftp::BuildError(arrError, Tftp::nErrUnknownTid, "Unknown transfer ID");
            if (!m_drops.ShouldDrop())
                sendto(m_nFd, arrError.data(), arrError.size(), 0,
                       reinterpret_cast<const sockaddr*>(&from), sizeof from);
            continue;
        }
        return EWait::Packet;
    }
}

void CTftpTransfer::ServeRead(const std::string& strName)
{
    int nFileFd = -1;
    switch (m_context.m_card.OpenForRead(strName, nFileFd))
    {
    case ECardOutcome::Done:
        break;
    case ECardOutcome::NotFound:
        SendError(Tftp::nErrNotFound, "File not found");
        return;
    default:
        SendError(Tftp::nErrAccess, "Access violation");
        return;
    }
    uint8_t arrBlock[Tftp::nBlockSize];
    uint16_t nBlock = 1; // wraps from 65535 to 0, so any size works
    int64_t nOffset = 0;
    for (;;)
    {
        ssize_t nRead;
        do
            nRead = pread(nFileFd, arrBlock, sizeof arrBlock, nOffset);
        while (nRead < 0 && errno == EINTR);
        if (nRead < 0)
        {
            SendError(Tftp::nErrUndefined, "Read error");
            break;
        }
        Tftp::BuildData(m_arrOut, nBlock, arrBlock, static_cast<size_t>(nRead));
        bool bAcked = false;
        bool bAbort = false;
        for (int nSend = 0; nSend <= nMaxResends && !bAcked && !bAbort; ++nSend)
        {
            Send(m_arrOut);
            const Clock::time_point tmDeadline =
                Clock::now() + std::chrono::milliseconds(nTimeoutMs);
            for (;;)
            {
                const EWait eWait = WaitFromPeer(tmDeadline);
                if (eWait == EWait::Timeout)
                    break;
                if (eWait == EWait::Abort || PeerSentError())
                {
                    bAbort = true;
                    break;
                }
                // A duplicate or stale ACK is ignored: resending here would
                // double every later block (the Sorcerer's Apprentice fault).
                if (m_nIn >= 4 && Tftp::Opcode(m_arrIn.data(), m_nIn) == Tftp::nOpAck &&
                    Tftp::Get16(m_arrIn.data() + 2) == nBlock)
                {
                    bAcked = true;
                    break;
                }
            }
        }
        if (!bAcked)
        {
            if (!bAbort)
                SIM_LOG("tftp: read of '%s' given up, block %u not acknowledged", strName.c_str(),
                        nBlock);
            break;
        }
        if (static_cast<size_t>(nRead) < Tftp::nBlockSize)
        {
            SIM_VERBOSE("tftp: sent '%s', %lld bytes", strName.c_str(),
                        static_cast<long long>(nOffset + nRead));
            break;
        }
        nOffset += nRead;
        ++nBlock;
    }
    close(nFileFd);
}

void CTftpTransfer::ServeWrite(const std::string& strName)
{
    const CCardFolder& card = m_context.m_card;
    std::string strExisting;
    int nExistingFd = -1;
    if (card.Resolve(strName, strExisting) == ECardOutcome::Done &&
        card.OpenForRead(strExisting, nExistingFd) != ECardOutcome::Done)
    {
        SendError(Tftp::nErrAccess, "Access violation"); // a folder of that name
        return;
    }
    if (nExistingFd >= 0)
        close(nExistingFd);
    std::string strTemp;
    const int nTempFd = card.CreateTemp(strTemp);
    if (nTempFd < 0)
    {
        SendError(Tftp::nErrAccess, "Access violation");
        return;
    }
    std::vector<uint8_t> arrLastAck;
    Tftp::BuildAck(arrLastAck, 0);
    uint16_t nExpected = 1;
    int64_t nTotal = 0;
    bool bComplete = false;
    bool bFailed = false;
    int nResends = 0;
    Send(arrLastAck);
    Clock::time_point tmDeadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (!bComplete && !bFailed)
    {
        const EWait eWait = WaitFromPeer(tmDeadline);
        if (eWait == EWait::Abort)
        {
            bFailed = true;
            break;
        }
        if (eWait == EWait::Timeout)
        {
            if (++nResends > nMaxResends)
            {
                SIM_LOG("tftp: write of '%s' given up, no block %u", strName.c_str(), nExpected);
                bFailed = true;
                break;
            }
            Send(arrLastAck);
            tmDeadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
            continue;
        }
        if (PeerSentError())
        {
            bFailed = true;
            break;
        }
        if (m_nIn < 4 || Tftp::Opcode(m_arrIn.data(), m_nIn) != Tftp::nOpData)
            continue;
        const size_t nData = m_nIn - 4;
        if (nData > Tftp::nBlockSize)
        {
            SendError(Tftp::nErrIllegal, "Illegal TFTP operation");
            bFailed = true;
            break;
        }
        const uint16_t nBlock = Tftp::Get16(m_arrIn.data() + 2);
        if (nBlock == static_cast<uint16_t>(nExpected - 1))
        {
            Send(arrLastAck); // our ACK was lost: the sender repeated the block
            continue;
        }
        if (nBlock != nExpected)
            continue;
        for (size_t nDone = 0; nDone < nData && !bFailed;)
        {
            const ssize_t n = write(nTempFd, m_arrIn.data() + 4 + nDone, nData - nDone);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                bFailed = true;
            else
                nDone += static_cast<size_t>(n);
        }
        if (bFailed)
        {
            SendError(Tftp::nErrDiskFull, "Disk full or allocation exceeded");
            break;
        }
        nTotal += static_cast<int64_t>(nData);
        Tftp::BuildAck(arrLastAck, nBlock);
        ++nExpected;
        nResends = 0;
        tmDeadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
        if (nData < Tftp::nBlockSize)
        {
            bComplete = true;
            break;
        }
        Send(arrLastAck);
    }
    const bool bClosed = close(nTempFd) == 0;
    if (!bComplete || !bClosed)
    {
        card.DiscardTemp(strTemp);
        if (bComplete)
            SendError(Tftp::nErrDiskFull, "Disk full or allocation exceeded");
        return;
    }
    // The file is in place before the sender hears that it is done.
    if (card.CommitTemp(strTemp, strName) != ECardOutcome::Done)
    {
        SendError(Tftp::nErrAccess, "Access violation");
        return;
    }
    SIM_VERBOSE("tftp: received '%s', %lld bytes", strName.c_str(), static_cast<long long>(nTotal));
    Send(arrLastAck);
    // Linger one time-out: if that last ACK is lost the sender repeats its
    // last block, which must be acknowledged again.
    const Clock::time_point tmLinger = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (WaitFromPeer(tmLinger) == EWait::Packet)
    {
        if (m_nIn >= 4 && Tftp::Opcode(m_arrIn.data(), m_nIn) == Tftp::nOpData &&
            Tftp::Get16(m_arrIn.data() + 2) == static_cast<uint16_t>(nExpected - 1))
            Send(arrLastAck);
    }
}
