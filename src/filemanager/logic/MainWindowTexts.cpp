#include "filemanager/logic/MainWindowTexts.h"

#include "common/AppStrings.h"
#include "common/StrFormat.h"

// The double blanks in these texts are the window's own and kept on purpose.
std::string PanelComboText(const CNameIpRec& panel)
{
    const std::string strAddress = panel.GetIPText();
    if (panel.m_strName.empty())
        return strAddress;
    return StrFormat("%s -  %s", strAddress.c_str(), panel.m_strName.c_str());
}

std::string ConnectButtonText(bool bHasSelection, bool bConnectedItem,
                              const std::string& strAddress)
{
    if (!bHasSelection)
        return "Get Files List";
    return StrFormat("%s\nFiles List From\n%s", bConnectedItem ? "Refresh" : "Get",
                     strAddress.c_str());
}

std::string BaseTitle(const std::string& strVersionText)
{
    return std::string(LoadAppString(IDS_APP_NAME)) + strVersionText;
}

std::string MainWindowTitle(const std::string& strVersionText, const CNameIpRec* pConnected)
{
    const std::string strBase = BaseTitle(strVersionText);
    if (!pConnected)
        return strBase;
    return StrFormat("%s : %s [ IP - %s ]", strBase.c_str(), pConnected->m_strName.c_str(),
                     pConnected->GetIPText().c_str());
}

std::string RemoteGroupTitle(const CNameIpRec* pConnected)
{
    if (!pConnected)
        return "Remote Panel Files";
    return StrFormat("Remote Panel Files:  [ IP - %s ]", pConnected->GetIPText().c_str());
}

SAutoFolderTexts AutoFolderTexts(bool bAutoCreate)
{
    if (bAutoCreate)
        return {"Copy Selected Remote Files to Auto Created Folder on Local Computer\n>>",
                "Move Selected Remote Files to Auto Created Folder on Local Computer\n>>",
                "Select Root Folder on Local Computer :"};
    return {"Copy Selected Remote Files to Selected Folder on Local Computer\n>>",
            "Move Selected Remote Files to Selected Folder on Local Computer\n>>",
            "Select Folder on Local Computer :"};
}

std::optional<std::string> LocalFolderForSelection(const std::string& strPath, bool bIsFolder)
{
    if (bIsFolder)
        return strPath;
    // Native separators here, and the backslash of the system's own texts.
    const size_t nLast = strPath.find_last_of("/\\");
    if (nLast == std::string::npos || nLast == 0)
        return std::nullopt;
    return strPath.substr(0, nLast);
}
