#pragma once
// A loopback peer for the few malformed replies the simulator cannot be told
// to send (a listing record cut inside its name, a card entry cut short). It
// answers each request frame, in order, with the next scripted reply payload
// under a correct header; when the script runs out it closes the connection.
#include <atomic>
#include <thread>
#include <vector>

class CScriptedPanel
{
public:
    explicit CScriptedPanel(std::vector<std::vector<unsigned char>> arrReplies);
    ~CScriptedPanel();
    CScriptedPanel(const CScriptedPanel&) = delete;
    CScriptedPanel& operator=(const CScriptedPanel&) = delete;

    int Port() const { return m_nPort; }
    int RequestCount() const { return m_nRequests; }

private:
    void Serve();

    std::vector<std::vector<unsigned char>> m_arrReplies;
    int m_nListen = -1;
    int m_nPort = 0;
    std::atomic<int> m_nRequests{0};
    std::thread m_thread;
};
