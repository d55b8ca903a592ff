// The TFTP server, driven by raw UDP datagrams.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
std::string Pattern(size_t nSize)
{
    std::string str(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i)
        str[i] = static_cast<char>((i * 131 + i / 512) & 0xFF);
    return str;
}

bool OnlyNamesIn(const std::filesystem::path& folder, std::vector<std::string> arrNames)
{
    std::vector<std::string> arrFound;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        arrFound.push_back(entry.path().filename().string());
    std::sort(arrFound.begin(), arrFound.end());
    std::sort(arrNames.begin(), arrNames.end());
    return arrFound == arrNames;
}
} // namespace

TEST(SimTftp, ReadAndWriteWholeFilesOfEveryShape)
{
    CTempDir card;
    const std::vector<size_t> arrSizes = {0, 1, 511, 512, 513, 1024, 5000};
    for (size_t nSize : arrSizes)
        card.WriteFile("R" + std::to_string(nSize) + ".BIN", Pattern(nSize));
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawTftp tftp(sim.TftpPort());
    std::vector<std::string> arrNames;
    for (size_t nSize : arrSizes)
    {
        const std::string strRead = "R" + std::to_string(nSize) + ".BIN";
        std::string strData;
        ASSERT_TRUE(tftp.Get(strRead, strData)) << strRead << " " << tftp.ErrorText();
        EXPECT_EQ(Pattern(nSize), strData) << strRead;

        const std::string strWrite = "W" + std::to_string(nSize) + ".BIN";
        ASSERT_TRUE(tftp.Put(strWrite, Pattern(nSize) + "w"))
            << strWrite << " " << tftp.ErrorText();
        EXPECT_EQ(Pattern(nSize) + "w", card.ReadFile(strWrite));
        arrNames.push_back(strRead);
        arrNames.push_back(strWrite);
    }
    // An upload replaces an existing file (of any case) in one piece.
    ASSERT_TRUE(tftp.Put("r1.bin", "replaced"));
    EXPECT_EQ("replaced", card.ReadFile("R1.BIN"));
    EXPECT_TRUE(OnlyNamesIn(card.Path(), arrNames)) << "no temporary file left";
}

TEST(SimTftp, BlockNumbersRollOverForLargeFiles)
{
    CTempDir card;
    // 65537 full blocks and a short one: block numbers pass 65535 -> 0 -> 1.
    const std::string strBig = Pattern(512 * 65537 + 100);
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawTftp tftp(sim.TftpPort());
    ASSERT_TRUE(tftp.Put("BIG.BIN", strBig)) << tftp.ErrorText();
    ASSERT_EQ(strBig.size(), std::filesystem::file_size(card.Path() / "BIG.BIN"));
    std::string strBack;
    ASSERT_TRUE(tftp.Get("BIG.BIN", strBack)) << tftp.ErrorText();
    EXPECT_TRUE(strBack == strBig);
}

TEST(SimTftp, ErrorsForMissingFilesEscapingNamesAndOtherModes)
{
    CTempDir outside;
    outside.WriteFile("card/IN.TXT", "in");
    outside.WriteFile("SECRET.TXT", "secret");
    outside.WriteFile("card/SUB/X.TXT", "x");
    CSimulatorProcess sim({"--card", outside.Str() + "/card"});
    CSimRawTftp tftp(sim.TftpPort());
    std::string strData;

    EXPECT_FALSE(tftp.Get("MISSING.TXT", strData));
    EXPECT_EQ(1, tftp.ErrorCode());
    EXPECT_EQ("File not found", tftp.ErrorText());
    for (const char* pszName :
         {"../SECRET.TXT", "..\\SECRET.TXT", "SUB/X.TXT", "/etc/passwd", ".."})
    {
        EXPECT_FALSE(tftp.Get(pszName, strData)) << pszName;
        EXPECT_EQ(2, tftp.ErrorCode()) << pszName;
        EXPECT_EQ("Access violation", tftp.ErrorText());
        EXPECT_FALSE(tftp.Put(pszName, "overwritten")) << pszName;
        EXPECT_EQ(2, tftp.ErrorCode()) << pszName;
    }
    EXPECT_FALSE(tftp.Put("SUB", "a folder")) << "a folder is not replaced";
    EXPECT_EQ(2, tftp.ErrorCode());
    EXPECT_EQ("secret", outside.ReadFile("SECRET.TXT"));
    EXPECT_TRUE(std::filesystem::is_directory(outside.Path() / "card/SUB"));

    EXPECT_FALSE(tftp.Get("IN.TXT", strData, "netascii"));
    EXPECT_EQ(0, tftp.ErrorCode());
    EXPECT_TRUE(tftp.Get("IN.TXT", strData, "OCTET"));
    EXPECT_EQ("in", strData);
}

TEST(SimTftp, DuplicateAcksNeverTriggerResendsAndStrangersAreTurnedAway)
{
    CTempDir card;
    card.WriteFile("F.BIN", Pattern(2000));
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawTftp tftp(sim.TftpPort());
    tftp.SendToServer(CSimRawTftp::Request(1, "F.BIN", "octet"));
    CBytes arrPacket;
    sockaddr_in transfer{};
    ASSERT_TRUE(tftp.Receive(arrPacket, transfer));
    ASSERT_EQ(3, CSimRawTftp::Op(arrPacket));
    ASSERT_EQ(1, CSimRawTftp::Block(arrPacket));
    EXPECT_NE(sim.TftpPort(), ntohs(transfer.sin_port)) << "a port of its own";

    // ACK 1 twice: exactly one DATA 2 may follow, then DATA 3 after ACK 2.
    tftp.SendTo(transfer, CSimRawTftp::Ack(1));
    tftp.SendTo(transfer, CSimRawTftp::Ack(1));
    sockaddr_in from{};
    ASSERT_TRUE(tftp.Receive(arrPacket, from));
    EXPECT_EQ(2, CSimRawTftp::Block(arrPacket));

    // A stranger's packet on the transfer port gets ERROR 5 and changes nothing.
    CSimRawTftp stranger(sim.TftpPort());
    stranger.SendTo(transfer, CSimRawTftp::Ack(2));
    CBytes arrError;
    ASSERT_TRUE(stranger.Receive(arrError, from));
    EXPECT_EQ(5, CSimRawTftp::Op(arrError));
    EXPECT_EQ(5, CSimRawTftp::Block(arrError));

    tftp.SendTo(transfer, CSimRawTftp::Ack(2));
    ASSERT_TRUE(tftp.Receive(arrPacket, from));
    EXPECT_EQ(3, CSimRawTftp::Op(arrPacket));
    EXPECT_EQ(3, CSimRawTftp::Block(arrPacket)) << "no second DATA 2 in between";
}

TEST(SimTftp, FaultSettings)
{
    CTempDir card;
    card.WriteFile("F.BIN", Pattern(4000));
    {
        CSimulatorProcess sim({"--card", card.Str(), "--tftp-error", "3:Card is busy"});
        CSimRawTftp tftp(sim.TftpPort());
        std::string strData;
        EXPECT_FALSE(tftp.Get("F.BIN", strData));
        EXPECT_EQ(3, tftp.ErrorCode());
        EXPECT_EQ("Card is busy", tftp.ErrorText());
        EXPECT_FALSE(tftp.Put("NEW.BIN", "x"));
        EXPECT_EQ(3, tftp.ErrorCode());
        EXPECT_FALSE(std::filesystem::exists(card.Path() / "NEW.BIN"));
    }
    {
        // Every 4th packet dropped: the server's time-outs resend them, so
        // both directions still complete (a few seconds of resends).
        CSimulatorProcess sim({"--card", card.Str(), "--tftp-drop-every", "4"});
        CSimRawTftp tftp(sim.TftpPort());
        std::string strData;
        ASSERT_TRUE(tftp.Get("F.BIN", strData)) << tftp.ErrorText();
        EXPECT_EQ(Pattern(4000), strData);
        ASSERT_TRUE(tftp.Put("UP.BIN", Pattern(1500))) << tftp.ErrorText();
        EXPECT_EQ(Pattern(1500), card.ReadFile("UP.BIN"));
    }
}
