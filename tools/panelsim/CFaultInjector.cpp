#include "CFaultInjector.h"

CFaultInjector::CFaultInjector(const CSimSettings& settings)
    : m_settings(settings),
      m_arrFailAfterCounts(new std::atomic<long>[settings.m_arrFailAfter.size() + 1])
{
    for (size_t i = 0; i <= settings.m_arrFailAfter.size(); ++i)
        m_arrFailAfterCounts[i] = 0;
}

uint8_t CFaultInjector::ForcedResult(int nMsg, int nSub)
{
    for (const CFailRule& rule : m_settings.m_arrFail)
    {
        if (rule.Matches(nMsg, nSub))
            return static_cast<uint8_t>(rule.m_nValue);
    }
    uint8_t nResult = 0;
    for (size_t i = 0; i < m_settings.m_arrFailAfter.size(); ++i)
    {
        const CFailRule& rule = m_settings.m_arrFailAfter[i];
        if (rule.Matches(nMsg, nSub) && ++m_arrFailAfterCounts[i] > rule.m_nValue)
            nResult = Wire::nResultFileSystem;
    }
    return nResult;
}

void CFaultInjector::MalformReply(uint8_t nMsg, CReplyBuffer& reply) const
{
    uint8_t* pFrame = reply.Frame();
    const bool bSuccess = pFrame[3] == Wire::nResultOk;
    switch (m_settings.m_eMalform)
    {
    case EMalform::Magic:
        pFrame[0] = 0;
        pFrame[1] = 0;
        break;
    case EMalform::Code:
        pFrame[2] = static_cast<uint8_t>(nMsg + 1);
        break;
    case EMalform::ShortCard:
        if (nMsg == Wire::nMsgCard && bSuccess && reply.PayloadSize() > 3)
        {
            reply.ResizePayload(3);
            Wire::PutBe16(reply.Frame() + 4, 3);
        }
        break;
    case EMalform::Oversize:
        if (nMsg == Wire::nMsgFile && bSuccess && reply.PayloadSize() < 300)
        {
            reply.ResizePayload(300);
            Wire::PutBe16(reply.Frame() + 4, 300);
        }
        break;
    case EMalform::ShortEntry: // cut by the file command handler, which knows the record
    case EMalform::None:
        break;
    }
}
