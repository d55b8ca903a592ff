// Malformed requests: each one ends at most its own connection, never the
// simulator or another connection.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

namespace
{
class SimRobustness : public ::testing::Test
{
protected:
    SimRobustness() : m_sim({"--card", m_card.Str()}) { m_card.WriteFile("A.TXT", "0123456789"); }

    // A bystander connection with a file open part way must read on unharmed.
    void ExpectBystanderUnharmed(CSimRawLink& bystander, const std::string& strRest)
    {
        const CSimReply reply = bystander.File(Bytes({0}));
        ASSERT_TRUE(reply.m_bReceived);
        EXPECT_EQ(strRest, std::string(reply.m_arrPayload.begin() + 1, reply.m_arrPayload.end()));
    }

    CTempDir m_card;
    CSimulatorProcess m_sim;
};
} // namespace

TEST_F(SimRobustness, BadMagicClosesOnlyThatConnection)
{
    CSimRawLink bystander(m_sim.Port());
    ASSERT_EQ(0, bystander.File(WithName(Bytes({3, 0}), "A.TXT")).m_nResult);
    ASSERT_EQ(0, bystander.File(Bytes({2, 4, 0, 0, 0, 0})).m_nResult);

    for (const CBytes& arrJunk :
         {Bytes({0x00, 0x00, 18, 0, 0, 0}), Bytes({0x50, 0x00, 18, 0, 0, 0}),
          Bytes({'G', 'E', 'T', ' ', '/', '\n'})})
    {
        CSimRawLink bad(m_sim.Port());
        bad.SendRaw(arrJunk);
        CBytes arrRest;
        EXPECT_EQ(0, bad.ReadUntilClosed(arrRest)) << "closed without a reply";
    }
    ExpectBystanderUnharmed(bystander, "456789");
}

TEST_F(SimRobustness, TruncatedFramesAndAbruptClosesAreSurvived)
{
    CSimRawLink bystander(m_sim.Port());
    ASSERT_EQ(0, bystander.File(WithName(Bytes({3, 0}), "A.TXT")).m_nResult);
    ASSERT_EQ(0, bystander.File(Bytes({2, 2, 0, 0, 0, 0})).m_nResult);

    {
        // Length field far beyond the bytes that follow, then gone.
        CSimRawLink cut(m_sim.Port());
        cut.SendRaw(Bytes({0x50, 0x4C, 143, 0, 0xFF, 0xFF, 3, 0, 'A'}));
    }
    {
        // Half a header.
        CSimRawLink cut(m_sim.Port());
        cut.SendRaw(Bytes({0x50, 0x4C, 143}));
    }
    {
        // A file open and a listing open, then the connection vanishes.
        CSimRawLink gone(m_sim.Port());
        gone.File(WithName(Bytes({3, 0}), "A.TXT"));
        gone.File(WithName(Bytes({6}), "*.*"));
        gone.Send(143, Bytes({0}));
    }
    ExpectBystanderUnharmed(bystander, "23456789");
    CSimRawLink fresh(m_sim.Port());
    EXPECT_EQ(0, fresh.Exchange(18).m_nResult);
}

TEST_F(SimRobustness, OddButWellFramedRequestsGetErrorResults)
{
    CSimRawLink link(m_sim.Port());
    // The largest frame there is, with an unknown message code.
    CBytes arrHuge(65535, 0xAB);
    CSimReply reply = link.Exchange(77, arrHuge);
    ASSERT_TRUE(reply.m_bReceived);
    EXPECT_EQ(77, reply.m_nCode);
    EXPECT_EQ(3, reply.m_nResult);
    EXPECT_TRUE(reply.m_arrPayload.empty());

    // Message 143 with no sub-command byte; a huge 143 request; names
    // without their closing 0 byte.
    EXPECT_EQ(8, link.Exchange(143).m_nResult);
    EXPECT_EQ(24, link.File(CBytes(65535, 0x0D)).m_nResult);
    EXPECT_EQ(24, link.File(Bytes({14, 'A', '.', 'T', 'X', 'T'})).m_nResult);
    EXPECT_EQ(0, link.File(Bytes({3, 0, 'A', '.', 'T', 'X', 'T'})).m_nResult);

    // Several requests in one write are answered one by one, in order.
    CBytes arrBurst;
    for (uint8_t nSub : {21, 6, 7, 7, 8})
    {
        const CBytes arrFrame = Bytes({0x50, 0x4C, 143, 0, 0, nSub == 6 ? 5 : 1, nSub});
        arrBurst.insert(arrBurst.end(), arrFrame.begin(), arrFrame.end());
        if (nSub == 6)
            arrBurst.insert(arrBurst.end(), {'*', '.', '*', 0});
    }
    ASSERT_TRUE(link.SendRaw(arrBurst));
    for (uint8_t nSub : {21, 6, 7, 7, 8})
    {
        reply = link.Receive();
        ASSERT_TRUE(reply.m_bReceived);
        EXPECT_EQ(0, reply.m_nResult);
        EXPECT_EQ(nSub, reply.m_arrPayload.at(0));
    }
}
