#include "cli/ChartCommand.h"

#include "chart/ChartPainter.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/OffscreenGui.h"
#include "cli/OutputFile.h"
#include "cli/Report.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <charconv>

namespace eee {

namespace {

const std::string kSideError = " needs a whole number from 1 to " + std::to_string(kMaxImageSide);

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption({"o", "output"}, "The PNG image to write.", "OUT.png"),
        QCommandLineOption("width",
            "Image width in pixels, 1 to 8192 (default " + QString::number(kChartWidth) + ").",
            "W"),
        QCommandLineOption("height",
            "Image height in pixels, 1 to 8192 (default " + QString::number(kChartHeight) + ").",
            "H"),
    };
}

std::optional<int> ParseSide(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 1 || value > kMaxImageSide)
        return std::nullopt;
    return value;
}

std::string Check(CommandOptions& options)
{
    std::string error;
    ReadChartOptions(options, error);
    return error;
}

// The image encoded in memory, so that its file is written in one piece.
std::optional<QByteArray> DrawPng(ChartModel& chart, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintChart(painter, chart, width, height);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return png;
}

int Run(const CommandOptions& given)
{
    std::string error;
    const std::optional<ChartOptions> options = ReadChartOptions(given, error);
    if (!options)
        return 2;
    const OffscreenGui gui;
    Calculator calculator;
    const Evaluation e = calculator.Evaluate(options->File);
    Write(stderr, EvaluationMessages(e));
    if (!e.Ok)
        return 1;

    const std::optional<QByteArray> png
        = DrawPng(calculator.Chart(), options->Width, options->Height);
    if (!png) {
        Complain("could not encode the chart as a PNG image");
        return 1;
    }
    const int failure = WriteOutputFile(
        options->Output, std::string_view(png->constData(), static_cast<size_t>(png->size())));
    if (failure != 0) {
        Complain(WriteFailureText(options->Output, failure));
        return 1;
    }
    return 0;
}

} // namespace

std::optional<ChartOptions> ReadChartOptions(const CommandOptions& options, std::string& error)
{
    ChartOptions chart;
    for (auto [name, side] : {std::pair {"width", &chart.Width}, {"height", &chart.Height}}) {
        if (!options.IsSet(name))
            continue;
        const std::optional<int> value = ParseSide(options.Value(name));
        if (!value) {
            error = std::string("--") + name + kSideError;
            return std::nullopt;
        }
        *side = *value;
    }
    const std::vector<std::string> files = options.Positional();
    if (files.size() != 1) {
        error = "give exactly one session file";
        return std::nullopt;
    }
    chart.File = files.front();
    chart.Output = options.Value("output");
    if (chart.Output.empty()) {
        error = options.IsSet("output") ? "-o needs a file name"
                                        : "give the PNG file to write with -o OUT.png";
        return std::nullopt;
    }
    return chart;
}

const Command kChartCommand {
    "chart",
    "chart FILE.xml -o OUT.png [--width W --height H]",
    "Evaluates FILE.xml as evaluate does and draws the envelope chart to a PNG image, by default "
    "of the size of the calculator's own chart. An existing image is replaced only once the new "
    "one is written in full.",
    Options,
    Check,
    Run,
};

} // namespace eee
