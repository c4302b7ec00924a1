// The wear simulation's speed in simulated writes a second: the delivered defaults
// switched to Daily (six types, 14.6 million writes over 20 years, capped at 2,000,000
// and projected) and the worked example (584,000 writes, run whole). The evaluation is
// made once, outside the timed loop.
#include "calc/WearSimulation.h"

#include <benchmark/benchmark.h>

namespace {

eee::EvalConfig DefaultsDaily()
{
    eee::EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = 20.0f;
    config.BlockCount = 2;
    config.BlockBytes = {0x8000, 0x8000};
    config.DataTypeCount = 6;
    const int sizes[] = {512, 256, 128, 64, 32, 16};
    const int updates[] = {10, 20, 30, 40, 50, 100};
    for (int i = 0; i < 6; ++i)
        config.DataTypes[i] = {sizes[i], updates[i], 8, true, 0};
    return config;
}

eee::EvalConfig WorkedExample()
{
    eee::EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = 20.0f;
    config.BlockCount = 2;
    config.BlockBytes = {0x4000, 0x4000};
    config.DataTypeCount = 1;
    config.DataTypes[0] = {512, 10, 8, true, 0};
    return config;
}

void Simulate(benchmark::State& state, const eee::EvalConfig& config)
{
    const eee::EvalResult evaluation = eee::Evaluate(config);
    int64_t writes = 0;
    for (auto _ : state) {
        eee::SimulationResult result = eee::SimulateWear(config, evaluation);
        writes += result.Writes;
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(writes);
    state.counters["writes_per_run"] = static_cast<double>(writes / state.iterations());
}

void BM_SimulateDefaultsDaily(benchmark::State& state)
{
    Simulate(state, DefaultsDaily());
}
BENCHMARK(BM_SimulateDefaultsDaily)->Unit(benchmark::kMillisecond);

void BM_SimulateWorkedExample(benchmark::State& state)
{
    Simulate(state, WorkedExample());
}
BENCHMARK(BM_SimulateWorkedExample)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
