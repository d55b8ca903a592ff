// Both command families against the simulator; the neutral calls pick the panel's own.
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

TEST(PanelFilesTest, NeutralCallsUseThePanelsOwnFamily)
{
    const std::string NO_BACKUP = "Error: This panel cannot back up CSV files.";
    // Card commands for the files on type 161; backups are file commands on every panel.
    const std::tuple<const char*, bool, bool> arrCases[] = {
        {"--type 186 --fail 128=24", false, true},
        {"--type 161 --fail 143:6=24 --fail 143:13=24 --fail 143:14=24", true, true},
        {"--type 80 --fail 143=24 --card-no-last-flag", true, false}}; // ends at the count
    for (const auto& [pszArgs, bCard, bCanBackup] : arrCases)
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
        EXPECT_EQ(list.GetAt(-1).strName + list.GetAt(3).strName, ""); // out of range: empty
        EXPECT_TRUE(op.files.Rename("C.TXT", "D.TXT")) << op.files.GetErrors();
        EXPECT_EQ(panel.Card().ReadFile("D.TXT"), "C.TXT");
        EXPECT_TRUE(op.files.Delete({"D.TXT"})) << op.files.GetErrors();
        EXPECT_FALSE(panel.CardHas("D.TXT"));
        // Failures: the card family adds the panel's reason; a failed delete ends the batch.
        EXPECT_FALSE(op.files.Rename("C.TXT", "E.TXT"));
        EXPECT_FALSE(op.files.Rename("A.CSV", "B.CSV"));
        EXPECT_FALSE(op.files.Delete({"MISSING.CSV", "A.CSV"}));
        EXPECT_TRUE(panel.CardHas("A.CSV"));
        const auto fnReason = [bCard = bCard](const char* psz)
        { return bCard ? "Error: " + std::string(psz) + "\n" : std::string(); };
        std::string strErrors = fnReason("Rename failed") +
                                "Error in renaming file.\nCould not rename C.TXT.\n" +
                                fnReason("Filenames are not unique") +
                                "Error in renaming file.\nCould not rename A.CSV.\n" +
                                fnReason("Source file not found") +
                                "Error in deleting file.\nCould not delete MISSING.CSV.\n";

        panel.Card().WriteFile("noext", "x"); // no CSV file to back up
        EXPECT_EQ(op.files.Backup({"A.CSV"}), bCanBackup);
        EXPECT_EQ(panel.CardHas("A.BAK"), bCanBackup);
        EXPECT_EQ(op.files.BackupAll(), bCanBackup);
        EXPECT_EQ(panel.CardHas("B.BAK"), bCanBackup);
        EXPECT_FALSE(panel.CardHas("noext.BAK"));
        EXPECT_FALSE(op.files.Backup({"MISSING.CSV", "B.CSV"}));
        strErrors += bCanBackup ? "Unable to backup MISSING.CSV."
                                : NO_BACKUP + "\n" + NO_BACKUP + "\n" + NO_BACKUP;
        EXPECT_EQ(op.files.GetErrors(), strErrors);
    }
}
