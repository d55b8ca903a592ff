#include "CWaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace
{
// The application's one cursor, so its count is global too; the GUI thread only.
int g_nWaitDepth = 0;
// For each question up now, how many waits were open when it came: those
// waits are paused for it, while work started from the question's own window
// shows the hourglass again.
std::vector<int> g_arrQuestionWaits;
// The one override cursor this file put up, if any.
bool g_bOverrideOwned = false;

bool HaveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Shows the hourglass exactly while work runs and nobody is being asked.
void ApplyCursor()
{
    const int nPaused = g_arrQuestionWaits.empty() ? 0
                                                   : *std::max_element(g_arrQuestionWaits.begin(),
                                                                       g_arrQuestionWaits.end());
    const bool bWant = g_nWaitDepth > nPaused;
    if (bWant && !g_bOverrideOwned)
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        g_bOverrideOwned = true;
    }
    else if (!bWant && g_bOverrideOwned)
    {
        QGuiApplication::restoreOverrideCursor();
        g_bOverrideOwned = false;
    }
}

// Counts every modal window that is up as a question to the user: message
// boxes, the conflict and rename dialogs, the panel list, the folder browser.
class CModalWatch : public QObject
{
public:
    CModalWatch() : QObject(QCoreApplication::instance())
    {
        for (QWidget* pWindow : QApplication::topLevelWidgets())
        {
            if (pWindow->isVisible() && pWindow->isModal())
                Add(pWindow);
        }
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        const QEvent::Type eType = pEvent->type();
        if (eType != QEvent::Show && eType != QEvent::Hide)
            return false;
        auto* pWidget = qobject_cast<QWidget*>(pWatched);
        if (!pWidget || !pWidget->isWindow())
            return false;
        if (eType == QEvent::Show && pWidget->isModal())
            Add(pWidget);
        else if (eType == QEvent::Hide)
            Remove(pWidget);
        return false;
    }

private:
    void Add(QWidget* pWindow)
    {
        for (const QPointer<QWidget>& pKnown : m_arrWindows)
        {
            if (pKnown == pWindow)
                return;
        }
        m_arrWindows.emplace_back(pWindow);
        // A window destroyed while shown sends no hide event.
        connect(pWindow, &QObject::destroyed, this, [this, pWindow] { Remove(pWindow); });
        CWaitCursor::BeginQuestion();
    }
    void Remove(QObject* pWindow)
    {
        for (auto it = m_arrWindows.begin(); it != m_arrWindows.end(); ++it)
        {
            if (it->data() == pWindow || it->isNull())
            {
                m_arrWindows.erase(it);
                CWaitCursor::EndQuestion();
                return;
            }
        }
    }

    std::vector<QPointer<QWidget>> m_arrWindows;
};

void WatchModalWindows()
{
    static QPointer<CModalWatch> s_pWatch;
    if (!s_pWatch && qobject_cast<QApplication*>(QCoreApplication::instance()))
        s_pWatch = new CModalWatch;
}
} // namespace

void CWaitCursor::Begin()
{
    if (!HaveGui())
        return;
    WatchModalWindows();
    ++g_nWaitDepth;
    ApplyCursor();
}

void CWaitCursor::End()
{
    if (!HaveGui() || g_nWaitDepth == 0)
        return;
    --g_nWaitDepth;
    ApplyCursor();
}

void CWaitCursor::RestoreWaitCursor()
{
    if (!HaveGui())
        return;
    ApplyCursor();
    if (!g_bOverrideOwned)
        return;
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    if (!pCursor || pCursor->shape() != Qt::WaitCursor)
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}

int CWaitCursor::Depth()
{
    return g_nWaitDepth;
}

int CWaitCursor::QuestionDepth()
{
    return static_cast<int>(g_arrQuestionWaits.size());
}

void CWaitCursor::BeginQuestion()
{
    if (!HaveGui())
        return;
    g_arrQuestionWaits.push_back(g_nWaitDepth);
    ApplyCursor();
}

void CWaitCursor::EndQuestion()
{
    if (!HaveGui() || g_arrQuestionWaits.empty())
        return;
    g_arrQuestionWaits.pop_back();
    ApplyCursor();
}
