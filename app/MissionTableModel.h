// The mission of the retention check as an editable table: one row per part
// of the lifetime, its years and its temperature in °C. An entry that is not
// a usable number is refused with its reason, and the table keeps its value.
#pragma once

#include "calc/Retention.h"

#include <QAbstractTableModel>

#include <vector>

namespace eee {

class MissionTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { kYearsColumn, kCelsiusColumn, kColumnCount };

    explicit MissionTableModel(QObject* parent = nullptr);

    const std::vector<MissionSegment>& Mission() const { return m_mission; }
    void SetMission(std::vector<MissionSegment> mission);
    void AppendRow(const MissionSegment& segment);
    // Removes the row; a row that does not exist is ignored.
    void RemoveRow(int row);
    double TotalYears() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Takes a number or its text, read with a decimal point whatever the locale.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The segments changed: a row was edited, added or removed, or all were replaced.
    void MissionChanged();
    // An edit was refused; reason says why, naming the row.
    void EditRefused(const QString& reason);

private:
    std::vector<MissionSegment> m_mission;
};

} // namespace eee
