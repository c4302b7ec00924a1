#include "report/SimulationSection.h"

#include "calc/Format.h"
#include "calc/WearSimulationText.h"

#include <algorithm>

namespace eee {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Bytes(int64_t bytes)
{
    return Q(WithThousandsSeparators(static_cast<double>(bytes)));
}

} // namespace

void AddWearSimulationSection(
    ReportDocument& document, const EvalConfig& config, const EvalResult& result)
{
    AddWearSimulationSection(document, SimulateWear(config, result), config.DataTypeCount);
}

void AddWearSimulationSection(
    ReportDocument& document, const SimulationResult& r, int dataTypeCount)
{
    ReportSection& section = document.AddSection(kWearSimulationTitle);
    section.AddLines(QStringList {Q(r.Note)});
    std::vector<std::pair<QString, QString>> figures;
    for (const SimulationLine& line : SimulationWearLines(r))
        figures.emplace_back(Q(line.Label), Q(line.Value));
    section.AddPairs(figures);
    if (!r.Fits)
        return;

    ReportTable blocks;
    blocks.Header = {"Block", "Bytes of records", "Erases"};
    blocks.NumberColumns = {1, 2};
    for (int j = 0; j < std::clamp(r.BlockCount, 0, kMaxBlocks); ++j)
        blocks.Rows.push_back(
            {Q(BlockName(j)), Bytes(r.BlockCapacity[j]), Q(ErasesText(r.BlockErases[j]))});
    section.AddTable(std::move(blocks));

    section.AddLines(QStringList {Q(SimulationBytesTitle(r)) + ":"});
    ReportTable bytes;
    bytes.Header = {"Kind", "Bytes", "Share"};
    bytes.NumberColumns = {1, 2};
    const int64_t total = SimulationBytesTotal(r);
    for (const SimulationBytes& kind : SimulationByteKinds(r, dataTypeCount))
        bytes.Rows.push_back({Q(kind.Label), Bytes(kind.Bytes), Q(ShareText(kind.Bytes, total))});
    section.AddTable(std::move(bytes));
}

} // namespace eee
