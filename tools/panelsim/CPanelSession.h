#pragma once
// The panel as one connection sees it: dispatches each request by message
// code to its handler, after the forced-result faults had their say.
#include "CCardCmdHandler.h"
#include "CFileCmdHandler.h"
#include "SimContext.h"

class CPanelSession
{
public:
    explicit CPanelSession(CSimContext& context);

    // Builds the complete reply frame (header and payload) for one request.
    void Answer(uint8_t nMsg, const uint8_t* pPayload, size_t nLength, CReplyBuffer& reply);

    // The sub-command of a request for fault rules and logs; -1 when none.
    static int SubCommandOf(uint8_t nMsg, const uint8_t* pPayload, size_t nLength);

private:
    uint8_t Dispatch(uint8_t nMsg, const uint8_t* pPayload, size_t nLength, CReplyBuffer& reply);

    CSimContext& m_context;
    CFileCmdHandler m_fileCmds;
    CCardCmdHandler m_cardCmds;
};
