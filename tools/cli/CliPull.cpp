// pull: copy every remote file that matches a pattern into a local folder with
// the program's own transfer engine (auto folders, CSV extension, conflicts,
// temporary files), for scheduled collection of data logs. Ends with one
// summary line; the exit status is 1 when the transfer did not fully succeed.
// Without --keep-going the first failed file ends the pull, as the program's
// Copy does; with it every file is tried and each failure reported.
#include "CliSession.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/ConflictRules.h"
#include "filemanager/logic/TransferTimes.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace
{
volatile std::sig_atomic_t g_bInterrupted = 0;

void OnInterrupt(int)
{
    g_bInterrupted = 1;
}

// Prints each file as it starts; an interrupt cancels at the next block, like
// the window's "Cancel Transfer", so no temporary file is left behind.
class CCliPullDisplay : public CHeadlessTransferDisplay
{
public:
    CTransferEngine* m_pEngine = nullptr;

    void SetFileText(const std::string& strText) override
    {
        CHeadlessTransferDisplay::SetFileText(strText);
        if (!strText.empty())
            std::printf("%s\n", strText.c_str());
        std::fflush(stdout);
    }
    void ProcessPendingEvent() override
    {
        if (g_bInterrupted && m_pEngine)
            m_pEngine->Cancel();
    }
};

// The --on-conflict choice, applied to every conflict; Rename picks a free
// name of the form name_N.ext.
class CCliConflictResolver : public CConflictResolver
{
public:
    explicit CCliConflictResolver(int nAction) : m_nAction(nAction) {}
    bool Resolve(SConflictRequest& request) override
    {
        request.nAction = m_nAction;
        request.bApplyToNext = true;
        if (m_nAction != CONFLICT_RENAME)
            return true;
        const std::string strNewName = SuggestFreeName(request.strFolder, request.strFileName);
        if (strNewName.empty())
            return false;
        request.strFileName = strNewName;
        return true;
    }

private:
    int m_nAction;
};

bool ParseConflictAction(const std::string& strText, int& nAction)
{
    if (strText == "skip")
        nAction = CONFLICT_SKIP;
    else if (strText == "overwrite")
        nAction = CONFLICT_OVERWRITE;
    else if (strText == "rename")
        nAction = CONFLICT_RENAME;
    else
        return false;
    return true;
}

int UsageError(const std::string& strText)
{
    std::fprintf(stderr, "orvak-cli pull: %s\n", strText.c_str());
    return CLI_EXIT_USAGE;
}

int RunPull(const CCliContext& ctx)
{
    STransferRequest request;
    const std::string strPattern = ToUpperAscii(ctx.m_arrArgs[0]);
    request.strRootFolder = ctx.m_arrArgs[1];
    int nConflictAction = CONFLICT_SKIP;
    for (size_t i = 2; i < ctx.m_arrArgs.size(); ++i)
    {
        const std::string& strArg = ctx.m_arrArgs[i];
        if (strArg == "--auto-folders")
            request.bAutoCreateFolders = true;
        else if (strArg == "--csv-ext")
            request.bAutoAddCsvExt = true;
        else if (strArg == "--keep-going")
            request.bKeepGoing = true;
        else if (strArg == "--on-conflict" && i + 1 < ctx.m_arrArgs.size())
        {
            if (!ParseConflictAction(ctx.m_arrArgs[++i], nConflictAction))
                return UsageError("--on-conflict takes skip, overwrite or rename");
        }
        else
            return UsageError("unknown argument " + strArg);
    }
    char* pEnd = nullptr;
    const std::string strTftpPort = ctx.GetOption("--tftp-port", "69");
    const long nTftpPort = std::strtol(strTftpPort.c_str(), &pEnd, 10);
    if (*pEnd != 0 || nTftpPort < 1 || nTftpPort > 65535)
        return UsageError("bad TFTP port " + strTftpPort);
    std::error_code ec;
    if (!std::filesystem::is_directory(request.strRootFolder, ec))
    {
        std::fprintf(stderr, "Error: %s is not a folder.\n", request.strRootFolder.c_str());
        return CLI_EXIT_FAILED;
    }

    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    CDirData list;
    if (!session.List(list, strPattern))
        return session.Fail();
    session.Comm().CloseComm();

    request.arrSelected = list.Entries();
    request.strPanelAddress = ctx.m_strHost;
    request.nPanelPort = ctx.m_nPort;
    request.nTftpPort = static_cast<int>(nTftpPort);

    // Messages go to standard error; the one question (copy a file whose name
    // does not give folders into the root folder instead) is answered Yes, so
    // one odd name does not stop a scheduled collection.
    CStderrPrompt prompt(EPromptAnswer::Yes);
    CScopedPrompt scopedPrompt(prompt);
    CCliPullDisplay display;
    CCliConflictResolver resolver(nConflictAction);
    CTransferEngine engine(display, resolver);
    display.m_pEngine = &engine;
    engine.SetCommTimeouts(ctx.m_nConnectTimeoutMs, ctx.m_nReplyTimeoutMs);
    engine.SetTftpTimeout(ctx.m_nReplyTimeoutMs);

    struct sigaction action
    {
    };
    action.sa_handler = &OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    const bool bResult = engine.Transfer(request);

    const STransferCounts& counts = engine.GetCounts();
    if (!engine.GetLastLocalError().empty())
        std::fprintf(stderr, "%s\n", engine.GetLastLocalError().c_str());
    std::printf("pull: %d of %d copied, %d skipped, %d left out, %d failed, %d not attempted; "
                "Status: %s\n",
                counts.nCopied, static_cast<int>(request.arrSelected.size()), counts.nSkipped,
                counts.nLeftOut, counts.nFailed, counts.nNotAttempted,
                TransferStatusWord(engine.GetLastOutcome()));
    return bResult ? CLI_EXIT_OK : CLI_EXIT_FAILED;
}

CCliCommandRegistrar s_pull("pull", "pull PATTERN LOCALDIR [OPTIONS]",
                            "Copy matching files into LOCALDIR (--auto-folders, --csv-ext, "
                            "--on-conflict skip|overwrite|rename, --keep-going: try every "
                            "file even after one fails)",
                            &RunPull, 2, 7);
} // namespace
