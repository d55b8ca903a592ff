#include "filemanager/RemoteListCtrl.h"

#include "filemanager/logic/RemoteListRules.h"

#include <QHeaderView>
#include <QItemSelection>

#include <set>

namespace
{
constexpr int kTableIndexRole = Qt::UserRole;
} // namespace

CRemoteListCtrl::CRemoteListCtrl(QWidget* pParent) : QTableWidget(pParent)
{
    setColumnCount(REMOTE_LIST_COLUMNS);
    QStringList arrHeadings;
    for (const char* pszHeading : REMOTE_LIST_HEADINGS)
        arrHeadings << QString::fromLatin1(pszHeading);
    setHorizontalHeaderLabels(arrHeadings);
    for (int i = 0; i < REMOTE_LIST_COLUMNS; ++i)
        setColumnWidth(i, REMOTE_LIST_WIDTHS[static_cast<size_t>(i)]);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    // The selection stays visible when the focus moves elsewhere.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
    FitColumns();

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CRemoteListCtrl::ColumnClicked);
}

void CRemoteListCtrl::RemoveAllRows()
{
    clearContents();
    setRowCount(0);
}

void CRemoteListCtrl::Fill(const CDirData& table)
{
    std::vector<int> arrOrder(static_cast<size_t>(table.GetSize()));
    for (int i = 0; i < table.GetSize(); ++i)
        arrOrder[static_cast<size_t>(i)] = i;
    WriteRows(arrOrder, table);
}

void CRemoteListCtrl::WriteRows(const std::vector<int>& arrOrder, const CDirData& table)
{
    const bool bUpdates = updatesEnabled();
    setUpdatesEnabled(false);
    const QSignalBlocker blocker(selectionModel());
    RemoveAllRows();
    setRowCount(static_cast<int>(arrOrder.size()));
    for (int nRow = 0; nRow < rowCount(); ++nRow)
    {
        const int nIndex = arrOrder[static_cast<size_t>(nRow)];
        const auto arrTexts = RemoteRowTexts(nRow, table.GetAt(nIndex));
        for (int nCol = 0; nCol < REMOTE_LIST_COLUMNS; ++nCol)
        {
            auto* pItem = new QTableWidgetItem(
                QString::fromLatin1(arrTexts[static_cast<size_t>(nCol)].c_str()));
            pItem->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (nCol == 0)
                pItem->setData(kTableIndexRole, nIndex);
            setItem(nRow, nCol, pItem);
        }
    }
    FitColumns();
    setUpdatesEnabled(bUpdates);
}

void CRemoteListCtrl::FitColumns()
{
    // Every column as wide as the wider of its contents and its heading.
    for (int nCol = 0; nCol < REMOTE_LIST_COLUMNS; ++nCol)
    {
        resizeColumnToContents(nCol);
        const int nHeading = horizontalHeader()->sectionSizeHint(nCol);
        if (columnWidth(nCol) < nHeading)
            setColumnWidth(nCol, nHeading);
    }
}

int CRemoteListCtrl::TableIndexOfRow(int nRow) const
{
    const QTableWidgetItem* pItem = item(nRow, 0);
    return pItem ? pItem->data(kTableIndexRole).toInt() : -1;
}

std::vector<int> CRemoteListCtrl::RowOrder() const
{
    std::vector<int> arrOrder;
    for (int nRow = 0; nRow < rowCount(); ++nRow)
        arrOrder.push_back(TableIndexOfRow(nRow));
    return arrOrder;
}

std::vector<int> CRemoteListCtrl::SelectedIndices() const
{
    std::vector<int> arrIndices;
    const QItemSelectionModel* pSelection = selectionModel();
    for (int nRow = 0; nRow < rowCount(); ++nRow)
    {
        if (pSelection->isRowSelected(nRow, QModelIndex()))
            arrIndices.push_back(TableIndexOfRow(nRow));
    }
    return arrIndices;
}

int CRemoteListCtrl::SelectedCount() const
{
    return static_cast<int>(SelectedIndices().size());
}

void CRemoteListCtrl::SelectIndices(const std::vector<int>& arrIndices)
{
    const std::set<int> setWanted(arrIndices.begin(), arrIndices.end());
    QItemSelection selection;
    for (int nRow = 0; nRow < rowCount(); ++nRow)
    {
        if (setWanted.count(TableIndexOfRow(nRow)) != 0)
            selection.select(model()->index(nRow, 0),
                             model()->index(nRow, REMOTE_LIST_COLUMNS - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CRemoteListCtrl::SortByColumn(int nColumn, const CDirData& table)
{
    std::vector<int> arrOrder = RowOrder();
    if (!SortRemoteOrder(arrOrder, table, nColumn))
        return;
    const std::vector<int> arrSelected = SelectedIndices();
    WriteRows(arrOrder, table);
    SelectIndices(arrSelected);
}
