#include "Evaluate.h"

#include "Compute.h"
#include "Format.h"
#include "Schemes.h"
#include "chart/ChartModel.h"

#include <algorithm>

namespace eee {

EvalResult Evaluate(const EvalConfig& config)
{
    EvalResult r;
    const int nb = std::clamp(config.BlockCount, 0, kMaxBlocks);
    for (int k = 0; k < nb; ++k)
        r.FlashUsedBytes += config.BlockBytes[static_cast<size_t>(k)];

    const SizeTotals totals = ComputeSizes(config, r.RecordOverhead);
    r.TotalUserDataBytes = totals.UserDataBytes;
    r.TotalOverhead = totals.Overhead;
    r.TotalBytes = totals.Bytes;
    r.BlockOverhead
        = config.CustomOverhead ? config.BlockOverhead : BlockHeaderOverhead(config.Scheme);
    r.Fits = BlocksFit(r.TotalBytes, config.BlockBytes, config.BlockCount);

    if (!ComputeEnduranceNumbers(config, r.RecordOverhead, r.FlashUsedBytes, r))
        return r;
    r.InSpecYears
        = EnvelopeInSpecYears(config.LifeTime, r.FlashCycles, kLifetimeLimit, config.CyclesLimit);
    r.InSpec = IsInSpec(config.LifeTime, r.FlashCycles, config.CyclesLimit);
    return r;
}

bool IsInSpec(float lifeTime, double flashCycles, int cyclesLimit)
{
    return lifeTime <= kLifetimeLimit && flashCycles <= cyclesLimit;
}

VerdictTexts MakeVerdict(float lifeTime, double flashCycles, int cyclesLimit, float inSpecYears)
{
    VerdictTexts verdict;
    if (IsInSpec(lifeTime, flashCycles, cyclesLimit)) {
        verdict.First = "Application InSpec for Lifetime and Endurance";
        return verdict;
    }
    const float outOfSpecYears = lifeTime - inSpecYears;
    verdict.First = Format(" - In spec for first %.1f years. Out of spec for last %.1f years",
        static_cast<double>(inSpecYears), static_cast<double>(outOfSpecYears));
    verdict.Second = flashCycles <= cyclesLimit ? "Cycling requirement is within specification"
                                                : "Recommended:increase number of flash blocks for "
                                                  "EEE or reduce the number of updates to EE data";
    if (lifeTime > kLifetimeLimit)
        verdict.Lifetime = Format("Application lifetime exceeds %.1f years specification", 20.0);
    return verdict;
}

VerdictTexts MakeVerdict(const EvalConfig& config, const EvalResult& result)
{
    return MakeVerdict(config.LifeTime, result.FlashCycles, config.CyclesLimit, result.InSpecYears);
}

ResultTexts MakeResultTexts(const EvalResult& r)
{
    ResultTexts texts;
    texts.TotalUserDataBytes = Format("%lld", static_cast<long long>(r.TotalUserDataBytes));
    texts.TotalOverhead = Format("%lld", static_cast<long long>(r.TotalOverhead));
    texts.TotalBytes = Format("%lld", static_cast<long long>(r.TotalBytes));
    texts.FlashUsed = FlashUsedText(r.FlashUsedBytes);
    texts.LifetimeUpdates = WithThousandsSeparators(r.LifetimeUpdates);
    texts.MaxUpdateRequirement = FormatG(r.MaxUpdateRequirement, 15);
    texts.FlashCycles = FormatG(r.FlashCycles, 15);
    if (r.HasRefreshInterval) {
        texts.RefreshIntervalDays = r.RefreshIntervalDays;
        texts.RefreshInterval = RefreshIntervalText(texts.RefreshIntervalDays);
    }
    return texts;
}

} // namespace eee
