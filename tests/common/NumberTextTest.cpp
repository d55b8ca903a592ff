#include "common/NumberText.h"

#include <gtest/gtest.h>

// The whole text is the number: what strtol would quietly accept is refused.
TEST(NumberText, WholeTextNumbersInRangeOnly)
{
    struct SRow
    {
        const char* pszText;
        bool bOk;
        long nValue;
    };
    const SRow arrRows[] = {
        {"80", true, 80},   {"1", true, 1},      {"65535", true, 65535},
        {"0", false, 0},    {"65536", false, 0}, {"", false, 0},
        {" 80", false, 0},  {"+80", false, 0},   {"80 ", false, 0},
        {"0x50", false, 0}, {"-1", false, 0},    {"99999999999999999999", false, 0},
    };
    for (const SRow& row : arrRows)
    {
        long nValue = -7;
        EXPECT_EQ(ParseIntInRange(row.pszText, 1, 65535, nValue), row.bOk) << row.pszText;
        EXPECT_EQ(nValue, row.bOk ? row.nValue : -7) << row.pszText;
    }
}

TEST(NumberText, HostAndOptionalPort)
{
    struct SRow
    {
        const char* pszText;
        bool bOk;
        const char* pszHost;
        int nPort;
    };
    const SRow arrRows[] = {
        {"panel", true, "panel", 10001},      {"10.0.0.5:2101", true, "10.0.0.5", 2101},
        {"a:b:81", true, "a:b", 81},          {":81", false, "", 10001},
        {"panel:", false, "panel", 10001},    {"panel:0", false, "panel", 10001},
        {"panel:+80", false, "panel", 10001}, {"panel:70000", false, "panel", 10001},
    };
    for (const SRow& row : arrRows)
    {
        std::string strHost;
        int nPort = 10001;
        EXPECT_EQ(ParseHostAndPort(row.pszText, strHost, nPort), row.bOk) << row.pszText;
        EXPECT_EQ(strHost, row.pszHost) << row.pszText;
        EXPECT_EQ(nPort, row.nPort) << row.pszText;
    }
}
