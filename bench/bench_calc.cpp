// One full calculation as Submit runs it: sizes, block fit, flash used, endurance,
// the chart layout of one repaint and the verdict, with six data types and six blocks;
// and Evaluate() alone, numbers only, as the design advisor calls it.
#include "calc/BlockSize.h"
#include "calc/Compute.h"
#include "calc/Evaluate.h"
#include "calc/Format.h"
#include "chart/ChartModel.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

eee::CalcInputs SixDataTypes()
{
    eee::CalcInputs in;
    in.Scheme = "ECC16 Var-Length";
    in.RecordAlignment = 16;
    in.LifeTime = 20.0f;
    in.BlocksSelected = 6;
    in.DataTypeCount = 6;
    in.Frequency = {0, 1, 0, 1, 0, 1};
    return in;
}

void BM_FullCalculation(benchmark::State& state)
{
    const eee::CalcInputs inputs = SixDataTypes();
    const std::array<std::string, eee::kMaxBlocks> blockTexts {
        "x10000", "x10000", "x10000", "x10000", "x10000", "x10000"};
    eee::ChartModel chart;
    chart.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)", "Estimated Flash Cycles",
        {0, 255, 0}, {255, 0, 0}, {236, 233, 216}, eee::kLifetimeLimit, eee::kCyclesLimit);

    for (auto _ : state) {
        eee::CalcInputs in = inputs;
        eee::CalcResults out;

        std::array<int64_t, eee::kMaxBlocks> blockBytes {};
        for (int k = 0; k < in.BlocksSelected; ++k) {
            blockBytes[k] = eee::BlockSizeBytes(blockTexts[k]);
            out.FlashUsedBytes += blockBytes[k];
        }
        std::string flashUsed = eee::FlashUsedText(out.FlashUsedBytes);
        benchmark::DoNotOptimize(flashUsed);

        eee::ComputeSizes(in, out);
        bool fits = eee::BlocksFit(out.TotalBytes, blockBytes, in.BlocksSelected);
        benchmark::DoNotOptimize(fits);

        eee::EnduranceTexts texts;
        bool computed = eee::ComputeEndurance(in, out, texts);
        benchmark::DoNotOptimize(computed);

        chart.SetCyclesLimit(in.CyclesLimit);
        chart.SetOperatingPoint(in.LifeTime, out.FlashCycles);
        eee::ChartLayout layout = chart.Layout(338, 236);
        benchmark::DoNotOptimize(layout);

        eee::VerdictTexts verdict = eee::MakeVerdict(
            in.LifeTime, out.FlashCycles, in.CyclesLimit, chart.GetInSpecYears());
        benchmark::DoNotOptimize(verdict);
        benchmark::DoNotOptimize(texts);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullCalculation);

void BM_EvaluateSixTypesSixBlocks(benchmark::State& state)
{
    const eee::CalcInputs inputs = SixDataTypes();
    std::array<int64_t, eee::kMaxBlocks> blocks {};
    blocks.fill(eee::BlockSizeBytes("x10000"));
    const eee::EvalConfig config = eee::ConfigFromInputs(inputs, blocks);
    for (auto _ : state) {
        eee::EvalResult result = eee::Evaluate(config);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EvaluateSixTypesSixBlocks);

void BM_EvaluateWithTexts(benchmark::State& state)
{
    const eee::CalcInputs inputs = SixDataTypes();
    std::array<int64_t, eee::kMaxBlocks> blocks {};
    blocks.fill(eee::BlockSizeBytes("x10000"));
    const eee::EvalConfig config = eee::ConfigFromInputs(inputs, blocks);
    for (auto _ : state) {
        const eee::EvalResult result = eee::Evaluate(config);
        eee::ResultTexts texts = eee::MakeResultTexts(result);
        eee::VerdictTexts verdict = eee::MakeVerdict(config, result);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(verdict);
    }
}
BENCHMARK(BM_EvaluateWithTexts);

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
