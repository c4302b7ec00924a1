// The design advisor's texts, made from its numbers: the sentences about a workload's
// own configuration and its headroom, the report's lines about the best candidate, and
// the names of the advisor's options. eee-calc-cli advise, Tools > Find Configuration...
// and the report show these texts; none of them writes its own.
#pragma once

#include "Advisor.h"
#include "AdvisorHeadroom.h"
#include "Evaluate.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace eee {

// ---- The options ----

// The schemes searched, as each front end names them: the value of advise --schemes (and
// of "schemes" in its JSON), the window's choice, and the command line's summary line.
struct SchemeScopeNames
{
    SchemeScope Scope;
    const char* Option;
    const char* Label;
    const char* Phrase;
};

// In the order the window offers them.
inline constexpr SchemeScopeNames kSchemeScopes[] = {
    {SchemeScope::All, "all", "All schemes", "all schemes"},
    {SchemeScope::Same, "same", "This scheme only", "this scheme only"},
};

const SchemeScopeNames& NamesOf(SchemeScope scope);
// The scope of an option value ("all" or "same", exactly); nothing for any other text.
std::optional<SchemeScope> SchemeScopeFromOption(std::string_view text);

// The margins that can be asked for: "0 to 99".
std::string MarginRangeText();

// ---- The current configuration ----

// "in spec" or "out of spec".
const char* InSpecWords(bool inSpec);

// The headroom as one line without a full stop: "Headroom: every data type's updates x2.37
// stay within 90000 flash cycles; in spec for 20.0 years", "Headroom: the cycles do not
// grow with the updates; ..." or, when the data does not fit, "Headroom: none".
std::string HeadroomLine(const AdvisorHeadroom& headroom, double cyclesLimit);

// The command line's two lines about the configuration, each ending with a line break:
// "Current: <scheme>, <n> blocks <texts>, flash used <bytes> bytes, ..." and its headroom.
std::string CurrentLines(const CurrentConfiguration& current, double cyclesLimit);

// The window's sentence about its last calculation: "Current: <scheme>, <n> blocks, flash
// used <KB> KB, <cycles> flash cycles, in spec".
std::string CurrentSentence(const EvalConfig& config, const EvalResult& result);

// The window's sentence about the headroom, with its full stop.
std::string HeadroomSentence(const AdvisorHeadroom& headroom, double cyclesLimit);

// ---- The report ----

inline constexpr const char* kAdvisedSectionTitle = "Design advisor";

// What the report says before the best candidate of a design out of spec.
const char* AdvisedIntro(bool qualified);

// The candidate's scheme, blocks, flash used, cycles and verdict as labels and values.
std::vector<std::pair<std::string, std::string>> AdvisedPairs(const AdvisorCandidate& candidate);

} // namespace eee
