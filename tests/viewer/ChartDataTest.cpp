#include "viewer/ChartData.h"
#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

TEST(ChartData, TimeStampsValuesNamesOddRecordsAndThePrintHeader)
{
    EXPECT_EQ(1388574000000, ChartTimeStamp(TimeOf("01/01/2014", "12:00:00"), 3600));
    EXPECT_EQ(1388577600123, ChartTimeStamp(TimeOf("01/01/2014", "12:00:00:123"), 0));
    EXPECT_EQ(1388581200000, ChartTimeStamp(TimeOf("01/01/2014", "12:00:00"), -3600));
    EXPECT_EQ(-1000, ChartTimeStamp(TimeOf("12/31/1969", "23:59:59"), 0));
    EXPECT_FALSE(ChartTimeStamp(TimeOf("02/30/2014", "00:00:00"), 0));
    EXPECT_FALSE(ChartTimeStamp(SYSTEMTIME(), 0));

    // Every value is a JSON number, whatever the field holds.
    const std::pair<const char*, const char*> arrValues[] = {
        {"On", "1"}, {"OFF", "0"}, {" 21.5 ", "21.5"}, {"-00.50", "-0.50"},
        {"-", "0"},  {"--1", "0"}, {"12 kg", "0"},     {"1e5", "0"}};
    for (const auto& [pszField, pszExpected] : arrValues)
        EXPECT_EQ(pszExpected, ChartValueText(pszField)) << "field '" << pszField << "'";

    const std::string strName = std::string("a\"b\\c\n\t\x01") + "\xE9" + "/";
    EXPECT_EQ("\"a\\\"b\\\\c\\n\\t\\u0001\\u00e9/\"", JsonQuote(strName));

    // Records and headers no file gives; the series of real logs are in the golden transcripts.
    CHandLog hand("date,TIME,A,B");
    EXPECT_EQ("[{\"name\":\"A\",\"data\":[]},{\"name\":\"B\",\"data\":[]}]",
              BuildChartData(hand.Log(), 0).value_or("none"));
    hand.Add(1, {"01/01/14", "12:00:00", "5"}); // short: no point of B
    EXPECT_EQ("[{\"name\":\"A\",\"data\":[[1388577600000,5]]},{\"name\":\"B\",\"data\":[]}]",
              BuildChartData(hand.Log(), 0).value_or("none"));
    for (const char* pszHeader : {"Date,Time", "Time,Date,A"})
        EXPECT_FALSE(BuildChartData(CHandLog(pszHeader).Log(), 0)) << pszHeader;

    // The print header above the chart: the file name, and the filter table once one is in use.
    CHandLog html("Date,Time,<b>Temp</b>,Pump");
    CDataLogFile& log = html.Log();
    log.m_strFileName = "A&B\"<script>.CSV";
    const std::string strStart =
        "<div id =\"PrintChart\" align=\"center\"><div id=\"FileName\" align=\"center\" "
        "style=\"color: rgb(51, 51, 51);font-size: 11px; \t\t\t\t\t\t\t\tfont-family: Dosis, "
        "sans-serif;font-weight: bold; fill: #333333;\">FileName:A&amp;B&quot;&lt;script&gt;.CSV"
        "</div>";
    EXPECT_EQ(strStart + "</br></div>", BuildPrintHeader(log));
    log.m_Filter.m_bEnabled = true; // on, but no criterion in use: still no table
    EXPECT_EQ(strStart + "</br></div>", BuildPrintHeader(log));

    const std::vector<CTagFilter> arrTags = {{0, true, FilterNumeric, FilterInRange, 1.5, 2}};
    const SYSTEMTIME tmFrom = TimeOf("12/04/2026", "15:26:16");
    log.m_Filter = {true,   true, false, FilterLess, tmFrom, TimeOf("12/05/2026", "00:00:00"),
                    arrTags};
    std::string strExpected = strStart + "<br /><div id=\"Filters\" align=\"center\"><table "
                                         "style=\"width:100%; border: 1px solid "
                                         "black;border-collapse: collapse;\">";
    using Texts = std::vector<std::string>;
    for (const Texts& arrRow :
         {Texts{"th", "Filters", "Show/Hide", "DataType", "Condition", "Low limit", "High Limit"},
          Texts{"td", "DateRange", "hide", "Date", "&lt;", "Fri, Dec 04, 2026, 15:26:16",
                "Sat, Dec 05, 2026, 00:00:00"},
          Texts{"td", "&lt;b&gt;Temp&lt;/b&gt;", "Show", "Numeric", "In the range", "1.500000",
                "2.000000"}})
    {
        strExpected += "<tr>";
        for (size_t i = 1; i < arrRow.size(); ++i)
            strExpected += "<" + arrRow[0] +
                           " style=\" border: 1px solid black;padding: 5px;border-collapse: "
                           "collapse;font-size: 11px; font-weight: bold;font-family: Dosis, "
                           "sans-serif;\">" +
                           arrRow[i] + "</" + arrRow[0] + ">";
        strExpected += "</tr>";
    }
    EXPECT_EQ(strExpected + "</table></div></br></div>", BuildPrintHeader(log));
}
