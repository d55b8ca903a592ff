// The one temporary-file pattern: short hidden names whatever the target,
// removed unless committed, committed whole with the target's mode.
#include "common/CTempFile.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(TempFile, NamesAreShortHiddenAndOfOnePattern)
{
    CTempDir dir;
    std::string strError;
    CTempFile first, second;
    ASSERT_TRUE(first.CreateBeside(dir.Str() + "/" + std::string(252, 'L'), strError)) << strError;
    ASSERT_TRUE(second.Create(dir.Str(), strError)) << strError;
    const std::string strName = fs::path(first.Path()).filename().string();
    EXPECT_TRUE(IsTempFileName(strName)) << strName;
    EXPECT_EQ(0u, strName.rfind(".orvak-", 0));
    EXPECT_LT(strName.size(), 32u);
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_EQ(fs::perms(0600), fs::status(first.Path()).permissions() & fs::perms::mask);
    EXPECT_FALSE(IsTempFileName("report.csv"));
    EXPECT_FALSE(IsTempFileName(".orvak-12345678.csv"));

    first.Discard();
    EXPECT_FALSE(fs::exists(dir.Path() / strName));
    EXPECT_FALSE(first.Create(dir.Str() + "/no-such-folder", strError));
    EXPECT_NE(std::string::npos, strError.find("No such file or directory")) << strError;
}

TEST(TempFile, CommitReplacesWholeOrNotAtAll)
{
    CTempDir dir;
    std::string strError;
    const std::string strTarget = dir.WriteFile("target.csv", "old").string();
    ::chmod(strTarget.c_str(), 0640);
    {
        CTempFile temp;
        ASSERT_TRUE(temp.CreateBeside(strTarget, strError));
        ASSERT_TRUE(temp.WriteAll("new", 3, strError));
        ASSERT_TRUE(temp.Commit(strTarget, strError)) << strError;
    }
    EXPECT_EQ("new", dir.ReadFile("target.csv"));
    EXPECT_EQ(fs::perms(0640), fs::status(strTarget).permissions() & fs::perms::mask);

    ::chmod(strTarget.c_str(), 0440);
    {
        CTempFile temp;
        ASSERT_TRUE(temp.CreateBeside(strTarget, strError));
        ASSERT_TRUE(temp.WriteAll("newer", 5, strError));
        EXPECT_FALSE(temp.Commit(strTarget, strError));
        EXPECT_EQ(strTarget + ": Permission denied", strError);
    }
    {
        CTempFile abandoned;
        ASSERT_TRUE(abandoned.Create(dir.Str(), strError));
    }
    EXPECT_EQ("new", dir.ReadFile("target.csv"));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()));
}
