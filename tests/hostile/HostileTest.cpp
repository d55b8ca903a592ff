// orvak-cli against lying panels and hostile local conditions: each fault ends in time with a
// clear message, and leaves neither a file under the final name nor a temporary.
#include "CHostilePanel.h"
#include "common/CTempFile.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/CliRunner.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
std::string DataLog(int nRecords)
{
    std::string strText = "Date,Time,Temp\n";
    for (int i = 0; i < nRecords; ++i)
        strText += "12/04/26,14:30:" + std::to_string(100 + i % 60).substr(1) + ",21.5\n";
    return strText;
}

// The temporaries in a folder: of the program's pattern, or any hidden, ".part" or "tmp" file.
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

// The working folder of a command and its system temporary folder.
struct SLocal
{
    CTempDir dir, temp;

    // orvak-cli with a short reply time-out; PANEL in strArgs stands for the panel's address.
    // A signal in the options is sent once a temporary shows.
    SCliResult Run(const CHostilePanel& panel, const std::string& strArgs,
                   SCliOptions options = {}) const
    {
        std::vector<std::string> arrArgs = Words("--timeout 2 " + strArgs);
        std::replace(arrArgs.begin(), arrArgs.end(), std::string("PANEL"), panel.Address());
        options.arrEnv.push_back("TMPDIR=" + temp.Str());
        options.strWorkDir = dir.Str();
        options.nDeadlineMs = 30000;
        if (options.nSignal != 0)
            options.fnSignalWhen = [this] { return !Temporaries(dir.Path()).empty(); };
        return RunCli(arrArgs, options);
    }
    void ExpectNoTemporaries(bool bSystemFolder = true) const
    {
        EXPECT_EQ(std::vector<std::string>{}, Temporaries(dir.Path()));
        EXPECT_TRUE(!bSystemFolder || Temporaries(temp.Path()).empty())
            << ::testing::PrintToString(Temporaries(temp.Path()));
    }
};

// A panel with one file (see SHostileFile for the sizes).
SHostileScript OneFile(const std::string& strName, const std::string& strContent,
                       int64_t nListed = -1, int64_t nOpen = -1, int64_t nDeliver = -1,
                       bool bEndless = false)
{
    return {{{strName, strContent, nListed, nOpen, nDeliver, bEndless}}};
}

// A row: panel, command, exit status (-1: the options' signal), texts ('|' between) on standard
// error (output when it succeeds, or after '>'), and the target's content (its last file name
// or A.CSV; none: no file).
struct SCase
{
    SHostileScript panel;
    std::string strArgs;
    int nExit;
    std::string strTexts;
    std::optional<std::string> content = std::nullopt;
    SCliOptions options = {};
};
} // namespace

TEST(HostileTest, EachFaultEndsInTimeAndLeavesNoPartialFile)
{
    const std::string strData(1000, 'd'), strLong = std::string(248, 'L') + ".CSV";
    const std::string NOT_READ = "|Unable to read file A.CSV";
    // A header without line feeds from a panel that keeps sending; a 4 GiB size claim.
    const SHostileScript endless = OneFile("LOG.CSV", "Date,Time,Temp", -1, 0x7FFFFFFF, -1, true);
    const SHostileScript claiming = OneFile("LOG.CSV", DataLog(40), -1, 0xFFFFFF00);
    const SHostileScript empty = OneFile("A.CSV", "", 0, 0);
    const SHostileScript slow = {{{"A.CSV", std::string(5000, 'i')}, {"LOG.CSV", DataLog(30)}},
                                 100};
    const SHostileScript four = {{{"A.CSV", "first\n"},
                                  {"B.CSV", std::string(900, 'b'), -1, -1, 100},
                                  {"C\x01.CSV", "unusable name\n"},
                                  {"D.CSV", "last\n"}}};
    const std::string NOT_COPIED = "Could not copy the remote file ";
    SCliOptions limits;
#if !defined(__SANITIZE_ADDRESS__)
    limits.nAddressSpaceLimit = 1LL << 30; // the sanitizers need their own address space
#endif
    CTempDir card; // the margin past the listed size is 1 MiB and a quarter
    card.WriteFile("A.CSV", std::string(1200 * 1024, 'a'));
    const CSimulatorProcess tftp({"--card", card.Str()});
    const std::string strTftp = "--tftp --tftp-port " + std::to_string(tftp.TftpPort());
    const SCase arrCases[] = {
        // The header is read no further than a data log's can be (64 KiB in blocks of 254
        // bytes, and the rest); the claim is no allocation: the records that arrive are read,
        // under an address-space limit far below the claim.
        {endless, "PANEL view LOG.CSV --csv OUT.CSV", 1, "LOG.CSV is not a data-log file"},
        {claiming, "PANEL view LOG.CSV --add all --summary", 0, "Records in Application Cache",
         std::nullopt, limits},
        // A short or empty delivery is a failed file; a file that grew, or one listed empty,
        // is not (pull leaves out a file listed with 0 bytes, as the program's Copy does).
        {OneFile("A.CSV", strData, -1, -1, 300), "PANEL get A.CSV", 1,
         "ended the file after 300 of 1000 bytes" + NOT_READ},
        {OneFile("A.CSV", strData, -1, 0), "PANEL get A.CSV", 1,
         "opened the file with 0 bytes" + NOT_READ},
        {OneFile("A.CSV", strData, 800, 800), "PANEL get A.CSV", 0, "", strData},
        {empty, "PANEL get A.CSV", 0, "", ""},
        {empty, "PANEL pull *.CSV .", 0, ""},
        // pull stops at the first failed file; with --keep-going it tries every file.
        {four, "PANEL pull *.CSV .", 1,
         ">1 of 4 copied, 0 skipped, 0 left out, 1 failed, 2 not attempted|" + NOT_COPIED + "B.CSV",
         "first\n"},
        {four, "PANEL pull *.CSV . --keep-going", 1,
         ">2 of 4 copied, 0 skipped, 0 left out, 2 failed, 0 not attempted; Status: |" +
             NOT_COPIED + "B.CSV|" + NOT_COPIED + "C\\x01.CSV",
         "first\n"},
        // A TFTP server that sends far more than the panel listed is stopped a margin past
        // the listed size, and its partial file removed.
        {OneFile("A.CSV", std::string(1000, 'a')), strTftp + " PANEL get A.CSV", 1,
         "Error: The panel sent more than"},
        // Interrupted, or stopped by the file-size limit, a command leaves no temporary.
        {slow, "PANEL get A.CSV", -1, "", std::nullopt, {.nSignal = SIGINT}},
        {slow, "PANEL get A.CSV", 1, "File too large", std::nullopt, {.nFileSizeLimit = 1000}},
        // A remote name of 252 bytes copies: the temporary's name stays short (a listing
        // record cannot carry such a name, so only get can ask for one).
        {OneFile(strLong, "long name\n"), "PANEL get " + strLong, 0, "", "long name\n"},
        // ls shows control characters in names escaped, never raw.
        {OneFile("A\x1b]0;owned\x07\x1b[2J.CSV", "x"), "PANEL ls", 0,
         "\nA\\x1B]0;owned\\x07\\x1B[2J.CSV\t1\t"},
    };
    for (const SCase& c : arrCases)
    {
        SCOPED_TRACE(c.strArgs + " " + std::to_string(c.options.nSignal));
        SLocal local;
        const CHostilePanel panel(c.panel);
        const SCliResult run = local.Run(panel, c.strArgs, c.options);
        EXPECT_FALSE(run.bHung);
        EXPECT_EQ(c.nExit, run.nExit) << "signal " << run.nSignal << "\n" << run.strErr;
        EXPECT_EQ(c.options.nSignal, run.nSignal);
        EXPECT_EQ(c.options.nSignal != 0, run.bSignalSent);
        std::istringstream texts(c.strTexts);
        for (std::string strText; std::getline(texts, strText, '|');) // '>': on standard output
            EXPECT_NE(std::string::npos,
                      strText[0] == '>'
                          ? run.strOut.find(strText.substr(1))
                          : ("\n" + (c.nExit ? run.strErr : run.strOut)).find(strText))
                << run.strOut << run.strErr;
        EXPECT_EQ(std::string::npos, run.strOut.find_first_of("\x1b\x07"));
        EXPECT_EQ(std::string::npos, run.strErr.find("bad_alloc")) << run.strErr;
        EXPECT_LT(panel.RequestCount(), 400);
        std::string strTarget = "A.CSV"; // unless the command names another file
        for (const std::string& strWord : Words(c.strArgs))
            if (strWord.find('*') == std::string::npos && strWord.find(".CSV") != std::string::npos)
                strTarget = strWord;
        EXPECT_EQ(c.content.has_value(), fs::exists(local.dir.Path() / strTarget));
        EXPECT_TRUE(!c.content || local.dir.ReadFile(strTarget) == *c.content);
        local.ExpectNoTemporaries(c.options.nSignal == 0);
    }
}

// A read-only target is not replaced; a replaced one keeps its permission bits.
TEST(HostileTest, ReadOnlyTargetsStayAndPrivateTargetsStayPrivate)
{
    const CHostilePanel panel({{{"A.CSV", std::string(600, 'n')}, {"LOG.CSV", DataLog(5)}}});
    const std::pair<const char*, const char*> arrCases[] = {
        {"PANEL get A.CSV", "A.CSV"},
        {"PANEL view LOG.CSV --csv out.csv", "out.csv"},
        {"PANEL pull A.CSV . --on-conflict overwrite", "A.CSV"}};
    for (const auto& [pszArgs, pszTarget] : arrCases)
    {
        SCOPED_TRACE(pszArgs);
        SLocal local;
        const fs::path target = local.dir.WriteFile(pszTarget, "old");
        for (const fs::perms mode : {fs::perms(0444), fs::perms(0600)})
        {
            fs::permissions(target, mode);
            const SCliResult run = local.Run(panel, pszArgs);
            const bool bReadOnly = mode == fs::perms(0444);
            EXPECT_EQ(bReadOnly ? 1 : 0, run.nExit) << run.strErr;
            EXPECT_EQ(bReadOnly, run.strErr.find("Permission denied") != std::string::npos);
            EXPECT_EQ(bReadOnly, "old" == local.dir.ReadFile(pszTarget));
            EXPECT_EQ(mode, fs::status(target).permissions() & fs::perms::mask);
            local.ExpectNoTemporaries();
        }
    }
}
