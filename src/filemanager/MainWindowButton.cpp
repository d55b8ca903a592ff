#include "filemanager/MainWindowButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace
{
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
} // namespace

CMultiLineButton::CMultiLineButton(const QString& strText, QWidget* pParent)
    : QPushButton(strText, pParent)
{
}

QRect CMultiLineButton::TextRect(const QStyleOptionButton& opt) const
{
    // Clear of the frame by about one character on each side.
    const int nMargin = fontMetrics().averageCharWidth();
    return style()
        ->subElementRect(QStyle::SE_PushButtonContents, &opt, this)
        .adjusted(nMargin, 0, -nMargin, 0);
}

int CMultiLineButton::HeightForText(const QString& strText) const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QRect rcText = TextRect(opt);
    const int nFrame = height() - rcText.height();
    const QRect rcNeeded =
        fontMetrics().boundingRect(QRect(0, 0, rcText.width(), 10000), kTextFlags, strText);
    return rcNeeded.height() + nFrame + fontMetrics().descent();
}

void CMultiLineButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString strText = opt.text;
    // The frame and focus as usual, then the text wrapped into the contents.
    opt.text.clear();
    painter.drawControl(QStyle::CE_PushButton, opt);
    painter.drawItemText(TextRect(opt), kTextFlags, palette(), isEnabled(), strText,
                         QPalette::ButtonText);
}
