#include "Compute.h"

#include "Format.h"
#include "Schemes.h"

#include <algorithm>
#include <cmath>

namespace eee {

namespace {
constexpr int64_t kDaysPerYear = 365;

int ClampCount(int32_t count, int maximum)
{
    return std::clamp<int32_t>(count, 0, maximum);
}
} // namespace

void ComputeSizes(CalcInputs& in, CalcResults& out)
{
    const int n = ClampCount(in.DataTypeCount, kMaxDataTypes);
    int64_t userBytes = 0;
    for (int i = 0; i < n; ++i)
        userBytes += int64_t {in.DataSize[i]} * in.Records[i];

    int64_t overhead = 0;
    if (in.CusOverheadEn) {
        // Customized overheads replace the scheme's own, without padding.
        overhead = in.BlockOverhead;
        for (int i = 0; i < n; ++i) {
            in.RecordOverhead[i] = in.CusOverhead[i];
            overhead += int64_t {in.RecordOverhead[i]} * in.Records[i];
        }
    } else {
        overhead = BlockHeaderOverhead(in.Scheme);
        const int32_t header = RecordHeaderOverhead(in.Scheme);
        const int32_t alignment = in.RecordAlignment;
        for (int i = 0; i < n; ++i) {
            // Header plus data is padded up to a whole multiple of the alignment.
            int32_t pad = 0;
            if (alignment > 0) {
                const int32_t remainder = (in.DataSize[i] + header) % alignment;
                pad = remainder > 0 ? alignment - remainder : 0;
            }
            in.RecordOverhead[i] = header + pad;
            overhead += int64_t {in.RecordOverhead[i]} * in.Records[i];
        }
    }
    out.TotalUserDataBytes = userBytes;
    out.TotalOverhead = overhead;
    out.TotalBytes = overhead + userBytes;
}

bool BlocksFit(int64_t totalBytes, const std::array<int64_t, kMaxBlocks>& blockBytes, int nb)
{
    nb = std::min(nb, kMaxBlocks);
    if (nb < 2)
        return true;
    const int64_t smallest = *std::min_element(blockBytes.begin(), blockBytes.begin() + nb);
    if (smallest >= totalBytes)
        return true;
    if (nb == 2)
        return false;
    // Every run of nb-1 cyclically neighbouring blocks must hold the data.
    int64_t smallestRun = 0;
    for (int k = 0; k < nb; ++k) {
        int64_t run = 0;
        for (int j = 0; j < nb - 1; ++j)
            run += blockBytes[static_cast<size_t>((k + j) % nb)];
        smallestRun = k == 0 ? run : std::min(smallestRun, run);
    }
    return smallestRun >= totalBytes;
}

FlashCycleEstimate EstimateFlashCycles(const CalcInputs& in, int64_t flashUsedBytes, float lifeTime)
{
    const int n = ClampCount(in.DataTypeCount, kMaxDataTypes);
    const int64_t header = in.CusOverheadEn ? in.BlockOverhead : BlockHeaderOverhead(in.Scheme);
    const int64_t blockHeaders = int64_t {in.BlocksSelected} * header;
    const int64_t flash = flashUsedBytes;

    std::array<int64_t, kMaxDataTypes> held {};
    int64_t allHeld = 0;
    for (int i = 0; i < n; ++i) {
        held[i] = (int64_t {in.DataSize[i]} + in.RecordOverhead[i]) * in.Records[i];
        allHeld += held[i];
    }
    const int64_t allOthers = blockHeaders + allHeld; // P

    FlashCycleEstimate estimate;
    long double first = 0.0L;
    long double second = 0.0L;
    for (int i = 0; i < n; ++i) {
        const int64_t others = blockHeaders + allHeld - held[i]; // O_i
        const int64_t updates = in.Updates[i];
        long double written = 0.0L; // W_i, bytes type i writes over the lifetime
        if (in.Frequency[i] == 0) {
            written = static_cast<double>(static_cast<long double>(held[i]) * updates);
        } else {
            const auto perLifetime = static_cast<double>(updates * kDaysPerYear);
            written = static_cast<long double>(perLifetime) * lifeTime * held[i];
        }
        const int64_t roomBesideOthers = flash - others;
        const int64_t roomLeft = flash - allOthers;
        if (roomBesideOthers < 0 || roomLeft < 0) {
            // The blocks cannot even hold the headers and the data: there is no
            // meaningful cycle count, and a negative one would read as in spec.
            estimate.NegativeRoom = true;
            return estimate;
        }
        if (roomBesideOthers != 0)
            first += std::ceil(written / roomBesideOthers);
        if (roomLeft != 0)
            second += std::ceil(written / roomLeft);
    }
    estimate.Cycles = static_cast<double>(std::ceil((first + second) * 0.5L));
    return estimate;
}

bool ComputeEndurance(const CalcInputs& in, CalcResults& out, EnduranceTexts& texts)
{
    const float lifeTime = in.LifeTime;
    const FlashCycleEstimate estimate = EstimateFlashCycles(in, out.FlashUsedBytes, lifeTime);
    if (estimate.NegativeRoom)
        return false;

    const int n = ClampCount(in.DataTypeCount, kMaxDataTypes);
    double lifetimeUpdates = 0.0;
    bool anyType = false;
    double maxUpdates = 0.0;
    for (int i = 0; i < n; ++i) {
        const long double size = in.DataSize[i];
        const int64_t updates = in.Updates[i];
        const long double records = in.Records[i];
        long double bytes = 0.0L;
        double typeUpdates = 0.0;
        if (in.Frequency[i] == 0) {
            bytes = size * updates * records;
            typeUpdates = static_cast<double>(updates);
        } else {
            bytes = size * updates * records * 365.0L * lifeTime;
            typeUpdates = static_cast<double>(
                static_cast<long double>(static_cast<double>(updates * kDaysPerYear)) * lifeTime);
        }
        lifetimeUpdates = static_cast<double>(lifetimeUpdates + bytes);
        maxUpdates = anyType ? std::max(maxUpdates, typeUpdates) : typeUpdates;
        anyType = true;
    }
    out.LifetimeUpdates = lifetimeUpdates;
    texts.LifetimeUpdates = WithThousandsSeparators(lifetimeUpdates);
    if (anyType)
        out.MaxUpdateRequirement = maxUpdates;

    out.FlashCycles = estimate.Cycles;
    texts.RefreshComputed = false;
    texts.RefreshInterval.clear();
    if (out.FlashCycles != 0.0) {
        double days = static_cast<double>(static_cast<long double>(lifeTime) * 365.0L
            / static_cast<long double>(out.FlashCycles));
        texts.RefreshInterval = RefreshIntervalText(days);
        out.RefreshIntervalDays = days;
        texts.RefreshComputed = true;
    }
    return true;
}

VerdictTexts MakeVerdict(float lifeTime, double flashCycles, int cyclesLimit, float inSpecYears)
{
    VerdictTexts verdict;
    if (lifeTime <= kLifetimeLimit && cyclesLimit >= flashCycles) {
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

} // namespace eee
