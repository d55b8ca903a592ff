// Requests the program never sends: only their connection ends, no name leaves the card.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
struct SimRobustness : ::testing::Test
{
    SimRobustness()
    {
        m_outside.WriteFile("SECRET.TXT", "must stay");
        m_outside.WriteFile("card/A.TXT", "0123456789");
        m_outside.WriteFile("card/SUB/X.TXT", "x");
        m_pSim = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--card", m_outside.Str() + "/card"});
    }

    CTempDir m_outside;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};

CBytes Renamed(const std::string& strOld, const std::string& strNew)
{
    return WithName(WithName(CBytes{14}, strOld), strNew);
}

CBytes CardRenamed(const std::string& strOld, const std::string& strNew)
{
    CBytes arr = WithName({15, uint8_t(strOld.size() + 1)}, strOld);
    arr.push_back(uint8_t(strNew.size() + 1));
    return WithName(arr, strNew);
}

// The result byte of a card reply frame (0xFF when there is none).
int CardResult(CSimRawLink& link, const CBytes& arrRequest)
{
    const CSimReply reply = link.Card(arrRequest);
    return reply.m_nResult == 0 && reply.m_arrPayload.size() == 6 ? reply.m_arrPayload[4] : 0xFF;
}

// The error code the TFTP server answers a request with (-1: no error).
int TftpRefusal(int nPort, uint16_t nOp, const std::string& strName, const char* pszMode = "octet")
{
    CSimRawTftp tftp(nPort);
    tftp.SendToServer(CSimRawTftp::Request(nOp, strName, pszMode));
    const auto [nAnswer, nCode] = CSimRawTftp::OpBlock(tftp.Receive());
    return nAnswer == 5 ? nCode : -1;
}
} // namespace

TEST_F(SimRobustness, BrokenFramesEndOnlyTheirOwnConnection)
{
    CSimRawLink bystander(m_pSim->Port());
    ASSERT_EQ(0, bystander.File(WithName(CBytes{3, 0}, "A.TXT")).m_nResult);
    ASSERT_EQ(0, bystander.File(CBytes{2, 4, 0, 0, 0, 0}).m_nResult);

    for (const CBytes& arrJunk : {CBytes{0x00, 0x00, 18, 0, 0, 0}, CBytes{0x50, 0x00, 18, 0, 0, 0},
                                  CBytes{'G', 'E', 'T', ' ', '/', '\n'}})
    {
        CSimRawLink bad(m_pSim->Port());
        bad.SendRaw(arrJunk);
        EXPECT_TRUE(bad.ClosesSilently()) << "closed without a reply";
    }
    // A length beyond the bytes that follow, half a header, and a connection
    // that vanishes with a file and a listing open: each one then gone.
    for (const CBytes& arrCut :
         {CBytes{0x50, 0x4C, 143, 0, 0xFF, 0xFF, 3, 0, 'A'}, CBytes{0x50, 0x4C, 143}})
        CSimRawLink(m_pSim->Port()).SendRaw(arrCut);
    {
        CSimRawLink gone(m_pSim->Port());
        gone.File(WithName(CBytes{3, 0}, "A.TXT"));
        gone.File(WithName(CBytes{6}, "*.*"));
        gone.SendRaw(MessageFrame(143, CBytes{0}));
    }
    const CSimReply reply = bystander.File(CBytes{0});
    EXPECT_EQ("456789", std::string(reply.m_arrPayload.begin() + 1, reply.m_arrPayload.end()));
    EXPECT_EQ(0, CSimRawLink(m_pSim->Port()).Exchange(18).m_nResult);
}

TEST_F(SimRobustness, OddButWellFramedRequestsGetErrorResults)
{
    const auto Seek = [](int n, uint8_t nOrigin)
    { return CBytes{2, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24), nOrigin}; };
    // In order on one connection: nothing open, then A.TXT open.
    const std::tuple<int, CBytes, int> arrCases[] = {
        {77, CBytes(65535, 0xAB), 3}, // the largest frame, an unknown message code
        {143, {}, 8},                 // no sub-command byte
        {143, CBytes{0}, 24},         // read with nothing open
        {143, CBytes{7}, 24},         // next entry without a listing
        {143, CBytes{99}, 24},        // unknown sub-command
        {143, CBytes{3}, 24},         // open without a name
        {143, WithName(CBytes{3, 0}, "SUB"), 24},
        {143, CBytes{14, 'A', '.', 'T', 'X', 'T'}, 24}, // name without its 0 byte
        {143, CBytes{3, 0, 'A', '.', 'T', 'X', 'T'}, 0},
        {143, Seek(-1, 0), 24}, // before the start
        {143, Seek(0, 3), 24},  // unknown origin
        {143, CBytes{2, 0, 0}, 24},
        {128, CBytes{11, 0, 40, 'A', 0}, 1}, // not a card frame
    };
    CSimRawLink link(m_pSim->Port());
    for (const auto& [nCode, arrPayload, nResult] : arrCases)
    {
        const CSimReply reply = link.Exchange(static_cast<uint8_t>(nCode), arrPayload);
        ASSERT_TRUE(reply.m_bReceived);
        EXPECT_EQ(nCode, reply.m_nCode);
        EXPECT_EQ(nResult, reply.m_nResult) << nCode << " of " << arrPayload.size() << " bytes";
        EXPECT_TRUE(nResult == 0 || reply.m_arrPayload.empty());
    }

    // Bad card frames (checksum, header, length either way, cut short) get
    // result 1 and change nothing.
    const CBytes arrGood = CardFrame(WithName(CBytes{14, 6}, "A.TXT"));
    CBytes arrChecksum = arrGood, arrHeader = arrGood, arrLonger = arrGood, arrShorter = arrGood;
    arrChecksum.back() ^= 0x01;
    arrHeader[0] = 0x70;
    arrLonger[2] += 1;
    arrShorter[2] -= 1;
    for (const CBytes& arrBad :
         {arrChecksum, arrHeader, arrLonger, arrShorter, CBytes{0x71, 0x14}, CBytes()})
        EXPECT_EQ(1, link.Exchange(128, arrBad).m_nResult);
    EXPECT_TRUE(std::filesystem::exists(m_outside.Path() / "card/A.TXT"));
}

TEST_F(SimRobustness, NoNameReachesOutsideTheCard)
{
    CSimRawLink link(m_pSim->Port());
    for (const char* pszName :
         {"../SECRET.TXT", "..\\SECRET.TXT", "..", ".", "/etc/passwd", "SUB/X.TXT", ""})
    {
        SCOPED_TRACE(pszName);
        for (const CBytes& arrRequest :
             {WithName(CBytes{3, 0}, pszName), WithName(CBytes{13}, pszName),
              WithName(CBytes{16}, pszName), Renamed("A.TXT", pszName), Renamed(pszName, "X.TXT")})
            EXPECT_EQ(24, link.File(arrRequest).m_nResult);
        if (*pszName != 0 && std::string(pszName) != ".")
        {
            EXPECT_EQ(2, TftpRefusal(m_pSim->TftpPort(), 1, pszName));
            EXPECT_EQ(2, TftpRefusal(m_pSim->TftpPort(), 2, pszName));
        }
    }
    EXPECT_EQ(24, link.File(WithName(CBytes{6}, "../*.*")).m_nResult);
    EXPECT_EQ(1, CardResult(link, WithName(CBytes{14, 14}, "../SECRET.TXT")));
    EXPECT_EQ(1, CardResult(link, CBytes{14, 1, 0}));
    EXPECT_EQ(1, CardResult(link, CardRenamed("../SECRET.TXT", "IN.TXT")));
    EXPECT_EQ(2, CardResult(link, CardRenamed("A.TXT", "..")));
    EXPECT_EQ(2, TftpRefusal(m_pSim->TftpPort(), 2, "SUB")) << "a folder is not replaced";
    EXPECT_EQ(0, TftpRefusal(m_pSim->TftpPort(), 1, "A.TXT", "netascii"));
    EXPECT_EQ("must stay", m_outside.ReadFile("SECRET.TXT"));
    EXPECT_EQ("0123456789", m_outside.ReadFile("card/A.TXT"));
    EXPECT_EQ("x", m_outside.ReadFile("card/SUB/X.TXT"));
    EXPECT_FALSE(std::filesystem::exists(m_outside.Path() / "card/IN.TXT"));

    // A symbolic link is neither listed nor followed.
    std::filesystem::create_symlink(m_outside.Path() / "SECRET.TXT",
                                    m_outside.Path() / "card/LINK.TXT");
    EXPECT_EQ(24, link.File(WithName(CBytes{3, 0}, "LINK.TXT")).m_nResult);
    EXPECT_EQ(0, link.File(WithName(CBytes{6}, "*.TXT")).m_nResult);
    const CSimReply entry = link.File(CBytes{7});
    EXPECT_EQ("A.TXT", std::string(entry.m_arrPayload.begin() + 1, entry.m_arrPayload.begin() + 6));
    EXPECT_EQ(CBytes{7}, link.File(CBytes{7}).m_arrPayload);
}

TEST_F(SimRobustness, TftpDuplicateAcksNeverTriggerResendsAndStrangersAreTurnedAway)
{
    m_outside.WriteFile("card/F.BIN", std::string(2000, 'f'));
    CSimRawTftp tftp(m_pSim->TftpPort()), stranger(m_pSim->TftpPort());
    tftp.SendToServer(CSimRawTftp::Request(1, "F.BIN", "octet"));
    ASSERT_EQ(std::pair(3, 1), CSimRawTftp::OpBlock(tftp.Receive()));
    const sockaddr_in transfer = tftp.From();
    EXPECT_NE(m_pSim->TftpPort(), ntohs(transfer.sin_port)) << "a port of its own";
    // ACK 1 twice: exactly one DATA 2 may follow, then DATA 3 after ACK 2.
    tftp.SendTo(transfer, CSimRawTftp::Ack(1));
    tftp.SendTo(transfer, CSimRawTftp::Ack(1));
    EXPECT_EQ(std::pair(3, 2), CSimRawTftp::OpBlock(tftp.Receive()));
    // A stranger's packet on the transfer port gets ERROR 5 and changes nothing.
    stranger.SendTo(transfer, CSimRawTftp::Ack(2));
    EXPECT_EQ(std::pair(5, 5), CSimRawTftp::OpBlock(stranger.Receive()));
    tftp.SendTo(transfer, CSimRawTftp::Ack(2));
    EXPECT_EQ(std::pair(3, 3), CSimRawTftp::OpBlock(tftp.Receive())) << "no second DATA 2 between";
}
