// orvak-cli over TFTP against the simulator: `get` from a panel that is read
// by TFTP (CanBackupCsvFiles false, as for type 80), and `put`.
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
struct SRun
{
    int nExit = -1;
    std::string strOutput; // standard output and standard error
};

SRun RunCli(const std::string& strArgs)
{
    SRun run;
    const std::string strCommand = std::string(ORVAK_CLI_PATH) + " " + strArgs + " 2>&1";
    FILE* pPipe = ::popen(strCommand.c_str(), "r");
    if (!pPipe)
        return run;
    char arrBuffer[512];
    size_t n;
    while ((n = std::fread(arrBuffer, 1, sizeof(arrBuffer), pPipe)) > 0)
        run.strOutput.append(arrBuffer, n);
    const int nStatus = ::pclose(pPipe);
    run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return run;
}

class TftpCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_card.WriteFile("41225A07.CSV", std::string(5000, 'x') + "end");
        m_pSim = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--card", m_card.Str(), "--type", "80"});
    }
    // "--tftp-port P 127.0.0.1:PORT " for the simulator.
    std::string Panel() const
    {
        return "--tftp-port " + std::to_string(m_pSim->TftpPort()) +
               " 127.0.0.1:" + std::to_string(m_pSim->Port()) + " ";
    }
    std::string Local(const std::string& strName) const
    {
        return (m_local.Path() / strName).string();
    }

    CTempDir m_card;
    CTempDir m_local;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};
} // namespace

TEST_F(TftpCli, GetReadsAPanelWithoutFileCommandsByTftp)
{
    const SRun run = RunCli(Panel() + "get 41225A07.CSV " + Local("copy.csv"));
    EXPECT_EQ(0, run.nExit) << run.strOutput;
    EXPECT_EQ(m_card.ReadFile("41225A07.CSV"), m_local.ReadFile("copy.csv"));
}

TEST_F(TftpCli, FailedGetShowsTheClientLinesAndLeavesNoFile)
{
    const SRun run = RunCli(Panel() + "get NOPE.CSV " + Local("nope.csv"));
    EXPECT_EQ(1, run.nExit);
    EXPECT_NE(std::string::npos,
              run.strOutput.find("#1:File not found\nCan't get data.\nError in copying NOPE.CSV"))
        << run.strOutput;
    EXPECT_TRUE(std::filesystem::is_empty(m_local.Path()));
}

TEST_F(TftpCli, PutSendsAFileAndRefusesNamesOutsideTheCard)
{
    m_local.WriteFile("up.csv", "Date,Time,T1\n");
    const SRun run = RunCli(Panel() + "put " + Local("up.csv") + " UP.CSV");
    EXPECT_EQ(0, run.nExit) << run.strOutput;
    EXPECT_EQ("Date,Time,T1\n", m_card.ReadFile("UP.CSV"));

    const SRun bad = RunCli(Panel() + "put " + Local("up.csv") + " ../UP.CSV");
    EXPECT_EQ(1, bad.nExit);
    EXPECT_NE(std::string::npos, bad.strOutput.find("is not a plain file name")) << bad.strOutput;

    const SRun missing = RunCli(Panel() + "put " + Local("none.csv") + " X.CSV");
    EXPECT_EQ(1, missing.nExit);
    EXPECT_NE(std::string::npos, missing.strOutput.find("is not a file")) << missing.strOutput;
}

// --tftp makes `get` use TFTP even where the file commands could read the
// file (type 186). The simulator refuses every TFTP request here, so only a
// TFTP read fails.
TEST(TftpCliForced, TftpOptionForcesTheTftpPathOfGet)
{
    CTempDir card, local;
    card.WriteFile("A.CSV", "abc");
    CSimulatorProcess sim(
        {"--card", card.Str(), "--type", "186", "--tftp-error", "2:Access violation"});
    const std::string strPanel = "--tftp-port " + std::to_string(sim.TftpPort()) +
                                 " 127.0.0.1:" + std::to_string(sim.Port()) + " ";
    const std::string strTarget = (local.Path() / "a.csv").string();

    const SRun plain = RunCli(strPanel + "get A.CSV " + strTarget);
    EXPECT_EQ(0, plain.nExit) << plain.strOutput;

    const SRun forced = RunCli("--tftp " + strPanel + "get A.CSV " + strTarget + ".2");
    EXPECT_EQ(1, forced.nExit);
    EXPECT_NE(std::string::npos,
              forced.strOutput.find("#2:Access violation\nCan't get data.\nError in copying A.CSV"))
        << forced.strOutput;
}
