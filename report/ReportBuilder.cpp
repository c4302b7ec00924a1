#include "report/ReportBuilder.h"

#include "Version.h"
#include "calc/Breakdown.h"
#include "calc/Format.h"
#include "calc/Schemes.h"
#include "report/ExtraSections.h"
#include "report/SimulationSection.h"

#include <algorithm>

namespace eee {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Integer(int64_t value)
{
    return QString::number(value);
}

QString Years(float lifeTime)
{
    return Q(Format("%g", static_cast<double>(lifeTime)));
}

void AddInputs(ReportDocument& document, const ReportContent& c)
{
    const EvalConfig& config = c.Config;
    const int nb = std::clamp(config.BlockCount, 0, kMaxBlocks);
    QStringList blocks;
    for (int k = 0; k < nb; ++k)
        blocks << Integer(config.BlockBytes[static_cast<size_t>(k)]);
    const int64_t header
        = config.CustomOverhead ? config.BlockOverhead : BlockHeaderOverhead(config.Scheme);
    ReportSection& section = document.AddSection("Inputs");
    section.AddPairs({
        {"Scheme", Q(std::string(config.Scheme))},
        {"LifeTime (Years)", Years(config.LifeTime)},
        {"No. of Blocks", QString::number(config.BlockCount)},
        {"Block Size (bytes)", blocks.join(", ")},
        {"Customize Overhead", config.CustomOverhead ? "on" : "off"},
        {"Block Overhead (bytes per block)", Integer(header)},
        {"Record Alignment (bytes)", QString::number(config.RecordAlignment)},
    });

    ReportTable types;
    types.Header = {"Data Type", "Average Data Record Size", "Updates", "Write Frequency",
        "Number of Records", "Overhead"};
    types.NumberColumns = {1, 2, 4, 5};
    const int n = std::clamp(config.DataTypeCount, 0, kMaxDataTypes);
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& t = config.DataTypes[static_cast<size_t>(i)];
        types.Rows.push_back({QString("DataType%1").arg(i + 1), QString::number(t.DataSize),
            Integer(t.Updates), t.Daily ? "Daily" : "Total", QString::number(t.Records),
            QString::number(c.Result.RecordOverhead[static_cast<size_t>(i)])});
    }
    section.AddTable(std::move(types));
}

void AddResults(ReportDocument& document, const ReportContent& c)
{
    const ResultTexts texts = MakeResultTexts(c.Result);
    document.AddSection("Results").AddPairs({
        {"Total User Data Bytes", Q(texts.TotalUserDataBytes)},
        {"Total Overhead", Q(texts.TotalOverhead)},
        {"Total User Bytes + Overhead", Q(texts.TotalBytes)},
        {"Flash used for EEPROM emulation",
            Q(Format("%lld KB", static_cast<long long>(c.Result.FlashUsedBytes / 1024)))},
        {"Total Application Lifetime Updates", Q(texts.LifetimeUpdates)},
        {"Maximum EEPROM Update Requirements", Q(texts.MaxUpdateRequirement)},
        {"Estimated Flash Cycles", Q(texts.FlashCycles)},
        {"Mean Time between Refresh Cycles (days)",
            texts.RefreshInterval.empty() ? "-" : Q(texts.RefreshInterval)},
        {"In-spec years", Q(Format("%.1f", static_cast<double>(c.Result.InSpecYears)))},
    });
}

void AddVerdict(ReportDocument& document, const ReportContent& c)
{
    const VerdictTexts verdict = MakeVerdict(c.Config, c.Result);
    QStringList lines {c.Result.InSpec ? "Verdict: In Spec" : "Verdict: Out of Spec"};
    for (const std::string* line : {&verdict.First, &verdict.Second, &verdict.Lifetime}) {
        if (!line->empty())
            lines << Q(*line);
    }
    document.AddSection("Spec Notification").AddLines(lines);
}

void AddBreakdown(ReportDocument& document, const Breakdown& breakdown)
{
    ReportSection& section = document.AddSection("Breakdown by Data Type");
    if (!breakdown.HasEstimate) {
        section.AddLines(breakdown.Trace);
        return;
    }
    ReportTable table;
    for (const char* column : kBreakdownColumns)
        table.Header << column;
    table.NumberColumns = {1, 2, 3, 4, 5, 6, 7};
    for (const DataTypeShare& share : breakdown.DataTypes) {
        QStringList row;
        for (const std::string& cell : BreakdownCells(share))
            row << Q(cell);
        table.Rows.push_back(row);
    }
    section.AddTable(std::move(table));
}

} // namespace

ReportContent MakeReportContent(const EvalConfig& config, const EvalResult& result,
    const ChartModel& chart, const QString& sessionFile, std::optional<BestCandidate> advised)
{
    ReportContent content;
    content.SessionFile = sessionFile;
    content.Created = QDateTime::currentDateTime();
    content.Config = config;
    content.Result = result;
    content.Chart = chart;
    content.Advised = std::move(advised);
    content.Chart.SetCyclesLimit(content.Config.CyclesLimit);
    content.Chart.SetOperatingPoint(content.Config.LifeTime, content.Result.FlashCycles);
    return content;
}

ReportDocument BuildReport(const ReportContent& c)
{
    ReportDocument document;
    document.Title = c.Title.isEmpty() ? QString(kDefaultReportTitle) : c.Title;
    document.Preamble = {
        "Date: " + c.Created.toString("yyyy-MM-dd HH:mm"),
        QString("Program: Varn EEE Calculator %1").arg(kVersion),
        "Session file: " + (c.SessionFile.isEmpty() ? QString("(none)") : c.SessionFile),
    };
    AddInputs(document, c);
    AddResults(document, c);
    AddVerdict(document, c);
    document.AddSection("Spec Envelope").AddChart(c.Chart);

    const Breakdown breakdown = MakeBreakdown(c.Config, c.Result);
    AddBreakdown(document, breakdown);
    if (breakdown.HasEstimate) {
        QStringList legend {"Where:"};
        for (const std::string& line : TraceLegend())
            legend << Q(line);
        document.AddSection("Formula Trace").AddFormulas(breakdown.Trace).AddLines(legend);
    }

    AddExtraSections(document, c);
    if (c.Retention)
        AddRetentionSection(document, *c.Retention);
    AddWearSimulationSection(document, c.Config, c.Result);

    document.AddSection("Constants Assumed")
        .AddPairs({
            {"Flash endurance", QString("%1 cycles").arg(kCyclesLimit)},
            {"Flash lifetime", QString("%1 years").arg(kLifetimeLimit)},
            {"Days per year", "365"},
        });
    return document;
}

} // namespace eee
