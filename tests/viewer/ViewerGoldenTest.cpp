// Everything the viewer shows of generated logs loaded in steps that leave gaps,
// in one transcript whose digest was recorded when it matched a plain reference
// model; a changed digest keeps the transcript for a diff against the old build.
#include "ViewerTestSupport.h"
#include "support/CScriptedPrompt.h"
#include "viewer/CDataViewTable.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace
{
using Fields = std::vector<std::string>;

struct SShape
{
    const char* pszName;
    int nRecords;
    int nMillisecondsEvery; // every n-th record has milliseconds (0: none)
    bool bOddValues;        // not plain numbers, odd dates and times
    bool bBadLines;         // lines of the wrong length or field count
    const char* pszEol;
    std::string strHeader;
    uint64_t nDigest;
};

const Fields NUMBER_TEXTS = []
{
    Fields arrTexts;
    SplitAtDelimiter("21.5|-3|007|0|00|12|5.|.5|-0|1e3|abc||0x1A|+4|1.2.3|inf|nan|"
                     "99999999999999999999|123456789.123456789|0.1|10|9|-1|1-2|2x|Zed",
                     "|", arrTexts);
    return arrTexts;
}();
const char* const LONG_TEXTS[] = {"valve-open-1", "Valve-Open-2", "VALVE-OPEN-1", "valve-shut"};
const char* const SWITCH_TEXTS[] = {"on", "off", "ON", "On", "1", "", "oN", "offf"};

std::string MakeShapeLog(const SShape& shape, std::mt19937& rng)
{
    Fields arrHeader;
    const int nColumns = SplitCsvFields(shape.strHeader, arrHeader);
    Fields arrLines;
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
            // Long texts equal but for case; switches; odd numbers; whole numbers; decimals.
            std::string strValue =
                !shape.bOddValues && k == 5 ? LONG_TEXTS[rng() % 4]
                : k % 2 == 1                ? SWITCH_TEXTS[rng() % (shape.bOddValues ? 8 : 2)]
                : shape.bOddValues          ? NUMBER_TEXTS[rng() % NUMBER_TEXTS.size()]
                : k == 4                    ? std::to_string(rng() % 500)
                         : StrFormat("%.1f", static_cast<double>(rng() % 400) / 10.0 - 5.0);
            if (shape.bOddValues && rng() % 13 == 0)
                strValue = "\"" + strValue + ",\"\"q\"\"\""; // quoted, with a comma and quotes
            strLine += "," + StrFormat("%8s", strValue.c_str());
        }
        nWidth = std::max(nWidth, strLine.size());
        arrLines.push_back(strLine);
    }
    for (std::string& strLine : arrLines)
        strLine.resize(nWidth, ' ');
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
    std::string strText = shape.strHeader + shape.pszEol;
    for (const std::string& strLine : arrLines)
        strText += strLine + shape.pszEol;
    return strText;
}

// Filters of every kind over the cached times and the tags.
std::vector<CFilterSet> MakeFilters(CDataLogFile& log, int nTags)
{
    std::vector<SYSTEMTIME> arrTimes;
    for (const auto& [nIndex, arrFields] : CachedRecords(log))
    {
        bool bMilliseconds = false;
        arrTimes.push_back(ParseRecordTime(arrFields.data(), arrFields.size(), bMilliseconds));
    }
    const size_t nCached = arrTimes.size();
    CFilterSet on;
    on.m_bEnabled = true;
    std::vector<CFilterSet> arrFilters = {CFilterSet(), on}; // off; on, nothing in use
    // Condition 4 on one instant, milliseconds included.
    for (int nCondition = 0; nCondition <= 6 && nCached > 0; ++nCondition)
        arrFilters.push_back({true, true, nCondition % 2 == 0, nCondition, arrTimes[nCached / 3],
                              arrTimes[nCondition == 4 ? nCached / 3 : nCached * 2 / 3],
                              std::vector<CTagFilter>()});
    for (int nTag = 0; nTag < nTags; ++nTag)
    {
        for (int nCondition = 0; nCondition <= 5; ++nCondition)
        {
            const bool bDiscrete = nTag % 2 == 1 && nCondition == 0;
            CFilterSet tags = on;
            tags.m_arrTagFilters = {{static_cast<uint16_t>(nTag), nCondition != 1,
                                     bDiscrete ? FilterDiscrete : FilterNumeric, nCondition,
                                     nCondition == 0 ? (bDiscrete ? 1.0 : 0.0) : 2.5, 21.5}};
            if (nCondition == 4 && nCached > 0) // date and two tags, as the benchmark runs it
            {
                tags.m_bDateRange = true;
                tags.m_tmFrom = arrTimes.front();
                tags.m_tmTo = arrTimes.back();
                tags.m_arrTagFilters.push_back({static_cast<uint16_t>((nTag + 1) % (nTags + 1)),
                                                true, FilterNumeric, FilterGreater, -1, 21.5});
            }
            arrFilters.push_back(tags);
        }
    }
    arrFilters.push_back(arrFilters.back()); // criteria set, but not in force
    arrFilters.back().m_bEnabled = false;
    return arrFilters;
}

// The milliseconds flag decides how times show: set before, written after.
void WriteCache(CDataLogFile& log, std::string& strOut)
{
    for (const auto& [nIndex, arrFields] : CachedRecords(log))
    {
        strOut += std::to_string(nIndex);
        for (const std::string& strField : arrFields)
            strOut += "|" + strField;
        strOut += "\n";
    }
    strOut += "set " + log.GetRecordSetText() + "\n";
    log.m_bHasMilliseconds = false;
    strOut += UpdateCacheSummary(log).strSummary + "\nms " +
              std::to_string(log.m_bHasMilliseconds) + "\n";
}

// Under each filter: hidden records, the table, its export, sorts and the chart.
void WriteViews(CDataLogFile& log, std::string& strOut)
{
    Fields arrColumns;
    const std::vector<CFilterSet> arrFilters =
        MakeFilters(log, std::max(0, log.GetHeaderFields(arrColumns) - 2));
    CDataViewTable table; // keeps its sort direction between loads, as the page does
    for (size_t nFilter = 0; nFilter < arrFilters.size(); ++nFilter)
    {
        strOut += StrFormat("\nfilter %zu hidden ", nFilter);
        log.m_Filter = arrFilters[nFilter];
        log.m_bHasMilliseconds = nFilter % 2 == 0;
        for (size_t nPos = 0; nPos < log.GetCachedCount(); ++nPos)
            strOut += log.IsRecordHidden(nPos) ? "1" : "0";
        strOut += StrFormat(" ms %d", log.m_bHasMilliseconds);

        log.m_bHasMilliseconds = nFilter % 3 == 0;
        table.Load(log);
        strOut += StrFormat(" ms %d\n", log.m_bHasMilliseconds);
        for (const std::string& strHeader : table.GetHeaders())
            strOut += strHeader + "|";
        for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
            for (int nColumn = 0; nColumn <= table.GetColumnCount(); ++nColumn)
                strOut += table.GetCellText(nRow, nColumn) + "|";
        strOut += "\n" + BuildCsvExport(log, table);
        // Clicks on every column, some twice in a row, some after others.
        const int nColumns = table.GetColumnCount();
        for (int nClick = 0; nClick < 2 * nColumns + 3; ++nClick)
        {
            const int nColumn = (nClick * 3 + static_cast<int>(nFilter)) % (nColumns + 1);
            strOut += StrFormat("click %d: %d %d %d:", nColumn, table.Sort(nColumn),
                                table.m_bSortAscending, table.m_nSortColumn);
            for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
                strOut += " " + std::to_string(table.GetRecordIndex(nRow));
            strOut += "\n";
        }
        strOut += BuildCsvExport(log, table);
        log.m_bHasMilliseconds = nFilter % 2 == 1;
        strOut += BuildChartData(log, 3600).value_or("no chart") +
                  StrFormat(" ms %d", log.m_bHasMilliseconds);
    }
    log.m_Filter = CFilterSet();
}

void ExpectDigest(uint64_t nExpected, const std::string& strTranscript, const std::string& strName)
{
    uint64_t nDigest = 14695981039346656037ull; // FNV-1a
    for (const unsigned char c : strTranscript)
        nDigest = (nDigest ^ c) * 1099511628211ull;
    if (nDigest == nExpected)
        return;
    const std::string strPath = ::testing::TempDir() + "viewer-" + strName + ".txt";
    std::ofstream(strPath, std::ios::binary) << strTranscript;
    ADD_FAILURE() << strName << ": digest " << nDigest << "ull, recorded " << nExpected
                  << "ull; the transcript is in " << strPath;
}

// By name: printed as its raw bytes, pointers among them, a shape gave the tests new names in
// every build.
void PrintTo(const SShape& shape, std::ostream* pOut)
{
    *pOut << shape.pszName;
}

using ViewerGolden = ::testing::TestWithParam<SShape>;
} // namespace

TEST_P(ViewerGolden, GeneratedLogOnThePanel)
{
    const SShape& shape = GetParam();
    CScriptedPrompt prompt;
    CScopedPrompt scoped(prompt);
    std::mt19937 rng(4242);
    CSimulatedCard card({{"SHAPE.CSV", MakeShapeLog(shape, rng)}});
    CDataLogFile log(card.Files());
    ASSERT_TRUE(log.OpenLog("SHAPE.CSV"));
    const uint32_t nCount = log.GetRecordCount();
    // The fifth step spans a gap: its cached ends are skipped.
    const SAddRecordsRequest arrSteps[] = {{LoadLast, 0, false, 0, false},
                                           {LoadFrom, nCount / 2, true, 7, false},
                                           {LoadFrom, 5, true, 3, false},
                                           {LoadFirst, 0, true, 2, false},
                                           {LoadFrom, nCount / 4, true, nCount / 3, false},
                                           {LoadLast, 0, true, 3, true},
                                           {LoadFrom, 1, true, nCount / 5, false},
                                           {LoadAll, 0, false, 0, false}};
    std::string strTranscript;
    for (size_t nStep = 0; nStep < std::size(arrSteps); ++nStep)
    {
        PerformAddRecords(log, arrSteps[nStep]);
        WriteCache(log, strTranscript);
        if (nStep % 3 == 1 || nStep + 1 == std::size(arrSteps))
            WriteViews(log, strTranscript);
    }
    log.EmptyCache();
    WriteCache(log, strTranscript);
    WriteViews(log, strTranscript);
    ExpectDigest(shape.nDigest, strTranscript, shape.pszName);
    EXPECT_TRUE(prompt.Shown().empty());
}

const SShape SHAPES[] = {
    {"Plain", 120, 0, false, false, "\n", "Date,Time,Temp,Pump,Level", 17482901943989518875ull},
    {"Milliseconds", 90, 1, false, false, "\r\n", "Date,Time,A,B", 13297838629235081241ull},
    {"SomeMilliseconds", 150, 4, false, true, "\n", "Date,Time,Temp,Pump,Flow,Valve",
     424586753983086311ull},
    {"OddValues", 200, 3, true, true, "\n", "date, TIME ,\"Temp \"\"in\"\"\",Pump,Level",
     2351526479140266731ull},
    {"OneTag", 40, 0, true, false, "\r\n", "Date,Time,Only", 7997045560083937523ull}};
INSTANTIATE_TEST_SUITE_P(Shapes, ViewerGolden, ::testing::ValuesIn(SHAPES),
                         [](const auto& info) { return std::string(info.param.pszName); });
