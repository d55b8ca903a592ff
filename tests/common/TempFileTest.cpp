#include "common/CTempFile.h"
#include "support/CTempDir.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <latch>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
bool CommitBytes(const std::string& strTarget, const std::string& strBytes, std::string& strError)
{
    CTempFile temp;
    return temp.CreateBeside(strTarget, strError) &&
           temp.WriteAll(strBytes.data(), strBytes.size(), strError) &&
           temp.Commit(strTarget, strError);
}
} // namespace

TEST(TempFile, ShortHiddenNamesAndWholeCommits)
{
    CTempDir dir;
    std::string strError;
    {
        CTempFile first, abandoned;
        ASSERT_TRUE(first.CreateBeside(dir.Str() + "/" + std::string(252, 'L'), strError));
        ASSERT_TRUE(abandoned.Create(dir.Str(), strError)) << strError;
        const std::string strName = fs::path(first.Path()).filename().string();
        EXPECT_TRUE(IsTempFileName(strName) && strName.rfind(".orvak-", 0) == 0) << strName;
        EXPECT_LT(strName.size(), 32u);
        EXPECT_NE(first.Path(), abandoned.Path());
        EXPECT_EQ(fs::perms(0600), fs::status(first.Path()).permissions() & fs::perms::mask);
        first.Discard();
        EXPECT_FALSE(fs::exists(dir.Path() / strName));
    }
    EXPECT_FALSE(IsTempFileName("report.csv") || IsTempFileName(".orvak-12345678.csv"));

    // A commit replaces the target whole, with its mode, or not at all.
    const std::string strTarget = dir.WriteFile("target.csv", "old").string();
    ::chmod(strTarget.c_str(), 0640);
    ASSERT_TRUE(CommitBytes(strTarget, "new", strError)) << strError;
    EXPECT_EQ(fs::perms(0640), fs::status(strTarget).permissions() & fs::perms::mask);
    ::chmod(strTarget.c_str(), 0440);
    EXPECT_FALSE(CommitBytes(strTarget, "newer", strError));
    EXPECT_EQ(strTarget + ": Permission denied", strError);
    EXPECT_EQ("new", dir.ReadFile("target.csv"));

    // A FIFO or device target (`get FILE /dev/null`) receives the bytes and
    // stays what it is: renaming over /dev/null would break the whole system.
    const std::string strFifo = dir.Str() + "/pipe";
    ASSERT_EQ(0, ::mkfifo(strFifo.c_str(), 0644));
    const int fdRead = ::open(strFifo.c_str(), O_RDONLY | O_NONBLOCK); // holds the few bytes
    ASSERT_GE(fdRead, 0);
    {
        CTempFile temp;
        ASSERT_TRUE(temp.CreateBeside(strFifo, strError));
        EXPECT_NE(dir.Path(), fs::path(temp.Path()).parent_path()); // not beside a device
        ASSERT_TRUE(temp.WriteAll("through the pipe", 16, strError));
        EXPECT_TRUE(temp.Commit(strFifo, strError)) << strError;
    }
    char arrBuffer[64] = {};
    EXPECT_EQ(16, ::read(fdRead, arrBuffer, sizeof(arrBuffer) - 1));
    ::close(fdRead);
    EXPECT_STREQ("through the pipe", arrBuffer);
    EXPECT_TRUE(fs::is_fifo(strFifo));
    EXPECT_EQ(2u, FolderNames(dir.Path()).size());
}

// More temporaries at once than the registry holds; SIGTERM amid them leaves none.
TEST(TempFile, ThreadsShareTheRegistryAndTheSignalCleanUp)
{
    CTempDir dir;
    constexpr int THREADS = 6, PER_THREAD = 50;
    std::mutex mutex;
    std::set<std::string> setNames;
    {
        std::latch allCreated(THREADS);
        std::vector<std::jthread> arrThreads;
        for (int t = 0; t < THREADS; ++t)
            arrThreads.emplace_back(
                [&]
                {
                    std::vector<CTempFile> arrTemps(PER_THREAD);
                    std::string strError;
                    for (CTempFile& temp : arrTemps)
                        if (temp.Create(dir.Str(), strError))
                        {
                            const std::lock_guard lock(mutex);
                            setNames.insert(temp.Path());
                        }
                    allCreated.arrive_and_wait();
                });
    }
    EXPECT_EQ(static_cast<size_t>(THREADS * PER_THREAD), setNames.size());
    EXPECT_EQ(std::vector<std::string>{}, FolderNames(dir.Path()));

    const pid_t pid = fork();
    if (pid == 0)
    {
        InstallTempFileCleanup();
        std::atomic<int> nRounds{0};
        for (int t = 0; t < THREADS; ++t)
            std::thread(
                [&dir, &nRounds]
                {
                    std::string strError;
                    for (;;) // refused only once the clean-up has begun
                    {
                        CTempFile first, second;
                        if (first.Create(dir.Str(), strError) && second.Create(dir.Str(), strError))
                            ++nRounds;
                    }
                })
                .detach();
        while (nRounds.load() < 2000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ::kill(::getpid(), SIGTERM); // any thread may take it
        for (;;)
            ::pause();
    }
    ASSERT_GT(pid, 0);
    int nStatus = 0;
    ASSERT_EQ(pid, ::waitpid(pid, &nStatus, 0));
    EXPECT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGTERM) << nStatus;
    EXPECT_EQ(std::vector<std::string>{}, FolderNames(dir.Path()));
}
