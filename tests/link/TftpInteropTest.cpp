// Interoperability with real TFTP peers from Debian's packages, on loopback
// only: the client downloading from tftpd-hpa's server, and tftp-hpa's client
// and curl downloading from and uploading to the simulator's server.
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
