// What the design advisor keeps fixed while it tries configurations: the lifetime, the
// data types and the overhead choice. Only the scheme and the blocks change.
#pragma once

#include "AdvisorCatalogue.h"
#include "Evaluate.h"
#include "Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace eee {

struct AdvisorWorkload
{
    std::string Scheme; // the scheme of the configuration it was taken from
    float LifeTime = 20.0f;
    int DataTypeCount = 0;
    std::array<DataTypeInput, kMaxDataTypes> DataTypes {};
    bool CustomOverhead = false;
    int32_t BlockOverhead = 0;

    // The largest data size of the data types in use; 0 without data types.
    int32_t LargestDataSize() const;
};

AdvisorWorkload WorkloadFromConfig(const EvalConfig& config);
AdvisorWorkload WorkloadFromRecord(const SessionRecord& record);

// The workload in a scheme, before any block is chosen (no blocks). A fixed-length
// scheme stores every record in a slot of one size, so there every data size is the
// largest data size of the workload, as the form itself requires in such a scheme.
EvalConfig WorkloadConfig(const AdvisorWorkload& workload, const CatalogueScheme& scheme);

// The workload in a scheme with the given blocks.
EvalConfig WorkloadConfig(const AdvisorWorkload& workload, const CatalogueScheme& scheme,
    const std::vector<int64_t>& blockBytes);

} // namespace eee
