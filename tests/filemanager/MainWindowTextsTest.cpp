#include "filemanager/MainWindowTexts.h"

#include <gtest/gtest.h>

namespace
{
TEST(MainWindowTextsTest, LocalFolderOfATreeSelection)
{
    EXPECT_EQ(LocalFolderForSelection("/home/user/data", true), "/home/user/data");
    EXPECT_EQ(LocalFolderForSelection("/home/user/data/a.csv", false), "/home/user/data");
    EXPECT_EQ(LocalFolderForSelection("C:\\Logs\\a.csv", false), "C:\\Logs");
    // A file directly below the root keeps the box as it was.
    EXPECT_EQ(LocalFolderForSelection("/a.csv", false), std::nullopt);
    EXPECT_EQ(LocalFolderForSelection("a.csv", false), std::nullopt);
}
} // namespace
