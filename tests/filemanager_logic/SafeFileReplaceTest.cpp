// The temporary files of a transfer: the target is replaced whole or not at all.
#include "filemanager/logic/SafeFileReplace.h"
#include "TransferTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(SafeFileReplace, ReplacesTheTargetKeepingItsPermissions)
{
    CTempDir dir;
    const std::string strSource = dir.WriteFile("src/new.bin", PatternBytes(300000)).string();
    const std::string strTarget = dir.WriteFile("dst/target.csv", "old").string();
    ::chmod(strTarget.c_str(), 0640);
    std::string strError;
    ASSERT_TRUE(ReplaceFileWithCopy(strSource, strTarget, strError)) << strError;
    EXPECT_EQ(PatternBytes(300000), dir.ReadFile("dst/target.csv"));
    EXPECT_EQ(fs::perms(0640), fs::status(strTarget).permissions() & fs::perms::mask);
    EXPECT_EQ(std::vector<std::string>{"target.csv"}, FolderNames(dir.Str() + "/dst"));

    // A new target is made with the ordinary permissions.
    ASSERT_TRUE(ReplaceFileWithCopy(strSource, dir.Str() + "/dst/fresh.csv", strError));
    EXPECT_NE(fs::perms::none,
              fs::status(dir.Str() + "/dst/fresh.csv").permissions() & fs::perms::others_read);
}

TEST(SafeFileReplace, AFailedReplacementLeavesTheOldTargetWhole)
{
    CTempDir dir;
    const std::string strSource = dir.WriteFile("new.bin", PatternBytes(5000)).string();
    dir.WriteFile("ro/target.csv", "old contents");
    dir.WriteFile("dir.csv/inside", "x");
    ::chmod(dir.Str().c_str(), 0755);
    ::chmod((dir.Str() + "/ro").c_str(), 0555);
    std::string strError;
    {
        CUnprivilegedFileAccess asUser;
        EXPECT_FALSE(ReplaceFileWithCopy(strSource, dir.Str() + "/ro/target.csv", strError));
    }
    EXPECT_NE(std::string::npos, strError.find("Permission denied")) << strError;
    EXPECT_EQ("old contents", dir.ReadFile("ro/target.csv"));
    EXPECT_EQ(std::vector<std::string>{"target.csv"}, FolderNames(dir.Str() + "/ro"));

    // A folder in the target's place is not replaced, and no temporary file stays.
    EXPECT_FALSE(ReplaceFileWithCopy(strSource, dir.Str() + "/dir.csv", strError));
    EXPECT_EQ("x", dir.ReadFile("dir.csv/inside"));
    EXPECT_EQ((std::vector<std::string>{"dir.csv", "new.bin", "ro"}), FolderNames(dir.Str()));
    EXPECT_FALSE(ReplaceFileWithCopy(dir.Str() + "/missing", dir.Str() + "/ro/x", strError));

    // A read-only target is left alone, also where the system would let the user write it.
    const std::string strReadOnly = dir.WriteFile("dst/locked.csv", "locked").string();
    ::chmod(strReadOnly.c_str(), 0444);
    EXPECT_FALSE(ReplaceFileWithCopy(strSource, strReadOnly, strError));
    EXPECT_NE(std::string::npos, strError.find("Permission denied")) << strError;
    EXPECT_EQ("locked", dir.ReadFile("dst/locked.csv"));
    EXPECT_EQ(std::vector<std::string>{"locked.csv"}, FolderNames(dir.Str() + "/dst"));
}
