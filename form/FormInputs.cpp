#include "form/FormInputs.h"

#include "calc/Schemes.h"

#include <algorithm>

namespace eee {

EvalConfig ConfigFromInputs(const CalcInputs& in, const std::array<int64_t, kMaxBlocks>& blocks)
{
    EvalConfig config;
    // The name is taken from the scheme table, which outlives every configuration; an
    // unknown name stays empty and has no overheads, as before.
    if (const SchemeConstants* scheme = FindScheme(in.Scheme))
        config.Scheme = scheme->Name;
    config.RecordAlignment = in.RecordAlignment;
    config.LifeTime = in.LifeTime;
    config.BlockCount = in.BlocksSelected;
    config.BlockBytes = blocks;
    config.DataTypeCount = std::clamp(in.DataTypeCount, 0, kMaxDataTypes);
    for (size_t i = 0; i < kMaxDataTypes; ++i) {
        DataTypeInput& type = config.DataTypes[i];
        type.DataSize = in.DataSize[i];
        type.Updates = in.Updates[i];
        type.Records = in.Records[i];
        type.Daily = in.Frequency[i] != 0;
        type.CustomOverhead = in.CusOverhead[i];
    }
    config.CustomOverhead = in.CusOverheadEn;
    config.BlockOverhead = in.BlockOverhead;
    config.CyclesLimit = in.CyclesLimit;
    return config;
}

} // namespace eee
