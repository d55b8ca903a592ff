// get: copy one remote file to the computer with the transfers' own fetch
// (file commands or TFTP, as the panel allows or --tftp asks). The file
// arrives in a temporary file beside the target, renamed over it only once it
// is whole: the target only ever appears complete.
#include "CliSession.h"
#include "CliTftpPort.h"
#include "common/CTempFile.h"
#include "common/StrFormat.h"
#include "filemanager/logic/RemoteFetch.h"

#include <cstdio>
#include <filesystem>

namespace
{
constexpr const char* OPTION_TFTP = "--tftp";

int Refuse(const std::string& strText)
{
    std::fprintf(stderr, "%s\n", strText.c_str());
    return CLI_EXIT_FAILED;
}

int RunGet(const CCliContext& ctx)
{
    const std::string& strRemote = ctx.m_arrArgs[0];
    if (!IsPlainRemoteName(strRemote))
        return CLI_EXIT_FAILED;
    std::filesystem::path target = ctx.m_arrArgs.size() > 1 ? ctx.m_arrArgs[1] : strRemote;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        target /= strRemote;
    const std::string strTarget = target.string();

    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    // A target that cannot be replaced is refused before the download.
    CTempFile temp;
    std::string strReason = TargetRefusal(strTarget);
    if (!strReason.empty() || !temp.CreateBeside(strTarget, strReason))
        return Refuse(StrFormat("Can't open local file.\n%s", strReason.c_str()));
    temp.CloseFd();

    SRemoteFetch fetch;
    fetch.strRemoteName = strRemote;
    // The listing's size tells a short delivery and bounds a TFTP download.
    fetch.nListedSize = session.ListedSize(strRemote);
    fetch.strLocalPath = temp.Path();
    fetch.strPanelAddress = ctx.m_strHost;
    fetch.nTftpTimeoutMs = ctx.m_nReplyTimeoutMs;
    fetch.bTftpAsked = ctx.m_mapOptions.count(OPTION_TFTP) != 0;
    if (FetchUsesTftp(fetch.bTftpAsked) && !ParseTftpPort(ctx, fetch.nTftpPort, strReason))
        return Refuse(strReason);
    const SFetchOutcome outcome = FetchRemoteFile(session.Files(), fetch, nullptr);
    if (outcome.eResult != EFetchResult::Done)
        return outcome.bLinkFailure ? session.Fail(outcome.strMessage)
                                    : Refuse(JoinLines(outcome.strMessage, outcome.strReason));
    if (!temp.Commit(strTarget, strReason))
        return Refuse(StrFormat("Unable to write %s", strReason.c_str()));
    return CLI_EXIT_OK;
}

CCliOptionRegistrar s_tftp(OPTION_TFTP, "", "read files for get by TFTP");
CCliCommandRegistrar s_get("get", "get REMOTE [LOCAL]", "Copy a remote file to the computer",
                           &RunGet, 1, 2);
} // namespace
