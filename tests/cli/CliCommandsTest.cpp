// orvak-cli end to end against the simulator: what the command line adds to
// the link layer (arguments, output shape, exit status, messages, the local
// files), one case per command.
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace
{
std::string Bytes(size_t nLength)
{
    std::string str(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        str[i] = static_cast<char>((i * 131 + i / 254) & 0xFF);
    return str;
}

const char* const DATA_LOG =
    "Date,Time,T1\r\n01/02/24,10:00:00,  1.5\r\n01/02/24,10:00:10,  1.7\r\n";

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_card.WriteFile("41225A07.CSV", Bytes(5000));
        m_card.WriteFile("90101107.CSV", DATA_LOG);
        m_card.WriteFile("README.TXT", "read me\n");
        m_card.WriteFile("EMPTY.DAT", "");
    }

    void Start(std::vector<std::string> arrArgs)
    {
        arrArgs.insert(arrArgs.begin(), {"--card", m_card.Str()});
        m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
    }

    // The command on the simulator's panel, run in m_local, options first.
    SCliResult Run(std::vector<std::string> arrArgs, std::vector<std::string> arrOptions = {},
                   bool bTerminal = false)
    {
        arrOptions.insert(arrOptions.end(), {"--tftp-port", std::to_string(m_pSim->TftpPort()),
                                             "127.0.0.1:" + std::to_string(m_pSim->Port())});
        arrArgs.insert(arrArgs.begin(), arrOptions.begin(), arrOptions.end());
        return RunCli(arrArgs, {.strWorkDir = m_local.Str(), .bErrorsOnTerminal = bTerminal});
    }

    bool CardHas(const std::string& strName) const { return fs::exists(m_card.Path() / strName); }

    // Every name in the local folder (temporaries would show here).
    std::set<std::string> LocalNames() const
    {
        std::set<std::string> setNames;
        for (const auto& entry : fs::directory_iterator(m_local.Path()))
            setNames.insert(entry.path().filename().string());
        return setNames;
    }

    CTempDir m_card;
    CTempDir m_local;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};
} // namespace

TEST_F(CliTest, EveryCommandEndToEnd)
{
    Start({"--zero-date", "README.TXT"});
    fs::create_directory(m_local.Path() / "sub");
    m_local.WriteFile("up.csv", "Date,Time,T1\n");
    struct SCase
    {
        std::string strArgs;
        std::string strOut; // what standard output holds (all of it when bExact)
        bool bExact = true;
        const char* pszOptions = "";
        bool bTerminal = false; // standard error on a terminal: a progress line there
    };
    const std::string strPulled = "Tranferring 90101107.CSV...\npull: 1 of 1 copied, 0 skipped, "
                                  "0 left out, 0 failed, 0 not attempted; Status: Sucess\n";
    const SCase arrCases[] = {
        {"info", "Panel type: 186\nFirmware revision: k5\nBuild: 200\n"
                 "Command family: file commands (message code 143)\nAccepted: yes\n"
                 "Can back up CSV files: yes\nCan view file data: yes\n"},
        // name, size, YYYY-MM-DD HH:MM:SS, or the zero date's text
        {"ls *.txt", "README.TXT\t8\tInvalid DateTime\n"},
        {"ls", "41225A07.CSV\t5000\t2", false},
        {"get 41225A07.CSV", ""},
        {"get EMPTY.DAT copy.dat", ""},
        {"get README.TXT " + (m_local.Path() / "sub").string(), ""},
        {"get 90101107.CSV tftp.csv", "", true, "--tftp"},
        {"backup 41225A07.CSV", ""},
        {"backup-all", ""},
        {"rename README.TXT NOTES.TXT", ""},
        {"rm NOTES.TXT EMPTY.DAT", ""},
        {"put up.csv UP.CSV", ""},
        {"pull 9*.CSV sub", strPulled, true, "", true},
        {"view 90101107.CSV --summary", "Records in File:\nTotal Records: 2\n", false},
    };
    for (const SCase& c : arrCases)
    {
        const SCliResult result = Run(Words(c.strArgs), Words(c.pszOptions), c.bTerminal);
        SCOPED_TRACE(c.strArgs + "\n" + result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 0);
        if (c.bExact)
            EXPECT_EQ(result.strOut, c.strOut);
        else
            EXPECT_NE(result.strOut.find(c.strOut), std::string::npos);
        if (!c.bTerminal)
        {
            EXPECT_EQ(result.strErr, "");
            continue;
        }
        // Speed and time left, and a wiped line last, so the shell prompt starts clean.
        EXPECT_NE(result.strErr.find("\r90101107.CSV"), std::string::npos);
        EXPECT_NE(result.strErr.find("100%  File: "), std::string::npos);
        EXPECT_NE(result.strErr.find(" left  All files: "), std::string::npos);
        EXPECT_EQ(result.strErr.size() - 4, result.strErr.rfind("\r\033[K"));
    }
    // What the commands left, here and on the card (one line per entry).
    EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), Bytes(5000));
    EXPECT_TRUE(fs::exists(m_local.Path() / "copy.dat"));
    EXPECT_EQ(m_local.ReadFile("sub/README.TXT"), "read me\n");
    EXPECT_EQ(m_local.ReadFile("sub/90101107.CSV"), DATA_LOG);
    EXPECT_EQ(m_local.ReadFile("tftp.csv"), DATA_LOG);
    EXPECT_EQ(m_card.ReadFile("UP.CSV"), "Date,Time,T1\n");
    const std::string strList = Run({"ls"}).strOut;
    EXPECT_EQ(std::count(strList.begin(), strList.end(), '\n'), 5) << strList;
    for (const char* pszName : {"41225A07.BAK", "90101107.BAK"})
        EXPECT_TRUE(CardHas(pszName)) << pszName;
    for (const char* pszName : {"README.TXT", "NOTES.TXT", "EMPTY.DAT"})
        EXPECT_FALSE(CardHas(pszName)) << pszName;
}

// A failure exits 1 with its message on standard error and leaves the local
// folder as it was: no partial copy, no temporary, the older copy untouched.
TEST_F(CliTest, FailuresExitOneAndLeaveNothingBehind)
{
    const struct
    {
        const char* pszSim; // simulator options
        const char* pszArgs;
        std::string strErr;
        const char* pszOptions = "";
    } arrCases[] = {
        {"--fail-after 143:0=5", "get 41225A07.CSV",
         "File System Error.\nUnable to read file 41225A07.CSV\n"},
        {"", "get MISSING.CSV", "File System Error.\nUnable to open file MISSING.CSV\n"},
        // A panel that cannot back up CSV files is read by TFTP; --tftp asks for it.
        {"--type 80", "get MISSING.CSV",
         "#1:File not found\nCan't get data.\nError in copying MISSING.CSV\n"},
        {"--tftp-error 2:Access_violation", "get 41225A07.CSV",
         "#2:Access_violation\nCan't get data.\nError in copying 41225A07.CSV\n", "--tftp"},
        {"", "put none.csv X.CSV", "Error: none.csv is not a file.\n"},
        {"", "rm README.TXT MISSING.CSV EMPTY.DAT",
         "File System Error.\nError in deleting file.\nCould not delete MISSING.CSV.\n"},
        {"--type 80", "backup-all", "Error: This panel cannot back up CSV files.\n"},
        {"--type 177 --revision i11 --build 39", "ls", "Error: Device Type Mismatch\n"},
        {"--no-reply-every 1", "info",
         "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
         "port.\n",
         "--timeout 0.2"},
    };
    m_local.WriteFile("41225A07.CSV", "older copy");
    for (const auto& c : arrCases)
    {
        Start(Words(c.pszSim));
        const SCliResult result = Run(Words(c.pszArgs), Words(c.pszOptions));
        SCOPED_TRACE(std::string(c.pszArgs) + "\n" + result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 1);
        EXPECT_EQ(result.strErr, c.strErr);
        EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), "older copy");
        EXPECT_EQ(LocalNames(), std::set<std::string>{"41225A07.CSV"});
    }
    // Names that would leave the folder are refused.
    for (const char* pszName : {"../x.csv", "a/b.csv", "a\\b.csv", ".", "..", "bad\x01name", ""})
    {
        for (const auto& arrArgs : std::vector<std::vector<std::string>>{
                 {"get", pszName}, {"put", (m_card.Path() / "README.TXT").string(), pszName}})
        {
            const SCliResult result = Run(arrArgs);
            EXPECT_EQ(result.nExit, 1) << pszName;
            EXPECT_NE(result.strErr.find("is not a plain file name"), std::string::npos) << pszName;
        }
    }
    EXPECT_EQ(LocalNames(), std::set<std::string>{"41225A07.CSV"});
    // A rejected panel still tells what it is.
    Start({"--type", "177", "--revision", "i11", "--build", "39"});
    const SCliResult info = Run({"info"});
    EXPECT_EQ(info.nExit, 0);
    EXPECT_NE(info.strOut.find("Accepted: no (Error: Device Type Mismatch)\n"), std::string::npos);
}

TEST(CliUsageTest, BadCommandLinesExitWithUsage)
{
    for (const char* pszLine :
         {"", "127.0.0.1", "127.0.0.1 frobnicate", "127.0.0.1:0 info", "127.0.0.1:99999 info",
          "--timeout 0 127.0.0.1 info", "--bogus 1 127.0.0.1 info", "127.0.0.1 rename ONE",
          "127.0.0.1 get", "127.0.0.1 info extra", "collect *.CSV", "collect a.ini *.CSV out extra",
          "collect *.CSV out --jobs 0", "collect *.CSV out --jobs",
          "collect *.CSV out --on-conflict ask", "collect *.CSV out --timeout -1",
          "collect *.CSV out --bogus", "127.0.0.1 collect *.CSV out"})
    {
        const SCliResult result = RunCli(Words(pszLine));
        EXPECT_EQ(result.nExit, 2) << pszLine;
        EXPECT_EQ(result.strOut, "") << pszLine;
    }
    const SCliResult help = RunCli({"--help"});
    EXPECT_EQ(help.nExit, 0);
    EXPECT_NE(help.strOut.find("get REMOTE [LOCAL]"), std::string::npos);
}
