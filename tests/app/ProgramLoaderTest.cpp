#include "app/CAppShell.h"
#include "app/CProgramLoader.h"

#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
struct SBrandCase
{
    const char* pszLabel;
    const char* pszBytes; // nullptr: no brand file
    int nBrand;
    const char* pszShortName; // nullptr: not in the table
    const char* pszMaker;
    const char* pszVersionText;
};

const SBrandCase BRAND_CASES[] = {
    {"no file", nullptr, 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"zero", "0", 0, "KELDRA", "Pexalon", " 1.1"},
    {"one and CRLF", "1\r\n", 1, "QUENZO", "Marvoth", " 1.1"},
    {"one and LF", "1\n", 1, "QUENZO", "Marvoth", " 1.1"},
    {"seven", "7", 7, nullptr, "Pexalon", " 1.1"},
    {"letters", "ab", 0, "KELDRA", "Pexalon", " 1.1"},
    {"single byte two", "2", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"blank then one", " 1", 1, "QUENZO", "Marvoth", " 1.1"},
    {"only two bytes read", "12", 12, nullptr, "Pexalon", " 1.1"},
    {"third byte ignored", "2 7", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"minus one", "-1", -1, nullptr, "Pexalon", " 1.1"},
    {"empty file", "", 0, "KELDRA", "Pexalon", " 1.1"},
};
} // namespace

TEST(ProgramLoader, BrandFileSelectsBrandAndSettingsLocation)
{
    for (const SBrandCase& c : BRAND_CASES)
    {
        SCOPED_TRACE(c.pszLabel);
        CTempDir dir;
        const std::string strBrandFile = (dir.Path() / "version.txt").string();
        if (c.pszBytes)
            dir.WriteFile("version.txt", c.pszBytes);
        const CProgramLoader loader(strBrandFile, DEFAULT_BRAND);

        EXPECT_EQ(loader.GetBrandNumber(), c.nBrand);
        if (c.pszShortName)
            EXPECT_STREQ(loader.GetShortNameEntry(), c.pszShortName);
        else
            EXPECT_EQ(loader.GetShortNameEntry(), nullptr);
        EXPECT_EQ(loader.GetMakerName(), c.pszMaker);
        EXPECT_EQ(loader.GetVersionText(), c.pszVersionText);

        CAppShell shell(loader);
        shell.SetConfigRoot((dir.Path() / "config").string());
        EXPECT_EQ(shell.GetRegistryKey(), c.pszMaker);
        EXPECT_EQ(
            shell.GetSettingsFilePath(),
            (dir.Path() / "config" / c.pszMaker / "Ilvane Remote File Manager.conf").string());
    }
}

TEST(ProgramLoader, UnreadableBrandFileGivesDefault)
{
    CTempDir dir;
    fs::create_directory(dir.Path() / "version.txt");
    const CProgramLoader loader((dir.Path() / "version.txt").string(), DEFAULT_BRAND);
    EXPECT_EQ(loader.GetBrandNumber(), 2);
    EXPECT_EQ(loader.GetMakerName(), "Ilvane");
}

TEST(ProgramLoader, DefaultConstructionReadsWorkingDirectory)
{
    CTempDir dir;
    dir.WriteFile("version.txt", "1\r\n");
    const fs::path pathBefore = fs::current_path();
    fs::current_path(dir.Path());
    const CProgramLoader loader;
    fs::current_path(pathBefore);
    EXPECT_EQ(loader.GetMakerName(), "Marvoth");
}
