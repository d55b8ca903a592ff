// The reader and the record cache against the panel simulator.
#include "ViewerTestSupport.h"
#include "support/CScriptedPrompt.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace
{
const std::string EXAMPLE = "Date,Time,Temp,Pump\n"
                            "04/12/26,08:00:00,  21.5,  on\n"
                            "04/12/26,08:00:10,  21.7, off\n";

using Fields = std::vector<std::string>;

class ViewerOnSimulator : public ::testing::Test
{
protected:
    CDataLogFile& Serve(const std::vector<std::pair<std::string, std::string>>& arrFiles,
                        std::vector<std::string> arrArgs = {})
    {
        m_pLog.reset();
        m_pCard = std::make_unique<CSimulatedCard>(arrFiles, std::move(arrArgs));
        m_pLog = std::make_unique<CDataLogFile>(m_pCard->Files());
        return *m_pLog;
    }

    // What the viewer does when it opens: the file, then the last ten records.
    void OpenAndShow(const std::string& strName)
    {
        ASSERT_TRUE(m_pLog->OpenLog(strName));
        PerformAddRecords(*m_pLog, {LoadLast, 0, false, 0, false});
        m_pLog->InitFilterDates();
    }

    // The Read Data page's "Add Records" with First, Last or All.
    void Add(int nChoice, const char* pszCount = "10")
    {
        const SAddRecordsOutcome outcome = EvaluateAddRecords(
            {nChoice, pszCount, pszCount, "", "", "10", true}, m_pLog->GetRecordCount(), false);
        ASSERT_TRUE(outcome.bAccepted) << outcome.message.strText;
        PerformAddRecords(*m_pLog, outcome.request);
    }

    std::string RecordSet() { return m_pLog->GetRecordSetText(); }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
    std::unique_ptr<CSimulatedCard> m_pCard;
    std::unique_ptr<CDataLogFile> m_pLog; // closed before the card goes
};

// Record i (from 1) of a data-log text, as the cache holds it.
Fields ExpectedRecord(const std::string& strFile, uint32_t nIndex)
{
    Fields arrLines, arrFields;
    SplitAtDelimiter(strFile, "\n", arrLines);
    CDataLogFile::SplitCsvLine(arrLines.at(nIndex), arrFields);
    return arrFields;
}
} // namespace

// A file that grows by half a record, then by the rest; files refused without a word (and closed:
// nothing attached, nothing counted, later reads do nothing), and with the channel's reason.
TEST_F(ViewerOnSimulator, FilesGrownAndFilesNotOpened)
{
    const std::string strRecords = EXAMPLE.substr(EXAMPLE.find('\n') + 1);
    const std::vector<std::pair<std::string, std::string>> arrRefused = {
        {"SWAP.CSV", "Time,Date,Temp,Pump\n" + strRecords},
        {"TWO.CSV", "Date,Time\n04/12/26,08:00:00\n04/12/26,08:00:01\n"},
        {"ONEREC.CSV", EXAMPLE.substr(0, 50)},
        {"UNEQUAL.CSV", EXAMPLE.substr(0, 50) + "04/12/26,08:00:10,  21.7,  off\n"},
        {"TINY.CSV", "Date,Time,A\nx\ny\nz\n"},
        {"EMPTYLINES.CSV", "Date,Time,Temp,Pump\n\n\n"}};
    auto arrFiles = arrRefused;
    arrFiles.emplace_back("BLANKS.CSV", " date, TIME ,Temp,Pump\r\n" + strRecords);
    arrFiles.emplace_back("EX.CSV", EXAMPLE);
    CDataLogFile& log = Serve(arrFiles);
    OpenAndShow("EX.CSV");
    EXPECT_EQ("Date,Time,Temp,Pump", log.m_strHeader);
    EXPECT_EQ(30u, log.m_nRecordLength);
    EXPECT_EQ(80u, log.m_nFileSize);
    EXPECT_EQ("(1 - 2)", RecordSet());
    EXPECT_EQ(ExpectedRecord(EXAMPLE, 2), CachedRecords(log).at(2));
    EXPECT_EQ(10, log.m_Filter.m_tmTo.wSecond); // the filter dates span the cache

    m_pCard->Dir().WriteFile("EX.CSV", EXAMPLE + "04/12/26,08:00:"); // half a record more
    Add(ReadChoiceAll);
    EXPECT_EQ(95u, log.m_nFileSize);
    EXPECT_EQ(2u, log.GetRecordCount());
    EXPECT_EQ("(1 - 2)", RecordSet());

    // The rest of it: three records, the third read from offset 80.
    m_pCard->Dir().WriteFile("EX.CSV", EXAMPLE + "04/12/26,08:00:20,  21.9,  on\n");
    Add(ReadChoiceLast, "2");
    EXPECT_EQ((Fields{"04/12/26", "08:00:20", "21.9", "on"}), CachedRecords(log).at(3));
    EXPECT_EQ(20, log.m_tmLastRecord.wSecond);

    ASSERT_TRUE(log.OpenLog("BLANKS.CSV"));
    EXPECT_EQ(" date, TIME ,Temp,Pump\r", log.m_strHeader); // the carriage return stays
    Fields arrColumns;
    EXPECT_EQ(4, log.GetHeaderFields(arrColumns));
    EXPECT_EQ("Pump", arrColumns[3]);
    for (const auto& [strName, strText] : arrRefused)
    {
        SCOPED_TRACE(strName);
        CDataLogFile refused(m_pCard->Files());
        EXPECT_FALSE(refused.OpenLog(strName));
        EXPECT_EQ(nullptr, refused.m_pFileCmds);
        EXPECT_EQ(0u, refused.GetRecordCount());
        EXPECT_EQ(0, refused.GetHeaderFields(arrColumns));
        refused.LoadRecords(LoadAll, 0);
        EXPECT_TRUE(CachedRecords(refused).empty());
    }
    EXPECT_TRUE(m_prompt.Shown().empty());

    CDataLogFile missing(m_pCard->Files());
    EXPECT_FALSE(missing.OpenLog("NOFILE.CSV"));
    EXPECT_EQ(m_pCard->Files(), missing.m_pFileCmds); // stays attached
    missing.m_pFileCmds = nullptr;
    Serve({{"EX.CSV", EXAMPLE}}, {"--fail", "143:0=24"});
    EXPECT_FALSE(m_pLog->OpenLog("EX.CSV"));
    EXPECT_EQ(nullptr, m_pLog->m_pFileCmds);
    EXPECT_EQ(m_prompt.Texts(), (Fields{"Unable to open file NOFILE.CSV\nFile System Error.",
                                        "Unable to read file EX.CSV\nFile System Error."}));
    EXPECT_EQ(EPromptIcon::Stop, m_prompt.Shown()[0].eIcon);
}

TEST_F(ViewerOnSimulator, GrowingLogOnThePanel)
{
    Serve({{"GROW.CSV", MakeDataLog(5, "\r\n")}},
          {"--grow-log", "GROW.CSV", "--grow-interval-ms", "20"});
    OpenAndShow("GROW.CSV");
    const uint32_t nFirstCount = m_pLog->GetRecordCount();
    ASSERT_GE(nFirstCount, 5u);
    const auto path = m_pCard->Dir().Path() / "GROW.CSV";
    const uintmax_t nWanted = std::filesystem::file_size(path) + 3 * m_pLog->m_nRecordLength;
    for (int i = 0; i < 500 && std::filesystem::file_size(path) < nWanted; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GE(std::filesystem::file_size(path), nWanted);

    // The page's bounds come from the count it shows; the load counts again,
    // Last takes the newest, and the last record's time follows it.
    Add(ReadChoiceLast, "5");
    const uint32_t nCount = m_pLog->GetRecordCount();
    EXPECT_GE(nCount, nFirstCount + 3);
    const auto mapCached = CachedRecords(*m_pLog);
    const auto& [nNewest, arrNewest] = *mapCached.rbegin();
    EXPECT_EQ(nCount, nNewest);
    EXPECT_EQ(0u, FormatFileSummary(*m_pLog).find(StrFormat("Total Records: %u\n", nCount)));
    EXPECT_EQ(0, CompareRecordTimes(m_pLog->GetRecordTime(arrNewest), m_pLog->m_tmLastRecord));
}

// The progress window follows a load: its range, then a line every few records. Then panels that
// fail or stop answering: nothing is lost.
TEST_F(ViewerOnSimulator, ReadsReportProgressAndFailingPanelsLoseNothing)
{
    struct SRecordingProgress : CProgressSink
    {
        void SetRange(int nLo, int nHi) override { m_arr.push_back(StrFormat("%d-%d", nLo, nHi)); }
        void SetPos(int nPos) override { m_nPos = nPos; }
        void SetText(const std::string& strText) override { m_arr.push_back(strText); }
        Fields m_arr;
        int m_nPos = 0;
    } progress;
    const std::string strFile = MakeDataLog(100);
    Serve({{"LOG.CSV", strFile}});
    ASSERT_TRUE(m_pLog->OpenLog("LOG.CSV"));
    m_pLog->m_pProgress = &progress;
    m_pLog->m_nWindowSize = 20;
    m_pLog->LoadRecords(LoadFirst, 0);
    m_pLog->m_pProgress = nullptr;
    EXPECT_EQ((Fields{"0-1", "Reading 1 of 1 records...", "Reading 1 of 1 records...", "0-20",
                      "Reading 1 of 20 records...", "Reading 8 of 20 records...",
                      "Reading 16 of 20 records...", "Reading 20 of 20 records..."}),
              progress.m_arr);
    EXPECT_EQ(20, progress.m_nPos);
    EXPECT_EQ("(1 - 20)", RecordSet());

    // Opening takes one block, the last record's time one, records 91 to 100 two; every block read
    // after those four fails: nothing more arrives and the last record's time stays as known.
    Serve({{"LOG.CSV", strFile}}, {"--fail-after", "143:0=4"});
    OpenAndShow("LOG.CSV");
    EXPECT_EQ("(91 - 100)", RecordSet());
    EXPECT_EQ(ExpectedRecord(strFile, 91), CachedRecords(*m_pLog).at(91));
    const SYSTEMTIME tmLast = m_pLog->m_tmLastRecord;
    Add(ReadChoiceFirst);
    EXPECT_EQ("(91 - 100)", RecordSet());
    EXPECT_EQ(tmLast, m_pLog->m_tmLastRecord);

    // Every 12th request goes unanswered: the read ends early with its whole
    // records cached, and the next load goes on over a new connection.
    Serve({{"LOG.CSV", strFile}}, {"--no-reply-every", "12"});
    ASSERT_TRUE(m_pLog->OpenLog("LOG.CSV"));
    bool bSawPartial = false;
    for (int nLoad = 0; nLoad < 8 && CachedRecords(*m_pLog).size() < 100; ++nLoad)
    {
        m_pLog->LoadRecords(LoadAll, 0);
        const auto mapCached = CachedRecords(*m_pLog);
        bSawPartial = bSawPartial || (!mapCached.empty() && mapCached.size() < 100);
        for (const auto& [nIndex, arrFields] : mapCached)
            ASSERT_EQ(ExpectedRecord(strFile, nIndex), arrFields) << "record " << nIndex;
        EXPECT_EQ(0u, RecordSet().find("(1 - "));
    }
    EXPECT_TRUE(bSawPartial);
    EXPECT_EQ("(1 - 100)", RecordSet());
    EXPECT_TRUE(m_prompt.Shown().empty());
}
