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
    std::string strName;
    std::unique_ptr<CTempDir> pCard = std::make_unique<CTempDir>();
    std::unique_ptr<CSimulatorProcess> pSim;
};

class CliCollectTest : public ::testing::Test
{
protected:
    // A panel serving nFiles data logs of nSize + i bytes (and a file that
    // does not match *.CSV), started with the simulator options given.
    SSimPanel& AddPanel(const std::string& strName, std::vector<std::string> arrArgs,
                        int nFiles = 3, size_t nSize = 20000)
    {
        SSimPanel& panel = m_arrPanels.emplace_back();
        panel.strName = strName;
        for (int i = 0; i < nFiles; ++i)
        {
            std::string strBytes(nSize + i, '\0');
            for (size_t n = 0; n < strBytes.size(); ++n)
                strBytes[n] =
                    static_cast<char>((n * 131 + n / 254 + m_arrPanels.size() * 7) & 0xFF);
            panel.pCard->WriteFile("4122" + std::to_string(i) + "A07.CSV", strBytes);
        }
        panel.pCard->WriteFile("README.TXT", "not a data log\n");
        arrArgs.insert(arrArgs.begin(), {"--no-tftp", "--card", panel.pCard->Str()});
        panel.pSim = std::make_unique<CSimulatorProcess>(arrArgs);
        return panel;
    }

    const SSimPanel& Panel(const std::string& strName) const
    {
        return *std::find_if(m_arrPanels.begin(), m_arrPanels.end(),
                             [&](const SSimPanel& p) { return p.strName == strName; });
    }

    std::string PanelsText() const
    {
        std::string strText;
        for (const SSimPanel& panel : m_arrPanels)
            strText +=
                panel.strName + "|127.0.0.1|" + std::to_string(panel.pSim->Port()) + "|\r\r\n";
        return strText;
    }

    // The files of a folder by name; a panel's data logs (the card without README.TXT).
    static std::map<std::string, std::string> FilesIn(const fs::path& folder)
    {
        std::map<std::string, std::string> mapFiles;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename() != "README.TXT")
            {
                std::ifstream file(entry.path(), std::ios::binary);
                std::ostringstream text;
                text << file.rdbuf();
                mapFiles[entry.path().filename().string()] = text.str();
            }
        return mapFiles;
    }

    // The summary line of a panel (the first line that starts with its name).
    static std::string SummaryLine(const std::string& strOut, const std::string& strName)
    {
        std::istringstream lines(strOut);
        for (std::string strLine; std::getline(lines, strLine);)
            if (strLine.rfind(strName + " ", 0) == 0)
                return strLine;
        return std::string();
    }

    std::vector<SSimPanel> m_arrPanels;
    CTempDir m_work;
};
} // namespace

TEST_F(CliCollectTest, FaultyPanelsNeitherStopNorSpoilTheGoodOnes)
{
    AddPanel("Line 1", {});
    AddPanel("../Line/2", {"--delay-ms", "2"});
    AddPanel("line 1", {"--revision", "i11"});
    AddPanel("Refusing", {}).pSim->Stop();
    AddPanel("Rejected", {"--type", "177", "--revision", "i11", "--build", "39"});
    AddPanel("Silent", {"--no-reply-every", "1"});
    // Every 30th reply on a connection is cut: the second file of the
    // transfer's connection breaks off.
    AddPanel("Dropping", {"--close-mid-reply-every", "30"}, 3, 5000);
    // A file where a panel's folder should go.
    AddPanel("Blocked", {});
    m_work.WriteFile("out/Blocked", "in the way");
    m_work.WriteFile("plant.ini", PanelsText());

    for (const bool bKeepGoing : {false, true})
    {
        const SCliResult result =
            RunCli(Words(std::string("collect plant.ini *.csv out --jobs 3 --timeout 1 ") +
                         "--on-conflict overwrite" + (bKeepGoing ? " --keep-going" : "")),
                   {.strWorkDir = m_work.Str()});
        SCOPED_TRACE(result.strOut + result.strErr);
        EXPECT_EQ(result.nExit, 1);

        // Every good panel's data logs, complete and byte-identical, in a
        // folder of its own; unsafe and clashing names kept apart.
        const std::map<std::string, std::string> arrFolders = {
            {"Line 1", "Line 1"}, {"../Line/2", "%2E.%2FLine%2F2"}, {"line 1", "line 1 (2)"}};
        for (const auto& [strName, strFolder] : arrFolders)
        {
            const SSimPanel& panel = Panel(strName);
            EXPECT_EQ(FilesIn(m_work.Path() / "out" / strFolder), FilesIn(panel.pCard->Path()))
                << strName;
            const std::string strLine = SummaryLine(result.strOut, strName);
            EXPECT_NE(strLine.find("127.0.0.1:" + std::to_string(panel.pSim->Port())),
                      std::string::npos);
            EXPECT_NE(strLine.find("     3       0      0        60003 "), std::string::npos)
                << strLine;
            EXPECT_EQ(strLine.substr(strLine.size() - 4), "  ok");
        }
        const std::pair<const char*, const char*> arrFailures[] = {
            {"Refusing", "failed: Error C01_5:  Unable to Connect to host device."},
            {"Rejected", "failed: Error: Device Type Mismatch"},
            {"Silent", "failed: Incorrect Communication Packet"},
            {"Blocked", "failed: Error: cannot create the folder"}};
        for (const auto& [pszName, pszText] : arrFailures)
            EXPECT_NE(SummaryLine(result.strOut, pszName).find(pszText), std::string::npos);
        EXPECT_TRUE(FilesIn(m_work.Path() / "out" / "Silent").empty());

        // The dropping panel: what arrived is whole; the rest is counted.
        const std::string strDropping = SummaryLine(result.strOut, "Dropping");
        const std::map<std::string, std::string> mapCard = FilesIn(Panel("Dropping").pCard->Path());
        const std::map<std::string, std::string> mapGot = FilesIn(m_work.Path() / "out/Dropping");
        for (const auto& [strFile, strBytes] : mapGot)
            EXPECT_EQ(strBytes, mapCard.at(strFile)) << strFile;
        if (bKeepGoing)
        {
            EXPECT_EQ(mapGot.size(), 2u);
            EXPECT_NE(strDropping.find("     2       0      1        10002 "), std::string::npos)
                << strDropping;
            EXPECT_EQ(strDropping.substr(strDropping.size() - 8), "  failed");
        }
        else
            EXPECT_NE(strDropping.find("     1       0      1         5000 "), std::string::npos)
                << strDropping;
        EXPECT_NE(SummaryLine(result.strOut, "Total").find("3 of 8 panels ok"), std::string::npos);
    }
}

// Without a list, the program's own; a list without panels is an error.
TEST_F(CliCollectTest, ProgramsOwnListByDefault)
{
    AddPanel("North", {"--type", "186", "--revision", "k5"});
    const CTempDir home;
    home.WriteFile("Documents/Ilvane/Ilvane Remote File Manager/PanelsList.INI", PanelsText());
    const std::vector<std::string> arrEnv = {"HOME=" + home.Str(),
                                             "XDG_CONFIG_HOME=" + home.Str() + "/config"};
    fs::create_directory(m_work.Path() / "out");
    const SCliOptions options = {.strWorkDir = m_work.Str(), .arrEnv = arrEnv};
    const SCliResult result = RunCli({"collect", "*.CSV", "out"}, options);
    EXPECT_EQ(result.nExit, 0) << result.strOut << result.strErr;
    EXPECT_EQ(FilesIn(m_work.Path() / "out/North"), FilesIn(Panel("North").pCard->Path()));

    const SCliResult missing = RunCli({"collect", "none.ini", "*.CSV", "out"}, options);
    EXPECT_EQ(missing.nExit, 1);
    EXPECT_EQ(missing.strErr, "Error: no panels in the panel list none.ini.\n");
}
