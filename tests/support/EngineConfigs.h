// Engine configurations for the engine's tests: any one written out in a line, and the
// worked example of the endurance.
#pragma once

#include "calc/Evaluate.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace eee::testing_support {

inline EvalConfig Config(std::string_view scheme, int32_t alignment, float lifeTime,
    std::vector<int64_t> blocks, std::vector<DataTypeInput> types)
{
    EvalConfig config;
    config.Scheme = scheme;
    config.RecordAlignment = alignment;
    config.LifeTime = lifeTime;
    config.BlockCount = static_cast<int>(blocks.size());
    std::copy(blocks.begin(), blocks.end(), config.BlockBytes.begin());
    config.DataTypeCount = static_cast<int>(types.size());
    std::copy(types.begin(), types.end(), config.DataTypes.begin());
    return config;
}

// One data type of 512 bytes x 8 records, 10 updates a day for 20 years, in two blocks
// of 16 KB under ECC16 Var-Length with 16-byte alignment (10472 flash cycles).
inline EvalConfig WorkedExampleConfig()
{
    EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = 20.0f;
    config.BlockCount = 2;
    config.BlockBytes = {16384, 16384};
    config.DataTypeCount = 1;
    config.DataTypes[0] = {512, 10, 8, true, 0};
    return config;
}

} // namespace eee::testing_support
