// The desktop program's command line, one row per shape of it.
#include "app/AppCommandLine.h"
#include "app/CProgramLoader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct SCommandLineCase
{
    std::vector<std::string> arrArgs;
    EAppAction eAction;
    // View: "HOST PORT FILE"; UsageError: the message; otherwise empty.
    const char* pszExpected;
};

const SCommandLineCase COMMAND_LINE_CASES[] = {
    {{}, EAppAction::MainWindow, ""},
    {{"--help"}, EAppAction::Help, ""},
    {{"-h"}, EAppAction::Help, ""},
    {{"--view", "--help"}, EAppAction::Help, ""},
    {{"--version"}, EAppAction::Version, ""},
    {{"--view", "127.0.0.1", "41225A07.CSV"}, EAppAction::View, "127.0.0.1 10001 41225A07.CSV"},
    {{"--view", "127.0.0.2:4242", "LOG.CSV"}, EAppAction::View, "127.0.0.2 4242 LOG.CSV"},
    {{"--view", "localhost:10002", "A.CSV"}, EAppAction::View, "localhost 10002 A.CSV"},
    {{"-platform", "offscreen", "--view", "127.0.0.1", "A.CSV"},
     EAppAction::View,
     "127.0.0.1 10001 A.CSV"},
    {{"-style", "fusion", "-reverse"}, EAppAction::MainWindow, ""},
    {{"--view", "127.0.0.1"}, EAppAction::UsageError, "--view needs HOST[:PORT] and FILE"},
    {{"--view", "127.0.0.1", "A.CSV", "B.CSV"},
     EAppAction::UsageError,
     "--view needs HOST[:PORT] and FILE"},
    {{"--view", "127.0.0.1:0", "A.CSV"}, EAppAction::UsageError, "bad HOST[:PORT] 127.0.0.1:0"},
    {{"--view", "127.0.0.1:65536", "A.CSV"},
     EAppAction::UsageError,
     "bad HOST[:PORT] 127.0.0.1:65536"},
    {{"--view", "127.0.0.1:x1", "A.CSV"}, EAppAction::UsageError, "bad HOST[:PORT] 127.0.0.1:x1"},
    {{"--view", "127.0.0.1:", "A.CSV"}, EAppAction::UsageError, "bad HOST[:PORT] 127.0.0.1:"},
    {{"--view", ":10001", "A.CSV"}, EAppAction::UsageError, "bad HOST[:PORT] :10001"},
    {{"--view", "127.0.0.1", ""}, EAppAction::UsageError, "--view needs a FILE name"},
    {{"--viwe", "127.0.0.1", "A.CSV"}, EAppAction::UsageError, "unknown option --viwe"},
    {{"A.CSV"}, EAppAction::UsageError, "unexpected argument A.CSV"},
};
} // namespace

TEST(AppCommandLine, ParsesEveryShape)
{
    for (const SCommandLineCase& c : COMMAND_LINE_CASES)
    {
        std::string strArgs;
        for (const std::string& strArg : c.arrArgs)
            strArgs += "'" + strArg + "' ";
        SCOPED_TRACE(strArgs);
        const SAppCommandLine cmd = ParseAppCommandLine(c.arrArgs);
        EXPECT_EQ(cmd.eAction, c.eAction);
        if (c.eAction == EAppAction::View)
        {
            EXPECT_EQ(cmd.strHost + " " + std::to_string(cmd.nPort) + " " + cmd.strFile,
                      c.pszExpected);
        }
        EXPECT_EQ(cmd.strError, c.eAction == EAppAction::UsageError ? c.pszExpected : "");
    }
}

TEST(AppCommandLine, HelpNamesEveryOptionAndVersionNamesTheBrand)
{
    const std::string strHelp = AppUsageText();
    for (const char* pszOption : {"--view HOST[:PORT] FILE", "--help", "--version", "10001"})
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
    const CProgramLoader loader("/nonexistent/version.txt", DEFAULT_BRAND);
    EXPECT_EQ(AppVersionText(loader), "Ilvane Remote File Manager Version 1.1.9\n");
}
