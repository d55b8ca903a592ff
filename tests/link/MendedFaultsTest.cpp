// Replies that are too short, names that cannot fit a request and sizes of
// 2 GiB or more: each fails (or shows) cleanly instead of reading past a reply,
// sending a cut request or showing a negative size.
#include "CScriptedPanel.h"
#include "LinkTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
const char* const SHORT_LINE = "Error: Incomplete reply from the panel.";
const char* const TOO_LONG_LINE = "Error: The name is too long for a request to the panel.";
const char* const LIST_LINE = "Error in Getting Remote file list.";
const char* const TIMEOUT_TEXT =
    "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication port.";

using CBytes = std::vector<unsigned char>;

// A card reply frame: 0x71 0x14 length, status 0, data, checksum.
CBytes CardFrame(const CBytes& arrData)
{
    CBytes arrFrame = {0x71, 0x14, static_cast<unsigned char>(arrData.size() + 5), 0};
    for (const unsigned char c : arrData)
        arrFrame.push_back(c);
    unsigned nSum = 0;
    for (const unsigned char c : arrFrame)
        nSum += c;
    arrFrame.push_back(static_cast<unsigned char>(nSum));
    return arrFrame;
}

std::string JoinedLines(std::initializer_list<std::string> lines)
{
    std::string str;
    for (const std::string& strLine : lines)
        str += (str.empty() ? "" : "\n") + strLine;
    return str;
}

struct SScriptedOperation
{
    explicit SScriptedOperation(const CScriptedPanel& panel)
        : comm("127.0.0.1", panel.Port()), files(&comm)
    {
        comm.SetTimeouts(2000, 2000);
    }
    CCommInterface comm;
    CPanelFileCommands files;
};
} // namespace

TEST(MendedFaultsTest, ListingRecordCutAfterItsName)
{
    CSimPanel panel;
    panel.Card().WriteFile("A.CSV", "a");
    panel.Start({"--malform", "short-entry"});
    SLinkOperation op(panel);
    CDirData list;
    EXPECT_FALSE(op.files.GetFileList(list, "*.*"));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(op.files.GetErrors(), JoinedLines({SHORT_LINE, LIST_LINE}));
}

TEST(MendedFaultsTest, ListingRecordCutInsideItsName)
{
    // Replies to 21, 6, then a record whose name never ends.
    CScriptedPanel panel({{21}, {6}, {7, 'A', 'B', 'C'}});
    SScriptedOperation op(panel);
    CDirData list;
    EXPECT_FALSE(op.files.GetFileList(list, "*.*"));
    EXPECT_EQ(op.files.GetErrors(), JoinedLines({SHORT_LINE, LIST_LINE}));
    EXPECT_EQ(panel.RequestCount(), 3); // sub-command 8 is not sent after a failure
}

TEST(MendedFaultsTest, ShortSeekReplyFailsTheOpening)
{
    CScriptedPanel panel({{21}, {3}, {2, 0x10, 0}});
    SScriptedOperation op(panel);
    EXPECT_EQ(op.files.OpenRemoteFile("A.CSV"), 0u);
    EXPECT_EQ(op.files.GetErrors(), SHORT_LINE);
}

TEST(MendedFaultsTest, CardReplyWithoutItsStatus)
{
    CSimPanel panel;
    panel.Card().WriteFile("A.CSV", "a");
    panel.Start({"--type", "80", "--malform", "short-card"});
    SLinkOperation op(panel);
    CDirData list;
    EXPECT_FALSE(op.files.CardGetFileList(list, "*.*"));
    EXPECT_EQ(op.files.GetErrors(), JoinedLines({SHORT_LINE, LIST_LINE}));
    EXPECT_FALSE(op.files.CardDeleteFile("A.CSV"));
    EXPECT_EQ(op.files.GetErrors(),
              JoinedLines({SHORT_LINE, LIST_LINE, SHORT_LINE,
                           "Error in deleting file.\nCould not delete A.CSV."}));
}

TEST(MendedFaultsTest, CardListingEntryCutShort)
{
    // Open answers a count of 1; the entry stops after 10 name bytes.
    CBytes arrShortEntry = {0, 0};
    arrShortEntry.resize(12, 'N');
    CScriptedPanel panel({CardFrame({0, 1}), CardFrame(arrShortEntry)});
    SScriptedOperation op(panel);
    CDirData list;
    EXPECT_FALSE(op.files.CardGetFileList(list, "*.*"));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(op.files.GetErrors(), JoinedLines({SHORT_LINE, LIST_LINE}));
}

TEST(MendedFaultsTest, CardCountCutShort)
{
    // The count needs reply bytes 4 and 5; this frame ends with its checksum at byte 4.
    CScriptedPanel panel({CardFrame({})});
    SScriptedOperation op(panel);
    CDirData list;
    EXPECT_FALSE(op.files.CardGetFileList(list, ""));
    EXPECT_EQ(op.files.GetErrors(), JoinedLines({SHORT_LINE, LIST_LINE}));
}

TEST(MendedFaultsTest, FileInUseHeaderOnCardDelete)
{
    CScriptedPanel panel({{0xF1, 0x14, 6, 0, 0, 0}});
    SScriptedOperation op(panel);
    EXPECT_FALSE(op.files.CardDeleteFile("A.CSV"));
    EXPECT_EQ(op.files.GetErrors(),
              "Error: File may be in use.\nError in deleting file.\nCould not delete A.CSV.");
}

TEST(MendedFaultsTest, SizesOf2GiBAndMoreAreUnsigned)
{
    for (const char* pszType : {"186", "80"})
    {
        CSimPanel panel;
        const auto path = panel.Card().WriteFile("HUGE.CSV", "");
        ASSERT_EQ(truncate(path.c_str(), 3221225472LL), 0); // sparse: nothing is written
        panel.Start({"--type", pszType});
        SLinkOperation op(panel);
        CDirData list;
        const bool bListed = std::string(pszType) == "186" ? op.files.GetFileList(list, "*.*")
                                                           : op.files.CardGetFileList(list, "*.*");
        ASSERT_TRUE(bListed) << pszType << op.files.GetErrors();
        ASSERT_EQ(list.GetSize(), 1);
        EXPECT_EQ(list.GetAt(0).strSize, "3221225472") << pszType;
    }
}

// The panel never answers, so anything sent would end in a time-out: the
// refused requests leave the channel's text empty.
class NameTooLongTest : public ::testing::Test
{
protected:
    void SetUp() override { m_panel.Start({"--type", "80", "--no-reply-every", "1"}); }
    CSimPanel m_panel;
};

TEST_F(NameTooLongTest, FileFamilyRefusesBeforeSending)
{
    SLinkOperation op(m_panel, 100);
    EXPECT_FALSE(op.files.RenameFile(std::string(200, 'A'), std::string(54, 'B'))); // 256 bytes
    EXPECT_FALSE(op.files.DeleteFile(std::string(255, 'C')));
    CDirData list;
    EXPECT_FALSE(op.files.GetFileList(list, std::string(255, '*')));
    unsigned long nSize = 0;
    EXPECT_FALSE(op.files.OpenRemoteFileSize(std::string(254, 'D'), &nSize));
    EXPECT_EQ(op.pComm->GetError(), "");
    EXPECT_EQ(
        op.files.GetErrors(),
        JoinedLines({TOO_LONG_LINE,
                     "Error in renaming file.\nCould not rename " + std::string(200, 'A') + ".",
                     TOO_LONG_LINE,
                     "Error in deleting file.\nCould not delete " + std::string(255, 'C') + ".",
                     TOO_LONG_LINE, LIST_LINE, TOO_LONG_LINE}));
    // One byte less fits and goes out (and times out here).
    EXPECT_FALSE(op.files.DeleteFile(std::string(254, 'C')));
    EXPECT_EQ(op.pComm->GetError(), TIMEOUT_TEXT);
}

TEST_F(NameTooLongTest, CardFamilyRefusesBeforeSending)
{
    SLinkOperation op(m_panel, 100);
    EXPECT_FALSE(op.files.CardDeleteFile(std::string(249, 'A'))); // frame of 256 bytes
    EXPECT_FALSE(op.files.CardRenameFile(std::string(100, 'B'), std::string(147, 'C')));
    CDirData list;
    EXPECT_FALSE(op.files.CardGetFileList(list, std::string(248, '*')));
    EXPECT_EQ(op.pComm->GetError(), "");
    EXPECT_EQ(
        op.files.GetErrors(),
        JoinedLines({TOO_LONG_LINE,
                     "Error in deleting file.\nCould not delete " + std::string(249, 'A') + ".",
                     TOO_LONG_LINE,
                     "Error in renaming file.\nCould not rename " + std::string(100, 'B') + ".",
                     TOO_LONG_LINE, LIST_LINE}));
    EXPECT_FALSE(op.files.CardDeleteFile(std::string(248, 'A')));
    EXPECT_EQ(op.pComm->GetError(), TIMEOUT_TEXT);
}
