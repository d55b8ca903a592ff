#pragma once
// The transfer tests' bench: a simulated panel on our own card, a private TMPDIR.
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/TransferLines.h"
#include "link/CCommInterface.h"
#include "support/CScriptedPrompt.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/PatternBytes.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using Names = std::vector<std::string>;

inline std::string FailedText(const std::string& strName)
{
    return "Error in copying file.\nCould not copy the remote file " + strName +
           " to the Local Computer.";
}

// The action, "apply to next", the new name for Rename, and Esc.
struct SConflictAnswer
{
    EConflictAction eAction;
    bool bApplyToNext = false;
    std::string strNewName = "";
    bool bCancel = false;
};

// A file-command panel (type 186); a card-command one that cannot back up CSV files (type 80).
enum class EFetchPath
{
    MessageCodes,
    Tftp
};

// The engine's display (recording the lines a window shows) and scripted resolver.
class CTransferTestBench : public CHeadlessTransferDisplay, public CConflictResolver
{
public:
    CTransferTestBench()
    {
        for (const std::string& strFolder : {m_strCard, m_strRoot, m_strTemp})
            std::filesystem::create_directories(strFolder);
        m_strOldTmpDir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", m_strTemp.c_str(), 1);
        m_engine.SetCommTimeouts(2000, 5000);
        m_engine.SetTftpTimeout(2000);
    }
    ~CTransferTestBench() override
    {
        m_pSim.reset(); // its own output files live in the same temporary folder
        // Whatever happened, no temporary file may be left behind.
        EXPECT_EQ(Names{}, FolderNames(m_strTemp));
        m_strOldTmpDir.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", m_strOldTmpDir.c_str(), 1);
    }

    CTempDir m_dir;
    std::string m_strCard = m_dir.Str() + "/card", m_strRoot = m_dir.Str() + "/local",
                m_strTemp = m_dir.Str() + "/systemp";
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CTransferEngine m_engine{*this, *this, m_prompt};
    std::function<void(int)> m_fnOnStep; // at every progress step (numbered from 1)
    int m_nSteps = 0, m_nMaxPercent = 0;
    uint64_t m_nBytes = 0; // of the last progress step
    std::string m_strLastTransferText;
    Names m_arrEvents;
    std::deque<SConflictAnswer> m_arrAnswers;
    std::vector<SConflictRequest> m_arrAsked;

    void TransferStarted(int nRows, uint64_t) override { Add("started: ", nRows); }
    void TimesChanged(const std::string& strText) override { m_strLastTransferText = strText; }
    void FileReached(int nRow, int nRows) override { Add(CountLineText(nRow, nRows)); }
    void FileBegins(const std::string& strName, uint64_t) override { Add(FileLineText(strName)); }
    void BytesTransferred(uint64_t nBytes, int nPercent) override
    {
        m_nBytes = nBytes;
        m_nMaxPercent = std::max(m_nMaxPercent, nPercent);
    }
    bool PollCancel() override
    {
        if (++m_nSteps, m_fnOnStep)
            m_fnOnStep(m_nSteps);
        return false;
    }
    void RowsDone(const std::string& strFolder) override { Add("rows done: " + strFolder); }
    void TransferFinished(const STransferCounts&, ETransferStatus eStatus,
                          const std::string& strText) override
    {
        Add("finished: ", static_cast<int>(eStatus));
        m_strLastTransferText = strText;
    }
    bool Resolve(SConflictRequest& request) override
    {
        m_arrAsked.push_back(request);
        if (m_arrAnswers.empty())
            throw std::logic_error("unexpected conflict for " + request.strFileName);
        const SConflictAnswer answer = m_arrAnswers.front();
        m_arrAnswers.pop_front();
        if (answer.bCancel)
            return false;
        request.eAction = answer.eAction, request.bApplyToNext = answer.bApplyToNext;
        request.strFileName = answer.strNewName.empty() ? request.strFileName : answer.strNewName;
        return true;
    }

    // Files ("card/A.CSV") holding strPrefix and their own name.
    void Write(const Names& arrPaths, const std::string& strPrefix = "")
    {
        for (const std::string& strPath : arrPaths)
            m_dir.WriteFile(strPath, strPrefix + strPath.substr(strPath.rfind('/') + 1));
    }
    std::string Read(const std::string& strPath) const { return m_dir.ReadFile(strPath); }
    // "name=bytes" of every file directly in a folder below the bench's, sorted.
    Names Contents(const std::string& strFolder) const
    {
        Names arrFiles;
        for (const std::string& strName : FolderNames(m_dir.Str() + "/" + strFolder))
            arrFiles.push_back(strName + "=" + Read(strFolder + "/" + strName));
        return arrFiles;
    }
    // Starts the simulator on the card and connects as the main window does.
    void StartPanel(EFetchPath ePath, Names arrArgs = {})
    {
        arrArgs.insert(arrArgs.begin(),
                       {"--card", m_strCard, "--type", ePath == EFetchPath::Tftp ? "80" : "186"});
        m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
        CCommInterface comm(m_pSim->Address(), m_pSim->Port());
        comm.SetTimeouts(2000, 5000);
        if (!comm.CheckPanelType() || CanBackupCsvFiles() != (ePath == EFetchPath::MessageCodes))
            throw std::runtime_error("the panel does not select the fetch path: " +
                                     comm.GetError());
    }
    // A request for all the card's entries (folders with size 0), or the named ones.
    STransferRequest Request(const Names& arrNames = {}) const
    {
        STransferRequest request;
        for (const std::string& strName : arrNames.empty() ? FolderNames(m_strCard) : arrNames)
        {
            const std::filesystem::path path = m_strCard + "/" + strName;
            const bool bFolder = std::filesystem::is_directory(path);
            request.arrSelected.push_back(
                {strName, bFolder ? "0" : std::to_string(std::filesystem::file_size(path)), {}});
        }
        request.strPanelAddress = m_pSim->Address();
        request.nPanelPort = m_pSim->Port();
        request.nTftpPort = m_pSim->TftpPort();
        request.strRootFolder = m_strRoot;
        return request;
    }
    // Copied, skipped, left out, failed, not attempted.
    std::vector<int> Counts() const
    {
        const STransferCounts& c = m_engine.GetCounts();
        return {c.nCopied, c.nSkipped, c.nLeftOut, c.nFailed, c.nNotAttempted};
    }
    bool EndedWith(const char* pszStatus) const
    {
        return m_strLastTransferText.find(std::string("Status: ") + pszStatus) != std::string::npos;
    }

private:
    void Add(const std::string& strText, int nNumber = -1)
    {
        m_arrEvents.push_back(nNumber < 0 ? strText : strText + std::to_string(nNumber));
    }

    std::unique_ptr<CSimulatorProcess> m_pSim;
    std::string m_strOldTmpDir;
};
