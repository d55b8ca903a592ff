// The desktop program's options that end before any window: they must work
// without a display (the window system is made unusable for the run).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

TEST(ProgramOptions, EndBeforeAnyWindowWithoutADisplay)
{
    const struct
    {
        const char* pszArgs;
        int nExit;
        const char* pszOutput; // expected in standard output and error together
    } arrCases[] = {
        {"--help", 0, "--view HOST[:PORT] FILE"},
        {"--version", 0, "Ilvane Remote File Manager Version 1.1.9"},
        {"--view 127.0.0.1", 2, "--view needs HOST[:PORT] and FILE"},
        {"--bogus", 2, "Try 'OrvakFileManager --help'."},
    };
    for (const auto& c : arrCases)
    {
        const std::string strCommand =
            "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
            (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "OrvakFileManager")
                .string() +
            "' " + c.pszArgs + " 2>&1";
        FILE* pPipe = popen(strCommand.c_str(), "r");
        ASSERT_NE(pPipe, nullptr);
        std::string strOutput;
        std::array<char, 512> buffer{};
        while (size_t nRead = fread(buffer.data(), 1, buffer.size(), pPipe))
            strOutput.append(buffer.data(), nRead);
        const int nStatus = pclose(pPipe);
        ASSERT_TRUE(WIFEXITED(nStatus)) << c.pszArgs;
        EXPECT_EQ(WEXITSTATUS(nStatus), c.nExit) << c.pszArgs << "\n" << strOutput;
        EXPECT_NE(strOutput.find(c.pszOutput), std::string::npos) << c.pszArgs << "\n" << strOutput;
    }
}
