#pragma once
// Copies selected remote files to the local computer, one after the other:
// derives the target folder, asks about existing targets, fetches each file
// into a temporary file (message code 143 blocks or TFTP, as the panel allows)
// and only then puts the complete copy in place of the target. Runs on the
// caller's thread; the display hands one pending event to the window per
// progress step, so a Cancel request is noticed between blocks.
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CTransferDisplay.h"
#include "link/CDirData.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class CCommInterface;

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

// What became of the selected rows in the last transfer.
struct STransferCounts
{
    int nCopied = 0;
    int nSkipped = 0; // conflict answered Skip, or the conflict dialog cancelled
    int nLeftOut = 0; // folders and empty files
    int nFailed = 0;
    int nNotAttempted = 0; // rows after the transfer ended early
};

class CTransferEngine
{
public:
    CTransferEngine(CTransferDisplay& display, CConflictResolver& resolver);

    // The transfer: true when every selected file was copied, skipped by
    // choice, or left out as a folder or empty file.
    bool Transfer(const STransferRequest& request);

    // The transfer status: 0 running well (or idle), 1 failed, 2 cancelled.
    int GetStatus() const { return m_nStatus; }
    // Cancel request, noticed at the next progress step.
    void Cancel() { m_nStatus = 2; }
    // The "Cancel Transfer" button: asks, and cancels unless answered No.
    void AskCancel();

    // The status as the last transfer ended (before the display reset it).
    int GetLastOutcome() const { return m_nLastOutcome; }
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
    enum EFileOutcome
    {
        FILE_COPIED,
        FILE_SKIPPED,
        FILE_FAILED,  // the transfer ends
        FILE_STOPPED, // the user ended the transfer at the folder question
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
    void ShowTransferDisplay(bool bStarting);
    void UpdateTimes();

    CTransferDisplay& m_display;
    CConflictResolver& m_resolver;
    const STransferRequest* m_pRequest = nullptr; // during a transfer
    int m_nStatus = 0;
    int m_nConflictAction = 0;
    bool m_bApplyToNext = false;
    int m_nLastOutcome = 0;
    STransferCounts m_counts;
    std::vector<std::string> m_arrCopiedNames;
    std::string m_strLocalError;
    int m_nConnectTimeoutMs = 0;
    int m_nReplyTimeoutMs = 0;
    int m_nTftpTimeoutMs = 0;
    std::time_t m_tmEndTimeWritten = -1; // when the "Last Transfer" end time was last written
};
