// The desktop program's options that end before any window work without a display.
#include "support/ChildProcess.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

TEST(ProgramOptions, EndBeforeAnyWindowWithoutADisplay)
{
    // The arguments, the exit status, a text of standard output or error.
    const std::tuple<const char*, int, const char*> arrCases[] = {
        {"--help", 0, "--view HOST[:PORT] FILE"},
        {"--version", 0, "Ilvane Remote File Manager Version 1.1.9"},
        {"--bogus", 2, "Try 'OrvakFileManager --help'."},
    };
    const auto path = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (const auto& [pszArgs, nExit, pszOutput] : arrCases)
    {
        CChildProcess program(
            Words("/usr/bin/env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                  (path / "OrvakFileManager").string() + " " + pszArgs));
        ASSERT_TRUE(program.Wait(60000)) << pszArgs;
        const std::string strOutput = program.Output() + program.Errors();
        EXPECT_EQ(program.ExitCode(), nExit) << pszArgs << "\n" << strOutput;
        EXPECT_NE(strOutput.find(pszOutput), std::string::npos) << pszArgs << "\n" << strOutput;
    }
}
