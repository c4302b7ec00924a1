// The wear simulation: hand-computed runs of the ring, properties that hold on any
// workload (bytes against erased capacity, static data, more blocks), the projection
// beyond the cap, the cases that do not fit, the note, progress and cancelling.
#include "calc/WearSimulation.h"

#include "tests/support/EngineConfigs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace eee {
namespace {

using testing_support::Config;

// Customized overheads: no block header, each type's record overhead as given, so that
// block and record sizes are the small round numbers of the hand computations.
EvalConfig Custom(std::vector<int64_t> blocks, std::vector<DataTypeInput> types)
{
    EvalConfig config = Config("ECC8 Fixed-Length", 8, 20.0f, std::move(blocks), std::move(types));
    config.CustomOverhead = true;
    config.BlockOverhead = 0;
    return config;
}

EvalConfig WorkedExample()
{
    return Config("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 10, 8, true, 0}});
}

SimulationResult Simulate(const EvalConfig& config, int64_t maxWrites = kDefaultMaxWrites)
{
    SimulationOptions options;
    options.MaxWrites = maxWrites;
    return SimulateWear(config, Evaluate(config), options);
}

struct HandRun
{
    const char* Name;
    EvalConfig Configuration;
    int64_t MaxWrites;
    std::vector<double> Erases;
    int64_t Writes, TotalWrites, Payload, Overhead, Gc, Waste, LargestGc;
    std::vector<int64_t> GcByType;
};

void PrintTo(const HandRun& run, std::ostream* os)
{
    *os << run.Name;
}

// Each row is worked out by hand:
// - WorkedExample: 544-byte records, 16336 bytes a block: 30 writes fill block 0, then
//   every close copies the 8 live records and leaves room for 22 writes (16 bytes
//   wasted); writes 31, 53, ... close: 26545 closes, odd ones erase block 0.
// - TwoBlockSwap: 10-byte records, 105-byte blocks, 2 records x 20 updates: closes at
//   writes 11, 19, 27, 35, each copying 20 bytes and wasting 5.
// - EqualTimesLowerTypeFirst: A (10 bytes, t = 0, 5, 10, 15) and B (20 bytes, t = 0, 10)
//   in 55-byte blocks: A0 B0 A5 A10 | close, copies B0 A10 | B10 | close, copies A10 B10 | A15.
// - ThreeBlockRing: a static record and one updated every year in three 55-byte blocks:
//   the first close meets an empty victim; the static copy moves at closes 2 and 4.
// - SmallBlockSkipped: the 5-byte middle block is closed empty (wasting 5) and never
//   erased; write 11 takes two closes.
// - ProjectedWhole / ProjectedFraction: one 10-byte record, 100 updates, closes at
//   writes 11, 20, 29, ...; capped at 40 (H = 20): 2 + (2 - 1) x 60 / 20 = 5 erases, as
//   the whole run has; capped at 41: 2 + 1 x 59 / 21.
std::vector<HandRun> HandRuns()
{
    const DataTypeInput static8 {8, 1, 1, false, 2};
    return {
        {"WorkedExample", WorkedExample(), kDefaultMaxWrites, {13273, 13272}, 584000, 584000,
            584000 * 512, 584000 * 32, 26545 * 8 * 544, 26545 * 16, 8 * 544, {26545 * 8 * 544}},
        {"TwoBlockSwap", Custom({105, 105}, {{6, 20, 2, false, 4}}), 100, {2, 2}, 40, 40, 240, 160,
            80, 20, 20, {80}},
        {"EqualTimesLowerTypeFirst", Custom({55, 55}, {{6, 4, 1, false, 4}, {14, 2, 1, false, 6}}),
            100, {1, 1}, 6, 6, 52, 28, 60, 10, 30, {20, 40}},
        {"ThreeBlockRing", Custom({55, 55, 55}, {static8, {8, 20, 1, false, 2}}), 100, {1, 1, 1},
            21, 21, 168, 42, 20, 20, 10, {20, 0}},
        {"SmallBlockSkipped", Custom({100, 5, 100}, {{10, 25, 1, false, 0}}), 100, {1, 0, 0}, 25,
            25, 250, 0, 10, 5, 10, {10}},
        {"ProjectedWhole", Custom({105, 105}, {{6, 100, 1, false, 4}}), 40, {5, 5}, 40, 100, 120,
            80, 20, 10, 10, {20}},
        {"ProjectedFraction", Custom({105, 105}, {{6, 100, 1, false, 4}}), 41,
            {2 + 59.0 / 21, 2 + 59.0 / 21}, 41, 100, 126, 84, 20, 10, 10, {20}},
    };
}

class HandRunCase : public ::testing::TestWithParam<HandRun>
{ };

TEST_P(HandRunCase, CountsAreTheHandComputedOnes)
{
    const HandRun& run = GetParam();
    const SimulationResult r = Simulate(run.Configuration, run.MaxWrites);
    ASSERT_EQ(r.Status, SimulationStatus::Ok) << r.Note;
    EXPECT_TRUE(r.Fits);
    ASSERT_EQ(r.BlockCount, static_cast<int>(run.Erases.size()));
    for (size_t j = 0; j < run.Erases.size(); ++j)
        EXPECT_NEAR(r.BlockErases[j], run.Erases[j], 1e-9) << "block " << j;
    const double most = *std::max_element(run.Erases.begin(), run.Erases.end());
    EXPECT_NEAR(r.MaxBlockErases, most, 1e-9);
    EXPECT_EQ(r.SimulatedCycles, std::ceil(most - 1e-9));
    EXPECT_NEAR(r.MeanBlockErases,
        std::accumulate(run.Erases.begin(), run.Erases.end(), 0.0) / run.Erases.size(), 1e-9);
    EXPECT_EQ(r.Writes, run.Writes);
    EXPECT_EQ(r.TotalWrites, run.TotalWrites);
    EXPECT_EQ(r.Projected, run.TotalWrites > run.MaxWrites);
    EXPECT_EQ(r.PayloadBytes, run.Payload);
    EXPECT_EQ(r.RecordOverheadBytes, run.Overhead);
    EXPECT_EQ(r.GcBytes, run.Gc);
    EXPECT_EQ(r.CloseWasteBytes, run.Waste);
    EXPECT_EQ(r.LargestGcBytes, run.LargestGc);
    for (size_t i = 0; i < run.GcByType.size(); ++i)
        EXPECT_EQ(r.GcBytesByType[i], run.GcByType[i]) << "type " << i;
    EXPECT_DOUBLE_EQ(r.WriteAmplification,
        static_cast<double>(run.Payload + run.Overhead + run.Gc) / run.Payload);
}

INSTANTIATE_TEST_SUITE_P(Hand, HandRunCase, ::testing::ValuesIn(HandRuns()),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WearSimulation, WorkedExampleAgainstItsEstimate)
{
    const SimulationResult r = Simulate(WorkedExample());
    EXPECT_EQ(r.SimulatedCycles, 13273);
    EXPECT_EQ(r.EstimatedCycles, 10472);
    ASSERT_TRUE(r.HasRatio);
    EXPECT_DOUBLE_EQ(r.Ratio, 13273.0 / 10472);
    EXPECT_EQ(r.Note, "The most-worn block wears 1.27 times faster than the estimate.");
}

// Workloads whose records fit every block, for the properties below.
std::vector<EvalConfig> Workloads()
{
    return {
        WorkedExample(),
        Config("ECC8 Var-Length", 8, 5.0f, {8192, 8192, 8192},
            {{100, 3, 20, true, 0}, {12, 40, 4, true, 0}, {300, 500, 2, false, 0}}),
        Config("ECC32 Fixed-Length", 32, 2.0f, {4096, 8192, 4096, 16384},
            {{64, 24, 10, true, 0}, {64, 7, 30, true, 0}}),
        Config("ECC16 Var-Length", 16, 1.0f, {16384, 16384, 16384, 16384, 16384, 16384},
            {{512, 10, 8, true, 0}, {256, 20, 8, true, 0}, {128, 30, 8, true, 0},
                {64, 40, 8, true, 0}, {32, 50, 8, true, 0}, {16, 100, 8, true, 0}}),
    };
}

// A block is erased only after it was filled and closed: the erased capacity never
// exceeds the bytes programmed plus the close waste, and falls short of them by no
// more than what the blocks hold since their last erase.
TEST(WearSimulation, ErasedCapacityAccountsForEveryByteProgrammedOrWasted)
{
    for (const EvalConfig& config : Workloads()) {
        const SimulationResult r = Simulate(config);
        ASSERT_EQ(r.Status, SimulationStatus::Ok) << r.Note;
        ASSERT_FALSE(r.Projected);
        double erased = 0, held = 0;
        for (int j = 0; j < r.BlockCount; ++j) {
            erased += r.BlockErases[j] * static_cast<double>(r.BlockCapacity[j]);
            held += static_cast<double>(r.BlockCapacity[j]);
        }
        const auto filled = static_cast<double>(
            r.PayloadBytes + r.RecordOverheadBytes + r.GcBytes + r.CloseWasteBytes);
        EXPECT_GE(filled, erased);
        EXPECT_LE(filled, erased + held);
        EXPECT_GT(erased, 0.0);
    }
}

// A record written once stays live; its copy moves on each time the ring comes round
// to the block that holds it: every N - 1 closes (first at close N - 1), where the
// closes are the erases plus the N - 2 empty victims of the first round.
TEST(WearSimulation, StaticDataIsCopiedOncePerRingPass)
{
    for (int blocks = 2; blocks <= 6; ++blocks) {
        SCOPED_TRACE(blocks);
        const EvalConfig config = Config("ECC16 Var-Length", 16, 3.0f,
            std::vector<int64_t>(static_cast<size_t>(blocks), 8192),
            {{100, 1, 5, false, 0}, {60, 20, 6, true, 0}});
        const SimulationResult r = Simulate(config);
        ASSERT_EQ(r.Status, SimulationStatus::Ok) << r.Note;
        const int64_t erases = std::accumulate(r.BlockErases.begin(), r.BlockErases.end(), 0.0);
        const int64_t closes = erases + blocks - 2;
        const int64_t staticBytes = 5 * (100 + 28);
        EXPECT_EQ(r.GcBytesByType[0], staticBytes * (closes / (blocks - 1)));
        EXPECT_GT(closes, 10 * blocks);
    }
}

// With little live data nearly every close takes the same new writes, whatever the
// ring's size: twice the blocks share the same closes, each erased about half as often.
TEST(WearSimulation, DoublingTheBlocksAtLowFillHalvesTheErasesPerBlock)
{
    const std::vector<DataTypeInput> types {{32, 50, 4, true, 0}, {8, 2000, 2, false, 0}};
    for (int blocks : {2, 3}) {
        SCOPED_TRACE(blocks);
        const auto ring = [&](int count) {
            return Config("ECC8 Var-Length", 8, 10.0f,
                std::vector<int64_t>(static_cast<size_t>(count), 16384), types);
        };
        const SimulationResult few = Simulate(ring(blocks));
        const SimulationResult many = Simulate(ring(2 * blocks));
        ASSERT_TRUE(few.Fits && many.Fits);
        EXPECT_NEAR(many.MeanBlockErases / few.MeanBlockErases, 0.5, 0.02);
        EXPECT_NEAR(many.MaxBlockErases / few.MaxBlockErases, 0.5, 0.02);
    }
}

// Capped below the worked example's 584000 writes, the projection from the second half
// of the window lands as close to the whole run as its granularity allows (one erase
// more or less in the window counts (M - C) / (C - H) times), with the same amplification.
TEST(WearSimulation, ProjectionMatchesTheWholeRunOfASteadyWorkload)
{
    const SimulationResult whole = Simulate(WorkedExample());
    for (int64_t cap : {100001, 250000, 583999}) {
        SCOPED_TRACE(cap);
        const SimulationResult part = Simulate(WorkedExample(), cap);
        ASSERT_TRUE(part.Projected);
        EXPECT_EQ(part.Writes, cap);
        const double step = static_cast<double>(584000 - cap) / static_cast<double>(cap - cap / 2);
        for (int j = 0; j < 2; ++j)
            EXPECT_NEAR(part.BlockErases[j], whole.BlockErases[j], 1.0 + step);
        EXPECT_NEAR(part.WriteAmplification, whole.WriteAmplification, 1e-3);
        EXPECT_EQ(part.LargestGcBytes, whole.LargestGcBytes);
    }
}

// Records of zero bytes never take room: they change no erase and no copied byte, however
// many of their dead copies pile up in (and are dropped from) the active block.
TEST(WearSimulation, RecordsOfZeroBytesTakeNoRoom)
{
    const DataTypeInput kept {6, 1, 2, false, 4}; // written once, copied on every pass
    const DataTypeInput sized {6, 1, 3, true, 4};
    const SimulationResult alone = Simulate(Custom({200, 200, 200}, {kept, sized}));
    const SimulationResult beside = Simulate(
        Custom({200, 200, 200}, {{0, 20, 4, true, 0}, kept, sized, {0, 9, 2, false, 0}}));
    ASSERT_TRUE(alone.Fits && beside.Fits);
    EXPECT_EQ(beside.TotalWrites, alone.TotalWrites + 4 * 20 * 7300 + 2 * 9);
    EXPECT_EQ(beside.BlockErases, alone.BlockErases);
    EXPECT_EQ(beside.GcBytes, alone.GcBytes);
    EXPECT_GT(beside.GcBytes, 0);
    EXPECT_EQ(beside.CloseWasteBytes, alone.CloseWasteBytes);
    EXPECT_EQ(beside.PayloadBytes, alone.PayloadBytes);
}

struct WritesCase
{
    DataTypeInput Type;
    float LifeTime;
    int64_t Writes;
};

// Daily times are (double)j x 1/(365 U): 1825 x (1/1825) falls just below 1 year, so a
// 1-year, 5-a-day type writes once more than 365 x 5; 0.1f is a little above 0.1.
TEST(WearSimulation, WritesPerRecordCountTheTimesBelowTheLifetime)
{
    const std::vector<WritesCase> cases {
        {{1, 10, 1, true, 0}, 20.0f, 73000},
        {{1, 5, 1, true, 0}, 1.0f, 1826},
        {{1, 1, 1, true, 0}, 1.0f, 365},
        {{1, 10, 1, true, 0}, 0.1f, 366},
        {{1, 7, 1, false, 0}, 20.0f, 7},
        {{1, 0, 1, true, 0}, 20.0f, 0},
        {{1, 3, 1, true, 0}, 0.0f, 0},
    };
    for (const WritesCase& c : cases)
        EXPECT_EQ(WritesPerRecord(c.Type, static_cast<double>(c.LifeTime)), c.Writes)
            << c.Type.Updates << (c.Type.Daily ? " daily over " : " total over ") << c.LifeTime;
}

struct StopCase
{
    const char* Name;
    EvalConfig Configuration;
    SimulationStatus Status;
    int64_t Writes, StopWrite;
    int StopDataType, StopBlock;
    std::vector<double> Erases;
    std::string Note;
};

void PrintTo(const StopCase& c, std::ostream* os)
{
    *os << c.Name;
}

class StopRun : public ::testing::TestWithParam<StopCase>
{ };

// Ten live 10-byte records: a 90-byte block cannot take them, two 100-byte blocks take
// them but leave no room for a new version (write 11 closes both blocks and gives up).
TEST_P(StopRun, EndsWhereTheDataStopsFitting)
{
    const StopCase& c = GetParam();
    const SimulationResult r = Simulate(c.Configuration);
    EXPECT_EQ(r.Status, c.Status);
    EXPECT_FALSE(r.Fits);
    EXPECT_FALSE(r.Projected);
    EXPECT_EQ(r.Writes, c.Writes);
    EXPECT_EQ(r.StopWrite, c.StopWrite);
    EXPECT_EQ(r.StopDataType, c.StopDataType);
    EXPECT_EQ(r.StopBlock, c.StopBlock);
    for (size_t j = 0; j < c.Erases.size(); ++j)
        EXPECT_EQ(r.BlockErases[j], c.Erases[j]) << "block " << j;
    EXPECT_EQ(r.Note, c.Note);
}

INSTANTIATE_TEST_SUITE_P(Hand, StopRun,
    ::testing::Values(
        StopCase {"OneBlock", Config("ECC16 Var-Length", 16, 20.0f, {16384}, {{512, 10, 8, true}}),
            SimulationStatus::TooFewBlocks, 0, 0, 0, 0, {},
            "The wear simulation needs at least two blocks."},
        StopCase {"RecordLargerThanEveryBlock",
            Custom({100, 120}, {{10, 5, 1, false, 0}, {140, 5, 1, false, 10}}),
            SimulationStatus::RecordTooLarge, 0, 0, 2, 0, {0, 0},
            "A record of data type 2 takes 150 bytes, more than any block holds (120 bytes), so "
            "the data does not fit."},
        StopCase {"LiveCopyFindsNoRoom", Custom({100, 90}, {{10, 2, 10, false, 0}}),
            SimulationStatus::LiveCopyNoRoom, 10, 11, 1, 2, {0, 0},
            "At write 11 a live copy of data type 1 found no room in block 2 while collecting, "
            "so the data does not fit."},
        StopCase {"NoRoomAfterEveryBlockClosed", Custom({100, 100}, {{10, 2, 10, false, 0}}),
            SimulationStatus::NoRoomAfterCloses, 10, 11, 1, 1, {1, 1},
            "Write 11 (data type 1) found no room after 2 block closes, so the data does not "
            "fit."}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WearSimulation, NoteComparesTheMostWornBlockWithTheEstimate)
{
    const std::vector<std::tuple<double, double, std::string>> cases {
        {13273, 10472, "The most-worn block wears 1.27 times faster than the estimate."},
        {110, 100, "The most-worn block agrees with the estimate within 10 %."},
        {90, 100, "The most-worn block agrees with the estimate within 10 %."},
        {111, 100, "The most-worn block wears 1.11 times faster than the estimate."},
        {89, 100, "The most-worn block wears 1.12 times slower than the estimate."},
        {0, 2500, "The simulation erases no block, against 2,500 estimated cycles."},
        {0, 0, "Neither the simulation nor the estimate erases any block."},
        {12.5, 0, "The estimate expects no erase, but the most-worn block is erased 13 times."},
    };
    for (const auto& [erases, estimate, note] : cases)
        EXPECT_EQ(WearComparisonNote(erases, estimate), note) << erases << " / " << estimate;
}

TEST(WearSimulation, ReportsProgressAndStopsWhenCancelled)
{
    const EvalConfig config = WorkedExample();
    std::vector<int64_t> done;
    std::atomic<bool> cancel {false};
    SimulationOptions options;
    options.Progress = [&](int64_t writes, int64_t total) {
        EXPECT_EQ(total, 584000);
        done.push_back(writes);
    };
    options.Cancel = &cancel;
    const SimulationResult whole = SimulateWear(config, Evaluate(config), options);
    ASSERT_GE(done.size(), 3u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), 584000);
    EXPECT_TRUE(whole.Fits);

    options.Progress = [&](int64_t, int64_t) { cancel = true; };
    const SimulationResult stopped = SimulateWear(config, Evaluate(config), options);
    EXPECT_EQ(stopped.Status, SimulationStatus::Cancelled);
    EXPECT_TRUE(stopped.Cancelled);
    EXPECT_FALSE(stopped.Fits);
    EXPECT_EQ(stopped.Writes, done.front());
    EXPECT_EQ(stopped.Note, "The simulation was cancelled after 65,536 of 584,000 writes.");
}

} // namespace
} // namespace eee
