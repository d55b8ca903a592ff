#pragma once
// The desktop program's application object: the Qt application, the message
// boxes, the start-up of the shell (brand, data folder, panel list,
// preferences), the main window for the whole run, and the saving at exit.
#include "app/CAppShell.h"
#include "widgets/CQtPrompt.h"

#include <QApplication>

#include <string>

class COrvakFileManagerApp
{
public:
    COrvakFileManagerApp(int& nArgc, char** arrArgv);
    ~COrvakFileManagerApp();
    COrvakFileManagerApp(const COrvakFileManagerApp&) = delete;
    COrvakFileManagerApp& operator=(const COrvakFileManagerApp&) = delete;

    // Start-up, the main window until it closes, then the exit steps.
    // Returns the process's exit code.
    int Run();
    // The data viewer on a panel's file, without the main window or the
    // settings. Returns the exit code (1 when the panel or file is refused).
    int RunViewer(const std::string& strHost, int nPort, const std::string& strFile);

private:
    QApplication m_App;
    CQtPrompt m_Prompt;
    CAppShell m_Shell;
};
