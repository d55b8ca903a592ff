// The shared fetch on its own: TFTP when asked and what it reports. The
// panel's own way, a stop between blocks and the failure texts of each way
// are pinned by the transfer tests.
#include "filemanager/logic/RemoteFetch.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

TEST(RemoteFetchTest, TftpWhenAskedAndAFailure)
{
    const std::string strBytes(1000, 'x');
    // TFTP asked (the simulator fails every file command), a file that does
    // not open (a link failure).
    const struct
    {
        std::vector<std::string> arrArgs;
        bool bTftpAsked;
        EFetchResult eResult;
        const char* pszMessage;
    } arrCases[] = {
        {{"--fail", "143=24"}, true, EFetchResult::Done, ""},
        {{"--fail", "143:3=24"}, false, EFetchResult::Failed, "Unable to open file A.CSV"},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(static_cast<int>(c.eResult));
        CTempDir dir;
        std::vector<std::string> arrArgs = {"--card", dir.Str() + "/card", "--type", "186"};
        arrArgs.insert(arrArgs.end(), c.arrArgs.begin(), c.arrArgs.end());
        dir.WriteFile("card/A.CSV", strBytes);
        CSimulatorProcess sim(arrArgs);
        CCommInterface comm(sim.Address(), sim.Port());
        comm.SetTimeouts(2000, 5000);
        ASSERT_TRUE(comm.ReadPanelInfo());
        CPanelFileCommands files(&comm);

        SRemoteFetch fetch;
        fetch.strRemoteName = "A.CSV";
        fetch.nListedSize = static_cast<int64_t>(strBytes.size());
        fetch.strLocalPath = dir.WriteFile("local.tmp", "").string();
        fetch.strPanelAddress = sim.Address();
        fetch.nTftpPort = sim.TftpPort();
        fetch.nTftpTimeoutMs = 5000;
        fetch.bTftpAsked = c.bTftpAsked;
        uint64_t nLastBytes = 0;
        const SFetchOutcome outcome = FetchRemoteFile(files, fetch,
                                                      [&](uint64_t nBytes)
                                                      {
                                                          nLastBytes = nBytes;
                                                          return true;
                                                      });
        EXPECT_EQ(outcome.eResult, c.eResult);
        EXPECT_EQ(outcome.strMessage, c.pszMessage);
        EXPECT_EQ(outcome.bLinkFailure, c.eResult == EFetchResult::Failed);
        EXPECT_EQ(outcome.strReason, "");
        if (c.eResult == EFetchResult::Done)
        {
            EXPECT_EQ(dir.ReadFile("local.tmp"), strBytes);
            EXPECT_EQ(nLastBytes, strBytes.size());
        }
    }
}
