// The file command family (message code 143) against the simulator.
#include "LinkTestSupport.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/time.h>

namespace
{
class FileCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_panel.Card().WriteFile("41225A07.CSV", PatternBytes(3000, 1));
        m_panel.Card().WriteFile("90101107.CSV", PatternBytes(508, 2));
        m_panel.Card().WriteFile("README.TXT", "read me\n");
        m_panel.Card().WriteFile("noext", "x");
        m_panel.Card().WriteFile("LOGS/INNER.CSV", "inner");
    }

    std::string CardFile(const std::string& strName) const
    {
        return m_panel.Card().ReadFile(strName);
    }
    bool CardHas(const std::string& strName) const
    {
        return std::filesystem::exists(m_panel.Card().Path() / strName);
    }

    // Reads the whole open file block by block, checking each block's size.
    std::string ReadOpenFile(CPanelFileCommands& files, unsigned long nSize)
    {
        std::string strData;
        for (;;)
        {
            unsigned char arrBlock[255];
            unsigned long nLen = sizeof(arrBlock);
            EXPECT_TRUE(files.ReadFileBlock(arrBlock, &nLen));
            EXPECT_LE(nLen, 254u);
            if (nLen == 0 || strData.size() > nSize)
                break;
            strData.append(reinterpret_cast<char*>(arrBlock), nLen);
        }
        return strData;
    }

    CSimPanel m_panel;
};
} // namespace

TEST_F(FileCommandsTest, ListingFollowsThePattern)
{
    m_panel.Start();
    struct
    {
        const char* pszPattern;
        std::vector<std::string> arrNames;
    } arrCases[] = {
        {"*.*", {"41225A07.CSV", "90101107.CSV", "LOGS", "README.TXT", "noext"}},
        {"", {"41225A07.CSV", "90101107.CSV", "LOGS", "README.TXT", "noext"}},
        {"*.csv", {"41225A07.CSV", "90101107.CSV"}},
        {"4?225*", {"41225A07.CSV"}},
        {"*.none", {}},
    };
    for (const auto& c : arrCases)
    {
        SLinkOperation op(m_panel);
        CDirData list;
        EXPECT_TRUE(op.files.GetFileList(list, c.pszPattern)) << op.files.GetErrors();
        EXPECT_EQ(NamesOf(list), c.arrNames) << c.pszPattern;
    }
}

TEST_F(FileCommandsTest, ListingEntriesCarrySizeAndDate)
{
    const time_t tModified = 1718000000; // a fixed moment; the panel reports local time
    const auto path = m_panel.Card().WriteFile("  SPACED.TXT ", PatternBytes(77));
    const timeval arrTimes[2] = {{tModified, 0}, {tModified, 0}};
    ASSERT_EQ(utimes(path.c_str(), arrTimes), 0);
    m_panel.Start({"--zero-date", "README.TXT"});

    SLinkOperation op(m_panel);
    CDirData list;
    ASSERT_TRUE(op.files.GetFileList(list, "*TXT*")); // the card name ends in a blank
    ASSERT_EQ(NamesOf(list), (std::vector<std::string>{"SPACED.TXT", "README.TXT"}));
    const DIR_DATA spaced = list.GetAt(0);
    EXPECT_EQ(spaced.strSize, "77");
    tm tmLocal{};
    localtime_r(&tModified, &tmLocal);
    char szExpected[32];
    strftime(szExpected, sizeof(szExpected), "%Y-%m-%d %H:%M:%S", &tmLocal);
    EXPECT_EQ(spaced.dtModified.Format("%Y-%m-%d %H:%M:%S"), szExpected);
    // A zero date is listed, marked invalid.
    EXPECT_EQ(list.GetAt(1).strSize, "8");
    EXPECT_FALSE(list.GetAt(1).dtModified.IsValid());
}

TEST_F(FileCommandsTest, FilesReadBlockByBlockWhatEverTheirSize)
{
    const size_t arrSizes[] = {0, 1, 253, 254, 255, 508, 509, 200000};
    for (const size_t nSize : arrSizes)
        m_panel.Card().WriteFile("F" + std::to_string(nSize) + ".BIN", PatternBytes(nSize, nSize));
    m_panel.Start();
    SLinkOperation op(m_panel);
    for (const size_t nSize : arrSizes)
    {
        const std::string strName = "F" + std::to_string(nSize) + ".BIN";
        unsigned long nOpened = 99;
        ASSERT_TRUE(op.files.OpenRemoteFileSize(strName, &nOpened)) << strName;
        EXPECT_EQ(nOpened, nSize);
        EXPECT_TRUE(ReadOpenFile(op.files, nOpened) == PatternBytes(nSize, nSize)) << strName;
        op.files.CloseRemoteFile();
    }
    // The plain opening cannot tell an empty file from a failure.
    EXPECT_EQ(op.files.OpenRemoteFile("F0.BIN"), 0u);
    EXPECT_EQ(op.files.OpenRemoteFile("F255.BIN"), 255u);
    EXPECT_EQ(op.files.GetErrors(), "");
}

TEST_F(FileCommandsTest, SeekMovesWithinTheFile)
{
    m_panel.Start();
    SLinkOperation op(m_panel);
    const std::string strData = CardFile("41225A07.CSV");
    ASSERT_EQ(op.files.OpenRemoteFile("41225A07.CSV"), strData.size());
    unsigned char arrBlock[255];
    unsigned long nLen = sizeof(arrBlock);
    ASSERT_TRUE(op.files.ReadFileBlock(arrBlock, &nLen));
    unsigned long nPosition = 0;
    ASSERT_TRUE(op.files.SeekFile(0, 1000, &nPosition));
    EXPECT_EQ(nPosition, 1000u);
    nLen = sizeof(arrBlock);
    ASSERT_TRUE(op.files.ReadFileBlock(arrBlock, &nLen));
    ASSERT_EQ(nLen, 254u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(arrBlock), nLen), strData.substr(1000, 254));
    ASSERT_TRUE(op.files.SeekFile(1, 0, &nPosition));
    EXPECT_EQ(nPosition, strData.size());
    ASSERT_TRUE(op.files.SeekFile(0, 0, &nPosition));
    EXPECT_EQ(nPosition, 0u);
}

TEST_F(FileCommandsTest, OpenFailuresLeaveTheChannelText)
{
    m_panel.Start();
    SLinkOperation op(m_panel);
    EXPECT_EQ(op.files.OpenRemoteFile("MISSING.CSV"), 0u);
    EXPECT_EQ(op.pComm->GetError(), "File System Error.");
    EXPECT_EQ(op.files.GetErrors(), "");
}

TEST_F(FileCommandsTest, ReadFailsWhenThePanelStopsAnswering)
{
    m_panel.Start({"--fail-after", "143:0=3"});
    SLinkOperation op(m_panel);
    ASSERT_EQ(op.files.OpenRemoteFile("41225A07.CSV"), 3000u);
    unsigned char arrBlock[255];
    for (int i = 0; i < 3; ++i)
    {
        unsigned long nLen = sizeof(arrBlock);
        EXPECT_TRUE(op.files.ReadFileBlock(arrBlock, &nLen));
        EXPECT_EQ(nLen, 254u);
    }
    unsigned long nLen = sizeof(arrBlock);
    EXPECT_FALSE(op.files.ReadFileBlock(arrBlock, &nLen));
    EXPECT_EQ(op.pComm->GetError(), "File System Error.");
}

TEST_F(FileCommandsTest, RenameAndItsFailure)
{
    m_panel.Start();
    SLinkOperation op(m_panel);
    EXPECT_TRUE(op.files.RenameFile("README.TXT", "NOTES.TXT"));
    EXPECT_FALSE(CardHas("README.TXT"));
    EXPECT_EQ(CardFile("NOTES.TXT"), "read me\n");
    EXPECT_FALSE(op.files.RenameFile("README.TXT", "OTHER.TXT"));
    EXPECT_EQ(op.files.GetErrors(), "Error in renaming file.\nCould not rename README.TXT.");
    EXPECT_EQ(op.pComm->GetError(), "File System Error.");
}

TEST_F(FileCommandsTest, DeleteFilesStopsAtTheFirstFailure)
{
    m_panel.Start();
    SLinkOperation op(m_panel);
    EXPECT_TRUE(op.files.DeleteFiles({}));
    EXPECT_FALSE(op.files.DeleteFiles({"README.TXT", "MISSING.CSV", "noext"}));
    EXPECT_FALSE(CardHas("README.TXT"));
    EXPECT_TRUE(CardHas("noext")); // never sent
    EXPECT_EQ(op.files.GetErrors(), "Error in deleting file.\nCould not delete MISSING.CSV.");
    EXPECT_TRUE(op.files.DeleteFiles({"noext"}));
    EXPECT_FALSE(CardHas("noext"));
}

TEST_F(FileCommandsTest, BackupsAreMadeOnTheCard)
{
    m_panel.Start();
    SLinkOperation op(m_panel);
    EXPECT_TRUE(op.files.BackupFiles({"41225A07.CSV"}));
    EXPECT_EQ(CardFile("41225A07.BAK"), CardFile("41225A07.CSV"));
    EXPECT_FALSE(CardHas("90101107.BAK"));
    EXPECT_TRUE(op.files.BackupAllCsvFiles());
    EXPECT_EQ(CardFile("90101107.BAK"), CardFile("90101107.CSV"));
    EXPECT_FALSE(op.files.BackupFiles({"MISSING.CSV", "90101107.CSV"}));
    EXPECT_EQ(op.files.GetErrors(), "Unable to backup MISSING.CSV.");
}

TEST_F(FileCommandsTest, PanelResultsBecomeTheirTexts)
{
    m_panel.Start({"--fail", "143:7=6", "--fail", "143:14=212"});
    SLinkOperation op(m_panel);
    CDirData list;
    EXPECT_FALSE(op.files.GetFileList(list, "*.*"));
    EXPECT_EQ(op.files.GetErrors(), "Error in Getting Remote file list.");
    EXPECT_EQ(op.pComm->GetError().rfind("Panel is out of memory;  \nPlease delete", 0), 0u);
    EXPECT_FALSE(op.files.RenameFile("README.TXT", "X.TXT"));
    EXPECT_EQ(op.pComm->GetError(), "User aborted communication.");
    EXPECT_TRUE(CardHas("README.TXT"));
}
