#pragma once
// Copies selected remote files to the local computer, one after the other:
// derives the target folder, asks about existing targets, fetches each file
// into a temporary file (message code 143 blocks or TFTP, as the panel allows)
// and only then puts the complete copy in place of the target. Runs on the
// caller's thread and tells its display what happens; the display is polled
// for a Cancel request at every progress step, so one is noticed between blocks.
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CTransferDisplay.h"
#include "filemanager/logic/TransferStatus.h"
#include "link/CDirData.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class CCommInterface;
class CPrompt;

struct STransferRequest
{
    std::vector<DIR_DATA> arrSelected; // the selected rows' entries, in list order
    bool bPanelConnected = true;
    std::string strPanelAddress; // the connected panel
    int nPanelPort = 10001;
    std::string strRootFolder;       // the local folder (edit 1027)
    bool bAutoCreateFolders = false; // "AutoCreateLocalFolder"
    bool bAutoAddCsvExt = false;     // "AutoAddCSVExt"
    int nTftpPort = 69;              // the panel's TFTP port
    bool bKeepGoing = false;         // try every file even after one fails
};

class CTransferEngine
{
public:
    // Messages and questions (folder, cancel, failures) go to the prompt.
    CTransferEngine(CTransferDisplay& display, CConflictResolver& resolver, CPrompt& prompt);

    // The transfer: true when every selected file was copied, skipped by
    // choice, or left out as a folder or empty file.
    bool Transfer(const STransferRequest& request);

    // The running transfer's status (Ok also when idle).
    ETransferStatus GetStatus() const { return m_eStatus; }
    // Cancel request, noticed at the next progress step.
    void Cancel() { m_eStatus = ETransferStatus::Cancelled; }
    // The "Cancel Transfer" button: asks, and cancels unless answered No.
    void AskCancel();

    // The status as the last transfer ended (GetStatus is Ok again by then).
    ETransferStatus GetLastOutcome() const { return m_eLastOutcome; }
    // The "Last Transfer" text: start and end time, and the status once ended.
    const std::string& GetLastTransferText() const { return m_strLastTransferText; }
    const STransferCounts& GetCounts() const { return m_counts; }
    // The remote names copied by the last transfer, in order.
    const std::vector<std::string>& GetCopiedNames() const { return m_arrCopiedNames; }
    // Why local writes of the last transfer failed, a line per failed file
    // (for logs; the user sees the fixed texts).
    const std::string& GetLastLocalError() const { return m_strLocalError; }

    // Shorter waits for tests and the command-line tool (0: the defaults).
    void SetCommTimeouts(int nConnectMs, int nReplyMs);
    void SetTftpTimeout(int nTimeoutMs) { m_nTftpTimeoutMs = nTimeoutMs; }

private:
    enum class EFileOutcome
    {
        Copied,
        Skipped,
        Failed,  // the transfer ends
        Stopped, // the user ended the transfer at the folder question
    };

    bool RunFileLoop();
    EFileOutcome TransferEntry(const DIR_DATA& entry, CCommInterface& comm);
    // False when the file is to be skipped; strNewName is set on Rename.
    bool ResolveConflict(const DIR_DATA& entry, const std::string& strFolder,
                         const std::string& strTarget, std::string& strNewName);
    EFileOutcome FailFile(const std::string& strRemoteName);
    bool CopyOneFile(const std::string& strRemoteName, const std::string& strTarget, int64_t nSize,
                     CCommInterface& comm);
    bool FetchAndReplace(const std::string& strRemoteName, const std::string& strTarget,
                         int64_t nSize, CCommInterface& comm, std::string& strError);
    // The shared fetch (RemoteFetch.h) with this engine's progress and prompt.
    bool FetchToTemp(const std::string& strRemoteName, const std::string& strTempPath,
                     int64_t nSize, CCommInterface& comm);
    void ProgressUpdate(uint64_t nBytes, int64_t nSize);
    void StartTransfer();
    void FinishTransfer();
    // Writes the end time into the "Last Transfer" text; false when it
    // already shows this second.
    bool UpdateTimes();

    CTransferDisplay& m_display;
    CConflictResolver& m_resolver;
    CPrompt& m_prompt;
    const STransferRequest* m_pRequest = nullptr; // during a transfer
    ETransferStatus m_eStatus = ETransferStatus::Ok;
    EConflictAction m_eConflictAction = EConflictAction::Skip;
    bool m_bApplyToNext = false;
    ETransferStatus m_eLastOutcome = ETransferStatus::Ok;
    STransferCounts m_counts;
    std::vector<std::string> m_arrCopiedNames;
    std::string m_strLocalError;
    int m_nConnectTimeoutMs = 0;
    int m_nReplyTimeoutMs = 0;
    int m_nTftpTimeoutMs = 0;
    std::string m_strStartClock;         // when the running or last transfer started
    std::time_t m_tmEndTimeWritten = -1; // when the "Last Transfer" end time was last written
    std::string m_strLastTransferText;
};
