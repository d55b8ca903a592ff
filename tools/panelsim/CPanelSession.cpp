#include "CPanelSession.h"

#include "PanelInfo.h"

CPanelSession::CPanelSession(CSimContext& context)
    : m_context(context), m_fileCmds(context.m_card, context.m_settings),
      m_cardCmds(context.m_card, context.m_settings)
{
}

int CPanelSession::SubCommandOf(uint8_t nMsg, const uint8_t* pPayload, size_t nLength)
{
    if (nMsg == Wire::nMsgFile && nLength >= 1)
        return pPayload[0];
    if (nMsg == Wire::nMsgCard && nLength >= 4)
        return pPayload[3];
    return -1;
}

void CPanelSession::Answer(uint8_t nMsg, const uint8_t* pPayload, size_t nLength,
                           CReplyBuffer& reply)
{
    reply.Reset();
    uint8_t nResult = m_context.m_faults.ForcedResult(nMsg, SubCommandOf(nMsg, pPayload, nLength));
    if (nResult == Wire::nResultOk)
        nResult = Dispatch(nMsg, pPayload, nLength, reply);
    if (nResult != Wire::nResultOk || reply.PayloadSize() > Wire::nMaxPayload)
        reply.ResizePayload(0);
    Wire::PutHeader(reply.Frame(), nMsg, nResult, static_cast<uint16_t>(reply.PayloadSize()));
    m_context.m_faults.MalformReply(nMsg, reply);
}

uint8_t CPanelSession::Dispatch(uint8_t nMsg, const uint8_t* pPayload, size_t nLength,
                                CReplyBuffer& reply)
{
    switch (nMsg)
    {
    case Wire::nMsgPanelInfo:
        AppendPanelInfo(m_context.m_settings, reply);
        return Wire::nResultOk;
    case Wire::nMsgFile:
        if (nLength < 1)
            return Wire::nResultWrongLength;
        return m_fileCmds.Handle(pPayload, nLength, reply);
    case Wire::nMsgCard:
        return m_cardCmds.Handle(pPayload, nLength, reply);
    default:
        return Wire::nResultWrongCode;
    }
}
