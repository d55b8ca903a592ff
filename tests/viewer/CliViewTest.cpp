// "orvak-cli HOST view FILE ..." against the simulator, as a user runs it.
#include "MiniJson.h"
#include "ViewerTestSupport.h"

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

std::string ShellQuote(const std::string& str)
{
    std::string strOut = "'";
    for (char c : str)
        strOut += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return strOut + "'";
}

class CliView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pCard = std::make_unique<CSimulatedCard>(
            std::vector<std::pair<std::string, std::string>>{{"LOG.CSV", MakeDataLog(100)}});
    }

    SCliRun Run(const std::vector<std::string>& arrArgs)
    {
        // The simulator's port is the one the card was served on.
        std::string strCommand = ShellQuote(ORVAK_CLI_PATH) + " --timeout 5 " +
                                 ShellQuote(StrFormat("127.0.0.1:%d", m_pCard->Port())) + " view";
        for (const std::string& strArg : arrArgs)
            strCommand += " " + ShellQuote(strArg);
        const std::string strErrPath = (m_pCard->Dir().Path() / "stderr.txt").string();
        strCommand += " 2>" + ShellQuote(strErrPath);
        SCliRun run;
        FILE* pPipe = popen(strCommand.c_str(), "r");
        char szBuffer[4096];
        size_t n = 0;
        while ((n = fread(szBuffer, 1, sizeof(szBuffer), pPipe)) > 0)
            run.strOut.append(szBuffer, n);
        const int nWait = pclose(pPipe);
        run.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
        run.strErr = m_pCard->Dir().ReadFile("stderr.txt");
        return run;
    }

    std::unique_ptr<CSimulatedCard> m_pCard;
};
} // namespace

TEST_F(CliView, SummaryAfterTheInitialLoadAndTheAdds)
{
    const SCliRun run = Run({"LOG.CSV", "--add", "from:50:count:-5", "--clear", "--add",
                             "from:10:to:12", "--add", "first:2", "--summary"});
    ASSERT_EQ(0, run.nStatus) << run.strErr;
    EXPECT_EQ("Records in File:\nTotal Records: 100\n\n"
              "First record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:01:39\n\n"
              "Records in Application Cache:\nTotal Records: 5\n\n"
              "First record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:00:11\n\n"
              "RecordSet:\n(1 - 2) & (10 - 12)\n",
              run.strOut);
}

// The texts are the pages' (tested with their rules); here their prefix and
// the exit status.
TEST_F(CliView, RefusalsUseThePagesMessages)
{
    SCliRun run = Run({"LOG.CSV", "--add", "from:1:count:-1"});
    EXPECT_EQ(1, run.nStatus);
    EXPECT_EQ("error: Previous records cannot be read from the index 1.\n", run.strErr);
    run = Run({"LOG.CSV", "--filter-date", "show", "in", "04/12/2026 07:00:00"});
    EXPECT_EQ(1, run.nStatus);
    EXPECT_EQ("warning: From date should be between cache start and end date.\n", run.strErr);
    run = Run({"LOG.CSV", "--filter-tag", "Temp", "show", "numeric", "in", "5", "4"});
    EXPECT_EQ("error: High value should be greater than Low value for the tag Temp\n", run.strErr);
    run = Run({"LOG.CSV", "--add", "sideways"});
    EXPECT_EQ(2, run.nStatus);
    run = Run({"NOFILE.CSV"});
    EXPECT_EQ(1, run.nStatus);
    EXPECT_EQ(0u, run.strErr.find("error: Unable to open file NOFILE.CSV\n"));
}

TEST_F(CliView, FilteredExportAndChartSeries)
{
    const std::string strCsv = (m_pCard->Dir().Path() / "out.csv").string();
    const SCliRun run = Run({"LOG.CSV", "--add", "all", "--filter-date", "show", "in",
                             "04/12/2026 08:00:10", "04/12/2026 08:00:12", "--filter-tag", "Pump",
                             "hide", "discrete", "=", "1", "--csv", strCsv, "--json"});
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
              m_pCard->Dir().ReadFile("out.csv"));
    const SJsonValue root = CMiniJson::Parse(run.strOut);
    ASSERT_EQ(2u, root.arr.size());
    EXPECT_EQ("Temp", root[0].Get("name").str);
    ASSERT_EQ(1u, root[0].Get("data").arr.size());
    EXPECT_EQ("21.1", root[0].Get("data")[0][1].strNumber);
    EXPECT_EQ("0", root[1].Get("data")[0][1].strNumber);
}
