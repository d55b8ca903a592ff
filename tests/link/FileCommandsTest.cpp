// Both command families against the simulator: file commands (143, type 186)
// and card commands (128, type 80); the neutral calls pick the panel's own.
#include "LinkTestSupport.h"

#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>
#include <sys/time.h>
#include <unistd.h>

TEST(FileCommandsTest, ListingsFollowThePatternInBothFamilies)
{
    const time_t tModified = 1718000000; // the panel reports local time
    std::ostringstream strLocalTime;
    strLocalTime << std::put_time(std::localtime(&tModified), "%Y-%m-%d %H:%M:%S");
    const std::string strLong = std::string(40, 'L') + ".TXT";
    const std::tuple<bool, const char*, std::vector<std::string>> arrCases[] = {
        {false, "*.*", {"PADDED.TXT", "41225A07.CSV", "HUGE.CSV", strLong, "README.TXT"}},
        // The name on the card ends in blanks: only a pattern with a trailing * meets it.
        {false, "*TXT*", {"PADDED.TXT", strLong, "README.TXT"}},
        {false, "4?225*", {"41225A07.CSV"}},
        {false, "*.none", {}},
        // The card family cuts names at 32 characters.
        {true, "", {"PADDED.TXT", "41225A07.CSV", "HUGE.CSV", std::string(32, 'L'), "README.TXT"}},
        {true, "4*.csv", {"41225A07.CSV"}},
    };
    for (const bool bCard : {false, true})
    {
        CSimPanel panel;
        panel.Card().WriteFile("41225A07.CSV", "a,b\n");
        panel.Card().WriteFile("README.TXT", "read me\n");
        panel.Card().WriteFile(strLong, "long");
        const auto padded = panel.Card().WriteFile(" PADDED.TXT  ", PatternBytes(77));
        const timeval arrTimes[2] = {{tModified, 0}, {tModified, 0}};
        ASSERT_EQ(utimes(padded.c_str(), arrTimes), 0);
        // 3 GiB, sparse: sizes of 2 GiB and more stay unsigned.
        ASSERT_EQ(truncate(panel.Card().WriteFile("HUGE.CSV", "").c_str(), 3221225472LL), 0);
        panel.Start({"--type", bCard ? "80" : "186", "--zero-date", "README.TXT"});
        for (const auto& [bCardRow, pszPattern, arrNames] : arrCases)
        {
            if (bCardRow != bCard)
                continue;
            SCOPED_TRACE(std::string(bCard ? "card " : "file ") + pszPattern);
            SLinkOperation op(panel.Port());
            CDirData list;
            ASSERT_TRUE(bCard ? op.files.CardGetFileList(list, pszPattern)
                              : op.files.GetFileList(list, pszPattern))
                << op.files.GetErrors();
            EXPECT_EQ(NamesOf(list), arrNames);
            if (arrNames.size() < 5)
                continue;
            EXPECT_EQ(list.GetAt(0).strSize, "77");
            EXPECT_EQ(list.GetAt(0).dtModified.Format("%Y-%m-%d %H:%M:%S"), strLocalTime.str());
            EXPECT_EQ(list.GetAt(2).strSize, "3221225472");
            EXPECT_EQ(list.GetAt(4).strSize, "8");
            EXPECT_FALSE(list.GetAt(4).dtModified.IsValid()); // a zero date is listed, invalid
        }
    }
}

TEST(FileCommandsTest, FilesReadBlockByBlockAndSeek)
{
    const size_t arrSizes[] = {0, 1, 253, 254, 255, 508, 509, 200000};
    CSimPanel panel;
    for (const size_t nSize : arrSizes)
        panel.Card().WriteFile("F" + std::to_string(nSize), PatternBytes(nSize, nSize));
    panel.Start();
    SLinkOperation op(panel.Port());
    unsigned char arrBlock[255];
    for (const size_t nSize : arrSizes)
    {
        const std::string strName = "F" + std::to_string(nSize);
        unsigned long nOpened = 99;
        ASSERT_TRUE(op.files.OpenRemoteFileSize(strName, &nOpened)) << strName;
        EXPECT_EQ(nOpened, nSize);
        std::string strData;
        for (unsigned long nLen = 1; nLen != 0 && strData.size() <= nSize;)
        {
            nLen = sizeof(arrBlock);
            EXPECT_TRUE(op.files.ReadFileBlock(arrBlock, &nLen));
            EXPECT_LE(nLen, 254u);
            strData.append(reinterpret_cast<char*>(arrBlock), nLen);
        }
        EXPECT_TRUE(strData == PatternBytes(nSize, nSize)) << strName;
        op.files.CloseRemoteFile();
    }
    // The plain opening cannot tell an empty file from a failure.
    EXPECT_EQ(op.files.OpenRemoteFile("F0"), 0u);
    EXPECT_EQ(op.files.OpenRemoteFile("MISSING.CSV"), 0u);
    EXPECT_EQ(op.pComm->GetError(), "File System Error.");
    EXPECT_EQ(op.files.GetErrors(), "");

    ASSERT_EQ(op.files.OpenRemoteFile("F509"), 509u);
    unsigned long nPosition = 0;
    ASSERT_TRUE(op.files.SeekFile(0, 300, &nPosition));
    EXPECT_EQ(nPosition, 300u);
    unsigned long nLen = sizeof(arrBlock);
    ASSERT_TRUE(op.files.ReadFileBlock(arrBlock, &nLen));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(arrBlock), nLen),
              PatternBytes(509, 509).substr(300, 209));
    ASSERT_TRUE(op.files.SeekFile(1, 0, &nPosition));
    EXPECT_EQ(nPosition, 509u);
}

TEST(FileCommandsTest, FileFamilyDeletesRenamesAndBacksUp)
{
    CSimPanel panel;
    panel.Card().WriteFile("41225A07.CSV", PatternBytes(3000));
    panel.Card().WriteFile("90101107.CSV", "a,b\n");
    panel.Card().WriteFile("README.TXT", "read me\n");
    panel.Card().WriteFile("noext", "x");
    panel.Start();
    SLinkOperation op(panel.Port());
    EXPECT_TRUE(op.files.RenameFile("README.TXT", "NOTES.TXT"));
    EXPECT_EQ(panel.Card().ReadFile("NOTES.TXT"), "read me\n");
    EXPECT_FALSE(op.files.RenameFile("README.TXT", "OTHER.TXT"));
    EXPECT_EQ(op.pComm->GetError(), "File System Error.");

    EXPECT_TRUE(op.files.DeleteFiles({}));
    EXPECT_FALSE(op.files.DeleteFiles({"NOTES.TXT", "MISSING.CSV", "noext"}));
    EXPECT_FALSE(panel.CardHas("NOTES.TXT"));
    EXPECT_TRUE(panel.CardHas("noext")); // never sent

    EXPECT_TRUE(op.files.BackupFiles({"41225A07.CSV"}));
    EXPECT_EQ(panel.Card().ReadFile("41225A07.BAK"), PatternBytes(3000));
    EXPECT_FALSE(panel.CardHas("90101107.BAK"));
    EXPECT_TRUE(op.files.BackupAllCsvFiles());
    EXPECT_EQ(panel.Card().ReadFile("90101107.BAK"), "a,b\n");
    EXPECT_FALSE(op.files.BackupFiles({"MISSING.CSV", "90101107.CSV"}));
    EXPECT_EQ(op.files.GetErrors(), "Error in renaming file.\nCould not rename README.TXT.\n"
                                    "Error in deleting file.\nCould not delete MISSING.CSV.\n"
                                    "Unable to backup MISSING.CSV.");
}

TEST(FileCommandsTest, CardFamilyListsDeletesAndRenames)
{
    CSimPanel panel;
    panel.Card().WriteFile("90101107.CSV", "a,b\n");
    panel.Card().WriteFile("README.TXT", "read me\n");
    panel.Card().WriteFile("Z.CSV", "z");
    panel.Start({"--type", "80", "--card-no-last-flag"});
    SLinkOperation op(panel.Port());
    CDirData list;
    ASSERT_TRUE(op.files.CardGetFileList(list, "*.*")); // ends at the count, without a last flag
    EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"90101107.CSV", "README.TXT", "Z.CSV"}));

    EXPECT_TRUE(op.files.CardRenameFile("README.TXT", "NOTES.TXT"));
    EXPECT_TRUE(panel.CardHas("NOTES.TXT"));
    EXPECT_FALSE(op.files.CardRenameFile("NOTES.TXT", "90101107.CSV"));
    EXPECT_FALSE(op.files.CardDeleteFiles({"NOTES.TXT", "MISSING.CSV", "Z.CSV"}));
    EXPECT_FALSE(panel.CardHas("NOTES.TXT"));
    EXPECT_TRUE(panel.CardHas("Z.CSV")); // never sent
    EXPECT_EQ(op.files.GetErrors(), "Error: Filenames are not unique\nError in renaming file.\n"
                                    "Could not rename NOTES.TXT.\n"
                                    "Error: Source file not found\nError in deleting file.\n"
                                    "Could not delete MISSING.CSV.");
    SLinkOperation op2(panel.Port());
    EXPECT_TRUE(op2.files.CardDeleteFiles({"Z.CSV"}));
    EXPECT_FALSE(panel.CardHas("Z.CSV"));
}

TEST(PanelFilesTest, NeutralCallsUseThePanelsOwnFamily)
{
    const std::string NO_BACKUP = "Error: This panel cannot back up CSV files.";
    // Card commands for the files on type 161; backups are file commands on every panel.
    const std::pair<const char*, bool> arrCases[] = {
        {"--type 186 --fail 128=24", true},
        {"--type 161 --fail 143:6=24 --fail 143:13=24 --fail 143:14=24", true},
        {"--type 80 --fail 143=24", false}};
    for (const auto& [pszArgs, bCanBackup] : arrCases)
    {
        SCOPED_TRACE(pszArgs);
        CSimPanel panel;
        for (const char* pszName : {"A.CSV", "B.CSV", "C.TXT"})
            panel.Card().WriteFile(pszName, pszName);
        panel.Start(Words(pszArgs));
        SLinkOperation op(panel.Port());
        ASSERT_TRUE(op.pComm->ReadPanelInfo());

        CDirData list;
        ASSERT_TRUE(op.files.ListFiles(list, "*.*")) << op.files.GetErrors();
        EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"A.CSV", "B.CSV", "C.TXT"}));
        EXPECT_TRUE(op.files.Rename("C.TXT", "D.TXT")) << op.files.GetErrors();
        EXPECT_TRUE(panel.CardHas("D.TXT"));
        EXPECT_TRUE(op.files.Delete({"D.TXT"})) << op.files.GetErrors();
        EXPECT_FALSE(panel.CardHas("D.TXT"));

        EXPECT_EQ(op.files.Backup({"A.CSV"}), bCanBackup);
        EXPECT_EQ(panel.CardHas("A.BAK"), bCanBackup);
        EXPECT_EQ(op.files.BackupAll(), bCanBackup);
        EXPECT_EQ(panel.CardHas("B.BAK"), bCanBackup);
        EXPECT_EQ(op.files.GetErrors(), bCanBackup ? "" : NO_BACKUP + "\n" + NO_BACKUP);
    }
}
