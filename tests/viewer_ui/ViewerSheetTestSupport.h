#pragma once
// The viewer's window against a simulated panel: a card with a data log of
// 100 records (04/12/26 08:00:00 onwards, one a second), the data-log object
// opened on it and the sheet built and shown as the view command builds it.
#include "ViewerUiTestSupport.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/ui/CFileDataSheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

#include <memory>
#include <string>

constexpr const char* VIEW_LOG_NAME = "41225A07.CSV";

class CViewerSheetTest : public CQtTestBase
{
protected:
    explicit CViewerSheetTest(int nRecords = 100)
        : m_card({{VIEW_LOG_NAME, MakeDataLog(nRecords)}}), m_log(m_card.Files())
    {
    }

    // Opens the log and shows the sheet (which loads the last 10 records).
    void OpenSheet()
    {
        ASSERT_TRUE(m_log.OpenLog(VIEW_LOG_NAME));
        m_pSheet = std::make_unique<CFileDataSheet>("Data from 41225A07.CSV", nullptr,
                                                    CFileDataSheet::PageReadData, &m_log);
        m_pSheet->show();
        QApplication::setActiveWindow(m_pSheet.get());
        ProcessEvents();
    }

    template <typename TWidget> TWidget* Find(const char* pszName) const
    {
        auto* pWidget = m_pSheet->findChild<TWidget*>(pszName);
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }

    // A key pressed on a control, delivered as the window system would
    // (an ignored key travels on to the parents).
    static void PressKey(QWidget* pTarget, int nKey, Qt::KeyboardModifiers modifiers = {})
    {
        QKeyEvent press(QEvent::KeyPress, nKey, modifiers);
        QApplication::sendEvent(pTarget, &press);
        QKeyEvent release(QEvent::KeyRelease, nKey, modifiers);
        QApplication::sendEvent(pTarget, &release);
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
