#include "filemanager/logic/CSortStringArray.h"

#include <gtest/gtest.h>

namespace
{
TEST(SortStringArray, AscendingWithoutRegardToCase)
{
    CSortStringArray arr;
    for (const char* psz : {"gamma", "Beta", "alpha", "Alpha2", "beta1"})
        arr.Add(psz);
    arr.Sort();
    EXPECT_EQ(arr, (std::vector<std::string>{"alpha", "Alpha2", "Beta", "beta1", "gamma"}));
}

TEST(SortStringArray, EqualTextsKeepTheirOrder)
{
    CSortStringArray arr;
    for (const char* psz : {"b", "DATA", "a", "data", "Data"})
        arr.Add(psz);
    arr.Sort();
    EXPECT_EQ(arr, (std::vector<std::string>{"a", "b", "DATA", "data", "Data"}));
}

TEST(SortStringArray, ComparesInLowerCase)
{
    // In lower case '_' (0x5F) sorts before the letters; in upper case it would follow them.
    CSortStringArray arr;
    for (const char* psz : {"b", "_tmp", "A"})
        arr.Add(psz);
    arr.Sort();
    EXPECT_EQ(arr, (std::vector<std::string>{"_tmp", "A", "b"}));
    EXPECT_LT(CSortStringArray::CompareNoCase("ab", "ABC"), 0);
    EXPECT_EQ(CSortStringArray::CompareNoCase("AbC", "aBc"), 0);
}
} // namespace
