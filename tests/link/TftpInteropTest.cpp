// Interoperability with real TFTP peers from Debian's packages, on loopback
// only: the client downloading from tftpd-hpa's server (including a file that
// crosses block 65535), and tftp-hpa's client and curl downloading from and
// uploading to the simulator's server.
#include "link/CTFTPClient.h"

#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/TftpPeers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using tftp_peers::CTftpdProcess;
using tftp_peers::RunProgram;

namespace
{
constexpr const char* TFTP_HPA_PATH = "/usr/bin/tftp";
constexpr const char* CURL_PATH = "/usr/bin/curl";

std::string Pattern(size_t nSize, unsigned nSeed)
{
    std::string str(nSize, '\0');
    uint32_t nState = nSeed * 2654435761u + 7;
    for (char& c : str)
    {
        nState = nState * 1664525u + 1013904223u;
        c = static_cast<char>(nState >> 24);
    }
    return str;
}

int Download(CTFTPClient& client, int nPort, const std::string& strRemote,
             const std::string& strLocal)
{
    client.SetServerPort(static_cast<uint16_t>(nPort));
    int nResult = client.StartTransfer(true, strRemote, strLocal, "127.0.0.1");
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    return nResult;
}

class TftpInteropTftpd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string strWhy = CTftpdProcess::WhyUnavailable();
        if (!strWhy.empty())
            GTEST_SKIP() << "tftpd-hpa interoperability not tested: " << strWhy;
    }
    std::string LocalPath(const std::string& strName) const
    {
        return (m_local.Path() / strName).string();
    }
    CTempDir m_served;
    CTempDir m_local;
};

class TftpInteropSimulator : public ::testing::Test
{
protected:
    void RequireTool(const char* pszPath, const char* pszPackage)
    {
        if (::access(pszPath, X_OK) != 0)
            GTEST_SKIP() << pszPath << " is missing (install the " << pszPackage << " package)";
    }
    CSimulatorProcess& Simulator()
    {
        m_pSim =
            std::make_unique<CSimulatorProcess>(std::vector<std::string>{"--card", m_card.Str()});
        return *m_pSim;
    }
    std::string Url(const std::string& strName) const
    {
        return "tftp://127.0.0.1:" + std::to_string(m_pSim->TftpPort()) + "/" + strName;
    }
    std::string LocalPath(const std::string& strName) const
    {
        return (m_local.Path() / strName).string();
    }

    CTempDir m_card;
    CTempDir m_local;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};

const std::vector<size_t> SIZES = {0, 511, 512, 513, 1024, 700 * 1024 + 3};

std::string SizedName(const char* pszPrefix, size_t nSize)
{
    return pszPrefix + std::to_string(nSize) + ".BIN";
}
} // namespace

TEST_F(TftpInteropTftpd, ClientDownloadsEverySizeAndReportsAMissingFile)
{
    for (size_t nSize : SIZES)
        m_served.WriteFile(SizedName("D", nSize), Pattern(nSize, unsigned(nSize)));
    CTftpdProcess server(m_served.Path());
    ASSERT_NE(0, server.Port()) << "in.tftpd did not start";
    for (size_t nSize : SIZES)
    {
        const std::string strName = SizedName("D", nSize);
        CTFTPClient client;
        EXPECT_EQ(TFTP_RESULT_FINISHED,
                  Download(client, server.Port(), strName, LocalPath(strName)))
            << strName << ": " << client.GetErrorText();
        EXPECT_TRUE(m_local.ReadFile(strName) == Pattern(nSize, unsigned(nSize))) << strName;
    }
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, Download(client, server.Port(), "NOPE.BIN", LocalPath("nope")));
    EXPECT_EQ("#1:File not found\nCan't get data.", client.GetErrorText());
}

// tftpd-hpa numbers the block after 65535 as 0; the client follows, so a file
// above 32 MB arrives whole.
TEST_F(TftpInteropTftpd, ClientDownloadsAFileThatCrossesBlock65535)
{
    const size_t nSize = size_t{65536} * 512 + 1234;
    const std::string strContent = Pattern(nSize, 65535);
    m_served.WriteFile("BIG.BIN", strContent);
    CTftpdProcess server(m_served.Path());
    ASSERT_NE(0, server.Port()) << "in.tftpd did not start";
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FINISHED, Download(client, server.Port(), "BIG.BIN", LocalPath("big")))
        << client.GetErrorText();
    EXPECT_EQ(nSize, client.GetBytesTransferred());
    EXPECT_TRUE(m_local.ReadFile("big") == strContent);
}

TEST_F(TftpInteropSimulator, TftpHpaClientGetsAndPutsEverySize)
{
    RequireTool(TFTP_HPA_PATH, "tftp-hpa");
    for (size_t nSize : SIZES)
        m_card.WriteFile(SizedName("G", nSize), Pattern(nSize, unsigned(nSize) + 1));
    Simulator();
    const std::string strPort = std::to_string(m_pSim->TftpPort());
    for (size_t nSize : SIZES)
    {
        const std::string strGet = SizedName("G", nSize);
        EXPECT_EQ(0, RunProgram({TFTP_HPA_PATH, "-m", "binary", "127.0.0.1", strPort, "-c", "get",
                                 strGet, LocalPath(strGet)}));
        EXPECT_TRUE(m_local.ReadFile(strGet) == Pattern(nSize, unsigned(nSize) + 1)) << strGet;

        const std::string strPut = SizedName("P", nSize);
        m_local.WriteFile(strPut, Pattern(nSize, unsigned(nSize) + 2));
        EXPECT_EQ(0, RunProgram({TFTP_HPA_PATH, "-m", "binary", "127.0.0.1", strPort, "-c", "put",
                                 LocalPath(strPut), strPut}));
        EXPECT_TRUE(m_card.ReadFile(strPut) == Pattern(nSize, unsigned(nSize) + 2)) << strPut;
    }
}

TEST_F(TftpInteropSimulator, CurlGetsAndPutsEverySizeAndFailsOnAMissingFile)
{
    RequireTool(CURL_PATH, "curl");
    for (size_t nSize : SIZES)
        m_card.WriteFile(SizedName("C", nSize), Pattern(nSize, unsigned(nSize) + 3));
    Simulator();
    for (size_t nSize : SIZES)
    {
        const std::string strGet = SizedName("C", nSize);
        EXPECT_EQ(0, RunProgram({CURL_PATH, "-sS", "--max-time", "60", "--tftp-no-options", "-o",
                                 LocalPath(strGet), Url(strGet)}));
        EXPECT_TRUE(m_local.ReadFile(strGet) == Pattern(nSize, unsigned(nSize) + 3)) << strGet;

        const std::string strPut = SizedName("Q", nSize);
        m_local.WriteFile(strPut, Pattern(nSize, unsigned(nSize) + 4));
        EXPECT_EQ(0, RunProgram({CURL_PATH, "-sS", "--max-time", "60", "--tftp-no-options", "-T",
                                 LocalPath(strPut), Url(strPut)}));
        EXPECT_TRUE(m_card.ReadFile(strPut) == Pattern(nSize, unsigned(nSize) + 4)) << strPut;
    }
    // curl reports the server's "File not found" as a failure (exit code 68).
    EXPECT_EQ(68, RunProgram({CURL_PATH, "-s", "--max-time", "60", "--tftp-no-options", "-o",
                              LocalPath("missing"), Url("MISSING.BIN")}));
}
