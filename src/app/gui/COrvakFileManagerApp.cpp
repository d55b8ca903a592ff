#include "app/gui/COrvakFileManagerApp.h"

#include "app/gui/AppIcon.h"
#include "app/gui/CAboutDlg.h"
#include "common/AppStrings.h"
#include "common/CPrompt.h"
#include "filemanager/COrvakFileListDlg.h"
#include "viewer/ui/DataViewerOpener.h"
#include "widgets/CHelpWindow.h"

COrvakFileManagerApp::COrvakFileManagerApp(int& nArgc, char** arrArgv)
    : m_App(nArgc, arrArgv), m_Prompt(STR_APP_TITLE)
{
    QApplication::setApplicationName(STR_APP_TITLE);
    QApplication::setWindowIcon(MakeAppIcon());
    // Names the installed menu entry, so desktops show its icon and name for
    // the program's windows.
    QGuiApplication::setDesktopFileName("net.ilvane.OrvakFileManager");
    SetPrompt(&m_Prompt);
}

COrvakFileManagerApp::~COrvakFileManagerApp()
{
    SetPrompt(nullptr);
}

int COrvakFileManagerApp::Run()
{
    m_Shell.StartUp();
    {
        COrvakFileListDlg dlg(m_Shell);
        dlg.SetDataViewerOpener(DataViewerOpener());
        QObject::connect(&dlg, &COrvakFileListDlg::AboutRequested, &dlg,
                         [&dlg, this] { ShowAboutBox(&dlg, m_Shell.GetLoader()); });
        dlg.exec();
    }
    CloseHelpWindow();
    m_Shell.Shutdown();
    return 0;
}

int COrvakFileManagerApp::RunViewer(const std::string& strHost, int nPort,
                                    const std::string& strFile)
{
    const int nExit = ViewRemoteFile(strHost, nPort, strFile);
    CloseHelpWindow();
    return nExit;
}
