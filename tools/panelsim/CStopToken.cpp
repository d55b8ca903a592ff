#include "CStopToken.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

CStopToken::CStopToken()
{
    if (pipe2(m_arrPipe, O_CLOEXEC) != 0)
        m_arrPipe[0] = m_arrPipe[1] = -1;
}

CStopToken::~CStopToken()
{
    for (int nFd : m_arrPipe)
    {
        if (nFd >= 0)
            close(nFd);
    }
}

void CStopToken::Stop()
{
    if (m_bStopped.exchange(true))
        return;
    // The byte is never read: the pipe stays readable for every poller.
    const char c = 1;
    if (m_arrPipe[1] >= 0)
        (void)!write(m_arrPipe[1], &c, 1);
}

bool CStopToken::WaitMs(int nMs) const
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point tmEnd = Clock::now() + std::chrono::milliseconds(nMs);
    while (!m_bStopped)
    {
        const auto nLeft =
            std::chrono::duration_cast<std::chrono::milliseconds>(tmEnd - Clock::now()).count();
        if (nLeft <= 0)
            return true;
        pollfd pfd{m_arrPipe[0], POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(nLeft)) < 0 && errno != EINTR)
            return !m_bStopped;
    }
    return false;
}
