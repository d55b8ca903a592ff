#include "TransferTestSupport.h"

#include "link/CCommInterface.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/fsuid.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string PatternBytes(size_t nLength, unsigned nSeed)
{
    std::string strBytes(nLength, '\0');
    unsigned nState = nSeed;
    for (size_t i = 0; i < nLength; ++i)
    {
        nState = nState * 1103515245u + 12345u;
        strBytes[i] = static_cast<char>((nState >> 16) ^ (i / 254));
    }
    return strBytes;
}

std::vector<std::string> FolderNames(const std::string& strFolder)
{
    std::vector<std::string> arrNames;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(strFolder, ec))
        arrNames.push_back(item.path().filename().string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

bool CScriptedResolver::Resolve(SConflictRequest& request)
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

CTransferTestBench::CTransferTestBench()
{
    m_strCard = (m_dir.Path() / "card").string();
    m_strRoot = (m_dir.Path() / "local").string();
    m_strTemp = (m_dir.Path() / "systemp").string();
    for (const std::string& strFolder : {m_strCard, m_strRoot, m_strTemp})
        fs::create_directories(strFolder);
    const char* pszOld = std::getenv("TMPDIR");
    m_bHadTmpDir = pszOld != nullptr;
    m_strOldTmpDir = pszOld ? pszOld : "";
    setenv("TMPDIR", m_strTemp.c_str(), 1);
    m_pScopedPrompt = std::make_unique<CScopedPrompt>(m_prompt);
    m_engine.SetCommTimeouts(2000, 5000);
    m_engine.SetTftpTimeout(2000);
}

CTransferTestBench::~CTransferTestBench()
{
    // The simulator's own output files live in the same temporary folder.
    m_pSim.reset();
    // Whatever happened, no temporary file may be left behind.
    EXPECT_EQ(std::vector<std::string>{}, FolderNames(m_strTemp));
    if (m_bHadTmpDir)
        setenv("TMPDIR", m_strOldTmpDir.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

bool CTransferTestBench::LocalExists(const std::string& strRelative) const
{
    std::error_code ec;
    return fs::exists(fs::path(m_strRoot) / strRelative, ec);
}

void CTransferTestBench::StartPanel(EFetchPath ePath, std::vector<std::string> arrExtraArgs)
{
    std::vector<std::string> arrArgs = {"--card", m_strCard, "--type",
                                        ePath == EFetchPath::Tftp ? "80" : "186"};
    arrArgs.insert(arrArgs.end(), arrExtraArgs.begin(), arrExtraArgs.end());
    m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
    CCommInterface comm(m_pSim->Address(), m_pSim->Port());
    comm.SetTimeouts(2000, 5000);
    if (!comm.CheckPanelType())
        throw std::runtime_error("panel refused: " + comm.GetError());
    if (CanBackupCsvFiles() != (ePath == EFetchPath::MessageCodes))
        throw std::runtime_error("the panel type does not select the fetch path");
}

std::vector<DIR_DATA> CTransferTestBench::Select(const std::vector<std::string>& arrNames) const
{
    std::vector<DIR_DATA> arrSelected;
    for (const std::string& strName : arrNames.empty() ? CardNames() : arrNames)
    {
        const fs::path path = fs::path(m_strCard) / strName;
        if (!fs::exists(path))
            throw std::runtime_error("not listed: " + strName);
        DIR_DATA entry;
        entry.strName = strName;
        entry.strSize = fs::is_directory(path) ? "0" : std::to_string(fs::file_size(path));
        arrSelected.push_back(entry);
    }
    return arrSelected;
}

STransferRequest CTransferTestBench::MakeRequest(std::vector<DIR_DATA> arrSelected) const
{
    STransferRequest request;
    request.arrSelected = std::move(arrSelected);
    request.strPanelAddress = m_pSim->Address();
    request.nPanelPort = m_pSim->Port();
    request.nTftpPort = m_pSim->TftpPort();
    request.strRootFolder = m_strRoot;
    return request;
}

CUnprivilegedFileAccess::CUnprivilegedFileAccess()
{
    if (geteuid() == 0)
    {
        setfsuid(65534);
        setfsgid(65534);
        m_bSwitched = true;
    }
}

CUnprivilegedFileAccess::~CUnprivilegedFileAccess()
{
    if (m_bSwitched)
    {
        setfsuid(0);
        setfsgid(0);
    }
}
