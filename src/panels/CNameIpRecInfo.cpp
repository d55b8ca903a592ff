#include "panels/CNameIpRecInfo.h"

#include "app/AppStrings.h"
#include "common/CPrompt.h"

#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string& DataFolder()
{
    static std::string s_strFolder;
    return s_strFolder;
}

void ShowListFileError()
{
    GetPrompt().Message(STR_PANEL_LIST_FILE_ERROR, EPromptIcon::Stop);
}

// The permission bits the new list file gets: those of the file it replaces,
// or what a plain create would give under the current umask.
mode_t ListFileMode(const std::string& strPath)
{
    struct stat st;
    if (::stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t nMask = ::umask(0);
    ::umask(nMask);
    return 0666 & ~nMask;
}

// Makes the rename itself durable; failing here loses nothing already
// written, so it is not reported.
void SyncFolder(const std::string& strFolder)
{
    const int fd = ::open(strFolder.empty() ? "." : strFolder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

void CNameIpRecInfo::CopyFrom(const CNameIpRecInfo& other)
{
    if (&other == this)
        return;
    RemoveAll();
    for (const auto& pRec : other.m_PanelList)
        AddTail(*pRec);
}

CNameIpRec& CNameIpRecInfo::AddTail(const CNameIpRec& rec)
{
    m_PanelList.push_back(std::make_unique<CNameIpRec>(rec));
    return *m_PanelList.back();
}

void CNameIpRecInfo::RemoveAt(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_PanelList.erase(m_PanelList.begin() + nIndex);
}

int CNameIpRecInfo::FindSamePanel(const CNameIpRec& rec) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_PanelList[static_cast<size_t>(i)]->IsSamePanel(rec))
            return i;
    }
    return -1;
}

bool CNameIpRecInfo::LoadFrom(const std::string& strPath)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (!pFile)
        return false;
    int c = std::getc(pFile);
    if (c == EOF)
    {
        const bool bError = std::ferror(pFile) != 0;
        std::fclose(pFile);
        if (bError)
            ShowListFileError();
        return false;
    }
    std::ungetc(c, pFile);

    RemoveAll();
    // Every line gives a record, also one that does not parse: it keeps the
    // fields its line gave and the defaults for the rest.
    while ((c = std::getc(pFile)) != EOF)
    {
        std::ungetc(c, pFile);
        CNameIpRec rec;
        rec.ReadLine(pFile);
        AddTail(rec);
    }
    const bool bError = std::ferror(pFile) != 0;
    std::fclose(pFile);
    if (bError)
    {
        ShowListFileError();
        return false;
    }
    return true;
}

bool CNameIpRecInfo::Save() const
{
    const std::string strPath = GetPanelListPath();
    std::string strTempPath = strPath + ".XXXXXX";
    const int fd = ::mkstemp(strTempPath.data());
    if (fd < 0)
    {
        ShowListFileError();
        return false;
    }
    std::FILE* pFile = ::fdopen(fd, "wb");
    bool bOk = pFile != nullptr;
    if (!pFile)
        ::close(fd);
    for (size_t i = 0; bOk && i < m_PanelList.size(); ++i)
        bOk = m_PanelList[i]->WriteLine(pFile);
    if (pFile)
    {
        bOk = bOk && std::fflush(pFile) == 0 && ::fchmod(fd, ListFileMode(strPath)) == 0 &&
              ::fsync(fd) == 0;
        bOk = std::fclose(pFile) == 0 && bOk;
    }
    bOk = bOk && std::rename(strTempPath.c_str(), strPath.c_str()) == 0;
    if (!bOk)
    {
        ::unlink(strTempPath.c_str());
        ShowListFileError();
        return false;
    }
    SyncFolder(GetDataFolder());
    return true;
}

void CNameIpRecInfo::SetDataFolder(const std::string& strFolder)
{
    DataFolder() = strFolder;
}

const std::string& CNameIpRecInfo::GetDataFolder()
{
    return DataFolder();
}

std::string CNameIpRecInfo::GetPanelListPath()
{
    if (DataFolder().empty())
        return PANEL_LIST_FILE_NAME;
    return (std::filesystem::path(DataFolder()) / PANEL_LIST_FILE_NAME).string();
}
