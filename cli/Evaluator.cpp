#include "cli/Evaluator.h"

#include "calc/Format.h"

#include <algorithm>

namespace eee {

Evaluation MakeEvaluation(const std::string& displayName, const LoadOutcome& outcome)
{
    Evaluation e;
    e.File = displayName;
    e.Ok = outcome.Calculated();
    e.Warnings = outcome.Warnings;
    e.Stop = outcome.Stop;
    if (!e.Ok) {
        e.Error = outcome.Error;
        e.Reason = outcome.Reason;
        return e;
    }

    const EvalConfig& config = outcome.Config;
    const EvalResult& result = outcome.Result;
    e.Scheme = outcome.Scheme;
    e.LifeTime = config.LifeTime;
    e.LifeTimeText = FormatG(static_cast<double>(config.LifeTime), 6);
    e.Blocks = outcome.BlockTexts;
    const int blocks = std::clamp(config.BlockCount, 0, kMaxBlocks);
    e.BlockBytes.assign(config.BlockBytes.begin(), config.BlockBytes.begin() + blocks);
    const int types = std::clamp(config.DataTypeCount, 0, kMaxDataTypes);
    for (int i = 0; i < types; ++i) {
        const DataTypeInput& in = config.DataTypes[static_cast<size_t>(i)];
        e.DataTypes.push_back(DataTypeResult {in.DataSize, in.Updates, in.Records, in.Daily,
            in.CustomOverhead, result.RecordOverhead[static_cast<size_t>(i)]});
    }
    e.CustomOverheadEnabled = config.CustomOverhead;
    e.BlockOverhead = result.BlockOverhead;

    const ResultTexts texts = MakeResultTexts(result);
    e.TotalUserDataBytes = result.TotalUserDataBytes;
    e.TotalUserDataBytesText = texts.TotalUserDataBytes;
    e.TotalOverhead = result.TotalOverhead;
    e.TotalOverheadText = texts.TotalOverhead;
    e.TotalBytes = result.TotalBytes;
    e.TotalBytesText = texts.TotalBytes;
    e.FlashUsedBytes = result.FlashUsedBytes;
    e.FlashUsedText = texts.FlashUsed;
    e.LifetimeUpdates = result.LifetimeUpdates;
    e.LifetimeUpdatesText = texts.LifetimeUpdates;
    e.MaxUpdateRequirement = result.MaxUpdateRequirement;
    e.MaxUpdateRequirementText = texts.MaxUpdateRequirement;
    e.FlashCycles = result.FlashCycles;
    e.FlashCyclesText = texts.FlashCycles;
    // With 0 cycles no interval is computed.
    if (result.HasRefreshInterval) {
        e.RefreshIntervalDays = texts.RefreshIntervalDays;
        e.RefreshIntervalText = texts.RefreshInterval;
    }
    e.InSpecYears = result.InSpecYears;
    const VerdictTexts verdict = MakeVerdict(config, result);
    e.Verdict = {verdict.First, verdict.Second, verdict.Lifetime};
    e.Config = config;
    e.Result = result;
    return e;
}

} // namespace eee
