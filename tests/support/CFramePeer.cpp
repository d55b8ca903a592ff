#include "CFramePeer.h"

#include "support/SocketIo.h"

#include <memory>
#include <poll.h>
#include <unistd.h>

namespace
{
bool WaitReadable(int nSocket)
{
    pollfd pfd{nSocket, POLLIN, 0};
    return poll(&pfd, 1, 50) > 0 && (pfd.revents & POLLIN) != 0;
}
} // namespace

CFramePeer::CFramePeer(FAnswer answer) : m_answer(std::move(answer))
{
    m_nListen = BindLoopbackSocket(SOCK_STREAM, m_nPort);
    listen(m_nListen, 4);
    m_thread = std::thread([this] { Serve(); });
}

CFramePeer::CFramePeer(std::vector<CBytes> arrReplies)
    : CFramePeer(
          [arrReplies = std::move(arrReplies), pNext = std::make_shared<size_t>(0)](
              unsigned char, const CBytes&) -> std::optional<CBytes>
          {
              if (*pNext >= arrReplies.size())
                  return std::nullopt;
              return arrReplies[(*pNext)++];
          })
{
}

CFramePeer::~CFramePeer()
{
    m_bStop = true;
    m_thread.join();
    close(m_nListen);
}

void CFramePeer::Serve()
{
    while (!m_bStop)
    {
        if (!WaitReadable(m_nListen))
            continue;
        const int nSocket = accept(m_nListen, nullptr, nullptr);
        if (nSocket < 0)
            continue;
        ServeConnection(nSocket);
        close(nSocket);
    }
}

void CFramePeer::ServeConnection(int nSocket)
{
    while (!m_bStop)
    {
        if (!WaitReadable(nSocket))
            continue;
        unsigned char arrHeader[6];
        if (!ReceiveAll(nSocket, arrHeader, sizeof(arrHeader)))
            return;
        CBytes arrRequest(static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
        if (!ReceiveAll(nSocket, arrRequest.data(), arrRequest.size()))
            return;
        ++m_nRequests;
        const std::optional<CBytes> payload = m_answer(arrHeader[2], arrRequest);
        if (!payload)
            return;
        CBytes arrFrame = {0x50,
                           0x4C,
                           arrHeader[2],
                           0,
                           static_cast<unsigned char>(payload->size() >> 8),
                           static_cast<unsigned char>(payload->size())};
        arrFrame.insert(arrFrame.end(), payload->begin(), payload->end());
        if (!SendAll(nSocket, arrFrame.data(), arrFrame.size()))
            return;
    }
}
