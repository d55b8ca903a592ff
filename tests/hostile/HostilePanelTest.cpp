// orvak-cli against panels that lie: each lie ends the command in time, with
// a failure and a clear message, and leaves neither a file under the final
// name nor a temporary file.
#include "CHostilePanel.h"
#include "HostileRun.h"
#include "support/CTempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
// A data log: header and nRecords fixed-width records.
std::string DataLog(int nRecords)
{
    std::string strText = "Date,Time,Temp,Press\n";
    for (int i = 0; i < nRecords; ++i)
        strText += "12/04/26,14:30:" + std::string(i % 60 < 10 ? "0" : "") +
                   std::to_string(i % 60) + ",21.5,1.013\n";
    return strText;
}

std::string Bytes(size_t nLength)
{
    std::string str(nLength, 'x');
    for (size_t i = 0; i < nLength; ++i)
        str[i] = static_cast<char>('a' + i % 26);
    return str;
}

class HostilePanelTest : public ::testing::Test
{
protected:
    CTempDir m_dir;     // the local folder of every command
    CTempDir m_tempDir; // the runs' system temporary folder

    fs::path Local(const std::string& strName) const { return m_dir.Path() / strName; }
    SHostileRun Run(const std::vector<std::string>& arrArgs,
                    const SHostileLimits& limits = SHostileLimits())
    {
        return RunHostileCli(arrArgs, m_tempDir.Str(), limits);
    }
};
} // namespace

// A listing that never ends stops at 65,535 entries, for one panel and for
// each panel of a collection.
TEST_F(HostilePanelTest, AListingThatNeverEndsIsCutOff)
{
    SHostileScript script;
    script.bEndlessListing = true;
    CHostilePanel panel(script);
    const CTempDir list;
    const std::string strList =
        list.WriteFile("plant.ini", "Hostile|127.0.0.1|" + std::to_string(panel.Port()) + "|\n")
            .string();
    const std::vector<std::pair<std::vector<std::string>, fs::path>> arrCommands = {
        {{panel.Address(), "ls"}, Local("LOG0.CSV")},
        {{panel.Address(), "pull", "*.CSV", m_dir.Str()}, Local("LOG0.CSV")},
        {{"collect", strList, "*.CSV", m_dir.Str()}, Local("Hostile") / "LOG0.CSV"},
    };
    for (const auto& [arrArgs, finalPath] : arrCommands)
    {
        SCOPED_TRACE(arrArgs[1]);
        SHostileLimits limits;
        limits.nDeadlineMs = 90000; // 65,535 exchanges
        const SHostileRun run = Run(arrArgs, limits);
        ExpectCleanFailure(run,
                           "Error: The panel's file list does not end.\n"
                           "Error in Getting Remote file list.",
                           finalPath, m_tempDir.Str());
    }
}

// A header without line feeds, from a panel that keeps sending, is read no
// further than a data log's header can be.
TEST_F(HostilePanelTest, AHeaderWithoutLineFeedsIsNotReadWithoutEnd)
{
    SHostileScript script;
    script.arrFiles.push_back({"LOG.CSV", "Date,Time,Temp", -1, 0x7FFFFFFF, -1, true});
    CHostilePanel panel(script);
    const SHostileRun run =
        Run({panel.Address(), "view", "LOG.CSV", "--csv", Local("out.csv").string()});
    ExpectCleanFailure(run, "LOG.CSV is not a data-log file", Local("out.csv"), m_tempDir.Str());
    EXPECT_LT(panel.RequestCount(), 400); // 64 KiB in blocks of 254 bytes, and the rest
}

// A 4 GiB size claim is no allocation: the records that arrive are read,
// under an address-space limit far below the claim.
TEST_F(HostilePanelTest, ASizeClaimIsNoAllocation)
{
    SHostileScript script;
    script.arrFiles.push_back({"LOG.CSV", DataLog(40), -1, 0xFFFFFF00, -1, false});
    CHostilePanel panel(script);
    SHostileLimits limits;
#if !defined(__SANITIZE_ADDRESS__)
    limits.nAddressSpaceLimit = 1LL << 30; // the sanitizers need their own address space
#endif
    const SHostileRun run =
        Run({panel.Address(), "view", "LOG.CSV", "--add", "all", "--summary"}, limits);
    EXPECT_FALSE(run.bHung);
    EXPECT_TRUE(run.bExited) << "ended by signal " << run.nSignal << "\n" << run.strErr;
    EXPECT_EQ(0, run.nExit) << run.strErr;
    EXPECT_EQ(std::string::npos, run.strErr.find("bad_alloc")) << run.strErr;
    EXPECT_NE(std::string::npos, run.strOut.find("Records in Application Cache")) << run.strOut;
}

// Fewer bytes than the open reported, or 0 at the open for a listed file, is
// a failed file for get and pull; a file that grew, or one listed empty, is not.
TEST_F(HostilePanelTest, AShortOrEmptyDeliveryIsAFailedFile)
{
    struct SCase
    {
        const char* pszLie;
        SHostileFile file;
        const char* pszMessage; // empty: the copy succeeds
    };
    const std::string strData = Bytes(1000);
    const SCase arrCases[] = {
        {"ends early",
         {"A.CSV", strData, -1, -1, 300, false},
         "ended the file after 300 of 1000 bytes"},
        {"empty at open", {"A.CSV", strData, -1, 0, -1, false}, "opened the file with 0 bytes"},
        {"grew while read", {"A.CSV", strData, 800, 800, -1, false}, ""},
        {"listed empty", {"A.CSV", "", 0, 0, -1, false}, ""},
    };
    for (const SCase& test : arrCases)
    {
        for (const bool bPull : {false, true})
        {
            SCOPED_TRACE(std::string(test.pszLie) + (bPull ? " (pull)" : " (get)"));
            SHostileScript script;
            script.arrFiles.push_back(test.file);
            CHostilePanel panel(script);
            const SHostileRun run = bPull ? Run({panel.Address(), "pull", "*.CSV", m_dir.Str()})
                                          : Run({panel.Address(), "get", "A.CSV", m_dir.Str()});
            if (*test.pszMessage != 0)
            {
                ExpectCleanFailure(run, test.pszMessage, Local("A.CSV"), m_tempDir.Str());
                EXPECT_NE(std::string::npos, run.strErr.find("Unable to read file A.CSV"));
                continue;
            }
            EXPECT_EQ(0, run.nExit) << run.strErr;
            // pull leaves out a file listed with 0 bytes, as the program's Copy does.
            const bool bLeftOut = bPull && test.file.nListedSize == 0;
            ASSERT_EQ(!bLeftOut, fs::exists(Local("A.CSV")));
            if (!bLeftOut)
            {
                EXPECT_EQ(test.file.strContent.size(), fs::file_size(Local("A.CSV")));
            }
            fs::remove(Local("A.CSV"));
            EXPECT_EQ(std::vector<std::string>{}, LeftoverTemporaries(m_dir.Path()));
        }
    }
}
