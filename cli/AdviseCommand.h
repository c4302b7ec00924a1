// eee-calc-cli advise [FILE...] [--margin PCT] [--schemes all|same] [--top N] [--json]
//
// Each file is loaded as `evaluate` loads it (a file that cannot be loaded is refused
// the same way); a workload whose own configuration does not fit its blocks or is out
// of spec is advised like any other. For each: the current configuration with its
// headroom, and the smallest configurations of the catalogue that keep the workload
// within the cycles limit, as a table or as one JSON object per line.
#pragma once

#include "calc/Advisor.h"
#include "calc/AdvisorCatalogue.h"
#include "calc/AdvisorHeadroom.h"
#include "calc/DataSource.h"
#include "cli/Evaluator.h"

#include <QCommandLineOption>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCommandLineParser;

namespace eee {

struct AdviseCommandOptions
{
    AdvisorOptions Advisor;
    bool Json = false;
};

// A file named on the command line: how the output names it, and where it is.
struct AdviseFile
{
    std::string DisplayName;
    std::string FullPath;
};

// The configuration a file holds, as its load left the form.
struct CurrentConfiguration
{
    std::string Scheme;
    std::vector<std::string> Blocks;
    int64_t FlashUsedBytes = 0;
    bool Fits = false; // the data fits the blocks and an estimate exists
    double FlashCycles = 0.0; // when Fits
    bool InSpec = false; // the window's verdict
    AdvisorHeadroom Headroom;
};

// The advice for one file.
struct FileAdvice
{
    std::string File;
    bool Ok = false; // loaded and advised
    std::string Error; // when not Ok: why the file was refused
    std::vector<std::string> Warnings;
    CurrentConfiguration Current;
    Advice Result;
};

// Loads one file with the evaluator and advises its workload.
FileAdvice AdviseOne(Evaluator& evaluator, const AdvisorCatalogue& catalogue,
    const AdviseFile& file, const AdvisorOptions& options);

// The JSON object of one file: file, ok, marginPercent, schemes, current, candidates,
// searched, note.
QJsonObject AdviceToJson(const FileAdvice& advice, const AdvisorOptions& options);

// The readable report of one advised file, ending with a line break.
std::string AdviceTable(const FileAdvice& advice, const AdvisorOptions& options);

using TextSink = std::function<void(const std::string&)>;

// Runs the subcommand over the files (the caller puts the defaults file there when
// none was named). Results go to `out`, warnings and refusals to `err` in the order
// they happen. Returns the exit status: 0 when every file was advised, 1 when a file
// was refused.
int RunAdvise(IDataSource& data, Evaluator& evaluator, const std::vector<AdviseFile>& files,
    const AdviseCommandOptions& options, const TextSink& out, const TextSink& err);

// The options of the subcommand besides --json: --margin, --schemes and --top.
QList<QCommandLineOption> AdviseCommandLineOptions();

// Reads those options from a parser that has processed them. False with a usage
// error when a value is not valid; `options.Json` is left to the caller.
bool ReadAdviseOptions(
    const QCommandLineParser& parser, AdviseCommandOptions& options, QString& error);

// The values of the options, as ReadAdviseOptions takes them.
std::optional<double> ParseMarginPercent(const QString& text);
std::optional<SchemeScope> ParseSchemeScope(const QString& text);
std::optional<int> ParseTop(const QString& text);

} // namespace eee
