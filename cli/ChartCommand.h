// eee-calc-cli chart FILE.xml -o OUT.png [--width W --height H]: evaluates a
// session file and draws its envelope chart to a PNG image.
#pragma once

#include "cli/CommandLine.h"
#include "cli/Evaluator.h"

#include <optional>
#include <string>

namespace eee {

inline constexpr int kMaxImageSide = 8192;

struct ChartOptions
{
    std::string File;
    std::string Output; // the PNG to write
    int Width = kChartClientWidth; // the calculator's own chart by default
    int Height = kChartClientHeight;
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<ChartOptions> ReadChartOptions(const CommandOptions& options, std::string& error);

extern const Command kChartCommand;

} // namespace eee
