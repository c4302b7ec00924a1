#include "cli/AdviseCommand.h"
#include "form/AdvisorCatalogueReader.h"

#include "calc/AdvisorText.h"
#include "calc/Compute.h"
#include "calc/Format.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "cli/Report.h"

#include <QJsonArray>
#include <QJsonValue>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace eee {

namespace {

constexpr const char* kMarginOption = "margin";
constexpr const char* kSchemesOption = "schemes";
constexpr const char* kTopOption = "top";
constexpr const char* kJsonOption = "json";

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A single-precision value as the double its shortest text reads back to, so that JSON
// shows 19.9 and not the float's binary expansion.
double AsShown(float value)
{
    char buffer[32];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (r.ec != std::errc())
        return static_cast<double>(value);
    *r.ptr = '\0';
    return std::strtod(buffer, nullptr);
}

QJsonArray Texts(const std::vector<std::string>& texts)
{
    QJsonArray array;
    for (const std::string& text : texts)
        array.append(ToQ(text));
    return array;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string text;
    for (const std::string& t : texts) {
        if (!text.empty())
            text += ' ';
        text += t;
    }
    return text;
}

double HeadroomValue(HeadroomFactor factor)
{
    return std::strtod(factor.Text().c_str(), nullptr);
}

} // namespace

FileAdvice AdviseOne(Evaluator& evaluator, const AdvisorCatalogue& catalogue,
    const AdviseFile& file, const AdvisorOptions& options)
{
    FileAdvice advice;
    advice.File = file.DisplayName;
    if (!file.Refusal.empty()) {
        advice.Error = file.Refusal;
        return advice;
    }
    const Evaluation e = evaluator.Evaluate(file.DisplayName, file.FullPath);
    advice.Warnings = e.Warnings;

    // A file that loaded but whose data does not fit its blocks is what advice is for;
    // any other failure refuses the file as evaluate does.
    std::optional<EvalConfig> config;
    if (e.Ok)
        config = evaluator.State().LastConfig;
    else if (e.Stop == LoadStop::BlocksTooSmall)
        config = evaluator.FormConfig();
    if (!config) {
        advice.Error = e.Error;
        advice.Reason = RefusalReason(e);
        return advice;
    }
    if (!e.Ok)
        advice.Warnings.push_back(e.Error);
    advice.Ok = true;
    const double limit = CyclesLimitWithMargin(options.MarginPercent);
    const FormState& form = evaluator.State();
    std::vector<std::string> blocks;
    for (int k = 0; k < config->BlockCount && k < kMaxBlocks; ++k)
        blocks.push_back(form.BlockLists[static_cast<size_t>(k)].SelectedText());
    advice.Current = DescribeCurrent(*config, form.SchemeList.SelectedText(), blocks, limit);
    advice.Result = Advise(catalogue, WorkloadFromConfig(*config), options);
    return advice;
}

QJsonObject AdviceToJson(const FileAdvice& advice, const AdvisorOptions& options)
{
    QJsonObject o;
    o["file"] = ToQ(advice.File);
    o["ok"] = advice.Ok;
    o["marginPercent"] = options.MarginPercent;
    o["schemes"] = NamesOf(options.Schemes).Option;
    if (advice.Ok) {
        const CurrentConfiguration& c = advice.Current;
        QJsonObject current;
        current["scheme"] = ToQ(c.Scheme);
        current["blocks"] = Texts(c.Blocks);
        current["flashUsedBytes"] = static_cast<double>(c.FlashUsedBytes);
        current["flashCycles"] = c.Fits ? QJsonValue(c.FlashCycles) : QJsonValue();
        current["inSpec"] = c.InSpec;
        // No bound: null. No factor keeps it within the limit: 0.
        current["headroomFactor"]
            = c.Headroom.Unbounded ? QJsonValue() : QJsonValue(HeadroomValue(c.Headroom.Factor));
        current["inSpecYears"] = AsShown(c.Headroom.InSpecYears);
        o["current"] = current;
    } else {
        o["current"] = QJsonValue();
    }
    QJsonArray candidates;
    for (const AdvisorCandidate& c : advice.Result.Candidates) {
        QJsonObject candidate;
        candidate["scheme"] = ToQ(c.Scheme);
        candidate["blocks"] = Texts(c.BlockTexts);
        candidate["flashUsedBytes"] = static_cast<double>(c.FlashUsedBytes);
        candidate["flashCycles"] = c.FlashCycles;
        candidate["inSpecYears"] = AsShown(c.InSpecYears);
        candidate["inSpec"] = c.InSpec;
        candidate["cyclesMarginPercent"] = c.CyclesMarginPercent;
        candidates.append(candidate);
    }
    o["candidates"] = candidates;
    o["searched"] = advice.Result.Searched;
    std::string note = advice.Result.Note();
    if (!advice.Ok)
        note = advice.Reason.empty() ? advice.Error : advice.Error + '\n' + advice.Reason;
    o["note"] = ToQ(note);
    return o;
}

std::string AdviceTable(const FileAdvice& advice, const AdvisorOptions& options)
{
    const Advice& a = advice.Result;
    std::string out = "File: " + advice.File + '\n';
    out += CurrentLines(advice.Current, a.CyclesLimit);
    out += Format("Searched: %d configurations, %s, margin %s %%\n", a.Searched,
        NamesOf(options.Schemes).Phrase, FormatG(options.MarginPercent, 6).c_str());
    if (!a.Candidates.empty()) {
        out += a.Qualified ? "Smallest configurations within the limit:\n"
                           : "Closest configurations (fewest cycles):\n";
        // The sizes column is as wide as its longest entry.
        int sizesWidth = 11;
        for (const AdvisorCandidate& c : a.Candidates)
            sizesWidth = std::max(sizesWidth, static_cast<int>(Joined(c.BlockTexts).size()));
        out += Format("%4s  %-18s  %6s  %-*s  %10s  %12s  %13s  %7s  %13s\n", "Rank", "Scheme",
            "Blocks", sizesWidth, "Block sizes", "Flash used", "Flash cycles", "In-spec years",
            "In spec", "Cycles margin");
        int rank = 0;
        for (const AdvisorCandidate& c : a.Candidates) {
            out += Format("%4d  %-18s  %6d  %-*s  %10lld  %12s  %13.1f  %7s  %11.1f %%\n", ++rank,
                c.Scheme.c_str(), c.BlockCount(), sizesWidth, Joined(c.BlockTexts).c_str(),
                static_cast<long long>(c.FlashUsedBytes), FormatG(c.FlashCycles, 15).c_str(),
                static_cast<double>(c.InSpecYears), c.InSpec ? "yes" : "no", c.CyclesMarginPercent);
        }
    }
    for (const std::string& note : a.Notes)
        out += "Note: " + note + '\n';
    return out;
}

int RunAdvise(IDataSource& data, Evaluator& evaluator, const std::vector<AdviseFile>& files,
    const AdviseOptions& options, const TextSink& out, const TextSink& err)
{
    std::vector<std::string> problems;
    const AdvisorCatalogue catalogue = ReadAdvisorCatalogue(data, problems);
    for (const std::string& problem : problems)
        err(std::string(kProgram) + ": advise: " + problem + '\n');

    bool allOk = true;
    bool first = true;
    for (const AdviseFile& file : files) {
        const FileAdvice advice = AdviseOne(evaluator, catalogue, file, options.Advisor);
        allOk = allOk && advice.Ok;
        // The messages go to the error stream in both forms: the JSON keeps to the advice.
        std::string messages;
        for (const std::string& warning : advice.Warnings)
            messages += MessageLines(advice.File, "warning", warning);
        if (!advice.Ok) {
            messages += MessageLines(advice.File, "error", advice.Error);
            if (!advice.Reason.empty())
                messages += MessageLines(advice.File, "reason", advice.Reason);
        }
        if (!messages.empty())
            err(messages);
        if (options.Json) {
            out(JsonLine(AdviceToJson(advice, options.Advisor)));
        } else if (advice.Ok) {
            // A blank line between the reports of two files.
            std::string report = first ? std::string() : std::string("\n");
            report += AdviceTable(advice, options.Advisor);
            out(report);
            first = false;
        }
    }
    return allOk ? 0 : 1;
}

std::optional<double> ParseMarginPercent(const std::string& text)
{
    double value = 0.0;
    const char* end = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), end, value);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(value) || !ValidMarginPercent(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseTop(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), end, value);
    if (r.ec != std::errc() || r.ptr != end || value < 1)
        return std::nullopt;
    return value;
}

std::optional<AdviseOptions> ReadAdviseOptions(const CommandOptions& given, std::string& error)
{
    AdviseOptions options;
    options.Files = given.Positional();
    options.Json = given.IsSet(kJsonOption);
    if (given.IsSet(kMarginOption)) {
        const std::string text = given.Value(kMarginOption);
        const std::optional<double> margin = ParseMarginPercent(text);
        if (!margin) {
            error = "invalid margin '" + text + "': a percentage from " + MarginRangeText();
            return std::nullopt;
        }
        options.Advisor.MarginPercent = *margin;
    }
    if (given.IsSet(kSchemesOption)) {
        const std::string text = given.Value(kSchemesOption);
        const std::optional<SchemeScope> scope = SchemeScopeFromOption(text);
        if (!scope) {
            error = "invalid schemes '" + text + "': all or same";
            return std::nullopt;
        }
        options.Advisor.Schemes = *scope;
    }
    if (given.IsSet(kTopOption)) {
        const std::string text = given.Value(kTopOption);
        const std::optional<int> top = ParseTop(text);
        if (!top) {
            error = "invalid top '" + text + "': a whole number of at least 1";
            return std::nullopt;
        }
        options.Advisor.Top = *top;
    }
    return options;
}

namespace {

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption(kMarginOption,
            QString::fromStdString("Keep PCT percent of the 100000 flash cycles in reserve ("
                + MarginRangeText() + "; default 0)."),
            "PCT"),
        QCommandLineOption(kSchemesOption,
            "all: search every scheme of the catalogue (the default); same: only the scheme "
            "of the file.",
            "S"),
        QCommandLineOption(kTopOption,
            QString("Show at most N configurations (default %1).").arg(kDefaultAdvisorTop), "N"),
        QCommandLineOption(kJsonOption, "One JSON object per file and line."),
    };
}

std::string Check(CommandOptions& options)
{
    std::string error;
    ReadAdviseOptions(options, error);
    return error;
}

int Run(const CommandOptions& given)
{
    std::string error;
    const std::optional<AdviseOptions> options = ReadAdviseOptions(given, error);
    if (!options)
        return 2;
    Calculator calculator;
    std::vector<std::string> names = options->Files;
    if (names.empty())
        names.push_back(calculator.DefaultsPath());
    std::vector<AdviseFile> files;
    for (const std::string& name : names) {
        AdviseFile file {name, {}, {}};
        if (const std::optional<std::string> path = AbsoluteFileName(name, file.Refusal))
            file.FullPath = *path;
        files.push_back(std::move(file));
    }
    return RunAdvise(
        calculator.DataSource(), calculator.Engine(), files, *options,
        [](const std::string& text) { Write(stdout, text); },
        [](const std::string& text) {
            // In order with the results written so far.
            std::fflush(stdout);
            Write(stderr, text);
        });
}

} // namespace

const Command kAdviseCommand {
    "advise",
    // Within the eighty columns of the help: the options say what S takes.
    "advise [FILE ...] [--margin PCT --schemes S --top N --json]",
    "Finds the smallest configurations (scheme, number of blocks and block sizes) that keep the "
    "workload of each session file within 100000 flash cycles, less the margin: every "
    "configuration of the catalogue is calculated as Submit calculates it. Also gives the "
    "headroom of the file's own configuration: the factor by which every data type's updates "
    "can grow and stay within the limit. A file whose data does not fit its blocks is advised "
    "too. Without FILE, the Defaults.xml beside the program is advised. With --json, one JSON "
    "object per file and line.",
    Options,
    Check,
    Run,
};

} // namespace eee
