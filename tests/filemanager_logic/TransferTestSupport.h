#pragma once
// Pieces shared by the transfer tests: a simulated panel serving a card folder
// of our own, a display that records the engine's events and lets a test act
// at a progress step, a scripted conflict resolver, and a private system
// temporary folder (TMPDIR) so that left-over temporary files show.
#include "common/CPrompt.h"
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/TransferLines.h"
#include "support/CScriptedPrompt.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Bytes of every value, differing from block to block.
std::string PatternBytes(size_t nLength, unsigned nSeed = 7);

// The line shown for a file that could not be copied.
inline std::string FailedText(const std::string& strName)
{
    return "Error in copying file.\nCould not copy the remote file " + strName +
           " to the Local Computer.";
}

// The files directly in a folder (names only, sorted).
std::vector<std::string> FolderNames(const std::string& strFolder);

class CTestDisplay : public CHeadlessTransferDisplay
{
public:
    // Called at every progress step with the step's number (from 1).
    std::function<void(int)> m_fnOnStep;
    int m_nSteps = 0;
    int m_nMaxPercent = 0;
    uint64_t m_nBytes = 0; // of the last progress step
    int m_nRows = 0;       // of the last transfer started
    bool m_bRunning = false;
    int m_nRowsDone = 0;
    std::string m_strShownFolder;
    std::string m_strLastTransferText;
    ETransferStatus m_eFinished = ETransferStatus::Ok;
    // The count and file lines a window would show, in order.
    std::vector<std::string> m_arrCountTexts;
    std::vector<std::string> m_arrFileTexts;

    void TransferStarted(int nRows, uint64_t) override
    {
        m_nRows = nRows;
        m_bRunning = true;
    }
    void TimesChanged(const std::string& strText) override { m_strLastTransferText = strText; }
    void FileReached(int nRow, int nRows) override
    {
        m_arrCountTexts.push_back(CountLineText(nRow, nRows));
    }
    void FileBegins(const std::string& strName, uint64_t) override
    {
        m_arrFileTexts.push_back(FileLineText(strName));
    }
    void BytesTransferred(uint64_t nBytes, int nPercent) override
    {
        m_nBytes = nBytes;
        m_nMaxPercent = std::max(m_nMaxPercent, nPercent);
    }
    bool PollCancel() override
    {
        ++m_nSteps;
        if (m_fnOnStep)
            m_fnOnStep(m_nSteps);
        return false;
    }
    void RowsDone(const std::string& strFolder) override
    {
        ++m_nRowsDone;
        m_strShownFolder = strFolder;
    }
    void TransferFinished(const STransferCounts&, ETransferStatus eStatus,
                          const std::string& strText) override
    {
        m_bRunning = false;
        m_eFinished = eStatus;
        m_strLastTransferText = strText;
    }
};

struct SConflictAnswer
{
    bool bCancel = false; // Esc
    EConflictAction eAction = EConflictAction::Skip;
    bool bApplyToNext = false;
    std::string strNewName; // for Rename
};

class CScriptedResolver : public CConflictResolver
{
public:
    std::deque<SConflictAnswer> m_arrAnswers;
    std::vector<SConflictRequest> m_arrAsked;

    bool Resolve(SConflictRequest& request) override;
};

enum class EFetchPath
{
    MessageCodes, // a file-command panel (type 186)
    Tftp,         // a card-command panel that cannot back up CSV files (type 80)
};

class CTransferTestBench
{
public:
    CTransferTestBench();
    ~CTransferTestBench();

    CTempDir m_dir;
    std::string m_strCard, m_strRoot, m_strTemp;
    CScriptedPrompt m_prompt;
    CTestDisplay m_display;
    CScriptedResolver m_resolver;
    CTransferEngine m_engine{m_display, m_resolver, m_prompt};

    void WriteCard(const std::string& strName, const std::string& strBytes) const
    {
        m_dir.WriteFile("card/" + strName, strBytes);
    }
    void WriteLocal(const std::string& strRelative, const std::string& strBytes) const
    {
        m_dir.WriteFile("local/" + strRelative, strBytes);
    }
    std::string ReadLocal(const std::string& strRelative) const
    {
        return m_dir.ReadFile("local/" + strRelative);
    }
    bool LocalExists(const std::string& strRelative) const;

    // Starts the simulator on the card and connects as the main window does.
    void StartPanel(EFetchPath ePath, std::vector<std::string> arrExtraArgs = {});
    // The card's entries as the main window's list shows them (folders with
    // size 0): all of them sorted by name, or the named ones in that order.
    std::vector<DIR_DATA> Select(const std::vector<std::string>& arrNames = {}) const;
    STransferRequest MakeRequest(std::vector<DIR_DATA> arrSelected) const;
    std::vector<std::string> CardNames() const { return FolderNames(m_strCard); }
    int PanelPort() const { return m_pSim->Port(); }

private:
    std::unique_ptr<CSimulatorProcess> m_pSim;
    std::unique_ptr<CScopedPrompt> m_pScopedPrompt;
    std::string m_strOldTmpDir;
    bool m_bHadTmpDir = false;
};

// While alive, file access is checked as an unprivileged user (so that a
// read-only folder stays read-only for a test run as root).
class CUnprivilegedFileAccess
{
public:
    CUnprivilegedFileAccess();
    ~CUnprivilegedFileAccess();
    CUnprivilegedFileAccess(const CUnprivilegedFileAccess&) = delete;
    CUnprivilegedFileAccess& operator=(const CUnprivilegedFileAccess&) = delete;

private:
    bool m_bSwitched = false;
};
