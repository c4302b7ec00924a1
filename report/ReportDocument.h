// A design-review report as a list of titled sections, each a list of blocks: lines
// of text, formula lines, tables and the envelope chart. The PDF and the HTML writer
// lay out the same document, so both say the same thing.
#pragma once

#include "chart/ChartModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace eee {

struct ReportTable
{
    QStringList Header; // empty: a table of labels and values without a header row
    std::vector<QStringList> Rows;
    std::vector<int> NumberColumns; // columns whose cells are numbers, aligned right
    bool IsNumberColumn(int column) const;
};

struct ReportBlock
{
    enum class Kind { Lines, Formulas, Table, Chart };
    Kind Type = Kind::Lines;
    QStringList Lines; // Lines: paragraphs; Formulas: lines set in a fixed-width face
    ReportTable Table;
    std::optional<ChartModel> Chart; // drawn at the window chart's size, scaled as a whole
};

class ReportSection
{
public:
    explicit ReportSection(QString title)
        : m_title(std::move(title))
    { }
    const QString& Title() const { return m_title; }
    const std::vector<ReportBlock>& Blocks() const { return m_blocks; }

    ReportSection& AddLines(const QStringList& lines);
    ReportSection& AddLines(const std::vector<std::string>& lines);
    ReportSection& AddFormulas(const std::vector<std::string>& lines);
    ReportSection& AddTable(ReportTable table);
    // Labels and values, one row each.
    ReportSection& AddPairs(const std::vector<std::pair<QString, QString>>& pairs);
    ReportSection& AddChart(const ChartModel& chart);

private:
    QString m_title;
    std::vector<ReportBlock> m_blocks;
};

class ReportDocument
{
public:
    QString Title;
    QStringList Preamble; // date, program version, session file: under the title

    // Appends a section; the reference stays valid until the next section is added.
    ReportSection& AddSection(const QString& title);
    const std::vector<ReportSection>& Sections() const { return m_sections; }

private:
    std::vector<ReportSection> m_sections;
};

} // namespace eee
