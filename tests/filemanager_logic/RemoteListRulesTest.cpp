#include "filemanager/logic/RemoteListRules.h"
#include "filemanager/logic/MainWindowTexts.h"

#include <gtest/gtest.h>

namespace
{
DIR_DATA Entry(const char* pszName, const char* pszSize, CDateTime dt = CDateTime())
{
    return {pszName, pszSize, dt};
}

// 0 folder, 1 empty file, 2 A.CSV, 3 B.csv, 4 LOG.TXT, 5 C.CSV.CSV (its first ".csv" is not at the
// end)
CDirData MixedTable()
{
    CDirData table;
    table.Add(Entry("SUB", "0"));
    table.Add(Entry("EMPTY.DAT", "0"));
    table.Add(Entry("A.CSV", "120"));
    table.Add(Entry("B.csv", "300"));
    table.Add(Entry("LOG.TXT", "1200"));
    table.Add(Entry("C.CSV.CSV", "5"));
    return table;
}

TEST(RemoteListRowsTest, RowAndSizeTexts)
{
    const CDateTime dt = CDateTime::FromFields(2014, 12, 25, 9, 5, 7);
    const auto arrTexts = RemoteRowTexts(41, Entry("41225A07.CSV", "23535", dt));
    EXPECT_EQ(arrTexts[0], "42");
    EXPECT_EQ(arrTexts[1], "41225A07.CSV");
    EXPECT_EQ(arrTexts[2], "23535");
    EXPECT_EQ(arrTexts[3].rfind("Thu, Dec 25, 2014, ", 0), 0u) << arrTexts[3];
    EXPECT_EQ(RemoteDateText(CDateTime()), "Invalid DateTime");
    EXPECT_EQ(ParseSizeText("4294967295"), 4294967295LL);
    EXPECT_EQ(ParseSizeText("<DIR>"), 0);
    EXPECT_EQ(ParseSizeText(" 12abc"), 12);
}

TEST(RemoteListSortTest, ComparisonsFollowTheColumnAndTheFlag)
{
    const CDateTime early = CDateTime::FromFields(2014, 1, 1, 0, 0, 0);
    const CDateTime late = CDateTime::FromFields(2015, 1, 1, 0, 0, 0);
    const DIR_DATA a = Entry("a.csv", "5", early);
    const DIR_DATA b = Entry("B.CSV", "<DIR>", late);
    // Names compare ordinally: upper case sorts before lower case.
    EXPECT_GT(CompareRemoteEntries(REMOTE_COL_NAME, a, b, true), 0);
    EXPECT_LT(CompareRemoteEntries(REMOTE_COL_NAME, a, b, false), 0);
    EXPECT_GT(CompareRemoteEntries(REMOTE_COL_SIZE, a, b, true), 0);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, a, b, true), -1);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, a, b, false), 1);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, a, a, true), 0);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_NUMBER, a, b, true), 0);

    // An invalid date-time is never later, in either order.
    const DIR_DATA invalid = Entry("X", "1", CDateTime());
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, invalid, a, true), -1);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, a, invalid, true), -1);
    EXPECT_EQ(CompareRemoteEntries(REMOTE_COL_DATE, invalid, invalid, true), 0);
}

TEST(RemoteListSortTest, NumberColumnAndShortListsDoNothing)
{
    const CDirData table = MixedTable();
    SetRemoteSortFlag(true);
    std::vector<int> arrOrder = {5, 4, 3, 2, 1, 0};
    EXPECT_FALSE(SortRemoteOrder(arrOrder, table, REMOTE_COL_NUMBER));
    std::vector<int> arrOne = {2};
    EXPECT_FALSE(SortRemoteOrder(arrOne, table, REMOTE_COL_NAME));
    EXPECT_TRUE(GetRemoteSortFlag());
    EXPECT_EQ(arrOrder, (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST(RemoteButtonRulesTest, BackupSelectedNeedsEverySelectedFileToBeCsvAndOffMeansNothing)
{
    // The window's tests cover the selection kinds on a real listing; these
    // are the names only a table made up here holds.
    const CDirData table = MixedTable();
    EXPECT_TRUE(ComputeRemoteButtonStates(table, {2, 3}, true, true, true).bBackupSelected);
    EXPECT_FALSE(ComputeRemoteButtonStates(table, {2, 5}, true, true, true).bBackupSelected);
    EXPECT_EQ(ComputeRemoteButtonStates(table, {2}, false, true, true), SRemoteButtonStates());
    EXPECT_EQ(ComputeRemoteButtonStates(CDirData(), {}, true, true, true), SRemoteButtonStates());
}

TEST(RemoteSelectionRulesTest, RenameAndViewTakeExactlyOneFile)
{
    const CDirData table = MixedTable();
    EXPECT_EQ(RenameSelectionMessage(table, {}), "Select Remote File to be renamed.");
    EXPECT_EQ(RenameSelectionMessage(table, {1}), "Select Remote File not Directory.");
    EXPECT_EQ(RenameSelectionMessage(table, {4}), "");
    EXPECT_EQ(ViewSelectionMessage(table, {2, 3}), "Select only one Remote File to view data.");
    EXPECT_EQ(ViewSelectionMessage(table, {0}), "Select Remote File not Directory.");
    EXPECT_EQ(ViewSelectionMessage(table, {2}), "");
}

TEST(RemoteSelectionRulesTest, BackupOfEveryCsvFileBecomesBackupAll)
{
    const CDirData table = MixedTable();
    const SBackupPlan all = PlanBackupSelected(table, {2, 3});
    EXPECT_TRUE(all.bBackupAll);
    EXPECT_TRUE(all.arrNames.empty());

    const SBackupPlan one = PlanBackupSelected(table, {3});
    EXPECT_FALSE(one.bBackupAll);
    EXPECT_EQ(one.arrNames, (std::vector<std::string>{"B.csv"}));

    // A single CSV file in the table is backed up by name, not as "all".
    CDirData single;
    single.Add(Entry("ONLY.CSV", "10"));
    single.Add(Entry("LOG.TXT", "10"));
    EXPECT_FALSE(PlanBackupSelected(single, {0}).bBackupAll);
}
TEST(MainWindowTextsTest, LocalFolderOfATreeSelection)
{
    EXPECT_EQ(LocalFolderForSelection("/home/user/data", true), "/home/user/data");
    EXPECT_EQ(LocalFolderForSelection("/home/user/data/a.csv", false), "/home/user/data");
    EXPECT_EQ(LocalFolderForSelection("C:\\Logs\\a.csv", false), "C:\\Logs");
    // A file directly below the root keeps the box as it was.
    EXPECT_EQ(LocalFolderForSelection("/a.csv", false), std::nullopt);
    EXPECT_EQ(LocalFolderForSelection("a.csv", false), std::nullopt);
}
} // namespace
