#include "filemanager/logic/RemoteFetch.h"

#include "common/StrFormat.h"
#include "filemanager/logic/FetchCheck.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
constexpr unsigned long BLOCK_CAPACITY = 255;

SFetchOutcome Failure(std::string strMessage, bool bLinkFailure = false)
{
    SFetchOutcome outcome;
    outcome.eResult = EFetchResult::Failed;
    outcome.strMessage = std::move(strMessage);
    outcome.bLinkFailure = bLinkFailure;
    return outcome;
}

SFetchOutcome LocalFailure(const char* pszMessage, const std::string& strPath, int nError)
{
    SFetchOutcome outcome = Failure(pszMessage);
    outcome.strReason = StrFormat("%s: %s", strPath.c_str(), std::strerror(nError));
    return outcome;
}

SFetchOutcome FetchByTftp(const SRemoteFetch& fetch, const FetchProgressFn& fnProgress)
{
    CTFTPClient client;
    client.SetServerPort(static_cast<uint16_t>(fetch.nTftpPort));
    if (fetch.nTftpTimeoutMs > 0)
        client.SetTimeout(fetch.nTftpTimeoutMs);
    client.SetSizeLimit(TftpDownloadLimit(fetch.nListedSize));
    int nResult =
        client.StartTransfer(true, fetch.strRemoteName, fetch.strLocalPath, fetch.strPanelAddress);
    bool bStopped = false;
    while (nResult == TFTP_RESULT_MORE && !bStopped)
    {
        nResult = client.Step();
        bStopped = !fnProgress(client.GetBytesTransferred());
    }
    if (nResult == TFTP_RESULT_FAILED)
        return Failure(StrFormat("%s\nError in copying %s", client.GetErrorText().c_str(),
                                 fetch.strRemoteName.c_str()));
    SFetchOutcome outcome;
    if (bStopped)
        outcome.eResult = EFetchResult::Stopped;
    return outcome;
}

SFetchOutcome FetchByMessageCodes(CPanelFileCommands& files, const SRemoteFetch& fetch,
                                  const FetchProgressFn& fnProgress)
{
    const char* pszName = fetch.strRemoteName.c_str();
    unsigned long nLength = 0;
    if (!files.OpenRemoteFileSize(fetch.strRemoteName, &nLength))
        return Failure(StrFormat("Unable to open file %s", pszName), true);
    FILE* pFile = std::fopen(fetch.strLocalPath.c_str(), "wb");
    if (!pFile)
        return LocalFailure("Can't open local file.", fetch.strLocalPath, errno);

    unsigned char arrBlock[BLOCK_CAPACITY];
    uint64_t nBytes = 0;
    bool bStopped = false;
    while (nBytes < nLength && !bStopped)
    {
        unsigned long nBlockLength = sizeof(arrBlock);
        if (!files.ReadFileBlock(arrBlock, &nBlockLength))
        {
            std::fclose(pFile);
            return Failure(StrFormat("Unable to read file %s", pszName), true);
        }
        if (nBlockLength == 0)
            break;
        if (std::fwrite(arrBlock, 1, nBlockLength, pFile) < nBlockLength)
        {
            const int nError = errno;
            std::fclose(pFile);
            return LocalFailure("fwrite error.", fetch.strLocalPath, nError);
        }
        nBytes += nBlockLength;
        bStopped = !fnProgress(nBytes);
    }
    // The last buffered bytes are written at the close: a failure there would
    // otherwise pass a short file on as complete.
    const bool bClosed = std::fclose(pFile) == 0;
    const int nCloseError = errno;
    files.CloseRemoteFile();
    if (!bClosed)
        return LocalFailure("fwrite error.", fetch.strLocalPath, nCloseError);
    SFetchOutcome outcome;
    if (bStopped)
    {
        outcome.eResult = EFetchResult::Stopped;
        return outcome;
    }
    const std::string strIncomplete = IncompleteFetchReason(nBytes, nLength, fetch.nListedSize);
    if (!strIncomplete.empty())
        return Failure(StrFormat("Unable to read file %s\n%s", pszName, strIncomplete.c_str()));
    return outcome;
}
} // namespace

bool FetchUsesTftp(bool bTftpAsked)
{
    // Panels that cannot back up CSV files cannot take the file reads either.
    return bTftpAsked || !CanBackupCsvFiles();
}

SFetchOutcome FetchRemoteFile(CPanelFileCommands& files, const SRemoteFetch& fetch,
                              const FetchProgressFn& fnProgress)
{
    const FetchProgressFn fnGoOn = fnProgress ? fnProgress : [](uint64_t) { return true; };
    return FetchUsesTftp(fetch.bTftpAsked) ? FetchByTftp(fetch, fnGoOn)
                                           : FetchByMessageCodes(files, fetch, fnGoOn);
}
