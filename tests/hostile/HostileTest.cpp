// orvak-cli against panels that lie and against hostile local conditions:
// each fault ends the command in time, with a failure and a clear message,
// and leaves neither a file under the final name nor a temporary.
#include "CHostilePanel.h"
#include "common/CTempFile.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
// A data log: a header and nRecords records.
std::string DataLog(int nRecords)
{
    std::string strText = "Date,Time,Temp\n";
    for (int i = 0; i < nRecords; ++i)
        strText += "12/04/26,14:30:" + std::string(i % 60 < 10 ? "0" : "") +
                   std::to_string(i % 60) + ",21.5\n";
    return strText;
}

SHostileScript Files(std::vector<SHostileFile> arrFiles)
{
    return SHostileScript{std::move(arrFiles)};
}

// The temporaries in a folder: names of the program's pattern, and any other
// hidden file or ".part" file a writer might have left.
std::vector<std::string> Temporaries(const fs::path& folder)
{
    std::vector<std::string> arrNames;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    {
        const std::string strName = entry.path().filename().string();
        if (IsTempFileName(strName) || strName[0] == '.' ||
            strName.find(".part") != std::string::npos || strName.rfind("tmp", 0) == 0)
            arrNames.push_back(strName);
    }
    return arrNames;
}

class HostileTest : public ::testing::Test
{
protected:
    CTempDir m_dir;     // the local folder of every command
    CTempDir m_tempDir; // the runs' system temporary folder

    fs::path Local(const std::string& strName) const { return m_dir.Path() / strName; }
    // orvak-cli with a short reply time-out and a system temporary folder of its own.
    SCliResult Run(std::vector<std::string> arrArgs, SCliOptions options = {}) const
    {
        arrArgs.insert(arrArgs.begin(), {"--timeout", "2"});
        options.arrEnv.push_back("TMPDIR=" + m_tempDir.Str());
        options.nDeadlineMs = 30000;
        return RunCli(arrArgs, options);
    }
    void ExpectNoTemporaries() const
    {
        EXPECT_EQ(std::vector<std::string>{}, Temporaries(m_dir.Path()));
        EXPECT_EQ(std::vector<std::string>{}, Temporaries(m_tempDir.Path()));
    }
    // The command ended in time, by exit status 1, saying strMessage on
    // standard error, with no file at target and no temporary.
    void ExpectFailure(const SCliResult& run, const std::string& strMessage,
                       const fs::path& target) const
    {
        EXPECT_FALSE(run.bHung);
        EXPECT_EQ(1, run.nExit) << "signal " << run.nSignal << "\n" << run.strErr;
        EXPECT_NE(std::string::npos, run.strErr.find(strMessage)) << run.strErr;
        EXPECT_FALSE(fs::exists(target)) << target;
        ExpectNoTemporaries();
    }
};
} // namespace

// A header without line feeds, from a panel that keeps sending, is read no
// further than a data log's header can be; a 4 GiB size claim is no
// allocation: the records that arrive are read, under an address-space limit
// far below the claim.
TEST_F(HostileTest, ViewReadsNoMoreThanALogHolds)
{
    CHostilePanel endless(Files({{"LOG.CSV", "Date,Time,Temp", -1, 0x7FFFFFFF, -1, true}}));
    ExpectFailure(Run({endless.Address(), "view", "LOG.CSV", "--csv", Local("out.csv").string()}),
                  "LOG.CSV is not a data-log file", Local("out.csv"));
    EXPECT_LT(endless.RequestCount(), 400); // 64 KiB in blocks of 254 bytes, and the rest

    CHostilePanel claiming(Files({{"LOG.CSV", DataLog(40), -1, 0xFFFFFF00}}));
    SCliOptions limits;
#if !defined(__SANITIZE_ADDRESS__)
    limits.nAddressSpaceLimit = 1LL << 30; // the sanitizers need their own address space
#endif
    const SCliResult run =
        Run({claiming.Address(), "view", "LOG.CSV", "--add", "all", "--summary"}, limits);
    EXPECT_EQ(0, run.nExit) << "signal " << run.nSignal << "\n" << run.strErr;
    EXPECT_EQ(std::string::npos, run.strErr.find("bad_alloc")) << run.strErr;
    EXPECT_NE(std::string::npos, run.strOut.find("Records in Application Cache")) << run.strOut;
}

// Fewer bytes than the open reported, or 0 at the open for a listed file, is
// a failed file for get and pull; a file that grew, or one listed empty, is not.
TEST_F(HostileTest, AShortOrEmptyDeliveryIsAFailedFile)
{
    const std::string strData(1000, 'd');
    const struct
    {
        SHostileFile file;
        const char* pszMessage; // empty: the copy succeeds
    } arrCases[] = {
        {{"A.CSV", strData, -1, -1, 300}, "ended the file after 300 of 1000 bytes"},
        {{"A.CSV", strData, -1, 0}, "opened the file with 0 bytes"},
        {{"A.CSV", strData, 800, 800}, ""}, // grew while read
        {{"A.CSV", "", 0, 0}, ""},          // listed empty
    };
    for (const auto& c : arrCases)
    {
        for (const bool bPull : {false, true})
        {
            SCOPED_TRACE(c.pszMessage + std::string(bPull ? " (pull)" : " (get)"));
            CHostilePanel panel(Files({c.file}));
            const SCliResult run = Run(
                {panel.Address(), bPull ? "pull" : "get", bPull ? "*.CSV" : "A.CSV", m_dir.Str()});
            if (*c.pszMessage != 0)
            {
                ExpectFailure(run, c.pszMessage, Local("A.CSV"));
                EXPECT_NE(std::string::npos, run.strErr.find("Unable to read file A.CSV"));
                continue;
            }
            EXPECT_EQ(0, run.nExit) << run.strErr;
            // pull leaves out a file listed with 0 bytes, as the program's Copy does.
            const bool bLeftOut = bPull && c.file.nListedSize == 0;
            ASSERT_EQ(!bLeftOut, fs::exists(Local("A.CSV")));
            if (!bLeftOut)
            {
                EXPECT_EQ(c.file.strContent, m_dir.ReadFile("A.CSV"));
            }
            fs::remove(Local("A.CSV"));
            ExpectNoTemporaries();
        }
    }
}

// A TFTP server that sends far more than the panel listed is stopped a margin
// past the listed size, and its partial file removed.
TEST_F(HostileTest, ATftpDownloadPastTheListedSizeIsStopped)
{
    CHostilePanel panel(Files({{"A.CSV", std::string(1000, 'a')}}));
    CTempDir card;
    card.WriteFile("A.CSV", std::string(1200 * 1024, 'a')); // the margin is 1 MiB and a quarter
    CSimulatorProcess tftp({"--card", card.Str()});
    ExpectFailure(Run({"--tftp", "--tftp-port", std::to_string(tftp.TftpPort()), panel.Address(),
                       "get", "A.CSV", m_dir.Str()}),
                  "Error: The panel sent more than", Local("A.CSV"));
}

// A read-only target is not replaced; a replaced one keeps its permission bits.
TEST_F(HostileTest, ReadOnlyTargetsStayAndPrivateTargetsStayPrivate)
{
    CHostilePanel panel(Files({{"A.CSV", std::string(600, 'n')}, {"LOG.CSV", DataLog(5)}}));
    const std::pair<std::string, std::string> arrCases[] = {
        {"get A.CSV " + m_dir.Str(), "A.CSV"},
        {"view LOG.CSV --csv " + Local("out.csv").string(), "out.csv"},
        {"pull A.CSV " + m_dir.Str() + " --on-conflict overwrite", "A.CSV"},
    };
    for (const auto& [strArgs, strTarget] : arrCases)
    {
        SCOPED_TRACE(strArgs);
        const std::vector<std::string> arrArgs = Words(panel.Address() + " " + strArgs);
        const fs::path target = Local(strTarget);
        m_dir.WriteFile(strTarget, "old");
        ::chmod(target.c_str(), 0444);
        SCliResult run = Run(arrArgs);
        EXPECT_EQ(1, run.nExit) << run.strErr;
        EXPECT_NE(std::string::npos, run.strErr.find("Permission denied")) << run.strErr;
        EXPECT_EQ("old", m_dir.ReadFile(strTarget));
        EXPECT_EQ(fs::perms(0444), fs::status(target).permissions() & fs::perms::mask);
        ExpectNoTemporaries();

        ::chmod(target.c_str(), 0600);
        run = Run(arrArgs);
        EXPECT_EQ(0, run.nExit) << run.strErr;
        EXPECT_NE("old", m_dir.ReadFile(strTarget));
        EXPECT_EQ(fs::perms(0600), fs::status(target).permissions() & fs::perms::mask);
        fs::remove(target);
    }
}

// Interrupted, or stopped by the file-size limit, a command leaves no temporary.
TEST_F(HostileTest, InterruptionsAndTheFileSizeLimitLeaveNoTemporary)
{
    const struct
    {
        std::string strArgs;
        const char* pszTarget;
        int nSignal;
        long long nFileSizeLimit;
    } arrCases[] = {
        {"get A.CSV " + m_dir.Str(), "A.CSV", SIGTERM, -1},
        {"get A.CSV " + m_dir.Str(), "A.CSV", SIGINT, -1},
        {"get A.CSV " + m_dir.Str(), "A.CSV", 0, 1000},
        {"view LOG.CSV --add all --csv " + Local("out.csv").string(), "out.csv", 0, 300},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.strArgs + " " + std::to_string(c.nSignal));
        SHostileScript script =
            Files({{"A.CSV", std::string(5000, 'i')}, {"LOG.CSV", DataLog(30)}});
        script.nReadDelayMs = c.nSignal != 0 ? 100 : 0;
        CHostilePanel panel(script);
        SCliOptions options;
        options.nSignal = c.nSignal;
        options.fnSignalWhen = [&] { return c.nSignal != 0 && !Temporaries(m_dir.Path()).empty(); };
        options.nFileSizeLimit = c.nFileSizeLimit;
        const SCliResult run = Run(Words(panel.Address() + " " + c.strArgs), options);
        if (c.nSignal == 0)
        {
            ExpectFailure(run, "File too large", Local(c.pszTarget));
            continue;
        }
        EXPECT_TRUE(run.bSignalSent);
        EXPECT_FALSE(run.bHung);
        EXPECT_EQ(c.nSignal, run.nSignal) << run.strErr;
        EXPECT_FALSE(fs::exists(Local(c.pszTarget)));
        EXPECT_EQ(std::vector<std::string>{}, Temporaries(m_dir.Path()));
    }
}

// Remote names of 248 to 252 bytes copy: the temporary's name stays short (a
// listing record cannot carry such a name, so only get can ask for one). ls
// shows control characters in names escaped, never raw.
TEST_F(HostileTest, NamesNeitherBreakCopiesNorSteerTheTerminal)
{
    for (const size_t nLength : {248u, 252u})
    {
        const std::string strName = std::string(nLength - 4, 'L') + ".CSV";
        CHostilePanel panel(Files({{strName, "long name\n"}}));
        const SCliResult run = Run({panel.Address(), "get", strName, m_dir.Str()});
        EXPECT_EQ(0, run.nExit) << nLength << run.strErr;
        EXPECT_EQ("long name\n", m_dir.ReadFile(strName));
        ExpectNoTemporaries();
    }
    CHostilePanel panel(Files({{"A\x1b]0;owned\x07\x1b[2J.CSV", "x"}}));
    const SCliResult run = Run({panel.Address(), "ls"});
    EXPECT_EQ(0, run.nExit) << run.strErr;
    EXPECT_EQ(std::string::npos, run.strOut.find_first_of("\x1b\x07"));
    EXPECT_EQ(0u, run.strOut.rfind("A\\x1B]0;owned\\x07\\x1B[2J.CSV\t1\t", 0)) << run.strOut;
}

// pull stops at the first failed file; with --keep-going it tries every file,
// reports each failure and still ends with status 1.
TEST_F(HostileTest, PullKeepsGoingOnlyWhenAsked)
{
    CHostilePanel panel(Files({{"A.CSV", "first\n"},
                               {"B.CSV", std::string(900, 'b'), -1, -1, 100},
                               {"C\x01.CSV", "unusable name\n"},
                               {"D.CSV", "last\n"}}));
    SCliResult run = Run({panel.Address(), "pull", "*.CSV", m_dir.Str()});
    EXPECT_EQ(1, run.nExit) << run.strErr;
    EXPECT_NE(std::string::npos, run.strOut.find("1 of 4 copied, 0 skipped, 0 left out, 1 failed, "
                                                 "2 not attempted"))
        << run.strOut;
    EXPECT_TRUE(fs::exists(Local("A.CSV")));
    EXPECT_FALSE(fs::exists(Local("D.CSV")));
    fs::remove(Local("A.CSV"));

    run = Run({panel.Address(), "pull", "*.CSV", m_dir.Str(), "--keep-going"});
    EXPECT_EQ(1, run.nExit) << run.strErr;
    EXPECT_NE(std::string::npos, run.strOut.find("2 of 4 copied, 0 skipped, 0 left out, 2 failed, "
                                                 "0 not attempted; Status: "))
        << run.strOut;
    EXPECT_NE(std::string::npos, run.strErr.find("Could not copy the remote file B.CSV"));
    EXPECT_NE(std::string::npos, run.strErr.find("Could not copy the remote file C\\x01.CSV"));
    EXPECT_EQ("first\n", m_dir.ReadFile("A.CSV"));
    EXPECT_EQ("last\n", m_dir.ReadFile("D.CSV"));
    EXPECT_FALSE(fs::exists(Local("B.CSV")));
    ExpectNoTemporaries();
}
