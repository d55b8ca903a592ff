// "orvak-cli HOST view FILE ..." against the simulator, as a user runs it.
#include "ViewerTestSupport.h"
#include "viewer/ChartData.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace
{
struct SCliRun
{
    int nStatus = -1;
    std::string strOut;
    std::string strErr;
};

// The arguments as a shell splits them, in the card's folder.
SCliRun RunView(const CSimulatedCard& card, const std::string& strArgs)
{
    const std::string strCommand =
        StrFormat("cd '%s' && '%s' --timeout 5 127.0.0.1:%d view %s 2>stderr.txt",
                  card.Dir().Str().c_str(), ORVAK_CLI_PATH, card.Port(), strArgs.c_str());
    SCliRun run;
    FILE* pPipe = popen(strCommand.c_str(), "r");
    char szBuffer[4096];
    for (size_t n = 0; (n = fread(szBuffer, 1, sizeof(szBuffer), pPipe)) > 0;)
        run.strOut.append(szBuffer, n);
    const int nWait = pclose(pPipe);
    run.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    run.strErr = card.Dir().ReadFile("stderr.txt");
    return run;
}
} // namespace

TEST(CliView, SummaryFilteredExportChartAndRefusals)
{
    CSimulatedCard card({{"LOG.CSV", MakeDataLog(100)}});
    SCliRun run = RunView(
        card, "LOG.CSV --add from:50:count:-5 --clear --add from:10:to:12 --add first:2 --summary");
    ASSERT_EQ(0, run.nStatus) << run.strErr;
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
    ASSERT_EQ(0, run.nStatus) << run.strErr;
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
        EXPECT_EQ(nStatus, run.nStatus) << pszArgs;
        EXPECT_EQ(strErr, bWhole ? run.strErr : run.strErr.substr(0, strErr.size()));
    }
}
