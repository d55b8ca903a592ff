#include "filemanager/logic/LinkError.h"

#include "common/StrFormat.h"
#include "link/CCommInterface.h"

std::string LinkErrorText(const std::string& strMessage, const CCommInterface& comm)
{
    return JoinLines(comm.GetError(), strMessage);
}

void ShowLinkError(const std::string& strMessage, const CCommInterface& comm, CPrompt& prompt)
{
    const std::string strText = LinkErrorText(strMessage, comm);
    if (!strText.empty())
        prompt.Message(strText, EPromptIcon::Stop);
}
