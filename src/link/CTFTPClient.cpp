#include "link/CTFTPClient.h"

#include "common/StrFormat.h"

#include <algorithm>
#include <chrono>

namespace
{
constexpr int TFTP_DOWNLOAD_RESENDS = 2; // three receives in all
constexpr int TFTP_UPLOAD_WAITS = 4;     // three resends of the same DATA
constexpr int TFTP_DUPLICATE_LIMIT = 3;  // consecutive repeats of an earlier block
constexpr size_t TFTP_FILE_BUFFER = 64 * 1024;
constexpr uint16_t TFTP_ERROR_UNKNOWN_TID = 5;

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point tmDeadline)
{
    const auto tmLeft = tmDeadline - Clock::now();
    if (tmLeft <= Clock::duration::zero())
        return 0;
    // Rounded up, so that a wait that ends with nothing has reached the deadline.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(tmLeft).count());
}
} // namespace

CTFTPClient::CTFTPClient() : m_pFileBuffer(new char[TFTP_FILE_BUFFER])
{
    m_strError.reserve(TFTP_ERROR_TEXT_MAX);
    m_packetUnknownSource.CreateError(TFTP_ERROR_UNKNOWN_TID, "Unknown transfer ID");
}

CTFTPClient::~CTFTPClient()
{
    Reset();
}

void CTFTPClient::Reset()
{
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
    m_socket.Close();
    m_bPeerFixed = false;
    m_nState = TFTP_STATE_IDLE;
}

void CTFTPClient::AddError(std::string_view strLine)
{
    const size_t nRoom = TFTP_ERROR_TEXT_MAX - 1;
    if (m_strError.empty())
    {
        m_strError.assign(strLine.substr(0, nRoom));
        return;
    }
    if (m_strError.find(strLine) != std::string::npos || m_strError.size() + 1 >= nRoom)
        return;
    // A line that does not fit is cut at the end of the room.
    m_strError.push_back('\n');
    m_strError.append(strLine.substr(0, nRoom - m_strError.size()));
}

void CTFTPClient::AddErrorPacketText(const CTFTPPacket& packet)
{
    if (!packet.IsError())
        return;
    const std::string strMessage = packet.GetErrorMessage();
    if (strMessage.size() + 10 > TFTP_ERROR_TEXT_MAX)
    {
        AddError("Can't get error.");
        return;
    }
    AddError(StrFormat("#%i:%s", static_cast<int>(packet.GetErrorCode()), strMessage.c_str()));
}

bool CTFTPClient::Connect(const std::string& strIPAddress)
{
    if (!m_socket.Open())
    {
        AddError("Could not create socket.");
        return false;
    }
    if (!UDP_ENDPOINT::Parse(strIPAddress, m_nServerPort, m_peer))
    {
        AddError("Invalid address.");
        m_socket.Close();
        return false;
    }
    m_bPeerFixed = false;
    return true;
}

bool CTFTPClient::OpenLocalFile(const std::string& strLocalPath, const char* pszMode)
{
    m_pFile = std::fopen(strLocalPath.c_str(), pszMode);
    if (!m_pFile)
    {
        AddError("Can't open file.");
        return false;
    }
    std::setvbuf(m_pFile, m_pFileBuffer.get(), _IOFBF, TFTP_FILE_BUFFER);
    return true;
}

bool CTFTPClient::CloseLocalFile()
{
    const bool bClosed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    return bClosed;
}

bool CTFTPClient::SendPacket(const CTFTPPacket& packet)
{
    if (!m_socket.IsValid())
    {
        AddError("Not connected.");
        return false;
    }
    if (packet.GetSize() < 0)
    {
        AddError("Invalid packet.");
        return false;
    }
    if (packet.GetSize() == 0)
        return true;
    const size_t nSize = static_cast<size_t>(packet.GetSize());
    return m_socket.SendTo(packet.GetData(), nSize, m_peer) == static_cast<ssize_t>(nSize);
}

// Until the server has answered, only its address is known; its first answer,
// from whatever port, fixes the peer. From then on only that address and port
// are taken.
bool CTFTPClient::AcceptSource(const UDP_ENDPOINT& from)
{
    if (m_bPeerFixed)
        return from == m_peer;
    if (from.nAddress != m_peer.nAddress)
        return false;
    m_peer = from;
    m_bPeerFixed = true;
    return true;
}

bool CTFTPClient::ReceivePacket(CTFTPPacket& packet, int nTimeoutMs)
{
    if (!m_socket.IsValid())
    {
        AddError("Not connected.");
        return false;
    }
    packet.Clear();
    const Clock::time_point tmDeadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    for (;;)
    {
        // Take what is already there before waiting: during a fast transfer
        // the next datagram has usually arrived, which saves the wait call.
        UDP_ENDPOINT from;
        const ssize_t nReceived =
            m_socket.RecvFrom(packet.GetData(), CTFTPPacket::TFTP_PACKET_MAX, from, true);
        if (nReceived == -2)
        {
            const int nWait = m_socket.WaitReadable(RemainingMs(tmDeadline));
            if (nWait < 0)
            {
                AddError("Select error.");
                return false;
            }
            if (nWait == 0 && RemainingMs(tmDeadline) == 0)
            {
                AddError("Read wait timeout.");
                return false;
            }
            continue;
        }
        if (nReceived < 0)
        {
            AddError("recv error.");
            return false;
        }
        if (!AcceptSource(from))
        {
            m_socket.SendTo(m_packetUnknownSource.GetData(),
                            static_cast<size_t>(m_packetUnknownSource.GetSize()), from);
            packet.Clear();
            if (RemainingMs(tmDeadline) == 0)
            {
                AddError("Read wait timeout.");
                return false;
            }
            continue;
        }
        if (nReceived == 0)
        {
            AddError("Connection Closed.");
            return false;
        }
        packet.SetSize(nReceived > CTFTPPacket::TFTP_PACKET_MAX ? -1 : static_cast<int>(nReceived));
        return true;
    }
}

// Waits for the ACK of nBlock. An ACK of the block before is a late or
// duplicated answer to a DATA already acknowledged: sending the DATA again for
// it would make both sides send every block twice from then on, so it is
// ignored and the wait goes on until the time-out.
CTFTPClient::EAckWait CTFTPClient::WaitForAck(uint16_t nBlock, int nTimeoutMs)
{
    const Clock::time_point tmDeadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    const uint16_t nPrevious = static_cast<uint16_t>(nBlock - 1);
    for (;;)
    {
        if (!ReceivePacket(m_packetReceived, RemainingMs(tmDeadline)))
            return ACK_MISSING;
        if (m_packetReceived.IsAck(nBlock))
            return ACK_RECEIVED;
        if (m_packetReceived.IsError())
        {
            AddErrorPacketText(m_packetReceived);
            return ACK_REFUSED;
        }
        if (!m_packetReceived.IsAck(nPrevious))
        {
            AddError("No ACK found.");
            return ACK_MISSING;
        }
    }
}

int CTFTPClient::StartTransfer(bool bDownload, const std::string& strRemoteName,
                               const std::string& strLocalPath, const std::string& strIPAddress)
{
    Reset();
    m_strError.clear();
    if (!Connect(strIPAddress))
        return TFTP_RESULT_FAILED;
    if (bDownload)
    {
        if (!OpenLocalFile(strLocalPath, "wb"))
            return TFTP_RESULT_FAILED;
        if (!m_packetLastSent.CreateRequest(TFTP_OPCODE_RRQ, strRemoteName))
        {
            AddError("Can't create write req.");
            return TFTP_RESULT_FAILED;
        }
        if (!SendPacket(m_packetLastSent))
            return TFTP_RESULT_FAILED;
        m_nState = TFTP_STATE_DOWNLOAD;
    }
    else
    {
        if (!OpenLocalFile(strLocalPath, "rb"))
            return TFTP_RESULT_FAILED;
        CTFTPPacket request;
        if (!request.CreateRequest(TFTP_OPCODE_WRQ, strRemoteName))
        {
            AddError("Can't create read req.");
            return TFTP_RESULT_FAILED;
        }
        if (!SendPacket(request) || WaitForAck(0, m_nTimeoutMs) != ACK_RECEIVED)
            return TFTP_RESULT_FAILED;
        m_nState = TFTP_STATE_UPLOAD;
    }
    m_nBlock = 1;
    m_nBytesTransferred = 0;
    m_nDuplicates = 0;
    return TFTP_RESULT_MORE;
}

int CTFTPClient::Step()
{
    if (m_nState == TFTP_STATE_DOWNLOAD)
        return StepDownload();
    if (m_nState == TFTP_STATE_UPLOAD)
        return StepUpload();
    AddError("Not started.");
    return TFTP_RESULT_FAILED;
}

// Block numbers are 16 bits on the wire. The received number is placed in the
// current round of 65536 blocks of the expected counter; a number more than
// 32767 ahead of the counter (possible only after the first rollover) is a
// late repeat from the round before. Before the first rollover this is the
// plain comparison of the two numbers. Returns <0 for an earlier block, 0 for
// the expected one, >0 for one ahead.
int CTFTPClient::CompareWithExpected(uint16_t nReceived) const
{
    const int64_t nExpected = m_nBlock;
    int64_t nFull = (nExpected & ~int64_t{0xFFFF}) | nReceived;
    if (nFull > nExpected + 32767 && nFull >= 65536)
        nFull -= 65536;
    return nFull < nExpected ? -1 : (nFull > nExpected ? 1 : 0);
}

uint64_t TftpDownloadLimit(int64_t nListedSize)
{
    if (nListedSize < 0)
        return TFTP_MAX_FILE_SIZE;
    const uint64_t nListed = static_cast<uint64_t>(nListedSize);
    return std::min(TFTP_MAX_FILE_SIZE, nListed + TFTP_GROWTH_MARGIN + nListed / 4);
}

// Both directions need the socket and the open local file.
bool CTFTPClient::ReadyToStep()
{
    if (!m_socket.IsValid())
    {
        AddError("Not connected.");
        return false;
    }
    if (!m_pFile)
    {
        AddError("File not opened.");
        return false;
    }
    return true;
}

int CTFTPClient::StepDownload()
{
    m_strError.clear();
    if (!ReadyToStep())
        return TFTP_RESULT_FAILED;

    bool bReceived = ReceivePacket(m_packetReceived, m_nTimeoutMs);
    for (int nResend = 0; !bReceived && nResend < TFTP_DOWNLOAD_RESENDS; ++nResend)
    {
        if (!SendPacket(m_packetLastSent))
            return TFTP_RESULT_FAILED;
        bReceived = ReceivePacket(m_packetReceived, m_nTimeoutMs);
    }
    if (!bReceived)
    {
        AddError("Can't get packet.");
        return TFTP_RESULT_FAILED;
    }
    const CTFTPPacket& packet = m_packetReceived;
    if (packet.IsError())
        AddErrorPacketText(packet);
    if (!packet.IsData())
    {
        AddError("Can't get data.");
        return TFTP_RESULT_FAILED;
    }
    const int nDataLen = packet.GetPayloadSize();
    if (nDataLen > CTFTPPacket::TFTP_BLOCK_SIZE)
    {
        AddError("Can't copy data.");
        return TFTP_RESULT_FAILED;
    }
    bool bLast = nDataLen < CTFTPPacket::TFTP_BLOCK_SIZE;

    const uint16_t nReceived = packet.GetBlock();
    const int nOrder = CompareWithExpected(nReceived);
    if (nOrder > 0)
    {
        AddError("Wrong packet number.");
        return TFTP_RESULT_FAILED;
    }
    if (nOrder < 0)
    {
        if (++m_nDuplicates >= TFTP_DUPLICATE_LIMIT)
        {
            m_nDuplicates = 0;
            AddError("Wrong packet number.");
            return TFTP_RESULT_FAILED;
        }
        // Only the block that was written can end the transfer.
        bLast = false;
    }
    else
    {
        m_nDuplicates = 0;
        const size_t nLen = static_cast<size_t>(nDataLen);
        if (m_nBytesTransferred + nLen > m_nSizeLimit)
        {
            // Tell the server to stop, then give up on the file.
            CTFTPPacket refusal;
            if (refusal.CreateError(3, "Disk full or allocation exceeded."))
                SendPacket(refusal);
            AddError(StrFormat("Error: The panel sent more than %llu bytes for this file.",
                               static_cast<unsigned long long>(m_nSizeLimit)));
            return TFTP_RESULT_FAILED;
        }
        if (std::fwrite(packet.GetPayload(), 1, nLen, m_pFile) < nLen)
        {
            AddError("fwrite error");
            return TFTP_RESULT_FAILED;
        }
        if (std::ferror(m_pFile))
        {
            AddError("File write error");
            return TFTP_RESULT_FAILED;
        }
        ++m_nBlock;
        m_nBytesTransferred += nLen;
    }

    if (!m_packetLastSent.CreateAck(nReceived) || !SendPacket(m_packetLastSent))
        return TFTP_RESULT_FAILED;
    if (!bLast)
        return TFTP_RESULT_MORE;
    // The stream is buffered: a write that fails only when flushed shows here.
    if (!CloseLocalFile())
    {
        AddError("File write error");
        return TFTP_RESULT_FAILED;
    }
    m_nState = TFTP_STATE_IDLE;
    return TFTP_RESULT_FINISHED;
}

int CTFTPClient::StepUpload()
{
    if (!ReadyToStep())
        return TFTP_RESULT_FAILED;

    unsigned char arrBlock[CTFTPPacket::TFTP_BLOCK_SIZE];
    size_t nLen = 0;
    if (!std::feof(m_pFile))
    {
        nLen = std::fread(arrBlock, 1, sizeof(arrBlock), m_pFile);
        if (std::ferror(m_pFile))
        {
            AddError("File read error");
            return TFTP_RESULT_FAILED;
        }
    }
    const bool bLast = nLen < sizeof(arrBlock);
    const uint16_t nBlock = static_cast<uint16_t>(m_nBlock);
    m_packetData.CreateData(nBlock, arrBlock, static_cast<int>(nLen));
    if (!SendPacket(m_packetData))
        return TFTP_RESULT_FAILED;

    for (int nWait = 1;; ++nWait)
    {
        const EAckWait eWait = WaitForAck(nBlock, m_nTimeoutMs);
        if (eWait == ACK_RECEIVED)
            break;
        // The server has ended the transfer: sending the DATA again is useless.
        if (eWait == ACK_REFUSED)
            return TFTP_RESULT_FAILED;
        if (nWait == TFTP_UPLOAD_WAITS)
        {
            AddError("No answer.");
            return TFTP_RESULT_FAILED;
        }
        if (!SendPacket(m_packetData))
            return TFTP_RESULT_FAILED;
    }

    m_nBytesTransferred += nLen;
    ++m_nBlock;
    if (!bLast)
        return TFTP_RESULT_MORE;
    CloseLocalFile();
    m_nState = TFTP_STATE_IDLE;
    return TFTP_RESULT_FINISHED;
}
