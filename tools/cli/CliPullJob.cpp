#include "CliPullJob.h"

#include "CliSession.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/TransferLines.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace
{
volatile std::sig_atomic_t g_bInterrupted = 0;

void OnInterrupt(int)
{
    g_bInterrupted = 1;
}

// Prints each file as it starts and keeps the progress line, if any, up to
// date; an interrupt cancels at the next block.
class CCliPullDisplay : public CHeadlessTransferDisplay
{
public:
    explicit CCliPullDisplay(const SPullOptions& options)
        : m_strPrefix(options.strLinePrefix), m_pProgress(options.pProgress)
    {
    }

    void TransferStarted(int /*nRows*/, uint64_t nTotalBytes) override
    {
        if (!m_pProgress)
            return;
        m_pProgress->StartTransfer(nTotalBytes);
        m_pProgress->Clear();
    }
    void FileBegins(const std::string& strName, uint64_t nSize) override
    {
        if (m_pProgress)
            m_pProgress->Clear();
        // One call per line, so lines of transfers on other threads never mix.
        std::printf("%s%s\n", m_strPrefix.c_str(), FileLineText(strName).c_str());
        std::fflush(stdout);
        if (m_pProgress)
            m_pProgress->StartFile(strName, nSize);
    }
    void BytesTransferred(uint64_t nBytes, int /*nPercent*/) override
    {
        if (m_pProgress)
            m_pProgress->Update(nBytes);
    }
    bool PollCancel() override { return g_bInterrupted != 0; }
    void TransferFinished(const STransferCounts& /*counts*/, ETransferStatus /*eStatus*/,
                          const std::string& /*strLastTransferText*/) override
    {
        if (m_pProgress)
            m_pProgress->Clear();
    }

private:
    std::string m_strPrefix;
    CCliProgressLine* m_pProgress;
};

// The --on-conflict choice, applied to every conflict; Rename picks a free
// name of the form name_N.ext.
class CCliConflictResolver : public CConflictResolver
{
public:
    explicit CCliConflictResolver(EConflictAction eAction) : m_eAction(eAction) {}
    bool Resolve(SConflictRequest& request) override
    {
        request.eAction = m_eAction;
        request.bApplyToNext = true;
        if (m_eAction != EConflictAction::Rename)
            return true;
        const std::string strNewName = SuggestFreeName(request.strFolder, request.strFileName);
        if (strNewName.empty())
            return false;
        request.strFileName = strNewName;
        return true;
    }

private:
    EConflictAction m_eAction;
};

bool ParseConflictAction(const std::string& strText, EConflictAction& eAction)
{
    if (strText == "skip")
        eAction = EConflictAction::Skip;
    else if (strText == "overwrite")
        eAction = EConflictAction::Overwrite;
    else if (strText == "rename")
        eAction = EConflictAction::Rename;
    else
        return false;
    return true;
}

bool ListPanel(const CCliContext& ctx, const std::string& strPattern, CDirData& list,
               std::string& strError)
{
    // The listing's own limits and texts (a list that does not end is cut off
    // with its message) come with the session's listing.
    CCliSession session(ctx);
    const bool bListed =
        session.Comm().CheckPanelType() && session.Files().ListFiles(list, strPattern);
    if (!bListed)
        strError = session.ErrorText();
    return bListed;
}

// Every line of strText with the prefix in front, on standard error.
void PrintLines(const std::string& strPrefix, const std::string& strText)
{
    size_t nStart = 0;
    while (nStart < strText.size())
    {
        size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        const std::string strLine = strPrefix + strText.substr(nStart, nEnd - nStart) + "\n";
        std::fputs(strLine.c_str(), stderr); // one call per line: threads never mix lines
        nStart = nEnd + 1;
    }
}
} // namespace

EPullArg TakePullOption(const std::vector<std::string>& arrArgs, size_t& i, SPullOptions& options,
                        std::string& strError)
{
    const std::string& strArg = arrArgs[i];
    if (strArg == "--auto-folders")
        options.bAutoFolders = true;
    else if (strArg == "--csv-ext")
        options.bCsvExt = true;
    else if (strArg == "--keep-going")
        options.bKeepGoing = true;
    else if (strArg == "--on-conflict")
    {
        if (i + 1 >= arrArgs.size() || !ParseConflictAction(arrArgs[++i], options.eConflictAction))
        {
            strError = "--on-conflict takes skip, overwrite or rename";
            return EPullArg::Bad;
        }
    }
    else
        return EPullArg::NotMine;
    return EPullArg::Taken;
}

void CatchPullInterrupts()
{
    struct sigaction action
    {
    };
    action.sa_handler = &OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool IsPullInterrupted()
{
    return g_bInterrupted != 0;
}

SPullResult RunPullJob(const CCliContext& ctx, const SPullOptions& options)
{
    SPullResult result;
    CDirData list;
    if (!ListPanel(ctx, ToUpperAscii(options.strPattern), list, result.strError))
        return result;
    result.bListed = true;
    result.nListed = list.GetSize();

    STransferRequest request;
    request.arrSelected = list.Entries();
    request.strRootFolder = options.strRootFolder;
    request.bAutoCreateFolders = options.bAutoFolders;
    request.bAutoAddCsvExt = options.bCsvExt;
    request.strPanelAddress = ctx.m_strHost;
    request.nPanelPort = ctx.m_nPort;
    request.nTftpPort = options.nTftpPort;
    // Without keep-going the engine ends the transfer at the first failed
    // file, as the program's Copy does; with it the engine tries every file.
    request.bKeepGoing = options.bKeepGoing;

    std::map<std::string, uint64_t> mapSizes;
    for (const DIR_DATA& entry : request.arrSelected)
        mapSizes[entry.strName] = std::strtoull(entry.strSize.c_str(), nullptr, 10);

    CCliPullDisplay display(options);
    CCliConflictResolver resolver(options.eConflictAction);
    CTransferEngine engine(display, resolver, options.pPrompt ? *options.pPrompt : GetPrompt());
    engine.SetCommTimeouts(ctx.m_nConnectTimeoutMs, ctx.m_nReplyTimeoutMs);
    engine.SetTftpTimeout(ctx.m_nReplyTimeoutMs);

    result.bOk = engine.Transfer(request);
    result.counts = engine.GetCounts();
    for (const std::string& strName : engine.GetCopiedNames())
        result.nBytes += mapSizes[strName];
    result.eOutcome = engine.GetLastOutcome();
    PrintLines(options.strLinePrefix, engine.GetLastLocalError());
    return result;
}
