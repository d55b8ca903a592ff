#pragma once
// A push button whose text wraps onto several lines to fit the button, as the
// main window's long Copy, Move and Connect captions need. The text itself is
// kept exactly as set (explicit line feeds included).
#include <QPushButton>

class CMultiLineButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CMultiLineButton(const QString& strText, QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
