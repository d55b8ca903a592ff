// The channel over TCP against the simulator: panel identification, the
// transport's failure texts, time-outs and connections closed mid-reply.
#include "LinkTestSupport.h"
#include "support/SocketIo.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
const char* const TIMEOUT_TEXT =
    "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication port.";
const char* const UNKNOWN_TEXT =
    "Error C01_4:  Unknown communication error. Please check the cable and connection.";
} // namespace

TEST(TransportTest, PanelIdentification)
{
    const std::tuple<const char*, bool, int, uint32_t, const char*> arrCases[] = {
        {"--type 181 --revision K12 --build 70000", true, 181, 70000, ""},
        {"--info-length 6 --build 999", true, 186, 0, ""}, // the rest of the block stays zero
        {"--info-length 101", false, 0, 0,
         "Incorrect Communication Packet  (Incorrect message length)."},
        {"--type 177 --revision i11 --build 39", false, 177, 39, "Error: Device Type Mismatch"},
        {"--fail 18=17", false, 0, 0, "There is a Port conflict. Check the ports."},
        {"--type 0", false, 0, 0, "Error: The panel did not identify itself (panel type 0)."},
    };
    for (const auto& [pszArgs, bAccepted, nType, nBuild, pszError] : arrCases)
    {
        SCOPED_TRACE(pszArgs);
        CSimPanel panel;
        panel.Start(Words(pszArgs));
        SLinkOperation op(panel.Port());
        EXPECT_EQ(op.pComm->CheckPanelType(), bAccepted);
        EXPECT_EQ(op.pComm->GetError(), pszError);
        EXPECT_EQ(GetPanelType(), nType);
        if (nType != 0)
        {
            EXPECT_EQ(GetPanelBuildNumber(), nBuild); // little-endian from byte 48
        }
        if (nType == 181)
        {
            EXPECT_EQ(GetPanelRevisionLetter() + std::to_string(GetPanelRevisionNumber()), "K12");
        }
    }
}

TEST(TransportTest, ConnectionsAreKeptAndDroppedAfterAFailure)
{
    CSimPanel panel, closing;
    panel.Card().WriteFile("A.BIN", PatternBytes(2000));
    panel.Start({"--no-reply-every", "5"});
    // The fifth exchange of one connection goes unanswered: the first four share it.
    SLinkOperation info(panel.Port(), 300);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(info.pComm->ReadPanelInfo());
    EXPECT_FALSE(info.pComm->ReadPanelInfo());
    EXPECT_EQ(info.pComm->GetError(), TIMEOUT_TEXT);
    // The failed connection was closed: a new one counts from 1 again. A file
    // read takes 21, 3, seek, seek; its first block then times out, not retried.
    SLinkOperation op(panel.Port(), 300);
    ASSERT_EQ(op.files.OpenRemoteFile("A.BIN"), 2000u);
    unsigned char arrBlock[255];
    unsigned long nLen = sizeof(arrBlock);
    EXPECT_FALSE(op.files.ReadFileBlock(arrBlock, &nLen));
    EXPECT_EQ(op.pComm->GetError(), TIMEOUT_TEXT);

    closing.Start({"--close-mid-reply-every", "2"});
    SLinkOperation closed(closing.Port());
    CCommInterface& comm = *closed.pComm;
    EXPECT_TRUE(comm.ReadPanelInfo());
    EXPECT_FALSE(comm.ReadPanelInfo());
    EXPECT_EQ(comm.GetError(), TIMEOUT_TEXT);
    EXPECT_TRUE(comm.ReadPanelInfo());
    // A request too long for a frame is refused before anything is sent.
    std::vector<unsigned char> arrRequest(65536);
    EXPECT_FALSE(comm.SendMsgCode(143, false, arrRequest.data(), arrRequest.size(), arrBlock,
                                  sizeof(arrBlock), &nLen));
    EXPECT_EQ(comm.GetError(), "Invalid argument type.");
}

TEST(TransportTest, FailureTextsKeepTheSystemsReason)
{
    CCommInterface comm("127.0.0.1", FreeLoopbackPort(SOCK_STREAM));
    comm.SetCommError(4); // nothing failed yet: no error number saved
    EXPECT_EQ(comm.GetError(), UNKNOWN_TEXT);
    EXPECT_FALSE(comm.ReadPanelInfo());
    EXPECT_EQ(comm.GetError(), "Error C01_5:  Unable to Connect to host device.\nPlease check the "
                               "cable and connection.");
    comm.SetCommError(0); // success keeps the last text
    EXPECT_NE(comm.GetError(), "");
    // A code outside the table reports the error number saved at the failure.
    for (const unsigned long nCode : {4ul, 12ul, 50ul, 213ul, 100000ul})
    {
        comm.SetCommError(nCode);
        EXPECT_EQ(comm.GetError(), std::strerror(ECONNREFUSED)) << nCode;
        EXPECT_EQ(CommErrorText(nCode, 0), UNKNOWN_TEXT) << nCode;
    }
}
