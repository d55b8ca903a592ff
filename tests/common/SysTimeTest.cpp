#include "common/SysTime.h"
#include "common/StrFormat.h"

#include <gtest/gtest.h>

TEST(DateTime, RealDatesAreValidAndImpossibleOnesAreNot)
{
    EXPECT_TRUE(CDateTime::FromFields(2026, 12, 4, 15, 26, 16).IsValid());
    EXPECT_TRUE(CDateTime::FromFields(2024, 2, 29, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromFields(2023, 2, 29, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromFields(2026, 2, 31, 0, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromFields(2026, 1, 1, 24, 0, 0).IsValid());
    EXPECT_FALSE(CDateTime::FromFields(0, 0, 0, 0, 0, 0).IsValid());
}

TEST(DateTime, FieldsRoundTripAndFormat)
{
    const CDateTime dt = CDateTime::FromFields(2026, 12, 4, 15, 26, 16);
    EXPECT_EQ(2026, dt.GetYear());
    EXPECT_EQ(12, dt.GetMonth());
    EXPECT_EQ(4, dt.GetDay());
    EXPECT_EQ(15, dt.GetHour());
    EXPECT_EQ(26, dt.GetMinute());
    EXPECT_EQ(16, dt.GetSecond());
    EXPECT_EQ(5, dt.GetDayOfWeek()); // Friday
    EXPECT_EQ("Fri, Dec 04, 2026, 15:26:16", dt.Format("%a, %b %d, %Y, %X"));
    EXPECT_EQ("Invalid DateTime", CDateTime().Format("%Y"));
    // The day count is the one of the 1899-12-30 epoch.
    EXPECT_DOUBLE_EQ(2.0, CDateTime::FromFields(1900, 1, 1, 0, 0, 0).GetValue());
    EXPECT_DOUBLE_EQ(-1.0, CDateTime::FromFields(1899, 12, 29, 0, 0, 0).GetValue());
}

TEST(DateTime, OrderingTreatsInvalidAsNeverLater)
{
    const CDateTime a = CDateTime::FromFields(2026, 1, 1, 0, 0, 1);
    const CDateTime b = CDateTime::FromFields(2026, 1, 1, 0, 0, 0);
    EXPECT_TRUE(a.IsLaterThan(b));
    EXPECT_FALSE(b.IsLaterThan(a));
    EXPECT_FALSE(CDateTime().IsLaterThan(b));
    EXPECT_FALSE(a.IsLaterThan(CDateTime()));
    EXPECT_TRUE(CDateTime() == CDateTime());
}

TEST(FileTime, EpochAndMillisecondsAndRejection)
{
    SYSTEMTIME st{1970, 1, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToFileTime(st).has_value());
    EXPECT_EQ(116444736000000000ULL, *SystemTimeToFileTime(st));
    st.wMilliseconds = 7;
    EXPECT_EQ(116444736000070000ULL, *SystemTimeToFileTime(st));
    st.wMonth = 13;
    EXPECT_FALSE(SystemTimeToFileTime(st).has_value());
    SYSTEMTIME feb{2026, 2, 0, 30, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(feb).has_value());
}

TEST(StrFormat, FormatsJoinsAndTrims)
{
    EXPECT_EQ("a 5 b", StrFormat("%s %d %s", "a", 5, "b"));
    EXPECT_EQ("", StrFormat("%s", ""));
    EXPECT_EQ("x\ny", JoinLines("x", "y"));
    EXPECT_EQ("y", JoinLines("", "y"));
    EXPECT_EQ("x", JoinLines("x", ""));
    EXPECT_EQ("a b", TrimBlanks(" \t a b\r\n"));
    EXPECT_EQ("", TrimBlanks("   "));
    EXPECT_TRUE(EqualsNoCase("Date", "dATE"));
    EXPECT_FALSE(EqualsNoCase("Date", "Dates"));
}
