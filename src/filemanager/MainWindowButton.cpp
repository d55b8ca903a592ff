#include "filemanager/MainWindowButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CMultiLineButton::CMultiLineButton(const QString& strText, QWidget* pParent)
    : QPushButton(strText, pParent)
{
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
    const QRect rcText =
        style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).adjusted(2, 0, -2, 0);
    painter.drawItemText(rcText, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                         strText, QPalette::ButtonText);
}
