#include "WearSimulation.h"

#include "Format.h"
#include "Schemes.h"
#include "WearRing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace eee {

namespace {

constexpr int64_t kCheckInterval = int64_t {1} << 16; // writes between progress and cancel
constexpr double kAgreement = 0.1; // "agrees within 10 %"
constexpr double kNever = std::numeric_limits<double>::infinity();
constexpr int64_t kMostWrites = std::numeric_limits<int64_t>::max();

// One data type's writes in time order: round j writes its records at j x Delta.
struct WriteStream
{
    int Type = 0;
    uint32_t Records = 0;
    double Delta = 0.0;
    int64_t Rounds = 0; // n_i
    int64_t Next = 0; // the next round
    double Time = 0.0; // of the next round; kNever when none is left
};

int64_t SaturatingProduct(int64_t a, int64_t b)
{
    int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kMostWrites : product;
}

int64_t SaturatingSum(int64_t a, int64_t b)
{
    int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kMostWrites : sum;
}

double Delta(const DataTypeInput& type, double lifeTime)
{
    const auto updates = static_cast<double>(type.Updates);
    return type.Daily ? 1.0 / (365.0 * updates) : lifeTime / updates;
}

std::string Thousands(int64_t value)
{
    return WithThousandsSeparators(static_cast<double>(value));
}

std::string StopNote(const SimulationResult& r, int64_t recordBytes, int64_t largestCapacity)
{
    switch (r.Status) {
    case SimulationStatus::TooFewBlocks:
        return "The wear simulation needs at least two blocks.";
    case SimulationStatus::RecordTooLarge:
        return Format("A record of data type %d takes %lld bytes, more than any block holds "
                      "(%lld bytes), so the data does not fit.",
            r.StopDataType, static_cast<long long>(recordBytes),
            static_cast<long long>(largestCapacity));
    case SimulationStatus::LiveCopyNoRoom:
        return Format("At write %s a live copy of data type %d found no room in block %d while "
                      "collecting, so the data does not fit.",
            Thousands(r.StopWrite).c_str(), r.StopDataType, r.StopBlock);
    case SimulationStatus::NoRoomAfterCloses:
        return Format("Write %s (data type %d) found no room after %d block closes, so the data "
                      "does not fit.",
            Thousands(r.StopWrite).c_str(), r.StopDataType, r.BlockCount);
    case SimulationStatus::Cancelled:
        return Format("The simulation was cancelled after %s of %s writes.",
            Thousands(r.Writes).c_str(), Thousands(r.TotalWrites).c_str());
    case SimulationStatus::Ok:
        break;
    }
    return WearComparisonNote(r.MaxBlockErases, r.EstimatedCycles);
}

// The figures of a run from the counters after its last write and, when projected,
// after write H of C.
void TakeFigures(SimulationResult& r, const WearCounters& end, const WearCounters& half, int64_t c,
    int64_t h, int64_t largestGc)
{
    WearCounters bytes = end;
    for (int j = 0; j < r.BlockCount; ++j) {
        const auto ec = static_cast<double>(end.Erases[j]);
        double e = ec;
        if (r.Projected) {
            const auto eh = static_cast<double>(half.Erases[j]);
            e = ec
                + (ec - eh) * static_cast<double>(r.TotalWrites - c) / static_cast<double>(c - h);
        }
        r.BlockErases[j] = e;
        r.MaxBlockErases = j == 0 ? e : std::max(r.MaxBlockErases, e);
        r.MeanBlockErases += e;
    }
    r.MeanBlockErases /= r.BlockCount;
    if (r.Projected) {
        bytes.PayloadBytes -= half.PayloadBytes;
        bytes.RecordOverheadBytes -= half.RecordOverheadBytes;
        bytes.GcBytes -= half.GcBytes;
        bytes.CloseWasteBytes -= half.CloseWasteBytes;
        for (int i = 0; i < kMaxDataTypes; ++i)
            bytes.GcBytesByType[i] -= half.GcBytesByType[i];
    }
    r.PayloadBytes = bytes.PayloadBytes;
    r.RecordOverheadBytes = bytes.RecordOverheadBytes;
    r.GcBytes = bytes.GcBytes;
    r.CloseWasteBytes = bytes.CloseWasteBytes;
    r.GcBytesByType = bytes.GcBytesByType;
    r.LargestGcBytes = largestGc;
    if (r.PayloadBytes > 0)
        r.WriteAmplification
            = static_cast<double>(r.PayloadBytes + r.RecordOverheadBytes + r.GcBytes)
            / static_cast<double>(r.PayloadBytes);
    r.SimulatedCycles = std::ceil(r.MaxBlockErases);
    r.HasRatio = r.EstimatedCycles != 0.0;
    if (r.HasRatio)
        r.Ratio = r.MaxBlockErases / r.EstimatedCycles;
}

} // namespace

const char* SimulationStatusKey(SimulationStatus status)
{
    switch (status) {
    case SimulationStatus::Ok:
        return "ok";
    case SimulationStatus::TooFewBlocks:
        return "too-few-blocks";
    case SimulationStatus::RecordTooLarge:
        return "record-too-large";
    case SimulationStatus::LiveCopyNoRoom:
        return "live-copy-no-room";
    case SimulationStatus::NoRoomAfterCloses:
        return "no-room-after-closes";
    case SimulationStatus::Cancelled:
        return "cancelled";
    }
    return "";
}

int64_t WritesPerRecord(const DataTypeInput& type, double lifeTime)
{
    if (type.Updates <= 0)
        return 0;
    if (!type.Daily)
        return type.Updates;
    if (!(lifeTime > 0.0))
        return 0;
    // The first j whose time reaches the lifetime. The quotient is within a step or two
    // of it; the products decide, exactly as the writes are timed.
    const double delta = Delta(type, lifeTime);
    const double guess = std::floor(lifeTime / delta);
    if (!(guess < 0x1p52))
        return guess < 0x1p62 ? static_cast<int64_t>(guess) : kMostWrites;
    auto j = static_cast<int64_t>(guess);
    while (j > 0 && static_cast<double>(j - 1) * delta >= lifeTime)
        --j;
    while (static_cast<double>(j) * delta < lifeTime)
        ++j;
    return j;
}

std::string WearComparisonNote(double maxBlockErases, double estimatedCycles)
{
    if (estimatedCycles == 0.0) {
        if (maxBlockErases == 0.0)
            return "Neither the simulation nor the estimate erases any block.";
        return Format("The estimate expects no erase, but the most-worn block is erased %s "
                      "times.",
            WithThousandsSeparators(std::ceil(maxBlockErases)).c_str());
    }
    if (maxBlockErases == 0.0)
        return Format("The simulation erases no block, against %s estimated cycles.",
            WithThousandsSeparators(estimatedCycles).c_str());
    const double ratio = maxBlockErases / estimatedCycles;
    if (ratio >= 1.0 - kAgreement && ratio <= 1.0 + kAgreement)
        return "The most-worn block agrees with the estimate within 10 %.";
    if (ratio > 1.0)
        return Format("The most-worn block wears %.2f times faster than the estimate.", ratio);
    return Format("The most-worn block wears %.2f times slower than the estimate.", 1.0 / ratio);
}

SimulationResult SimulateWear(
    const EvalConfig& config, const EvalResult& evaluation, const SimulationOptions& options)
{
    SimulationResult r;
    r.EstimatedCycles = evaluation.FlashCycles;
    r.BlockCount = std::clamp(config.BlockCount, 0, kMaxBlocks);
    const int typeCount = std::clamp(config.DataTypeCount, 0, kMaxDataTypes);
    const auto lifeTime = static_cast<double>(config.LifeTime);
    const int64_t blockOverhead
        = config.CustomOverhead ? config.BlockOverhead : BlockHeaderOverhead(config.Scheme);

    int64_t largestCapacity = 0;
    for (int j = 0; j < r.BlockCount; ++j) {
        r.BlockCapacity[j] = std::max<int64_t>(0, config.BlockBytes[j] - blockOverhead);
        largestCapacity = std::max(largestCapacity, r.BlockCapacity[j]);
    }

    std::array<WearRecordKind, kMaxDataTypes> kinds {};
    std::array<int64_t, kMaxDataTypes> rounds {};
    for (int i = 0; i < typeCount; ++i) {
        const DataTypeInput& type = config.DataTypes[i];
        kinds[i].Payload = type.DataSize;
        kinds[i].Overhead = evaluation.RecordOverhead[i];
        kinds[i].Bytes = kinds[i].Payload + kinds[i].Overhead;
        rounds[i] = WritesPerRecord(type, lifeTime);
        const int64_t records = std::max<int32_t>(type.Records, 0);
        r.TotalWrites = SaturatingSum(r.TotalWrites, SaturatingProduct(records, rounds[i]));
    }

    if (r.BlockCount < 2) {
        r.Status = SimulationStatus::TooFewBlocks;
        r.Note = StopNote(r, 0, 0);
        return r;
    }
    for (int i = 0; i < typeCount; ++i) {
        if (config.DataTypes[i].Records > 0 && rounds[i] > 0 && kinds[i].Bytes > largestCapacity) {
            r.Status = SimulationStatus::RecordTooLarge;
            r.StopDataType = i + 1;
            r.Note = StopNote(r, kinds[i].Bytes, largestCapacity);
            return r;
        }
    }

    const int64_t cap = std::max<int64_t>(options.MaxWrites, 1); // C
    const int64_t limit = std::min(r.TotalWrites, cap);
    const int64_t half = cap / 2; // H
    r.Projected = r.TotalWrites > cap;

    // Only the records written within the window get an id: each round writes its
    // records from the first, so no more than `limit` of a type are ever written.
    std::array<WriteStream, kMaxDataTypes> streams {};
    int streamCount = 0;
    for (int i = 0; i < typeCount; ++i) {
        const int64_t records = std::max<int32_t>(config.DataTypes[i].Records, 0);
        kinds[i].Records = static_cast<uint32_t>(std::min(records, limit));
        if (records == 0 || rounds[i] == 0)
            continue;
        WriteStream& s = streams[streamCount++];
        s.Type = i;
        s.Records = static_cast<uint32_t>(records);
        s.Delta = Delta(config.DataTypes[i], lifeTime);
        s.Rounds = rounds[i];
    }

    WearRing ring(r.BlockCapacity, r.BlockCount, kinds, typeCount);
    WearCounters atHalf;
    int64_t done = 0;
    int64_t nextCheck = kCheckInterval;
    bool cancelled = options.Cancel && options.Cancel->load(std::memory_order_relaxed);
    WearRing::Outcome outcome = WearRing::Outcome::Written;

    while (done < limit && !cancelled) {
        // The round due first; on equal times the lower type index.
        int first = 0;
        for (int k = 1; k < streamCount; ++k)
            if (streams[k].Time < streams[first].Time)
                first = k;
        WriteStream& s = streams[first];
        for (uint32_t record = 0; record < s.Records; ++record) {
            outcome = ring.Write(s.Type, record);
            if (outcome != WearRing::Outcome::Written)
                break;
            if (++done == half)
                atHalf = ring.Counters();
            if (done == limit)
                break;
        }
        if (outcome != WearRing::Outcome::Written)
            break;
        s.Time = ++s.Next < s.Rounds ? static_cast<double>(s.Next) * s.Delta : kNever;
        if (done >= nextCheck && done < limit) {
            nextCheck = done + kCheckInterval;
            if (options.Progress)
                options.Progress(done, limit);
            cancelled = options.Cancel && options.Cancel->load(std::memory_order_relaxed);
        }
    }

    r.Writes = done;
    if (outcome != WearRing::Outcome::Written) {
        r.Status = outcome == WearRing::Outcome::LiveCopyNoRoom
            ? SimulationStatus::LiveCopyNoRoom
            : SimulationStatus::NoRoomAfterCloses;
        r.StopWrite = done + 1;
        r.StopDataType = ring.FailedType() + 1;
        r.StopBlock = ring.FailedBlock() + 1;
    } else if (done < limit) {
        r.Status = SimulationStatus::Cancelled;
        r.Cancelled = true;
    } else if (options.Progress) {
        options.Progress(done, limit);
    }
    r.Projected = r.Projected && r.Status == SimulationStatus::Ok;
    r.Fits = r.Status == SimulationStatus::Ok;
    TakeFigures(r, ring.Counters(), atHalf, cap, half, ring.LargestGcBytes());
    r.Note = StopNote(r, 0, largestCapacity);
    return r;
}

} // namespace eee
