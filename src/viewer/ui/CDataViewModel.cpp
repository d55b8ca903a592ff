#include "CDataViewModel.h"

#include "viewer/CDataViewTable.h"

CDataViewModel::CDataViewModel(const CDataViewTable& table, const CDataLogFile& log,
                               QObject* pParent)
    : QAbstractTableModel(pParent), m_table(table), m_log(log)
{
}

int CDataViewModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_table.IsCurrent(m_log))
        return 0;
    return m_table.GetRowCount();
}

int CDataViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.GetColumnCount();
}

QVariant CDataViewModel::data(const QModelIndex& index, int nRole) const
{
    if (nRole != Qt::DisplayRole || !index.isValid() || !m_table.IsCurrent(m_log))
        return QVariant();
    const std::string strText = m_table.GetCellText(index.row(), index.column());
    return QString::fromLatin1(strText.data(), static_cast<qsizetype>(strText.size()));
}

QVariant CDataViewModel::headerData(int nSection, Qt::Orientation eOrientation, int nRole) const
{
    if (eOrientation != Qt::Horizontal || nSection < 0 || nSection >= m_table.GetColumnCount())
        return QVariant();
    if (nRole == Qt::DisplayRole)
    {
        const std::string& strText = m_table.GetHeaders()[static_cast<size_t>(nSection)];
        return QString::fromLatin1(strText.data(), static_cast<qsizetype>(strText.size()));
    }
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return QVariant();
}
