// A transfer's fetch of one remote file into its local temporary file, with
// the engine's progress and Cancel, and its failure shown as a stop message.
#include "common/CPrompt.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/LinkError.h"
#include "filemanager/logic/RemoteFetch.h"
#include "filemanager/logic/TransferTimes.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"

bool CTransferEngine::FetchToTemp(const std::string& strRemoteName, const std::string& strTempPath,
                                  int64_t nSize, CCommInterface& comm)
{
    SRemoteFetch fetch;
    fetch.strRemoteName = strRemoteName;
    fetch.nListedSize = nSize;
    fetch.strLocalPath = strTempPath;
    fetch.strPanelAddress = m_pRequest->strPanelAddress;
    fetch.nTftpPort = m_pRequest->nTftpPort;
    fetch.nTftpTimeoutMs = m_nTftpTimeoutMs;
    CPanelFileCommands files(&comm);
    const SFetchOutcome outcome = FetchRemoteFile(files, fetch,
                                                  [this, nSize](uint64_t nBytes)
                                                  {
                                                      ProgressUpdate(nBytes, nSize);
                                                      return m_eStatus == ETransferStatus::Ok;
                                                  });
    if (outcome.eResult != EFetchResult::Failed)
        return outcome.eResult == EFetchResult::Done;
    if (outcome.bLinkFailure)
        ShowLinkError(outcome.strMessage, comm, m_prompt);
    else
        m_prompt.Message(outcome.strMessage, EPromptIcon::Stop);
    return false;
}
