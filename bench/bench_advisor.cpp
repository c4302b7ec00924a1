// The design advisor over the delivered catalogue: the whole search over all six
// schemes, the search in one scheme (the one with the most block sizes), and the
// headroom of the delivered defaults. The catalogue and the defaults are read once,
// outside the timed loops, from the data files of the source tree.
#include "calc/Advisor.h"
#include "calc/AdvisorHeadroom.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "form/AdvisorCatalogueReader.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Every allocation of the program is counted, so that the benchmark shows the search
// allocates per candidate kept, not per configuration evaluated.
namespace {
std::atomic<long> g_allocations {0};
}

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

struct Delivered
{
    eee::AdvisorCatalogue Catalogue;
    eee::SessionRecord Defaults;
};

const Delivered& DeliveredData()
{
    static const Delivered data = [] {
        eee::FileAccess files(EEE_DATA_DIR);
        eee::FileDataSource source(files);
        Delivered d;
        std::vector<std::string> problems;
        d.Catalogue = eee::ReadAdvisorCatalogue(source, problems);
        std::string error;
        if (!problems.empty() || !files.ReadSession(d.Defaults, "Defaults.xml", error)) {
            std::fprintf(stderr, "the delivered data files could not be read\n");
            std::exit(1);
        }
        return d;
    }();
    return data;
}

void Advise(benchmark::State& state, eee::SchemeScope scope)
{
    const Delivered& data = DeliveredData();
    const eee::AdvisorWorkload workload = eee::WorkloadFromRecord(data.Defaults);
    eee::AdvisorOptions options;
    options.Schemes = scope;
    int searched = 0;
    long allocations = 0;
    for (auto _ : state) {
        const long before = g_allocations;
        eee::Advice advice = eee::Advise(data.Catalogue, workload, options);
        allocations = g_allocations - before;
        searched = advice.Searched;
        benchmark::DoNotOptimize(advice);
    }
    state.counters["configurations"] = searched;
    state.counters["allocations"] = static_cast<double>(allocations);
}

void BM_AdviseAllSchemes(benchmark::State& state)
{
    Advise(state, eee::SchemeScope::All);
}
BENCHMARK(BM_AdviseAllSchemes)->Unit(benchmark::kMillisecond);

// ECC16 Var-Length, the delivered scheme with six block sizes: the largest single search.
void BM_AdviseOneScheme(benchmark::State& state)
{
    Advise(state, eee::SchemeScope::Same);
}
BENCHMARK(BM_AdviseOneScheme)->Unit(benchmark::kMillisecond);

void BM_AdviseHeadroom(benchmark::State& state)
{
    const Delivered& data = DeliveredData();
    const eee::AdvisorWorkload workload = eee::WorkloadFromRecord(data.Defaults);
    const eee::CatalogueScheme* scheme = data.Catalogue.Find(data.Defaults.Scheme);
    const eee::EvalConfig config = eee::WorkloadConfig(workload, *scheme, {0x8000, 0x8000});
    int evaluations = 0;
    for (auto _ : state) {
        eee::AdvisorHeadroom headroom = eee::FindHeadroom(config, eee::kCyclesLimit);
        evaluations = headroom.Evaluations;
        benchmark::DoNotOptimize(headroom);
    }
    state.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_AdviseHeadroom)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
