#include "WearRing.h"

#include <algorithm>

namespace eee {

WearRing::WearRing(const std::array<int64_t, kMaxBlocks>& capacity, int blockCount,
    const std::array<WearRecordKind, kMaxDataTypes>& kinds, int kindCount)
    : m_capacity(capacity)
    , m_blockCount(blockCount)
    , m_kinds(kinds)
{
    uint32_t records = 0;
    int64_t smallestBytes = 0; // of the kinds that take room
    bool zeroBytes = false;
    for (int i = 0; i < kindCount; ++i) {
        const WearRecordKind& kind = m_kinds[static_cast<size_t>(i)];
        m_base[static_cast<size_t>(i)] = records;
        records += kind.Records;
        if (kind.Records == 0)
            continue;
        if (kind.Bytes <= 0)
            zeroBytes = true;
        else
            smallestBytes = smallestBytes == 0 ? kind.Bytes : std::min(smallestBytes, kind.Bytes);
    }
    m_typeOf.resize(records);
    for (int i = 0; i < kindCount; ++i) {
        const auto first = m_typeOf.begin() + m_base[static_cast<size_t>(i)];
        std::fill(first, first + m_kinds[static_cast<size_t>(i)].Records, static_cast<uint8_t>(i));
    }
    m_latest.assign(records, kNowhere);

    // A block holds at most c_j / (smallest record) copies that take room; only copies
    // of zero bytes can pile up beyond that, and they are dropped once dead.
    int64_t mostCopies = 0;
    for (int j = 0; j < m_blockCount; ++j) {
        const int64_t copies = smallestBytes > 0 ? m_capacity[j] / smallestBytes : 0;
        mostCopies = std::max(mostCopies, copies);
        m_entries[j].reserve(static_cast<size_t>(std::min<int64_t>(copies, 1 << 16)));
    }
    if (zeroBytes)
        m_compactAt = static_cast<size_t>(2 * (int64_t {records} + mostCopies) + 64);
}

bool WearRing::CloseActive()
{
    m_counters.CloseWasteBytes += m_capacity[m_active] - m_used[m_active];
    m_active = (m_active + 1) % m_blockCount;
    const int victim = (m_active + 1) % m_blockCount;

    // With two blocks the victim is the block just closed; with more it is never the
    // new active block, so the copies are read from one list and placed into another.
    std::vector<uint32_t>& copies = m_entries[victim];
    int64_t collected = 0;
    for (size_t k = 0; k < copies.size(); ++k) {
        const uint32_t id = copies[k];
        if (m_latest[id] != Location(victim, k))
            continue; // a later version exists elsewhere
        const int type = m_typeOf[id];
        const int64_t bytes = m_kinds[static_cast<size_t>(type)].Bytes;
        if (m_used[m_active] + bytes > m_capacity[m_active]) {
            m_largestGc = std::max(m_largestGc, collected);
            m_failedType = type;
            m_failedBlock = m_active;
            return false;
        }
        Place(id, bytes);
        collected += bytes;
        m_counters.GcBytes += bytes;
        m_counters.GcBytesByType[static_cast<size_t>(type)] += bytes;
    }
    m_largestGc = std::max(m_largestGc, collected);

    if (m_programmed[victim]) {
        ++m_counters.Erases[victim];
        m_programmed[victim] = false;
    }
    copies.clear();
    m_used[victim] = 0;
    return true;
}

void WearRing::DropDeadCopies(int block)
{
    std::vector<uint32_t>& entries = m_entries[block];
    size_t kept = 0;
    for (size_t k = 0; k < entries.size(); ++k) {
        const uint32_t id = entries[k];
        if (m_latest[id] != Location(block, k))
            continue;
        m_latest[id] = Location(block, kept);
        entries[kept++] = id;
    }
    entries.resize(kept);
}

} // namespace eee
