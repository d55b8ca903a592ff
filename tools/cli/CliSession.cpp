#include "CliSession.h"

#include "common/StrFormat.h"
#include "filemanager/logic/TransferNames.h"

#include <cstdio>
#include <cstdlib>

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

int64_t CCliSession::ListedSize(const std::string& strName)
{
    // Its own command object: a listing that fails here leaves no lines in
    // the command's failure report.
    CPanelFileCommands files(&m_comm);
    CDirData list;
    if (!files.ListFiles(list, strName))
        return -1;
    for (const DIR_DATA& entry : list.Entries())
    {
        if (EqualsNoCase(entry.strName, strName))
            return std::strtoll(entry.strSize.c_str(), nullptr, 10);
    }
    return -1;
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

bool IsPlainRemoteName(const std::string& strName)
{
    if (UnsafeNameReason(strName).empty())
        return true;
    std::fprintf(stderr, "Error: \"%s\" is not a plain file name.\n", strName.c_str());
    return false;
}

const char* YesNo(bool b)
{
    return b ? "yes" : "no";
}
