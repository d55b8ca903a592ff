#pragma once
// The desktop program's command line, read before any window exists (so that
// --help and --version work without a display):
//   OrvakFileManager                        the main window
//   OrvakFileManager --view HOST[:PORT] FILE the data viewer on a panel's file
//   OrvakFileManager --help | --version
// Arguments with a single dash belong to Qt (-platform, -style, ...) and are
// left to it.
#include <string>
#include <vector>

class CProgramLoader;

enum class EAppAction
{
    MainWindow,
    View,
    Help,
    Version,
    UsageError,
};

// Exit statuses of the program.
constexpr int APP_EXIT_OK = 0;
constexpr int APP_EXIT_FAILED = 1;
constexpr int APP_EXIT_USAGE = 2;

struct SAppCommandLine
{
    EAppAction eAction = EAppAction::MainWindow;
    std::string strHost;
    int nPort = 0;
    std::string strFile;
    std::string strError; // for UsageError
};

// arrArgs without the program name.
SAppCommandLine ParseAppCommandLine(const std::vector<std::string>& arrArgs);

std::string AppUsageText();
std::string AppVersionText(const CProgramLoader& loader);
