// orvak-cli end to end: the binary against the simulator.
#include "CliRunner.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace
{
std::string Bytes(size_t nLength)
{
    std::string str(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        str[i] = static_cast<char>((i * 131 + i / 254) & 0xFF);
    return str;
}

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_card.WriteFile("41225A07.CSV", Bytes(5000));
        m_card.WriteFile("90101107.CSV", "Date,Time,T1\n");
        m_card.WriteFile("README.TXT", "read me\n");
        m_card.WriteFile("EMPTY.DAT", "");
    }

    void Start(std::vector<std::string> arrArgs = {})
    {
        arrArgs.insert(arrArgs.begin(), {"--no-tftp", "--card", m_card.Str()});
        m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
        m_strHost = std::string("127.0.0.1:") + std::to_string(m_pSim->Port());
    }

    SCliResult Run(std::vector<std::string> arrArgs, const std::string& strWorkDir = "")
    {
        arrArgs.insert(arrArgs.begin(), m_strHost);
        return RunCli(arrArgs, strWorkDir.empty() ? m_local.Str() : strWorkDir);
    }

    bool CardHas(const std::string& strName) const
    {
        return std::filesystem::exists(m_card.Path() / strName);
    }

    // Every name in the local folder (temporary files would show here).
    std::vector<std::string> LocalNames() const
    {
        std::vector<std::string> arrNames;
        for (const auto& entry : std::filesystem::directory_iterator(m_local.Path()))
            arrNames.push_back(entry.path().filename().string());
        std::sort(arrNames.begin(), arrNames.end());
        return arrNames;
    }

    CTempDir m_card;
    CTempDir m_local;
    std::unique_ptr<CSimulatorProcess> m_pSim;
    std::string m_strHost;
};
} // namespace

TEST_F(CliTest, InfoOfAnAcceptedPanel)
{
    Start({"--type", "186", "--revision", "k5", "--build", "200"});
    const SCliResult result = Run({"info"});
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strOut, "Panel type: 186\nFirmware revision: k5\nBuild: 200\n"
                             "Command family: file commands (message code 143)\nAccepted: yes\n"
                             "Can back up CSV files: yes\nCan view file data: yes\n");
}

TEST_F(CliTest, InfoOfARejectedPanel)
{
    Start({"--type", "177", "--revision", "i11", "--build", "39"});
    const SCliResult result = Run({"info"});
    EXPECT_EQ(result.nExit, 0);
    EXPECT_NE(result.strOut.find("Accepted: no (Error: Device Type Mismatch)\n"), std::string::npos)
        << result.strOut;
    // Every other command refuses such a panel.
    const SCliResult list = Run({"ls"});
    EXPECT_EQ(list.nExit, 1);
    EXPECT_EQ(list.strErr, "Error: Device Type Mismatch\n");
}

TEST_F(CliTest, ListingOfBothFamilies)
{
    for (const char* pszType : {"186", "80"})
    {
        Start({"--type", pszType, "--zero-date", "README.TXT"});
        const SCliResult result = Run({"ls", "*.txt"});
        EXPECT_EQ(result.nExit, 0) << result.strErr;
        EXPECT_EQ(result.strOut, "README.TXT\t8\tInvalid DateTime\n") << pszType;
        const SCliResult all = Run({"ls"});
        EXPECT_EQ(all.nExit, 0);
        // name, size, YYYY-MM-DD HH:MM:SS
        EXPECT_NE(all.strOut.find("41225A07.CSV\t5000\t2"), std::string::npos) << all.strOut;
        EXPECT_EQ(std::count(all.strOut.begin(), all.strOut.end(), '\n'), 4) << pszType;
        m_pSim.reset();
    }
}

TEST_F(CliTest, GetCopiesExactBytes)
{
    Start();
    EXPECT_EQ(Run({"get", "41225A07.CSV"}).nExit, 0);
    EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), Bytes(5000));
    EXPECT_EQ(Run({"get", "EMPTY.DAT", "copy.dat"}).nExit, 0);
    EXPECT_TRUE(std::filesystem::exists(m_local.Path() / "copy.dat"));
    EXPECT_EQ(m_local.ReadFile("copy.dat"), "");
    std::filesystem::create_directory(m_local.Path() / "sub");
    EXPECT_EQ(Run({"get", "README.TXT", (m_local.Path() / "sub").string()}).nExit, 0);
    EXPECT_EQ(m_local.ReadFile("sub/README.TXT"), "read me\n");
}

TEST_F(CliTest, FailedGetLeavesNothingBehind)
{
    m_local.WriteFile("41225A07.CSV", "older copy");
    Start({"--fail-after", "143:0=5"});
    const SCliResult result = Run({"get", "41225A07.CSV"});
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "File System Error.\nUnable to read file 41225A07.CSV\n");
    EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), "older copy");
    EXPECT_EQ(LocalNames(), (std::vector<std::string>{"41225A07.CSV"}));

    const SCliResult missing = Run({"get", "MISSING.CSV"});
    EXPECT_EQ(missing.nExit, 1);
    EXPECT_EQ(missing.strErr, "File System Error.\nUnable to open file MISSING.CSV\n");
    EXPECT_EQ(LocalNames(), (std::vector<std::string>{"41225A07.CSV"}));
}

TEST_F(CliTest, GetRefusesNamesThatLeaveTheFolder)
{
    Start();
    for (const char* pszName : {"../x.csv", "a/b.csv", "a\\b.csv", ".", "..", "bad\x01name", ""})
    {
        const SCliResult result = Run({"get", pszName});
        EXPECT_EQ(result.nExit, 1) << pszName;
        EXPECT_NE(result.strErr.find("is not a plain file name"), std::string::npos) << pszName;
    }
    EXPECT_TRUE(LocalNames().empty());
}

TEST_F(CliTest, RemoveRenameAndBackup)
{
    Start();
    EXPECT_EQ(Run({"backup", "41225A07.CSV"}).nExit, 0);
    EXPECT_TRUE(CardHas("41225A07.BAK"));
    EXPECT_EQ(Run({"backup-all"}).nExit, 0);
    EXPECT_TRUE(CardHas("90101107.BAK"));
    EXPECT_EQ(Run({"rename", "README.TXT", "NOTES.TXT"}).nExit, 0);
    EXPECT_TRUE(CardHas("NOTES.TXT"));

    const SCliResult remove = Run({"rm", "NOTES.TXT", "MISSING.CSV", "EMPTY.DAT"});
    EXPECT_EQ(remove.nExit, 1);
    EXPECT_EQ(remove.strErr,
              "File System Error.\nError in deleting file.\nCould not delete MISSING.CSV.\n");
    EXPECT_FALSE(CardHas("NOTES.TXT"));
    EXPECT_TRUE(CardHas("EMPTY.DAT"));
}

TEST_F(CliTest, CardFamilyCommands)
{
    Start({"--type", "80"});
    EXPECT_EQ(Run({"rename", "README.TXT", "NOTES.TXT"}).nExit, 0);
    EXPECT_TRUE(CardHas("NOTES.TXT"));
    const SCliResult remove = Run({"rm", "MISSING.CSV"});
    EXPECT_EQ(remove.nExit, 1);
    EXPECT_EQ(remove.strErr,
              "Error: Source file not found\nError in deleting file.\nCould not delete "
              "MISSING.CSV.\n");
    // Type 80 offers no backups.
    const SCliResult backup = Run({"backup-all"});
    EXPECT_EQ(backup.nExit, 1);
    EXPECT_EQ(backup.strErr, "Error: This panel cannot back up CSV files.\n");
}

TEST_F(CliTest, CardStatusErrorsReachTheUser)
{
    Start({"--type", "80", "--card-status", "131"});
    const SCliResult result = Run({"ls"});
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Error: Card is Full\nError in Getting Remote file list.\n");
}

TEST_F(CliTest, TimeoutOptionAndUnreachablePanel)
{
    Start({"--no-reply-every", "1"});
    const SCliResult result = RunCli({"--timeout", "0.2", m_strHost, "info"}, m_local.Str());
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Incorrect Communication Packet  (Time Out Error). \n"
                             "Check cable and communication port.\n");
    m_pSim->Stop();
    const SCliResult refused = Run({"info"});
    EXPECT_EQ(refused.nExit, 1);
    EXPECT_EQ(refused.strErr, "Error C01_5:  Unable to Connect to host device.\n"
                              "Please check the cable and connection.\n");
}

TEST(CliUsageTest, BadCommandLinesExitWithUsage)
{
    const std::vector<std::vector<std::string>> arrCases = {
        {},
        {"127.0.0.1"},
        {"127.0.0.1", "frobnicate"},
        {"127.0.0.1:0", "info"},
        {"127.0.0.1:99999", "info"},
        {"--timeout", "0", "127.0.0.1", "info"},
        {"--bogus", "1", "127.0.0.1", "info"},
        {"127.0.0.1", "rename", "ONE"},
        {"127.0.0.1", "get"},
        {"127.0.0.1", "info", "extra"},
    };
    for (const auto& arrArgs : arrCases)
    {
        const SCliResult result = RunCli(arrArgs);
        EXPECT_EQ(result.nExit, 2) << testing::PrintToString(arrArgs);
        EXPECT_EQ(result.strOut, "");
    }
    const SCliResult help = RunCli({"--help"});
    EXPECT_EQ(help.nExit, 0);
    EXPECT_NE(help.strOut.find("get REMOTE [LOCAL]"), std::string::npos);
}
