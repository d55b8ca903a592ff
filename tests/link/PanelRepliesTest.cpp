// What a failed reply leaves for the user, in both command families: the
// panel's result codes and card statuses, malformed and short replies (never
// read past), and names too long for one request (never sent cut).
#include "LinkTestSupport.h"
#include "support/CFramePeer.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
const std::string SHORT = "Error: Incomplete reply from the panel.\n";
const std::string TOO_LONG = "Error: The name is too long for a request to the panel.\n";
const std::string LIST_FAILED = "Error in Getting Remote file list.";
const std::string DELETE_FAILED = "Error in deleting file.\nCould not delete ";
const char* const TIMEOUT_TEXT =
    "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication port.";

using FAction = std::function<bool(CPanelFileCommands&)>;
const FAction LIST = [](CPanelFileCommands& f)
{
    CDirData list;
    return f.GetFileList(list, "*.*") || !list.IsEmpty();
};
const FAction CARD_LIST = [](CPanelFileCommands& f)
{
    CDirData list;
    return f.CardGetFileList(list, "") || !list.IsEmpty();
};
const FAction CARD_DELETE = [](CPanelFileCommands& f) { return f.CardDeleteFile("A.CSV"); };

// A card reply frame: 0x71 0x14 length, status 0, data, checksum.
std::vector<unsigned char> CardFrame(std::vector<unsigned char> arrData)
{
    arrData.insert(arrData.begin(),
                   {0x71, 0x14, static_cast<unsigned char>(arrData.size() + 5), 0});
    unsigned nSum = 0;
    for (const unsigned char c : arrData)
        nSum += c;
    arrData.push_back(static_cast<unsigned char>(nSum));
    return arrData;
}
} // namespace

TEST(PanelRepliesTest, FailedRepliesFromTheSimulatorGetTheirTexts)
{
    const struct
    {
        std::vector<std::string> arrArgs;
        FAction action;
        std::string strErrors;
        const char* pszCommError; // nullptr: not checked
    } arrCases[] = {
        {{"--fail", "143:7=6"}, LIST, LIST_FAILED, "Panel is out of memory;  \nPlease delete"},
        {{"--fail", "143:14=212"},
         [](CPanelFileCommands& f) { return f.RenameFile("A.CSV", "X.CSV"); },
         "Error in renaming file.\nCould not rename A.CSV.",
         "User aborted communication."},
        {{"--fail-after", "143:0=1"},
         [](CPanelFileCommands& f)
         {
             unsigned char arrBlock[255];
             unsigned long nLen = sizeof(arrBlock);
             return f.OpenRemoteFile("A.CSV") != 1 || !f.ReadFileBlock(arrBlock, &nLen) ||
                    f.ReadFileBlock(arrBlock, &nLen);
         },
         "",
         "File System Error."},
        {{"--malform", "magic"},
         LIST,
         LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect Format)."},
        {{"--malform", "code"},
         LIST,
         LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect message code)."},
        {{"--malform", "oversize"},
         LIST,
         LIST_FAILED,
         "Incorrect Communication Packet  (Incorrect message length)."},
        {{"--malform", "short-entry"}, LIST, SHORT + LIST_FAILED, nullptr},
        {{"--type", "80", "--malform", "short-card"}, CARD_LIST, SHORT + LIST_FAILED, nullptr},
        {{"--type", "80", "--malform", "short-card"},
         CARD_DELETE,
         SHORT + DELETE_FAILED + "A.CSV.",
         nullptr},
        {{"--type", "80", "--fail", "128:11=1"},
         CARD_LIST,
         LIST_FAILED,
         "Incorrect Communication Packet  (Checksum Error)."},
        {{"--type", "80", "--card-result", "15=241"},
         [](CPanelFileCommands& f) { return f.CardRenameFile("A.CSV", "B.CSV"); },
         "Error: File may be in use.\nError in renaming file.\nCould not rename A.CSV.",
         nullptr},
        {{"--type", "80", "--card-result", "14=3"},
         CARD_DELETE,
         "Error: Unknown\n" + DELETE_FAILED + "A.CSV.",
         nullptr},
        // Card statuses: only 128 to 136 are errors.
        {{"--type", "80", "--card-status", "7"},
         [](CPanelFileCommands& f) { return !CARD_LIST(f); },
         "",
         nullptr},
        {{"--type", "80", "--card-status", "200"},
         [](CPanelFileCommands& f) { return !CARD_LIST(f); },
         "",
         nullptr},
        {{"--type", "80", "--card-status", "129"},
         CARD_LIST,
         "Error: No Card\n" + LIST_FAILED,
         nullptr},
        {{"--type", "80", "--card-status", "131"},
         CARD_LIST,
         "Error: Card is Full\n" + LIST_FAILED,
         nullptr},
        {{"--type", "80", "--card-status", "136"},
         CARD_LIST,
         "Error: Format Error\n" + LIST_FAILED,
         nullptr},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.arrArgs.back());
        CSimPanel panel;
        panel.Card().WriteFile("A.CSV", "a");
        panel.Start(c.arrArgs);
        SLinkOperation op(panel);
        EXPECT_FALSE(c.action(op.files));
        EXPECT_EQ(op.files.GetErrors(), c.strErrors);
        if (c.pszCommError)
        {
            EXPECT_EQ(op.pComm->GetError().rfind(c.pszCommError, 0), 0u) << op.pComm->GetError();
        }
    }
}

// Replies the simulator cannot be told to send, from a scripted peer.
TEST(PanelRepliesTest, RepliesCutShortAreNeverReadPast)
{
    std::vector<unsigned char> arrShortEntry = {0, 0}; // the card entry stops after 10 name bytes
    arrShortEntry.resize(12, 'N');
    const struct
    {
        const char* pszWhat;
        std::vector<std::vector<unsigned char>> arrReplies;
        FAction action;
        std::string strErrors;
        int nRequests;
    } arrCases[] = {
        {"record cut inside its name",
         {{21}, {6}, {7, 'A', 'B', 'C'}},
         LIST,
         SHORT + LIST_FAILED,
         3}, // the listing is not closed after a failure
        {"short seek reply",
         {{21}, {3}, {2, 0x10, 0}},
         [](CPanelFileCommands& f) { return f.OpenRemoteFile("A.CSV") != 0; },
         "Error: Incomplete reply from the panel.",
         3},
        {"card entry cut short",
         {CardFrame({0, 1}), CardFrame(arrShortEntry)},
         CARD_LIST,
         SHORT + LIST_FAILED,
         2},
        {"card count cut short", {CardFrame({})}, CARD_LIST, SHORT + LIST_FAILED, 1},
        {"file-in-use header",
         {{0xF1, 0x14, 6, 0, 0, 0}},
         CARD_DELETE,
         "Error: File may be in use.\n" + DELETE_FAILED + "A.CSV.",
         1},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.pszWhat);
        CFramePeer panel(c.arrReplies);
        SLinkOperation op(panel.Port());
        EXPECT_FALSE(c.action(op.files));
        EXPECT_EQ(op.files.GetErrors(), c.strErrors);
        EXPECT_EQ(panel.RequestCount(), c.nRequests);
    }
}

// The panel never answers, so anything sent would end in a time-out: the
// refused requests leave the channel's text empty.
TEST(PanelRepliesTest, NamesTooLongForARequestAreNotSent)
{
    const std::string strA(200, 'A'), strC(255, 'C'), strE(249, 'E'), strF(100, 'F');
    const struct
    {
        FAction action;
        std::string strErrors;
    } arrCases[] = {
        {[&](CPanelFileCommands& f) { return f.RenameFile(strA, std::string(54, 'B')); },
         TOO_LONG + "Error in renaming file.\nCould not rename " + strA + "."}, // 256 bytes
        {[&](CPanelFileCommands& f) { return f.DeleteFile(strC); },
         TOO_LONG + DELETE_FAILED + strC + "."},
        {[](CPanelFileCommands& f)
         {
             CDirData list;
             return f.GetFileList(list, std::string(255, '*'));
         },
         TOO_LONG + LIST_FAILED},
        {[](CPanelFileCommands& f)
         {
             unsigned long nSize = 0;
             return f.OpenRemoteFileSize(std::string(254, 'D'), &nSize);
         },
         TOO_LONG.substr(0, TOO_LONG.size() - 1)},
        {[&](CPanelFileCommands& f) { return f.CardDeleteFile(strE); }, // a frame of 256 bytes
         TOO_LONG + DELETE_FAILED + strE + "."},
        {[&](CPanelFileCommands& f) { return f.CardRenameFile(strF, std::string(147, 'G')); },
         TOO_LONG + "Error in renaming file.\nCould not rename " + strF + "."},
        {[](CPanelFileCommands& f)
         {
             CDirData list;
             return f.CardGetFileList(list, std::string(248, '*'));
         },
         TOO_LONG + LIST_FAILED},
    };
    CSimPanel panel;
    panel.Start({"--type", "80", "--no-reply-every", "1"});
    for (const auto& c : arrCases)
    {
        SLinkOperation op(panel, 100);
        EXPECT_FALSE(c.action(op.files));
        EXPECT_EQ(op.files.GetErrors(), c.strErrors);
        EXPECT_EQ(op.pComm->GetError(), "");
    }
    // One byte less fits and goes out (and times out here), in each family.
    SLinkOperation op(panel, 100);
    EXPECT_FALSE(op.files.DeleteFile(std::string(254, 'C')));
    EXPECT_EQ(op.pComm->GetError(), TIMEOUT_TEXT);
    SLinkOperation opCard(panel, 100);
    EXPECT_FALSE(opCard.files.CardDeleteFile(std::string(248, 'E')));
    EXPECT_EQ(opCard.pComm->GetError(), TIMEOUT_TEXT);
}
