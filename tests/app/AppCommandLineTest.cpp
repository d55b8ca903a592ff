// The desktop program's command line, one row per shape of it, and the brand
// file that selects the maker's names and the settings' place.
#include "app/AppCommandLine.h"
#include "app/CAppShell.h"
#include "app/CProgramLoader.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(AppCommandLine, ParsesEveryShape)
{
    const struct
    {
        std::vector<std::string> arrArgs;
        EAppAction eAction;
        const char* pszExpected; // View: "HOST PORT FILE"; UsageError: the message
    } arrCases[] = {
        {{}, EAppAction::MainWindow, ""},
        {{"-h"}, EAppAction::Help, ""},
        {{"--version"}, EAppAction::Version, ""},
        {{"--view", "127.0.0.1", "41225A07.CSV"}, EAppAction::View, "127.0.0.1 10001 41225A07.CSV"},
        {{"-platform", "offscreen", "--view", "127.0.0.2:4242", "A.CSV"},
         EAppAction::View,
         "127.0.0.2 4242 A.CSV"},
        {{"--view", "127.0.0.1"}, EAppAction::UsageError, "--view needs HOST[:PORT] and FILE"},
        // Which addresses are bad is the address parser's test.
        {{"--view", "h:0", "A"}, EAppAction::UsageError, "bad HOST[:PORT] h:0"},
        {{"--view", "127.0.0.1", ""}, EAppAction::UsageError, "--view needs a FILE name"},
        {{"--viwe", "127.0.0.1", "A.CSV"}, EAppAction::UsageError, "unknown option --viwe"},
        {{"A.CSV"}, EAppAction::UsageError, "unexpected argument A.CSV"},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(::testing::PrintToString(c.arrArgs));
        const SAppCommandLine cmd = ParseAppCommandLine(c.arrArgs);
        EXPECT_EQ(cmd.eAction, c.eAction);
        if (c.eAction == EAppAction::View)
        {
            EXPECT_EQ(cmd.strHost + " " + std::to_string(cmd.nPort) + " " + cmd.strFile,
                      c.pszExpected);
        }
        EXPECT_EQ(cmd.strError, c.eAction == EAppAction::UsageError ? c.pszExpected : "");
    }
    const std::string strHelp = AppUsageText();
    for (const char* pszOption : {"--view HOST[:PORT] FILE", "--help", "--version", "10001"})
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
}

TEST(ProgramLoader, BrandFileSelectsBrandNamesAndSettingsLocation)
{
    const struct
    {
        const char* pszBytes; // nullptr: no brand file; "/": a folder in its place
        int nBrand;
        const char* pszShortName; // nullptr: not in the table
        const char* pszMaker;
        const char* pszVersionText;
    } arrCases[] = {
        {nullptr, 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
        {"/", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
        {"0", 0, "KELDRA", "Pexalon", " 1.1"},
        {"1\r\n", 1, "QUENZO", "Marvoth", " 1.1"},
        {" 1", 1, "QUENZO", "Marvoth", " 1.1"},
        {"7", 7, nullptr, "Pexalon", " 1.1"},
        {"-1", -1, nullptr, "Pexalon", " 1.1"},
        {"", 0, "KELDRA", "Pexalon", " 1.1"},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.pszBytes ? c.pszBytes : "no file");
        CTempDir dir;
        const std::string strBrandFile = (dir.Path() / "version.txt").string();
        if (c.pszBytes && std::string(c.pszBytes) == "/")
            fs::create_directory(strBrandFile);
        else if (c.pszBytes)
            dir.WriteFile("version.txt", c.pszBytes);
        const CProgramLoader loader(strBrandFile, DEFAULT_BRAND);
        EXPECT_EQ(loader.GetBrandNumber(), c.nBrand);
        EXPECT_STREQ(loader.GetShortNameEntry(), c.pszShortName);
        EXPECT_EQ(loader.GetMakerName(), c.pszMaker);
        EXPECT_EQ(loader.GetVersionText(), c.pszVersionText);
        CAppShell shell(loader);
        shell.SetConfigRoot((dir.Path() / "config").string());
        EXPECT_EQ(shell.GetRegistryKey(), c.pszMaker);
        EXPECT_EQ(
            shell.GetSettingsFilePath(),
            (dir.Path() / "config" / c.pszMaker / "Ilvane Remote File Manager.conf").string());
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
