#include "app/CAppShell.h"
#include "app/CSettingsStore.h"

#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
// Every shell here keeps its settings and documents inside a temporary
// folder; nothing reaches the user's own configuration.
class AppShell : public ::testing::Test
{
protected:
    AppShell()
        : m_loader((m_dir.Path() / "no-brand-file").string(), DEFAULT_BRAND), m_guard(m_prompt)
    {
        fs::create_directories(ConfigRoot());
        fs::create_directories(Documents());
    }
    ~AppShell() override { CNameIpRecInfo::SetDataFolder(std::string()); }

    fs::path ConfigRoot() const { return m_dir.Path() / "config"; }
    fs::path Documents() const { return m_dir.Path() / "docs"; }
    fs::path DataFolder() const { return Documents() / "Ilvane" / "Ilvane Remote File Manager"; }

    std::unique_ptr<CAppShell> NewShell() const
    {
        auto pShell = std::make_unique<CAppShell>(m_loader);
        pShell->SetConfigRoot(ConfigRoot().string());
        pShell->SetDocumentsFolder(Documents().string());
        return pShell;
    }
    CSettingsStore OpenStore() const
    {
        return CSettingsStore("Ilvane", "Ilvane Remote File Manager", ConfigRoot().string());
    }

    CTempDir m_dir;
    CProgramLoader m_loader;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_guard;
};
} // namespace

TEST_F(AppShell, PreferencesAndLastPanelRoundTripThroughTheBrandsSettingsFile)
{
    // No settings file yet: the values in memory stay.
    auto pShell = NewShell();
    pShell->m_strLocalFolderPath = "/data/logs, 2024";
    pShell->m_bAutoAddCSVExt = true;
    CNameIpRec rec;
    pShell->LoadPreferences(&rec);
    EXPECT_EQ(pShell->m_strLocalFolderPath, "/data/logs, 2024");
    EXPECT_FALSE(pShell->m_bAutoCreateLocalFolder);
    EXPECT_EQ(rec.FormatLine(), CNameIpRec().FormatLine());
    EXPECT_FALSE(fs::exists(ConfigRoot() / "Ilvane"));

    pShell->m_bAutoCreateLocalFolder = true;
    pShell->m_bAutoAddCSVExt = false;
    pShell->SavePreferences();
    const std::string strText = m_dir.ReadFile("config/Ilvane/Ilvane Remote File Manager.conf");
    EXPECT_NE(strText.find("AutoCreateLocalFolder=1"), std::string::npos) << strText;
    EXPECT_NE(strText.find("AutoAddCSVExt=0"), std::string::npos) << strText;
    EXPECT_EQ(OpenStore().ReadText("", "Version", ""), " 1.1.9");

    auto pOther = NewShell();
    pOther->m_bAutoAddCSVExt = true;
    pOther->LoadPreferences();
    EXPECT_EQ(pOther->m_strLocalFolderPath, "/data/logs, 2024");
    EXPECT_TRUE(pOther->m_bAutoCreateLocalFolder);
    EXPECT_FALSE(pOther->m_bAutoAddCSVExt);

    // The last panel is stored and added to the list once.
    const CNameIpRec last("Line 3", 192, 168, 1, 20, 502);
    pShell->SavePreferences(&last);
    EXPECT_EQ(OpenStore().ReadInt("PanelDetails", "PanelIp Address BYTE 0", -1), 192);
    EXPECT_EQ(OpenStore().ReadText("PanelDetails", "PanelName", ""), "Line 3");

    pOther = NewShell();
    pOther->m_PanelList.AddTail(CNameIpRec("First", 1, 1, 1, 1, 1));
    pOther->LoadPreferences(&rec);
    EXPECT_EQ(rec.FormatLine(), "Line 3|192.168.1.20|502|\r\r\n");
    ASSERT_EQ(pOther->m_PanelList.GetCount(), 2);
    EXPECT_EQ(pOther->m_PanelList.GetAt(1).FormatLine(), rec.FormatLine());

    // Already listed under another case of the name: not added again.
    pOther->m_PanelList.GetAt(1).m_strName = "LINE 3";
    CNameIpRec again;
    pOther->LoadPreferences(&again);
    EXPECT_EQ(pOther->m_PanelList.GetCount(), 2);
    EXPECT_EQ(again.m_strName, "Line 3");

    // A zero address means no last panel; an address alone an empty name and
    // the default port.
    {
        CSettingsStore store = OpenStore();
        store.WriteText("PanelDetails", "PanelName", "Ghost");
        store.WriteInt("PanelDetails", "PortNumber", 502);
        for (int i = 0; i < 4; ++i)
            store.WriteInt("PanelDetails", VAL_PANEL_IP_BYTE[i], 0);
    }
    pShell = NewShell();
    CNameIpRec none;
    pShell->LoadPreferences(&none);
    EXPECT_EQ(none.FormatLine(), CNameIpRec().FormatLine());
    EXPECT_TRUE(pShell->m_PanelList.IsEmpty());
}

TEST_F(AppShell, FirstSaveRemovesEarlierInstallationsOnce)
{
    m_dir.WriteFile("config/Ilvane Remote File Manager.conf", "old");
    m_dir.WriteFile("config/Ilvane Remote File Manager 1.0/deep/x.conf", "old");
    m_dir.WriteFile("config/Old Ilvane Remote File Manager/x.conf", "keep");
    m_dir.WriteFile("config/ilvane remote file manager.conf", "keep");
    m_dir.WriteFile("config/Ilvane Remote File Manage", "keep");
    m_dir.WriteFile("config/Ilvane/Other Program.conf", "keep");
    OpenStore().WriteText("Elsewhere", "Kept", "yes");

    NewShell()->SavePreferences();
    const fs::path root = ConfigRoot();
    EXPECT_FALSE(fs::exists(root / "Ilvane Remote File Manager.conf"));
    EXPECT_FALSE(fs::exists(root / "Ilvane Remote File Manager 1.0"));
    EXPECT_TRUE(fs::exists(root / "Old Ilvane Remote File Manager" / "x.conf"));
    EXPECT_TRUE(fs::exists(root / "ilvane remote file manager.conf"));
    EXPECT_TRUE(fs::exists(root / "Ilvane Remote File Manage"));
    EXPECT_TRUE(fs::exists(root / "Ilvane" / "Other Program.conf"));
    EXPECT_EQ(OpenStore().ReadText("Elsewhere", "Kept", ""), "yes");
    EXPECT_EQ(OpenStore().ReadText("", "Version", ""), " 1.1.9");

    // With the version stored, later saves leave such entries alone.
    m_dir.WriteFile("config/Ilvane Remote File Manager 2.0", "new");
    NewShell()->SavePreferences();
    EXPECT_TRUE(fs::exists(root / "Ilvane Remote File Manager 2.0"));
}

TEST_F(AppShell, StartUpAndShutdownCarryListAndPreferences)
{
    m_dir.WriteFile("docs/Ilvane/Ilvane Remote File Manager/PanelsList.INI",
                    "A|1.1.1.1|1|\r\r\nB|2.2.2.2|2|\r\r\n");
    OpenStore().WriteInt("User Preferences", "AutoAddCSVExt", 1);

    auto pShell = NewShell();
    pShell->StartUp();
    EXPECT_EQ(CNameIpRecInfo::GetDataFolder(), DataFolder().string());
    EXPECT_EQ(pShell->m_strLocalFolderPath, DataFolder().string());
    EXPECT_TRUE(pShell->m_bAutoAddCSVExt);
    EXPECT_FALSE(pShell->m_bAutoCreateLocalFolder);
    ASSERT_EQ(pShell->m_PanelList.GetCount(), 2);

    pShell->m_PanelList.AddTail(CNameIpRec("C", 3, 3, 3, 3, 3));
    pShell->m_strLocalFolderPath = "/chosen";
    pShell->Shutdown();
    EXPECT_TRUE(pShell->m_PanelList.IsEmpty());
    EXPECT_EQ(m_dir.ReadFile("docs/Ilvane/Ilvane Remote File Manager/PanelsList.INI"),
              "A|1.1.1.1|1|\r\r\nB|2.2.2.2|2|\r\r\nC|3.3.3.3|3|\r\r\n");
    EXPECT_EQ(OpenStore().ReadText("User Preferences", "PathToSystemFolder", ""), "/chosen");
    EXPECT_TRUE(m_prompt.Shown().empty());

    // The stored folder wins over the data folder at the next start.
    auto pNext = NewShell();
    pNext->StartUp();
    EXPECT_EQ(pNext->m_strLocalFolderPath, "/chosen");
    EXPECT_EQ(pNext->m_PanelList.GetCount(), 3);

    // A file where the documents folder should be: reported, and the path
    // still returned.
    fs::remove_all(Documents());
    m_dir.WriteFile("docs", "a file where the folder should be");
    EXPECT_EQ(NewShell()->GetAppDataFolder(), DataFolder().string());
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Unable to create folder\n" + DataFolder().string());
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
}
