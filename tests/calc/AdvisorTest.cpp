// The design advisor: its search against a brute force over every ordering of the blocks
// of small catalogues, the advised configuration put through the form, the fixed-length
// rule, a lifetime over 20 years, nothing that qualifies, the margin, and the headroom
// at its boundary.
#include "calc/Advisor.h"
#include "calc/BlockSize.h"
#include "calc/Schemes.h"
#include "form/AdvisorCatalogueReader.h"
#include "form/FormModel.h"
#include "tests/form/FormTestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace eee {
namespace {

CatalogueScheme Scheme(const std::string& name, int32_t alignment, std::vector<std::string> texts)
{
    CatalogueScheme scheme {name, alignment, {}};
    for (const std::string& text : texts)
        scheme.Blocks.push_back({text, BlockSizeBytes(text)});
    return scheme;
}

// Two schemes of different layouts; sizes listed out of order on purpose.
AdvisorCatalogue SmallCatalogue()
{
    return {{Scheme("ECC16 Var-Length", 16, {"x2000", "x1000", "x3000"}),
        Scheme("ECC8 Fixed-Length", 8, {"x4000", "x1000"})}};
}

AdvisorWorkload Workload(float lifeTime, std::vector<DataTypeInput> types,
    const std::string& scheme = "ECC16 Var-Length")
{
    AdvisorWorkload w;
    w.Scheme = scheme;
    w.LifeTime = lifeTime;
    w.DataTypeCount = static_cast<int>(types.size());
    for (size_t i = 0; i < types.size(); ++i)
        w.DataTypes[i] = types[i];
    return w;
}

// The configuration written out by hand, as the form would hold it.
EvalConfig HandConfig(
    const AdvisorWorkload& w, const CatalogueScheme& scheme, const std::vector<int64_t>& blocks)
{
    EvalConfig c;
    c.Scheme = FindScheme(scheme.Name)->Name;
    c.RecordAlignment = scheme.RecordAlignment;
    c.LifeTime = w.LifeTime;
    c.BlockCount = static_cast<int>(blocks.size());
    std::copy(blocks.begin(), blocks.end(), c.BlockBytes.begin());
    c.DataTypeCount = w.DataTypeCount;
    c.DataTypes = w.DataTypes;
    if (IsFixedLengthScheme(scheme.Name)) {
        int32_t largest = 0;
        for (int i = 0; i < w.DataTypeCount; ++i)
            largest = std::max(largest, w.DataTypes[i].DataSize);
        for (auto& t : c.DataTypes)
            t.DataSize = largest;
    }
    return c;
}

bool Meets(const EvalResult& r, double limit)
{
    return r.Fits && !r.NegativeRoom && r.FlashCycles <= limit;
}

struct BruteCase
{
    const char* Name;
    AdvisorWorkload Work;
    double MarginPercent;
};

void PrintTo(const BruteCase& c, std::ostream* os)
{
    *os << c.Name;
}

class AdvisorBruteForce : public ::testing::TestWithParam<BruteCase>
{ };

// Every ordered choice of blocks, not only the multisets the advisor tries.
TEST_P(AdvisorBruteForce, NoConfigurationWithLessFlashMeetsTheLimit)
{
    const BruteCase& tc = GetParam();
    const AdvisorCatalogue catalogue = SmallCatalogue();
    AdvisorOptions options;
    options.MarginPercent = tc.MarginPercent;
    options.Top = 100;
    const Advice advice = Advise(catalogue, tc.Work, options);
    const double limit = 100000.0 * (100.0 - tc.MarginPercent) / 100.0;

    std::map<std::pair<std::string, int>, int64_t> leastFlash; // per scheme and block count
    int multisets = 0;
    for (const CatalogueScheme& scheme : catalogue.Schemes) {
        const int m = static_cast<int>(scheme.Blocks.size());
        for (int nb = 2; nb <= 6; ++nb) {
            // Multisets of nb out of m: C(m + nb - 1, nb).
            int64_t count = 1;
            for (int i = 1; i <= nb; ++i)
                count = count * (m + i - 1) / i;
            multisets += static_cast<int>(count);
            std::vector<int> pick(static_cast<size_t>(nb), 0);
            for (;;) {
                std::vector<int64_t> bytes;
                for (int p : pick)
                    bytes.push_back(scheme.Blocks[static_cast<size_t>(p)].Bytes);
                const EvalResult r = Evaluate(HandConfig(tc.Work, scheme, bytes));
                if (Meets(r, limit)) {
                    auto [it, added]
                        = leastFlash.emplace(std::make_pair(scheme.Name, nb), r.FlashUsedBytes);
                    if (!added)
                        it->second = std::min(it->second, r.FlashUsedBytes);
                }
                int k = nb - 1;
                while (k >= 0 && pick[static_cast<size_t>(k)] == m - 1)
                    pick[static_cast<size_t>(k--)] = 0;
                if (k < 0)
                    break;
                ++pick[static_cast<size_t>(k)];
            }
        }
    }

    EXPECT_EQ(advice.Searched, multisets);
    ASSERT_EQ(advice.Qualified, !leastFlash.empty());
    if (!advice.Qualified) {
        for (const AdvisorCandidate& c : advice.Candidates)
            EXPECT_FALSE(c.MeetsLimit);
        return;
    }
    ASSERT_EQ(advice.Candidates.size(), leastFlash.size());
    int64_t least = std::numeric_limits<int64_t>::max();
    for (const auto& [key, flash] : leastFlash)
        least = std::min(least, flash);
    if (!advice.Candidates.empty()) {
        EXPECT_EQ(advice.Candidates.front().FlashUsedBytes, least);
    }
    for (size_t i = 0; i < advice.Candidates.size(); ++i) {
        const AdvisorCandidate& c = advice.Candidates[i];
        SCOPED_TRACE(c.Scheme + " " + std::to_string(c.BlockCount()));
        EXPECT_EQ(c.FlashUsedBytes, (leastFlash[{c.Scheme, c.BlockCount()}]));
        EXPECT_TRUE(c.MeetsLimit);
        EXPECT_TRUE(std::is_sorted(c.BlockBytes.begin(), c.BlockBytes.end()));
        // The numbers are those of the configuration evaluated afresh.
        const EvalResult r = Evaluate(HandConfig(tc.Work, *catalogue.Find(c.Scheme), c.BlockBytes));
        EXPECT_TRUE(Meets(r, limit));
        EXPECT_EQ(c.FlashCycles, r.FlashCycles);
        if (i > 0) {
            const AdvisorCandidate& p = advice.Candidates[i - 1];
            EXPECT_LE(std::make_tuple(p.FlashUsedBytes, p.BlockCount(), p.FlashCycles),
                std::make_tuple(c.FlashUsedBytes, c.BlockCount(), c.FlashCycles));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SmallCatalogue, AdvisorBruteForce,
    ::testing::Values(BruteCase {"LightTotal", Workload(20.0f, {{64, 1000, 4, false, 0}}), 0.0},
        BruteCase {"DailyNeedsMoreBlocks", Workload(20.0f, {{64, 300, 4, true, 0}}), 0.0},
        BruteCase {"MixedSizesWithMargin",
            Workload(15.0f, {{200, 40, 6, true, 0}, {16, 5000, 10, false, 0}}), 25.0},
        BruteCase {"TooHeavyForAny", Workload(20.0f, {{512, 100000, 8, true, 0}}), 0.0}),
    [](const auto& info) { return std::string(info.param.Name); });

// The best candidate put into the form as a session is loaded, then Submit: the window
// shows the numbers the advisor promised, in spec.
class AdvisorThroughTheForm : public ::testing::TestWithParam<const char*>
{ };

TEST_P(AdvisorThroughTheForm, AdvisedConfigurationIsInSpecInTheForm)
{
    testing_support::FakeDataSource data;
    testing_support::RecordingView view;
    ChartModel chart;
    FormModel form(data, view, chart);
    SessionRecord start;
    start.Scheme = GetParam();
    start.LifeTime = 12.5f;
    start.BlocksSelected = 2;
    start.BlockSize = {"x4000", "x4000"};
    start.DataTypes = {{300, 400, 8, 1, 0}, {24, 2000, 20, 0, 0}, {100, 3, 4, 1, 0}};
    form.Startup(start);
    std::string error;
    const int started = form.State().Calculations;
    ASSERT_TRUE(form.Sessions().LoadRecord(start, error)) << error;
    ASSERT_EQ(form.State().Calculations, started + 1);
    ASSERT_FALSE(form.State().LastResult.InSpec) << "the workload should need advice";

    std::vector<std::string> problems;
    const AdvisorCatalogue catalogue = ReadAdvisorCatalogue(data, problems);
    ASSERT_TRUE(problems.empty());
    ASSERT_EQ(catalogue.Schemes.size(), 6u);
    // The form's own order: by Index.
    EXPECT_EQ(catalogue.Schemes[0].Blocks.front().Text, "x4000");
    const Advice advice
        = Advise(catalogue, WorkloadFromConfig(form.State().LastConfig), AdvisorOptions {});
    ASSERT_TRUE(advice.Qualified) << advice.Note();
    // Both layouts are among the candidates, so both go through the form.
    const auto fixed = std::count_if(advice.Candidates.begin(), advice.Candidates.end(),
        [](const AdvisorCandidate& c) { return IsFixedLengthScheme(c.Scheme); });
    EXPECT_GT(fixed, 0);
    EXPECT_LT(fixed, static_cast<long>(advice.Candidates.size()));

    for (const AdvisorCandidate& best : advice.Candidates) {
        SCOPED_TRACE(best.Scheme + " " + std::to_string(best.BlockCount()));
        const SessionRecord record = RecordWithConfiguration(
            form.Sessions().RecordFromForm(form.GetBlockCount()), best.Scheme, best.BlockTexts);
        view.Clear();
        ASSERT_TRUE(form.Sessions().LoadRecord(record, error)) << error;
        form.RunCalculation();
        EXPECT_TRUE(view.Messages.empty()) << view.Messages.front().Text;
        const FormState& s = form.State();
        EXPECT_EQ(form.GetSelectedScheme(), best.Scheme);
        ASSERT_EQ(form.GetBlockCount(), best.BlockCount());
        for (int k = 0; k < best.BlockCount(); ++k)
            EXPECT_EQ(s.BlockLists[k].SelectedText(), best.BlockTexts[static_cast<size_t>(k)]);
        EXPECT_TRUE(s.LastResult.Fits);
        EXPECT_TRUE(s.LastResult.InSpec);
        EXPECT_EQ(s.Out.FlashUsedBytes, best.FlashUsedBytes);
        EXPECT_EQ(s.Out.FlashCycles, best.FlashCycles);
        if (IsFixedLengthScheme(best.Scheme)) {
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(s.In.DataSize[static_cast<size_t>(row)], 300);
        }
        // The next candidate starts from the advised workload again.
        ASSERT_TRUE(form.Sessions().LoadRecord(start, error));
    }
}

INSTANTIATE_TEST_SUITE_P(FromEachLayout, AdvisorThroughTheForm,
    ::testing::Values("ECC16 Var-Length", "ECC8 Fixed-Length"), [](const auto& info) {
        return std::string(info.param).substr(0, 4) + (info.index ? "Fixed" : "Var");
    });

// Qualified candidates are ranked by flash used first: three small blocks that hold the
// data between any two of them come before two blocks that must each hold it all.
TEST(Advisor, QualifiedCandidatesAreRankedByFlashUsedBeforeBlockCount)
{
    const AdvisorCatalogue catalogue {{Scheme("ECC16 Var-Length", 16, {"x1000", "x2000"})}};
    AdvisorOptions options;
    options.Top = 100;
    const Advice advice = Advise(catalogue, Workload(20.0f, {{512, 10, 10, false, 0}}), options);
    ASSERT_TRUE(advice.Qualified);
    std::vector<std::pair<int, int64_t>> ranked; // block count, flash used
    for (const AdvisorCandidate& c : advice.Candidates)
        ranked.emplace_back(c.BlockCount(), c.FlashUsedBytes);
    ASSERT_GE(ranked.size(), 2u);
    EXPECT_EQ(ranked[0], (std::pair {3, int64_t {3 * 4096}}));
    EXPECT_EQ(ranked[1], (std::pair {2, int64_t {2 * 8192}}));
    for (size_t i = 1; i < ranked.size(); ++i)
        EXPECT_LE(ranked[i - 1].second, ranked[i].second) << "rank " << i + 1;
}

TEST(Advisor, FixedLengthSchemesUseTheLargestDataSizeAndSaySo)
{
    const AdvisorCatalogue catalogue {{Scheme("ECC8 Fixed-Length", 8, {"x1000", "x2000", "x4000"}),
        Scheme("ECC8 Var-Length", 8, {"x1000", "x2000", "x4000"})}};
    const AdvisorWorkload w = Workload(10.0f, {{600, 20, 4, true, 0}, {8, 20, 4, true, 0}});
    AdvisorOptions options;
    options.Top = 100;
    const Advice advice = Advise(catalogue, w, options);
    EXPECT_TRUE(advice.FixedLengthSearched);
    EXPECT_NE(advice.Note().find("every data size was set to 600 bytes"), std::string::npos)
        << advice.Note();

    bool sawFixed = false;
    for (const AdvisorCandidate& c : advice.Candidates) {
        const bool fixed = c.Scheme == "ECC8 Fixed-Length";
        sawFixed = sawFixed || fixed;
        EXPECT_EQ(c.Config.DataTypes[1].DataSize, fixed ? 600 : 8);
        EXPECT_EQ(c.FlashCycles, Evaluate(c.Config).FlashCycles);
    }
    ASSERT_TRUE(sawFixed);

    // Only the variable-length scheme searched: no such note.
    AdvisorWorkload var = w;
    var.Scheme = "ECC8 Var-Length";
    const Advice same = Advise(catalogue, var, AdvisorOptions {0.0, SchemeScope::Same, 10});
    EXPECT_FALSE(same.FixedLengthSearched);
    EXPECT_TRUE(same.Note().empty()) << same.Note();
}

TEST(Advisor, LifetimeOverTwentyYearsIsJudgedByCyclesAlone)
{
    const Advice advice = Advise(SmallCatalogue(), Workload(25.0f, {{64, 1000, 4, false, 0}}),
        AdvisorOptions {0.0, SchemeScope::Same, 10});
    EXPECT_TRUE(advice.LifetimeOverLimit);
    ASSERT_TRUE(advice.Qualified);
    ASSERT_FALSE(advice.Candidates.empty());
    for (const AdvisorCandidate& c : advice.Candidates) {
        EXPECT_TRUE(c.MeetsLimit);
        EXPECT_FALSE(c.InSpec); // the window never says in spec past 20 years
    }
    EXPECT_NE(advice.Note().find("A lifetime of 25 years exceeds the 20 years specification"),
        std::string::npos)
        << advice.Note();
}

TEST(Advisor, NothingMeetsTheLimitShowsTheClosestConfigurations)
{
    const Advice advice
        = Advise(SmallCatalogue(), Workload(20.0f, {{512, 100000, 8, true, 0}}), AdvisorOptions {});
    EXPECT_FALSE(advice.Qualified);
    EXPECT_FALSE(advice.NothingFits);
    ASSERT_EQ(advice.Candidates.size(), 10u);
    for (size_t i = 1; i < advice.Candidates.size(); ++i)
        EXPECT_LE(advice.Candidates[i - 1].FlashCycles, advice.Candidates[i].FlashCycles);
    EXPECT_GT(advice.Candidates.front().FlashCycles, 100000.0);
    EXPECT_FALSE(advice.Candidates.front().MeetsLimit);
    EXPECT_NE(advice.Note().find("No configuration searched stays within 100000 flash cycles"),
        std::string::npos)
        << advice.Note();
}

TEST(Advisor, NothingHoldsTheDataSaysSo)
{
    const Advice advice
        = Advise(SmallCatalogue(), Workload(20.0f, {{4000, 1, 30, false, 0}}), AdvisorOptions {});
    EXPECT_TRUE(advice.NothingFits);
    EXPECT_TRUE(advice.Candidates.empty());
    EXPECT_NE(advice.Note().find("holds the data"), std::string::npos) << advice.Note();
}

TEST(Advisor, SchemeOutsideTheCatalogueIsNotSearched)
{
    const Advice advice
        = Advise(SmallCatalogue(), Workload(20.0f, {{64, 1, 1, false, 0}}, "ECC32 Var-Length"),
            AdvisorOptions {0.0, SchemeScope::Same, 10});
    EXPECT_EQ(advice.Searched, 0);
    EXPECT_TRUE(advice.Candidates.empty());
    EXPECT_NE(advice.Note().find("ECC32 Var-Length is not in the catalogue"), std::string::npos);
}

TEST(Advisor, MarginKeepsCyclesInReserve)
{
    const AdvisorCatalogue catalogue = SmallCatalogue();
    const AdvisorWorkload w = Workload(20.0f, {{64, 300, 4, true, 0}});
    const AdvisorOptions plain {0.0, SchemeScope::All, 100};
    const Advice without = Advise(catalogue, w, plain);
    ASSERT_TRUE(without.Qualified);
    // A margin just large enough to exclude the best configuration without it.
    const double cycles = without.Candidates.front().FlashCycles;
    const double margin = 100.0 - (cycles - 1.0) / 1000.0;
    const Advice with = Advise(catalogue, w, {margin, SchemeScope::All, 100});
    EXPECT_DOUBLE_EQ(with.CyclesLimit, cycles - 1.0);
    for (const AdvisorCandidate& c : with.Candidates) {
        EXPECT_LE(c.FlashCycles, cycles - 1.0);
        EXPECT_TRUE(c.MeetsLimit);
    }
    ASSERT_FALSE(with.Candidates.empty());
    EXPECT_GE(with.Candidates.front().FlashUsedBytes, without.Candidates.front().FlashUsedBytes);
    const AdvisorCandidate& best = without.Candidates.front();
    for (const AdvisorCandidate& c : with.Candidates)
        EXPECT_FALSE(c.Scheme == best.Scheme && c.BlockBytes == best.BlockBytes);
    // The margin column says how far the cycles stay below 100000.
    EXPECT_DOUBLE_EQ(without.Candidates.front().CyclesMarginPercent, (100000.0 - cycles) / 1000.0);
}

TEST(Advisor, TopLimitsTheCandidates)
{
    const Advice advice = Advise(SmallCatalogue(), Workload(20.0f, {{64, 1000, 4, false, 0}}),
        AdvisorOptions {0.0, SchemeScope::All, 3});
    EXPECT_EQ(advice.Candidates.size(), 3u);
}

struct MarginCase
{
    double Percent;
    bool Valid;
    double Limit;
};

class AdvisorMargin : public ::testing::TestWithParam<MarginCase>
{ };

TEST_P(AdvisorMargin, LimitOfTheMargin)
{
    EXPECT_EQ(ValidMarginPercent(GetParam().Percent), GetParam().Valid);
    if (GetParam().Valid) {
        EXPECT_EQ(CyclesLimitWithMargin(GetParam().Percent), GetParam().Limit);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AdvisorMargin,
    ::testing::Values(MarginCase {0.0, true, 100000.0}, MarginCase {10.0, true, 90000.0},
        MarginCase {12.5, true, 87500.0}, MarginCase {99.0, true, 1000.0},
        MarginCase {99.5, false, 0.0}, MarginCase {100.0, false, 0.0},
        MarginCase {-1.0, false, 0.0}));

// Headroom

struct ScaleCase
{
    int64_t Updates;
    HeadroomFactor Factor;
    int64_t Expected;
};

class HeadroomScaling : public ::testing::TestWithParam<ScaleCase>
{ };

TEST_P(HeadroomScaling, ProductsAreRoundedToWholeNumbers)
{
    EvalConfig c;
    c.DataTypes[0].Updates = GetParam().Updates;
    EXPECT_EQ(WithScaledUpdates(c, GetParam().Factor).DataTypes[0].Updates, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HeadroomScaling,
    ::testing::Values(ScaleCase {3, {500, -3}, 2}, // 1.5 rounds up
        ScaleCase {25, {100, -4}, 0}, // 0.25
        ScaleCase {10, {237, -2}, 24}, // 23.7
        ScaleCase {1000, {999, -2}, 9990}, ScaleCase {7, {120, 1}, 8400},
        ScaleCase {100000000, {100, 4}, 100000000LL * 1000000}, ScaleCase {0, {900, 0}, 0},
        // Far beyond any count the form takes: exact, or the largest count.
        ScaleCase {4000000000000000005LL, {150, -12}, 600000000},
        ScaleCase {4000000000000000000LL, {999, 4}, std::numeric_limits<int64_t>::max()}));

TEST(HeadroomFactor, NextIsTheNextThreeDigitFactor)
{
    EXPECT_EQ((HeadroomFactor {237, -2}.Next()), (HeadroomFactor {238, -2}));
    EXPECT_EQ((HeadroomFactor {999, -2}.Next()), (HeadroomFactor {100, -1}));
    EXPECT_DOUBLE_EQ((HeadroomFactor {954, -2}.Value()), 9.54);
}

TEST(HeadroomFactor, TextHasThreeSignificantDigits)
{
    EXPECT_EQ((HeadroomFactor {954, -2}.Text()), "9.54");
    EXPECT_EQ((HeadroomFactor {237, -4}.Text()), "0.0237");
    EXPECT_EQ((HeadroomFactor {100, -1}.Text()), "10.0");
    EXPECT_EQ((HeadroomFactor {237, 1}.Text()), "2370");
    EXPECT_EQ(HeadroomFactor {}.Text(), "0");
}

struct HeadroomCase
{
    const char* Name;
    EvalConfig Config;
    double CyclesLimit;
};

void PrintTo(const HeadroomCase& c, std::ostream* os)
{
    *os << c.Name;
}

EvalConfig Configured(const char* scheme, int32_t alignment, float lifeTime,
    std::vector<int64_t> blocks, std::vector<DataTypeInput> types)
{
    const AdvisorWorkload w = Workload(lifeTime, std::move(types));
    return HandConfig(w, Scheme(scheme, alignment, {}), blocks);
}

class HeadroomBoundary : public ::testing::TestWithParam<HeadroomCase>
{ };

TEST_P(HeadroomBoundary, InSpecAtTheFactorOutJustAbove)
{
    const HeadroomCase& tc = GetParam();
    const AdvisorHeadroom h = FindHeadroom(tc.Config, tc.CyclesLimit);
    ASSERT_TRUE(h.Possible);
    ASSERT_FALSE(h.Unbounded);
    EXPECT_GE(h.Factor.Mantissa, 100);
    EXPECT_LE(h.Factor.Mantissa, 999);
    EXPECT_TRUE(Meets(Evaluate(WithScaledUpdates(tc.Config, h.Factor)), tc.CyclesLimit));
    EXPECT_FALSE(Meets(Evaluate(WithScaledUpdates(tc.Config, h.Factor.Next())), tc.CyclesLimit));
    EXPECT_EQ(h.InSpecYears, Evaluate(tc.Config).InSpecYears);
    EXPECT_LT(h.Evaluations, 30);
}

INSTANTIATE_TEST_SUITE_P(Configurations, HeadroomBoundary,
    ::testing::Values(
        // The worked example: 10472 cycles, room for about nine and a half times the updates.
        HeadroomCase {"WorkedExample",
            Configured("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 10, 8, true, 0}}),
            100000.0},
        HeadroomCase {"WorkedExampleWithMargin",
            Configured("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 10, 8, true, 0}}),
            60000.0},
        // Out of spec as it is: the factor is below 1.
        HeadroomCase {"OutOfSpecNeedsFewerUpdates",
            Configured("ECC8 Var-Length", 8, 20.0f, {16384, 16384}, {{512, 200, 8, true, 0}}),
            100000.0},
        // Small counts, where rounding each product decides.
        HeadroomCase {"SmallCountsRounded",
            Configured("ECC32 Fixed-Length", 32, 5.0f, {32768, 32768, 65536},
                {{100, 3, 30, true, 0}, {40, 1, 200, true, 0}, {16, 7000, 3, false, 0}}),
            100000.0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Headroom, WorkedExampleFactor)
{
    // 10472 cycles at 10 updates a day; the cycles grow in steps of the rounded terms,
    // so the factor is found by evaluating, close to 100000 / 10472.
    const AdvisorHeadroom h = FindHeadroom(
        Configured("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 10, 8, true, 0}}),
        100000.0);
    EXPECT_NEAR(h.Factor.Value(), 100000.0 / 10472.0, 0.1);
    EXPECT_FLOAT_EQ(h.InSpecYears, 20.0f);
}

TEST(Headroom, DataThatDoesNotFitHasNone)
{
    const AdvisorHeadroom h = FindHeadroom(
        Configured("ECC16 Var-Length", 16, 20.0f, {4096, 4096}, {{512, 1, 8, false, 0}}), 100000.0);
    EXPECT_FALSE(h.Possible);
    EXPECT_EQ(h.Factor.Mantissa, 0);
}

TEST(Headroom, CyclesThatNeverGrowAreUnbounded)
{
    const AdvisorHeadroom h = FindHeadroom(
        Configured("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 0, 8, false, 0}}),
        100000.0);
    EXPECT_TRUE(h.Possible);
    EXPECT_TRUE(h.Unbounded);
    EXPECT_EQ(h.Factor, kLargestHeadroomFactor);
}

} // namespace
} // namespace eee
