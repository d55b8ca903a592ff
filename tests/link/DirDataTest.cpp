// Listing entries: trimming, unsigned sizes and the date-time validity rule.
#include "link/CDirData.h"

#include <gtest/gtest.h>

TEST(DirDataTest, EntryFieldsFromTheWire)
{
    const DIR_DATA entry = MakeDirEntry("  41225A07.CSV \t", 2048, 2024, 12, 25, 23, 59, 58);
    EXPECT_EQ(entry.strName, "41225A07.CSV");
    EXPECT_EQ(entry.strSize, "2048");
    ASSERT_TRUE(entry.dtModified.IsValid());
    EXPECT_EQ(entry.dtModified.Format("%Y-%m-%d %H:%M:%S"), "2024-12-25 23:59:58");
}

TEST(DirDataTest, LargeSizesAreNeverNegative)
{
    EXPECT_EQ(MakeDirEntry("A", 0x80000000u, 2024, 1, 1, 0, 0, 0).strSize, "2147483648");
    EXPECT_EQ(MakeDirEntry("A", 0xFFFFFFFFu, 2024, 1, 1, 0, 0, 0).strSize, "4294967295");
}

TEST(DirDataTest, DateTimesThatAreNotRealAreInvalid)
{
    const int arrFields[][6] = {
        {0, 0, 0, 0, 0, 0},                              // the fields a panel sends for "no date"
        {2023, 2, 29, 0, 0, 0},                          // not a leap year
        {2024, 2, 31, 12, 0, 0},                         // 31 February
        {2024, 4, 31, 12, 0, 0}, {2024, 1, 1, 24, 0, 0}, // hour 24
        {2024, 1, 1, 0, 60, 0},  {2024, 1, 1, 0, 0, 60}, {2024, 13, 1, 0, 0, 0},
    };
    for (const auto& f : arrFields)
    {
        const DIR_DATA entry = MakeDirEntry("X", 1, f[0], f[1], f[2], f[3], f[4], f[5]);
        EXPECT_FALSE(entry.dtModified.IsValid()) << f[0] << "-" << f[1] << "-" << f[2];
        EXPECT_EQ(entry.dtModified.Format("%Y"), "Invalid DateTime");
    }
    EXPECT_TRUE(MakeDirEntry("X", 1, 2024, 2, 29, 0, 0, 0).dtModified.IsValid());
}

TEST(DirDataTest, GetAtOutOfRangeGivesAnEmptyEntry)
{
    CDirData list;
    list.Add(MakeDirEntry("A", 1, 2024, 1, 1, 0, 0, 0));
    EXPECT_EQ(list.GetAt(0).strName, "A");
    for (const int nIndex : {-1, 1, 1000})
    {
        const DIR_DATA entry = list.GetAt(nIndex);
        EXPECT_EQ(entry.strName, "");
        EXPECT_EQ(entry.strSize, "");
        EXPECT_FALSE(entry.dtModified.IsValid());
        EXPECT_EQ(entry.dtModified.GetSeconds(), 0);
    }
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}
