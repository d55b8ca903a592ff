#pragma once
// The application object without its windows: the panel list and the
// in-memory preferences it owns for the whole run, the application data
// folder, and the start-up and exit steps around the main window. The desktop
// program runs StartUp, then its main window, then Shutdown.
#include "app/CProgramLoader.h"
#include "panels/CNameIpRecInfo.h"

#include <string>

class CSettingsStore;

// Settings keys and value names, as earlier versions stored them.
constexpr const char* KEY_USER_PREFERENCES = "User Preferences";
constexpr const char* KEY_PANEL_DETAILS = "PanelDetails";
constexpr const char* VAL_PATH_TO_SYSTEM_FOLDER = "PathToSystemFolder";
constexpr const char* VAL_AUTO_CREATE_LOCAL_FOLDER = "AutoCreateLocalFolder";
constexpr const char* VAL_AUTO_ADD_CSV_EXT = "AutoAddCSVExt";
constexpr const char* VAL_PANEL_IP_BYTE[4] = {"PanelIp Address BYTE 0", "PanelIp Address BYTE 1",
                                              "PanelIp Address BYTE 2", "PanelIp Address BYTE 3"};
constexpr const char* VAL_PANEL_NAME = "PanelName";
constexpr const char* VAL_PORT_NUMBER = "PortNumber";
constexpr const char* VAL_VERSION = "Version";

class CAppShell
{
public:
    explicit CAppShell(const CProgramLoader& loader = g_ProgramLoader);
    virtual ~CAppShell() = default;
    CAppShell(const CAppShell&) = delete;
    CAppShell& operator=(const CAppShell&) = delete;

    // Where the settings and the documents folder are; empty means the
    // user's own. Tests point both at temporary folders.
    void SetConfigRoot(const std::string& strRoot) { m_strConfigRoot = strRoot; }
    void SetDocumentsFolder(const std::string& strFolder) { m_strDocumentsFolder = strFolder; }

    const CProgramLoader& GetLoader() const { return m_Loader; }
    // The maker name under which all settings live (the brand's).
    const std::string& GetRegistryKey() const { return m_strRegistryKey; }
    std::string GetSettingsFilePath() const;

    // "<documents>/<maker>/<application name>", created with every missing
    // folder; "Unable to create folder\n%s" when that fails. The path is
    // returned in every case.
    std::string GetAppDataFolder() const;

    // Data folder, panel list, preferences (no last panel).
    void StartUp();
    // Panel list saved and freed, preferences saved (no last panel).
    void Shutdown();

    // Reads the preferences, each defaulting to its value in memory. With a
    // record, also the last panel: 0.0.0.0 leaves the record empty; otherwise
    // it is filled and, when the list has no such panel, appended to the list.
    void LoadPreferences(CNameIpRec* pLastPanel = nullptr);
    // Writes the preferences, with a record also the last panel, then the
    // version (and, on the very first save, removes earlier installations).
    void SavePreferences(const CNameIpRec* pLastPanel = nullptr);

    CNameIpRecInfo m_PanelList;
    std::string m_strLocalFolderPath;
    bool m_bAutoCreateLocalFolder = false;
    bool m_bAutoAddCSVExt = false;

private:
    void LoadLastPanel(const CSettingsStore& store, CNameIpRec& rec);
    void RunVersionStep(CSettingsStore& store) const;
    std::string GetDocumentsFolder() const;

    const CProgramLoader& m_Loader;
    std::string m_strRegistryKey;
    std::string m_strConfigRoot;
    std::string m_strDocumentsFolder;
};
