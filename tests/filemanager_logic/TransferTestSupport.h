#pragma once
// Pieces shared by the transfer tests: a simulated panel serving a card folder
// of our own, a display that lets a test act at a progress step, a scripted
// conflict resolver, and a private system temporary folder (TMPDIR) so that
// left-over temporary files show.
#include "common/CPrompt.h"
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
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

    void ProcessPendingEvent() override
    {
        ++m_nSteps;
        m_nMaxPercent = std::max(m_nMaxPercent, m_nFilePercent);
        if (m_fnOnStep)
            m_fnOnStep(m_nSteps);
    }
};

struct SConflictAnswer
{
    bool bCancel = false; // Esc
    int nAction = 0;
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
    CTransferEngine m_engine{m_display, m_resolver};

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
