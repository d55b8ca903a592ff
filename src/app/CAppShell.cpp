#include "app/CAppShell.h"

#include "app/CSettingsStore.h"
#include "common/AppStrings.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"

#include <QStandardPaths>
#include <QString>

#include <filesystem>

namespace fs = std::filesystem;

CAppShell::CAppShell(const CProgramLoader& loader)
    : m_Loader(loader), m_strRegistryKey(loader.GetMakerName())
{
}

std::string CAppShell::GetSettingsFilePath() const
{
    return CSettingsStore::SettingsFilePath(m_strRegistryKey, STR_APP_TITLE, m_strConfigRoot);
}

std::string CAppShell::GetDocumentsFolder() const
{
    if (!m_strDocumentsFolder.empty())
        return m_strDocumentsFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

std::string CAppShell::GetAppDataFolder() const
{
    const std::string strPath = StrFormat("%s/%s/%s", GetDocumentsFolder().c_str(),
                                          m_Loader.GetMakerName().c_str(), STR_APP_TITLE);
    std::error_code ec;
    if (fs::is_directory(strPath, ec))
        return strPath;
    fs::create_directories(strPath, ec);
    if (!fs::is_directory(strPath, ec))
        GetPrompt().Message(StrFormat("Unable to create folder\n%s", strPath.c_str()),
                            EPromptIcon::Stop);
    return strPath;
}

void CAppShell::StartUp()
{
    m_strLocalFolderPath = GetAppDataFolder();
    CNameIpRecInfo::SetDataFolder(m_strLocalFolderPath);
    m_PanelList.Load();
    LoadPreferences();
}

void CAppShell::Shutdown()
{
    m_PanelList.Save();
    m_PanelList.RemoveAll();
    SavePreferences();
}

void CAppShell::LoadPreferences(CNameIpRec* pLastPanel)
{
    const CSettingsStore store(m_strRegistryKey, STR_APP_TITLE, m_strConfigRoot);
    m_strLocalFolderPath =
        store.ReadText(KEY_USER_PREFERENCES, VAL_PATH_TO_SYSTEM_FOLDER, m_strLocalFolderPath);
    m_bAutoCreateLocalFolder = store.ReadInt(KEY_USER_PREFERENCES, VAL_AUTO_CREATE_LOCAL_FOLDER,
                                             m_bAutoCreateLocalFolder ? 1 : 0) != 0;
    m_bAutoAddCSVExt =
        store.ReadInt(KEY_USER_PREFERENCES, VAL_AUTO_ADD_CSV_EXT, m_bAutoAddCSVExt ? 1 : 0) != 0;
    if (pLastPanel)
        LoadLastPanel(store, *pLastPanel);
}

void CAppShell::LoadLastPanel(const CSettingsStore& store, CNameIpRec& rec)
{
    for (int i = 0; i < 4; ++i)
        rec.m_IPAddress[i] =
            static_cast<unsigned char>(store.ReadInt(KEY_PANEL_DETAILS, VAL_PANEL_IP_BYTE[i], 0));
    // An address of 0.0.0.0 means no connection has been saved yet, whatever
    // name and port are stored beside it.
    if (rec.IsBlankAddress())
        return;
    rec.m_strName = store.ReadText(KEY_PANEL_DETAILS, VAL_PANEL_NAME, std::string());
    rec.m_nPort = store.ReadInt(KEY_PANEL_DETAILS, VAL_PORT_NUMBER, DEFAULT_PANEL_PORT);
    if (m_PanelList.FindSamePanel(rec) < 0)
        m_PanelList.AddTail(rec);
}

void CAppShell::SavePreferences(const CNameIpRec* pLastPanel)
{
    CSettingsStore store(m_strRegistryKey, STR_APP_TITLE, m_strConfigRoot);
    store.WriteText(KEY_USER_PREFERENCES, VAL_PATH_TO_SYSTEM_FOLDER, m_strLocalFolderPath);
    store.WriteInt(KEY_USER_PREFERENCES, VAL_AUTO_CREATE_LOCAL_FOLDER,
                   m_bAutoCreateLocalFolder ? 1 : 0);
    store.WriteInt(KEY_USER_PREFERENCES, VAL_AUTO_ADD_CSV_EXT, m_bAutoAddCSVExt ? 1 : 0);
    if (pLastPanel)
    {
        store.WriteText(KEY_PANEL_DETAILS, VAL_PANEL_NAME, pLastPanel->m_strName);
        for (int i = 0; i < 4; ++i)
            store.WriteInt(KEY_PANEL_DETAILS, VAL_PANEL_IP_BYTE[i], pLastPanel->m_IPAddress[i]);
        store.WriteInt(KEY_PANEL_DETAILS, VAL_PORT_NUMBER, pLastPanel->m_nPort);
    }
    RunVersionStep(store);
}

void CAppShell::RunVersionStep(CSettingsStore& store) const
{
    // An empty version means this user has never saved with this program:
    // the one moment to clear away what earlier installations left behind.
    if (store.ReadText(std::string(), VAL_VERSION, std::string()).empty())
        store.RemoveEarlierInstallations(STR_CLEANUP_TITLE);
    store.WriteText(std::string(), VAL_VERSION, m_Loader.GetVersionText());
    store.Flush();
}
