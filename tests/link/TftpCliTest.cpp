// orvak-cli over TFTP against the simulator: `get` from a panel read by TFTP
// (type 80, which cannot back up CSV files), `put`, and --tftp forcing the
// TFTP path where the file commands could read the file (type 186).
#include "LinkTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>

namespace
{
// Exit status, and standard output and error together.
std::pair<int, std::string> RunCli(const std::string& strArgs)
{
    std::string strOutput;
    FILE* pPipe = ::popen((std::string(ORVAK_CLI_PATH) + " " + strArgs + " 2>&1").c_str(), "r");
    char arrBuffer[512];
    for (size_t n; pPipe && (n = std::fread(arrBuffer, 1, sizeof(arrBuffer), pPipe)) > 0;)
        strOutput.append(arrBuffer, n);
    const int nStatus = pPipe ? ::pclose(pPipe) : -1;
    return {WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1, strOutput};
}

std::string PanelArgs(const CSimPanel& panel)
{
    return "--tftp-port " + std::to_string(panel.TftpPort()) +
           " 127.0.0.1:" + std::to_string(panel.Port()) + " ";
}
} // namespace

TEST(TftpCli, GetAndPutByTftp)
{
    CSimPanel tftpOnly, refusing;
    CTempDir local;
    tftpOnly.Card().WriteFile("41225A07.CSV", std::string(5000, 'x') + "end");
    refusing.Card().WriteFile("A.CSV", "abc");
    local.WriteFile("up.csv", "Date,Time,T1\n");
    tftpOnly.Start({"--type", "80"}, true);
    refusing.Start({"--type", "186", "--tftp-error", "2:Access violation"}, true);
    const std::string strLocal = local.Str() + "/";
    const struct
    {
        const CSimPanel& panel;
        const char* pszOption;
        std::string strArgs;
        int nExit;
        const char* pszOutput;
    } arrCases[] = {
        {tftpOnly, "", "get 41225A07.CSV " + strLocal + "copy.csv", 0, ""},
        {tftpOnly, "", "get NOPE.CSV " + strLocal + "nope.csv", 1,
         "#1:File not found\nCan't get data.\nError in copying NOPE.CSV"},
        {tftpOnly, "", "put " + strLocal + "up.csv UP.CSV", 0, ""},
        {tftpOnly, "", "put " + strLocal + "up.csv ../UP.CSV", 1, "is not a plain file name"},
        {tftpOnly, "", "put " + strLocal + "none.csv X.CSV", 1, "is not a file"},
        {refusing, "", "get A.CSV " + strLocal + "a.csv", 0, ""}, // by the file commands
        {refusing, "--tftp ", "get A.CSV " + strLocal + "a2.csv", 1,
         "#2:Access violation\nCan't get data.\nError in copying A.CSV"},
    };
    for (const auto& c : arrCases)
    {
        const auto [nExit, strOutput] = RunCli(c.pszOption + PanelArgs(c.panel) + c.strArgs);
        EXPECT_EQ(c.nExit, nExit) << c.strArgs << "\n" << strOutput;
        EXPECT_NE(std::string::npos, strOutput.find(c.pszOutput)) << c.strArgs << "\n" << strOutput;
    }
    EXPECT_EQ(tftpOnly.Card().ReadFile("41225A07.CSV"), local.ReadFile("copy.csv"));
    EXPECT_EQ("Date,Time,T1\n", tftpOnly.Card().ReadFile("UP.CSV"));
    EXPECT_EQ("abc", local.ReadFile("a.csv"));
    std::set<std::string> setLeft; // a failed get leaves no file, not even a temporary
    for (const auto& entry : std::filesystem::directory_iterator(local.Path()))
        setLeft.insert(entry.path().filename().string());
    EXPECT_EQ(setLeft, (std::set<std::string>{"a.csv", "copy.csv", "up.csv"}));
}
