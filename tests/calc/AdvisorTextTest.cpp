// The design advisor's texts, as eee-calc-cli advise, Tools > Find Configuration... and
// the report show them: the headroom in its three cases, the two descriptions of the
// current configuration, the report's lines about a candidate, and the option names.
#include "calc/AdvisorText.h"

#include <gtest/gtest.h>

namespace eee {
namespace {

AdvisorHeadroom Headroom(bool possible, bool unbounded, HeadroomFactor factor = {})
{
    AdvisorHeadroom headroom;
    headroom.Possible = possible;
    headroom.Unbounded = unbounded;
    headroom.Factor = factor;
    headroom.InSpecYears = 12.25f;
    return headroom;
}

TEST(AdvisorText, HeadroomAsALineAndAsTheWindowsSentence)
{
    const AdvisorHeadroom bounded = Headroom(true, false, {237, -2});
    EXPECT_EQ(HeadroomLine(bounded, 90000.0),
        "Headroom: every data type's updates x2.37 stay within 90000 flash cycles; in spec for "
        "12.2 years");
    EXPECT_EQ(HeadroomSentence(bounded, 90000.0), HeadroomLine(bounded, 90000.0) + ".");

    const AdvisorHeadroom unbounded = Headroom(true, true, kLargestHeadroomFactor);
    EXPECT_EQ(HeadroomSentence(unbounded, 100000.0),
        "Headroom: the cycles do not grow with the updates; in spec for 12.2 years.");

    const AdvisorHeadroom none = Headroom(false, false);
    EXPECT_EQ(HeadroomLine(none, 100000.0), "Headroom: none");
    EXPECT_EQ(
        HeadroomSentence(none, 100000.0), "Headroom: none, the data does not fit the blocks.");
}

TEST(AdvisorText, CurrentConfigurationForTheCommandLineAndTheWindow)
{
    CurrentConfiguration current {
        "ECC16 Var-Length", {"x4000", "x8000"}, 49152, true, 1234.0, true, Headroom(false, false)};
    current.Headroom = Headroom(true, true);
    EXPECT_EQ(CurrentLines(current, 100000.0),
        "Current: ECC16 Var-Length, 2 blocks x4000 x8000, flash used 49152 bytes, 1234 flash "
        "cycles, in spec\nHeadroom: the cycles do not grow with the updates; in spec for 12.2 "
        "years\n");
    current.Fits = false;
    current.Headroom = Headroom(false, false);
    EXPECT_EQ(CurrentLines(current, 100000.0),
        "Current: ECC16 Var-Length, 2 blocks x4000 x8000, flash used 49152 bytes, the data does "
        "not fit these blocks\nHeadroom: none\n");

    EvalConfig config;
    config.Scheme = "ECC8 Fixed-Length";
    config.BlockCount = 3;
    EvalResult result;
    result.FlashUsedBytes = 3 * 16384 + 1000; // whole KB only
    result.FlashCycles = 150000.0;
    result.Fits = true;
    EXPECT_EQ(CurrentSentence(config, result),
        "Current: ECC8 Fixed-Length, 3 blocks, flash used 48 KB, 150000 flash cycles, out of "
        "spec");
}

TEST(AdvisorText, ReportLinesOfACandidate)
{
    AdvisorCandidate c;
    c.Scheme = "ECC32 Var-Length";
    c.BlockTexts = {"x2000", "x2000", "x4000"};
    c.BlockBytes = {8192, 8192, 16384};
    c.FlashUsedBytes = 32768;
    c.FlashCycles = 81234.0;
    c.InSpec = true;
    EXPECT_EQ(AdvisedPairs(c),
        (std::vector<std::pair<std::string, std::string>> {{"Scheme", "ECC32 Var-Length"},
            {"Blocks", "3: x2000, x2000, x4000"}, {"Flash used (bytes)", "32768"},
            {"Estimated flash cycles", "81234"}, {"In spec", "yes"}}));
    EXPECT_NE(std::string(AdvisedIntro(true)), AdvisedIntro(false));
}

TEST(AdvisorText, OptionNamesAndTheMarginRange)
{
    for (const SchemeScopeNames& names : kSchemeScopes) {
        EXPECT_EQ(SchemeScopeFromOption(names.Option), names.Scope);
        EXPECT_STREQ(NamesOf(names.Scope).Label, names.Label);
    }
    EXPECT_EQ(SchemeScopeFromOption("All"), std::nullopt);
    EXPECT_EQ(MarginRangeText(), "0 to 99");
}

} // namespace
} // namespace eee
