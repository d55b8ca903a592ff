// Fault injection of the command channel, seen frame by frame: what the
// program's client shows only as its error texts.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
class SimFault : public ::testing::Test
{
protected:
    SimFault()
    {
        m_card.WriteFile("DATA.TXT", std::string(1000, 'd'));
        m_card.WriteFile("B.CSV", "b");
    }
    std::vector<std::string> Args(std::vector<std::string> arrFaults) const
    {
        arrFaults.insert(arrFaults.begin(), {"--card", m_card.Str()});
        return arrFaults;
    }
    CTempDir m_card;
};
} // namespace

TEST_F(SimFault, FailAnswersTheForcedResultWithoutCarryingTheRequestOut)
{
    CSimulatorProcess sim(Args({"--fail", "143:13=24", "--fail", "18=39", "--fail", "128:14=6"}));
    CSimRawLink link(sim.Port());
    CSimReply reply = link.File(WithName(Bytes({13}), "B.CSV"));
    EXPECT_EQ(24, reply.m_nResult);
    EXPECT_TRUE(reply.m_arrPayload.empty());
    EXPECT_TRUE(std::filesystem::exists(m_card.Path() / "B.CSV"));
    EXPECT_EQ(39, link.Exchange(18).m_nResult);
    EXPECT_EQ(6, link.Card(Bytes({14, 6, 'B', '.', 'C', 'S', 'V', 0})).m_nResult);
    // Other sub-commands are untouched.
    EXPECT_EQ(0, link.File(Bytes({21})).m_nResult);
    EXPECT_EQ(0, link.Card(Bytes({11, 0, 0})).m_nResult);
}

TEST_F(SimFault, FailAfterLetsTheFirstRequestsThroughAcrossConnections)
{
    CSimulatorProcess sim(Args({"--fail-after", "143:0=3"}));
    CSimRawLink first(sim.Port());
    ASSERT_EQ(0, first.File(WithName(Bytes({3, 0}), "DATA.TXT")).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({0})).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({0})).m_nResult);
    CSimRawLink second(sim.Port());
    ASSERT_EQ(0, second.File(WithName(Bytes({3, 0}), "DATA.TXT")).m_nResult);
    EXPECT_EQ(0, second.File(Bytes({0})).m_nResult);
    EXPECT_EQ(24, second.File(Bytes({0})).m_nResult);
    EXPECT_EQ(24, first.File(Bytes({0})).m_nResult);
    EXPECT_EQ(0, first.File(Bytes({4})).m_nResult) << "other sub-commands still work";
}

TEST_F(SimFault, NoReplyEverySkipsEveryNthRequestOfAConnection)
{
    CSimulatorProcess sim(Args({"--no-reply-every", "2"}));
    CSimRawLink link(sim.Port());
    // Requests 1, 2, 3: the reply to 2 never comes, so the next reply read
    // after sending 3 is the one to 3 (its echo byte tells them apart).
    EXPECT_EQ(Bytes({21}), link.File(Bytes({21})).m_arrPayload);
    ASSERT_TRUE(link.Send(143, WithName(Bytes({3, 0}), "DATA.TXT")));
    EXPECT_EQ(Bytes({4}), link.File(Bytes({4})).m_arrPayload);
    // The skipped open was not carried out: nothing is open now either way,
    // and request 4 (a read) is skipped too, request 5 answers.
    ASSERT_TRUE(link.Send(143, Bytes({0})));
    EXPECT_EQ(24, link.File(Bytes({0})).m_nResult);
    // Counting starts again on a new connection.
    CSimRawLink other(sim.Port());
    EXPECT_EQ(0, other.Exchange(18).m_nResult);
}

TEST_F(SimFault, DelayedRepliesStillComeInOrder)
{
    CSimulatorProcess sim(Args({"--delay-ms", "20"}));
    CSimRawLink link(sim.Port());
    link.Send(143, Bytes({21}));
    link.Send(18, {});
    EXPECT_EQ(143, link.Receive().m_nCode);
    EXPECT_EQ(18, link.Receive().m_nCode);
}
