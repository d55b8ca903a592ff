#include "common/SysTime.h"

#include <gtest/gtest.h>

TEST(DateTime, ValidityFieldsAndFormat)
{
    const std::tuple<int, int, int, int, bool> arrDates[] = {
        {2026, 12, 4, 15, true}, {2024, 2, 29, 0, true},  {2023, 2, 29, 0, false},
        {2026, 2, 31, 0, false}, {2026, 1, 1, 24, false}, {0, 0, 0, 0, false}};
    for (const auto& [nYear, nMonth, nDay, nHour, bValid] : arrDates)
        EXPECT_EQ(CDateTime::FromFields(nYear, nMonth, nDay, nHour, 0, 0).IsValid(), bValid)
            << nYear << "-" << nMonth << "-" << nDay << " " << nHour;

    const CDateTime dt = CDateTime::FromFields(2026, 12, 4, 15, 26, 16);
    EXPECT_EQ(5, dt.GetDayOfWeek()); // Friday
    EXPECT_EQ("Fri, Dec 04, 2026, 15:26:16", dt.Format("%a, %b %d, %Y, %X"));
    EXPECT_EQ("Invalid DateTime", CDateTime().Format("%Y"));
    // Days since the 1899-12-30 epoch.
    EXPECT_DOUBLE_EQ(2.0, CDateTime::FromFields(1900, 1, 1, 0, 0, 0).GetValue());
    EXPECT_DOUBLE_EQ(-1.0, CDateTime::FromFields(1899, 12, 29, 0, 0, 0).GetValue());
}
