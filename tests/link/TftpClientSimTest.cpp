// The TFTP client against the panel simulator's TFTP server: downloads and
// uploads of every size around the block boundary, byte for byte, and lost
// packets recovered by resending.
#include "LinkTestSupport.h"

#include <gtest/gtest.h>

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
