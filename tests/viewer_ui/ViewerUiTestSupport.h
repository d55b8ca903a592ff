#pragma once
// Helpers of the viewer window tests.
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/ui/CFileDataReadPage.h"
#include "viewer/ui/CFileDataSheet.h"
#include "viewer/ui/CRecordSummaryBox.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QWebEnginePage>

#include <functional>

// Runs the event loop until fnDone says so or the time is up; returns fnDone().
inline bool WaitFor(const std::function<bool()>& fnDone, int nTimeoutMs = 30000)
{
    return QTest::qWaitFor(fnDone, nTimeoutMs);
}

// The record set the sheet's Read Data page shows, e.g. "(91 - 100)".
inline std::string RecordSetText(CFileDataSheet& sheet)
{
    return sheet.ReadPage()->Summary()->RecordSet()->toPlainText().toStdString();
}

// A data log on the simulated card, every record cached, both views stale.
class CCachedLog
{
public:
    explicit CCachedLog(const std::string& strLogText, const std::string& strName = "41225A07.CSV")
        : m_card({{strName, strLogText}}), m_log(m_card.Files())
    {
        EXPECT_TRUE(m_log.OpenLog(strName));
        m_log.LoadRecords(LoadAll, 0);
        m_log.UpdateRecordSetText();
        m_log.InitFilterDates();
        m_log.m_bDataViewStale = m_log.m_bGraphViewStale = true;
    }

    CDataLogFile& Log() { return m_log; }

private:
    CSimulatedCard m_card;
    CDataLogFile m_log; // closed while the card still serves
};
