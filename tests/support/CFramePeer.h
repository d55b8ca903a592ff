#pragma once
// A panel's command channel on loopback, played by a test: it serves one
// connection after another and answers each request frame with the payload
// its answer function gives, under a correct header; no payload closes the
// connection. For replies the simulator cannot be told to send.
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

class CFramePeer
{
public:
    using CBytes = std::vector<unsigned char>;
    using FAnswer = std::function<std::optional<CBytes>(unsigned char nCode, const CBytes&)>;

    explicit CFramePeer(FAnswer answer);
    // Answers with the given payloads in turn, then closes every connection.
    explicit CFramePeer(std::vector<CBytes> arrReplies);
    ~CFramePeer();
    CFramePeer(const CFramePeer&) = delete;
    CFramePeer& operator=(const CFramePeer&) = delete;

    int Port() const { return m_nPort; }
    int RequestCount() const { return m_nRequests; }

private:
    void Serve();
    void ServeConnection(int nSocket);

    FAnswer m_answer;
    int m_nListen = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nRequests{0};
    std::thread m_thread;
};
