#include "CHostilePanel.h"

#include "../../tools/panelsim/CardNames.h"
#include "support/SocketIo.h"

#include <algorithm>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr unsigned char MSG_PANEL_INFO = 18;
constexpr unsigned char MSG_FILE_CMD = 143;
constexpr size_t BLOCK_BYTES = 254;

// A file-command panel (type 186) at revision j1, build 100: accepted, reads
// files through the file commands and may view their data.
std::vector<unsigned char> PanelInfo()
{
    std::vector<unsigned char> arrInfo(52, 0);
    arrInfo[0] = 186;
    arrInfo[4] = 'j';
    arrInfo[5] = 1;
    arrInfo[48] = 100;
    return arrInfo;
}

void AppendBigEndian(std::vector<unsigned char>& arr, uint32_t n, int nBytes)
{
    for (int i = nBytes - 1; i >= 0; --i)
        arr.push_back(static_cast<unsigned char>(n >> (8 * i)));
}

void AppendLittleEndian32(std::vector<unsigned char>& arr, uint64_t n)
{
    for (int i = 0; i < 4; ++i)
        arr.push_back(static_cast<unsigned char>(n >> (8 * i)));
}

// A listing record: name, 0, size, 14:30:00 on 4 December 2026.
std::vector<unsigned char> EntryRecord(const std::string& strName, uint32_t nSize)
{
    std::vector<unsigned char> arr = {7};
    arr.insert(arr.end(), strName.begin(), strName.end());
    arr.push_back(0);
    AppendBigEndian(arr, nSize, 4);
    arr.insert(arr.end(), {14, 30, 0, 4, 12});
    AppendBigEndian(arr, 2026, 2);
    return arr;
}

int64_t OrContentSize(int64_t n, const SHostileFile& file)
{
    return n >= 0 ? n : static_cast<int64_t>(file.strContent.size());
}

bool WaitReadable(int nSocket, int nTimeoutMs)
{
    pollfd pfd{nSocket, POLLIN, 0};
    return poll(&pfd, 1, nTimeoutMs) > 0 && (pfd.revents & POLLIN) != 0;
}
} // namespace

CHostilePanel::CHostilePanel(SHostileScript script) : m_script(std::move(script))
{
    m_nListen = BindLoopbackSocket(SOCK_STREAM, m_nPort);
    listen(m_nListen, 4);
    m_thread = std::thread([this] { Serve(); });
}

CHostilePanel::~CHostilePanel()
{
    m_bStop = true;
    m_thread.join();
    close(m_nListen);
}

void CHostilePanel::Serve()
{
    while (!m_bStop)
    {
        if (!WaitReadable(m_nListen, 50))
            continue;
        const int nSocket = accept(m_nListen, nullptr, nullptr);
        if (nSocket < 0)
            continue;
        ServeConnection(nSocket);
        close(nSocket);
    }
}

void CHostilePanel::ServeConnection(int nSocket)
{
    while (!m_bStop)
    {
        if (!WaitReadable(nSocket, 50))
            continue;
        unsigned char arrHeader[6];
        if (!ReceiveAll(nSocket, arrHeader, sizeof(arrHeader)))
            return;
        std::vector<unsigned char> arrRequest(
            static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
        if (!ReceiveAll(nSocket, arrRequest.data(), arrRequest.size()))
            return;
        ++m_nRequests;
        const std::vector<unsigned char> arrPayload = Answer(arrHeader[2], arrRequest);
        std::vector<unsigned char> arrFrame = {0x50,
                                               0x4C,
                                               arrHeader[2],
                                               0,
                                               static_cast<unsigned char>(arrPayload.size() >> 8),
                                               static_cast<unsigned char>(arrPayload.size())};
        arrFrame.insert(arrFrame.end(), arrPayload.begin(), arrPayload.end());
        if (!SendAll(nSocket, arrFrame.data(), arrFrame.size()))
            return;
    }
}

std::vector<unsigned char> CHostilePanel::Answer(unsigned char nCode,
                                                 const std::vector<unsigned char>& arrRequest)
{
    if (nCode == MSG_PANEL_INFO)
        return PanelInfo();
    if (nCode == MSG_FILE_CMD && !arrRequest.empty())
        return AnswerFileCmd(arrRequest);
    return {};
}

std::vector<unsigned char>
CHostilePanel::AnswerFileCmd(const std::vector<unsigned char>& arrRequest)
{
    const unsigned char nSub = arrRequest[0];
    // The text after the sub-command (and after the mode byte of an open), to its 0.
    auto nameAt = [&arrRequest](size_t nStart)
    {
        std::string str;
        for (size_t i = nStart; i < arrRequest.size() && arrRequest[i] != 0; ++i)
            str += static_cast<char>(arrRequest[i]);
        return str;
    };
    switch (nSub)
    {
    case 6: // list open
        m_strPattern = nameAt(1);
        m_nListNext = 0;
        return {6};
    case 7:
        return NextListEntry();
    case 3: // open: mode byte, name
    {
        const std::string strName = nameAt(2);
        m_pOpen = nullptr;
        for (const SHostileFile& file : m_script.arrFiles)
        {
            if (file.strName == strName)
                m_pOpen = &file;
        }
        m_nPosition = 0;
        m_nBlocksSent = 0;
        return {3};
    }
    case 2: // seek: offset (little-endian), origin
    {
        std::vector<unsigned char> arr = {2};
        uint64_t nOffset = 0;
        for (size_t i = 0; i < 4 && 1 + i < arrRequest.size(); ++i)
            nOffset |= static_cast<uint64_t>(arrRequest[1 + i]) << (8 * i);
        const bool bFromEnd = arrRequest.size() > 5 && arrRequest[5] == 1;
        if (m_pOpen != nullptr)
            m_nPosition = bFromEnd
                              ? static_cast<uint64_t>(OrContentSize(m_pOpen->nOpenSize, *m_pOpen))
                              : nOffset;
        AppendLittleEndian32(arr, m_nPosition);
        return arr;
    }
    case 0:
        return NextBlock();
    default: // reset, close, list close and the rest: acknowledged
        return {nSub};
    }
}

std::vector<unsigned char> CHostilePanel::NextListEntry()
{
    if (m_script.bEndlessListing)
    {
        const size_t n = m_nListNext++;
        return EntryRecord("LOG" + std::to_string(n) + ".CSV", 100);
    }
    while (m_nListNext < m_script.arrFiles.size())
    {
        const SHostileFile& file = m_script.arrFiles[m_nListNext++];
        if (CardNames::MatchFatPattern(m_strPattern, file.strName))
            return EntryRecord(file.strName,
                               static_cast<uint32_t>(OrContentSize(file.nListedSize, file)));
    }
    return {7};
}

std::vector<unsigned char> CHostilePanel::NextBlock()
{
    if (m_nBlocksSent++ > 0 && m_script.nReadDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_script.nReadDelayMs));
    std::vector<unsigned char> arr = {0};
    if (m_pOpen == nullptr || m_pOpen->strContent.empty())
        return arr;
    const std::string& strContent = m_pOpen->strContent;
    if (m_pOpen->bEndless)
    {
        for (size_t i = 0; i < BLOCK_BYTES; ++i)
            arr.push_back(
                static_cast<unsigned char>(strContent[(m_nPosition + i) % strContent.size()]));
        m_nPosition += BLOCK_BYTES;
        return arr;
    }
    const uint64_t nEnd = std::min<uint64_t>(
        strContent.size(), static_cast<uint64_t>(OrContentSize(m_pOpen->nDeliverBytes, *m_pOpen)));
    if (m_nPosition >= nEnd)
        return arr;
    const uint64_t nCount = std::min<uint64_t>(BLOCK_BYTES, nEnd - m_nPosition);
    arr.insert(arr.end(), strContent.begin() + static_cast<std::ptrdiff_t>(m_nPosition),
               strContent.begin() + static_cast<std::ptrdiff_t>(m_nPosition + nCount));
    m_nPosition += nCount;
    return arr;
}

CEndlessTftpServer::CEndlessTftpServer(int nMaxBlocks) : m_nMaxBlocks(nMaxBlocks)
{
    m_nSocket = BindLoopbackSocket(SOCK_DGRAM, m_nPort);
    m_thread = std::thread([this] { Serve(); });
}

CEndlessTftpServer::~CEndlessTftpServer()
{
    m_bStop = true;
    m_thread.join();
    close(m_nSocket);
}

void CEndlessTftpServer::Serve()
{
    sockaddr_in client{};
    socklen_t nLen = sizeof(client);
    unsigned char arrPacket[1024];
    // The read request on the well-known port.
    while (!m_bStop)
    {
        if (!WaitReadable(m_nSocket, 50))
            continue;
        nLen = sizeof(client);
        const ssize_t n = recvfrom(m_nSocket, arrPacket, sizeof(arrPacket), 0,
                                   reinterpret_cast<sockaddr*>(&client), &nLen);
        if (n >= 2 && arrPacket[1] == 1)
            break;
    }
    // The transfer from its own port: block after block, each once acknowledged.
    int nPort = 0;
    const int nTransfer = BindLoopbackSocket(SOCK_DGRAM, nPort);
    for (int nBlock = 1; !m_bStop && nBlock <= m_nMaxBlocks; ++nBlock)
    {
        unsigned char arrData[4 + 512];
        arrData[0] = 0;
        arrData[1] = 3;
        arrData[2] = static_cast<unsigned char>(nBlock >> 8);
        arrData[3] = static_cast<unsigned char>(nBlock);
        std::fill(arrData + 4, arrData + sizeof(arrData),
                  static_cast<unsigned char>('A' + nBlock % 26));
        sendto(nTransfer, arrData, sizeof(arrData), 0, reinterpret_cast<sockaddr*>(&client), nLen);
        ++m_nBlocksSent;
        if (!WaitReadable(nTransfer, 2000))
            break;
        const ssize_t n = recv(nTransfer, arrPacket, sizeof(arrPacket), 0);
        if (n >= 2 && arrPacket[1] == 5)
        {
            m_bSawError = true;
            break;
        }
    }
    close(nTransfer);
}
