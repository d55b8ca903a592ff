#include "ViewerTestSupport.h"
#include "support/CScriptedPrompt.h"
#include "viewer/CDataViewTable.h"
#include "viewer/CellTextSort.h"
#include "viewer/CsvExport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
using Texts = std::vector<std::string>;

Texts Column(const CDataViewTable& table, int nColumn)
{
    Texts arrTexts;
    for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
        arrTexts.push_back(table.GetCellText(nRow, nColumn));
    return arrTexts;
}
} // namespace

TEST(DataView, RowsCellsFilterCellComparisonAndCsvExport)
{
    CHandLog hand("Date,Time,Temp,Pump");
    hand.Add(3, {"04/12/26", "08:00:10:500", "21.5", "on"});
    hand.Add(7, {"04/12/26", "08:00:20", "9", "off"});
    hand.Add(8, {"04/12/26", "08:00:30"});         // two fields: never a row
    hand.Add(9, {"04/12/26", "08:00:40", " x\t"}); // short: its missing cell is empty
    CDataViewTable table;
    table.Load(hand.Log());
    EXPECT_EQ((Texts{"#", "Date & Time", "Temp", "Pump"}), table.GetHeaders());
    EXPECT_EQ((Texts{"3", "7", "9"}), Column(table, 0));
    EXPECT_EQ((Texts{"Sun, Apr 12, 2026, 08:00:10:500", "Sun, Apr 12, 2026, 08:00:20",
                     "Sun, Apr 12, 2026, 08:00:40"}),
              Column(table, 1));
    EXPECT_EQ((Texts{"21.5", "9", "x"}), Column(table, 2)); // cells are trimmed
    EXPECT_EQ((Texts{"on", "off", ""}), Column(table, 3));
    EXPECT_EQ("", table.GetCellText(0, 9));

    hand.Log().m_Filter.m_bEnabled = true;
    hand.Log().m_Filter.m_arrTagFilters = {CTagFilter{1, true, FilterDiscrete, FilterEqual, 1}};
    table.Load(hand.Log());
    EXPECT_EQ((Texts{"3"}), Column(table, 0));

    // Records added before its rows move them in the cache: the rows keep their records. Once the
    // cache is emptied they point nowhere: the table knows and shows none.
    hand.Add(1, {"04/12/26", "08:00:00", "1", "on"});
    EXPECT_EQ((Texts{"3"}), Column(table, 0));
    EXPECT_EQ((Texts{"on"}), Column(table, 3));
    EXPECT_TRUE(table.IsCurrent(hand.Log()));
    hand.Log().EmptyCache();
    EXPECT_FALSE(table.IsCurrent(hand.Log()));
    EXPECT_EQ(0, table.GetRowCount());

    // Cells compare numbers as numbers (however long), texts without case, empty
    // as no number; the sorts of whole tables are in the golden transcripts.
    const std::tuple<const char*, const char*, bool, int> arrCases[] = {
        {"9", "10", true, -1},   {"9", "10", false, 1},
        {"9", "10x", true, -1},  {"abc", "ABD", false, -1},
        {"ABC", "abc", true, 0}, {"", "0", false, -1},
        {"007", "7", true, 0},   {"99999999999999999999", "100000000000000000000", true, -1}};
    for (const auto& [pszA, pszB, bAscending, nSign] : arrCases)
    {
        const int nResult = CompareCellTexts(pszA, pszB, bAscending);
        EXPECT_EQ(nSign, (nResult > 0) - (nResult < 0)) << pszA << " " << pszB << " " << bAscending;
    }

    // The export: filters and rows as shown, byte for byte; a failure leaves nothing.
    CScriptedPrompt prompt;
    CScopedPrompt scoped(prompt);
    CTempDir dir;
    const auto Path = [&dir](const char* pszName) { return (dir.Path() / pszName).string(); };
    CHandLog quoted("Date,Time,\"Temp \"\"C\"\"\",Pump");
    quoted.Log().m_strFileName = "LOG\"1\".CSV";
    quoted.Add(1, {"04/12/26", "08:00:00", "21.5", "OFF"});
    quoted.Add(2, {"04/12/26", "08:00:10", "say \"x\"", "off"});
    const std::vector<CTagFilter> arrTags = {{0, true, FilterNumeric, FilterNotEqual, -1.5},
                                             {1, false, FilterDiscrete, FilterEqual, 1}};
    const SYSTEMTIME tmFrom = TimeOf("04/12/26", "08:00:00");
    quoted.Log().m_Filter = {
        true, true, true, FilterInRange, tmFrom, TimeOf("04/12/26", "08:01:00"), arrTags};
    CDataViewTable shown;
    shown.Load(quoted.Log());
    shown.Sort(0); // exported in the shown's present order
    shown.Sort(0);
    dir.WriteFile("out.csv", std::string(10000, 'x')); // an existing export is replaced whole
    EXPECT_TRUE(ExportCsv(Path("out.csv"), quoted.Log(), shown));
    EXPECT_EQ("FileName:,LOG\"\"1\"\".CSV\r\n"
              "Filters,Show/Hide,DataType,Condition,Low Limit,High Limit\r\n"
              "DateRange,show,Data,In the range,\"Sun, Apr 12, 2026, 08:00:00\",\"Sun, Apr 12, "
              "2026, 08:01:00\"\r\n"
              "\"Temp \"\"C\"\"\",\"Show\",\"Numeric\",\"!=\",\"-1.500000\",\"0.000000\"\r\n"
              "\"Pump\",\"Hide\",\"Discrete\",\"=\",\"1.000000\",\"0.000000\"\r\n"
              "\r\n\r\n"
              "\"#\",\"Date & Time\",\"Temp \"\"C\"\"\",\"Pump\"\r\n"
              "\"2\",\"Sun, Apr 12, 2026, 08:00:10\",\"say \"\"x\"\"\",\"off\"\r\n"
              "\"1\",\"Sun, Apr 12, 2026, 08:00:00\",\"21.5\",\"OFF\"\r\n",
              dir.ReadFile("out.csv"));
    EXPECT_EQ("LOG\"\"1\"\".CSV", DoubleQuotes(quoted.Log().m_strFileName));
    EXPECT_EQ("\"say \"\"x\"\"\"", EncloseQuoted("say \"x\""));
    EXPECT_TRUE(prompt.Shown().empty());

    std::filesystem::remove(Path("out.csv"));
    EXPECT_FALSE(ExportCsv((dir.Path() / "missing" / "out.csv").string(), quoted.Log(), shown));
    std::filesystem::create_directory(Path("taken.csv"));
    EXPECT_FALSE(ExportCsv(Path("taken.csv"), quoted.Log(), shown));
    ASSERT_EQ(2u, prompt.Shown().size());
    // The system's text first, then the system's reason.
    EXPECT_EQ(0u, prompt.Shown()[0].strText.rfind("Unable to create/open the csv file.\n", 0));
    EXPECT_NE(std::string::npos, prompt.Shown()[1].strText.find("Is a directory"));
    EXPECT_EQ(EPromptIcon::Stop, prompt.Shown()[0].eIcon);
    // Only the folders the test made: no half-written or temporary file.
    EXPECT_EQ(std::vector<std::string>{}, FolderNames(dir.Path(), true));
}
