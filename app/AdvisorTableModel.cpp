#include "AdvisorTableModel.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace eee {

namespace {

QString SizesText(const AdvisorCandidate& c)
{
    QStringList texts;
    for (const std::string& text : c.BlockTexts)
        texts << QString::fromStdString(text);
    return texts.join(' ');
}

// What a column sorts by: the number behind the text.
QVariant SortValue(const AdvisorCandidate& c, int column)
{
    switch (column) {
    case AdvisorTableModel::SchemeColumn:
        return QString::fromStdString(c.Scheme);
    case AdvisorTableModel::BlocksColumn:
        return c.BlockCount();
    case AdvisorTableModel::SizesColumn:
        return static_cast<qlonglong>(c.FlashUsedBytes);
    case AdvisorTableModel::FlashUsedColumn:
        return static_cast<qlonglong>(c.FlashUsedBytes);
    case AdvisorTableModel::FlashCyclesColumn:
        return c.FlashCycles;
    case AdvisorTableModel::InSpecYearsColumn:
        return static_cast<double>(c.InSpecYears);
    case AdvisorTableModel::InSpecColumn:
        return c.InSpec ? 1 : 0;
    case AdvisorTableModel::CyclesMarginColumn:
        return c.CyclesMarginPercent;
    default:
        return {};
    }
}

bool Less(const AdvisorCandidate& a, const AdvisorCandidate& b, int column)
{
    if (column == AdvisorTableModel::SchemeColumn)
        return a.Scheme < b.Scheme;
    if (column == AdvisorTableModel::SizesColumn)
        return a.BlockBytes < b.BlockBytes;
    return QVariant::compare(SortValue(a, column), SortValue(b, column)) < 0;
}

} // namespace

AdvisorTableModel::AdvisorTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

void AdvisorTableModel::SetCandidates(std::vector<AdvisorCandidate> candidates)
{
    beginResetModel();
    m_rows.clear();
    for (AdvisorCandidate& candidate : candidates)
        m_rows.push_back({static_cast<int>(m_rows.size()) + 1, std::move(candidate)});
    endResetModel();
}

const AdvisorCandidate* AdvisorTableModel::Candidate(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_rows[static_cast<size_t>(row)].Candidate;
}

int AdvisorTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AdvisorTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AdvisorTableModel::data(const QModelIndex& index, int role) const
{
    const AdvisorCandidate* c = Candidate(index.row());
    if (c == nullptr)
        return {};
    const int column = index.column();
    if (column == RankColumn) {
        if (role == Qt::DisplayRole || role == Qt::UserRole)
            return m_rows[static_cast<size_t>(index.row())].Rank;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        if (column == SchemeColumn || column == SizesColumn)
            return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignLeft);
        if (column == InSpecColumn)
            return QVariant::fromValue(Qt::AlignCenter);
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    }
    if (role == Qt::UserRole)
        return SortValue(*c, column);
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case SchemeColumn:
        return QString::fromStdString(c->Scheme);
    case BlocksColumn:
        return c->BlockCount();
    case SizesColumn:
        return SizesText(*c);
    case FlashUsedColumn:
        return QString("%1 KB").arg(c->FlashUsedBytes / 1024);
    case FlashCyclesColumn:
        return QString::number(c->FlashCycles, 'f', 0);
    case InSpecYearsColumn:
        return QString::number(static_cast<double>(c->InSpecYears), 'f', 1);
    case InSpecColumn:
        return c->InSpec ? QString("yes") : QString("no");
    case CyclesMarginColumn:
        return QString("%1 %").arg(c->CyclesMarginPercent, 0, 'f', 1);
    default:
        return {};
    }
}

QVariant AdvisorTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const kHeaders[ColumnCount] = {"Rank", "Scheme", "Blocks", "Block sizes",
        "Flash used", "Flash cycles", "In-spec years", "In spec", "Cycles margin"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString(kHeaders[section]);
}

void AdvisorTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> rows(m_rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    auto less = [&](const Row& a, const Row& b) {
        return column == RankColumn ? a.Rank < b.Rank : Less(a.Candidate, b.Candidate, column);
    };
    // Stable, so that equal values keep the advisor's own ranking between them.
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const Row& x = m_rows[static_cast<size_t>(a)];
        const Row& y = m_rows[static_cast<size_t>(b)];
        return order == Qt::AscendingOrder ? less(x, y) : less(y, x);
    });
    std::vector<Row> sorted;
    std::vector<int> newRow(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        sorted.push_back(std::move(m_rows[static_cast<size_t>(rows[i])]));
        newRow[static_cast<size_t>(rows[i])] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);
    // The selection follows its configuration to its new row.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after << this->index(newRow[static_cast<size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace eee
