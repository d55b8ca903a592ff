#include "filemanager/logic/CTransferEngine.h"

#include "common/CPrompt.h"
#include "common/CTempFile.h"
#include "common/StrFormat.h"
#include "filemanager/logic/AutoFolder.h"
#include "filemanager/logic/ConflictRules.h"
#include "filemanager/logic/LocalFolderCheck.h"
#include "filemanager/logic/SafeFileReplace.h"
#include "filemanager/logic/TransferNames.h"
#include "filemanager/logic/TransferTimes.h"
#include "link/CCommInterface.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

CTransferEngine::CTransferEngine(CTransferDisplay& display, CConflictResolver& resolver)
    : m_display(display), m_resolver(resolver)
{
}

void CTransferEngine::AskCancel()
{
    if (GetPrompt().Show("Do you want to cancel the file tranfer?", EPromptIcon::Question,
                         EPromptButtons::YesNo) != EPromptAnswer::No)
        m_nStatus = TRANSFER_STATUS_CANCELLED;
}

void CTransferEngine::SetCommTimeouts(int nConnectMs, int nReplyMs)
{
    m_nConnectTimeoutMs = nConnectMs;
    m_nReplyTimeoutMs = nReplyMs;
}

bool CTransferEngine::Transfer(const STransferRequest& request)
{
    m_pRequest = &request;
    m_counts = STransferCounts();
    m_arrCopiedNames.clear();
    m_strLocalError.clear();

    m_display.SetLastTransferText(std::string());
    m_tmEndTimeWritten = -1;
    m_display.StartTransferFigures(TotalFileBytes(request.arrSelected));
    ShowTransferDisplay(true);
    const bool bResult = RunFileLoop();
    ShowTransferDisplay(false);
    m_pRequest = nullptr;
    return bResult;
}

bool CTransferEngine::RunFileLoop()
{
    const std::vector<DIR_DATA>& arrSelected = m_pRequest->arrSelected;
    const int nRows = static_cast<int>(arrSelected.size());
    if (!m_pRequest->bPanelConnected)
    {
        m_counts.nNotAttempted = nRows;
        return false;
    }
    // Nothing is written without a folder to write into.
    if (!IsUsableLocalFolder(m_pRequest->strRootFolder))
    {
        GetPrompt().Message(NO_LOCAL_FOLDER_TEXT, EPromptIcon::Warning);
        m_nStatus = TRANSFER_STATUS_FAILED;
        m_counts.nNotAttempted = nRows;
        return false;
    }
    CCommInterface comm(m_pRequest->strPanelAddress, m_pRequest->nPanelPort);
    if (m_nConnectTimeoutMs > 0 && m_nReplyTimeoutMs > 0)
        comm.SetTimeouts(m_nConnectTimeoutMs, m_nReplyTimeoutMs);
    m_nConflictAction = CONFLICT_SKIP;
    m_bApplyToNext = false;
    bool bAnyFailed = false;

    for (int i = 0; i < nRows; ++i)
    {
        const DIR_DATA& entry = arrSelected[static_cast<size_t>(i)];
        if (!IsFileEntry(entry))
        {
            ++m_counts.nLeftOut;
            continue;
        }
        m_display.SetCountText(StrFormat("Tranferring files %d of %d...  ", i + 1, nRows));
        if (i > 0)
            m_display.StepOverallBar();

        switch (TransferEntry(entry, comm))
        {
        case FILE_COPIED:
            ++m_counts.nCopied;
            m_arrCopiedNames.push_back(entry.strName);
            break;
        case FILE_SKIPPED:
            ++m_counts.nSkipped;
            break;
        case FILE_FAILED:
            ++m_counts.nFailed;
            if (m_pRequest->bKeepGoing && m_nStatus != TRANSFER_STATUS_CANCELLED)
            {
                // Reported already; the next file starts afresh.
                bAnyFailed = true;
                m_nStatus = TRANSFER_STATUS_OK;
                break;
            }
            m_counts.nNotAttempted = nRows - i - 1;
            return false;
        case FILE_STOPPED:
            m_counts.nNotAttempted = nRows - i;
            return false;
        }
    }
    m_display.StepOverallBar();
    m_display.SelectLocalFolder(m_pRequest->strRootFolder);
    if (bAnyFailed)
        m_nStatus = TRANSFER_STATUS_FAILED;
    return !bAnyFailed;
}

CTransferEngine::EFileOutcome CTransferEngine::TransferEntry(const DIR_DATA& entry,
                                                             CCommInterface& comm)
{
    const std::string& strName = entry.strName;
    // The remote name becomes a local file name: one that could leave the
    // chosen folder is refused before anything is created for it.
    if (!UnsafeNameReason(strName).empty())
    {
        GetPrompt().Message(UnsafeRemoteNameMessage(strName), EPromptIcon::Stop);
        return FailFile(strName);
    }

    const std::string& strRoot = m_pRequest->strRootFolder;
    std::string strFolder = strRoot;
    const int64_t nSize = std::strtoll(entry.strSize.c_str(), nullptr, 10);
    std::string strError;
    if (!DeriveFolder(strName, m_pRequest->bAutoCreateFolders, strFolder, strError))
    {
        if (!GetPrompt().AskYesNo(
                StrFormat("%s\nDo you want to copy remote file ( %s ) to Root Folder ( %s )?",
                          strError.c_str(), strName.c_str(), strRoot.c_str())))
            return FILE_STOPPED;
        strFolder = strRoot;
    }

    std::string strTarget =
        ApplyCsvExtension(JoinLocalPath(strFolder, strName), entry, m_pRequest->bAutoAddCsvExt);
    m_display.SetFileText(StrFormat("Tranferring %s...", strName.c_str()));
    m_display.SetFilePercent(0);
    m_display.StartFileFigures(strName, static_cast<uint64_t>(std::max<int64_t>(nSize, 0)));

    if (LocalPathExists(strTarget))
    {
        std::string strNewName;
        if (!ResolveConflict(entry, strFolder, strTarget, strNewName))
            return FILE_SKIPPED;
        if (!strNewName.empty())
        {
            // The conflict dialog has checked the name; a resolver of another
            // kind still may not write outside the folder.
            if (!UnsafeNameReason(strNewName).empty())
            {
                GetPrompt().Message(UnsafeRemoteNameMessage(strNewName), EPromptIcon::Stop);
                return FailFile(strName);
            }
            strTarget = JoinLocalPath(strFolder, strNewName);
        }
    }

    m_display.BeginWaitCursor();
    const bool bCopied = CopyOneFile(strName, strTarget, nSize, comm);
    m_display.EndWaitCursor();
    return bCopied ? FILE_COPIED : FailFile(strName);
}

bool CTransferEngine::ResolveConflict(const DIR_DATA& entry, const std::string& strFolder,
                                      const std::string& strTarget, std::string& strNewName)
{
    if (NeedsConflictDialog(m_nConflictAction, m_bApplyToNext))
    {
        SConflictRequest request;
        request.strFileName = entry.strName;
        request.strSize = entry.strSize;
        request.strFolder = strFolder;
        request.strTarget = strTarget;
        request.nAction = m_nConflictAction;
        request.bApplyToNext = m_bApplyToNext;
        if (!m_resolver.Resolve(request))
            return false;
        m_nConflictAction = request.nAction;
        m_bApplyToNext = request.bApplyToNext;
        if (m_nConflictAction == CONFLICT_RENAME)
            strNewName = request.strFileName;
    }
    return m_nConflictAction != CONFLICT_SKIP;
}

CTransferEngine::EFileOutcome CTransferEngine::FailFile(const std::string& strRemoteName)
{
    const std::string strName = PrintableName(strRemoteName);
    if (m_nStatus == TRANSFER_STATUS_CANCELLED)
    {
        GetPrompt().Message(StrFormat("Transfer file canceled.\nCould not copy the remote file "
                                      "%s to the Local Computer.",
                                      strName.c_str()),
                            EPromptIcon::Stop);
    }
    else
    {
        m_nStatus = TRANSFER_STATUS_FAILED;
        GetPrompt().Message(StrFormat("Error in copying file.\nCould not copy the remote file %s "
                                      "to the Local Computer.",
                                      strName.c_str()),
                            EPromptIcon::Stop);
    }
    return FILE_FAILED;
}

bool CTransferEngine::CopyOneFile(const std::string& strRemoteName, const std::string& strTarget,
                                  int64_t nSize, CCommInterface& comm)
{
    // Each failed file's reason is kept: a transfer that goes on after a
    // failure must not lose the earlier ones.
    std::string strError;
    const bool bCopied = FetchAndReplace(strRemoteName, strTarget, nSize, comm, strError);
    if (!bCopied && !strError.empty())
        m_strLocalError = JoinLines(m_strLocalError, strError);
    return bCopied;
}

bool CTransferEngine::FetchAndReplace(const std::string& strRemoteName,
                                      const std::string& strTarget, int64_t nSize,
                                      CCommInterface& comm, std::string& strError)
{
    // A target that cannot be replaced is not worth the download.
    strError = TargetRefusal(strTarget);
    if (!strError.empty())
        return false;
    const std::string strTempFolder = GetSystemTempFolder();
    if (strTempFolder.empty())
    {
        strError = "no temporary folder";
        return false;
    }
    CTempFile fetchTemp; // removed on every way out, also on SIGINT and SIGTERM
    if (!fetchTemp.Create(strTempFolder, strError))
    {
        GetPrompt().Message("Can't open local file.", EPromptIcon::Stop);
        return false;
    }
    fetchTemp.CloseFd();

    const bool bFetched = FetchToTemp(strRemoteName, fetchTemp.Path(), nSize, comm);
    if (m_nStatus == TRANSFER_STATUS_OK && bFetched)
        return ReplaceFileWithCopy(fetchTemp.Path(), strTarget, strError);
    return false;
}

void CTransferEngine::ProgressUpdate(uint64_t nBytes, int64_t nSize)
{
    int nPercent = 100;
    if (nSize > 0)
        nPercent =
            static_cast<int>(std::min<uint64_t>(100, nBytes * 100 / static_cast<uint64_t>(nSize)));
    m_display.SetBytesText("Bytes transferred: " + std::to_string(nBytes));
    m_display.SetFilePercent(nPercent);
    m_display.UpdateFileFigures(nBytes);
    UpdateTimes();
    m_display.ProcessPendingEvent();
    m_display.RestoreWaitCursor();
}

void CTransferEngine::ShowTransferDisplay(bool bStarting)
{
    const int nSelected = static_cast<int>(m_pRequest->arrSelected.size());
    m_display.EnableControls(!bStarting);
    m_display.SetCountText(std::string());
    m_display.SetFileText(std::string());
    m_display.SetBytesText(std::string());

    m_display.ShowOverallBar(bStarting);
    m_display.SetOverallRange(nSelected);
    m_display.SetOverallPos(0);
    m_display.ShowFileBar(bStarting);
    m_display.SetFilePercent(0);
    m_display.ShowCountText(true);
    if (nSelected <= 1)
    {
        m_display.ShowOverallBar(false);
        m_display.ShowCountText(false);
    }

    m_display.ShowLastTransferBox(bStarting ? "Transfer" : "Last Tranfer");
    UpdateTimes();
    if (!bStarting)
    {
        m_nLastOutcome = m_nStatus;
        m_display.SetLastTransferText(LastTransferText(m_display.GetLastTransferText(), m_nStatus));
    }
    m_display.ShowCancelButton(bStarting);
    m_nStatus = TRANSFER_STATUS_OK;
}

void CTransferEngine::UpdateTimes()
{
    // Once the end time is shown, the text changes only with the clock's
    // second: a progress step within the same second would write it again.
    const std::time_t tmNow = std::time(nullptr);
    if (tmNow == m_tmEndTimeWritten)
        return;
    const std::string strCurrent = m_display.GetLastTransferText();
    if (!strCurrent.empty())
        m_tmEndTimeWritten = tmNow;
    m_display.SetLastTransferText(NextTimesText(strCurrent, LocalClockText(tmNow)));
}
