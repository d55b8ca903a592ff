#pragma once
// A panel's command channel on loopback, played by a test: it serves one
// connection after another and answers each request frame with the payload
// its answer function gives, under a correct header; no payload closes the
// connection. For replies the simulator cannot be told to send.
#include "support/CardFrame.h"
#include "support/SocketIo.h"

#include <atomic>
#include <functional>
#include <optional>
#include <poll.h>
#include <thread>

class CFramePeer
{
public:
    using CBytes = std::vector<unsigned char>;
    using FAnswer = std::function<std::optional<CBytes>(unsigned char nCode, const CBytes&)>;

    explicit CFramePeer(FAnswer answer) : m_answer(std::move(answer))
    {
        m_nListen = BindLoopbackSocket(SOCK_STREAM, m_nPort);
        listen(m_nListen, 4);
        m_thread = std::thread([this] { Serve(); });
    }
    // Answers with the given payloads in turn, then closes every connection.
    explicit CFramePeer(std::vector<CBytes> arrReplies)
        : CFramePeer(
              [arrReplies = std::move(arrReplies),
               nNext = size_t(0)](unsigned char, const CBytes&) mutable -> std::optional<CBytes> {
                  return nNext < arrReplies.size() ? std::optional(arrReplies[nNext++])
                                                   : std::nullopt;
              })
    {
    }
    ~CFramePeer()
    {
        m_bStop = true;
        m_thread.join();
        close(m_nListen);
    }
    CFramePeer(const CFramePeer&) = delete;
    CFramePeer& operator=(const CFramePeer&) = delete;

    int Port() const { return m_nPort; }
    int RequestCount() const { return m_nRequests; }

private:
    static bool WaitReadable(int nSocket)
    {
        pollfd pfd{nSocket, POLLIN, 0};
        return poll(&pfd, 1, 50) > 0 && (pfd.revents & POLLIN) != 0;
    }
    void Serve()
    {
        while (!m_bStop)
        {
            const int nSocket = WaitReadable(m_nListen) ? accept(m_nListen, nullptr, nullptr) : -1;
            if (nSocket < 0)
                continue;
            ServeConnection(nSocket);
            close(nSocket);
        }
    }
    void ServeConnection(int nSocket)
    {
        unsigned char arrHeader[6];
        CBytes arrRequest;
        while (!m_bStop)
        {
            if (!WaitReadable(nSocket))
                continue;
            if (!ReceiveAll(nSocket, arrHeader, sizeof(arrHeader)))
                return;
            arrRequest.resize(static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
            if (!ReceiveAll(nSocket, arrRequest.data(), arrRequest.size()))
                return;
            ++m_nRequests;
            const std::optional<CBytes> payload = m_answer(arrHeader[2], arrRequest);
            const CBytes arrFrame = payload ? MessageFrame(arrHeader[2], *payload) : CBytes();
            if (!payload || !SendAll(nSocket, arrFrame.data(), arrFrame.size()))
                return;
        }
    }

    FAnswer m_answer;
    int m_nListen = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nRequests{0};
    std::thread m_thread;
};
