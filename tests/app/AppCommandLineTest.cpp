// The desktop program's command line, one row per shape of it.
#include "app/AppCommandLine.h"
#include "app/CProgramLoader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{
struct SCommandLineCase
{
    const char* pszLabel;
    std::vector<std::string> arrArgs;
    EAppAction eAction;
    const char* pszHost;
    int nPort;
    const char* pszFile;
    const char* pszError;
};

// Test lists name the case, not its bytes.
void PrintTo(const SCommandLineCase& c, std::ostream* pOut)
{
    *pOut << c.pszLabel;
}

const SCommandLineCase COMMAND_LINE_CASES[] = {
    {"nothing", {}, EAppAction::MainWindow, "", 0, "", ""},
    {"help", {"--help"}, EAppAction::Help, "", 0, "", ""},
    {"short help", {"-h"}, EAppAction::Help, "", 0, "", ""},
    {"help wins over view", {"--view", "--help"}, EAppAction::Help, "", 0, "", ""},
    {"version", {"--version"}, EAppAction::Version, "", 0, "", ""},
    {"view default port",
     {"--view", "127.0.0.1", "41225A07.CSV"},
     EAppAction::View,
     "127.0.0.1",
     10001,
     "41225A07.CSV",
     ""},
    {"view with port",
     {"--view", "127.0.0.2:4242", "LOG.CSV"},
     EAppAction::View,
     "127.0.0.2",
     4242,
     "LOG.CSV",
     ""},
    {"view by name",
     {"--view", "localhost:10002", "A.CSV"},
     EAppAction::View,
     "localhost",
     10002,
     "A.CSV",
     ""},
    {"view after a Qt option",
     {"-platform", "offscreen", "--view", "127.0.0.1", "A.CSV"},
     EAppAction::View,
     "127.0.0.1",
     10001,
     "A.CSV",
     ""},
    {"Qt options alone", {"-style", "fusion", "-reverse"}, EAppAction::MainWindow, "", 0, "", ""},
    {"view without file",
     {"--view", "127.0.0.1"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "--view needs HOST[:PORT] and FILE"},
    {"view with three arguments",
     {"--view", "127.0.0.1", "A.CSV", "B.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "--view needs HOST[:PORT] and FILE"},
    {"port zero",
     {"--view", "127.0.0.1:0", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "bad HOST[:PORT] 127.0.0.1:0"},
    {"port too big",
     {"--view", "127.0.0.1:65536", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "bad HOST[:PORT] 127.0.0.1:65536"},
    {"port not a number",
     {"--view", "127.0.0.1:x1", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "bad HOST[:PORT] 127.0.0.1:x1"},
    {"empty port",
     {"--view", "127.0.0.1:", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "bad HOST[:PORT] 127.0.0.1:"},
    {"no host",
     {"--view", ":10001", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "bad HOST[:PORT] :10001"},
    {"empty file name",
     {"--view", "127.0.0.1", ""},
     EAppAction::UsageError,
     "",
     0,
     "",
     "--view needs a FILE name"},
    {"unknown option",
     {"--viwe", "127.0.0.1", "A.CSV"},
     EAppAction::UsageError,
     "",
     0,
     "",
     "unknown option --viwe"},
    {"stray argument", {"A.CSV"}, EAppAction::UsageError, "", 0, "", "unexpected argument A.CSV"},
};

class AppCommandLineTest : public ::testing::TestWithParam<SCommandLineCase>
{
};

TEST_P(AppCommandLineTest, ParsesAsExpected)
{
    const SCommandLineCase& c = GetParam();
    const SAppCommandLine cmd = ParseAppCommandLine(c.arrArgs);
    EXPECT_EQ(cmd.eAction, c.eAction);
    EXPECT_EQ(cmd.strError, c.pszError);
    if (c.eAction == EAppAction::View)
    {
        EXPECT_EQ(cmd.strHost, c.pszHost);
        EXPECT_EQ(cmd.nPort, c.nPort);
        EXPECT_EQ(cmd.strFile, c.pszFile);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AppCommandLineTest, ::testing::ValuesIn(COMMAND_LINE_CASES),
                         [](const ::testing::TestParamInfo<SCommandLineCase>& info)
                         {
                             std::string strName = info.param.pszLabel;
                             for (char& c : strName)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return strName;
                         });

TEST(AppCommandLineTexts, HelpNamesEveryOptionAndVersionNamesTheBrand)
{
    const std::string strHelp = AppUsageText();
    for (const char* pszOption : {"--view HOST[:PORT] FILE", "--help", "--version", "10001"})
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
    const CProgramLoader loader("/nonexistent/version.txt", DEFAULT_BRAND);
    EXPECT_EQ(AppVersionText(loader), "Ilvane Remote File Manager Version 1.1.9\n");
}
} // namespace
