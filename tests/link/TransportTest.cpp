// The channel over TCP: panel identification, result codes of the transport,
// time-outs and broken replies, against the simulator.
#include "LinkTestSupport.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
const char* const TIMEOUT_TEXT =
    "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication port.";

// Starts a simulator with the given options and runs CheckPanelType on it.
struct SCheckResult
{
    bool bAccepted;
    std::string strError;
};

SCheckResult CheckPanel(std::vector<std::string> arrArgs)
{
    CSimPanel panel;
    panel.Start(std::move(arrArgs));
    auto pComm = panel.MakeComm();
    const bool bAccepted = pComm->CheckPanelType();
    return {bAccepted, pComm->GetError()};
}
} // namespace

TEST(TransportTest, PanelInformationFillsTheBlock)
{
    CSimPanel panel;
    panel.Start({"--type", "181", "--revision", "K12", "--build", "70000"});
    auto pComm = panel.MakeComm();
    ASSERT_TRUE(pComm->ReadPanelInfo());
    EXPECT_EQ(GetPanelType(), 181);
    EXPECT_EQ(GetPanelRevisionLetter(), 'K');
    EXPECT_EQ(GetPanelRevisionNumber(), 12);
    EXPECT_EQ(GetPanelBuildNumber(), 70000u);
}

TEST(TransportTest, ShortPanelInformationLeavesTheRestZero)
{
    g_PanelInfo[48] = 0xFF;
    CSimPanel panel;
    panel.Start({"--info-length", "6", "--build", "999"});
    auto pComm = panel.MakeComm();
    ASSERT_TRUE(pComm->ReadPanelInfo());
    EXPECT_EQ(GetPanelType(), 186);
    EXPECT_EQ(GetPanelBuildNumber(), 0u);
}

TEST(TransportTest, PanelInformationLongerThanTheBufferIsRefused)
{
    CSimPanel panel;
    panel.Start({"--info-length", "101"});
    auto pComm = panel.MakeComm();
    EXPECT_FALSE(pComm->ReadPanelInfo());
    EXPECT_EQ(GetPanelType(), 0);
    EXPECT_EQ(pComm->GetError(), "Incorrect Communication Packet  (Incorrect message length).");
}

TEST(TransportTest, CheckPanelTypeOverTheWire)
{
    EXPECT_TRUE(CheckPanel({"--type", "177", "--revision", "i11", "--build", "40"}).bAccepted);
    const SCheckResult old = CheckPanel({"--type", "177", "--revision", "i11", "--build", "39"});
    EXPECT_FALSE(old.bAccepted);
    EXPECT_EQ(old.strError, "Error: Device Type Mismatch");
    const SCheckResult failed = CheckPanel({"--fail", "18=17"});
    EXPECT_FALSE(failed.bAccepted);
    EXPECT_EQ(failed.strError, "There is a Port conflict. Check the ports.");
}

TEST(TransportTest, PanelWithoutTypeIsRefusedWithAMessage)
{
    const SCheckResult result = CheckPanel({"--type", "0"});
    EXPECT_FALSE(result.bAccepted);
    EXPECT_EQ(result.strError, "Error: The panel did not identify itself (panel type 0).");
}

TEST(TransportTest, RefusedConnectionKeepsTheSystemError)
{
    CCommInterface comm("127.0.0.1", UnusedLoopbackPort());
    EXPECT_FALSE(comm.ReadPanelInfo());
    EXPECT_EQ(comm.GetError(),
              "Error C01_5:  Unable to Connect to host device.\nPlease check the cable and "
              "connection.");
    // A code outside the table reports the error number saved at the failure.
    comm.SetCommError(50);
    EXPECT_EQ(comm.GetError(), std::strerror(ECONNREFUSED));
}

TEST(TransportTest, ConnectionIsKeptAndDroppedAfterATimeout)
{
    CSimPanel panel;
    panel.Start({"--no-reply-every", "3"});
    auto pComm = panel.MakeComm(300);
    // The third exchange of one connection goes unanswered: the first two share it.
    EXPECT_TRUE(pComm->ReadPanelInfo());
    EXPECT_TRUE(pComm->ReadPanelInfo());
    EXPECT_FALSE(pComm->ReadPanelInfo());
    EXPECT_EQ(pComm->GetError(), TIMEOUT_TEXT);
    // The failed connection was closed: a new one counts from 1 again.
    EXPECT_TRUE(pComm->ReadPanelInfo());
    EXPECT_TRUE(pComm->ReadPanelInfo());
}

TEST(TransportTest, FileReadTimesOutWithoutRetry)
{
    CSimPanel panel;
    panel.Card().WriteFile("A.BIN", PatternBytes(2000));
    // Per connection: 21, 3, seek, seek, then the 5th request (a block) is never answered.
    panel.Start({"--no-reply-every", "5"});
    SLinkOperation op(panel, 300);
    ASSERT_EQ(op.files.OpenRemoteFile("A.BIN"), 2000u);
    unsigned char arrBlock[255];
    unsigned long nLen = sizeof(arrBlock);
    EXPECT_FALSE(op.files.ReadFileBlock(arrBlock, &nLen));
    EXPECT_EQ(op.pComm->GetError(), TIMEOUT_TEXT);
}

TEST(TransportTest, PanelClosingMidReply)
{
    CSimPanel panel;
    panel.Start({"--close-mid-reply-every", "2"});
    auto pComm = panel.MakeComm();
    EXPECT_TRUE(pComm->ReadPanelInfo());
    EXPECT_FALSE(pComm->ReadPanelInfo());
    EXPECT_EQ(pComm->GetError(), TIMEOUT_TEXT);
    EXPECT_TRUE(pComm->ReadPanelInfo());
}

TEST(TransportTest, MalformedRepliesGetTheirTexts)
{
    const std::pair<const char*, const char*> arrCases[] = {
        {"magic", "Incorrect Communication Packet  (Incorrect Format)."},
        {"code", "Incorrect Communication Packet  (Incorrect message code)."},
        {"oversize", "Incorrect Communication Packet  (Incorrect message length)."},
    };
    for (const auto& [pszKind, pszText] : arrCases)
    {
        CSimPanel panel;
        panel.Card().WriteFile("A.CSV", "a");
        panel.Start({"--malform", pszKind});
        SLinkOperation op(panel);
        CDirData list;
        EXPECT_FALSE(op.files.GetFileList(list, "*.*")) << pszKind;
        EXPECT_EQ(op.pComm->GetError(), pszText) << pszKind;
        EXPECT_EQ(op.files.GetErrors(), "Error in Getting Remote file list.") << pszKind;
    }
}

TEST(TransportTest, OversizedRequestIsRefused)
{
    CSimPanel panel;
    panel.Start();
    auto pComm = panel.MakeComm();
    std::vector<unsigned char> arrRequest(65536);
    unsigned char arrReply[16];
    unsigned long nLen = 0;
    EXPECT_FALSE(pComm->SendMsgCode(143, false, arrRequest.data(), arrRequest.size(), arrReply,
                                    sizeof(arrReply), &nLen));
    EXPECT_EQ(pComm->GetError(), "Invalid argument type.");
}
