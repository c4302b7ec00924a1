// The breakdown table of Tools > Calculation Details: one row per data type. Each cell
// shows the breakdown's text and sorts by its number (Qt::UserRole).
#pragma once

#include "calc/Breakdown.h"

#include <QAbstractTableModel>

namespace eee {

class DetailsDialogModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetBreakdown(const Breakdown& breakdown);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<DataTypeShare> m_rows;
};

} // namespace eee
