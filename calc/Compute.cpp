#include "Compute.h"

#include "Format.h"
#include "Schemes.h"

#include <algorithm>
#include <cmath>

namespace eee {

namespace {
constexpr int64_t kDaysPerYear = 365;

int ClampCount(int count, int maximum)
{
    return std::clamp(count, 0, maximum);
}
} // namespace

SizeTotals ComputeSizes(
    const EvalConfig& config, std::array<int32_t, kMaxDataTypes>& recordOverhead)
{
    const int n = ClampCount(config.DataTypeCount, kMaxDataTypes);
    SizeTotals totals;
    for (int i = 0; i < n; ++i)
        totals.UserDataBytes
            += int64_t {config.DataTypes[i].DataSize} * config.DataTypes[i].Records;

    if (config.CustomOverhead) {
        // Customized overheads replace the scheme's own, without padding.
        totals.Overhead = config.BlockOverhead;
        for (int i = 0; i < n; ++i)
            recordOverhead[i] = config.DataTypes[i].CustomOverhead;
    } else {
        totals.Overhead = BlockHeaderOverhead(config.Scheme);
        const int32_t header = RecordHeaderOverhead(config.Scheme);
        const int32_t alignment = config.RecordAlignment;
        for (int i = 0; i < n; ++i) {
            // Header plus data is padded up to a whole multiple of the alignment.
            // Formed in 64 bits: a record size out of the form's range is still sized
            // without overflow.
            int64_t pad = 0;
            if (alignment > 0) {
                const int64_t remainder
                    = (int64_t {config.DataTypes[i].DataSize} + header) % alignment;
                pad = remainder > 0 ? alignment - remainder : 0;
            }
            recordOverhead[i] = static_cast<int32_t>(header + pad);
        }
    }
    for (int i = 0; i < n; ++i)
        totals.Overhead += int64_t {recordOverhead[i]} * config.DataTypes[i].Records;
    totals.Bytes = totals.Overhead + totals.UserDataBytes;
    return totals;
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

// Products and quotients are formed in extended precision and rounded to double
// wherever a value is kept: W_i, each quotient as it goes to ceil, and both sums.
FlashCycleEstimate EstimateFlashCycles(const EvalConfig& config,
    const std::array<int32_t, kMaxDataTypes>& recordOverhead, int64_t flashUsedBytes,
    float lifeTime, EvalResult* terms)
{
    const int n = ClampCount(config.DataTypeCount, kMaxDataTypes);
    const int64_t header
        = config.CustomOverhead ? config.BlockOverhead : BlockHeaderOverhead(config.Scheme);
    const int64_t blockHeaders = int64_t {config.BlockCount} * header; // B
    const int64_t flash = flashUsedBytes; // T

    std::array<int64_t, kMaxDataTypes> held {};
    int64_t allHeld = 0;
    for (int i = 0; i < n; ++i) {
        held[i] = (int64_t {config.DataTypes[i].DataSize} + recordOverhead[i])
            * config.DataTypes[i].Records;
        allHeld += held[i];
    }
    const int64_t allOthers = blockHeaders + allHeld; // P
    const int64_t roomLeft = flash - allOthers;

    FlashCycleEstimate estimate;
    double first = 0.0;
    double second = 0.0;
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[i];
        const int64_t roomBesideOthers = flash - (allOthers - held[i]); // T - O_i
        if (roomBesideOthers < 0 || roomLeft < 0) {
            // The blocks cannot even hold the headers and the data: there is no
            // meaningful cycle count, and a negative one would read as in spec.
            estimate.NegativeRoom = true;
            return estimate;
        }
        double written = 0.0; // W_i, bytes type i writes over the lifetime
        if (!type.Daily) {
            written = static_cast<double>(static_cast<long double>(held[i]) * type.Updates);
        } else {
            const auto perLifetime = static_cast<double>(type.Updates * kDaysPerYear);
            written
                = static_cast<double>(static_cast<long double>(perLifetime) * lifeTime * held[i]);
        }
        double firstTerm = 0.0;
        double secondTerm = 0.0;
        if (roomBesideOthers != 0)
            firstTerm = std::ceil(
                static_cast<double>(written / static_cast<long double>(roomBesideOthers)));
        if (roomLeft != 0)
            secondTerm
                = std::ceil(static_cast<double>(written / static_cast<long double>(roomLeft)));
        first = static_cast<double>(static_cast<long double>(first) + firstTerm);
        second = static_cast<double>(static_cast<long double>(second) + secondTerm);
        if (terms) {
            DataTypeTerms& t = terms->Terms[i];
            t.HeldBytes = held[i];
            t.WrittenBytes = written;
            t.RoomBesideOthers = roomBesideOthers;
            t.RoomLeft = roomLeft;
            t.FirstTerm = firstTerm;
            t.SecondTerm = secondTerm;
        }
    }
    if (terms) {
        terms->BlockHeaders = blockHeaders;
        terms->FirstSum = first;
        terms->SecondSum = second;
    }
    estimate.Cycles
        = std::ceil(static_cast<double>((static_cast<long double>(first) + second) * 0.5L));
    return estimate;
}

namespace {

// Lifetime updates and the largest per-type update count; each type's value is
// rounded to double before it is added.
void ComputeLifetimeUpdates(const EvalConfig& config, float lifeTime, EvalResult& r)
{
    const int n = ClampCount(config.DataTypeCount, kMaxDataTypes);
    double lifetimeUpdates = 0.0;
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[i];
        const long double size = type.DataSize;
        const long double records = type.Records;
        double bytes = 0.0;
        double typeUpdates = 0.0;
        if (!type.Daily) {
            bytes = static_cast<double>(size * type.Updates * records);
            typeUpdates = static_cast<double>(type.Updates);
        } else {
            bytes = static_cast<double>(size * type.Updates * records * 365.0L * lifeTime);
            typeUpdates = static_cast<double>(
                static_cast<long double>(static_cast<double>(type.Updates * kDaysPerYear))
                * lifeTime);
        }
        r.Terms[i].LifetimeBytes = bytes;
        r.Terms[i].LifetimeUpdates = typeUpdates;
        lifetimeUpdates = static_cast<double>(static_cast<long double>(lifetimeUpdates) + bytes);
        r.MaxUpdateRequirement = r.HasMaxUpdateRequirement
            ? std::max(r.MaxUpdateRequirement, typeUpdates)
            : typeUpdates;
        r.HasMaxUpdateRequirement = true;
    }
    r.LifetimeUpdates = lifetimeUpdates;
}

} // namespace

// The endurance numbers of a configuration whose sizes are known: false when no estimate exists.
bool ComputeEnduranceNumbers(const EvalConfig& config,
    const std::array<int32_t, kMaxDataTypes>& recordOverhead, int64_t flashUsedBytes, EvalResult& r)
{
    const float lifeTime = config.LifeTime;
    const FlashCycleEstimate estimate
        = EstimateFlashCycles(config, recordOverhead, flashUsedBytes, lifeTime, &r);
    r.NegativeRoom = estimate.NegativeRoom;
    if (estimate.NegativeRoom)
        return false;
    ComputeLifetimeUpdates(config, lifeTime, r);
    r.FlashCycles = estimate.Cycles;
    r.HasRefreshInterval = r.FlashCycles != 0.0;
    if (r.HasRefreshInterval)
        r.RefreshIntervalDays = static_cast<double>(
            static_cast<long double>(lifeTime) * 365.0L / static_cast<long double>(r.FlashCycles));
    return true;
}

} // namespace eee
