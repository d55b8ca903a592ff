#pragma once
// One QApplication for a widget test process, made on first use and kept to
// the end of the process. Runs offscreen unless the environment says otherwise
// (CTest sets QT_QPA_PLATFORM=offscreen; a test binary started by hand gets it here).
#include <QApplication>

#include <gtest/gtest.h>

#include <unistd.h>

inline QApplication& EnsureQtApp()
{
    if (auto* pApp = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *pApp;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // WebEngine refuses to start as root with its sandbox on, and the pages
    // that embed it would wait for it forever.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    static int s_nArgc = 1;
    static char s_szName[] = "orvak-widget-test";
    static char* s_arrArgv[] = {s_szName, nullptr};
    // Deliberately never destroyed: widgets of static helpers may outlive main().
    static QApplication* s_pApp = new QApplication(s_nArgc, s_arrArgv);
    return *s_pApp;
}

// Base of widget test fixtures: the application exists before any member
// widget of the fixture is built.
class CQtTestBase : public ::testing::Test
{
protected:
    CQtTestBase() { EnsureQtApp(); }
};
