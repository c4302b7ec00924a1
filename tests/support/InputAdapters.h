// The engine's steps over the form's inputs, as the engine's older tests call them.
#pragma once

#include "calc/Compute.h"
#include "calc/Format.h"
#include "form/FormInputs.h"

#include <string>

namespace eee {

// Adapters over the form's inputs and results.
void ComputeSizes(CalcInputs& in, CalcResults& out);
FlashCycleEstimate EstimateFlashCycles(
    const CalcInputs& in, int64_t flashUsedBytes, float lifeTime);

struct EnduranceTexts
{
    std::string LifetimeUpdates; // "Total Application Lifetime Updates"
    std::string RefreshInterval; // empty when the interval was not computed
    bool RefreshComputed = false;
};

// Lifetime updates, maximum update requirement, flash cycles and refresh interval of the
// form's inputs, with the record overheads of its last ComputeSizes.
// Returns false (and changes nothing) when the data does not fit (negative room).
// When the cycles are 0 the refresh interval keeps its previous value.
bool ComputeEndurance(const CalcInputs& in, CalcResults& out, EnduranceTexts& texts);

inline void ComputeSizes(CalcInputs& in, CalcResults& out)
{
    const SizeTotals totals = ComputeSizes(ConfigFromInputs(in, {}), in.RecordOverhead);
    out.TotalUserDataBytes = totals.UserDataBytes;
    out.TotalOverhead = totals.Overhead;
    out.TotalBytes = totals.Bytes;
}

inline FlashCycleEstimate EstimateFlashCycles(
    const CalcInputs& in, int64_t flashUsedBytes, float lifeTime)
{
    return EstimateFlashCycles(
        ConfigFromInputs(in, {}), in.RecordOverhead, flashUsedBytes, lifeTime);
}

inline bool ComputeEndurance(const CalcInputs& in, CalcResults& out, EnduranceTexts& texts)
{
    EvalResult r;
    if (!ComputeEnduranceNumbers(
            ConfigFromInputs(in, {}), in.RecordOverhead, out.FlashUsedBytes, r))
        return false;
    out.LifetimeUpdates = r.LifetimeUpdates;
    texts.LifetimeUpdates = WithThousandsSeparators(r.LifetimeUpdates);
    if (r.HasMaxUpdateRequirement)
        out.MaxUpdateRequirement = r.MaxUpdateRequirement;
    out.FlashCycles = r.FlashCycles;
    texts.RefreshComputed = r.HasRefreshInterval;
    texts.RefreshInterval.clear();
    if (r.HasRefreshInterval) {
        double days = r.RefreshIntervalDays;
        texts.RefreshInterval = RefreshIntervalText(days);
        out.RefreshIntervalDays = days;
    }
    return true;
}

} // namespace eee
