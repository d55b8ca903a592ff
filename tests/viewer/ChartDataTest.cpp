#include "viewer/ChartData.h"
#include "MiniJson.h"
#include "ViewerTestSupport.h"
#include "viewer/DataLogText.h"

#include <gtest/gtest.h>

namespace
{
SYSTEMTIME MakeTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond,
                    int nMilliseconds = 0)
{
    SYSTEMTIME tm;
    tm.wYear = static_cast<uint16_t>(nYear);
    tm.wMonth = static_cast<uint16_t>(nMonth);
    tm.wDay = static_cast<uint16_t>(nDay);
    tm.wHour = static_cast<uint16_t>(nHour);
    tm.wMinute = static_cast<uint16_t>(nMinute);
    tm.wSecond = static_cast<uint16_t>(nSecond);
    tm.wMilliseconds = static_cast<uint16_t>(nMilliseconds);
    return tm;
}
} // namespace

TEST(ChartPoint, TimeStamps)
{
    EXPECT_EQ(1388574000000, ChartTimeStamp(MakeTime(2014, 1, 1, 12, 0, 0), 3600));
    EXPECT_EQ(1388577600123, ChartTimeStamp(MakeTime(2014, 1, 1, 12, 0, 0, 123), 0));
    EXPECT_EQ(1388581200000, ChartTimeStamp(MakeTime(2014, 1, 1, 12, 0, 0), -3600));
    EXPECT_EQ(-1000, ChartTimeStamp(MakeTime(1969, 12, 31, 23, 59, 59), 0));
    EXPECT_FALSE(ChartTimeStamp(MakeTime(2014, 2, 30, 0, 0, 0), 0));
    EXPECT_FALSE(ChartTimeStamp(SYSTEMTIME(), 0));
}

TEST(ChartPoint, ValuesAreAlwaysJsonNumbers)
{
    const std::vector<std::pair<const char*, const char*>> arrCases = {
        {"On", "1"},        {"OFF", "0"}, {"12.5", "12.5"}, {"-7", "-7"},        {" 21.5 ", "21.5"},
        {"-0.25", "-0.25"}, {"0", "0"},   {"007", "7"},     {"-00.50", "-0.50"}, {"-", "0"},
        {"1-2", "0"},       {"", "0"},    {"abc", "0"},     {"1.", "0"},         {".5", "0"},
        {"1e5", "0"},       {"+3", "0"},  {"1.2.3", "0"},   {"--1", "0"},        {"12 kg", "0"},
    };
    for (const auto& [pszField, pszExpected] : arrCases)
    {
        const std::string strValue = ChartValueText(pszField);
        EXPECT_EQ(pszExpected, strValue) << "field '" << pszField << "'";
        EXPECT_NO_THROW(CMiniJson::Parse(strValue)) << strValue;
    }
}

TEST(ChartPoint, JsonStringsEscapeEverythingTheGrammarAsks)
{
    const std::string strName = std::string("a\"b\\c\n\t\x01") + "\xE9" + "/";
    const std::string strQuoted = JsonQuote(strName);
    EXPECT_EQ("\"a\\\"b\\\\c\\n\\t\\u0001\\u00e9/\"", strQuoted);
    EXPECT_EQ(strName, CMiniJson::Parse(strQuoted).str);
}

TEST(ChartData, SeriesPerTagWithFilteredAndShortRecords)
{
    CHandLog hand("Date,Time,\"Temp \"\"inner\"\"\",Back\\slash,Pump");
    hand.Add(1, {"01/01/14", "12:00:00", "12.5", "-7", "On"});
    hand.Add(2, {"01/01/14", "12:00:01:250", "1-2", "007", "OFF"});
    hand.Add(3, {"01/01/14", "12:00:02", "99"});           // short: only the first tag
    hand.Add(4, {"01/01/14", "12:00:03"});                 // two fields: no point at all
    hand.Add(5, {"02/30/14", "12:00:04", "5", "5", "on"}); // no real time: no point
    hand.Add(6, {"01/01/14", "12:00:05", "1000", "0", "on"});
    CDataLogFile& log = hand.Log();
    log.m_Filter.m_bEnabled = true;
    CTagFilter tag;
    tag.m_nTagIndex = 0;
    tag.m_nCondition = FilterLess;
    tag.m_dLow = 500;
    log.m_Filter.m_arrTagFilters = {tag}; // hides record 6

    const std::optional<std::string> strData = BuildChartData(log, 3600);
    ASSERT_TRUE(strData);
    const SJsonValue root = CMiniJson::Parse(*strData);
    ASSERT_EQ(3u, root.arr.size());
    EXPECT_EQ("Temp \"inner\"", root[0].Get("name").str);
    EXPECT_EQ("Back\\slash", root[1].Get("name").str);

    const SJsonValue& temp = root[0].Get("data");
    ASSERT_EQ(3u, temp.arr.size());
    EXPECT_EQ("1388574000000", temp[0][0].strNumber);
    EXPECT_EQ("12.5", temp[0][1].strNumber);
    EXPECT_EQ("1388574001250", temp[1][0].strNumber);
    EXPECT_EQ("0", temp[1][1].strNumber);
    EXPECT_EQ("99", temp[2][1].strNumber);

    const SJsonValue& back = root[1].Get("data");
    ASSERT_EQ(2u, back.arr.size()); // record 3 lacks the field
    EXPECT_EQ("-7", back[0][1].strNumber);
    EXPECT_EQ("7", back[1][1].strNumber);
    const SJsonValue& pump = root[2].Get("data");
    ASSERT_EQ(2u, pump.arr.size());
    EXPECT_EQ("1", pump[0][1].strNumber);
    EXPECT_EQ("0", pump[1][1].strNumber);

    // No spaces anywhere between the parts.
    EXPECT_EQ(0u,
              strData->find("[{\"name\":\"Temp \\\"inner\\\"\",\"data\":[[1388574000000,12.5],"));
}

TEST(ChartData, EmptyCacheAndRejectedColumns)
{
    CHandLog hand("date,TIME,A,B");
    EXPECT_EQ("[{\"name\":\"A\",\"data\":[]},{\"name\":\"B\",\"data\":[]}]",
              BuildChartData(hand.Log(), 0).value_or("none"));

    CHandLog noTags("Date,Time");
    EXPECT_FALSE(BuildChartData(noTags.Log(), 0));
    CHandLog swapped("Time,Date,A");
    EXPECT_FALSE(BuildChartData(swapped.Log(), 0));
    // Without a command object the header has no fields.
    CDataLogFile detached(nullptr);
    detached.m_strHeader = "Date,Time,A";
    EXPECT_FALSE(BuildChartData(detached, 0));
}

TEST(PrintHeader, FilterOffAndOn)
{
    const std::string strFileStart =
        "<div id =\"PrintChart\" align=\"center\"><div id=\"FileName\" align=\"center\" "
        "style=\"color: rgb(51, 51, 51);font-size: 11px; \t\t\t\t\t\t\t\tfont-family: Dosis, "
        "sans-serif;font-weight: bold; fill: #333333;\">FileName:";
    const std::string strS =
        "style=\" border: 1px solid black;padding: 5px;border-collapse: collapse;font-size: 11px; "
        "font-weight: bold;font-family: Dosis, sans-serif;\"";

    CHandLog hand("Date,Time,<b>Temp</b>,Pump");
    CDataLogFile& log = hand.Log();
    log.m_strFileName = "A&B\"<script>.CSV";
    const std::string strEscapedName = "A&amp;B&quot;&lt;script&gt;.CSV";
    EXPECT_EQ(strFileStart + strEscapedName + "</div></br></div>", BuildPrintHeader(log));

    log.m_Filter.m_bEnabled = true; // on, but no criterion in use: still no table
    EXPECT_EQ(strFileStart + strEscapedName + "</div></br></div>", BuildPrintHeader(log));

    log.m_Filter.m_bDateRange = true;
    log.m_Filter.m_bShowDates = false;
    log.m_Filter.m_nDateCondition = FilterLess;
    log.m_Filter.m_tmFrom = MakeTime(2026, 12, 4, 15, 26, 16);
    log.m_Filter.m_tmTo = MakeTime(2026, 12, 5, 0, 0, 0);
    CTagFilter tag;
    tag.m_nTagIndex = 0;
    tag.m_bShow = true;
    tag.m_nCondition = FilterInRange;
    tag.m_dLow = 1.5;
    tag.m_dHigh = 2;
    log.m_Filter.m_arrTagFilters = {tag};
    auto Cell = [&](const char* pszTag, const std::string& strText)
    { return std::string("<") + pszTag + " " + strS + ">" + strText + "</" + pszTag + ">"; };
    const std::string strExpected =
        strFileStart + strEscapedName + "</div>" + "<br /><div id=\"Filters\" align=\"center\">" +
        "<table style=\"width:100%; border: 1px solid black;border-collapse: collapse;\">" +
        "<tr>" + Cell("th", "Filters") + Cell("th", "Show/Hide") + Cell("th", "DataType") +
        Cell("th", "Condition") + Cell("th", "Low limit") + Cell("th", "High Limit") + "</tr>" +
        "<tr>" + Cell("td", "DateRange") + Cell("td", "hide") + Cell("td", "Date") +
        Cell("td", "&lt;") + Cell("td", "Fri, Dec 04, 2026, 15:26:16") +
        Cell("td", "Sat, Dec 05, 2026, 00:00:00") + "</tr>" + "<tr>" +
        Cell("td", "&lt;b&gt;Temp&lt;/b&gt;") + Cell("td", "Show") + Cell("td", "Numeric") +
        Cell("td", "In the range") + Cell("td", "1.500000") + Cell("td", "2.000000") + "</tr>" +
        "</table></div></br></div>";
    EXPECT_EQ(strExpected, BuildPrintHeader(log));
}
