#pragma once
// Helpers shared by the panel list widget tests: typing into a widget and a
// quick look at what a widget shows.
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
