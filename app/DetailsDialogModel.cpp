#include "DetailsDialogModel.h"

namespace eee {

void DetailsDialogModel::SetBreakdown(const Breakdown& breakdown)
{
    beginResetModel();
    m_rows = breakdown.DataTypes;
    endResetModel();
}

int DetailsDialogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int DetailsDialogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kBreakdownColumnCount;
}

QVariant DetailsDialogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const DataTypeShare& share = m_rows[static_cast<size_t>(index.row())];
    const auto column = static_cast<size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(BreakdownCells(share)[column]);
    case Qt::UserRole:
        return BreakdownValues(share)[column];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant DetailsDialogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0
        || section >= kBreakdownColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString(kBreakdownColumns[static_cast<size_t>(section)]);
}

} // namespace eee
