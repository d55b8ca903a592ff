// The one temporary-file pattern: short hidden names whatever the target,
// removed unless committed, committed whole with the target's mode.
#include "common/CTempFile.h"
#include "support/CTempDir.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(TempFile, ShortHiddenNamesAndWholeCommits)
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
    second.Discard();

    // A commit replaces the target whole, with its mode, or not at all.
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

// A device or FIFO as the target (`get FILE /dev/null`, a pipe a script reads)
// receives the bytes and stays what it is: renaming over it would replace
// /dev/null with a plain file for the whole system.
TEST(TempFile, ASpecialTargetIsWrittenToNotReplaced)
{
    CTempDir dir;
    const std::string strFifo = dir.Str() + "/pipe";
    ASSERT_EQ(0, ::mkfifo(strFifo.c_str(), 0644));
    // The reading end, open before the write: the pipe holds the few bytes.
    const int fdRead = ::open(strFifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fdRead, 0);
    std::string strError;
    {
        CTempFile temp;
        ASSERT_TRUE(temp.CreateBeside(strFifo, strError));
        EXPECT_NE(dir.Path(), fs::path(temp.Path()).parent_path()); // not beside a device
        ASSERT_TRUE(temp.WriteAll("through the pipe", 16, strError));
        EXPECT_TRUE(temp.Commit(strFifo, strError)) << strError;
    }
    char arrBuffer[64];
    const ssize_t nRead = ::read(fdRead, arrBuffer, sizeof(arrBuffer));
    ::close(fdRead);
    const std::string strReceived(arrBuffer, nRead > 0 ? static_cast<size_t>(nRead) : 0);
    EXPECT_EQ("through the pipe", strReceived);
    EXPECT_TRUE(fs::is_fifo(strFifo));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()));
}

// Several threads (collect's transfers) create temporaries at once: every name
// is new, and SIGTERM arriving while they create and remove them leaves none.
TEST(TempFile, ThreadsShareTheRegistryAndTheSignalCleanUp)
{
    CTempDir dir;
    constexpr int THREADS = 6;
    std::mutex mutex;
    std::set<std::string> setNames;
    std::vector<std::thread> arrThreads;
    for (int t = 0; t < THREADS; ++t)
        arrThreads.emplace_back(
            [&]
            {
                std::vector<CTempFile> arrTemps(40);
                std::string strError;
                for (CTempFile& temp : arrTemps)
                    if (temp.Create(dir.Str(), strError))
                    {
                        const std::lock_guard lock(mutex);
                        setNames.insert(temp.Path());
                    }
            });
    for (std::thread& thread : arrThreads)
        thread.join();
    EXPECT_EQ(static_cast<size_t>(THREADS * 40), setNames.size());
    EXPECT_TRUE(fs::is_empty(dir.Path()));

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
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}
