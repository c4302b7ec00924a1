// The candidates of the design advisor as a table: one row per configuration, sortable
// by any column on its numbers (not on their texts).
#pragma once

#include "calc/Advisor.h"

#include <QAbstractTableModel>
#include <vector>

namespace eee {

class AdvisorTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        RankColumn, // the advisor's own ranking, whatever the table is sorted by
        SchemeColumn,
        BlocksColumn,
        SizesColumn,
        FlashUsedColumn,
        FlashCyclesColumn,
        InSpecYearsColumn,
        InSpecColumn,
        CyclesMarginColumn,
        ColumnCount
    };

    explicit AdvisorTableModel(QObject* parent = nullptr);

    void SetCandidates(std::vector<AdvisorCandidate> candidates);
    // The candidate shown in a row; nullptr outside the table.
    const AdvisorCandidate* Candidate(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Row
    {
        int Rank = 0;
        AdvisorCandidate Candidate;
    };
    std::vector<Row> m_rows;
};

} // namespace eee
