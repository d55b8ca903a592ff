// The desktop program's options that end before any window work without a display.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <tuple>

TEST(ProgramOptions, EndBeforeAnyWindowWithoutADisplay)
{
    // The arguments, the exit status, a text of standard output and error together.
    const std::tuple<const char*, int, const char*> arrCases[] = {
        {"--help", 0, "--view HOST[:PORT] FILE"},
        {"--version", 0, "Ilvane Remote File Manager Version 1.1.9"},
        {"--view 127.0.0.1", 2, "--view needs HOST[:PORT] and FILE"},
        {"--bogus", 2, "Try 'OrvakFileManager --help'."},
    };
    const auto path = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (const auto& [pszArgs, nExit, pszOutput] : arrCases)
    {
        const std::string strCommand = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                                       (path / "OrvakFileManager").string() + "' " + pszArgs +
                                       " 2>&1";
        FILE* pPipe = popen(strCommand.c_str(), "r");
        ASSERT_NE(pPipe, nullptr);
        std::string strOutput;
        char szBuffer[512];
        while (size_t nRead = fread(szBuffer, 1, sizeof(szBuffer), pPipe))
            strOutput.append(szBuffer, nRead);
        const int nStatus = pclose(pPipe);
        ASSERT_TRUE(WIFEXITED(nStatus)) << pszArgs;
        EXPECT_EQ(WEXITSTATUS(nStatus), nExit) << pszArgs << "\n" << strOutput;
        EXPECT_NE(strOutput.find(pszOutput), std::string::npos) << pszArgs << "\n" << strOutput;
    }
}
