#include "app/AppCommandLine.h"
#include "app/CAppShell.h"
#include "app/CProgramLoader.h"
#include "app/CSettingsStore.h"
#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(AppCommandLine, ParsesEveryShape)
{
    // The action, then for View "HOST PORT FILE", for a usage error the message.
    const std::pair<std::vector<std::string>, std::string> arrCases[] = {
        {{}, "MainWindow"},
        {{"-h"}, "Help"},
        {{"--version"}, "Version"},
        {{"--view", "127.0.0.1", "41225A07.CSV"}, "View 127.0.0.1 10001 41225A07.CSV"},
        {{"-platform", "offscreen", "--view", "127.0.0.2:4242", "A.CSV"},
         "View 127.0.0.2 4242 A.CSV"},
        {{"--view", "127.0.0.1"}, "UsageError --view needs HOST[:PORT] and FILE"},
        // Which addresses are bad is the address parser's test.
        {{"--view", "h:0", "A"}, "UsageError bad HOST[:PORT] h:0"},
        {{"--view", "127.0.0.1", ""}, "UsageError --view needs a FILE name"},
        {{"--viwe", "127.0.0.1", "A.CSV"}, "UsageError unknown option --viwe"},
        {{"A.CSV"}, "UsageError unexpected argument A.CSV"},
    };
    for (const auto& [arrArgs, strExpected] : arrCases)
    {
        const SAppCommandLine cmd = ParseAppCommandLine(arrArgs);
        const char* const ACTIONS[] = {"MainWindow", "View", "Help", "Version", "UsageError"};
        std::string strResult = ACTIONS[static_cast<int>(cmd.eAction)];
        if (cmd.eAction == EAppAction::View)
            strResult += " " + cmd.strHost + " " + std::to_string(cmd.nPort) + " " + cmd.strFile;
        if (!cmd.strError.empty())
            strResult += " " + cmd.strError;
        EXPECT_EQ(strResult, strExpected) << ::testing::PrintToString(arrArgs);
    }
    const std::string strHelp = AppUsageText();
    for (const char* pszOption : {"--view HOST[:PORT] FILE", "--help", "--version", "10001"})
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
}

TEST(ProgramLoader, BrandFileSelectsBrandNamesAndSettingsLocation)
{
    // The file's bytes (nullptr: none, "/": a folder in its place), then the
    // brand, its short name ("-": not in the table), maker and version text.
    const std::pair<const char*, const char*> arrCases[] = {
        {nullptr, "2|Ilvane Remote|Ilvane| 1.1.9"},
        {"/", "2|Ilvane Remote|Ilvane| 1.1.9"},
        {"MainWindow", "0|KELDRA|Pexalon| 1.1"},
        {"1\r\n", "1|QUENZO|Marvoth| 1.1"},
        {" 1", "1|QUENZO|Marvoth| 1.1"},
        {"7", "7|-|Pexalon| 1.1"},
        {"-1", "-1|-|Pexalon| 1.1"}};
    for (const auto& [pszBytes, pszExpected] : arrCases)
    {
        SCOPED_TRACE(pszBytes ? pszBytes : "no file");
        CTempDir dir;
        const std::string strBrandFile = dir.Str() + "/version.txt";
        if (pszBytes && *pszBytes == '/')
            fs::create_directory(strBrandFile);
        else if (pszBytes)
            dir.WriteFile("version.txt", pszBytes);
        const CProgramLoader loader(strBrandFile, DEFAULT_BRAND);
        const char* pszShort = loader.GetShortNameEntry();
        EXPECT_EQ(std::to_string(loader.GetBrandNumber()) + "|" + (pszShort ? pszShort : "-") +
                      "|" + loader.GetMakerName() + "|" + loader.GetVersionText(),
                  pszExpected);
        CAppShell shell(loader);
        shell.SetConfigRoot((dir.Path() / "config").string());
        EXPECT_EQ(shell.GetRegistryKey(), loader.GetMakerName());
        EXPECT_EQ(shell.GetSettingsFilePath(), dir.Str() + "/config/" + loader.GetMakerName() +
                                                   "/Ilvane Remote File Manager.conf");
    }
    EXPECT_EQ(AppVersionText(CProgramLoader("/nonexistent/version.txt", DEFAULT_BRAND)),
              "Ilvane Remote File Manager Version 1.1.9\n");
}

namespace
{
// Settings and documents stay in a temporary folder, never the user's own.
struct AppShell : ::testing::Test
{
    AppShell()
        : m_loader((m_dir.Path() / "no-brand-file").string(), DEFAULT_BRAND), m_guard(m_prompt)
    {
        fs::create_directories(m_root);
        fs::create_directories(m_docs);
    }
    ~AppShell() override { CNameIpRecInfo::SetDataFolder(std::string()); }

    std::unique_ptr<CAppShell> NewShell() const
    {
        auto pShell = std::make_unique<CAppShell>(m_loader);
        pShell->SetConfigRoot(m_root.string());
        pShell->SetDocumentsFolder(m_docs.string());
        return pShell;
    }
    CSettingsStore Store() const
    {
        return CSettingsStore("Ilvane", "Ilvane Remote File Manager", m_root.string());
    }

    CTempDir m_dir;
    const fs::path m_root = m_dir.Path() / "config";
    const fs::path m_docs = m_dir.Path() / "docs";
    const std::string m_strDataFolder = (m_docs / "Ilvane" / "Ilvane Remote File Manager").string();
    CProgramLoader m_loader;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_guard;
};
} // namespace

TEST_F(AppShell, PreferencesAndLastPanelRoundTripThroughTheBrandsSettingsFile)
{
    auto pShell = NewShell();
    pShell->m_strLocalFolderPath = "/data/logs, 2024";
    pShell->m_bAutoCreateLocalFolder = true;
    pShell->m_bAutoAddCSVExt = false;
    const CNameIpRec last("Line 3", 192, 168, 1, 20, 502);
    pShell->SavePreferences(&last);
    const std::string strText = m_dir.ReadFile("config/Ilvane/Ilvane Remote File Manager.conf");
    for (const char* pszLine : {"AutoCreateLocalFolder=1", "AutoAddCSVExt=0"})
        EXPECT_NE(strText.find(pszLine), std::string::npos) << strText;

    // The last panel is added to the list once, whatever the case of its name.
    auto pOther = NewShell();
    pOther->m_bAutoAddCSVExt = true;
    CNameIpRec rec;
    pOther->LoadPreferences(&rec);
    EXPECT_EQ(pOther->m_strLocalFolderPath, "/data/logs, 2024");
    EXPECT_TRUE(pOther->m_bAutoCreateLocalFolder && !pOther->m_bAutoAddCSVExt);
    EXPECT_EQ(rec.FormatLine(), "Line 3|192.168.1.20|502|\r\r\n");
    ASSERT_EQ(pOther->m_PanelList.GetCount(), 1);
    EXPECT_EQ(pOther->m_PanelList.GetAt(0).FormatLine(), rec.FormatLine());
    pOther->m_PanelList.GetAt(0).m_strName = "LINE 3";
    pOther->LoadPreferences(&rec);
    EXPECT_EQ(pOther->m_PanelList.GetCount(), 1);

    // A zero address means no last panel, whatever name and port are stored.
    const CNameIpRec ghost("Ghost", 0, 0, 0, 0, 502);
    pShell->SavePreferences(&ghost);
    pShell = NewShell();
    CNameIpRec none;
    pShell->LoadPreferences(&none);
    EXPECT_EQ(none.FormatLine(), CNameIpRec().FormatLine());
    EXPECT_TRUE(pShell->m_PanelList.IsEmpty());
}

TEST_F(AppShell, FirstSaveRemovesEarlierInstallationsOnce)
{
    // Relative path, and whether the first save removes it.
    const std::pair<const char*, bool> arrEntries[] = {
        {"Ilvane Remote File Manager.conf", true},
        {"Ilvane Remote File Manager 1.0/deep/x.conf", true},
        {"Old Ilvane Remote File Manager/x.conf", false},
        {"ilvane remote file manager.conf", false},
        {"Ilvane Remote File Manage", false},
        {"Ilvane/Other Program.conf", false}};
    for (const auto& [pszPath, bRemoved] : arrEntries)
        m_dir.WriteFile(std::string("config/") + pszPath, "old");
    Store().WriteText("Elsewhere", "Kept", "yes");

    NewShell()->SavePreferences();
    for (const auto& [pszPath, bRemoved] : arrEntries)
        EXPECT_NE(fs::exists(m_root / pszPath), bRemoved) << pszPath;
    EXPECT_EQ(Store().ReadText("Elsewhere", "Kept", ""), "yes");
    EXPECT_EQ(Store().ReadText("", "Version", ""), " 1.1.9");

    // With the version stored, later saves leave such entries alone.
    m_dir.WriteFile("config/Ilvane Remote File Manager 2.0", "new");
    NewShell()->SavePreferences();
    EXPECT_TRUE(fs::exists(m_root / "Ilvane Remote File Manager 2.0"));
}

TEST_F(AppShell, StartUpAndShutdownCarryListAndPreferences)
{
    const std::string strList = "docs/Ilvane/Ilvane Remote File Manager/PanelsList.INI";
    m_dir.WriteFile(strList, "A|1.1.1.1|1|\r\r\nB|2.2.2.2|2|\r\r\n");
    Store().WriteInt("User Preferences", "AutoAddCSVExt", 1);

    auto pShell = NewShell();
    pShell->StartUp();
    EXPECT_EQ(CNameIpRecInfo::GetDataFolder(), m_strDataFolder);
    EXPECT_EQ(pShell->m_strLocalFolderPath, m_strDataFolder);
    EXPECT_TRUE(pShell->m_bAutoAddCSVExt && !pShell->m_bAutoCreateLocalFolder);
    ASSERT_EQ(pShell->m_PanelList.GetCount(), 2);

    pShell->m_PanelList.AddTail(CNameIpRec("C", 3, 3, 3, 3, 3));
    pShell->m_strLocalFolderPath = "/chosen";
    pShell->Shutdown();
    EXPECT_TRUE(pShell->m_PanelList.IsEmpty());
    EXPECT_EQ(m_dir.ReadFile(strList), "A|1.1.1.1|1|\r\r\nB|2.2.2.2|2|\r\r\nC|3.3.3.3|3|\r\r\n");
    EXPECT_EQ(Store().ReadText("User Preferences", "PathToSystemFolder", ""), "/chosen");
    EXPECT_TRUE(m_prompt.Shown().empty());

    // The stored folder wins over the data folder at the next start.
    auto pNext = NewShell();
    pNext->StartUp();
    EXPECT_EQ(pNext->m_strLocalFolderPath, "/chosen");
    EXPECT_EQ(pNext->m_PanelList.GetCount(), 3);

    // A file where the documents folder should be: reported, the path still returned.
    fs::remove_all(m_docs);
    m_dir.WriteFile("docs", "a file where the folder should be");
    EXPECT_EQ(NewShell()->GetAppDataFolder(), m_strDataFolder);
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"Unable to create folder\n" + m_strDataFolder});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
}
