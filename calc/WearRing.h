// The ring of blocks the wear simulation writes into: records are appended to the
// active block; a full block is closed, the next one becomes active, and the block
// after that one gives up its live copies to the new active block and is erased.
//
// Memory: one entry (a record id) per copy a block holds, and one location per record.
// Records of zero bytes never fill a block; their dead copies are dropped from the
// active block's list once it grows past a bound, so the lists stay bounded by the
// records plus the block contents.
#pragma once

#include "Types.h"

#include <array>
#include <cstdint>
#include <vector>

namespace eee {

// What the ring has counted since it started.
struct WearCounters
{
    std::array<int64_t, kMaxBlocks> Erases {};
    int64_t PayloadBytes = 0; // data bytes of the writes
    int64_t RecordOverheadBytes = 0; // record overhead bytes of the writes
    int64_t GcBytes = 0; // bytes of live copies moved by garbage collection
    int64_t CloseWasteBytes = 0; // unused rest of the blocks when they were closed
    std::array<int64_t, kMaxDataTypes> GcBytesByType {};
};

// One data type as the ring sees it.
struct WearRecordKind
{
    int64_t Bytes = 0; // a_i: data size + record overhead
    int64_t Payload = 0; // data size
    int64_t Overhead = 0; // record overhead
    uint32_t Records = 0; // record ids of this type
};

class WearRing
{
public:
    enum class Outcome {
        Written,
        LiveCopyNoRoom, // a live copy found no room in the new active block
        NoRoomAfterCloses, // the write found no room after one close per block
    };

    // capacity: the record bytes c_j of the first blockCount blocks (at least two).
    WearRing(const std::array<int64_t, kMaxBlocks>& capacity, int blockCount,
        const std::array<WearRecordKind, kMaxDataTypes>& kinds, int kindCount);

    // Writes the next version of record `record` (0-based within its type) of type `type`.
    // On a failure the ring is left as it stopped, and FailedType/FailedBlock say where.
    Outcome Write(int type, uint32_t record)
    {
        const WearRecordKind& kind = m_kinds[static_cast<size_t>(type)];
        int closes = 0;
        while (m_used[m_active] + kind.Bytes > m_capacity[m_active]) {
            if (closes == m_blockCount) {
                m_failedType = type;
                m_failedBlock = m_active;
                return Outcome::NoRoomAfterCloses;
            }
            if (!CloseActive())
                return Outcome::LiveCopyNoRoom;
            ++closes;
        }
        Place(m_base[static_cast<size_t>(type)] + record, kind.Bytes);
        m_counters.PayloadBytes += kind.Payload;
        m_counters.RecordOverheadBytes += kind.Overhead;
        return Outcome::Written;
    }

    const WearCounters& Counters() const { return m_counters; }
    int64_t LargestGcBytes() const { return m_largestGc; } // of one collection
    int FailedType() const { return m_failedType; } // 0-based
    int FailedBlock() const { return m_failedBlock; } // 0-based

private:
    static constexpr uint64_t kNowhere = ~uint64_t {0};

    static uint64_t Location(int block, size_t index)
    {
        return (static_cast<uint64_t>(block) << 32) | static_cast<uint64_t>(index);
    }

    void Place(uint32_t id, int64_t bytes)
    {
        std::vector<uint32_t>& entries = m_entries[m_active];
        if (entries.size() >= m_compactAt)
            DropDeadCopies(m_active);
        m_latest[id] = Location(m_active, entries.size());
        entries.push_back(id);
        m_used[m_active] += bytes;
        m_programmed[m_active] = true;
    }

    // Closes the active block, moves to the next one and collects the one after it.
    // False when a live copy finds no room.
    bool CloseActive();
    void DropDeadCopies(int block);

    std::array<int64_t, kMaxBlocks> m_capacity {};
    std::array<int64_t, kMaxBlocks> m_used {};
    std::array<bool, kMaxBlocks> m_programmed {}; // holds a copy since its last erase
    std::array<std::vector<uint32_t>, kMaxBlocks> m_entries; // record ids, in the order stored
    int m_blockCount = 0;
    int m_active = 0;

    std::array<WearRecordKind, kMaxDataTypes> m_kinds {};
    std::array<uint32_t, kMaxDataTypes> m_base {}; // first record id of each type
    std::vector<uint8_t> m_typeOf; // per record id
    std::vector<uint64_t> m_latest; // per record id: block and index of its latest copy
    size_t m_compactAt = ~size_t {0};

    WearCounters m_counters;
    int64_t m_largestGc = 0;
    int m_failedType = -1;
    int m_failedBlock = -1;
};

} // namespace eee
