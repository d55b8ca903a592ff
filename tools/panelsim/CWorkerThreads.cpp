#include "CWorkerThreads.h"

#include <sys/socket.h>
#include <unistd.h>

void CWorkerThreads::Spawn(int nFd, std::function<void()> fnWork)
{
    auto pSlot = std::make_unique<CSlot>();
    CSlot* pRaw = pSlot.get();
    pRaw->m_nFd = nFd;
    std::lock_guard<std::mutex> lock(m_mutex);
    pRaw->m_thread = std::thread(
        [pRaw, fnWork = std::move(fnWork)]
        {
            fnWork();
            pRaw->m_bDone = true;
        });
    m_arrSlots.push_back(std::move(pSlot));
}

void CWorkerThreads::Reap(bool bAll)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_arrSlots.begin(); it != m_arrSlots.end();)
    {
        CSlot& slot = **it;
        if (!bAll && !slot.m_bDone)
        {
            ++it;
            continue;
        }
        if (bAll && slot.m_nFd >= 0)
            shutdown(slot.m_nFd, SHUT_RDWR);
        if (slot.m_thread.joinable())
            slot.m_thread.join();
        if (slot.m_nFd >= 0)
            close(slot.m_nFd);
        it = m_arrSlots.erase(it);
    }
}
