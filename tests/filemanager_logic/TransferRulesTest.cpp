// The deciding rules of a transfer, without a panel, and its speed on a fake clock.
#include "filemanager/logic/AutoFolder.h"
#include "filemanager/logic/CTransferRate.h"
#include "filemanager/logic/ConflictRules.h"
#include "filemanager/logic/SafeFileReplace.h"
#include "filemanager/logic/TransferNames.h"
#include "filemanager/logic/TransferTimes.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(TransferNames, EntriesCsvExtensionAndNamesThatCouldLeaveTheFolder)
{
    // Only the exact size text "0" is an empty file.
    for (const auto& [pszSize, bFile] :
         {std::pair{"1", true}, {"0", false}, {"<DIR>", false}, {"00", true}})
        EXPECT_EQ(bFile, IsFileEntry({"A.CSV", pszSize, {}})) << pszSize;
    EXPECT_FALSE(IsCsvFileEntry({"A.CSV", "0", {}}));
    // Added where the name does not end in ".csv" (one at position 0 does not count).
    const std::pair<const char*, const char*> arrCsv[] = {{"LOG.TXT", "d/LOG.TXT.CSV"},
                                                          {"data.Csv", "d/data.Csv"},
                                                          {"a.csv.csv", "d/a.csv.csv.CSV"},
                                                          {".csv", "d/.csv.CSV"}};
    for (const auto& [pszName, pszResult] : arrCsv)
        EXPECT_EQ(pszResult,
                  ApplyCsvExtension(std::string("d/") + pszName, {pszName, "100", {}}, true));
    EXPECT_EQ("d/LOG.TXT", ApplyCsvExtension("d/LOG.TXT", {"LOG.TXT", "100", {}}, false));

    for (const std::string strName :
         {"", ".", "..", "../x.csv", "a/b", "a\\b", "..\\up", "a\x01.csv", "tab\tname", "del\x7F"})
        EXPECT_FALSE(UnsafeNameReason(strName).empty()) << PrintableName(strName);
    for (const char* pszName : {"41225A07.CSV", "a b.csv", "...", ".hidden", "x..y"})
        EXPECT_EQ("", UnsafeNameReason(pszName)) << pszName;
    EXPECT_EQ("/name", JoinLocalPath("/", "name"));
}

TEST(AutoFolder, NamesOfTheSchemeGiveFiveLevelsCreatedWhereMissing)
{
    AutoFolderLevels arrLevels;
    EXPECT_TRUE(ParseAutoFolderLevels("41225A07", arrLevels));
    EXPECT_TRUE(ParseAutoFolderLevels("40231A07.csv", arrLevels)); // 31 February passes
    for (const char* pszName :
         {"41225A07.tar.gz", "41325A07.csv", "41200A07.csv", "41232A07.csv", "4122 A07.csv",
          "4AB25A07.csv", "40025A07.csv", "1225A07.csv", ".41225A07", "README.TXT"})
        EXPECT_FALSE(ParseAutoFolderLevels(pszName, arrLevels)) << pszName;

    CTempDir dir;
    const std::string strRoot = dir.Str();
    std::string strFolder = strRoot;
    std::string strError;
    ASSERT_TRUE(DeriveFolder("README.TXT", false, strFolder, strError));
    EXPECT_EQ(strRoot, strFolder); // preference off: nothing examined
    EXPECT_FALSE(DeriveFolder("41325A07.csv", true, strFolder, strError));
    EXPECT_EQ("Unable to recognise file name format for '41325A07.csv'.", strError);
    EXPECT_EQ(strRoot, strFolder);
    // Line and batch pass unchecked, but "?" makes no folder; earlier levels stay.
    EXPECT_FALSE(DeriveFolder("41225??7.csv", true, strFolder, strError));
    EXPECT_EQ("Unable to create directory '" + strRoot + "/Year 2014/Month 12/Day 25/Line ?'.",
              strError);
    EXPECT_EQ(strRoot, strFolder);
    EXPECT_TRUE(std::filesystem::is_directory(strRoot + "/Year 2014/Month 12/Day 25"));
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
    { return CheckConflictNewName(strTyped, "Report.CSV", dir.Str(), strNewName); };
    EXPECT_EQ("", check("  report of the day.csv2 ")); // trimmed, and no short-name limit
    EXPECT_EQ("report of the day.csv2", strNewName);
    EXPECT_EQ("Please entry new file name.", check(" report.csv"));
    for (const char* pszTyped : {"   ", "a|b", "a\x02", ".."})
        EXPECT_EQ("Please entry valid file name.", check(pszTyped)) << pszTyped;
    EXPECT_EQ("File already exists.\nPlease entry new file name.", check("taken.csv"));

    dir.WriteFile("Report_1.CSV", "x");
    EXPECT_EQ("Report_2.CSV", SuggestFreeName(dir.Str(), "Report.CSV"));
    EXPECT_EQ("README_1", SuggestFreeName(dir.Str(), "README"));
}

// The copy over the target refuses what it cannot replace whole, leaving no temporary.
TEST(SafeFileReplace, RefusesAFolderTargetAndAMissingSource)
{
    CTempDir dir;
    const std::string strSource = dir.WriteFile("new.bin", "new").string();
    dir.WriteFile("dir.csv/inside", "x");
    std::string strError;
    EXPECT_FALSE(ReplaceFileWithCopy(strSource, dir.Str() + "/dir.csv", strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_EQ("x", dir.ReadFile("dir.csv/inside"));
    EXPECT_FALSE(ReplaceFileWithCopy(dir.Str() + "/missing", dir.Str() + "/x", strError));
    EXPECT_NE(std::string::npos, strError.find("No such file")) << strError;
    EXPECT_EQ(2u, FolderNames(dir.Path()).size());
}

TEST(TransferRate, MovingAverageAndTheBoundsOfTheUnits)
{
    int64_t nNowMs = 0;
    CTransferRate rate([&nNowMs] { return nNowMs; });
    // Two files of 20000 and 10000 bytes. T: start the transfer, F: start a file, U: update.
    const std::tuple<int64_t, char, uint64_t, const char*, const char*> arrRows[] = {
        {0, 'T', 30000, "File: --, -- left", "All files: --, -- left"},
        {0, 'F', 20000, "File: --, -- left", "All files: --, -- left"},
        // Half a second of progress is not enough to tell.
        {500, 'U', 1000, "File: --, -- left", "All files: --, -- left"},
        {1000, 'U', 2000, "File: 2.0 KB/s, 0:09 left", "All files: 2.0 KB/s, 0:14 left"},
        {2000, 'U', 20000, "File: 9.8 KB/s, 0:00 left", "All files: 9.8 KB/s, 0:01 left"},
        // The next file starts over; the transfer goes on with its history.
        {2000, 'F', 10000, "File: --, -- left", "All files: 9.8 KB/s, 0:01 left"},
        {3500, 'U', 5000, "File: 3.3 KB/s, 0:02 left", "All files: 7.0 KB/s, 0:01 left"},
        // Six seconds without a byte: only the last five seconds count.
        {9500, 'U', 5000, "File: 0 B/s, -- left", "All files: 0 B/s, -- left"},
        // 5000 bytes in the last five seconds.
        {10500, 'U', 10000, "File: 1000 B/s, 0:00 left", "All files: 1000 B/s, 0:00 left"},
    };
    for (const auto& [nTimeMs, cStep, nValue, pszFile, pszTransfer] : arrRows)
    {
        nNowMs = nTimeMs;
        (rate.*(cStep == 'T'   ? &CTransferRate::StartTransfer
                : cStep == 'F' ? &CTransferRate::StartFile
                               : &CTransferRate::Update))(nValue);
        EXPECT_EQ(rate.FileText() + " | " + rate.TransferText(),
                  std::string(pszFile) + " | " + pszTransfer)
            << "at " << nTimeMs << " ms";
    }
    // The bounds between units and the rounding.
    for (const auto& [dSpeed, pszText] :
         {std::pair{1023.4, "1023 B/s"}, {1048575.0, "1024.0 KB/s"}, {1.5 * 1048576, "1.5 MB/s"}})
        EXPECT_EQ(CTransferRate::FormatSpeed(dSpeed), pszText) << dSpeed;
    for (const auto& [dSeconds, pszText] :
         {std::pair{0.2, "0:01"}, {3599.0, "59:59"}, {3600.0, "1:00:00"}, {3725.0, "1:02:05"}})
        EXPECT_EQ(CTransferRate::FormatTimeLeft(dSeconds), pszText) << dSeconds;
}
