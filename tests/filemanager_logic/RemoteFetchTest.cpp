// The shared fetch on its own: TFTP when asked, and a link failure.
#include "filemanager/logic/RemoteFetch.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

TEST(RemoteFetchTest, TftpWhenAskedAndAFailure)
{
    const std::string strBytes(1000, 'x');
    // TFTP asked (the simulator fails every file command); a file that does not open.
    const struct
    {
        const char* pszFail;
        bool bTftpAsked;
        EFetchResult eResult;
        const char* pszMessage;
    } arrCases[] = {{"143=24", true, EFetchResult::Done, ""},
                    {"143:3=24", false, EFetchResult::Failed, "Unable to open file A.CSV"}};
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.pszFail);
        CTempDir dir;
        dir.WriteFile("card/A.CSV", strBytes);
        CSimulatorProcess sim(
            {"--card", dir.Str() + "/card", "--type", "186", "--fail", c.pszFail});
        CCommInterface comm(sim.Address(), sim.Port());
        comm.SetTimeouts(2000, 5000);
        ASSERT_TRUE(comm.ReadPanelInfo());
        CPanelFileCommands files(&comm);
        const SRemoteFetch fetch = {
            "A.CSV",       1000,           dir.WriteFile("local.tmp", "").string(),
            sim.Address(), sim.TftpPort(), 5000,
            c.bTftpAsked};
        uint64_t nLastBytes = 0;
        const SFetchOutcome outcome = FetchRemoteFile(
            files, fetch, [&](uint64_t nBytes) { return nLastBytes = nBytes, true; });
        EXPECT_EQ(outcome.eResult, c.eResult);
        EXPECT_EQ(outcome.strMessage, c.pszMessage);
        EXPECT_EQ(outcome.bLinkFailure, c.eResult == EFetchResult::Failed);
        EXPECT_EQ(outcome.strReason, "");
        if (c.eResult == EFetchResult::Done)
            EXPECT_EQ(dir.ReadFile("local.tmp") + std::to_string(nLastBytes), strBytes + "1000");
    }
}
