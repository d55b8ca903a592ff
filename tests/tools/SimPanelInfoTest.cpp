// Message 18: the panel information block the simulator pretends to be.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

namespace
{
uint32_t BuildOf(const CBytes& arr)
{
    return arr[48] | arr[49] << 8 | arr[50] << 16 | static_cast<uint32_t>(arr[51]) << 24;
}
} // namespace

TEST(SimPanelInfo, DefaultsDescribeAFileCommandPanel)
{
    CTempDir card;
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink link(sim.Port());
    const CSimReply reply = link.Exchange(18);
    ASSERT_TRUE(reply.m_bReceived);
    EXPECT_EQ(0x50, reply.m_arrMagic[0]);
    EXPECT_EQ(0x4C, reply.m_arrMagic[1]);
    EXPECT_EQ(18, reply.m_nCode);
    EXPECT_EQ(0, reply.m_nResult);
    ASSERT_EQ(100u, reply.m_arrPayload.size());
    EXPECT_EQ(186, reply.m_arrPayload[0]);
    EXPECT_EQ('k', reply.m_arrPayload[4]);
    EXPECT_EQ(5, reply.m_arrPayload[5]);
    EXPECT_EQ(200u, BuildOf(reply.m_arrPayload));
    for (size_t i : {1u, 2u, 3u, 6u, 47u, 52u, 99u})
        EXPECT_EQ(0, reply.m_arrPayload[i]) << i;
}

TEST(SimPanelInfo, TypeRevisionBuildAndLengthAreAsConfigured)
{
    CTempDir card;
    CSimulatorProcess sim({"--card", card.Str(), "--type", "177", "--revision", "I11", "--build",
                           "305419896", "--info-length", "52"});
    CSimRawLink link(sim.Port());
    const CSimReply reply = link.Exchange(18);
    ASSERT_EQ(52u, reply.m_arrPayload.size());
    EXPECT_EQ(177, reply.m_arrPayload[0]);
    EXPECT_EQ('I', reply.m_arrPayload[4]);
    EXPECT_EQ(11, reply.m_arrPayload[5]);
    EXPECT_EQ(0x12345678u, BuildOf(reply.m_arrPayload));
    EXPECT_EQ(0x78, reply.m_arrPayload[48]); // least significant byte first

    // A block shorter than the build field simply ends early.
    CSimulatorProcess shortSim({"--card", card.Str(), "--type", "92", "--info-length", "6"});
    CSimRawLink shortLink(shortSim.Port());
    const CSimReply shortReply = shortLink.Exchange(18);
    EXPECT_EQ(Bytes({92, 0, 0, 0, 'k', 5}), shortReply.m_arrPayload);
}
