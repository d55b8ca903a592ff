// OrvakFileManager: manages the files on the SD cards of operator panels on
// the local network.
#include "app/gui/COrvakFileManagerApp.h"

int main(int nArgc, char** arrArgv)
{
    COrvakFileManagerApp app(nArgc, arrArgv);
    return app.Run();
}
