#include "MissionTableModel.h"

#include <QLocale>

#include <limits>
#include <optional>

namespace eee {

namespace {

// The shortest text that reads back as the same number.
QString NumberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> ReadNumber(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int) {
        return value.toDouble();
    }
    bool ok = false;
    const double number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace

MissionTableModel::MissionTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

void MissionTableModel::SetMission(std::vector<MissionSegment> mission)
{
    beginResetModel();
    m_mission = std::move(mission);
    endResetModel();
    emit MissionChanged();
}

void MissionTableModel::AppendRow(const MissionSegment& segment)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_mission.push_back(segment);
    endInsertRows();
    emit MissionChanged();
}

void MissionTableModel::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_mission.erase(m_mission.begin() + row);
    endRemoveRows();
    emit MissionChanged();
}

double MissionTableModel::TotalYears() const
{
    double total = 0.0;
    for (const MissionSegment& segment : m_mission)
        total += segment.Years;
    return total;
}

int MissionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_mission.size());
}

int MissionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant MissionTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const MissionSegment& segment = m_mission[static_cast<size_t>(index.row())];
    const double value = index.column() == kYearsColumn ? segment.Years : segment.Celsius;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return NumberText(value);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool MissionTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    MissionSegment segment = m_mission[static_cast<size_t>(index.row())];
    const std::optional<double> number = ReadNumber(value);
    (index.column() == kYearsColumn ? segment.Years : segment.Celsius)
        = number.value_or(std::numeric_limits<double>::quiet_NaN());
    const std::string problem = MissionSegmentProblem(segment);
    if (!problem.empty()) {
        emit EditRefused(QString("Mission row %1: %2 (not \"%3\").")
                             .arg(index.row() + 1)
                             .arg(QString::fromStdString(problem), value.toString()));
        return false;
    }
    if (segment == m_mission[static_cast<size_t>(index.row())])
        return true;
    m_mission[static_cast<size_t>(index.row())] = segment;
    emit dataChanged(index, index);
    emit MissionChanged();
    return true;
}

Qt::ItemFlags MissionTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant MissionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section == kYearsColumn ? QString("Years") : QString("°C");
}

} // namespace eee
