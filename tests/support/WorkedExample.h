// The worked example of the endurance as an engine configuration: one data type of 512
// bytes x 8 records, 10 updates a day for 20 years, in two blocks of 16 KB under ECC16
// Var-Length with 16-byte alignment (10472 flash cycles).
#pragma once

#include "calc/Evaluate.h"

namespace eee::testing_support {

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
