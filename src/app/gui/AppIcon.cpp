#include "app/gui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace
{
QPixmap DrawIcon(int nSize)
{
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(nSize / 64.0, nSize / 64.0);

    // Rounded tile.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // The card, its top-right corner cut off.
    QPainterPath card;
    card.moveTo(16, 10);
    card.lineTo(38, 10);
    card.lineTo(46, 18);
    card.lineTo(46, 54);
    card.lineTo(16, 54);
    card.closeSubpath();
    painter.setBrush(QColor(0xf4, 0xf6, 0xf8));
    painter.drawPath(card);
    painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
    for (int i = 0; i < 4; ++i)
        painter.drawRect(QRectF(20 + i * 5.5, 14, 3, 8));

    // The arrow down to the computer.
    QPainterPath arrow;
    arrow.moveTo(28, 28);
    arrow.lineTo(34, 28);
    arrow.lineTo(34, 38);
    arrow.lineTo(40, 38);
    arrow.lineTo(31, 49);
    arrow.lineTo(22, 38);
    arrow.lineTo(28, 38);
    arrow.closeSubpath();
    painter.setBrush(QColor(0x2e, 0xa0, 0x43));
    painter.drawPath(arrow);
    return pixmap;
}
} // namespace

QIcon MakeAppIcon()
{
    QIcon icon;
    for (const int nSize : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(nSize));
    return icon;
}
