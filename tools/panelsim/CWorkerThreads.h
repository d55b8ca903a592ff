#pragma once
// The threads of the connections or transfers of one server, each optionally
// owning a socket. Finished ones are joined (and their socket closed) when
// the server reaps them, so a descriptor number is never reused while a
// thread might still touch it.
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class CWorkerThreads
{
public:
    CWorkerThreads() = default;
    ~CWorkerThreads() { Reap(true); }
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    // Runs fnWork on a new thread; nFd (or -1) is the socket the work owns.
    void Spawn(int nFd, std::function<void()> fnWork);
    // Joins the finished threads; with bAll every thread, after shutting
    // down its socket so that a blocked receive returns.
    void Reap(bool bAll);

private:
    struct CSlot
    {
        int m_nFd = -1;
        std::thread m_thread;
        std::atomic<bool> m_bDone{false};
    };

    std::mutex m_mutex;
    std::list<std::unique_ptr<CSlot>> m_arrSlots;
};
