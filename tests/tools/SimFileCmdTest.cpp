// Message 143: the file sub-commands, spoken with raw frames.
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{
struct CEntry
{
    std::string m_strName;
    uint32_t m_nSize = 0;
    int m_nHour = 0, m_nMinute = 0, m_nSecond = 0, m_nDay = 0, m_nMonth = 0, m_nYear = 0;
};

// Decodes a sub-command 7 reply (echo byte first).
bool DecodeEntry(const CBytes& arr, CEntry& entry)
{
    if (arr.size() < 2)
        return false;
    size_t n = 1;
    while (n < arr.size() && arr[n] != 0)
        ++n;
    if (arr.size() != n + 12)
        return false;
    entry.m_strName.assign(arr.begin() + 1, arr.begin() + static_cast<long>(n));
    const uint8_t* p = arr.data() + n + 1;
    entry.m_nSize = static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    entry.m_nHour = p[4];
    entry.m_nMinute = p[5];
    entry.m_nSecond = p[6];
    entry.m_nDay = p[7];
    entry.m_nMonth = p[8];
    entry.m_nYear = p[9] << 8 | p[10];
    return true;
}

std::vector<CEntry> ListFiles(CSimRawLink& link, const std::string& strPattern)
{
    std::vector<CEntry> arrEntries;
    EXPECT_EQ(0, link.File(Bytes({21})).m_nResult);
    EXPECT_EQ(0, link.File(WithName(Bytes({6}), strPattern)).m_nResult);
    for (int i = 0; i < 100; ++i)
    {
        const CSimReply reply = link.File(Bytes({7}));
        EXPECT_EQ(0, reply.m_nResult);
        if (reply.m_arrPayload == Bytes({7}))
            break;
        CEntry entry;
        EXPECT_TRUE(DecodeEntry(reply.m_arrPayload, entry));
        arrEntries.push_back(entry);
    }
    EXPECT_EQ(Bytes({8}), link.File(Bytes({8})).m_arrPayload);
    return arrEntries;
}

CBytes SeekRequest(int32_t nOffset, uint8_t nOrigin)
{
    const uint32_t n = static_cast<uint32_t>(nOffset);
    return Bytes({2, static_cast<int>(n & 0xFF), static_cast<int>(n >> 8 & 0xFF),
                  static_cast<int>(n >> 16 & 0xFF), static_cast<int>(n >> 24), nOrigin});
}

uint32_t PositionOf(const CSimReply& reply)
{
    const CBytes& p = reply.m_arrPayload;
    return p.size() == 5 ? (p[1] | p[2] << 8 | p[3] << 16 | static_cast<uint32_t>(p[4]) << 24)
                         : 0xFFFFFFFFu;
}

std::string ReadWholeFile(CSimRawLink& link)
{
    std::string strData;
    for (;;)
    {
        const CSimReply reply = link.File(Bytes({0}));
        EXPECT_EQ(0, reply.m_nResult);
        EXPECT_LE(reply.m_arrPayload.size(), 255u);
        if (reply.m_arrPayload.size() <= 1)
            return strData;
        EXPECT_EQ(0, reply.m_arrPayload[0]);
        strData.append(reply.m_arrPayload.begin() + 1, reply.m_arrPayload.end());
    }
}
} // namespace

TEST(SimFileCmd, ListingGivesEveryEntrySortedWithSizeAndLocalDate)
{
    CTempDir card;
    card.WriteFile("b.csv", "12345");
    card.WriteFile("A.CSV", std::string(70000, 'a'));
    card.WriteFile("LOGS/inner.txt", "x");
    card.WriteFile("noext", "");
    // 2024-03-09 13:14:15 local time.
    struct tm tmWhen = {};
    tmWhen.tm_year = 124;
    tmWhen.tm_mon = 2;
    tmWhen.tm_mday = 9;
    tmWhen.tm_hour = 13;
    tmWhen.tm_min = 14;
    tmWhen.tm_sec = 15;
    tmWhen.tm_isdst = -1;
    const time_t tWhen = mktime(&tmWhen);
    const timespec arrTimes[2] = {{tWhen, 0}, {tWhen, 0}};
    utimensat(AT_FDCWD, (card.Path() / "A.CSV").c_str(), arrTimes, 0);

    CSimulatorProcess sim({"--card", card.Str(), "--zero-date", "NOEXT"});
    CSimRawLink link(sim.Port());
    const std::vector<CEntry> arrAll = ListFiles(link, "*.*");
    ASSERT_EQ(4u, arrAll.size());
    EXPECT_EQ("A.CSV", arrAll[0].m_strName); // byte order: upper case first
    EXPECT_EQ("LOGS", arrAll[1].m_strName);
    EXPECT_EQ("b.csv", arrAll[2].m_strName);
    EXPECT_EQ("noext", arrAll[3].m_strName);
    EXPECT_EQ(70000u, arrAll[0].m_nSize);
    EXPECT_EQ(0u, arrAll[1].m_nSize);
    EXPECT_EQ(5u, arrAll[2].m_nSize);
    EXPECT_EQ(2024, arrAll[0].m_nYear);
    EXPECT_EQ(3, arrAll[0].m_nMonth);
    EXPECT_EQ(9, arrAll[0].m_nDay);
    EXPECT_EQ(13, arrAll[0].m_nHour);
    EXPECT_EQ(14, arrAll[0].m_nMinute);
    EXPECT_EQ(15, arrAll[0].m_nSecond);
    // --zero-date: every date and time field 0, the rest as usual.
    EXPECT_EQ(0, arrAll[3].m_nYear + arrAll[3].m_nMonth + arrAll[3].m_nDay + arrAll[3].m_nHour);
    EXPECT_NE(0, arrAll[2].m_nYear);

    const std::vector<CEntry> arrCsv = ListFiles(link, "*.csv");
    ASSERT_EQ(2u, arrCsv.size());
    EXPECT_EQ("A.CSV", arrCsv[0].m_strName);
    EXPECT_EQ("b.csv", arrCsv[1].m_strName);

    // Next entry without an open listing is a file-system error.
    EXPECT_EQ(24, link.File(Bytes({7})).m_nResult);
}

TEST(SimFileCmd, FileIsReadInBlocksOf254WithSeeksFromEveryOrigin)
{
    CTempDir card;
    std::string strContent;
    for (int i = 0; i < 1000; ++i)
        strContent.push_back(static_cast<char>(i * 7));
    card.WriteFile("DATA.BIN", strContent);
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink link(sim.Port());

    EXPECT_EQ(24, link.File(Bytes({0})).m_nResult) << "nothing open yet";
    EXPECT_EQ(24, link.File(SeekRequest(0, 1)).m_nResult);
    EXPECT_EQ(Bytes({3}), link.File(WithName(Bytes({3, 0}), "data.bin")).m_arrPayload)
        << "names compare without regard to case";
    EXPECT_EQ(1000u, PositionOf(link.File(SeekRequest(0, 1))));
    EXPECT_EQ(0u, PositionOf(link.File(SeekRequest(0, 0))));
    const CSimReply first = link.File(Bytes({0}));
    ASSERT_EQ(255u, first.m_arrPayload.size());
    EXPECT_EQ(strContent.substr(0, 254),
              std::string(first.m_arrPayload.begin() + 1, first.m_arrPayload.end()));
    EXPECT_EQ(254u + 10u, PositionOf(link.File(SeekRequest(10, 2))));
    EXPECT_EQ(990u, PositionOf(link.File(SeekRequest(-10, 1))));
    EXPECT_EQ(24, link.File(SeekRequest(-1, 0)).m_nResult) << "before the start";
    EXPECT_EQ(24, link.File(SeekRequest(0, 3)).m_nResult) << "unknown origin";
    EXPECT_EQ(24, link.File(Bytes({2, 0, 0})).m_nResult) << "seek request cut short";

    EXPECT_EQ(0u, PositionOf(link.File(SeekRequest(0, 0))));
    EXPECT_EQ(strContent, ReadWholeFile(link));
    EXPECT_EQ(Bytes({0}), link.File(Bytes({0})).m_arrPayload) << "still empty at the end";
    EXPECT_EQ(Bytes({4}), link.File(Bytes({4})).m_arrPayload);
    EXPECT_EQ(24, link.File(Bytes({0})).m_nResult) << "closed";

    // Open failures: no such file, a folder, no name at all.
    card.WriteFile("SUB/x", "");
    EXPECT_EQ(24, link.File(WithName(Bytes({3, 0}), "MISSING.CSV")).m_nResult);
    EXPECT_EQ(24, link.File(WithName(Bytes({3, 0}), "SUB")).m_nResult);
    EXPECT_EQ(24, link.File(Bytes({3})).m_nResult);
    EXPECT_EQ(24, link.File(Bytes({99})).m_nResult) << "unknown sub-command";
}

TEST(SimFileCmd, EachConnectionHasItsOwnOpenFile)
{
    CTempDir card;
    card.WriteFile("ONE.TXT", "first file");
    card.WriteFile("TWO.TXT", "the second file");
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink linkOne(sim.Port()), linkTwo(sim.Port());
    ASSERT_EQ(0, linkOne.File(WithName(Bytes({3, 0}), "ONE.TXT")).m_nResult);
    ASSERT_EQ(0, linkTwo.File(WithName(Bytes({3, 0}), "TWO.TXT")).m_nResult);
    EXPECT_EQ("first file", ReadWholeFile(linkOne));
    EXPECT_EQ("the second file", ReadWholeFile(linkTwo));
    // 21 closes only this connection's file.
    EXPECT_EQ(0, linkOne.File(Bytes({21})).m_nResult);
    EXPECT_EQ(24, linkOne.File(Bytes({0})).m_nResult);
    EXPECT_EQ(15u, PositionOf(linkTwo.File(SeekRequest(0, 1))));
}

TEST(SimFileCmd, DeleteRenameAndBackupChangeTheCard)
{
    CTempDir card;
    card.WriteFile("41225A07.CSV", "Date,Time,T\n");
    card.WriteFile("41225A07.BAK", "old backup");
    card.WriteFile("90101107.csv", "other");
    card.WriteFile("NOTES.TXT", "notes");
    card.WriteFile("GONE.TXT", "bye");
    CSimulatorProcess sim({"--card", card.Str()});
    CSimRawLink link(sim.Port());
    const auto Exists = [&](const char* psz) { return std::filesystem::exists(card.Path() / psz); };

    EXPECT_EQ(Bytes({13}), link.File(WithName(Bytes({13}), "GONE.TXT")).m_arrPayload);
    EXPECT_FALSE(Exists("GONE.TXT"));
    EXPECT_EQ(24, link.File(WithName(Bytes({13}), "GONE.TXT")).m_nResult);

    CBytes arrRename = WithName(WithName(Bytes({14}), "NOTES.TXT"), "NEW.TXT");
    EXPECT_EQ(0, link.File(arrRename).m_nResult);
    EXPECT_TRUE(Exists("NEW.TXT"));
    EXPECT_FALSE(Exists("NOTES.TXT"));
    EXPECT_EQ(24, link.File(arrRename).m_nResult) << "source gone";
    EXPECT_EQ(24, link.File(WithName(WithName(Bytes({14}), "NEW.TXT"), "90101107.CSV")).m_nResult)
        << "target exists (case ignored)";
    EXPECT_EQ("other", card.ReadFile("90101107.csv"));
    EXPECT_EQ(24, link.File(WithName(Bytes({14}), "NEW.TXT")).m_nResult) << "no new name";

    EXPECT_EQ(Bytes({16}), link.File(WithName(Bytes({16}), "41225A07.CSV")).m_arrPayload);
    EXPECT_EQ("Date,Time,T\n", card.ReadFile("41225A07.BAK")) << "older backup replaced";
    EXPECT_EQ(24, link.File(WithName(Bytes({16}), "MISSING.CSV")).m_nResult);

    EXPECT_EQ(Bytes({17}), link.File(Bytes({17})).m_arrPayload);
    EXPECT_EQ("other", card.ReadFile("90101107.BAK"));
    EXPECT_FALSE(Exists("NEW.BAK")) << "only CSV files are backed up";

    // No temporary file is left behind by any of it.
    for (const auto& entry : std::filesystem::directory_iterator(card.Path()))
        EXPECT_NE('.', entry.path().filename().string()[0]) << entry.path();
}

TEST(SimFileCmd, NamesThatWouldLeaveTheCardAreRefused)
{
    CTempDir outside;
    outside.WriteFile("card/INSIDE.TXT", "in");
    outside.WriteFile("SECRET.TXT", "must stay");
    const std::string strCard = outside.Str() + "/card";
    CSimulatorProcess sim({"--card", strCard});
    CSimRawLink link(sim.Port());

    for (const char* pszName :
         {"../SECRET.TXT", "..\\SECRET.TXT", "..", ".", "/etc/passwd", "sub/INSIDE.TXT", ""})
    {
        EXPECT_EQ(24, link.File(WithName(Bytes({3, 0}), pszName)).m_nResult) << pszName;
        EXPECT_EQ(24, link.File(WithName(Bytes({13}), pszName)).m_nResult) << pszName;
        EXPECT_EQ(24, link.File(WithName(Bytes({16}), pszName)).m_nResult) << pszName;
        EXPECT_EQ(24, link.File(WithName(WithName(Bytes({14}), "INSIDE.TXT"), pszName)).m_nResult)
            << pszName;
        EXPECT_EQ(24, link.File(WithName(WithName(Bytes({14}), pszName), "X.TXT")).m_nResult)
            << pszName;
    }
    EXPECT_EQ(24, link.File(WithName(Bytes({6}), "../*.*")).m_nResult);
    EXPECT_EQ("must stay", outside.ReadFile("SECRET.TXT"));
    EXPECT_EQ("in", outside.ReadFile("card/INSIDE.TXT"));

    // A symbolic link is neither listed nor followed.
    std::filesystem::create_symlink(outside.Path() / "SECRET.TXT",
                                    std::filesystem::path(strCard) / "LINK.TXT");
    EXPECT_EQ(24, link.File(WithName(Bytes({3, 0}), "LINK.TXT")).m_nResult);
    EXPECT_EQ(0, link.File(WithName(Bytes({6}), "*.*")).m_nResult);
    const CSimReply entry = link.File(Bytes({7}));
    EXPECT_EQ("INSIDE.TXT",
              std::string(entry.m_arrPayload.begin() + 1, entry.m_arrPayload.begin() + 11));
    EXPECT_EQ(Bytes({7}), link.File(Bytes({7})).m_arrPayload);
}
