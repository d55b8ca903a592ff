#include "app/AppCommandLine.h"
#include "app/CAppShell.h"
#include "app/CProgramLoader.h"
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
        {"-1", "-1|-|Pexalon| 1.1"},
        {"", "0|KELDRA|Pexalon| 1.1"}};
    for (const auto& [pszBytes, pszExpected] : arrCases)
    {
        SCOPED_TRACE(pszBytes ? pszBytes : "no file");
        CTempDir dir;
        const std::string strBrandFile = (dir.Path() / "version.txt").string();
        if (pszBytes && std::string(pszBytes) == "/")
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
        EXPECT_EQ(shell.GetSettingsFilePath(), (dir.Path() / "config" / loader.GetMakerName() /
                                                "Ilvane Remote File Manager.conf")
                                                   .string());
    }
    EXPECT_EQ(AppVersionText(CProgramLoader("/nonexistent/version.txt", DEFAULT_BRAND)),
              "Ilvane Remote File Manager Version 1.1.9\n");

    // Without a path the brand file is read from the working folder.
    CTempDir dir;
    dir.WriteFile("version.txt", "1\r\n");
    const fs::path pathBefore = fs::current_path();
    fs::current_path(dir.Path());
    const CProgramLoader loader;
    fs::current_path(pathBefore);
    EXPECT_EQ(loader.GetMakerName(), "Marvoth");
}
