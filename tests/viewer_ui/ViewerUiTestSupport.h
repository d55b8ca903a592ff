#pragma once
// Helpers of the viewer window tests: a data log served by the panel
// simulator and opened as the viewer opens it, with every record cached,
// and waiting on the event loop.
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "viewer/CDataLogFile.h"
#include "viewer/ViewerTestSupport.h"

#include <QElapsedTimer>
#include <QVariant>
#include <QWebEnginePage>

#include <functional>
#include <memory>
#include <string>

// Runs the event loop until fnDone says so or the time is up; returns fnDone().
inline bool WaitFor(const std::function<bool()>& fnDone, int nTimeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!fnDone() && timer.elapsed() < nTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fnDone();
}

// The result of a script run in the page, waited for.
inline QVariant RunScript(QWebEnginePage* pPage, const QString& strScript)
{
    QVariant result;
    bool bDone = false;
    pPage->runJavaScript(strScript,
                         [&](const QVariant& value)
                         {
                             result = value;
                             bDone = true;
                         });
    WaitFor([&] { return bDone; });
    return result;
}

// A data log on the simulated card, opened with all of its records cached and
// both views told to rebuild.
class CCachedLog
{
public:
    explicit CCachedLog(const std::string& strLogText, const std::string& strName = "41225A07.CSV")
        : m_card({{strName, strLogText}})
    {
        m_pLog = std::make_unique<CDataLogFile>(m_card.Files());
        EXPECT_TRUE(m_pLog->OpenLog(strName));
        m_pLog->LoadRecords(LoadAll, 0);
        m_pLog->UpdateRecordSetText();
        m_pLog->InitFilterDates();
        m_pLog->m_bDataViewStale = true;
        m_pLog->m_bGraphViewStale = true;
    }
    ~CCachedLog() { m_pLog.reset(); } // closed while the card still serves

    CDataLogFile& Log() { return *m_pLog; }

private:
    CSimulatedCard m_card;
    std::unique_ptr<CDataLogFile> m_pLog;
};
