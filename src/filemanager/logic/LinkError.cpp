#include "filemanager/logic/LinkError.h"

#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "link/CCommInterface.h"

std::string LinkErrorText(const std::string& strMessage, const CCommInterface& comm)
{
    return JoinLines(comm.GetError(), strMessage);
}

void ShowLinkError(const std::string& strMessage, const CCommInterface& comm)
{
    const std::string strText = LinkErrorText(strMessage, comm);
    if (!strText.empty())
        GetPrompt().Message(strText, EPromptIcon::Stop);
}
