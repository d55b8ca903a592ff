#pragma once
// The Data View's table as a Qt model: rows and cells come from the
// CDataViewTable, so a million rows cost no items; nothing is shown once the
// cache the rows point into has been emptied.
#include <QAbstractTableModel>

class CDataLogFile;
class CDataViewTable;

class CDataViewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    CDataViewModel(const CDataViewTable& table, const CDataLogFile& log,
                   QObject* pParent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation eOrientation,
                        int nRole = Qt::DisplayRole) const override;

    // Around a change of the table's rows (a load or a sort).
    void BeginChange() { beginResetModel(); }
    void EndChange() { endResetModel(); }

private:
    const CDataViewTable& m_table;
    const CDataLogFile& m_log;
};
