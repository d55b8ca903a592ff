#include "CComboBoxBold.h"

#include <QFont>
#include <QStylePainter>

CComboBoxBold::CComboBoxBold(QWidget* pParent) : QComboBox(pParent) {}

void CComboBoxBold::SetItemBold(int nIndex, bool bBold)
{
    if (nIndex < 0 || nIndex >= count())
        return;
    setItemData(nIndex, bBold, BoldRole);
    QFont font = this->font();
    font.setBold(bBold);
    // The list view of the pop-up draws each item with its font role.
    setItemData(nIndex, font, Qt::FontRole);
    update();
}

bool CComboBoxBold::IsItemBold(int nIndex) const
{
    if (nIndex < 0 || nIndex >= count())
        return false;
    return itemData(nIndex, BoldRole).toBool();
}

void CComboBoxBold::ClearBold()
{
    for (int i = 0; i < count(); ++i)
        SetItemBold(i, false);
}

void CComboBoxBold::SetItemDataPtr(int nIndex, void* pData)
{
    setItemData(nIndex, QVariant::fromValue(pData), Qt::UserRole);
}

void* CComboBoxBold::GetItemDataPtr(int nIndex) const
{
    return itemData(nIndex, Qt::UserRole).value<void*>();
}

void CComboBoxBold::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (IsItemBold(currentIndex()))
    {
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
    }
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}
