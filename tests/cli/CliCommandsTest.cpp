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

    void Start(const std::string& strArgs)
    {
        m_pSim =
            std::make_unique<CSimulatorProcess>(Words("--card " + m_card.Str() + " " + strArgs));
    }

    // The command line's words (PANEL: the simulator's panel), then arrMore, run in m_local.
    SCliResult Run(const std::string& strLine, std::vector<std::string> arrMore = {},
                   bool bTerminal = false)
    {
        std::vector<std::string> arrArgs =
            Words("--tftp-port " + std::to_string(m_pSim->TftpPort()) + " " + strLine);
        std::replace(arrArgs.begin(), arrArgs.end(), std::string("PANEL"),
                     "127.0.0.1:" + std::to_string(m_pSim->Port()));
        arrArgs.insert(arrArgs.end(), arrMore.begin(), arrMore.end());
        return RunCli(arrArgs, {.strWorkDir = m_local.Str(), .bErrorsOnTerminal = bTerminal});
    }

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
    Start("--zero-date README.TXT");
    fs::create_directory(m_local.Path() / "sub");
    m_local.WriteFile("up.csv", "Date,Time,T1\n");
    // The command, and what standard output holds: all of it when that ends in a line feed.
    const std::pair<std::string, std::string> arrCases[] = {
        {"PANEL info", "Panel type: 186\nFirmware revision: k5\nBuild: 200\n"
                       "Command family: file commands (message code 143)\nAccepted: yes\n"
                       "Can back up CSV files: yes\nCan view file data: yes\n"},
        // name, size, YYYY-MM-DD HH:MM:SS, or the zero date's text
        {"PANEL ls *.txt", "README.TXT\t8\tInvalid DateTime\n"},
        {"PANEL ls", "41225A07.CSV\t5000\t2"},
        {"PANEL get 41225A07.CSV", ""},
        {"PANEL get EMPTY.DAT copy.dat", ""},
        {"PANEL get README.TXT " + (m_local.Path() / "sub").string(), ""},
        {"--tftp PANEL get 90101107.CSV tftp.csv", ""},
        {"PANEL backup 41225A07.CSV", ""},
        {"PANEL backup-all", ""},
        {"PANEL rename README.TXT NOTES.TXT", ""},
        {"PANEL rm NOTES.TXT EMPTY.DAT", ""},
        {"PANEL put up.csv UP.CSV", ""},
        {"PANEL view 90101107.CSV --summary", "Records in File:\nTotal Records: 2\n\nFirst"},
    };
    for (const auto& [strArgs, strOut] : arrCases)
    {
        const SCliResult result = Run(strArgs);
        SCOPED_TRACE(strArgs + "\n" + result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 0);
        EXPECT_EQ(result.strErr, "");
        if (strOut.empty() || strOut.back() == '\n')
            EXPECT_EQ(result.strOut, strOut);
        else
            EXPECT_NE(result.strOut.find(strOut), std::string::npos);
    }
    // With standard error on a terminal, a progress line there: speed and time left, and a
    // wiped line last, so the shell prompt starts clean.
    const SCliResult pull = Run("PANEL pull 9*.CSV sub", {}, true);
    EXPECT_EQ(pull.nExit, 0);
    EXPECT_EQ(pull.strOut, "Tranferring 90101107.CSV...\npull: 1 of 1 copied, 0 skipped, 0 left "
                           "out, 0 failed, 0 not attempted; Status: Sucess\n");
    for (const char* pszText : {"\r90101107.CSV", "100%  File: ", " left  All files: "})
        EXPECT_NE(pull.strErr.find(pszText), std::string::npos) << pull.strErr;
    EXPECT_EQ(pull.strErr.size() - 4, pull.strErr.rfind("\r\033[K"));
    // What the commands left, here and on the card (one line per entry).
    EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), Bytes(5000));
    EXPECT_TRUE(fs::exists(m_local.Path() / "copy.dat"));
    EXPECT_EQ(m_local.ReadFile("sub/README.TXT"), "read me\n");
    EXPECT_EQ(m_local.ReadFile("sub/90101107.CSV"), DATA_LOG);
    EXPECT_EQ(m_local.ReadFile("tftp.csv"), DATA_LOG);
    EXPECT_EQ(m_card.ReadFile("UP.CSV"), "Date,Time,T1\n");
    const std::string strList = Run("PANEL ls").strOut;
    EXPECT_EQ(std::count(strList.begin(), strList.end(), '\n'), 5) << strList;
    for (const char* pszName :
         {"41225A07.BAK", "90101107.BAK", "README.TXT", "NOTES.TXT", "EMPTY.DAT"})
        EXPECT_EQ(fs::exists(m_card.Path() / pszName), std::string(pszName).ends_with(".BAK"))
            << pszName;
}

// A failure exits 1 with its message on standard error and leaves the local
// folder as it was: no partial copy, no temporary, the older copy untouched.
TEST_F(CliTest, FailuresExitOneAndLeaveNothingBehind)
{
    // Simulator options, the command, standard error.
    const std::tuple<const char*, const char*, std::string> arrCases[] = {
        {"--fail-after 143:0=5", "PANEL get 41225A07.CSV",
         "File System Error.\nUnable to read file 41225A07.CSV\n"},
        {"", "PANEL get MISSING.CSV", "File System Error.\nUnable to open file MISSING.CSV\n"},
        // A panel that cannot back up CSV files is read by TFTP; --tftp asks for it.
        {"--type 80", "PANEL get MISSING.CSV",
         "#1:File not found\nCan't get data.\nError in copying MISSING.CSV\n"},
        {"--tftp-error 2:Access_violation", "--tftp PANEL get 41225A07.CSV",
         "#2:Access_violation\nCan't get data.\nError in copying 41225A07.CSV\n"},
        {"", "PANEL put none.csv X.CSV", "Error: none.csv is not a file.\n"},
        {"", "PANEL rm README.TXT MISSING.CSV EMPTY.DAT",
         "File System Error.\nError in deleting file.\nCould not delete MISSING.CSV.\n"},
        {"--type 80", "PANEL backup-all", "Error: This panel cannot back up CSV files.\n"},
        {"--type 177 --revision i11 --build 39", "PANEL ls", "Error: Device Type Mismatch\n"},
        {"--no-reply-every 1", "--timeout 0.2 PANEL info",
         "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
         "port.\n"},
    };
    m_local.WriteFile("41225A07.CSV", "older copy");
    for (const auto& [pszSim, pszArgs, strErr] : arrCases)
    {
        Start(pszSim);
        const SCliResult result = Run(pszArgs);
        SCOPED_TRACE(std::string(pszArgs) + "\n" + result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 1);
        EXPECT_EQ(result.strErr, strErr);
        EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), "older copy");
        EXPECT_EQ(LocalNames(), std::set<std::string>{"41225A07.CSV"});
    }
    // Names that would leave the folder are refused.
    for (const char* pszName : {"../x.csv", "a/b.csv", "a\\b.csv", ".", "..", "bad\x01name", ""})
        for (const std::string& strLine :
             {std::string("PANEL get"), "PANEL put " + m_card.Str() + "/README.TXT"})
        {
            const SCliResult result = Run(strLine, {pszName});
            EXPECT_EQ(result.nExit, 1) << pszName;
            EXPECT_NE(result.strErr.find("is not a plain file name"), std::string::npos) << pszName;
        }
    EXPECT_EQ(LocalNames(), std::set<std::string>{"41225A07.CSV"});
    // A rejected panel still tells what it is.
    Start("--type 177 --revision i11 --build 39");
    const SCliResult info = Run("PANEL info");
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
