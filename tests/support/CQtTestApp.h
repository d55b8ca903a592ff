#pragma once
// One QApplication per widget test process, made on first use and never
// destroyed (widgets of static helpers may outlive main()). Offscreen unless
// the environment names a platform.
#include <QApplication>

#include <gtest/gtest.h>

#include <unistd.h>

inline QApplication& EnsureQtApp()
{
    if (auto* pApp = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *pApp;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As root, WebEngine refuses to start with its sandbox on and its pages wait forever.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    static int s_nArgc = 1;
    static char s_szName[] = "orvak-widget-test";
    static char* s_arrArgv[] = {s_szName, nullptr};
    static QApplication* s_pApp = new QApplication(s_nArgc, s_arrArgv);
    return *s_pApp;
}

// Base of widget test fixtures: the application exists before their member widgets.
class CQtTestBase : public ::testing::Test
{
protected:
    CQtTestBase() { EnsureQtApp(); }
};
