// Evaluate() with six data types and six blocks: numbers only, as the design advisor
// calls it, and with the texts the window shows.
#include "calc/BlockSize.h"
#include "calc/Evaluate.h"
#include "calc/Format.h"
#include "calc/Sweep.h"
#include "chart/ChartModel.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The six initial data types of the form, every second one daily, in six blocks of x10000.
eee::EvalConfig SixDataTypes()
{
    constexpr std::array<int32_t, eee::kMaxDataTypes> kSizes {512, 256, 128, 64, 32, 16};
    constexpr std::array<int64_t, eee::kMaxDataTypes> kUpdates {10, 20, 30, 40, 50, 100};
    eee::EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = 20.0f;
    config.BlockCount = 6;
    config.BlockBytes.fill(eee::BlockSizeBytes("x10000"));
    config.DataTypeCount = 6;
    for (size_t i = 0; i < eee::kMaxDataTypes; ++i)
        config.DataTypes[i] = {kSizes[i], kUpdates[i], 8, i % 2 == 1, 0};
    return config;
}

void BM_EvaluateSixTypesSixBlocks(benchmark::State& state)
{
    const eee::EvalConfig config = SixDataTypes();
    for (auto _ : state) {
        eee::EvalResult result = eee::Evaluate(config);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EvaluateSixTypesSixBlocks);

void BM_EvaluateWithTexts(benchmark::State& state)
{
    const eee::EvalConfig config = SixDataTypes();
    for (auto _ : state) {
        const eee::EvalResult result = eee::Evaluate(config);
        eee::ResultTexts texts = eee::MakeResultTexts(result);
        eee::VerdictTexts verdict = eee::MakeVerdict(config, result);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(verdict);
    }
}
BENCHMARK(BM_EvaluateWithTexts);

// A sweep of 10,000 points, each evaluated in full (as eee-calc-cli sweep runs it).
void BM_Sweep10000Points(benchmark::State& state)
{
    const eee::EvalConfig config = SixDataTypes();
    std::string error;
    const eee::SweepRequest request = *eee::ParseSweep("updates:2=1:10000", error);
    const std::vector<eee::SweepValue> values = *eee::SweepValues(request, config, {}, error);
    for (auto _ : state) {
        std::vector<eee::SweepPoint> points = eee::RunSweep(request, config, values);
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_Sweep10000Points)->Unit(benchmark::kMillisecond);

void BM_InSpecYears(benchmark::State& state)
{
    double cycles = 2195.0;
    for (auto _ : state) {
        float years = eee::EnvelopeInSpecYears(20.0f, cycles, 20, 100000);
        benchmark::DoNotOptimize(years);
        benchmark::DoNotOptimize(cycles);
    }
}
BENCHMARK(BM_InSpecYears);

} // namespace

BENCHMARK_MAIN();
