#include "CliSession.h"

#include "common/StrFormat.h"

#include <cstdio>

CCliSession::CCliSession(const CCliContext& ctx)
    : m_comm(ctx.m_strHost, ctx.m_nPort), m_files(&m_comm)
{
    m_comm.SetTimeouts(ctx.m_nConnectTimeoutMs, ctx.m_nReplyTimeoutMs);
}

bool CCliSession::Connect()
{
    if (m_comm.CheckPanelType())
        return true;
    Fail();
    return false;
}

std::string CCliSession::ErrorText(const std::string& strMessage) const
{
    std::string strText = JoinLines(JoinLines(m_comm.GetError(), m_files.GetErrors()), strMessage);
    if (strText.empty())
        strText = "Error: The panel refused the command.";
    return strText;
}

int CCliSession::Fail(const std::string& strMessage)
{
    std::fprintf(stderr, "%s\n", ErrorText(strMessage).c_str());
    return CLI_EXIT_FAILED;
}

const char* YesNo(bool b)
{
    return b ? "yes" : "no";
}
