#pragma once
// A small grid of cells on QTableWidget: one fixed header row (row 0, shown as
// the column headings) and editable rows below it. A cell is plain text, a
// check box with a caption, or a drop-down list of fixed options whose value
// is the chosen option's text. Each cell can be made read-only (its text or
// choice cannot be edited; a check box still ticks) and given its own
// background. Rows are counted as the grid shows them: 1 is the first row
// under the headings.
//
// The grid tells its parent about two things: a click on a cell (also a
// check box ticked from the keyboard) and the end of an in-place edit.
#include <QStringList>
#include <QTableWidget>

class QColor;

class CGridCtrl : public QTableWidget
{
    Q_OBJECT
public:
    enum ECellKind
    {
        CellText,
        CellCheck,
        CellList,
    };

    explicit CGridCtrl(QWidget* pParent = nullptr);

    // Rows including the fixed header row.
    void SetRowCount(int nRows);
    int GetRowCount() const { return rowCount() + 1; }
    void SetColumnCount(int nColumns) { setColumnCount(nColumns); }
    void SetColumnWidth(int nColumn, int nWidth) { setColumnWidth(nColumn, nWidth); }

    // Row 0 is the heading; other rows become plain text cells when first set.
    void SetItemText(int nRow, int nColumn, const QString& strText);
    QString GetItemText(int nRow, int nColumn) const;

    // Turns the cell into a check box with a caption (unticked).
    void SetCheckCell(int nRow, int nColumn, const QString& strCaption);
    bool GetCheck(int nRow, int nColumn) const;
    void SetCheck(int nRow, int nColumn, bool bChecked);

    // Turns the cell into a drop-down list of these options, the first chosen.
    void SetListCell(int nRow, int nColumn, const QStringList& arrOptions);
    int GetCurSel(int nRow, int nColumn) const; // -1 when no option is chosen
    void SetCurSel(int nRow, int nColumn, int nIndex);

    ECellKind GetCellKind(int nRow, int nColumn) const;
    void SetReadOnly(int nRow, int nColumn, bool bReadOnly);
    bool IsReadOnly(int nRow, int nColumn) const;
    void SetCellBackground(int nRow, int nColumn, const QColor& color);
    QColor GetCellBackground(int nRow, int nColumn) const;

    // Ends a pending in-place edit, keeping what was typed or chosen.
    void CommitEdit();
    void SelectRow(int nRow);
    void SetFocusCell(int nRow, int nColumn);
    // -1 when there is none.
    int GetFocusRow() const { return currentRow() < 0 ? -1 : currentRow() + 1; }
    int GetFocusColumn() const { return currentColumn(); }

    // The options of a list cell (the in-place editor reads them).
    static constexpr int OptionsRole = Qt::UserRole + 0x200;
    static constexpr int KindRole = Qt::UserRole + 0x201;
    static constexpr int ReadOnlyRole = Qt::UserRole + 0x202;

signals:
    void CellClicked(int nRow, int nColumn);
    void EditEnded(int nRow, int nColumn);

protected slots:
    void closeEditor(QWidget* pEditor, QAbstractItemDelegate::EndEditHint eHint) override;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    QTableWidgetItem* CellItem(int nRow, int nColumn) const;
    QTableWidgetItem* EnsureItem(int nRow, int nColumn);
    void ApplyFlags(QTableWidgetItem* pItem);
};
