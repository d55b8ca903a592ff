#include "panels/CNameIpRecInfo.h"

#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
class PanelListFile : public ::testing::Test
{
protected:
    PanelListFile() : m_guard(m_prompt) { CNameIpRecInfo::SetDataFolder(m_dir.Str()); }
    ~PanelListFile() override { CNameIpRecInfo::SetDataFolder(std::string()); }

    std::set<std::string> FolderEntries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    void ExpectOnlyListFileError()
    {
        ASSERT_EQ(m_prompt.Shown().size(), 1u);
        EXPECT_EQ(m_prompt.Shown()[0].strText,
                  "Unable to open Ilvane Remote File Manager Panel List Information file (*.INI).");
        EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    }

    CTempDir m_dir;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_guard;
};

std::string Lines(const CNameIpRecInfo& list)
{
    std::string str;
    for (int i = 0; i < list.GetCount(); ++i)
        str += list.GetAt(i).FormatLine();
    return str;
}
} // namespace

TEST_F(PanelListFile, SavesExactBytesAndLoadsBackOrderAndDuplicates)
{
    CNameIpRecInfo list;
    list.AddTail(CNameIpRec("Line 3", 192, 168, 1, 20, 10001));
    list.AddTail(CNameIpRec("", 10, 0, 0, 1, 0));
    list.AddTail(CNameIpRec("Line 3", 192, 168, 1, 20, 10001));
    list.AddTail(CNameIpRec(" Kiln ", 255, 255, 255, 255, 65535));
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(CNameIpRecInfo::GetPanelListPath(), m_dir.Str() + "/PanelsList.INI");
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI"), "Line 3|192.168.1.20|10001|\r\r\n"
                                                "|10.0.0.1|0|\r\r\n"
                                                "Line 3|192.168.1.20|10001|\r\r\n"
                                                " Kiln |255.255.255.255|65535|\r\r\n");
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"PanelsList.INI"});

    CNameIpRecInfo loaded;
    loaded.AddTail(CNameIpRec("stale", 1, 1, 1, 1, 1));
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(Lines(loaded), Lines(list));

    // An empty file (or none) leaves the list as it was.
    CNameIpRecInfo empty;
    ASSERT_TRUE(empty.Save());
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI"), "");
    EXPECT_FALSE(loaded.Load());
    EXPECT_EQ(Lines(loaded), Lines(list));
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(PanelListFile, ReadsEveryLineEndAndEveryLine)
{
    m_dir.WriteFile("PanelsList.INI", "a|1.2.3.4|5|\r\r\n"
                                      "\r\r\n"
                                      "b|5.6.7.8|9|\r\n"
                                      "\n"
                                      "c|300.1.2.3|7\r\r\n"
                                      "junk\n"
                                      "d|9.9.9.9|1|\n"
                                      "e|1.1.1.1|2|");
    CNameIpRecInfo list;
    ASSERT_TRUE(list.Load());
    EXPECT_EQ(Lines(list), "a|1.2.3.4|5|\r\r\n"
                           "|0.0.0.0|10001|\r\r\n"
                           "b|5.6.7.8|9|\r\r\n"
                           "|0.0.0.0|10001|\r\r\n"
                           "c|44.1.2.3|7|\r\r\n"
                           "|0.0.0.0|10001|\r\r\n"
                           "d|9.9.9.9|1|\r\r\n"
                           "e|1.1.1.1|2|\r\r\n");
    fs::remove(m_dir.Path() / "PanelsList.INI");
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(list.GetCount(), 8);
}

// A missing folder, a folder in the file's place (the new text is written,
// but cannot take the old one's place) or a full disk: a message, the old
// file intact and nothing left beside it. A save keeps the file's mode.
TEST_F(PanelListFile, FailedSavesLoseNothingAndReplacementKeepsTheMode)
{
    CNameIpRecInfo list;
    list.AddTail(CNameIpRec("A", 1, 1, 1, 1, 1));
    CNameIpRecInfo::SetDataFolder((m_dir.Path() / "gone").string());
    EXPECT_FALSE(list.Save());
    ExpectOnlyListFileError();
    EXPECT_TRUE(FolderEntries().empty());

    CNameIpRecInfo::SetDataFolder(m_dir.Str());
    m_prompt.Clear();
    fs::create_directory(m_dir.Path() / "PanelsList.INI");
    m_dir.WriteFile("PanelsList.INI/inside", "x");
    EXPECT_FALSE(list.Save());
    ExpectOnlyListFileError();
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"PanelsList.INI"});
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI/inside"), "x");

    fs::remove_all(m_dir.Path() / "PanelsList.INI");
    m_prompt.Clear();
    ASSERT_TRUE(list.Save());
    fs::permissions(m_dir.Path() / "PanelsList.INI", fs::perms(0640));
    const std::string strOld = m_dir.ReadFile("PanelsList.INI");
    for (int i = 0; i < 2000; ++i)
        list.AddTail(CNameIpRec("Panel with a long name to fill the disk", 10, 0, 0, 1, i));

    // A file size limit stands in for a full disk: writes past it fail.
    struct rlimit limitOld;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limitOld), 0);
    const auto pOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limitSmall = limitOld;
    limitSmall.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limitSmall), 0);
    const bool bSaved = list.Save();
    setrlimit(RLIMIT_FSIZE, &limitOld);
    std::signal(SIGXFSZ, pOldHandler);

    EXPECT_FALSE(bSaved);
    ExpectOnlyListFileError();
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI"), strOld);
    EXPECT_EQ(FolderEntries(), std::set<std::string>{"PanelsList.INI"});
    EXPECT_EQ(fs::status(m_dir.Path() / "PanelsList.INI").permissions(), fs::perms(0640));
    list.RemoveAt(1);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(fs::status(m_dir.Path() / "PanelsList.INI").permissions(), fs::perms(0640));
}
