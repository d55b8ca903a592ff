#include "CGridCtrl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace
{
// Edits list cells in a drop-down; a choice ends the edit at once, so the
// parent hears of it while the list is still the one the user looks at.
class CGridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        if (index.data(CGridCtrl::KindRole).toInt() != CGridCtrl::CellList)
            return QStyledItemDelegate::createEditor(pParent, option, index);
        auto* pCombo = new QComboBox(pParent);
        pCombo->setObjectName("gridListEditor");
        pCombo->addItems(index.data(CGridCtrl::OptionsRole).toStringList());
        connect(pCombo, &QComboBox::activated, this,
                [this, pCombo]
                {
                    auto* pSelf = const_cast<CGridDelegate*>(this);
                    emit pSelf->commitData(pCombo);
                    emit pSelf->closeEditor(pCombo);
                });
        return pCombo;
    }

    void setEditorData(QWidget* pEditor, const QModelIndex& index) const override
    {
        if (auto* pCombo = qobject_cast<QComboBox*>(pEditor))
            pCombo->setCurrentIndex(pCombo->findText(index.data(Qt::DisplayRole).toString()));
        else
            QStyledItemDelegate::setEditorData(pEditor, index);
    }

    void setModelData(QWidget* pEditor, QAbstractItemModel* pModel,
                      const QModelIndex& index) const override
    {
        if (auto* pCombo = qobject_cast<QComboBox*>(pEditor))
        {
            if (pCombo->currentIndex() >= 0)
                pModel->setData(index, pCombo->currentText(), Qt::DisplayRole);
        }
        else
            QStyledItemDelegate::setModelData(pEditor, pModel, index);
    }
};
} // namespace

CGridCtrl::CGridCtrl(QWidget* pParent) : QTableWidget(pParent)
{
    setItemDelegate(new CGridDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);

    connect(this, &QTableWidget::cellClicked, this,
            [this](int nTableRow, int nColumn)
            {
                // A list cell opens its drop-down at the first click, as a grid's lists do.
                QTableWidgetItem* pItem = item(nTableRow, nColumn);
                if (pItem && GetCellKind(nTableRow + 1, nColumn) == CellList &&
                    (pItem->flags() & Qt::ItemIsEditable))
                    editItem(pItem);
                emit CellClicked(nTableRow + 1, nColumn);
            });
}

void CGridCtrl::SetRowCount(int nRows)
{
    setRowCount(nRows > 1 ? nRows - 1 : 0);
}

QTableWidgetItem* CGridCtrl::CellItem(int nRow, int nColumn) const
{
    return nRow >= 1 ? item(nRow - 1, nColumn) : nullptr;
}

QTableWidgetItem* CGridCtrl::EnsureItem(int nRow, int nColumn)
{
    QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    if (!pItem && nRow >= 1 && nRow <= rowCount() && nColumn >= 0 && nColumn < columnCount())
    {
        pItem = new QTableWidgetItem;
        pItem->setData(KindRole, CellText);
        pItem->setData(ReadOnlyRole, false);
        setItem(nRow - 1, nColumn, pItem);
        ApplyFlags(pItem);
    }
    return pItem;
}

void CGridCtrl::ApplyFlags(QTableWidgetItem* pItem)
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const bool bReadOnly = pItem->data(ReadOnlyRole).toBool();
    if (pItem->data(KindRole).toInt() == CellCheck)
        flags |= Qt::ItemIsUserCheckable; // read-only keeps the caption, not the tick
    else if (!bReadOnly)
        flags |= Qt::ItemIsEditable;
    pItem->setFlags(flags);
}

void CGridCtrl::SetItemText(int nRow, int nColumn, const QString& strText)
{
    if (nRow == 0)
    {
        QTableWidgetItem* pHeader = horizontalHeaderItem(nColumn);
        if (!pHeader)
        {
            pHeader = new QTableWidgetItem;
            setHorizontalHeaderItem(nColumn, pHeader);
        }
        pHeader->setText(strText);
        return;
    }
    if (QTableWidgetItem* pItem = EnsureItem(nRow, nColumn))
        pItem->setText(strText);
}

QString CGridCtrl::GetItemText(int nRow, int nColumn) const
{
    if (nRow == 0)
    {
        const QTableWidgetItem* pHeader = horizontalHeaderItem(nColumn);
        return pHeader ? pHeader->text() : QString();
    }
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    return pItem ? pItem->text() : QString();
}

void CGridCtrl::SetCheckCell(int nRow, int nColumn, const QString& strCaption)
{
    QTableWidgetItem* pItem = EnsureItem(nRow, nColumn);
    if (!pItem)
        return;
    pItem->setData(KindRole, CellCheck);
    pItem->setText(strCaption);
    pItem->setCheckState(Qt::Unchecked);
    ApplyFlags(pItem);
}

bool CGridCtrl::GetCheck(int nRow, int nColumn) const
{
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    return pItem && pItem->checkState() == Qt::Checked;
}

void CGridCtrl::SetCheck(int nRow, int nColumn, bool bChecked)
{
    if (QTableWidgetItem* pItem = CellItem(nRow, nColumn);
        pItem && pItem->data(KindRole).toInt() == CellCheck)
        pItem->setCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
}

void CGridCtrl::SetListCell(int nRow, int nColumn, const QStringList& arrOptions)
{
    QTableWidgetItem* pItem = EnsureItem(nRow, nColumn);
    if (!pItem)
        return;
    pItem->setData(KindRole, CellList);
    pItem->setData(OptionsRole, arrOptions);
    pItem->setText(arrOptions.isEmpty() ? QString() : arrOptions.front());
    ApplyFlags(pItem);
}

int CGridCtrl::GetCurSel(int nRow, int nColumn) const
{
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    if (!pItem)
        return -1;
    return static_cast<int>(pItem->data(OptionsRole).toStringList().indexOf(pItem->text()));
}

void CGridCtrl::SetCurSel(int nRow, int nColumn, int nIndex)
{
    QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    if (!pItem)
        return;
    const QStringList arrOptions = pItem->data(OptionsRole).toStringList();
    if (nIndex >= 0 && nIndex < arrOptions.size())
        pItem->setText(arrOptions.at(nIndex));
}

CGridCtrl::ECellKind CGridCtrl::GetCellKind(int nRow, int nColumn) const
{
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    return pItem ? static_cast<ECellKind>(pItem->data(KindRole).toInt()) : CellText;
}

void CGridCtrl::SetReadOnly(int nRow, int nColumn, bool bReadOnly)
{
    if (QTableWidgetItem* pItem = EnsureItem(nRow, nColumn))
    {
        pItem->setData(ReadOnlyRole, bReadOnly);
        ApplyFlags(pItem);
    }
}

bool CGridCtrl::IsReadOnly(int nRow, int nColumn) const
{
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    return pItem && pItem->data(ReadOnlyRole).toBool();
}

void CGridCtrl::SetCellBackground(int nRow, int nColumn, const QColor& color)
{
    if (QTableWidgetItem* pItem = EnsureItem(nRow, nColumn))
        pItem->setBackground(color);
}

QColor CGridCtrl::GetCellBackground(int nRow, int nColumn) const
{
    const QTableWidgetItem* pItem = CellItem(nRow, nColumn);
    return pItem ? pItem->background().color() : QColor();
}

void CGridCtrl::CommitEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* pEditor = indexWidget(currentIndex()))
    {
        commitData(pEditor);
        closeEditor(pEditor, QAbstractItemDelegate::NoHint);
    }
}

void CGridCtrl::SelectRow(int nRow)
{
    if (nRow < 1 || nRow > rowCount() || columnCount() == 0)
        return;
    const QModelIndex first = model()->index(nRow - 1, 0);
    const QModelIndex last = model()->index(nRow - 1, columnCount() - 1);
    selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
}

void CGridCtrl::SetFocusCell(int nRow, int nColumn)
{
    if (nRow < 1 || nRow > rowCount())
        return;
    const QModelIndex index = model()->index(nRow - 1, nColumn);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

void CGridCtrl::closeEditor(QWidget* pEditor, QAbstractItemDelegate::EndEditHint eHint)
{
    const QModelIndex index = currentIndex();
    QTableWidget::closeEditor(pEditor, eHint);
    if (index.isValid())
        emit EditEnded(index.row() + 1, index.column());
}

void CGridCtrl::keyPressEvent(QKeyEvent* pEvent)
{
    // Ctrl+Tab and Ctrl+PageUp/PageDown belong to the window around the grid
    // (a tabbed dialog switches pages with them).
    const int nKey = pEvent->key();
    if ((pEvent->modifiers() & Qt::ControlModifier) &&
        (nKey == Qt::Key_Tab || nKey == Qt::Key_Backtab || nKey == Qt::Key_PageUp ||
         nKey == Qt::Key_PageDown))
    {
        pEvent->ignore();
        return;
    }
    QTableWidget::keyPressEvent(pEvent);
    // The space bar ticks a check box cell; the parent hears it as a click.
    if (pEvent->key() == Qt::Key_Space && currentRow() >= 0 &&
        GetCellKind(currentRow() + 1, currentColumn()) == CellCheck)
        emit CellClicked(currentRow() + 1, currentColumn());
}
