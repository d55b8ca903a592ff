// "orvak-cli HOST view FILE ..." against the simulator, as a user runs it.
#include "ViewerTestSupport.h"
#include "support/CliRunner.h"
#include "viewer/ChartData.h"

#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

namespace
{
// The arguments as a shell splits them ('...' one argument), in the card's folder.
SCliResult RunView(const CSimulatedCard& card, const std::string& strArgs)
{
    std::vector<std::string> arrArgs = {"--timeout", "5", StrFormat("127.0.0.1:%d", card.Port()),
                                        "view"};
    std::istringstream in(strArgs);
    for (std::string strArg; in >> std::quoted(strArg, '\'');)
        arrArgs.push_back(strArg);
    return RunCli(arrArgs, {card.Dir().Str()});
}
} // namespace

TEST(CliView, SummaryFilteredExportChartAndRefusals)
{
    CSimulatedCard card({{"LOG.CSV", MakeDataLog(100)}});
    SCliResult run = RunView(
        card, "LOG.CSV --add from:50:count:-5 --clear --add from:10:to:12 --add first:2 --summary");
    ASSERT_EQ(0, run.nExit) << run.strErr;
    EXPECT_EQ("Records in File:\nTotal Records: 100\n\n"
              "First record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:01:39\n\n"
              "Records in Application Cache:\nTotal Records: 5\n\n"
              "First record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:00:11\n\n"
              "RecordSet:\n(1 - 2) & (10 - 12)\n",
              run.strOut);

    run = RunView(card, "LOG.CSV --add all --filter-date show in '04/12/2026 08:00:10' "
                        "'04/12/2026 08:00:12' --filter-tag Pump hide discrete = 1 --csv out.csv "
                        "--json");
    ASSERT_EQ(0, run.nExit) << run.strErr;
    // Records 11 to 13 are in the range; 11 and 13 have the pump on: 12 is left.
    EXPECT_EQ("FileName:,LOG.CSV\r\n"
              "Filters,Show/Hide,DataType,Condition,Low Limit,High Limit\r\n"
              "DateRange,show,Data,In the range,\"Sun, Apr 12, 2026, 08:00:10\",\"Sun, Apr 12, "
              "2026, 08:00:12\"\r\n"
              "\"Pump\",\"Hide\",\"Discrete\",\"=\",\"1.000000\",\"0.000000\"\r\n"
              "\r\n\r\n"
              "\"#\",\"Date & Time\",\"Temp\",\"Pump\"\r\n"
              "\"12\",\"Sun, Apr 12, 2026, 08:00:11\",\"21.1\",\"off\"\r\n",
              card.Dir().ReadFile("out.csv"));
    const std::string strStamp = std::to_string(
        ChartTimeStamp(TimeOf("04/12/2026", "08:00:11"), GetLocalUtcOffset()).value_or(0));
    EXPECT_EQ("[{\"name\":\"Temp\",\"data\":[[" + strStamp +
                  ",21.1]]},{\"name\":\"Pump\",\"data\":[[" + strStamp + ",0]]}]\n",
              run.strOut);

    // The texts are the pages' rules'; here the exit status and the whole of
    // standard error (or its start).
    const std::tuple<const char*, int, std::string, bool> arrRefusals[] = {
        {"LOG.CSV --filter-date show in '04/12/2026 07:00:00'", 1,
         "warning: From date should be between cache start and end date.\n", true},
        {"LOG.CSV --filter-tag Temp show numeric in 5 4", 1,
         "error: High value should be greater than Low value for the tag Temp\n", true},
        {"LOG.CSV --add sideways", 2, "orvak-cli: --add needs all, first:N", false},
        {"NOFILE.CSV", 1, "error: Unable to open file NOFILE.CSV\n", false},
    };
    for (const auto& [pszArgs, nStatus, strErr, bWhole] : arrRefusals)
    {
        run = RunView(card, pszArgs);
        EXPECT_EQ(nStatus, run.nExit) << pszArgs;
        EXPECT_EQ(strErr, bWhole ? run.strErr : run.strErr.substr(0, strErr.size()));
    }
}
