// orvak-cli collect end to end: many simulated panels at once, good and bad.
// One panel's failure must neither stop nor spoil the others.
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
// One simulated panel with a card of its own.
struct SSimPanel
{
    CTempDir card;
    std::unique_ptr<CSimulatorProcess> pSim;
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

class CliCollectTest : public ::testing::Test
{
protected:
    // A panel serving nFiles data logs of nSize + i bytes (and a file that does not match
    // *.CSV), started with the simulator options given, and added to the panel list.
    SSimPanel& AddPanel(const std::string& strName, const std::string& strArgs, int nFiles = 3,
                        size_t nSize = 20000)
    {
        SSimPanel& panel = m_mapPanels[strName];
        for (int i = 0; i < nFiles; ++i)
        {
            std::string strBytes(nSize + i, '\0');
            for (size_t n = 0; n < strBytes.size(); ++n)
                strBytes[n] = static_cast<char>(n * 131 + n / 254 + m_mapPanels.size() * 7);
            panel.card.WriteFile("4122" + std::to_string(i) + "A07.CSV", strBytes);
        }
        panel.card.WriteFile("README.TXT", "not a data log\n");
        panel.pSim = std::make_unique<CSimulatorProcess>(
            Words("--no-tftp --card " + panel.card.Str() + " " + strArgs));
        m_strPanels += strName + "|127.0.0.1|" + std::to_string(panel.pSim->Port()) + "|\r\r\n";
        return panel;
    }

    std::map<std::string, SSimPanel> m_mapPanels;
    std::string m_strPanels; // the panel list, in the order the panels were added
    CTempDir m_work;
};
} // namespace

TEST_F(CliCollectTest, FaultyPanelsNeitherStopNorSpoilTheGoodOnes)
{
    AddPanel("Line 1", "");
    AddPanel("../Line/2", "--delay-ms 2");
    AddPanel("line 1", "--revision i11");
    AddPanel("Refusing", "").pSim->Stop();
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
            const SSimPanel& panel = m_mapPanels.at(strName);
            EXPECT_EQ(FilesIn(m_work.Path() / "out" / strFolder), FilesIn(panel.card.Path()));
            EXPECT_NE(SummaryLine(result.strOut, strName)
                          .find("127.0.0.1:" + std::to_string(panel.pSim->Port())),
                      std::string::npos);
        }
        EXPECT_TRUE(FilesIn(m_work.Path() / "out" / "Silent").empty());
        // The dropping panel: what arrived is whole; the rest is counted.
        const auto mapCard = FilesIn(m_mapPanels.at("Dropping").card.Path());
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
