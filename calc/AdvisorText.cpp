#include "AdvisorText.h"

#include "Format.h"

namespace eee {

namespace {

std::string Joined(const std::vector<std::string>& texts, const char* separator)
{
    std::string text;
    for (const std::string& t : texts) {
        if (!text.empty())
            text += separator;
        text += t;
    }
    return text;
}

std::string InSpecYearsText(const AdvisorHeadroom& headroom)
{
    return Format("in spec for %.1f years", static_cast<double>(headroom.InSpecYears));
}

} // namespace

const SchemeScopeNames& NamesOf(SchemeScope scope)
{
    for (const SchemeScopeNames& names : kSchemeScopes) {
        if (names.Scope == scope)
            return names;
    }
    return kSchemeScopes[0];
}

std::optional<SchemeScope> SchemeScopeFromOption(std::string_view text)
{
    for (const SchemeScopeNames& names : kSchemeScopes) {
        if (text == names.Option)
            return names.Scope;
    }
    return std::nullopt;
}

std::string MarginRangeText()
{
    return FormatG(kMinMarginPercent, 6) + " to " + FormatG(kMaxMarginPercent, 6);
}

const char* InSpecWords(bool inSpec)
{
    return inSpec ? "in spec" : "out of spec";
}

std::string HeadroomLine(const AdvisorHeadroom& headroom, double cyclesLimit)
{
    if (!headroom.Possible)
        return "Headroom: none";
    if (headroom.Unbounded)
        return "Headroom: the cycles do not grow with the updates; " + InSpecYearsText(headroom);
    return Format("Headroom: every data type's updates x%s stay within %s flash cycles; %s",
        headroom.Factor.Text().c_str(), FormatG(cyclesLimit, 15).c_str(),
        InSpecYearsText(headroom).c_str());
}

std::string CurrentLines(const CurrentConfiguration& c, double cyclesLimit)
{
    std::string out = Format("Current: %s, %zu blocks %s, flash used %lld bytes, ",
        c.Scheme.c_str(), c.Blocks.size(), Joined(c.Blocks, " ").c_str(),
        static_cast<long long>(c.FlashUsedBytes));
    if (!c.Fits)
        out += "the data does not fit these blocks\n";
    else
        out += Format(
            "%s flash cycles, %s\n", FormatG(c.FlashCycles, 15).c_str(), InSpecWords(c.InSpec));
    return out + HeadroomLine(c.Headroom, cyclesLimit) + '\n';
}

std::string CurrentSentence(const EvalConfig& config, const EvalResult& result)
{
    return Format("Current: %s, %d blocks, flash used %lld KB, %s flash cycles, %s",
        std::string(config.Scheme).c_str(), config.BlockCount,
        static_cast<long long>(result.FlashUsedBytes / 1024),
        FormatG(result.FlashCycles, 15).c_str(), InSpecWords(InSpecAsShown(config, result)));
}

std::string HeadroomSentence(const AdvisorHeadroom& headroom, double cyclesLimit)
{
    return HeadroomLine(headroom, cyclesLimit)
        + (headroom.Possible ? "." : ", the data does not fit the blocks.");
}

const char* AdvisedIntro(bool qualified)
{
    return qualified ? "The design is out of spec. The smallest configuration of the catalogue "
                       "that keeps this workload within the envelope:"
                     : "The design is out of spec, and no configuration of the catalogue keeps "
                       "this workload within the envelope. The closest one:";
}

std::vector<std::pair<std::string, std::string>> AdvisedPairs(const AdvisorCandidate& c)
{
    return {
        {"Scheme", c.Scheme},
        {"Blocks", Format("%d: %s", c.BlockCount(), Joined(c.BlockTexts, ", ").c_str())},
        {"Flash used (bytes)", Format("%lld", static_cast<long long>(c.FlashUsedBytes))},
        {"Estimated flash cycles", Format("%.0f", c.FlashCycles)},
        {"In spec", c.InSpec ? "yes" : "no"},
    };
}

} // namespace eee
