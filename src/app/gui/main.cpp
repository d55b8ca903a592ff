// OrvakFileManager: manages the files on the SD cards of operator panels on
// the local network.
#include "app/AppCommandLine.h"
#include "app/CProgramLoader.h"
#include "app/gui/COrvakFileManagerApp.h"
#include "common/CTempFile.h"

#include <cstdio>

int main(int nArgc, char** arrArgv)
{
    // Read before the application object exists: --help and --version need no display.
    const SAppCommandLine cmd =
        ParseAppCommandLine(std::vector<std::string>(arrArgv + 1, arrArgv + nArgc));
    switch (cmd.eAction)
    {
    case EAppAction::Help:
        std::fputs(AppUsageText().c_str(), stdout);
        return APP_EXIT_OK;
    case EAppAction::Version:
        std::fputs(AppVersionText(g_ProgramLoader).c_str(), stdout);
        return APP_EXIT_OK;
    case EAppAction::UsageError:
        std::fprintf(stderr, "OrvakFileManager: %s\nTry 'OrvakFileManager --help'.\n",
                     cmd.strError.c_str());
        return APP_EXIT_USAGE;
    case EAppAction::View:
    case EAppAction::MainWindow:
        break;
    }
    // Ended by SIGINT or SIGTERM mid-copy or mid-export, the program leaves
    // no temporary file behind.
    InstallTempFileCleanup();
    COrvakFileManagerApp app(nArgc, arrArgv);
    if (cmd.eAction == EAppAction::View)
        return app.RunViewer(cmd.strHost, cmd.nPort, cmd.strFile);
    return app.Run();
}
