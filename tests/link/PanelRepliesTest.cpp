// What a failed reply leaves for the user: short replies never read past, long names never sent.
#include "LinkTestSupport.h"
#include "support/CFramePeer.h"
#include "support/CardFrame.h"
#include "support/SocketIo.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
const std::string SHORT = "Error: Incomplete reply from the panel.\n";
const std::string TOO_LONG = "Error: The name is too long for a request to the panel.\n";
const std::string LIST_FAILED = "Error in Getting Remote file list.";
const std::string DELETE_FAILED = "Error in deleting file.\nCould not delete ";
const std::string CARD_IN_USE = "Error: File may be in use.\n";
const char* const TIMEOUT_TEXT =
    "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication port.";
const char* const UNKNOWN_TEXT =
    "Error C01_4:  Unknown communication error. Please check the cable and connection.";

// One operation on the panel's files (on A.CSV unless named); true when it succeeded.
bool Do(const std::string& strAction, CPanelFileCommands& f, const std::string& strName = "",
        const std::string& strNew = "X.CSV")
{
    const std::string strFile = strName.empty() ? "A.CSV" : strName;
    CDirData list;
    unsigned long nSize = 0;
    if (strAction == "list")
        return f.GetFileList(list, strName.empty() ? "*.*" : strName) || !list.IsEmpty();
    if (strAction == "long-list") // what arrived before the cut may stay
        return f.GetFileList(list, "*.*");
    if (strAction == "card-list")
        return f.CardGetFileList(list, strName) || !list.IsEmpty(); // a failed listing is empty
    if (strAction == "open")
        return f.OpenRemoteFileSize(strFile, &nSize);
    if (strAction == "rename")
        return f.RenameFile(strFile, strNew);
    if (strAction == "delete")
        return f.DeleteFile(strFile);
    if (strAction == "card-rename")
        return f.CardRenameFile(strFile, strNew);
    return f.CardDeleteFile(strFile);
}
} // namespace

TEST(PanelRepliesTest, FailedRepliesFromTheSimulatorGetTheirTexts)
{
    // Arguments, action, errors, the channel's text (nullptr: not checked).
    const std::tuple<const char*, const char*, std::string, const char*> arrCases[] = {
        {"--fail 143:14=212", "rename", "Error in renaming file.\nCould not rename A.CSV.",
         "User aborted communication."},
        {"--malform magic", "list", LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect Format)."},
        {"--malform code", "list", LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect message code)."},
        {"--malform oversize", "list", LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect message length)."},
        {"--malform short-entry", "list", SHORT + LIST_FAILED, nullptr},
        {"--type 80 --malform short-card", "card-delete", SHORT + DELETE_FAILED + "A.CSV.",
         nullptr},
        {"--type 80 --card-result 15=241", "card-rename",
         CARD_IN_USE + "Error in renaming file.\nCould not rename A.CSV.", nullptr},
        {"--type 80 --card-result 14=3", "card-delete",
         "Error: Unknown\n" + DELETE_FAILED + "A.CSV.", nullptr},
        // Card statuses: only 128 to 136 are errors, and stop the listing.
        {"--type 80 --card-status 131", "card-list", "Error: Card is Full\n" + LIST_FAILED,
         nullptr},
    };
    for (const auto& [pszArgs, pszAction, strErrors, pszCommError] : arrCases)
    {
        SCOPED_TRACE(pszArgs);
        CSimPanel panel;
        panel.Card().WriteFile("A.CSV", "a");
        panel.Start(Words(pszArgs));
        SLinkOperation op(panel.Port());
        EXPECT_EQ(Do(pszAction, op.files), strErrors.empty() && !pszCommError);
        EXPECT_EQ(op.files.GetErrors(), strErrors);
        if (pszCommError)
        {
            EXPECT_EQ(op.pComm->GetError().rfind(pszCommError, 0), 0u) << op.pComm->GetError();
        }
    }
}

// Replies the simulator cannot be told to send, from a scripted peer.
TEST(PanelRepliesTest, RepliesCutShortAreNeverReadPast)
{
    std::vector<unsigned char> arrShortEntry = {0, 0, 0}; // status, then 10 name bytes: cut
    arrShortEntry.resize(13, 'N');
    std::vector<CFramePeer::CBytes> arrEndless = {{21}, {6}}; // more entries than a card holds
    arrEndless.resize(2 + 65536, {7, 'L', 0, 0, 0, 0, 9, 14, 30, 0, 4, 12, 7, 234});
    // The replies, the action, errors, requests sent.
    const std::tuple<std::vector<CFramePeer::CBytes>, const char*, std::string, int> arrCases[] = {
        // A record cut inside its name: the listing is not closed after the failure.
        {{{21}, {6}, {7, 'A', 'B', 'C'}}, "list", SHORT + LIST_FAILED, 3},
        {{{21}, {3}, {2, 0x10, 0}}, "open", "Error: Incomplete reply from the panel.", 3}, // seek
        {{CardFrame({0, 0, 1}), CardFrame(arrShortEntry)}, "card-list", SHORT + LIST_FAILED, 2},
        {{CardFrame({0})}, "card-list", SHORT + LIST_FAILED, 1}, // no count
        // A file-in-use header.
        {{{0xF1, 0x14, 6, 0, 0, 0}}, "card-delete", CARD_IN_USE + DELETE_FAILED + "A.CSV.", 1},
        {arrEndless, "long-list", "Error: The panel's file list does not end.\n" + LIST_FAILED,
         65538},
    };
    for (const auto& [arrReplies, pszAction, strErrors, nRequests] : arrCases)
    {
        CFramePeer panel(arrReplies);
        SLinkOperation op(panel.Port());
        EXPECT_FALSE(Do(pszAction, op.files)) << strErrors;
        EXPECT_EQ(op.files.GetErrors(), strErrors);
        EXPECT_EQ(panel.RequestCount(), nRequests) << strErrors;
    }
}

// Anything sent times out; a refused request leaves the channel's text empty. One byte less fits.
TEST(PanelRepliesTest, NamesTooLongForARequestAreNotSent)
{
    const std::string A200(200, 'A'), C255(255, 'C'), E249(249, 'E'), F100(100, 'F');
    const std::string C254(254, 'C'), E248(248, 'E');
    const std::string RENAME_FAILED = "Error in renaming file.\nCould not rename ";
    const std::tuple<const char*, std::string, std::string, std::string, const char*> arrCases[] = {
        {"rename", A200, std::string(54, 'B'), TOO_LONG + RENAME_FAILED + A200 + ".",
         ""}, // 256 bytes
        {"delete", C255, "", TOO_LONG + DELETE_FAILED + C255 + ".", ""},
        {"delete", C254, "", DELETE_FAILED + C254 + ".", TIMEOUT_TEXT},
        {"list", std::string(255, '*'), "", TOO_LONG + LIST_FAILED, ""},
        {"open", std::string(254, 'D'), "", TOO_LONG.substr(0, TOO_LONG.size() - 1), ""},
        {"card-delete", E249, "", TOO_LONG + DELETE_FAILED + E249 + ".",
         ""}, // a frame of 256 bytes
        {"card-delete", E248, "", DELETE_FAILED + E248 + ".", TIMEOUT_TEXT},
        {"card-rename", F100, std::string(147, 'G'), TOO_LONG + RENAME_FAILED + F100 + ".", ""},
        {"card-list", std::string(248, '*'), "", TOO_LONG + LIST_FAILED, ""},
    };
    CSimPanel panel;
    panel.Start(Words("--type 80 --no-reply-every 1"));
    for (const auto& [pszAction, strName, strNew, strErrors, pszCommError] : arrCases)
    {
        SLinkOperation op(panel.Port(), 100);
        EXPECT_FALSE(Do(pszAction, op.files, strName, strNew));
        EXPECT_EQ(op.files.GetErrors(), strErrors);
        EXPECT_EQ(op.pComm->GetError(), pszCommError);
    }
}

TEST(TransportTest, PanelIdentification)
{
    const std::tuple<const char*, bool, int, uint32_t, const char*> arrCases[] = {
        {"--type 181 --revision K12 --build 70000", true, 181, 70000, ""},
        {"--info-length 6 --build 999", true, 186, 0, ""}, // the rest of the block stays zero
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
    // A request too long for a frame is refused before anything is sent.
    std::vector<unsigned char> arrRequest(65536);
    unsigned char arrReply[255];
    unsigned long nLen = sizeof(arrReply);
    EXPECT_FALSE(comm.SendMsgCode(143, false, arrRequest.data(), arrRequest.size(), arrReply,
                                  sizeof(arrReply), &nLen));
    EXPECT_EQ(comm.GetError(), "Invalid argument type.");
}
