#pragma once
// The one "stop now" signal of the process. Waiting threads either poll its
// descriptor together with their sockets or sleep through WaitMs, so that
// SIGINT and SIGTERM end every loop promptly.
#include <atomic>

class CStopToken
{
public:
    CStopToken();
    ~CStopToken();
    CStopToken(const CStopToken&) = delete;
    CStopToken& operator=(const CStopToken&) = delete;

    void Stop();
    bool IsStopped() const { return m_bStopped; }
    // Readable once Stop has been called.
    int Fd() const { return m_arrPipe[0]; }
    // Sleeps nMs milliseconds; false when stopped before or during the wait.
    bool WaitMs(int nMs) const;

private:
    int m_arrPipe[2] = {-1, -1};
    std::atomic<bool> m_bStopped{false};
};
