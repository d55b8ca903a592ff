// The deciding rules of a transfer, without a panel: entries and names, the
// CSV extension, auto folders, the new name of a conflict and the "Last Transfer" texts.
#include "filemanager/logic/AutoFolder.h"
#include "filemanager/logic/ConflictRules.h"
#include "filemanager/logic/TransferNames.h"
#include "filemanager/logic/TransferTimes.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
DIR_DATA Entry(const std::string& strName, const std::string& strSize = "100")
{
    DIR_DATA entry;
    entry.strName = strName;
    entry.strSize = strSize;
    return entry;
}
} // namespace

TEST(TransferNames, FoldersAndEmptyFilesAreNoFiles)
{
    EXPECT_TRUE(IsFileEntry(Entry("A.CSV", "1")));
    EXPECT_FALSE(IsFileEntry(Entry("EMPTY.DAT", "0")));
    EXPECT_FALSE(IsFileEntry(Entry("LOGS", "<DIR>")));
    EXPECT_TRUE(IsFileEntry(Entry("A.CSV", "00"))); // only the exact text "0" counts
    EXPECT_FALSE(IsCsvFileEntry(Entry("A.CSV", "0")));
}

TEST(TransferNames, CsvExtensionIsAddedOnlyWhereTheNameDoesNotEndInCsv)
{
    EXPECT_EQ("d/LOG.TXT.CSV", ApplyCsvExtension("d/LOG.TXT", Entry("LOG.TXT"), true));
    EXPECT_EQ("d/data.Csv", ApplyCsvExtension("d/data.Csv", Entry("data.Csv"), true));
    // The first ".csv" is not at the end.
    EXPECT_EQ("d/a.csv.csv.CSV", ApplyCsvExtension("d/a.csv.csv", Entry("a.csv.csv"), true));
    // ".csv" at position 0 is not a CSV name.
    EXPECT_EQ("d/.csv.CSV", ApplyCsvExtension("d/.csv", Entry(".csv"), true));
    EXPECT_EQ("d/LOG.TXT", ApplyCsvExtension("d/LOG.TXT", Entry("LOG.TXT"), false));
}

TEST(TransferNames, NamesThatCouldLeaveTheFolderAreRefused)
{
    for (const std::string& strName :
         std::vector<std::string>{"", ".", "..", "../x.csv", "a/b", "a\\b", "..\\up", "a\x01.csv",
                                  "tab\tname", "del\x7F"})
        EXPECT_FALSE(UnsafeNameReason(strName).empty()) << PrintableName(strName);
    for (const std::string& strName :
         std::vector<std::string>{"41225A07.CSV", "a b.csv", "...", ".hidden", "x..y"})
        EXPECT_EQ("", UnsafeNameReason(strName)) << strName;
    EXPECT_EQ("The remote file name 'a\\x01.csv' cannot be used on the Local Computer: it holds "
              "a control character.",
              UnsafeRemoteNameMessage(std::string("a\x01.csv")));
    EXPECT_EQ("dir/name", JoinLocalPath("dir", "name"));
    EXPECT_EQ("/name", JoinLocalPath("/", "name"));
}

TEST(AutoFolder, NamesOfTheSchemeGiveFiveLevels)
{
    AutoFolderLevels arrLevels;
    ASSERT_TRUE(ParseAutoFolderLevels("41225A07.csv", arrLevels));
    EXPECT_EQ((AutoFolderLevels{"Year 2014", "Month 12", "Day 25", "Line A", "Batch 07"}),
              arrLevels);
    ASSERT_TRUE(ParseAutoFolderLevels("90101107.CSV", arrLevels));
    EXPECT_EQ((AutoFolderLevels{"Year 2019", "Month 01", "Day 01", "Line 1", "Batch 07"}),
              arrLevels);
    EXPECT_TRUE(ParseAutoFolderLevels("41225A07", arrLevels));
    EXPECT_TRUE(ParseAutoFolderLevels("40231A07.csv", arrLevels)); // 31 February passes
    for (const char* pszName :
         {"41225A07.tar.gz", "41325A07.csv", "41200A07.csv", "41232A07.csv", "4122 A07.csv",
          "4AB25A07.csv", "40025A07.csv", "1225A07.csv", ".41225A07", "README.TXT"})
        EXPECT_FALSE(ParseAutoFolderLevels(pszName, arrLevels)) << pszName;
}

TEST(AutoFolder, DerivationCreatesOnlyMissingLevels)
{
    CTempDir dir;
    const std::string strRoot = dir.Str();
    std::string strFolder = strRoot;
    std::string strError;
    ASSERT_TRUE(DeriveFolder("README.TXT", false, strFolder, strError));
    EXPECT_EQ(strRoot, strFolder); // preference off: nothing examined

    dir.WriteFile("Year 2014/Month 12/Day 25/earlier.csv", "x");
    ASSERT_TRUE(DeriveFolder("41225A07.csv", true, strFolder, strError));
    EXPECT_EQ(strRoot + "/Year 2014/Month 12/Day 25/Line A/Batch 07", strFolder);
    EXPECT_TRUE(fs::is_directory(strFolder));
    EXPECT_EQ("x", dir.ReadFile("Year 2014/Month 12/Day 25/earlier.csv"));

    strFolder = strRoot;
    EXPECT_FALSE(DeriveFolder("41325A07.csv", true, strFolder, strError));
    EXPECT_EQ("Unable to recognise file name format for '41325A07.csv'.", strError);
    EXPECT_EQ(strRoot, strFolder);
}

TEST(AutoFolder, LevelsThatCannotBeFoldersFailWithTheirPath)
{
    CTempDir dir;
    const std::string strRoot = dir.Str();
    std::string strFolder = strRoot;
    std::string strError;
    // Line and batch pass the scheme unchecked, but "?" makes no folder name.
    EXPECT_FALSE(DeriveFolder("41225??7.csv", true, strFolder, strError));
    EXPECT_EQ("Unable to create directory '" + strRoot + "/Year 2014/Month 12/Day 25/Line ?'.",
              strError);
    EXPECT_EQ(strRoot, strFolder);
    EXPECT_TRUE(fs::is_directory(strRoot + "/Year 2014/Month 12/Day 25")); // earlier levels stay

    dir.WriteFile("Year 2019", "a file where a folder should be");
    EXPECT_FALSE(DeriveFolder("90101107.CSV", true, strFolder, strError));
    EXPECT_EQ("Unable to create directory '" + strRoot + "/Year 2019'.", strError);
}

TEST(ConflictRules, NewNameChecks)
{
    CTempDir dir;
    dir.WriteFile("taken.csv", "x");
    std::string strNewName;
    auto check = [&](const std::string& strTyped)
    {
        strNewName.clear();
        return CheckConflictNewName(strTyped, "Report.CSV", dir.Str(), strNewName);
    };
    EXPECT_EQ("", check("  report.csv2 "));
    EXPECT_EQ("report.csv2", strNewName);
    EXPECT_EQ("Please entry valid file name.", check("   "));
    EXPECT_EQ("Please entry new file name.", check(" report.csv"));
    for (const char c : std::string("\"*+,/:;<=>?[\\]|"))
        EXPECT_EQ("Please entry valid file name.", check(std::string("a") + c + "b")) << c;
    EXPECT_EQ("Please entry valid file name.", check(std::string("a\x02")));
    EXPECT_EQ("Please entry valid file name.", check(".."));
    EXPECT_EQ("File already exists.\nPlease entry new file name.", check("taken.csv"));
    EXPECT_EQ("", check(std::string(40, 'n'))); // no length limit here
    EXPECT_EQ(std::string(40, 'n'), strNewName);

    dir.WriteFile("Report_1.CSV", "x");
    EXPECT_EQ("Report_2.CSV", SuggestFreeName(dir.Str(), "Report.CSV"));
    EXPECT_EQ("README_1", SuggestFreeName(dir.Str(), "README"));
}

TEST(TransferTimes, LastTransferTexts)
{
    EXPECT_EQ("07:05:09", ClockText(7, 5, 9));
    EXPECT_EQ("Start Time: 10:00:00", TimesText("10:00:00"));
    EXPECT_EQ("Start Time: 10:00:00\n End Time: 10:00:05", TimesText("10:00:00", "10:00:05"));
    EXPECT_EQ("T\n   Status: Sucess", LastTransferText("T", ETransferStatus::Ok));
    EXPECT_EQ("T\n   Status: Failed", LastTransferText("T", ETransferStatus::Failed));
    EXPECT_EQ("T\n   Status: Cancelled", LastTransferText("T", ETransferStatus::Cancelled));
}
