#include "calc/WearSimulationText.h"

#include "calc/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace eee {

namespace {

std::string Whole(int64_t value)
{
    return WithThousandsSeparators(static_cast<double>(value));
}

} // namespace

std::string ErasesText(double erases)
{
    if (erases == std::floor(erases))
        return WithThousandsSeparators(erases);
    // The whole part with separators, then the two decimals as %.2f rounds them.
    const std::string fixed = Format("%.2f", erases);
    const size_t point = fixed.find('.');
    return WithThousandsSeparators(std::strtod(fixed.substr(0, point).c_str(), nullptr))
        + fixed.substr(point);
}

std::string BlockName(int block)
{
    return "Block " + std::to_string(block + 1);
}

std::string ShareText(int64_t part, int64_t whole)
{
    if (whole <= 0)
        return "-";
    return Format("%.1f %%", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

std::vector<SimulationLine> SimulationWearLines(const SimulationResult& r)
{
    std::vector<SimulationLine> lines {
        {"Estimated flash cycles", WithThousandsSeparators(r.EstimatedCycles)}};
    if (!r.Fits)
        return lines;
    std::string writes = Whole(r.Writes) + " of " + Whole(r.TotalWrites);
    if (r.Projected)
        writes += ", erases projected to all writes";
    lines.insert(lines.end(),
        {
            {"Simulated cycles (most-worn block)", WithThousandsSeparators(r.SimulatedCycles)},
            {"Simulated / estimated", r.HasRatio ? Format("%.2f", r.Ratio) : std::string("-")},
            {"Mean erases per block", ErasesText(r.MeanBlockErases)},
            {"Writes simulated", writes},
            {"Largest garbage collection", Whole(r.LargestGcBytes) + " bytes"},
            {"Write amplification", Format("%.2f", r.WriteAmplification)},
        });
    return lines;
}

std::string SimulationBytesTitle(const SimulationResult& r)
{
    return r.Projected ? "Bytes programmed in the second half of the simulated writes"
                       : "Bytes programmed";
}

std::vector<SimulationBytes> SimulationByteKinds(const SimulationResult& r, int dataTypeCount)
{
    std::vector<SimulationBytes> kinds {
        {"Payload", r.PayloadBytes},
        {"Record overhead", r.RecordOverheadBytes},
    };
    const int types = std::clamp(dataTypeCount, 0, kMaxDataTypes);
    for (int i = 0; i < types; ++i)
        kinds.push_back({"Copies of DataType" + std::to_string(i + 1), r.GcBytesByType[i]});
    kinds.push_back({"Close waste", r.CloseWasteBytes});
    return kinds;
}

int64_t SimulationBytesTotal(const SimulationResult& r)
{
    return r.PayloadBytes + r.RecordOverheadBytes + r.GcBytes + r.CloseWasteBytes;
}

} // namespace eee
