#pragma once
// Helpers of the viewer window tests: waiting on the event loop, a served log
// with every record cached, and the sheet on a card with a 100-record log.
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/ui/CFileDataSheet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTabWidget>
#include <QWebEnginePage>

#include <functional>
#include <memory>

// Runs the event loop until fnDone says so or the time is up; returns fnDone().
inline bool WaitFor(const std::function<bool()>& fnDone, int nTimeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!fnDone() && timer.elapsed() < nTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fnDone();
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

class CViewerSheetTest : public CQtTestBase
{
protected:
    CViewerSheetTest() : m_card({{"41225A07.CSV", MakeDataLog(100)}}), m_log(m_card.Files()) {}

    // Opens the log and shows the sheet, which loads the last 10 records.
    void OpenSheet(int nPage = CFileDataSheet::PageReadData)
    {
        ASSERT_TRUE(m_log.OpenLog("41225A07.CSV"));
        m_pSheet = std::make_unique<CFileDataSheet>("Data from 41225A07.CSV", nullptr,
                                                    CFileDataSheet::PageReadData, &m_log);
        m_pSheet->show();
        QApplication::setActiveWindow(m_pSheet.get());
        ProcessEvents();
        ASSERT_TRUE(m_pSheet->SetActivePage(nPage));
    }

    template <typename TWidget> TWidget* Find(const char* pszName) const
    {
        auto* pWidget = m_pSheet->findChild<TWidget*>(pszName);
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }

    // As the window system delivers it: an ignored key travels to the parents.
    static void PressKey(QWidget* pTarget, int nKey, Qt::KeyboardModifiers modifiers = {})
    {
        for (const QEvent::Type eType : {QEvent::KeyPress, QEvent::KeyRelease})
        {
            QKeyEvent event(eType, nKey, modifiers);
            QApplication::sendEvent(pTarget, &event);
        }
    }

    static void ProcessEvents()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    std::string FocusName() const
    {
        const QWidget* pFocus = QApplication::focusWidget();
        return pFocus ? pFocus->objectName().toStdString() : std::string();
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CSimulatedCard m_card;
    CDataLogFile m_log;
    std::unique_ptr<CFileDataSheet> m_pSheet;
};
