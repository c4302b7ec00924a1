// eee-calc-cli chart FILE.xml -o OUT.png [--width W --height H]: evaluates a
// session file and draws its envelope chart to a PNG image.
#pragma once

#include "chart/ChartModel.h"
#include "cli/CommandLine.h"

#include <optional>
#include <string>

namespace eee {

inline constexpr int kMaxImageSide = 8192;

struct ChartOptions
{
    std::string File;
    std::string Output; // the PNG to write
    int Width = kChartWidth; // the calculator's own chart by default
    int Height = kChartHeight;
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<ChartOptions> ReadChartOptions(const CommandOptions& options, std::string& error);

extern const Command kChartCommand;

} // namespace eee
