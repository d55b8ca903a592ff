#pragma once
// Helpers shared by the panel list tests: typing into a widget, showing a
// window as the active one, and the names of a panel list.
#include "panels/CNameIpRecInfo.h"
#include "support/CQtTestApp.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

// Sends one key press (and release) to pWidget, the way typing does.
inline void PressKey(QWidget* pWidget, int nKey, const QString& strText = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, nKey, modifiers, strText);
    QCoreApplication::sendEvent(pWidget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, modifiers, strText);
    QCoreApplication::sendEvent(pWidget, &release);
}

// Types each character of strText into pWidget, or, with none given, into
// whichever widget has the focus at that character.
inline void TypeText(QWidget* pWidget, const std::string& strText)
{
    for (const char c : strText)
    {
        const QChar ch = QLatin1Char(c);
        const int nKey = c == '.' ? int(Qt::Key_Period) : int(ch.toUpper().unicode());
        QWidget* pTarget = pWidget ? pWidget : QApplication::focusWidget();
        if (pTarget)
            PressKey(pTarget, nKey, QString(ch));
    }
}

// Shows the window and makes it the active one, so focus moves as for a user.
inline void ShowActive(QWidget* pWindow)
{
    EnsureQtApp();
    pWindow->show();
    pWindow->activateWindow();
    QCoreApplication::processEvents();
}

inline std::vector<std::string> Names(const CNameIpRecInfo& list)
{
    std::vector<std::string> arrNames;
    for (int i = 0; i < list.GetCount(); ++i)
        arrNames.push_back(list.GetAt(i).m_strName);
    return arrNames;
}
