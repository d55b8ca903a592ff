// orvak-cli end to end, one case per command; collect, where one failure spoils no other.
#include "support/CSimPanel.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"
#include "support/PatternBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
const char* const DATA_LOG =
    "Date,Time,T1\r\n01/02/24,10:00:00,  1.5\r\n01/02/24,10:00:10,  1.7\r\n";

struct CliTest : ::testing::Test
{
    void SetUp() override
    {
        m_card.WriteFile("41225A07.CSV", PatternBytes(5000));
        m_card.WriteFile("90101107.CSV", DATA_LOG);
        m_card.WriteFile("README.TXT", "read me\n");
        m_card.WriteFile("EMPTY.DAT", "");
    }

    // The command line's words (PANEL: the simulator's panel), then arrMore, run in m_local.
    SCliResult Run(const std::string& strLine, std::vector<std::string> arrMore = {},
                   bool bTerminal = false)
    {
        std::vector<std::string> arrArgs =
            Words("--tftp-port " + std::to_string(m_panel.TftpPort()) + " " + strLine);
        std::replace(arrArgs.begin(), arrArgs.end(), std::string("PANEL"),
                     "127.0.0.1:" + std::to_string(m_panel.Port()));
        arrArgs.insert(arrArgs.end(), arrMore.begin(), arrMore.end());
        return RunCli(arrArgs, {.strWorkDir = m_local.Str(), .bErrorsOnTerminal = bTerminal});
    }

    CSimPanel m_panel;
    const CTempDir& m_card = m_panel.Card();
    CTempDir m_local;
};

// The files of a folder by name, README.TXT left out: a panel's data logs.
std::map<std::string, std::string> FilesIn(const fs::path& folder)
{
    std::map<std::string, std::string> mapFiles;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string strName = entry.path().filename().string();
        if (strName != "README.TXT")
            mapFiles[strName].assign(std::istreambuf_iterator<char>(file), {});
    }
    return mapFiles;
}

// The summary line of a panel (the first line that starts with its name).
std::string SummaryLine(const std::string& strOut, const std::string& strName)
{
    std::istringstream lines(strOut);
    std::string strLine;
    while (std::getline(lines, strLine) && strLine.rfind(strName + " ", 0) != 0)
        strLine.clear();
    return strLine;
}

struct CliCollectTest : ::testing::Test
{
    // A panel serving nFiles data logs of nSize + i bytes (and a file that does not match
    // *.CSV), started with the simulator options given, and added to the panel list.
    CSimPanel& AddPanel(const std::string& strName, const std::string& strArgs, int nFiles = 3,
                        size_t nSize = 20000)
    {
        CSimPanel& panel = m_mapPanels[strName];
        for (int i = 0; i < nFiles; ++i)
            panel.Card().WriteFile(
                "4122" + std::to_string(i) + "A07.CSV",
                PatternBytes(nSize + i, static_cast<unsigned>(m_mapPanels.size())));
        panel.Card().WriteFile("README.TXT", "not a data log\n");
        panel.Start(Words(strArgs));
        m_strPanels += strName + "|127.0.0.1|" + std::to_string(panel.Port()) + "|\r\r\n";
        return panel;
    }

    std::map<std::string, CSimPanel> m_mapPanels;
    std::string m_strPanels; // the panel list, in the order the panels were added
    CTempDir m_work;
};
} // namespace

TEST_F(CliTest, EveryCommandEndToEnd)
{
    m_panel.Start(Words("--zero-date README.TXT"), true);
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
    EXPECT_EQ(m_local.ReadFile("41225A07.CSV"), PatternBytes(5000));
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

// A failure exits 1 with its message, and leaves no partial copy, no temporary, the older copy.
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
        {"", "PANEL put none.csv X.CSV", "Error: none.csv is not a file.\n"},
        {"", "PANEL rm README.TXT MISSING.CSV EMPTY.DAT",
         "File System Error.\nError in deleting file.\nCould not delete MISSING.CSV.\n"},
        {"--type 177 --revision i11 --build 39", "PANEL ls", "Error: Device Type Mismatch\n"},
        {"--no-reply-every 1", "--timeout 0.2 PANEL info",
         "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
         "port.\n"},
    };
    m_local.WriteFile("41225A07.CSV", "older copy");
    const std::map<std::string, std::string> mapOlder = {{"41225A07.CSV", "older copy"}};
    for (const auto& [pszSim, pszArgs, strErr] : arrCases)
    {
        m_panel.Start(Words(pszSim), true);
        const SCliResult result = Run(pszArgs);
        SCOPED_TRACE(std::string(pszArgs) + "\n" + result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 1);
        EXPECT_EQ(result.strErr, strErr);
        EXPECT_EQ(FilesIn(m_local.Path()), mapOlder); // temporaries would show here
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
    EXPECT_EQ(FilesIn(m_local.Path()), mapOlder);
    // A rejected panel still tells what it is.
    m_panel.Start(Words("--type 177 --revision i11 --build 39"), true);
    const SCliResult info = Run("PANEL info");
    EXPECT_EQ(info.nExit, 0);
    EXPECT_NE(info.strOut.find("Accepted: no (Error: Device Type Mismatch)\n"), std::string::npos);
}

TEST(CliUsageTest, BadCommandLinesExitWithUsage)
{
    for (const char* pszLine :
         {"127.0.0.1", "127.0.0.1 frobnicate", "127.0.0.1:0 info", "--timeout 0 127.0.0.1 info",
          "--bogus 1 127.0.0.1 info", "127.0.0.1 rename ONE", "127.0.0.1 info extra",
          "collect a.ini *.CSV out extra", "collect *.CSV out --jobs 0",
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

TEST_F(CliCollectTest, FaultyPanelsNeitherStopNorSpoilTheGoodOnes)
{
    AddPanel("Line 1", "");
    AddPanel("../Line/2", "--delay-ms 2");
    AddPanel("line 1", "--revision i11");
    AddPanel("Refusing", "").Stop();
    AddPanel("Rejected", "--type 177 --revision i11 --build 39");
    AddPanel("Silent", "--no-reply-every 1");
    // Every 30th reply on a connection is cut: the second file of the
    // transfer's connection breaks off.
    AddPanel("Dropping", "--close-mid-reply-every 30", 3, 5000);
    // A file where a panel's folder should go.
    AddPanel("Blocked", "");
    m_work.WriteFile("out/Blocked", "in the way");
    m_work.WriteFile("plant.ini", m_strPanels);
    // The second run, without a list, reads the program's own.
    const CTempDir home;
    home.WriteFile("Documents/Ilvane/Ilvane Remote File Manager/PanelsList.INI", m_strPanels);
    const SCliOptions options = {
        .strWorkDir = m_work.Str(),
        .arrEnv = {"HOME=" + home.Str(), "XDG_CONFIG_HOME=" + home.Str() + "/config"}};
    for (const bool bKeepGoing : {false, true})
    {
        const SCliResult result =
            RunCli(Words(std::string("collect ") + (bKeepGoing ? "" : "plant.ini ") +
                         "*.csv out --jobs 3 --timeout 1 --on-conflict overwrite" +
                         (bKeepGoing ? " --keep-going" : "")),
                   options);
        SCOPED_TRACE(result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 1);

        // Every good panel's data logs, complete and byte-identical, in a
        // folder of its own; unsafe and clashing names kept apart.
        const std::map<std::string, std::string> mapFolders = {
            {"Line 1", "Line 1"}, {"../Line/2", "%2E.%2FLine%2F2"}, {"line 1", "line 1 (2)"}};
        for (const auto& [strName, strFolder] : mapFolders)
        {
            const CSimPanel& panel = m_mapPanels.at(strName);
            EXPECT_EQ(FilesIn(m_work.Path() / "out" / strFolder), FilesIn(panel.Card().Path()));
            EXPECT_NE(SummaryLine(result.strOut, strName)
                          .find("127.0.0.1:" + std::to_string(panel.Port())),
                      std::string::npos);
        }
        EXPECT_TRUE(FilesIn(m_work.Path() / "out" / "Silent").empty());
        // The dropping panel: what arrived is whole; the rest is counted.
        const auto mapCard = FilesIn(m_mapPanels.at("Dropping").Card().Path());
        const auto mapGot = FilesIn(m_work.Path() / "out/Dropping");
        for (const auto& [strFile, strBytes] : mapGot)
            EXPECT_EQ(strBytes, mapCard.at(strFile)) << strFile;
        EXPECT_EQ(mapGot.size(), bKeepGoing ? 2u : 1u);
        // Each panel's summary line: a text in it, and its end.
        const std::string strGood = "     3       0      0        60003 ";
        const std::tuple<const char*, std::string, const char*> arrLines[] = {
            {"Line 1", strGood, "  ok"},
            {"../Line/2", strGood, "  ok"},
            {"line 1", strGood, "  ok"},
            {"Refusing", "failed: Error C01_5:  Unable to Connect to host device.", ""},
            {"Rejected", "failed: Error: Device Type Mismatch", ""},
            {"Silent", "failed: Incorrect Communication Packet", ""},
            {"Blocked", "failed: Error: cannot create the folder", ""},
            {"Dropping",
             bKeepGoing ? "     2       0      1        10002 "
                        : "     1       0      1         5000 ",
             bKeepGoing ? "  failed" : ""},
            {"Total", "3 of 8 panels ok", ""}};
        for (const auto& [pszName, strText, pszEnd] : arrLines)
        {
            const std::string strLine = SummaryLine(result.strOut, pszName);
            EXPECT_NE(strLine.find(strText), std::string::npos) << strLine;
            EXPECT_TRUE(strLine.ends_with(pszEnd)) << strLine;
        }
    }
    // Good panels only: status 0. A list without panels is an error.
    m_work.WriteFile("good.ini", m_strPanels.substr(0, m_strPanels.find('\n') + 1));
    EXPECT_EQ(RunCli(Words("collect good.ini *.csv out --on-conflict overwrite"), options).nExit,
              0);
    const SCliResult missing = RunCli({"collect", "none.ini", "*.CSV", "out"}, options);
    EXPECT_EQ(missing.nExit, 1);
    EXPECT_EQ(missing.strErr, "Error: no panels in the panel list none.ini.\n");
}
