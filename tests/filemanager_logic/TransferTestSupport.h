#pragma once
// Pieces shared by the transfer tests: a simulated panel serving a card folder
// of our own, a display that records the engine's events and lets a test act
// at a progress step, a scripted conflict resolver, and a private system
// temporary folder (TMPDIR) so that left-over temporary files show.
#include "filemanager/logic/CConflictResolver.h"
#include "filemanager/logic/CHeadlessTransferDisplay.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/TransferLines.h"
#include "link/CCommInterface.h"
#include "support/CScriptedPrompt.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Bytes of every value, differing from block to block.
inline std::string PatternBytes(size_t nLength, unsigned nSeed = 7)
{
    std::string strBytes(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
    {
        nSeed = nSeed * 1103515245u + 12345u;
        strBytes[i] = static_cast<char>((nSeed >> 16) ^ (i / 254));
    }
    return strBytes;
}

// The line shown for a file that could not be copied.
inline std::string FailedText(const std::string& strName)
{
    return "Error in copying file.\nCould not copy the remote file " + strName +
           " to the Local Computer.";
}

// The names directly in a folder, sorted.
inline std::vector<std::string> FolderNames(const std::string& strFolder)
{
    std::vector<std::string> arrNames;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(strFolder, ec))
        arrNames.push_back(item.path().filename().string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

// Records the engine's events as the lines a window would show, and lets a
// test act at every progress step (numbered from 1).
class CTestDisplay : public CHeadlessTransferDisplay
{
public:
    std::function<void(int)> m_fnOnStep;
    int m_nSteps = 0, m_nMaxPercent = 0;
    uint64_t m_nBytes = 0; // of the last progress step
    std::string m_strLastTransferText;
    std::vector<std::string> m_arrEvents; // start, count and file lines, rows done, the end

    void TransferStarted(int nRows, uint64_t) override
    {
        m_arrEvents.push_back("started: " + std::to_string(nRows));
    }
    void TimesChanged(const std::string& strText) override { m_strLastTransferText = strText; }
    void FileReached(int nRow, int nRows) override
    {
        m_arrEvents.push_back(CountLineText(nRow, nRows));
    }
    void FileBegins(const std::string& strName, uint64_t) override
    {
        m_arrEvents.push_back(FileLineText(strName));
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
        m_arrEvents.push_back("rows done: " + strFolder);
    }
    void TransferFinished(const STransferCounts&, ETransferStatus eStatus,
                          const std::string& strText) override
    {
        m_arrEvents.push_back("finished: " + std::to_string(static_cast<int>(eStatus)));
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

    bool Resolve(SConflictRequest& request) override
    {
        m_arrAsked.push_back(request);
        if (m_arrAnswers.empty())
            throw std::logic_error("unexpected conflict for " + request.strFileName);
        const SConflictAnswer answer = m_arrAnswers.front();
        m_arrAnswers.pop_front();
        if (answer.bCancel)
            return false;
        request.eAction = answer.eAction;
        request.bApplyToNext = answer.bApplyToNext;
        if (!answer.strNewName.empty())
            request.strFileName = answer.strNewName;
        return true;
    }
};

enum class EFetchPath
{
    MessageCodes, // a file-command panel (type 186)
    Tftp,         // a card-command panel that cannot back up CSV files (type 80)
};

class CTransferTestBench
{
public:
    CTransferTestBench()
    {
        for (const std::string& strFolder : {m_strCard, m_strRoot, m_strTemp})
            std::filesystem::create_directories(strFolder);
        if (const char* pszOld = std::getenv("TMPDIR"))
            m_pOldTmpDir = std::make_unique<std::string>(pszOld);
        setenv("TMPDIR", m_strTemp.c_str(), 1);
        m_engine.SetCommTimeouts(2000, 5000);
        m_engine.SetTftpTimeout(2000);
    }
    ~CTransferTestBench()
    {
        m_pSim.reset(); // its own output files live in the same temporary folder
        // Whatever happened, no temporary file may be left behind.
        EXPECT_EQ(std::vector<std::string>{}, FolderNames(m_strTemp));
        if (m_pOldTmpDir)
            setenv("TMPDIR", m_pOldTmpDir->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

    CTempDir m_dir;
    std::string m_strCard = m_dir.Str() + "/card", m_strRoot = m_dir.Str() + "/local",
                m_strTemp = m_dir.Str() + "/systemp";
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CTestDisplay m_display;
    CScriptedResolver m_resolver;
    CTransferEngine m_engine{m_display, m_resolver, m_prompt};

    // Starts the simulator on the card and connects as the main window does.
    void StartPanel(EFetchPath ePath, std::vector<std::string> arrArgs = {})
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
    // The card's entries as the main window's list shows them (folders with
    // size 0): all of them sorted by name, or the named ones in that order.
    std::vector<DIR_DATA> Select(const std::vector<std::string>& arrNames = {}) const
    {
        std::vector<DIR_DATA> arrSelected;
        for (const std::string& strName : arrNames.empty() ? FolderNames(m_strCard) : arrNames)
        {
            const std::filesystem::path path = m_strCard + "/" + strName;
            const bool bFolder = std::filesystem::is_directory(path);
            arrSelected.push_back(
                {strName, bFolder ? "0" : std::to_string(std::filesystem::file_size(path)), {}});
        }
        return arrSelected;
    }
    STransferRequest MakeRequest(std::vector<DIR_DATA> arrSelected) const
    {
        STransferRequest request;
        request.arrSelected = std::move(arrSelected);
        request.strPanelAddress = m_pSim->Address();
        request.nPanelPort = m_pSim->Port();
        request.nTftpPort = m_pSim->TftpPort();
        request.strRootFolder = m_strRoot;
        return request;
    }

private:
    std::unique_ptr<CSimulatorProcess> m_pSim;
    std::unique_ptr<std::string> m_pOldTmpDir;
};
