#include "Advisor.h"

#include "Format.h"
#include "Schemes.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace eee {

namespace {

constexpr int kBlockCounts = kMaxBlocks - kMinAdvisorBlocks + 1;

// The best configuration seen for one block count, without any text: the search keeps
// these in place and builds the candidates only when it is done.
struct Best
{
    bool Found = false;
    std::array<int, kMaxBlocks> Block {}; // positions in the scheme's block list
    int64_t FlashUsedBytes = 0;
    double FlashCycles = 0.0;
};

struct SchemeBest
{
    std::array<Best, kBlockCounts> Qualified {}; // least flash, then fewest cycles
    std::array<Best, kBlockCounts> Closest {}; // fewest cycles, then least flash
};

void Keep(Best& best, const std::array<int, kMaxBlocks>& block,
    const std::array<int, kMaxBlocks>& c, int nb, const EvalResult& r, bool byCycles)
{
    if (best.Found) {
        const double flash = static_cast<double>(r.FlashUsedBytes);
        const double keptFlash = static_cast<double>(best.FlashUsedBytes);
        const bool better = byCycles
            ? std::make_pair(r.FlashCycles, flash) < std::make_pair(best.FlashCycles, keptFlash)
            : std::make_pair(flash, r.FlashCycles) < std::make_pair(keptFlash, best.FlashCycles);
        // The multisets come smallest sizes first, so on a tie the earlier one stays.
        if (!better)
            return;
    }
    best.Found = true;
    for (int k = 0; k < nb; ++k)
        best.Block[static_cast<size_t>(k)] = block[static_cast<size_t>(c[static_cast<size_t>(k)])];
    best.FlashUsedBytes = r.FlashUsedBytes;
    best.FlashCycles = r.FlashCycles;
}

// Every multiset of `nb` sizes of one scheme, each evaluated once. The fit rule does not
// depend on the order of the blocks, so orderings of the same sizes are not tried again.
int SearchScheme(
    const CatalogueScheme& scheme, EvalConfig config, double cyclesLimit, SchemeBest& best)
{
    // The usable sizes by bytes, smallest first (the catalogue's order among equal sizes).
    std::array<int, kMaxBlocks> block {};
    int m = 0;
    for (int i = 0; i < static_cast<int>(scheme.Blocks.size()) && m < kMaxBlocks; ++i) {
        // A size the form cannot read counts as -1 bytes; no configuration is made of it.
        if (scheme.Blocks[static_cast<size_t>(i)].Bytes > 0)
            block[static_cast<size_t>(m++)] = i;
    }
    std::stable_sort(block.begin(), block.begin() + m, [&](int a, int b) {
        return scheme.Blocks[static_cast<size_t>(a)].Bytes
            < scheme.Blocks[static_cast<size_t>(b)].Bytes;
    });
    if (m == 0)
        return 0;

    int searched = 0;
    for (int nb = kMinAdvisorBlocks; nb <= kMaxBlocks; ++nb) {
        std::array<int, kMaxBlocks> c {}; // non-decreasing positions in `block`
        config.BlockCount = nb;
        for (;;) {
            for (int k = 0; k < nb; ++k)
                config.BlockBytes[static_cast<size_t>(k)]
                    = scheme
                          .Blocks[static_cast<size_t>(
                              block[static_cast<size_t>(c[static_cast<size_t>(k)])])]
                          .Bytes;
            const EvalResult r = Evaluate(config);
            ++searched;
            if (r.Fits && !r.NegativeRoom) {
                const auto slot = static_cast<size_t>(nb - kMinAdvisorBlocks);
                Keep(best.Closest[slot], block, c, nb, r, true);
                if (MeetsCyclesLimit(r, cyclesLimit))
                    Keep(best.Qualified[slot], block, c, nb, r, false);
            }
            int k = nb - 1;
            while (k >= 0 && c[static_cast<size_t>(k)] == m - 1)
                --k;
            if (k < 0)
                break;
            const int next = ++c[static_cast<size_t>(k)];
            for (int j = k + 1; j < nb; ++j)
                c[static_cast<size_t>(j)] = next;
        }
    }
    return searched;
}

} // namespace

bool ValidMarginPercent(double marginPercent)
{
    return marginPercent >= kMinMarginPercent && marginPercent <= kMaxMarginPercent;
}

double CyclesLimitWithMargin(double marginPercent)
{
    // Whole percents give whole limits (10 % of 100000 leaves exactly 90000).
    return static_cast<double>(kCyclesLimit) * (100.0 - marginPercent) / 100.0;
}

bool InSpecAsShown(const EvalConfig& config, const EvalResult& result)
{
    return result.Fits && !result.NegativeRoom
        && IsInSpec(config.LifeTime, result.FlashCycles, config.CyclesLimit);
}

CurrentConfiguration DescribeCurrent(const EvalConfig& config, std::string scheme,
    std::vector<std::string> blocks, double cyclesLimit)
{
    CurrentConfiguration current;
    current.Scheme = std::move(scheme);
    current.Blocks = std::move(blocks);
    const EvalResult result = Evaluate(config);
    current.FlashUsedBytes = result.FlashUsedBytes;
    current.Fits = result.Fits && !result.NegativeRoom;
    current.FlashCycles = current.Fits ? result.FlashCycles : 0.0;
    current.InSpec = InSpecAsShown(config, result);
    current.Headroom = FindHeadroom(config, cyclesLimit);
    return current;
}

std::optional<BestCandidate> AdviseOutOfSpec(const EvalConfig& config, const EvalResult& result,
    const std::function<AdvisorCatalogue()>& catalogue)
{
    if (InSpecAsShown(config, result))
        return std::nullopt;
    Advice advice = Advise(catalogue(), WorkloadFromConfig(config), AdvisorOptions {});
    if (advice.Candidates.empty())
        return std::nullopt;
    return BestCandidate {std::move(advice.Candidates.front()), advice.Qualified};
}

AdvisorCandidate MakeCandidate(const CatalogueScheme& scheme, const std::vector<int>& blockIndex,
    const EvalConfig& config, const EvalResult& result, double cyclesLimit)
{
    AdvisorCandidate candidate;
    candidate.Scheme = scheme.Name;
    for (int index : blockIndex) {
        const CatalogueBlock& block = scheme.Blocks[static_cast<size_t>(index)];
        candidate.BlockTexts.push_back(block.Text);
        candidate.BlockBytes.push_back(block.Bytes);
    }
    candidate.Config = config;
    candidate.FlashUsedBytes = result.FlashUsedBytes;
    candidate.FlashCycles = result.FlashCycles;
    candidate.InSpecYears = result.InSpecYears;
    candidate.InSpec = InSpecAsShown(config, result);
    candidate.MeetsLimit = MeetsCyclesLimit(result, cyclesLimit);
    // One rounding only, so that whole cycle counts give the shortest decimal text.
    candidate.CyclesMarginPercent = (kCyclesLimit - result.FlashCycles) * 100.0 / kCyclesLimit;
    return candidate;
}

std::string Advice::Note() const
{
    std::string text;
    for (const std::string& note : Notes) {
        if (!text.empty())
            text += ' ';
        text += note;
    }
    return text;
}

Advice Advise(const AdvisorCatalogue& catalogue, const AdvisorWorkload& workload,
    const AdvisorOptions& options)
{
    Advice advice;
    advice.CyclesLimit = CyclesLimitWithMargin(options.MarginPercent);
    advice.LifetimeOverLimit = workload.LifeTime > kLifetimeLimit;

    struct Found
    {
        const CatalogueScheme* Scheme;
        int Order; // the scheme's place in the catalogue
        int BlockCount;
        const Best* Config;
    };
    std::vector<const CatalogueScheme*> schemes;
    for (const CatalogueScheme& scheme : catalogue.Schemes) {
        // A name outside the scheme table has no overheads to compute with.
        if (FindScheme(scheme.Name) == nullptr)
            continue;
        if (options.Schemes == SchemeScope::Same && scheme.Name != workload.Scheme)
            continue;
        schemes.push_back(&scheme);
    }
    std::vector<SchemeBest> best(schemes.size());
    for (size_t s = 0; s < schemes.size(); ++s) {
        advice.Searched += SearchScheme(
            *schemes[s], WorkloadConfig(workload, *schemes[s]), advice.CyclesLimit, best[s]);
        advice.FixedLengthSearched
            = advice.FixedLengthSearched || IsFixedLengthScheme(schemes[s]->Name);
    }

    // The best of each scheme and block count, qualified ones when there are any.
    std::vector<Found> found;
    for (int pass = 0; pass < 2 && found.empty(); ++pass) {
        const bool closest = pass == 1;
        for (size_t s = 0; s < schemes.size(); ++s) {
            for (int slot = 0; slot < kBlockCounts; ++slot) {
                const Best& b = closest ? best[s].Closest[static_cast<size_t>(slot)]
                                        : best[s].Qualified[static_cast<size_t>(slot)];
                if (b.Found)
                    found.push_back(
                        {schemes[s], static_cast<int>(s), slot + kMinAdvisorBlocks, &b});
            }
        }
        advice.Qualified = !closest && !found.empty();
    }
    advice.NothingFits = found.empty();
    if (advice.Qualified) {
        std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
            return std::make_tuple(
                       a.Config->FlashUsedBytes, a.BlockCount, a.Config->FlashCycles, a.Order)
                < std::make_tuple(
                    b.Config->FlashUsedBytes, b.BlockCount, b.Config->FlashCycles, b.Order);
        });
    } else {
        std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
            return std::make_tuple(
                       a.Config->FlashCycles, a.Config->FlashUsedBytes, a.BlockCount, a.Order)
                < std::make_tuple(
                    b.Config->FlashCycles, b.Config->FlashUsedBytes, b.BlockCount, b.Order);
        });
    }
    const size_t top = static_cast<size_t>(std::max(options.Top, 0));
    if (found.size() > top)
        found.resize(top);

    for (const Found& f : found) {
        std::vector<int> blockIndex(
            f.Config->Block.begin(), f.Config->Block.begin() + f.BlockCount);
        std::vector<int64_t> bytes;
        for (int index : blockIndex)
            bytes.push_back(f.Scheme->Blocks[static_cast<size_t>(index)].Bytes);
        const EvalConfig config = WorkloadConfig(workload, *f.Scheme, bytes);
        advice.Candidates.push_back(
            MakeCandidate(*f.Scheme, blockIndex, config, Evaluate(config), advice.CyclesLimit));
    }

    if (advice.FixedLengthSearched)
        advice.Notes.push_back(Format("Fixed-length schemes store every record in a slot of one "
                                      "size: there every data size was set to %d bytes, the "
                                      "largest data size of the workload.",
            workload.LargestDataSize()));
    if (advice.LifetimeOverLimit)
        advice.Notes.push_back(Format("A lifetime of %s years exceeds the %d years specification: "
                                      "no configuration can be in spec, so configurations are "
                                      "judged by the cycling requirement alone.",
            FormatG(workload.LifeTime, 6).c_str(), kLifetimeLimit));
    if (schemes.empty()) {
        advice.Notes.push_back(options.Schemes == SchemeScope::Same
                ? Format("The scheme %s is not in the catalogue: nothing was searched.",
                    workload.Scheme.c_str())
                : std::string("The catalogue lists no scheme to search."));
    } else if (advice.NothingFits) {
        advice.Notes.push_back(Format("None of the %d configurations searched holds the data: "
                                      "even the largest blocks are too small for it.",
            advice.Searched));
    } else if (!advice.Qualified) {
        advice.Notes.push_back(Format("No configuration searched stays within %s flash cycles; "
                                      "the closest ones (fewest cycles) are shown.",
            FormatG(advice.CyclesLimit, 15).c_str()));
    }
    return advice;
}

} // namespace eee
