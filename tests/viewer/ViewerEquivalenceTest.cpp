// The reader, the record cache, the filter test, the Data View with its sort
// and export and the chart series against the reference model, on generated
// logs of several shapes: every text, order and byte must be the same.
#include "CReferenceViewerModel.h"
#include "ViewerTestSupport.h"
#include "support/CScriptedPrompt.h"
#include "viewer/CDataViewTable.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/ReadDataRules.h"

#include <gtest/gtest.h>
#include <random>

namespace
{
using Fields = std::vector<std::string>;

struct SShape
{
    const char* pszName;
    int nRecords;
    int nMillisecondsEvery; // every n-th record carries milliseconds (0: none, 1: all)
    bool bOddValues;        // values that are not plain numbers, odd dates and times
    bool bBadLines;         // lines of the wrong length or field count
    std::string strHeader;
};

// Texts that are numbers to some readers and not to others.
const std::vector<std::string> NUMBER_TEXTS = []
{
    std::vector<std::string> arrTexts;
    SplitAtDelimiter("21.5|-3|007|0|00|12|5.|.5|-0|1e3|abc||0x1A|+4|1.2.3|inf|nan|"
                     "99999999999999999999|123456789.123456789|0.1|10|9|-1|1-2|2x|Zed",
                     "|", arrTexts);
    return arrTexts;
}();
const char* const LONG_TEXTS[] = {"valve-open-1", "Valve-Open-2", "VALVE-OPEN-1", "valve-shut"};
const char* const SWITCH_TEXTS[] = {"on", "off", "ON", "On", "1", "", "oN", "offf"};

// A fixed-width log: every value padded to its column's width.
std::string MakeShapeLog(const SShape& shape, std::mt19937& rng)
{
    Fields arrHeader;
    const int nColumns = SplitCsvFields(shape.strHeader, arrHeader);
    std::vector<std::string> arrLines;
    size_t nWidth = 0;
    for (int i = 0; i < shape.nRecords; ++i)
    {
        const int nSecond = (i * 7) % 200; // not in order: filters and sorts have work
        std::string strDate = StrFormat("04/%02d/26", 10 + i / 150);
        std::string strTime = StrFormat("08:%02d:%02d", nSecond / 60, nSecond % 60);
        if (shape.nMillisecondsEvery > 0 && i % shape.nMillisecondsEvery == 0)
            strTime += StrFormat(":%03d", static_cast<int>(rng() % 1000));
        if (shape.bOddValues && i % 17 == 5)
            strDate = i % 2 ? "02/30/26" : "4/12/2026";
        if (shape.bOddValues && i % 23 == 7)
            strTime = i % 2 ? "25:00:00" : "08:00";
        std::string strLine = strDate + "," + strTime;
        for (int k = 2; k < nColumns; ++k)
        {
            std::string strValue;
            if (!shape.bOddValues && k == 5)
                strValue = LONG_TEXTS[rng() % 4]; // long texts, equal but for case
            else if (k % 2 == 1)
                strValue = SWITCH_TEXTS[rng() % (shape.bOddValues ? 8 : 2)];
            else if (shape.bOddValues)
                strValue = NUMBER_TEXTS[rng() % NUMBER_TEXTS.size()];
            else if (k == 4)
                strValue = std::to_string(rng() % 500); // whole numbers only
            else
                strValue = StrFormat("%.1f", static_cast<double>(rng() % 400) / 10.0 - 5.0);
            if (shape.bOddValues && rng() % 13 == 0)
                strValue = "\"" + strValue + ",\"\"q\"\"\""; // quoted, with a comma and quotes
            strLine += "," + StrFormat("%8s", strValue.c_str());
        }
        nWidth = std::max(nWidth, strLine.size());
        arrLines.push_back(strLine);
    }
    for (std::string& strLine : arrLines)
        strLine.insert(strLine.size(), nWidth - strLine.size(), ' ');
    for (size_t i = 0; shape.bBadLines && i + 1 < arrLines.size(); ++i)
    {
        if (i % 31 == 3)
            arrLines[i].replace(arrLines[i].size() - 2, 1, ","); // one field too many
        if (i % 37 == 4)
        {
            arrLines[i].pop_back(); // one byte short, the next one byte long
            arrLines[i + 1] += " ";
        }
    }
    std::string strText = shape.strHeader + "\n";
    for (const std::string& strLine : arrLines)
        strText += strLine + "\n";
    return strText;
}

// The same cached record times, to build filters from.
std::vector<SYSTEMTIME> CachedTimes(const CReferenceViewerModel& ref)
{
    std::vector<SYSTEMTIME> arrTimes;
    for (const auto& [nIndex, arrFields] : ref.m_mapCache)
    {
        bool bMilliseconds = false;
        arrTimes.push_back(ParseRecordTime(arrFields.data(), arrFields.size(), bMilliseconds));
    }
    return arrTimes;
}

// Filters of every kind over a cache's times and a header's tags.
std::vector<CFilterSet> MakeFilters(const std::vector<SYSTEMTIME>& arrTimes, int nTags)
{
    std::vector<CFilterSet> arrFilters(1); // off
    CFilterSet on;
    on.m_bEnabled = true;
    arrFilters.push_back(on); // on, nothing in use
    if (!arrTimes.empty())
    {
        for (int nCondition = 0; nCondition <= 6; ++nCondition)
        {
            CFilterSet dates = on;
            dates.m_bDateRange = true;
            dates.m_nDateCondition = nCondition;
            dates.m_bShowDates = nCondition % 2 == 0;
            dates.m_tmFrom = arrTimes[arrTimes.size() / 3];
            dates.m_tmTo = arrTimes[arrTimes.size() * 2 / 3];
            if (nCondition == 4)
                dates.m_tmTo = dates.m_tmFrom; // one instant, milliseconds included
            arrFilters.push_back(dates);
        }
    }
    for (int nTag = 0; nTag < nTags; ++nTag)
    {
        for (int nCondition = 0; nCondition <= 5; ++nCondition)
        {
            CFilterSet tags = on;
            CTagFilter tag;
            tag.m_nTagIndex = static_cast<uint16_t>(nTag);
            tag.m_nDataType = nTag % 2 == 1 && nCondition == 0 ? FilterDiscrete : FilterNumeric;
            tag.m_nCondition = nCondition;
            tag.m_bShow = nCondition != 1;
            tag.m_dLow = nCondition == 0 ? (tag.m_nDataType == FilterDiscrete ? 1.0 : 0.0) : 2.5;
            tag.m_dHigh = 21.5;
            tags.m_arrTagFilters.push_back(tag);
            if (nCondition == 4 && !arrTimes.empty())
            {
                // Date and two tags, as the whole-cache benchmark runs it.
                tags.m_bDateRange = true;
                tags.m_tmFrom = arrTimes.front();
                tags.m_tmTo = arrTimes.back();
                CTagFilter other = tag;
                other.m_nTagIndex = static_cast<uint16_t>((nTag + 1) % (nTags + 1));
                other.m_nCondition = FilterGreater;
                other.m_dLow = -1;
                tags.m_arrTagFilters.push_back(other);
            }
            arrFilters.push_back(tags);
        }
    }
    CFilterSet off = arrFilters.back(); // criteria set, but not in force
    off.m_bEnabled = false;
    arrFilters.push_back(off);
    return arrFilters;
}

std::vector<bool> HiddenRecords(CDataLogFile& log)
{
    std::vector<bool> arrHidden;
    for (size_t nPos = 0; nPos < log.GetCachedCount(); ++nPos)
        arrHidden.push_back(log.IsRecordHidden(nPos));
    return arrHidden;
}

std::vector<bool> HiddenRecords(CReferenceViewerModel& ref)
{
    std::vector<bool> arrHidden;
    for (const auto& [nIndex, arrFields] : ref.m_mapCache)
        arrHidden.push_back(ref.IsRecordHidden(arrFields));
    return arrHidden;
}

std::vector<std::vector<std::string>> TableCells(const CDataViewTable& table)
{
    std::vector<std::vector<std::string>> arrRows;
    for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
    {
        arrRows.emplace_back();
        for (int nColumn = 0; nColumn <= table.GetColumnCount(); ++nColumn)
            arrRows.back().push_back(table.GetCellText(nRow, nColumn));
        EXPECT_EQ(std::to_string(table.GetRecordIndex(nRow)), arrRows.back()[0]);
    }
    return arrRows;
}

std::vector<std::vector<std::string>> TableCells(const CReferenceViewerModel& ref)
{
    std::vector<std::vector<std::string>> arrRows;
    for (int nRow = 0; nRow < ref.RowCount(); ++nRow)
    {
        arrRows.emplace_back();
        for (size_t nColumn = 0; nColumn <= ref.Headers().size(); ++nColumn)
            arrRows.back().push_back(ref.CellText(nRow, static_cast<int>(nColumn)));
    }
    return arrRows;
}

// Every view of the cache, for each filter, against the reference. The
// milliseconds flag (which decides how times are shown) starts alike before
// each step and must end alike.
void CompareViews(CDataLogFile& log, CReferenceViewerModel& ref, const std::string& strWhere)
{
    SCOPED_TRACE(strWhere);
    ASSERT_EQ(ref.m_mapCache, CachedRecords(log));
    Fields arrColumns;
    const int nTags = std::max(0, log.GetHeaderFields(arrColumns) - 2);
    const std::vector<CFilterSet> arrFilters = MakeFilters(CachedTimes(ref), nTags);
    CDataViewTable table; // keeps its sort direction between loads, as the page does
    ref.m_bSortAscending = table.m_bSortAscending;
    ref.m_nSortColumn = table.m_nSortColumn;
    for (size_t nFilter = 0; nFilter < arrFilters.size(); ++nFilter)
    {
        SCOPED_TRACE(StrFormat("filter %zu", nFilter));
        log.m_Filter = ref.m_Filter = arrFilters[nFilter];
        log.m_bHasMilliseconds = ref.m_bHasMilliseconds = nFilter % 2 == 0;
        EXPECT_EQ(HiddenRecords(ref), HiddenRecords(log));
        EXPECT_EQ(ref.m_bHasMilliseconds, log.m_bHasMilliseconds);

        log.m_bHasMilliseconds = ref.m_bHasMilliseconds = nFilter % 3 == 0;
        table.Load(log);
        ref.LoadTable();
        EXPECT_EQ(ref.m_bHasMilliseconds, log.m_bHasMilliseconds);
        EXPECT_EQ(ref.Headers(), table.GetHeaders());
        EXPECT_EQ(TableCells(ref), TableCells(table));
        EXPECT_EQ(ref.CsvExport(), BuildCsvExport(log, table));

        // Clicks on every column, some twice in a row, some after others.
        const int nColumns = table.GetColumnCount();
        for (int nClick = 0; nClick < 2 * nColumns + 3; ++nClick)
        {
            const int nColumn = (nClick * 3 + static_cast<int>(nFilter)) % (nColumns + 1);
            EXPECT_EQ(ref.SortTable(nColumn), table.Sort(nColumn));
            EXPECT_EQ(ref.m_bSortAscending, table.m_bSortAscending);
            EXPECT_EQ(ref.m_nSortColumn, table.m_nSortColumn);
            std::vector<uint32_t> arrOrder;
            std::vector<uint32_t> arrRefOrder;
            for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
                arrOrder.push_back(table.GetRecordIndex(nRow));
            for (int nRow = 0; nRow < ref.RowCount(); ++nRow)
                arrRefOrder.push_back(ref.RowIndex(nRow));
            ASSERT_EQ(arrRefOrder, arrOrder) << "click " << nClick << " on column " << nColumn;
        }
        EXPECT_EQ(ref.CsvExport(), BuildCsvExport(log, table));

        log.m_bHasMilliseconds = ref.m_bHasMilliseconds = nFilter % 2 == 1;
        EXPECT_EQ(ref.ChartData(3600), BuildChartData(log, 3600));
        EXPECT_EQ(ref.m_bHasMilliseconds, log.m_bHasMilliseconds);
    }
    log.m_Filter = ref.m_Filter = CFilterSet();
}

void CompareCache(CDataLogFile& log, CReferenceViewerModel& ref, const std::string& strWhere)
{
    SCOPED_TRACE(strWhere);
    ASSERT_EQ(ref.m_mapCache, CachedRecords(log));
    EXPECT_EQ(ref.RecordSetText(), log.GetRecordSetText());
    log.m_bHasMilliseconds = ref.m_bHasMilliseconds = false;
    EXPECT_EQ(ref.CacheSummary(), UpdateCacheSummary(log).strSummary);
    EXPECT_EQ(ref.m_bHasMilliseconds, log.m_bHasMilliseconds);
}

void PrintTo(const SShape& shape, std::ostream* pStream)
{
    *pStream << shape.pszName;
}

class ViewerEquivalence : public ::testing::TestWithParam<SShape>
{
protected:
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
};
} // namespace

// Loads that leave gaps, then every view at each stage.
TEST_P(ViewerEquivalence, GeneratedLogOnThePanel)
{
    const SShape& shape = GetParam();
    std::mt19937 rng(4242);
    const std::string strFile = MakeShapeLog(shape, rng);
    CSimulatedCard card({{"SHAPE.CSV", strFile}});
    CDataLogFile log(card.Files());
    ASSERT_TRUE(log.OpenLog("SHAPE.CSV"));
    CReferenceViewerModel ref;
    ref.Open("SHAPE.CSV", strFile);

    const uint32_t nCount = log.GetRecordCount();
    const std::vector<SAddRecordsRequest> arrSteps = {
        {LoadLast, 0, false, 0, false},
        {LoadFrom, nCount / 2, true, 7, false},
        {LoadFrom, 5, true, 3, false},
        {LoadFirst, 0, true, 2, false},
        {LoadFrom, nCount / 4, true, nCount / 3, false}, // over a gap: the ends are skipped
        {LoadLast, 0, true, 3, true},
        {LoadFrom, 1, true, nCount / 5, false},
        {LoadAll, 0, false, 0, false},
    };
    for (size_t nStep = 0; nStep < arrSteps.size(); ++nStep)
    {
        const SAddRecordsRequest& step = arrSteps[nStep];
        PerformAddRecords(log, step);
        if (step.bClearFirst)
            ref.m_mapCache.clear();
        if (step.bSetWindowSize)
            ref.m_nWindowSize = step.nWindowSize;
        ref.Load(step.eMode, step.nIndex);
        CompareCache(log, ref, StrFormat("step %zu", nStep));
        if (nStep % 3 == 1 || nStep + 1 == arrSteps.size())
            CompareViews(log, ref, StrFormat("views after step %zu", nStep));
    }
    log.EmptyCache();
    ref.m_mapCache.clear();
    CompareCache(log, ref, "emptied");
    CompareViews(log, ref, "views of the empty cache");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ViewerEquivalence,
    ::testing::Values(
        SShape{"Plain", 120, 0, false, false, "Date,Time,Temp,Pump,Level"},
        SShape{"Milliseconds", 90, 1, false, false, "Date,Time,A,B"},
        SShape{"SomeMilliseconds", 150, 4, false, true, "Date,Time,Temp,Pump,Flow,Valve"},
        SShape{"OddValues", 200, 3, true, true, "date, TIME ,\"Temp \"\"in\"\"\",Pump,Level"},
        SShape{"OneTag", 40, 0, true, false, "Date,Time,Only"}),
    [](const ::testing::TestParamInfo<SShape>& info) { return std::string(info.param.pszName); });

// Records the file could not give: two fields, fewer or more fields than the
// header, impossible times; set in no particular order.
TEST(ViewerEquivalenceByHand, ShortAndOddRecords)
{
    const std::string strHeader = "Date,Time,Temp,Pump,Note";
    CHandLog hand(strHeader);
    hand.Log().m_strFileName = "ODD\"NAME.CSV";
    CReferenceViewerModel ref;
    ref.m_strHeader = strHeader;
    ref.m_strFileName = hand.Log().m_strFileName;
    std::mt19937 rng(7);
    std::vector<uint32_t> arrIndices;
    for (uint32_t i = 1; i <= 160; ++i)
        arrIndices.push_back(i * 3 + (i % 5 == 0 ? 1 : 0));
    std::shuffle(arrIndices.begin(), arrIndices.end(), rng);
    for (size_t n = 0; n < arrIndices.size(); ++n)
    {
        const uint32_t nIndex = arrIndices[n];
        Fields arrFields = {
            StrFormat("%02u/%02u/14", 1 + nIndex % 13, 1 + nIndex % 31),
            StrFormat("%02u:%02u:%02u", nIndex % 25, nIndex % 60, (nIndex * 7) % 61)};
        if (nIndex % 4 == 0)
            arrFields[1] += StrFormat(":%u", nIndex % 1000);
        const size_t nFields =
            nIndex % 9 == 0 ? 2 : (nIndex % 7 == 0 ? 3 : (nIndex % 11 == 0 ? 7 : 5));
        while (arrFields.size() < nFields)
        {
            const size_t k = arrFields.size();
            arrFields.push_back(k == 3 ? SWITCH_TEXTS[rng() % 8]
                                       : NUMBER_TEXTS[rng() % NUMBER_TEXTS.size()]);
            if (rng() % 9 == 0)
                arrFields.back() =
                    " " + arrFields.back() + "\t"; // untrimmed, as a hand could set it
        }
        if (nIndex % 10 == 3)
            arrFields = {"not a date", "nor a time", "ABC", "on", "x\"y"};
        hand.Add(nIndex, arrFields);
        ref.m_mapCache[nIndex] = arrFields;
        if (n % 53 == 0)
        {
            hand.Log().UpdateRecordSetText();
            CompareCache(hand.Log(), ref, StrFormat("after %zu records", n));
        }
    }
    hand.Log().UpdateRecordSetText();
    CompareCache(hand.Log(), ref, "all records");
    CompareViews(hand.Log(), ref, "all records");
}
