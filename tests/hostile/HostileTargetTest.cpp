// orvak-cli's local side against hostile panels and hostile conditions: TFTP
// without end, read-only and private targets, interruptions and the file-size
// limit, long names, terminal escapes in names, and pull --keep-going.
#include "CHostilePanel.h"
#include "HostileRun.h"
#include "support/CTempDir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
std::string DataLog(int nRecords)
{
    std::string strText = "Date,Time,Temp\n";
    for (int i = 0; i < nRecords; ++i)
        strText +=
            "12/04/26,14:30:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ",21.5\n";
    return strText;
}

fs::perms Mode(const fs::path& path)
{
    return fs::status(path).permissions() & fs::perms::mask;
}

class HostileTargetTest : public ::testing::Test
{
protected:
    CTempDir m_dir;
    CTempDir m_tempDir;

    fs::path Local(const std::string& strName) const { return m_dir.Path() / strName; }
    SHostileRun Run(const std::vector<std::string>& arrArgs,
                    const SHostileLimits& limits = SHostileLimits())
    {
        return RunHostileCli(arrArgs, m_tempDir.Str(), limits);
    }
    void WriteTarget(const std::string& strName, const std::string& strText, mode_t nMode)
    {
        m_dir.WriteFile(strName, strText);
        ::chmod(Local(strName).c_str(), nMode);
    }
};
} // namespace

// A TFTP server that keeps sending full blocks is stopped a margin past the
// listed size, told so, and its partial file removed.
TEST_F(HostileTargetTest, ATftpDownloadWithoutEndIsStopped)
{
    SHostileScript script;
    script.arrFiles.push_back({"A.CSV", std::string(1000, 'a'), -1, -1, -1, false});
    CHostilePanel panel(script);
    CEndlessTftpServer server;
    const SHostileRun run = Run({"--tftp", "--tftp-port", std::to_string(server.Port()),
                                 panel.Address(), "get", "A.CSV", m_dir.Str()});
    ExpectCleanFailure(run, "Error: The panel sent more than", Local("A.CSV"), m_tempDir.Str());
    EXPECT_LT(server.BlocksSent(), 3000); // 1000 bytes and the margin, in 512-byte blocks
    EXPECT_TRUE(server.SawErrorPacket());
}

// A read-only target is not replaced; a replaced one keeps its permission bits.
TEST_F(HostileTargetTest, ReadOnlyTargetsStayAndPrivateTargetsStayPrivate)
{
    SHostileScript script;
    script.arrFiles.push_back({"A.CSV", std::string(600, 'n'), -1, -1, -1, false});
    script.arrFiles.push_back({"LOG.CSV", DataLog(5), -1, -1, -1, false});
    CHostilePanel panel(script);
    struct SCase
    {
        const char* pszCommand;
        std::vector<std::string> arrArgs;
        std::string strTarget;
    };
    const std::vector<SCase> arrCases = {
        {"get", {"get", "A.CSV", m_dir.Str()}, "A.CSV"},
        {"view --csv", {"view", "LOG.CSV", "--csv", Local("out.csv").string()}, "out.csv"},
        {"pull --on-conflict overwrite",
         {"pull", "A.CSV", m_dir.Str(), "--on-conflict", "overwrite"},
         "A.CSV"},
    };
    for (const SCase& test : arrCases)
    {
        SCOPED_TRACE(test.pszCommand);
        std::vector<std::string> arrArgs = {panel.Address()};
        arrArgs.insert(arrArgs.end(), test.arrArgs.begin(), test.arrArgs.end());

        WriteTarget(test.strTarget, "old", 0444);
        SHostileRun run = Run(arrArgs);
        EXPECT_FALSE(run.bHung);
        EXPECT_EQ(1, run.nExit) << run.strErr;
        EXPECT_NE(std::string::npos, run.strErr.find("Permission denied")) << run.strErr;
        EXPECT_EQ("old", m_dir.ReadFile(test.strTarget));
        EXPECT_EQ(fs::perms(0444), Mode(Local(test.strTarget)));
        EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_dir.Path()));
        EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_tempDir.Path()));

        ::chmod(Local(test.strTarget).c_str(), 0600);
        run = Run(arrArgs);
        EXPECT_EQ(0, run.nExit) << run.strErr;
        EXPECT_NE("old", m_dir.ReadFile(test.strTarget));
        EXPECT_EQ(fs::perms(0600), Mode(Local(test.strTarget)));
        fs::remove(Local(test.strTarget));
    }
}

// Interrupted, or stopped by the file-size limit, a command leaves no temporary.
TEST_F(HostileTargetTest, InterruptionsAndTheFileSizeLimitLeaveNoTemporary)
{
    SHostileScript script;
    script.arrFiles.push_back({"A.CSV", std::string(5000, 'i'), -1, -1, -1, false});
    script.arrFiles.push_back({"LOG.CSV", DataLog(30), -1, -1, -1, false});
    struct SCase
    {
        const char* pszHow;
        std::vector<std::string> arrArgs;
        std::string strTarget;
        int nSignal;
        long long nFileSizeLimit;
    };
    const std::vector<SCase> arrCases = {
        {"get, SIGTERM", {"get", "A.CSV", m_dir.Str()}, "A.CSV", SIGTERM, -1},
        {"get, SIGINT", {"get", "A.CSV", m_dir.Str()}, "A.CSV", SIGINT, -1},
        {"get, file-size limit", {"get", "A.CSV", m_dir.Str()}, "A.CSV", 0, 1000},
        {"view --csv, file-size limit",
         {"view", "LOG.CSV", "--add", "all", "--csv", Local("out.csv").string()},
         "out.csv",
         0,
         300},
    };
    for (const SCase& test : arrCases)
    {
        SCOPED_TRACE(test.pszHow);
        script.nReadDelayMs = test.nSignal != 0 ? 100 : 0;
        CHostilePanel panel(script);
        std::vector<std::string> arrArgs = {panel.Address()};
        arrArgs.insert(arrArgs.end(), test.arrArgs.begin(), test.arrArgs.end());
        SHostileLimits limits;
        limits.nSignal = test.nSignal;
        limits.strWatchFolder = m_dir.Str();
        limits.nFileSizeLimit = test.nFileSizeLimit;
        const SHostileRun run = Run(arrArgs, limits);
        if (test.nSignal != 0)
        {
            EXPECT_TRUE(run.bSignalSent);
            EXPECT_FALSE(run.bHung);
            EXPECT_EQ(test.nSignal, run.nSignal) << run.strErr;
            EXPECT_FALSE(fs::exists(Local(test.strTarget)));
            EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_dir.Path()));
        }
        else
            ExpectCleanFailure(run, "File too large", Local(test.strTarget), m_tempDir.Str());
    }
}

// Remote names of 248 to 252 bytes copy: the temporary's name stays short.
// (A listing record cannot carry such a name, so only get can ask for one.)
TEST_F(HostileTargetTest, LongNamesCopy)
{
    for (const size_t nLength : {248u, 252u})
    {
        SCOPED_TRACE(nLength);
        const std::string strName = std::string(nLength - 4, 'L') + ".CSV";
        SHostileScript script;
        script.arrFiles.push_back({strName, "long name\n", -1, -1, -1, false});
        CHostilePanel panel(script);
        const SHostileRun run = Run({panel.Address(), "get", strName, m_dir.Str()});
        EXPECT_EQ(0, run.nExit) << run.strErr;
        EXPECT_EQ("long name\n", m_dir.ReadFile(strName));
        EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_dir.Path()));
    }
}

// ls shows control characters in names escaped, never raw.
TEST_F(HostileTargetTest, NamesCannotSteerTheTerminal)
{
    SHostileScript script;
    script.arrFiles.push_back({"A\x1b]0;owned\x07\x1b[2J.CSV", "x", -1, -1, -1, false});
    CHostilePanel panel(script);
    const SHostileRun run = Run({panel.Address(), "ls"});
    EXPECT_EQ(0, run.nExit) << run.strErr;
    EXPECT_EQ(std::string::npos, run.strOut.find('\x1b'));
    EXPECT_EQ(std::string::npos, run.strOut.find('\x07'));
    EXPECT_EQ(0u, run.strOut.rfind("A\\x1B]0;owned\\x07\\x1B[2J.CSV\t1\t", 0)) << run.strOut;
}

// pull stops at the first failed file; with --keep-going it tries every file,
// reports each failure and still ends with status 1.
TEST_F(HostileTargetTest, PullKeepsGoingOnlyWhenAsked)
{
    SHostileScript script;
    script.arrFiles.push_back({"A.CSV", "first\n", -1, -1, -1, false});
    script.arrFiles.push_back({"B.CSV", std::string(900, 'b'), -1, -1, 100, false});
    script.arrFiles.push_back({"C\x01.CSV", "unusable name\n", -1, -1, -1, false});
    script.arrFiles.push_back({"D.CSV", "last\n", -1, -1, -1, false});
    CHostilePanel panel(script);

    SHostileRun run = Run({panel.Address(), "pull", "*.CSV", m_dir.Str()});
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
    EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_dir.Path()));
    EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_tempDir.Path()));
}
