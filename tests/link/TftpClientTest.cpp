// The TFTP client and the simulator's TFTP server, with each other and with
// real peers from Debian's packages, on loopback only: every size around the
// block boundary both ways and lost packets recovered by resending; the
// client downloading from tftpd-hpa's server, and tftp-hpa's client and curl
// downloading from and uploading to the simulator's server.
#include "LinkTestSupport.h"
#include "support/TftpPeers.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using tftp_peers::CTftpdProcess;
using tftp_peers::RunProgram;

namespace
{
const std::string CONTENT = PatternBytes(700 * 1024 + 3, 7); // many blocks, a short last one
} // namespace

TEST(TftpInterop, ClientDownloadsFromTftpd)
{
    const std::string strWhy = CTftpdProcess::WhyUnavailable();
    if (!strWhy.empty())
        GTEST_SKIP() << "tftpd-hpa interoperability not tested: " << strWhy;
    CTempDir served, local;
    served.WriteFile("D.BIN", CONTENT);
    CTftpdProcess server(served.Path());
    ASSERT_NE(0, server.Port()) << "in.tftpd did not start";
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FINISHED,
              RunTftp(client, server.Port(), true, "D.BIN", (local.Path() / "d").string()))
        << client.GetErrorText();
    EXPECT_TRUE(local.ReadFile("d") == CONTENT);
    EXPECT_EQ(TFTP_RESULT_FAILED,
              RunTftp(client, server.Port(), true, "NOPE.BIN", (local.Path() / "n").string()));
    EXPECT_EQ("#1:File not found\nCan't get data.", client.GetErrorText());
}

TEST(TftpInterop, TftpHpaAndCurlGetFromAndPutToTheSimulator)
{
    for (const char* pszTool : {"/usr/bin/tftp", "/usr/bin/curl"})
    {
        if (::access(pszTool, X_OK) != 0)
            GTEST_SKIP() << pszTool << " is missing (install the tftp-hpa and curl packages)";
    }
    CSimPanel panel;
    CTempDir local;
    panel.Card().WriteFile("G.BIN", CONTENT);
    local.WriteFile("p.bin", CONTENT);
    panel.Start({}, true);
    const std::string strPort = std::to_string(panel.TftpPort());
    const std::string strUrl = "tftp://127.0.0.1:" + strPort + "/";
    const std::string strGot = (local.Path() / "got").string();
    const std::string strPut = (local.Path() / "p.bin").string();
    const struct
    {
        const char* pszPutName;
        std::vector<std::string> arrGet, arrPut;
    } arrCases[] = {
        {"P1.BIN",
         {"/usr/bin/tftp", "-m", "binary", "127.0.0.1", strPort, "-c", "get", "G.BIN", strGot},
         {"/usr/bin/tftp", "-m", "binary", "127.0.0.1", strPort, "-c", "put", strPut, "P1.BIN"}},
        {"P2.BIN",
         {"/usr/bin/curl", "-sS", "--max-time", "60", "--tftp-no-options", "-o", strGot,
          strUrl + "G.BIN"},
         {"/usr/bin/curl", "-sS", "--max-time", "60", "--tftp-no-options", "-T", strPut,
          strUrl + "P2.BIN"}},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.arrGet[0]);
        std::filesystem::remove(strGot);
        EXPECT_EQ(0, RunProgram(c.arrGet));
        EXPECT_TRUE(local.ReadFile("got") == CONTENT);
        EXPECT_EQ(0, RunProgram(c.arrPut));
        EXPECT_TRUE(panel.Card().ReadFile(c.pszPutName) == CONTENT);
    }
    // curl reports the server's "File not found" as a failure (exit code 68).
    EXPECT_EQ(68, RunProgram({"/usr/bin/curl", "-s", "--max-time", "60", "--tftp-no-options", "-o",
                              strGot, strUrl + "MISSING.BIN"}));
}

TEST(TftpClientSim, EverySizeAroundTheBlockBoundaryBothWays)
{
    const size_t arrSizes[] = {0, 511, 512, 513, 1024, 3 * 1024 * 1024 + 77};
    CSimPanel panel;
    CTempDir local;
    for (const size_t nSize : arrSizes)
        panel.Card().WriteFile("D" + std::to_string(nSize), PatternBytes(nSize, nSize));
    panel.Start({}, true);
    for (const size_t nSize : arrSizes)
    {
        for (const bool bDownload : {true, false})
        {
            const std::string strName = (bDownload ? "D" : "U") + std::to_string(nSize);
            if (!bDownload)
                local.WriteFile(strName, PatternBytes(nSize, nSize + 9));
            CTFTPClient client;
            EXPECT_EQ(TFTP_RESULT_FINISHED, RunTftp(client, panel.TftpPort(), bDownload, strName,
                                                    (local.Path() / strName).string()))
                << strName << ": " << client.GetErrorText();
            EXPECT_EQ(nSize, client.GetBytesTransferred());
            EXPECT_EQ(TFTP_STATE_IDLE, client.GetState());
            EXPECT_TRUE(local.ReadFile(strName) == panel.Card().ReadFile(strName)) << strName;
        }
    }
}

// The server resends after one second and lingers one second after its last
// ACK; the client's 700 ms wait lets both the server's resends (while the
// client downloads) and the client's own (while it uploads) do the recovery.
// Each direction gets its own simulator so that the dropped packets are the
// same on every run: the answer to the write request, which the client waits
// for only once, is the server's first packet and never dropped.
TEST(TftpClientSim, DroppedPacketsAreRecoveredByResending)
{
    const std::string strContent = PatternBytes(8 * 512 + 100, 3);
    CTempDir local;
    local.WriteFile("up.bin", strContent);
    for (const bool bDownload : {true, false})
    {
        CSimPanel panel;
        panel.Card().WriteFile("DROP.CSV", strContent);
        panel.Start({"--tftp-drop-every", "4"}, true);
        CTFTPClient client;
        client.SetTimeout(700);
        EXPECT_EQ(TFTP_RESULT_FINISHED,
                  RunTftp(client, panel.TftpPort(), bDownload, bDownload ? "DROP.CSV" : "UP.BIN",
                          (local.Path() / (bDownload ? "drop" : "up.bin")).string()))
            << client.GetErrorText();
        EXPECT_TRUE((bDownload ? local.ReadFile("drop") : panel.Card().ReadFile("UP.BIN")) ==
                    strContent);
    }
}
