#include "report/ReportDocument.h"

#include <algorithm>

namespace eee {

bool ReportTable::IsNumberColumn(int column) const
{
    return std::find(NumberColumns.begin(), NumberColumns.end(), column) != NumberColumns.end();
}

ReportSection& ReportSection::AddLines(const QStringList& lines)
{
    ReportBlock block;
    block.Type = ReportBlock::Kind::Lines;
    block.Lines = lines;
    m_blocks.push_back(std::move(block));
    return *this;
}

namespace {
QStringList ToQ(const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list.push_back(QString::fromStdString(line));
    return list;
}
} // namespace

ReportSection& ReportSection::AddLines(const std::vector<std::string>& lines)
{
    return AddLines(ToQ(lines));
}

ReportSection& ReportSection::AddFormulas(const std::vector<std::string>& lines)
{
    ReportBlock block;
    block.Type = ReportBlock::Kind::Formulas;
    block.Lines = ToQ(lines);
    m_blocks.push_back(std::move(block));
    return *this;
}

ReportSection& ReportSection::AddTable(ReportTable table)
{
    ReportBlock block;
    block.Type = ReportBlock::Kind::Table;
    block.Table = std::move(table);
    m_blocks.push_back(std::move(block));
    return *this;
}

ReportSection& ReportSection::AddPairs(const std::vector<std::pair<QString, QString>>& pairs)
{
    ReportTable table;
    for (const auto& [label, value] : pairs)
        table.Rows.push_back({label, value});
    return AddTable(std::move(table));
}

ReportSection& ReportSection::AddChart(const ChartModel& chart)
{
    ReportBlock block;
    block.Type = ReportBlock::Kind::Chart;
    block.Chart = chart;
    m_blocks.push_back(std::move(block));
    return *this;
}

ReportSection& ReportDocument::AddSection(const QString& title)
{
    m_sections.emplace_back(title);
    return m_sections.back();
}

} // namespace eee
