#include "panels/CNameIpRecInfo.h"

#include "common/AppStrings.h"
#include "common/CPrompt.h"
#include "common/CTempFile.h"

#include <cstdio>
#include <filesystem>

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
    std::string strText;
    for (const auto& pRec : m_PanelList)
        strText += pRec->FormatLine();
    std::string strError;
    const auto fnWrite = [&strText](CTempFile& temp, std::string& strWriteError)
    { return temp.WriteAll(strText.data(), strText.size(), strWriteError); };
    if (!SafeReplaceFile(strPath, fnWrite, strError))
    {
        ShowListFileError();
        return false;
    }
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
