#include "panels/CNameIpRecInfo.h"

#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace
{
struct PanelListFile : ::testing::Test
{
    PanelListFile() : m_guard(m_prompt) { CNameIpRecInfo::SetDataFolder(m_dir.Str()); }
    ~PanelListFile() override { CNameIpRecInfo::SetDataFolder(std::string()); }

    // The list file's message alone, as a stop; cleared for the next step.
    void ExpectOnlyListFileError()
    {
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Unable to open Ilvane Remote File "
                                                             "Manager Panel List Information file "
                                                             "(*.INI)."});
        EXPECT_TRUE(!m_prompt.Shown().empty() && m_prompt.Shown()[0].eIcon == EPromptIcon::Stop);
        m_prompt.Clear();
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

// Blank or broken lines load as default records; order and duplicates stay.
TEST_F(PanelListFile, LoadsEveryLineAndSavesExactBytes)
{
    m_dir.WriteFile("PanelsList.INI", "Line 3|192.168.1.20|10001|\r\r\n"
                                      "\r\r\n"
                                      " Kiln |255.255.255.255|65535|\r\n"
                                      "\n"
                                      "junk\n"
                                      "Line 3|192.168.1.20|10001|\n"
                                      "|10.0.0.1|0|");
    const std::string strRecords = "Line 3|192.168.1.20|10001|\r\r\n"
                                   "|0.0.0.0|10001|\r\r\n"
                                   " Kiln |255.255.255.255|65535|\r\r\n"
                                   "|0.0.0.0|10001|\r\r\n"
                                   "|0.0.0.0|10001|\r\r\n"
                                   "Line 3|192.168.1.20|10001|\r\r\n"
                                   "|10.0.0.1|0|\r\r\n";
    CNameIpRecInfo list;
    list.AddTail(CNameIpRec("stale", 1, 1, 1, 1, 1));
    ASSERT_TRUE(list.Load());
    EXPECT_EQ(Lines(list), strRecords);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(CNameIpRecInfo::GetPanelListPath(), m_dir.Str() + "/PanelsList.INI");
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI"), strRecords);
    EXPECT_EQ(FolderNames(m_dir.Path()), std::vector<std::string>{"PanelsList.INI"});
    // An empty file leaves the list as it was.
    ASSERT_TRUE(CNameIpRecInfo().Save());
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(Lines(list), strRecords);
    EXPECT_TRUE(m_prompt.Shown().empty());
}

// No folder, a folder in the file's place, a full disk: a message, nothing lost.
TEST_F(PanelListFile, FailedSavesLoseNothingAndReplacementKeepsTheMode)
{
    CNameIpRecInfo list;
    list.AddTail(CNameIpRec("A", 1, 1, 1, 1, 1));
    CNameIpRecInfo::SetDataFolder((m_dir.Path() / "gone").string());
    EXPECT_FALSE(list.Save());
    ExpectOnlyListFileError();
    EXPECT_TRUE(FolderNames(m_dir.Path()).empty());

    CNameIpRecInfo::SetDataFolder(m_dir.Str());
    m_dir.WriteFile("PanelsList.INI/inside", "x");
    EXPECT_FALSE(list.Save());
    ExpectOnlyListFileError();
    EXPECT_EQ(FolderNames(m_dir.Path()), std::vector<std::string>{"PanelsList.INI"});
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI/inside"), "x");

    fs::remove_all(m_dir.Path() / "PanelsList.INI");
    ASSERT_TRUE(list.Save());
    const fs::path path = m_dir.Path() / "PanelsList.INI";
    fs::permissions(path, fs::perms(0640));
    const std::string strOld = m_dir.ReadFile("PanelsList.INI");
    for (int i = 0; i < 2000; ++i)
        list.AddTail(CNameIpRec("Panel with a long name to fill the disk", 10, 0, 0, 1, i));

    // A file size limit stands in for a full disk: writes past it fail.
    rlimit limitOld{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limitOld), 0);
    const auto pOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limitSmall = {8192, limitOld.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limitSmall), 0);
    const bool bSaved = list.Save();
    setrlimit(RLIMIT_FSIZE, &limitOld);
    std::signal(SIGXFSZ, pOldHandler);

    EXPECT_FALSE(bSaved);
    ExpectOnlyListFileError();
    EXPECT_EQ(m_dir.ReadFile("PanelsList.INI"), strOld);
    EXPECT_EQ(FolderNames(m_dir.Path()), std::vector<std::string>{"PanelsList.INI"});
    list.RemoveAt(1);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}
