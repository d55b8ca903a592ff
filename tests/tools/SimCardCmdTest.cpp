// Message 128: card frames in, card frames out.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
// A reply card frame: header, its own length, a valid checksum.
void ExpectCardFrame(const CSimReply& reply, size_t nLength)
{
    ASSERT_TRUE(reply.m_bReceived);
    ASSERT_EQ(0, reply.m_nResult);
    const CBytes& p = reply.m_arrPayload;
    ASSERT_EQ(nLength, p.size());
    EXPECT_EQ(0x71, p[0]);
    EXPECT_EQ(0x14, p[1]);
    EXPECT_EQ(nLength, p[2]);
    unsigned nSum = 0;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        nSum += p[i];
    EXPECT_EQ(static_cast<uint8_t>(nSum), p.back());
}

CBytes Named(int nSub, const std::string& strName)
{
    return WithName(Bytes({nSub, static_cast<int>(strName.size() + 1)}), strName);
}

CBytes RenameRequest(const std::string& strOld, const std::string& strNew)
{
    CBytes arr = Named(15, strOld);
    arr.push_back(static_cast<uint8_t>(strNew.size() + 1));
    return WithName(arr, strNew);
}

uint8_t CardResult(CSimRawLink& link, const CBytes& arrRequest)
{
    const CSimReply reply = link.Card(arrRequest);
    ExpectCardFrame(reply, 6);
    return reply.m_arrPayload.size() == 6 ? reply.m_arrPayload[4] : 0xFF;
}
} // namespace

TEST(SimCardCmd, ListingCountsEntriesAndMarksTheLast)
{
    CTempDir card;
    card.WriteFile("B.CSV", "bb");
    card.WriteFile("A.CSV", std::string(300, 'a'));
    card.WriteFile("README.TXT", "r");
    const std::string strLong(40, 'L');
    card.WriteFile(strLong + ".CSV", "");
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink link(sim.Port());

    const CSimReply open = link.Card(WithName(Bytes({11, 0, 6}), "*.CSV"));
    ExpectCardFrame(open, 7);
    EXPECT_EQ(0, open.m_arrPayload[3]) << "card status";
    EXPECT_EQ(3, open.m_arrPayload[4] << 8 | open.m_arrPayload[5]);

    std::vector<std::string> arrNames;
    for (int i = 0; i < 3; ++i)
    {
        const CSimReply entry = link.Card(Bytes({11, 1}));
        ExpectCardFrame(entry, 54);
        const CBytes& p = entry.m_arrPayload;
        EXPECT_EQ(i == 2 ? 1 : 0, p[4]) << "last-entry flag";
        arrNames.emplace_back(reinterpret_cast<const char*>(p.data() + 6),
                              strnlen(reinterpret_cast<const char*>(p.data() + 6), 32));
        if (i == 0)
        {
            EXPECT_EQ(300u, static_cast<uint32_t>(p[38]) << 24 | p[39] << 16 | p[40] << 8 | p[41]);
            EXPECT_GE(p[51] << 8 | p[52], 2000);
            EXPECT_GE(p[50], 1);
        }
    }
    EXPECT_EQ((std::vector<std::string>{"A.CSV", "B.CSV", strLong.substr(0, 32)}), arrNames);
    ExpectCardFrame(link.Card(Bytes({11, 2})), 5);

    // The empty pattern (a single 0 byte) lists everything.
    const CSimReply all = link.Card(Bytes({11, 0, 0}));
    EXPECT_EQ(4, all.m_arrPayload[5]);
}

TEST(SimCardCmd, BadFramesGetResultOneAndChangeNothing)
{
    CTempDir card;
    card.WriteFile("KEEP.CSV", "k");
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink link(sim.Port());
    CBytes arrGood = CardFrame(Named(14, "KEEP.CSV"));

    CBytes arrChecksum = arrGood;
    arrChecksum.back() ^= 0x01;
    CBytes arrHeader = arrGood;
    arrHeader[0] = 0x70;
    CBytes arrLonger = arrGood;
    arrLonger[2] += 1;
    CBytes arrShorter = arrGood;
    arrShorter[2] -= 1;
    for (const CBytes& arrBad :
         {arrChecksum, arrHeader, arrLonger, arrShorter, Bytes({0x71, 0x14}), CBytes()})
    {
        const CSimReply reply = link.Exchange(128, arrBad);
        ASSERT_TRUE(reply.m_bReceived);
        EXPECT_EQ(1, reply.m_nResult);
        EXPECT_TRUE(reply.m_arrPayload.empty());
    }
    // A listing pattern whose length runs past the frame is a bad frame too.
    EXPECT_EQ(1, link.Card(Bytes({11, 0, 40, 'A', 0})).m_nResult);
    EXPECT_TRUE(std::filesystem::exists(card.Path() / "KEEP.CSV"));
    // The connection is still good.
    EXPECT_EQ(0, CardResult(link, Named(14, "KEEP.CSV")));
}

TEST(SimCardCmd, DeleteAndRenameAnswerTheirResultCodes)
{
    CTempDir outside;
    outside.WriteFile("card/OLD.CSV", "o");
    outside.WriteFile("card/OTHER.CSV", "t");
    outside.WriteFile("card/DEL.CSV", "d");
    outside.WriteFile("OUT.CSV", "outside");
    CSimulatorProcess sim({"--card", outside.Str() + "/card"});
    CSimRawLink link(sim.Port());

    EXPECT_EQ(0, CardResult(link, Named(14, "DEL.CSV")));
    EXPECT_EQ(2, CardResult(link, Named(14, "DEL.CSV")));
    EXPECT_EQ(1, CardResult(link, Named(14, "../OUT.CSV")));
    EXPECT_EQ(1, CardResult(link, Bytes({14, 1, 0})));

    EXPECT_EQ(0, CardResult(link, RenameRequest("OLD.CSV", "NEW.CSV")));
    EXPECT_EQ("o", outside.ReadFile("card/NEW.CSV"));
    EXPECT_EQ(4, CardResult(link, RenameRequest("OLD.CSV", "X.CSV"))) << "source missing";
    EXPECT_EQ(3, CardResult(link, RenameRequest("NEW.CSV", "other.csv")));
    EXPECT_EQ(2, CardResult(link, RenameRequest("NEW.CSV", "..")));
    EXPECT_EQ(1, CardResult(link, RenameRequest("../OUT.CSV", "IN.CSV")));
    EXPECT_EQ("outside", outside.ReadFile("OUT.CSV"));
    EXPECT_FALSE(std::filesystem::exists(outside.Path() / "card/IN.CSV"));
}

TEST(SimCardCmd, CardStatusAndForcedResultsLeaveTheCardAlone)
{
    CTempDir card;
    card.WriteFile("A.CSV", "a");
    {
        CSimulatorProcess sim({"--card", card.Str(), "--card-status", "131"});
        CSimRawLink link(sim.Port());
        const CSimReply open = link.Card(Bytes({11, 0, 0}));
        ExpectCardFrame(open, 7);
        EXPECT_EQ(131, open.m_arrPayload[3]);
        const CSimReply del = link.Card(Named(14, "A.CSV"));
        EXPECT_EQ(131, del.m_arrPayload[3]);
        EXPECT_TRUE(std::filesystem::exists(card.Path() / "A.CSV"));
    }
    {
        CSimulatorProcess sim({"--card", card.Str(), "--card-result", "14=241", "--card-result",
                               "15=3", "--card-no-last-flag"});
        CSimRawLink link(sim.Port());
        EXPECT_EQ(241, CardResult(link, Named(14, "A.CSV")));
        EXPECT_EQ(3, CardResult(link, RenameRequest("A.CSV", "B.CSV")));
        EXPECT_TRUE(std::filesystem::exists(card.Path() / "A.CSV"));
        EXPECT_EQ(1, link.Card(Bytes({11, 0, 0})).m_arrPayload[5]);
        EXPECT_EQ(0, link.Card(Bytes({11, 1})).m_arrPayload[4]) << "last entry not flagged";
    }
}
