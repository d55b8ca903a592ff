// The TFTP client against the panel simulator's TFTP server: downloads and
// uploads of the sizes around the block boundaries, a missing file, the
// server's fault options, and a datagram injected from a foreign port.
#include "link/CTFTPClient.h"
#include "link/CUdpSocket.h"

#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::string Pattern(size_t nSize, unsigned nSeed)
{
    std::string str(nSize, '\0');
    uint32_t nState = nSeed * 2654435761u + 1;
    for (char& c : str)
    {
        nState = nState * 1103515245u + 12345u;
        c = static_cast<char>(nState >> 24);
    }
    return str;
}

class TftpClientSim : public ::testing::Test
{
protected:
    CSimulatorProcess& Simulator(const std::vector<std::string>& arrExtra = {})
    {
        std::vector<std::string> arrArgs = {"--card", m_card.Str()};
        arrArgs.insert(arrArgs.end(), arrExtra.begin(), arrExtra.end());
        m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
        return *m_pSim;
    }
    // Runs a whole transfer; returns the last result.
    int Transfer(CTFTPClient& client, bool bDownload, const std::string& strRemote,
                 const std::string& strLocal)
    {
        client.SetServerPort(static_cast<uint16_t>(m_pSim->TftpPort()));
        int nResult = client.StartTransfer(bDownload, strRemote, strLocal, "127.0.0.1");
        while (nResult == TFTP_RESULT_MORE)
            nResult = client.Step();
        return nResult;
    }
    std::string LocalPath(const std::string& strName) const
    {
        return (m_local.Path() / strName).string();
    }

    CTempDir m_card;
    CTempDir m_local;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};
} // namespace

TEST_F(TftpClientSim, DownloadsEverySizeAroundTheBlockBoundaryByteForByte)
{
    const std::vector<size_t> arrSizes = {0, 511, 512, 513, 1024, 3 * 1024 * 1024 + 77};
    for (size_t nSize : arrSizes)
        m_card.WriteFile("F" + std::to_string(nSize) + ".CSV", Pattern(nSize, unsigned(nSize)));
    Simulator();
    for (size_t nSize : arrSizes)
    {
        const std::string strName = "F" + std::to_string(nSize) + ".CSV";
        CTFTPClient client;
        EXPECT_EQ(TFTP_RESULT_FINISHED, Transfer(client, true, strName, LocalPath(strName)))
            << strName << ": " << client.GetErrorText();
        EXPECT_EQ(nSize, client.GetBytesTransferred());
        EXPECT_EQ(TFTP_STATE_IDLE, client.GetState());
        EXPECT_TRUE(m_local.ReadFile(strName) == Pattern(nSize, unsigned(nSize))) << strName;
    }
}

TEST_F(TftpClientSim, UploadsEverySizeAroundTheBlockBoundaryByteForByte)
{
    Simulator();
    for (size_t nSize : {0, 511, 512, 513, 1024, 600 * 1024 + 5})
    {
        const std::string strName = "U" + std::to_string(nSize) + ".BIN";
        m_local.WriteFile(strName, Pattern(nSize, unsigned(nSize) + 9));
        CTFTPClient client;
        EXPECT_EQ(TFTP_RESULT_FINISHED, Transfer(client, false, strName, LocalPath(strName)))
            << strName << ": " << client.GetErrorText();
        EXPECT_EQ(nSize, client.GetBytesTransferred());
        EXPECT_TRUE(m_card.ReadFile(strName) == Pattern(nSize, unsigned(nSize) + 9)) << strName;
    }
}

TEST_F(TftpClientSim, MissingFileGivesTheServersErrorLine)
{
    Simulator();
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, Transfer(client, true, "NOPE.CSV", LocalPath("nope")));
    EXPECT_EQ("#1:File not found\nCan't get data.", client.GetErrorText());
}

TEST_F(TftpClientSim, ServerErrorOptionFailsDownloadAndUpload)
{
    m_card.WriteFile("A.CSV", "abc");
    m_local.WriteFile("b.bin", "def");
    Simulator({"--tftp-error", "2:Access violation"});
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, Transfer(client, true, "A.CSV", LocalPath("a")));
    EXPECT_EQ("#2:Access violation\nCan't get data.", client.GetErrorText());
    EXPECT_EQ(TFTP_RESULT_FAILED, Transfer(client, false, "B.BIN", LocalPath("b.bin")));
    EXPECT_EQ("#2:Access violation", client.GetErrorText());
}

// The server resends after one second and lingers one second after its last
// ACK; the client's 700 ms wait lets both the server's resends (while the
// client downloads) and the client's own (while it uploads) do the recovery.
// Each direction gets its own simulator so that the dropped packets are the
// same on every run: the answer to the write request, which the client waits
// for only once, is the server's first packet and never dropped.
TEST_F(TftpClientSim, DroppedPacketsAreRecoveredByResending)
{
    const std::string strContent = Pattern(8 * 512 + 100, 3);
    m_card.WriteFile("DROP.CSV", strContent);
    m_local.WriteFile("up.bin", strContent);
    CTFTPClient client;
    client.SetTimeout(700);

    Simulator({"--tftp-drop-every", "4"});
    EXPECT_EQ(TFTP_RESULT_FINISHED, Transfer(client, true, "DROP.CSV", LocalPath("drop")))
        << client.GetErrorText();
    EXPECT_TRUE(m_local.ReadFile("drop") == strContent);

    Simulator({"--tftp-drop-every", "4"});
    EXPECT_EQ(TFTP_RESULT_FINISHED, Transfer(client, false, "UP.BIN", LocalPath("up.bin")))
        << client.GetErrorText();
    EXPECT_TRUE(m_card.ReadFile("UP.BIN") == strContent);
}

TEST_F(TftpClientSim, DatagramFromAForeignPortIsRefusedAndTheDownloadStaysIntact)
{
    const std::string strContent = Pattern(20 * 512 + 10, 4);
    m_card.WriteFile("LOG.CSV", strContent);
    Simulator();
    CTFTPClient client;
    client.SetServerPort(static_cast<uint16_t>(m_pSim->TftpPort()));
    ASSERT_EQ(TFTP_RESULT_MORE,
              client.StartTransfer(true, "LOG.CSV", LocalPath("log"), "127.0.0.1"));
    ASSERT_EQ(TFTP_RESULT_MORE, client.Step());

    // Another program on the same host forges the next block.
    CUdpSocket injector;
    ASSERT_TRUE(injector.Open());
    UDP_ENDPOINT any;
    UDP_ENDPOINT::Parse("127.0.0.1", 0, any);
    ASSERT_TRUE(injector.Bind(any));
    UDP_ENDPOINT clientEnd;
    UDP_ENDPOINT::Parse("127.0.0.1", client.GetLocalPort(), clientEnd);
    const std::string strForged = std::string("\0\3\0\2", 4) + std::string(512, 'X');
    ASSERT_EQ(ssize_t(strForged.size()),
              injector.SendTo(strForged.data(), strForged.size(), clientEnd));

    int nResult = TFTP_RESULT_MORE;
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    EXPECT_EQ(TFTP_RESULT_FINISHED, nResult) << client.GetErrorText();
    EXPECT_TRUE(m_local.ReadFile("log") == strContent);

    ASSERT_EQ(1, injector.WaitReadable(5000));
    char arrReply[64] = {};
    UDP_ENDPOINT from;
    const ssize_t n = injector.RecvFrom(arrReply, sizeof(arrReply), from, true);
    EXPECT_EQ(std::string("\0\5\0\5Unknown transfer ID\0", 24),
              std::string(arrReply, static_cast<size_t>(n > 0 ? n : 0)));
}
