// What a design-review report says, from one finished calculation. The window's
// File > Export Report and eee-calc-cli report both build their document here from the
// same values: the configuration and every number of its calculation, the chart, the
// session file and the design advisor's suggestion. It reads no form and no file.
#pragma once

#include "report/RetentionSection.h"

#include "calc/Advisor.h"
#include "calc/Evaluate.h"
#include "chart/ChartModel.h"
#include "report/ReportDocument.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace eee {

inline constexpr const char* kDefaultReportTitle = "Varn EEE Calculator Design Review";

struct ReportContent
{
    QString Title; // empty: kDefaultReportTitle
    QString SessionFile; // empty: the inputs were not read from a file
    QDateTime Created;
    EvalConfig Config;
    EvalResult Result;
    ChartModel Chart; // the form's chart, holding the operating point of Result
    // When the design is out of spec: the design advisor's best candidate for its
    // workload (AdviseOutOfSpec()).
    std::optional<BestCandidate> Advised;
    // When a device profile was chosen: the retention check of the calculation.
    std::optional<ReportRetention> Retention;
};

// The content of one calculation, created now; the chart is the form's with the operating
// point of that calculation.
ReportContent MakeReportContent(const EvalConfig& config, const EvalResult& result,
    const ChartModel& chart, const QString& sessionFile, std::optional<BestCandidate> advised);

// The whole document: title, date, program version, session file; inputs; results;
// verdict; chart; breakdown; formula trace; the sections of the tools (ExtraSections.h);
// the constants assumed.
ReportDocument BuildReport(const ReportContent& content);

} // namespace eee
