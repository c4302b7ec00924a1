#include "AdvisorWorkload.h"

#include "Schemes.h"

#include <algorithm>

namespace eee {

int32_t AdvisorWorkload::LargestDataSize() const
{
    int32_t largest = 0;
    const int n = std::clamp(DataTypeCount, 0, kMaxDataTypes);
    for (int i = 0; i < n; ++i)
        largest = std::max(largest, DataTypes[static_cast<size_t>(i)].DataSize);
    return largest;
}

AdvisorWorkload WorkloadFromConfig(const EvalConfig& config)
{
    AdvisorWorkload workload;
    workload.Scheme = std::string(config.Scheme);
    workload.LifeTime = config.LifeTime;
    workload.DataTypeCount = std::clamp(config.DataTypeCount, 0, kMaxDataTypes);
    workload.DataTypes = config.DataTypes;
    workload.CustomOverhead = config.CustomOverhead;
    workload.BlockOverhead = config.BlockOverhead;
    return workload;
}

AdvisorWorkload WorkloadFromRecord(const SessionRecord& record)
{
    AdvisorWorkload workload;
    workload.Scheme = record.Scheme;
    workload.LifeTime = record.LifeTime;
    // The form has six data type rows; further types of a session are left out.
    workload.DataTypeCount
        = static_cast<int>(std::min(record.DataTypes.size(), static_cast<size_t>(kMaxDataTypes)));
    for (size_t i = 0; i < static_cast<size_t>(workload.DataTypeCount); ++i) {
        const DataInfo& info = record.DataTypes[i];
        DataTypeInput& type = workload.DataTypes[i];
        type.DataSize = info.DataSize;
        type.Updates = info.Updates;
        type.Records = info.Records;
        type.Daily = info.Frequency != 0;
        type.CustomOverhead = record.CusOverheadEn ? info.CusOverhead : 0;
    }
    workload.CustomOverhead = record.CusOverheadEn;
    workload.BlockOverhead = record.CusOverheadEn ? record.BlockOverhead : 0;
    return workload;
}

EvalConfig WorkloadConfig(const AdvisorWorkload& workload, const CatalogueScheme& scheme)
{
    EvalConfig config;
    // The name is taken from the scheme table, which outlives every configuration; an
    // unknown name stays empty and has no overheads, as in the form.
    if (const SchemeConstants* constants = FindScheme(scheme.Name))
        config.Scheme = constants->Name;
    config.RecordAlignment = scheme.RecordAlignment;
    config.LifeTime = workload.LifeTime;
    config.BlockCount = 0;
    config.DataTypeCount = std::clamp(workload.DataTypeCount, 0, kMaxDataTypes);
    config.DataTypes = workload.DataTypes;
    if (IsFixedLengthScheme(scheme.Name)) {
        const int32_t largest = workload.LargestDataSize();
        for (DataTypeInput& type : config.DataTypes)
            type.DataSize = largest;
    }
    config.CustomOverhead = workload.CustomOverhead;
    config.BlockOverhead = workload.BlockOverhead;
    return config;
}

EvalConfig WorkloadConfig(const AdvisorWorkload& workload, const CatalogueScheme& scheme,
    const std::vector<int64_t>& blockBytes)
{
    EvalConfig config = WorkloadConfig(workload, scheme);
    config.BlockCount = static_cast<int>(std::min(blockBytes.size(), size_t {kMaxBlocks}));
    for (size_t k = 0; k < static_cast<size_t>(config.BlockCount); ++k)
        config.BlockBytes[k] = blockBytes[k];
    return config;
}

} // namespace eee
