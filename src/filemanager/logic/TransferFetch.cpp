// The two ways a remote file reaches the local temporary file.
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/FetchCheck.h"
#include "filemanager/logic/LinkError.h"
#include "filemanager/logic/TransferTimes.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"

#include <cstdio>

bool CTransferEngine::FetchByTftp(const std::string& strRemoteName, const std::string& strTempPath,
                                  int64_t nSize)
{
    if (!m_pRequest->bPanelConnected)
        return false;
    CTFTPClient client;
    client.SetServerPort(static_cast<uint16_t>(m_pRequest->nTftpPort));
    if (m_nTftpTimeoutMs > 0)
        client.SetTimeout(m_nTftpTimeoutMs);
    client.SetSizeLimit(TftpDownloadLimit(nSize));
    int nResult =
        client.StartTransfer(true, strRemoteName, strTempPath, m_pRequest->strPanelAddress);
    while (nResult == TFTP_RESULT_MORE)
    {
        nResult = client.Step();
        ProgressUpdate(client.GetBytesTransferred(), nSize);
        if (m_eStatus != ETransferStatus::Ok)
            break;
    }
    if (nResult == TFTP_RESULT_FAILED)
    {
        m_prompt.Message(StrFormat("%s\nError in copying %s", client.GetErrorText().c_str(),
                                   strRemoteName.c_str()),
                         EPromptIcon::Stop);
        return false;
    }
    // A cancelled fetch also ends here; the caller looks at the status.
    return true;
}

bool CTransferEngine::FetchByMessageCodes(const std::string& strRemoteName,
                                          const std::string& strTempPath, int64_t nSize,
                                          CCommInterface& comm)
{
    CPanelFileCommands commands(&comm);
    unsigned long nLength = 0;
    if (!commands.OpenRemoteFileSize(strRemoteName, &nLength))
    {
        ShowLinkError(StrFormat("Unable to open file %s", strRemoteName.c_str()), comm, m_prompt);
        return false;
    }
    FILE* pFile = std::fopen(strTempPath.c_str(), "wb");
    if (!pFile)
    {
        m_prompt.Message("Can't open local file.", EPromptIcon::Stop);
        return false;
    }

    unsigned char arrBlock[255];
    uint64_t nBytes = 0;
    while (nBytes < nLength)
    {
        unsigned long nBlockLength = sizeof(arrBlock);
        if (!commands.ReadFileBlock(arrBlock, &nBlockLength))
        {
            std::fclose(pFile);
            ShowLinkError(StrFormat("Unable to read file %s", strRemoteName.c_str()), comm,
                          m_prompt);
            return false;
        }
        if (nBlockLength == 0)
            break;
        if (std::fwrite(arrBlock, 1, nBlockLength, pFile) < nBlockLength)
        {
            std::fclose(pFile);
            m_prompt.Message("fwrite error.", EPromptIcon::Stop);
            return false;
        }
        nBytes += nBlockLength;
        ProgressUpdate(nBytes, nSize);
        if (m_eStatus != ETransferStatus::Ok)
            break;
    }
    // The last buffered bytes are written at the close: a failure there would
    // otherwise pass a short file on as complete.
    const bool bClosed = std::fclose(pFile) == 0;
    commands.CloseRemoteFile();
    if (!bClosed)
    {
        m_prompt.Message("fwrite error.", EPromptIcon::Stop);
        return false;
    }
    const std::string strIncomplete = IncompleteFetchReason(nBytes, nLength, nSize);
    if (m_eStatus == ETransferStatus::Ok && !strIncomplete.empty())
    {
        m_prompt.Message(
            StrFormat("Unable to read file %s\n%s", strRemoteName.c_str(), strIncomplete.c_str()),
            EPromptIcon::Stop);
        return false;
    }
    return true;
}
