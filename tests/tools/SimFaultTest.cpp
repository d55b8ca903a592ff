// Fault injection of the command channel, seen frame by frame: a forced
// result is not carried out, and --fail-after counts across connections.
// (What the program's client shows of each fault is tested with the link.)
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(SimFault, ForcedResultsAreNotCarriedOutAndCountAcrossConnections)
{
    CTempDir card;
    card.WriteFile("DATA.TXT", std::string(1000, 'd'));
    card.WriteFile("B.CSV", "b");
    CSimulatorProcess sim({"--card", card.Str(), "--fail", "143:13=24", "--fail", "18=39", "--fail",
                           "128:14=6", "--fail-after", "143:0=3"});
    CSimRawLink first(sim.Port());
    const CSimReply reply = first.File(WithName(Bytes({13}), "B.CSV"));
    EXPECT_EQ(24, reply.m_nResult);
    EXPECT_TRUE(reply.m_arrPayload.empty());
    EXPECT_TRUE(std::filesystem::exists(card.Path() / "B.CSV"));
    EXPECT_EQ(39, first.Exchange(18).m_nResult);
    EXPECT_EQ(6, first.Card(Bytes({14, 6, 'B', '.', 'C', 'S', 'V', 0})).m_nResult);
    EXPECT_EQ(0, first.Card(Bytes({11, 0, 0})).m_nResult) << "other card commands untouched";

    // Three reads pass, on whichever connection; the fourth fails.
    ASSERT_EQ(0, first.File(WithName(Bytes({3, 0}), "DATA.TXT")).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({0})).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({0})).m_nResult);
    CSimRawLink second(sim.Port());
    ASSERT_EQ(0, second.File(WithName(Bytes({3, 0}), "DATA.TXT")).m_nResult);
    EXPECT_EQ(0, second.File(Bytes({0})).m_nResult);
    EXPECT_EQ(24, second.File(Bytes({0})).m_nResult);
    EXPECT_EQ(24, first.File(Bytes({0})).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({21})).m_nResult) << "other sub-commands still work";
}
