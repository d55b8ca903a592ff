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
    const char* pszBytes; // nullptr: no brand file; "/": a folder in its place
    int nBrand;
    const char* pszShortName; // nullptr: not in the table
    const char* pszMaker;
    const char* pszVersionText;
};

const SBrandCase BRAND_CASES[] = {
    {nullptr, 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"0", 0, "KELDRA", "Pexalon", " 1.1"},
    {"1\r\n", 1, "QUENZO", "Marvoth", " 1.1"},
    {"/", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"1\n", 1, "QUENZO", "Marvoth", " 1.1"},
    {"7", 7, nullptr, "Pexalon", " 1.1"},
    {"ab", 0, "KELDRA", "Pexalon", " 1.1"},
    {"2", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {" 1", 1, "QUENZO", "Marvoth", " 1.1"},
    {"12", 12, nullptr, "Pexalon", " 1.1"},
    {"2 7", 2, "Ilvane Remote", "Ilvane", " 1.1.9"},
    {"-1", -1, nullptr, "Pexalon", " 1.1"},
    {"", 0, "KELDRA", "Pexalon", " 1.1"},
};
} // namespace

TEST(ProgramLoader, BrandFileSelectsBrandAndSettingsLocation)
{
    for (const SBrandCase& c : BRAND_CASES)
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
