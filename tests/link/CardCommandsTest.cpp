// The card command family (message code 128) against the simulator.
#include "LinkTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
class CardCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_panel.Card().WriteFile("41225A07.CSV", PatternBytes(3000));
        m_panel.Card().WriteFile("90101107.CSV", "a,b\n");
        m_panel.Card().WriteFile("README.TXT", "read me\n");
        m_panel.Card().WriteFile(" PADDED.TXT  ", "p");
    }

    // A panel of the card family (type 80 is accepted and not a file command panel).
    void Start(std::vector<std::string> arrArgs = {})
    {
        arrArgs.insert(arrArgs.begin(), {"--type", "80"});
        m_panel.Start(arrArgs);
    }

    bool CardHas(const std::string& strName) const
    {
        return std::filesystem::exists(m_panel.Card().Path() / strName);
    }

    CSimPanel m_panel;
};

const std::vector<std::string> ALL_NAMES = {"PADDED.TXT", "41225A07.CSV", "90101107.CSV",
                                            "README.TXT"};
} // namespace

TEST_F(CardCommandsTest, ListingFollowsThePattern)
{
    m_panel.Card().WriteFile(std::string(40, 'L') + ".TXT", "long");
    Start({"--zero-date", "README.TXT"});
    SLinkOperation op(m_panel);
    CDirData list;
    // The name on the card ends in blanks, so only a pattern with a trailing * meets it.
    ASSERT_TRUE(op.files.CardGetFileList(list, "*TXT*")) << op.files.GetErrors();
    // Names come trimmed; the card family cuts names at 32 characters.
    ASSERT_EQ(NamesOf(list),
              (std::vector<std::string>{"PADDED.TXT", std::string(32, 'L'), "README.TXT"}));
    EXPECT_EQ(list.GetAt(2).strSize, "8");
    EXPECT_FALSE(list.GetAt(2).dtModified.IsValid());
    EXPECT_TRUE(list.GetAt(0).dtModified.IsValid());

    CDirData csv;
    ASSERT_TRUE(op.files.CardGetFileList(csv, "4*.csv"));
    EXPECT_EQ(NamesOf(csv), (std::vector<std::string>{"41225A07.CSV"}));
    EXPECT_EQ(csv.GetAt(0).strSize, "3000");
    CDirData none;
    EXPECT_TRUE(op.files.CardGetFileList(none, "*.XYZ"));
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(CardCommandsTest, EmptyPatternListsEverything)
{
    Start();
    SLinkOperation op(m_panel);
    CDirData list;
    ASSERT_TRUE(op.files.CardGetFileList(list, ""));
    EXPECT_EQ(NamesOf(list), ALL_NAMES);
}

TEST_F(CardCommandsTest, ListingStopsAtTheCountWithoutALastFlag)
{
    Start({"--card-no-last-flag"});
    SLinkOperation op(m_panel);
    CDirData list;
    ASSERT_TRUE(op.files.CardGetFileList(list, "*.*"));
    EXPECT_EQ(NamesOf(list), ALL_NAMES);
}

TEST_F(CardCommandsTest, CardStatusDecides)
{
    const struct
    {
        const char* pszStatus;
        const char* pszErrors; // nullptr: the listing succeeds
    } arrCases[] = {
        {"0", nullptr},
        {"7", nullptr},   // "Processing Copy File" is no error
        {"200", nullptr}, // no text, no error
        {"131", "Error: Card is Full\nError in Getting Remote file list."},
        {"129", "Error: No Card\nError in Getting Remote file list."},
        {"136", "Error: Format Error\nError in Getting Remote file list."},
    };
    for (const auto& c : arrCases)
    {
        CSimPanel panel;
        panel.Card().WriteFile("A.CSV", "a");
        panel.Start({"--type", "80", "--card-status", c.pszStatus});
        SLinkOperation op(panel);
        CDirData list;
        EXPECT_EQ(op.files.CardGetFileList(list, "*.*"), c.pszErrors == nullptr) << c.pszStatus;
        EXPECT_EQ(op.files.GetErrors(), c.pszErrors ? c.pszErrors : "") << c.pszStatus;
    }
}

TEST_F(CardCommandsTest, DeleteFilesStopsAtTheFirstFailure)
{
    Start();
    SLinkOperation op(m_panel);
    EXPECT_FALSE(op.files.CardDeleteFiles({"README.TXT", "MISSING.CSV", "90101107.CSV"}));
    EXPECT_FALSE(CardHas("README.TXT"));
    EXPECT_TRUE(CardHas("90101107.CSV"));
    EXPECT_EQ(
        op.files.GetErrors(),
        "Error: Source file not found\nError in deleting file.\nCould not delete MISSING.CSV.");
    SLinkOperation op2(m_panel);
    EXPECT_TRUE(op2.files.CardDeleteFiles({"90101107.CSV"}));
    EXPECT_FALSE(CardHas("90101107.CSV"));
}

TEST_F(CardCommandsTest, RenameAndItsReasons)
{
    Start();
    SLinkOperation op(m_panel);
    EXPECT_TRUE(op.files.CardRenameFile("README.TXT", "NOTES.TXT"));
    EXPECT_TRUE(CardHas("NOTES.TXT"));
    EXPECT_FALSE(CardHas("README.TXT"));
    EXPECT_FALSE(op.files.CardRenameFile("NOTES.TXT", "90101107.CSV"));
    EXPECT_EQ(op.files.GetErrors(), "Error: Filenames are not unique\nError in renaming file.\n"
                                    "Could not rename NOTES.TXT.");
}

TEST_F(CardCommandsTest, ForcedResultsGiveTheirReasons)
{
    Start({"--card-result", "15=241", "--card-result", "14=3"});
    SLinkOperation op(m_panel);
    EXPECT_FALSE(op.files.CardRenameFile("README.TXT", "NOTES.TXT"));
    EXPECT_FALSE(op.files.CardDeleteFile("90101107.CSV"));
    EXPECT_EQ(op.files.GetErrors(),
              "Error: File may be in use.\nError in renaming file.\nCould not rename README.TXT.\n"
              "Error: Unknown\nError in deleting file.\nCould not delete 90101107.CSV.");
}

TEST_F(CardCommandsTest, ChecksumErrorsFromThePanel)
{
    Start({"--fail", "128:11=1"});
    SLinkOperation op(m_panel);
    CDirData list;
    EXPECT_FALSE(op.files.CardGetFileList(list, "*.*"));
    EXPECT_EQ(op.pComm->GetError(), "Incorrect Communication Packet  (Checksum Error).");
    EXPECT_EQ(op.files.GetErrors(), "Error in Getting Remote file list.");
}
