#include "Connection.h"

#include "CFrameReader.h"
#include "CPanelSession.h"
#include "SimLog.h"

#include <cerrno>
#include <sys/socket.h>

namespace
{
bool SendAll(int nFd, const uint8_t* p, size_t n)
{
    while (n > 0)
    {
        const ssize_t nSent = send(nFd, p, n, MSG_NOSIGNAL);
        if (nSent < 0 && errno == EINTR)
            continue;
        if (nSent <= 0)
            return false;
        p += nSent;
        n -= static_cast<size_t>(nSent);
    }
    return true;
}

bool IsEvery(long nCount, int nEvery)
{
    return nEvery > 0 && nCount % nEvery == 0;
}
} // namespace

void RunConnection(int nFd, int nId, CSimContext& context)
{
    const CSimSettings& settings = context.m_settings;
    CFrameReader reader(nFd);
    CPanelSession session(context);
    CReplyBuffer reply;
    long nRequest = 0;
    for (;;)
    {
        uint8_t nMsg = 0, nFlags = 0;
        const uint8_t* pPayload = nullptr;
        size_t nLength = 0;
        const CFrameReader::EStatus eStatus = reader.Next(nMsg, nFlags, pPayload, nLength);
        if (eStatus == CFrameReader::EStatus::BadMagic)
        {
            SIM_LOG("connection %d: request without the frame magic, closing", nId);
            return;
        }
        if (eStatus != CFrameReader::EStatus::Frame || context.m_stop.IsStopped())
            return;
        ++nRequest;
        const int nSub = CPanelSession::SubCommandOf(nMsg, pPayload, nLength);
        if (IsEvery(nRequest, settings.m_nNoReplyEvery))
        {
            SIM_VERBOSE("connection %d: message %u sub %d, %zu bytes -> no reply (fault)", nId,
                        nMsg, nSub, nLength);
            continue;
        }
        session.Answer(nMsg, pPayload, nLength, reply);
        SIM_VERBOSE("connection %d: message %u sub %d, %zu bytes -> result %u, %zu bytes", nId,
                    nMsg, nSub, nLength, reply.Frame()[3], reply.PayloadSize());
        if (settings.m_nDelayMs > 0 && !context.m_stop.WaitMs(settings.m_nDelayMs))
            return;
        if (IsEvery(nRequest, settings.m_nCloseMidReplyEvery))
        {
            SIM_VERBOSE("connection %d: closing mid-reply (fault)", nId);
            SendAll(nFd, reply.Frame(), reply.FrameSize() / 2);
            return;
        }
        if (!SendAll(nFd, reply.Frame(), reply.FrameSize()))
            return;
    }
}
