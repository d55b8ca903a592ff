// OrvakFileManager: manages the files on the SD cards of operator panels on
// the local network.
#include "app/gui/COrvakFileManagerApp.h"
#include "common/CTempFile.h"

int main(int nArgc, char** arrArgv)
{
    // Ended by SIGINT or SIGTERM mid-copy or mid-export, the program leaves
    // no temporary file behind.
    InstallTempFileCleanup();
    COrvakFileManagerApp app(nArgc, arrArgv);
    return app.Run();
}
