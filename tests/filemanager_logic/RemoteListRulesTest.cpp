// The remote list's rules (rows, sorting, buttons, selections, renames) and the tree's order.
#include "filemanager/logic/RemoteListRules.h"
#include "filemanager/logic/CSortStringArray.h"
#include "filemanager/logic/MainWindowTexts.h"
#include "filemanager/logic/RenameRules.h"

#include <gtest/gtest.h>

namespace
{
// 0 folder, 1 empty file, 2 A.CSV, 3 B.csv, 4 LOG.TXT, 5 C.CSV.CSV (not a CSV name)
CDirData MixedTable()
{
    CDirData table;
    const std::pair<const char*, const char*> arrRows[] = {{"SUB", "0"},        {"EMPTY.DAT", "0"},
                                                           {"A.CSV", "120"},    {"B.csv", "300"},
                                                           {"LOG.TXT", "1200"}, {"C.CSV.CSV", "5"}};
    for (const auto& [pszName, pszSize] : arrRows)
        table.Add({pszName, pszSize, CDateTime()});
    return table;
}

TEST(RemoteListRowsTest, RowTextsAndSorting)
{
    const CDateTime dt = CDateTime::FromFields(2014, 12, 25, 9, 5, 7);
    const auto arrTexts = RemoteRowTexts(41, {"41225A07.CSV", "23535", dt});
    EXPECT_EQ((std::vector<std::string>{"42", "41225A07.CSV", "23535"}),
              std::vector<std::string>(arrTexts.begin(), arrTexts.begin() + 3));
    EXPECT_EQ(arrTexts[3].rfind("Thu, Dec 25, 2014, ", 0), 0u) << arrTexts[3];
    EXPECT_EQ(RemoteDateText(CDateTime()), "Invalid DateTime");
    EXPECT_EQ(ParseSizeText("4294967295"), 4294967295LL);
    EXPECT_EQ(ParseSizeText("<DIR>"), 0);
    EXPECT_EQ(ParseSizeText(" 12abc"), 12);

    const DIR_DATA a = {"a.csv", "5", CDateTime::FromFields(2014, 1, 1, 0, 0, 0)};
    const DIR_DATA b = {"B.CSV", "<DIR>", CDateTime::FromFields(2015, 1, 1, 0, 0, 0)};
    const DIR_DATA invalid = {"X", "1", CDateTime()};
    // Names compare ordinally (upper case first); an invalid date-time is never later.
    // Column, entries, flag (false: the other way round), and the result.
    const std::tuple<int, const DIR_DATA*, const DIR_DATA*, bool, int> arrCases[] = {
        {REMOTE_COL_NAME, &a, &b, true, 1},
        {REMOTE_COL_SIZE, &a, &b, true, 1},
        {REMOTE_COL_DATE, &a, &b, true, -1},
        {REMOTE_COL_DATE, &a, &b, false, 1},
        {REMOTE_COL_DATE, &a, &a, true, 0},
        {REMOTE_COL_NUMBER, &a, &b, true, 0},
        {REMOTE_COL_DATE, &invalid, &a, true, -1},
        {REMOTE_COL_DATE, &a, &invalid, true, -1},
        {REMOTE_COL_DATE, &invalid, &invalid, true, 0},
    };
    for (const auto& [nColumn, pFirst, pSecond, bFlag, nExpected] : arrCases)
        EXPECT_EQ(CompareRemoteEntries(nColumn, *pFirst, *pSecond, bFlag), nExpected)
            << nColumn << pFirst->strName;
    // The number column and a single row do not sort, and leave the flag.
    const CDirData table = MixedTable();
    SetRemoteSortFlag(true);
    std::vector<int> arrOrder = {5, 4, 3, 2, 1, 0};
    EXPECT_FALSE(SortRemoteOrder(arrOrder, table, REMOTE_COL_NUMBER));
    std::vector<int> arrOne = {2};
    EXPECT_FALSE(SortRemoteOrder(arrOne, table, REMOTE_COL_NAME));
    EXPECT_TRUE(GetRemoteSortFlag());
    EXPECT_EQ(arrOrder, (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST(RemoteSelectionRulesTest, ButtonsMessagesAndBackupFollowTheSelection)
{
    const CDirData table = MixedTable();
    // View, Delete, Rename, Backup Selected, Backup All, Copy, Move.
    const auto buttons = [](const SRemoteButtonStates& s)
    {
        std::string strOn;
        for (const bool bOn :
             {s.bView, s.bDelete, s.bRename, s.bBackupSelected, s.bBackupAll, s.bCopy, s.bMove})
            strOn += bOn ? '1' : '0';
        return strOn;
    };
    const std::pair<std::vector<int>, const char*> arrCases[] = {
        {{}, "0000100"},  {{0}, "0100111"},    {{1}, "0100111"},    {{4}, "1110111"},
        {{2}, "1111111"}, {{2, 3}, "0101111"}, {{2, 4}, "0100111"}, {{2, 5}, "0100111"},
    };
    for (const auto& [arrSelected, pszButtons] : arrCases)
        EXPECT_EQ(buttons(ComputeRemoteButtonStates(table, arrSelected, true, true, true)),
                  pszButtons)
            << arrSelected.size();
    // A panel that can neither back up nor show data keeps those off.
    EXPECT_EQ(buttons(ComputeRemoteButtonStates(table, {2}, true, false, false)), "0110011");
    EXPECT_EQ(ComputeRemoteButtonStates(table, {2}, false, true, true), SRemoteButtonStates());
    EXPECT_EQ(ComputeRemoteButtonStates(CDirData(), {}, true, true, true), SRemoteButtonStates());

    // Rename and View take one file; a backup of every CSV file is Backup All.
    EXPECT_EQ(RenameSelectionMessage(table, {}), "Select Remote File to be renamed.");
    EXPECT_EQ(RenameSelectionMessage(table, {1}), "Select Remote File not Directory.");
    EXPECT_EQ(ViewSelectionMessage(table, {2, 3}), "Select only one Remote File to view data.");
    EXPECT_EQ(ViewSelectionMessage(table, {0}), "Select Remote File not Directory.");

    EXPECT_TRUE(PlanBackupSelected(table, {2, 3}).bBackupAll &&
                PlanBackupSelected(table, {2, 3}).arrNames.empty());
    // A single CSV file in the table is backed up by name, not as "all".
    CDirData single;
    single.Add({"ONLY.CSV", "10", CDateTime()});
    single.Add({"LOG.TXT", "10", CDateTime()});
    EXPECT_FALSE(PlanBackupSelected(single, {0}).bBackupAll);
    // A file directly below the root keeps the local folder box as it was.
    EXPECT_EQ(LocalFolderForSelection("/a.csv", false), std::nullopt);
}

TEST(RenameRules, ShortNamesForbiddenCharactersAndVerdicts)
{
    // At most eight characters before the first dot and twelve in all.
    for (const char* pszName : {"ABCDEFGH.CSV", "README", "A.B.C", "ABCDEFGHIJKL", ".CSV"})
        EXPECT_TRUE(IsValidShortName(pszName)) << pszName;
    for (const char* pszName :
         {"ABCDEFGHI.CSV", "ABCDEFGHI.CS", "ABCDEFGHIJKLM", "ABCDEFGH.CSVX", ""})
        EXPECT_FALSE(IsValidShortName(pszName)) << pszName;

    const std::string strForbidden = "\"*+,/:;<=>?[\\]|";
    for (int nCode = 1; nCode < 256; ++nCode)
    {
        const char c = static_cast<char>(nCode);
        const std::string strName = std::string("AB") + c + "D.CSV";
        const bool bForbidden = strForbidden.find(c) != std::string::npos;
        EXPECT_EQ(HasForbiddenFileNameChar(strName), bForbidden) << nCode;
        EXPECT_EQ(IsValidShortName(strName), !bForbidden) << nCode;
    }
    EXPECT_EQ(0, CSortStringArray::CompareNoCase("Data", "dATA")); // the local tree's order

    // The verdicts in their order.
    CDirData table;
    for (const char* pszName : {"DATA1.CSV", "LOGS", "VERYLONGNAME.CSV"})
        table.Add({pszName, "10", CDateTime()});
    const char* EXISTS = "File alredy exists.\nEnter a different file name.";
    const char* INVALID = "Invalid File name.\nGive different name.";
    // Any entry counts, in any letter case, and before the name's own checks.
    const std::pair<const char*, const char*> arrCases[] = {
        {"", "Enter a file name."}, {"data1.csv", EXISTS},
        {"logs", EXISTS},           {"verylongname.csv", EXISTS},
        {"ABCDEFGHI.CSV", INVALID}, {"NEW|.CSV", INVALID},
        {"DATA1.CS", ""},
    };
    for (const auto& [pszName, pszMessage] : arrCases)
    {
        const SRenameVerdict verdict = CheckRenameName(pszName, &table);
        EXPECT_EQ(verdict.bAccepted, *pszMessage == '\0') << pszName;
        EXPECT_EQ(verdict.strMessage, pszMessage) << pszName;
        EXPECT_TRUE(verdict.bAccepted ||
                    verdict.eIcon == (*pszName ? EPromptIcon::Stop : EPromptIcon::None))
            << pszName;
    }
    EXPECT_TRUE(CheckRenameName("NEW.CSV", nullptr).bAccepted);
}

} // namespace
