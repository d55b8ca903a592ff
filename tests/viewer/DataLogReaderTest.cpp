// The reader and the record cache against the panel simulator, with data-log
// files made by the tests.
#include "ViewerTestSupport.h"
#include "support/CScriptedPrompt.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace
{
const std::string EXAMPLE_HEADER = "Date,Time,Temp,Pump\n";
const std::string EXAMPLE_RECORD_1 = "04/12/26,08:00:00,  21.5,  on\n";
const std::string EXAMPLE_RECORD_2 = "04/12/26,08:00:10,  21.7, off\n";

using Fields = std::vector<std::string>;

class ViewerOnSimulator : public ::testing::Test
{
protected:
    void Serve(const std::vector<std::pair<std::string, std::string>>& arrFiles,
               std::vector<std::string> arrArgs = {})
    {
        m_pLog.reset();
        m_pCard = std::make_unique<CSimulatedCard>(arrFiles, std::move(arrArgs));
        m_pLog = std::make_unique<CDataLogFile>(m_pCard->Files());
    }

    // What the viewer does when it opens: the file, then the last ten records.
    void OpenAndShow(const std::string& strName)
    {
        ASSERT_TRUE(m_pLog->OpenLog(strName))
            << (m_prompt.Shown().empty() ? std::string("no message") : m_prompt.Shown()[0].strText);
        PerformAddRecords(*m_pLog, {LoadLast, 0, false, 0, false});
        m_pLog->InitFilterDates();
    }

    // The Read Data page's "Add Records" (or "Clear Cache and Add Records").
    void Add(const SReadDataValues& values, bool bClearFirst = false)
    {
        const SAddRecordsOutcome outcome =
            EvaluateAddRecords(values, m_pLog->GetRecordCount(), bClearFirst);
        ASSERT_TRUE(outcome.bAccepted) << outcome.message.strText;
        PerformAddRecords(*m_pLog, outcome.request);
    }

    std::string RecordSet() { return m_pLog->GetRecordSetText(); }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
    std::unique_ptr<CSimulatedCard> m_pCard;
    std::unique_ptr<CDataLogFile> m_pLog; // closed before the card goes
};

// Record i (from 1) of a MakeDataLog file, as the cache holds it.
Fields ExpectedRecord(const std::string& strFile, uint32_t nIndex)
{
    size_t nPos = strFile.find('\n') + 1;
    for (uint32_t i = 1; i < nIndex; ++i)
        nPos = strFile.find('\n', nPos) + 1;
    Fields arrFields;
    CDataLogFile::SplitCsvLine(strFile.substr(nPos, strFile.find('\n', nPos) - nPos), arrFields);
    return arrFields;
}
} // namespace

TEST_F(ViewerOnSimulator, ExampleFileAndItsGrowth)
{
    Serve({{"EX.CSV", EXAMPLE_HEADER + EXAMPLE_RECORD_1 + EXAMPLE_RECORD_2}});
    OpenAndShow("EX.CSV");
    CDataLogFile& log = *m_pLog;
    EXPECT_EQ("Date,Time,Temp,Pump", log.m_strHeader);
    EXPECT_EQ(30u, log.m_nRecordLength);
    EXPECT_EQ(80u, log.m_nFileSize);
    EXPECT_EQ(2u, log.GetRecordCount());
    EXPECT_EQ("(1 - 2)", RecordSet());
    EXPECT_EQ((Fields{"04/12/26", "08:00:10", "21.7", "off"}), CachedRecords(log).at(2));
    EXPECT_EQ("Total Records: 2\n\nFirst record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:00:10",
              FormatFileSummary(log));
    // The filter dates start as the span of the cache.
    EXPECT_EQ(10, log.m_Filter.m_tmTo.wSecond);

    // Half of a third record written: still two.
    m_pCard->AppendToFile("EX.CSV", "04/12/26,08:00:");
    Add(ReadChoice(ReadChoiceAll));
    EXPECT_EQ(95u, log.m_nFileSize);
    EXPECT_EQ(2u, log.GetRecordCount());
    EXPECT_EQ(2u, CachedRecords(log).size());

    // The rest of it: three records, the third read from offset 80.
    m_pCard->AppendToFile("EX.CSV", "20,  21.9,  on\n");
    Add(ReadChoice(ReadChoiceLast, "2"));
    EXPECT_EQ(110u, log.m_nFileSize);
    EXPECT_EQ(3u, log.GetRecordCount());
    EXPECT_EQ("(1 - 3)", RecordSet());
    EXPECT_EQ((Fields{"04/12/26", "08:00:20", "21.9", "on"}), CachedRecords(log).at(3));
    EXPECT_EQ("Total Records: 3\n\nFirst record logged at: Sun, Apr 12, 2026, 08:00:00\n"
              "Last record logged at: Sun, Apr 12, 2026, 08:00:20",
              FormatFileSummary(log));
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ViewerOnSimulator, ReadsOnlyTheBlocksItNeeds)
{
    // 100 records of 30 bytes. Opening takes one block (the third line feed
    // is in it), the last record's time one, and records 91 to 100 exactly
    // two (254 + 46 bytes). The panel fails every block read after those four.
    const std::string strFile = MakeDataLog(100);
    Serve({{"LOG.CSV", strFile}}, {"--fail-after", "143:0=4"});
    OpenAndShow("LOG.CSV");
    EXPECT_EQ("(91 - 100)", RecordSet());
    EXPECT_EQ(ExpectedRecord(strFile, 91), CachedRecords(*m_pLog).at(91));
    EXPECT_EQ(ExpectedRecord(strFile, 100), CachedRecords(*m_pLog).at(100));
    // From here on every read fails: nothing more arrives, nothing is lost,
    // and the last record's time stays as known.
    const SYSTEMTIME tmLast = m_pLog->m_tmLastRecord;
    Add(ReadChoice(ReadChoiceFirst));
    EXPECT_EQ("(91 - 100)", RecordSet());
    EXPECT_EQ(tmLast, m_pLog->m_tmLastRecord);
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ViewerOnSimulator, HeadersAcceptedAndRefused)
{
    const std::string strRecords = EXAMPLE_RECORD_1 + EXAMPLE_RECORD_2;
    Serve({{"BLANKS.CSV", " date, TIME ,Temp,Pump\r\n" + strRecords},
           {"SWAP.CSV", "Time,Date,Temp,Pump\n" + strRecords},
           {"TWO.CSV", "Date,Time\n04/12/26,08:00:00\n04/12/26,08:00:01\n"},
           {"ONEREC.CSV", EXAMPLE_HEADER + EXAMPLE_RECORD_1},
           {"UNEQUAL.CSV", EXAMPLE_HEADER + EXAMPLE_RECORD_1 + "04/12/26,08:00:10,  21.7,  off\n"},
           {"TINY.CSV", "Date,Time,A\nx\ny\nz\n"},
           {"EMPTYLINES.CSV", EXAMPLE_HEADER + "\n\n"}});
    ASSERT_TRUE(m_pLog->OpenLog("BLANKS.CSV"));
    EXPECT_EQ(" date, TIME ,Temp,Pump\r", m_pLog->m_strHeader); // the carriage return stays
    Fields arrColumns;
    EXPECT_EQ(4, m_pLog->GetHeaderFields(arrColumns));
    EXPECT_EQ("Temp", arrColumns[2]);
    EXPECT_EQ("Pump", arrColumns[3]);
    EXPECT_EQ(2u, m_pLog->GetRecordCount());

    for (const char* pszName :
         {"SWAP.CSV", "TWO.CSV", "ONEREC.CSV", "UNEQUAL.CSV", "TINY.CSV", "EMPTYLINES.CSV"})
    {
        CDataLogFile log(m_pCard->Files());
        EXPECT_FALSE(log.OpenLog(pszName)) << pszName;
        // Closed: nothing attached, nothing counted, every later read does nothing.
        EXPECT_EQ(nullptr, log.m_pFileCmds) << pszName;
        EXPECT_EQ(0u, log.GetRecordCount());
        EXPECT_EQ(0, log.GetHeaderFields(arrColumns));
        log.LoadRecords(LoadAll, 0);
        EXPECT_TRUE(CachedRecords(log).empty());
    }
    EXPECT_TRUE(m_prompt.Shown().empty()); // refused without a message
}

TEST_F(ViewerOnSimulator, FilesThatCannotBeOpenedOrRead)
{
    Serve({{"EX.CSV", EXAMPLE_HEADER + EXAMPLE_RECORD_1 + EXAMPLE_RECORD_2}});
    {
        CDataLogFile missing(m_pCard->Files());
        EXPECT_FALSE(missing.OpenLog("NOFILE.CSV"));
        ASSERT_EQ(1u, m_prompt.Shown().size());
        // The reason comes from the channel: the panel's "File System Error.".
        EXPECT_EQ("Unable to open file NOFILE.CSV\nFile System Error.",
                  m_prompt.Shown()[0].strText);
        EXPECT_EQ(EPromptIcon::Stop, m_prompt.Shown()[0].eIcon);
        // The command object stays attached after a failed open.
        EXPECT_EQ(m_pCard->Files(), missing.m_pFileCmds);
        EXPECT_EQ(0u, missing.m_nFileSize);
    }

    m_prompt.Clear();
    Serve({{"EX.CSV", EXAMPLE_HEADER + EXAMPLE_RECORD_1 + EXAMPLE_RECORD_2}},
          {"--fail", "143:0=24"});
    EXPECT_FALSE(m_pLog->OpenLog("EX.CSV"));
    ASSERT_EQ(1u, m_prompt.Shown().size());
    EXPECT_EQ("Unable to read file EX.CSV\nFile System Error.", m_prompt.Shown()[0].strText);
    EXPECT_EQ(nullptr, m_pLog->m_pFileCmds);
}

TEST_F(ViewerOnSimulator, LineEndsQuotesAndMalformedRecords)
{
    const std::string strLf = MakeDataLog(20, "\n");
    const std::string strCrLf = MakeDataLog(20, "\r\n");
    const std::string strOdd = "Date,Time,A,B\n"
                               "04/12/26,08:00:00,\"2,5\",  1\n"
                               "04/12/26,08:00:01,  3.5,  1\n"
                               "04/12/26,08:00:02,\"a\"\"\",  1\n"
                               "04/12/26,08:00:03,  1.5,1,1\n"  // one field too many
                               "04/12/26,08:00:04, 1.5,  1\n"   // one byte short
                               "04/12/26,08:00:05,  1.55,  1\n" // one byte long
                               "04/12/26,08:00:06,  7.5,  1\n";
    Serve({{"LF.CSV", strLf}, {"CRLF.CSV", strCrLf}, {"ODD.CSV", strOdd}});

    CDataLogFile crlf(m_pCard->Files());
    ASSERT_TRUE(crlf.OpenLog("CRLF.CSV"));
    crlf.LoadRecords(LoadAll, 0);
    const auto cacheCrLf = CachedRecords(crlf);
    crlf.CloseLog();
    ASSERT_TRUE(m_pLog->OpenLog("LF.CSV"));
    m_pLog->LoadRecords(LoadAll, 0);
    EXPECT_EQ(20u, CachedRecords(*m_pLog).size());
    EXPECT_EQ(cacheCrLf, CachedRecords(*m_pLog)); // either line end reads the same
    m_pLog->CloseLog();

    CDataLogFile odd(m_pCard->Files());
    ASSERT_TRUE(odd.OpenLog("ODD.CSV"));
    EXPECT_EQ(7u, odd.GetRecordCount());
    odd.LoadRecords(LoadAll, 0);
    EXPECT_EQ("(1 - 3) & (7)", odd.GetRecordSetText());
    EXPECT_EQ("2,5", CachedRecords(odd).at(1)[2]);
    EXPECT_EQ("a\"", CachedRecords(odd).at(3)[2]);
    EXPECT_EQ("7.5", CachedRecords(odd).at(7)[2]);
    // Every cached record holds exactly its fields, with no spare slots,
    // also after a line with one field too many was refused.
    for (const auto& [nIndex, arrFields] : CachedRecords(odd))
        EXPECT_EQ(4u, arrFields.capacity()) << "record " << nIndex;
}

// The placement and the skipped ends are the load window's; here, what the
// cache does with records changed on the card since they were read.
TEST_F(ViewerOnSimulator, CachedRecordsAreNeverReadAgain)
{
    const std::string str100 = MakeDataLog(100);
    Serve({{"HUNDRED.CSV", str100}});
    OpenAndShow("HUNDRED.CSV");
    EXPECT_EQ("(91 - 100)", RecordSet());
    Add(ReadFromNumber("50", "-5"));
    EXPECT_EQ("(46 - 50) & (91 - 100)", RecordSet());
    EXPECT_EQ(ExpectedRecord(str100, 46), CachedRecords(*m_pLog).at(46));

    // Last 10 again reads no record: a record changed on the card in place
    // keeps its cached text, yet the summaries are rewritten and both views
    // are told to reload.
    std::string strChanged = str100;
    const size_t nRecord95 = 20 + 94 * 30;
    strChanged.replace(nRecord95 + 18, 6, "  99.9");
    m_pCard->Dir().WriteFile("HUNDRED.CSV", strChanged);
    m_pLog->m_bDataViewStale = m_pLog->m_bGraphViewStale = false;
    Add(ReadChoice(ReadChoiceLast));
    EXPECT_EQ(ExpectedRecord(str100, 95), CachedRecords(*m_pLog).at(95));
    EXPECT_EQ("(46 - 50) & (91 - 100)", UpdateCacheSummary(*m_pLog).strRecordSet);
    EXPECT_TRUE(m_pLog->m_bDataViewStale && m_pLog->m_bGraphViewStale);

    // 95 to 100 cached, Last 10 reads 91 to 94 only: record 95 keeps the text
    // it was read with; "Clear Cache and Add Records" first empties.
    m_pLog->EmptyCache();
    Add(ReadFromTo("95", "100"));
    m_pCard->Dir().WriteFile("HUNDRED.CSV", str100);
    Add(ReadChoice(ReadChoiceLast));
    EXPECT_EQ("(91 - 100)", RecordSet());
    EXPECT_EQ("99.9", CachedRecords(*m_pLog).at(95)[2]);
    EXPECT_EQ(ExpectedRecord(str100, 94), CachedRecords(*m_pLog).at(94));
    Add(ReadFromNumber("5", "-5"), true);
    EXPECT_EQ("(1 - 5)", RecordSet());

    // Clear Cache: empty summary texts.
    m_pLog->EmptyCache();
    const SCacheSummary cleared = UpdateCacheSummary(*m_pLog);
    EXPECT_EQ("Total Records: 0\n\nFirst record logged at: \nLast record logged at: ",
              cleared.strSummary);
    EXPECT_EQ("", cleared.strRecordSet);
}

TEST_F(ViewerOnSimulator, GrowingLogOnThePanel)
{
    const std::string strFile = MakeDataLog(5, "\r\n");
    Serve({{"GROW.CSV", strFile}}, {"--grow-log", "GROW.CSV", "--grow-interval-ms", "20"});
    OpenAndShow("GROW.CSV");
    const uint32_t nFirstCount = m_pLog->GetRecordCount();
    ASSERT_GE(nFirstCount, 5u);
    const std::string strFirstSummary = FormatFileSummary(*m_pLog);

    // Wait (at most a few seconds) until the panel has written more records.
    const auto path = m_pCard->Dir().Path() / "GROW.CSV";
    const uintmax_t nWanted = std::filesystem::file_size(path) + 3 * m_pLog->m_nRecordLength;
    for (int i = 0; i < 500 && std::filesystem::file_size(path) < nWanted; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GE(std::filesystem::file_size(path), nWanted);

    // The page takes its bounds from the count it shows (5); the load counts again.
    Add(ReadChoice(ReadChoiceLast, "5"));
    const uint32_t nCount = m_pLog->GetRecordCount();
    EXPECT_GE(nCount, nFirstCount + 3);
    EXPECT_EQ(nCount, CachedRecords(*m_pLog).rbegin()->first); // Last takes the newest
    EXPECT_NE(strFirstSummary, FormatFileSummary(*m_pLog));
    EXPECT_EQ(0u, FormatFileSummary(*m_pLog).find(StrFormat("Total Records: %u\n", nCount)));
    // The last record's time shown is the newest record's, no longer the
    // time of the last record the file had at opening.
    const SYSTEMTIME tmNewest = m_pLog->GetRecordTime(CachedRecords(*m_pLog).rbegin()->second);
    EXPECT_EQ(0, CompareRecordTimes(tmNewest, m_pLog->m_tmLastRecord));
    const Fields arrOldLast = ExpectedRecord(strFile, 5);
    EXPECT_NE(0, CompareRecordTimes(m_pLog->GetRecordTime(arrOldLast), m_pLog->m_tmLastRecord));
}

TEST_F(ViewerOnSimulator, PanelThatStopsAnsweringMidRead)
{
    // Every 12th request on a connection goes unanswered: the read in
    // progress ends early, whatever whole records arrived are cached, and the
    // next load opens the file again on a new connection and goes on.
    const std::string strFile = MakeDataLog(100);
    Serve({{"LOG.CSV", strFile}}, {"--no-reply-every", "12"});
    ASSERT_TRUE(m_pLog->OpenLog("LOG.CSV"));
    bool bSawPartial = false;
    for (int nLoad = 0; nLoad < 8 && CachedRecords(*m_pLog).size() < 100; ++nLoad)
    {
        m_pLog->LoadRecords(LoadAll, 0);
        bSawPartial =
            bSawPartial || (!CachedRecords(*m_pLog).empty() && CachedRecords(*m_pLog).size() < 100);
        for (const auto& [nIndex, arrFields] : CachedRecords(*m_pLog))
            ASSERT_EQ(ExpectedRecord(strFile, nIndex), arrFields) << "record " << nIndex;
        EXPECT_EQ(0u, m_pLog->GetRecordSetText().find("(1 - "));
    }
    EXPECT_TRUE(bSawPartial);
    EXPECT_EQ("(1 - 100)", RecordSet());
    EXPECT_TRUE(m_prompt.Shown().empty());
}

namespace
{
// Records what a read reports, as the progress dialog would show it.
class CRecordingProgress : public CProgressSink
{
public:
    void SetRange(int nLow, int nHigh) override
    {
        m_arrRanges.emplace_back(nLow, nHigh);
        m_nPos = nLow;
    }
    void SetPos(int nPos) override { m_nPos = nPos; }
    void SetText(const std::string& strText) override { m_arrTexts.push_back(strText); }

    std::vector<std::pair<int, int>> m_arrRanges;
    std::vector<std::string> m_arrTexts;
    int m_nPos = 0;
};
} // namespace

TEST_F(ViewerOnSimulator, ReadsReportTheirProgress)
{
    Serve({{"LOG.CSV", MakeDataLog(100)}});
    ASSERT_TRUE(m_pLog->OpenLog("LOG.CSV"));
    CRecordingProgress progress;
    m_pLog->m_pProgress = &progress;
    m_pLog->m_nWindowSize = 20;
    m_pLog->LoadRecords(LoadFirst, 0);
    m_pLog->m_pProgress = nullptr;
    // The last record's time first (one record), then the window of 20
    // records in three blocks (254 + 254 + 92 bytes).
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 1}, {0, 20}}), progress.m_arrRanges);
    EXPECT_EQ(
        (std::vector<std::string>{"Reading 1 of 1 records...", "Reading 1 of 1 records...",
                                  "Reading 1 of 20 records...", "Reading 8 of 20 records...",
                                  "Reading 16 of 20 records...", "Reading 20 of 20 records..."}),
        progress.m_arrTexts);
    EXPECT_EQ(20, progress.m_nPos);
    EXPECT_EQ("(1 - 20)", RecordSet());
}
