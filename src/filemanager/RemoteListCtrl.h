#pragma once
// The main window's list of the files on the panel's card: four columns,
// grid lines, full-row and multi-row selection. Each row keeps the index of
// its entry in the remote file table, so every command maps the selected rows
// back to table entries whatever the current sort.
#include "link/CDirData.h"

#include <QTableWidget>

#include <vector>

class CRemoteListCtrl : public QTableWidget
{
    Q_OBJECT
public:
    explicit CRemoteListCtrl(QWidget* pParent = nullptr);

    // Replaces every row with the table's entries in table order.
    void Fill(const CDirData& table);
    void RemoveAllRows();

    // The table index a row stands for (-1 for a row that does not exist).
    int TableIndexOfRow(int nRow) const;
    // Table indices of all rows, in list order.
    std::vector<int> RowOrder() const;
    // Table indices of the selected rows, in list order.
    std::vector<int> SelectedIndices() const;
    int SelectedCount() const;
    // Selects exactly the rows of these table indices.
    void SelectIndices(const std::vector<int>& arrIndices);

    // A click on a column heading: sorts by the shared rule (nothing for
    // column 0 or fewer than two rows) and numbers the rows afresh. The
    // selection stays with its entries.
    void SortByColumn(int nColumn, const CDirData& table);

signals:
    void ColumnClicked(int nColumn);

private:
    void WriteRows(const std::vector<int>& arrOrder, const CDirData& table);
    void FitColumns();
};
