// The texts of a wear simulation shared by the window, the report and eee-calc-cli.
#include "calc/WearSimulationText.h"

#include <gtest/gtest.h>

#include <numeric>

namespace eee {
namespace {

TEST(WearSimulationText, ErasesAreWholeUnlessProjected)
{
    EXPECT_EQ(ErasesText(0), "0");
    EXPECT_EQ(ErasesText(13273), "13,273");
    EXPECT_EQ(ErasesText(35390.4), "35,390.40");
    EXPECT_EQ(ErasesText(1234567.899), "1,234,567.90");
    EXPECT_EQ(ErasesText(999.999), "1,000.00");
}

TEST(WearSimulationText, ShareOfANothingIsADash)
{
    EXPECT_EQ(ShareText(1, 3), "33.3 %");
    EXPECT_EQ(ShareText(0, 0), "-");
}

SimulationResult Finished()
{
    SimulationResult r;
    r.Fits = true;
    r.BlockCount = 2;
    r.EstimatedCycles = 10472;
    r.SimulatedCycles = 13273;
    r.HasRatio = true;
    r.Ratio = 13273.0 / 10472.0;
    r.MeanBlockErases = 13272.5;
    r.Writes = 584000;
    r.TotalWrites = 584000;
    r.LargestGcBytes = 4352;
    r.WriteAmplification = 1.4488;
    r.PayloadBytes = 600;
    r.RecordOverheadBytes = 200;
    r.GcBytesByType = {100, 50, 25};
    r.GcBytes = 175;
    r.CloseWasteBytes = 25;
    return r;
}

TEST(WearSimulationText, WearLinesOfAFinishedRun)
{
    SimulationResult r = Finished();
    std::vector<std::string> texts;
    for (const SimulationLine& line : SimulationWearLines(r))
        texts.push_back(line.Label + ": " + line.Value);
    EXPECT_EQ(texts,
        (std::vector<std::string> {
            "Estimated flash cycles: 10,472",
            "Simulated cycles (most-worn block): 13,273",
            "Simulated / estimated: 1.27",
            "Mean erases per block: 13,272.50",
            "Writes simulated: 584,000 of 584,000",
            "Largest garbage collection: 4,352 bytes",
            "Write amplification: 1.45",
        }));

    r.Projected = true;
    r.Writes = 2000000;
    r.TotalWrites = 14600000;
    r.HasRatio = false;
    const std::vector<SimulationLine> projected = SimulationWearLines(r);
    EXPECT_EQ(projected[2].Value, "-");
    EXPECT_EQ(projected[4].Value, "2,000,000 of 14,600,000, erases projected to all writes");
    EXPECT_EQ(
        SimulationBytesTitle(r), "Bytes programmed in the second half of the simulated writes");
}

TEST(WearSimulationText, RunThatStoppedHasOnlyTheEstimate)
{
    SimulationResult r = Finished();
    r.Fits = false;
    const std::vector<SimulationLine> lines = SimulationWearLines(r);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Label, "Estimated flash cycles");
}

TEST(WearSimulationText, ByteKindsAddUpToTheTotal)
{
    const SimulationResult r = Finished();
    const std::vector<SimulationBytes> kinds = SimulationByteKinds(r, 3);
    std::vector<std::string> labels;
    for (const SimulationBytes& kind : kinds)
        labels.push_back(kind.Label);
    EXPECT_EQ(labels,
        (std::vector<std::string> {"Payload", "Record overhead", "Copies of DataType1",
            "Copies of DataType2", "Copies of DataType3", "Close waste"}));
    const int64_t sum = std::accumulate(kinds.begin(), kinds.end(), int64_t {0},
        [](int64_t total, const SimulationBytes& kind) { return total + kind.Bytes; });
    EXPECT_EQ(sum, SimulationBytesTotal(r));
    EXPECT_EQ(SimulationBytesTotal(r), 1000);
}

} // namespace
} // namespace eee
