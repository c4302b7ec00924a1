// The design advisor: given a workload, the smallest configurations of the catalogue
// that keep it within the envelope.
//
//     workload -> for each scheme, block count and multiset of block sizes:
//                 Evaluate() -> fits and within the cycles limit? -> ranked -> advice
//
// Every configuration is judged by the same Evaluate() that the window's Submit uses,
// so an advised configuration shows the same numbers when it is put into the form.
#pragma once

#include "AdvisorCatalogue.h"
#include "AdvisorHeadroom.h"
#include "AdvisorWorkload.h"
#include "Evaluate.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace eee {

inline constexpr int kDefaultAdvisorTop = 10;
inline constexpr int kMinAdvisorBlocks = 2;

enum class SchemeScope {
    All, // every scheme of the catalogue
    Same, // only the workload's own scheme
};

// The margins that can be asked for, in percent, both ends included: the same range in
// the window's spin box and in eee-calc-cli advise --margin.
inline constexpr double kMinMarginPercent = 0.0;
inline constexpr double kMaxMarginPercent = 99.0;

struct AdvisorOptions
{
    // Share of the 100000 cycles kept in reserve, kMinMarginPercent to kMaxMarginPercent.
    double MarginPercent = 0.0;
    SchemeScope Schemes = SchemeScope::All;
    int Top = kDefaultAdvisorTop; // candidates returned at most
};

// Whether a margin can be asked for: kMinMarginPercent <= margin <= kMaxMarginPercent.
bool ValidMarginPercent(double marginPercent);

// The cycles a configuration may reach with the margin kept: 100000 x (1 - margin).
double CyclesLimitWithMargin(double marginPercent);

struct AdvisorCandidate
{
    std::string Scheme;
    std::vector<std::string> BlockTexts; // smallest first
    std::vector<int64_t> BlockBytes;
    EvalConfig Config; // what was evaluated (in a fixed-length scheme: the largest data size)
    int64_t FlashUsedBytes = 0;
    double FlashCycles = 0.0;
    float InSpecYears = 0.0f;
    // The window's verdict: the data fits, the lifetime is at most 20 years and the
    // cycles are at most 100000.
    bool InSpec = false;
    // Fits and within the cycles limit with the margin kept.
    bool MeetsLimit = false;
    // How far the cycles stay below 100000, in percent of it (negative above it).
    double CyclesMarginPercent = 0.0;

    int BlockCount() const { return static_cast<int>(BlockBytes.size()); }
};

struct Advice
{
    // The best candidate of each scheme and block count, best first, at most Top.
    // When Qualified they meet the limit, ranked by flash used, block count and cycles;
    // otherwise they are the closest ones, fewest cycles first.
    std::vector<AdvisorCandidate> Candidates;
    bool Qualified = false;
    bool LifetimeOverLimit = false; // never in spec: judged by the cycling requirement alone
    bool NothingFits = false; // no configuration of the catalogue holds the data
    bool FixedLengthSearched = false; // a fixed-length scheme was evaluated with the largest size
    int Searched = 0; // configurations evaluated
    double CyclesLimit = kCyclesLimit; // with the margin kept
    std::vector<std::string> Notes; // what the reader must know about these candidates

    // The notes as one text, empty without any.
    std::string Note() const;
};

// The candidates for a workload in the schemes of the catalogue that the options name.
Advice Advise(const AdvisorCatalogue& catalogue, const AdvisorWorkload& workload,
    const AdvisorOptions& options);

// The same candidate's numbers as a window calculation of that configuration shows them.
AdvisorCandidate MakeCandidate(const CatalogueScheme& scheme, const std::vector<int>& blockIndex,
    const EvalConfig& config, const EvalResult& result, double cyclesLimit);

// Whether a configuration is in spec as the window says it: it fits and IsInSpec().
bool InSpecAsShown(const EvalConfig& config, const EvalResult& result);

// A workload's own configuration as the advisor sees it beside its candidates.
struct CurrentConfiguration
{
    std::string Scheme;
    std::vector<std::string> Blocks; // the block size texts
    int64_t FlashUsedBytes = 0;
    bool Fits = false; // the data fits the blocks and an estimate exists
    double FlashCycles = 0.0; // when Fits
    bool InSpec = false; // the window's verdict
    AdvisorHeadroom Headroom;
};

// The configuration evaluated, with its headroom against cyclesLimit; scheme and blocks
// are the texts the form's lists show for it.
CurrentConfiguration DescribeCurrent(const EvalConfig& config, std::string scheme,
    std::vector<std::string> blocks, double cyclesLimit);

// The best candidate of the default search for a design out of spec.
struct BestCandidate
{
    AdvisorCandidate Candidate;
    bool Qualified = false; // it meets the limit; otherwise it is only the closest one
};

// What the report suggests for a configuration: nothing when it is in spec as the window
// says it, or when no configuration of the catalogue holds its data. The catalogue is
// asked for only when the configuration is out of spec.
std::optional<BestCandidate> AdviseOutOfSpec(const EvalConfig& config, const EvalResult& result,
    const std::function<AdvisorCatalogue()>& catalogue);

} // namespace eee
