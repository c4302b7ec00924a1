// eee-calc-cli advise [FILE.xml ...] [--margin PCT] [--schemes all|same] [--top N] [--json]
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
#include "cli/CommandLine.h"
#include "cli/Evaluator.h"
#include "form/DataSource.h"

#include <QJsonObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace eee {

struct AdviseOptions
{
    std::vector<std::string> Files; // none: the delivered Defaults.xml
    AdvisorOptions Advisor;
    bool Json = false; // one JSON object per file and line
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<AdviseOptions> ReadAdviseOptions(const CommandOptions& options, std::string& error);

// The values of the options: nothing when a value is not valid. The schemes are read
// by SchemeScopeFromOption() (calc/AdvisorText.h).
std::optional<double> ParseMarginPercent(const std::string& text); // ValidMarginPercent()
std::optional<int> ParseTop(const std::string& text); // 1 or more

extern const Command kAdviseCommand;

// A file named on the command line: how the output names it, and where it is.
struct AdviseFile
{
    std::string DisplayName;
    std::string FullPath;
    std::string Refusal; // when set, the file is refused with it and not read
};

// The advice for one file.
struct FileAdvice
{
    std::string File;
    bool Ok = false; // loaded and advised
    std::string Error; // when not Ok: why the file was refused
    std::string Reason; // when not Ok: what the error leaves unsaid, or ""
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

// Advises the files (the caller puts the defaults file there when none was named).
// Results go to `out`, warnings and refusals to `err`, in the order they happen.
// Returns the exit status: 0 when every file was advised, 1 when a file was refused.
int RunAdvise(IDataSource& data, Evaluator& evaluator, const std::vector<AdviseFile>& files,
    const AdviseOptions& options, const TextSink& out, const TextSink& err);

} // namespace eee
