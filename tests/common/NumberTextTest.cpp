#include "common/NumberText.h"

#include <gtest/gtest.h>

// The whole text is the number: what strtol would quietly accept is refused.
TEST(NumberText, WholeTextNumbersAndHostWithOptionalPort)
{
    // An expected value of 0: refused.
    const std::pair<const char*, long> arrNumbers[] = {
        {"80", 80},   {"1", 1},    {"65535", 65535}, {"0", 0},
        {"65536", 0}, {"", 0},     {" 80", 0},       {"+80", 0},
        {"80 ", 0},   {"0x50", 0}, {"-1", 0},        {"99999999999999999999", 0}};
    for (const auto& [pszText, nExpected] : arrNumbers)
    {
        long nValue = -7;
        EXPECT_EQ(ParseIntInRange(pszText, 1, 65535, nValue), nExpected != 0) << pszText;
        EXPECT_EQ(nValue, nExpected != 0 ? nExpected : -7) << pszText;
    }
    // Host and port as left behind: a refused port leaves the caller's 10001.
    const std::tuple<const char*, bool, const char*> arrHosts[] = {
        {"panel", true, "panel:10001"},   {"10.0.0.5:2101", true, "10.0.0.5:2101"},
        {"a:b:81", true, "a:b:81"},       {":81", false, ":10001"},
        {"panel:", false, "panel:10001"}, {"panel:+80", false, "panel:10001"}};
    for (const auto& [pszText, bOk, pszResult] : arrHosts)
    {
        std::string strHost;
        int nPort = 10001;
        EXPECT_EQ(ParseHostAndPort(pszText, strHost, nPort), bOk) << pszText;
        EXPECT_EQ(strHost + ":" + std::to_string(nPort), pszResult) << pszText;
    }
}
