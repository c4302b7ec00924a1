// The wear simulation: the workload replayed write by write on the ring of blocks, a
// second opinion beside the closed-form cycle estimate.
//
//     configuration + Evaluate() result -> SimulateWear() -> erases per block, the bytes
//     programmed by kind, the largest garbage collection, and one note
//
// The model:
// - Blocks: the configuration's blocks in their order; block j holds
//   c_j = block bytes - block overhead bytes of records (the overheads the evaluation
//   uses). At the start every block is erased and block 0 is active.
// - Writes: each of the R_i records of data type i, a_i = data size + record overhead
//   bytes, is written at t = j x delta_i years: Total: delta_i = L / U_i, j < U_i;
//   Daily: delta_i = 1 / (365 U_i), every j with t < L. In ascending t, then type
//   index, then record index.
// - Append: a record that fits the active block is appended. Otherwise the active
//   block is closed (its unused rest is close waste), the next block becomes active,
//   the block after that is the victim: its live copies (still the latest version of
//   their record) are appended to the new active block in the order stored, the victim
//   is erased if it held any copy, and the write is tried again.
// - Long schedules: at most MaxWrites (C) of the M writes are simulated; when M > C
//   each block's lifetime erases are projected from the second half of the window.
//
// Decisions the model leaves open:
// - "No room after N closes": N is the block count. A write that finds no room after
//   one close per block (the ring went round once) ends the simulation.
// - A record larger than every block is found before the first write, among the data
//   types that write at all (records and writes both above 0).
// - A block whose bytes do not cover the block overhead holds 0 bytes of records.
// - The counters after write H include the closes that write H caused (they happen
//   before the write is appended).
// - The largest garbage collection is that of one victim (one close); a write that
//   closes several blocks makes several collections.
// - Equal times of two data types: the lower type index writes all its records first.
//   Within one type, each j is one round of its records (j ascending, then record).
// - A simulation that stops (does not fit, cancelled) keeps the figures counted up to
//   its stop, unprojected.
// - Write amplification is 0 when no payload byte was written.
// - A type of 0 updates (Total or Daily) writes nothing; a Daily type writes nothing
//   when the lifetime is not above 0.
#pragma once

#include "Evaluate.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace eee {

inline constexpr int64_t kDefaultMaxWrites = 2000000;

// Why the simulation ended as it did.
enum class SimulationStatus {
    Ok, // the schedule, or the window of it, ran to its end
    TooFewBlocks, // fewer than two blocks: nothing is simulated
    RecordTooLarge, // a record is larger than every block
    LiveCopyNoRoom, // a live copy found no room while collecting
    NoRoomAfterCloses, // a write still found no room after one close per block
    Cancelled,
};

// A stable lower-case key for each status ("ok", "too-few-blocks", "record-too-large",
// "live-copy-no-room", "no-room-after-closes", "cancelled"), for machine-read output.
const char* SimulationStatusKey(SimulationStatus status);

struct SimulationOptions
{
    int64_t MaxWrites = kDefaultMaxWrites; // C; values below 1 count as 1
    // Called now and then from the simulating thread with the writes done and the
    // writes to simulate (min(M, C)); last with done == total when the run finishes.
    std::function<void(int64_t done, int64_t total)> Progress;
    // Set from any thread to stop the run; it is read now and then.
    const std::atomic<bool>* Cancel = nullptr;
};

struct SimulationResult
{
    SimulationStatus Status = SimulationStatus::Ok;
    int BlockCount = 0;
    std::array<int64_t, kMaxBlocks> BlockCapacity {}; // c_j, bytes of records a block holds
    // Lifetime erases of each of the first BlockCount blocks: whole numbers unless projected.
    std::array<double, kMaxBlocks> BlockErases {};
    double MaxBlockErases = 0.0;
    double MeanBlockErases = 0.0;
    double SimulatedCycles = 0.0; // ceil(MaxBlockErases)
    double EstimatedCycles = 0.0; // the evaluation's flash cycles
    bool HasRatio = false; // false when the estimate is 0
    double Ratio = 0.0; // MaxBlockErases / EstimatedCycles
    int64_t Writes = 0; // writes simulated
    int64_t TotalWrites = 0; // M, the writes of the whole schedule
    bool Projected = false; // M > C: erases projected, bytes of the window's second half
    int64_t PayloadBytes = 0;
    int64_t RecordOverheadBytes = 0;
    int64_t GcBytes = 0;
    int64_t CloseWasteBytes = 0;
    std::array<int64_t, kMaxDataTypes> GcBytesByType {};
    int64_t LargestGcBytes = 0; // the largest single garbage collection, over the whole run
    double WriteAmplification = 0.0; // (payload + record overhead + gc) / payload
    bool Fits = false; // the run reached its end (Status Ok)
    bool Cancelled = false;
    // Where a run that does not fit stopped: the write (counted from 1), its data type
    // and block (counted from 1, as the form numbers them); 0 when they do not apply.
    int64_t StopWrite = 0;
    int StopDataType = 0;
    int StopBlock = 0;
    std::string Note; // one sentence
};

// Writes one record of the type gets over a lifetime of `lifeTime` years: U for a Total
// type, the number of j >= 0 with (double)j x delta < lifeTime for a Daily one.
int64_t WritesPerRecord(const DataTypeInput& type, double lifeTime);

// The note of a finished run: the most-worn block against the estimate.
std::string WearComparisonNote(double maxBlockErases, double estimatedCycles);

SimulationResult SimulateWear(
    const EvalConfig& config, const EvalResult& evaluation, const SimulationOptions& options = {});

} // namespace eee
