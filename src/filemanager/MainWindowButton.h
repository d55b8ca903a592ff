#pragma once
// A push button whose text wraps onto several lines to fit the button, as the
// main window's long Copy, Move and Connect captions need. The text itself is
// kept exactly as set (explicit line feeds included).
#include <QPushButton>

class QStyleOptionButton;

class CMultiLineButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CMultiLineButton(const QString& strText, QWidget* pParent = nullptr);

    // The height the button needs at its current width to show the text
    // whole, wrapped between words, clear of its edges.
    int HeightForText(const QString& strText) const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QRect TextRect(const QStyleOptionButton& opt) const;
};
